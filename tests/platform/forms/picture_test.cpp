// Pictures of tens of megapixels: loaded from their header, drawn at the
// size of the view, copied at full size; a camera picture's orientation tag;
// a whole decode that cannot have its memory; pictures beyond the pixel
// budget, whatever the machine's memory.
#include "forms_helpers.h"

#include "platform/win/Win.h"
#include "tests/testkit/windows/LargePictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <sys/resource.h>

using namespace forms;
using formstest::ErrorOf;

namespace {

// Top-left, top-right, bottom-left and bottom-right quarter: a drawing shows
// which way up the picture came out and whether all of it did.
const QRgb kQuarterColours[] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(30, 40, 220),
                                qRgb(240, 220, 20)};

QImage Quarters(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  const int w = size.width() / 2, h = size.height() / 2;
  painter.fillRect(0, 0, w, h, QColor(kQuarterColours[0]));
  painter.fillRect(w, 0, size.width() - w, h, QColor(kQuarterColours[1]));
  painter.fillRect(0, h, w, size.height() - h, QColor(kQuarterColours[2]));
  painter.fillRect(w, h, size.width() - w, size.height() - h, QColor(kQuarterColours[3]));
  return image;
}

// Low quality keeps the large files quick to write; flat quarters stay flat.
QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(20);
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  return bytes;
}

// An Exif block with one tag, Orientation = `orientation`, after the JPEG's
// start marker.
QByteArray WithOrientationTag(QByteArray jpeg, char orientation) {
  const QByteArray tiff = QByteArray("MM\0*\0\0\0\x08", 8)         // big-endian, first IFD at 8
                          + QByteArray("\0\x01", 2)                // one entry
                          + QByteArray("\x01\x12\0\x03\0\0\0\x01", 8)  // Orientation, SHORT, 1
                          + QByteArray(1, '\0') + QByteArray(1, orientation) + QByteArray(2, '\0')
                          + QByteArray(4, '\0');                   // no next IFD
  const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
  const int length = exif.size() + 2;
  jpeg.insert(2, QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + exif);
  return jpeg;
}

void ExpectQuarters(const QImage& image) {
  ASSERT_FALSE(image.isNull());
  const int w = image.width(), h = image.height();
  const QPoint centres[] = {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4},
                            {3 * w / 4, 3 * h / 4}};
  for (int i = 0; i < 4; ++i) {
    const QRgb seen = image.pixel(centres[i]), wanted = kQuarterColours[i];
    EXPECT_NEAR(qRed(seen), qRed(wanted), 24) << "quarter " << i;
    EXPECT_NEAR(qGreen(seen), qGreen(wanted), 24) << "quarter " << i;
    EXPECT_NEAR(qBlue(seen), qBlue(wanted), 24) << "quarter " << i;
  }
}

// A picture of testkit::TwoTonePicture: dark on the left, light on the right.
void ExpectTwoTones(const QImage& image) {
  ASSERT_FALSE(image.isNull());
  EXPECT_LT(qGray(image.pixel(image.width() / 4, image.height() / 2)), 60);
  EXPECT_GT(qGray(image.pixel(3 * image.width() / 4, image.height() / 2)), 190);
}

// What the control's widget shows on the screen.
QImage Rendered(Image& image) {
  QWidget* widget = image.Widget();
  QImage shot(widget->size(), QImage::Format_RGB32);
  shot.fill(Qt::white);
  widget->render(&shot);
  return shot;
}

// The process's address space limited to what it uses now and `headroom`
// bytes more, for the life of this object.
class AddressSpaceLimit {
 public:
  explicit AddressSpaceLimit(rlim_t headroom) {
    getrlimit(RLIMIT_AS, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = UsedAddressSpace() + headroom;
    setrlimit(RLIMIT_AS, &limited);
  }
  ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }

 private:
  static rlim_t UsedAddressSpace() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith("VmSize:")) return line.mid(7).trimmed().split(' ')[0].toULongLong() * 1024;
    return 0;
  }
  rlimit saved_;
};

// The threads this process runs now.
int ThreadCount() { return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); }

class PictureTest : public formstest::FormsTest {
 protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return win::ToWindowsPath(dir_.filePath(name));
  }
  // A stretched image of 6000 x 4500 twips (400 x 300 pixels).
  Image& View(Form& form) {
    Image& view = form.Add<Image>("Image1");
    view.SetStretch(true);
    view.Move(0, 0, 6000, 4500);
    return view;
  }
  QTemporaryDir dir_;
};

TEST_F(PictureTest, LargePicturesLoadDrawAndCopyAtFullSize) {
  // Both above the 128 MB of decoded pixels that the reader refuses by
  // default: a 48 megapixel camera picture, and a format that cannot decode
  // at a reduced size.
  struct Case {
    const char* name;
    const char* format;
    QSize size;
  };
  const Case cases[] = {{"camera.jpg", "JPG", {8000, 6000}}, {"scan.png", "PNG", {6000, 6000}}};
  const int defaultLimit = QImageReader::allocationLimit();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = LoadPicture(Write(c.name, Encoded(Quarters(c.size), c.format)));
    EXPECT_EQ(picture.WidthPixels(), c.size.width());
    EXPECT_EQ(picture.HeightPixels(), c.size.height());
    EXPECT_EQ(picture.WidthTwips(), c.size.width() * 15.f);
    EXPECT_EQ(picture.HeightTwips(), c.size.height() * 15.f);

    Form form("F");
    Image& holder = form.Add<Image>("orgImage1");
    holder.SetPicture(picture);
    EXPECT_EQ(holder.Width(), c.size.width() * 15.f);
    EXPECT_EQ(holder.Height(), c.size.height() * 15.f);
    Image& view = View(form);
    view.SetPicture(picture);
    ExpectQuarters(Rendered(view));

    EXPECT_EQ(picture.Image().size(), c.size);
    ExpectQuarters(picture.Image());
    EXPECT_EQ(QImageReader::allocationLimit(), defaultLimit);
  }
}

TEST_F(PictureTest, OrientationTagLeavesThePictureAsStored) {
  // Rotate 90 degrees, says the tag: the natural size, the drawn picture at
  // either size and the copy all keep the stored orientation.
  const QByteArray jpeg = WithOrientationTag(Encoded(Quarters({300, 200}), "JPG"), 6);
  const Picture picture = LoadPicture(Write("turned.jpg", jpeg));
  EXPECT_EQ(picture.WidthTwips(), 4500.f);
  EXPECT_EQ(picture.HeightTwips(), 3000.f);
  Form form("F");
  Image& view = View(form);
  view.SetPicture(picture);
  ExpectQuarters(Rendered(view));
  Image& holder = form.Add<Image>("orgImage1");
  holder.SetPicture(picture);
  ExpectQuarters(Rendered(holder));
  EXPECT_EQ(picture.Image().size(), QSize(300, 200));
  ExpectQuarters(picture.Image());
}

TEST_F(PictureTest, LoadedPictureNoLongerNeedsItsFile) {
  const QString path = Write("stone.jpg", Encoded(Quarters({640, 480}), "JPG"));
  const Picture picture = LoadPicture(path);
  ASSERT_TRUE(QFile::remove(win::ToNativePath(path)));
  Form form("F");
  Image& view = View(form);
  view.SetPicture(picture);
  ExpectQuarters(Rendered(view));
  EXPECT_EQ(picture.Image().size(), QSize(640, 480));
}

TEST_F(PictureTest, ViewsSmallerAndLargerThanThePictureAreDrawnInThePaintingThread) {
  // The view is 400 x 300 pixels: one picture is reduced, one enlarged, one
  // reduced down and enlarged across. A paint that hands its work to new
  // threads waits for ever when none can start, as happens when memory is
  // short.
  const QSize sizes[] = {{1600, 1200}, {40, 30}, {100, 900}};
  for (const QSize size : sizes) {
    SCOPED_TRACE(QString("%1 x %2").arg(size.width()).arg(size.height()).toStdString());
    const Picture picture = LoadPicture(Write("stone.png", Encoded(Quarters(size), "PNG")));
    Form form("F");
    Image& view = View(form);
    view.SetPicture(picture);
    const int threads = ThreadCount();
    ExpectQuarters(Rendered(view));
    EXPECT_EQ(ThreadCount(), threads);
  }
}

TEST_F(PictureTest, WithoutMemoryForTheWholePictureItStillShowsAndTheCopyFailsWithError7) {
  const Picture picture =
      LoadPicture(Write("camera.jpg", Encoded(Quarters({8000, 6000}), "JPG")));
  Form form("F");
  Image& view = View(form);
  view.SetPicture(picture);
  {
    // Far less than the 192 MB that the whole picture takes. A paint that
    // hands its work to new threads waits for ever when none can start, as
    // happens when memory is short: the view is drawn without any.
    const int threads = ThreadCount();
    const AddressSpaceLimit limit(96 << 20);
    ExpectQuarters(Rendered(view));
    EXPECT_EQ(ThreadCount(), threads);
    EXPECT_EQ(ErrorOf([&] { picture.Image(); }), 7);
  }
  EXPECT_EQ(picture.Image().size(), QSize(8000, 6000));
}

}  // namespace

namespace {

// The budget holds 256 MiB of pixels at four bytes a pixel: 67.1 megapixels.
TEST_F(PictureTest, PicturesThatCannotBeShownWithinTheBudgetDoNotLoad) {
  // A PNG decodes at no reduced size: 100 megapixels whole are beyond the
  // budget, and so is the header alone that claims them. A JPEG header that
  // claims 60000 x 60000 is beyond it even at an eighth of its size.
  const QByteArray png = testkit::TwoTonePicture({10000, 10000}, "PNG");
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"scan.png", png},
      {"header.png", png.left(100)},
      {"claims.jpg", testkit::WithClaimedSize(Encoded(Quarters({64, 48}), "JPG"), {60000, 60000})},
  };
  const int defaultLimit = QImageReader::allocationLimit();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorOf([&] { LoadPicture(Write(c.name, c.bytes)); }), 481);
    EXPECT_EQ(QImageReader::allocationLimit(), defaultLimit);
  }
}

TEST_F(PictureTest, BeyondTheBudgetWholeAPictureIsShownReducedAndItsCopyFailsWithError7) {
  // 80 megapixels: shown from an eighth of its size, copied never.
  const Picture picture =
      LoadPicture(Write("scan.jpg", testkit::TwoTonePicture({10000, 8000}, "JPG")));
  EXPECT_EQ(picture.WidthTwips(), 150000.f);
  EXPECT_EQ(picture.HeightTwips(), 120000.f);
  Form form("F");
  Image& view = View(form);
  view.SetPicture(picture);
  ExpectTwoTones(Rendered(view));
  EXPECT_EQ(ErrorOf([&] { picture.Image(); }), 7);
}

TEST_F(PictureTest, LargeSquareAtItsNaturalSizeIsMadeOnlyWherePainted) {
  // 100 megapixels at one pixel a pixel, as the main viewer shows a square
  // picture: the part painted, 400 x 300 across the middle, is made from a
  // decode within the budget, in far less memory than the whole picture
  // takes even in grey.
  const Picture picture =
      LoadPicture(Write("square.jpg", testkit::TwoTonePicture({10000, 10000}, "JPG")));
  Form form("F");
  Image& holder = form.Add<Image>("orgImage1");
  holder.SetPicture(picture);
  QImage shot(400, 300, QImage::Format_RGB32);
  shot.fill(Qt::white);
  {
    const AddressSpaceLimit limit(64 << 20);
    holder.Widget()->render(&shot, QPoint(0, 0), QRegion(4800, 4000, 400, 300));
  }
  ExpectTwoTones(shot);
}

}  // namespace
