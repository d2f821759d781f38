// The narrative sentences of an obituary: every combination of present parts
// of every builder, written out in full, and the rules around them.
#include "obituary/ObitStringCalc.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace ObitStringCalc;

namespace {

const QString kName = QStringLiteral("Ann Hall");
const QString kNone;

// A case of a builder: which of its parts are present (bit 1 the first part,
// bit 2 the second, ...) and the whole expected text.
struct Case {
  unsigned parts;
  const char *expected;
};

// The part's text when the case's bit is set, else the empty text.
QString Part(unsigned parts, unsigned bit, const char *text) {
  return (parts & bit) ? QString::fromUtf8(text) : QString();
}

// Checks a builder's table: each of the 2^n combinations of its n parts is
// a case exactly once, and build(parts) gives the case's text followed by
// `after`.
void ExpectTable(const std::vector<Case> &cases, unsigned n,
                 const std::function<QString(unsigned parts)> &build, const QString &after = {}) {
  std::vector<int> seen(1u << n, 0);
  for (const Case &c : cases) {
    ++seen.at(c.parts);
    EXPECT_EQ(build(c.parts), c.expected + after) << "parts " << c.parts;
  }
  for (unsigned parts = 0; parts < seen.size(); ++parts) EXPECT_EQ(seen[parts], 1) << parts;
}

}  // namespace

TEST(GetObitNameStr, EveryCombinationOfTheFourParts) {
  // 1 Given, 2 LastName, 4 MaidenName, 8 NamePrefix.
  const std::vector<Case> cases = {
      {0, "The deceased"},  {1, "The deceased"},  {2, "The deceased"}, {3, "Ann Hall"},
      {4, "The deceased"},  {5, "The deceased"},  {6, "The deceased"}, {7, "The deceased"},
      {8, "The deceased"},  {9, "The deceased"},  {10, "Mrs. Hall"},   {11, "Mrs. Hall"},
      {12, "The deceased"}, {13, "The deceased"}, {14, "Mrs. Hall"},   {15, "Mrs. Hall"},
  };
  ExpectTable(cases, 4, [](unsigned p) {
    return GetObitNameStr(Part(p, 1, "Ann"), Part(p, 2, "Hall"), Part(p, 4, "Ross"),
                          Part(p, 8, "Mrs."));
  });
}

TEST(GetBirthStr, EveryCodeWithAndWithoutNotes) {
  // 1 BirthDate, 2 BirthTime, 4 BirthPlace, 8 Parents.
  const std::vector<Case> cases = {
      {0, ""},
      {1, "Ann Hall was born on May 1."},
      {2, "Ann Hall was born at 3 PM."},
      {3, "Ann Hall was born on May 1 at 3 PM."},
      {4, "Ann Hall was born in Lima."},
      {5, "Ann Hall was born on May 1 in Lima."},
      {6, "Ann Hall was born at 3 PM in Lima."},
      {7, "Ann Hall was born on May 1 at 3 PM in Lima."},
      {8, "Ann Hall is the child of Joe Hall."},
      {9, "Ann Hall was born on May 1, the child of Joe Hall."},
      {10, "Ann Hall was born at 3 PM, the child of Joe Hall."},
      {11, "Ann Hall was born on May 1 at 3 PM, the child of Joe Hall."},
      {12, "Ann Hall was born in Lima, the child of Joe Hall."},
      {13, "Ann Hall was born on May 1 in Lima, the child of Joe Hall."},
      {14, "Ann Hall was born at 3 PM in Lima, the child of Joe Hall."},
      {15, "Ann Hall was born on May 1 at 3 PM in Lima, the child of Joe Hall."},
  };
  for (const QString &notes : {kNone, QStringLiteral("She was a twin.")}) {
    ExpectTable(
        cases, 4,
        [&](unsigned p) {
          return GetBirthStr(kName, Part(p, 1, "May 1"), Part(p, 2, "3 PM"), Part(p, 4, "Lima"),
                             Part(p, 8, "Joe Hall"), notes);
        },
        notes);
  }
  // The notes follow the period directly.
  EXPECT_EQ(GetBirthStr(kName, "May 1", "", "", "", "Twin."), "Ann Hall was born on May 1.Twin.");
}

TEST(GetDeathStr, EveryCode) {
  // 1 DeathDate, 2 DeathTime, 4 DeathPlace, 8 Age.
  const std::vector<Case> cases = {
      {0, ""},
      {1, "Ann Hall passed away on June 2."},
      {2, "Ann Hall passed away at noon."},
      {3, "Ann Hall passed away on June 2 at noon."},
      {4, "Ann Hall passed away in Troy."},
      {5, "Ann Hall passed away on June 2 in Troy."},
      {6, "Ann Hall passed away at noon in Troy."},
      {7, "Ann Hall passed away on June 2 at noon in Troy."},
      {8, "Age 85."},
      {9, "Ann Hall, age 85, passed away on June 2."},
      {10, "Ann Hall, age 85, passed away at noon."},
      {11, "Ann Hall, age 85, passed away on June 2 at noon."},
      {12, "Ann Hall, age 85, passed away in Troy."},
      {13, "Ann Hall, age 85, passed away on June 2 in Troy."},
      {14, "Ann Hall, age 85, passed away at noon in Troy."},
      {15, "Ann Hall, age 85, passed away on June 2 at noon in Troy."},
  };
  ExpectTable(cases, 4, [](unsigned p) {
    return GetDeathStr(kName, Part(p, 1, "June 2"), Part(p, 2, "noon"), Part(p, 4, "Troy"),
                       Part(p, 8, "85"));
  });
}

TEST(GetMarriageStr, EveryCode) {
  // 1 MarriageDate, 2 MarriagePlace, 4 Spouse.
  const std::vector<Case> cases = {
      {0, ""},
      {1, "Ann Hall was married on July 4."},
      {2, "Ann Hall was married in Kent."},
      {3, "Ann Hall was married on July 4 in Kent."},
      {4, "Ann Hall was married to Tom Hall."},
      {5, "Ann Hall was married on July 4, to Tom Hall."},
      {6, "Ann Hall was married in Kent, to Tom Hall."},
      {7, "Ann Hall was married on July 4 in Kent, to Tom Hall."},
  };
  ExpectTable(cases, 3, [](unsigned p) {
    return GetMarriageStr(kName, Part(p, 1, "July 4"), Part(p, 2, "Kent"), Part(p, 4, "Tom Hall"));
  });
}

TEST(GetVeteranStr, TheVeteranTextCountsFromTwoCharacters) {
  struct VeteranCase {
    const char *isVeteran;
    const char *veteran;
    const char *expected;
  };
  const VeteranCase cases[] = {
      {"", "", ""},
      {"1", "\U0001F396", "Ann Hall was a veteran."},  // one character beyond 16 bits
      {"", "\U0001F396", ""},
      {"", "\U0001F396\U0001F396", "\U0001F396\U0001F396"},
      {"", "A\U0001F396", "A\U0001F396"},
      {"0", "", ""},
      {"1", "", "Ann Hall was a veteran."},
      {"1", "X", "Ann Hall was a veteran."},  // one character is ignored
      {"", "X", ""},
      {"", "US Army, WWII", "US Army, WWII"},  // returned even when IsVeteran is not "1"
      {"0", "  ", "  "},                       // two blanks are two characters
      {"1", "Navy", "Navy"},
      {"01", "", ""},  // only "1" itself
      {"1 ", "", ""},
  };
  for (const VeteranCase &c : cases) {
    EXPECT_EQ(GetVeteranStr(kName, c.isVeteran, c.veteran), c.expected)
        << c.isVeteran << "|" << c.veteran;
  }
}

TEST(GetVisitationStr, EveryCodeAndTheOverride) {
  // 1 VisitationPlace, 2 VisitationTimes.
  const std::vector<Case> cases = {
      {0, ""},
      {1, "Visitation will be held at Ross Home. "},
      {2, "You may visit on Friday 2-4. "},
      {3, "Visitation will be held at Ross Home. You may visit on Friday 2-4. "},
  };
  for (const QString &override : {kNone, QStringLiteral("0"), QStringLiteral("2")}) {
    for (const QString &notes : {kNone, QStringLiteral("Flowers welcome.")}) {
      SCOPED_TRACE(override.toStdString());
      ExpectTable(
          cases, 2,
          [&](unsigned p) {
            return GetVisitationStr(Part(p, 1, "Ross Home"), Part(p, 2, "Friday 2-4"), override,
                                    notes);
          },
          notes);
    }
  }
  // "1": the notes replace the sentences, also when they are empty.
  EXPECT_EQ(GetVisitationStr("Ross Home", "Friday 2-4", "1", "Private."), "Private.");
  EXPECT_EQ(GetVisitationStr("Ross Home", "Friday 2-4", "1", ""), "");
}

TEST(GetServiceStr, EveryCodeAndTheOverride) {
  // 1 ServicePlace, 2 ServiceTimes, 4 PersonOfficiating, 8 BurialLocation.
  const std::vector<Case> cases = {
      {0, ""},
      {1, "Services will be held at St. Paul's. "},
      {2, "Services wil begin at 10 AM. "},
      {3, "Service will be held at St. Paul's. Services will begin at 10 AM. "},
      {4, "Rev. Lee will be officiating. "},
      {5, "Services will be held at St. Paul's. Rev. Lee will be officiating. "},
      {6, "Services wil begin at 10 AM. Rev. Lee will be officiating. "},
      {7,
       "Service will be held at St. Paul's. Services will begin at 10 AM. "
       "Rev. Lee will be officiating. "},
      {8, "Ann Hall will be buried at Oak Hill. "},
      {9,
       "Services will be held at St. Paul's. Ann Hall will be buried at Oak "
       "Hill. "},
      {10, "Services wil begin at 10 AM. Ann Hall will be buried at Oak Hill. "},
      {11,
       "Service will be held at St. Paul's. Services will begin at 10 AM. "
       "Ann Hall will be buried at Oak Hill. "},
      {12, "Rev. Lee will be officiating. Ann Hall will be buried at Oak Hill. "},
      {13,
       "Services will be held at St. Paul's. Rev. Lee will be officiating. "
       "Ann Hall will be buried at Oak Hill. "},
      {14,
       "Services wil begin at 10 AM. Rev. Lee will be officiating. "
       "Ann Hall will be buried at Oak Hill. "},
      {15,
       "Service will be held at St. Paul's. Services will begin at 10 AM. "
       "Rev. Lee will be officiating. Ann Hall will be buried at Oak Hill. "},
  };
  for (const QString &override : {kNone, QStringLiteral("0")}) {
    for (const QString &notes : {kNone, QStringLiteral("Memorials to the library.")}) {
      SCOPED_TRACE(override.toStdString());
      ExpectTable(
          cases, 4,
          [&](unsigned p) {
            return GetServiceStr(kName, Part(p, 1, "St. Paul's"), Part(p, 2, "10 AM"),
                                 Part(p, 4, "Rev. Lee"), Part(p, 8, "Oak Hill"), override, notes);
          },
          notes);
    }
  }
  EXPECT_EQ(GetServiceStr(kName, "St. Paul's", "10 AM", "Rev. Lee", "Oak Hill", "1", "Private."),
            "Private.");
  EXPECT_EQ(GetServiceStr(kName, "St. Paul's", "10 AM", "Rev. Lee", "Oak Hill", "1", ""), "");
}

TEST(ObitStringCalc, EveryArgumentEmpty) {
  EXPECT_EQ(GetObitNameStr("", "", "", ""), "The deceased");
  EXPECT_EQ(GetBirthStr("", "", "", "", "", ""), "");
  EXPECT_EQ(GetDeathStr("", "", "", "", ""), "");
  EXPECT_EQ(GetMarriageStr("", "", "", ""), "");
  EXPECT_EQ(GetVeteranStr("", "", ""), "");
  EXPECT_EQ(GetVisitationStr("", "", "", ""), "");
  EXPECT_EQ(GetServiceStr("", "", "", "", "", "", ""), "");
}

TEST(ObitStringCalc, BlanksArePresentAndNothingIsTrimmed) {
  EXPECT_EQ(GetBirthStr(kName, " ", "", "", "", ""), "Ann Hall was born on  .");
  EXPECT_EQ(GetObitNameStr(" ", " ", "", ""), "   ");
  EXPECT_EQ(GetObitNameStr("", " Hall ", "", " Dr "), " Dr   Hall ");
  EXPECT_EQ(GetDeathStr(kName, "", "", "", " "), "Age  .");
  EXPECT_EQ(GetVisitationStr(" ", "", "", ""), "Visitation will be held at  . ");
  // Markup-like and placeholder-like texts are copied as they are.
  EXPECT_EQ(GetMarriageStr("%1", "%0", "", "%3"), "%1 was married on %0, to %3.");
}
