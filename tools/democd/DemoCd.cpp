#include "tools/democd/DemoCd.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

#include "tools/democd/Cemetery.h"
#include "tools/democd/Obituary.h"
#include "tools/democd/Pictures.h"

namespace democd {

namespace {

constexpr uint32_t kPeopleSeed = 18520601;
constexpr int kObituaries = 40;

struct Burial {
  Person person;
  const Site* site;
  int number;                      // 1-based within its site
  QString lotOwner, lotPurchased;  // empty where the sexton's book names none
};

struct Obit {
  Person person;
  Printing printing;
};

void WriteTextFile(const QString& path, const QStringList& lines) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error(("cannot write " + path).toStdString());
  const QByteArray text = (lines.join("\r\n") + "\r\n").toUtf8();
  if (f.write(text) != text.size())
    throw std::runtime_error(("cannot write " + path).toStdString());
}

QString MakeFolder(const QString& path) {
  if (!QDir().mkpath(path)) throw std::runtime_error(("cannot create " + path).toStdString());
  return path;
}

std::vector<Burial> Burials(Random& rng) {
  std::vector<Burial> burials;
  for (const Site& site : Sites()) {
    Plots plots;
    int count = 0;
    while (count < site.burials) {
      std::vector<Person> family = MakeFamily(rng, site.era);
      if (static_cast<int>(family.size()) > site.burials - count)
        family.resize(site.burials - count);
      PlaceFamily(rng, site, plots, family, site.lotsOwned ? 0 : 25);
      QString owner, purchased;
      if (site.lotsOwned) {  // bought by the head of the family before the first burial
        owner = family.front().fullName();
        purchased = FormatDate(EarliestDeath(family).addDays(-rng.Range(0, 400)), site.dateStyle);
      }
      for (Person& p : family) burials.push_back({p, &site, ++count, owner, purchased});
    }
  }
  return burials;
}

Printing PrintingFor(Random& rng, const Person& p, int number) {
  Printing pr;
  pr.paper = PaperFor(rng, p.death.year());
  pr.archiveId = pr.paper->id == 1 ? 1 : rng.Range(1, ArchiveCount());
  pr.published = p.death.addDays(rng.Range(2, 9));
  pr.page = rng.Range(1, 8);
  const QString stem = "OB" + QString::number(number).rightJustified(4, '0');
  if (rng.Chance(85)) pr.pix1 = stem + ".JPG";
  if (p.death.year() >= 1900 && rng.Chance(45)) pr.pix2 = stem + "P.JPG";
  if (!pr.pix2.isEmpty() && rng.Chance(25)) pr.pix3 = stem + "Q.JPG";
  return pr;
}

bool WorthAnObituary(const Person& p) {
  return p.death.year() >= 1868 && AgeAt(p.birth, p.death).years >= 12;
}

// Obituaries of people buried in the demo cemeteries, then of people
// buried elsewhere until there are enough.
std::vector<Obit> Obituaries(Random& rng, const std::vector<Burial>& burials) {
  std::vector<Obit> obits;
  for (const Burial& b : burials) {
    if (static_cast<int>(obits.size()) >= kObituaries || !WorthAnObituary(b.person) ||
        !rng.Chance(75))
      continue;
    obits.push_back({b.person, PrintingFor(rng, b.person, static_cast<int>(obits.size()) + 1)});
  }
  while (static_cast<int>(obits.size()) < kObituaries) {
    Person p = MakePerson(rng, {1885, 1995});
    obits.push_back({p, PrintingFor(rng, p, static_cast<int>(obits.size()) + 1)});
  }
  return obits;
}

QString SourceNote(const Printing& pr) {
  return pr.paper->name + ", " + FormatDate(pr.published, DateStyle::MonthDayYear);
}

// --- cemetery pictures ------------------------------------------------------

StoneShape ShapeFor(Random& rng, const Person& p) {
  const int y = p.death.year();
  if (y < 1830) return rng.Chance(70) ? StoneShape::Tablet : StoneShape::FlatMarker;
  if (y < 1900) {
    static const StoneShape kVictorian[] = {StoneShape::Tablet, StoneShape::Obelisk,
                                            StoneShape::Block, StoneShape::Tablet};
    return rng.Pick(kVictorian);
  }
  static const StoneShape kModern[] = {StoneShape::FlatMarker, StoneShape::DoubleUpright,
                                       StoneShape::Block, StoneShape::Tablet};
  return rng.Pick(kModern);
}

QSize SizeFor(Random& rng, StoneShape shape) {
  static const QSize kUpright[] = {{480, 640}, {600, 800}, {768, 1024}};
  static const QSize kWide[] = {{800, 600}, {1024, 640}, {640, 480}};
  static const QSize kSquare[] = {{500, 500}, {600, 600}};
  switch (shape) {
    case StoneShape::Tablet:
    case StoneShape::Obelisk:
      return rng.Pick(kUpright);
    case StoneShape::FlatMarker:
    case StoneShape::DoubleUpright:
      return rng.Pick(kWide);
    case StoneShape::Block:
      return rng.Pick(kSquare);
  }
  return {600, 600};
}

QStringList StoneLines(const Person& p, const QString& inscription) {
  const Age a = AgeAt(p.birth, p.death);
  const QString name = (p.given + " " + p.last).toUpper();
  if (p.death.year() < 1850)
    return {"IN MEMORY OF", name, "who died", FormatDate(p.death, DateStyle::LongMonth),
            "aged " + QString::number(a.years) + " years"};
  if (p.death.year() < 1920) {
    QStringList lines = {name};
    if (!p.relationship.isEmpty()) lines << p.relationship.toUpper();
    lines << "BORN " + FormatDate(p.birth, DateStyle::MonthDayYear).toUpper()
          << "DIED " + FormatDate(p.death, DateStyle::MonthDayYear).toUpper();
    if (!inscription.isEmpty()) lines << inscription;
    return lines;
  }
  return {p.last.toUpper(), p.given,
          QString::number(p.birth.year()) + " - " + QString::number(p.death.year())};
}

void DrawStonePictures(const QString& folder, const Burial& b, const Record& r, uint32_t seed) {
  Random rng(seed);
  const QStringList lines = StoneLines(b.person, TextIn(r, "Inscriptions"));
  if (const QString pix1 = TextIn(r, "Pix1"); !pix1.isEmpty()) {
    const StoneShape shape = ShapeFor(rng, b.person);
    SaveJpeg(DrawGravestone(seed, SizeFor(rng, shape), shape, lines), folder + "/" + pix1);
  }
  if (const QString pix2 = TextIn(r, "Pix2"); !pix2.isEmpty())
    SaveJpeg(DrawInscriptionDetail(seed + 1, {800, 400}, lines), folder + "/" + pix2);
  if (const QString pix3 = TextIn(r, "Pix3"); !pix3.isEmpty()) {
    const QString initials = b.person.given.left(1) + ". " + b.person.last.left(1) + ".";
    SaveJpeg(DrawGravestone(seed + 2, {640, 480}, StoneShape::FlatMarker, {initials}),
             folder + "/" + pix3);
  }
}

// Picture names as the cemetery's transcriber gave them: mostly letter and
// three digits; a few stones have no picture.
void NamePictures(Random& rng, const Burial& b, BurialExtras& extras) {
  const QString stem =
      QString(b.site->pictureLetter) + QString::number(b.number).rightJustified(3, '0');
  if (b.site->pictureLetter == 'P' && b.number == 3) {
    extras.pix1 = QString(b.site->pictureLetter) +
                  QString::number(b.number).rightJustified(2, '0') +
                  ".JPG";  // an older, shorter name
    return;
  }
  if (b.site->pictureLetter == 'M' && b.number == 7) return;  // stone not photographed
  if (rng.Chance(10)) return;
  extras.pix1 = stem + ".JPG";
  if (rng.Chance(30)) extras.pix2 = stem + "-2.JPG";
  if (rng.Chance(10)) extras.pix3 = stem + "-3.JPG";
}

std::vector<Record> BurialRecords(Random& rng, const std::vector<Burial>& burials,
                                  const std::vector<Obit>& obits) {
  std::vector<Record> records;
  for (const Burial& b : burials) {
    BurialExtras extras = SiteExtras(*b.site);
    extras.owner = b.lotOwner;
    extras.purchaseDate = b.lotPurchased;
    for (const Obit& o : obits)
      if (o.person.grave.cemetery == b.person.grave.cemetery &&
          o.person.fullName() == b.person.fullName() && o.person.death == b.person.death)
        extras.obituarySource = SourceNote(o.printing);
    NamePictures(rng, b, extras);
    Record r = BurialRecord(rng, b.person, static_cast<int>(records.size()) + 1, extras);
    if (b.site->pictureLetter == 'M' && b.person.death.year() >= 1950 && rng.Chance(50))
      r["Custom5"] = "40.712" + QString::number(rng.Range(10, 99)) + " N 82.904" +
                     QString::number(rng.Range(10, 99)) + " W";
    records.push_back(r);
  }
  return records;
}

void DrawCemeteryPictures(const QString& kestro) {
  uint32_t seed = 700;
  static const SceneKind kKinds[] = {SceneKind::Gate, SceneKind::Overview, SceneKind::Chapel};
  static const QSize kSizes[] = {{800, 600}, {1024, 576}, {600, 800}};
  for (const Site& s : Sites())
    for (int k = 0; k < 3; ++k)
      if (!s.pictures[k].isEmpty())
        SaveJpeg(DrawCemeteryScene(++seed, kSizes[k], kKinds[k], s.name),
                 kestro + "/" + s.pictures[k]);
  SaveJpeg(DrawNotAvailable({480, 480}), kestro + "/A99.JPG");
}

QStringList CustomFieldNames() {
  return {"[CustomFieldNames]", "Custom1=Funeral Home",    "Custom2=Cause of Death",
          "Custom3=Church",     "Custom4=Obituary Source", "Custom5=Plot GPS"};
}

void WriteCemeteryCd(const QString& cd, Random& rng, const std::vector<Burial>& burials,
                     const std::vector<Obit>& obits, DemoCdFiles& files) {
  const QString kestro = MakeFolder(cd + "/KESTRO");
  const std::vector<Record> records = BurialRecords(rng, burials, obits);
  for (size_t i = 0; i < burials.size(); ++i)
    DrawStonePictures(kestro, burials[i], records[i], 1000 + static_cast<uint32_t>(i) * 7);
  DrawCemeteryPictures(kestro);
  files.cemeteryDatabase = cd + "/cemetery.mdb";
  jetwriter::WriteMdb(files.cemeteryDatabase,
                      {MakeTable("Sheet1", Sheet1Columns(), records),
                       MakeTable("CemSheet", CemSheetColumns(), CemSheetRecords()),
                       VersionTable(kCemeteryDbVersion, 0)});
  WriteTextFile(cd + "/cstmflds.ini", CustomFieldNames());
  files.gravelightLaunchFile = cd + "/gravelight.ini";
  WriteTextFile(files.gravelightLaunchFile, {"[SETTING]", "DATAFILE=cemetery.mdb"});
}

// --- obituary side ----------------------------------------------------------

void DrawObituaryPictures(const QString& images, const std::vector<Obit>& obits,
                          const std::vector<Record>& records) {
  for (size_t i = 0; i < obits.size(); ++i) {
    const Obit& o = obits[i];
    const uint32_t seed = 5000 + static_cast<uint32_t>(i) * 11;
    const QString typed = TextIn(records[i], "TypedObit");
    const QSize clipping = o.person.death.year() < 1900 ? QSize(900, 560) : QSize(600, 900);
    if (!o.printing.pix1.isEmpty())
      SaveJpeg(DrawClipping(seed, clipping, o.printing.paper->name, o.person.fullName(), typed),
               images + "/" + o.printing.pix1);
    if (!o.printing.pix2.isEmpty())
      SaveJpeg(DrawPortrait(seed + 1, {480, 600}, o.person.female, o.person.fullName()),
               images + "/" + o.printing.pix2);
    if (!o.printing.pix3.isEmpty())
      SaveJpeg(DrawPortrait(seed + 2, {500, 500}, o.person.female,
                            o.person.given + " " + o.person.last + ", about " +
                                QString::number(o.person.birth.year() + 20)),
               images + "/" + o.printing.pix3);
  }
  uint32_t seed = 9000;
  for (const PlacePicture& pic : SourcePictures())
    SaveJpeg(DrawBuilding(++seed, {800, 560}, pic.placeName, false), images + "/" + pic.file);
  for (const PlacePicture& pic : ArchivePictures())
    SaveJpeg(DrawBuilding(++seed, {640, 640}, pic.placeName, true), images + "/" + pic.file);
}

std::vector<Record> ObituaryRecords(Random& rng, const std::vector<Obit>& obits) {
  std::vector<Record> records;
  for (const Obit& o : obits)
    records.push_back(
        ObituaryRecord(rng, o.person, static_cast<int>(records.size()) + 1, o.printing));
  // A clipping from a scrapbook: only the year of printing is known.
  Record& undated = records.back();
  undated["PublicationDate"] = QString::number(obits.back().printing.published.year());
  undated["PublicationDateReal"] = vb::Variant::Null();
  undated["ROW"] = vb::Variant::Null();
  undated["LOT"] = vb::Variant::Null();
  return records;
}

void WriteObituaryCd(const QString& cd, Random& rng, const std::vector<Obit>& obits,
                     DemoCdFiles& files) {
  const QString images = MakeFolder(cd + "/IMAGES");
  const std::vector<Record> records = ObituaryRecords(rng, obits);
  DrawObituaryPictures(images, obits, records);
  files.obituaryDatabase = cd + "/obituary.db";
  WriteSqlite(files.obituaryDatabase, {MakeSqlTable("ObitData", ObitDataColumns(), records),
                                       SourcesTable(), ArchivesTable(), ObitVersionTable()});
  SaveJpeg(DrawNotAvailable({480, 480}), images + "/A99.JPG");
  files.mournlightLaunchFile = cd + "/mournlight.ini";
  WriteTextFile(files.mournlightLaunchFile, {"[SETTING]", "DATAFILE=obituary.db"});
}

}  // namespace

DemoCdFiles WriteDemoCd(const QString& folder) {
  EnsurePainting();
  Random rng(kPeopleSeed);
  const std::vector<Burial> burials = Burials(rng);
  const std::vector<Obit> obits = Obituaries(rng, burials);
  DemoCdFiles files;
  WriteCemeteryCd(MakeFolder(folder + "/cemetery"), rng, burials, obits, files);
  WriteObituaryCd(MakeFolder(folder + "/obituary"), rng, obits, files);
  return files;
}

}  // namespace democd
