#include "tests/testkit/windows/LargePictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstring>

namespace testkit {

QByteArray TwoTonePicture(QSize size, const char* format) {
  QImage image(size, QImage::Format_Mono);
  image.setColorTable({qRgb(220, 220, 220), qRgb(30, 30, 30)});
  image.fill(0);
  const int darkBytes = size.width() / 2 / 8;
  for (int y = 0; y < size.height(); ++y) std::memset(image.scanLine(y), 0xFF, darkBytes);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, format).write(image);
  return bytes;
}

QByteArray WithClaimedSize(QByteArray jpeg, QSize size) {
  // The baseline frame header: FF C0, its length (2 bytes), the precision
  // (1), then the height and the width (2 bytes each, high byte first).
  const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  if (frame < 0) return jpeg;
  const auto put16 = [&](qsizetype at, int value) {
    jpeg[at] = char(value >> 8);
    jpeg[at + 1] = char(value & 0xFF);
  };
  put16(frame + 5, size.height());
  put16(frame + 7, size.width());
  return jpeg;
}

}  // namespace testkit
