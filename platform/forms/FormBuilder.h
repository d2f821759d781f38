#pragma once
// Creates a window's controls from its design table, in table order, so the
// table's order is the window's Controls collection.
#include "platform/forms/Form.h"
#include "platform/forms/FormLayout.h"

#include <QString>
#include <vector>

namespace forms {

// Status-line help of a control, as its design gives it.
struct ControlHelp {
  WindowControl* control;
  QString text;
  HelpEvent event;
};

// Sets the window's caption, border, font and design size and creates every
// control. Returns the controls that show a status-line help text, in table
// order, for the window to keep.
std::vector<ControlHelp> BuildForm(Form& form, const FormSpec& formSpec,
                                   const std::vector<ControlSpec>& controls);

}  // namespace forms
