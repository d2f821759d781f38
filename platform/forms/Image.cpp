#include "platform/forms/Image.h"

#include "platform/forms/Host.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace forms {

class Image::View : public QWidget {
 public:
  explicit View(Image& owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    const forms::Picture& picture = owner_.picture_;
    if (picture.IsEmpty()) return;
    QPainter painter(this);
    if (owner_.stretch_) {
      picture.Draw(painter, rect(), event->rect());
    } else {
      picture.Draw(painter, QPoint(0, 0), event->rect());
    }
  }

 private:
  Image& owner_;
};

Image::Image(Form& form, const QString& name, int index, WindowControl* container)
    : WindowControl(form, name, index, container), view_(new View(*this)) {
  AdoptWidget(view_);
}

void Image::SetPicture(const forms::Picture& picture) {
  picture_ = picture;
  if (!stretch_) TakeNaturalSize();
  view_->update();
}

void Image::SetStretch(bool stretch) {
  stretch_ = stretch;
  if (!stretch_) TakeNaturalSize();
  view_->update();
}

void Image::TakeNaturalSize() {
  if (picture_.IsEmpty()) return;
  SetWidth(picture_.WidthTwips());
  SetHeight(picture_.HeightTwips());
}

void Image::Click() {
  if (OnClick) OnClick();
}

void Image::UserClicked() {
  if (OnClick) DispatchEvent(OnClick);
}

}  // namespace forms
