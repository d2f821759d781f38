// Design-time layout of FormGravelightMain. The visible window is a left
// column (picture viewer, picture buttons, status line, record navigation)
// and a right column (information button, record text, record selection with
// the search tabs). The record's field boxes stand beyond the right edge of
// the window, where a double click on the cemetery box still reaches them;
// the other hidden holders are invisible. Search frames of the tabs that are
// not shown are parked far to the left of the tab control.
#include "apps/gravelight/GravelightMainLayout.h"

#include "browser/core/HelpTexts.h"
#include "browser/core/PictureFit.h"

namespace gravelight {
namespace {

using K = ControlKind;
using namespace browser;
using forms::kScrollVertical;

// The SQL box's help: the shared three lines and one about apostrophes.
const QByteArray kCemeterySqlHelpText =
    QByteArray(kSqlHelpText) + "\r\nApostrophe's need to be entered as two  '' since this is SQL";
constexpr const char* kCemeteryNameHelpText =
    "Enter cemetery name. Wildcards allowed *\r\n *Cem*   or  *Cem   or  Cem*";
constexpr const char* kFieldBoxHelpText =
    "Double Click on the Cemetery Name field for detailed information.";

constexpr const char* kSearchTabCaptions[] = {"Name", "Location", "Custom"};

// Search frames of the tabs: the shown page's frame and the parking place of
// the others.
constexpr float kTabFrameLeft = 120, kTabFrameTop = 360;
constexpr float kParkedFrameLeft = -73250, kParkedFrameTop = 0;

// The record's field boxes: a grid beyond the window's right edge.
constexpr int kFieldBoxCount = 37;
constexpr int kFieldBoxRows = 10;
constexpr float kHiddenLeft = 12240, kHiddenTop = 120;
constexpr float kHiddenColumnStep = 1455, kHiddenRowStep = 375;
constexpr float kHiddenBoxWidth = 1335, kHiddenBoxHeight = 285;

// Pale yellow of the status line (red 255, green 255, blue 192).
constexpr uint32_t kStatusLineColor = 0x00C0FFFFu;

void AddPictureColumn(std::vector<ControlSpec>& c) {
  c.push_back({.name = "Picture1Viewer", .kind = K::PictureBox,
               .left = 0, .top = 0, .width = 6015, .height = 5175});
  c.push_back({.name = "Image1", .kind = K::Image, .container = "Picture1Viewer",
               .left = 1920, .top = 1680, .width = 1815, .height = 1575,
               .helpText = kPictureHelpText,
               .helpEvent = HelpEvent::MouseMove, .stretch = true});

  c.push_back({.name = "ImageNavigation_Frame", .kind = K::Frame, .caption = "Image",
               .left = 0, .top = 5160, .width = 6015, .height = 855,
               .helpText = kPictureButtonsHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "CMD_ViewImage1", .kind = K::CommandButton,
               .container = "ImageNavigation_Frame", .caption = "Image 1 (Default)",
               .left = 240, .top = 240, .width = 1455, .height = 495});
  c.push_back({.name = "CMD_ViewImage2", .kind = K::CommandButton,
               .container = "ImageNavigation_Frame", .caption = "Image 2",
               .left = 2280, .top = 240, .width = 1455, .height = 495});
  c.push_back({.name = "CMD_ViewImage3", .kind = K::CommandButton,
               .container = "ImageNavigation_Frame", .caption = "Image 3",
               .left = 4320, .top = 240, .width = 1455, .height = 495});

  c.push_back({.name = "Picture1", .kind = K::PictureBox,
               .left = 0, .top = 6000, .width = 6015, .height = 855,
               .backColor = kStatusLineColor});
  c.push_back({.name = "LBL_HelpStatus", .kind = K::Label, .container = "Picture1",
               .caption = "LBL_HelpStatus", .left = 0, .top = 0, .width = 5895, .height = 735,
               .backColor = kStatusLineColor});

  c.push_back({.name = "RecordNavigation_Frame", .kind = K::Frame,
               .caption = "Record Navigation", .left = 0, .top = 6840, .width = 6015,
               .height = 765, .helpText = kNavigationHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "CMD_MoveFirst", .kind = K::CommandButton,
               .container = "RecordNavigation_Frame", .caption = "<< First",
               .left = 120, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = "CMD_MovePrev", .kind = K::CommandButton,
               .container = "RecordNavigation_Frame", .caption = "< Prev",
               .left = 1260, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = "Label15", .kind = K::Label, .container = "RecordNavigation_Frame",
               .caption = "Record", .left = 2400, .top = 180, .width = 1215, .height = 225});
  c.push_back({.name = "LBL_NavCurrentRecordNumber", .kind = K::Label,
               .container = "RecordNavigation_Frame", .caption = "0",
               .left = 2400, .top = 420, .width = 1215, .height = 255});
  c.push_back({.name = "CMD_MoveNext", .kind = K::CommandButton,
               .container = "RecordNavigation_Frame", .caption = "Next >",
               .left = 3660, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = "CMD_MoveLast", .kind = K::CommandButton,
               .container = "RecordNavigation_Frame", .caption = "Last >>",
               .left = 4800, .top = 270, .width = 1095, .height = 375});
}

void AddRecordText(std::vector<ControlSpec>& c) {
  c.push_back({.name = "CMD_Cem_ShowInfo", .kind = K::CommandButton,
               .caption = "Show Cemetery Information",
               .left = 6120, .top = 0, .width = 2535, .height = 375});
  c.push_back({.name = "TranscriptionInfo_Frame", .kind = K::Frame,
               .left = 6120, .top = 360, .width = 5775, .height = 2775});
  c.push_back({.name = "IndividualsTextbox", .kind = K::MultiLineTextBox,
               .container = "TranscriptionInfo_Frame",
               .left = 120, .top = 180, .width = 5535, .height = 2475,
               .scrollBars = kScrollVertical});
}

void AddNameSearch(std::vector<ControlSpec>& c) {
  const char* f = "NameSearch_Frame";
  c.push_back({.name = f, .kind = K::Frame, .container = "SSTab1", .tab = 0,
               .caption = "Name Search", .left = kTabFrameLeft, .top = kTabFrameTop,
               .width = 5295, .height = 1455, .helpText = kSortingHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Lastname_Checkbox", .kind = K::CheckBox, .container = f,
               .caption = "&Last Name", .left = 120, .top = 240, .width = 1335, .height = 285});
  c.push_back({.name = "LastnameText", .kind = K::TextBox, .container = f,
               .caption = "LastnameText", .left = 1500, .top = 240, .width = 2055,
               .height = 285, .helpText = kNameSearchHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Firstname_Checkbox", .kind = K::CheckBox, .container = f,
               .caption = "First &Name", .left = 120, .top = 570, .width = 1335, .height = 285});
  c.push_back({.name = "FirstnameText", .kind = K::TextBox, .container = f,
               .caption = "FirstnameText", .left = 1500, .top = 570, .width = 2055,
               .height = 285, .helpText = kNameSearchHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "CMD_NameFindSort", .kind = K::CommandButton, .container = f,
               .caption = "Find/Sort Records", .left = 3720, .top = 240, .width = 1455,
               .height = 615, .helpText = kSearchButtonHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Label18", .kind = K::Label, .container = f,
               .caption = kNameSearchHintCaption,
               .left = 120, .top = 900, .width = 5055, .height = 495});
}

void AddLocationSearch(std::vector<ControlSpec>& c) {
  const char* f = "LocationSearch_Frame";
  c.push_back({.name = f, .kind = K::Frame, .container = "SSTab1", .tab = 1,
               .caption = "Location Search", .left = kParkedFrameLeft, .top = kParkedFrameTop,
               .width = 5295, .height = 1575});
  c.push_back({.name = "LocCemetery_Checkbox", .kind = K::CheckBox, .container = f,
               .caption = "Cemetery", .left = 120, .top = 300, .width = 1335, .height = 285});
  c.push_back({.name = "LocCemeteryNameText", .kind = K::TextBox, .container = f,
               .caption = "LocCemeteryNameText", .left = 1500, .top = 300, .width = 2055,
               .height = 285, .helpText = kCemeteryNameHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "LocSection_CheckBox", .kind = K::CheckBox, .container = f,
               .caption = "Section", .left = 120, .top = 690, .width = 1335, .height = 285});
  c.push_back({.name = "LocSectionText", .kind = K::TextBox, .container = f,
               .caption = "LocSectionText", .left = 1500, .top = 690, .width = 2055,
               .height = 285, .helpText = kNameSearchHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "LocRow_Checkbox", .kind = K::CheckBox, .container = f,
               .caption = "Row", .left = 120, .top = 1080, .width = 1335, .height = 285});
  c.push_back({.name = "LocRowText", .kind = K::TextBox, .container = f,
               .caption = "LocRowText", .left = 1500, .top = 1080, .width = 2055,
               .height = 285, .helpText = kRowSearchHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "CMD_LocationFindSort", .kind = K::CommandButton, .container = f,
               .caption = "Fin&d/Sort Records", .left = 3720, .top = 300, .width = 1455,
               .height = 615});
}

void AddCustomSearch(std::vector<ControlSpec>& c) {
  const char* f = "CustomSelectionFrame";
  c.push_back({.name = f, .kind = K::Frame, .container = "SSTab1", .tab = 2,
               .left = kParkedFrameLeft, .top = kParkedFrameTop, .width = 5295, .height = 1575});
  c.push_back({.name = "Label23", .kind = K::Label, .container = f,
               .caption = "Use SQL to limit selection to a specific cemetery or group of names",
               .left = 120, .top = 120, .width = 5055, .height = 255});
  c.push_back({.name = "SelectionQueryText", .kind = K::MultiLineTextBox, .container = f,
               .left = 120, .top = 420, .width = 3495, .height = 1035,
               .helpText = kCemeterySqlHelpText.constData(), .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "CMD_CustomFindSort", .kind = K::CommandButton, .container = f,
               .caption = "Find/Sort Records", .left = 3720, .top = 420, .width = 1455,
               .height = 615});
  // Beyond the frame's width, so it is never seen.
  c.push_back({.name = "HelpCMD", .kind = K::CommandButton, .container = f,
               .caption = "Help", .left = 5400, .top = 420, .width = 855, .height = 375});
}

void AddRecordSelection(std::vector<ControlSpec>& c) {
  const char* outer = "RecordSelection_Frame";
  c.push_back({.name = outer, .kind = K::Frame, .caption = "Record Selection",
               .left = 6120, .top = 3120, .width = 5775, .height = 4455,
               .helpText = kSortingHelpText, .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "SortByFrame", .kind = K::Frame, .container = outer,
               .caption = "Sort By", .left = 120, .top = 240, .width = 2175, .height = 555,
               .helpText = kSortingHelpText, .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "SortOption1", .kind = K::OptionButton, .container = "SortByFrame",
               .caption = "&Name", .left = 120, .top = 240, .width = 855, .height = 255});
  c.push_back({.name = "SortOption2", .kind = K::OptionButton, .container = "SortByFrame",
               .caption = "&Placement", .left = 1020, .top = 240, .width = 1095, .height = 255,
               .value = 1});
  c.push_back({.name = "CMD_SelectAll", .kind = K::CommandButton, .container = outer,
               .caption = "Select/Sort All Records", .left = 2400, .top = 270, .width = 1935,
               .height = 495, .helpText = kSelectAllHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Label14", .kind = K::Label, .container = outer,
               .caption = "Records Selected", .left = 4440, .top = 240, .width = 1305,
               .height = 255});
  c.push_back({.name = "LBL_RecordsSelected", .kind = K::Label, .container = outer,
               .caption = "0", .left = 4440, .top = 495, .width = 1305, .height = 255});

  const char* search = "SearchForRecords_Frame";
  c.push_back({.name = search, .kind = K::Frame, .container = outer,
               .caption = "Search For Records", .left = 0, .top = 840, .width = 5775,
               .height = 3615, .helpText = kSortingHelpText,
               .helpEvent = HelpEvent::MouseDown});
  c.push_back({.name = "SSTab1", .kind = K::TabControl, .container = search,
               .left = 120, .top = 240, .width = 5535, .height = 2055, .tabCount = 3,
               .tabCaptions = kSearchTabCaptions, .designTab = 0});
  AddNameSearch(c);
  AddLocationSearch(c);
  AddCustomSearch(c);
  c.push_back({.name = "Label24", .kind = K::Label, .container = search,
               .caption = "Current Open Database Version:", .left = 120, .top = 2400,
               .width = 2535, .height = 255});
  c.push_back({.name = "dbVersionLabel", .kind = K::Label, .container = search,
               .caption = "0", .left = 2700, .top = 2400, .width = 1215, .height = 255});
  c.push_back({.name = "DbVersion2orHigherCheckbox", .kind = K::CheckBox, .container = search,
               .caption = "DbVersion2orHigher", .left = 120, .top = 2760, .width = 2535,
               .height = 255, .visible = false});
  c.push_back({.name = "DbVersion3orHigherCheckbox", .kind = K::CheckBox, .container = search,
               .caption = "DbVersion3orHigher", .left = 120, .top = 3120, .width = 2535,
               .height = 255, .visible = false});
}

float HiddenLeft(int column) { return kHiddenLeft + column * kHiddenColumnStep; }
float HiddenTop(int row) { return kHiddenTop + row * kHiddenRowStep; }

// A holder text box in the hidden grid beyond the right edge.
ControlSpec HiddenBox(const char* name, int index, const char* text, int column, int row,
                      bool visible) {
  return {.name = name, .index = index, .kind = K::TextBox, .caption = text,
          .left = HiddenLeft(column), .top = HiddenTop(row), .width = kHiddenBoxWidth,
          .height = kHiddenBoxHeight, .visible = visible};
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
  c.push_back(HiddenBox("DataPathText", -1, "", column, 5, false));
  c.push_back(HiddenBox("DataFilePathText", -1, "", column, 6, false));
  c.push_back(HiddenBox("PicText1", -1, "PicText1", column, 7, false));
  c.push_back(HiddenBox("PicText2", -1, "PicText2", column, 8, false));
  c.push_back(HiddenBox("PicText3", -1, "PicText3", column, 9, false));

  c.push_back({.name = "orgImage1", .kind = K::Image,
               .left = 360, .top = 9000, .width = 495, .height = 375, .visible = false});
  c.push_back({.name = "Image2", .kind = K::Image,
               .left = 1680, .top = 7800, .width = 7200, .height = 9600, .visible = false,
               .picture = &PlaceholderPicture});
  c.push_back({.name = "Picture2", .kind = K::PictureBox,
               .left = 240, .top = 7920, .width = 375, .height = 375, .visible = false});
  c.push_back({.name = "CommonDialog1", .kind = K::FileDialog, .visible = false,
               .dialogTitle = "Select Data File", .filter = "Gravelight Data(*.mdb)|*.mdb",
               .hasGeometry = false});
}

ControlSpec MenuSpec(const char* name, const char* caption, const char* parent,
                     bool visible = true, const char* shortcut = "") {
  return {.name = name, .kind = K::Menu, .container = parent, .caption = caption,
          .visible = visible, .shortcut = shortcut, .hasGeometry = false};
}

void AddMenus(std::vector<ControlSpec>& c) {
  c.push_back(MenuSpec("filemnu", "&File", ""));
  c.push_back(MenuSpec("mnuChooseDataCDDrive", "&Open/ Select Data & CD Drive", "filemnu"));
  c.push_back(MenuSpec("mnuhelp", "&Help", ""));
  c.push_back(MenuSpec("Help", "Help", "mnuhelp", true, "F1"));
  c.push_back(MenuSpec("mnuUpdates", "Updates", "mnuhelp"));
  c.push_back(MenuSpec("mnuAbout", "&About", "mnuhelp"));
  // Pop-up menus: never in the menu bar.
  c.push_back(MenuSpec("mnuPopup1", "POPUP1", "", false));
  c.push_back(MenuSpec("mnuCopy1", "Copy", "mnuPopup1"));
  c.push_back(MenuSpec("mnuTextCommands", "TextCommands", "", false));
  c.push_back(MenuSpec("mnuCut", "Cut", "mnuTextCommands"));
  c.push_back(MenuSpec("mnuCopy", "Copy", "mnuTextCommands"));
  c.push_back(MenuSpec("mnuPaste", "Paste", "mnuTextCommands"));
  c.push_back(MenuSpec("mnuDelete", "Delete", "mnuTextCommands"));
  c.push_back(MenuSpec("mnuSelectAll", "Select All", "mnuTextCommands"));
}

std::vector<ControlSpec> BuildControls() {
  std::vector<ControlSpec> c;
  AddPictureColumn(c);
  AddRecordText(c);
  AddRecordSelection(c);
  AddHiddenHolders(c);
  AddMenus(c);
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

}  // namespace gravelight
