#pragma once
// The right-button edit menu of a window's text boxes: "Cut", "Copy",
// "Paste", "Delete" and "Select All" acting on the window's active control.
// A right-button press over one of the boxes gives it the focus, sets the
// items' enabled states from its selection and opens the window's hidden
// menu; the box's own built-in menu never appears. Edits change only the
// text on the screen.
#include "browser/core/SharedControlNames.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormLayout.h"
#include "platform/forms/TextBox.h"
#include "support/ErrorPolicy.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace browser {

struct TextEditMenuNames {
  QString menu = shared::kTextMenu;
  QString cut = shared::kCutItem;
  QString copy = shared::kCopyItem;
  QString paste = shared::kPasteItem;
  QString erase = shared::kDeleteItem;
  QString selectAll = shared::kSelectAllItem;
};

// The menu in a window's design: the hidden top-level "TextCommands" with
// its five items, shown only as a pop-up.
void AddTextEditMenuDesign(std::vector<forms::ControlSpec>& c);

class TextEditMenu {
 public:
  // `policy` answers the errors of the menu's procedures (the main window's
  // have none; the information window's use the error log).
  TextEditMenu(forms::Form& form, ErrorPolicy policy, TextEditMenuNames names = {});

  // Gives these text boxes the menu on a right-button press (their
  // <name>_MouseDown) and wires the five items.
  void Attach(const QStringList& textBoxes);

  // The box's MouseDown: the menu for button 2, nothing for the others.
  void TextBox_MouseDown(const QString& procedure, forms::TextBox& box, int Button);
  void DisplayTextPopup(forms::TextBox& txt);
  void mnuCut_Click();
  void mnuCopy_Click();
  void mnuPaste_Click();
  void mnuDelete_Click();
  void mnuSelectAll_Click();

 private:
  // The window's active control as a text box; raises when it is none.
  forms::TextBox& Active() const;
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }

  forms::Form& form_;
  ErrorPolicy policy_;
  TextEditMenuNames names_;
};

}  // namespace browser
