#pragma once
// The platform's conversions that the viewers rely on.
#include "platform/vb/Variant.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace vb {

// Val: the number at the start of a text. Blanks, tabs and line feeds are
// removed anywhere first; "&H" and "&O" prefixes read hexadecimal and octal
// (a value that fits 16 bits reads as a signed 16-bit number, &HFFFF is -1,
// else as a signed 32-bit one); "E" and "D" start an exponent. A text without
// a leading number gives 0. Raises error 6 when the number is too large for a
// double, or a hexadecimal/octal number for 32 bits.
double Val(const QString& text);

// The whole text as a number, the way text is converted where a number is
// required (CInt, CLng, arithmetic): blanks around it are allowed, the rest
// must be one decimal number (sign, digits, one ".", exponent with E or D) or
// an &H/&O number. std::nullopt when it is not a number (the caller raises
// error 13); raises error 6 when it is too large.
std::optional<double> NumberFromText(const QString& text);

// A number as text: at most 15 significant digits, trailing zeros dropped,
// "." as the decimal point, no zero before the point below 1 in magnitude
// (.5, -.5), and the form 1E-05 / 1E+15 when the decimal exponent is below
// -4 or at least 15. Zero (also -0) gives "0". Infinities and NaN, which no
// conversion produces, give "1.#INF", "-1.#INF" and "1.#QNAN".
QString NumberToText(double value);

// Str: the text of a number with a leading blank when it is not negative.
// For a Variant: Null raises error 94, Empty gives " 0", text is read as a
// number (error 13 when it is not one), booleans give "True"/"False" and
// dates their DateText, both without the blank.
QString Str(double value);
QString Str(const Variant& value);

// CStr: Null raises error 94; Empty gives ""; numbers as NumberToText;
// booleans as "True"/"False"; dates as DateText.
QString CStr(const Variant& value);

// CInt: to the nearest integer, halves to even; error 6 outside -32768..32767
// (and for NaN), error 13 for text that is not a number, error 94 for Null.
// Empty gives 0, True gives -1.
int16_t CInt(const Variant& value);
int16_t CInt(double value);

// CLng: the same for 32 bits.
int32_t CLng(const Variant& value);
int32_t CLng(double value);

// Trim, LTrim, RTrim: blanks only (not tabs), as the platform does.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Dates. Serial days since 30 December 1899, negative values before it; the
// fraction is the time of day (for negative serials it counts forward from the
// day, as the platform does: -1.25 is 29 December 1899 06:00).
// SerialToDateTime rounds the time to the nearest second and gives a UTC
// QDateTime, so that every time of day exists (no daylight-saving gaps): read
// its date() and time(). Serials outside 1 January 100 .. 31 December 9999
// (and NaN) raise error 6. DateTimeToSerial takes the date and time as the
// QDateTime shows them (any time spec); an invalid QDateTime raises error 5.
QDateTime SerialToDateTime(double serial);
double DateTimeToSerial(const QDateTime& dt);

// The text form of a date value: short date with a four-digit year
// (MM/DD/YYYY), followed by a blank and the time ("h:mm:ss AM" / "PM")
// only when there is one. A value on 30 December 1899 (serial day 0) is a
// time alone and shows only the time, midnight as "12:00:00 AM".
QString DateText(DateValue date);

// The date as "mmddyyyy", two-digit month and day, four-digit year (the
// error log's file names: 12082026).
QString FormatMMDDYYYY(const QDateTime& dt);

// An unambiguous date-and-time text for the error log's lines:
// "yyyy-MM-dd HH:mm:ss" on a 24-hour clock ("2026-12-08 14:03:27"), the same
// whatever the user's regional settings, so log lines sort and read alike.
QString DateTimeText(const QDateTime& dt);

}  // namespace vb
