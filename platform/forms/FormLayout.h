#pragma once
// A window's design as plain data: the window itself and each control with
// its kind, container, place, caption and initial state. Windows are built
// from such tables (BuildForm); the tables live with the programs.
//
// Places are twips (single precision), relative to the inside top-left corner
// of the container. Controls on a page of a tab control name the tab control
// as their container and give the page in `tab`. Menus come after the
// controls; a menu item names its parent menu as its container.
#include <cstdint>

namespace forms {

class Picture;

enum class ControlKind {
  TextBox,
  MultiLineTextBox,
  Label,
  CommandButton,
  CheckBox,
  OptionButton,
  Frame,
  PictureBox,
  Image,
  TabControl,
  Menu,
  FileDialog
};

// Which mouse event of a control shows its status-line help text.
enum class HelpEvent { None, MouseMove, MouseDown };

// A colour as the platform writes it (0x00BBGGRR); kDefaultColor keeps the
// control's standard colour.
inline constexpr uint32_t kDefaultColor = 0xFFFFFFFFu;

// Scroll bars of a text box.
inline constexpr int kScrollNone = 0, kScrollHorizontal = 1, kScrollVertical = 2,
                     kScrollBoth = 3;

// A picture given at design time (made on first use, shared).
using DesignPicture = const Picture& (*)();

struct ControlSpec {
  const char* name;         // control name, e.g. "txtfields", "CMD_MoveNext"
  int index = -1;           // -1 outside a control array, else the array index
  ControlKind kind;
  const char* container = "";  // "" = the form; a frame, picture box, tab control or parent menu
  int tab = -1;                // page of the tab control named as container, else -1
  const char* caption = "";    // design caption or text
  float left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  bool enabled = true;
  const char* helpText = nullptr;  // status-line help text, nullptr when none
  HelpEvent helpEvent = HelpEvent::None;
  // Font size in points of the standard family; 0 keeps the window's font.
  double fontSize = 0;
  // Text boxes.
  int scrollBars = kScrollNone;
  // Check boxes (0 or 1) and option buttons (1 = selected).
  int value = 0;
  // Images: stretch the picture to the control's size, or take the
  // picture's natural size. Images and picture boxes: the design picture.
  bool stretch = false;
  DesignPicture picture = nullptr;
  uint32_t backColor = kDefaultColor;
  // Tab control.
  int tabCount = 0;
  const char* const* tabCaptions = nullptr;
  int designTab = 0;
  // Menus.
  const char* shortcut = "";  // e.g. "F1"; "" = none
  bool checked = false;
  // File dialog.
  const char* dialogTitle = "";
  const char* filter = "";
  // False for menus and the file dialog, which have no place on the window.
  bool hasGeometry = true;
};

// A menu of the design: a top-level menu (parent "") or an item of `parent`;
// a hidden top-level menu serves as a pop-up menu.
inline ControlSpec MenuSpec(const char* name, const char* caption, const char* parent,
                            bool visible = true, const char* shortcut = "") {
  return {.name = name, .kind = ControlKind::Menu, .container = parent, .caption = caption,
          .visible = visible, .shortcut = shortcut, .hasGeometry = false};
}

struct FormSpec {
  const char* name;
  const char* caption;
  float scaleWidth, scaleHeight;  // inner design size, twips
  int borderStyle = 2;            // vbSizable; vbFixedDialog (3) for dialogs
  double fontSize = 0;            // points of the standard family; 0 = standard size
};

}  // namespace forms
