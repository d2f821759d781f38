#pragma once
// Creates a window's controls from its design table, in table order, so the
// table's order is the window's Controls collection.
#include "browser/FormLayout.h"
#include "platform/forms/Forms.h"

#include <QString>
#include <map>
#include <vector>

namespace browser {

// Status-line help of a control, as its design gives it.
struct ControlHelp {
  forms::WindowControl* control;
  QString text;
  HelpEvent event;
};

class FormBuilder {
 public:
  explicit FormBuilder(forms::Form& form) : form_(form) {}

  // Sets the window's caption and design size and creates every control.
  void Build(const FormSpec& formSpec, const std::vector<ControlSpec>& controls);

  // The controls that show a status-line help text, in table order.
  const std::vector<ControlHelp>& HelpTexts() const { return help_; }

 private:
  void Create(const ControlSpec& spec);
  forms::WindowControl* ContainerOf(const ControlSpec& spec) const;
  void Place(forms::WindowControl& control, const ControlSpec& spec);

  forms::Form& form_;
  std::map<QString, forms::Menu*> menus_;
  std::vector<ControlHelp> help_;
};

}  // namespace browser
