// The null-safe field reader over a Jet recordset.
#include "support/jetfields/Module1JetFields.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/dao/Dao.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"
#include "tools/jetwriter/JetWriter.h"

namespace {

// Null becomes the empty text; every other value comes back as it is.
TEST(Module1Test, GetFieldValueGivesTheEmptyTextForNullOnly) {
  using jetwriter::ColumnType;
  QTemporaryDir dir;
  const QString path = dir.filePath("fields.mdb");
  jetwriter::WriteMdb(path, {{"VERSHT",
                              {{"dbver", ColumnType::Text, 10},
                               {"Count", ColumnType::Long},
                               {"Notes", ColumnType::Memo}},
                              {{vb::Variant::Null(), int32_t{0}, " "}}}});
  auto db = dao::DBEngine().OpenDatabase(win::ToWindowsPath(path), true, true);
  auto rs = db->OpenRecordset("SELECT * FROM VERSHT");
  EXPECT_EQ(Module1::GetFieldValue("dbver", *rs), vb::Variant(""));
  EXPECT_EQ(Module1::GetFieldValue("COUNT", *rs), vb::Variant(int32_t{0}));  // a number, not ""
  EXPECT_EQ(Module1::GetFieldValue("Notes", *rs), vb::Variant(" "));
  try {
    Module1::GetFieldValue("Missing", *rs);
    ADD_FAILURE() << "no error for a missing column";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::ItemNotFound);
  }
}

}  // namespace
