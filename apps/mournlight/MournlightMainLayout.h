#pragma once
// Design-time layout of the obituary viewer's main window FRMMournlightMain,
// as plain data: the main-window design both viewers share, in this window's
// names and words, with its obituary text and its own buttons.
#include "browser/core/MainWindowDesign.h"
#include "platform/forms/FormLayout.h"

#include <vector>

namespace mournlight {

const forms::FormSpec& FRMMournlightMainForm();
const std::vector<forms::ControlSpec>& FRMMournlightMainControls();
// The window, its controls and the design that names them.
browser::MainWindowLayout FRMMournlightMainLayout();

}  // namespace mournlight
