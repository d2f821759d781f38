#pragma once
// An image control. Without Stretch it takes its picture's natural size
// (pixels times twips per pixel) whenever a picture is set; with Stretch the
// picture is drawn into the control's own rectangle.
#include "platform/forms/Control.h"
#include "platform/forms/Picture.h"

namespace forms {

class Image : public WindowControl {
 public:
  Image(Form& form, const QString& name, int index, WindowControl* container);

  const forms::Picture& Picture() const { return picture_; }
  void SetPicture(const forms::Picture& picture);
  bool Stretch() const { return stretch_; }
  // Turning Stretch off sizes the control to its picture.
  void SetStretch(bool stretch);

  // Runs the Click procedure, as code calling it does; a user's click runs
  // it through DispatchEvent.
  void Click();
  std::function<void()> OnClick;

 protected:
  void UserClicked() override;

 private:
  class View;
  void TakeNaturalSize();
  View* view_;
  forms::Picture picture_;
  bool stretch_ = false;
};

}  // namespace forms
