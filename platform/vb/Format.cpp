#include "platform/vb/Format.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/DateParsing.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cmath>
#include <optional>

namespace vb {

namespace {

// ---------------------------------------------------------------- format text

// A piece of a format: a run of one placeholder letter ("mmmm"), or literal
// text.
struct Piece {
  bool literal = true;
  QString text;
};

bool IsDateLetter(QChar c) {
  switch (c.toLower().unicode()) {
    case u'd': case u'm': case u'y': case u'h': case u'n': case u's': return true;
    default: return false;
  }
}

bool StartsWithNoCase(const QString& s, qsizetype at, const char* word) {
  return QStringView(s).mid(at).startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

// The first section of the format in pieces. A date form reads runs of
// placeholder letters and AM/PM markers; a number form gives each unquoted
// character as a piece of its own.
std::vector<Piece> SplitFormat(const QString& format, bool dateForm) {
  std::vector<Piece> out;
  auto literal = [&out](const QString& text) {
    if (out.empty() || !out.back().literal) out.push_back({true, QString()});
    out.back().text += text;
  };
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format[i];
    if (c == u';') break;
    if (c == u'"') {
      const qsizetype close = format.indexOf(u'"', i + 1);
      const qsizetype end = close < 0 ? format.size() : close;
      literal(format.mid(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == u'\\' && i + 1 < format.size()) {
      literal(QString(format[i + 1]));
      i += 2;
    } else if (dateForm && (StartsWithNoCase(format, i, "AM/PM") || StartsWithNoCase(format, i, "A/P"))) {
      const qsizetype n = StartsWithNoCase(format, i, "AM/PM") ? 5 : 3;
      out.push_back({false, format.mid(i, n)});
      i += n;
    } else if (dateForm && IsDateLetter(c)) {
      qsizetype j = i;
      while (j < format.size() && format[j].toLower() == c.toLower()) ++j;
      out.push_back({false, format.mid(i, j - i).toLower()});
      i = j;
    } else if (!dateForm) {
      out.push_back({false, QString(c)});
      ++i;
    } else {
      literal(QString(c));
      ++i;
    }
  }
  return out;
}

bool HasDatePlaceholder(const QString& format) {
  for (const Piece& p : SplitFormat(format, true)) {
    if (!p.literal) return true;
  }
  return false;
}

// ---------------------------------------------------------------- dates

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                 "Friday", "Saturday", "Sunday"};

QString Padded(int n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }

// One run of a placeholder letter; `minutes` tells an "m" after an hour.
QString DateField(const QString& run, const QDate& d, const QTime& t, bool twelveHour, bool minutes) {
  const QChar letter = run[0];
  const qsizetype n = run.size();
  switch (letter.unicode()) {
    case u'y':
      if (n >= 3) return Padded(d.year(), 4);
      if (n == 2) return Padded(d.year() % 100, 2);
      return QString::number(d.dayOfYear());
    case u'm':
      if (minutes) return n >= 2 ? Padded(t.minute(), 2) : QString::number(t.minute());
      if (n >= 4) return QLatin1String(kMonthNames[d.month() - 1]);
      if (n == 3) return QLatin1String(kMonthNames[d.month() - 1]).left(3);
      return n == 2 ? Padded(d.month(), 2) : QString::number(d.month());
    case u'd':
      if (n >= 4) return QLatin1String(kDayNames[d.dayOfWeek() - 1]);
      if (n == 3) return QLatin1String(kDayNames[d.dayOfWeek() - 1]).left(3);
      return n == 2 ? Padded(d.day(), 2) : QString::number(d.day());
    case u'h': {
      int hour = t.hour();
      if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
      return n >= 2 ? Padded(hour, 2) : QString::number(hour);
    }
    case u'n': return n >= 2 ? Padded(t.minute(), 2) : QString::number(t.minute());
    case u's': return n >= 2 ? Padded(t.second(), 2) : QString::number(t.second());
    default: return run;
  }
}

QString AmPm(const QString& marker, const QTime& t) {
  const bool pm = t.hour() >= 12;
  const bool upper = marker[0].isUpper();
  QString text = marker.size() == 5 ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                                    : (pm ? QStringLiteral("P") : QStringLiteral("A"));
  return upper ? text : text.toLower();
}

QString FormatDate(double serial, const QString& format) {
  const QDateTime dt = SerialToDateTime(serial);
  const QDate d = dt.date();
  const QTime t = dt.time();
  const std::vector<Piece> pieces = SplitFormat(format, true);
  bool twelveHour = false;
  for (const Piece& p : pieces) twelveHour = twelveHour || (!p.literal && p.text.contains(u'/'));
  QString out;
  bool afterHour = false;
  for (const Piece& p : pieces) {
    if (p.literal) {
      out += p.text;
    } else if (p.text.contains(u'/')) {
      out += AmPm(p.text, t);
    } else {
      out += DateField(p.text, d, t, twelveHour, afterHour && p.text[0] == u'm');
      afterHour = p.text[0] == u'h';
    }
  }
  return out;
}

// ---------------------------------------------------------------- numbers

// |value| rounded half away from zero to `decimals` places, as decimal
// digits: the integer digits (at least "0") and exactly `decimals` more.
// The value is first taken to 15 significant digits, as the platform does,
// so that 1.005 rounds to 1.01.
void RoundedDigits(double value, int decimals, QString& integer, QString& fraction) {
  const QString e = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde+x
  const qsizetype ePos = e.indexOf(u'e');
  QString digits = e.left(ePos).remove(u'.');
  int exponent = e.mid(ePos + 1).toInt();  // the place value of digits[0] is 10^exponent
  const int keep = exponent + 1 + decimals;  // how many digits stay
  if (keep < 0) {
    digits.clear();
  } else if (keep < digits.size()) {
    const bool up = digits[keep] >= u'5';
    digits.truncate(keep);
    if (up) {
      int k = keep - 1;
      while (k >= 0 && digits[k] == u'9') digits[k--] = u'0';
      if (k >= 0) {
        digits[k] = QChar(digits[k].unicode() + 1);
      } else {
        digits.prepend(u'1');
        ++exponent;
      }
    }
  }
  const int intDigits = exponent + 1;
  if (intDigits <= 0) {
    integer = QStringLiteral("0");
    fraction = QString(-intDigits, u'0') + digits;
  } else {
    const QString padded = digits.leftJustified(intDigits, u'0');
    integer = padded.left(intDigits);
    fraction = padded.mid(intDigits);
  }
  fraction = fraction.leftJustified(decimals, u'0', true);
  while (integer.size() > 1 && integer[0] == u'0') integer.remove(0, 1);
}

QString Grouped(const QString& digits) {
  QString out;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += u',';
    out += digits[i];
  }
  return out;
}

QString FormatNumber(double value, const QString& format) {
  // Literal text before and after the run of placeholders.
  const std::vector<Piece> pieces = SplitFormat(format, false);
  QString before, pattern, after;
  bool percent = false;
  for (const Piece& p : pieces) {
    const QChar c = p.text.isEmpty() ? QChar() : p.text[0];
    const bool placeholder =
        !p.literal && (c == u'0' || c == u'#' || c == u'.' || c == u',');
    if (!p.literal && c == u'%') percent = true;
    if (placeholder && after.isEmpty()) pattern += c;
    else if (pattern.isEmpty()) before += p.text;
    else after += p.text;
  }
  if (percent) value *= 100;
  const qsizetype point = pattern.indexOf(u'.');
  const QString intPattern = point < 0 ? pattern : pattern.left(point);
  const QString fracPattern = point < 0 ? QString() : pattern.mid(point + 1).remove(u',');
  const int minInt = static_cast<int>(intPattern.count(u'0'));
  const int minFrac = static_cast<int>(fracPattern.count(u'0'));
  const int maxFrac = static_cast<int>(fracPattern.size());
  const bool groups = intPattern.contains(u',');

  QString integer, fraction;
  RoundedDigits(value, maxFrac, integer, fraction);
  while (fraction.size() > minFrac && fraction.endsWith(u'0')) fraction.chop(1);
  if (integer == QLatin1String("0") && minInt == 0) integer.clear();
  if (integer.size() < minInt) integer = QString(minInt - integer.size(), u'0') + integer;
  if (groups) integer = Grouped(integer);
  QString number = integer;
  if (point >= 0) number += u'.' + fraction;
  const bool zero = !std::any_of(number.begin(), number.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
  return (value < 0 && !zero ? QStringLiteral("-") : QString()) + before + number + after;
}

std::optional<double> NumberOf(const Variant& value) {
  if (value.type() == Variant::Type::String) return NumberFromText(value.AsString());
  return value.ToDouble();
}

}  // namespace

QString Format(const Variant& value, const QString& format) {
  if (value.IsNull() || value.IsEmpty()) return QString();
  if (format.isEmpty()) return value.type() == Variant::Type::String ? value.AsString() : CStr(value);
  if (HasDatePlaceholder(format)) {
    std::optional<double> serial;
    if (value.type() == Variant::Type::String) serial = DateFromText(value.AsString());
    else serial = value.type() == Variant::Type::Date ? value.AsDate().serial : value.ToDouble();
    if (!serial) return value.AsString();
    return FormatDate(*serial, format);
  }
  const std::optional<double> number = NumberOf(value);
  if (!number) return value.AsString();
  return FormatNumber(*number, format);
}

}  // namespace vb
