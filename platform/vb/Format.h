#pragma once
// The platform's Format function, in its common forms.
#include "platform/vb/Variant.h"

#include <QString>

namespace vb {

// Format(value, format) for the forms people write:
//   no format          numbers as NumberToText, dates as DateText, text as is
//   date formats       d dd ddd dddd, m mm mmm mmmm (minutes right after an
//                      hour: "h:mm"), yy yyyy, y (day of the year), h hh,
//                      n nn, s ss, AM/PM am/pm A/P a/p (12-hour clock);
//                      "yyyy", "mm/dd/yyyy", "mmmm d, yyyy", "dd-mmm-yy",
//                      "hh:nn AM/PM". Month and day names are English.
//   number formats     0 (a digit, shown also when zero), # (a digit, left
//                      out when zero), . (decimal point), , between digit
//                      placeholders (thousands groups), % (times 100);
//                      "0.00", "#,##0", "#,##0.00", "000", "0%", "#.##".
//                      Halves round away from zero; a minus sign leads.
// Other characters are copied; "..." and \x copy the quoted text or
// character. Only the first of ";"-separated sections is used. Named
// formats ("Short Date", "Currency", ...) are not read: their letters count
// as placeholders or literal characters.
// A format with date placeholders reads the value as a date: a number is a
// serial, a text is read with DateFromText; a number format reads it as a
// number. A text that cannot be read so comes back unchanged. Null gives "".
QString Format(const Variant& value, const QString& format = QString());

}  // namespace vb
