#pragma once
// The behaviour both main windows share, written once: start-up and the data
// location, the data-file choice, resizing and unloading, the search frame
// and the navigation buttons over the window's selection, the record's
// pictures. A window supplies its design, the names of its controls, its
// settings keys, its picture folder, its error policy and a selection, and
// the three steps that are its own: showing the current record, reading the
// database version, and the select-all search.
#include "browser/core/MainWindowControls.h"
#include "browser/core/MainWindowDesign.h"
#include "browser/core/PictureViewer.h"
#include "browser/core/SearchFrame.h"
#include "browser/core/SearchTabs.h"
#include "browser/core/Selection.h"
#include "browser/core/TextEditMenu.h"
#include "browser/core/WindowSelection.h"
#include "platform/forms/FormBuilder.h"
#include "support/ErrorPolicy.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace browser {

// Where the data location is remembered, and what start-up does first.
struct DataLocationSettings {
  // Keys of section SETTING of remember.ini, and their defaults.
  QString dataFolderKey;
  QString dataFileKey;
  QString defaultDataFolder = QStringLiteral("d:\\");
  QString defaultDataFile;
  // Text boxes (object names) emptied at load, in this order.
  QStringList clearedAtLoad;
  // Whether the load opens remember.ini for reading and closes it again
  // before it reads the keys (with every error ignored).
  bool openSettingsFileFirst = false;
};

struct MainWindowSettings {
  MainWindowControls controls;
  // The answer to errors of start-up, the data-file choice, resizing and
  // navigation; the module name is the window's.
  ErrorPolicy errorPolicy = ErrorPolicy::Untrapped();
  DataLocationSettings location;
  PictureViewerSettings pictures;
};

// The window's own steps.
struct MainWindowSteps {
  // Shows the current row of the selection (LoadDataToBox).
  std::function<void()> showRecord;
  // Reads the database version once a database file was found; each of its
  // steps is one statement of `trap`; `atStartUp` is false after a choice.
  std::function<void(vb::ErrorTrap& trap, bool atStartUp)> readVersion;
  // The select-all search.
  std::function<void()> selectAll;
};

class MainWindow {
 public:
  // Builds the window from its design and wires the shared events.
  MainWindow(forms::Form& form, const MainWindowLayout& layout, MainWindowSettings settings,
             Selection& selection, MainWindowSteps steps);

  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void mnuChooseDataCDDrive_Click();
  // True when Fname names a plain file (wildcards allowed) that the
  // directory look-up finds; folders, hidden and system files do not count.
  bool FileExists(QString& Fname);

  // Runs the search frame; `trap` is the calling search's own.
  void RunSearch(const SearchSettings& search, vb::ErrorTrap& trap);
  // One press of a navigation button, answered by the window's policy under
  // the button's procedure name.
  void Navigate(NavigationButton button);
  // The search tab control's Click: places the three search frames.
  void SSTab1_Click(int PreviousTab);
  // The Help menu's two web pages.
  void Help_Click();
  void mnuUpdates_Click();

  // "File not found!" and the request for the database or the CD.
  static void ShowFileNotFound();

  forms::Form& Form() { return form_; }
  // The data folder, as the hidden box holds it.
  QString DataFolder() const;
  PictureViewer& Pictures() { return pictures_; }
  TextEditMenu& TextMenu() { return textMenu_; }
  const MainWindowSettings& Settings() const { return settings_; }
  vb::ErrorTrap Trap(const char* procedure) const { return settings_.errorPolicy.Trap(procedure); }
  // The controls with a status-line help text, as the design gives them.
  const std::vector<forms::ControlHelp>& HelpTexts() const { return help_; }

  // Window state.
  const QString& DataFilePath() const { return DataFilePath_; }
  const QString& RememberIniPath() const { return RememberIniPath_; }
  float OldScaleWidth() const { return OldScaleWidth_; }
  float OldScaleHeight() const { return OldScaleHeight_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  void WireEvents();
  void ReadRememberedLocation(vb::ErrorTrap& trap);
  void ReadLaunchFile(vb::ErrorTrap& trap, const QString& commandLine, const QString& folder);

  forms::Form& form_;
  std::vector<forms::ControlHelp> help_;
  MainWindowSettings settings_;
  Selection& selection_;
  MainWindowSteps steps_;
  WindowSelection view_;
  PictureViewer pictures_;
  TextEditMenu textMenu_;
  QString DataFilePath_;
  QString RememberIniPath_;
  float OldScaleWidth_ = 0;
  float OldScaleHeight_ = 0;
};

// Sets a version flag (a hidden check box) to 1 when the number at the
// start of the version label is at least `version`, else to 0.
void SetVersionFlag(forms::Form& form, const QString& flagBox, const QString& versionLabel,
                    double version);

}  // namespace browser
