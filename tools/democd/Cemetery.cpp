#include "tools/democd/Cemetery.h"

#include "tools/democd/Places.h"

namespace democd {

namespace {

using jetwriter::Column;
using jetwriter::ColumnType;

Column Text(const char* name, int size) { return Column{name, ColumnType::Text, size}; }
Column Memo(const char* name) { return Column{name, ColumnType::Memo, 0}; }
Column Of(const char* name, ColumnType type) { return Column{name, type, 0}; }

const std::vector<QString> kInscriptions = {
    "Gone but not forgotten",
    "Asleep in Jesus",
    "At rest",
    "Thy will be done",
    "Blessed are the pure in heart",
    "In loving memory",
    "Budded on earth to bloom in heaven",
    "We shall meet again",
    "Mother",
    "Father",
    "Our darling",
    "Rest in peace",
    "Not lost, but gone before",
    "He giveth his beloved sleep",
    "Here lies one whose life was a blessing to all who knew her",
};
const std::vector<QString> kStoneTypes = {"Marble tablet", "Granite upright", "Obelisk",
                                          "Flat marker",   "Fieldstone",      "Sandstone tablet",
                                          "Bronze plaque", "Granite double"};
const std::vector<QString> kConditions = {
    "Good",    "Fair, lichen", "Broken, repaired", "Partly illegible",
    "Leaning", "Sunken",       "Weathered",        "Excellent"};
const std::vector<QString> kFuneralHomes = {"Harlan & Sons Funeral Home",
                                            "Pruett-Caskey Funeral Chapel",
                                            "Quillan Undertaking Co.", "Dunmore Mortuary"};
const std::vector<QString> kNotes = {
    "Stone moved here from the family farm in 1911.",
    "Name spelled differently on the footstone.",
    "Footstone only; headstone missing.",
    "Shares a stone with spouse.",
    "Lot fenced with iron railing.",
    "Death date from the sexton's book; the stone is unreadable.",
};

bool InfantOrChild(const Person& p) { return AgeAt(p.birth, p.death).years < 12; }

void PutAge(Record& r, const Person& p) {
  const Age age = AgeAt(p.birth, p.death);
  r["YR"] = vb::Variant(static_cast<int16_t>(age.years));
  if (p.birthYearOnly) return;  // the stone says "aged 63 yrs" and no more
  r["MO"] = vb::Variant(static_cast<int16_t>(age.months));
  r["DA"] = vb::Variant(static_cast<int16_t>(age.days));
}

void PutVeteran(Random& rng, Record& r, const Person& p) {
  if (p.veteran) {
    r["IsVeteran"] = vb::Variant(int16_t{1});
    if (rng.Chance(85)) r["VetInfo"] = p.vetInfo;
    return;
  }
  if (p.birth.year() < 1800 && rng.Chance(50)) return;  // never asked in the old survey
  r["IsVeteran"] = vb::Variant(int16_t{0});
  if (!p.female && p.death.year() >= 1864 && p.birth.year() < 1848 && rng.Chance(30))
    r["VetInfo"] = "Served in the county Home Guard, 1864";
}

void PutStone(Random& rng, Record& r, const Person& p) {
  if (rng.Chance(85)) r["StoneType"] = rng.Pick(kStoneTypes);
  if (rng.Chance(75)) r["StoneCondition"] = rng.Pick(kConditions);
  if (InfantOrChild(p) && rng.Chance(70))
    r["Inscriptions"] = rng.Chance(50) ? "Our darling" : "Budded on earth to bloom in heaven";
  else if (rng.Chance(75))
    r["Inscriptions"] = rng.Pick(kInscriptions);
}

void PutCustom(Random& rng, Record& r, const Person& p, const BurialExtras& extras) {
  if (p.death.year() >= 1880 && rng.Chance(70)) r["Custom1"] = rng.Pick(kFuneralHomes);
  if (rng.Chance(55)) r["Custom2"] = p.cause;
  if (rng.Chance(45)) r["Custom3"] = p.church;
  r["Custom4"] = TextOrNull(extras.obituarySource);
}

const std::vector<Site> kSites = {
    {"Maple Hill Cemetery",
     {"A", "B", "C"},
     {1852, 1978},
     DateStyle::MonthDayYear,
     'M',
     24,
     "L. Ostrander, 14 May 1998",
     true,
     {"MHGATE.JPG", "MHVIEW.JPG", "MHCHAPEL.JPG"}},
    {"St. Brigid's Churchyard",
     {"North", "South"},
     {1871, 1995},
     DateStyle::DayMonthYear,
     'B',
     14,
     "Wendmoor County Genealogical Society, 2001",
     true,
     {"SBGATE.JPG", "SBVIEW.JPG", "SBCHURCH.JPG"}},
    {"Old Pioneer Burying Ground",
     {},
     {1789, 1868},
     DateStyle::Numeric,
     'P',
     12,
     "H. Kinnaman, 1936; checked 1997",
     false,
     {"PBGATE.JPG", "PBVIEW.JPG", ""}},
};

struct SiteAddress {
  PlaceAddress address;
  const char* history;
};

const SiteAddress kAddresses[] = {
    {{"82.90412 W", "40.71235 N", "North end of Cemetery Road", "", "Quillan", "44907", "Tallbrook",
      "",
      "Entrance from Cemetery Road through the stone gate. Section C is the newest part, east "
      "of the chapel.",
      "The sexton's books from 1852 are kept at the village office."},
     "Laid out in 1852 on land given by Ebenezer Wexler. Run by the Maple Hill Cemetery "
     "Association until 1949, since then by the Village of Quillan."},
    {{"-82.7705", "40.6518", "St. Brigid's Church", "418 Chapel Street", "Ambervale", "44911",
      "Marrick", "Ambervale City", "Behind the church. The North section holds the older graves.",
      ""},
     "Consecrated 1871 with the first church building. Owned by the parish."},
    {{"82.81944 w", "40.58833 n", "Pellston Road, 1/2 mile west of the ford", "", "Coldwater Ford",
      "44915", "Orrin Falls", "",
      "On a rise in a pasture; ask permission at the farm. Many stones are fieldstones without "
      "letters.",
      "Graves were mapped in 1936 by the county historical survey."},
     "Burial place of the first settlers from 1789. Abandoned after 1868; cleared by the "
     "township trustees in 1936 and 1997."},
};

}  // namespace

const std::vector<Site>& Sites() { return kSites; }

std::vector<Record> CemSheetRecords() {
  std::vector<Record> records;
  for (size_t i = 0; i < kSites.size(); ++i) {
    Record r;
    r["ID"] = vb::Variant(static_cast<int32_t>(i + 1));
    r["Cemetery"] = kSites[i].name;
    PutAddress(r, kAddresses[i].address, "Row");  // the zip code sits in column Row
    r["BriefOwnershipHist"] = QString::fromUtf8(kAddresses[i].history);
    PutPictures(r, "CemPix", kSites[i].pictures);
    records.push_back(r);
  }
  return records;
}

void PlaceFamily(Random& rng, const Site& site, Plots& plots, std::vector<Person>& family,
                 int blankRowPercent) {
  constexpr int kRowsPerSection = 40;
  const QString section = site.sections.isEmpty() ? QString() : rng.Pick(site.sections);
  int& row = plots.lastRow[section];
  row += row == 0 ? rng.Range(1, 6) : rng.Range(1, 4);
  if (row > kRowsPerSection) row = 1 + row % kRowsPerSection;
  const bool rowKnown = !rng.Chance(blankRowPercent);
  const QString lot = site.lotsOwned ? QString::number(++plots.lastLot) : QString();
  const int firstStone = rng.Range(1, 6);
  for (size_t i = 0; i < family.size(); ++i) {
    Grave& g = family[i].grave;
    g.cemetery = site.name;
    g.section = section;
    g.row = rowKnown ? QString::number(row) : QString();
    g.lot = lot;
    g.stone = QString::number(firstStone + static_cast<int>(i));
  }
}

std::vector<Column> Sheet1Columns() {
  return {Of("ID", ColumnType::Long),
          Text("LastName", 50),
          Text("Given", 50),
          Text("Birth", 30),
          Text("Death", 30),
          Of("YR", ColumnType::Integer),
          Of("MO", ColumnType::Integer),
          Of("DA", ColumnType::Integer),
          Text("Row", 10),
          Text("Lot", 10),
          Text("Stone", 10),
          Memo("Notes"),
          Memo("Other"),
          Text("Section", 30),
          Text("Cemetery", 80),
          Text("Relationship", 80),
          Text("BirthPlace", 80),
          Text("DeathPlace", 80),
          Text("StoneType", 50),
          Text("StoneCondition", 50),
          Text("Custom1", 100),
          Text("Custom2", 100),
          Text("Custom3", 100),
          Text("Custom4", 100),
          Text("Custom5", 100),
          Of("IsVeteran", ColumnType::Integer),
          Text("VetInfo", 255),
          Memo("Inscriptions"),
          Text("Owner", 80),
          Text("PurchDate", 30),
          Text("BurialDate", 30),
          Text("Pix1", 50),
          Text("Pix2", 50),
          Text("Pix3", 50)};
}

std::vector<Column> CemSheetColumns() {
  return {Of("ID", ColumnType::Long),
          Text("Cemetery", 80),
          Text("Long", 30),
          Text("LAT", 30),
          Text("Address1", 80),
          Text("Address2", 80),
          Text("City", 50),
          Text("State", 30),
          Text("Row", 20),
          Text("County", 50),
          Text("Township", 50),
          Text("District", 50),
          Text("Country", 50),
          Memo("Notes"),
          Memo("Other"),
          Memo("BriefOwnershipHist"),
          Text("CemPix1", 50),
          Text("CemPix2", 50),
          Text("CemPix3", 50)};
}

BurialExtras SiteExtras(const Site& site) {
  BurialExtras extras;
  extras.dateStyle = site.dateStyle;
  extras.transcriber = site.transcriber;
  extras.burialDateKnown = site.lotsOwned;
  return extras;
}

Record BurialRecord(Random& rng, const Person& p, int id, const BurialExtras& extras) {
  Record r;
  r["ID"] = vb::Variant(static_cast<int32_t>(id));
  r["LastName"] = p.last;
  r["Given"] = p.given;
  r["Birth"] =
      p.birthYearOnly ? QString::number(p.birth.year()) : FormatDate(p.birth, extras.dateStyle);
  r["Death"] = FormatDate(p.death, extras.dateStyle);
  PutAge(r, p);
  r["Row"] = p.grave.row;
  r["Lot"] = TextOrNull(p.grave.lot);
  r["Stone"] = p.grave.stone;
  r["Section"] = TextOrNull(p.grave.section);
  r["Cemetery"] = p.grave.cemetery;
  if (rng.Chance(12)) r["Notes"] = rng.Pick(kNotes);
  if (!extras.transcriber.isEmpty() && rng.Chance(40)) r["Other"] = "Read by " + extras.transcriber;
  r["Relationship"] = TextOrNull(p.relationship);
  if (rng.Chance(65)) r["BirthPlace"] = p.birthPlace;
  if (rng.Chance(50)) r["DeathPlace"] = p.deathPlace;
  PutStone(rng, r, p);
  PutCustom(rng, r, p, extras);
  PutVeteran(rng, r, p);
  r["Owner"] = TextOrNull(extras.owner);
  r["PurchDate"] = TextOrNull(extras.purchaseDate);
  if (extras.burialDateKnown)
    r["BurialDate"] = FormatDate(p.death.addDays(rng.Range(2, 4)), extras.dateStyle);
  r["Pix1"] = TextOrNull(extras.pix1);
  r["Pix2"] = TextOrNull(extras.pix2);
  r["Pix3"] = TextOrNull(extras.pix3);
  return r;
}

jetwriter::Table MakeTable(const QString& name, std::vector<Column> columns,
                           const std::vector<Record>& records) {
  jetwriter::Table t;
  t.name = name;
  t.columns = std::move(columns);
  t.rows.reserve(records.size());
  for (const Record& r : records)
    t.rows.push_back(RowOf(t.columns, r, [](const Column& c) { return c.name; }));
  return t;
}

jetwriter::Table VersionTable(const QString& dbver, int dbappinfo) {
  Record r;
  r["dbver"] = dbver;
  r["dbappinfo"] = vb::Variant(static_cast<int16_t>(dbappinfo));
  return MakeTable("VERSHT", {Text("dbver", 20), Of("dbappinfo", ColumnType::Integer)}, {r});
}

}  // namespace democd
