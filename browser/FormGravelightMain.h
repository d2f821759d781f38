#pragma once
// The cemetery viewer's main window: the shared main-window behaviour over
// its own controls, plus what is the cemetery viewer's own: the burial
// record's fields and text, the database version with its two layout flags
// and the custom field labels, and its searches over table Sheet1.
#include "browser/BurialRecordText.h"
#include "browser/JetSelection.h"
#include "browser/core/MainWindow.h"
#include "placeinfo/AboutBox.h"
#include "placeinfo/InfoWindow.h"
#include "platform/dao/Dao.h"
#include "platform/forms/Forms.h"

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace browser {

class FormGravelightMain {
 public:
  // Builds the window from its design; loading happens on Show (or Load).
  explicit FormGravelightMain(const MainWindowLayout& layout);
  ~FormGravelightMain();

  forms::Form& Form() { return form_; }

  // Events of the shared behaviour.
  void Form_Load() { main_.Form_Load(); }
  void Form_Resize() { main_.Form_Resize(); }
  void Form_Unload() { main_.Form_Unload(); }
  void mnuChooseDataCDDrive_Click() { main_.mnuChooseDataCDDrive_Click(); }

  // Searches (FormGravelightMainSearch.cpp).
  void CMD_SelectAll_Click();
  void CMD_NameFindSort_Click();
  void CMD_LocationFindSort_Click();
  void CMD_CustomFindSort_Click();
  // The text with every apostrophe doubled, for a quoted SQL text.
  static QString FixSQLApostrophe(const QString& OrigSQLstr);
  // The user's condition with the custom columns named by their labels.
  QString convertCustomSQL(const QString& SQL);

  // Navigation.
  void CMD_MoveFirst_Click() { main_.Navigate(NavigationButton::First); }
  void CMD_MovePrev_Click() { main_.Navigate(NavigationButton::Previous); }
  void CMD_MoveNext_Click() { main_.Navigate(NavigationButton::Next); }
  void CMD_MoveLast_Click() { main_.Navigate(NavigationButton::Last); }

  // The record's fields, record text and position (FormGravelightMainRecord.cpp).
  bool LoadDataToBox(dao::Recordset*& mRecordSet);

  // Pictures and clipboard.
  void PicText1_Change() { main_.Pictures().PicText1_Change(); }
  void PicText2_Change() { main_.Pictures().PicText2_Change(); }
  void PicText3_Change() { main_.Pictures().PicText3_Change(); }
  void CMD_ViewImage1_Click() { main_.Pictures().ViewImage_Click(1); }
  void CMD_ViewImage2_Click() { main_.Pictures().ViewImage_Click(2); }
  void CMD_ViewImage3_Click() { main_.Pictures().ViewImage_Click(3); }
  int32_t MySizeImage1(const QString& PicturePath) {
    return main_.Pictures().MySizeImage1(PicturePath);
  }
  void Image1_MouseDown(int Button, int Shift, float X, float Y) {
    main_.Pictures().Image1_MouseDown(Button, Shift, X, Y);
  }
  void mnuCopy1_Click() { main_.Pictures().mnuCopy1_Click(); }

  bool FileExists(QString& Fname) { return main_.FileExists(Fname); }

  // The cemetery information window and the about box (FormGravelightMainInfo.cpp).
  void CMD_Cem_ShowInfo_Click();
  void txtfields_DblClick(int16_t Index);
  QString GetCemeteryDataInfoBox(QString& GCemSearchName, QString& GCemDatabaseFileAndPath);
  void mnuAbout_Click();
  // The about box, once it has been shown.
  placeinfo::AboutBox* AboutBox() const { return about_.get(); }
  // What the information window takes from this window: its place, the data
  // folder and the file test for the pictures.
  const placeinfo::InfoWindowOwner& InfoOwner() const { return infoOwner_; }

  // Database version and custom field labels (FormGravelightMain.cpp).
  QString CheckProtectedDbVersionStr();
  int16_t EnableVersion200Controls(bool& IsVersion2OrHigher);
  int16_t EnableVersion300Controls(bool& IsVersion3OrHigher);
  void LoadCustomFieldNames();

  // Window state, readable by tests and the information window.
  const QString& DataFilePath() const { return main_.DataFilePath(); }
  const QString& RememberIniPath() const { return main_.RememberIniPath(); }
  dao::Recordset* MainRecordSet() const { return selection_.Recordset(); }
  int16_t DbAppInfo() const { return DbAppInfo_; }
  float OldScaleWidth() const { return main_.OldScaleWidth(); }
  float OldScaleHeight() const { return main_.OldScaleHeight(); }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  template <class T>
  T& C(const QString& name, int index) const { return form_.Get<T>(name, index); }
  vb::ErrorTrap Trap(const char* procedure) const { return main_.Trap(procedure); }
  static MainWindowSettings Settings(const MainWindowDesign& design);
  MainWindowSteps Steps();
  // True when the name order is chosen (SortOption1), else placement.
  bool ByName() const;
  void WireSearchEvents();
  void WireInfoEvents();
  void FindRecordControls();
  void ReadVersion(vb::ErrorTrap& trap, bool atStartUp);
  void DetectVersion(QString& version);
  void ShowCurrentRecord();

  forms::Form form_;
  JetSelection selection_;
  MainWindow main_;
  placeinfo::InfoWindowOwner infoOwner_;
  std::unique_ptr<placeinfo::AboutBox> about_;
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
};

}  // namespace browser
