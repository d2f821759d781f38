#include "apps/mournlight/MournlightMainLayout.h"

#include "browser/core/HelpTexts.h"
#include "browser/core/MainWindowDesign.h"

#include <QByteArray>

namespace mournlight {
namespace {

using forms::ControlSpec;
using K = forms::ControlKind;
using namespace browser;

// The SQL box's help: the shared three lines, each ended by a line break.
const QByteArray kObituarySqlHelpText = QByteArray(kSqlHelpText) + "\r\n";
constexpr const char* kObituaryNameHelpText =
    "Enter Obituary name. Wildcards allowed *\r\n *Obit*   or  *Obit   or  Obit*";

constexpr const char* kSearchTabCaptions[] = {"Name", "Source", "Custom"};

// The hidden holders' column, beyond the window's right edge.
constexpr float kHolderLeft = 13440, kHolderTop = 120;

const MainWindowDesign& Design() {
  static const MainWindowDesign design{
      .recordText = "MournlightText",
      .textMenu = false,
      .pictureButtonsFrame = "Frame2",
      .pictureButtons = {"Command9", "Command10", "Command11"},
      .statusLabel = "LBL_MournlightEZHelp",
      .statusCaption = "Mournlight EZ Help",
      .navigationFrame = "Frame6",
      .navigationButtons = {"Command2", "Command3", "Command4", "Command5"},
      .recordNumber = "Label16",
      .recordNumberCaption = "Label16",
      .selectionFrame = "Frame7",
      .sortFrame = "Frame8",
      .sortOptions = {"Option1", "Option2"},
      .placementCaption = "&Source",
      .selectAllButton = "Command6",
      .recordsSelected = "Label17",
      .recordsSelectedCaption = "Label17",
      .searchFrame = "Frame9",
      .tabCaptions = kSearchTabCaptions,
      .designTab = 1,
      .nameFrame = "Frame10",
      .nameRows = {{{"Check1", "&Last Name", "Text1", "", kNameSearchHelpText},
                    {"Check2", "First &Name", "Text2", "", kNameSearchHelpText}}},
      .nameButton = "Command1",
      .placeFrame = "Frame11",
      .placeFrameCaption = "Source Search",
      .placeRows = {{{"Check5", "Source Name", "Text5", "", kObituaryNameHelpText},
                     {"Check4", "Year", "Text4", "", kNameSearchHelpText},
                     {"Check3", "Month", "Text3", "", kRowSearchHelpText}}},
      .placeButton = "Command7",
      .sqlFrame = "Frame13",
      .sqlInstruction = "Use SQL to limit selection to a specific source or group of names",
      .sqlHelp = kObituarySqlHelpText.constData(),
      .sqlButton = "Command12",
      .dataFileFilter = "Mournlight Data(*.db)|*.db",
      .copyItem = "mnucopy1"};
  return design;
}

// The obituary text and the buttons above it; the rebuilding button stands
// right of the window, out of sight.
void AddObituaryText(std::vector<ControlSpec>& c) {
  c.push_back({.name = "Command14", .kind = K::CommandButton,
               .caption = "Show Archive Information",
               .left = 9360, .top = 0, .width = 2535, .height = 375});
  c.push_back({.name = "Command13", .kind = K::CommandButton, .caption = "Command13",
               .left = 12000, .top = 600, .width = 855, .height = 375});
  c.push_back({.name = "Frame12", .kind = K::Frame,
               .left = 6120, .top = 360, .width = 5775, .height = 2775});
  c.push_back({.name = Design().recordText, .kind = K::MultiLineTextBox, .container = "Frame12",
               .left = 120, .top = 120, .width = 5535, .height = 2655,
               .scrollBars = forms::kScrollVertical});
  c.push_back({.name = "CMD_Cem_ShowInfo", .kind = K::CommandButton,
               .caption = "Show Source Information",
               .left = 6120, .top = 0, .width = 2535, .height = 375});
}

std::vector<ControlSpec> BuildControls() {
  std::vector<ControlSpec> c;
  AddObituaryText(c);
  AddPictureColumn(c, Design());
  c.push_back({.name = "Command8", .kind = K::CommandButton, .caption = "Command8",
               .left = kHolderLeft, .top = kHolderTop + 5 * kHolderRowStep, .width = 855,
               .height = 375, .visible = false});
  AddRecordSelection(c, Design(), 1);
  AddSharedHolders(c, Design(), kHolderLeft, kHolderTop);
  AddMenus(c, Design());
  return c;
}

}  // namespace

const forms::FormSpec& FRMMournlightMainForm() {
  static const forms::FormSpec form{.name = "FRMMournlightMain", .caption = "Mournlight",
                                    .scaleWidth = 11910, .scaleHeight = 7665};
  return form;
}

const std::vector<ControlSpec>& FRMMournlightMainControls() {
  static const std::vector<ControlSpec> controls = BuildControls();
  return controls;
}

browser::MainWindowLayout FRMMournlightMainLayout() {
  return {FRMMournlightMainForm(), FRMMournlightMainControls(), Design()};
}

}  // namespace mournlight
