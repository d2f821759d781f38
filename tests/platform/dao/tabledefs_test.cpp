// Table definitions from the catalog: names, attribute bits, field sizes.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"

#include <gtest/gtest.h>

using namespace daotest;

namespace {

const dao::TableDef* Find(const std::vector<dao::TableDef>& defs, const QString& name) {
  for (const dao::TableDef& d : defs)
    if (d.Name() == name) return &d;
  return nullptr;
}

TEST(TableDefsTest, ListsTablesWithFlagsAndSizesInCharacters) {
  FixtureDir dir;
  Table hidden{"Hidden", {{"X", ColumnType::Long}}, {{int32_t(1)}}, 0x80000000u};
  Table flagged{"Flagged", {{"Y", ColumnType::Text, 12}}, {}, 0x2u};
  Table versht{"VERSHT", {{"dbver", ColumnType::Text, 10}, {"dbappinfo", ColumnType::Double}}, {}};
  const QString path = dir.Write("defs.mdb", {BurialTable({}), hidden, flagged, versht});
  auto db = dao::DBEngine().OpenDatabase(path, true, true);
  const auto& defs = db->TableDefs();

  const dao::TableDef* sheet = Find(defs, "Sheet1");
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(sheet->Attributes(), 0);
  ASSERT_EQ(sheet->Fields().size(), 11u);
  EXPECT_EQ(sheet->Fields()[0].Name(), QStringLiteral("LastName"));
  EXPECT_EQ(sheet->Fields()[0].Size(), 30);  // characters, not the bytes Jet 4 stores
  EXPECT_EQ(sheet->Fields()[1].Size(), 50);
  EXPECT_EQ(sheet->Fields()[7].Size(), 4);   // Long
  EXPECT_EQ(sheet->Fields()[10].Size(), 0);  // Memo

  ASSERT_NE(Find(defs, "Hidden"), nullptr);
  EXPECT_EQ(uint32_t(Find(defs, "Hidden")->Attributes()), 0x80000000u);
  ASSERT_NE(Find(defs, "Flagged"), nullptr);
  EXPECT_EQ(Find(defs, "Flagged")->Attributes(), 2);
  EXPECT_EQ(Find(defs, "Flagged")->Fields()[0].Size(), 12);
  ASSERT_NE(Find(defs, "VERSHT"), nullptr);
  EXPECT_EQ(Find(defs, "VERSHT")->Fields()[1].Size(), 8);

  // The engine's own catalog table is listed, marked as a system object.
  const dao::TableDef* objects = Find(defs, "MSysObjects");
  ASSERT_NE(objects, nullptr);
  EXPECT_NE(uint32_t(objects->Attributes()) & 0x80000002u, 0u);

  // A flagged table is still a table that statements can read.
  auto rs = db->OpenRecordset("SELECT * FROM Hidden");
  EXPECT_EQ(rs->AbsolutePosition(), 0);
}

}  // namespace
