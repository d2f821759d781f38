#include "support/GlobErrorModule.h"

#include "platform/forms/Host.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"
#include "platform/win/Cp1252.h"
#include "platform/win/Win.h"
#include "support/AppIdentity.h"
#include "support/FileInfoClassConstructorModule.h"

#include <QFile>

namespace GlobErrorModule {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The line number of the current error: no procedure of the program numbers
// its lines, so it is always 0.
constexpr int kCurrentErrorLine = 0;

std::function<QDateTime()>& Clock() {
  static std::function<QDateTime()> clock;
  return clock;
}

QDateTime Now() { return Clock() ? Clock()() : QDateTime::currentDateTime(); }

// The log lies in the program's folder, or in the program's per-user folder
// when the program may not write into its own.
QString ErrorLogFileName(const QDateTime& now) {
  const QString& program = AppIdentity::Current().name;
  return win::WritableAppPath(program) + QStringLiteral("\\Error_") + program +
         QStringLiteral("_") + vb::FormatMMDDYYYY(now) + QStringLiteral(".log");
}

QString ErrorLogLine(const QDateTime& now, const QString& message) {
  const AppIdentity& identity = AppIdentity::Current();
  return vb::DateTimeText(now) + QStringLiteral(" - ") + identity.name + QLatin1Char(' ') +
         identity.VersionText() + QLatin1Char(' ') + message + QLatin1Char(' ');
}

QString ErrorDialogText(const QString& message) {
  return message + kCrLf + QStringLiteral("Please contact ") +
         AppIdentity::Current().supportAddress +
         QStringLiteral(" if this error is persistent.") + QStringLiteral("   ");
}

// The run-time error the platform raises when writing a file fails.
[[noreturn]] void RaiseWriteFailure(const QFile& file) {
  if (file.error() == QFileDevice::ResourceError) vb::Raise(vb::err::DiskFull);
  vb::Raise(vb::err::DeviceIOError);
}

// Writes the line at the end of an existing file, or into a new one. A file
// is never cut short: should one appear between the existence test and the
// open, the open fails instead of emptying it.
void AppendLine(const QString& fileName, bool exists, const QString& lineText) {
  const std::unique_ptr<QFile> file = win::OpenForAppend(fileName, exists);
  const QByteArray bytes = win::cp1252::Encode(lineText + kCrLf);
  if (file->write(bytes) != bytes.size() || !file->flush()) RaiseWriteFailure(*file);
  file->close();
}

}  // namespace

int32_t LogError(int32_t ErrorNumber, const QString& ErrorDescription,
                 [[maybe_unused]] const QString& ProjectName, const QString& ProcedureName,
                 const QString& ModuleName, [[maybe_unused]] int16_t LineNumber) {
  const QString message = QStringLiteral("Error ") + QString::number(ErrorNumber) +
                          QStringLiteral(" (") + ErrorDescription +
                          QStringLiteral(") Process: ") + ProcedureName + QLatin1Char('.') +
                          ModuleName + QStringLiteral(" ln# ") +
                          QString::number(kCurrentErrorLine);
  return WriteErrorLog(message, true);
}

int32_t WriteErrorLog(QString Message, bool ShowMessage) {
  int32_t answer = 0;
  QString file;
  QString line;
  vb::ErrorTrap trap{vb::ErrorHandler()};
  trap.ResumeNext();
  trap.Run([&] {
    const QDateTime now = Now();
    trap([&] { file = ErrorLogFileName(now); });
    trap([&] { line = ErrorLogLine(now, Message); });
    trap([&] { SaveItToTextFile(file, line); });
    if (ShowMessage)
      trap([&] {
        answer = forms::MsgBox(ErrorDialogText(Message),
                               forms::mb::AbortRetryIgnore | forms::mb::Critical,
                               QStringLiteral("Error Encountered"));
      });
  });
  return answer;
}

bool SaveItToTextFile(const QString& FileName, const QString& LineText) {
  bool saved = false;
  vb::ErrorTrap trap([&](const vb::VbError& error) {
    forms::MsgBox(QStringLiteral("Error ") + QString::number(error.Number()) +
                  QStringLiteral(" (") + error.Description() +
                  QStringLiteral(") in procedure SaveItToTextFile") + QStringLiteral(" Ln# ") +
                  QString::number(kCurrentErrorLine));
    saved = false;
    return vb::Resume::Exit;
  });
  trap.Run([&] {
    trap([&] {
      const bool exists = FileInfoClassConstructorModule::NewFileInfoClass(FileName)->MFileExists();
      AppendLine(FileName, exists, LineText);
      saved = true;
    });
  });
  return saved;
}

vb::ErrorHandler LogErrorHandler(QString procedureLiteral, QString moduleLiteral) {
  return [procedure = std::move(procedureLiteral),
          module = std::move(moduleLiteral)](const vb::VbError& error) {
    // The project is the program's name (LogError does not use it).
    const int32_t answer = LogError(error.Number(), error.Description(), AppIdentity::Current().name,
                                    procedure, module, static_cast<int16_t>(kCurrentErrorLine));
    switch (answer) {
      case forms::mb::Abort: return vb::Resume::Exit;
      case forms::mb::Retry: return vb::Resume::Retry;
      case forms::mb::Ignore: return vb::Resume::Next;
      default:
        forms::MsgBox(error.Description(), forms::mb::Critical,
                      QStringLiteral("Critical Error Encountered"));
        forms::End();
    }
  };
}

void SetClockForTesting(std::function<QDateTime()> clock) { Clock() = std::move(clock); }

}  // namespace GlobErrorModule
