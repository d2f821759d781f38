#include "platform/vb/DateParsing.h"

#include "platform/vb/Conversions.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace vb {

namespace {

int FullYear(const QString& digits) {
  const int year = digits.toInt();
  if (digits.size() > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

// 1 to 12 for an English month name or its first three letters ("Sept" too).
int MonthOfName(const QString& name) {
  static const char* const kMonths[] = {"january", "february", "march",     "april",
                                        "may",     "june",     "july",      "august",
                                        "september", "october", "november", "december"};
  const QString n = name.toLower();
  for (int m = 0; m < 12; ++m) {
    const QLatin1String full(kMonths[m]);
    if (n == full || (n.size() >= 3 && full.startsWith(n) && (n.size() == 3 || n == QLatin1String("sept"))))
      return m + 1;
  }
  return 0;
}

struct DatePart {
  QDate date;
  qsizetype length = 0;  // characters the date took at the start of the text
};

// The date at the start of `text`, in one of the forms of DateFromText.
std::optional<DatePart> LeadingDate(const QString& text) {
  static const QRegularExpression numeric(
      QStringLiteral(R"(^(\d{1,4})([/-])(\d{1,2})\2(\d{1,4})(?=\s|$))"));
  static const QRegularExpression dayFirst(
      QStringLiteral(R"(^(\d{1,2})[ -]([A-Za-z]{3,9})\.?,?[ -](\d{1,4})(?=\s|$))"));
  static const QRegularExpression monthFirst(
      QStringLiteral(R"(^([A-Za-z]{3,9})\.?[ -](\d{1,2}),?[ -](\d{1,4})(?=\s|$))"));
  QRegularExpressionMatch m = numeric.match(text);
  if (m.hasMatch()) {
    const QString first = m.captured(1), last = m.captured(4);
    if (first.size() > 2) {  // year first
      if (last.size() > 2) return std::nullopt;
      return DatePart{QDate(first.toInt(), m.captured(3).toInt(), last.toInt()), m.capturedLength()};
    }
    return DatePart{QDate(FullYear(last), first.toInt(), m.captured(3).toInt()), m.capturedLength()};
  }
  m = dayFirst.match(text);
  if (m.hasMatch()) {
    const int month = MonthOfName(m.captured(2));
    if (month == 0) return std::nullopt;
    return DatePart{QDate(FullYear(m.captured(3)), month, m.captured(1).toInt()), m.capturedLength()};
  }
  m = monthFirst.match(text);
  if (m.hasMatch()) {
    const int month = MonthOfName(m.captured(1));
    if (month == 0) return std::nullopt;
    return DatePart{QDate(FullYear(m.captured(3)), month, m.captured(2).toInt()), m.capturedLength()};
  }
  return std::nullopt;
}

std::optional<QTime> TimeOfText(const QString& text) {
  static const QRegularExpression re(
      QStringLiteral(R"(^(\d{1,2})(?::(\d{1,2}))?(?::(\d{1,2}))?\s*(AM|PM)?$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty())) return std::nullopt;
  int hour = m.captured(1).toInt();
  const QString half = m.captured(4).toUpper();
  if (!half.isEmpty()) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
  }
  const QTime time(hour, m.captured(2).toInt(), m.captured(3).toInt());
  if (!time.isValid()) return std::nullopt;
  return time;
}

}  // namespace

std::optional<double> DateFromText(const QString& text) {
  const QString s = text.simplified();
  QDate date(1899, 12, 30);
  QTime time(0, 0);
  QString rest = s;
  if (const std::optional<DatePart> d = LeadingDate(s)) {
    if (!d->date.isValid() || d->date.year() < 100 || d->date.year() > 9999) return std::nullopt;
    date = d->date;
    rest = s.mid(d->length).trimmed();
    if (rest.isEmpty()) return DateTimeToSerial(QDateTime(date, time, Qt::UTC));
  }
  const std::optional<QTime> t = TimeOfText(rest);
  if (!t) return std::nullopt;
  return DateTimeToSerial(QDateTime(date, *t, Qt::UTC));
}

}  // namespace vb
