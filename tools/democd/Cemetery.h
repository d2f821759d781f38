#pragma once
// The cemetery database's tables: burial records in the current editor's
// layout (table Sheet1), the cemeteries (CemSheet) and the version row
// (VERSHT).
#include "tools/democd/People.h"
#include "tools/democd/Record.h"
#include "tools/jetwriter/JetWriter.h"

#include <QString>
#include <vector>

namespace democd {

// What the caller knows about a burial beyond the person and the grave.
struct BurialExtras {
  DateStyle dateStyle = DateStyle::MonthDayYear;
  QString owner, purchaseDate;  // the lot's owner and when the lot was bought
  bool burialDateKnown = true;  // the sexton's book gives the burial date
  QString obituarySource;       // where the obituary was printed, if any
  QString pix1, pix2, pix3;
  QString transcriber;          // who read the stone, for the "Other" column
};

std::vector<jetwriter::Column> Sheet1Columns();
std::vector<jetwriter::Column> CemSheetColumns();

Record BurialRecord(Random& rng, const Person& p, int id, const BurialExtras& extras);

jetwriter::Table MakeTable(const QString& name, std::vector<jetwriter::Column> columns,
                           const std::vector<Record>& records);
jetwriter::Table VersionTable(const QString& dbver, int dbappinfo);

// The editor's version of the layout above.
inline constexpr const char* kCemeteryDbVersion = "3.00";

}  // namespace democd
