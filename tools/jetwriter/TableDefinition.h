#pragma once
// A table's column layout and its table definition (TDEF) pages.
#include "tools/jetwriter/JetWriter.h"
#include "tools/jetwriter/Pages.h"
#include "tools/jetwriter/Text.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

// Column type codes of the file format.
enum TypeCode : uint8_t {
  kBooleanCode = 0x01,
  kByteCode = 0x02,
  kIntegerCode = 0x03,
  kLongCode = 0x04,
  kDoubleCode = 0x07,
  kDateTimeCode = 0x08,
  kTextCode = 0x0A,
  kOleCode = 0x0B,  // long binary; only the catalog's (always Null) LvProp
  kMemoCode = 0x0C,
};

struct ColumnLayout {
  QString name;
  std::vector<uint8_t> storedName;  // as the table definition holds it
  TypeCode type = kTextCode;
  int textChars = 0;          // Text only
  bool fixed = false;         // stored in the row's fixed part
  uint16_t fixedOffset = 0;   // fixed columns: offset after the column count
  uint16_t varIndex = 0;      // variable columns: index in the offset table
  uint16_t size = 0;          // bytes (Text: 2 per character in Jet 4, 1 in Jet 3; Memo/OLE: 0)
};

struct TableLayout {
  QString name;
  std::vector<ColumnLayout> columns;
  uint16_t fixedSize = 0;     // bytes of the fixed part
  uint16_t varCount = 0;      // variable-length columns
};

struct ColumnSpec {
  QString name;
  TypeCode type;
  int textChars = 0;
};

// Validates names and sizes and places every column; throws
// std::runtime_error on an unusable definition.
TableLayout LayOut(const QString& tableName, const std::vector<ColumnSpec>& columns,
                   const Format& format, const TextEncoder& text);
ColumnSpec SpecOf(const Column& column);

struct DefinitionCounts {
  uint32_t rows = 0;
  uint32_t usageMap = 0;  // row address of the usage map
  uint32_t freeMap = 0;   // row address of the free-space map
  bool system = false;
};

// The definition as one stream: the first page's bytes from offset 0, then
// each continuation page's bytes from offset 8.
std::vector<uint8_t> DefinitionBytes(const TableLayout& layout, const DefinitionCounts& counts,
                                     const Format& format);
uint32_t DefinitionPagesNeeded(size_t definitionSize, size_t pageSize);
// Spreads the stream over the given (allocated) pages, chained by next-page.
void WriteDefinition(PageFile& file, const Format& format, const std::vector<uint32_t>& pages,
                     const std::vector<uint8_t>& definition);

}  // namespace jetwriter
