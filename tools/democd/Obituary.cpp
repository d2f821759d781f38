#include "tools/democd/Obituary.h"

#include <QStringList>
#include <algorithm>

#include "tools/democd/Places.h"

namespace democd {

namespace {

const std::vector<Newspaper> kPapers = {
    {1, "The Quillan Courier", 1868},
    {2, "Ambervale Daily Sentinel", 1881},
    {3, "Tallbrook Herald-Gazette", 1902},
};

const std::vector<QString> kOfficiants = {"Rev. Amos Lusk", "Rev. Fr. Martin Quist",
                                          "Pastor Emil Seifert", "Rev. Dale Fairleigh",
                                          "Rev. Orrin Whitcombe"};
const std::vector<QString> kFuneralHomes = {
    "the Harlan & Sons Funeral Home", "the Pruett-Caskey Funeral Chapel", "the Dunmore Mortuary"};
const std::vector<QString> kOtherCemeteries = {"Riverside Cemetery, Ambervale",
                                               "Zion Lutheran Cemetery, New Essling",
                                               "Orrin Falls Township Cemetery"};
const std::vector<QString> kMenMemberships = {
    "Member of the Odd Fellows Lodge No. 212 and the volunteer fire company.",
    "Member of the American Legion Post 77 and the Tallbrook Rotary Club.",
    "Member of the Quillan Grange.",
    "Life member of the Wendmoor County Historical Society.",
};
const std::vector<QString> kWomenMemberships = {
    "Member of the Quillan Grange and the Ladies' Aid Society.",
    "Member of the Order of the Eastern Star and the Tuesday Reading Club.",
    "Member of the church choir for forty years.",
    "Life member of the Wendmoor County Historical Society.",
};
const std::vector<QString> kBirthNotes = {
    " The family came west by wagon when the child was two.",
    " The youngest of nine children.",
    " One of twins.",
    " The first child born in the new settlement.",
};
const std::vector<QString> kThanks = {
    "CARD OF THANKS - The family wishes to thank the neighbors and friends for their many "
    "kindnesses, the beautiful flowers and the use of automobiles.",
    "The family requests that memorials be made to the church building fund.",
    "In lieu of flowers, contributions may be made to the Wendmoor County Hospital Auxiliary.",
};

QString He(const Person& p) { return p.female ? "she" : "he"; }
QString His(const Person& p) { return p.female ? "her" : "his"; }
QString Child(const Person& p) { return p.female ? "daughter" : "son"; }
QString Capital(const QString& s) { return s.left(1).toUpper() + s.mid(1); }
QString Long(const QDate& d) { return FormatDate(d, DateStyle::LongMonth); }

QString AgeText(const Person& p) {
  const Age a = AgeAt(p.birth, p.death);
  if (a.years > 0) return QString::number(a.years);
  return QString::number(a.months) + " months";
}

QString Parents(Random& rng, const Person& p) {
  if (!p.father.isEmpty()) return p.father + " and " + p.mother;
  if (!rng.Chance(60)) return QString();
  const int y = p.birth.year() - 28;
  return "the late " + rng.Pick(MaleGivenNames(y)) + " and " + rng.Pick(FemaleGivenNames(y)) +
         " (" + rng.Pick(Surnames()) + ") " + p.last;
}

QString Survivors(Random& rng, const Person& p, bool spouseLiving) {
  QStringList parts;
  const int y = p.birth.year() + 27;
  if (!p.spouse.isEmpty() && spouseLiving)
    parts << (p.female ? "her husband, " : "his wife, ") + p.spouse.section(' ', 0, 0);
  QStringList sons;
  for (int i = rng.Range(0, 3); i > 0; --i)
    sons << rng.Pick(MaleGivenNames(y)) + " of " + rng.Pick(Towns());
  if (sons.size() == 1) parts << "a son, " + sons.front();
  if (sons.size() > 1)
    parts << QString::number(sons.size()) + " sons, " + sons.mid(0, sons.size() - 1).join(", ") +
                 " and " + sons.back();
  if (rng.Chance(60))
    parts << "a daughter, Mrs. " + rng.Pick(FemaleGivenNames(y)) + " " + rng.Pick(Surnames()) +
                 " of " + rng.Pick(Towns());
  if (rng.Chance(50)) parts << QString::number(rng.Range(2, 14)) + " grandchildren";
  if (parts.isEmpty()) return QString();
  return "Survived by " + parts.join("; ") + ".";
}

QString Predeceased(Random& rng, const Person& p, bool spouseLiving) {
  QStringList parts;
  if (!p.spouse.isEmpty() && !spouseLiving) {
    const int last = p.death.year() - 1;
    const int first = std::min(last, std::max(p.marriage.year() + 5, p.death.year() - 30));
    parts << (p.female ? "her husband, " : "his wife, ") + p.spouse.section(' ', 0, 0) + ", in " +
                 QString::number(rng.Range(first, last));
  }
  if (rng.Chance(40)) parts << (rng.Chance(50) ? "a brother" : "two sisters");
  if (parts.isEmpty()) return QString();
  return "Preceded in death by " + parts.join(" and ") + ".";
}

QString ClockTime(Random& rng) {
  const int hour = rng.Range(1, 12);
  const int minute = rng.Range(0, 11) * 5;
  return QString::number(hour) + ":" + QString::number(minute).rightJustified(2, '0') +
         (rng.Chance(50) ? " a.m." : " p.m.");
}

QString Weekday(const QDate& d) {
  static const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                      "Friday", "Saturday", "Sunday"};
  return QString::fromUtf8(kDays[d.dayOfWeek() - 1]);
}

QString BurialPlace(Random& rng, const Person& p) {
  return p.grave.cemetery.isEmpty() ? rng.Pick(kOtherCemeteries) : p.grave.cemetery;
}

void PutBirthAndFamily(Random& rng, Record& r, const Person& p) {
  if (rng.Chance(90)) r["BirthDate"] = Long(p.birth);
  if (p.birth.year() >= 1900 && rng.Chance(10)) r["BirthTime"] = ClockTime(rng);
  if (rng.Chance(80)) r["BirthPlace"] = p.birthPlace;
  if (rng.Chance(15)) r["BirthNotes"] = rng.Pick(kBirthNotes);
  r["Parents"] = TextOrNull(Parents(rng, p));
  if (!p.spouse.isEmpty()) {
    if (rng.Chance(70)) r["MarriageDate"] = Long(p.marriage);
    if (rng.Chance(60)) r["MarriagePlace"] = p.marriagePlace;
    if (rng.Chance(90)) r["Spouse"] = p.spouse;
  }
  const bool spouseLiving = rng.Chance(50);
  r["SurvivedBy"] = TextOrNull(Survivors(rng, p, spouseLiving));
  r["PrecededBy"] = TextOrNull(Predeceased(rng, p, spouseLiving));
  if (rng.Chance(45)) r["Memberships"] = rng.Pick(p.female ? kWomenMemberships : kMenMemberships);
}

void PutDeath(Random& rng, Record& r, const Person& p) {
  r["DeathDate"] = Long(p.death);
  if (p.death.year() >= 1900 && rng.Chance(35)) r["DeathTime"] = ClockTime(rng);
  if (rng.Chance(85))
    r["DeathPlace"] = p.death.year() >= 1910 && rng.Chance(50)
                          ? "Wendmoor County Hospital, " + p.deathPlace
                          : His(p) + " home in " + p.deathPlace;
  if (rng.Chance(90)) r["Age"] = AgeText(p);
  r["IsVeteran"] = static_cast<int32_t>(p.veteran ? 1 : 0);
  if (p.veteran && rng.Chance(70)) r["Veteran"] = Capital(He(p)) + " served as " + p.vetInfo + ".";
}

void PutVisitation(Random& rng, Record& r, const Person& p) {
  r["VisitationOverride"] = int32_t{0};
  if (p.death.year() < 1920) return;
  const QDate day = p.death.addDays(2);
  if (rng.Chance(15)) {
    r["VisitationOverride"] = int32_t{1};
    r["VisitationNotes"] = "There will be no public visitation.";
    return;
  }
  if (rng.Chance(85)) r["VisitationPlace"] = rng.Pick(kFuneralHomes);
  if (rng.Chance(75)) r["VisitationTimes"] = Weekday(day) + " from 2 to 4 and 7 to 9 p.m.";
  if (rng.Chance(20)) r["VisitationNotes"] = "The Grange will hold a memorial service at 8 p.m.";
}

void PutService(Random& rng, Record& r, const Person& p) {
  r["ServiceOverride"] = int32_t{0};
  if (p.death.year() < 1890) return;
  if (rng.Chance(10)) {
    r["ServiceOverride"] = int32_t{1};
    r["ServiceNotes"] = "Services were private at the convenience of the family.";
    return;
  }
  if (rng.Chance(80)) r["ServicePlace"] = rng.Chance(60) ? p.church : rng.Pick(kFuneralHomes);
  if (rng.Chance(70))
    r["ServiceTimes"] = "2 p.m. " + Weekday(p.death.addDays(3)) + ", " + Long(p.death.addDays(3));
  if (rng.Chance(75)) r["PersonOfficiating"] = rng.Pick(kOfficiants);
  if (rng.Chance(85)) r["BurialLocation"] = BurialPlace(rng, p);
  if (rng.Chance(15)) r["ServiceNotes"] = "Military rites at the grave.";
}

// "1st", "2nd", "3rd", "4th", ... as newspapers wrote the day of the month.
QString Ordinal(int day) {
  const int tens = day % 100 / 10, ones = day % 10;
  const char* suffix = "th";
  if (tens != 1 && ones == 1) suffix = "st";
  if (tens != 1 && ones == 2) suffix = "nd";
  if (tens != 1 && ones == 3) suffix = "rd";
  return QString::number(day) + suffix;
}

QString NameLine(const Person& p) {
  return (p.female && !p.spouse.isEmpty() ? "Mrs. " : QString()) + p.given + " " + p.last;
}

QString OldNotice(Random& rng, const Person& p) {
  const Age a = AgeAt(p.birth, p.death);
  QString s = "DIED. - At " + His(p) + " residence in " + p.deathPlace + ", on the " +
              Ordinal(p.death.day()) + " inst., " + NameLine(p);
  if (!p.spouse.isEmpty()) s += (p.female ? ", wife of " : ", husband of ") + p.spouse;
  s += ", aged " + QString::number(a.years) + " years, " + QString::number(a.months) +
       " months and " + QString::number(a.days) + " days. ";
  s += p.cause + " was the cause of " + His(p) + " death. ";
  s += "The funeral was held from " + p.church + ", and interment made in " + BurialPlace(rng, p) +
       ".";
  return s;
}

QString ModernNotice(Random& rng, const Person& p) {
  const QString name = p.given + " " + p.last;
  QString s = name.toUpper() + " - " + name + ", " + AgeText(p) + ", of " + p.residence +
              ", died " + Weekday(p.death) + ", " + Long(p.death) + ", after a " +
              (rng.Chance(50) ? "long illness" : "brief illness") + ". ";
  s += Capital(He(p)) + " was born " + Long(p.birth) + " in " + p.birthPlace + ", the " + Child(p) +
       " of " + (p.father.isEmpty() ? "pioneer settlers" : p.father + " and " + p.mother) + ". ";
  if (!p.spouse.isEmpty())
    s += "On " + Long(p.marriage) + " " + He(p) + " married " + p.spouse + ". ";
  if (!p.occupation.isEmpty())
    s += "He worked as a " + p.occupation + " for many years. ";
  else if (p.female)
    s += "She was a devoted homemaker and a faithful member of " + p.church + ". ";
  if (p.veteran) s += Capital(He(p)) + " served as " + p.vetInfo + ". ";
  s += "Services were held at " + p.church + ", and burial was in " + BurialPlace(rng, p) + ".";
  return s;
}

}  // namespace

const std::vector<Newspaper>& Newspapers() { return kPapers; }

const Newspaper* PaperFor(Random& rng, int year) {
  std::vector<const Newspaper*> papers;
  for (const Newspaper& n : kPapers)
    if (n.firstYear <= year) papers.push_back(&n);
  return papers.empty() ? &kPapers.front() : rng.Pick(papers);
}

QString TypedObituary(Random& rng, const Person& p) {
  return p.death.year() < 1900 ? OldNotice(rng, p) : ModernNotice(rng, p);
}

Record ObituaryRecord(Random& rng, const Person& p, int id, const Printing& printing) {
  Record r;
  r["ID"] = static_cast<int32_t>(id);
  r["LastName"] = p.last;
  r["Given"] = p.given;
  if (p.female && !p.maiden.isEmpty() && rng.Chance(60)) r["MaidenName"] = p.maiden;
  r["NamePrefix"] = TextOrNull(p.prefix);
  PutBirthAndFamily(rng, r, p);
  PutDeath(rng, r, p);
  PutVisitation(rng, r, p);
  PutService(rng, r, p);
  if (rng.Chance(15)) r["BigNote"] = rng.Pick(kThanks);
  r["PublicationDate"] = Long(printing.published);
  r["PublicationDateReal"] = printing.published.toString(Qt::ISODate);
  r["TypedObit"] = TypedObituary(rng, p);
  r["NewsPubSourceID"] = static_cast<int32_t>(printing.paper->id);
  r["ArchiveID"] = static_cast<int32_t>(printing.archiveId);
  r["Obituary"] = printing.paper->name;
  r["Section"] = QString::number(printing.published.year());
  r["ROW"] = QString::number(printing.published.month());
  r["LOT"] = QString::number(printing.published.day());
  r["STONE"] = QString::number(printing.page);
  r["Pix1"] = TextOrNull(printing.pix1);
  r["Pix2"] = TextOrNull(printing.pix2);
  r["Pix3"] = TextOrNull(printing.pix3);
  return r;
}

std::vector<SqlColumn> ObitDataColumns() {
  std::vector<SqlColumn> columns = {{"ID", "INTEGER PRIMARY KEY"}};
  const char* const kText[] = {"LastName",  "Given",        "MaidenName",    "NamePrefix",
                               "BirthDate", "BirthTime",    "BirthPlace",    "BirthNotes",
                               "Parents",   "DeathDate",    "DeathTime",     "DeathPlace",
                               "Age",       "MarriageDate", "MarriagePlace", "Spouse"};
  for (const char* n : kText) columns.push_back({n, "TEXT"});
  columns.push_back({"IsVeteran", "INTEGER"});
  for (const char* n :
       {"Veteran", "SurvivedBy", "PrecededBy", "Memberships", "VisitationPlace", "VisitationTimes"})
    columns.push_back({n, "TEXT"});
  columns.push_back({"VisitationOverride", "INTEGER"});
  for (const char* n :
       {"VisitationNotes", "ServicePlace", "ServiceTimes", "PersonOfficiating", "BurialLocation"})
    columns.push_back({n, "TEXT"});
  columns.push_back({"ServiceOverride", "INTEGER"});
  for (const char* n :
       {"ServiceNotes", "BigNote", "PublicationDate", "PublicationDateReal", "TypedObit"})
    columns.push_back({n, "TEXT"});
  columns.push_back({"NewsPubSourceID", "INTEGER"});
  columns.push_back({"ArchiveID", "INTEGER"});
  for (const char* n : {"Obituary", "Section", "ROW", "LOT", "STONE", "Pix1", "Pix2", "Pix3"})
    columns.push_back({n, "TEXT"});
  return columns;
}

SqlTable MakeSqlTable(const QString& name, std::vector<SqlColumn> columns,
                      const std::vector<Record>& records) {
  SqlTable t{name, std::move(columns), {}};
  t.rows.reserve(records.size());
  for (const Record& r : records)
    t.rows.push_back(RowOf(t.columns, r, [](const SqlColumn& c) { return c.name; }));
  return t;
}

namespace {

// The address and notes columns that both place tables share.
std::vector<SqlColumn> PlaceColumns(std::vector<SqlColumn> keys, const char* extraNote,
                                    const char* picturePrefix) {
  for (const char* n : {"Long", "LAT", "Address1", "Address2", "City", "State", "zip", "County",
                        "Township", "District", "Country", "Notes", "Other", extraNote})
    keys.push_back({n, "TEXT"});
  for (int i = 1; i <= 3; ++i)
    keys.push_back({QString(picturePrefix) + QString::number(i), "TEXT"});
  return keys;
}

struct Place {
  const char* name;
  PlaceAddress address;
  const char* extra;  // ownership history or storage place
  QString pictures[3];
};

Record PlaceRecord(const Place& p, const QString& nameColumn, const QString& extraColumn,
                   const QString& picturePrefix) {
  Record r;
  r[nameColumn] = QString::fromUtf8(p.name);
  PutAddress(r, p.address, "zip");
  r[extraColumn] = QString::fromUtf8(p.extra);
  PutPictures(r, picturePrefix, p.pictures);
  return r;
}

const Place kPaperPlaces[] = {
    {"The Quillan Courier",
     {"82.89917 W", "40.70833 N", "114 Front Street", "", "Quillan", "44907", "Tallbrook", "",
      "Weekly until 1921, then published twice a week. Obituaries ran on page 4 or 5.",
      "Early issues used \"Died.\" notices without headlines."},
     "Founded 1868 by Josiah Fenwick. Sold to the Galloway family in 1903; merged into the "
     "Wendmoor Press in 1979.",
     {"COURIER1.JPG", "COURIER2.JPG", ""}},
    {"Ambervale Daily Sentinel",
     {"-82.81250", "40.66417", "2 Courthouse Square", "Second floor", "Ambervale", "44911",
      "Marrick", "Ambervale City",
      "Daily except Sunday. Rural correspondents' columns carry many death notices.", ""},
     "Founded 1881 as the Ambervale Weekly Sentinel; daily from 1894. Still published.",
     {"SENTINL1.JPG", "", ""}},
    {"Tallbrook Herald-Gazette",
     {"82.95500 w", "40.74083 n", "57 Mill Road", "", "Tallbrook", "44902", "Tallbrook", "",
      "Formed in 1902 when the Tallbrook Herald and the Gazette merged.",
      "Issues from 1917 to 1919 are missing."},
     "Owned by the Herald-Gazette Company until it closed in 1968.",
     {"HERALD1.JPG", "", ""}},
};

const Place kArchivePlaces[] = {
    {"Wendmoor County Historical Society",
     {"82.90222 W", "40.71056 N", "301 Elm Street", "Hartsock House", "Quillan", "44907",
      "Tallbrook", "",
      "Open Tuesday and Saturday, 10 a.m. to 4 p.m. Volunteers will search on request.",
      "Copies are 25 cents a page."},
     "Bound volumes of the Courier, 1868-1979, second floor reading room; obituary clipping files "
     "by surname in the cabinets by the east window.",
     {"HISTSOC1.JPG", "HISTSOC2.JPG", ""}},
    {"Quillan Public Library - Local History Room",
     {"-82.89750", "40.70694", "12 Library Lane", "", "Quillan", "44907", "Tallbrook",
      "Quillan Village", "Microfilm readers may be reserved at the front desk.", ""},
     "Microfilm of the Sentinel 1881-1990 and the Herald-Gazette 1902-1968, cabinet 3, drawers 1 "
     "to 14.",
     {"LIBRARY1.JPG", "", ""}},
};

template <size_t N>
std::vector<PlacePicture> PicturesOf(const Place (&places)[N]) {
  std::vector<PlacePicture> out;
  for (const Place& p : places)
    for (const QString& name : p.pictures)
      if (!name.isEmpty()) out.push_back({name, QString::fromUtf8(p.name)});
  return out;
}

}  // namespace

std::vector<PlacePicture> SourcePictures() { return PicturesOf(kPaperPlaces); }
std::vector<PlacePicture> ArchivePictures() { return PicturesOf(kArchivePlaces); }
int ArchiveCount() { return static_cast<int>(std::size(kArchivePlaces)); }

SqlTable SourcesTable() {
  std::vector<Record> records;
  for (size_t i = 0; i < std::size(kPaperPlaces); ++i) {
    Record r = PlaceRecord(kPaperPlaces[i], "Publisher", "BriefOwnershipHist", "ObitSourcePix");
    r["newsid"] = static_cast<int32_t>(kPapers[i].id);
    r["NewsPubSourceID"] = static_cast<int32_t>(kPapers[i].id);
    records.push_back(r);
  }
  return MakeSqlTable(
      "SourcesSheet",
      PlaceColumns({{"newsid", "INTEGER"}, {"NewsPubSourceID", "INTEGER"}, {"Publisher", "TEXT"}},
                   "BriefOwnershipHist", "ObitSourcePix"),
      records);
}

SqlTable ArchivesTable() {
  std::vector<Record> records;
  for (size_t i = 0; i < std::size(kArchivePlaces); ++i) {
    Record r = PlaceRecord(kArchivePlaces[i], "ArchiveName", "StoragePlaceDescription",
                           "ArchiveLocationPix");
    r["ArchiveID"] = static_cast<int32_t>(i + 1);
    records.push_back(r);
  }
  return MakeSqlTable("ArchiveSheet",
                      PlaceColumns({{"ArchiveID", "INTEGER"}, {"ArchiveName", "TEXT"}},
                                   "StoragePlaceDescription", "ArchiveLocationPix"),
                      records);
}

SqlTable ObitVersionTable() {
  Record r;
  r["dbver"] = QString(kObituaryDbVersion);
  return MakeSqlTable("VERSHT", {{"dbver", "TEXT"}}, {r});
}

}  // namespace democd
