// The demo CDs and the large benchmark files: every file is there, the
// databases read back through libmdb's tools and libsqlite3 with the tables,
// columns and rows the viewers use, and every named picture loads.
#include "tools/democd/DemoCd.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <set>

namespace {

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " " << args.join(' ').toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// mdb-export's CSV: fields separated by commas, texts in double quotes
// (a quote inside doubled), rows ending in a line feed outside quotes.
std::vector<std::vector<QString>> ParseCsv(const QString& text) {
  std::vector<std::vector<QString>> rows(1);
  QString field;
  bool quoted = false;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
        field += '"', ++i;
      else if (c == '"')
        quoted = false;
      else
        field += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().push_back(field), field.clear();
    } else if (c == '\n') {
      rows.back().push_back(field), field.clear();
      rows.emplace_back();
    } else {
      field += c;
    }
  }
  if (rows.back().empty()) rows.pop_back();
  return rows;
}

struct MdbTable {
  std::vector<QString> header;
  std::vector<std::vector<QString>> rows;
  QString Value(size_t row, const QString& column) const {
    for (size_t i = 0; i < header.size(); ++i)
      if (header[i] == column) return rows.at(row).at(i);
    ADD_FAILURE() << "no column " << column.toStdString();
    return {};
  }
};

MdbTable Export(const QString& mdb, const QString& table) {
  auto rows = ParseCsv(RunTool("mdb-export", {mdb, table}));
  MdbTable t;
  if (rows.empty()) return t;
  t.header = rows.front();
  t.rows.assign(rows.begin() + 1, rows.end());
  return t;
}

void ExpectColumns(const std::vector<QString>& have, const QStringList& wanted,
                   const QString& table) {
  const std::set<QString> names(have.begin(), have.end());
  for (const QString& w : wanted)
    EXPECT_TRUE(names.count(w)) << table.toStdString() << " lacks " << w.toStdString();
}

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

Db OpenReadOnly(const QString& path) {
  sqlite3* raw = nullptr;
  EXPECT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr),
            SQLITE_OK);
  return Db(raw);
}

// The first column of every row of the statement, as text ("" for NULL).
QStringList Column(sqlite3* db, const QString& sql) {
  QStringList out;
  sqlite3_stmt* s = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr), SQLITE_OK)
      << sql.toStdString() << ": " << sqlite3_errmsg(db);
  while (s && sqlite3_step(s) == SQLITE_ROW) {
    const unsigned char* t = sqlite3_column_text(s, 0);
    out << (t ? QString::fromUtf8(reinterpret_cast<const char*>(t)) : QString());
  }
  sqlite3_finalize(s);
  return out;
}

QStringList SqliteColumns(sqlite3* db, const QString& table) {
  return Column(db, "SELECT name FROM pragma_table_info('" + table + "')");
}

// Loads every named picture from the folder; returns how many were upright,
// wide and square.
struct Orientations {
  int upright = 0, wide = 0, square = 0;
};
Orientations LoadPictures(const QString& folder, const QStringList& names) {
  Orientations o;
  for (const QString& name : names) {
    if (name.isEmpty()) continue;
    QImage image(folder + "/" + name);
    EXPECT_FALSE(image.isNull()) << (folder + "/" + name).toStdString();
    if (image.height() > image.width())
      ++o.upright;
    else if (image.height() < image.width())
      ++o.wide;
    else
      ++o.square;
  }
  return o;
}

class DemoCdTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir();
    files_ = democd::WriteDemoCd(dir_->path() + "/demo-cd");
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static QString Cd() { return dir_->path() + "/demo-cd"; }
  static QTemporaryDir* dir_;
  static democd::DemoCdFiles files_;
};
QTemporaryDir* DemoCdTest::dir_ = nullptr;
democd::DemoCdFiles DemoCdTest::files_;

TEST_F(DemoCdTest, LaunchFilesNameTheirDatabasesBesideThem) {
  struct Case {
    QString launch, database, expectedFile;
  };
  for (const Case& c :
       {Case{files_.gravelightLaunchFile, files_.cemeteryDatabase, "cemetery.mdb"},
        Case{files_.mournlightLaunchFile, files_.obituaryDatabase, "obituary.db"}}) {
    QSettings launch(c.launch, QSettings::IniFormat);
    EXPECT_EQ(launch.value("SETTING/DATAFILE").toString(), c.expectedFile);
    EXPECT_EQ(QFileInfo(c.launch).dir().filePath(c.expectedFile), c.database);
    EXPECT_TRUE(QFileInfo(c.database).isFile()) << c.database.toStdString();
  }
  EXPECT_TRUE(QFileInfo(Cd() + "/cemetery/KESTRO").isDir());
  EXPECT_TRUE(QFileInfo(Cd() + "/obituary/IMAGES").isDir());
  EXPECT_TRUE(QFileInfo(Cd() + "/cemetery/KESTRO/A99.JPG").isFile());
}

TEST_F(DemoCdTest, CustomFieldNamesFileLabelsAllFiveColumns) {
  QSettings ini(Cd() + "/cemetery/cstmflds.ini", QSettings::IniFormat);
  for (int i = 1; i <= 5; ++i)
    EXPECT_FALSE(ini.value("CustomFieldNames/Custom" + QString::number(i)).toString().isEmpty());
}

TEST_F(DemoCdTest, CemeteryDatabaseReadsBackThroughLibmdb) {
  const QString mdb = files_.cemeteryDatabase;
  EXPECT_EQ(RunTool("mdb-tables", {"-1", mdb}).split('\n', Qt::SkipEmptyParts),
            QStringList({"Sheet1", "CemSheet", "VERSHT"}));

  const MdbTable sheet1 = Export(mdb, "Sheet1");
  EXPECT_GE(sheet1.rows.size(), 40u);
  EXPECT_LE(sheet1.rows.size(), 60u);
  EXPECT_EQ(RunTool("mdb-count", {mdb, "Sheet1"}).trimmed().toULongLong(), sheet1.rows.size());
  ExpectColumns(sheet1.header,
                {"ID",           "LastName",   "Given",        "Birth",     "Death",
                 "YR",           "MO",         "DA",           "Row",       "Lot",
                 "Stone",        "Notes",      "Other",        "Section",   "Cemetery",
                 "Relationship", "BirthPlace", "DeathPlace",   "StoneType", "StoneCondition",
                 "Custom1",      "Custom2",    "Custom3",      "Custom4",   "Custom5",
                 "IsVeteran",    "VetInfo",    "Inscriptions", "Owner",     "PurchDate",
                 "BurialDate",   "Pix1",       "Pix2",         "Pix3"},
                "Sheet1");

  std::set<QString> cemeteries;
  int before1900 = 0, veterans = 0, rowTen = 0;
  for (size_t i = 0; i < sheet1.rows.size(); ++i) {
    cemeteries.insert(sheet1.Value(i, "Cemetery"));
    before1900 += sheet1.Value(i, "Death").right(4) < "1900";
    veterans += sheet1.Value(i, "IsVeteran") == "1";
    rowTen += sheet1.Value(i, "Row").toInt() >= 10;
  }
  EXPECT_EQ(cemeteries.size(), 3u);
  EXPECT_GE(before1900, 15);
  EXPECT_GE(veterans, 1);
  EXPECT_GE(rowTen, 1) << "a row of two digits shows the numeric placement order";

  const MdbTable cemSheet = Export(mdb, "CemSheet");
  ASSERT_EQ(cemSheet.rows.size(), 3u);
  ExpectColumns(cemSheet.header,
                {"Cemetery", "Long", "LAT", "Address1", "Address2", "City", "State", "Row",
                 "County", "Township", "District", "Country", "Notes", "Other",
                 "BriefOwnershipHist", "CemPix1", "CemPix2", "CemPix3"},
                "CemSheet");
  for (size_t i = 0; i < cemSheet.rows.size(); ++i)
    EXPECT_TRUE(cemeteries.count(cemSheet.Value(i, "Cemetery")));

  const MdbTable version = Export(mdb, "VERSHT");
  ASSERT_EQ(version.rows.size(), 1u);
  EXPECT_EQ(version.Value(0, "dbver"), "3.00");
  EXPECT_EQ(version.Value(0, "dbappinfo"), "0");
}

TEST_F(DemoCdTest, EveryCemeteryPictureLoadsInAllOrientations) {
  const QString mdb = files_.cemeteryDatabase;
  QStringList names;
  const MdbTable sheet1 = Export(mdb, "Sheet1");
  int short1 = 0, long1 = 0;
  for (size_t i = 0; i < sheet1.rows.size(); ++i) {
    const QString pix1 = sheet1.Value(i, "Pix1");
    (pix1.size() >= 8 ? long1 : short1) += !pix1.isEmpty();
    names << pix1 << sheet1.Value(i, "Pix2") << sheet1.Value(i, "Pix3");
  }
  EXPECT_GE(long1, 30);  // names that enable the picture button
  EXPECT_GE(short1, 1);  // a name that loads but leaves the button disabled
  const MdbTable cemSheet = Export(mdb, "CemSheet");
  for (size_t i = 0; i < cemSheet.rows.size(); ++i)
    names << cemSheet.Value(i, "CemPix1") << cemSheet.Value(i, "CemPix2")
          << cemSheet.Value(i, "CemPix3");
  const Orientations o = LoadPictures(Cd() + "/cemetery/KESTRO", names);
  EXPECT_GT(o.upright, 0);
  EXPECT_GT(o.wide, 0);
  EXPECT_GT(o.square, 0);
}

TEST_F(DemoCdTest, ObituaryDatabaseHasTheViewerTablesAndLinks) {
  Db db = OpenReadOnly(files_.obituaryDatabase);
  ASSERT_TRUE(db);
  EXPECT_EQ(Column(db.get(), "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"),
            QStringList({"ArchiveSheet", "ObitData", "SourcesSheet", "VERSHT"}));
  EXPECT_EQ(Column(db.get(), "SELECT count(*) FROM ObitData"), QStringList{"40"});
  EXPECT_EQ(Column(db.get(), "SELECT dbver FROM VERSHT"), QStringList{"2.00"});

  struct Want {
    QString table;
    QStringList columns;
  };
  const QStringList place = {"Long",   "LAT",      "Address1", "Address2", "City",  "State", "zip",
                             "County", "Township", "District", "Country",  "Notes", "Other"};
  for (const Want& w :
       {Want{"ObitData",
             {"LastName",
              "Given",
              "MaidenName",
              "NamePrefix",
              "BirthDate",
              "BirthTime",
              "BirthPlace",
              "BirthNotes",
              "Parents",
              "DeathDate",
              "DeathTime",
              "DeathPlace",
              "Age",
              "MarriageDate",
              "MarriagePlace",
              "Spouse",
              "IsVeteran",
              "Veteran",
              "SurvivedBy",
              "PrecededBy",
              "Memberships",
              "VisitationPlace",
              "VisitationTimes",
              "VisitationOverride",
              "VisitationNotes",
              "ServicePlace",
              "ServiceTimes",
              "PersonOfficiating",
              "BurialLocation",
              "ServiceOverride",
              "ServiceNotes",
              "BigNote",
              "PublicationDate",
              "PublicationDateReal",
              "TypedObit",
              "NewsPubSourceID",
              "ArchiveID",
              "Obituary",
              "Section",
              "ROW",
              "LOT",
              "STONE",
              "Pix1",
              "Pix2",
              "Pix3"}},
        Want{"SourcesSheet",
             QStringList{"newsid", "NewsPubSourceID", "Publisher", "BriefOwnershipHist",
                         "ObitSourcePix1", "ObitSourcePix2", "ObitSourcePix3"} +
                 place},
        Want{"ArchiveSheet",
             QStringList{"ArchiveID", "ArchiveName", "StoragePlaceDescription",
                         "ArchiveLocationPix1", "ArchiveLocationPix2", "ArchiveLocationPix3"} +
                 place}}) {
    const QStringList have = SqliteColumns(db.get(), w.table);
    ExpectColumns({have.begin(), have.end()}, w.columns, w.table);
  }
  // Every obituary finds its paper by either key column, and its archive.
  EXPECT_EQ(Column(db.get(),
                   "SELECT count(*) FROM ObitData o WHERE NOT EXISTS (SELECT 1 FROM "
                   "SourcesSheet s WHERE s.newsid = o.NewsPubSourceID AND "
                   "s.NewsPubSourceID = o.NewsPubSourceID)"),
            QStringList{"0"});
  EXPECT_EQ(Column(db.get(),
                   "SELECT count(*) FROM ObitData o WHERE NOT EXISTS (SELECT 1 FROM "
                   "ArchiveSheet a WHERE a.ArchiveID = o.ArchiveID)"),
            QStringList{"0"});
  EXPECT_EQ(Column(db.get(), "SELECT count(DISTINCT Obituary) FROM ObitData"), QStringList{"3"});
}

TEST_F(DemoCdTest, EveryObituaryPictureLoads) {
  Db db = OpenReadOnly(files_.obituaryDatabase);
  QStringList names;
  for (const char* sql :
       {"SELECT Pix1 FROM ObitData", "SELECT Pix2 FROM ObitData", "SELECT Pix3 FROM ObitData",
        "SELECT ObitSourcePix1 FROM SourcesSheet", "SELECT ObitSourcePix2 FROM SourcesSheet",
        "SELECT ArchiveLocationPix1 FROM ArchiveSheet",
        "SELECT ArchiveLocationPix2 FROM ArchiveSheet"})
    names << Column(db.get(), sql);
  EXPECT_GE(names.size() - names.count(QString()), 40);
  const Orientations o = LoadPictures(Cd() + "/obituary/IMAGES", names);
  EXPECT_GT(o.upright + o.wide + o.square, 0);
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

TEST_F(DemoCdTest, SecondRunWritesTheSameFiles) {
  QTemporaryDir other;
  const democd::DemoCdFiles again = democd::WriteDemoCd(other.path());
  EXPECT_EQ(Contents(again.cemeteryDatabase), Contents(files_.cemeteryDatabase));
  EXPECT_EQ(Contents(again.obituaryDatabase), Contents(files_.obituaryDatabase));
  EXPECT_EQ(Contents(other.path() + "/cemetery/KESTRO/M001.JPG"),
            Contents(Cd() + "/cemetery/KESTRO/M001.JPG"));
}

TEST(LargeFilesTest, CemeteryHasTheRowsWithSomeBlankRowValues) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/large.mdb";
  democd::WriteLargeCemetery(path, 2000);
  EXPECT_EQ(RunTool("mdb-count", {path, "Sheet1"}).trimmed(), "2000");
  const MdbTable sheet1 = Export(path, "Sheet1");
  ASSERT_EQ(sheet1.rows.size(), 2000u);
  int blankRows = 0;
  std::set<QString> lastNames;
  for (size_t i = 0; i < sheet1.rows.size(); ++i) {
    blankRows += sheet1.Value(i, "Row").isEmpty();
    lastNames.insert(sheet1.Value(i, "LastName"));
  }
  EXPECT_GT(blankRows, 0);
  EXPECT_LT(blankRows, 400);
  EXPECT_GT(lastNames.size(), 30u);
  EXPECT_EQ(Export(path, "VERSHT").Value(0, "dbver"), "3.00");
}

TEST(LargeFilesTest, ObituariesHaveTheRows) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/large.db";
  democd::WriteLargeObituaries(path, 2000);
  Db db = OpenReadOnly(path);
  EXPECT_EQ(Column(db.get(), "SELECT count(*) FROM ObitData"), QStringList{"2000"});
  EXPECT_EQ(Column(db.get(), "SELECT count(*) FROM SourcesSheet"), QStringList{"3"});
  EXPECT_EQ(Column(db.get(), "SELECT count(*) FROM ArchiveSheet"), QStringList{"2"});
}

}  // namespace
