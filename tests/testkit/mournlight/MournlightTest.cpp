#include "tests/testkit/mournlight/MournlightTest.h"

#include "apps/mournlight/MournlightIdentity.h"
#include "apps/mournlight/MournlightMainLayout.h"
#include "platform/forms/Host.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Win.h"
#include "tools/democd/Obituary.h"

#include <QDir>
#include <QImage>

void StatementWatch::OpenSelection(const QString& statement, bool whole) {
  statements << statement;
  wholeTable.push_back(whole);
  if (failure)
    if (const int number = failure(statement)) vb::Raise(number);
  SqliteSelection::OpenSelection(statement, whole);
}

democd::SqlTable MournlightTest::ObitData(const std::vector<democd::Record>& rows,
                                          const QString& keyType) {
  std::vector<democd::SqlColumn> columns = democd::ObitDataColumns();
  for (democd::SqlColumn& column : columns)
    if (column.name == "NewsPubSourceID" || column.name == "ArchiveID") column.type = keyType;
  return democd::MakeSqlTable("ObitData", columns, rows);
}

democd::SqlTable MournlightTest::Sources(const std::vector<democd::Record>& rows) {
  return democd::MakeSqlTable("SourcesSheet", democd::SourcesTable().columns, rows);
}

democd::SqlTable MournlightTest::Archives(const std::vector<democd::Record>& rows) {
  return democd::MakeSqlTable("ArchiveSheet", democd::ArchivesTable().columns, rows);
}

democd::SqlTable MournlightTest::TwoSources() {
  return Sources({{{"newsid", 1}, {"NewsPubSourceID", 1}, {"Publisher", QString("Daily Gazette")}},
                  {{"newsid", 2}, {"NewsPubSourceID", 2}, {"Publisher", QString("Evening Herald")}}});
}

democd::SqlTable MournlightTest::TwoArchives() {
  return Archives({{{"ArchiveID", 1}, {"ArchiveName", QString("City Archive")}},
                   {{"ArchiveID", 2}, {"ArchiveName", QString("County Vault")}}});
}

democd::SqlTable MournlightTest::Versht(const vb::Variant& dbver) {
  return democd::MakeSqlTable("VERSHT", {{"dbver", "TEXT"}}, {{{"dbver", dbver}}});
}

democd::Record MournlightTest::Obituary(const QString& last, const QString& given) {
  return {{"LastName", last},
          {"Given", given},
          {"NewsPubSourceID", 1},
          {"ArchiveID", 1},
          {"PublicationDate", QString("May 5, 1990")},
          {"PublicationDateReal", QString("33000")},
          {"Obituary", QString("Daily Gazette")},
          {"Section", QString("1990")},
          {"ROW", QString("5")},
          {"LOT", QString("5")},
          {"STONE", QString("4")},
          {"VisitationOverride", 0},
          {"ServiceOverride", 0}};
}

void MournlightTest::SetIdentity() { mournlight::SetProgramIdentity(); }

QString MournlightTest::WriteDatabase(const std::vector<democd::SqlTable>& tables,
                                      const QString& name) {
  const QString path = DataFolder() + "/" + name;
  democd::WriteSqlite(path, tables);
  return Win(path);
}

QString MournlightTest::WriteObituaries(const std::vector<democd::Record>& rows,
                                        const QString& name) {
  return WriteDatabase({ObitData(rows), TwoSources(), TwoArchives(), Versht(QString("1.00"))},
                       name);
}

void MournlightTest::WritePicture(const QString& name, int width, int height,
                                  Qt::GlobalColor color) {
  QDir(DataFolder()).mkpath("IMAGES");
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  ASSERT_TRUE(image.save(DataFolder() + "/IMAGES/" + name, "JPG"));
}

void MournlightTest::Start(const QString& commandLine) {
  MakeWindow(commandLine, [this] {
    auto watch = std::make_unique<StatementWatch>();
    watch_ = watch.get();
    return std::make_unique<obituary::FRMMournlightMain>(mournlight::FRMMournlightMainLayout(),
                                                         std::move(watch));
  });
  // As the program starts it: an error that nothing traps during the load
  // ends the program with the platform's message.
  forms::DispatchEvent([this] { Window().Form().Show(); });
}

void MournlightTest::StartOn(const std::vector<democd::Record>& rows) {
  WriteObituaries(rows);
  Start(WriteLaunchFile("obit.db"));
}

QStringList MournlightTest::SelectedLastNames() {
  QStringList names;
  if (!Window().Selection().HasRecordset()) return names;
  sqlitedb::SqliteRecordset rs = Window().Selection().Recordset();
  for (rs.MoveToFirst(); !rs.IsEOF(); rs.MoveToNext())
    names << vb::CStr(rs.FieldValue("LastName"));
  return names;
}

bool MournlightTest::NavigationEnabled() {
  for (const char* name : {"Command2", "Command3", "Command4", "Command5"})
    if (!Button(name).Enabled()) return false;
  return true;
}

bool MournlightTest::NavigationDisabled() {
  for (const char* name : {"Command2", "Command3", "Command4", "Command5"})
    if (Button(name).Enabled()) return false;
  return true;
}

QString MournlightTest::RunTimeError(int number, const QString& description) {
  return "Run-time error '" + QString::number(number) + "':\r\n\r\n" + description;
}
