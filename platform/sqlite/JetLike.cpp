// Jet's LIKE pattern matching.
#include "platform/sqlite/JetDialect.h"

#include "platform/vb/VbError.h"

#include <vector>

namespace sqlitedb {

namespace {

constexpr int kInvalidPattern = 93;

[[noreturn]] void RaiseInvalidPattern() {
  vb::Raise(kInvalidPattern, QStringLiteral("Invalid pattern string"));
}

char32_t Fold(char32_t c) { return QChar::toCaseFolded(c); }

// One element of a pattern; every element but Star matches one character.
struct Element {
  enum class Kind { Star, AnyChar, Digit, Literal, Set };
  explicit Element(Kind k) : kind(k) {}
  Kind kind;
  char32_t ch = 0;                                   // Literal, folded
  bool negated = false;                              // Set
  std::vector<std::pair<char32_t, char32_t>> ranges;  // Set, folded bounds

  bool Matches(char32_t c) const {
    switch (kind) {
      case Kind::AnyChar: return true;
      case Kind::Digit: return c >= U'0' && c <= U'9';
      case Kind::Literal: return Fold(c) == ch;
      case Kind::Set: {
        const char32_t f = Fold(c);
        bool in = false;
        for (const auto& [lo, hi] : ranges) in = in || (f >= lo && f <= hi);
        return in != negated;
      }
      case Kind::Star: break;
    }
    return false;
  }
};

// "[...]" starting at p[i] (the "["); returns the index after the "]".
// An empty list "[]" matches no character at all and is dropped.
size_t ParseSet(const std::u32string& p, size_t i, std::vector<Element>& out) {
  Element e(Element::Kind::Set);
  size_t k = i + 1;
  if (k < p.size() && p[k] == U'!') {
    e.negated = true;
    ++k;
  }
  const size_t first = k;
  for (; k < p.size() && p[k] != U']'; ++k) {
    const bool range = k + 2 < p.size() && p[k + 1] == U'-' && p[k + 2] != U']';
    if (range) {
      const char32_t lo = Fold(p[k]), hi = Fold(p[k + 2]);
      if (lo > hi) RaiseInvalidPattern();
      e.ranges.emplace_back(lo, hi);
      k += 2;
    } else {
      const char32_t c = Fold(p[k]);
      e.ranges.emplace_back(c, c);
    }
  }
  if (k >= p.size()) RaiseInvalidPattern();
  if (k > first || e.negated) out.push_back(std::move(e));
  return k + 1;
}

std::vector<Element> ParsePattern(const QString& pattern) {
  const std::u32string p = pattern.toStdU32String();
  std::vector<Element> out;
  for (size_t i = 0; i < p.size();) {
    switch (p[i]) {
      case U'*':
        if (out.empty() || out.back().kind != Element::Kind::Star) out.emplace_back(Element::Kind::Star);
        ++i;
        break;
      case U'?': out.emplace_back(Element::Kind::AnyChar); ++i; break;
      case U'#': out.emplace_back(Element::Kind::Digit); ++i; break;
      case U'[': i = ParseSet(p, i, out); break;
      default: {
        Element e(Element::Kind::Literal);
        e.ch = Fold(p[i++]);
        out.push_back(std::move(e));
      }
    }
  }
  return out;
}

// Wildcard matching with one backtrack point: after a mismatch the last "*"
// takes one more character. Linear in practice, quadratic at worst.
bool Match(const std::vector<Element>& pat, const std::u32string& s) {
  size_t pi = 0, si = 0, starPi = SIZE_MAX, starSi = 0;
  while (si < s.size()) {
    if (pi < pat.size() && pat[pi].kind == Element::Kind::Star) {
      starPi = pi++;
      starSi = si;
    } else if (pi < pat.size() && pat[pi].Matches(s[si])) {
      ++pi;
      ++si;
    } else if (starPi != SIZE_MAX) {
      pi = starPi + 1;
      si = ++starSi;
    } else {
      return false;
    }
  }
  while (pi < pat.size() && pat[pi].kind == Element::Kind::Star) ++pi;
  return pi == pat.size();
}

}  // namespace

bool JetLike(const QString& value, const QString& pattern) {
  return Match(ParsePattern(pattern), value.toStdU32String());
}

}  // namespace sqlitedb
