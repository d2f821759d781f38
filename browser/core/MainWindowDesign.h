#pragma once
// The design both main windows share: the same controls at the same places,
// named and worded each in their own way. The left column holds the picture
// viewer, the picture buttons, the status line and the record navigation;
// the right column the record selection with the sort choice and the search
// tabs. Each program adds its record text, its hidden holders and menus
// where they differ.
#include "browser/core/MainWindowControls.h"
#include "browser/core/PictureViewer.h"
#include "platform/forms/FormLayout.h"

#include <array>
#include <vector>

namespace browser {

// A check box with its text box on a search tab.
struct SearchRow {
  const char* check;
  const char* checkCaption;
  const char* text;
  const char* textCaption;  // design text
  const char* help;         // status-line help of the text box
};

struct MainWindowDesign {
  // The record text box (the program adds it where its record text goes),
  // and whether it, the SQL box and the search boxes have the edit menu.
  const char* recordText;
  bool textMenu;
  // Left column.
  const char* pictureButtonsFrame;
  std::array<const char*, 3> pictureButtons;
  const char* statusLabel;
  const char* statusCaption;
  const char* navigationFrame;
  std::array<const char*, 4> navigationButtons;
  const char* recordNumber;
  const char* recordNumberCaption;
  // Record selection.
  const char* selectionFrame;
  const char* sortFrame;
  std::array<const char*, 2> sortOptions;
  const char* placementCaption;  // the second sort option's caption
  const char* selectAllButton;
  const char* recordsSelected;
  const char* recordsSelectedCaption;
  const char* searchFrame;
  const char* const* tabCaptions;  // three
  int designTab;
  // Tab 0: the name search.
  const char* nameFrame;
  std::array<SearchRow, 2> nameRows;
  const char* nameButton;
  // Tab 1: the place search, rows top to bottom.
  const char* placeFrame;
  const char* placeFrameCaption;
  std::array<SearchRow, 3> placeRows;
  const char* placeButton;
  // Tab 2: the SQL search.
  const char* sqlFrame;
  const char* sqlInstruction;  // Label23
  const char* sqlHelp;         // status-line help of SelectionQueryText
  const char* sqlButton;
  // The file dialog's filter.
  const char* dataFileFilter;
  // The picture pop-up's item.
  const char* copyItem;
};

// A main window's whole design: the window, its controls in table order,
// and the design they were built from, which names the controls the shared
// behaviour finds.
struct MainWindowLayout {
  const forms::FormSpec& form;
  const std::vector<forms::ControlSpec>& controls;
  const MainWindowDesign& design;
};

// The names the shared behaviour finds the window's controls by, as the
// design gives them.
MainWindowControls ControlNamesOf(const MainWindowDesign& d);
PictureViewerControls PictureControlsOf(const MainWindowDesign& d);

// The left column, in table order.
void AddPictureColumn(std::vector<forms::ControlSpec>& c, const MainWindowDesign& d);
// The record selection with its search tabs and, after the version labels,
// the hidden version flags (2 or higher, and with two flags 3 or higher).
void AddRecordSelection(std::vector<forms::ControlSpec>& c, const MainWindowDesign& d,
                        int versionFlags);
// Hidden text boxes in a column beyond the window's right edge.
inline constexpr float kHolderRowStep = 375, kHolderWidth = 1335, kHolderHeight = 285;
// The holders both windows keep out of sight: the data location and the
// picture names in the column at `left` from `top` down, then the picture
// holders, the clipboard carrier and the file dialog.
void AddSharedHolders(std::vector<forms::ControlSpec>& c, const MainWindowDesign& d,
                      float left, float top);
// The menu bar (File, Help), the picture's pop-up menu and, when the design
// asks for it, the text boxes' edit menu.
void AddMenus(std::vector<forms::ControlSpec>& c, const MainWindowDesign& d);

}  // namespace browser
