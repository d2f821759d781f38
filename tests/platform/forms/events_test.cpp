// Events with the platform's semantics: change actions that nest and run
// only on a real change, check box and option button clicks, tabs, mouse
// events in twips, and user events that run through the event dispatch.
#include "forms_helpers.h"

#include "platform/forms/UserActions.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace forms;
using formstest::ErrorOf;

namespace {

class EventsTest : public formstest::FormsTest {
 protected:
  Form form{"FormGravelightMain"};
};

TEST_F(EventsTest, ChangeRunsNestedAndOnlyOnARealChange) {
  TextBox& pic = form.Add<TextBox>("PicText1");
  QStringList log;
  pic.OnChange = [&] {
    log << "enter " + pic.Text();
    if (pic.Text() != "A99.JPG") pic.SetText("A99.JPG");  // nested, ends the chain
    log << "leave " + pic.Text();
  };
  pic.SetText("B12.JPG");
  log << "after";
  EXPECT_EQ(log, QStringList({"enter B12.JPG", "enter A99.JPG", "leave A99.JPG",
                              "leave A99.JPG", "after"}));
  log.clear();
  pic.SetText("A99.JPG");
  EXPECT_TRUE(log.isEmpty());
}

TEST_F(EventsTest, TypingRunsChangeThroughTheDispatch) {
  TextBox& box = form.Add<TextBox>("LastnameText");
  CheckBox& check = form.Add<CheckBox>("Lastname_Checkbox");
  int changes = 0;
  box.OnChange = [&] {
    ++changes;
    check.SetValue(box.Text().isEmpty() ? 0 : 1);
  };
  user::Type(box, " ");
  EXPECT_EQ(box.Text(), " ");
  EXPECT_EQ(check.Value(), 1);
  user::Backspace(box);
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(check.Value(), 0);
  EXPECT_EQ(changes, 2);

  // An error nobody traps in a user's event shows the platform's message and
  // ends the program; nothing escapes into Qt.
  box.OnChange = [] { vb::Raise(13); };
  user::Type(box, "x");
  ASSERT_EQ(host_->MessageBoxes().size(), 1u);
  EXPECT_EQ(host_->MessageBoxes()[0].prompt, "Run-time error '13':\r\n\r\nType mismatch");
  EXPECT_EQ(host_->EndProgramCount(), 1);
  // From code the same error reaches the statement that set the text.
  EXPECT_EQ(ErrorOf([&] { box.SetText("y"); }), 13);
}

TEST_F(EventsTest, MultiLineTextKeepsCrLfAndSelectsInIt) {
  TextBox& box = form.Add<TextBox>("IndividualsTextbox");
  box.SetMultiLine(true);
  box.SetScrollBars(vbVertical);
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  box.SetText("Smith\r\nJohn");
  auto* widget = qobject_cast<QPlainTextEdit*>(box.Widget());
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->toPlainText(), "Smith\nJohn");
  EXPECT_EQ(box.SelStart(), 0);

  box.SetSelStart(7);
  box.SetSelLength(99);  // cut to the text
  EXPECT_EQ(box.SelLength(), 4);
  EXPECT_EQ(box.SelText(), "John");
  box.SetSelText("Mary");
  EXPECT_EQ(box.Text(), "Smith\r\nMary");
  EXPECT_EQ(box.SelStart(), 11);
  box.SetSelStart(0);
  box.SetSelLength(static_cast<int>(box.Text().size()));
  EXPECT_EQ(box.SelText(), "Smith\r\nMary");
  box.SetSelText("");
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(ErrorOf([&] { box.SetSelStart(-1); }), 380);

  user::Type(box, "a\r\nb");
  EXPECT_EQ(box.Text(), "a\r\nb");
}

TEST_F(EventsTest, CheckBoxClicksWhenItsValueChanges) {
  CheckBox& check = form.Add<CheckBox>("DbVersion2orHigherCheckbox");
  int clicks = 0;
  check.OnClick = [&] { ++clicks; };
  check.SetValue(1);
  check.SetValue(1);
  EXPECT_EQ(clicks, 1);
  check.SetValue(0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ErrorOf([&] { check.SetValue(3); }), 380);
  EXPECT_EQ(check.Value(), 0);
  user::Click(check);
  EXPECT_EQ(check.Value(), 1);
  EXPECT_EQ(clicks, 3);
}

TEST_F(EventsTest, OptionButtonsAreExclusiveWithinTheirContainer) {
  Frame& sortBy = form.Add<Frame>("SortByFrame");
  Frame& other = form.Add<Frame>("OtherFrame");
  OptionButton& byName = form.Add<OptionButton>("SortOption1", &sortBy);
  OptionButton& byPlace = form.Add<OptionButton>("SortOption2", &sortBy);
  OptionButton& elsewhere = form.Add<OptionButton>("Option3", &other);
  QStringList clicks;
  for (OptionButton* o : {&byName, &byPlace, &elsewhere})
    o->OnClick = [&clicks, o] { clicks << o->Name(); };

  byPlace.SetValue(true);
  elsewhere.SetValue(true);
  byName.SetValue(true);
  byName.SetValue(true);  // already selected: no Click
  EXPECT_TRUE(byName.Value());
  EXPECT_FALSE(byPlace.Value());
  EXPECT_TRUE(elsewhere.Value());
  EXPECT_EQ(clicks, QStringList({"SortOption2", "Option3", "SortOption1"}));

  user::Click(byPlace);
  user::Click(byPlace);  // a second click on the selected one
  EXPECT_TRUE(byPlace.Value());
  EXPECT_FALSE(byName.Value());
  EXPECT_EQ(clicks.size(), 4);
  byPlace.SetValue(false);  // code may clear the selected one
  EXPECT_FALSE(byPlace.Value());
}

TEST_F(EventsTest, TabControlShowsOneTabAndClicksWithThePreviousTab) {
  TabControl& tabs = form.Add<TabControl>("SSTab1");
  tabs.SetTabs(3);
  tabs.SetTabCaption(0, "Name");
  tabs.SetTabCaption(1, "Location");
  Frame& name = form.Add<Frame>("NameSearch_Frame", &tabs);
  Frame& location = form.Add<Frame>("LocationSearch_Frame", &tabs);
  tabs.PlaceOnTab(location, 1);
  std::vector<int> previous;
  tabs.OnClick = [&](int tab) { previous.push_back(tab); };
  form.Show();
  EXPECT_TRUE(name.Widget()->isVisible());
  EXPECT_FALSE(location.Widget()->isVisible());

  tabs.SetTab(1);
  tabs.SetTab(1);
  EXPECT_EQ(previous, std::vector<int>({0}));
  EXPECT_FALSE(name.Widget()->isVisible());
  EXPECT_TRUE(location.Visible());
  EXPECT_TRUE(location.Widget()->isVisible());
  user::SelectTab(tabs, 0);
  EXPECT_EQ(previous, std::vector<int>({0, 1}));
  EXPECT_EQ(tabs.Tab(), 0);
  EXPECT_EQ(tabs.TabCaption(1), "Location");
  EXPECT_EQ(ErrorOf([&] { tabs.SetTab(3); }), 380);
}

TEST_F(EventsTest, MouseEventsReachTheControlUnderTheMouseInTwips) {
  form.SetClientSize(6000, 4000);
  Frame& frame = form.Add<Frame>("RecordNavigation_Frame");
  frame.Move(300, 300, 3000, 2000);
  Label& label = form.Add<Label>("Label15", &frame);
  label.Move(150, 150, 900, 300);
  QStringList seen;
  label.OnMouseMove = [&](int button, int shift, float x, float y) {
    seen << QString("label %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
  };
  frame.OnMouseDown = [&](int button, int, float x, float y) {
    seen << QString("frame down %1 %2 %3").arg(button).arg(x).arg(y);
  };
  form.OnMouseMove = [&](int, int, float x, float y) {
    seen << QString("form %1 %2").arg(x).arg(y);
  };
  form.Show();
  user::MouseMove(label, 30, 45, vbLeftButton, vbShiftMask);
  user::MouseDown(frame, vbRightButton, 600, 15);
  user::MouseMove(form, 4500, 3000);
  EXPECT_EQ(seen, QStringList({"label 1 1 30 45", "frame down 2 600 15", "form 4500 3000"}));
}

// Presses a button on the box, then delivers the context menu event that
// follows; true when the box's own menu opened (it is closed again at once).
bool OwnMenuOpens(TextBox& box, int button) {
  user::MouseDown(box, button, 60, 60);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(4, 4), QPoint(4, 4));
  QApplication::sendEvent(box.Widget(), &menu);
  QWidget* popup = QApplication::activePopupWidget();
  if (popup) popup->close();
  return popup != nullptr;
}

TEST_F(EventsTest, DisablingABoxInItsMouseDownCancelsItsOwnContextMenu) {
  TextBox& box = form.Add<TextBox>("SelectionQueryText");
  box.Move(0, 0, 3000, 300);
  box.OnMouseDown = [&](int button, int, float, float) {
    if (button != vbRightButton) return;
    box.SetEnabled(false);
    box.SetEnabled(true);
  };
  form.Show();
  EXPECT_FALSE(OwnMenuOpens(box, vbRightButton));
  EXPECT_TRUE(box.Enabled());
  EXPECT_TRUE(OwnMenuOpens(box, vbLeftButton));  // not disabled: the own menu opens
}

TEST_F(EventsTest, ButtonAndImageClicksFromTheUserAndFromCode) {
  CommandButton& button = form.Add<CommandButton>("CMD_MoveNext");
  button.SetCaption("Next >");
  Image& image = form.Add<Image>("Image5");
  image.SetStretch(true);
  image.Move(0, 600, 1500, 1500);
  QStringList log;
  button.OnClick = [&] { log << "button"; };
  image.OnClick = [&] { log << "image"; };
  image.OnDblClick = [&] { log << "double"; };
  form.Show();
  user::Click(button);
  user::Click(image);
  user::DoubleClick(image);
  button.Click();
  EXPECT_EQ(log, QStringList({"button", "image", "image", "double", "button"}));
  EXPECT_EQ(button.Caption(), "Next >");
}

}  // namespace
