// The Jet functions, LIKE and collation registered on a connection.
#include "platform/sqlite/DbText.h"
#include "platform/sqlite/FunctionRegistry.h"
#include "platform/sqlite/JetCollation.h"
#include "platform/sqlite/JetDialect.h"
#include "platform/sqlite/StatementLimits.h"
#include "platform/sqlite/TextSearch.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/DateParsing.h"
#include "platform/vb/Format.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <new>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace sqlitedb {

namespace {

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

constexpr int kInvalidUseOfNull = 94;

void ResultText(sqlite3_context* ctx, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

bool IsText(sqlite3_value* v) {
  const int t = sqlite3_value_type(v);
  return t == SQLITE_TEXT || t == SQLITE_BLOB;
}

// Text arguments this long together (bytes) make a call long enough to look
// at the statement's clock when it is done: the engine looks only every few
// thousand of its steps, and a few calls on texts of megabytes can outlast
// the limit within them. Shorter calls are left to the engine.
constexpr int64_t kLongArgumentBytes = 1 << 15;

bool LongArguments(int argc, sqlite3_value** argv) {
  int64_t bytes = 0;
  for (int i = 0; i < argc; ++i) {
    if (IsText(argv[i])) bytes += sqlite3_value_bytes(argv[i]);
  }
  return bytes >= kLongArgumentBytes;
}

// A text result of `length` characters: raises 3035 when it cannot be
// within the connection's cap on values (its UTF-8 has at least as many
// bytes as it has UTF-16 code units), before it is built.
void CheckResultLength(sqlite3_context* ctx, qsizetype length) {
  if (length > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1))
    vb::Raise(vb::err::ResourceExceeded);
}

// A count or position argument: Null raises 94, a negative count 5.
int32_t CountArg(sqlite3_value* v, int32_t minimum) {
  const int32_t n = vb::CLng(ToVariant(v));
  if (n < minimum) vb::Raise(vb::err::InvalidProcedureCall);
  return n;
}

// Runs a function body; a platform error fails the statement with its number,
// and so does the time limit after a call on long texts.
template <Fn F>
void Guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    F(ctx, argc, argv);
    if (LongArguments(argc, argv)) CheckStatementTime();
  } catch (const vb::VbError& e) {
    const QByteArray msg = JetFunctionErrorMessage(e.Number(), e.Description()).toUtf8();
    sqlite3_result_error(ctx, msg.constData(), static_cast<int>(msg.size()));
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(ctx);
  } catch (...) {
    sqlite3_result_error(ctx, "internal error in a Jet function", -1);
  }
}

// A one-argument text function: Null in, Null out.
template <QString (*T)(const QString&)>
void TextFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, T(ValueText(argv[0])));
}

QString UCase(const QString& s) { return s.toUpper(); }
QString LCase(const QString& s) { return s.toLower(); }

// Text of at most 15 plain digits (or none), the usual sort key of a row or
// stone number: its value read straight from the bytes, exactly as Val reads
// it. Any other text gives nullopt.
std::optional<double> PlainDigitsValue(sqlite3_value* v) {
  const auto* p = sqlite3_value_text(v);
  const int size = sqlite3_value_bytes(v);
  if (size > 15 || (p == nullptr && size > 0)) return std::nullopt;
  int64_t n = 0;
  for (int i = 0; i < size; ++i) {
    if (p[i] < '0' || p[i] > '9') return std::nullopt;
    n = n * 10 + (p[i] - '0');
  }
  return static_cast<double>(n);
}

void Val(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: vb::Raise(vb::err::TypeMismatchDb);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return sqlite3_result_value(ctx, argv[0]);
    case SQLITE_TEXT:
      if (const std::optional<double> digits = PlainDigitsValue(argv[0]))
        return sqlite3_result_double(ctx, *digits);
      [[fallthrough]];
    default: return sqlite3_result_double(ctx, vb::Val(ValueText(argv[0])));
  }
}

void Concat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  QString out;
  bool allNull = true;
  StatementWork work;
  for (int i = 0; i < argc; ++i) {
    if (IsNull(argv[i])) continue;
    allNull = false;
    const QString part = ValueText(argv[i]);
    CheckResultLength(ctx, out.size() + part.size());
    out += part;
    work.Add(static_cast<size_t>(part.size()));
  }
  if (allNull) return sqlite3_result_null(ctx);
  ResultText(ctx, out);
}

void LikeMatch(sqlite3_context* ctx, sqlite3_value* value, sqlite3_value* pattern) {
  if (IsNull(value) || IsNull(pattern)) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, JetLike(ValueText(value), ValueText(pattern)) ? 1 : 0);
}
// The engine calls like(pattern, value) for "value LIKE pattern".
void EngineLike(sqlite3_context* ctx, int, sqlite3_value** argv) { LikeMatch(ctx, argv[1], argv[0]); }
void JetLikeFn(sqlite3_context* ctx, int, sqlite3_value** argv) { LikeMatch(ctx, argv[0], argv[1]); }

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
  std::u16string foldedS, foldedT;
  std::u16string_view hay = Utf16(s), needle = Utf16(t);
  if (!binary) {
    foldedS = CaseFolded(hay.substr(start - 1), work);
    foldedT = CaseFolded(needle, work);
    hay = foldedS;
    needle = foldedT;
  } else {
    hay.remove_prefix(start - 1);
  }
  const size_t at = FindRun(hay, needle, work);
  sqlite3_result_int64(ctx, at == std::u16string_view::npos ? 0 : static_cast<int64_t>(at) + start);
}

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv) { ResultText(ctx, vb::CStr(ToVariant(argv[0]))); }
void CInt(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, vb::CInt(ToVariant(argv[0]))); }
void CLng(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, vb::CLng(ToVariant(argv[0]))); }
void CDbl(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_double(ctx, ToVariant(argv[0]).ToDouble()); }

void Nz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (!IsNull(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
  sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

// Jet's True is -1.
void ResultBoolean(sqlite3_context* ctx, bool value) { sqlite3_result_int(ctx, value ? -1 : 0); }

void IsNullFn(sqlite3_context* ctx, int, sqlite3_value** argv) { ResultBoolean(ctx, IsNull(argv[0])); }

// ---------------------------------------------------------------- arithmetic

// A number operand: text is read as a number (13 when it is not one).
double NumberArg(sqlite3_value* v) { return ToVariant(v).ToDouble(); }

// "+" where either side may be text: two texts are joined, anything else is
// added (a text read as a number); Null gives Null.
void Add(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  if (IsText(argv[0]) && IsText(argv[1])) {
    const QString a = ValueText(argv[0]), b = ValueText(argv[1]);
    CheckResultLength(ctx, a.size() + b.size());
    return ResultText(ctx, a + b);
  }
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER && sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
    sqlite3_int64 sum = 0;
    if (!__builtin_add_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &sum))
      return sqlite3_result_int64(ctx, sum);
  }
  sqlite3_result_double(ctx, NumberArg(argv[0]) + NumberArg(argv[1]));
}

// The operands of "\" and Mod: rounded to whole numbers of 32 bits.
void WholeOperands(sqlite3_value** argv, int64_t& a, int64_t& b) {
  a = vb::CLng(NumberArg(argv[0]));
  b = vb::CLng(NumberArg(argv[1]));
  if (b == 0) vb::Raise(vb::err::DivisionByZero);
}

void IntDiv(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  int64_t a, b;
  WholeOperands(argv, a, b);
  sqlite3_result_int64(ctx, a / b);
}

// The remainder has the sign of the dividend: -7 Mod 3 is -1.
void Mod(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  int64_t a, b;
  WholeOperands(argv, a, b);
  sqlite3_result_int64(ctx, a % b);
}

void Power(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
  const double base = NumberArg(argv[0]);
  const double r = std::pow(base, NumberArg(argv[1]));
  if (std::isnan(r)) vb::Raise(vb::err::InvalidProcedureCall);
  if (std::isinf(r)) vb::Raise(base == 0 ? vb::err::DivisionByZero : vb::err::Overflow);
  sqlite3_result_double(ctx, r);
}

// Int rounds down, Fix towards zero; whole numbers stay as they are.
template <double (*Round)(double)>
void WholePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_value(ctx, argv[0]);
  sqlite3_result_double(ctx, Round(NumberArg(argv[0])));
}
double Floor(double d) { return std::floor(d); }
double Trunc(double d) { return std::trunc(d); }

void IsNumericFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: return ResultBoolean(ctx, false);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: return ResultBoolean(ctx, true);
    default:
      try {
        ResultBoolean(ctx, vb::NumberFromText(ValueText(argv[0])).has_value());
      } catch (const vb::VbError&) {  // too large for a number
        ResultBoolean(ctx, false);
      }
  }
}

// Str: the number's text with a leading blank for a positive one.
void StrFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  ResultText(ctx, vb::Str(ToVariant(argv[0])));
}

// ---------------------------------------------------------------- dates

// A date argument as a serial: numbers are serials, texts are read as dates
// (or as numbers); other text raises 13.
double SerialArg(sqlite3_value* v) {
  if (!IsText(v)) return sqlite3_value_double(v);
  const QString text = ValueText(v);
  if (const std::optional<double> serial = vb::DateFromText(text)) return *serial;
  if (const std::optional<double> number = vb::NumberFromText(text)) return *number;
  vb::Raise(vb::err::TypeMismatch);
}

// The text of a Date/Time value where Jet wants text (Like, &, Left, ...):
// numbers are serials and give the date's text; text stays as it is.
void DateTextFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (IsText(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  ResultText(ctx, vb::DateText(vb::DateValue{sqlite3_value_double(argv[0])}));
}

enum class DatePart { Year, Month, Day };

template <DatePart P>
void DatePartFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const QDate d = vb::SerialToDateTime(SerialArg(argv[0])).date();
  sqlite3_result_int(ctx, P == DatePart::Year ? d.year() : P == DatePart::Month ? d.month() : d.day());
}

void CDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) vb::Raise(kInvalidUseOfNull);
  const double serial = SerialArg(argv[0]);
  vb::SerialToDateTime(serial);  // a serial outside the dates raises 6
  sqlite3_result_double(ctx, serial);
}

void DateValueFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const double serial = SerialArg(argv[0]);
  vb::SerialToDateTime(serial);
  sqlite3_result_double(ctx, std::trunc(serial));
}

void FormatFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const QString format = argc > 1 ? ValueText(argv[1]) : QString();
  ResultText(ctx, vb::Format(ToVariant(argv[0]), format));
}

struct FunctionDef {
  const char* name;
  int argc;  // -1: any number
  Fn fn;
};

const FunctionDef kFunctions[] = {
    {"val", 1, Guarded<Val>},
    {"jet_concat", -1, Guarded<Concat>},
    {"like", 2, Guarded<EngineLike>},
    {"jet_like", 2, Guarded<JetLikeFn>},
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
    {"cstr", 1, Guarded<CStr>},
    {"cint", 1, Guarded<CInt>},
    {"clng", 1, Guarded<CLng>},
    {"cdbl", 1, Guarded<CDbl>},
    {"nz", 1, Guarded<Nz>},
    {"nz", 2, Guarded<Nz>},
    {"isnull", 1, Guarded<IsNullFn>},
    {"jet_add", 2, Guarded<Add>},
    {"jet_intdiv", 2, Guarded<IntDiv>},
    {"jet_mod", 2, Guarded<Mod>},
    {"jet_pow", 2, Guarded<Power>},
    {"jet_datetext", 1, Guarded<DateTextFn>},
    {"int", 1, Guarded<WholePart<Floor>>},
    {"fix", 1, Guarded<WholePart<Trunc>>},
    {"isnumeric", 1, Guarded<IsNumericFn>},
    {"str", 1, Guarded<StrFn>},
    {"year", 1, Guarded<DatePartFn<DatePart::Year>>},
    {"month", 1, Guarded<DatePartFn<DatePart::Month>>},
    {"day", 1, Guarded<DatePartFn<DatePart::Day>>},
    {"cdate", 1, Guarded<CDate>},
    {"datevalue", 1, Guarded<DateValueFn>},
    {"format", 1, Guarded<FormatFn>},
    {"format", 2, Guarded<FormatFn>},
};

}  // namespace

QString JetFunctionErrorMessage(int number, const QString& description) {
  return QStringLiteral("[jet %1] %2").arg(number).arg(description);
}

void RegisterJetFunctions(sqlite3* db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  constexpr int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  for (const FunctionDef& f : kFunctions) RegisterJetFunction(db, f.name, f.argc, flags, f.fn);
  sqlite3_create_collation_v2(db, kJetCollation, SQLITE_UTF8, nullptr, JetTextCollation, nullptr);
}

}  // namespace sqlitedb
