#pragma once
// The rows of one SELECT in statement order. Both database layers build their
// recordsets on it.
//
// How the rows are held. A statement of the form `SELECT * FROM <one table>
// [WHERE ...] [ORDER BY ...]` on a table with row keys runs for the row keys
// alone (so sorting moves only the sort keys and the row key), and a row's
// values are read from the table when they are asked for: one keyed look-up
// for the row, whose values then stay at hand until another row is read.
// Every other statement (joins, expressions in the select list, DISTINCT,
// GROUP BY, LIMIT, views, ...) is read in full at once into a compact encoded
// form. Either way the statement's failures (3464 from val(Null) in a sort
// key, 3061, 3078, ...) are raised when it runs. Rows whose sort keys are
// equal come in an order of the engine's choosing, which is the same on
// every run.
//
// Declared column types. What a value reads as depends on what the engine
// stored and on the column's declared type (sqlite3_column_decltype, matched
// without regard to case; an expression column has none):
//
//   stored      declared type                              value
//   NULL        any                                        Null
//   text/blob   any                                        String
//   integer     BOOLEAN                                    Boolean (0 False, else True)
//   integer     SMALLINT, INTEGER16, BYTE                  Integer (16-bit; Long when
//                                                          the value does not fit)
//   number      DOUBLE, REAL, FLOAT, SINGLE, CURRENCY,     Double
//               DECIMAL, NUMERIC
//   number      DATETIME                                   Date (the number is the
//                                                          serial: days since
//                                                          30 December 1899,
//                                                          fraction = time of day)
//   integer     anything else (INTEGER, LONG, none, ...)   Long (Double beyond 32 bits)
//   real        anything else                              Double
//
// So the Jet layer creates its copy with these declarations: Yes/No ->
// BOOLEAN holding 1/0, Byte -> BYTE, Integer -> SMALLINT, Long -> INTEGER,
// Single/Double -> SINGLE/DOUBLE, Currency -> CURRENCY, Date/Time -> DATETIME
// holding the serial as a real, Text/Memo -> TEXT COLLATE JETNOCASE.
// Text bytes that are not valid UTF-8 are read as Windows-1252.
#include "platform/vb/Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace sqlitedb {

class RowSet {
 public:
  RowSet();
  ~RowSet();
  RowSet(RowSet&&) noexcept;
  RowSet& operator=(RowSet&&) noexcept;

  // Runs the (already translated) statement on `db` and keeps its rows; the
  // set keeps `db` open for as long as it may read from it.
  // Only a reading statement runs (others raise 3027), and only one that
  // gives rows (others raise 3219); text after the statement raises 3142.
  // The statement, and each later look-up of a row, runs under a
  // StatementClock: on a connection with the read-only rules it has a time
  // limit (3360), and a statement that is past it when it ends fails too.
  // Raises the run-time error of a failure (RaiseSqliteError); a failure
  // part-way through keeps no rows. The database must not change while the
  // set exists (both layers open theirs read-only).
  static RowSet Execute(std::shared_ptr<sqlite3> db, const QString& sqliteSql);
  // The same, reading every row at once: the set never reads `db` later.
  static RowSet Execute(sqlite3* db, const QString& sqliteSql);
  // The statement with values bound to its parameters ("?"), in order:
  // numbers as numbers, text as text, Null and Empty as NULL. Every row is
  // read at once.
  static RowSet Execute(sqlite3* db, const QString& sqliteSql,
                        const std::vector<vb::Variant>& parameters);

  int RowCount() const { return static_cast<int>(keyed_ ? keys_.size() : rows_.size()); }
  int ColumnCount() const { return static_cast<int>(names_.size()); }
  const QStringList& ColumnNames() const { return names_; }
  // The index of a column, matched without regard to case (the first of
  // equal names); -1 when none. A recordset's reads ask for the same few
  // names on every row, so the answers for the strings last asked with are
  // kept.
  int ColumnIndex(const QString& name) const;
  // The value of column `column` in row `row` (0-based), see the table above.
  // Raises 9 for a row or column outside the set, and the engine's error
  // when the row cannot be read (a damaged file). Not safe to call from two
  // threads at once.
  vb::Variant Value(int row, int column) const;

 private:
  enum class ColumnKind : uint8_t { Plain, Boolean, Integer16, Double, Date };
  static ColumnKind KindOfDeclaredType(const char* declaredType);
  struct RowStart {
    uint32_t block;   // index in blocks_
    uint32_t offset;  // where the row's first value starts in the block
  };
  struct StmtCloser {
    void operator()(sqlite3_stmt* s) const;
  };
  using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

  static RowSet Run(sqlite3* db, std::shared_ptr<sqlite3> owner, const QString& sqliteSql,
                    const std::vector<vb::Variant>& parameters = {});
  void AddColumns(sqlite3_stmt* stmt);
  bool PrepareKeyed(sqlite3* db, const QString& sqliteSql, Stmt& keys);
  void ReadKeys(sqlite3* db, sqlite3_stmt* keys, const QString& sqliteSql);
  void ReadAll(sqlite3* db, sqlite3_stmt* stmt, const QString& sqliteSql);
  void AddRow(sqlite3_stmt* stmt, std::vector<uint8_t>& scratch);
  sqlite3_stmt* FetchRow(int row) const;
  vb::Variant StoredValue(int row, int column) const;
  vb::Variant FetchedValue(int row, int column) const;
  vb::Variant IntegerOfKind(int64_t v, int column) const;
  vb::Variant RealOfKind(double d, int column) const;

  // A name asked for: where the caller's string is, the string (sharing its
  // text, or a copy of text the string does not own) and the answer.
  struct AskedName {
    const QChar* where = nullptr;
    QString name;
    int column = -1;
    bool Holds(const QString& asked) const;
  };
  static constexpr size_t kAskedSlots = 256;  // open addressing, a few probes
  static constexpr size_t kAskedProbes = 8;

  QStringList names_;
  QHash<QString, int> index_;            // case-folded name -> first column
  mutable std::array<AskedName, kAskedSlots> asked_;  // by where the string is
  mutable QHash<QString, int> spelled_;  // names as callers spell them
  std::vector<ColumnKind> columnKinds_;  // declared kind of each column

  // Read in full: the encoded values, row after row, in blocks that are
  // never reallocated, so that reading a large result needs no more memory
  // than it keeps.
  std::vector<RowStart> rows_;
  std::vector<std::vector<uint8_t>> blocks_;

  // Read by row key: the keys in statement order and the look-up of one row
  // (`SELECT * FROM <table> WHERE rowid = ?`), standing on row `fetched_`.
  // The connection is declared first so that it outlives the statement.
  bool keyed_ = false;
  std::shared_ptr<sqlite3> db_;
  std::vector<int64_t> keys_;
  Stmt lookUp_;
  mutable int fetched_ = -1;
};

}  // namespace sqlitedb
