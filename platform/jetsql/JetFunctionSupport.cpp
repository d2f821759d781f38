#include "platform/jetsql/JetFunctionSupport.h"

#include "platform/jetsql/DbText.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/DateParsing.h"

#include <optional>

namespace sqlitedb {

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

bool IsText(sqlite3_value* v) {
  const int t = sqlite3_value_type(v);
  return t == SQLITE_TEXT || t == SQLITE_BLOB;
}

bool LongArguments(int argc, sqlite3_value** argv) {
  constexpr int64_t kLongArgumentBytes = 1 << 15;
  int64_t bytes = 0;
  for (int i = 0; i < argc; ++i) {
    if (IsText(argv[i])) bytes += sqlite3_value_bytes(argv[i]);
  }
  return bytes >= kLongArgumentBytes;
}

void CheckResultLength(sqlite3_context* ctx, qsizetype length) {
  if (length > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1))
    vb::Raise(vb::err::ResourceExceeded);
}

void ResultText(sqlite3_context* ctx, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  sqlite3_result_text(ctx, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void ResultBoolean(sqlite3_context* ctx, bool value) { sqlite3_result_int(ctx, value ? -1 : 0); }

int32_t CountArg(sqlite3_value* v, int32_t minimum) {
  const int32_t n = vb::CLng(ToVariant(v));
  if (n < minimum) vb::Raise(vb::err::InvalidProcedureCall);
  return n;
}

double NumberArg(sqlite3_value* v) { return ToVariant(v).ToDouble(); }

double SerialArg(sqlite3_value* v) {
  if (!IsText(v)) return sqlite3_value_double(v);
  const QString text = ValueText(v);
  if (const std::optional<double> serial = vb::DateFromText(text)) return *serial;
  if (const std::optional<double> number = vb::NumberFromText(text)) return *number;
  vb::Raise(vb::err::TypeMismatch);
}

QString OptionText(sqlite3_value* v) {
  if (IsNull(v)) vb::Raise(vb::err::InvalidUseOfNull);
  return ValueText(v);
}

int32_t OptionNumber(sqlite3_value* v) { return vb::CLng(ToVariant(v)); }

bool TextCompare(sqlite3_value* v) {
  switch (OptionNumber(v)) {
    case 0: return false;
    case -1:
    case 1:
    case 2: return true;
    default: vb::Raise(vb::err::InvalidProcedureCall);
  }
}

}  // namespace sqlitedb
