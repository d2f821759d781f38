// The about box: opened from the main window's Help menu without blocking
// it, centred on the screen, one box shown again, OK unloads it.
#include "placeinfo/AboutBox.h"

#include "platform/forms/Forms.h"
#include "platform/forms/UserActions.h"
#include "tests/testkit/gravelight/GravelightTest.h"

#include <QWidget>

using forms::user::Choose;
using forms::user::Click;

class AboutBoxTest : public GravelightTest {
 protected:
  void SetUp() override {
    GravelightTest::SetUp();
    WriteDatabase({Sheet1({Burial("Smith", "Ann")}), Versht(QString("3.00"), QString("0"))});
    Start(WriteLaunchFile("cem.mdb"));
  }
  forms::Form& About() { return Window().AboutBox()->Form(); }
};

TEST_F(AboutBoxTest, CentredOnTheScreenWhereverTheMainWindowStands) {
  struct Case {
    double screenWidth, screenHeight;
    float mainLeft, mainTop;
  };
  for (const Case& c : {Case{1280 * 15.0, 1024 * 15.0, 0, 0},
                        Case{1024 * 15.0, 768 * 15.0, 9000, 4000},
                        Case{1921 * 15.0, 1081 * 15.0, -300, 700}}) {
    Host().SetScreenSizeTwips(c.screenWidth, c.screenHeight);
    Window().Form().SetLeft(c.mainLeft);
    Window().Form().SetTop(c.mainTop);
    Choose(MenuItem("mnuAbout"));
    ASSERT_NE(Window().AboutBox(), nullptr);
    forms::Form& about = About();
    EXPECT_EQ(about.Top(), (static_cast<float>(c.screenHeight) - about.Height()) / 2);
    EXPECT_EQ(about.Left(), (static_cast<float>(c.screenWidth) - about.Width()) / 2);
    EXPECT_TRUE(about.Visible());
    Click(about.Get<forms::CommandButton>("CMD_OK"));
    EXPECT_FALSE(about.IsLoaded());
    EXPECT_FALSE(about.Visible());
  }
  // Not modal: no modal show, and the main window goes on taking input.
  EXPECT_TRUE(Host().ModalShows().isEmpty());
  EXPECT_TRUE(Window().Form().Window()->isEnabled());
  EXPECT_TRUE(Prompts().isEmpty());
}

TEST_F(AboutBoxTest, ChosenAgainTheOpenBoxIsShownWithoutLoadingAnew) {
  Choose(MenuItem("mnuAbout"));
  placeinfo::AboutBox* first = Window().AboutBox();
  About().SetLeft(15);
  About().SetTop(30);
  Choose(MenuItem("mnuAbout"));
  EXPECT_EQ(Window().AboutBox(), first);
  EXPECT_EQ(About().Left(), 15);  // its load did not run again
  EXPECT_EQ(About().Top(), 30);
  EXPECT_TRUE(About().Visible());
  // Unloaded by OK, the next choice loads it again: centred anew.
  Click(About().Get<forms::CommandButton>("CMD_OK"));
  Choose(MenuItem("mnuAbout"));
  EXPECT_EQ(Window().AboutBox(), first);
  EXPECT_EQ(About().Left(), (static_cast<float>(Host().ScreenWidthTwips()) - About().Width()) / 2);
  EXPECT_TRUE(About().Visible());
  // The close box unloads it as well.
  forms::user::Close(About());
  EXPECT_FALSE(About().IsLoaded());
}

TEST_F(AboutBoxTest, CaptionsPlacesAndFonts) {
  Choose(MenuItem("mnuAbout"));
  forms::Form& about = About();
  EXPECT_EQ(about.Caption(), "Gravelight");
  EXPECT_EQ(about.BorderStyle(), forms::vbSizable);
  EXPECT_EQ(about.ScaleWidth(), 5805);
  EXPECT_EQ(about.ScaleHeight(), 3870);
  // Design sizes of the platform's 8.25-point sans serif, drawn in the
  // standard font whose 8 points stand for 8.25.
  const auto points = [](double design) { return design * 8.0 / 8.25; };
  struct Control {
    const char* name;
    const char* caption;  // nullptr: the maker's details, any text
    float left, top, width, height;
    double designPoints;
  };
  const Control controls[] = {
      {"Label2", "Gravelight", 1560, 240, 2655, 615, 24},
      {"Label3", "Version 3.0.0002 - d3.6", 1560, 1080, 2895, 375, 9.75},
      {"Label4(2)", "This version reads databases through data versions 3.x", 240, 2520, 5415,
       615, 9.75},
      {"CMD_OK", "OK", 4440, 3240, 1215, 555, 8.25},
      {"Label1", nullptr, 840, 840, 4575, 375, 8.25},
      {"Label4(0)", nullptr, 1080, 1800, 4095, 375, 9.75},
      {"Label4(1)", nullptr, 1200, 2040, 3375, 375, 9.75},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.name);
    auto& control = about.Get<forms::WindowControl>(c.name);
    QString caption;
    if (auto* label = dynamic_cast<forms::Label*>(&control)) caption = label->Caption();
    if (auto* button = dynamic_cast<forms::CommandButton*>(&control)) caption = button->Caption();
    if (c.caption)
      EXPECT_EQ(caption, c.caption);
    else
      EXPECT_FALSE(caption.isEmpty());
    EXPECT_EQ(control.Left(), c.left);
    EXPECT_EQ(control.Top(), c.top);
    EXPECT_EQ(control.Width(), c.width);
    EXPECT_EQ(control.Height(), c.height);
    EXPECT_DOUBLE_EQ(control.Widget()->font().pointSizeF(), points(c.designPoints));
  }
}
