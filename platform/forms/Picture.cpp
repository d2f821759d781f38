#include "platform/forms/Picture.h"

#include "platform/forms/Resample.h"
#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <utility>
#include <vector>

namespace forms {

namespace {

// Screen sizes of one picture kept: the large view, a thumbnail, and one
// more for a size the view had before the window was resized.
constexpr size_t kKeptScreenSizes = 3;
// Decodes at reduced sizes kept, from which those are scaled.
constexpr size_t kKeptReducedDecodes = 2;

// The most memory that one image made from a picture file may take: a
// whole decode, a reduced decode for the screen, or the image drawn. It is
// fixed, not a share of the machine's memory, so that one picture can never
// crowd out a small machine; 256 MiB holds a picture of 64 megapixels, a
// large camera's. Pixels count four bytes each at least, the form in which
// the screen draws them and the clipboard takes them, whatever the file
// stores.
constexpr qint64 kPixelBudget = qint64(256) << 20;

// The bytes that pixels of `size` in `format` count against the budget.
qint64 BudgetedBytes(QSize size, QImage::Format format = QImage::Format_RGB32) {
  const int bytesPerPixel = std::max(4, QImage::toPixelFormat(format).bitsPerPixel() / 8);
  return qint64(size.width()) * size.height() * bytesPerPixel;
}

bool WithinBudget(QSize size, QImage::Format format = QImage::Format_RGB32) {
  return BudgetedBytes(size, format) <= kPixelBudget;
}

// The reader's allocation limit (its guard against headers that claim sizes
// their files do not hold) set to the budget for one read.
class BudgetedAllocation {
 public:
  BudgetedAllocation() : previous_(QImageReader::allocationLimit()) {
    QImageReader::setAllocationLimit(static_cast<int>(kPixelBudget >> 20));
  }
  ~BudgetedAllocation() { QImageReader::setAllocationLimit(previous_); }
  BudgetedAllocation(const BudgetedAllocation&) = delete;
  BudgetedAllocation& operator=(const BudgetedAllocation&) = delete;

 private:
  int previous_;
};

// A reader over a picture file or its bytes, set up alike for every
// decode, so that the header's size, the screen's decodes and the whole
// decode agree, and held to the budget. Orientation tags of camera pictures
// are not applied: a picture is shown as stored.
class Reader {
 public:
  explicit Reader(QIODevice* device) { Open(device); }
  explicit Reader(const QByteArray& bytes) {
    buffer_.setData(bytes);
    buffer_.open(QIODevice::ReadOnly);
    Open(&buffer_);
  }
  QImageReader* operator->() { return &reader_; }

 private:
  void Open(QIODevice* device) {
    reader_.setDevice(device);
    reader_.setAutoTransform(false);
  }
  BudgetedAllocation limit_;
  QBuffer buffer_;
  QImageReader reader_;
};

// The whole picture. Raises 7 (Out of memory) when its pixels exceed the
// budget or cannot be allocated, and 481 (Invalid picture) when its data do
// not decode. The pixels are allocated here, where a failure is known to be
// one of memory; the reader fills them. `size` and `format` come from the
// header; an invalid size (a format whose header tells none) is read and
// then measured.
QImage DecodeWhole(const QByteArray& bytes, QSize size, QImage::Format format) {
  if (size.isValid() && !WithinBudget(size, format)) vb::Raise(vb::err::OutOfMemory);
  Reader reader(bytes);
  QImage image;
  if (size.isValid()) {
    image = QImage(size, format);
    if (image.isNull()) vb::Raise(vb::err::OutOfMemory);
    if (!reader->read(&image)) vb::Raise(vb::err::InvalidPicture);
  } else {
    image = reader->read();
    if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
  }
  if (!WithinBudget(image.size(), image.format())) vb::Raise(vb::err::OutOfMemory);
  return image;
}

}  // namespace

class Picture::Data {
 public:
  explicit Data(QImage image) : size_(image.size()), format_(image.format()), whole_(std::move(image)) {}
  Data(QByteArray encoded, QSize size, QImage::Format format)
      : size_(size), format_(format), encoded_(std::move(encoded)) {}

  QSize Size() const { return size_; }

  const QImage& Whole() {
    if (whole_.isNull()) whole_ = DecodeWhole(encoded_, size_, format_);
    return whole_;
  }

  // Whether the screen's smallest decode stays within the budget.
  bool Showable() const { return Affordable(1); }

  // The rectangle `part` of the picture at `pixels`, made from the smallest
  // decode that covers them (the whole picture when it is enlarged) or the
  // largest that the budget allows; a null image when it cannot be decoded
  // or `part` is beyond the budget, which is kept too, so that paints do not
  // retry it.
  QImage Shown(QSize pixels, QRect part) {
    if (part.isEmpty()) return QImage();
    const bool all = part == QRect(QPoint(0, 0), pixels);
    if (all && pixels == size_ && !whole_.isNull()) return whole_;
    const ShownPart key{pixels, part};
    for (auto kept = shown_.begin(); kept != shown_.end(); ++kept) {
      if (kept->first != key) continue;
      std::rotate(shown_.begin(), kept, kept + 1);
      return shown_.front().second;
    }
    QImage image;
    if (WithinBudget(part.size())) {
      try {
        const QImage& source = Covering(pixels.boundedTo(size_));
        image = all && source.size() == pixels ? source : Resampled(source, pixels, part);
      } catch (const std::exception&) {
      }
    }
    KeepLatest(shown_, {key, image}, kKeptScreenSizes);
    return image;
  }

 private:
  // The smallest decode at hand that covers `pixels`, else a new one. A
  // picture is decoded at an eighth of its size, two eighths and so on, the
  // smallest that covers the size drawn (a JPEG decodes at those directly,
  // by its DCT scaling, so the full size never exists); so the next sizes
  // drawn, a thumbnail or a resized view, mostly scale from one decode.
  // Where the budget allows no decode that covers them, the largest it
  // allows is enlarged.
  const QImage& Covering(QSize pixels) {
    const int eighths = DecodeEighths(pixels);
    const QSize wanted = pixels.boundedTo(Eighths(eighths));
    const QImage* best = nullptr;
    const auto consider = [&](const QImage& image) {
      if (image.width() >= wanted.width() && image.height() >= wanted.height() &&
          (!best || image.width() < best->width()))
        best = &image;
    };
    if (!whole_.isNull()) consider(whole_);
    for (const auto& [size, image] : reduced_) consider(image);
    if (best) return *best;
    if (eighths == 8) return Whole();
    Reader reader(encoded_);
    reader->setScaledSize(Eighths(eighths));
    QImage image = reader->read();
    if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
    KeepLatest(reduced_, {image.size(), std::move(image)}, kKeptReducedDecodes);
    return reduced_.front().second;
  }

  // The eighths of its size at which the picture is decoded for `pixels`:
  // the fewest that cover them, or as many as the budget allows.
  int DecodeEighths(QSize pixels) const {
    int eighths = 1;
    while (eighths < 8 && !Covers(Eighths(eighths), pixels)) ++eighths;
    while (eighths > 1 && !Affordable(eighths)) --eighths;
    return eighths;
  }

  QSize Eighths(int eighths) const {
    return {(size_.width() * eighths + 7) / 8, (size_.height() * eighths + 7) / 8};
  }

  static bool Covers(QSize size, QSize pixels) {
    return size.width() >= pixels.width() && size.height() >= pixels.height();
  }

  // Whether a decode at `eighths` stays within the budget. The reader
  // decodes a size that is not a whole number of eighths at the next eighth
  // up and reduces that, so the next eighth is what counts.
  bool Affordable(int eighths) const {
    return WithinBudget(Eighths(std::min(eighths + 1, 8)), format_);
  }

  using ShownPart = std::pair<QSize, QRect>;  // the size drawn, the part made of it
  template <typename Key>
  using Kept = std::vector<std::pair<Key, QImage>>;  // latest first
  template <typename Key>
  static void KeepLatest(Kept<Key>& kept, typename Kept<Key>::value_type latest, size_t most) {
    kept.insert(kept.begin(), std::move(latest));
    if (kept.size() > most) kept.pop_back();
  }

  const QSize size_;
  const QImage::Format format_;
  const QByteArray encoded_;  // the file, for a picture decoded when needed
  QImage whole_;              // null until decoded
  Kept<QSize> reduced_;       // decodes at eighths of the size
  Kept<ShownPart> shown_;     // the sizes and parts drawn
};

Picture::Picture(QImage image) {
  if (!image.isNull()) data_ = std::make_shared<Data>(std::move(image));
}

const QImage& Picture::Image() const {
  static const QImage none;
  return data_ ? data_->Whole() : none;
}

int Picture::WidthPixels() const { return data_ ? data_->Size().width() : 0; }
int Picture::HeightPixels() const { return data_ ? data_->Size().height() : 0; }
float Picture::WidthTwips() const { return PixelsToTwips(WidthPixels()); }
float Picture::HeightTwips() const { return PixelsToTwips(HeightPixels()); }

void Picture::Draw(QPainter& painter, const QRect& target, const QRect& painted) const {
  if (!data_ || target.isEmpty()) return;
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
  // The target's device pixels to make: all of them, or where a target
  // beyond the budget is painted.
  QRect part(QPoint(0, 0), pixels);
  if (!WithinBudget(pixels)) {
    const QRectF inTarget = QRectF(painted.intersected(target).translated(-target.topLeft()));
    part &= QRectF(inTarget.topLeft() * ratio, inTarget.size() * ratio).toAlignedRect();
  }
  const QImage image = data_->Shown(pixels, part);
  if (image.isNull()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(QPointF(part.topLeft()) / ratio + QPointF(target.topLeft()),
                           QSizeF(part.size()) / ratio),
                    image);
  painter.restore();
}

void Picture::Draw(QPainter& painter, const QPoint& topLeft, const QRect& painted) const {
  Draw(painter, QRect(topLeft, QSize(WidthPixels(), HeightPixels())), painted);
}

Picture LoadPicture(const QString& windowsPath) {
  if (windowsPath.isEmpty()) return Picture();
  const QFileInfo file(win::ToNativePath(windowsPath));
  if (file.isDir()) vb::Raise(vb::err::PathFileAccessError);
  if (!file.exists()) {
    const bool folderExists = QFileInfo(file.absolutePath()).isDir();
    vb::Raise(folderExists ? vb::err::FileNotFound : vb::err::PathNotFound);
  }
  QFile input(file.filePath());
  if (!input.open(QIODevice::ReadOnly)) vb::Raise(vb::err::InvalidPicture);
  QSize size;
  QImage::Format format = QImage::Format_Invalid;
  bool reduces = false;
  {
    Reader header(&input);
    if (!header->canRead()) vb::Raise(vb::err::InvalidPicture);
    size = header->size();
    format = header->imageFormat();
    // Of the readers at hand only JPEG's decodes at a reduced size in less
    // memory and time, by eighths in its DCT. PNG's reduced read inflates
    // every line at full size (seconds for a picture of a few hundred
    // megapixels, at every size drawn) and holds the whole picture first
    // unless its lines are 8-bit colour and not interlaced; a vector
    // picture's size tells nothing of the cost of drawing it.
    reduces = header->format() == "jpeg" && header->supportsOption(QImageIOHandler::ScaledSize);
  }
  input.seek(0);
  const QByteArray bytes = input.readAll();
  const bool known = size.isValid() && !size.isEmpty() && format != QImage::Format_Invalid;
  if (known && reduces) {
    auto data = std::make_shared<Picture::Data>(bytes, size, format);
    if (!data->Showable()) vb::Raise(vb::err::InvalidPicture);
    return Picture(std::move(data));
  }
  // A format that cannot decode at a reduced size is decoded whole now: the
  // screen needs its pixels anyway, and so a damaged file, or a picture
  // beyond the budget, is found here.
  QImage image;
  try {
    image = DecodeWhole(bytes, known ? size : QSize(), format);
  } catch (const vb::VbError&) {
  }
  if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
  return Picture(std::move(image));
}

}  // namespace forms
