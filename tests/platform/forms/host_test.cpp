#include "platform/forms/GuiHost.h"
#include "platform/forms/Host.h"
#include "platform/forms/TestHost.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <new>
#include <stdexcept>

using namespace forms;

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "host_test";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override {
    SetHost(nullptr);
    app_.reset();
  }

 private:
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Runs `action` on the first modal widget of type T once it is shown.
template <typename T>
void WhenModalShown(std::function<void(T&)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    if (auto* widget = qobject_cast<T*>(QApplication::activeModalWidget());
        widget && widget->isVisible()) {
      poll->stop();
      poll->deleteLater();
      action(*widget);
    }
  });
  poll->start(0);
}

// The main event loop, ended with 1 should nothing end it within ten
// seconds (so that a fault fails the test instead of hanging it).
int RunGuardedEventLoop() {
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  guard.start(10000);
  return RunEventLoop();
}

QStringList ButtonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* button : box.buttons()) texts << button->text();
  return texts;
}

QAbstractButton* ButtonWithText(const QMessageBox& box, const QString& text) {
  for (QAbstractButton* button : box.buttons())
    if (button->text() == text) return button;
  return box.buttons().front();  // a wrong box still closes; the test fails on its texts
}

}  // namespace

// ---- Message box flags ---------------------------------------------------------

TEST(MessageBoxFlags, ButtonsDefaultAndEscapeFollowThePlatform) {
  using namespace mb;
  struct Case {
    int flags;
    std::vector<int> buttons;
    int defaultAnswer;
    int escapeAnswer;
  };
  const Case cases[] = {
      {OKOnly, {OK}, OK, OK},
      {OKOnly | DefaultButton3, {OK}, OK, OK},  // no third button: the first
      {OKCancel | DefaultButton2, {OK, Cancel}, Cancel, Cancel},
      {AbortRetryIgnore | Critical, {Abort, Retry, Ignore}, Abort, 0},
      {AbortRetryIgnore | DefaultButton3, {Abort, Retry, Ignore}, Ignore, 0},
      {YesNoCancel | Question | DefaultButton2, {Yes, No, Cancel}, No, Cancel},
      {YesNo | DefaultButton3, {Yes, No}, Yes, 0},
      {RetryCancel | Exclamation, {Retry, Cancel}, Retry, Cancel},
      {6, {OK}, OK, OK},  // not a button value of the platform
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    EXPECT_EQ(Buttons(c.flags), c.buttons);
    EXPECT_EQ(DefaultAnswer(c.flags), c.defaultAnswer);
    EXPECT_EQ(EscapeAnswer(c.flags), c.escapeAnswer);
  }
}

// ---- The test host ---------------------------------------------------------------

class TestHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<TestHost>();
    h = owned.get();
    SetHost(std::move(owned));
    SetAppTitle(QStringLiteral("Gravelight"));
  }
  void TearDown() override { SetAppTitle(QString()); }

  std::vector<TestHost::CallKind> Kinds() const {
    std::vector<TestHost::CallKind> kinds;
    for (const auto& call : h->Calls()) kinds.push_back(call.kind);
    return kinds;
  }

  TestHost* h = nullptr;
};

TEST_F(TestHostTest, MessageBoxesAnswerFromTheQueueThenByTheirDefaultButton) {
  h->QueueMessageBoxAnswer(mb::Retry);
  h->QueueMessageBoxAnswer(99);

  EXPECT_EQ(MsgBox("first", 18), mb::Retry);
  EXPECT_EQ(MsgBox("second", mb::OKOnly, "Own title"), 99);
  EXPECT_EQ(MsgBox("third", mb::YesNo | mb::DefaultButton2), mb::No);

  ASSERT_EQ(h->MessageBoxes().size(), 3u);
  EXPECT_EQ(h->MessageBoxes()[0].prompt, "first");
  EXPECT_EQ(h->MessageBoxes()[0].flags, 18);
  EXPECT_EQ(h->MessageBoxes()[0].title, "Gravelight");  // no title: the program's
  EXPECT_EQ(h->MessageBoxes()[1].title, "Own title");
  ASSERT_EQ(h->Notes().size(), 2);
  EXPECT_TRUE(h->Notes()[0].contains("second") && h->Notes()[0].contains("99"));
  EXPECT_TRUE(h->Notes()[1].contains("third") && h->Notes()[1].contains("default"));
  EXPECT_EQ(h->PendingMessageBoxAnswers(), 0u);
}

TEST_F(TestHostTest, OpenDialogsGiveTheQueuedResultsAndCancelWhenNoneIsLeft) {
  h->QueueFileDialogResult(QStringLiteral("\\media\\cd\\data.mdb"));
  h->QueueFileDialogResult(std::nullopt);
  FileDialogRequest request;
  request.title = "Choose";
  request.filter = "Database (*.mdb)|*.mdb";

  EXPECT_EQ(host().ShowOpenDialog(request), std::optional<QString>("\\media\\cd\\data.mdb"));
  EXPECT_EQ(host().ShowOpenDialog(request), std::nullopt);
  EXPECT_TRUE(h->Notes().isEmpty());
  EXPECT_EQ(host().ShowOpenDialog(request), std::nullopt);
  EXPECT_EQ(h->Notes().size(), 1);
  ASSERT_EQ(h->FileDialogs().size(), 3u);
  EXPECT_EQ(h->FileDialogs()[0].filter, "Database (*.mdb)|*.mdb");
}

TEST_F(TestHostTest, RecordsClipboardAndAddressesAndOpensThemThroughTheWinLayer) {
  using K = TestHost::CallKind;
  host().ClipboardClear();
  host().ClipboardSetImage(QImage(3, 2, QImage::Format_RGB32));
  EXPECT_EQ(h->ClipboardImage().size(), QSize(3, 2));

  EXPECT_TRUE(win::ShellExecuteOpen("http://maps.example/?q=1"));
  h->SetOpenUrlResult(false);
  EXPECT_FALSE(win::ShellExecuteOpen("http://second.example/"));
  EXPECT_EQ(h->OpenedUrls(), QStringList({"http://maps.example/?q=1", "http://second.example/"}));

  host().ClipboardClear();
  EXPECT_TRUE(h->ClipboardImage().isNull());
  EXPECT_EQ(Kinds(), (std::vector<K>{K::ClipboardClear, K::ClipboardSetImage, K::OpenUrl,
                                     K::OpenUrl, K::ClipboardClear}));
}

TEST_F(TestHostTest, ModalShowRunsItsScriptWhileTheWindowIsShownModally) {
  QWidget window;
  window.setObjectName("CemInfo");
  bool seenModal = false;
  h->QueueModalScript([&](QWidget& shown) {
    seenModal = &shown == &window && shown.isVisible() && shown.isModal();
    shown.hide();
  });

  host().ShowModal(window);
  EXPECT_TRUE(seenModal);
  EXPECT_TRUE(h->Notes().isEmpty());

  host().ShowModal(window);  // no script: hidden again, with a note
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.isModal());
  EXPECT_EQ(h->Notes().size(), 1);
  EXPECT_EQ(h->ModalShows(), QStringList({"CemInfo", "CemInfo"}));
}

TEST_F(TestHostTest, EndProgramIsRecordedAndUnwinds) {
  EXPECT_THROW(End(), vb::ProgramEnded);
  EXPECT_EQ(h->EndProgramCount(), 1);
  EXPECT_EQ(h->Calls().back().kind, TestHost::CallKind::EndProgram);
}

TEST_F(TestHostTest, ScreenSizeIsConfigurable) {
  EXPECT_EQ(host().TwipsPerPixel(), 15.0);
  h->SetScreenSizeTwips(19200, 14400);
  h->SetTwipsPerPixel(12);
  EXPECT_EQ(host().ScreenWidthTwips(), 19200);
  EXPECT_EQ(host().ScreenHeightTwips(), 14400);
  EXPECT_EQ(host().TwipsPerPixel(), 12);
}

// ---- Event dispatch ----------------------------------------------------------------

using DispatchTest = TestHostTest;

TEST_F(DispatchTest, UntrappedErrorsShowTheRunTimeErrorMessageAndEndTheProgram) {
  struct Case {
    std::function<void()> procedure;
    QString prompt;
  };
  const Case cases[] = {
      {[] { vb::Raise(vb::err::FileNotFound); },
       "Run-time error '53':\r\n\r\nFile not found"},
      {[] { throw vb::VbError(-2147217900, "Engine failure"); },
       "Run-time error '-2147217900':\r\n\r\nEngine failure"},
      {[] { throw std::bad_alloc(); }, "Run-time error '7':\r\n\r\nOut of memory"},
      {[] { throw std::runtime_error("bad"); }, "Run-time error '51':\r\n\r\nInternal error"},
      {[] { throw 7; }, "Run-time error '51':\r\n\r\nInternal error"},
  };
  for (const Case& c : cases) {
    SetUp();  // a fresh host for each case
    SCOPED_TRACE(c.prompt.toStdString());
    EXPECT_NO_THROW(DispatchEvent(c.procedure));
    ASSERT_EQ(h->MessageBoxes().size(), 1u);
    EXPECT_EQ(h->MessageBoxes()[0].prompt, c.prompt);
    EXPECT_EQ(h->MessageBoxes()[0].flags, mb::OKOnly | mb::Critical);
    EXPECT_EQ(h->MessageBoxes()[0].title, "Gravelight");
    EXPECT_EQ(h->EndProgramCount(), 1);
    EXPECT_TRUE(ProgramHasEnded());
  }
}

TEST_F(DispatchTest, ProgramEndNeedsNoMessageAndANormalEventEndsNothing) {
  bool ran = false;
  DispatchEvent([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(ProgramHasEnded());
  EXPECT_TRUE(h->Calls().empty());

  bool after = false;
  EXPECT_NO_THROW(DispatchEvent([&] {
    End();
    after = true;
  }));
  EXPECT_FALSE(after);
  EXPECT_TRUE(ProgramHasEnded());
  EXPECT_TRUE(h->MessageBoxes().empty());
  EXPECT_EQ(RunEventLoop(), 0);  // ended before the loop: it does not start
}

TEST_F(DispatchTest, TheEndOfANestedEventUnwindsTheProcedureThatRaisedIt) {
  bool afterNested = false;
  DispatchEvent([&] {
    DispatchEvent([] { vb::Raise(vb::err::Overflow); });  // e.g. a change action
    afterNested = true;
  });
  EXPECT_FALSE(afterNested);
  EXPECT_EQ(h->MessageBoxes().size(), 1u);
  EXPECT_EQ(h->EndProgramCount(), 1);

  // The same through a modal window that a test script drives.
  SetUp();
  QWidget window;
  bool afterShow = false;
  h->QueueModalScript([](QWidget&) { DispatchEvent([] { End(); }); });
  DispatchEvent([&] {
    host().ShowModal(window);
    afterShow = true;
  });
  EXPECT_FALSE(afterShow);
  EXPECT_TRUE(ProgramHasEnded());
}

TEST_F(DispatchTest, AnErrorInTheErrorMessageStillEndsAndEscapesNothing) {
  struct ThrowingHost : TestHost {
    int MessageBox(const MessageBoxRequest&) override { vb::Raise(vb::err::Overflow); }
  };
  SetHost(std::make_unique<ThrowingHost>());
  EXPECT_NO_THROW(DispatchEvent([] { vb::Raise(vb::err::TypeMismatch); }));
  EXPECT_TRUE(ProgramHasEnded());
}

TEST_F(DispatchTest, TheProgramsEndClosesTheRunningEventLoop) {
  bool after = false;
  QTimer::singleShot(0, [&] {
    DispatchEvent([&] {
      vb::Raise(vb::err::DivisionByZero);
      after = true;
    });
  });
  EXPECT_EQ(RunGuardedEventLoop(), 0);
  EXPECT_FALSE(after);
  EXPECT_EQ(h->EndProgramCount(), 1);
}

// ---- The Qt host -----------------------------------------------------------------

TEST(QtNameFilters, TurnsThePlatformsFilterIntoQtFilters) {
  EXPECT_EQ(QtNameFilters("Name (*.mdb)|*.mdb"), QStringList({"Name (*.mdb)"}));
  EXPECT_EQ(QtNameFilters("Databases|*.mdb;*.MDB|All (*.*)|*.*"),
            QStringList({"Databases (*.mdb *.MDB)", "All (*.*)"}));
  EXPECT_EQ(QtNameFilters("Access (*.mdb)|*.mdb;*.mde"),
            QStringList({"Access (*.mdb) (*.mdb *.mde)"}));
  EXPECT_EQ(QtNameFilters("|*.ini"), QStringList({"(*.ini)"}));
  EXPECT_EQ(QtNameFilters("Lone description"), QStringList());
  EXPECT_EQ(QtNameFilters(""), QStringList());
}

class GuiHostTest : public ::testing::Test {
 protected:
  void SetUp() override { SetHost(std::make_unique<GuiHost>()); }
  void TearDown() override { SetHost(nullptr); }
};

TEST_F(GuiHostTest, MessageBoxShowsTheFlagsButtonsIconDefaultAndTitle) {
  struct Case {
    int flags;
    QStringList buttons;
    QMessageBox::Icon icon;
    QString defaultButton;
    QString click;
    int answer;
  };
  const Case cases[] = {
      {18, {"&Abort", "&Retry", "&Ignore"}, QMessageBox::Critical, "&Abort", "&Retry", mb::Retry},
      {mb::YesNoCancel | mb::Question | mb::DefaultButton2, {"&Yes", "&No", "Cancel"},
       QMessageBox::Question, "&No", "Cancel", mb::Cancel},
      {mb::OKCancel | mb::Exclamation | mb::DefaultButton2, {"OK", "Cancel"},
       QMessageBox::Warning, "Cancel", "OK", mb::OK},
      {mb::YesNo | mb::Information | mb::DefaultButton3, {"&Yes", "&No"},
       QMessageBox::Information, "&Yes", "&No", mb::No},
      {mb::RetryCancel, {"&Retry", "Cancel"}, QMessageBox::NoIcon, "&Retry", "&Retry", mb::Retry},
      {mb::OKOnly, {"OK"}, QMessageBox::NoIcon, "OK", "OK", mb::OK},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultText, title, text;
    WhenModalShown<QMessageBox>([&](QMessageBox& box) {
      buttons = ButtonTexts(box);
      icon = box.icon();
      defaultText = box.defaultButton() ? box.defaultButton()->text() : QString();
      title = box.windowTitle();
      text = box.text();
      ButtonWithText(box, c.click)->click();
    });
    const int answer = MsgBox("Line one\r\nLine two", c.flags, "Error Encountered");
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(buttons, c.buttons);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(defaultText, c.defaultButton);
    EXPECT_EQ(title, "Error Encountered");
    EXPECT_EQ(text, "Line one\r\nLine two");
  }
}

TEST_F(GuiHostTest, EscapeAnswersOnlyWhereThePlatformAllowsIt) {
  // Abort/Retry/Ignore cannot be dismissed: Escape leaves the box open.
  bool stillShown = false;
  WhenModalShown<QMessageBox>([&](QMessageBox& box) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &escape);
    stillShown = box.isVisible();
    ButtonWithText(box, "&Ignore")->click();
  });
  EXPECT_EQ(MsgBox("x", mb::AbortRetryIgnore), mb::Ignore);
  EXPECT_TRUE(stillShown);

  WhenModalShown<QMessageBox>([&](QMessageBox& box) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &escape);
    if (box.isVisible()) ButtonWithText(box, "&Yes")->click();  // Escape failed
  });
  EXPECT_EQ(MsgBox("x", mb::YesNoCancel), mb::Cancel);
}

TEST_F(GuiHostTest, OpenDialogReturnsTheChosenFileInWindowsFormOrNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = QDir(dir.path()).filePath("DATA.MDB");
  QFile(file).open(QIODevice::WriteOnly);
  FileDialogRequest request;
  request.title = "Select the data file";
  request.filter = "Database (*.mdb)|*.mdb|All files|*.*";
  request.filterIndex = 2;
  request.initialDir = win::ToWindowsPath(dir.path());

  QStringList filters;
  QString selectedFilter, title, directory;
  WhenModalShown<QFileDialog>([&](QFileDialog& dialog) {
    filters = dialog.nameFilters();
    selectedFilter = dialog.selectedNameFilter();
    title = dialog.windowTitle();
    directory = dialog.directory().absolutePath();
    dialog.selectFile(file);
    static_cast<QDialog&>(dialog).accept();
  });
  EXPECT_EQ(host().ShowOpenDialog(request), std::optional<QString>(win::ToWindowsPath(file)));
  EXPECT_EQ(filters, QStringList({"Database (*.mdb)", "All files (*.*)"}));
  EXPECT_EQ(selectedFilter, "All files (*.*)");
  EXPECT_EQ(title, "Select the data file");
  EXPECT_EQ(directory, QDir(dir.path()).absolutePath());

  WhenModalShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(host().ShowOpenDialog(request), std::nullopt);
}

// As the platform's open dialog, the dialog takes a typed name that does not
// exist; the program answers it with its own messages.
TEST_F(GuiHostTest, OpenDialogTakesATypedNameThatDoesNotExist) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  FileDialogRequest request;
  request.filter = "Gravelight Data(*.mdb)|*.mdb";
  request.initialDir = win::ToWindowsPath(dir.path());
  bool openEnabled = false;
  WhenModalShown<QFileDialog>([&](QFileDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
    if (name && buttons) {
      name->setText("typed.mdb");
      QPushButton* open = buttons->button(QDialogButtonBox::Open);
      openEnabled = open && open->isEnabled();
      if (openEnabled) open->click();
    }
    if (dialog.isVisible()) dialog.reject();
  });
  EXPECT_EQ(host().ShowOpenDialog(request),
            std::optional<QString>(win::ToWindowsPath(QDir(dir.path()).filePath("typed.mdb"))));
  EXPECT_TRUE(openEnabled);
}

TEST_F(GuiHostTest, ShowModalWaitsUntilTheWindowIsHidden) {
  QWidget window;
  bool modalWhileShown = false;
  QTimer::singleShot(0, [&] {
    modalWhileShown = window.isVisible() && window.isModal();
    window.hide();
  });
  host().ShowModal(window);
  EXPECT_TRUE(modalWhileShown);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.isModal());
}

TEST_F(GuiHostTest, TheProgramsEndInsideAModalWindowUnwindsTheShowingProcedure) {
  QWidget window;
  bool afterShow = false;
  QTimer::singleShot(0, [&] {
    DispatchEvent([&] {
      QTimer::singleShot(0, [] { DispatchEvent([] { End(); }); });
      host().ShowModal(window);
      afterShow = true;
    });
  });
  EXPECT_EQ(RunGuardedEventLoop(), 0);
  EXPECT_FALSE(afterShow);
  EXPECT_TRUE(ProgramHasEnded());
}

TEST_F(GuiHostTest, ClipboardAndScreen) {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  host().ClipboardSetImage(image);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(4, 3));
  host().ClipboardClear();
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

  QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  if (screen->logicalDotsPerInchX() != 96 || screen->logicalDotsPerInchY() != 96)
    GTEST_SKIP() << "screen is not at 96 dpi";
  EXPECT_EQ(host().TwipsPerPixel(), 15.0);
  EXPECT_EQ(host().ScreenWidthTwips(), screen->size().width() * 15.0);
  EXPECT_EQ(host().ScreenHeightTwips(), screen->size().height() * 15.0);
}
