#pragma once
// Design-time layout of the cemetery viewer's main window FormGravelightMain:
// the window's own data and every control with its kind, container, place,
// caption and initial state, as plain data that names no widget library.
// The window code creates its controls from this table, in table order, so
// the order is the order of the window's Controls collection.
//
// Places are twips (single precision), relative to the inside top-left corner
// of the container. Controls on a page of the search tab control name the tab
// control as their container and give the page in `tab`. Menus are listed
// after the controls; a menu item names its parent menu as its container.
#include "browser/FormLayout.h"

#include <string_view>
#include <vector>

namespace gravelight {

using browser::ControlKind;
using browser::ControlSpec;
using browser::FormSpec;
using browser::HelpEvent;
using browser::kDefaultColor;
using browser::kScrollNone;
using browser::kScrollHorizontal;
using browser::kScrollVertical;
using browser::kScrollBoth;

// Help sentences shared with the obituary viewer's main window.
inline constexpr const char* kSortingHelpText =
    "To change sorting, choose sort by name or placement then click on Select/Sort to show all "
    "records or Find/Sort to show chosen records. ";
inline constexpr const char* kNameSearchHelpText =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik ' * ' "
    "in you search. Example A* or *A* or *A";
inline constexpr const char* kNameSearchHintCaption =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik \"*\" "
    "in your search. Example A* or *A* or *A";

const FormSpec& FormGravelightMainForm();
const std::vector<ControlSpec>& FormGravelightMainControls();
// The entry of that name and index (name compared without regard to case);
// nullptr when the table has none.
const ControlSpec* FindFormGravelightMainControl(std::string_view name, int index = -1);

}  // namespace gravelight
