#pragma once
// Text as it comes out of an SQLite database, and the values of the engine
// as platform variants.
#include "platform/vb/Variant.h"

#include <QString>

struct sqlite3_value;

namespace sqlitedb {

// Text bytes of the database: UTF-8, or, when they are not valid UTF-8 (a
// file written by an 8-bit program), Windows-1252.
bool IsValidUtf8(const char* bytes, int size);
QString DecodeDbText(const char* bytes, int size, bool utf8);
inline QString DecodeDbText(const char* bytes, int size) {
  return DecodeDbText(bytes, size, IsValidUtf8(bytes, size));
}

// An engine value as a variant: NULL -> Null, integers -> Long (Double beyond
// 32 bits), reals -> Double, text and blobs -> String.
vb::Variant ToVariant(sqlite3_value* value);

// A value as Jet turns it into text: numbers in the platform's number form.
QString ValueText(sqlite3_value* value);

}  // namespace sqlitedb
