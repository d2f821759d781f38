// The information window's three pictures: the names that load them, the
// fit of each picture into the large view and the thumbnails, the clicks and
// buttons that choose the large view's picture, and its copy to the
// clipboard.
#include "CemInfoTest.h"

#include "platform/forms/Forms.h"
#include "platform/forms/UserActions.h"
#include "tests/testkit/windows/LargePictures.h"

#include <QDir>

using forms::Image;
using forms::user::Click;
using placeinfo::CemInfo;

namespace {

struct Geometry {
  float width, height, left, top;
  bool operator==(const Geometry&) const = default;
};

void PrintTo(const Geometry& g, std::ostream* os) {
  *os << g.width << " x " << g.height << " at " << g.left << ", " << g.top;
}

Geometry Of(const Image& view) { return {view.Width(), view.Height(), view.Left(), view.Top()}; }

const QColor kRed(200, 30, 30), kGreen(30, 160, 60), kBlue(20, 40, 180);

}  // namespace

class InfoPicturesTest : public CemInfoTest {
 protected:
  // The picture a view shows: its size in pixels and its colour.
  static QString Shows(const Image& view) {
    const QImage& image = view.Picture().Image();
    if (image.isNull()) return "nothing";
    return QStringLiteral("%1x%2 %3")
        .arg(image.width())
        .arg(image.height())
        .arg(QColor(image.pixel(0, 0)).name());
  }
  static QString Shows(int width, int height, QColor color) {
    return QStringLiteral("%1x%2 %3").arg(width).arg(height).arg(color.name());
  }
  forms::CommandButton& InfoButton(CemInfo& info, const char* name) {
    return info.Form().Get<forms::CommandButton>(name);
  }
};

TEST_F(InfoPicturesTest, FitsEachPictureIntoItsViewToTheDigit) {
  struct Case {
    int width, height;
    Geometry large, thumbnail;
  };
  const Case cases[] = {
      {640, 480, {6375, 4781.25f, 0, 196.875f}, {2055, 1541.25f, 0, 76.875f}},
      {480, 640, {3881.25f, 5175, 1246.875f, 0}, {1271.25f, 1695, 391.875f, 0}},
      {500, 500, {5175, 5175, 600, 0}, {1695, 1695, 180, 0}},  // a square counts as upright
      // Wider than the box's proportion: the top and bottom strips are cut.
      {600, 500, {6375, 5312.5f, 0, -68.75f}, {2055, 1712.5f, 0, -8.75f}},
      {100, 100, {5175, 5175, 600, 0}, {1695, 1695, 180, 0}},  // enlarged
      {6000, 4000, {6375, 4250, 0, 462.5f}, {2055, 1370, 0, 162.5f}},
  };
  std::vector<democd::Record> rows;
  for (const Case& c : cases) {
    const QString name = QStringLiteral("p%1x%2.jpg").arg(c.width).arg(c.height);
    WritePicture(name, Uniform(c.width, c.height, kRed), "JPEG");
    rows.push_back(Cem(name, {{"CemPix1", name}, {"CemPix2", name}, {"CemPix3", name}}));
  }
  StartWith(rows);
  for (const Case& c : cases) {
    const QString name = QStringLiteral("p%1x%2.jpg").arg(c.width).arg(c.height);
    SCOPED_TRACE(name.toStdString());
    Open(name);
    for (const char* view : {"Image1", "Image5", "Image2", "Image3"}) {
      SCOPED_TRACE(view);
      EXPECT_EQ(Of(Img(view)), QString(view) == "Image1" ? c.large : c.thumbnail);
      EXPECT_TRUE(Img(view).Visible());
      EXPECT_EQ(Img(view).Picture().Image().size(), QSize(c.width, c.height));
    }
    // The holders measure the pictures at their natural size.
    for (const char* holder : {"orgImage1", "orgImage2", "orgImage3"}) {
      EXPECT_EQ(Img(holder).Width(), c.width * 15.0f) << holder;
      EXPECT_EQ(Img(holder).Height(), c.height * 15.0f) << holder;
    }
    // Picture 2 in the large view takes the large view's fit.
    Info().Window().Pictures().Image2_Click();
    EXPECT_EQ(Of(Img("Image1")), c.large);
  }
  EXPECT_TRUE(OpenPrompts().isEmpty());
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(InfoPicturesTest, NamesOfFiveOrMoreCharactersLoadWhatIsAPicture) {
  QDir(DataFolder()).mkpath("KESTRO");
  WritePicture("abcd", Uniform(640, 480, kRed));
  WritePicture("abcde", Uniform(640, 480, kGreen));
  WriteFile(DataFolder() + "/KESTRO/text.jpg", "this is not a picture");
  WriteFile(DataFolder() + "/KESTRO/empty.jpg", "");
  QDir(DataFolder()).mkpath("KESTRO/afolder.jpg");
  WritePicture("two.png", Uniform(480, 640, kBlue));
  WritePicture("CemPicText1", Uniform(640, 480, kRed));
  // 100 megapixels that cannot be shown within the pictures' memory budget.
  WriteFile(DataFolder() + "/KESTRO/beyond.png", testkit::TwoTonePicture({10000, 10000}, "PNG"));
  struct Case {
    const char* pix1;
    QString large, thumbnail1;
    Geometry largeView;
  };
  // Design places of the large view and of thumbnail 1.
  const Geometry designLarge{855, 735, 2640, 2280};
  // A holder without a picture keeps its 375 x 375: it is fitted as a square.
  const Geometry emptySquare{5175, 5175, 600, 0};
  const Case cases[] = {
      {"abcd", "nothing", "nothing", designLarge},
      // The box's own design text: no change, nothing loaded.
      {"CemPicText1", "nothing", "nothing", designLarge},
      {"abcde", Shows(640, 480, kGreen), Shows(640, 480, kGreen), {6375, 4781.25f, 0, 196.875f}},
      {"missing.jpg", "nothing", "nothing", emptySquare},
      {"text.jpg", "nothing", "nothing", emptySquare},
      {"empty.jpg", "nothing", "nothing", emptySquare},
      {"afolder.jpg", "nothing", "nothing", emptySquare},
      {"nofolder\\a.jpg", "nothing", "nothing", emptySquare},
      {"beyond.png", "nothing", "nothing", emptySquare},
  };
  std::vector<democd::Record> rows;
  for (const Case& c : cases)
    rows.push_back(Cem(c.pix1, {{"CemPix1", QString(c.pix1)}, {"CemPix2", QString("two.png")}}));
  StartWith(rows);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pix1);
    Open(c.pix1);
    EXPECT_EQ(InfoBox("CemPicText1").Text(), c.pix1);
    EXPECT_EQ(Shows(Img("Image1")), c.large);
    EXPECT_EQ(Shows(Img("Image5")), c.thumbnail1);
    EXPECT_EQ(Of(Img("Image1")), c.largeView);
    // Picture 2 loads whatever became of picture 1.
    EXPECT_EQ(Shows(Img("Image2")), Shows(480, 640, kBlue));
    EXPECT_EQ(Of(Img("Image2")), (Geometry{1271.25f, 1695, 391.875f, 0}));
    // Nothing loaded or no name: thumbnail 3 keeps its design state.
    EXPECT_EQ(Shows(Img("Image3")), "nothing");
    EXPECT_EQ(Of(Img("Image3")), (Geometry{855, 735, 720, 600}));
  }
  EXPECT_TRUE(OpenPrompts().isEmpty());
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(InfoPicturesTest, FailingFileTestIsAnsweredByTheLoadingProcedure) {
  // "|" is no character of a file name: the file test raises 52.
  StartWith(std::vector<democd::Record>{Cem("Oak Hill", {{"CemPix1", QString("bad|1.jpg")},
                                                         {"CemPix2", QString("bad|2.jpg")},
                                                         {"CemPix3", QString("bad|3.jpg")}})});
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  Open("Oak Hill");
  const QStringList prompts = OpenPrompts();
  ASSERT_EQ(prompts.size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(prompts[i].startsWith("Error 52 (")) << prompts[i].toStdString();
    EXPECT_TRUE(prompts[i].contains(QStringLiteral(") Process: MySizeImage%1.CemInfo ").arg(i + 1)))
        << prompts[i].toStdString();
  }
  // Abort leaves the view hidden and, for picture 1, thumbnail 1 untouched.
  EXPECT_FALSE(Img("Image1").Visible());
  EXPECT_EQ(Of(Img("Image5")), (Geometry{855, 735, 600, 480}));
  // Ignore goes on to the fit: an empty square.
  EXPECT_TRUE(Img("Image2").Visible());
  EXPECT_EQ(Of(Img("Image2")), (Geometry{1695, 1695, 180, 0}));
  EXPECT_EQ(Shows(Img("Image2")), "nothing");
  EXPECT_FALSE(Img("Image3").Visible());
  // A later fit shows the large view again.
  Info().Window().Pictures().Image1_Click();
  EXPECT_TRUE(Img("Image1").Visible());
}

TEST_F(InfoPicturesTest, ClicksAndButtonsChooseTheLargeViewsPicture) {
  WritePicture("one.png", Uniform(640, 480, kRed));
  WritePicture("two.png", Uniform(480, 640, kGreen));
  StartWith(std::vector<democd::Record>{
      Cem("Oak Hill", {{"CemPix1", QString("one.png")}, {"CemPix2", QString("two.png")}})});
  const QString one = Shows(640, 480, kRed), two = Shows(480, 640, kGreen);
  const Geometry oneLarge{6375, 4781.25f, 0, 196.875f}, twoLarge{3881.25f, 5175, 1246.875f, 0};
  // A holder that never had a picture: 375 x 375, fitted as a square.
  const Geometry none{5175, 5175, 600, 0};
  struct Step {
    const char* control;
    QString shows;
    Geometry large;
  };
  const Step steps[] = {
      {"CMD_ViewImage2", two, twoLarge}, {"Image1", one, oneLarge},
      {"Image2", two, twoLarge},         {"Image5", one, oneLarge},
      {"CMD_ViewImage3", "nothing", none}, {"CMD_ViewImage1", one, oneLarge},
      {"Image3", "nothing", none},       {"Image1", one, oneLarge},
  };
  std::vector<QString> failures;
  Open("Oak Hill", [&](CemInfo& info) {
    for (const Step& s : steps) {
      Click(info.Form().Get<forms::WindowControl>(s.control));
      const Image& large = info.Form().Get<Image>("Image1");
      if (Shows(large) != s.shows || !(Of(large) == s.large) || !large.Visible())
        failures.push_back(QString(s.control) + " -> " + Shows(large));
    }
  });
  EXPECT_TRUE(failures.empty()) << QStringList(failures.begin(), failures.end()).join("; ").toStdString();
  // The thumbnails and holders stay as they were loaded.
  EXPECT_EQ(Shows(Img("Image5")), one);
  EXPECT_EQ(Shows(Img("Image2")), two);
  EXPECT_EQ(Shows(Img("Image3")), "nothing");
  EXPECT_TRUE(OpenPrompts().isEmpty());
}

TEST_F(InfoPicturesTest, PopUpCopyPutsTheShownPictureOnTheClearedClipboard) {
  using Kind = forms::TestHost::CallKind;
  WritePicture("one.jpg", Uniform(3000, 2000, kRed), "JPEG");
  WritePicture("two.png", Uniform(321, 123, kGreen));
  StartWith(std::vector<democd::Record>{
      Cem("Oak Hill", {{"CemPix1", QString("one.jpg")}, {"CemPix2", QString("two.png")}})});
  std::vector<QString> popups;
  forms::SetPopupMenuPresenter([&](forms::Menu& menu) { popups.push_back(menu.Name()); });
  struct Copy {
    std::vector<Kind> calls;
    QSize image;
  };
  std::vector<Copy> copies;
  Open("Oak Hill", [&](CemInfo& info) {
    Image& large = info.Form().Get<Image>("Image1");
    forms::user::MouseDown(large, forms::vbLeftButton, 100, 100);
    forms::user::MouseDown(large, forms::vbMiddleButton, 100, 100);
    forms::user::MouseDown(large, forms::vbRightButton, 100, 100);
    const auto copy = [&] {
      const size_t before = Host().Calls().size();
      forms::user::Choose(info.Form().Get<forms::Menu>("mnuCopy1"));
      Copy made;
      for (size_t i = before; i < Host().Calls().size(); ++i)
        made.calls.push_back(Host().Calls()[i].kind);
      made.image = Host().ClipboardImage().size();
      copies.push_back(made);
    };
    copy();
    EXPECT_NEAR(QColor(Host().ClipboardImage().pixel(1500, 1000)).red(), kRed.red(), 4);
    Click(InfoButton(info, "CMD_ViewImage2"));
    copy();
    Click(InfoButton(info, "CMD_ViewImage3"));
    copy();
  });
  forms::SetPopupMenuPresenter({});
  EXPECT_EQ(popups, std::vector<QString>({"mnuPopup1"}));
  const auto& items = Info().Form().Get<forms::Menu>("mnuPopup1").Items();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0]->Caption(), "Copy");
  // The picture at its natural resolution, not at the view's size.
  ASSERT_EQ(copies.size(), 3u);
  const std::vector<Kind> withPicture = {Kind::ClipboardClear, Kind::ClipboardSetImage,
                                         Kind::MessageBox};
  EXPECT_EQ(copies[0].calls, withPicture);
  EXPECT_EQ(copies[0].image, QSize(3000, 2000));
  EXPECT_EQ(copies[1].calls, withPicture);
  EXPECT_EQ(copies[1].image, QSize(321, 123));
  // Nothing shown: the clipboard is cleared and stays empty; the message follows.
  EXPECT_EQ(copies[2].calls, std::vector<Kind>({Kind::ClipboardClear, Kind::MessageBox}));
  EXPECT_TRUE(copies[2].image.isEmpty());
  const QString message =
      "Image is now on the clipboard and can be pasted into your photo editing software or "
      "documents";
  EXPECT_EQ(OpenPrompts(), QStringList({message, message, message}));
  EXPECT_EQ(Host().MessageBoxes().back().flags, forms::mb::OKOnly);
  EXPECT_EQ(Host().MessageBoxes().back().title, "Gravelight");
}

TEST_F(InfoPicturesTest, PictureBeyondTheBudgetWholeIsShownButItsCopyAnswersError7) {
  // 80 megapixels: the large view and its thumbnail show them reduced; the
  // copy answers as a copy without memory does.
  QDir(DataFolder()).mkpath("KESTRO");
  WriteFile(DataFolder() + "/KESTRO/scan.jpg", testkit::TwoTonePicture({10000, 8000}, "JPG"));
  StartWith(std::vector<democd::Record>{Cem("Oak Hill", {{"CemPix1", QString("scan.jpg")}})});
  std::vector<forms::TestHost::CallKind> calls;
  Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Open("Oak Hill", [&](CemInfo& info) {
    const size_t before = Host().Calls().size();
    forms::user::Choose(info.Form().Get<forms::Menu>("mnuCopy1"));
    for (size_t i = before; i < Host().Calls().size(); ++i) calls.push_back(Host().Calls()[i].kind);
  });
  for (const char* view : {"Image1", "Image5"}) {
    EXPECT_EQ(Img(view).Picture().WidthPixels(), 10000) << view;
    EXPECT_TRUE(Img(view).Visible()) << view;
  }
  EXPECT_EQ(Of(Img("Image1")), (Geometry{6375, 5100, 0, 37.5f}));
  using Kind = forms::TestHost::CallKind;
  EXPECT_EQ(calls, std::vector<Kind>({Kind::ClipboardClear, Kind::MessageBox, Kind::MessageBox}));
  const QStringList prompts = OpenPrompts();
  ASSERT_EQ(prompts.size(), 2);
  EXPECT_TRUE(prompts[0].startsWith("Error 7 (Out of memory) Process: mnuCopy1_Click.CemInfo "))
      << prompts[0].toStdString();
  EXPECT_TRUE(prompts[1].startsWith("Image is now on the clipboard"));
  EXPECT_TRUE(Host().ClipboardImage().isNull());
}

TEST_F(InfoPicturesTest, EachOpeningLoadsThePicturesAgain) {
  WritePicture("one.png", Uniform(640, 480, kRed));
  StartWith(std::vector<democd::Record>{Cem("Oak Hill", {{"CemPix1", QString("one.png")}})});
  Open("Oak Hill");
  EXPECT_EQ(Shows(Img("Image1")), Shows(640, 480, kRed));
  WritePicture("one.png", Uniform(480, 640, kBlue));
  Open("Oak Hill");
  EXPECT_EQ(Shows(Img("Image1")), Shows(480, 640, kBlue));
  EXPECT_EQ(Shows(Img("Image5")), Shows(480, 640, kBlue));
}
