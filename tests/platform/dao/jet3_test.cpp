// Jet 3 (Access 97) files: 8-bit texts in the code page the file's header
// names, read through the whole Jet layer.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace daotest;
using vb::DateValue;
using vb::Variant;

namespace {

const Variant N = Variant::Null();

QString Repeated(const QString& piece, int length) {
  QString s;
  while (s.size() < length) s += piece;
  return s.left(length);
}

// A table, a column and texts that only this code page holds.
struct CodePageSample {
  int codePage;
  QString table, column, text;
};

const CodePageSample kSamples[] = {
    {1252, "Gräber", "Straße", "Zoë Müller é ü ß ø"},
    {1250, "Hřbitov", "Příjmení", "Dvořák č ř ő ű"},
};

const dao::TableDef* Find(const std::vector<dao::TableDef>& defs, const QString& name) {
  for (const dao::TableDef& d : defs)
    if (d.Name() == name) return &d;
  return nullptr;
}

class Jet3Test : public ::testing::TestWithParam<CodePageSample> {
 protected:
  // The file's own code page decides, not a setting of the reading library.
  void SetUp() override {
    setenv("MDB_JET3_CHARSET", "CP437", 1);
    setenv("MDBICONV", "ISO-8859-1", 1);
  }
  void TearDown() override {
    unsetenv("MDB_JET3_CHARSET");
    unsetenv("MDBICONV");
  }

  QString Memo() const { return Repeated(GetParam().text + "\r\n", 7000); }  // a chain of pages

  QString WriteFile() {
    const CodePageSample& s = GetParam();
    Table t{s.table,
            {{"Id", ColumnType::Long},
             {s.column, ColumnType::Text, 20},
             {"Born", ColumnType::DateTime},
             {"Notes", ColumnType::Memo},
             {"Veteran", ColumnType::Boolean}},
            {{int32_t(1), s.text, DateValue{-3000.5}, s.text, true},
             {int32_t(2), "", DateValue{-36522.25}, "", false},
             {int32_t(3), N, N, N, false},
             {int32_t(4), s.text.left(5), DateValue{2.0}, Memo(), true}}};
    return dir_.Write("jet3.mdb", {t}, {jetwriter::JetVersion::Jet3, s.codePage});
  }

  FixtureDir dir_;
};

TEST_P(Jet3Test, TextsDatesAndNullsReadAsWritten) {
  const CodePageSample& s = GetParam();
  auto db = dao::DBEngine().OpenDatabase(WriteFile(), true, true);
  auto rs = db->OpenRecordset("SELECT * FROM [" + s.table + "] ORDER BY Id");
  ASSERT_EQ(rs->RecordCount(), 4);
  const std::vector<std::vector<Variant>> expected = {
      {int32_t(1), s.text, DateValue{-3000.5}, s.text, true},
      {int32_t(2), "", DateValue{-36522.25}, "", false},  // empty texts stay texts
      {int32_t(3), N, N, N, false},
      {int32_t(4), s.text.left(5), DateValue{2.0}, Memo(), true}};
  const QString names[] = {"Id", s.column, "Born", "Notes", "Veteran"};
  for (const auto& row : expected) {
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(rs->Fields()(names[c]).Value(), row[c]) << names[c].toStdString() << " of row "
                                                        << row[0].AsLong();
    rs->MoveNext();
  }
  EXPECT_TRUE(rs->EOF_());

  // The decoded text is what statements compare with.
  auto found = db->OpenRecordset("SELECT Id FROM [" + s.table + "] WHERE [" + s.column +
                                 "] = '" + s.text + "'");
  ASSERT_EQ(found->RecordCount(), 1);
  EXPECT_EQ(found->Fields()("Id").Value(), Variant(int32_t(1)));
}

TEST_P(Jet3Test, TableDefsGiveNamesAndTextSizesInCharacters) {
  const CodePageSample& s = GetParam();
  auto db = dao::DBEngine().OpenDatabase(WriteFile(), true, true);
  const dao::TableDef* table = Find(db->TableDefs(), s.table);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->Attributes(), 0);
  ASSERT_EQ(table->Fields().size(), 5u);
  const int sizes[] = {4, 20, 8, 0, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(table->Fields()[i].Size(), sizes[i]) << i;
  EXPECT_EQ(table->Fields()[1].Name(), s.column);
  const dao::TableDef* objects = Find(db->TableDefs(), "MSysObjects");
  ASSERT_NE(objects, nullptr);
  EXPECT_NE(uint32_t(objects->Attributes()) & 0x80000002u, 0u);
}

INSTANTIATE_TEST_SUITE_P(CodePages, Jet3Test, ::testing::ValuesIn(kSamples),
                         [](const auto& info) {
                           return "CP" + std::to_string(info.param.codePage);
                         });

}  // namespace
