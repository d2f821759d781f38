#include "platform/forms/FormBuilder.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/CommonDialog.h"
#include "platform/forms/Containers.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Menu.h"
#include "platform/forms/TextBox.h"

#include <QApplication>
#include <QKeySequence>
#include <map>

namespace forms {

namespace {

QString Text(const char* s) { return s ? QString::fromUtf8(s) : QString(); }

class FormBuilder {
 public:
  explicit FormBuilder(Form& form) : form_(form) {}
  void Create(const ControlSpec& spec);
  std::vector<ControlHelp> TakeHelp() { return std::move(help_); }

 private:
  WindowControl* ContainerOf(const ControlSpec& spec) const;
  void Place(WindowControl& control, const ControlSpec& spec);
  // A control with a caption, created and placed.
  template <class T>
  T& Captioned(const ControlSpec& spec, WindowControl* container) {
    auto& control = form_.Add<T>(Text(spec.name), container, spec.index);
    control.SetCaption(Text(spec.caption));
    Place(control, spec);
    return control;
  }

  Form& form_;
  std::map<QString, Menu*> menus_;
  std::vector<ControlHelp> help_;
};

WindowControl* FormBuilder::ContainerOf(const ControlSpec& spec) const {
  if (!spec.container || !*spec.container) return nullptr;
  return dynamic_cast<WindowControl*>(form_.Controls().Find(Text(spec.container)));
}

void FormBuilder::Place(WindowControl& control, const ControlSpec& spec) {
  if (spec.hasGeometry) control.Move(spec.left, spec.top, spec.width, spec.height);
  if (spec.fontSize > 0) control.SetFont(QApplication::font().family(), spec.fontSize);
  if (spec.backColor != kDefaultColor) control.SetBackColor(spec.backColor);
  control.SetEnabled(spec.enabled);
  control.SetVisible(spec.visible);
  if (spec.tab >= 0) {
    if (auto* tabs = dynamic_cast<TabControl*>(control.Container())) tabs->PlaceOnTab(control, spec.tab);
  }
  if (spec.helpText) help_.push_back({&control, Text(spec.helpText), spec.helpEvent});
}

void FormBuilder::Create(const ControlSpec& spec) {
  const QString name = Text(spec.name);
  const QString caption = Text(spec.caption);
  WindowControl* container = ContainerOf(spec);
  switch (spec.kind) {
    case ControlKind::TextBox:
    case ControlKind::MultiLineTextBox: {
      auto& box = form_.Add<TextBox>(name, container, spec.index);
      box.SetMultiLine(spec.kind == ControlKind::MultiLineTextBox);
      box.SetScrollBars(spec.scrollBars);
      box.SetText(caption);
      Place(box, spec);
      break;
    }
    case ControlKind::Label:
      Captioned<Label>(spec, container);
      break;
    case ControlKind::CommandButton:
      Captioned<CommandButton>(spec, container);
      break;
    case ControlKind::CheckBox:
      Captioned<CheckBox>(spec, container).SetValue(spec.value);
      break;
    case ControlKind::OptionButton: {
      auto& option = Captioned<OptionButton>(spec, container);
      if (spec.value) option.SetValue(true);
      break;
    }
    case ControlKind::Frame:
      Captioned<Frame>(spec, container);
      break;
    case ControlKind::PictureBox: {
      auto& box = form_.Add<PictureBox>(name, container, spec.index);
      Place(box, spec);
      if (spec.picture) box.SetPicture(spec.picture());
      break;
    }
    case ControlKind::Image: {
      auto& image = form_.Add<Image>(name, container, spec.index);
      image.SetStretch(spec.stretch);
      Place(image, spec);
      // A design picture sizes an image that does not stretch to it.
      if (spec.picture) image.SetPicture(spec.picture());
      break;
    }
    case ControlKind::TabControl: {
      auto& tabs = form_.Add<TabControl>(name, container, spec.index);
      tabs.SetTabs(spec.tabCount);
      for (int i = 0; i < spec.tabCount && spec.tabCaptions; ++i)
        tabs.SetTabCaption(i, Text(spec.tabCaptions[i]));
      Place(tabs, spec);
      tabs.SetTab(spec.designTab);
      break;
    }
    case ControlKind::Menu: {
      auto parent = menus_.find(Text(spec.container));
      Menu& menu = form_.AddMenu(name, caption, parent == menus_.end() ? nullptr : parent->second,
                                 spec.index);
      if (spec.shortcut && *spec.shortcut) menu.SetShortcut(QKeySequence(Text(spec.shortcut)));
      menu.SetEnabled(spec.enabled);
      menu.SetVisible(spec.visible);
      menus_[name] = &menu;
      break;
    }
    case ControlKind::FileDialog: {
      auto& dialog = form_.Add<CommonDialog>(name, container, spec.index);
      dialog.DialogTitle = Text(spec.dialogTitle);
      dialog.Filter = Text(spec.filter);
      dialog.SetLeft(spec.left);
      dialog.SetTop(spec.top);
      break;
    }
  }
}

}  // namespace

std::vector<ControlHelp> BuildForm(Form& form, const FormSpec& formSpec,
                                   const std::vector<ControlSpec>& controls) {
  form.SetCaption(Text(formSpec.caption));
  if (formSpec.borderStyle != vbSizable) form.SetBorderStyle(formSpec.borderStyle);
  if (formSpec.fontSize > 0) form.SetFont(QApplication::font().family(), formSpec.fontSize);
  form.SetClientSize(formSpec.scaleWidth, formSpec.scaleHeight);
  FormBuilder builder(form);
  for (const ControlSpec& spec : controls) builder.Create(spec);
  return builder.TakeHelp();
}

}  // namespace forms
