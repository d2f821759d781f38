#pragma once
// Command buttons, check boxes and option buttons. Captions take "&" access
// keys ("&&" shows one "&").
//
// Click runs through DispatchEvent when the user clicks; when code changes
// a check box's or option button's Value it runs at once, nested, and only
// when the value really changes. Click() runs the procedure as code calling
// it does.
#include "platform/forms/Control.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace forms {

constexpr int vbUnchecked = 0, vbChecked = 1, vbGrayed = 2;

class CommandButton : public WindowControl {
 public:
  CommandButton(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);

  void Click();
  std::function<void()> OnClick;

 private:
  QPushButton* button_;
  QString caption_;
};

class CheckBox : public WindowControl {
 public:
  CheckBox(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // 0 unticked, 1 ticked, 2 greyed; other values raise error 380.
  int Value() const { return value_; }
  void SetValue(int value);

  void Click();
  std::function<void()> OnClick;

 private:
  void ShowValue();
  QCheckBox* box_;
  QString caption_;
  int value_ = vbUnchecked;
};

// Option buttons form one group per container: selecting one clears the
// others of the same container (they raise no Click).
class OptionButton : public WindowControl {
 public:
  OptionButton(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  bool Value() const { return value_; }
  // True selects the button (Click when it was not selected); False only
  // clears it.
  void SetValue(bool value);

  void Click();
  std::function<void()> OnClick;

 private:
  bool Select();
  void ShowValue();
  QRadioButton* button_;
  QString caption_;
  bool value_ = false;
};

}  // namespace forms
