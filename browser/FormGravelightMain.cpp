#include "browser/FormGravelightMain.h"

#include "platform/vb/Conversions.h"
#include "support/AppIdentity.h"
#include "support/FileInfoClassConstructorModule.h"
#include "support/Module1.h"
#include "support/jetfields/Module1JetFields.h"
#include "support/Module2.h"

namespace browser {

using namespace forms;
using FileInfoClassConstructorModule::NewFileInfoClass;

namespace {

const QString kModule = QStringLiteral("FormGravelightMain");

}  // namespace

// The cemetery viewer's names, keys, picture folder and error log.
MainWindowSettings FormGravelightMain::Settings() {
  MainWindowSettings s;
  s.controls.navigationButtons = {QStringLiteral("CMD_MoveFirst"), QStringLiteral("CMD_MovePrev"),
                                  QStringLiteral("CMD_MoveNext"), QStringLiteral("CMD_MoveLast")};
  s.controls.recordsSelected = QStringLiteral("LBL_RecordsSelected");
  s.controls.recordNumber = QStringLiteral("LBL_NavCurrentRecordNumber");
  s.controls.searchButtons = {QStringLiteral("CMD_NameFindSort"),
                              QStringLiteral("CMD_LocationFindSort")};
  s.controls.fieldBoxes = QStringLiteral("txtfields");
  s.controls.preludeFieldBoxes = 15;
  s.controls.statusLine = QStringLiteral("LBL_HelpStatus");
  s.controls.searchTabs.frames = {QStringLiteral("NameSearch_Frame"),
                                  QStringLiteral("LocationSearch_Frame"),
                                  QStringLiteral("CustomSelectionFrame")};
  s.controls.followingCheckBoxes = {
      {QStringLiteral("LastnameText"), QStringLiteral("Lastname_Checkbox")},
      {QStringLiteral("FirstnameText"), QStringLiteral("Firstname_Checkbox")},
      {QStringLiteral("LocRowText"), QStringLiteral("LocRow_Checkbox")},
      {QStringLiteral("LocSectionText"), QStringLiteral("LocSection_CheckBox")},
      {QStringLiteral("LocCemeteryNameText"), QStringLiteral("LocCemetery_Checkbox")}};
  s.controls.textMenuBoxes = {QStringLiteral("IndividualsTextbox"),
                              QStringLiteral("SelectionQueryText"),
                              QStringLiteral("LastnameText"),
                              QStringLiteral("FirstnameText"),
                              QStringLiteral("LocRowText"),
                              QStringLiteral("LocSectionText"),
                              QStringLiteral("LocCemeteryNameText")};
  s.errorPolicy = ErrorPolicy::ErrorLog(kModule);
  s.location.dataFolderKey = QStringLiteral("DATAPATH");
  s.location.dataFileKey = QStringLiteral("DATAFILEPATH");
  s.location.defaultDataFile = QStringLiteral("d:\\db1.mdb");
  for (int i = 0; i <= 14; ++i) s.location.clearedAtLoad << QStringLiteral("txtfields(%1)").arg(i);
  s.location.clearedAtLoad << QStringLiteral("LastnameText") << QStringLiteral("FirstnameText")
                           << QStringLiteral("LocRowText") << QStringLiteral("LocSectionText")
                           << QStringLiteral("LocCemeteryNameText");
  s.pictures.controls.viewButtons = {QStringLiteral("CMD_ViewImage1"),
                                     QStringLiteral("CMD_ViewImage2"),
                                     QStringLiteral("CMD_ViewImage3")};
  s.pictures.controls.navigationButtons = s.controls.navigationButtons;
  s.pictures.pictureFolder = QStringLiteral("KESTRO\\");
  s.pictures.errorPolicy = s.errorPolicy;
  return s;
}

MainWindowSteps FormGravelightMain::Steps() {
  MainWindowSteps steps;
  steps.showRecord = [this] { ShowCurrentRecord(); };
  steps.readVersion = [this](vb::ErrorTrap& trap, bool atStartUp) { ReadVersion(trap, atStartUp); };
  steps.selectAll = [this] { CMD_SelectAll_Click(); };
  return steps;
}

FormGravelightMain::FormGravelightMain(const FormSpec& formSpec,
                                       const std::vector<ControlSpec>& controls)
    : form_(QString::fromUtf8(formSpec.name)),
      main_(form_, formSpec, controls, Settings(), selection_, Steps()),
      infoOwner_{&form_,
                 {[this] { return main_.DataFolder(); },
                  [this](QString& name) { return FileExists(name); }, QStringLiteral("KESTRO\\")},
                 // The information window opens the file again, shared.
                 [] { return std::make_unique<JetSelection>(JetSelection::Access::Shared); }} {
  FindRecordControls();
  WireSearchEvents();
  WireInfoEvents();
}

FormGravelightMain::~FormGravelightMain() = default;

void FormGravelightMain::ShowCurrentRecord() {
  dao::Recordset* selection = selection_.Recordset();
  LoadDataToBox(selection);
}

// ---- Database version and custom field labels ------------------------------------

// The version reading that follows a database found: the version label, the
// notice for a file meant for the editor (start-up only), the two layout flags
// and the custom field labels; each step one statement of the caller's trap.
void FormGravelightMain::ReadVersion(vb::ErrorTrap& trap, bool atStartUp) {
  trap([&] { C<Label>("dbVersionLabel").SetCaption(CheckProtectedDbVersionStr()); });
  if (atStartUp)
    trap([&] {
      if (DbAppInfo_ > 0)
        MsgBox("This viewer is for Gravesmith file." + QStringLiteral(" Check ") + "http://" +
               AppIdentity::Current().webHost + "/help/" + " for more information.");
    });
  bool flag = false;
  trap([&] {
    flag = vb::Val(C<Label>("dbVersionLabel").Caption()) >= 2;
    EnableVersion200Controls(flag);
  });
  trap([&] {
    flag = vb::Val(C<Label>("dbVersionLabel").Caption()) >= 3;
    EnableVersion300Controls(flag);
  });
  trap([&] { LoadCustomFieldNames(); });
}

QString FormGravelightMain::CheckProtectedDbVersionStr() {
  QString version;
  auto trap = Trap("CheckProtectedDbVersionStr");
  trap.Run([&] {
    trap([&] { version = "0"; });
    trap([&] { C<Label>("LBL_RecordsSelected").SetCaption("0"); });
    trap([&] { C<Label>("LBL_NavCurrentRecordNumber").SetCaption("0"); });
    // Any error from here on ends the detection silently with what it found.
    try {
      DetectVersion(version);
    } catch (const vb::VbError&) {
    }
  });
  return version;
}

// Walks the tables for the layout of Sheet1 and the version table, then reads
// the version row. `version` is updated in place, so an error keeps what was
// found so far; a dbappinfo that does not convert leaves DbAppInfo as it was.
void FormGravelightMain::DetectVersion(QString& version) {
  bool hasVersionTable = false;
  auto db = dao::DBEngine().OpenDatabase(DataFilePath(), true, true);
  for (const dao::TableDef& table : db->TableDefs()) {
    // Bits 1 and 31 together are the engine's system-object flag.
    const uint32_t attributes = static_cast<uint32_t>(table.Attributes());
    if ((attributes & 0x2u) || (attributes & 0x80000000u)) continue;
    for (const dao::TableDefField& field : table.Fields()) {
      if (table.Name() == "Sheet1" && field.Name() == "LastName")
        version = field.Size() == 30 ? "1.55" : "1.56";
      if (table.Name() == "VERSHT") hasVersionTable = true;
    }
  }
  db->Close();
  if (!hasVersionTable) return;
  db = dao::DBEngine().OpenDatabase(DataFilePath(), true, true);
  auto rs = db->OpenRecordset("SELECT * FROM VERSHT");
  if (rs->AbsolutePosition() > -1) {
    rs->MoveLast();
    rs->MoveFirst();
    version = vb::CStr(Module1::GetFieldValue("dbver", *rs));
    DbAppInfo_ = vb::CInt(Module1::GetFieldValue("dbappinfo", *rs));
  }
  rs->Close();
  db->Close();
}

int16_t FormGravelightMain::EnableVersion200Controls(bool&) {
  SetVersionFlag(form_, "DbVersion2orHigherCheckbox", "dbVersionLabel", 2);
  return 0;
}

int16_t FormGravelightMain::EnableVersion300Controls(bool&) {
  SetVersionFlag(form_, "DbVersion3orHigherCheckbox", "dbVersionLabel", 3);
  return 0;
}

void FormGravelightMain::LoadCustomFieldNames() {
  auto trap = Trap("LoadCustomFieldNames");
  trap.Run([&] {
    QString path;
    bool exists = false;
    trap([&] { path = C<TextBox>("DataPathText").Text() + "cstmflds.ini"; });
    trap([&] { exists = NewFileInfoClass(path)->MFileExists(); });
    for (int i = 1; i <= 5; ++i) {
      const QString key = "Custom" + QString::number(i);
      trap([&] {
        C<TextBox>("Text6", i - 1)
            .SetText(exists ? Module2::ReadINIValue("CustomFieldNames", key, key, path) : key);
      });
    }
  });
}

}  // namespace browser
