// The program's folder, its command line and the opener of web addresses.
#include <QFileInfo>
#include <QStringList>

#include "platform/win/Cp1252.h"
#include "platform/win/Win.h"

namespace win {
namespace {

struct ProgramState {
  QString appPath;
  bool appPathKnown = false;
  QString commandLine;
  std::function<bool(const QString&)> urlOpener;
};

ProgramState& State() {
  static ProgramState state;
  return state;
}

QString FolderOfProgram(const char* argv0) {
  QString program = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
  if (program.isEmpty() && argv0 != nullptr) {
    program = QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
  }
  return QFileInfo(program).absolutePath();
}

// An argument as the system passes it on a command line: in quotation marks
// when it is empty or holds blanks, with backslashes before a quotation mark
// doubled and the mark itself escaped.
QString QuotedArgument(const QString& argument) {
  if (!argument.isEmpty() && !argument.contains(u' ') && !argument.contains(u'\t') &&
      !argument.contains(u'"')) {
    return argument;
  }
  QString quoted = QStringLiteral("\"");
  qsizetype backslashes = 0;
  for (QChar ch : argument) {
    if (ch == u'\\') {
      ++backslashes;
      continue;
    }
    if (ch == u'"') backslashes = backslashes * 2 + 1;
    quoted += QString(backslashes, u'\\') + ch;
    backslashes = 0;
  }
  quoted += QString(backslashes * 2, u'\\') + u'"';
  return quoted;
}

}  // namespace

QString AppPath() {
  ProgramState& state = State();
  if (!state.appPathKnown) {
    state.appPath = ToWindowsPath(FolderOfProgram(nullptr));
    state.appPathKnown = true;
  }
  return state.appPath;
}

QString CommandLine() { return State().commandLine; }

// Each argument is a native path at most: it reaches the program in Windows
// form, so that the path rules see backslashes.
void SetProgramArguments(int argc, char** argv) {
  ProgramState& state = State();
  state.appPath = ToWindowsPath(FolderOfProgram(argc > 0 ? argv[0] : nullptr));
  state.appPathKnown = true;
  QStringList arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.append(QuotedArgument(ToWindowsPath(QString::fromLocal8Bit(argv[i]))));
  }
  state.commandLine = arguments.join(u' ');
}

void SetAppPathForTesting(const QString& windowsPath) {
  State().appPath = windowsPath;
  State().appPathKnown = true;
}

void SetCommandLineForTesting(const QString& commandLine) {
  State().commandLine = commandLine;
}

// The address reaches the opener as 8-bit text in the code page.
bool ShellExecuteOpen(const QString& url) {
  const auto& opener = State().urlOpener;
  return opener ? opener(cp1252::RoundTrip(url)) : false;
}

void SetUrlOpener(std::function<bool(const QString&)> opener) {
  State().urlOpener = std::move(opener);
}

}  // namespace win
