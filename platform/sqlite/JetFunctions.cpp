// The Jet functions, LIKE and collation registered on a connection.
#include "platform/sqlite/DbText.h"
#include "platform/sqlite/FunctionRegistry.h"
#include "platform/sqlite/JetDialect.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <new>
#include <sqlite3.h>

namespace sqlitedb {

namespace {

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

void ResultText(sqlite3_context* ctx, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

// A count or position argument: Null raises 94, a negative count 5.
int32_t CountArg(sqlite3_value* v, int32_t minimum) {
  const int32_t n = vb::CLng(ToVariant(v));
  if (n < minimum) vb::Raise(vb::err::InvalidProcedureCall);
  return n;
}

// Runs a function body; a platform error fails the statement with its number.
template <Fn F>
void Guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    F(ctx, argc, argv);
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
  for (int i = 0; i < argc; ++i) {
    if (IsNull(argv[i])) continue;
    allNull = false;
    out += ValueText(argv[i]);
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

// InStr([start,] text, sought[, compare]): compare 0 is binary, otherwise
// (and by default) without regard to case, as Jet compares text.
void InStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const bool withStart = argc >= 3;
  const int32_t start = withStart ? CountArg(argv[0], 1) : 1;
  sqlite3_value* text = argv[withStart ? 1 : 0];
  sqlite3_value* sought = argv[withStart ? 2 : 1];
  const bool binary = argc == 4 && vb::CLng(ToVariant(argv[3])) == 0;
  if (IsNull(text) || IsNull(sought)) return sqlite3_result_null(ctx);
  const QString s = ValueText(text), t = ValueText(sought);
  if (start > s.size() + 1) return sqlite3_result_int(ctx, 0);
  const qsizetype at = s.indexOf(t, start - 1, binary ? Qt::CaseSensitive : Qt::CaseInsensitive);
  sqlite3_result_int64(ctx, at + 1);
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

void IsNullFn(sqlite3_context* ctx, int, sqlite3_value** argv) { sqlite3_result_int(ctx, IsNull(argv[0]) ? 1 : 0); }

// ---------------------------------------------------------------- collation

int Sign(int v) { return (v > 0) - (v < 0); }

unsigned char AsciiLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

// Texts that differ only in case are equal, as in Jet ("abc" = "ABC").
// ASCII runs compare byte by byte; from the first other character on the
// rest is compared as Unicode text, case-folded.
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

int JetNoCase(void*, int n1, const void* p1, int n2, const void* p2) {
  const auto* a = static_cast<const unsigned char*>(p1);
  const auto* b = static_cast<const unsigned char*>(p2);
  const int n = std::min(n1, n2);
  int i = EqualAsciiPrefix(a, b, n);
  for (; i < n && ((a[i] | b[i]) & 0x80) == 0; ++i) {
    const unsigned char la = AsciiLower(a[i]), lb = AsciiLower(b[i]);
    if (la != lb) return la < lb ? -1 : 1;
  }
  if (i == n) return Sign(n1 - n2);
  const QString sa = DecodeDbText(reinterpret_cast<const char*>(a + i), n1 - i);
  const QString sb = DecodeDbText(reinterpret_cast<const char*>(b + i), n2 - i);
  return Sign(QString::compare(sa, sb, Qt::CaseInsensitive));
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
  sqlite3_create_collation_v2(db, kJetCollation, SQLITE_UTF8, nullptr, JetNoCase, nullptr);
}

}  // namespace sqlitedb
