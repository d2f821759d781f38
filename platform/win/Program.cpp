// The program's folder, its command line and the opener of web addresses.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "platform/win/Cp1252.h"
#include "platform/win/FileSystem.h"
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
    program = QFileInfo(QFile::decodeName(argv0)).absoluteFilePath();
  }
  return QFileInfo(program).absolutePath();
}

// An existing folder the program may not write into: the current user may
// not create files in it (permissions, a read-only mount), or no write
// permission is set for anyone, the platform's read-only rule, which holds
// for the superuser as well.
bool IsUnwritableFolder(const QString& nativeFolder) {
  const QFileInfo info(nativeFolder);
  if (!info.isDir()) return false;
  if (fs::IsReadOnly(info)) return true;
  return faccessat(AT_FDCWD, QFile::encodeName(nativeFolder).constData(), W_OK | X_OK,
                   AT_EACCESS) != 0;
}

// $XDG_CONFIG_HOME/<program name>, or ~/.config/<program name> when the
// variable is unset, empty or not an absolute path.
QString PerUserFolder(const QString& programName) {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  return QDir::cleanPath(base + u'/' + programName);
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

// The arguments name one launch file: a path typed without quotation marks
// arrives split at its blanks, so the arguments are joined by blanks again.
// The path reaches the program absolute (a name typed in the CD's folder
// names a file there) and in Windows form, so that the path rules see
// backslashes, and without quotation marks.
void SetProgramArguments(int argc, char** argv) {
  ProgramState& state = State();
  state.appPath = ToWindowsPath(FolderOfProgram(argc > 0 ? argv[0] : nullptr));
  state.appPathKnown = true;
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QFile::decodeName(argv[i]));
  const QString path = arguments.join(u' ');
  state.commandLine = path.isEmpty() ? QString() : ToWindowsPath(QFileInfo(path).absoluteFilePath());
}

QString WritableAppPath(const QString& programName) {
  const QString programFolder = AppPath();
  if (!IsUnwritableFolder(ToNativePath(programFolder))) return programFolder;
  const QString perUser = PerUserFolder(programName);
  QDir().mkpath(perUser);
  return ToWindowsPath(perUser);
}

QString AppFileToRead(const QString& programName, const QString& fileName) {
  const QString programFile = AppPath() + u'\\' + fileName;
  if (!IsUnwritableFolder(ToNativePath(AppPath()))) return programFile;
  const QString userFile = PerUserFolder(programName) + u'/' + fileName;
  return QFileInfo::exists(userFile) ? ToWindowsPath(userFile) : programFile;
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
