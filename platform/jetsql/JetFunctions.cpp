// The Jet functions of values and numbers, LIKE and the collation, and the
// registration of every Jet function on a connection (the functions of
// texts and of dates are in JetTextFunctions.cpp and JetDateFunctions.cpp).
#include "platform/jetsql/DbText.h"
#include "platform/jetsql/JetCollation.h"
#include "platform/jetsql/JetFunctionSupport.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/Format.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace sqlitedb {

namespace {

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

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv) { ResultText(ctx, vb::CStr(ToVariant(argv[0]))); }
void CInt(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, vb::CInt(ToVariant(argv[0]))); }
void CLng(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, vb::CLng(ToVariant(argv[0]))); }
void CDbl(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_double(ctx, ToVariant(argv[0]).ToDouble()); }

void Nz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (!IsNull(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
  sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void IsNullFn(sqlite3_context* ctx, int, sqlite3_value** argv) { ResultBoolean(ctx, IsNull(argv[0])); }

// ---------------------------------------------------------------- arithmetic

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

// Round(x [, places]): to `places` decimals (none by default), a half to the
// even neighbour, as Jet rounds: Round(2.5) is 2, Round(0.125, 2) is 0.12.
// The value is scaled by a power of ten and rounded as a double, so a
// decimal that a double holds a little below its half rounds down. Places
// below 0 raise 5; whole numbers stay as they are.
void Round(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const int32_t places = argc > 1 ? OptionNumber(argv[1]) : 0;
  if (places < 0) vb::Raise(vb::err::InvalidProcedureCall);
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_value(ctx, argv[0]);
  const double x = NumberArg(argv[0]);
  const double scale = std::pow(10.0, places);
  const double scaled = x * scale;
  // From 2^52 on a double has no fraction left to round.
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return sqlite3_result_double(ctx, x);
  sqlite3_result_double(ctx, std::nearbyint(scaled) / scale);  // the default rounding: halves to even
}

void Sgn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const double x = NumberArg(argv[0]);
  sqlite3_result_int(ctx, (x > 0) - (x < 0));
}

// Sqr: the square root; 5 for a negative number.
void Sqr(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const double x = NumberArg(argv[0]);
  if (x < 0) vb::Raise(vb::err::InvalidProcedureCall);
  sqlite3_result_double(ctx, std::sqrt(x));
}

// CBool: -1 for a number other than 0, 0 for 0; the texts "True" and
// "False" (without regard to case, blanks around them allowed) and a
// number's text; 13 for other text, 94 for Null.
void CBool(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsText(argv[0])) {
    const QString text = vb::Trim(ValueText(argv[0]));
    for (const bool value : {true, false}) {
      if (text.compare(value ? QLatin1String("True") : QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return ResultBoolean(ctx, value);
    }
  }
  ResultBoolean(ctx, NumberArg(argv[0]) != 0);
}

// CSng: the number rounded to single precision; 6 beyond its range, 13 for
// text that is not a number, 94 for Null.
void CSng(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const double x = NumberArg(argv[0]);
  if (std::fabs(x) > std::numeric_limits<float>::max()) vb::Raise(vb::err::Overflow);
  sqlite3_result_double(ctx, static_cast<float>(x));
}

void FormatFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const QString format = argc > 1 ? ValueText(argv[1]) : QString();
  ResultText(ctx, vb::Format(ToVariant(argv[0]), format));
}

const JetFunctionDef kFunctions[] = {
    {"val", 1, Guarded<Val>},
    {"jet_concat", -1, Guarded<Concat>},
    {"like", 2, Guarded<EngineLike>},
    {"jet_like", 2, Guarded<JetLikeFn>},
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
    {"int", 1, Guarded<WholePart<Floor>>},
    {"fix", 1, Guarded<WholePart<Trunc>>},
    {"isnumeric", 1, Guarded<IsNumericFn>},
    {"str", 1, Guarded<StrFn>},
    {"format", 1, Guarded<FormatFn>},
    {"format", 2, Guarded<FormatFn>},
    {"round", 1, Guarded<Round>},
    {"round", 2, Guarded<Round>},
    {"sgn", 1, Guarded<Sgn>},
    {"sqr", 1, Guarded<Sqr>},
    {"cbool", 1, Guarded<CBool>},
    {"csng", 1, Guarded<CSng>},
};

// Names under which the engine has functions of its own (trim(x, y),
// like(x, y, z), format(f, ...) is printf, date(...), ...): any number of
// arguments the Jet function does not take is Jet's wrong number of
// arguments, so that no statement reaches the engine's function.
void WrongNumberOfArguments(sqlite3_context*, int, sqlite3_value**) {
  vb::Raise(vb::err::SyntaxError,
            QStringLiteral("Wrong number of arguments used with function in query expression."));
}

const JetFunctionDef kNamesTheEngineShares[] = {
    {"like", -1, Guarded<WrongNumberOfArguments>},   {"trim", -1, Guarded<WrongNumberOfArguments>},
    {"ltrim", -1, Guarded<WrongNumberOfArguments>},  {"rtrim", -1, Guarded<WrongNumberOfArguments>},
    {"instr", -1, Guarded<WrongNumberOfArguments>},  {"round", -1, Guarded<WrongNumberOfArguments>},
    {"format", -1, Guarded<WrongNumberOfArguments>}, {"date", -1, Guarded<WrongNumberOfArguments>},
    {"time", -1, Guarded<WrongNumberOfArguments>},
};

void Register(sqlite3* db, std::span<const JetFunctionDef> functions) {
  for (const JetFunctionDef& f : functions) {
    const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
    RegisterJetFunction(db, f.name, f.argc, flags, f.fn);
  }
}

}  // namespace

QString JetFunctionErrorMessage(int number, const QString& description) {
  return QStringLiteral("[jet %1] %2").arg(number).arg(description);
}

void RegisterJetFunctions(sqlite3* db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  for (std::span<const JetFunctionDef> functions :
       {std::span<const JetFunctionDef>(kFunctions), JetTextFunctions(), JetDateFunctions(),
        std::span<const JetFunctionDef>(kNamesTheEngineShares)})
    Register(db, functions);
  sqlite3_create_collation_v2(db, kJetCollation, SQLITE_UTF8, nullptr, JetTextCollation, nullptr);
}

}  // namespace sqlitedb
