// Val, number-to-text, Str, CStr, CInt/CLng and Trim.
#include "platform/vb/Conversions.h"
#include "tests/testkit/Errors.h"
#include "platform/vb/VbError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace vb {
namespace {

using testutil::ErrorOf;

TEST(Val, ReadsTheLeadingNumber) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12abc", 12},       {"  1 2", 12},     {"", 0},           {"&HFF", 255},
      {"1D2", 100},        {".5", 0.5},       {"-3.2e1x", -32},  {"8 30", 830},
      {"N40.5", 0},        {"40.5N", 40.5},   {"40.5 S", 40.5},  {"40,5", 40},
      {"1E3", 1000},       {"40.50", 40.5},   {"\t-\n5", -5},    {"+7", 7},
      {"1.2.3", 1.2},      {"12E", 12},       {"12e+x", 12},     {"5.", 5},
      {"-", 0},            {".", 0},          {"W", 0},          {"40\xC2\xB0" "30'", 40},
      {"&hff", 255},       {"&O17", 15},      {"&o78", 7},       {"&H", 0},
      {"&HFFFF", -1},      {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1},
      {"1e-400", 0},       {"-0", 0},         {"\r5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
  EXPECT_FALSE(std::signbit(Val("-0")));
}

TEST(Val, TooLargeIsOverflow) {
  EXPECT_EQ(ErrorOf([] { Val("1E400"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { Val("&H100000000"); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { Val("0.00001E309"); }), 0);
}

TEST(NumberToText, FifteenDigitsNoLeadingZeroExponentForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {0.5, ".5"},
      {-0.5, "-.5"},
      {40.5, "40.5"},
      {-83.25, "-83.25"},
      {1000, "1000"},
      {123.456, "123.456"},
      {0.1 + 0.2, ".3"},
      {1.0 / 3, ".333333333333333"},
      {-2.0 / 3, "-.666666666666667"},
      {0.0001, ".0001"},
      {0.00001, "1E-05"},
      {-1.5e-7, "-1.5E-07"},
      {999999999999999, "999999999999999"},
      {999999999999999.9, "1E+15"},
      {1.5e15, "1.5E+15"},
      {123456789012345678.0, "1.23456789012346E+17"},
      {1e100, "1E+100"},
      {1e-300, "1E-300"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {std::numeric_limits<double>::infinity(), "1.#INF"},
      {-std::numeric_limits<double>::infinity(), "-1.#INF"},
      {std::numeric_limits<double>::quiet_NaN(), "1.#QNAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), c.text) << c.text;
}

TEST(Str, BlankBeforeNonNegativeNumbers) {
  EXPECT_EQ(Str(5.0), " 5");
  EXPECT_EQ(Str(0.0), " 0");
  EXPECT_EQ(Str(-0.0), " 0");
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Str(-5.0), "-5");
  EXPECT_EQ(Str(Variant()), " 0");
  EXPECT_EQ(Str(Variant(int16_t{7})), " 7");
  EXPECT_EQ(Str(Variant(" 12 ")), " 12");
  EXPECT_EQ(Str(Variant(true)), "True");
  EXPECT_EQ(Str(Variant(DateValue{1})), "12/31/1899");
  EXPECT_EQ(ErrorOf([] { Str(Variant::Null()); }), 94);
  EXPECT_EQ(ErrorOf([] { Str(Variant("abc")); }), err::TypeMismatch);
}

TEST(CStr, EachKind) {
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(CStr(Variant(int16_t{-7})), "-7");
  EXPECT_EQ(CStr(Variant(int32_t{70000})), "70000");
  EXPECT_EQ(CStr(Variant(0.5)), ".5");
  EXPECT_EQ(CStr(Variant(" x ")), " x ");
  EXPECT_EQ(CStr(Variant(true)), "True");
  EXPECT_EQ(CStr(Variant(false)), "False");
  EXPECT_EQ(CStr(Variant(DateValue{46364.5})), "12/08/2026 12:00:00 PM");
  EXPECT_EQ(ErrorOf([] { CStr(Variant::Null()); }), 94);
}

TEST(CInt, RoundsHalvesToEven) {
  const struct {
    double value;
    int16_t result;
  } cases[] = {
      {2.5, 2},         {3.5, 4},       {-2.5, -2},          {-3.5, -4},   {0.5, 0},
      {1.5, 2},         {1.4999, 1},    {-0.4, 0},           {2.6, 3},     {32767.4, 32767},
      {-32768.5, -32768},
  };
  for (const auto& c : cases) EXPECT_EQ(CInt(c.value), c.result) << c.value;
}

TEST(CInt, OverflowAndTypeMismatch) {
  for (double v : {32767.5, -32768.6, 40000.0, 1e300, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(ErrorOf([v] { CInt(v); }), err::Overflow) << v;
  EXPECT_EQ(ErrorOf([] { CInt(Variant("70000")); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CInt(Variant(int32_t{40000})); }), err::Overflow);
  for (const char* text : {"12abc", "", "  ", "1 2", "&H", "&HG", "nan", "inf", "1,5"})
    EXPECT_EQ(ErrorOf([text] { CInt(Variant(text)); }), err::TypeMismatch) << text;
  EXPECT_EQ(ErrorOf([] { CInt(Variant::Null()); }), 94);
}

TEST(CInt, OtherKindsAndText) {
  EXPECT_EQ(CInt(Variant()), 0);
  EXPECT_EQ(CInt(Variant(true)), -1);
  EXPECT_EQ(CInt(Variant(" 3.5 ")), 4);
  EXPECT_EQ(CInt(Variant("-2.5")), -2);
  EXPECT_EQ(CInt(Variant("&HFF")), 255);
  EXPECT_EQ(CInt(Variant("1D2")), 100);
  EXPECT_EQ(CInt(Variant(DateValue{2.5})), 2);
}

TEST(CLng, ThirtyTwoBitRange) {
  EXPECT_EQ(CLng(Variant("70000")), 70000);
  EXPECT_EQ(CLng(Variant(2147483646.5)), 2147483646);
  EXPECT_EQ(CLng(-2147483648.5), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ErrorOf([] { CLng(2147483647.5); }), err::Overflow);
  EXPECT_EQ(ErrorOf([] { CLng(Variant("x")); }), err::TypeMismatch);
}

TEST(Trim, BlanksOnly) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(LTrim("  a b  "), "a b  ");
  EXPECT_EQ(RTrim("  a b  "), "  a b");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim(" \r\n "), "\r\n");
  EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace vb
