#pragma once
// The obituary viewer's main window on a test host, with a program folder and
// a data folder of its own and obituary databases written with libsqlite3 in
// the demo CD's columns. The window's selection records every statement it
// opens and can answer chosen ones with an engine error instead.
#include "obituary/FRMMournlightMain.h"
#include "tests/testkit/mainwindow/MainWindowTest.h"
#include "tools/democd/Obituary.h"
#include "tools/democd/Record.h"
#include "tools/democd/SqliteFile.h"

#include <functional>
#include <memory>
#include <vector>

// The window's connection and selection, watched.
class StatementWatch : public obituary::SqliteSelection {
 public:
  void OpenSelection(const QString& statement, bool wholeTable) override;

  // Every statement the window opened, failed ones included, in order.
  QStringList statements;
  std::vector<bool> wholeTable;
  // The error number a statement raises instead of running (0: it runs).
  std::function<int(const QString& statement)> failure;
};

class MournlightTest : public testkit::ViewerTest<obituary::FRMMournlightMain> {
 public:
  // Table ObitData in the demo CD's columns with these rows (columns a row
  // does not name are Null). `keyType` is the declared type of
  // NewsPubSourceID and ArchiveID.
  static democd::SqlTable ObitData(const std::vector<democd::Record>& rows,
                                   const QString& keyType = QStringLiteral("INTEGER"));
  // SourcesSheet and ArchiveSheet in the demo CD's columns.
  static democd::SqlTable Sources(const std::vector<democd::Record>& rows);
  static democd::SqlTable Archives(const std::vector<democd::Record>& rows);
  // The two newspapers (1 "Daily Gazette", 2 "Evening Herald") and the two
  // archives (1 "City Archive", 2 "County Vault").
  static democd::SqlTable TwoSources();
  static democd::SqlTable TwoArchives();
  static democd::SqlTable Versht(const vb::Variant& dbver);
  // An obituary with a last and a given name, printed by source 1 in May 1990
  // and kept by archive 1.
  static democd::Record Obituary(const QString& last, const QString& given);
  // The platform's message for an error that nothing trapped.
  static QString RunTimeError(int number, const QString& description);

 protected:
  void SetIdentity() override;

  // Writes a database into the data folder; its Windows-form path.
  QString WriteDatabase(const std::vector<democd::SqlTable>& tables,
                        const QString& name = QStringLiteral("obit.db"));
  // These obituaries with the two sources, the two archives and version
  // "1.00"; its Windows-form path.
  QString WriteObituaries(const std::vector<democd::Record>& rows,
                          const QString& name = QStringLiteral("obit.db"));
  // A JPEG picture of that size and colour in the data folder's IMAGES.
  void WritePicture(const QString& name, int width, int height, Qt::GlobalColor color);

  // Creates the window with this command line and shows it (load first).
  void Start(const QString& commandLine);
  // WriteObituaries, then a start on a launch file naming it.
  void StartOn(const std::vector<democd::Record>& rows);
  StatementWatch& Watch() { return *watch_; }

  // The shown record's text, and the last names of the selection in order.
  QString ShownText() { return Box("MournlightText").Text(); }
  QStringList SelectedLastNames();
  bool NavigationEnabled();
  bool NavigationDisabled();

 private:
  StatementWatch* watch_ = nullptr;
};
