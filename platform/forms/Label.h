#pragma once
// A label: a caption of its own, wrapped to its width; "&" marks an access
// key and "&&" shows one "&".
#include "platform/forms/Control.h"

class QLabel;

namespace forms {

class Label : public WindowControl {
 public:
  Label(Form& form, const QString& name, int index, WindowControl* container);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);

 private:
  QLabel* label_;
  QString caption_;
};

}  // namespace forms
