#pragma once
// The cemetery viewer's main window: start-up and data location, database
// version and custom field labels, resizing and unloading.
#include "browser/BurialRecordText.h"
#include "browser/FormBuilder.h"
#include "browser/FormLayout.h"
#include "browser/PictureViewer.h"
#include "browser/SearchFrame.h"
#include "platform/dao/Dao.h"
#include "platform/forms/Forms.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace browser {

class FormGravelightMain : private SearchTarget, private NavigationTarget {
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

  // Selection and navigation (FormGravelightMainSearch.cpp).
  void CMD_SelectAll_Click();
  void CMD_MoveFirst_Click();
  void CMD_MovePrev_Click();
  void CMD_MoveNext_Click();
  void CMD_MoveLast_Click();

  // The record's fields, record text and position (FormGravelightMainRecord.cpp).
  bool LoadDataToBox(dao::Recordset*& mRecordSet);

  // Pictures and clipboard (FormGravelightMainPictures.cpp).
  void PicText1_Change();
  void PicText2_Change();
  void PicText3_Change();
  void CMD_ViewImage1_Click();
  void CMD_ViewImage2_Click();
  void CMD_ViewImage3_Click();
  int32_t MySizeImage1(const QString& PicturePath);
  void Image1_MouseDown(int Button, int Shift, float X, float Y);
  void mnuCopy1_Click();

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
  dao::Recordset* MainRecordSet() const { return MainRecordSet_.get(); }
  int16_t DbAppInfo() const { return DbAppInfo_; }
  float OldScaleWidth() const { return OldScaleWidth_; }
  float OldScaleHeight() const { return OldScaleHeight_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  template <class T>
  T& C(const QString& name, int index) const { return form_.Get<T>(name, index); }
  // The error answer of this window's trapping procedures.
  static vb::ErrorTrap Trap(const char* procedure);
  void WireEvents();
  void WireSearchEvents();
  void WireRecordEvents();
  void WirePictureEvents();
  void ShowFileNotFound();
  void LoadVersionAndLabels(vb::ErrorTrap& trap, bool showAppInfoNotice);
  void DetectVersion(QString& version);

  // The search frame's and the navigation's view of this window
  // (FormGravelightMainSearch.cpp).
  void ClearFieldBox(int index) override;
  void ShowPlaceholderPicture() override;
  void SetRecordsSelected(const QString& caption) override;
  void SetCurrentRecordNumber(const QString& caption) override;
  void OpenConnection() override;
  void OpenSelection(const QString& statement, bool wholeTable) override;
  bool SelectionIsEmpty() override;
  void SelectionMoveLast() override;
  void SelectionMoveFirst() override;
  int SelectionFieldCount() override;
  int SelectionRecordCount() override;
  void ShowCurrentRecord() override;
  void SetNavigationEnabled(bool enabled) override;
  void EnableSearchButtons() override;
  void MoveFirst() override;
  void MovePrevious() override;
  void MoveNext() override;
  void MoveLast() override;
  bool AtBOF() override;
  bool AtEOF() override;
  void SetButtonEnabled(NavigationButton button, bool enabled) override;
  dao::Recordset& Selection() const;
  void RunNavigation(const char* procedure, NavigationButton button);

  forms::Form form_;
  QString DataFilePath_;
  QString RememberIniPath_;
  std::unique_ptr<dao::Database> MainDatabase_;
  std::unique_ptr<dao::Recordset> MainRecordSet_;
  float OldScaleWidth_ = 0;
  float OldScaleHeight_ = 0;
  int16_t DbAppInfo_ = 0;
  // The controls that the record loader reads and writes, looked up once
  // when the window is built (FormGravelightMainRecord.cpp).
  struct RecordControls {
    std::array<forms::TextBox*, kFieldBoxCount> fields{};
    std::array<forms::TextBox*, 5> customLabels{};
    std::array<forms::TextBox*, 3> pictureNames{};
    std::array<forms::CommandButton*, 3> pictureButtons{};
    forms::CheckBox* version2Flag = nullptr;
    forms::CheckBox* version3Flag = nullptr;
    forms::TextBox* recordText = nullptr;
    forms::Label* position = nullptr;
  };
  RecordControls record_;
  // The picture viewer with this window's buttons, folder and error log.
  static PictureViewerSettings PictureSettings();
  PictureViewer pictures_{form_, PictureSettings()};
};

}  // namespace browser
