#include "browser/core/PictureFit.h"

#include "platform/forms/Twips.h"

#include <QFont>
#include <QPainter>

namespace browser {

namespace {

QImage DrawPlaceholder() {
  QImage image(480, 640, QImage::Format_RGB888);
  image.fill(QColor(255, 255, 128));
  QPainter painter(&image);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(48);
  font.setBold(true);
  // Plain black on yellow: no blended edge colours.
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("NO PICTURE"));
  return image;
}

}  // namespace

const forms::Picture& PlaceholderPicture() {
  static const forms::Picture placeholder(DrawPlaceholder());
  return placeholder;
}

QString PicturePath(const QString& dataFolder, const QString& pictureFolder,
                    const QString& pictureName) {
  return dataFolder + pictureFolder + pictureName;
}

void FitPicture(vb::ErrorTrap& trap, forms::Image& view, const forms::PictureBox& box, float W,
                float H, SquarePicture square) {
  using forms::ToSingle;
  const bool upright = H > W || (H == W && square == SquarePicture::Upright);
  if (upright) {
    trap([&] { view.SetHeight(box.Height()); });
    trap([&] { view.SetWidth(ToSingle(double(view.Height()) / H * W)); });
  } else if (H < W) {
    trap([&] { view.SetWidth(box.Width()); });
    trap([&] { view.SetHeight(ToSingle(double(view.Width()) / W * H)); });
  } else {
    trap([&] { view.SetHeight(H); });
    trap([&] { view.SetWidth(W); });
  }
  trap([&] { view.SetTop(ToSingle((double(box.Height()) - view.Height()) / 2.0)); });
  trap([&] { view.SetLeft(ToSingle((double(box.Width()) - view.Width()) / 2.0)); });
}

}  // namespace browser
