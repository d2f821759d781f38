// Twips geometry of controls: exact read-back, derived pixels, placement
// inside containers, properties by name, pictures and their natural size.
#include "forms_helpers.h"

#include "platform/win/Win.h"

#include <QDir>
#include <QFile>
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
