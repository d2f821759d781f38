#include "support/GlobErrorModule.h"

#include "platform/forms/TestHost.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"
#include "support/AppIdentity.h"
#include "tests/testkit/ScopedChanges.h"
#include "tests/testkit/windows/ErrorLogTest.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace GlobErrorModule;
using forms::mb::Abort;
using forms::mb::Ignore;
using forms::mb::Retry;

namespace {

const QDateTime kDecember8(QDate(2024, 12, 8), QTime(14, 5, 9));
const QString kCrLf = QStringLiteral("\r\n");
const QString kSecondLine =
    QStringLiteral("\r\nPlease contact help@cd.example if this error is persistent.   ");

class GlobErrorTest : public testutil::ErrorLogTest {
 protected:
  void SetUp() override {
    ErrorLogTest::SetUp();
    AppIdentity::SetProgram({.name = QStringLiteral("Gravelight"), .major = 3, .minor = 0,
                             .revision = 2, .supportAddress = QStringLiteral("help@cd.example")});
    SetNow(kDecember8);
  }
  void TearDown() override {
    SetClockForTesting(nullptr);
    ErrorLogTest::TearDown();
  }

  void SetNow(const QDateTime& now) {
    SetClockForTesting([now] { return now; });
  }
  QString LogPath(const QString& mmddyyyy = QStringLiteral("12082024")) const {
    return QDir(folder.path()).filePath("Error_Gravelight_" + mmddyyyy + ".log");
  }
  QByteArray ReadLog(const QString& mmddyyyy = QStringLiteral("12082024")) const {
    QFile file(LogPath(mmddyyyy));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  static QByteArray LogLine(const QDateTime& when, const QString& message) {
    return (vb::DateTimeText(when) + " - Gravelight 3.0.2 " + message + " " + kCrLf).toLatin1();
  }
};

// ---- LogError / WriteErrorLog / SaveItToTextFile --------------------------------

TEST_F(GlobErrorTest, LogErrorWritesTheLineAndAsksAbortRetryIgnore) {
  h->QueueMessageBoxAnswer(Ignore);
  // The project name and the line number passed in are not used.
  const int32_t answer =
      LogError(53, "File not found", "Other", "Form_Load", "FormGravelightMain", 77);

  const QString message = "Error 53 (File not found) Process: Form_Load.FormGravelightMain ln# 0";
  EXPECT_EQ(answer, Ignore);
  EXPECT_EQ(ReadLog(), LogLine(kDecember8, message));
  ASSERT_EQ(h->MessageBoxes().size(), 1u);
  EXPECT_EQ(Box(0).prompt, message + kSecondLine);
  EXPECT_EQ(Box(0).flags, 18);
  EXPECT_EQ(Box(0).title, "Error Encountered");
}

TEST_F(GlobErrorTest, ErrorNumbersAreWrittenInFullSigned32Bit) {
  for (int32_t number : {-2147217900, 2147483647, -2147483647 - 1}) {
    SCOPED_TRACE(number);
    h->QueueMessageBoxAnswer(Abort);
    LogError(number, "Engine", "Gravelight", "LoadDataToBox", "FormGravelightMain", 0);
    const QString text = "Error " + QString::number(number) + " (Engine)";
    EXPECT_TRUE(h->MessageBoxes().back().prompt.startsWith(text));
    EXPECT_TRUE(ReadLog().contains(text.toLatin1()));
  }
}

TEST_F(GlobErrorTest, LinesAreAppendedToTheDaysFileAndANewDayStartsANewFile) {
  {
    QFile earlier(LogPath());
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier line\r\n");
  }
  EXPECT_EQ(WriteErrorLog("first", false), 0);
  const QDateTime later = kDecember8.addSecs(60);
  SetNow(later);
  EXPECT_EQ(WriteErrorLog("second", false), 0);
  EXPECT_TRUE(h->MessageBoxes().empty());
  EXPECT_EQ(ReadLog(), "earlier line\r\n" + LogLine(kDecember8, "first") + LogLine(later, "second"));

  const QDateTime afterMidnight(QDate(2024, 12, 9), QTime(0, 0, 1));
  SetNow(afterMidnight);
  WriteErrorLog("third", false);
  EXPECT_EQ(ReadLog("12092024"), LogLine(afterMidnight, "third"));
  EXPECT_EQ(ReadLog().count('\n'), 3);
}

TEST_F(GlobErrorTest, SaveItToTextFileCreatesOrAppendsAndReportsAFailure) {
  const QString file = win::ToWindowsPath(QDir(folder.path()).filePath("out.txt"));
  EXPECT_TRUE(SaveItToTextFile(file, "one"));
  EXPECT_TRUE(SaveItToTextFile(file, "two"));
  QFile written(win::ToNativePath(file));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), "one\r\ntwo\r\n");
  EXPECT_TRUE(h->MessageBoxes().empty());

  struct Case {
    QString fileName;
    QString prompt;
  };
  ASSERT_TRUE(QDir(folder.path()).mkdir("a folder"));
  const Case failures[] = {
      {win::ToWindowsPath(folder.path()) + "\\missing\\out.txt",
       "Error 76 (Path not found) in procedure SaveItToTextFile Ln# 0"},
      {win::ToWindowsPath(folder.path()) + "\\a folder",
       "Error 75 (Path/File access error) in procedure SaveItToTextFile Ln# 0"},
  };
  for (const Case& c : failures) {
    SCOPED_TRACE(c.fileName.toStdString());
    EXPECT_FALSE(SaveItToTextFile(c.fileName, "line"));
    EXPECT_EQ(h->MessageBoxes().back().prompt, c.prompt);
    EXPECT_EQ(h->MessageBoxes().back().flags, forms::mb::OKOnly);
    EXPECT_EQ(h->MessageBoxes().back().title, "Gravelight");
  }
}

TEST_F(GlobErrorTest, AnUnwritableLogShowsTheFailureThenStillAsks) {
  win::SetAppPathForTesting(win::ToWindowsPath(folder.path()) + "\\gone");
  h->QueueMessageBoxAnswer(forms::mb::OK);
  h->QueueMessageBoxAnswer(Retry);
  EXPECT_EQ(WriteErrorLog("Error 5 (x) Process: a.b ln# 0", true), Retry);
  ASSERT_EQ(h->MessageBoxes().size(), 2u);
  EXPECT_EQ(Box(0).prompt, "Error 76 (Path not found) in procedure SaveItToTextFile Ln# 0");
  EXPECT_EQ(Box(1).prompt, "Error 5 (x) Process: a.b ln# 0" + kSecondLine);
  EXPECT_EQ(Box(1).flags, 18);
}

// The log's name is used as it is, in the existence test and in the write:
// through an 8-bit code page the second error of the day would find no file
// and fail to create the one that is there.
TEST_F(GlobErrorTest, AProgramFolderOutsideTheCodePageKeepsEveryLine) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("Ωmega"));
  win::SetAppPathForTesting(win::ToWindowsPath(folder.path()) + "\\Ωmega");
  for (int i = 0; i < 2; ++i) h->QueueMessageBoxAnswer(Ignore);
  EXPECT_EQ(WriteErrorLog("first", true), Ignore);
  EXPECT_EQ(WriteErrorLog("second", true), Ignore);
  ASSERT_EQ(h->MessageBoxes().size(), 2u);
  EXPECT_EQ(Box(1).prompt, "second" + kSecondLine);
  QFile log(QDir(folder.path()).filePath("Ωmega/Error_Gravelight_12082024.log"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(log.readAll(), LogLine(kDecember8, "first") + LogLine(kDecember8, "second"));
}

// An installed program may not write into its folder: the log goes to the
// program's per-user folder, with no failure message before the question.
TEST_F(GlobErrorTest, AReadOnlyProgramFolderLogsInThePerUserFolder) {
  const QDir dir(folder.path());
  ASSERT_TRUE(dir.mkdir("program"));
  win::SetAppPathForTesting(win::ToWindowsPath(dir.filePath("program")));
  const testutil::ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                                   dir.filePath("config").toUtf8());
  const testutil::ScopedReadOnlyFolder readOnly(dir.filePath("program"));
  h->QueueMessageBoxAnswer(Retry);
  EXPECT_EQ(WriteErrorLog("Error 5 (x) Process: a.b ln# 0", true), Retry);
  ASSERT_EQ(h->MessageBoxes().size(), 1u);
  EXPECT_EQ(Box(0).flags, 18);
  QFile log(dir.filePath("config/Gravelight/Error_Gravelight_12082024.log"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_EQ(log.readAll(), LogLine(kDecember8, "Error 5 (x) Process: a.b ln# 0"));
  EXPECT_TRUE(dir.entryList({"Error_*"}, QDir::Files).isEmpty());
  EXPECT_TRUE(QDir(dir.filePath("program")).isEmpty());
}

// The per-user folder is there, but a folder on its way refuses this user:
// the log cannot be written because access is refused (75), not because a
// path is missing (76); the question follows as usual.
TEST_F(GlobErrorTest, ALogFolderThatRefusesThisUserIsAnAccessError) {
  const QDir dir(folder.path());
  ASSERT_TRUE(dir.mkpath("program"));
  ASSERT_TRUE(dir.mkpath("config/Gravelight"));
  win::SetAppPathForTesting(win::ToWindowsPath(dir.filePath("program")));
  const testutil::ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                                   dir.filePath("config").toUtf8());
  const testutil::ScopedPermissionChecks checks;
  const testutil::ScopedReadOnlyFolder readOnly(dir.filePath("program"));
  const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
  ASSERT_TRUE(QFile::setPermissions(dir.filePath("config"), readWrite));
  h->QueueMessageBoxAnswer(forms::mb::OK);
  h->QueueMessageBoxAnswer(Ignore);
  EXPECT_EQ(WriteErrorLog("Error 5 (x) Process: a.b ln# 0", true), Ignore);
  ASSERT_TRUE(QFile::setPermissions(dir.filePath("config"), readWrite | QFile::ExeOwner));
  ASSERT_EQ(h->MessageBoxes().size(), 2u);
  EXPECT_EQ(Box(0).prompt, "Error 75 (Path/File access error) in procedure SaveItToTextFile Ln# 0");
  EXPECT_EQ(Box(1).prompt, "Error 5 (x) Process: a.b ln# 0" + kSecondLine);
  EXPECT_TRUE(QDir(dir.filePath("config/Gravelight")).isEmpty());
  EXPECT_TRUE(QDir(dir.filePath("program")).isEmpty());
}

// ---- The handler of a trapping procedure ----------------------------------------

// A procedure of three statements whose second fails `failures` times.
struct ThreeStatements {
  int failures = 0;
  QStringList ran;

  QString Run() {
    QString result;
    vb::ErrorTrap trap(LogErrorHandler("LoadDataToBox", "FormGravelightMain"));
    trap.Run([&] {
      trap([&] {
        ran << "1";
        result += "a";
      });
      trap([&] {
        if (failures > 0) {
          --failures;
          vb::Raise(vb::err::FileNotFound);
        }
        ran << "2";
        result += "b";
      });
      trap([&] {
        ran << "3";
        result += "c";
      });
    });
    return result;
  }
};

TEST_F(GlobErrorTest, TheAnswerDecidesHowTheProcedureGoesOn) {
  struct Case {
    const char* name;
    int failures;
    std::vector<int> answers;
    QStringList ran;
    QString result;
  };
  const Case cases[] = {
      {"retry until it works", 2, {Retry, Retry}, {"1", "2", "3"}, "abc"},
      {"ignore goes on", 1, {Ignore}, {"1", "3"}, "ac"},
      {"abort leaves, keeping what was set", 1, {Abort}, {"1"}, "a"},
      {"no error, no question", 0, {}, {"1", "2", "3"}, "abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(LogPath());
    SetUp();
    for (int answer : c.answers) h->QueueMessageBoxAnswer(answer);
    ThreeStatements procedure{c.failures, {}};
    EXPECT_EQ(procedure.Run(), c.result);
    EXPECT_EQ(procedure.ran, c.ran);
    // One line and one question per failure.
    QByteArray expected;
    for (size_t i = 0; i < c.answers.size(); ++i)
      expected += LogLine(kDecember8,
                          "Error 53 (File not found) Process: LoadDataToBox.FormGravelightMain ln# 0");
    EXPECT_EQ(c.answers.empty() ? QByteArray("<missing>") : expected, ReadLog());
    EXPECT_EQ(h->MessageBoxes().size(), c.answers.size());
    EXPECT_TRUE(h->Notes().isEmpty());
  }
}

TEST_F(GlobErrorTest, AnyOtherAnswerShowsTheCriticalErrorAndEndsTheProgram) {
  h->QueueMessageBoxAnswer(forms::mb::Cancel);
  ThreeStatements procedure{1, {}};
  EXPECT_THROW(procedure.Run(), vb::ProgramEnded);
  EXPECT_EQ(procedure.ran, QStringList({"1"}));
  ASSERT_EQ(h->MessageBoxes().size(), 2u);
  EXPECT_EQ(Box(1).prompt, "File not found");
  EXPECT_EQ(Box(1).flags, 16);
  EXPECT_EQ(Box(1).title, "Critical Error Encountered");
  EXPECT_EQ(h->EndProgramCount(), 1);
  EXPECT_EQ(h->Calls().back().kind, forms::TestHost::CallKind::EndProgram);
}

TEST_F(GlobErrorTest, AnUnwritableLogStillLetsTheAnswerGovernTheProcedure) {
  win::SetAppPathForTesting(win::ToWindowsPath(folder.path()) + "\\gone");
  h->QueueMessageBoxAnswer(forms::mb::OK);
  h->QueueMessageBoxAnswer(Ignore);
  ThreeStatements procedure{1, {}};
  EXPECT_EQ(procedure.Run(), "ac");
  ASSERT_EQ(h->MessageBoxes().size(), 2u);
  EXPECT_TRUE(Box(0).prompt.endsWith("in procedure SaveItToTextFile Ln# 0"));
  EXPECT_EQ(Box(1).flags, 18);
}

}  // namespace
