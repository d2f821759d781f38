#pragma once
// Writes Jet 4 (.mdb) database files that libmdb reads back: the tables our
// tests, the demo CD and the benchmark need.
//
// Every file has the catalog MSysObjects (a system table at page 2) with one
// entry per table (Id = the table's definition page, Name, Type 1, Flags),
// then the tables in the order given, rows in the order given, no indexes.
// Texts are stored as UCS-2. Memo values up to 128 bytes (64 characters)
// stay in the row, longer ones go to long-value pages (up to 16 MB).
#include "platform/vb/Variant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

enum class ColumnType { Boolean, Byte, Integer, Long, Double, DateTime, Text, Memo };

struct Column {
  QString name;  // 1 to 64 characters, unique in the table (without regard to case)
  ColumnType type = ColumnType::Text;
  int textSize = 50;  // characters (1 to 255), for Text columns; stored as 2 bytes each
};

struct Table {
  QString name;  // 1 to 64 characters, unique in the file; "MSysObjects" is taken
  std::vector<Column> columns;  // 1 to 255
  // One Variant per column: Null, a number, a text (Text/Memo), a bool, or a
  // vb::DateValue for DateTime columns.
  //  - Null and Empty store Null; a Boolean cannot be Null and stores False.
  //  - Byte, Integer, Long take any numeric Variant with a whole value in
  //    range (0..255, 16 bits, 32 bits); Double and DateTime any numeric one
  //    (a DateTime a DateValue or a plain serial); Boolean a bool or a number
  //    (non-zero is True). Texts are not converted to numbers.
  //  - Text and Memo take texts only; a Text at most textSize characters.
  std::vector<std::vector<vb::Variant>> rows;
  // The catalog entry's flags (MSysObjects.Flags): 0 for a user table;
  // e.g. 0x80000000 or 0x2 to mark a system object.
  uint32_t catalogFlags = 0;
};

// Writes the file, replacing an existing one; throws std::runtime_error on
// failure (an unusable definition or value, naming table, row and column; a
// row larger than a page, about 4 KB; or the file not written).
void WriteMdb(const QString& nativePath, const std::vector<Table>& tables);

}  // namespace jetwriter
