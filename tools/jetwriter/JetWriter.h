#pragma once
// Writes Jet 4 (Access 2000) or Jet 3 (Access 97) .mdb database files that
// libmdb reads back: the tables our tests, the demo CD and the benchmark need.
//
// Every file has the catalog MSysObjects (a system table at page 2) with one
// entry per table (Id = the table's definition page, Name, Type 1, Flags),
// then the tables in the order given, rows in the order given, no indexes.
// Jet 4 files have 4 KB pages and store texts as UCS-2 (2 bytes a
// character). Jet 3 files have 2 KB pages and store texts, table and column
// names in the single-byte code page named in the file's header (1 byte a
// character); a character that code page lacks is refused. Memo values up to
// 128 bytes (64 characters in Jet 4, 128 in Jet 3) stay in the row, longer
// ones go to long-value pages (up to 16 MB).
#include "platform/vb/Variant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

enum class JetVersion { Jet3, Jet4 };

struct WriteOptions {
  JetVersion version = JetVersion::Jet4;
  // The header's code page (1 to 65535): a Windows code page number. Jet 3
  // texts are stored in it, so there it must be a single-byte code page the
  // system's iconv knows (874, 1250 to 1258, 437, 850, ...); Jet 4 only
  // records it.
  int codePage = 1252;
};

enum class ColumnType { Boolean, Byte, Integer, Long, Double, DateTime, Text, Memo };

struct Column {
  QString name;  // 1 to 64 characters, unique in the table (without regard to case)
  ColumnType type = ColumnType::Text;
  // Characters (1 to 255), for Text columns; Jet 4 stores 2 bytes each,
  // Jet 3 one.
  int textSize = 50;
};

struct Table {
  QString name;  // 1 to 64 characters, unique in the file; "MSysObjects" is taken
  // 1 to 255. In Jet 3 the fixed-size columns (all but Text and Memo) of a
  // table that also has Text or Memo columns take at most 510 bytes: a row's
  // one-byte offsets cannot reach further with the readers' jump tables.
  std::vector<Column> columns;
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
// failure (an unusable code page, definition or value, naming table, row and
// column; a row larger than a page, about 4 KB in Jet 4 and 2 KB in Jet 3;
// or the file not written). The two-argument form writes Jet 4.
void WriteMdb(const QString& nativePath, const std::vector<Table>& tables,
              const WriteOptions& options);
void WriteMdb(const QString& nativePath, const std::vector<Table>& tables);

}  // namespace jetwriter
