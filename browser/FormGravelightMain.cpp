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
const QString kPictureFolder = QStringLiteral("KESTRO\\");

}  // namespace

// The cemetery viewer's keys, picture folder and error log; its controls
// as its design names them.
MainWindowSettings FormGravelightMain::Settings(const MainWindowDesign& design) {
  MainWindowSettings s;
  s.controls = ControlNamesOf(design);
  s.controls.fieldBoxes = QStringLiteral("txtfields");
  s.controls.preludeFieldBoxes = 15;
  s.errorPolicy = ErrorPolicy::ErrorLog(kModule);
  s.location.dataFolderKey = QStringLiteral("DATAPATH");
  s.location.dataFileKey = QStringLiteral("DATAFILEPATH");
  s.location.defaultDataFile = QStringLiteral("d:\\db1.mdb");
  // The field boxes, then the search boxes: the name rows, then the place
  // rows from the bottom up (row, section, cemetery).
  for (int i = 0; i <= 14; ++i)
    s.location.clearedAtLoad << s.controls.fieldBoxes + QStringLiteral("(%1)").arg(i);
  for (const SearchRow& row : design.nameRows) s.location.clearedAtLoad << row.text;
  for (auto row = design.placeRows.rbegin(); row != design.placeRows.rend(); ++row)
    s.location.clearedAtLoad << row->text;
  s.pictures.controls = PictureControlsOf(design);
  s.pictures.pictureFolder = kPictureFolder;
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

FormGravelightMain::FormGravelightMain(const MainWindowLayout& layout)
    : form_(QString::fromUtf8(layout.form.name)),
      main_(form_, layout, Settings(layout.design), selection_, Steps()),
      infoOwner_{&form_,
                 {[this] { return main_.DataFolder(); },
                  [this](QString& name) { return FileExists(name); }, kPictureFolder},
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
    const MainWindowControls& c = main_.Settings().controls;
    trap([&] { C<Label>(c.recordsSelected).SetCaption("0"); });
    trap([&] { C<Label>(c.recordNumber).SetCaption("0"); });
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
