#include "browser/core/MainWindowDesign.h"

#include "browser/core/HelpTexts.h"
#include "browser/core/PictureFit.h"
#include "browser/core/SharedControlNames.h"
#include "browser/core/TextEditMenu.h"

namespace browser {

namespace {

using forms::ControlSpec;
using forms::HelpEvent;
using K = forms::ControlKind;
using namespace shared;

// Search frames of the tabs: the shown page's frame and the parking place of
// the others.
constexpr float kTabFrameLeft = 120, kTabFrameTop = 360;
constexpr float kParkedFrameLeft = -73250, kParkedFrameTop = 0;

// Pale yellow of the status line (red 255, green 255, blue 192).
constexpr uint32_t kStatusLineColor = 0x00C0FFFFu;

// A search tab's frame, shown or parked as the design tab says.
ControlSpec TabFrame(const MainWindowDesign& d, const char* name, int tab, const char* caption,
                     float height, const char* help) {
  const bool shown = tab == d.designTab;
  return {.name = name, .kind = K::Frame, .container = "SSTab1", .tab = tab, .caption = caption,
          .left = shown ? kTabFrameLeft : kParkedFrameLeft,
          .top = shown ? kTabFrameTop : kParkedFrameTop, .width = 5295, .height = height,
          .helpText = help, .helpEvent = help ? HelpEvent::MouseMove : HelpEvent::None};
}

void AddSearchRow(std::vector<ControlSpec>& c, const char* frame, const SearchRow& row, float top) {
  c.push_back({.name = row.check, .kind = K::CheckBox, .container = frame,
               .caption = row.checkCaption, .left = 120, .top = top, .width = 1335,
               .height = 285});
  c.push_back({.name = row.text, .kind = K::TextBox, .container = frame,
               .caption = row.textCaption, .left = 1500, .top = top, .width = 2055,
               .height = 285, .helpText = row.help, .helpEvent = HelpEvent::MouseMove});
}

void AddNameSearch(std::vector<ControlSpec>& c, const MainWindowDesign& d) {
  const char* f = d.nameFrame;
  c.push_back(TabFrame(d, f, 0, "Name Search", 1455, kSortingHelpText));
  AddSearchRow(c, f, d.nameRows[0], 240);
  AddSearchRow(c, f, d.nameRows[1], 570);
  c.push_back({.name = d.nameButton, .kind = K::CommandButton, .container = f,
               .caption = "Find/Sort Records", .left = 3720, .top = 240, .width = 1455,
               .height = 615, .helpText = kSearchButtonHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Label18", .kind = K::Label, .container = f,
               .caption = kNameSearchHintCaption,
               .left = 120, .top = 900, .width = 5055, .height = 495});
}

void AddPlaceSearch(std::vector<ControlSpec>& c, const MainWindowDesign& d) {
  const char* f = d.placeFrame;
  c.push_back(TabFrame(d, f, 1, d.placeFrameCaption, 1575, nullptr));
  constexpr float kRowTops[] = {300, 690, 1080};
  for (int i = 0; i < 3; ++i) AddSearchRow(c, f, d.placeRows[i], kRowTops[i]);
  c.push_back({.name = d.placeButton, .kind = K::CommandButton, .container = f,
               .caption = "Fin&d/Sort Records", .left = 3720, .top = 300, .width = 1455,
               .height = 615});
}

void AddSqlSearch(std::vector<ControlSpec>& c, const MainWindowDesign& d) {
  const char* f = d.sqlFrame;
  c.push_back(TabFrame(d, f, 2, "", 1575, nullptr));
  c.push_back({.name = "Label23", .kind = K::Label, .container = f, .caption = d.sqlInstruction,
               .left = 120, .top = 120, .width = 5055, .height = 255});
  c.push_back({.name = kSqlBox, .kind = K::MultiLineTextBox, .container = f,
               .left = 120, .top = 420, .width = 3495, .height = 1035,
               .helpText = d.sqlHelp, .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = d.sqlButton, .kind = K::CommandButton, .container = f,
               .caption = "Find/Sort Records", .left = 3720, .top = 420, .width = 1455,
               .height = 615});
  // Beyond the frame's width, so it is never seen; it has no action.
  c.push_back({.name = "HelpCMD", .kind = K::CommandButton, .container = f,
               .caption = "Help", .left = 5400, .top = 420, .width = 855, .height = 375});
}

}  // namespace

void AddPictureColumn(std::vector<ControlSpec>& c, const MainWindowDesign& d) {
  c.push_back({.name = kViewer, .kind = K::PictureBox,
               .left = 0, .top = 0, .width = 6015, .height = 5175});
  c.push_back({.name = kImage, .kind = K::Image, .container = kViewer,
               .left = 1920, .top = 1680, .width = 1815, .height = 1575,
               .helpText = kPictureHelpText, .helpEvent = HelpEvent::MouseMove, .stretch = true});

  c.push_back({.name = d.pictureButtonsFrame, .kind = K::Frame, .caption = "Image",
               .left = 0, .top = 5160, .width = 6015, .height = 855,
               .helpText = kPictureButtonsHelpText, .helpEvent = HelpEvent::MouseMove});
  constexpr const char* kPictureButtonCaptions[] = {"Image 1 (Default)", "Image 2", "Image 3"};
  constexpr float kPictureButtonLefts[] = {240, 2280, 4320};
  for (int i = 0; i < 3; ++i)
    c.push_back({.name = d.pictureButtons[i], .kind = K::CommandButton,
                 .container = d.pictureButtonsFrame, .caption = kPictureButtonCaptions[i],
                 .left = kPictureButtonLefts[i], .top = 240, .width = 1455, .height = 495});

  c.push_back({.name = "Picture1", .kind = K::PictureBox,
               .left = 0, .top = 6000, .width = 6015, .height = 855,
               .backColor = kStatusLineColor});
  c.push_back({.name = d.statusLabel, .kind = K::Label, .container = "Picture1",
               .caption = d.statusCaption, .left = 0, .top = 0, .width = 5895, .height = 735,
               .backColor = kStatusLineColor});

  const char* nav = d.navigationFrame;
  c.push_back({.name = nav, .kind = K::Frame, .caption = "Record Navigation", .left = 0,
               .top = 6840, .width = 6015, .height = 765, .helpText = kNavigationHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = d.navigationButtons[0], .kind = K::CommandButton, .container = nav,
               .caption = "<< First", .left = 120, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = d.navigationButtons[1], .kind = K::CommandButton, .container = nav,
               .caption = "< Prev", .left = 1260, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = "Label15", .kind = K::Label, .container = nav, .caption = "Record",
               .left = 2400, .top = 180, .width = 1215, .height = 225});
  c.push_back({.name = d.recordNumber, .kind = K::Label, .container = nav,
               .caption = d.recordNumberCaption, .left = 2400, .top = 420, .width = 1215,
               .height = 255});
  c.push_back({.name = d.navigationButtons[2], .kind = K::CommandButton, .container = nav,
               .caption = "Next >", .left = 3660, .top = 270, .width = 1095, .height = 375});
  c.push_back({.name = d.navigationButtons[3], .kind = K::CommandButton, .container = nav,
               .caption = "Last >>", .left = 4800, .top = 270, .width = 1095, .height = 375});
}

void AddRecordSelection(std::vector<ControlSpec>& c, const MainWindowDesign& d,
                        int versionFlags) {
  const char* outer = d.selectionFrame;
  c.push_back({.name = outer, .kind = K::Frame, .caption = "Record Selection",
               .left = 6120, .top = 3120, .width = 5775, .height = 4455,
               .helpText = kSortingHelpText, .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = d.sortFrame, .kind = K::Frame, .container = outer,
               .caption = "Sort By", .left = 120, .top = 240, .width = 2175, .height = 555,
               .helpText = kSortingHelpText, .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = d.sortOptions[0], .kind = K::OptionButton, .container = d.sortFrame,
               .caption = "&Name", .left = 120, .top = 240, .width = 855, .height = 255});
  c.push_back({.name = d.sortOptions[1], .kind = K::OptionButton, .container = d.sortFrame,
               .caption = d.placementCaption, .left = 1020, .top = 240, .width = 1095,
               .height = 255, .value = 1});
  c.push_back({.name = d.selectAllButton, .kind = K::CommandButton, .container = outer,
               .caption = "Select/Sort All Records", .left = 2400, .top = 270, .width = 1935,
               .height = 495, .helpText = kSelectAllHelpText,
               .helpEvent = HelpEvent::MouseMove});
  c.push_back({.name = "Label14", .kind = K::Label, .container = outer,
               .caption = "Records Selected", .left = 4440, .top = 240, .width = 1305,
               .height = 255});
  c.push_back({.name = d.recordsSelected, .kind = K::Label, .container = outer,
               .caption = d.recordsSelectedCaption, .left = 4440, .top = 495, .width = 1305,
               .height = 255});

  const char* search = d.searchFrame;
  c.push_back({.name = search, .kind = K::Frame, .container = outer,
               .caption = "Search For Records", .left = 0, .top = 840, .width = 5775,
               .height = 3615, .helpText = kSortingHelpText, .helpEvent = HelpEvent::MouseDown});
  c.push_back({.name = kSearchTabs, .kind = K::TabControl, .container = search,
               .left = 120, .top = 240, .width = 5535, .height = 2055, .tabCount = 3,
               .tabCaptions = d.tabCaptions, .designTab = d.designTab});
  AddNameSearch(c, d);
  AddPlaceSearch(c, d);
  AddSqlSearch(c, d);
  c.push_back({.name = "Label24", .kind = K::Label, .container = search,
               .caption = "Current Open Database Version:", .left = 120, .top = 2400,
               .width = 2535, .height = 255});
  c.push_back({.name = kVersionLabel, .kind = K::Label, .container = search,
               .caption = "0", .left = 2700, .top = 2400, .width = 1215, .height = 255});
  constexpr const char* kFlags[] = {"DbVersion2orHigherCheckbox", "DbVersion3orHigherCheckbox"};
  constexpr const char* kFlagCaptions[] = {"DbVersion2orHigher", "DbVersion3orHigher"};
  for (int i = 0; i < versionFlags; ++i)
    c.push_back({.name = kFlags[i], .kind = K::CheckBox, .container = search,
                 .caption = kFlagCaptions[i], .left = 120, .top = 2760 + 360.0f * i,
                 .width = 2535, .height = 255, .visible = false});
}

void AddSharedHolders(std::vector<ControlSpec>& c, const MainWindowDesign& d, float left,
                      float top) {
  constexpr const char* kNames[] = {kDataFolder, kDataFile, kPictureNames[0], kPictureNames[1],
                                    kPictureNames[2]};
  // The picture names' design texts are their names.
  constexpr const char* kTexts[] = {"", "", kPictureNames[0], kPictureNames[1],
                                    kPictureNames[2]};
  for (int i = 0; i < 5; ++i)
    c.push_back({.name = kNames[i], .kind = K::TextBox, .caption = kTexts[i], .left = left,
                 .top = top + i * kHolderRowStep, .width = kHolderWidth,
                 .height = kHolderHeight, .visible = false});
  c.push_back({.name = kOriginal, .kind = K::Image,
               .left = 360, .top = 9000, .width = 495, .height = 375, .visible = false});
  c.push_back({.name = kPlaceholder, .kind = K::Image,
               .left = 1680, .top = 7800, .width = 7200, .height = 9600, .visible = false,
               .picture = &PlaceholderPicture});
  c.push_back({.name = kClipboardCarrier, .kind = K::PictureBox,
               .left = 240, .top = 7920, .width = 375, .height = 375, .visible = false});
  c.push_back({.name = kFileDialog, .kind = K::FileDialog, .visible = false,
               .dialogTitle = "Select Data File", .filter = d.dataFileFilter,
               .hasGeometry = false});
}

void AddMenus(std::vector<ControlSpec>& c, const MainWindowDesign& d) {
  using forms::MenuSpec;
  c.push_back(MenuSpec("filemnu", "&File", ""));
  c.push_back(MenuSpec(kChooseDataMenu, "&Open/ Select Data & CD Drive", "filemnu"));
  c.push_back(MenuSpec("mnuhelp", "&Help", ""));
  c.push_back(MenuSpec(kHelpItem, "Help", "mnuhelp", true, "F1"));
  c.push_back(MenuSpec(kUpdatesItem, "Updates", "mnuhelp"));
  c.push_back(MenuSpec("mnuAbout", "&About", "mnuhelp"));
  // Pop-up menus: never in the menu bar.
  c.push_back(MenuSpec(kPicturePopup, "POPUP1", "", false));
  c.push_back(MenuSpec(d.copyItem, "Copy", kPicturePopup));
  if (d.textMenu) AddTextEditMenuDesign(c);
}

MainWindowControls ControlNamesOf(const MainWindowDesign& d) {
  MainWindowControls c;
  for (int i = 0; i < 4; ++i) c.navigationButtons[i] = d.navigationButtons[i];
  c.recordsSelected = d.recordsSelected;
  c.recordNumber = d.recordNumber;
  c.searchButtons = {d.nameButton, d.placeButton};
  c.statusLine = d.statusLabel;
  c.searchTabs.frames = {d.nameFrame, d.placeFrame, d.sqlFrame};
  std::vector<const SearchRow*> rows;
  for (const SearchRow& row : d.nameRows) rows.push_back(&row);
  for (const SearchRow& row : d.placeRows) rows.push_back(&row);
  for (const SearchRow* row : rows) c.followingCheckBoxes.push_back({row->text, row->check});
  if (d.textMenu) {
    c.textMenuBoxes << d.recordText << kSqlBox;
    for (const SearchRow* row : rows) c.textMenuBoxes << row->text;
  }
  return c;
}

PictureViewerControls PictureControlsOf(const MainWindowDesign& d) {
  PictureViewerControls c;
  for (int i = 0; i < 3; ++i) c.viewButtons[i] = d.pictureButtons[i];
  for (int i = 0; i < 4; ++i) c.navigationButtons[i] = d.navigationButtons[i];
  c.copyItem = d.copyItem;
  return c;
}

}  // namespace browser
