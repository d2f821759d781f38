// The command-line text and the folder part of a path.
#include "support/Module1.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/dao/Dao.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"
#include "tools/jetwriter/JetWriter.h"

namespace {

TEST(Module1Test, GetFolderOfPathSplitsAtTheLastBackslashOnly) {
  struct Case { const char* path; bool addSlash; const char* folder; };
  const Case cases[] = {
      {"C:\\data\\cem.mdb", true, "C:\\data\\"},
      {"C:\\data\\cem.mdb", false, "C:\\data"},
      {"C:\\data\\", true, "C:\\data\\"},
      {"C:\\data\\", false, "C:\\data"},
      {"cem.mdb", true, "\\"},
      {"cem.mdb", false, ""},
      {"", true, "\\"},
      {"", false, ""},
      {"C:\\a/b.mdb", true, "\\"},      // a "/" after the last backslash ends the scan
      {"C:/a\\b.mdb", false, "C:/a"},
      {"\\", false, ""},
      {"\\media\\cd\\go.ini", true, "\\media\\cd\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Module1::GetFolderOfPath(c.path, c.addSlash), c.folder)
        << c.path << " " << c.addSlash;
  }
}

TEST(Module1Test, GetCommandLineStrIsTheTextUnchanged) {
  win::SetCommandLineForTesting("  \"\\media\\cd\\go.ini\" ");
  EXPECT_EQ(Module1::GetCommandLineStr(), "  \"\\media\\cd\\go.ini\" ");
  win::SetCommandLineForTesting("");
  EXPECT_EQ(Module1::GetCommandLineStr(), "");
}

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
