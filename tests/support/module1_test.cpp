// The command-line text and the folder part of a path.
#include "support/Module1.h"

#include <gtest/gtest.h>

#include "platform/win/Win.h"

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

}  // namespace
