#include "support/MODResizeControls.h"

#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"

namespace MODResizeControls {

namespace {

constexpr int16_t kTrue = -1;

// Reads the property into a Single and writes the same value back; any
// error gives False.
bool CanReadAndWriteBack(forms::Control& control, const char* property) {
  try {
    const float value = forms::ToSingle(control.GetProperty(property).ToDouble());
    control.SetProperty(property, vb::Variant(static_cast<double>(value)));
    return true;
  } catch (const vb::VbError&) {
    return false;
  }
}

// The ratio of the new to the old size; a division by 0 fails as the
// platform's does (0 / 0 too), and the quotient is stored as a Single.
float Ratio(float newSize, float oldSize) {
  if (oldSize == 0) vb::Raise(newSize == 0 ? vb::err::Overflow : vb::err::DivisionByZero);
  return forms::ToSingle(static_cast<double>(newSize) / static_cast<double>(oldSize));
}

// property = property * ratio, the product formed in double precision and
// stored as a Single.
void Scale(forms::Control& control, const char* property, float ratio) {
  const double value = forms::ToSingle(control.GetProperty(property).ToDouble());
  control.SetProperty(property, vb::Variant(static_cast<double>(
                                    forms::ToSingle(value * static_cast<double>(ratio)))));
}

}  // namespace

vb::Variant CanSetLeft(forms::Control& control) {
  return vb::Variant(CanReadAndWriteBack(control, "Left"));
}

vb::Variant CanSetTop(forms::Control& control) {
  return vb::Variant(CanReadAndWriteBack(control, "Top"));
}

int16_t CanSetWidth(forms::Control& control) {
  return CanReadAndWriteBack(control, "Width") ? kTrue : 0;
}

vb::Variant CanSetHeight(forms::Control& control) {
  return vb::Variant(CanReadAndWriteBack(control, "Height"));
}

int16_t GetSizeFlags(forms::Control& control) {
  int16_t flags = 0;
  if (CanSetWidth(control) == kTrue) flags += 1;
  if (CanSetHeight(control).AsBoolean()) flags += 2;
  return flags;
}

int16_t GetPositionFlags(forms::Control& control) {
  int16_t flags = 0;
  if (CanSetLeft(control).AsBoolean()) flags += 1;
  if (CanSetTop(control).AsBoolean()) flags += 2;
  return flags;
}

void ResizeControls(forms::Form& form, float& OldWidth, float& OldHeight) {
  const float scaleWidth = form.ScaleWidth();
  const float scaleHeight = form.ScaleHeight();
  const float rx = Ratio(scaleWidth, OldWidth);
  const float ry = Ratio(scaleHeight, OldHeight);
  if (rx == 1 && ry == 1) return;
  const int16_t n = static_cast<int16_t>(form.Controls().Count());
  for (int16_t i = 0; i <= n - 1; ++i) {
    const int16_t size = GetSizeFlags(form.Controls().Item(i));
    const int16_t position = GetPositionFlags(form.Controls().Item(i));
    if (position & 1) Scale(form.Controls().Item(i), "Left", rx);
    if (position & 2) Scale(form.Controls().Item(i), "Top", ry);
    if (size & 1) Scale(form.Controls().Item(i), "Width", rx);
    if (size & 2) Scale(form.Controls().Item(i), "Height", ry);
  }
  OldWidth = scaleWidth;
  OldHeight = scaleHeight;
}

}  // namespace MODResizeControls
