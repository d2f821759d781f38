#pragma once
// The rows of one SELECT, held in statement order in a compact encoded form,
// with a current row that moves in both directions. Both database layers
// build their recordsets on it.
#include "platform/vb/Variant.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct sqlite3;

namespace sqlitedb {

class RowSet {
 public:
  // Runs the (already translated) statement on `db` and keeps every row.
  // Raises the run-time error of a failure (RaiseSqliteError).
  static RowSet Execute(sqlite3* db, const QString& sqliteSql);

  int RowCount() const;
  int ColumnCount() const;
  const QStringList& ColumnNames() const { return names_; }
  // The index of a column, matched without regard to case; -1 when none.
  int ColumnIndex(const QString& name) const;
  // The value of column `column` in row `row` (0-based). SQLite NULL gives
  // Null, integers Long (or Double beyond 32 bits), reals Double, text String.
  // Columns that the Jet layer declared as dates or booleans come back as
  // Date and Boolean (declared type "DATETIME" / "BOOLEAN").
  vb::Variant Value(int row, int column) const;

 private:
  QStringList names_;
  std::vector<uint8_t> columnKinds_;   // declared kind of each column
  std::vector<uint32_t> rowStart_;     // offset of each row in data_
  std::vector<uint8_t> data_;          // encoded values, row after row
};

}  // namespace sqlitedb
