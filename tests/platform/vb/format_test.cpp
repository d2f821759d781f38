// Dates read from text (date literals, CDate) and Format in its common forms.
#include "platform/vb/DateParsing.h"
#include "platform/vb/Format.h"

#include <gtest/gtest.h>

#include <optional>

using vb::DateFromText;
using vb::DateValue;
using vb::Format;
using vb::Variant;

namespace {

TEST(DateFromText, ReadsTheFormsPeopleWrite) {
  const double jan2nd1850 = -18259;
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"1/2/1850", jan2nd1850},
      {"01-02-1850", jan2nd1850},
      {"1850-01-02", jan2nd1850},
      {"1850/1/2", jan2nd1850},
      {"2 Jan 1850", jan2nd1850},
      {"2-jan-1850", jan2nd1850},
      {"2 January 1850", jan2nd1850},
      {"January 2, 1850", jan2nd1850},
      {"Jan 2 1850", jan2nd1850},
      {"Sept 1, 1850", jan2nd1850 + 242},
      {"  1/2/1850  ", jan2nd1850},
      {"1/2/1850 6:00 AM", jan2nd1850 - 0.25},  // the time counts forward before 1900
      {"12/31/1899 6:00 PM", 1.75},
      {"1/2/50", 18265},  // 2-digit years: 1950
      {"1/2/29", 47120},  // ... but 2029
      {"10:30", 0.4375},
      {"10 PM", 22.0 / 24},
      {"2/30/1850", std::nullopt},
      {"13/1/1850", std::nullopt},
      {"1/2/1850 25:00", std::nullopt},
      {"Foo 2, 1850", std::nullopt},
      {"1/2/99999", std::nullopt},
      {"1850", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, serial] : cases) EXPECT_EQ(DateFromText(QString::fromUtf8(text)), serial) << text;
}

TEST(Format, CommonDateAndNumberForms) {
  const Variant born(DateValue{-18259 - 22.5 / 24});  // 1/2/1850 10:30 PM
  const struct {
    Variant value;
    const char* format;
    const char* text;
  } cases[] = {
      {born, "yyyy", "1850"},
      {born, "yy", "50"},
      {born, "mm/dd/yyyy", "01/02/1850"},
      {born, "m/d/yy", "1/2/50"},
      {born, "mmmm d, yyyy", "January 2, 1850"},
      {born, "dd-mmm-yyyy", "02-Jan-1850"},
      {born, "dddd", "Wednesday"},
      {born, "ddd", "Wed"},
      {born, "hh:mm", "22:30"},           // "mm" after an hour is minutes
      {born, "h:nn AM/PM", "10:30 PM"},
      {born, "\"Born \"yyyy", "Born 1850"},
      {Variant(-18259.0), "mmmm", "January"},  // a number is a serial
      {Variant("January 2, 1850"), "yyyy-mm-dd", "1850-01-02"},
      {Variant("not a date"), "yyyy", "not a date"},
      {Variant(3.14159), "0.00", "3.14"},
      {Variant(2.5), "0", "3"},           // halves away from zero
      {Variant(-2.5), "0", "-3"},
      {Variant(1.005), "0.00", "1.01"},
      {Variant(1234567.891), "#,##0", "1,234,568"},
      {Variant(1234.5), "#,##0.00", "1,234.50"},
      {Variant(0.5), "#.##", ".5"},
      {Variant(5.0), "#.##", "5."},
      {Variant(int32_t{7}), "000", "007"},
      {Variant(0.256), "0%", "26%"},
      {Variant(-0.001), "0.00", "0.00"},
      {Variant(42.0), "$#,##0.00", "$42.00"},
      {Variant("12.5"), "0.00", "12.50"},
      {Variant("abc"), "0.00", "abc"},
      {Variant(1.5), "", "1.5"},
      {born, "", "01/02/1850 10:30:00 PM"},
      {Variant::Null(), "0.00", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, QString::fromUtf8(c.format)).toStdString(), c.text) << c.format;
}

}  // namespace
