#pragma once
// The cemetery database's tables: burial records in the current editor's
// layout (table Sheet1), the cemeteries (CemSheet) and the version row
// (VERSHT).
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "tools/democd/People.h"
#include "tools/democd/Record.h"
#include "tools/jetwriter/JetWriter.h"

namespace democd {

// What the caller knows about a burial beyond the person and the grave.
struct BurialExtras {
  DateStyle dateStyle = DateStyle::MonthDayYear;
  QString owner, purchaseDate;  // the lot's owner and when the lot was bought
  bool burialDateKnown = true;  // the sexton's book gives the burial date
  QString obituarySource;       // where the obituary was printed, if any
  QString pix1, pix2, pix3;
  QString transcriber;  // who read the stone, for the "Other" column
};

// An invented burial ground.
struct Site {
  QString name;
  QStringList sections;  // empty: the ground has no sections
  Era era;
  DateStyle dateStyle;  // how its transcriber wrote dates
  QChar pictureLetter;  // first letter of its stone pictures' names
  int burials;          // how many burials the demo lists
  QString transcriber;
  bool lotsOwned;       // the sexton's book names owners and purchase dates
  QString pictures[3];  // the cemetery's own pictures: gate, view, chapel
};
const std::vector<Site>& Sites();
// One CemSheet record per site, in the order of Sites().
std::vector<Record> CemSheetRecords();

// Where the next family goes in each site: the last row used per section
// and the last lot number.
struct Plots {
  std::map<QString, int> lastRow;
  int lastLot = 0;
};
// Gives the family one lot in a section of the site, the members side by
// side in one row; blankRowPercent is the chance that the row is not known.
void PlaceFamily(Random& rng, const Site& site, Plots& plots, std::vector<Person>& family,
                 int blankRowPercent);

std::vector<jetwriter::Column> Sheet1Columns();
std::vector<jetwriter::Column> CemSheetColumns();

// The extras that follow from the site alone.
BurialExtras SiteExtras(const Site& site);

Record BurialRecord(Random& rng, const Person& p, int id, const BurialExtras& extras);

jetwriter::Table MakeTable(const QString& name, std::vector<jetwriter::Column> columns,
                           const std::vector<Record>& records);
jetwriter::Table VersionTable(const QString& dbver, int dbappinfo);

// The editor's version of the layout above.
inline constexpr const char* kCemeteryDbVersion = "3.00";

}  // namespace democd
