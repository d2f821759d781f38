#include "browser/core/StatusLineHelp.h"

#include "platform/forms/Label.h"

namespace browser {

using namespace forms;

namespace {

// Runs `extra` after what the event already does.
MouseHandler Also(MouseHandler existing, std::function<void()> extra) {
  return [existing = std::move(existing), extra = std::move(extra)](int button, int shift,
                                                                     float x, float y) {
    if (existing) existing(button, shift, x, y);
    extra();
  };
}

}  // namespace

void WireStatusLineHelp(Form& form, const std::vector<ControlHelp>& help,
                        const QString& statusLabel) {
  Label& status = form.Get<Label>(statusLabel);
  for (const ControlHelp& entry : help) {
    auto show = [&status, text = entry.text] { status.SetCaption(text); };
    WindowControl& control = *entry.control;
    if (entry.event == HelpEvent::MouseMove)
      control.OnMouseMove = Also(std::move(control.OnMouseMove), show);
    else if (entry.event == HelpEvent::MouseDown)
      control.OnMouseDown = Also(std::move(control.OnMouseDown), show);
  }
  form.OnMouseMove = Also(std::move(form.OnMouseMove), [&status] { status.SetCaption(QString()); });
}

}  // namespace browser
