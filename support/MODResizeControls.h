#pragma once
// Proportional resizing: when a window's inner size changes, every control
// of its Controls collection is moved and stretched by the same ratios. The
// module keeps no state; the window keeps its previous inner size.
#include "platform/vb/Variant.h"

#include <cstdint>

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace MODResizeControls {

// Rescales the controls of `form` from the inner size OldWidth x OldHeight
// to its present ScaleWidth x ScaleHeight and stores the present size in
// OldWidth and OldHeight. A previous size of 0 raises a run-time error.
void ResizeControls(forms::Form& form, float& OldWidth, float& OldHeight);

// 1 when Left can be changed, + 2 when Top can be changed.
int16_t GetPositionFlags(forms::Control& control);
// 1 when Width can be changed, + 2 when Height can be changed.
int16_t GetSizeFlags(forms::Control& control);

// True when the property can be read and written back; never raise.
vb::Variant CanSetLeft(forms::Control& control);
vb::Variant CanSetTop(forms::Control& control);
int16_t CanSetWidth(forms::Control& control);  // True is -1
vb::Variant CanSetHeight(forms::Control& control);

}  // namespace MODResizeControls
