#pragma once
// Tables from CSV files, for the command-line writer and for fixtures.
//
// The first record names the columns as "Name:Type[:Size]" (Type one of
// Boolean, Byte, Integer, Long, Double, DateTime, Text, Memo, in any case;
// Size the characters of a Text column, 50 when left out). Fields follow
// RFC 4180 (commas, double quotes, doubled quotes, line breaks inside
// quotes), UTF-8. An empty unquoted field is Null, "" an empty text.
// Booleans: True/False, Yes/No, 1/0/-1. Dates: YYYY-MM-DD with an optional
// " HH:MM[:SS]" (or "T" instead of the blank), or a serial day number.
#include "tools/jetwriter/JetWriter.h"

#include <QString>

namespace jetwriter {

// Throws std::runtime_error naming the file and line of a fault.
Table ReadCsvTable(const QString& tableName, const QString& csvPath);
Table ParseCsvTable(const QString& tableName, const QString& csvText,
                    const QString& sourceName = QStringLiteral("CSV"));

}  // namespace jetwriter
