// The Jet functions of texts and characters. Null in gives Null out; counts
// and positions of Left, Right and Mid, and the options of InStrRev and
// StrComp, raise 94 for Null. Characters are those of the Windows-1252 code
// page, as Jet's Chr and Asc have them.
#include "platform/jetsql/DbText.h"
#include "platform/jetsql/JetCollation.h"
#include "platform/jetsql/JetFunctionSupport.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/jetsql/TextSearch.h"

#include "platform/vb/Conversions.h"
#include "platform/win/Cp1252.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace sqlitedb {

namespace {

// A one-argument text function: Null in, Null out.
template <QString (*T)(const QString&)>
void TextFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, T(ValueText(argv[0])));
}

QString UCase(const QString& s) { return s.toUpper(); }
QString LCase(const QString& s) { return s.toLower(); }

void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, ValueText(argv[0]).size());
}

void Left(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const int32_t n = CountArg(argv[1], 0);
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, ValueText(argv[0]).left(n));
}

void Right(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const int32_t n = CountArg(argv[1], 0);
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, ValueText(argv[0]).right(n));
}

void Mid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const int32_t start = CountArg(argv[1], 1);
  const int32_t length = argc > 2 ? CountArg(argv[2], 0) : -1;
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, ValueText(argv[0]).mid(start - 1, length));
}

std::u16string_view Utf16(const QString& s) {
  return std::u16string_view(QStringView(s).utf16(), static_cast<size_t>(s.size()));
}

// The text with every character case-folded, code unit for code unit (a
// folded character keeps its length in UTF-16).
std::u16string CaseFolded(std::u16string_view s, StatementWork& work) {
  std::u16string out(s);
  for (size_t i = 0; i < out.size(); ++i) {
    const char16_t c = out[i];
    if (QChar::isHighSurrogate(c) && i + 1 < out.size() && QChar::isLowSurrogate(out[i + 1])) {
      const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(c, out[i + 1]));
      if (QChar::requiresSurrogates(folded)) {
        out[i] = QChar::highSurrogate(folded);
        out[i + 1] = QChar::lowSurrogate(folded);
      }
      ++i;
    } else {
      const char32_t folded = QChar::toCaseFolded(char32_t(c));
      if (!QChar::requiresSurrogates(folded)) out[i] = static_cast<char16_t>(folded);
    }
    work.Add(1);
  }
  return out;
}

// The texts a search compares: as they are, or case-folded.
struct SearchTexts {
  std::u16string text, sought;
};
SearchTexts Compared(std::u16string_view text, std::u16string_view sought, bool binary,
                     StatementWork& work) {
  if (binary) return {std::u16string(text), std::u16string(sought)};
  return {CaseFolded(text, work), CaseFolded(sought, work)};
}

// InStr([start,] text, sought[, compare]): compare 0 is binary, otherwise
// (and by default) without regard to case, as Jet compares text. Positions
// count UTF-16 code units. The search is linear in both texts, so that a
// long sought text in a long text cannot outlast the time limit in one call.
void InStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const bool withStart = argc >= 3;
  const int32_t start = withStart ? CountArg(argv[0], 1) : 1;
  sqlite3_value* text = argv[withStart ? 1 : 0];
  sqlite3_value* sought = argv[withStart ? 2 : 1];
  const bool binary = argc == 4 && vb::CLng(ToVariant(argv[3])) == 0;
  if (IsNull(text) || IsNull(sought)) return sqlite3_result_null(ctx);
  const QString s = ValueText(text), t = ValueText(sought);
  if (start > s.size() + 1) return sqlite3_result_int(ctx, 0);
  StatementWork work;
  const SearchTexts c = Compared(Utf16(s).substr(start - 1), Utf16(t), binary, work);
  const size_t at = FindRun<char16_t>(c.text, c.sought, work);
  sqlite3_result_int64(ctx, at == std::u16string_view::npos ? 0 : static_cast<int64_t>(at) + start);
}

// InStrRev(text, sought [, start [, compare]]): the position of the last
// `sought` that ends at or before `start` (-1, the default, is the end);
// 0 when there is none, when `text` is empty or `start` lies beyond it;
// `start` itself for an empty `sought`. A start of 0 or below -1 raises 5.
void InStrRev(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  int32_t start = argc > 2 ? OptionNumber(argv[2]) : -1;
  if (start == 0 || start < -1) vb::Raise(vb::err::InvalidProcedureCall);
  const bool text = argc < 4 || TextCompare(argv[3]);
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  const QString s = ValueText(argv[0]), t = ValueText(argv[1]);
  if (start == -1) start = static_cast<int32_t>(s.size());
  if (s.isEmpty() || start > s.size()) return sqlite3_result_int(ctx, 0);
  if (t.isEmpty()) return sqlite3_result_int(ctx, start);
  if (start < t.size()) return sqlite3_result_int(ctx, 0);
  // The last run ending by `start` is the first of the reversed run in the
  // reversed text before it: linear, as InStr's search.
  StatementWork work;
  SearchTexts c = Compared(Utf16(s).substr(0, start), Utf16(t), !text, work);
  std::reverse(c.text.begin(), c.text.end());
  std::reverse(c.sought.begin(), c.sought.end());
  const size_t at = FindRun<char16_t>(c.text, c.sought, work);
  if (at == std::u16string_view::npos) return sqlite3_result_int(ctx, 0);
  sqlite3_result_int64(ctx, static_cast<int64_t>(start) - static_cast<int64_t>(at + t.size()) + 1);
}

// StrComp(a, b [, compare]): -1, 0 or 1 as a sorts before, with or after b;
// compared as Jet compares text (without regard to case) unless compare is
// 0 (binary: by character codes).
void StrComp(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const bool text = argc < 3 || TextCompare(argv[2]);
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  const QString a = ValueText(argv[0]), b = ValueText(argv[1]);
  const int order = text ? CompareJetText(a, b) : QString::compare(a, b, Qt::CaseSensitive);
  sqlite3_result_int(ctx, (order > 0) - (order < 0));
}

// The character of a code of the code page: 0 to 255, else 5.
QString CharacterOfCode(int32_t code) {
  if (code < 0 || code > 255) vb::Raise(vb::err::InvalidProcedureCall);
  return win::cp1252::Decode(QByteArray(1, static_cast<char>(code)));
}

// The first character of a text (a pair of surrogates is one); 5 for "".
QString FirstCharacter(const QString& s) {
  if (s.isEmpty()) vb::Raise(vb::err::InvalidProcedureCall);
  return s.left(s.front().isHighSurrogate() && s.size() > 1 ? 2 : 1);
}

// Chr(code): the rounded code (halves to even) 0 to 255; else 5.
void Chr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, CharacterOfCode(vb::CLng(NumberArg(argv[0]))));
}

// Asc(text): the code of its first character; 63 ("?") for a character the
// code page lacks; 5 for the empty text.
void Asc(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const QByteArray code = win::cp1252::Encode(FirstCharacter(ValueText(argv[0])));
  sqlite3_result_int(ctx, static_cast<unsigned char>(code.at(0)));
}

// The characters of a long text between two looks at the statement's clock.
constexpr int64_t kCharactersBetweenLooks = 4096;

// `count` times `character`. The text's length is checked against the
// value cap before anything is made (3035), and the statement's time limit
// is looked at as it grows (3360).
void ResultRepeated(sqlite3_context* ctx, const QString& character, int32_t count) {
  const QByteArray unit = character.toUtf8();
  const int64_t bytes = int64_t(unit.size()) * count;
  if (bytes > kMaxValueBytes) vb::Raise(vb::err::ResourceExceeded);
  std::unique_ptr<char, void (*)(void*)> out(static_cast<char*>(sqlite3_malloc64(bytes + 1)), sqlite3_free);
  if (!out) throw std::bad_alloc();
  for (int64_t done = 0; done < count; done += kCharactersBetweenLooks) {
    CheckStatementTime();
    const int64_t n = std::min(kCharactersBetweenLooks, count - done);
    char* at = out.get() + done * unit.size();
    if (done == 0) {
      for (int64_t i = 0; i < n; ++i) std::memcpy(at + i * unit.size(), unit.constData(), unit.size());
    } else {
      std::memcpy(at, out.get(), n * unit.size());  // the first piece again
    }
  }
  sqlite3_result_text64(ctx, out.release(), static_cast<sqlite3_uint64>(bytes), sqlite3_free, SQLITE_UTF8);
}

// Space(n): n blanks; n below 0 raises 5.
void Space(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultRepeated(ctx, QStringLiteral(" "), CountArg(argv[0], 0));
}

// String(n, character): n times the first character of a text, or of a
// code (beyond 255 taken Mod 256); n or a code below 0 and "" raise 5.
void StringFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  const int32_t count = CountArg(argv[0], 0);
  QString character;
  if (IsText(argv[1])) {
    character = FirstCharacter(ValueText(argv[1]));
  } else {
    const int32_t code = vb::CLng(NumberArg(argv[1]));
    character = CharacterOfCode(code < 0 ? code : code % 256);
  }
  ResultRepeated(ctx, character, count);
}

const JetFunctionDef kTextFunctions[] = {
    {"trim", 1, Guarded<TextFunction<vb::Trim>>},
    {"ltrim", 1, Guarded<TextFunction<vb::LTrim>>},
    {"rtrim", 1, Guarded<TextFunction<vb::RTrim>>},
    {"ucase", 1, Guarded<TextFunction<UCase>>},
    {"lcase", 1, Guarded<TextFunction<LCase>>},
    {"len", 1, Guarded<Len>},
    {"left", 2, Guarded<Left>},
    {"right", 2, Guarded<Right>},
    {"mid", 2, Guarded<Mid>},
    {"mid", 3, Guarded<Mid>},
    {"instr", 2, Guarded<InStr>},
    {"instr", 3, Guarded<InStr>},
    {"instr", 4, Guarded<InStr>},
    {"instrrev", 2, Guarded<InStrRev>},
    {"instrrev", 3, Guarded<InStrRev>},
    {"instrrev", 4, Guarded<InStrRev>},
    {"strcomp", 2, Guarded<StrComp>},
    {"strcomp", 3, Guarded<StrComp>},
    {"chr", 1, Guarded<Chr>},
    {"asc", 1, Guarded<Asc>},
    {"space", 1, Guarded<Space>},
    {"string", 2, Guarded<StringFn>},
};

}  // namespace

std::span<const JetFunctionDef> JetTextFunctions() { return kTextFunctions; }

}  // namespace sqlitedb
