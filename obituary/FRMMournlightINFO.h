#pragma once
// The obituary viewer's information window: one row of the obituary
// database, the newspaper that published the obituary (source mode, table
// SourcesSheet) or the archive that keeps it (archive mode, ArchiveSheet),
// with its text, map link and pictures. It is the cemetery information
// window's design and shared behaviour with its own connection, which lives
// until OK, and its own selection and text steps. Nothing here traps an
// error except the selection step's answers.
#include "obituary/SqliteSelection.h"
#include "placeinfo/InfoWindow.h"

#include <QString>

namespace obituary {

class FRMMournlightINFO {
 public:
  explicit FRMMournlightINFO(const placeinfo::InfoWindowOwner& owner);

  // Written by the opener before the modal show.
  QString ObitSearchName;
  QString ObitDatabaseFileAndPath;
  bool SourceData = false;  // True: source mode; False: archive mode

  // Shows the window modally; returns when OK or the close box closed it.
  void Show();

  void Form_Load();
  void CMD_Select_Data_Click();
  bool LoadSourceDataToTextBox(sqlitedb::SqliteRecordset* mRecordSet);
  bool LoadArchiveDataToTextBox(sqlitedb::SqliteRecordset* mRecordSet);
  void CMD_Finished_Click();

  placeinfo::InfoWindow& Window() { return window_; }
  forms::Form& Form() { return window_.Form(); }
  const QString& CemMapStr() const { return window_.CemMapStr; }
  // The window's own connection (mydb), open from the selection step to OK.
  const sqlitedb::SqliteConnection& Connection() const { return mydb.Connection(); }

 private:
  // The mode's table, key column and sort key, and its text's first and last
  // pieces.
  struct Mode;
  const Mode& CurrentMode() const;
  void LoadText(const Mode& mode);

  placeinfo::InfoWindow window_;
  // The connection and the selection, from the selection step to OK.
  SqliteSelection mydb;
};

// The design of the obituary viewer's information window.
const placeinfo::InfoWindowDesign& FRMMournlightINFODesign();

}  // namespace obituary
