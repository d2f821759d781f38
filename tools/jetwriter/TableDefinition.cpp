#include "tools/jetwriter/TableDefinition.h"

#include <QSet>
#include <stdexcept>

namespace jetwriter {

namespace {
constexpr size_t kContinuationHeader = 8;
constexpr int kMaxNameLength = 64;
constexpr int kMaxTextChars = 255;
constexpr size_t kMaxColumns = 255;
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr uint8_t kFixedFlag = 0x01;
constexpr uint8_t kNullableFlag = 0x02;
// Jet 3 row offsets are one byte plus a jump table that can step over only
// one 256-byte boundary per column: the first text must start below 512.
constexpr size_t kJet3MaxFixedWithTexts = 510;

// Where the two formats keep a table definition's fields.
struct DefinitionPlaces {
  size_t rows, tableType, maxColumns, varColumns, columns, usageMap, freeMap, columnsStart;
  size_t entrySize;
};
constexpr DefinitionPlaces kJet4Places = {16, 40, 41, 43, 45, 55, 59, 63, 25};
constexpr DefinitionPlaces kJet3Places = {12, 20, 21, 23, 25, 35, 39, 43, 18};

const DefinitionPlaces& PlacesOf(const Format& format) {
  return format.IsJet3() ? kJet3Places : kJet4Places;
}

uint16_t FixedSize(TypeCode type) {
  switch (type) {
    case kBooleanCode: return 0;  // the value lives in the null mask
    case kByteCode: return 1;
    case kIntegerCode: return 2;
    case kLongCode: return 4;
    case kDoubleCode:
    case kDateTimeCode: return 8;
    default: return 0;
  }
}

bool IsFixed(TypeCode type) { return type != kTextCode && type != kMemoCode && type != kOleCode; }
bool IsTextual(TypeCode type) { return type == kTextCode || type == kMemoCode; }

[[noreturn]] void Refuse(const QString& what) { throw std::runtime_error(what.toStdString()); }

std::vector<uint8_t> StoredName(const QString& name, const QString& what, const TextEncoder& text) {
  if (name.isEmpty() || name.size() > kMaxNameLength)
    Refuse(what + " name \"" + name + "\" must have 1 to 64 characters");
  try {
    return text.Name(name);
  } catch (const std::runtime_error& e) {
    Refuse(what + " name \"" + name + "\": " + e.what());
  }
}

// Jet 4: type, 4 unknown, number, variable index, number, sort order (2+2),
// flags, compression flags, 4 unknown, fixed offset, size.
void AppendJet4Entry(std::vector<uint8_t>& out, const ColumnLayout& c, uint16_t number) {
  uint8_t e[25] = {};
  e[0] = c.type;
  PutU16(e + 5, number);
  PutU16(e + 7, c.fixed ? 0 : c.varIndex);
  PutU16(e + 9, number);
  if (IsTextual(c.type)) PutU16(e + 11, kGeneralSortOrder);
  e[15] = uint8_t((c.fixed ? kFixedFlag : 0) | kNullableFlag);
  PutU16(e + 21, c.fixed ? c.fixedOffset : 0);
  PutU16(e + 23, c.size);
  out.insert(out.end(), e, e + sizeof e);
}

// Jet 3: type, number, variable index, number, sort order, code page, 2
// unknown, flags, fixed offset, size.
void AppendJet3Entry(std::vector<uint8_t>& out, const ColumnLayout& c, uint16_t number,
                     int codePage) {
  uint8_t e[18] = {};
  e[0] = c.type;
  PutU16(e + 1, number);
  PutU16(e + 3, c.fixed ? 0 : c.varIndex);
  PutU16(e + 5, number);
  if (IsTextual(c.type)) {
    PutU16(e + 7, kGeneralSortOrder);
    PutU16(e + 9, uint32_t(codePage));
  }
  e[13] = uint8_t((c.fixed ? kFixedFlag : 0) | kNullableFlag);
  PutU16(e + 14, c.fixed ? c.fixedOffset : 0);
  PutU16(e + 16, c.size);
  out.insert(out.end(), e, e + sizeof e);
}

void AppendName(std::vector<uint8_t>& out, const ColumnLayout& c, const Format& format) {
  if (format.IsJet3()) out.push_back(uint8_t(c.storedName.size()));
  else AppendU16(out, uint32_t(c.storedName.size()));
  out.insert(out.end(), c.storedName.begin(), c.storedName.end());
}

ColumnLayout PlaceColumn(const ColumnSpec& spec, const Format& format, const TextEncoder& text,
                         TableLayout& layout) {
  ColumnLayout c;
  c.name = spec.name;
  c.storedName = StoredName(spec.name, "column", text);
  c.type = spec.type;
  c.fixed = IsFixed(spec.type);
  if (c.fixed) {
    c.fixedOffset = layout.fixedSize;
    c.size = FixedSize(spec.type);
    layout.fixedSize = uint16_t(layout.fixedSize + c.size);
    return c;
  }
  c.varIndex = layout.varCount++;
  if (spec.type == kTextCode) {
    if (spec.textChars < 1 || spec.textChars > kMaxTextChars)
      Refuse("text column \"" + spec.name + "\" must hold 1 to 255 characters");
    c.textChars = spec.textChars;
    c.size = uint16_t(format.IsJet3() ? spec.textChars : 2 * spec.textChars);
  }
  return c;
}
}  // namespace

ColumnSpec SpecOf(const Column& column) {
  static const TypeCode codes[] = {kBooleanCode, kByteCode,     kIntegerCode, kLongCode,
                                   kDoubleCode,  kDateTimeCode, kTextCode,    kMemoCode};
  return {column.name, codes[int(column.type)], column.textSize};
}

TableLayout LayOut(const QString& tableName, const std::vector<ColumnSpec>& columns,
                   const Format& format, const TextEncoder& text) {
  StoredName(tableName, "table", text);
  if (columns.empty() || columns.size() > kMaxColumns)
    Refuse("table \"" + tableName + "\" must have 1 to 255 columns");
  TableLayout layout;
  layout.name = tableName;
  QSet<QString> seen;
  for (const ColumnSpec& spec : columns) {
    QString key = spec.name.toCaseFolded();
    if (seen.contains(key))
      Refuse("table \"" + tableName + "\" has two columns named \"" + spec.name + "\"");
    seen.insert(key);
    layout.columns.push_back(PlaceColumn(spec, format, text, layout));
  }
  if (format.IsJet3() && layout.varCount > 0 && layout.fixedSize > kJet3MaxFixedWithTexts)
    Refuse("table \"" + tableName + "\": in Jet 3 its fixed-size columns may take at most 510 "
           "bytes beside texts and memos");
  return layout;
}

std::vector<uint8_t> DefinitionBytes(const TableLayout& layout, const DefinitionCounts& counts,
                                     const Format& format) {
  const DefinitionPlaces& at = PlacesOf(format);
  std::vector<uint8_t> out(at.columnsStart, 0);
  uint8_t* h = out.data();
  h[0] = 0x02;  // table definition page
  h[1] = 0x01;
  PutU32(h + at.rows, counts.rows);
  h[at.tableType] = counts.system ? 0x53 : 0x4E;
  uint16_t count = uint16_t(layout.columns.size());
  PutU16(h + at.maxColumns, count);  // most columns a row has
  PutU16(h + at.varColumns, layout.varCount);
  PutU16(h + at.columns, count);
  // no indexes: logical and real index counts stay 0
  PutU32(h + at.usageMap, counts.usageMap);
  PutU32(h + at.freeMap, counts.freeMap);
  for (size_t i = 0; i < layout.columns.size(); ++i) {
    if (format.IsJet3()) AppendJet3Entry(out, layout.columns[i], uint16_t(i), format.codePage);
    else AppendJet4Entry(out, layout.columns[i], uint16_t(i));
  }
  for (const ColumnLayout& c : layout.columns) AppendName(out, c, format);
  AppendU16(out, 0xFFFF);  // end of the (empty) list of per-column usage maps
  PutU32(out.data() + 8, uint32_t(out.size()));
  return out;
}

uint32_t DefinitionPagesNeeded(size_t definitionSize, size_t pageSize) {
  if (definitionSize <= pageSize) return 1;
  size_t rest = definitionSize - pageSize;
  size_t perPage = pageSize - kContinuationHeader;
  return uint32_t(1 + (rest + perPage - 1) / perPage);
}

void WriteDefinition(PageFile& file, const Format& format, const std::vector<uint32_t>& pages,
                     const std::vector<uint8_t>& definition) {
  const size_t pageSize = file.PageSize();
  size_t pos = 0;
  for (size_t i = 0; i < pages.size(); ++i) {
    uint8_t* p = file.Page(pages[i]);
    size_t start = i == 0 ? 0 : kContinuationHeader;
    size_t n = std::min(pageSize - start, definition.size() - pos);
    std::copy(definition.begin() + pos, definition.begin() + pos + n, p + start);
    pos += n;
    p[0] = 0x02;
    p[1] = 0x01;
    if (format.IsJet3()) {
      p[2] = 'V';
      p[3] = 'C';
    } else {
      PutU16(p + 2, uint32_t(pageSize - start - n));  // free space
    }
    PutU32(p + 4, i + 1 < pages.size() ? pages[i + 1] : 0);
  }
}

}  // namespace jetwriter
