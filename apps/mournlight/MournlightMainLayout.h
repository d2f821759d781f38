#pragma once
// Design-time layout of the obituary viewer's main window FRMMournlightMain,
// as plain data: the main-window design both viewers share, in this window's
// names and words, with its obituary text and its own buttons.
#include "platform/forms/FormLayout.h"

#include <vector>

namespace mournlight {

const forms::FormSpec& FRMMournlightMainForm();
const std::vector<forms::ControlSpec>& FRMMournlightMainControls();

}  // namespace mournlight
