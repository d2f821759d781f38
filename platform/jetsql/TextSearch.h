#pragma once
// Finding a run of characters in a text in time linear in both, for the
// functions that search texts of any length (LIKE, InStr): the work is
// counted, so the search ends with 3360 once its statement is past the time
// limit (StatementLimits.h).
#include "platform/jetsql/StatementLimits.h"

#include <array>
#include <string_view>
#include <vector>

namespace sqlitedb {

// The position of the leftmost occurrence of `needle` in `text` (0 for an
// empty needle), or npos. Knuth-Morris-Pratt: no character of the text is
// compared more than twice, whatever the two texts hold.
template <typename Ch>
size_t FindRun(std::basic_string_view<Ch> text, std::basic_string_view<Ch> needle,
               StatementWork& work) {
  const size_t m = needle.size();
  if (m == 0) return 0;
  if (m > text.size()) return std::basic_string_view<Ch>::npos;
  // border[i]: the length of the longest proper prefix of needle[0..i] that
  // is also a suffix of it, where a mismatch after needle[0..i] goes on.
  // A short needle (some letters of a name) keeps its table on the stack.
  std::array<size_t, 16> shortBorder;
  std::vector<size_t> longBorder(m > shortBorder.size() ? m : 0);
  size_t* border = m > shortBorder.size() ? longBorder.data() : shortBorder.data();
  border[0] = 0;
  for (size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && needle[i] != needle[k]) k = border[k - 1];
    if (needle[i] == needle[k]) ++k;
    border[i] = k;
    work.Add(1);
  }
  for (size_t i = 0, k = 0; i < text.size(); ++i) {
    while (k > 0 && text[i] != needle[k]) k = border[k - 1];
    if (text[i] == needle[k] && ++k == m) return i + 1 - m;
    work.Add(1);
  }
  return std::basic_string_view<Ch>::npos;
}

}  // namespace sqlitedb
