// Coordinates as signed numbers and the web-map link, under both error
// policies.
#include "placeinfo/MapLink.h"

#include "platform/vb/VbError.h"
#include "support/AppIdentity.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/windows/ErrorLogTest.h"

#include <gtest/gtest.h>

#include <QUrl>
#include <QUrlQuery>

using namespace MapLink;
using testutil::ErrorOf;

namespace {

const QString kScript = QStringLiteral("http://maps.example.org/cgi-bin/gmapav.cgi");

class MapLinkTest : public testutil::ErrorLogTest {
 protected:
  void SetUp() override {
    ErrorLogTest::SetUp();
    AppIdentity identity;
    identity.name = QStringLiteral("Gravelight");
    identity.webHost = QStringLiteral("maps.example.org");
    AppIdentity::Set(identity);
  }
  void TearDown() override {
    AppIdentity::Set(AppIdentity());
    ErrorLogTest::TearDown();
  }

  // The link of a place with only coordinates.
  static QString LinkOf(const QString& lon, const QString& lat, const ErrorPolicy& policy) {
    return GetGoogleMapStr(lon, lat, "", "", "", "", "", "", "", "", "", policy);
  }
  QString Prompt(size_t i) const { return Box(i).prompt; }

  const ErrorPolicy untrapped = ErrorPolicy::Untrapped();
  const ErrorPolicy errorLog = ErrorPolicy::ErrorLog(QStringLiteral("CemInfo"));
};

}  // namespace

TEST_F(MapLinkTest, CoordinateTextsAsSignedNumbers) {
  struct Case {
    const char* text;
    const char* latitude;   // "S" counts as south
    const char* longitude;  // "W" counts as west
  };
  const Case cases[] = {
      {"", "0", "0"},
      {"40.5", "40.5", "40.5"},
      {"-83.25", "-83.25", "-83.25"},
      {"40.5 N", "40.5", "40.5"},
      {"83.25 W", "83.25", "-83.25"},
      {"83.25w", "83.25", "-83.25"},
      {"40.5 S", "-40.5", "40.5"},
      {"40.5s", "-40.5", "40.5"},
      {"S40.5", "-0", "0"},  // the number part is 0
      {"W", "0", "-0"},
      {"-40.5 S", "-40.5", "-40.5"},   // the minus wins; the letter is not looked at
      {"40.5-S", "40.5", "40.5"},      // a minus anywhere, even after the number
      {"40.5 Nose", "-40.5", "40.5"},  // any s counts as south
      {"1E-5 S", "1E-05", "1E-05"},    // the exponent's minus counts as a minus
      {"N40.5", "0", "0"},
      {"40 30 15", "403015", "403015"},
      {"8 30", "830", "830"},
      {"\t40.5\n", "40.5", "40.5"},
      {"40°30'", "40", "40"},
      {"40,5", "40", "40"},
      {"0.5", ".5", ".5"},
      {"-0.5", "-.5", "-.5"},
      {"-0", "0", "0"},
      {"40.50", "40.5", "40.5"},
      {"1E3", "1000", "1000"},
      {"1d3", "1000", "1000"},
      {"1e15", "1E+15", "1E+15"},
      {"0.00001", "1E-05", "1E-05"},
      {"123456789.123456789", "123456789.123457", "123456789.123457"},
      {"&H1F", "31", "31"},
      {"&o17", "15", "15"},
      {"&HFFFF", "-1", "-1"},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(ConvertLatitudeLetterToNumber(text, untrapped), c.latitude) << c.text;
    EXPECT_EQ(ConvertLongitudeLetterToNumber(text, untrapped), c.longitude) << c.text;
    EXPECT_EQ(ConvertLatitudeLetterToNumber(text, errorLog), c.latitude) << c.text;
  }
  EXPECT_TRUE(h->MessageBoxes().empty());
}

TEST_F(MapLinkTest, EveryKeyInOrderAlsoWhenEmpty) {
  EXPECT_EQ(MapScriptAddress(), kScript);
  EXPECT_EQ(LinkOf("", "", untrapped),
            kScript + "?latit=0&longit=0&desc=&ad1=&ad2=&city=&st=&cnty=&twp=&dstr=&cntry=");
  // Longitude first among the arguments, latitude first in the query.
  EXPECT_EQ(GetGoogleMapStr("83.25 W", "40.5 N", "Oak_Hill", "1", "2", "Lima", "OH", "Allen",
                            "Bath", "D3", "USA", errorLog),
            kScript +
                "?latit=40.5&longit=-83.25&desc=Oak_Hill&ad1=1&ad2=2&city=Lima&st=OH"
                "&cnty=Allen&twp=Bath&dstr=D3&cntry=USA");
}

TEST_F(MapLinkTest, HostileValuesArePercentEncoded) {
  const QString values[] = {
      "St. Mary's #2 & Annex",      // desc
      "100 Main St., Apt #5",       // ad1
      "a+b=c?d",                    // ad2
      QString::fromUtf8("Zürich"),  // city
      "50% off",                    // st
      "~_-.AZaz09",                 // cnty: unreserved, kept
      "a/b;c\r\nd",                 // twp
      "",                           // dstr
      QString::fromUtf8("日本 Ł"),  // cntry
  };
  const QString link =
      GetGoogleMapStr("-83.25", "1e15", values[0], values[1], values[2], values[3], values[4],
                      values[5], values[6], values[7], values[8], untrapped);
  EXPECT_EQ(link, kScript +
                      "?latit=1E%2B15&longit=-83.25"
                      "&desc=St.%20Mary%27s%20%232%20%26%20Annex"
                      "&ad1=100%20Main%20St.%2C%20Apt%20%235"
                      "&ad2=a%2Bb%3Dc%3Fd"
                      "&city=Z%C3%BCrich"
                      "&st=50%25%20off"
                      "&cnty=~_-.AZaz09"
                      "&twp=a%2Fb%3Bc%0D%0Ad"
                      "&dstr="
                      "&cntry=%E6%97%A5%E6%9C%AC%20%C5%81");

  // A reader of the query gets back exactly what was stored.
  const QUrl url(link);
  ASSERT_TRUE(url.isValid());
  EXPECT_EQ(url.host(), "maps.example.org");
  EXPECT_TRUE(url.fragment().isNull());
  const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
  const char* keys[] = {"latit", "longit", "desc", "ad1",  "ad2",  "city",
                        "st",    "cnty",   "twp",  "dstr", "cntry"};
  ASSERT_EQ(items.size(), 11);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(items[i].first, keys[i]);
    if (i >= 2) {
      EXPECT_EQ(items[i].second, values[i - 2]) << keys[i];
    }
  }
  EXPECT_EQ(items[0].second, "1E+15");
}

TEST_F(MapLinkTest, WithoutAHandlerTheOverflowReachesTheCaller) {
  EXPECT_EQ(ErrorOf([&] { ConvertLatitudeLetterToNumber("1E999", untrapped); }), vb::err::Overflow);
  EXPECT_EQ(ErrorOf([&] { ConvertLongitudeLetterToNumber("1E999 W", untrapped); }),
            vb::err::Overflow);
  EXPECT_EQ(ErrorOf([&] { LinkOf("0", "1E999", untrapped); }), vb::err::Overflow);
  EXPECT_TRUE(h->MessageBoxes().empty());
}

TEST_F(MapLinkTest, TheErrorLogHandlerAsksAndTheAnswerDecides) {
  using namespace forms::mb;
  const QString overflowIn = "Error 6 (Overflow) Process: %1.CemInfo ln# 0";

  // Abort leaves the conversion with nothing set.
  h->QueueMessageBoxAnswer(Abort);
  EXPECT_EQ(ConvertLatitudeLetterToNumber("1E999 S", errorLog), "");
  ASSERT_EQ(h->MessageBoxes().size(), 1u);
  EXPECT_TRUE(Prompt(0).startsWith(overflowIn.arg("ConvertLatitudeLetterToNumber")))
      << Prompt(0).toStdString();

  // Ignore goes on without the number: only the sign is left.
  h->QueueMessageBoxAnswer(Ignore);
  EXPECT_EQ(ConvertLongitudeLetterToNumber("1E999 W", errorLog), "-");
  EXPECT_TRUE(Prompt(1).startsWith(overflowIn.arg("ConvertLongitudeLetterToNumber")));

  // Retry reads again and fails again; the conversion answers for itself,
  // so the link is still built, without the longitude's value.
  h->QueueMessageBoxAnswer(Retry);
  h->QueueMessageBoxAnswer(Abort);
  EXPECT_EQ(
      GetGoogleMapStr("1E999", "40.5", "Oak Hill", "", "", "", "", "", "", "", "", errorLog),
      kScript + "?latit=40.5&longit=&desc=Oak%20Hill&ad1=&ad2=&city=&st=&cnty=&twp=&dstr=&cntry=");
  ASSERT_EQ(h->MessageBoxes().size(), 4u);
  EXPECT_TRUE(Prompt(2).startsWith(overflowIn.arg("ConvertLongitudeLetterToNumber")));
  EXPECT_EQ(Prompt(3), Prompt(2));
}
