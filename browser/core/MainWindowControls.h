#pragma once
// The names of a main window's controls that the shared behaviour uses. The
// cemetery and the obituary viewer name them differently; the behaviour is
// the same. Names that both windows share are preset; the others come from
// the window's design (ControlNamesOf in MainWindowDesign.h).
#include "browser/core/SearchTabs.h"
#include "browser/core/SharedControlNames.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace browser {

struct MainWindowControls {
  // Navigation buttons: First, Prev, Next, Last.
  std::array<QString, 4> navigationButtons;
  // Labels of the number of records selected and of the shown record.
  QString recordsSelected;
  QString recordNumber;
  // The buttons of the name and location (source) searches, which some
  // searches enable at their end.
  std::array<QString, 2> searchButtons;
  // Field boxes emptied by the prelude of a search (indexes 0 .. count - 1
  // of the control array); none when the count is 0.
  QString fieldBoxes;
  int preludeFieldBoxes = 0;
  // The file menu's data-file choice and the file dialog.
  QString chooseDataMenu = shared::kChooseDataMenu;
  QString fileDialog = shared::kFileDialog;
  // The data location's hidden boxes.
  QString dataFolder = shared::kDataFolder;
  QString dataFile = shared::kDataFile;
  // The version label.
  QString versionLabel = shared::kVersionLabel;
  // The status line's label.
  QString statusLine;
  // The search tabs with their frames, and the search boxes with the check
  // boxes they tick.
  SearchTabNames searchTabs;
  std::vector<FollowingCheckBox> followingCheckBoxes;
  // The text boxes with the right-button edit menu; none: no such menu.
  QStringList textMenuBoxes;
  // The Help menu's items.
  QString helpItem = shared::kHelpItem;
  QString updatesItem = shared::kUpdatesItem;
};

}  // namespace browser
