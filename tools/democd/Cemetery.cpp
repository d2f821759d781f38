#include "tools/democd/Cemetery.h"

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
const std::vector<QString> kConditions = {"Good",           "Fair, lichen",  "Broken, repaired",
                                          "Partly illegible", "Leaning",     "Sunken",
                                          "Weathered",      "Excellent"};
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

}  // namespace

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
  return {Of("ID", ColumnType::Long), Text("Cemetery", 80), Text("Long", 30), Text("LAT", 30),
          Text("Address1", 80), Text("Address2", 80), Text("City", 50), Text("State", 30),
          Text("Row", 20), Text("County", 50), Text("Township", 50), Text("District", 50),
          Text("Country", 50), Memo("Notes"), Memo("Other"), Memo("BriefOwnershipHist"),
          Text("CemPix1", 50), Text("CemPix2", 50), Text("CemPix3", 50)};
}

Record BurialRecord(Random& rng, const Person& p, int id, const BurialExtras& extras) {
  Record r;
  r["ID"] = vb::Variant(static_cast<int32_t>(id));
  r["LastName"] = p.last;
  r["Given"] = p.given;
  r["Birth"] = p.birthYearOnly ? QString::number(p.birth.year())
                               : FormatDate(p.birth, extras.dateStyle);
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
