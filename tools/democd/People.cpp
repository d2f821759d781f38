#include "tools/democd/People.h"

#include <algorithm>

namespace democd {

namespace {

const std::vector<QString> kSurnames = {
    "Wexler",  "Hartsock",  "Pennick",  "Oberholt",  "Vandermeer",  "Ashcombe", "Trimble",
    "Kesslar", "Morrow",    "Galloway", "Fenwick",   "Brandt",      "Liddell",  "Ostrander",
    "Haverly", "Quist",     "Dunmore",  "Seifert",   "McAllen",     "Tolliver", "Ebersole",
    "Pruett",  "Lindqvist", "Caskey",   "Harrold",   "Whitcombe",   "Bressler", "Yoder",
    "Stroud",  "Kinnaman",  "Abernath", "Fairleigh", "Gorsuch",     "Helmick",  "Ingersol",
    "Jessup",  "Kettering", "Lusk",     "Marchbank", "Nutter",      "O'Dell",   "Pfeiffer",
    "Rausch",  "Shellhorn", "Ulery",    "Varner",    "Winebrenner", "Zellers"};

const std::vector<QString> kOldMale = {"Ebenezer", "Jedediah", "Josiah",   "Elijah", "Nathaniel",
                                       "Abraham",  "Isaac",    "Jonathan", "Samuel", "Hiram",
                                       "Silas",    "Amos",     "Levi",     "Jacob",  "William",
                                       "John",     "Thomas",   "Henry",    "Daniel", "Zebulon"};
const std::vector<QString> kOldFemale = {
    "Hannah",  "Mercy",     "Prudence", "Rebecca",  "Sarah",      "Mary",   "Elizabeth",
    "Abigail", "Lydia",     "Rachel",   "Martha",   "Susannah",   "Keziah", "Phoebe",
    "Ann",     "Catharine", "Esther",   "Margaret", "Temperance", "Lucinda"};
const std::vector<QString> kVictorianMale = {"George",  "Charles", "Albert", "Frederick", "Walter",
                                             "Edward",  "Frank",   "Harry",  "Clarence",  "Oscar",
                                             "Homer",   "Emmett",  "Lewis",  "Wilbur",    "Ira",
                                             "Orville", "Chester", "Alonzo", "Jesse",     "Milton"};
const std::vector<QString> kVictorianFemale = {"Clara",   "Ida",      "Minnie", "Bertha", "Emma",
                                               "Lillian", "Florence", "Nellie", "Mabel",  "Cora",
                                               "Edna",    "Etta",     "Hattie", "Louisa", "Maude",
                                               "Olive",   "Pearl",    "Viola",  "Alma",   "Della"};
const std::vector<QString> kModernMale = {"Harold",  "Raymond", "Kenneth", "Donald", "Robert",
                                          "Eugene",  "Howard",  "Lloyd",   "Vernon", "Russell",
                                          "Leonard", "Gerald",  "Norman",  "Dale",   "Roger",
                                          "Wayne",   "Marvin",  "Stanley", "Glenn",  "Francis"};
const std::vector<QString> kModernFemale = {
    "Dorothy",  "Mildred",  "Evelyn", "Ruth",    "Helen",   "Irene",  "Gladys",
    "Marjorie", "Lorraine", "Betty",  "Shirley", "Phyllis", "Doris",  "Norma",
    "Vera",     "Arlene",   "Wilma",  "Bernice", "Joan",    "Lucille"};

const std::vector<QString> kTowns = {
    "Quillan",        "Ambervale",  "Tallbrook", "Harrowgate Mills", "New Essling",
    "Coldwater Ford", "Lindenport", "Marrick",   "Pellston Corners", "Orrin Falls"};
const std::vector<QString> kFarOrigins = {"Pennsylvania", "Virginia",   "Connecticut", "Maryland",
                                          "New Jersey",   "Germany",    "Ireland",     "Scotland",
                                          "Wales",        "Switzerland"};

const std::vector<QString> kOccupations = {
    "farmer",         "blacksmith",   "miller",        "carpenter",
    "school teacher", "merchant",     "harness maker", "railroad conductor",
    "cooper",         "wagon maker",  "druggist",      "postmaster",
    "dairyman",       "mail carrier", "machinist",     "physician",
    "minister"};
const std::vector<QString> kChurches = {
    "First Methodist, Quillan", "St. Brigid's Catholic Church",
    "Tallbrook Presbyterian",   "Zion Lutheran, New Essling",
    "Ambervale Baptist",        "Friends Meeting, Coldwater Ford"};
const std::vector<QString> kOldCauses = {"Consumption", "Typhoid fever",       "Old age",
                                         "Dropsy",      "Childbirth",          "Cholera",
                                         "Lung fever",  "Accident at the mill"};
const std::vector<QString> kNewCauses = {
    "Pneumonia", "Heart failure", "Influenza",           "Stroke",
    "Cancer",    "Old age",       "Automobile accident", "Diabetes"};
const std::vector<QString> kInfantCauses = {"Diphtheria", "Scarlet fever", "Whooping cough",
                                            "Croup", "Measles"};

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

// A date somewhere in the given year.
QDate DayInYear(Random& rng, int year) {
  const QDate first(year, 1, 1);
  return first.addDays(rng.Range(0, first.daysInYear() - 1));
}

QString VeteranService(Random& rng, int birthYear) {
  struct War {
    int bornFrom, bornTo;
    const char* text;
  };
  static const War kWars[] = {
      {1745, 1765, "Pvt., Capt. Hollis's Co., Continental Line, Revolutionary War"},
      {1780, 1797, "Sgt., Militia, War of 1812"},
      {1820, 1847, "Pvt., Co. C, 112th Regt. Vol. Inf., Civil War"},
      {1820, 1847, "Cpl., Co. H, 9th Regt. Vol. Cavalry, Civil War"},
      {1872, 1881, "Pvt., Co. B, 4th Regt. Vol. Inf., Spanish-American War"},
      {1888, 1900, "Pvt., 331st Field Artillery, World War I"},
      {1915, 1927, "T/Sgt., U.S. Army Air Forces, World War II"},
      {1915, 1927, "S1c, U.S. Navy, World War II"},
      {1928, 1934, "Cpl., U.S. Army, Korea"},
  };
  std::vector<const char*> fits;
  for (const War& w : kWars)
    if (birthYear >= w.bornFrom && birthYear <= w.bornTo) fits.push_back(w.text);
  return fits.empty() ? QString() : QString::fromUtf8(rng.Pick(fits));
}

QString BirthPlaceFor(Random& rng, int birthYear) {
  if (birthYear < 1810 || rng.Chance(20)) return rng.Pick(kFarOrigins);
  return rng.Pick(kTowns);
}

QString Cause(Random& rng, const Age& age, int deathYear) {
  if (age.years < 6) return rng.Pick(kInfantCauses);
  return deathYear < 1900 ? rng.Pick(kOldCauses) : rng.Pick(kNewCauses);
}

// Fills the parts every person gets once birth and death are known.
void Complete(Random& rng, Person& p) {
  const Age age = AgeAt(p.birth, p.death);
  p.birthPlace = BirthPlaceFor(rng, p.birth.year());
  p.residence = rng.Pick(kTowns);
  p.deathPlace = rng.Chance(70) ? p.residence : rng.Pick(kTowns);
  p.church = rng.Pick(kChurches);
  p.cause = Cause(rng, age, p.death.year());
  if (!p.female && age.years >= 18) {
    p.occupation = rng.Pick(kOccupations);
    if (p.occupation == "physician") p.prefix = "Dr.";
    if (p.occupation == "minister") p.prefix = "Rev.";
    if (rng.Chance(55)) {
      p.vetInfo = VeteranService(rng, p.birth.year());
      p.veteran = !p.vetInfo.isEmpty();
    }
  }
  p.birthYearOnly = p.birth.year() < 1830 && rng.Chance(30);
}

QDate DeathIn(Random& rng, const Era& era, int fromYear, int toYear) {
  const int lo = std::max(era.firstDeathYear, fromYear);
  const int hi = std::min(era.lastDeathYear, toYear);
  if (lo > hi) return QDate();
  return DayInYear(rng, rng.Range(lo, hi));
}

}  // namespace

const std::vector<QString>& Surnames() { return kSurnames; }
const std::vector<QString>& Towns() { return kTowns; }

const std::vector<QString>& MaleGivenNames(int birthYear) {
  if (birthYear < 1830) return kOldMale;
  return birthYear < 1890 ? kVictorianMale : kModernMale;
}

const std::vector<QString>& FemaleGivenNames(int birthYear) {
  if (birthYear < 1830) return kOldFemale;
  return birthYear < 1890 ? kVictorianFemale : kModernFemale;
}

QString MonthName(int month) { return QString::fromUtf8(kMonths[month - 1]); }

QString FormatDate(const QDate& date, DateStyle style) {
  if (!date.isValid()) return QString();
  const QString shortMonth = MonthName(date.month()).left(3);
  const QString day = QString::number(date.day());
  const QString year = QString::number(date.year());
  switch (style) {
    case DateStyle::MonthDayYear:
      return shortMonth + " " + day + ", " + year;
    case DateStyle::DayMonthYear:
      return day + " " + shortMonth + " " + year;
    case DateStyle::Numeric:
      return QString::number(date.month()) + "/" + day + "/" + year;
    case DateStyle::LongMonth:
      return MonthName(date.month()) + " " + day + ", " + year;
  }
  return QString();
}

Age AgeAt(const QDate& birth, const QDate& death) {
  Age a;
  a.years = death.year() - birth.year();
  a.months = death.month() - birth.month();
  a.days = death.day() - birth.day();
  if (a.days < 0) {
    a.months -= 1;
    a.days += death.addMonths(-1).daysInMonth();
  }
  if (a.months < 0) {
    a.years -= 1;
    a.months += 12;
  }
  return a;
}

QDate EarliestDeath(const std::vector<Person>& people) {
  QDate first;
  for (const Person& p : people)
    if (!first.isValid() || p.death < first) first = p.death;
  return first;
}

Person MakePerson(Random& rng, const Era& era) {
  Person p;
  p.female = rng.Chance(50);
  p.death = DayInYear(rng, rng.Range(era.firstDeathYear, era.lastDeathYear));
  p.birth = p.death.addDays(-rng.Range(40 * 365, 92 * 365));
  p.last = rng.Pick(kSurnames);
  p.given = p.female ? rng.Pick(FemaleGivenNames(p.birth.year()))
                     : rng.Pick(MaleGivenNames(p.birth.year()));
  if (p.female) p.maiden = rng.Pick(kSurnames);
  Complete(rng, p);
  return p;
}

std::vector<Person> MakeFamily(Random& rng, const Era& era) {
  std::vector<Person> family;
  Person husband;
  husband.death = DayInYear(rng, rng.Range(era.firstDeathYear, era.lastDeathYear));
  husband.birth = husband.death.addDays(-rng.Range(38 * 365, 89 * 365));
  husband.last = rng.Pick(kSurnames);
  husband.given = rng.Pick(MaleGivenNames(husband.birth.year()));
  Complete(rng, husband);

  Person wife;
  wife.female = true;
  wife.last = husband.last;
  wife.maiden = rng.Pick(kSurnames);
  wife.birth = husband.birth.addDays(rng.Range(-2 * 365, 9 * 365));
  wife.given = rng.Pick(FemaleGivenNames(wife.birth.year()));
  wife.death = DeathIn(rng, era, wife.birth.year() + 24, wife.birth.year() + 96);
  const QDate marriage = husband.birth.addDays(rng.Range(21 * 365, 30 * 365));
  const QString marriagePlace = rng.Pick(kTowns);
  const QString husbandName = husband.fullName();
  const QString wifeName = wife.given + " " + wife.maiden;
  husband.spouse = wifeName;
  husband.marriage = marriage;
  husband.marriagePlace = marriagePlace;
  husband.relationship = "Husband of " + wife.given;
  family.push_back(husband);

  if (wife.death.isValid() && wife.death > marriage) {
    Complete(rng, wife);
    wife.spouse = husbandName;
    wife.marriage = marriage;
    wife.marriagePlace = marriagePlace;
    wife.relationship = "Wife of " + husband.given;
    if (wife.birth.year() >= 1850 && rng.Chance(40)) wife.prefix = "Mrs.";
    family.push_back(wife);
  }

  const int children = rng.Range(0, 3);
  for (int i = 0; i < children; ++i) {
    Person child;
    child.female = rng.Chance(50);
    child.last = husband.last;
    child.birth = marriage.addDays(rng.Range(300, 18 * 365));
    child.given = child.female ? rng.Pick(FemaleGivenNames(child.birth.year()))
                               : rng.Pick(MaleGivenNames(child.birth.year()));
    const bool infant = rng.Chance(60);
    child.death = infant ? child.birth.addDays(rng.Range(3, 6 * 365))
                         : child.birth.addDays(rng.Range(15 * 365, 31 * 365));
    if (child.death.year() < era.firstDeathYear || child.death.year() > era.lastDeathYear) continue;
    Complete(rng, child);
    child.father = husbandName;
    child.mother = wifeName;
    child.relationship =
        (child.female ? "Dau. of " : "Son of ") + husband.given + " & " + wife.given;
    family.push_back(child);
  }
  return family;
}

}  // namespace democd
