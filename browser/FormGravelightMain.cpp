#include "browser/FormGravelightMain.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/ErrorTrap.h"
#include "platform/win/FileSystem.h"
#include "platform/win/Win.h"
#include "support/AppIdentity.h"
#include "support/FileInfoClassConstructorModule.h"
#include "support/GlobErrorModule.h"
#include "support/MODResizeControls.h"
#include "support/Module1.h"
#include "support/Module2.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace browser {

using namespace forms;
using FileInfoClassConstructorModule::NewFileInfoClass;

namespace {

const QString kModule = QStringLiteral("FormGravelightMain");
const QString kCrLf = QStringLiteral("\r\n");

// The launch file as the start-up reads it: opened for input as text, read
// to its length and closed. Each step is one statement of its own, so that
// after an ignored open the read of the unopened file fails as well.
class LaunchFileReader {
 public:
  void Open(const QString& windowsPath) {
    if (win::fs::HasInvalidNameCharacters(windowsPath) || win::fs::HasWildcards(windowsPath))
      vb::Raise(vb::err::BadFileNameOrNumber);
    const QString native = win::fs::AnsiNativePath(windowsPath);
    const QFileInfo info(native);
    if (!info.exists())
      vb::Raise(QFileInfo(info.absolutePath()).isDir() ? vb::err::FileNotFound
                                                       : vb::err::PathNotFound);
    if (info.isDir()) vb::Raise(vb::err::PathFileAccessError);
    auto file = std::make_unique<QFile>(native);
    if (!file->open(QIODevice::ReadOnly)) vb::Raise(vb::err::PathFileAccessError);
    file_ = std::move(file);
  }
  // Input(LOF(f), f): the whole content, which nobody uses.
  void ReadAll() {
    if (!file_) vb::Raise(vb::err::BadFileNameOrNumber);
    file_->readAll();
    if (file_->error() != QFileDevice::NoError) vb::Raise(vb::err::DeviceIOError);
  }
  // Closing a file number that was never opened is no error.
  void Close() { file_.reset(); }

 private:
  std::unique_ptr<QFile> file_;
};

}  // namespace

FormGravelightMain::FormGravelightMain(const FormSpec& formSpec,
                                       const std::vector<ControlSpec>& controls)
    : form_(QString::fromUtf8(formSpec.name)) {
  FormBuilder builder(form_);
  builder.Build(formSpec, controls);
  C<CommonDialog>("CommonDialog1").CancelError = true;
  WireEvents();
}

FormGravelightMain::~FormGravelightMain() = default;

vb::ErrorTrap FormGravelightMain::Trap(const char* procedure) {
  return vb::ErrorTrap(GlobErrorModule::LogErrorHandler(QString::fromLatin1(procedure), kModule));
}

void FormGravelightMain::WireEvents() {
  form_.OnLoad = [this] { Form_Load(); };
  form_.OnResize = [this] { Form_Resize(); };
  form_.OnUnload = [this] { Form_Unload(); };
  C<Menu>("mnuChooseDataCDDrive").OnClick = [this] { mnuChooseDataCDDrive_Click(); };
  WireSearchEvents();
  WireRecordEvents();
  WirePictureEvents();
}

// ---- Start-up ----------------------------------------------------------------

void FormGravelightMain::Form_Load() {
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
    for (int i = 0; i <= 14; ++i) trap([&] { C<TextBox>("txtfields", i).SetText(QString()); });
    for (const char* box : {"LastnameText", "FirstnameText", "LocRowText", "LocSectionText",
                            "LocCemeteryNameText"})
      trap([&] { C<TextBox>(QString::fromLatin1(box)).SetText(QString()); });

    if (commandLine.length() < 1) {
      trap([&] { RememberIniPath_ = win::WritableAppPath(AppIdentity::Current().name) + "\\remember.ini"; });
      // From here on every error is ignored: a missing remember.ini gives the
      // defaults, and the called procedures answer their own errors.
      trap.ResumeNext();
      trap([&] {
        C<TextBox>("DataPathText")
            .SetText(Module2::ReadINIValue("SETTING", "DATAPATH", "d:\\", RememberIniPath_));
      });
      QString path;
      trap([&] { path = Module2::ReadINIValue("SETTING", "DATAFILEPATH", "d:\\db1.mdb", RememberIniPath_); });
      trap([&] { C<TextBox>("DataFilePathText").SetText(path); });
      trap([&] { DataFilePath_ = path; });
    } else {
      QString name;
      LaunchFileReader launchFile;
      trap([&] { launchFile.Open(commandLine); });
      trap([&] { launchFile.ReadAll(); });
      trap([&] { launchFile.Close(); });
      trap([&] { name = Module2::ReadINIValue("SETTING", "DATAFILE", "d:\\db1.mdb", commandLine); });
      trap([&] { C<TextBox>("DataFilePathText").SetText(folder + name); });
      trap([&] { DataFilePath_ = folder + name; });
      trap([&] { C<TextBox>("DataPathText").SetText(folder); });
    }

    bool exists = false;
    trap([&] { exists = NewFileInfoClass(DataFilePath_)->MFileExists(); });
    if (!exists) {
      trap([&] { ShowFileNotFound(); });
      trap([&] { mnuChooseDataCDDrive_Click(); });
      return;
    }
    LoadVersionAndLabels(trap, true);
    trap([&] { CMD_SelectAll_Click(); });
  });
}

void FormGravelightMain::ShowFileNotFound() {
  MsgBox("File not found!" + kCrLf + "Please open database or Insert correct CD");
}

// ---- Data-file choice ----------------------------------------------------------

void FormGravelightMain::mnuChooseDataCDDrive_Click() {
  auto trap = Trap("mnuChooseDataCDDrive_Click");
  trap.Run([&] {
    for (;;) {
      QString oldPath, oldFolder;
      trap([&] { oldPath = DataFilePath_; });
      trap([&] { oldFolder = C<TextBox>("DataPathText").Text(); });
      // An error of the dialog (Cancel among them) or of taking its choice
      // goes straight to the check of the path as it stands.
      try {
        auto& dialog = C<CommonDialog>("CommonDialog1");
        dialog.ShowOpen();
        C<TextBox>("DataFilePathText").SetText(dialog.FileName);
        DataFilePath_ = dialog.FileName;
        C<TextBox>("DataPathText")
            .SetText(Module1::GetFolderOfPath(C<TextBox>("DataFilePathText").Text(), true));
        Module2::WriteINIValue("SETTING", "DATAPATH", C<TextBox>("DataPathText").Text(),
                               RememberIniPath_);
        Module2::WriteINIValue("SETTING", "DATAFILEPATH", C<TextBox>("DataFilePathText").Text(),
                               RememberIniPath_);
      } catch (const vb::VbError&) {
      }
      trap.GoTo0();
      if (NewFileInfoClass(DataFilePath_)->MFileExists()) {
        LoadVersionAndLabels(trap, false);
        CMD_SelectAll_Click();
        return;
      }
      ShowFileNotFound();
      DataFilePath_ = oldPath;
      C<TextBox>("DataFilePathText").SetText(oldPath);
      C<TextBox>("DataPathText").SetText(oldFolder);
      const int answer = MsgBox("Do you want try to locate the file again?",
                                mb::YesNo + mb::Critical + mb::DefaultButton2, "Try Again?");
      if (answer != mb::Yes) host().EndProgram();
      trap.GoToHandler();
    }
  });
}

// The version reading that follows a database found: the version label, the
// notice for a file meant for the editor (start-up only), the two layout flags
// and the custom field labels; each step one statement of the caller's trap.
void FormGravelightMain::LoadVersionAndLabels(vb::ErrorTrap& trap, bool showAppInfoNotice) {
  trap([&] { C<Label>("dbVersionLabel").SetCaption(CheckProtectedDbVersionStr()); });
  if (showAppInfoNotice)
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

// ---- Resizing and unloading ------------------------------------------------------

void FormGravelightMain::Form_Resize() {
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

void FormGravelightMain::Form_Unload() {
  // Closing a selection that was never opened is no failure.
  try {
    if (MainRecordSet_) MainRecordSet_->Close();
  } catch (const vb::VbError&) {
  }
  try {
    if (MainDatabase_) MainDatabase_->Close();
  } catch (const vb::VbError&) {
  }
  MainRecordSet_.reset();
  MainDatabase_.reset();
}

bool FormGravelightMain::FileExists(QString& Fname) {
  if (Fname.isEmpty() || Fname.endsWith(u'\\')) return false;
  return !win::Dir(Fname).isEmpty();
}

// ---- Database version and custom field labels ------------------------------------

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
  auto db = dao::DBEngine().OpenDatabase(DataFilePath_, true, true);
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
  db = dao::DBEngine().OpenDatabase(DataFilePath_, true, true);
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
  C<CheckBox>("DbVersion2orHigherCheckbox")
      .SetValue(vb::Val(C<Label>("dbVersionLabel").Caption()) >= 2 ? 1 : 0);
  return 0;
}

int16_t FormGravelightMain::EnableVersion300Controls(bool&) {
  C<CheckBox>("DbVersion3orHigherCheckbox")
      .SetValue(vb::Val(C<Label>("dbVersionLabel").Caption()) >= 3 ? 1 : 0);
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
