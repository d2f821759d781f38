#pragma once
// The file-open dialog control. It shows no window of its own on the form:
// it has a place (Left, Top) but no size, and ShowOpen asks the host.
#include "platform/forms/Control.h"

namespace forms {

class CommonDialog : public Control {
 public:
  CommonDialog(Form& form, const QString& name, int index, WindowControl* container);

  QString DialogTitle;
  QString Filter;      // "Gravelight Data(*.mdb)|*.mdb"
  int FilterIndex = 0;
  QString InitDir;     // Windows form
  QString FileName;    // Windows form; the chosen file after ShowOpen
  int Flags = 0;
  // True: Cancel raises error 32755; False: Cancel leaves FileName as it was.
  bool CancelError = false;

  void ShowOpen();

  float Left() const { return left_; }
  float Top() const { return top_; }
  void SetLeft(float left) { left_ = left; }
  void SetTop(float top) { top_ = top; }
  vb::Variant GetProperty(const QString& property) const override;
  void SetProperty(const QString& property, const vb::Variant& value) override;

 private:
  float left_ = 0, top_ = 0;
};

}  // namespace forms
