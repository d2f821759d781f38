#pragma once
// The obituary viewer's main window: the shared main-window behaviour over
// its own controls, plus what is the obituary viewer's own: its searches
// over table ObitData, the obituary text built from narrative sentences with
// the newspaper's publisher and the archive, the database version, and the
// hand-over to the source and archive information window.
#include "browser/core/MainWindow.h"
#include "obituary/SqliteSelection.h"
#include "placeinfo/AboutBox.h"
#include "placeinfo/InfoWindow.h"
#include "platform/forms/Forms.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace obituary {

class FRMMournlightMain {
 public:
  // Builds the window from its design; loading happens on Show (or Load).
  // `selection` holds the window's connection and current selection (tests
  // hand in one that watches the statements).
  explicit FRMMournlightMain(const browser::MainWindowLayout& layout,
                             std::unique_ptr<SqliteSelection> selection =
                                 std::make_unique<SqliteSelection>());
  ~FRMMournlightMain();

  forms::Form& Form() { return form_; }

  // Events of the shared behaviour.
  void Form_Load() { main_.Form_Load(); }
  void Form_Resize() { main_.Form_Resize(); }
  void Form_Unload() { main_.Form_Unload(); }
  void mnuChooseDataCDDrive_Click() { main_.mnuChooseDataCDDrive_Click(); }
  bool FileExists(QString& Fname) { return main_.FileExists(Fname); }

  // Searches (FRMMournlightMainSearch.cpp): name, source, SQL, select-all.
  void Command1_Click();
  void Command7_Click();
  void Command12_Click();
  void Command6_Click();
  // Navigation: First, Prev, Next, Last.
  void Command2_Click() { main_.Navigate(browser::NavigationButton::First); }
  void Command3_Click() { main_.Navigate(browser::NavigationButton::Previous); }
  void Command4_Click() { main_.Navigate(browser::NavigationButton::Next); }
  void Command5_Click() { main_.Navigate(browser::NavigationButton::Last); }

  // The record on show (FRMMournlightMainRecord.cpp).
  bool LoadDataToBox(sqlitedb::SqliteRecordset* mRecordSet);
  // The publisher of the newspaper source with that id, or " N/A ".
  QString ShowPublishInfoString(const QString& newsSearchId);
  // The name of the archive with that id, or " N/A ".
  QString ShowArchiveInfoString(const QString& ArchiveSearchId);
  QString CheckProtectedDbVersionStr();
  int16_t EnableVersion200Controls(bool& IsVersion2OrHigher);
  // Rebuilds the obituary text of the current row.
  void Command13_Click();
  // The archive's information window.
  void Command14_Click();
  QString GetObituaryDataInfoBox(QString& GObitSearchName, QString& GObitDatabaseFileAndPath,
                                 int16_t ViewType);
  // The data folder from the database path (nothing shows or clicks it).
  void Command8_Click();
  void mnuAbout_Click();
  placeinfo::AboutBox* AboutBox() const { return about_.get(); }

  // The source and archive of the record whose text was built last.
  QString global_sourceID;
  QString global_archiveID;

  // Window state, readable by tests.
  const QString& DataFilePath() const { return main_.DataFilePath(); }
  const QString& RememberIniPath() const { return main_.RememberIniPath(); }
  SqliteSelection& Selection() { return *selection_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  static browser::MainWindowSettings Settings(const browser::MainWindowDesign& design);
  browser::MainWindowSteps Steps();
  void WireEvents();
  void ReadVersion(vb::ErrorTrap& trap);
  void LoadObitDataToTextBox();
  QString LookUp(const QString& statementPrefix, const QString& id, const QString& column);
  bool ByName() const;

  // The look-ups' answers on the window's current connection, by statement
  // and id. The file is opened as one that never changes, so an answer holds
  // for as long as the connection; a new connection starts afresh.
  struct LookUpAnswers {
    int connection = -1;
    QHash<QString, QString> answers;
  };

  forms::Form form_;
  std::unique_ptr<SqliteSelection> selection_;
  LookUpAnswers lookUps_;
  browser::MainWindow main_;
  placeinfo::InfoWindowOwner infoOwner_;
  std::unique_ptr<placeinfo::AboutBox> about_;
};

}  // namespace obituary
