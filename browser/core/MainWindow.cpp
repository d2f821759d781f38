#include "browser/core/MainWindow.h"

#include "browser/core/LaunchFile.h"
#include "browser/core/SearchTexts.h"
#include "browser/core/StatusLineHelp.h"
#include "browser/core/WebLinks.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Win.h"
#include "support/AppIdentity.h"
#include "support/FileInfoClassConstructorModule.h"
#include "support/MODResizeControls.h"
#include "support/Module1.h"
#include "support/Module2.h"

namespace browser {

using namespace forms;
using FileInfoClassConstructorModule::NewFileInfoClass;

namespace {

const QString kSettingsSection = QStringLiteral("SETTING");
const QString kLaunchFileKey = QStringLiteral("DATAFILE");
const QString kRememberIni = QStringLiteral("remember.ini");

}  // namespace

MainWindow::MainWindow(forms::Form& form, const MainWindowLayout& layout,
                       MainWindowSettings settings, Selection& selection, MainWindowSteps steps)
    : form_(form),
      help_(BuildForm(form, layout.form, layout.controls)),
      settings_(std::move(settings)),
      selection_(selection),
      steps_(std::move(steps)),
      view_(form, settings_.controls, selection, [this] { return DataFilePath_; },
            [this] { steps_.showRecord(); }, [this] { pictures_.ShowPlaceholder(); }),
      pictures_(form, settings_.pictures),
      // The main windows' edit menu has no error answer of its own.
      textMenu_(form, ErrorPolicy::Untrapped()) {
  // The dialog's Cancel arrives as an error, which the data-file choice
  // takes to the check of the path as it stands.
  C<CommonDialog>(settings_.controls.fileDialog).CancelError = true;
  WireEvents();
}

void MainWindow::WireEvents() {
  form_.OnLoad = [this] { Form_Load(); };
  form_.OnResize = [this] { Form_Resize(); };
  form_.OnUnload = [this] { Form_Unload(); };
  C<Menu>(settings_.controls.chooseDataMenu).OnClick = [this] { mnuChooseDataCDDrive_Click(); };
  const auto& buttons = settings_.controls.navigationButtons;
  for (int b = 0; b < 4; ++b)
    C<CommandButton>(buttons[b]).OnClick = [this, b] {
      Navigate(static_cast<NavigationButton>(b));
    };
  pictures_.WireEvents();
  const MainWindowControls& c = settings_.controls;
  C<TabControl>(c.searchTabs.tabs).OnClick = [this](int previous) { SSTab1_Click(previous); };
  WireFollowingCheckBoxes(form_, c.followingCheckBoxes);
  WireStatusLineHelp(form_, help_, c.statusLine);
  if (!c.textMenuBoxes.isEmpty()) textMenu_.Attach(c.textMenuBoxes);
  C<Menu>(c.helpItem).OnClick = [this] { Help_Click(); };
  C<Menu>(c.updatesItem).OnClick = [this] { mnuUpdates_Click(); };
}

// ---- Start-up ----------------------------------------------------------------

void MainWindow::Form_Load() {
  auto trap = Trap("Form_Load");
  trap.Run([&] {
    QString commandLine, folder;
    trap([&] {
      OldScaleWidth_ = form_.ScaleWidth();
      OldScaleHeight_ = form_.ScaleHeight();
    });
    trap([&] { form_.CenterOnScreen(); });
    trap([&] { commandLine = Module1::GetCommandLineStr(); });
    trap([&] { folder = Module1::GetFolderOfPath(commandLine, true); });
    for (const QString& box : settings_.location.clearedAtLoad)
      trap([&] { C<TextBox>(box).SetText(QString()); });

    if (commandLine.length() < 1)
      ReadRememberedLocation(trap);
    else
      ReadLaunchFile(trap, commandLine, folder);

    bool exists = false;
    trap([&] { exists = NewFileInfoClass(DataFilePath_)->MFileExists(); });
    if (!exists) {
      trap([&] { ShowFileNotFound(); });
      trap([&] { mnuChooseDataCDDrive_Click(); });
      return;
    }
    steps_.readVersion(trap, true);
    trap([&] { steps_.selectAll(); });
  });
}

// The data location that remember.ini in the program's folder keeps. From
// here to the end of the load every error is ignored: a missing file gives
// the defaults, and the called procedures answer their own errors.
void MainWindow::ReadRememberedLocation(vb::ErrorTrap& trap) {
  const DataLocationSettings& s = settings_.location;
  // Kept in the program's folder, or in the user's own folder for the
  // program when the program's folder is not writable; read from there, or
  // from the program's folder while the user's own file does not exist.
  QString readPath;
  trap([&] {
    const QString& program = AppIdentity::Current().name;
    RememberIniPath_ = win::WritableAppPath(program) + "\\" + kRememberIni;
    readPath = win::AppFileToRead(program, kRememberIni);
  });
  trap.ResumeNext();
  if (s.openSettingsFileFirst) {
    InputFile settingsFile;
    trap([&] { settingsFile.Open(readPath); });
    trap([&] { settingsFile.Close(); });
  }
  trap([&] {
    C<TextBox>(settings_.controls.dataFolder)
        .SetText(Module2::ReadINIValue(kSettingsSection, s.dataFolderKey, s.defaultDataFolder,
                                       readPath));
  });
  QString path;
  trap([&] {
    path = Module2::ReadINIValue(kSettingsSection, s.dataFileKey, s.defaultDataFile, readPath);
  });
  trap([&] { C<TextBox>(settings_.controls.dataFile).SetText(path); });
  trap([&] { DataFilePath_ = path; });
}

// The launch file named on the command line: its key DATAFILE names the
// database relative to the launch file's folder, joined as plain text.
void MainWindow::ReadLaunchFile(vb::ErrorTrap& trap, const QString& commandLine,
                                const QString& folder) {
  QString name;
  InputFile launchFile;
  trap([&] { launchFile.Open(commandLine); });
  trap([&] { launchFile.ReadAll(); });
  trap([&] { launchFile.Close(); });
  trap([&] {
    name = Module2::ReadINIValue(kSettingsSection, kLaunchFileKey,
                                 settings_.location.defaultDataFile, commandLine);
  });
  trap([&] { C<TextBox>(settings_.controls.dataFile).SetText(folder + name); });
  trap([&] { DataFilePath_ = folder + name; });
  trap([&] { C<TextBox>(settings_.controls.dataFolder).SetText(folder); });
}

void MainWindow::ShowFileNotFound() {
  MsgBox(kFileNotFound);
}

// ---- Data-file choice ----------------------------------------------------------

void MainWindow::mnuChooseDataCDDrive_Click() {
  const MainWindowControls& c = settings_.controls;
  const DataLocationSettings& s = settings_.location;
  auto trap = Trap("mnuChooseDataCDDrive_Click");
  trap.Run([&] {
    for (;;) {
      QString oldPath, oldFolder;
      trap([&] { oldPath = DataFilePath_; });
      trap([&] { oldFolder = C<TextBox>(c.dataFolder).Text(); });
      // An error of the dialog (Cancel among them) or of taking its choice
      // goes straight to the check of the path as it stands.
      try {
        auto& dialog = C<CommonDialog>(c.fileDialog);
        dialog.ShowOpen();
        C<TextBox>(c.dataFile).SetText(dialog.FileName);
        DataFilePath_ = dialog.FileName;
        C<TextBox>(c.dataFolder).SetText(Module1::GetFolderOfPath(C<TextBox>(c.dataFile).Text(), true));
        Module2::WriteINIValue(kSettingsSection, s.dataFolderKey, C<TextBox>(c.dataFolder).Text(),
                               RememberIniPath_);
        Module2::WriteINIValue(kSettingsSection, s.dataFileKey, C<TextBox>(c.dataFile).Text(),
                               RememberIniPath_);
      } catch (const vb::VbError&) {
      }
      // The rest runs in the jump's handler: an error goes to the caller.
      trap.GoTo0();
      if (NewFileInfoClass(DataFilePath_)->MFileExists()) {
        steps_.readVersion(trap, false);
        steps_.selectAll();
        return;
      }
      ShowFileNotFound();
      DataFilePath_ = oldPath;
      C<TextBox>(c.dataFile).SetText(oldPath);
      C<TextBox>(c.dataFolder).SetText(oldFolder);
      const int answer =
          MsgBox(kTryAgain, mb::YesNo + mb::Critical + mb::DefaultButton2, kTryAgainTitle);
      if (answer != mb::Yes) host().EndProgram();
      trap.GoToHandler();
    }
  });
}

// ---- Resizing and unloading ------------------------------------------------------

void MainWindow::Form_Resize() {
  auto trap = Trap("Form_Resize");
  trap.Run([&] {
    if (form_.WindowState() == vbMinimized) return;
    // A window dragged down to its caption and menu bar has no inner area:
    // scaling to it would multiply every place and size by 0 for good and
    // leave a baseline of 0 that no later size can be divided by. It is
    // skipped like a minimized window, so the next real size rescales from
    // the last one.
    if (form_.ScaleWidth() <= 0 || form_.ScaleHeight() <= 0) return;
    trap([&] { MODResizeControls::ResizeControls(form_, OldScaleWidth_, OldScaleHeight_); });
  });
}

void MainWindow::Form_Unload() { selection_.Release(); }

QString MainWindow::DataFolder() const { return C<TextBox>(settings_.controls.dataFolder).Text(); }

bool MainWindow::FileExists(QString& Fname) {
  if (Fname.isEmpty() || Fname.endsWith(u'\\')) return false;
  return !win::Dir(Fname).isEmpty();
}

// ---- Searches and navigation -------------------------------------------------------

void MainWindow::RunSearch(const SearchSettings& search, vb::ErrorTrap& trap) {
  RunSearchFrame(view_, search, trap);
}

void MainWindow::Navigate(NavigationButton button) {
  const QString& name = settings_.controls.navigationButtons[static_cast<int>(button)];
  auto trap = settings_.errorPolicy.Trap(name + "_Click");
  trap.Run([&] { browser::Navigate(view_, button, trap); });
}

void MainWindow::SSTab1_Click(int) { PlaceSearchFrames(form_, settings_.controls.searchTabs); }

void MainWindow::Help_Click() { OpenHelpPage(); }

void MainWindow::mnuUpdates_Click() { OpenUpdatesPage(); }

void SetVersionFlag(Form& form, const QString& flagBox, const QString& versionLabel,
                    double version) {
  form.Get<CheckBox>(flagBox).SetValue(
      vb::Val(form.Get<Label>(versionLabel).Caption()) >= version ? 1 : 0);
}

}  // namespace browser
