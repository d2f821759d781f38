// The search tabs, the check boxes that follow their boxes, the status-line
// help, the text edit menu and the Help menu's two web pages.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "platform/forms/Menu.h"
#include "platform/forms/UserActions.h"
#include "support/AppIdentity.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QtTest/QTest>

namespace {

using forms::vbRightButton;
namespace user = forms::user;

const QString kSorting =
    "To change sorting, choose sort by name or placement then click on Select/Sort to show all "
    "records or Find/Sort to show chosen records. ";
const QString kNames =
    "Click on 1 or both checkboxes and enter a name to search for. You may use an asterik ' * ' "
    "in you search. Example A* or *A* or *A";
const QString kSqlHelp =
    "Use SQL to select records. See online help for more examples.\r\n"
    "Example 1: Find All Browns:   Lastname=\"Brown\"\r\n"
    "Example 2: Find all Browns and Smiths:  Lastname=\"Brown\" OR Lastname=\"Smith\"\r\n"
    "Apostrophe's need to be entered as two  '' since this is SQL";

const char* const kFrames[] = {"NameSearch_Frame", "LocationSearch_Frame",
                               "CustomSelectionFrame"};

// A search box, its check box and the tab it lies on.
struct SearchBox {
  const char* box;
  const char* check;
  int tab;
};
const SearchBox kSearchBoxes[] = {
    {"LastnameText", "Lastname_Checkbox", 0},
    {"FirstnameText", "Firstname_Checkbox", 0},
    {"LocRowText", "LocRow_Checkbox", 1},
    {"LocSectionText", "LocSection_CheckBox", 1},
    {"LocCemeteryNameText", "LocCemetery_Checkbox", 1},
};

// The boxes with the edit menu and the tab each lies on (-1: no tab).
const std::pair<const char*, int> kMenuBoxes[] = {
    {"IndividualsTextbox", -1}, {"SelectionQueryText", 2}, {"LastnameText", 0},
    {"FirstnameText", 0},       {"LocRowText", 1},         {"LocSectionText", 1},
    {"LocCemeteryNameText", 1}};

}  // namespace

class TabsHelpMenuTest : public GravelightTest {
 protected:
  void SetUp() override {
    GravelightTest::SetUp();
    WriteDatabase({Sheet1({Burial("Smith", "Ann")}), Versht(QString("3.00"), QString("0"))});
    Start(WriteLaunchFile("cem.mdb"));
    forms::SetPopupMenuPresenter([this](forms::Menu& menu) {
      QStringList states;
      for (forms::Menu* item : menu.Items())
        states << item->Caption() + (item->Enabled() ? "" : " (greyed)");
      popups_ << menu.ObjectName() + ": " + states.join(", ");
    });
  }
  void TearDown() override {
    forms::SetPopupMenuPresenter(nullptr);
    GravelightTest::TearDown();
  }

  forms::TabControl& Tabs() { return WindowForm().Get<forms::TabControl>("SSTab1"); }
  forms::WindowControl& Control(const QString& name) {
    return WindowForm().Get<forms::WindowControl>(name);
  }
  QString Status() { return Lbl("LBL_HelpStatus").Caption(); }
  // Brings the box's tab to the front, as the user must before using it.
  void ShowTab(int tab) {
    if (tab >= 0) user::SelectTab(Tabs(), tab);
  }
  void RightClick(forms::TextBox& box) { user::MouseDown(box, vbRightButton, 60, 60); }
  // The pop-up menus opened since the last call, with their items' states.
  QStringList TakePopups() { return std::exchange(popups_, {}); }

 private:
  QStringList popups_;
};

// The design shows the "Name" tab; each tab brings its own frame to Left
// 120, Top 360 and parks the other two at Left -73250, Top 0, and only its
// frame is on the screen.
TEST_F(TabsHelpMenuTest, EachTabPlacesTheThreeFramesAndShowsItsOwn) {
  EXPECT_EQ(Tabs().Tab(), 0);
  EXPECT_EQ(Tabs().Tabs(), 3);
  EXPECT_EQ(QStringList({Tabs().TabCaption(0), Tabs().TabCaption(1), Tabs().TabCaption(2)}),
            QStringList({"Name", "Location", "Custom"}));
  for (int tab : {0, 1, 2, 2, 0, 1, 1}) {
    SCOPED_TRACE(tab);
    user::SelectTab(Tabs(), tab);
    EXPECT_EQ(Tabs().Tab(), tab);
    for (int i = 0; i < 3; ++i) {
      forms::WindowControl& frame = Control(kFrames[i]);
      EXPECT_EQ(frame.Left(), i == tab ? 120.0f : -73250.0f) << kFrames[i];
      EXPECT_EQ(frame.Top(), i == tab ? 360.0f : 0.0f) << kFrames[i];
      EXPECT_EQ(frame.Widget()->isVisible(), i == tab) << kFrames[i];
    }
  }
}

// Any change of a search box ticks its check box when text remains and
// unticks it when the box is empty: typed, by the edit menu or by code.
TEST_F(TabsHelpMenuTest, CheckBoxesFollowTheirBoxesHoweverTheTextChanges) {
  for (const SearchBox& s : kSearchBoxes) {
    SCOPED_TRACE(s.box);
    ShowTab(s.tab);
    forms::TextBox& box = Box(s.box);
    forms::CheckBox& check = Check(s.check);
    ASSERT_EQ(box.Text(), "");
    ASSERT_EQ(check.Value(), 0);

    user::Type(box, " ");  // a blank counts
    EXPECT_EQ(check.Value(), 1);
    user::Backspace(box);
    EXPECT_EQ(check.Value(), 0);

    box.SetText("12");
    EXPECT_EQ(check.Value(), 1);
    check.SetValue(0);
    box.SetText("12");  // the same text is no change
    EXPECT_EQ(check.Value(), 0);
    box.SetText("1");
    EXPECT_EQ(check.Value(), 1);
    box.SetText("");
    EXPECT_EQ(check.Value(), 0);

    Host().ClipboardSetText("7");
    RightClick(box);
    user::Choose(MenuItem("mnuPaste"));
    EXPECT_EQ(box.Text(), "7");
    EXPECT_EQ(check.Value(), 1);
    RightClick(box);
    user::Choose(MenuItem("mnuSelectAll"));
    RightClick(box);  // Cut is offered once something is selected
    user::Choose(MenuItem("mnuCut"));
    EXPECT_EQ(check.Value(), 0);
    user::Type(box, "ab");
    user::Choose(MenuItem("mnuSelectAll"));
    RightClick(box);
    user::Choose(MenuItem("mnuDelete"));
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(check.Value(), 0);
  }
}

// Every control of the help table sets its text as the mouse moves over it.
TEST_F(TabsHelpMenuTest, MovingOverAControlShowsItsHelpText) {
  const std::pair<const char*, QString> rows[] = {
      {"CMD_NameFindSort", "Use this button to choose records and sort."},
      {"CMD_SelectAll", "Use this button to select every record and sort"},
      {"NameSearch_Frame", kSorting},
      {"RecordSelection_Frame", kSorting},
      {"SortByFrame", kSorting},
      {"ImageNavigation_Frame", "If other pictures are availiable you can choose them here."},
      {"RecordNavigation_Frame", "Browse the data."},
      {"Image1", "Right click to copy this image to the clipboard. Use your image software to "
                 "edit or paste directly into another document."},
      {"SelectionQueryText", kSqlHelp},
      {"LastnameText", kNames},
      {"FirstnameText", kNames},
      {"LocSectionText", kNames},
      {"LocRowText", "Only numbers are allowed in row searches."},
      {"LocCemeteryNameText",
       "Enter cemetery name. Wildcards allowed *\r\n *Cem*   or  *Cem   or  Cem*"},
      {"txtfields(0)", "Double Click on the Cemetery Name field for detailed information."},
      {"txtfields(14)", "Double Click on the Cemetery Name field for detailed information."},
      {"txtfields(36)", "Double Click on the Cemetery Name field for detailed information."},
  };
  EXPECT_EQ(Status(), "LBL_HelpStatus");
  for (const auto& [name, text] : rows) {
    SCOPED_TRACE(name);
    Lbl("LBL_HelpStatus").SetCaption("before");
    user::MouseMove(Control(name), 30, 30);
    EXPECT_EQ(Status(), text);
  }
  EXPECT_TRUE(kSorting.endsWith("records. "));
  EXPECT_FALSE(kSqlHelp.endsWith("\n"));
}

// Moving over a control without an entry leaves the line alone; the
// window's background clears it; the search frame answers a press only.
TEST_F(TabsHelpMenuTest, UnlistedControlsLeaveTheLineAndTheBackgroundClearsIt) {
  user::MouseMove(Button("CMD_NameFindSort"), 30, 30);
  for (const char* name :
       {"CMD_MoveNext", "CMD_LocationFindSort", "CMD_CustomFindSort", "CMD_Cem_ShowInfo",
        "LocationSearch_Frame", "CustomSelectionFrame", "SSTab1", "Label18", "Label23",
        "IndividualsTextbox", "Lastname_Checkbox", "SortOption1", "Picture1", "LBL_HelpStatus",
        "SearchForRecords_Frame"}) {
    user::MouseMove(Control(name), 30, 30);
    EXPECT_EQ(Status(), "Use this button to choose records and sort.") << name;
  }
  user::MouseMove(WindowForm(), 30, 30);
  EXPECT_EQ(Status(), "");

  for (int button : {forms::vbLeftButton, forms::vbRightButton, forms::vbMiddleButton}) {
    Lbl("LBL_HelpStatus").SetCaption("before");
    user::MouseDown(Control("SearchForRecords_Frame"), button, 30, 30);
    EXPECT_EQ(Status(), kSorting) << button;
    user::MouseUp(Control("SearchForRecords_Frame"), button, 30, 30);
  }
}

// A right click opens the window's menu for the box, with Cut, Copy and
// Delete greyed when nothing is selected; other buttons open nothing.
TEST_F(TabsHelpMenuTest, RightClickOpensTheEditMenuWithStatesFromTheSelection) {
  const QString nothingSelected =
      "mnuTextCommands: Cut (greyed), Copy (greyed), Paste, Delete (greyed), Select All";
  const QString somethingSelected = "mnuTextCommands: Cut, Copy, Paste, Delete, Select All";
  for (const auto& [name, tab] : kMenuBoxes) {
    SCOPED_TRACE(name);
    ShowTab(tab);
    forms::TextBox& box = Box(name);
    box.SetText("Smith");
    box.SetSelStart(2);
    RightClick(box);
    EXPECT_EQ(TakePopups(), QStringList{nothingSelected});
    EXPECT_EQ(WindowForm().ActiveControl(), &box);
    EXPECT_TRUE(box.Enabled());
    box.SetSelLength(1);
    RightClick(box);
    EXPECT_EQ(TakePopups(), QStringList{somethingSelected});
    box.SetSelLength(0);
    RightClick(box);
    EXPECT_EQ(TakePopups(), QStringList{nothingSelected});
    user::MouseDown(box, forms::vbLeftButton, 60, 60);
    user::MouseUp(box, forms::vbLeftButton, 60, 60);
    user::MouseDown(box, forms::vbMiddleButton, 60, 60);
    EXPECT_TRUE(TakePopups().isEmpty());
  }
}

// The commands act on the box the menu was opened for.
TEST_F(TabsHelpMenuTest, EditCommandsActOnTheActiveBox) {
  ShowTab(0);
  forms::TextBox& last = Box("LastnameText");
  forms::TextBox& given = Box("FirstnameText");
  given.SetText("Ann");
  given.SetSelStart(0);
  given.SetSelLength(3);
  last.SetText("Smith");
  last.SetSelStart(1);
  last.SetSelLength(3);
  RightClick(last);

  user::Choose(MenuItem("mnuCopy"));
  EXPECT_EQ(Host().ClipboardTextHeld(), "mit");
  EXPECT_EQ(last.Text(), "Smith");
  user::Choose(MenuItem("mnuCut"));
  EXPECT_EQ(Host().ClipboardTextHeld(), "mit");
  EXPECT_EQ(last.Text(), "Sh");
  QStringList clipboardCalls;
  for (const auto& call : Host().Calls()) {
    if (call.kind == forms::TestHost::CallKind::ClipboardClear) clipboardCalls << "clear";
    if (call.kind == forms::TestHost::CallKind::ClipboardSetText) clipboardCalls << call.detail;
  }
  EXPECT_EQ(clipboardCalls, QStringList({"clear", "mit", "clear", "mit"}));

  Host().ClipboardSetText("ythe");
  user::Choose(MenuItem("mnuPaste"));  // at the caret
  EXPECT_EQ(last.Text(), "Sytheh");
  user::Choose(MenuItem("mnuSelectAll"));
  EXPECT_EQ(last.SelStart(), 0);
  EXPECT_EQ(last.SelLength(), 6);
  user::Choose(MenuItem("mnuDelete"));
  EXPECT_EQ(last.Text(), "");
  EXPECT_EQ(Check("Lastname_Checkbox").Value(), 0);
  EXPECT_EQ(Host().ClipboardTextHeld(), "ythe");
  EXPECT_EQ(given.Text(), "Ann");

  // Paste into the row box replaces its selection and ticks it.
  ShowTab(1);
  forms::TextBox& row = Box("LocRowText");
  row.SetText("1x3");
  Check("LocRow_Checkbox").SetValue(0);
  row.SetSelStart(1);
  row.SetSelLength(1);
  RightClick(row);
  Host().ClipboardSetText("2");
  user::Choose(MenuItem("mnuPaste"));
  EXPECT_EQ(row.Text(), "123");
  EXPECT_EQ(Check("LocRow_Checkbox").Value(), 1);
}

// In a window that has the focus, the menu's first step (the box disabled,
// enabled again and focused) takes the box's focus away for a moment; the
// box keeps its selection all the same, so a whole text selected with the
// menu or the keyboard is offered to Cut, Copy and Delete, and Paste
// replaces it.
TEST_F(TabsHelpMenuTest, ASelectionSurvivesTheMenuInAnActiveWindow) {
  const QString somethingSelected = "mnuTextCommands: Cut, Copy, Paste, Delete, Select All";
  QWidget* window = WindowForm().Window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  for (const SearchBox& s : kSearchBoxes) {
    SCOPED_TRACE(s.box);
    ShowTab(s.tab);
    forms::TextBox& box = Box(s.box);
    forms::CheckBox& check = Check(s.check);
    box.SetText("12");
    RightClick(box);
    user::Choose(MenuItem("mnuSelectAll"));
    TakePopups();
    RightClick(box);
    EXPECT_EQ(TakePopups(), QStringList{somethingSelected});
    EXPECT_EQ(box.SelText(), "12");
    Host().ClipboardSetText("XY");
    user::Choose(MenuItem("mnuPaste"));
    EXPECT_EQ(box.Text(), "XY");

    // Selected with the keyboard, cut with the menu: the check box follows.
    QTest::keyClick(box.Widget(), Qt::Key_A, Qt::ControlModifier);
    RightClick(box);
    EXPECT_EQ(TakePopups(), QStringList{somethingSelected});
    user::Choose(MenuItem("mnuCut"));
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(Host().ClipboardTextHeld(), "XY");
    EXPECT_EQ(check.Value(), 0);

    box.SetText("34");
    QTest::keyClick(box.Widget(), Qt::Key_A, Qt::ControlModifier);
    RightClick(box);
    user::Choose(MenuItem("mnuDelete"));
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(check.Value(), 0);

    // Paste of an empty clipboard replaces the selection by nothing.
    box.SetText("56");
    Host().ClipboardClear();
    RightClick(box);
    user::Choose(MenuItem("mnuSelectAll"));
    RightClick(box);
    user::Choose(MenuItem("mnuPaste"));
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(check.Value(), 0);
    user::MouseUp(box, vbRightButton, 60, 60);
  }
}

// The toolkit's own context menu never opens over the boxes with the
// program's menu; a box without it (a field box) still has it.
TEST_F(TabsHelpMenuTest, TheToolkitsContextMenuNeverAppearsInTheMenuBoxes) {
  auto contextMenuOpens = [&](forms::TextBox& box) {
    RightClick(box);
    QWidget* target = box.Widget();
    if (auto* area = qobject_cast<QAbstractScrollArea*>(target)) target = area->viewport();
    const QPoint at(4, 4);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    QWidget* popup = QApplication::activePopupWidget();
    if (popup) popup->close();
    user::MouseUp(box, vbRightButton, 60, 60);
    return popup != nullptr;
  };
  for (const auto& [name, tab] : kMenuBoxes) {
    ShowTab(tab);
    EXPECT_FALSE(contextMenuOpens(Box(name))) << name;
  }
  EXPECT_TRUE(contextMenuOpens(Box("txtfields", 3)));
  TakePopups();
}

// Help (also on F1) and Updates open the two pages through the host's
// address opener; a failed opener is not reported.
TEST_F(TabsHelpMenuTest, HelpAndUpdatesOpenTheirPagesAndAFailureSaysNothing) {
  const QString site = "http://" + AppIdentity::Current().webHost;
  ASSERT_FALSE(AppIdentity::Current().webHost.isEmpty());
  const QString help = site + "/help/karvelhelp/";
  const QString updates = site + "/help/karvelhelp/help-gravelight-updates.shtml";

  user::Choose(MenuItem("Help"));
  user::Choose(MenuItem("mnuUpdates"));
  EXPECT_EQ(Host().OpenedUrls(), QStringList({help, updates}));

  EXPECT_EQ(MenuItem("Help").Action()->shortcut(), QKeySequence(Qt::Key_F1));
  QWidget* window = WindowForm().Window();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, Qt::Key_F1);
  EXPECT_EQ(Host().OpenedUrls().size(), 3);
  EXPECT_EQ(Host().OpenedUrls().value(2), help);

  Host().SetOpenUrlResult(false);
  user::Choose(MenuItem("Help"));
  user::Choose(MenuItem("mnuUpdates"));
  EXPECT_EQ(Host().OpenedUrls().size(), 5);
  EXPECT_TRUE(Prompts().isEmpty());
  EXPECT_EQ(Host().EndProgramCount(), 0);
}
