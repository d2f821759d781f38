// The edit menu of the information text: its pop-up on the right button,
// the items' states, the five commands and their error answers.
#include "CemInfoTest.h"

#include "platform/forms/Forms.h"
#include "platform/forms/UserActions.h"

using forms::Menu;
using placeinfo::CemInfo;

namespace {

constexpr const char* kItems[] = {"mnuCut", "mnuCopy", "mnuPaste", "mnuDelete", "mnuSelectAll"};

}  // namespace

class TextMenuTest : public CemInfoTest {
 protected:
  void SetUp() override {
    CemInfoTest::SetUp();
    StartWith(std::vector<democd::Record>{Cem("Oak Hill", {{"Notes", QString("Old ground")}})});
    forms::SetPopupMenuPresenter([this](Menu& menu) {
      QString states = menu.Name() + ":";
      for (const Menu* item : menu.Items()) states += item->Enabled() ? " on" : " off";
      popups << states;
    });
  }
  void TearDown() override {
    forms::SetPopupMenuPresenter({});
    CemInfoTest::TearDown();
  }
  static forms::TextBox& Text(CemInfo& info) {
    return info.Form().Get<forms::TextBox>("CemInfo_Text");
  }
  static void Choose(CemInfo& info, const char* item) {
    forms::user::Choose(info.Form().Get<Menu>(item));
  }
  // As the user does it: the right button over the text, then the item.
  static void PopUpAndChoose(CemInfo& info, const char* item) {
    forms::user::MouseDown(Text(info), forms::vbRightButton, 10, 10);
    Choose(info, item);
  }
  QStringList popups;
};

TEST_F(TextMenuTest, RightButtonOffersTheItemsTheSelectionAllows) {
  Open("Oak Hill", [&](CemInfo& info) {
    forms::TextBox& text = Text(info);
    forms::user::MouseDown(text, forms::vbLeftButton, 200, 200);
    forms::user::MouseDown(text, forms::vbMiddleButton, 200, 200);
    EXPECT_TRUE(popups.isEmpty());
    forms::user::MouseDown(text, forms::vbRightButton, 200, 200);
    EXPECT_EQ(info.Form().ActiveControl(), &text);
    text.SetSelStart(3);
    text.SetSelLength(5);
    forms::user::MouseDown(text, forms::vbRightButton, 200, 200, forms::vbShiftMask);
  });
  EXPECT_EQ(popups, QStringList({"mnuTextCommands: off off on off on",
                                 "mnuTextCommands: on on on on on"}));
  EXPECT_TRUE(OpenPrompts().isEmpty());
}

TEST_F(TextMenuTest, CommandsActOnTheInformationText) {
  QString composed;
  struct Seen {
    QString text, selected, clipboard;
  };
  std::vector<Seen> seen;
  Open("Oak Hill", [&](CemInfo& info) {
    forms::TextBox& text = Text(info);
    composed = text.Text();
    const auto note = [&] {
      seen.push_back({text.Text(), text.SelText(), Host().ClipboardTextHeld()});
    };
    PopUpAndChoose(info, "mnuSelectAll");  // the whole text, its final empty lines included
    EXPECT_EQ(text.SelStart(), 0);
    EXPECT_EQ(text.SelLength(), composed.size());
    PopUpAndChoose(info, "mnuCopy");
    note();
    text.SetSelStart(0);
    text.SetSelLength(10);  // "Cemetery: "
    PopUpAndChoose(info, "mnuCut");
    note();
    text.SetSelLength(8);   // "Oak Hill"
    PopUpAndChoose(info, "mnuPaste");
    note();
    text.SetSelStart(0);
    text.SetSelLength(3);
    PopUpAndChoose(info, "mnuDelete");
    note();
    Host().ClipboardClear();
    text.SetSelStart(0);
    text.SetSelLength(7);
    PopUpAndChoose(info, "mnuPaste");  // nothing on the clipboard: the selection goes
    note();
  });
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_TRUE(composed.endsWith("Brief Ownership History: \r\n\r\n"));
  EXPECT_EQ(seen[0].text, composed);
  EXPECT_EQ(seen[0].clipboard, composed);
  const QString rest = composed.mid(10);  // "Oak Hill\r\n\r\nLongitude: ..."
  EXPECT_EQ(seen[1].text, rest);
  EXPECT_EQ(seen[1].clipboard, "Cemetery: ");
  EXPECT_EQ(seen[2].text, "Cemetery: " + rest.mid(8));
  EXPECT_EQ(seen[3].text, "etery: " + rest.mid(8));
  EXPECT_EQ(seen[4].text, rest.mid(8));
  EXPECT_EQ(seen[4].clipboard, "");
  EXPECT_TRUE(OpenPrompts().isEmpty());
}

TEST_F(TextMenuTest, ErrorsAreAnsweredThroughTheErrorLog) {
  QStringList procedures;
  Open("Oak Hill", [&](CemInfo& info) {
    // With the focus on a button the items have no text to act on.
    info.Form().Get<forms::CommandButton>("CMD_Finished").SetFocus();
    for (const char* item : kItems) {
      Host().QueueMessageBoxAnswer(forms::mb::Abort);
      Choose(info, item);
      procedures << QString(item) + "_Click";
    }
  });
  const QStringList prompts = OpenPrompts();
  ASSERT_EQ(prompts.size(), std::size(kItems));
  for (int i = 0; i < prompts.size(); ++i) {
    SCOPED_TRACE(procedures[i].toStdString());
    EXPECT_TRUE(prompts[i].startsWith("Error 438 ("));
    EXPECT_TRUE(prompts[i].contains(") Process: " + procedures[i] + ".CemInfo ln# 0\r\n"));
  }
  EXPECT_EQ(Host().MessageBoxes().back().title, "Error Encountered");
  EXPECT_EQ(Host().MessageBoxes().back().flags, forms::mb::AbortRetryIgnore | forms::mb::Critical);
  EXPECT_EQ(ErrorLogLines().size(), std::size(kItems));
  EXPECT_EQ(Host().EndProgramCount(), 0);
}
