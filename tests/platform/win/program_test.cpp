// The program's folder, its command line and the web-address opener.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/win/Win.h"
#include "tests/testkit/ScopedChanges.h"

namespace win {
namespace {

QString CommandLineOf(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  SetProgramArguments(static_cast<int>(argv.size()), argv.data());
  return CommandLine();
}

// The arguments name one launch file: absolute, in Windows form, without
// quotation marks, also when a folder has blanks or names outside any 8-bit
// code page.
TEST(ProgramTest, CommandLineIsTheLaunchFilesAbsolutePathInWindowsForm) {
  QTemporaryDir current;
  ASSERT_TRUE(current.isValid());
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(current.path()));
  const QString here = ToWindowsPath(QDir::currentPath());
  struct Case { std::vector<std::string> argv; QString commandLine; };
  const Case cases[] = {
      {{"prog"}, ""},
      {{"prog", ""}, ""},
      {{"prog", "/media/cd/go.ini"}, "\\media\\cd\\go.ini"},
      {{"prog", "/media/anna/MAPLE HILL/gravelight.ini"},
       "\\media\\anna\\MAPLE HILL\\gravelight.ini"},
      // Typed without quotation marks, the path arrives split at its blank.
      {{"prog", "/media/anna/MAPLE", "HILL/gravelight.ini"},
       "\\media\\anna\\MAPLE HILL\\gravelight.ini"},
      {{"prog", "gravelight.ini"}, here + "\\gravelight.ini"},
      {{"prog", "./disc/../gravelight.ini"}, here + "\\gravelight.ini"},
      {{"prog", "say \"hi\".ini"}, here + "\\say \"hi\".ini"},
      {{"prog", "/media/\xC5\x81\xC3\xB3" "d\xC5\xBA/go.ini"},
       QString::fromUtf8("\\media\\\u0141\u00f3d\u017a\\go.ini")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineOf(c.argv), c.commandLine) << c.commandLine.toStdString();
  }
  QDir::setCurrent(previous);
}

TEST(ProgramTest, AppPathIsTheProgramFolderInWindowsForm) {
  std::string program = "prog";
  char* argv[] = {program.data()};
  SetProgramArguments(1, argv);
  const QString folder = QFileInfo(QFileInfo("/proc/self/exe").symLinkTarget()).absolutePath();
  EXPECT_EQ(AppPath(), ToWindowsPath(folder));
  EXPECT_FALSE(AppPath().endsWith(u'\\'));
  SetAppPathForTesting("\\opt\\app");
  SetCommandLineForTesting("\"quoted\"");
  EXPECT_EQ(AppPath(), "\\opt\\app");
  EXPECT_EQ(CommandLine(), "\"quoted\"");
}

// The program's own files stay beside it while it may write there, and go
// to the per-user folder when it may not (a folder without write permission
// counts as such for the superuser too).
TEST(ProgramTest, OwnFilesGoToThePerUserFolderWhenTheProgramFolderIsNotWritable) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("Program Files/Gravelight"));
  const QString program = dir.filePath("Program Files/Gravelight");
  const testutil::ScopedEnvironmentVariable home("HOME", dir.filePath("home").toUtf8());
  const testutil::ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                                   dir.filePath("config").toUtf8());
  SetAppPathForTesting(ToWindowsPath(program));
  EXPECT_EQ(WritableAppPath("Gravelight"), ToWindowsPath(program));
  EXPECT_FALSE(dir.exists("config"));

  const testutil::ScopedReadOnlyFolder readOnly(program);
  EXPECT_EQ(WritableAppPath("Gravelight"), ToWindowsPath(dir.filePath("config/Gravelight")));
  EXPECT_TRUE(QFileInfo(dir.filePath("config/Gravelight")).isDir());
  // Without a usable XDG_CONFIG_HOME: ~/.config.
  for (const char* value : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    const testutil::ScopedEnvironmentVariable unusable("XDG_CONFIG_HOME", value);
    EXPECT_EQ(WritableAppPath("Mournlight"),
              ToWindowsPath(dir.filePath("home/.config/Mournlight")));
  }
  EXPECT_TRUE(QFileInfo(dir.filePath("home/.config/Mournlight")).isDir());

  // A program folder that is not there is named as it is.
  SetAppPathForTesting(ToWindowsPath(dir.filePath("gone")));
  EXPECT_EQ(WritableAppPath("Gravelight"), ToWindowsPath(dir.filePath("gone")));
}

// A settings file is read back from where it is kept; while the user's own
// copy does not exist, the one installed beside the program is read.
TEST(ProgramTest, OwnFilesAreReadFromThePerUserFolderOnlyOnceThereIsOne) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QDir dir(root.path());
  ASSERT_TRUE(dir.mkpath("program"));
  const QString program = dir.filePath("program");
  const testutil::ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                                   dir.filePath("config").toUtf8());
  SetAppPathForTesting(ToWindowsPath(program));
  const QString besideProgram = ToWindowsPath(program) + "\\remember.ini";
  const QString perUser = ToWindowsPath(dir.filePath("config/Mournlight/remember.ini"));

  EXPECT_EQ(AppFileToRead("Mournlight", "remember.ini"), besideProgram);
  {
    const testutil::ScopedReadOnlyFolder readOnly(program);
    EXPECT_EQ(AppFileToRead("Mournlight", "remember.ini"), besideProgram);
    EXPECT_FALSE(dir.exists("config"));  // reading creates nothing
    ASSERT_TRUE(dir.mkpath("config/Mournlight"));
    QFile file(dir.filePath("config/Mournlight/remember.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(AppFileToRead("Mournlight", "remember.ini"), perUser);
    EXPECT_EQ(AppFileToRead("Gravelight", "remember.ini"), besideProgram);
  }
  // Kept beside the program again once the folder may be written.
  EXPECT_EQ(AppFileToRead("Mournlight", "remember.ini"), besideProgram);
}

TEST(ProgramTest, ShellExecuteUsesTheInstalledOpener) {
  EXPECT_FALSE(ShellExecuteOpen("http://example.invalid/"));
  QString opened;
  SetUrlOpener([&](const QString& url) {
    opened = url;
    return true;
  });
  EXPECT_TRUE(ShellExecuteOpen(QString::fromUtf8("http://example.invalid/a b?x=é&y=Ł")));
  EXPECT_EQ(opened, QString::fromUtf8("http://example.invalid/a b?x=é&y=?"));
  SetUrlOpener(nullptr);
  EXPECT_FALSE(ShellExecuteOpen("http://example.invalid/"));
}

}  // namespace
}  // namespace win
