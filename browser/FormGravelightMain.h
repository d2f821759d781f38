#pragma once
// The cemetery viewer's main window: start-up and data location, database
// version and custom field labels, resizing and unloading.
#include "browser/FormBuilder.h"
#include "browser/FormLayout.h"
#include "platform/dao/Dao.h"
#include "platform/forms/Forms.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace browser {

class FormGravelightMain {
 public:
  // Builds the window from its design; loading happens on Show (or Load).
  FormGravelightMain(const FormSpec& formSpec, const std::vector<ControlSpec>& controls);
  ~FormGravelightMain();

  forms::Form& Form() { return form_; }

  // Events.
  void Form_Load();
  void Form_Resize();
  void Form_Unload();
  void mnuChooseDataCDDrive_Click();
  void CMD_SelectAll_Click();

  // True when Fname names a plain file (wildcards allowed) that the
  // directory look-up finds; folders, hidden and system files do not count.
  bool FileExists(QString& Fname);

  // Database version and custom field labels.
  QString CheckProtectedDbVersionStr();
  int16_t EnableVersion200Controls(bool& IsVersion2OrHigher);
  int16_t EnableVersion300Controls(bool& IsVersion3OrHigher);
  void LoadCustomFieldNames();

  // Window state, readable by tests and the information window.
  const QString& DataFilePath() const { return DataFilePath_; }
  const QString& RememberIniPath() const { return RememberIniPath_; }
  int16_t DbAppInfo() const { return DbAppInfo_; }
  float OldScaleWidth() const { return OldScaleWidth_; }
  float OldScaleHeight() const { return OldScaleHeight_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  template <class T>
  T& C(const QString& name, int index) const { return form_.Get<T>(name, index); }
  void WireEvents();
  void ReadLaunchFile(const QString& commandLine);
  void ShowFileNotFound();
  void LoadVersionAndLabels();
  QString DetectVersion(QString version);

  forms::Form form_;
  QString DataFilePath_;
  QString RememberIniPath_;
  std::unique_ptr<dao::Database> MainDatabase_;
  std::unique_ptr<dao::Recordset> MainRecordSet_;
  float OldScaleWidth_ = 0;
  float OldScaleHeight_ = 0;
  int16_t DbAppInfo_ = 0;
};

}  // namespace browser
