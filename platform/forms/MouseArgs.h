#pragma once
// The arguments of a mouse event as the event procedures take them.
class QMouseEvent;
class QWidget;

namespace forms {

struct MouseArgs {
  int button = 0;  // the button pressed or released; for a move, those held
  int shift = 0;
  float x = 0, y = 0;  // twips from the target's top-left corner
};

// `watched` received the event; `target` is the widget whose corner counts.
MouseArgs ToMouseArgs(const QWidget* watched, const QWidget* target, const QMouseEvent& event,
                      bool isMove);

}  // namespace forms
