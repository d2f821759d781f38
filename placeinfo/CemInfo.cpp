#include "placeinfo/CemInfo.h"

#include "browser/core/SearchTexts.h"
#include "placeinfo/PlaceText.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Host.h"
#include "platform/forms/TextBox.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"

namespace placeinfo {

using namespace forms;

namespace {

const QString kTextBox = QStringLiteral("CemInfo_Text");

}  // namespace

const InfoWindowDesign& CemInfoDesign() {
  static const InfoWindowDesign design{
      .formName = "CemInfo",
      .caption = "Cemetery Information",
      .scaleWidth = 11970,
      .scaleHeight = 8085,
      .textBox = "CemInfo_Text",
      .designText = "No cemetery information entered for this cemetery.\r\n",
      .nameBoxes = {"CemPicText1", "CemPicText2", "CemPicText3"},
      .copyAndTextMenu = true};
  return design;
}

CemInfo::CemInfo(const InfoWindowOwner& owner)
    : window_(CemInfoDesign(), owner, ErrorPolicy::ErrorLog(QStringLiteral("CemInfo"))) {
  Form().OnLoad = [this] { Form_Load(); };
  Form().Get<CommandButton>("CMD_Finished").OnClick = [this] { CMD_Finished_Click(); };
  Form().Get<CommandButton>("CMD_Select_Data").OnClick = [this] { CMD_Select_Data_Click(); };
  Form().Get<TextBox>(kTextBox).OnChange = [this] { CemInfo_Text_Change(); };
}

void CemInfo::Show() { window_.ShowModal(); }

void CemInfo::Form_Load() {
  auto trap = window_.Policy().Trap("Form_Load");
  trap.Run([&] {
    trap([&] { window_.PlaceBelowOwner(); });
    trap([&] { Form().Get<TextBox>("Text2").SetText(CemSearchName); });
    trap([&] { Form().Get<TextBox>("Text2_12").SetText(CemDatabaseFileAndPath); });
    trap([&] { CMD_Select_Data_Click(); });
  });
}

// The cemetery's row of CemSheet, on a connection of the step's own that
// goes when the step ends; a name without a row shows the first cemetery.
void CemInfo::CMD_Select_Data_Click() {
  auto trap = window_.Policy().Trap("CMD_Select_Data_Click");
  trap.Run([&] {
    QString path;
    trap([&] { path = Form().Get<TextBox>("Text2_12").Text(); });
    // From here on the step's own answers catch errors.
    std::unique_ptr<dao::Database> db;
    try {
      db = dao::DBEngine().Workspaces(0).OpenDatabase(path, false, true);
      const QString statementA = "SELECT * FROM CemSheet WHERE CemSheet.Cemetery=" +
                                 QuotedKey(Form().Get<TextBox>("Text2").Text()) +
                                 " ORDER BY CemSheet.Cemetery;";
      std::unique_ptr<dao::Recordset> rs;
      try {
        rs = db->OpenRecordset(statementA);
      } catch (const vb::VbError& error) {
        if (error.Number() != vb::err::TypeMismatchDb) throw;
        MsgBox(browser::kBlankRowOrStoneMessage);
        rs = db->OpenRecordset(statementA);
      }
      if (rs->AbsolutePosition() > -1) {
        rs->MoveLast();
        rs->MoveFirst();
      } else {
        MsgBox("No Additional Cemetery Information ");
        rs = AllCemeteries(*db);
      }
      ShowSelection(std::move(rs));
    } catch (const vb::VbError& error) {
      AnswerSelectionError(
          error,
          {"Opening All Cemetery Info.", "Cemetery Info. has not been added. Press OK To Continue"},
          [&] {
            if (!db) vb::Raise(vb::err::ObjectVariableNotSet);
            ShowSelection(AllCemeteries(*db));
          });
    }
  });
}

std::unique_ptr<dao::Recordset> CemInfo::AllCemeteries(dao::Database& db) {
  auto rs = db.OpenRecordset("SELECT * FROM CemSheet ORDER BY CemSheet.Cemetery;");
  if (rs->AbsolutePosition() > -1) {
    rs->MoveLast();
    rs->MoveFirst();
  }
  return rs;
}

void CemInfo::ShowSelection(std::unique_ptr<dao::Recordset> rs) {
  CemRecordSet = std::move(rs);
  LoadCEMDataToTextBox(CemRecordSet.get());
}

// ---- The information text -------------------------------------------------------------

bool CemInfo::LoadCEMDataToTextBox(dao::Recordset*) {
  static const PlaceTextDesign kText{
      .headingLabel = "Cemetery: ", .headingColumn = "CEMETERY", .zipColumn = "Row",
      .lastLabel = "Brief Ownership History: ", .lastColumn = "BriefOwnershipHist",
      .textBox = "CemInfo_Text", .pictureColumns = {"CemPix1", "CemPix2", "CemPix3"},
      .nameBoxes = {"CemPicText1", "CemPicText2", "CemPicText3"}};
  auto trap = window_.Policy().Trap("LoadCEMDataToTextBox");
  trap.Run([&] {
    LoadPlaceText(trap, window_, kText, [this](const QString& column) {
      if (!CemRecordSet) vb::Raise(vb::err::ObjectVariableNotSet);
      return vb::CStr(Module1::GetFieldValue(column, *CemRecordSet));
    });
  });
  return true;
}

// OK lets the selection go and unloads the window, every error ignored.
void CemInfo::CMD_Finished_Click() {
  try {
    if (CemRecordSet) CemRecordSet->Close();
  } catch (const vb::VbError&) {
  }
  CemRecordSet.reset();
  try {
    Form().Unload();
  } catch (const vb::VbError&) {
  }
}

}  // namespace placeinfo
