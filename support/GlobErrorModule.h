#pragma once
// The error log and the Abort/Retry/Ignore answer to a trapped error: each
// error becomes one line of a daily log file in the program's folder and is
// shown to the user, whose answer decides how the failed procedure goes on.
#include "platform/vb/ErrorTrap.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

namespace GlobErrorModule {

// Logs the error and asks the user; returns the button pressed (3 Abort,
// 4 Retry, 5 Ignore). ProjectName and LineNumber are accepted and not used:
// the message carries the current error's line number.
int32_t LogError(int32_t ErrorNumber, const QString& ErrorDescription,
                 const QString& ProjectName, const QString& ProcedureName,
                 const QString& ModuleName, int16_t LineNumber);

// Appends the log line for Message to today's log; with ShowMessage shows
// the error dialog and returns its answer, otherwise returns 0. It raises no
// error: every step that fails is skipped.
int32_t WriteErrorLog(QString Message, bool ShowMessage);

// Writes LineText and CR LF at the end of FileName (created when missing).
// True on success; False after showing the failure.
bool SaveItToTextFile(const QString& FileName, const QString& LineText);

// The handler of every trapping procedure of the cemetery viewer: logs the
// error with the procedure's and module's names and turns the answer into
// Exit (Abort), Retry or Next (Ignore); any other answer shows the
// description as a critical error and ends the program.
vb::ErrorHandler LogErrorHandler(QString procedureLiteral, QString moduleLiteral);

// For tests: the clock the log's file names and lines take the time from
// (an empty function restores the system clock).
void SetClockForTesting(std::function<QDateTime()> clock);

}  // namespace GlobErrorModule
