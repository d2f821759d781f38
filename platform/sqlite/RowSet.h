#pragma once
// The rows of one SELECT, held in statement order in a compact encoded form.
// Both database layers build their recordsets on it.
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
#include <cstdint>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace sqlitedb {

class RowSet {
 public:
  RowSet() = default;

  // Runs the (already translated) statement on `db` and keeps every row.
  // Only a reading statement runs (others raise 3027), and only one that
  // gives rows (others raise 3219); text after the statement raises 3142. Raises the run-time error of a failure
  // (RaiseSqliteError); a failure part-way through keeps no rows.
  static RowSet Execute(sqlite3* db, const QString& sqliteSql);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  int ColumnCount() const { return static_cast<int>(names_.size()); }
  const QStringList& ColumnNames() const { return names_; }
  // The index of a column, matched without regard to case (the first of
  // equal names); -1 when none.
  int ColumnIndex(const QString& name) const;
  // The value of column `column` in row `row` (0-based), see the table above.
  // Raises 9 for a row or column outside the set.
  vb::Variant Value(int row, int column) const;

 private:
  enum class ColumnKind : uint8_t { Plain, Boolean, Integer16, Double, Date };
  static ColumnKind KindOfDeclaredType(const char* declaredType);
  struct RowStart {
    uint32_t block;   // index in blocks_
    uint32_t offset;  // where the row's first value starts in the block
  };
  void AddColumns(sqlite3_stmt* stmt);
  void AddRow(sqlite3_stmt* stmt, std::vector<uint8_t>& scratch);

  QStringList names_;
  QHash<QString, int> index_;            // case-folded name -> first column
  std::vector<ColumnKind> columnKinds_;  // declared kind of each column
  std::vector<RowStart> rows_;
  // Encoded values, row after row, in blocks that are never reallocated, so
  // that reading a large result needs no more memory than it keeps.
  std::vector<std::vector<uint8_t>> blocks_;
};

}  // namespace sqlitedb
