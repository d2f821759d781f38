// Design-time layout of FormGravelightMain: the main-window design both
// viewers share, in the cemetery viewer's names and words, with its record
// text box and its hidden holders. The record's field boxes stand beyond the
// right edge of the window, where a double click on the cemetery box still
// reaches them; the other hidden holders are invisible.
#include "apps/gravelight/GravelightMainLayout.h"

#include "browser/core/HelpTexts.h"
#include "browser/core/MainWindowDesign.h"

#include <QByteArray>

namespace gravelight {
namespace {

using K = ControlKind;
using namespace browser;

// The SQL box's help: the shared three lines and one about apostrophes.
const QByteArray kCemeterySqlHelpText =
    QByteArray(kSqlHelpText) + "\r\nApostrophe's need to be entered as two  '' since this is SQL";
constexpr const char* kCemeteryNameHelpText =
    "Enter cemetery name. Wildcards allowed *\r\n *Cem*   or  *Cem   or  Cem*";
constexpr const char* kFieldBoxHelpText =
    "Double Click on the Cemetery Name field for detailed information.";

constexpr const char* kSearchTabCaptions[] = {"Name", "Location", "Custom"};

// The record's field boxes: a grid beyond the window's right edge.
constexpr int kFieldBoxCount = 37;
constexpr int kFieldBoxRows = 10;
constexpr float kHiddenLeft = 12240, kHiddenTop = 120;
constexpr float kHiddenColumnStep = 1455;

const MainWindowDesign& Design() {
  static const MainWindowDesign design{
      .recordText = "IndividualsTextbox",
      .textMenu = true,
      .pictureButtonsFrame = "ImageNavigation_Frame",
      .pictureButtons = {"CMD_ViewImage1", "CMD_ViewImage2", "CMD_ViewImage3"},
      .statusLabel = "LBL_HelpStatus",
      .statusCaption = "LBL_HelpStatus",
      .navigationFrame = "RecordNavigation_Frame",
      .navigationButtons = {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext", "CMD_MoveLast"},
      .recordNumber = "LBL_NavCurrentRecordNumber",
      .recordNumberCaption = "0",
      .selectionFrame = "RecordSelection_Frame",
      .sortFrame = "SortByFrame",
      .sortOptions = {"SortOption1", "SortOption2"},
      .placementCaption = "&Placement",
      .selectAllButton = "CMD_SelectAll",
      .recordsSelected = "LBL_RecordsSelected",
      .recordsSelectedCaption = "0",
      .searchFrame = "SearchForRecords_Frame",
      .tabCaptions = kSearchTabCaptions,
      .designTab = 0,
      .nameFrame = "NameSearch_Frame",
      .nameRows = {{{"Lastname_Checkbox", "&Last Name", "LastnameText", "LastnameText",
                     kNameSearchHelpText},
                    {"Firstname_Checkbox", "First &Name", "FirstnameText", "FirstnameText",
                     kNameSearchHelpText}}},
      .nameButton = "CMD_NameFindSort",
      .placeFrame = "LocationSearch_Frame",
      .placeFrameCaption = "Location Search",
      .placeRows = {{{"LocCemetery_Checkbox", "Cemetery", "LocCemeteryNameText",
                      "LocCemeteryNameText", kCemeteryNameHelpText},
                     {"LocSection_CheckBox", "Section", "LocSectionText", "LocSectionText",
                      kNameSearchHelpText},
                     {"LocRow_Checkbox", "Row", "LocRowText", "LocRowText", kRowSearchHelpText}}},
      .placeButton = "CMD_LocationFindSort",
      .sqlFrame = "CustomSelectionFrame",
      .sqlInstruction = "Use SQL to limit selection to a specific cemetery or group of names",
      .sqlHelp = kCemeterySqlHelpText.constData(),
      .sqlButton = "CMD_CustomFindSort",
      .dataFileFilter = "Gravelight Data(*.mdb)|*.mdb",
      .copyItem = "mnuCopy1"};
  return design;
}

void AddRecordText(std::vector<ControlSpec>& c) {
  c.push_back({.name = "CMD_Cem_ShowInfo", .kind = K::CommandButton,
               .caption = "Show Cemetery Information",
               .left = 6120, .top = 0, .width = 2535, .height = 375});
  c.push_back({.name = "TranscriptionInfo_Frame", .kind = K::Frame,
               .left = 6120, .top = 360, .width = 5775, .height = 2775});
  c.push_back({.name = Design().recordText, .kind = K::MultiLineTextBox,
               .container = "TranscriptionInfo_Frame",
               .left = 120, .top = 180, .width = 5535, .height = 2475,
               .scrollBars = forms::kScrollVertical});
}

float HiddenLeft(int column) { return kHiddenLeft + column * kHiddenColumnStep; }
float HiddenTop(int row) { return kHiddenTop + row * kHolderRowStep; }

// A holder text box in the hidden grid beyond the right edge.
ControlSpec HiddenBox(const char* name, int index, const char* text, int column, int row,
                      bool visible) {
  return {.name = name, .index = index, .kind = K::TextBox, .caption = text,
          .left = HiddenLeft(column), .top = HiddenTop(row), .width = kHolderWidth,
          .height = kHolderHeight, .visible = visible};
}

void AddHiddenHolders(std::vector<ControlSpec>& c) {
  // The field boxes stay visible (only out of sight): they answer the mouse.
  for (int i = 0; i < kFieldBoxCount; ++i) {
    ControlSpec box = HiddenBox("txtfields", i, "Text1", i / kFieldBoxRows, i % kFieldBoxRows, true);
    box.helpText = kFieldBoxHelpText;
    box.helpEvent = HelpEvent::MouseMove;
    c.push_back(box);
  }
  const int column = (kFieldBoxCount + kFieldBoxRows - 1) / kFieldBoxRows;
  static constexpr const char* kCustomLabels[] = {"Custom1", "Custom2", "Custom3", "Custom4",
                                                  "Custom5"};
  for (int k = 0; k < 5; ++k) c.push_back(HiddenBox("Text6", k, kCustomLabels[k], column, k, false));
  AddSharedHolders(c, Design(), HiddenLeft(column), HiddenTop(5));
}

std::vector<ControlSpec> BuildControls() {
  std::vector<ControlSpec> c;
  AddPictureColumn(c, Design());
  AddRecordText(c);
  AddRecordSelection(c, Design(), 2);
  AddHiddenHolders(c);
  AddMenus(c, Design());
  return c;
}

}  // namespace

const FormSpec& FormGravelightMainForm() {
  static const FormSpec form{.name = "FormGravelightMain", .caption = "Gravelight Lite ",
                             .scaleWidth = 11910, .scaleHeight = 7665};
  return form;
}

const std::vector<ControlSpec>& FormGravelightMainControls() {
  static const std::vector<ControlSpec> controls = BuildControls();
  return controls;
}

browser::MainWindowLayout FormGravelightMainLayout() {
  return {FormGravelightMainForm(), FormGravelightMainControls(), Design()};
}

}  // namespace gravelight
