// Large databases for the benchmarks: the demo CD's layouts with many rows.
#include "tools/democd/Cemetery.h"
#include "tools/democd/DemoCd.h"
#include "tools/democd/Obituary.h"

namespace democd {

namespace {

constexpr uint32_t kLargeCemeterySeed = 424242;
constexpr uint32_t kLargeObituarySeed = 515151;

// Surnames that a name search for "Sm*" finds. About one family in fifty
// takes one, as many as a county's cemeteries have; the choice comes from a
// random stream of its own, so that everything else in the file is what the
// main seed alone gives.
const std::vector<QString> kSmSurnames = {"Smith", "Smalley", "Smeltzer",
                                          "Smiley", "Smoot", "Smyth"};
constexpr int kSmFamilyPercent = 2;
constexpr uint32_t kSmSurnameSeed = 434343;

// The family's surname replaced, also where a relative's full name holds it.
void GiveSurname(std::vector<Person>& family, const QString& surname) {
  const QString old = family.front().last;
  for (Person& p : family) {
    if (p.last == old) p.last = surname;
    for (QString* name : {&p.spouse, &p.father})
      if (name->endsWith(u' ' + old)) name->replace(name->size() - old.size(), old.size(), surname);
  }
}

// Picture names for most burials; the files themselves are not written.
void NameLargePictures(Random& rng, const Site& site, int number, BurialExtras& extras) {
  if (rng.Chance(20)) return;
  const QString stem = QString(site.pictureLetter) + QString::number(number).rightJustified(6, '0');
  extras.pix1 = stem + ".JPG";
  if (rng.Chance(20)) extras.pix2 = stem + "B.JPG";
}

}  // namespace

void WriteLargeCemetery(const QString& path, int rows) {
  Random rng(kLargeCemeterySeed);
  Random surnames(kSmSurnameSeed);
  std::vector<Record> records;
  records.reserve(rows);
  std::vector<Plots> plots(Sites().size());
  while (static_cast<int>(records.size()) < rows) {
    const size_t s = rng.Range(0, static_cast<int>(Sites().size()) - 1);
    const Site& site = Sites()[s];
    std::vector<Person> family = MakeFamily(rng, site.era);
    if (surnames.Chance(kSmFamilyPercent)) GiveSurname(family, surnames.Pick(kSmSurnames));
    PlaceFamily(rng, site, plots[s], family, 4);
    for (const Person& p : family) {
      if (static_cast<int>(records.size()) >= rows) break;
      BurialExtras extras = SiteExtras(site);
      if (site.lotsOwned) {
        extras.owner = family.front().fullName();
        extras.purchaseDate = FormatDate(EarliestDeath(family).addDays(-30), site.dateStyle);
      }
      const int id = static_cast<int>(records.size()) + 1;
      NameLargePictures(rng, site, id, extras);
      records.push_back(BurialRecord(rng, p, id, extras));
    }
  }
  jetwriter::WriteMdb(path, {MakeTable("Sheet1", Sheet1Columns(), records),
                             MakeTable("CemSheet", CemSheetColumns(), CemSheetRecords()),
                             VersionTable(kCemeteryDbVersion, 0)});
}

void WriteLargeObituaries(const QString& path, int rows) {
  Random rng(kLargeObituarySeed);
  std::vector<Record> records;
  records.reserve(rows);
  for (int id = 1; id <= rows; ++id) {
    const Person p = MakePerson(rng, {1870, 1999});
    Printing pr;
    pr.paper = PaperFor(rng, p.death.year());
    pr.archiveId = rng.Range(1, ArchiveCount());
    pr.published = p.death.addDays(rng.Range(2, 9));
    pr.page = rng.Range(1, 12);
    if (rng.Chance(70)) pr.pix1 = "OB" + QString::number(id).rightJustified(6, '0') + ".JPG";
    records.push_back(ObituaryRecord(rng, p, id, pr));
  }
  WriteSqlite(path, {MakeSqlTable("ObitData", ObitDataColumns(), records), SourcesTable(),
                     ArchivesTable(), ObitVersionTable()});
}

}  // namespace democd
