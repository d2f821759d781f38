#include "browser/core/TextEditMenu.h"

#include "platform/forms/Host.h"
#include "platform/forms/Menu.h"

namespace browser {

using namespace forms;

void AddTextEditMenuDesign(std::vector<ControlSpec>& c) {
  using namespace shared;
  c.push_back(MenuSpec(kTextMenu, "TextCommands", "", false));
  c.push_back(MenuSpec(kCutItem, "Cut", kTextMenu));
  c.push_back(MenuSpec(kCopyItem, "Copy", kTextMenu));
  c.push_back(MenuSpec(kPasteItem, "Paste", kTextMenu));
  c.push_back(MenuSpec(kDeleteItem, "Delete", kTextMenu));
  c.push_back(MenuSpec(kSelectAllItem, "Select All", kTextMenu));
}

TextEditMenu::TextEditMenu(Form& form, ErrorPolicy policy, TextEditMenuNames names)
    : form_(form), policy_(std::move(policy)), names_(std::move(names)) {}

void TextEditMenu::Attach(const QStringList& textBoxes) {
  for (const QString& name : textBoxes) {
    TextBox& box = C<TextBox>(name);
    box.OnMouseDown = [this, &box, procedure = name + "_MouseDown"](int button, int, float, float) {
      TextBox_MouseDown(procedure, box, button);
    };
  }
  C<Menu>(names_.cut).OnClick = [this] { mnuCut_Click(); };
  C<Menu>(names_.copy).OnClick = [this] { mnuCopy_Click(); };
  C<Menu>(names_.paste).OnClick = [this] { mnuPaste_Click(); };
  C<Menu>(names_.erase).OnClick = [this] { mnuDelete_Click(); };
  C<Menu>(names_.selectAll).OnClick = [this] { mnuSelectAll_Click(); };
}

void TextEditMenu::TextBox_MouseDown(const QString& procedure, TextBox& box, int Button) {
  auto trap = policy_.Trap(procedure);
  trap.Run([&] {
    if (Button == vbRightButton) trap([&] { DisplayTextPopup(box); });
  });
}

void TextEditMenu::DisplayTextPopup(TextBox& txt) {
  auto trap = policy_.Trap("DisplayTextPopup");
  trap.Run([&] {
    // Disabling the box for a moment cancels its built-in menu.
    trap([&] { txt.SetEnabled(false); });
    trap([&] { txt.SetEnabled(true); });
    trap([&] { txt.SetFocus(); });
    bool selected = false;
    trap([&] { selected = txt.SelLength() >= 1; });
    for (const QString* item : {&names_.cut, &names_.copy, &names_.erase})
      trap([&] { C<Menu>(*item).SetEnabled(selected); });
    trap([&] { C<Menu>(names_.paste).SetEnabled(true); });
    trap([&] { C<Menu>(names_.selectAll).SetEnabled(true); });
    trap([&] { form_.PopupMenu(C<Menu>(names_.menu)); });
  });
}

TextBox& TextEditMenu::Active() const {
  WindowControl* active = form_.ActiveControl();
  if (!active) vb::Raise(vb::err::ObjectVariableNotSet);
  auto* box = dynamic_cast<TextBox*>(active);
  if (!box) vb::Raise(vb::err::NoSuchProperty);
  return *box;
}

void TextEditMenu::mnuCut_Click() {
  auto trap = policy_.Trap("mnuCut_Click");
  trap.Run([&] {
    trap([&] { host().ClipboardClear(); });
    trap([&] { host().ClipboardSetText(Active().SelText()); });
    trap([&] { Active().SetSelText(QString()); });
  });
}

void TextEditMenu::mnuCopy_Click() {
  auto trap = policy_.Trap("mnuCopy_Click");
  trap.Run([&] {
    trap([&] { host().ClipboardClear(); });
    trap([&] { host().ClipboardSetText(Active().SelText()); });
  });
}

void TextEditMenu::mnuPaste_Click() {
  auto trap = policy_.Trap("mnuPaste_Click");
  trap.Run([&] { trap([&] { Active().SetSelText(host().ClipboardText()); }); });
}

void TextEditMenu::mnuDelete_Click() {
  auto trap = policy_.Trap("mnuDelete_Click");
  trap.Run([&] { trap([&] { Active().SetSelText(QString()); }); });
}

void TextEditMenu::mnuSelectAll_Click() {
  auto trap = policy_.Trap("mnuSelectAll_Click");
  trap.Run([&] {
    trap([&] { Active().SetSelStart(0); });
    trap([&] { Active().SetSelLength(static_cast<int>(Active().Text().size())); });
  });
}

}  // namespace browser
