// The record's pictures: the name thresholds, the fit-and-centre rule, the
// "A99.JPG" fall-back for a missing folder, the placeholder, the navigation
// buttons around a load, broken pictures and the clipboard copy.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "browser/core/PictureViewer.h"
#include "tests/testkit/windows/LargePictures.h"

#include <QBuffer>
#include <QDir>
#include <QEvent>
#include <QWidget>
#include <cstring>

namespace {

using forms::Image;
using forms::PictureBox;

constexpr const char* kNavigation[] = {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext",
                                       "CMD_MoveLast"};

QByteArray Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

QImage Uniform(int width, int height, QColor color = QColor(40, 90, 160)) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// A bitmap header that claims 40000 x 40000 pixels and carries no pixels.
QByteArray HugeBitmapHeader() {
  QByteArray bytes(54, '\0');
  auto put32 = [&](int at, uint32_t v) { std::memcpy(bytes.data() + at, &v, 4); };
  auto put16 = [&](int at, uint16_t v) { std::memcpy(bytes.data() + at, &v, 2); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, 54);
  put32(10, 54);
  put32(14, 40);
  put32(18, 40000);
  put32(22, 40000);
  put16(26, 1);
  put16(28, 24);
  return bytes;
}

// Records the enabled states a widget goes through.
class EnabledRecorder : public QObject {
 public:
  explicit EnabledRecorder(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
  std::vector<bool> states;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && event->type() == QEvent::EnabledChange)
      states.push_back(widget_->isEnabled());
    return false;
  }

 private:
  QWidget* widget_;
};

}  // namespace

class PicturesTest : public GravelightTest {
 protected:
  void SetUp() override {
    GravelightTest::SetUp();
    WriteDatabase({Sheet1({{{"LASTNAME", QString("Smith")}, {"GIVEN", QString("Ann")}}}),
                   Versht(QString("3.00"), QString("0"))});
    Start(WriteLaunchFile("cem.mdb"));
    ASSERT_EQ(Box("DataPathText").Text(), Win(DataFolder()) + "\\");
  }
  QString Kestro() {
    QDir(DataFolder()).mkpath("KESTRO");
    return DataFolder() + "/KESTRO";
  }
  void WritePicture(const QString& name, const QImage& image, const char* format = "PNG") {
    WriteFile(Kestro() + "/" + name, Encoded(image, format));
  }
  Image& Img(const char* name) { return Window().Form().Get<Image>(name); }
  void ShowPicture1(const QString& name) { Box("PicText1").SetText(name); }
  const QImage& Shown() { return Img("Image1").Picture().Image(); }
  bool ShowsPlaceholder() {
    return Shown().cacheKey() == browser::PlaceholderPicture().Image().cacheKey();
  }
  void ExpectNavigationEnabled() {
    for (const char* name : kNavigation) EXPECT_TRUE(Button(name).Enabled()) << name;
  }
  void SetNavigationEnabled(bool enabled) {
    for (const char* name : kNavigation) Button(name).SetEnabled(enabled);
  }
};

TEST_F(PicturesTest, FitAndCentreRuleInTwips) {
  struct Case {
    int width, height;
    float left, top, w, h;
  };
  const Case cases[] = {
      {3000, 2000, 0, 582.5f, 6015, 4010},          // wide
      {2000, 3000, 1282.5f, 0, 3450, 5175},         // upright
      {300, 300, 757.5f, 337.5f, 4500, 4500},       // square, smaller than the box
      {480, 480, -592.5f, -1012.5f, 7200, 7200},    // square, larger: cut on all sides
      {1100, 1000, 0, -146.5908203125f, 6015, 5468.181640625f},  // wide, taller than the box
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const QString name = QString("fit%1x%2.png").arg(c.width).arg(c.height);
    WritePicture(name, Uniform(c.width, c.height));
    ShowPicture1(name);
    const Image& image = Img("Image1");
    EXPECT_EQ(Img("orgImage1").Width(), c.width * 15.0f);
    EXPECT_EQ(Img("orgImage1").Height(), c.height * 15.0f);
    EXPECT_EQ(image.Width(), c.w);
    EXPECT_EQ(image.Height(), c.h);
    EXPECT_EQ(image.Left(), c.left);
    EXPECT_EQ(image.Top(), c.top);
    EXPECT_EQ(Shown().size(), QSize(c.width, c.height));  // the picture itself, unscaled
  }
  // The next fit takes the viewer's size as it stands.
  Window().Form().Get<PictureBox>("Picture1Viewer").SetWidth(3000);
  ShowPicture1("fit3000x2000.png");
  EXPECT_EQ(Img("Image1").Width(), 3000);
  EXPECT_EQ(Img("Image1").Height(), 2000);
}

TEST_F(PicturesTest, ShortNamesShowThePlaceholderWithoutLoading) {
  WritePicture("good.png", Uniform(200, 100));
  WritePicture("abcd", Uniform(100, 200));  // a loadable file whose name is too short
  ShowPicture1("good.png");
  const float left = Img("Image1").Left(), width = Img("Image1").Width();
  for (const QString name : {"abcd", "", "ab"}) {
    SCOPED_TRACE(name.toStdString());
    SetNavigationEnabled(false);
    ShowPicture1(name);
    EXPECT_TRUE(ShowsPlaceholder());
    // Not fitted: the placeholder fills the rectangle of the last fit.
    EXPECT_EQ(Img("Image1").Left(), left);
    EXPECT_EQ(Img("Image1").Width(), width);
    EXPECT_EQ(Img("orgImage1").Picture().Image().size(), QSize(200, 100));
    ExpectNavigationEnabled();
  }
  // 5, 7 and 8 characters are loaded.
  for (const QString name : {"a.png", "abc.png", "abcd.png"}) {
    SCOPED_TRACE(name.toStdString());
    WritePicture(name, Uniform(name.length() * 10, 50));
    ShowPicture1(name);
    EXPECT_EQ(Shown().width(), name.length() * 10);
  }
}

TEST_F(PicturesTest, PictureButtonsFollowTheLengthOfTheirNames) {
  struct Case {
    QString name;
    bool enabled;
  };
  const Case cases[] = {{"", false}, {"abc.jpg", false}, {"abcd.jpg", true}, {"A99.JPG", false},
                        {"longer-name.jpg", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    Box("PicText2").SetText(c.name);
    Box("PicText3").SetText(c.name);
    EXPECT_EQ(Button("CMD_ViewImage2").Enabled(), c.enabled);
    EXPECT_EQ(Button("CMD_ViewImage3").Enabled(), c.enabled);
  }
}

TEST_F(PicturesTest, PictureButtonsShowTheirPicture) {
  WritePicture("first.png", Uniform(300, 200));
  WritePicture("second.png", Uniform(200, 300));
  WritePicture("third.png", Uniform(100, 100));
  ShowPicture1("first.png");
  Box("PicText2").SetText("second.png");
  Box("PicText3").SetText("third.png");
  Button("CMD_ViewImage2").Click();
  EXPECT_EQ(Shown().size(), QSize(200, 300));
  EXPECT_EQ(Img("Image1").Height(), 5175);
  Button("CMD_ViewImage3").Click();
  EXPECT_EQ(Shown().size(), QSize(100, 100));
  Button("CMD_ViewImage1").Click();
  EXPECT_EQ(Shown().size(), QSize(300, 200));
  EXPECT_EQ(Box("PicText1").Text(), "first.png");
  ExpectNavigationEnabled();
}

TEST_F(PicturesTest, NavigationButtonsAreDisabledWhileAPictureLoads) {
  WritePicture("stone.png", Uniform(40, 30));
  SetNavigationEnabled(true);
  EnabledRecorder recorder(Button("CMD_MoveFirst").Widget());
  ShowPicture1("stone.png");
  EXPECT_EQ(recorder.states, std::vector<bool>({false, true}));

  // Enabled at the end whatever they were before; the same name again
  // reloads nothing and leaves them alone.
  SetNavigationEnabled(false);
  recorder.states.clear();
  ShowPicture1("stone.png");
  EXPECT_TRUE(recorder.states.empty());
  EXPECT_FALSE(Button("CMD_MoveLast").Enabled());
  Button("CMD_ViewImage1").Click();
  EXPECT_EQ(recorder.states, std::vector<bool>({true}));
  ExpectNavigationEnabled();
}

TEST_F(PicturesTest, MissingFolderSwitchesPictureOneToTheFallBack) {
  // No KESTRO folder at all: the fall-back is missing as well, the chain
  // ends after one nested change, and the viewer shows the placeholder.
  const QString elsewhere = DataFolder() + "/elsewhere.png";
  WriteFile(elsewhere, Encoded(Uniform(10, 10), "PNG"));
  ASSERT_EQ(Window().MySizeImage1(Win(elsewhere)), 0);
  EXPECT_EQ(Shown().size(), QSize(10, 10));
  ShowPicture1("grave-17.jpg");
  EXPECT_EQ(Box("PicText1").Text(), "A99.JPG");
  EXPECT_TRUE(ShowsPlaceholder());
  EXPECT_EQ(Img("orgImage1").Picture().Image().size(), QSize(10, 10));
  ExpectNavigationEnabled();
  EXPECT_TRUE(Prompts().isEmpty());

  // Picture 2 with a missing folder puts the fall-back into picture 1 too.
  ShowPicture1("ab");
  Box("PicText2").SetText("grave-17b.jpg");
  Button("CMD_ViewImage2").Click();
  EXPECT_EQ(Box("PicText1").Text(), "A99.JPG");
  EXPECT_EQ(Box("PicText2").Text(), "grave-17b.jpg");
}

TEST_F(PicturesTest, FallBackPictureIsShownFromThePictureFolder) {
  WritePicture("A99.JPG", Uniform(480, 480), "JPG");
  ShowPicture1("no-such-folder\\grave.jpg");
  EXPECT_EQ(Box("PicText1").Text(), "A99.JPG");
  EXPECT_EQ(Shown().size(), QSize(480, 480));
  EXPECT_EQ(Img("Image1").Left(), -592.5f);
}

TEST_F(PicturesTest, PlaceholderIsAPaleYellowBitmapSayingNoPicture) {
  const QImage& image = browser::PlaceholderPicture().Image();
  EXPECT_EQ(image.size(), QSize(480, 640));
  EXPECT_EQ(image.depth(), 24);
  const QRgb yellow = qRgb(255, 255, 128), black = qRgb(0, 0, 0);
  int blackPixels = 0;
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      ASSERT_TRUE(pixel == yellow || pixel == black) << x << "," << y;
      if (pixel == black) {
        ++blackPixels;
        ink |= QRect(x, y, 1, 1);
      }
    }
  EXPECT_GT(blackPixels, 500);
  EXPECT_NEAR(ink.center().x(), 240, 8);
  EXPECT_NEAR(ink.center().y(), 320, 8);
  EXPECT_LT(ink.width(), 480);

  // The hidden source image holds it at its natural size.
  EXPECT_EQ(Img("Image2").Picture().Image().cacheKey(), image.cacheKey());
  EXPECT_EQ(Img("Image2").Width(), 7200);
  EXPECT_EQ(Img("Image2").Height(), 9600);
}

TEST_F(PicturesTest, BrokenPicturesShowThePlaceholderAndKeepTheWindowUsable) {
  const QByteArray jpeg = Encoded(Uniform(640, 480, QColor(200, 30, 30)), "JPG");
  QDir(Kestro()).mkpath("folder.jpg");
  WriteFile(Kestro() + "/text.jpg", "this is no picture\r\n");
  WriteFile(Kestro() + "/empty.jpg", "");
  WriteFile(Kestro() + "/header-only.jpg", jpeg.left(20));
  WriteFile(Kestro() + "/huge.bmp", HugeBitmapHeader());
  // 100 megapixels that cannot be shown within the pictures' memory budget.
  WriteFile(Kestro() + "/beyond.png", testkit::TwoTonePicture({10000, 10000}, "PNG"));
  struct Case {
    QString name;
    int error;
  };
  const Case cases[] = {{"missing.jpg", 53},      {"text.jpg", 481},   {"empty.jpg", 481},
                        {"header-only.jpg", 481}, {"huge.bmp", 481},   {"folder.jpg", 75},
                        {"beyond.png", 481}};
  WritePicture("good.png", Uniform(120, 90));
  const QString folder = Box("DataPathText").Text() + "KESTRO\\";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    ShowPicture1("good.png");
    EXPECT_EQ(Window().MySizeImage1(folder + c.name), c.error);
    EXPECT_TRUE(ShowsPlaceholder());
    ShowPicture1("good.png");
    ShowPicture1(c.name);
    EXPECT_EQ(Box("PicText1").Text(), c.name);  // only a missing folder falls back
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(Img("orgImage1").Picture().Image().size(), QSize(120, 90));
    EXPECT_EQ(Img("Image1").Height(), 5175);  // the placeholder is fitted: upright
    ExpectNavigationEnabled();
  }
  EXPECT_TRUE(Prompts().isEmpty());
  EXPECT_TRUE(ErrorLogLines().isEmpty());

  // A JPEG cut off in its picture data shows what arrived.
  WriteFile(Kestro() + "/cut.jpg", jpeg.left(jpeg.size() / 2));
  ShowPicture1("cut.jpg");
  EXPECT_EQ(Shown().size(), QSize(640, 480));
}

TEST_F(PicturesTest, CameraPictureOfFortyEightMegapixelsShowsAndCopiesAtFullSize) {
  WritePicture("camera-48.jpg", Uniform(8000, 6000, QColor(1, 2, 3)), "JPG");
  ShowPicture1("camera-48.jpg");
  EXPECT_EQ(Img("orgImage1").Width(), 120000);
  EXPECT_EQ(Img("orgImage1").Height(), 90000);
  const Image& image = Img("Image1");
  EXPECT_EQ(image.Picture().WidthPixels(), 8000);  // the picture, not the placeholder
  EXPECT_EQ(image.Width(), 6015);
  EXPECT_EQ(image.Height(), 4511.25f);
  EXPECT_EQ(image.Top(), 331.875f);
  Window().mnuCopy1_Click();
  EXPECT_EQ(Host().ClipboardImage().size(), QSize(8000, 6000));
  const QRgb pixel = Host().ClipboardImage().pixel(4000, 3000);
  EXPECT_LE(std::abs(qRed(pixel) - 1) + std::abs(qGreen(pixel) - 2) + std::abs(qBlue(pixel) - 3), 6);
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(PicturesTest, RightClickOffersCopy) {
  std::vector<QString> shown;
  forms::SetPopupMenuPresenter([&](forms::Menu& menu) { shown.push_back(menu.Name()); });
  Window().Image1_MouseDown(forms::vbLeftButton, 0, 10, 10);
  Window().Image1_MouseDown(forms::vbMiddleButton, 0, 10, 10);
  EXPECT_TRUE(shown.empty());
  Window().Image1_MouseDown(forms::vbRightButton, forms::vbShiftMask, 10, 10);
  forms::SetPopupMenuPresenter({});
  ASSERT_EQ(shown, std::vector<QString>({"mnuPopup1"}));
  const auto& items = Window().Form().Get<forms::Menu>("mnuPopup1").Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0]->Caption(), "Copy");
}

TEST_F(PicturesTest, CopyPutsTheShownPictureOnTheClearedClipboard) {
  using Kind = forms::TestHost::CallKind;
  ShowPicture1("x");
  ShowPicture1("");
  const size_t before = Host().Calls().size(), boxes = Host().MessageBoxes().size();
  Window().Form().Get<forms::Menu>("mnuCopy1").Click();
  ASSERT_EQ(Host().Calls().size(), before + 3);
  EXPECT_EQ(Host().Calls()[before].kind, Kind::ClipboardClear);
  EXPECT_EQ(Host().Calls()[before + 1].kind, Kind::ClipboardSetImage);
  EXPECT_EQ(Host().Calls()[before + 2].kind, Kind::MessageBox);
  EXPECT_EQ(Host().ClipboardImage().size(), QSize(480, 640));
  ASSERT_EQ(Host().MessageBoxes().size(), boxes + 1);
  const forms::MessageBoxRequest& box = Host().MessageBoxes().back();
  EXPECT_EQ(box.prompt,
            "Image is now on the clipboard and can be pasted into your photo editing software "
            "or documents");
  EXPECT_EQ(box.title, "Gravelight");
  EXPECT_EQ(box.flags, forms::mb::OKOnly);

  // A loaded picture goes at its own resolution, not the stretched size.
  WritePicture("stone.png", Uniform(321, 123, QColor(1, 2, 3)));
  ShowPicture1("stone.png");
  Window().mnuCopy1_Click();
  EXPECT_EQ(Host().ClipboardImage().size(), QSize(321, 123));
  EXPECT_EQ(Host().ClipboardImage().pixel(5, 5), qRgb(1, 2, 3));
  EXPECT_EQ(Window().Form().Get<PictureBox>("Picture2").Picture().Image().size(),
            QSize(321, 123));

  // Before any picture was shown there is nothing to copy.
  const size_t calls = Host().Calls().size();
  Img("Image1").SetPicture(forms::Picture());
  Window().mnuCopy1_Click();
  EXPECT_EQ(Host().Calls().size(), calls);
}

// The records' own pictures through the record loader and the navigation.
class RecordPicturesTest : public GravelightTest {};

TEST_F(RecordPicturesTest, EachRecordShowsItsFirstPicture) {
  QDir(DataFolder()).mkpath("KESTRO");
  WriteFile(DataFolder() + "/KESTRO/stone-1.jpg", Encoded(Uniform(300, 400), "JPG"));
  WriteFile(DataFolder() + "/KESTRO/stone-1b.jpg", Encoded(Uniform(500, 100), "JPG"));
  WriteDatabase({Sheet1({{{"LASTNAME", QString("Adams")}, {"ROW", QString("1")},
                          {"Pix1", QString("stone-1.jpg")}, {"Pix2", QString("stone-1b.jpg")}},
                         {{"LASTNAME", QString("Brown")}, {"ROW", QString("2")}}}),
                 Versht(QString("3.00"), QString("0"))});
  Start(WriteLaunchFile("cem.mdb"));
  auto& image = Window().Form().Get<Image>("Image1");
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));
  EXPECT_TRUE(Button("CMD_ViewImage1").Enabled());
  EXPECT_TRUE(Button("CMD_ViewImage2").Enabled());
  EXPECT_FALSE(Button("CMD_ViewImage3").Enabled());
  Button("CMD_ViewImage2").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(500, 100));

  Button("CMD_MoveNext").Click();
  EXPECT_EQ(image.Picture().Image().cacheKey(), browser::PlaceholderPicture().Image().cacheKey());
  EXPECT_FALSE(Button("CMD_ViewImage1").Enabled());
  Button("CMD_MovePrev").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// A search puts the placeholder in the viewer, a picture button another
// picture: the next record loaded shows its picture 1 again, also when its
// name is the one shown before. Between records with one picture-1 name
// the viewer is not reloaded.
TEST_F(RecordPicturesTest, AfterASearchOrAPictureButtonTheSameNameShowsItsPictureAgain) {
  QDir(DataFolder()).mkpath("KESTRO");
  WriteFile(DataFolder() + "/KESTRO/family.jpg", Encoded(Uniform(300, 400), "JPG"));
  WriteFile(DataFolder() + "/KESTRO/family-b.jpg", Encoded(Uniform(500, 100), "JPG"));
  const auto grave = [](const char* last, const char* row) {
    return democd::Record{{"LASTNAME", QString(last)}, {"ROW", QString(row)},
                          {"Pix1", QString("family.jpg")}, {"Pix2", QString("family-b.jpg")}};
  };
  WriteDatabase({Sheet1({grave("Adams", "1"), grave("Adams", "2")}),
                 Versht(QString("3.00"), QString("0"))});
  Start(WriteLaunchFile("cem.mdb"));
  auto& image = Window().Form().Get<Image>("Image1");
  auto& original = Window().Form().Get<Image>("orgImage1");
  ASSERT_EQ(image.Picture().Image().size(), QSize(300, 400));

  Button("CMD_SelectAll").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));
  Box("SelectionQueryText").SetText("Row = '1'");
  Button("CMD_CustomFindSort").Click();
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "1");
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));

  Button("CMD_SelectAll").Click();
  Button("CMD_ViewImage2").Click();
  ASSERT_EQ(image.Picture().Image().size(), QSize(500, 100));
  Button("CMD_MoveNext").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));

  // Plain navigation with one name: the picture shown stays, not reloaded.
  const qint64 loaded = original.Picture().Image().cacheKey();
  Button("CMD_MovePrev").Click();
  Button("CMD_MoveNext").Click();
  EXPECT_EQ(original.Picture().Image().cacheKey(), loaded);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(RecordPicturesTest, PicturesBeyondTheMemoryBudget) {
  // 100 megapixels in a PNG cannot be shown within the pictures' budget: the
  // record shows the placeholder, as for a missing file, and the next record
  // its own picture. 80 megapixels in a JPEG are shown reduced, but their
  // copy answers error 7, as a copy without memory does.
  QDir(DataFolder()).mkpath("KESTRO");
  WriteFile(DataFolder() + "/KESTRO/beyond.png", testkit::TwoTonePicture({10000, 10000}, "PNG"));
  WriteFile(DataFolder() + "/KESTRO/stone-2.jpg", Encoded(Uniform(300, 400), "JPG"));
  WriteFile(DataFolder() + "/KESTRO/scan-3.jpg", testkit::TwoTonePicture({10000, 8000}, "JPG"));
  WriteDatabase({Sheet1({{{"LASTNAME", QString("Adams")}, {"Pix1", QString("beyond.png")}},
                         {{"LASTNAME", QString("Brown")}, {"Pix1", QString("stone-2.jpg")}},
                         {{"LASTNAME", QString("Clark")}, {"Pix1", QString("scan-3.jpg")}}}),
                 Versht(QString("3.00"), QString("0"))});
  Start(WriteLaunchFile("cem.mdb"));
  const Image& image = Window().Form().Get<Image>("Image1");
  const qint64 placeholder = browser::PlaceholderPicture().Image().cacheKey();
  EXPECT_EQ(image.Picture().Image().cacheKey(), placeholder);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  Button("CMD_MoveNext").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));
  Button("CMD_MoveNext").Click();
  EXPECT_EQ(image.Picture().WidthPixels(), 10000);
  EXPECT_EQ(image.Width(), 6015);
  EXPECT_EQ(image.Height(), 4812);

  Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Window().mnuCopy1_Click();
  const QStringList prompts = Prompts();
  ASSERT_EQ(prompts.size(), 2);
  EXPECT_TRUE(prompts[0].startsWith("Error 7 (Out of memory) Process: mnuCopy1_Click."))
      << prompts[0].toStdString();
  EXPECT_TRUE(prompts[1].startsWith("Image is now on the clipboard"));
  EXPECT_TRUE(Host().ClipboardImage().isNull());
  EXPECT_EQ(ErrorLogLines().size(), 1);

  Button("CMD_MovePrev").Click();
  EXPECT_EQ(image.Picture().Image().size(), QSize(300, 400));
  Button("CMD_MoveFirst").Click();
  EXPECT_EQ(image.Picture().Image().cacheKey(), placeholder);
  EXPECT_EQ(Prompts().size(), 2);
}
