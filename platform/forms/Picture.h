#pragma once
// A picture as the controls hold it: an image of its own resolution, or
// nothing. Copies share the image.
#include <QImage>
#include <QString>

namespace forms {

class Picture {
 public:
  Picture() = default;
  explicit Picture(QImage image) : image_(std::move(image)) {}

  bool IsEmpty() const { return image_.isNull(); }
  const QImage& Image() const { return image_; }
  int WidthPixels() const { return image_.width(); }
  int HeightPixels() const { return image_.height(); }
  // The natural size: the pixel size at the screen's twips per pixel.
  float WidthTwips() const;
  float HeightTwips() const;

 private:
  QImage image_;
};

// LoadPicture: the picture file at a Windows-form path. The empty path gives
// the empty picture. Raises 76 (Path not found) when the folder does not
// exist, 53 (File not found) when the file does not, 75 (Path/File access
// error) for a folder, and 481 (Invalid picture) for a file that is not a
// readable picture.
Picture LoadPicture(const QString& windowsPath);

}  // namespace forms
