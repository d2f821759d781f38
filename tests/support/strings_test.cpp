// Text replacement.
#include "support/Strings.h"

#include <gtest/gtest.h>

#include "platform/vb/VbError.h"

namespace {

using Strings::Compare;
using Strings::ReplaceStr;

TEST(StringsTest, ReplaceStr) {
  struct Case { const char* source; const char* find; const char* with; int start; int count;
                Compare compare; const char* result; };
  const Case cases[] = {
      {"O'Brien's", "'", "''", 1, -1, Compare::Binary, "O''Brien''s"},
      {"O'Brien's", "'", "''", 1, 1, Compare::Binary, "O''Brien's"},
      {"O'Brien's", "'", "''", 3, -1, Compare::Binary, "Brien''s"},
      {"O'Brien's", "'", "''", 1, 0, Compare::Binary, "O''Brien''s"},  // 0 means every one
      {"O'Brien's", "'", "''", 0, -1, Compare::Binary, "O''Brien''s"}, // below 1 is 1
      {"O'Brien's", "'", "''", -4, 1, Compare::Binary, "O''Brien's"},
      {"aaa", "a", "aa", 1, -1, Compare::Binary, "aaaaaa"},          // replaced text not searched
      {"abcabc", "b", "X", 1, -1, Compare::Binary, "aXcaXc"},       // same length, in place
      {"abcabc", "b", "", 1, -1, Compare::Binary, "acac"},
      {"abcabc", "bc", "YZ", 2, 1, Compare::Binary, "YZabc"},
      {"FieldA fielda", "fielda", "Label", 1, -1, Compare::Binary, "FieldA Label"},
      {"FieldA fielda", "fielda", "Label", 1, -1, Compare::Text, "Label Label"},
      {"abc", "x", "y", 1, -1, Compare::Binary, "abc"},
      {"abc", "b", "y", 9, -1, Compare::Binary, ""},                  // start beyond the end
      {"", "b", "y", 1, -1, Compare::Binary, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceStr(c.source, c.find, c.with, c.start, c.count, c.compare), c.result)
        << c.source << " " << c.find << " " << c.start << " " << c.count;
  }
  EXPECT_EQ(ReplaceStr("O'Brien's", "'", "''"), "O''Brien''s");  // defaults
}

TEST(StringsTest, EmptyFindRaisesError5) {
  try {
    ReplaceStr("abc", "", "x");
    FAIL() << "no error raised";
  } catch (const vb::VbError& error) {
    EXPECT_EQ(error.Number(), vb::err::InvalidProcedureCall);
  }
}

}  // namespace
