#pragma once
// The obituary database's tables: the obituaries (ObitData), the newspapers
// that printed them (SourcesSheet), the archives that keep them
// (ArchiveSheet) and the version row (VERSHT).
#include <QDate>
#include <QString>
#include <vector>

#include "tools/democd/People.h"
#include "tools/democd/Record.h"
#include "tools/democd/SqliteFile.h"

namespace democd {

struct Newspaper {
  int id;
  QString name;
  int firstYear;  // the paper's first issue
};

// The invented newspapers and archives of the demo data.
const std::vector<Newspaper>& Newspapers();
int ArchiveCount();
// One of the papers that were printed in the given year.
const Newspaper* PaperFor(Random& rng, int year);

// Where and when an obituary was printed and which pictures it has.
struct Printing {
  const Newspaper* paper = nullptr;
  int archiveId = 0;
  QDate published;
  int page = 1;
  QString pix1, pix2, pix3;
};

Record ObituaryRecord(Random& rng, const Person& p, int id, const Printing& printing);
// The obituary as the paper printed it (column TypedObit).
QString TypedObituary(Random& rng, const Person& p);

std::vector<SqlColumn> ObitDataColumns();
SqlTable MakeSqlTable(const QString& name, std::vector<SqlColumn> columns,
                      const std::vector<Record>& records);
SqlTable SourcesTable();
SqlTable ArchivesTable();

// The pictures the newspaper and archive rows name, with the place's name.
struct PlacePicture {
  QString file, placeName;
};
std::vector<PlacePicture> SourcePictures();
std::vector<PlacePicture> ArchivePictures();
SqlTable ObitVersionTable();

inline constexpr const char* kObituaryDbVersion = "2.00";

}  // namespace democd
