#pragma once
// Dates and times written as text, read the way the platform reads them in
// date literals and date conversions (CDate, DateValue): month before day.
#include <QString>
#include <optional>

namespace vb {

// The serial (days since 30 December 1899, fraction = time of day) of a date,
// a date and a time, or a time alone, written in one of these forms:
//   date:  1/2/1850, 1-2-1850, 1/2/50 (two-digit years: 00-29 are 2000-2029,
//          30-99 are 1930-1999), 1850-01-02, 1850/1/2,
//          2 Jan 1850, 2-Jan-1850, 2 January 1850, Jan 2, 1850,
//          January 2 1850 (month names in English, full or three letters,
//          without regard to case)
//   time:  10:30, 10:30:15, 10:30 PM, 10 PM (AM/PM without regard to case)
// A date may be followed by a time after a blank; a time alone is a time of
// 30 December 1899 (serial day 0). Blanks at the ends are ignored. nullopt
// for any other text and for a day, month, year (100 to 9999) or time that
// does not exist.
std::optional<double> DateFromText(const QString& text);

}  // namespace vb
