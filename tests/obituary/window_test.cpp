// What the obituary viewer's main window shares with the cemetery viewer's,
// in its own names and words: the design tab, the check boxes that follow
// their boxes, the status-line help, the picture's "Copy", the web links,
// the about box and resizing; and what it has not: the text edit menu.
#include "tests/testkit/mournlight/MournlightTest.h"

#include "platform/forms/UserActions.h"

namespace {

const QString kSorting =
    "To change sorting, choose sort by name or placement then click on Select/Sort to show all "
    "records or Find/Sort to show chosen records. ";
const QString kNameHelp =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik ' * ' "
    "in you search. Example A* or *A* or *A";
const QString kSqlHelp =
    "Use SQL to select records. See online help for more examples.\r\n"
    "Example 1: Find All Browns:   Lastname=\"Brown\"\r\n"
    "Example 2: Find all Browns and Smiths:  Lastname=\"Brown\" OR Lastname=\"Smith\"\r\n";

}  // namespace

class WindowTest : public MournlightTest {
 protected:
  void SetUp() override {
    MournlightTest::SetUp();
    StartOn({Obituary("Smith", "Ann"), Obituary("Brown", "Bo")});
    ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
    forms::SetPopupMenuPresenter([this](forms::Menu& menu) { popups_ << menu.ObjectName(); });
  }
  void TearDown() override {
    forms::SetPopupMenuPresenter(nullptr);
    MournlightTest::TearDown();
  }
  forms::WindowControl& Control(const QString& name) {
    return WindowForm().Get<forms::WindowControl>(name);
  }
  QString Status() { return Lbl("LBL_MournlightEZHelp").Caption(); }
  QStringList popups_;
};

TEST_F(WindowTest, DesignTabIsSourceWithItsFrameInView) {
  auto& tabs = WindowForm().Get<forms::TabControl>("SSTab1");
  EXPECT_EQ(tabs.Tab(), 1);
  EXPECT_EQ(tabs.TabCaption(0), "Name");
  EXPECT_EQ(tabs.TabCaption(1), "Source");
  EXPECT_EQ(tabs.TabCaption(2), "Custom");
  const auto place = [&](const char* frame) {
    return std::pair(Control(frame).Left(), Control(frame).Top());
  };
  EXPECT_EQ(place("Frame11"), std::pair(120.0f, 360.0f));
  EXPECT_EQ(place("Frame10"), std::pair(-73250.0f, 0.0f));
  EXPECT_EQ(place("Frame13"), std::pair(-73250.0f, 0.0f));
  forms::user::SelectTab(tabs, 2);
  EXPECT_EQ(place("Frame13"), std::pair(120.0f, 360.0f));
  EXPECT_EQ(place("Frame11"), std::pair(-73250.0f, 0.0f));
  EXPECT_EQ(WindowForm().Get<forms::Frame>("Frame11").Caption(), "Source Search");
}

TEST_F(WindowTest, CheckBoxesFollowTheirBoxes) {
  for (int i = 1; i <= 5; ++i) {
    auto& box = Box(QString("Text%1").arg(i));
    auto& check = Check(QString("Check%1").arg(i));
    forms::user::Type(box, " ");
    EXPECT_EQ(check.Value(), 1) << i;
    forms::user::Backspace(box);
    EXPECT_EQ(check.Value(), 0) << i;
  }
}

// Status-line help: a fixed text for the control under the mouse.
struct HelpCase {
  const char* control;
  bool press;  // a button pressed rather than a move
  QString text;
};

TEST_F(WindowTest, StatusLineHelpOfEachControl) {
  const std::vector<HelpCase> cases = {
      {"Command1", false, "Use this button to choose records and sort."},
      {"Command6", false, "Use this button to select every record and sort"},
      {"Frame7", false, kSorting},
      {"Frame8", false, kSorting},
      {"Frame11", false, QString()},  // no entry: unchanged
      {"Frame9", true, kSorting},
      {"Frame2", false, "If other pictures are availiable you can choose them here."},
      {"Frame6", false, "Browse the data."},
      {"Image1", false,
       "Right click to copy this image to the clipboard. Use your image software to edit or "
       "paste directly into another document."},
      {"SelectionQueryText", false, kSqlHelp},
      {"Text1", false, kNameHelp},
      {"Text2", false, kNameHelp},
      {"Text4", false, kNameHelp},
      {"Text3", false, "Only numbers are allowed in row searches."},
      {"Text5", false,
       "Enter Obituary name. Wildcards allowed *\r\n *Obit*   or  *Obit   or  Obit*"},
      {"Command14", false, QString()},  // no entry: unchanged
  };
  for (const HelpCase& c : cases) {
    Lbl("LBL_MournlightEZHelp").SetCaption("before");
    if (c.press) {
      forms::user::MouseDown(Control(c.control), 1, 10, 10);
    } else {
      forms::user::MouseMove(Control(c.control), 10, 10);
    }
    EXPECT_EQ(Status(), c.text.isNull() ? QString("before") : c.text) << c.control;
  }
  forms::user::MouseMove(Control("Frame9"), 10, 10);
  EXPECT_EQ(Status(), "before");  // only a press over this frame
  forms::user::SelectTab(WindowForm().Get<forms::TabControl>("SSTab1"), 0);
  forms::user::MouseMove(Control("Frame10"), 10, 10);
  EXPECT_EQ(Status(), kSorting);
  forms::user::MouseMove(WindowForm(), 10, 7600);
  EXPECT_EQ(Status(), "");
}

TEST_F(WindowTest, NoTextEditMenuOnAnyBox) {
  EXPECT_EQ(WindowForm().Controls().Find("mnuTextCommands"), nullptr);
  for (const char* box : {"MournlightText", "SelectionQueryText", "Text1", "Text2", "Text3",
                          "Text4", "Text5"})
    forms::user::MouseDown(Box(box), 2, 20, 20);
  EXPECT_TRUE(popups_.isEmpty()) << popups_.join(" ").toStdString();
}

TEST_F(WindowTest, PictureCopyFromItsPopUp) {
  forms::user::MouseDown(Control("Image1"), 2, 20, 20);
  ASSERT_EQ(popups_, QStringList({"mnuPopup1"}));
  forms::user::Choose(MenuItem("mnucopy1"));
  EXPECT_EQ(Prompts(), QStringList({"Image is now on the clipboard and can be pasted into your "
                                    "photo editing software or documents"}));
  EXPECT_FALSE(Host().ClipboardImage().isNull());
}

TEST_F(WindowTest, HelpAndUpdatesOpenTheirPages) {
  forms::user::Choose(MenuItem("Help"));
  forms::user::Choose(MenuItem("mnuUpdates"));
  EXPECT_EQ(Host().OpenedUrls(),
            QStringList({"http://www.gravelight.example/help/Mournlight/",
                         "http://www.gravelight.example/help/karvelhelp/"
                         "help-karvelsuite-updates.shtml"}));
}

TEST_F(WindowTest, AboutBoxWithItsTextsCentredAndNotModal) {
  Host().SetScreenSizeTwips(19200, 14400);
  forms::user::Choose(MenuItem("mnuAbout"));
  ASSERT_NE(Window().AboutBox(), nullptr);
  forms::Form& about = Window().AboutBox()->Form();
  EXPECT_TRUE(Host().ModalShows().isEmpty());
  EXPECT_TRUE(about.Visible());
  EXPECT_EQ(about.Name(), "FRMMournlightAbout");
  EXPECT_EQ(about.Caption(), "Mournlight");
  EXPECT_EQ(about.ScaleWidth(), 6015);
  EXPECT_EQ(about.ScaleHeight(), 3870);
  EXPECT_EQ(about.Get<forms::Label>("Label2").Caption(), "Mournlight");
  EXPECT_EQ(about.Get<forms::Label>("Label3").Caption(), "Version 1.0.0000 -  SQ 3.4.0");
  auto& reads = about.Get<forms::Label>("Label4", 2);
  EXPECT_EQ(reads.Caption(), "This version reads obituary databases through data versions 1.x");
  EXPECT_EQ(std::tuple(reads.Left(), reads.Top(), reads.Width(), reads.Height()),
            std::tuple(120.0f, 2520.0f, 5895.0f, 615.0f));
  EXPECT_EQ(about.Top(), (14400 - about.Height()) / 2);
  EXPECT_EQ(about.Left(), (19200 - about.Width()) / 2);
  forms::user::Click(about.Get<forms::CommandButton>("Command1"));
  EXPECT_FALSE(about.IsLoaded());
}

TEST_F(WindowTest, WiderWindowScalesPlacesAndWidths) {
  const float width = WindowForm().ScaleWidth(), height = WindowForm().ScaleHeight();
  EXPECT_EQ(width, 11910);
  EXPECT_EQ(height, 7665);
  const float textLeft = Control("MournlightText").Left(), textTop = Control("MournlightText").Top();
  const float frameLeft = Control("Frame12").Left(), frameWidth = Control("Frame12").Width();
  const float frameHeight = Control("Frame12").Height();
  forms::user::Resize(WindowForm(), width * 4 / 3, height);
  // The inner size the window system gave, in whole pixels.
  const float rx = WindowForm().ScaleWidth() / width;
  EXPECT_NEAR(rx, 4.0 / 3, 0.01);
  EXPECT_EQ(WindowForm().ScaleHeight(), height);
  EXPECT_FLOAT_EQ(Control("MournlightText").Left(), textLeft * rx);
  EXPECT_FLOAT_EQ(Control("MournlightText").Top(), textTop);
  EXPECT_FLOAT_EQ(Control("Frame12").Left(), frameLeft * rx);
  EXPECT_FLOAT_EQ(Control("Frame12").Width(), frameWidth * rx);
  EXPECT_FLOAT_EQ(Control("Frame12").Height(), frameHeight);
  forms::user::Resize(WindowForm(), width, height);
  EXPECT_NEAR(Control("Frame12").Left(), frameLeft, 0.01);
  EXPECT_EQ(Host().EndProgramCount(), 0);
}
