#pragma once
// Invented people for the demo data: families buried together, with dates,
// places, relationships and the details that transcribers and obituary
// writers record. Every name and place is made up.
#include <QDate>
#include <QString>
#include <vector>

#include "tools/democd/Random.h"

namespace democd {

// A stretch of years in which a burial ground took in its dead.
struct Era {
  int firstDeathYear = 1800;
  int lastDeathYear = 1900;
};

// A grave's place in a burial ground.
struct Grave {
  QString cemetery, section, row, lot, stone;
};

struct Person {
  QString given, last, maiden, prefix;
  bool female = false;
  QDate birth, death;
  bool birthYearOnly = false;  // the stone gives only the year of birth
  QString birthPlace, deathPlace, residence;
  QString spouse;  // full name of the husband or wife
  QDate marriage;
  QString marriagePlace;
  QString father, mother;  // full names; the mother by her maiden name
  QString relationship;    // as a transcriber notes it: "Wife of John"
  bool veteran = false;
  QString vetInfo;
  QString occupation, church, cause;
  Grave grave;
  QString fullName() const { return given + " " + last; }
};

// Builds a family (husband, wife, a few children) whose deaths fall in the
// era; members whose deaths would fall outside it are left out.
std::vector<Person> MakeFamily(Random& rng, const Era& era);

// The first death among them.
QDate EarliestDeath(const std::vector<Person>& people);

// A single person whose death falls in the era.
Person MakePerson(Random& rng, const Era& era);

// Years, months and days between two dates, as an age at death.
struct Age {
  int years = 0, months = 0, days = 0;
};
Age AgeAt(const QDate& birth, const QDate& death);

enum class DateStyle { MonthDayYear, DayMonthYear, Numeric, LongMonth };
QString FormatDate(const QDate& date, DateStyle style);
QString MonthName(int month);  // "January"

// Name pools, also used by the large-file generators.
const std::vector<QString>& Surnames();
const std::vector<QString>& MaleGivenNames(int birthYear);
const std::vector<QString>& FemaleGivenNames(int birthYear);
const std::vector<QString>& Towns();

}  // namespace democd
