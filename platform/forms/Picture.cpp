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
#include <climits>
#include <unistd.h>
#include <utility>
#include <vector>

namespace forms {

namespace {

// Screen sizes of one picture kept: the large view, a thumbnail, and one
// more for a size the view had before the window was resized.
constexpr size_t kKeptScreenSizes = 3;
// Decodes at reduced sizes kept, from which those are scaled.
constexpr size_t kKeptReducedDecodes = 2;

// The bytes that decoded pixels of `size` in `format` take.
qint64 PixelBytes(QSize size, QImage::Format format) {
  const qint64 bitsPerLine = qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel();
  return (bitsPerLine + 31) / 32 * 4 * size.height();
}

// A whole picture is decoded up to half the machine's memory: beyond that
// the attempt would only drive the system into the out-of-memory killer.
qint64 LargestWholeDecode() {
  static const qint64 bytes = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE) / 2;
  return bytes;
}

// The reader's allocation limit (against headers that claim sizes their
// files do not hold) raised, for one whole decode, to what it needs; the
// callers bound that by LargestWholeDecode.
class AllocationLimitRaised {
 public:
  explicit AllocationLimitRaised(qint64 bytes) : previous_(QImageReader::allocationLimit()) {
    const qint64 megabytes = bytes / (1024 * 1024) + 1;
    if (previous_ != 0 && megabytes > previous_)
      QImageReader::setAllocationLimit(static_cast<int>(std::min<qint64>(megabytes, INT_MAX)));
  }
  ~AllocationLimitRaised() { QImageReader::setAllocationLimit(previous_); }
  AllocationLimitRaised(const AllocationLimitRaised&) = delete;
  AllocationLimitRaised& operator=(const AllocationLimitRaised&) = delete;

 private:
  int previous_;
};

// A reader over a picture file or its bytes, set up alike for every
// decode, so that the header's size, the screen's decodes and the whole
// decode agree. Orientation tags of camera pictures are not applied: a
// picture is shown as stored.
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
  QBuffer buffer_;
  QImageReader reader_;
};

// The whole picture. Raises 7 (Out of memory) when its pixels cannot be
// allocated and 481 (Invalid picture) when its data do not decode. The
// pixels are allocated here, where a failure is known to be one of memory;
// the reader fills them. `size` and `format` come from the header; an
// invalid size (a format whose header tells none) reads under the default
// allocation limit.
QImage DecodeWhole(const QByteArray& bytes, QSize size, QImage::Format format) {
  Reader reader(bytes);
  QImage image;
  if (!size.isValid()) {
    image = reader->read();
    if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
    return image;
  }
  const qint64 pixelBytes = PixelBytes(size, format);
  if (pixelBytes > LargestWholeDecode()) vb::Raise(vb::err::OutOfMemory);
  image = QImage(size, format);
  if (image.isNull()) vb::Raise(vb::err::OutOfMemory);
  const AllocationLimitRaised limit(pixelBytes);
  if (!reader->read(&image)) vb::Raise(vb::err::InvalidPicture);
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

  // The picture at `pixels`, made from the smallest decode that covers them
  // (the whole picture when it is enlarged); a null image when it cannot be
  // decoded, which is kept too, so that paints do not retry it.
  QImage Shown(QSize pixels) {
    if (pixels.isEmpty()) return QImage();
    if (pixels == size_ && !whole_.isNull()) return whole_;
    for (auto kept = shown_.begin(); kept != shown_.end(); ++kept) {
      if (kept->first != pixels) continue;
      std::rotate(shown_.begin(), kept, kept + 1);
      return shown_.front().second;
    }
    QImage image;
    try {
      const QImage& source = Covering(pixels.boundedTo(size_));
      image = source.size() == pixels ? source : Resampled(source, pixels);
    } catch (const std::exception&) {
    }
    KeepLatest(shown_, {pixels, image}, kKeptScreenSizes);
    return image;
  }

 private:
  // The smallest decode at hand that covers `pixels`, else a new one. A
  // picture is decoded at an eighth of its size, two eighths and so on, the
  // smallest that covers the size drawn (a JPEG decodes at those directly,
  // by its DCT scaling, so the full size never exists); so the next sizes
  // drawn, a thumbnail or a resized view, mostly scale from one decode.
  const QImage& Covering(QSize pixels) {
    const QImage* best = nullptr;
    const auto consider = [&](const QImage& image) {
      if (image.width() >= pixels.width() && image.height() >= pixels.height() &&
          (!best || image.width() < best->width()))
        best = &image;
    };
    if (!whole_.isNull()) consider(whole_);
    for (const auto& [size, image] : reduced_) consider(image);
    if (best) return *best;
    const QSize decodeSize = EighthsCovering(pixels);
    if (decodeSize == size_) return Whole();
    Reader reader(encoded_);
    reader->setScaledSize(decodeSize);
    QImage image = reader->read();
    if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
    KeepLatest(reduced_, {decodeSize, std::move(image)}, kKeptReducedDecodes);
    return reduced_.front().second;
  }

  QSize EighthsCovering(QSize pixels) const {
    for (int eighths = 1; eighths < 8; ++eighths) {
      const QSize size((size_.width() * eighths + 7) / 8, (size_.height() * eighths + 7) / 8);
      if (size.width() >= pixels.width() && size.height() >= pixels.height()) return size;
    }
    return size_;
  }

  using Kept = std::vector<std::pair<QSize, QImage>>;  // latest first
  static void KeepLatest(Kept& kept, Kept::value_type latest, size_t most) {
    kept.insert(kept.begin(), std::move(latest));
    if (kept.size() > most) kept.pop_back();
  }

  const QSize size_;
  const QImage::Format format_;
  const QByteArray encoded_;  // the file, for a picture decoded when needed
  QImage whole_;              // null until decoded
  Kept reduced_;              // decodes at eighths of the size
  Kept shown_;                // the sizes drawn
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

void Picture::Draw(QPainter& painter, const QRect& target) const {
  if (!data_ || target.isEmpty()) return;
  const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const QImage image = data_->Shown((QSizeF(target.size()) * ratio).toSize());
  if (image.isNull()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(target), image);
  painter.restore();
}

void Picture::Draw(QPainter& painter, const QPoint& topLeft) const {
  Draw(painter, QRect(topLeft, QSize(WidthPixels(), HeightPixels())));
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
  bool scales = false;
  {
    Reader header(&input);
    if (!header->canRead()) vb::Raise(vb::err::InvalidPicture);
    size = header->size();
    format = header->imageFormat();
    scales = header->supportsOption(QImageIOHandler::ScaledSize);
  }
  input.seek(0);
  const QByteArray bytes = input.readAll();
  const bool known = size.isValid() && !size.isEmpty() && format != QImage::Format_Invalid;
  if (known && scales) return Picture(std::make_shared<Picture::Data>(bytes, size, format));
  // A format that cannot decode at a reduced size is decoded whole now: the
  // screen needs its pixels anyway, and so a damaged file is found here.
  QImage image;
  try {
    image = DecodeWhole(bytes, known ? size : QSize(), format);
  } catch (const vb::VbError&) {
  }
  if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
  return Picture(std::move(image));
}

}  // namespace forms
