// Twips geometry of controls: exact read-back, derived pixels, placement
// inside containers, properties by name, pictures and their natural size.
#include "forms_helpers.h"

#include "platform/win/Win.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <cmath>
#include <limits>

using namespace forms;
using formstest::ErrorOf;

namespace {

class GeometryTest : public formstest::FormsTest {};

TEST_F(GeometryTest, TwipsReadBackExactlyAndPixelsAreRounded) {
  struct Case {
    float twips;
    double twipsPerPixel;
    int pixels;
  };
  const Case cases[] = {
      {582.5f, 15, 39},       // 38.83
      {1282.5f, 15, 86},      // 85.5 rounds away from zero
      {-73250.f, 15, -4883},  // far outside, left of the container
      {5468.1816f, 15, 365},
      {0.1f, 15, 0},
      {4500.f, 12, 375},      // another screen resolution
  };
  for (const Case& c : cases) {
    host_->SetTwipsPerPixel(c.twipsPerPixel);
    Form form("F");
    Image& image = form.Add<Image>("Image1");
    image.Move(c.twips, c.twips, 100, 100);
    image.SetWidth(std::fabs(c.twips));
    EXPECT_EQ(image.Left(), c.twips);
    EXPECT_EQ(image.Top(), c.twips);
    EXPECT_EQ(image.Width(), std::fabs(c.twips));
    EXPECT_EQ(image.Widget()->x(), c.pixels) << c.twips;
    EXPECT_EQ(image.Widget()->width(), std::abs(c.pixels)) << c.twips;
    EXPECT_EQ(image.GetProperty("left").AsDouble(), static_cast<double>(c.twips));
  }
}

TEST_F(GeometryTest, ControlsArePlacedFromTheirContainersInsideCorner) {
  Form form("F");
  Frame& frame = form.Add<Frame>("ImageNavigation_Frame");
  frame.Move(0, 5160, 6015, 855);
  CommandButton& button = form.Add<CommandButton>("CMD_ViewImage2", &frame);
  button.Move(2280, 240, 1455, 495);
  PictureBox& viewer = form.Add<PictureBox>("Picture1Viewer");
  viewer.Move(600, 0, 6015, 5175);
  Image& image = form.Add<Image>("Image1", &viewer);
  image.Move(0, 0, 1815, 1575);

  EXPECT_EQ(button.Container(), &frame);
  EXPECT_EQ(button.Widget()->pos(), QPoint(152, 16));
  EXPECT_EQ(button.Widget()->mapTo(form.ClientWidget(), QPoint(0, 0)), QPoint(152, 344 + 16));
  // The picture box's inside starts within its border.
  const QPoint inside = image.Widget()->mapTo(form.ClientWidget(), QPoint(0, 0));
  const int border = viewer.ClientWidget()->mapTo(viewer.Widget(), QPoint(0, 0)).x();
  EXPECT_GT(border, 0);
  EXPECT_EQ(inside, QPoint(40 + border, border));
  viewer.SetBorderStyle(0);
  EXPECT_EQ(image.Widget()->mapTo(form.ClientWidget(), QPoint(0, 0)), QPoint(40, 0));
}

// A frame as the platform draws it: an etched border whose top line runs
// through the middle of the caption, the caption about 8 pixels in on the
// frame's background, over the line; contained controls are still placed
// from the outer top-left corner.
TEST_F(GeometryTest, AFramesCaptionLiesOnItsTopLine) {
  Form form("F");
  Frame& frame = form.Add<Frame>("RecordNavigation_Frame");
  frame.Move(0, 0, 6015, 855);
  frame.SetCaption("Record Navigation");
  frame.SetBackColor(0x00C0FFFF);  // a light yellow, so that the background is known
  Label& label = form.Add<Label>("Label15", &frame);
  label.Move(2400, 180, 1215, 225);
  label.SetVisible(false);
  EXPECT_EQ(label.Widget()->mapTo(frame.Widget(), QPoint(0, 0)), QPoint(160, 12));

  const QFontMetrics metrics(frame.Widget()->font());
  const int line = metrics.height() / 2;
  const QColor background(0xFF, 0xFF, 0xC0);
  auto image = [&] { return frame.Widget()->grab().toImage(); };
  // The first pixel (row by row) in the area that is not the background.
  auto inkIn = [&](const QImage& picture, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (picture.pixelColor(x, y) != background) return QPoint(x, y);
    return QPoint(-1, -1);
  };
  // The first column (left to right) with such a pixel in the rows given.
  auto firstInkColumn = [&](const QImage& picture, int top, int bottom) {
    for (int x = 0; x < picture.width(); ++x)
      for (int y = top; y <= bottom; ++y)
        if (picture.pixelColor(x, y) != background) return x;
    return -1;
  };
  QImage drawn = image();
  // Right of the caption the first row drawn from the top is the top line;
  // left of it the line runs too.
  EXPECT_EQ(inkIn(drawn, QRect(drawn.width() - 20, 0, 1, drawn.height())).y(), line);
  EXPECT_EQ(inkIn(drawn, QRect(3, 0, 1, drawn.height())).y(), line);
  // Above the line only the caption is drawn, starting about 8 pixels in;
  // its text reaches below the line as well.
  EXPECT_NEAR(firstInkColumn(drawn, 0, line - 1), 8, 2);
  EXPECT_NE(inkIn(drawn, QRect(4, line + 2, 60, 3)), QPoint(-1, -1));

  // Behind the caption the line is hidden by the frame's background.
  frame.SetCaption("        ");
  drawn = image();
  EXPECT_EQ(inkIn(drawn, QRect(8, 0, metrics.horizontalAdvance("        "), line + 1)),
            QPoint(-1, -1));
  EXPECT_EQ(inkIn(drawn, QRect(3, 0, 1, drawn.height())).y(), line);
}

TEST_F(GeometryTest, PropertiesByNameAndTheirErrors) {
  Form form("F");
  Menu& menu = form.AddMenu("mnuPopup1", "POPUP1");
  CommonDialog& dialog = form.Add<CommonDialog>("CommonDialog1");
  TextBox& box = form.Add<TextBox>("DataPathText");
  struct Case {
    Control* control;
    const char* property;
    int getError;
  };
  const Case cases[] = {
      {&menu, "Left", 438},   {&menu, "Top", 438},      {&menu, "Width", 438},
      {&menu, "Height", 438}, {&dialog, "Left", 0},     {&dialog, "Top", 0},
      {&dialog, "Width", 438}, {&dialog, "Height", 438}, {&box, "WIDTH", 0},
      {&box, "Caption", 438},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ErrorOf([&] { c.control->GetProperty(c.property); }), c.getError)
        << c.control->Name().toStdString() << "." << c.property;
    EXPECT_EQ(ErrorOf([&] { c.control->SetProperty(c.property, vb::Variant(120.0)); }),
              c.getError)
        << c.control->Name().toStdString() << "." << c.property;
  }
  box.SetProperty("Height", vb::Variant(int16_t{285}));
  EXPECT_EQ(box.Height(), 285.f);
  EXPECT_EQ(ErrorOf([&] { box.SetProperty("Width", vb::Variant(-1.0)); }), 380);
  EXPECT_EQ(ErrorOf([&] { box.SetProperty("Width", vb::Variant("wide")); }), 13);
  EXPECT_EQ(ErrorOf([&] { box.SetProperty("Left", vb::Variant(1e300)); }), 6);
  EXPECT_EQ(box.Width(), 120.f);  // refused values leave the property as it was
}

TEST_F(GeometryTest, ImageTakesNaturalSizeUnlessStretching) {
  Form form("F");
  Image& held = form.Add<Image>("orgImage1");
  held.Move(360, 9000, 495, 375);
  Image& shown = form.Add<Image>("Image1");
  shown.SetStretch(true);
  shown.Move(1920, 1680, 1815, 1575);

  const Picture wide(QImage(300, 200, QImage::Format_RGB32));
  held.SetPicture(wide);
  shown.SetPicture(wide);
  EXPECT_EQ(held.Width(), 4500.f);
  EXPECT_EQ(held.Height(), 3000.f);
  EXPECT_EQ(held.Left(), 360.f);
  EXPECT_EQ(shown.Width(), 1815.f);
  EXPECT_EQ(shown.Height(), 1575.f);
  EXPECT_EQ(shown.Picture().Image().cacheKey(), wide.Image().cacheKey());

  held.SetPicture(Picture());  // no picture: the size stays
  EXPECT_EQ(held.Width(), 4500.f);
  shown.SetStretch(false);  // turning Stretch off takes the picture's size
  EXPECT_EQ(shown.Width(), 4500.f);
  EXPECT_EQ(shown.Height(), 3000.f);

  host_->SetTwipsPerPixel(12);
  held.SetPicture(wide);
  EXPECT_EQ(held.Width(), 3600.f);
  EXPECT_EQ(wide.HeightTwips(), 2400.f);
}

TEST_F(GeometryTest, LoadPictureTellsMissingFolderFromMissingFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage drawn(30, 20, QImage::Format_RGB32);
  drawn.fill(Qt::yellow);
  ASSERT_TRUE(drawn.save(dir.filePath("A99.JPG"), "JPG"));
  QFile text(dir.filePath("notes.jpg"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture");
  text.close();
  const QString folder = win::ToWindowsPath(dir.path()) + "\\";

  const Picture loaded = LoadPicture(folder + "a99.jpg");  // any case
  EXPECT_EQ(loaded.WidthPixels(), 30);
  EXPECT_EQ(loaded.HeightTwips(), 300.f);
  EXPECT_TRUE(LoadPicture("").IsEmpty());
  EXPECT_EQ(ErrorOf([&] { LoadPicture(folder + "KESTRO\\A99.JPG"); }), 76);
  EXPECT_EQ(ErrorOf([&] { LoadPicture(folder + "B12.JPG"); }), 53);
  EXPECT_EQ(ErrorOf([&] { LoadPicture(folder + "notes.jpg"); }), 481);
}

TEST_F(GeometryTest, ToSingleOverflowsBeyondTheSingleRange) {
  EXPECT_EQ(ToSingle(8020.0), 8020.f);
  EXPECT_EQ(ErrorOf([] { ToSingle(std::numeric_limits<double>::max()); }), 6);
  EXPECT_EQ(StripAccessKeys("Fin&d/Sort && more"), "Find/Sort & more");
}

}  // namespace
