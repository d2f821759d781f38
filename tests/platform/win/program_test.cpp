// The program's folder, its command line and the web-address opener.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/win/Win.h"

namespace win {
namespace {

QString CommandLineOf(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  SetProgramArguments(static_cast<int>(argv.size()), argv.data());
  return CommandLine();
}

TEST(ProgramTest, CommandLineJoinsTheArgumentsInWindowsForm) {
  struct Case { std::vector<std::string> argv; const char* commandLine; };
  const Case cases[] = {
      {{"prog"}, ""},
      {{"prog", "/media/cd/go.ini"}, "\\media\\cd\\go.ini"},
      {{"prog", "/media/my cd/go.ini"}, "\"\\media\\my cd\\go.ini\""},
      {{"prog", "a", "b c"}, "a \"b c\""},
      {{"prog", "say \"hi\""}, "\"say \\\"hi\\\"\""},
      {{"prog", "dir /"}, "\"dir \\\\\""},  // a trailing backslash doubles before the mark
      {{"prog", ""}, "\"\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineOf(c.argv), c.commandLine) << c.commandLine;
  }
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
