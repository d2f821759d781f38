#include "obituary/FRMMournlightMain.h"

#include "obituary/FRMMournlightINFO.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"

namespace obituary {

using namespace forms;

namespace {

const QString kPictureFolder = QStringLiteral("IMAGES\\");

}  // namespace

// The obituary viewer's keys and picture folder, its controls as its design
// names them; it has no error log.
browser::MainWindowSettings FRMMournlightMain::Settings(const browser::MainWindowDesign& design) {
  browser::MainWindowSettings s;
  s.controls = browser::ControlNamesOf(design);
  s.errorPolicy = ErrorPolicy::Untrapped();
  s.location.dataFolderKey = QStringLiteral("OBITDATAPATH");
  s.location.dataFileKey = QStringLiteral("OBITDATAFILEPATH");
  s.location.defaultDataFile = QStringLiteral("d:\\db1.db");
  s.location.openSettingsFileFirst = true;
  s.pictures.controls = browser::PictureControlsOf(design);
  s.pictures.pictureFolder = kPictureFolder;
  s.pictures.errorPolicy = ErrorPolicy::Untrapped();
  return s;
}

browser::MainWindowSteps FRMMournlightMain::Steps() {
  browser::MainWindowSteps steps;
  steps.showRecord = [this] {
    sqlitedb::SqliteRecordset* rs = selection_->HasRecordset() ? &selection_->Recordset() : nullptr;
    LoadDataToBox(rs);
  };
  steps.readVersion = [this](vb::ErrorTrap& trap, bool) { ReadVersion(trap); };
  steps.selectAll = [this] { Command6_Click(); };
  return steps;
}

FRMMournlightMain::FRMMournlightMain(const browser::MainWindowLayout& layout,
                                     std::unique_ptr<SqliteSelection> selection)
    : form_(QString::fromUtf8(layout.form.name)),
      selection_(std::move(selection)),
      main_(form_, layout, Settings(layout.design), *selection_, Steps()),
      infoOwner_{&form_,
                 {[this] { return main_.DataFolder(); },
                  [this](QString& name) { return FileExists(name); }, kPictureFolder},
                 // The information window keeps a selection of its own.
                 nullptr} {
  WireEvents();
}

FRMMournlightMain::~FRMMournlightMain() = default;

void FRMMournlightMain::WireEvents() {
  C<CommandButton>("Command1").OnClick = [this] { Command1_Click(); };
  C<CommandButton>("Command7").OnClick = [this] { Command7_Click(); };
  C<CommandButton>("Command12").OnClick = [this] { Command12_Click(); };
  C<CommandButton>("Command6").OnClick = [this] { Command6_Click(); };
  C<CommandButton>("Command13").OnClick = [this] { Command13_Click(); };
  C<CommandButton>("Command14").OnClick = [this] { Command14_Click(); };
  C<CommandButton>("Command8").OnClick = [this] { Command8_Click(); };
  C<Menu>("mnuAbout").OnClick = [this] { mnuAbout_Click(); };
}

// ---- Database version -------------------------------------------------------------

// The version label, then the version flag; each one statement of the
// caller's (start-up's or the data-file choice's) error handling.
void FRMMournlightMain::ReadVersion(vb::ErrorTrap& trap) {
  trap([&] { C<Label>("dbVersionLabel").SetCaption(CheckProtectedDbVersionStr()); });
  bool flag = false;
  trap([&] {
    flag = vb::Val(C<Label>("dbVersionLabel").Caption()) >= 2;
    EnableVersion200Controls(flag);
  });
}

// dbver of the first row of VERSHT, on a connection of its own; "0" on any
// failure, without a word.
QString FRMMournlightMain::CheckProtectedDbVersionStr() {
  QString result = QStringLiteral("0");
  const browser::MainWindowControls& c = main_.Settings().controls;
  C<Label>(c.recordsSelected).SetCaption("0");
  C<Label>(c.recordNumber).SetCaption("0");
  try {
    sqlitedb::SqliteConnection mers_mydb;
    mers_mydb.OpenDatabaseFile(DataFilePath());
    sqlitedb::SqliteRecordset rs = mers_mydb.OpenQuery("SELECT * FROM VERSHT", false);
    if (rs.CurrentPosition() >= 0) {
      rs.MoveToLast();
      rs.MoveToFirst();
      result = vb::CStr(Module1::GetFieldValue("dbver", rs));
    }
  } catch (const vb::VbError&) {
  }
  return result;
}

int16_t FRMMournlightMain::EnableVersion200Controls(bool&) {
  browser::SetVersionFlag(form_, "DbVersion2orHigherCheckbox", "dbVersionLabel", 2);
  return 0;
}

void FRMMournlightMain::Command8_Click() {
  C<TextBox>("DataPathText").SetText(
      Module1::GetFolderOfPath(C<TextBox>("DataFilePathText").Text(), true));
}

// ---- Information windows and the about box -------------------------------------------

void FRMMournlightMain::Command14_Click() {
  QString path = C<TextBox>("DataFilePathText").Text();
  GetObituaryDataInfoBox(global_archiveID, path, 2);
}

// The window is made for this opening and goes when it closes.
QString FRMMournlightMain::GetObituaryDataInfoBox(QString& GObitSearchName,
                                                 QString& GObitDatabaseFileAndPath,
                                                 int16_t ViewType) {
  FRMMournlightINFO info(infoOwner_);
  info.ObitSearchName = GObitSearchName;
  info.ObitDatabaseFileAndPath = GObitDatabaseFileAndPath;
  info.SourceData = ViewType == 1;
  info.Show();
  return QStringLiteral("OK");
}

void FRMMournlightMain::mnuAbout_Click() {
  if (!about_) about_ = std::make_unique<placeinfo::AboutBox>(placeinfo::MournlightAboutDesign());
  about_->Show();
}

}  // namespace obituary
