#include "tools/jetwriter/JetWriter.h"

#include "tools/jetwriter/FileHeader.h"
#include "tools/jetwriter/Format.h"
#include "tools/jetwriter/LongValues.h"
#include "tools/jetwriter/Pages.h"
#include "tools/jetwriter/RowEncoder.h"
#include "tools/jetwriter/TableDefinition.h"
#include "tools/jetwriter/Text.h"
#include "tools/jetwriter/UsageMap.h"

#include <QSet>
#include <stdexcept>

namespace jetwriter {

namespace {

constexpr uint32_t kCatalogPage = 2;  // where readers look for MSysObjects
constexpr uint32_t kMapPage = 1;
constexpr int32_t kTablesContainerId = 0x0F000001;
constexpr int16_t kTableObjectType = 1;
constexpr uint32_t kCatalogFlags = 0x80000002;
const QString kCatalogName = QStringLiteral("MSysObjects");

// A table on its way into the file: layout, rows and the pages it got.
struct PlacedTable {
  TableLayout layout;
  const std::vector<std::vector<vb::Variant>>* rows = nullptr;
  uint32_t flags = 0;
  std::vector<uint32_t> definitionPages;
  std::vector<uint32_t> dataPages;
};

// A file on its way out: its format, text encoding and pages.
struct FileUnderWay {
  explicit FileUnderWay(const WriteOptions& options)
      : format(FormatFor(options)), text(format), pages(format.pageSize) {}
  const Format format;
  const TextEncoder text;
  PageFile pages;
};

TableLayout CatalogLayout(const FileUnderWay& out) {
  return LayOut(kCatalogName, {{"Id", kLongCode},
                               {"ParentId", kLongCode},
                               {"Name", kTextCode, 128},
                               {"Type", kIntegerCode},
                               {"DateCreate", kDateTimeCode},
                               {"DateUpdate", kDateTimeCode},
                               {"Flags", kLongCode},
                               {"Connect", kMemoCode},
                               {"Database", kMemoCode},
                               {"ForeignName", kTextCode, 128},
                               {"LvProp", kOleCode}},
                out.format, out.text);
}

std::vector<vb::Variant> CatalogRow(const PlacedTable& t) {
  vb::Variant null = vb::Variant::Null();
  return {int32_t(t.definitionPages.front()), kTablesContainerId, t.layout.name,
          kTableObjectType, null, null, int32_t(t.flags), null, null, null, null};
}

void CheckTableNames(const std::vector<Table>& tables) {
  QSet<QString> seen = {kCatalogName.toCaseFolded()};
  for (const Table& t : tables) {
    QString key = t.name.toCaseFolded();
    if (seen.contains(key))
      throw std::runtime_error(("table name \"" + t.name + "\" is used twice or reserved")
                                   .toStdString());
    seen.insert(key);
  }
}

void ReserveDefinitionPages(FileUnderWay& out, PlacedTable& t) {
  size_t size = DefinitionBytes(t.layout, {}, out.format).size();
  for (uint32_t i = DefinitionPagesNeeded(size, out.format.pageSize); i > 0; --i)
    t.definitionPages.push_back(out.pages.Allocate());
}

void WriteRows(FileUnderWay& out, LongValueStore& longValues, PlacedTable& t) {
  RowPageWriter pages(out.pages, out.format, t.definitionPages.front());
  RowEncoder encoder(t.layout, out.format, out.text, longValues);
  size_t number = 0;
  for (const std::vector<vb::Variant>& row : *t.rows) {
    ++number;
    try {
      pages.Add(encoder.Encode(row));
    } catch (const std::exception& e) {
      throw std::runtime_error("table \"" + t.layout.name.toStdString() + "\", row " +
                               std::to_string(number) + ": " + e.what());
    }
  }
  t.dataPages = pages.Pages();
}

void WriteDefinitionOf(FileUnderWay& out, RowPageWriter& maps, const PlacedTable& t) {
  DefinitionCounts counts;
  counts.rows = uint32_t(t.rows->size());
  counts.usageMap = maps.Add(UsageMapRow(out.pages, out.format, t.dataPages));
  counts.freeMap = maps.Add(UsageMapRow(out.pages, out.format, {}));  // none kept for inserts
  counts.system = (t.flags & kCatalogFlags) != 0;
  WriteDefinition(out.pages, out.format, t.definitionPages,
                  DefinitionBytes(t.layout, counts, out.format));
}

}  // namespace

void WriteMdb(const QString& nativePath, const std::vector<Table>& tables,
              const WriteOptions& options) {
  CheckTableNames(tables);
  FileUnderWay out(options);
  WriteFileHeader(out.pages.Page(out.pages.Allocate()), out.format);
  out.pages.Allocate();  // page 1: usage maps

  std::vector<std::vector<vb::Variant>> catalogRows;
  std::vector<PlacedTable> placed(1);
  placed[0].layout = CatalogLayout(out);
  placed[0].rows = &catalogRows;
  placed[0].flags = kCatalogFlags;
  for (const Table& t : tables) {
    std::vector<ColumnSpec> specs;
    for (const Column& c : t.columns) specs.push_back(SpecOf(c));
    placed.push_back(
        {LayOut(t.name, specs, out.format, out.text), &t.rows, t.catalogFlags, {}, {}});
  }
  for (PlacedTable& t : placed) ReserveDefinitionPages(out, t);
  if (placed[0].definitionPages.front() != kCatalogPage)
    throw std::logic_error("catalog definition misplaced");

  for (const PlacedTable& t : placed) catalogRows.push_back(CatalogRow(t));
  LongValueStore longValues(out.pages, out.format);
  for (size_t i = 1; i < placed.size(); ++i) WriteRows(out, longValues, placed[i]);
  WriteRows(out, longValues, placed[0]);

  RowPageWriter maps(out.pages, out.format, 0, kMapPage);
  for (const PlacedTable& t : placed) WriteDefinitionOf(out, maps, t);
  out.pages.Save(nativePath);
}

void WriteMdb(const QString& nativePath, const std::vector<Table>& tables) {
  WriteMdb(nativePath, tables, WriteOptions{});
}

}  // namespace jetwriter
