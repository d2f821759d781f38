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
#include "browser/core/MainWindowDesign.h"
#include "platform/forms/FormLayout.h"

#include <vector>

namespace gravelight {

using forms::ControlKind;
using forms::ControlSpec;
using forms::FormSpec;
using forms::HelpEvent;

const FormSpec& FormGravelightMainForm();
const std::vector<ControlSpec>& FormGravelightMainControls();
// The window, its controls and the design that names them.
browser::MainWindowLayout FormGravelightMainLayout();

}  // namespace gravelight
