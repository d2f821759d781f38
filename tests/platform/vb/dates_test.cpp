// Date serials, their texts and the error log's date forms.
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

#include <gtest/gtest.h>

#include <limits>

namespace vb {
namespace {

QDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
}

TEST(Dates, SerialToDateTime) {
  const struct {
    double serial;
    QDateTime expected;
  } cases[] = {
      {0, At(1899, 12, 30)},
      {1, At(1899, 12, 31)},
      {61, At(1900, 3, 1)},
      {46364.5857291666667, At(2026, 12, 8, 14, 3, 27)},
      {-1.25, At(1899, 12, 29, 6)},        // the fraction counts forward
      {-0.5, At(1899, 12, 30, 12)},
      {-45103.75, At(1776, 7, 4, 18)},
      {-54711, At(1750, 3, 15)},
      {0.99999999, At(1899, 12, 31)},      // rounds to the next midnight
      {-657434, At(100, 1, 1)},
      {2958465.5, At(9999, 12, 31, 12)},
  };
  for (const auto& c : cases) EXPECT_EQ(SerialToDateTime(c.serial), c.expected) << c.serial;
}

TEST(Dates, OutOfRangeIsOverflow) {
  for (double s : {-657435.0, 2958466.0, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()}) {
    try {
      SerialToDateTime(s);
      ADD_FAILURE() << s;
    } catch (const VbError& e) {
      EXPECT_EQ(e.Number(), err::Overflow);
    }
  }
}

TEST(Dates, RoundTrip) {
  for (const QDateTime& dt : {At(2026, 12, 8, 14, 3, 27), At(1776, 7, 4, 18), At(1750, 3, 15, 23, 59, 59),
                              At(1899, 12, 29, 0, 0, 1), At(1899, 12, 30, 6), At(100, 1, 1, 12)})
    EXPECT_EQ(SerialToDateTime(DateTimeToSerial(dt)), dt) << dt.toString(Qt::ISODate).toStdString();
  EXPECT_DOUBLE_EQ(DateTimeToSerial(At(1899, 12, 29, 6)), -1.25);
  EXPECT_DOUBLE_EQ(DateTimeToSerial(At(1776, 7, 4, 18)), -45103.75);
  // The local clock's date and time are taken as they stand.
  EXPECT_DOUBLE_EQ(DateTimeToSerial(QDateTime(QDate(2026, 3, 8), QTime(14, 30), Qt::LocalTime)),
                   DateTimeToSerial(At(2026, 3, 8, 14, 30)));
}

TEST(Dates, DateText) {
  const struct {
    double serial;
    const char* text;
  } cases[] = {
      {46364, "12/08/2026"},
      {46364.5857291666667, "12/08/2026 2:03:27 PM"},
      {1, "12/31/1899"},
      {0.25, "6:00:00 AM"},
      {0.5, "12:00:00 PM"},
      {0, "12:00:00 AM"},
      {-1.25, "12/29/1899 6:00:00 AM"},
      {-45103.75, "07/04/1776 6:00:00 PM"},
      {-657434, "01/01/0100"},
      {2.000011574, "01/01/1900 12:00:01 AM"},
  };
  for (const auto& c : cases) EXPECT_EQ(DateText(DateValue{c.serial}), c.text) << c.serial;
}

TEST(Dates, LogForms) {
  EXPECT_EQ(FormatMMDDYYYY(At(2026, 12, 8, 23, 59)), "12082026");
  EXPECT_EQ(FormatMMDDYYYY(At(2027, 1, 2)), "01022027");
  EXPECT_EQ(DateTimeText(At(2026, 12, 8, 14, 3, 27)), "2026-12-08 14:03:27");
  EXPECT_EQ(DateTimeText(At(2026, 1, 2, 3, 4, 5)), "2026-01-02 03:04:05");
}

}  // namespace
}  // namespace vb
