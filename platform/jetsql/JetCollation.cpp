// Jet's general sort order for text.
#include "platform/jetsql/JetCollation.h"

#include "platform/jetsql/DbText.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/vb/VbError.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace sqlitedb {

namespace {

// Characters below this have their letters in a table; above it a
// character is its own letter, case-folded.
constexpr char32_t kTableEnd = 0x2500;

// The letters a character sorts by: none (a combining accent), one or two.
struct Letters {
  char16_t first = 0;
  char16_t second = 0;
};

// Letters that are no accented form of another in Unicode but sort with
// a base letter (or two).
Letters SpecialLetters(char32_t c) {
  switch (c) {
    case U'Æ': case U'æ': return {u'a', u'e'};
    case U'Œ': case U'œ': return {u'o', u'e'};
    case U'ß': return {u's', u's'};
    case U'Þ': case U'þ': return {u't', u'h'};
    case U'Ø': case U'ø': case U'Ǿ': case U'ǿ': return {u'o', 0};
    case U'Đ': case U'đ': case U'Ð': case U'ð': return {u'd', 0};
    case U'Ł': case U'ł': return {u'l', 0};
    case U'Ħ': case U'ħ': return {u'h', 0};
    case U'Ŧ': case U'ŧ': return {u't', 0};
    case U'ı': return {u'i', 0};
    case U'ĸ': return {u'k', 0};
    case U'Ŋ': case U'ŋ': return {u'n', 0};
    case U'ƒ': return {u'f', 0};
    default: return {};
  }
}

// A character's base letter: its canonical decomposition's first character,
// followed down (ǖ -> ü -> u), then case-folded. Combining marks have none.
Letters LettersOf(char32_t c) {
  const QChar::Category category = QChar::category(c);
  if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
      category == QChar::Mark_Enclosing)
    return {};
  const Letters special = SpecialLetters(c);
  if (special.first != 0) return special;
  char32_t base = c;
  while (QChar::decompositionTag(base) == QChar::Canonical) {
    const QString d = QChar::decomposition(base);
    if (d.isEmpty()) break;
    const char32_t next = d.at(0).isHighSurrogate() && d.size() > 1
                              ? QChar::surrogateToUcs4(d.at(0), d.at(1))
                              : d.at(0).unicode();
    if (next == base) break;
    base = next;
  }
  const char32_t folded = QChar::toCaseFolded(base);
  return {folded < 0x10000 ? static_cast<char16_t>(folded) : static_cast<char16_t>(0xFFFD), 0};
}

const std::array<Letters, kTableEnd>& LetterTable() {
  static const auto* table = [] {
    auto* t = new std::array<Letters, kTableEnd>();
    for (char32_t c = 0; c < kTableEnd; ++c) (*t)[c] = LettersOf(c);
    (*t)[0] = {};
    return t;
  }();
  return *table;
}

// The characters of a text, from UTF-16 or from valid UTF-8: Next() gives
// false at the end.
class Utf16Chars {
 public:
  explicit Utf16Chars(QStringView s) : s_(s) {}
  bool Next(char32_t& c) {
    if (i_ >= s_.size()) return false;
    c = s_[i_++].unicode();
    if (QChar::isHighSurrogate(c) && i_ < s_.size() && s_[i_].isLowSurrogate())
      c = QChar::surrogateToUcs4(static_cast<char16_t>(c), s_[i_++].unicode());
    return true;
  }

 private:
  QStringView s_;
  qsizetype i_ = 0;
};

class Utf8Chars {
 public:
  Utf8Chars(const unsigned char* p, int size) : p_(p), end_(p + size) {}
  bool Next(char32_t& c) {
    if (p_ >= end_) return false;
    const unsigned char b = *p_++;
    if (b < 0x80) {
      c = b;
      return true;
    }
    const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    c = b & (0x3F >> more);
    for (int k = 0; k < more && p_ < end_; ++k) c = (c << 6) | (*p_++ & 0x3F);
    return true;
  }

 private:
  const unsigned char* p_;
  const unsigned char* end_;
};

// The characters of a text, counted as work of the running statement: a
// comparison of long texts looks at the statement's clock as it goes.
template <typename Chars>
class CountedChars {
 public:
  CountedChars(Chars chars, StatementWork& work) : chars_(chars), work_(&work) {}
  bool Next(char32_t& c) {
    work_->Add(1);
    return chars_.Next(c);
  }

 private:
  Chars chars_;
  StatementWork* work_;
};

// The letters of a text one after the other, as Jet's sort order reads them
// (never 0); 0 at the end.
template <typename Chars>
class LetterReader {
 public:
  explicit LetterReader(Chars chars) : chars_(chars), table_(LetterTable()) {}

  char32_t Next() {
    if (pending_ != 0) return std::exchange(pending_, 0);
    char32_t c = 0;
    while (chars_.Next(c)) {
      if (c >= kTableEnd) return QChar::toCaseFolded(c);
      const Letters l = table_[c];
      if (l.first == 0) continue;
      pending_ = l.second;
      return l.first;
    }
    return 0;
  }

 private:
  Chars chars_;
  const std::array<Letters, kTableEnd>& table_;
  char32_t pending_ = 0;
};

// By the letters first, then by the case-folded characters.
template <typename Chars>
int Compare(Chars a, Chars b) {
  LetterReader<Chars> ra(a), rb(b);
  for (;;) {
    const char32_t x = ra.Next(), y = rb.Next();
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) break;
  }
  // The same letters: the accents decide, case still aside.
  for (;;) {
    char32_t x = 0, y = 0;
    const bool moreA = a.Next(x), moreB = b.Next(y);
    if (!moreA || !moreB) return int(moreA) - int(moreB);
    if (x == y) continue;
    const char32_t fx = QChar::toCaseFolded(x), fy = QChar::toCaseFolded(y);
    if (fx != fy) return fx < fy ? -1 : 1;
  }
}

template <typename Chars>
int CompareCounted(Chars a, Chars b, StatementWork& work) {
  return Compare(CountedChars<Chars>(a, work), CountedChars<Chars>(b, work));
}

}  // namespace

int CompareJetText(QStringView a, QStringView b) { return Compare(Utf16Chars(a), Utf16Chars(b)); }

namespace {

int Sign(qsizetype v) { return (v > 0) - (v < 0); }

unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Sorting compares many equal keys (a cemetery's name on every row): runs of
// eight equal ASCII bytes are stepped over at once.
int EqualAsciiPrefix(const unsigned char* a, const unsigned char* b, int n) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y || (x & kHighBits) != 0) break;
  }
  return i;
}

}  // namespace

int JetTextCollation(void*, int n1, const void* p1, int n2, const void* p2) {
  const auto* a = static_cast<const unsigned char*>(p1);
  const auto* b = static_cast<const unsigned char*>(p2);
  const int n = std::min(n1, n2);
  int i = EqualAsciiPrefix(a, b, n);
  // While both are ASCII, a letter that differs decides: everything before
  // it was the same letters with the same (no) accents.
  for (; i < n && ((a[i] | b[i]) & 0x80) == 0; ++i) {
    const unsigned char la = AsciiLower(a[i]), lb = AsciiLower(b[i]);
    if (la != lb) return la < lb ? -1 : 1;
  }
  // One text ends: the rest of the other has letters or accents, or both.
  if (i == n) return Sign(n1 - n2);
  const char* ta = reinterpret_cast<const char*>(a + i);
  const char* tb = reinterpret_cast<const char*>(b + i);
  // The rest is read character by character and counted, so that comparing
  // texts of megabytes ends once the statement is past its time limit. The
  // answer by length then is no order, but the statement fails with 3360
  // the next time the clock is looked at, and nobody sees its rows.
  StatementWork work;
  try {
    if (IsValidUtf8(ta, n1 - i) && IsValidUtf8(tb, n2 - i))
      return CompareCounted(Utf8Chars(a + i, n1 - i), Utf8Chars(b + i, n2 - i), work);
    const QString decodedA = DecodeDbText(ta, n1 - i), decodedB = DecodeDbText(tb, n2 - i);
    return CompareCounted(Utf16Chars(decodedA), Utf16Chars(decodedB), work);
  } catch (const vb::VbError&) {
    return Sign(n1 - n2);
  }
}

}  // namespace sqlitedb
