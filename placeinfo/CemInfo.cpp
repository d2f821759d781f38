#include "placeinfo/CemInfo.h"

#include "placeinfo/InfoSelection.h"
#include "placeinfo/PlaceText.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Host.h"
#include "platform/forms/TextBox.h"
#include "platform/vb/Conversions.h"

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
    : owner_(owner),
      window_(CemInfoDesign(), owner, ErrorPolicy::ErrorLog(QStringLiteral("CemInfo"))) {
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

// The cemetery's row of CemSheet, on a connection of the step's own; a name
// without a row shows the first cemetery.
void CemInfo::CMD_Select_Data_Click() {
  auto trap = window_.Policy().Trap("CMD_Select_Data_Click");
  trap.Run([&] {
    QString path;
    trap([&] { path = Form().Get<TextBox>("Text2_12").Text(); });
    // From here on the step's own answers catch errors.
    const PlaceRowSelection step{
        .byKey = "SELECT * FROM CemSheet WHERE CemSheet.Cemetery=" +
                 QuotedKey(Form().Get<TextBox>("Text2").Text()) + " ORDER BY CemSheet.Cemetery;",
        .allRows = QStringLiteral("SELECT * FROM CemSheet ORDER BY CemSheet.Cemetery;"),
        .noRowForKey = QStringLiteral("No Additional Cemetery Information "),
        .noRowsAtAll = std::nullopt,
        .answers = {"Opening All Cemetery Info.",
                    "Cemetery Info. has not been added. Press OK To Continue"}};
    std::unique_ptr<browser::Selection> selection = owner_.newSelection();
    browser::Selection& rows = *selection;
    SelectPlaceRow(rows, path, step, [&] {
      if (selection) CemRecordSet = std::move(selection);
      LoadCEMDataToTextBox(CemRecordSet.get());
    });
  });
}

// ---- The information text -------------------------------------------------------------

bool CemInfo::LoadCEMDataToTextBox(browser::Selection*) {
  static const PlaceTextDesign kText{
      .headingLabel = "Cemetery: ", .headingColumn = "CEMETERY", .zipColumn = "Row",
      .lastLabel = "Brief Ownership History: ", .lastColumn = "BriefOwnershipHist",
      .textBox = "CemInfo_Text", .pictureColumns = {"CemPix1", "CemPix2", "CemPix3"},
      .nameBoxes = {"CemPicText1", "CemPicText2", "CemPicText3"}};
  auto trap = window_.Policy().Trap("LoadCEMDataToTextBox");
  trap.Run([&] {
    LoadPlaceText(trap, window_, kText, [this](const QString& column) {
      if (!CemRecordSet) vb::Raise(vb::err::ObjectVariableNotSet);
      return vb::CStr(CemRecordSet->GetFieldValue(column));
    });
  });
  return true;
}

// OK lets the selection go and unloads the window, every error ignored.
void CemInfo::CMD_Finished_Click() {
  if (CemRecordSet) CemRecordSet->Release();
  CemRecordSet.reset();
  try {
    Form().Unload();
  } catch (const vb::VbError&) {
  }
}

}  // namespace placeinfo
