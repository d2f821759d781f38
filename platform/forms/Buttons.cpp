#include "platform/forms/Buttons.h"

#include "platform/forms/Form.h"
#include "platform/forms/Host.h"
#include "platform/vb/VbError.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace forms {

// ---- CommandButton ----------------------------------------------------------------

CommandButton::CommandButton(Form& form, const QString& name, int index,
                             WindowControl* container)
    : WindowControl(form, name, index, container), button_(new QPushButton) {
  QObject::connect(button_, &QPushButton::clicked, Context(), [this] {
    if (OnClick) DispatchEvent(OnClick);
  });
  AdoptWidget(button_);
  SetCaption(name);
}

void CommandButton::SetCaption(const QString& caption) {
  caption_ = caption;
  button_->setText(caption);
}

void CommandButton::Click() {
  if (OnClick) OnClick();
}

// ---- CheckBox -----------------------------------------------------------------------

CheckBox::CheckBox(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), box_(new QCheckBox) {
  QObject::connect(box_, &QCheckBox::clicked, Context(), [this] {
    const Qt::CheckState state = box_->checkState();
    const int value = state == Qt::Checked ? vbChecked
                      : state == Qt::PartiallyChecked ? vbGrayed
                                                      : vbUnchecked;
    if (value == value_) return;
    value_ = value;
    if (OnClick) DispatchEvent(OnClick);
  });
  AdoptWidget(box_);
  SetCaption(name);
}

void CheckBox::SetCaption(const QString& caption) {
  caption_ = caption;
  box_->setText(caption);
}

void CheckBox::SetValue(int value) {
  if (value < vbUnchecked || value > vbGrayed) vb::Raise(vb::err::InvalidPropertyValue);
  if (value == value_) return;
  value_ = value;
  ShowValue();
  Click();
}

void CheckBox::ShowValue() {
  box_->setCheckState(value_ == vbChecked   ? Qt::Checked
                      : value_ == vbGrayed ? Qt::PartiallyChecked
                                           : Qt::Unchecked);
}

void CheckBox::Click() {
  if (OnClick) OnClick();
}

// ---- OptionButton -------------------------------------------------------------------

OptionButton::OptionButton(Form& form, const QString& name, int index,
                           WindowControl* container)
    : WindowControl(form, name, index, container), button_(new QRadioButton) {
  // The group is kept here, not by Qt, so that code can also clear a button.
  button_->setAutoExclusive(false);
  QObject::connect(button_, &QRadioButton::clicked, Context(), [this] {
    button_->setChecked(true);  // a click always selects
    if (Select() && OnClick) DispatchEvent(OnClick);
  });
  AdoptWidget(button_);
  SetCaption(name);
}

void OptionButton::SetCaption(const QString& caption) {
  caption_ = caption;
  button_->setText(caption);
}

bool OptionButton::Select() {
  if (value_) return false;
  for (const auto& control : Parent().Controls()) {
    auto* other = dynamic_cast<OptionButton*>(control.get());
    if (other && other != this && other->Container() == Container() && other->value_) {
      other->value_ = false;
      other->ShowValue();
    }
  }
  value_ = true;
  ShowValue();
  return true;
}

void OptionButton::SetValue(bool value) {
  if (value) {
    if (Select()) Click();
    return;
  }
  value_ = false;
  ShowValue();
}

void OptionButton::ShowValue() { button_->setChecked(value_); }

void OptionButton::Click() {
  if (OnClick) OnClick();
}

}  // namespace forms
