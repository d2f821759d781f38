#include "platform/jetsql/DbText.h"

#include "platform/vb/Conversions.h"
#include "platform/win/Cp1252.h"

#include <QByteArrayView>
#include <limits>
#include <sqlite3.h>

namespace sqlitedb {

bool IsValidUtf8(const char* bytes, int size) { return QByteArrayView(bytes, size).isValidUtf8(); }

QString DecodeDbText(const char* bytes, int size, bool utf8) {
  if (utf8) return QString::fromUtf8(bytes, size);
  return win::cp1252::Decode(QByteArray(bytes, size));
}

namespace {

vb::Variant IntegerVariant(sqlite3_int64 v) {
  if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
    return vb::Variant(static_cast<int32_t>(v));
  return vb::Variant(static_cast<double>(v));
}

QString TextOf(sqlite3_value* value) {
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return DecodeDbText(p ? p : "", sqlite3_value_bytes(value));
}

}  // namespace

vb::Variant ToVariant(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_NULL: return vb::Variant::Null();
    case SQLITE_INTEGER: return IntegerVariant(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return vb::Variant(sqlite3_value_double(value));
    default: return vb::Variant(TextOf(value));
  }
}

QString ValueText(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_NULL: return QString();
    case SQLITE_INTEGER: return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT: return vb::NumberToText(sqlite3_value_double(value));
    default: return TextOf(value);
  }
}

}  // namespace sqlitedb
