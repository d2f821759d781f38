#pragma once
// Writes Jet 4 (.mdb) database files that libmdb reads back: the tables our
// tests, the demo CD and the benchmark need.
#include "platform/vb/Variant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

enum class ColumnType { Boolean, Byte, Integer, Long, Double, DateTime, Text, Memo };

struct Column {
  QString name;
  ColumnType type = ColumnType::Text;
  int textSize = 50;  // characters, for Text columns
};

struct Table {
  QString name;
  std::vector<Column> columns;
  // One Variant per column: Null, a number, a text (Text/Memo), a bool, or a
  // vb::DateValue for DateTime columns.
  std::vector<std::vector<vb::Variant>> rows;
  // The catalog entry's flags (MSysObjects.Flags): 0 for a user table;
  // e.g. 0x80000000 or 0x2 to mark a system object.
  uint32_t catalogFlags = 0;
};

// Writes the file, replacing an existing one; throws std::runtime_error on
// failure.
void WriteMdb(const QString& nativePath, const std::vector<Table>& tables);

}  // namespace jetwriter
