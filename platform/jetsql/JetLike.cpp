// Jet's LIKE pattern matching.
//
// A pattern is read as segments of one-character elements ("?", "#", a
// list, a letter) with a star between two segments. The first segment must
// match at the start of the text and the last at its end; each segment
// between them is taken at its leftmost place after the one before, since
// that leaves the most text to the segments after it (a star takes any
// run). So no character is read again for every place a star could end, as
// backtracking would ("*aaa...ab" over a long run of "a" is quadratic
// there): a segment of letters is found by a linear string search, one
// with wildcards or lists by Shift-And, which follows every partial match
// at once in a bitset.
#include "platform/jetsql/JetDialect.h"

#include "platform/jetsql/StatementLimits.h"
#include "platform/jetsql/TextSearch.h"
#include "platform/vb/VbError.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sqlitedb {

namespace {

[[noreturn]] void RaiseInvalidPattern() { vb::Raise(vb::err::InvalidPattern); }

char32_t Fold(char32_t c) { return QChar::toCaseFolded(c); }

// A list "[...]" or "[!...]" of characters and ranges, case-folded.
struct CharSet {
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // sorted and merged by Close

  void Close() {
    std::sort(ranges.begin(), ranges.end());
    size_t kept = 0;
    for (const auto& r : ranges) {
      if (kept > 0 && r.first <= ranges[kept - 1].second + 1)
        ranges[kept - 1].second = std::max(ranges[kept - 1].second, r.second);
      else
        ranges[kept++] = r;
    }
    ranges.resize(kept);
  }

  bool Contains(char32_t folded) const {
    const auto after = std::upper_bound(
        ranges.begin(), ranges.end(), folded,
        [](char32_t c, const std::pair<char32_t, char32_t>& r) { return c < r.first; });
    const bool in = after != ranges.begin() && folded <= std::prev(after)->second;
    return in != negated;
  }
};

// One element of a pattern: it matches one character.
struct Element {
  enum class Kind : uint8_t { AnyChar, Digit, Literal, Set };
  Kind kind;
  char32_t value = 0;  // Literal: the folded character; Set: the list's index
};

using Segment = std::span<const Element>;

class Pattern {
 public:
  Pattern(const QString& pattern, StatementWork& work);

  // Whether the case-folded text matches.
  bool Matches(std::u32string_view text, StatementWork& work) const;
  // Whether the element matches a case-folded character. (No character
  // folds to a digit but a digit, so "#" reads the folded one too.)
  bool Matches(const Element& e, char32_t c) const {
    switch (e.kind) {
      case Element::Kind::AnyChar: return true;
      case Element::Kind::Digit: return c >= U'0' && c <= U'9';
      case Element::Kind::Literal: return c == e.value;
      case Element::Kind::Set: return sets_[e.value].Contains(c);
    }
    return false;
  }

 private:
  size_t ParseSet(const std::u32string& p, size_t i);
  // Whether the segment matches `text`, which has the segment's length.
  bool MatchesAt(Segment segment, std::u32string_view text, StatementWork& work) const;
  // The segment's leftmost place in `text`, or npos.
  size_t Find(Segment segment, std::u32string_view text, StatementWork& work) const;

  std::vector<Element> elements_;
  std::u32string letters_;      // each element's folded letter, 0 for the others
  std::vector<size_t> starAt_;  // where in elements_ each star stood
  std::vector<CharSet> sets_;
};

Pattern::Pattern(const QString& pattern, StatementWork& work) {
  const std::u32string p = pattern.toStdU32String();
  for (size_t i = 0; i < p.size(); work.Add(1)) {
    switch (p[i]) {
      case U'*':
        // Stars side by side (or with only "[]" between them) are one star.
        if (starAt_.empty() || starAt_.back() != elements_.size()) starAt_.push_back(elements_.size());
        ++i;
        break;
      case U'?': elements_.push_back({Element::Kind::AnyChar}); ++i; break;
      case U'#': elements_.push_back({Element::Kind::Digit}); ++i; break;
      case U'[': i = ParseSet(p, i); break;
      default: elements_.push_back({Element::Kind::Literal, Fold(p[i++])});
    }
  }
  letters_.reserve(elements_.size());
  for (const Element& e : elements_) letters_ += e.kind == Element::Kind::Literal ? e.value : 0;
}

// "[...]" starting at p[i] (the "["); returns the index after the "]".
// An empty list "[]" matches no character at all and is dropped.
size_t Pattern::ParseSet(const std::u32string& p, size_t i) {
  CharSet set;
  size_t k = i + 1;
  if (k < p.size() && p[k] == U'!') {
    set.negated = true;
    ++k;
  }
  const size_t first = k;
  for (; k < p.size() && p[k] != U']'; ++k) {
    const bool range = k + 2 < p.size() && p[k + 1] == U'-' && p[k + 2] != U']';
    if (range) {
      const char32_t lo = Fold(p[k]), hi = Fold(p[k + 2]);
      if (lo > hi) RaiseInvalidPattern();
      set.ranges.emplace_back(lo, hi);
      k += 2;
    } else {
      const char32_t c = Fold(p[k]);
      set.ranges.emplace_back(c, c);
    }
  }
  if (k >= p.size()) RaiseInvalidPattern();
  if (k > first || set.negated) {
    set.Close();
    elements_.push_back({Element::Kind::Set, static_cast<char32_t>(sets_.size())});
    sets_.push_back(std::move(set));
  }
  return k + 1;
}

bool Pattern::Matches(std::u32string_view text, StatementWork& work) const {
  const Segment all(elements_);
  if (starAt_.empty()) return text.size() == all.size() && MatchesAt(all, text, work);
  const Segment head = all.first(starAt_.front());
  const Segment tail = all.subspan(starAt_.back());
  if (text.size() < head.size() + tail.size()) return false;
  if (!MatchesAt(head, text.substr(0, head.size()), work) ||
      !MatchesAt(tail, text.substr(text.size() - tail.size()), work))
    return false;
  std::u32string_view rest = text.substr(head.size(), text.size() - head.size() - tail.size());
  for (size_t s = 0; s + 1 < starAt_.size(); ++s) {
    const Segment segment = all.subspan(starAt_[s], starAt_[s + 1] - starAt_[s]);
    const size_t at = Find(segment, rest, work);
    if (at == std::u32string_view::npos) return false;
    rest.remove_prefix(at + segment.size());
  }
  return true;
}

bool Pattern::MatchesAt(Segment segment, std::u32string_view text, StatementWork& work) const {
  for (size_t j = 0; j < segment.size(); ++j) {
    if (!Matches(segment[j], text[j])) return false;
    work.Add(1);
  }
  return true;
}

// The leftmost place of a segment with wildcards or lists, by Shift-And:
// after a character is read, bit j of the state says that the segment's
// first j + 1 elements match the text that ends there. A character's mask
// (the elements that match it) is worked out once for each character met
// and kept, up to a bound on memory.
class ShiftAndSearch {
 public:
  ShiftAndSearch(const Pattern& pattern, Segment segment)
      : pattern_(pattern), segment_(segment), words_((segment.size() + 63) / 64), scratch_(words_) {
    ascii_.fill(kNone);
  }

  size_t Find(std::u32string_view text, StatementWork& work) {
    const size_t m = segment_.size();
    const size_t lastWord = (m - 1) / 64;
    const uint64_t lastBit = uint64_t(1) << ((m - 1) % 64);
    std::vector<uint64_t> state(words_, 0);
    size_t top = 0;  // the words of the state after it are 0
    for (size_t i = 0; i < text.size(); ++i) {
      const uint64_t* mask = MaskOf(text[i], work);
      // A partial match grows by one bit at most: one word more at most.
      const size_t used = std::min(words_, top + 1);
      uint64_t carry = 1;  // a new partial match may start at every character
      for (size_t k = 0; k < used; ++k) {
        const uint64_t w = state[k];
        state[k] = ((w << 1) | carry) & mask[k];
        carry = w >> 63;
      }
      top = used;
      while (top > 0 && state[top - 1] == 0) --top;
      if (state[lastWord] & lastBit) return i + 1 - m;
      work.Add(used);
    }
    return std::u32string_view::npos;
  }

 private:
  static constexpr int64_t kNone = -1;
  // The words of masks kept (8 MB); past it masks are worked out each time.
  static constexpr size_t kKeptWords = size_t(1) << 20;

  const uint64_t* MaskOf(char32_t c, StatementWork& work) {
    int64_t& kept = c < ascii_.size() ? ascii_[c] : others_.try_emplace(c, kNone).first->second;
    if (kept != kNone) return masks_.data() + kept;
    uint64_t* mask = scratch_.data();
    if (masks_.size() + words_ <= kKeptWords) {
      kept = static_cast<int64_t>(masks_.size());
      masks_.resize(masks_.size() + words_, 0);
      mask = masks_.data() + kept;
    } else {
      std::fill(scratch_.begin(), scratch_.end(), 0);
    }
    for (size_t j = 0; j < segment_.size(); ++j) {
      if (pattern_.Matches(segment_[j], c)) mask[j / 64] |= uint64_t(1) << (j % 64);
    }
    work.Add(segment_.size());
    return mask;
  }

  const Pattern& pattern_;
  Segment segment_;
  size_t words_;
  std::vector<uint64_t> masks_;  // the masks kept, words_ each
  std::array<int64_t, 128> ascii_;  // where a character's mask is kept, or kNone
  std::unordered_map<char32_t, int64_t> others_;
  std::vector<uint64_t> scratch_;
};

size_t Pattern::Find(Segment segment, std::u32string_view text, StatementWork& work) const {
  if (segment.empty()) return 0;
  const bool letters = std::all_of(segment.begin(), segment.end(), [](const Element& e) {
    return e.kind == Element::Kind::Literal;
  });
  if (!letters) return ShiftAndSearch(*this, segment).Find(text, work);
  const size_t at = static_cast<size_t>(segment.data() - elements_.data());
  return FindRun(text, std::u32string_view(letters_).substr(at, segment.size()), work);
}

}  // namespace

bool JetLike(const QString& value, const QString& pattern) {
  StatementWork work;
  const Pattern parsed(pattern, work);
  std::u32string text = value.toStdU32String();
  for (char32_t& c : text) {
    c = Fold(c);
    work.Add(1);
  }
  return parsed.Matches(text, work);
}

}  // namespace sqlitedb
