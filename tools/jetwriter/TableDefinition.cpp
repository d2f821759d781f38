#include "tools/jetwriter/TableDefinition.h"

#include <QSet>
#include <stdexcept>

namespace jetwriter {

namespace {
constexpr size_t kColumnsStart = 63;
constexpr size_t kColumnEntrySize = 25;
constexpr size_t kContinuationHeader = 8;
constexpr int kMaxNameLength = 64;
constexpr int kMaxTextChars = 255;
constexpr size_t kMaxColumns = 255;
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr uint8_t kFixedFlag = 0x01;
constexpr uint8_t kNullableFlag = 0x02;

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

void CheckName(const QString& name, const QString& what) {
  if (name.isEmpty() || name.size() > kMaxNameLength)
    throw std::runtime_error((what + " name \"" + name + "\" must have 1 to 64 characters")
                                 .toStdString());
}

void AppendColumnEntry(std::vector<uint8_t>& out, const ColumnLayout& c, uint16_t number) {
  uint8_t e[kColumnEntrySize] = {};
  e[0] = c.type;
  PutU16(e + 5, number);
  PutU16(e + 7, c.fixed ? 0 : c.varIndex);
  PutU16(e + 9, number);
  if (c.type == kTextCode || c.type == kMemoCode) PutU16(e + 11, kGeneralSortOrder);
  e[15] = uint8_t((c.fixed ? kFixedFlag : 0) | kNullableFlag);
  PutU16(e + 21, c.fixed ? c.fixedOffset : 0);
  PutU16(e + 23, c.size);
  out.insert(out.end(), e, e + kColumnEntrySize);
}
}  // namespace

ColumnSpec SpecOf(const Column& column) {
  static const TypeCode codes[] = {kBooleanCode, kByteCode,     kIntegerCode, kLongCode,
                                   kDoubleCode,  kDateTimeCode, kTextCode,    kMemoCode};
  return {column.name, codes[int(column.type)], column.textSize};
}

TableLayout LayOut(const QString& tableName, const std::vector<ColumnSpec>& columns) {
  CheckName(tableName, "table");
  if (columns.empty() || columns.size() > kMaxColumns)
    throw std::runtime_error(("table \"" + tableName + "\" must have 1 to 255 columns").toStdString());
  TableLayout layout;
  layout.name = tableName;
  QSet<QString> seen;
  for (const ColumnSpec& spec : columns) {
    CheckName(spec.name, "column");
    QString key = spec.name.toCaseFolded();
    if (seen.contains(key))
      throw std::runtime_error(("table \"" + tableName + "\" has two columns named \"" +
                                spec.name + "\"").toStdString());
    seen.insert(key);
    ColumnLayout c;
    c.name = spec.name;
    c.type = spec.type;
    c.fixed = IsFixed(spec.type);
    if (c.fixed) {
      c.fixedOffset = layout.fixedSize;
      c.size = FixedSize(spec.type);
      layout.fixedSize = uint16_t(layout.fixedSize + c.size);
    } else {
      c.varIndex = layout.varCount++;
      if (spec.type == kTextCode) {
        if (spec.textChars < 1 || spec.textChars > kMaxTextChars)
          throw std::runtime_error(("text column \"" + spec.name +
                                    "\" must hold 1 to 255 characters").toStdString());
        c.textChars = spec.textChars;
        c.size = uint16_t(2 * spec.textChars);
      }
    }
    layout.columns.push_back(c);
  }
  return layout;
}

std::vector<uint8_t> DefinitionBytes(const TableLayout& layout, const DefinitionCounts& counts) {
  std::vector<uint8_t> out(kColumnsStart, 0);
  uint8_t* h = out.data();
  h[0] = 0x02;  // table definition page
  h[1] = 0x01;
  PutU32(h + 16, counts.rows);
  h[40] = counts.system ? 0x53 : 0x4E;
  uint16_t count = uint16_t(layout.columns.size());
  PutU16(h + 41, count);  // most columns a row has
  PutU16(h + 43, layout.varCount);
  PutU16(h + 45, count);
  // no indexes: logical and real index counts stay 0
  PutU32(h + 55, counts.usageMap);
  PutU32(h + 59, counts.freeMap);
  for (size_t i = 0; i < layout.columns.size(); ++i)
    AppendColumnEntry(out, layout.columns[i], uint16_t(i));
  for (const ColumnLayout& c : layout.columns) {
    AppendU16(out, uint32_t(2 * c.name.size()));
    AppendUcs2(out, c.name);
  }
  AppendU16(out, 0xFFFF);  // end of the (empty) list of per-column usage maps
  PutU32(out.data() + 8, uint32_t(out.size()));
  return out;
}

uint32_t DefinitionPagesNeeded(size_t definitionSize) {
  if (definitionSize <= kPageSize) return 1;
  size_t rest = definitionSize - kPageSize;
  size_t perPage = kPageSize - kContinuationHeader;
  return uint32_t(1 + (rest + perPage - 1) / perPage);
}

void WriteDefinition(PageFile& file, const std::vector<uint32_t>& pages,
                     const std::vector<uint8_t>& definition) {
  size_t pos = 0;
  for (size_t i = 0; i < pages.size(); ++i) {
    uint8_t* p = file.Page(pages[i]);
    size_t start = i == 0 ? 0 : kContinuationHeader;
    size_t n = std::min(kPageSize - start, definition.size() - pos);
    std::copy(definition.begin() + pos, definition.begin() + pos + n, p + start);
    pos += n;
    p[0] = 0x02;
    p[1] = 0x01;
    PutU16(p + 2, uint32_t(kPageSize - start - n));  // free space
    PutU32(p + 4, i + 1 < pages.size() ? pages[i + 1] : 0);
  }
}

}  // namespace jetwriter
