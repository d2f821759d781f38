#pragma once
// The status line: one fixed help text per control, set in the window's help
// label while the mouse moves over the control (over one frame, when a mouse
// button is pressed on it) and kept until another control sets its own;
// moving over the window's own background clears it. Controls without an
// entry leave the line as it is.
#include "platform/forms/Form.h"
#include "platform/forms/FormBuilder.h"

#include <QString>
#include <vector>

namespace browser {

// Wires the help texts of the design to the label named `statusLabel`.
void WireStatusLineHelp(forms::Form& form, const std::vector<forms::ControlHelp>& help,
                        const QString& statusLabel);

}  // namespace browser
