#pragma once
// A picture as the controls hold it, or nothing. Copies share one picture.
//
// A picture made from an image in memory holds that image. A picture loaded
// from a file keeps the file's bytes and the pixel size its header gives;
// where the picture's format decodes at a reduced size (JPEG), its pixels are
// decoded only when needed: for the screen at the size drawn, in full for
// Image() alone. So a camera picture of tens of megapixels loads in the time
// its header takes and is shown without ever being held at full size.
//
// Every image made from a file, a whole decode, a reduced one or the image
// drawn, is held to one fixed budget of pixel memory (Picture.cpp), whatever
// the machine has: a file whose picture cannot be shown within it does not
// load, and one that can be shown but not decoded whole within it cannot be
// copied (error 7).
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

namespace forms {

class Picture {
 public:
  Picture() = default;
  // The empty picture for a null image.
  explicit Picture(QImage image);

  bool IsEmpty() const { return data_ == nullptr; }
  // The picture at its own resolution (a null image for the empty picture).
  // A picture from a file is decoded in full on first use and kept: run-time
  // error 7 (Out of memory) when its pixels exceed the budget or cannot be
  // allocated, 481 (Invalid picture) when its data do not decode.
  const QImage& Image() const;
  // The natural size: the pixel size, and that size at the screen's twips
  // per pixel. Known from a file's header without decoding its pixels.
  int WidthPixels() const;
  int HeightPixels() const;
  float WidthTwips() const;
  float HeightTwips() const;

  // Draws the picture stretched into `target` (the painter's logical
  // pixels): decoded at no more than its own size and resized, in the
  // calling thread, to the device pixels that the target covers, which are
  // then drawn one to one; the last few sizes drawn are kept. `painted` is
  // the rectangle the paint covers (a paint event's rectangle): a target
  // too large for the budget, such as a large square picture at its natural
  // size, is made and drawn only where it is painted, and decoded at the
  // most the budget allows. Draws nothing when the picture cannot be
  // decoded; never raises, so that paint events can use it.
  void Draw(QPainter& painter, const QRect& target, const QRect& painted) const;
  // Draws the picture unscaled, one picture pixel a logical pixel.
  void Draw(QPainter& painter, const QPoint& topLeft, const QRect& painted) const;

 private:
  friend Picture LoadPicture(const QString& windowsPath);
  class Data;
  explicit Picture(std::shared_ptr<Data> data) : data_(std::move(data)) {}
  std::shared_ptr<Data> data_;
};

// LoadPicture: the picture file at a Windows-form path. The empty path gives
// the empty picture. Raises 76 (Path not found) when the folder does not
// exist, 53 (File not found) when the file does not, 75 (Path/File access
// error) for a folder, and 481 (Invalid picture) for a file that is not a
// readable picture, which includes one whose picture cannot be shown within
// the budget. The header gives the natural size. A picture that decodes at
// reduced sizes keeps the file's bytes (its compressed size in memory, a few
// megabytes for a camera picture, where its pixels would take four bytes
// each), so it no longer depends on the file; any other is decoded whole
// here.
Picture LoadPicture(const QString& windowsPath);

}  // namespace forms
