#pragma once
// A cemetery viewer's main window on a test host, with a program folder and a
// data folder of its own and databases written by the Jet writer.
#include "browser/FormGravelightMain.h"
#include "tests/testkit/mainwindow/MainWindowTest.h"
#include "tools/democd/Record.h"
#include "tools/jetwriter/JetWriter.h"

#include <memory>
#include <vector>

class GravelightTest : public testkit::ViewerTest<browser::FormGravelightMain> {
 public:
  // Builders of fixture tables (also for case tables outside the fixture).
  // Table Sheet1 in the current editor's layout (or with these columns) with
  // these rows (columns a row does not name are Null; names match without
  // regard to case).
  static jetwriter::Table Sheet1(const std::vector<democd::Record>& rows);
  static jetwriter::Table Sheet1(const std::vector<democd::Record>& rows,
                                 const std::vector<jetwriter::Column>& columns);
  static jetwriter::Table Versht(const vb::Variant& dbver, const vb::Variant& dbappinfo);
  // A burial with a last and a given name, in a grave of Oak Hill.
  static democd::Record Burial(const QString& last, const QString& given);

 protected:
  void SetIdentity() override;

  // Writes a database into the data folder; returns its Windows-form path.
  QString WriteDatabase(const std::vector<jetwriter::Table>& tables,
                        const QString& name = QStringLiteral("cem.mdb"));

  // Creates the window with this command line and shows it (load first).
  void Start(const QString& commandLine);
};
