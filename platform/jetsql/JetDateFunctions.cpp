// The Jet functions of dates and times. A date is a serial: days since
// 30 December 1899, the fraction the time of day (vb::SerialToDateTime).
// Arguments that are dates take serials, or texts read as dates; a serial
// outside 1 January 100 .. 31 December 9999 raises 6, a calculated date
// outside them 5. Null in gives Null out; Null as an interval or another
// option raises 94.
#include "platform/jetsql/DbText.h"
#include "platform/jetsql/JetFunctionSupport.h"
#include "platform/jetsql/StatementLimits.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/DateParsing.h"

#include <QDateTime>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sqlitedb {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// A date and time as the calendar shows them, to the second.
struct Moment {
  QDate date;
  int second = 0;  // of the day
};

// The moment of a serial, its time rounded to the nearest second; a serial
// outside the dates raises 6.
Moment MomentOf(double serial) {
  const QDateTime dt = vb::SerialToDateTime(serial);
  return {dt.date(), dt.time().msecsSinceStartOfDay() / 1000};
}

Moment MomentArg(sqlite3_value* v) { return MomentOf(SerialArg(v)); }

// The serial of a calculated moment; one outside the years 100 to 9999
// raises 5.
double SerialOf(const Moment& m) {
  if (!m.date.isValid() || m.date.year() < 100 || m.date.year() > 9999)
    vb::Raise(vb::err::InvalidProcedureCall);
  return vb::DateTimeToSerial(QDateTime(m.date, QTime(0, 0).addSecs(m.second), Qt::UTC));
}

// Seconds on one scale for every date and time (from the start of the
// Julian day count), to count boundaries and to add times.
int64_t SecondsOf(const Moment& m) { return m.date.toJulianDay() * kSecondsPerDay + m.second; }

Moment MomentAt(int64_t seconds) {
  if (seconds < 0) vb::Raise(vb::err::InvalidProcedureCall);
  return {QDate::fromJulianDay(seconds / kSecondsPerDay), static_cast<int>(seconds % kSecondsPerDay)};
}

// The interval codes of DateAdd, DateDiff and DatePart, without regard to
// case; any other raises 5.
enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval IntervalArg(sqlite3_value* v) {
  static const std::pair<const char*, Interval> kCodes[] = {
      {"yyyy", Interval::Year},     {"q", Interval::Quarter}, {"m", Interval::Month},
      {"y", Interval::DayOfYear},   {"d", Interval::Day},     {"w", Interval::Weekday},
      {"ww", Interval::Week},       {"h", Interval::Hour},    {"n", Interval::Minute},
      {"s", Interval::Second}};
  const QString code = OptionText(v);
  for (const auto& [text, interval] : kCodes) {
    if (code.compare(QLatin1String(text), Qt::CaseInsensitive) == 0) return interval;
  }
  vb::Raise(vb::err::InvalidProcedureCall);
}

// The first day of the week, argument `index` when given: 1 Sunday (the
// default) to 7 Saturday; 0, the system's choice, is Sunday. Else 5.
int FirstDayArg(int argc, sqlite3_value** argv, int index) {
  if (argc <= index) return 1;
  const int32_t day = OptionNumber(argv[index]);
  if (day < 0 || day > 7) vb::Raise(vb::err::InvalidProcedureCall);
  return day == 0 ? 1 : day;
}

// The first week of the year, argument `index` when given: 1 the week of
// 1 January (the default), 2 the first week with at least four days of the
// year, 3 the first whole week; 0, the system's choice, is 1. Else 5.
int FirstWeekArg(int argc, sqlite3_value** argv, int index) {
  if (argc <= index) return 1;
  const int32_t week = OptionNumber(argv[index]);
  if (week < 0 || week > 3) vb::Raise(vb::err::InvalidProcedureCall);
  return week == 0 ? 1 : week;
}

// The day of the week, 1 for `firstDay` (1 Sunday ... 7 Saturday).
int DayOfWeek(const QDate& d, int firstDay) {
  const int fromSunday = d.dayOfWeek() % 7 + 1;  // Qt counts Monday as 1, Sunday as 7
  return (fromSunday - firstDay + 7) % 7 + 1;
}

QDate WeekStart(const QDate& d, int firstDay) { return d.addDays(1 - DayOfWeek(d, firstDay)); }

// The first day of week 1 of a year.
QDate FirstWeekStart(int year, int firstDay, int firstWeek) {
  const QDate jan1(year, 1, 1);
  const QDate start = WeekStart(jan1, firstDay);
  if (firstWeek == 1) return start;
  const qint64 daysInYear = 7 - start.daysTo(jan1);
  return daysInYear >= (firstWeek == 2 ? 4 : 7) ? start : start.addDays(7);
}

// The week of the year: 1 from the first day of week 1; a day before it is
// in the last week of the year before, and with weeks counted from the
// first four-day or whole week the last days of December may be in week 1
// of the next year. Counted from the week of 1 January, 31 December can be
// in week 54.
int WeekOfYear(const QDate& d, int firstDay, int firstWeek) {
  QDate first = FirstWeekStart(d.year(), firstDay, firstWeek);
  if (d < first) first = FirstWeekStart(d.year() - 1, firstDay, firstWeek);
  else if (firstWeek != 1 && d >= FirstWeekStart(d.year() + 1, firstDay, firstWeek)) return 1;
  return static_cast<int>(first.daysTo(WeekStart(d, firstDay)) / 7 + 1);
}

int PartOf(Interval interval, const Moment& m, int firstDay, int firstWeek) {
  switch (interval) {
    case Interval::Year: return m.date.year();
    case Interval::Quarter: return (m.date.month() - 1) / 3 + 1;
    case Interval::Month: return m.date.month();
    case Interval::DayOfYear: return m.date.dayOfYear();
    case Interval::Day: return m.date.day();
    case Interval::Weekday: return DayOfWeek(m.date, firstDay);
    case Interval::Week: return WeekOfYear(m.date, firstDay, firstWeek);
    case Interval::Hour: return m.second / 3600;
    case Interval::Minute: return m.second / 60 % 60;
    case Interval::Second: return m.second % 60;
  }
  return 0;
}

// Months are added to the month and year; a day beyond the end of the new
// month becomes its last day (31 January + 1 month is 28 or 29 February).
// The time of day stays.
Moment AddMonths(const Moment& m, int64_t months) {
  if (std::llabs(months) > 12 * 10000) vb::Raise(vb::err::InvalidProcedureCall);
  return {m.date.addMonths(static_cast<int>(months)), m.second};
}

Moment Added(const Moment& m, Interval interval, int64_t n) {
  switch (interval) {
    case Interval::Year: return AddMonths(m, n * 12);
    case Interval::Quarter: return AddMonths(m, n * 3);
    case Interval::Month: return AddMonths(m, n);
    case Interval::Week: return MomentAt(SecondsOf(m) + n * 7 * kSecondsPerDay);
    case Interval::Hour: return MomentAt(SecondsOf(m) + n * 3600);
    case Interval::Minute: return MomentAt(SecondsOf(m) + n * 60);
    case Interval::Second: return MomentAt(SecondsOf(m) + n);
    default: return MomentAt(SecondsOf(m) + n * kSecondsPerDay);  // y, d and w add days
  }
}

int64_t MonthNumber(const QDate& d) { return int64_t(d.year()) * 12 + d.month() - 1; }

// DateDiff counts the boundaries crossed from a to b: year ends for "yyyy",
// midnights for "d", hours for "h", ...; "w" counts whole weeks (seven days),
// "ww" the first days of the week after a up to and including b.
int64_t Difference(Interval interval, const Moment& a, const Moment& b, int firstDay) {
  const int64_t days = a.date.daysTo(b.date);
  switch (interval) {
    case Interval::Year: return b.date.year() - a.date.year();
    case Interval::Quarter: return MonthNumber(b.date) / 3 - MonthNumber(a.date) / 3;
    case Interval::Month: return MonthNumber(b.date) - MonthNumber(a.date);
    case Interval::Weekday: return days / 7;
    case Interval::Week: return WeekStart(a.date, firstDay).daysTo(WeekStart(b.date, firstDay)) / 7;
    case Interval::Hour: return SecondsOf(b) / 3600 - SecondsOf(a) / 3600;
    case Interval::Minute: return SecondsOf(b) / 60 - SecondsOf(a) / 60;
    case Interval::Second: return SecondsOf(b) - SecondsOf(a);
    default: return days;  // y and d
  }
}

// ---------------------------------------------------------------- functions

// The text of a Date/Time value where Jet wants text (Like, &, Left, ...):
// numbers are serials and give the date's text; text stays as it is.
void DateTextFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  if (IsText(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  ResultText(ctx, vb::DateText(vb::DateValue{sqlite3_value_double(argv[0])}));
}

// Year, Month, Day, Hour, Minute, Second and Weekday(d [, firstdayofweek]).
template <Interval I>
void PartFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const int firstDay = FirstDayArg(argc, argv, 1);
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, PartOf(I, MomentArg(argv[0]), firstDay, 1));
}

void CDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) vb::Raise(vb::err::InvalidUseOfNull);
  const double serial = SerialArg(argv[0]);
  vb::SerialToDateTime(serial);  // a serial outside the dates raises 6
  sqlite3_result_double(ctx, serial);
}

void DateValueFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0])) return sqlite3_result_null(ctx);
  const double serial = SerialArg(argv[0]);
  vb::SerialToDateTime(serial);
  sqlite3_result_double(ctx, std::trunc(serial));
}

// IsDate: -1 for a text that reads as a date or a time, else 0 (a number,
// Null). A Date/Time value reaches it as its date text.
void IsDateFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  ResultBoolean(ctx, IsText(argv[0]) && vb::DateFromText(ValueText(argv[0])).has_value());
}

// The moment the running statement started, local time, to the second.
// Kept for the statement: turning a time into local time takes longer than
// the rest of a comparison on a row.
Moment StatementMoment() {
  thread_local int64_t keptMs = -1;
  thread_local Moment kept;
  const int64_t ms = StatementStartMs();
  if (ms != keptMs) {
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(ms);
    kept = {now.date(), now.time().msecsSinceStartOfDay() / 1000};
    keptMs = ms;
  }
  return kept;
}

// Now: today's serial with the time; Date: without the time; Time: the time
// alone (a fraction of serial day 0). All three read the statement's start.
void NowFn(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_double(ctx, SerialOf(StatementMoment())); }
void DateFn(sqlite3_context* ctx, int, sqlite3_value**) {
  sqlite3_result_double(ctx, SerialOf({StatementMoment().date, 0}));
}
void TimeFn(sqlite3_context* ctx, int, sqlite3_value**) {
  sqlite3_result_double(ctx, static_cast<double>(StatementMoment().second) / kSecondsPerDay);
}

// DateAdd(interval, n, d): n is rounded to a whole number (halves to even).
void DateAddFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const Interval interval = IntervalArg(argv[0]);
  if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
  const int32_t n = vb::CLng(NumberArg(argv[1]));
  sqlite3_result_double(ctx, SerialOf(Added(MomentArg(argv[2]), interval, n)));
}

// DateDiff(interval, d1, d2 [, firstdayofweek [, firstweekofyear]]): a
// count beyond 32 bits raises 6. The first week of the year changes no
// count; it is checked all the same.
void DateDiffFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const Interval interval = IntervalArg(argv[0]);
  const int firstDay = FirstDayArg(argc, argv, 3);
  FirstWeekArg(argc, argv, 4);
  if (IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
  const int64_t count = Difference(interval, MomentArg(argv[1]), MomentArg(argv[2]), firstDay);
  if (count < std::numeric_limits<int32_t>::min() || count > std::numeric_limits<int32_t>::max())
    vb::Raise(vb::err::Overflow);
  sqlite3_result_int64(ctx, count);
}

// DatePart(interval, d [, firstdayofweek [, firstweekofyear]]).
void DatePartFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  const Interval interval = IntervalArg(argv[0]);
  const int firstDay = FirstDayArg(argc, argv, 2);
  const int firstWeek = FirstWeekArg(argc, argv, 3);
  if (IsNull(argv[1])) return sqlite3_result_null(ctx);
  sqlite3_result_int(ctx, PartOf(interval, MomentArg(argv[1]), firstDay, firstWeek));
}

// DateSerial(year, month, day): whole numbers of 16 bits (halves to even;
// beyond: 6). Years 0 to 29 are 2000 to 2029, 30 to 99 are 1930 to 1999;
// months beyond 1 to 12 carry into the years, days beyond the month's into
// the months (day 0 is the last day of the month before).
void DateSerialFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (IsNull(argv[0]) || IsNull(argv[1]) || IsNull(argv[2])) return sqlite3_result_null(ctx);
  int year = vb::CInt(ToVariant(argv[0]));
  const int month = vb::CInt(ToVariant(argv[1]));
  const int day = vb::CInt(ToVariant(argv[2]));
  if (year >= 0 && year <= 99) year += year < 30 ? 2000 : 1900;
  const int months = year * 12 + month - 1;
  // From before year 1 no count of days reaches year 100.
  if (months < 12) vb::Raise(vb::err::InvalidProcedureCall);
  const QDate first(months / 12, months % 12 + 1, 1);
  sqlite3_result_double(ctx, SerialOf({first.addDays(day - 1), 0}));
}

const JetFunctionDef kDateFunctions[] = {
    {"jet_datetext", 1, Guarded<DateTextFn>},
    {"year", 1, Guarded<PartFn<Interval::Year>>},
    {"month", 1, Guarded<PartFn<Interval::Month>>},
    {"day", 1, Guarded<PartFn<Interval::Day>>},
    {"hour", 1, Guarded<PartFn<Interval::Hour>>},
    {"minute", 1, Guarded<PartFn<Interval::Minute>>},
    {"second", 1, Guarded<PartFn<Interval::Second>>},
    {"weekday", 1, Guarded<PartFn<Interval::Weekday>>},
    {"weekday", 2, Guarded<PartFn<Interval::Weekday>>},
    {"cdate", 1, Guarded<CDate>},
    {"datevalue", 1, Guarded<DateValueFn>},
    {"isdate", 1, Guarded<IsDateFn>},
    {"now", 0, Guarded<NowFn>, false},
    {"date", 0, Guarded<DateFn>, false},
    {"time", 0, Guarded<TimeFn>, false},
    {"dateadd", 3, Guarded<DateAddFn>},
    {"datediff", 3, Guarded<DateDiffFn>},
    {"datediff", 4, Guarded<DateDiffFn>},
    {"datediff", 5, Guarded<DateDiffFn>},
    {"datepart", 2, Guarded<DatePartFn>},
    {"datepart", 3, Guarded<DatePartFn>},
    {"datepart", 4, Guarded<DatePartFn>},
    {"dateserial", 3, Guarded<DateSerialFn>},
};

}  // namespace

std::span<const JetFunctionDef> JetDateFunctions() { return kDateFunctions; }

}  // namespace sqlitedb
