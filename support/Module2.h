#pragma once
// Reading and writing one key of a settings file.
#include <QString>

namespace Module2 {

// Writes Key=Value into Section of FileName, creating what is missing; a
// failed write is not reported.
void WriteINIValue(const QString& Section, const QString& Key,
                   const QString& Value, const QString& FileName);
// The key's value (at most 2047 characters), Default when the file, section
// or key is missing, "" for a key with an empty value.
QString ReadINIValue(const QString& Section, const QString& Key,
                     const QString& Default, const QString& FileName);

}  // namespace Module2
