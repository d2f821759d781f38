#include "platform/vb/Conversions.h"

#include "platform/vb/VbError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vb {

namespace {

// ---------------------------------------------------------------- reading numbers

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int RadixDigit(QChar c, int radix) {
  int d = -1;
  if (IsDigit(c)) d = c.unicode() - u'0';
  else if (c >= u'a' && c <= u'f') d = c.unicode() - u'a' + 10;
  else if (c >= u'A' && c <= u'F') d = c.unicode() - u'A' + 10;
  return d < radix ? d : -1;
}

// The radix of an "&H" / "&O" prefix at the start of s, or 0 when there is none.
int RadixPrefix(QStringView s) {
  if (s.size() < 2 || s[0] != u'&') return 0;
  const QChar p = s[1].toUpper();
  return p == u'H' ? 16 : p == u'O' ? 8 : 0;
}

// A hexadecimal or octal number as the platform reads it: a value that fits
// 16 bits is a signed 16-bit number, else a signed 32-bit number.
double RadixValue(uint64_t bits) {
  if (bits <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(bits));
  return static_cast<int32_t>(static_cast<uint32_t>(bits));
}

// Reads the digits after an "&H"/"&O" prefix; *end is where reading stopped.
double ReadRadix(QStringView s, int radix, qsizetype* end) {
  uint64_t bits = 0;
  qsizetype i = 2;
  for (; i < s.size(); ++i) {
    const int d = RadixDigit(s[i], radix);
    if (d < 0) break;
    bits = bits * radix + d;
    if (bits > 0xFFFFFFFFu) Raise(err::Overflow);
  }
  *end = i;
  return RadixValue(bits);
}

// The parts of a decimal number found at the start of a text.
struct DecimalScan {
  bool negative = false;
  std::string mantissa;  // digits and at most one '.', at least one digit
  std::string exponent;  // sign and digits after E/D, empty when none
  qsizetype end = 0;     // where the number stopped
};

// Scans the longest leading decimal number: sign, digits with at most one
// point, optional exponent (E or D, sign, digits). False when there is none.
bool ScanDecimal(QStringView s, DecimalScan* out) {
  qsizetype i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) out->negative = s[i++] == u'-';
  bool digits = false, point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      digits = true;
    } else if (s[i] == u'.' && !point) {
      point = true;
    } else {
      break;
    }
    out->mantissa += static_cast<char>(s[i].unicode());
  }
  if (!digits) return false;
  out->end = i;
  if (i < s.size() && QStringLiteral("EeDd").contains(s[i])) {
    qsizetype j = i + 1;
    std::string exp;
    if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exp += static_cast<char>(s[j++].unicode());
    const qsizetype firstDigit = j;
    while (j < s.size() && IsDigit(s[j])) exp += static_cast<char>(s[j++].unicode());
    if (j > firstDigit) {
      out->exponent = exp;
      out->end = j;
    }
  }
  return true;
}

// Whether a number that did not fit a double is too large (not too small):
// the decimal exponent of its first significant digit is positive.
bool TooLarge(const DecimalScan& n) {
  long long exp = 0;
  bool expNegative = false;
  for (char c : n.exponent) {
    if (c == '-') expNegative = true;
    else if (c != '+' && exp < 1'000'000'000) exp = exp * 10 + (c - '0');
  }
  if (expNegative) exp = -exp;
  const std::string& m = n.mantissa;
  const auto pointAt = m.find('.');
  const long long intDigits = static_cast<long long>(pointAt == std::string::npos ? m.size() : pointAt);
  const auto first = m.find_first_not_of("0.");
  if (first == std::string::npos) return false;  // zero never overflows
  const long long firstPos = static_cast<long long>(first);
  const long long lead = firstPos < intDigits ? intDigits - firstPos : intDigits - firstPos + 1;
  return exp + lead > 0;
}

// The value of a scanned decimal number; raises error 6 when it is too large.
double DecimalValue(const DecimalScan& n) {
  std::string text = n.mantissa;
  if (!n.exponent.empty()) text += 'e' + n.exponent;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                         std::chars_format::general);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (TooLarge(n)) Raise(err::Overflow);
    value = 0;
  }
  if (value == 0) return 0;  // no negative zero
  return n.negative ? -value : value;
}

// --------------------------------------------------------------- numbers to text

QString InfinityOrNaNText(double value) {
  if (std::isnan(value)) return QStringLiteral("1.#QNAN");
  return value < 0 ? QStringLiteral("-1.#INF") : QStringLiteral("1.#INF");
}

// The fixed form of significant digits d1d2d3... with the decimal exponent of d1.
QString FixedForm(const std::string& digits, int exp) {
  std::string text;
  if (exp < 0) {
    text.append(1, '.').append(static_cast<size_t>(-exp - 1), '0').append(digits);
  } else if (static_cast<size_t>(exp) + 1 >= digits.size()) {
    text = digits + std::string(static_cast<size_t>(exp) + 1 - digits.size(), '0');
  } else {
    text.append(digits, 0, exp + 1).append(1, '.').append(digits, exp + 1);
  }
  return QString::fromLatin1(text);
}

// The exponent form: 1E-05, 1.5E+15.
QString ExponentForm(const std::string& digits, int exp) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text.append(1, '.').append(digits, 1);
  const int magnitude = exp < 0 ? -exp : exp;
  text += exp < 0 ? "E-" : "E+";
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return QString::fromLatin1(text);
}

// --------------------------------------------------------------- integers

// To the nearest integer, halves to the even neighbour.
double RoundHalfEven(double x) {
  const double below = std::floor(x);
  const double diff = x - below;
  if (diff > 0.5) return below + 1;
  if (diff < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

template <typename Int>
Int RoundToInteger(double value) {
  const double r = RoundHalfEven(value);
  // Written so that NaN fails the test too.
  if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
    Raise(err::Overflow);
  return static_cast<Int>(r);
}

// --------------------------------------------------------------- dates

const QDate kSerialBase(1899, 12, 30);
constexpr double kFirstSerialDay = -657434;  // 1 January 100
constexpr double kLastSerialDay = 2958465;   // 31 December 9999
constexpr int kSecondsPerDay = 86400;

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
QString FourDigits(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

// "h:mm:ss AM" / "h:mm:ss PM", hour 12 for midnight and noon.
QString TimeText(const QTime& t) {
  const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
  return QString::number(hour12) + u':' + TwoDigits(t.minute()) + u':' + TwoDigits(t.second()) +
         (t.hour() < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM"));
}

QString ShortDateText(const QDate& d) {
  return TwoDigits(d.month()) + u'/' + TwoDigits(d.day()) + u'/' + FourDigits(d.year());
}

}  // namespace

// ---------------------------------------------------------------- public

double Val(const QString& text) {
  QString s;
  s.reserve(text.size());
  for (QChar c : text)
    if (c != u' ' && c != u'\t' && c != u'\n') s += c;
  qsizetype end = 0;
  if (const int radix = RadixPrefix(s)) return ReadRadix(s, radix, &end);
  DecimalScan n;
  return ScanDecimal(s, &n) ? DecimalValue(n) : 0;
}

std::optional<double> NumberFromText(const QString& text) {
  const QString s = text.trimmed();
  if (const int radix = RadixPrefix(s)) {
    qsizetype end = 0;
    const double v = ReadRadix(s, radix, &end);
    if (end == 2 || end != s.size()) return std::nullopt;
    return v;
  }
  DecimalScan n;
  if (!ScanDecimal(s, &n) || n.end != s.size()) return std::nullopt;
  return DecimalValue(n);
}

QString NumberToText(double value) {
  if (!std::isfinite(value)) return InfinityOrNaNText(value);
  if (value == 0) return QStringLiteral("0");
  // 15 significant digits, correctly rounded: d.dddddddddddddde+XX.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, 14);
  const std::string sci(buf, res.ptr);
  const auto e = sci.find('e');
  std::string digits = sci.substr(0, 1) + sci.substr(2, e - 2);
  const int exp = std::stoi(sci.substr(e + 1));
  digits.erase(digits.find_last_not_of('0') + 1);
  const QString body = (exp < -4 || exp >= 15) ? ExponentForm(digits, exp) : FixedForm(digits, exp);
  return value < 0 ? u'-' + body : body;
}

QString Str(double value) {
  const QString text = NumberToText(value);
  return text.startsWith(u'-') ? text : u' ' + text;
}

QString Str(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Boolean:
    case Variant::Type::Date:
      return CStr(value);
    default:
      return Str(value.ToDouble());
  }
}

QString CStr(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty: return QString();
    case Variant::Type::Null: Raise(err::InvalidUseOfNull);
    case Variant::Type::Integer: return QString::number(value.AsInteger());
    case Variant::Type::Long: return QString::number(value.AsLong());
    case Variant::Type::Double: return NumberToText(value.AsDouble());
    case Variant::Type::String: return value.AsString();
    case Variant::Type::Boolean:
      return value.AsBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case Variant::Type::Date: return DateText(value.AsDate());
  }
  return QString();
}

int16_t CInt(double value) { return RoundToInteger<int16_t>(value); }
int32_t CLng(double value) { return RoundToInteger<int32_t>(value); }

int16_t CInt(const Variant& value) {
  if (value.type() == Variant::Type::Integer) return value.AsInteger();
  return CInt(value.ToDouble());
}

int32_t CLng(const Variant& value) {
  if (value.type() == Variant::Type::Long) return value.AsLong();
  return CLng(value.ToDouble());
}

QString LTrim(const QString& s) {
  qsizetype i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  return s.mid(i);
}

QString RTrim(const QString& s) {
  qsizetype n = s.size();
  while (n > 0 && s[n - 1] == u' ') --n;
  return s.left(n);
}

QString Trim(const QString& s) { return LTrim(RTrim(s)); }

QDateTime SerialToDateTime(double serial) {
  const double day = std::trunc(serial);
  if (!(day >= kFirstSerialDay && day <= kLastSerialDay)) Raise(err::Overflow);
  // The fraction is forward time of the day also for negative serials.
  const double fraction = std::fabs(serial - day);
  const qint64 seconds = std::llround(fraction * kSecondsPerDay);
  const QDateTime midnight(kSerialBase.addDays(static_cast<qint64>(day)), QTime(0, 0), Qt::UTC);
  return midnight.addSecs(seconds);
}

double DateTimeToSerial(const QDateTime& dt) {
  if (!dt.isValid()) Raise(err::InvalidProcedureCall);
  const double days = static_cast<double>(kSerialBase.daysTo(dt.date()));
  const double fraction = dt.time().msecsSinceStartOfDay() / (kSecondsPerDay * 1000.0);
  return days < 0 ? days - fraction : days + fraction;
}

QString DateText(DateValue date) {
  const QDateTime dt = SerialToDateTime(date.serial);
  if (dt.date() == kSerialBase) return TimeText(dt.time());
  QString text = ShortDateText(dt.date());
  if (dt.time() != QTime(0, 0)) text += u' ' + TimeText(dt.time());
  return text;
}

QString FormatMMDDYYYY(const QDateTime& dt) {
  const QDate d = dt.date();
  return TwoDigits(d.month()) + TwoDigits(d.day()) + FourDigits(d.year());
}

QString DateTimeText(const QDateTime& dt) {
  const QDate d = dt.date();
  const QTime t = dt.time();
  return FourDigits(d.year()) + u'-' + TwoDigits(d.month()) + u'-' + TwoDigits(d.day()) + u' ' +
         TwoDigits(t.hour()) + u':' + TwoDigits(t.minute()) + u':' + TwoDigits(t.second());
}

}  // namespace vb
