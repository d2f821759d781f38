#pragma once
// What a user does to a window, delivered through Qt's event path, so that
// the events run through DispatchEvent exactly as the user's would. For
// tests; positions in twips from the control's (or inner window's) corner.
#include <QString>

namespace forms {
class Form;
class Menu;
class TabControl;
class TextBox;
class WindowControl;
}  // namespace forms

namespace forms::user {

// A left click: a button's click, or press and release at the centre.
void Click(WindowControl& control);
void DoubleClick(WindowControl& control);
void MouseMove(WindowControl& control, float x, float y, int button = 0, int shift = 0);
void MouseDown(WindowControl& control, int button, float x, float y, int shift = 0);
void MouseUp(WindowControl& control, int button, float x, float y, int shift = 0);
// Over the window's own background.
void MouseMove(Form& form, float x, float y, int button = 0, int shift = 0);

// Types the characters at the caret, one change per character; CR LF is one
// Enter in a multi-line box.
void Type(TextBox& box, const QString& text);
// One Backspace at the caret (deletes the selection when there is one).
void Backspace(TextBox& box);

void SelectTab(TabControl& tabs, int tab);
void Choose(Menu& item);
// The close box of the title bar.
void Close(Form& form);
// Drags the border until the inner size is scaleWidth x scaleHeight.
void Resize(Form& form, float scaleWidth, float scaleHeight);
// Minimise (1), maximise (2) or restore (0) with the title bar's buttons.
void SetWindowState(Form& form, int state);

}  // namespace forms::user
