#pragma once
// Where the trapped errors of a window's procedures go. The cemetery viewer
// hands each one to the error log, which asks Abort/Retry/Ignore; the
// obituary viewer traps nothing, so an error travels to the calling
// procedure and, from an event, ends the program with the platform's
// run-time error message. Every piece of window behaviour that both viewers
// run takes its error handling from one of these.
#include "platform/vb/ErrorTrap.h"

#include <QString>

class ErrorPolicy {
 public:
  // The error log's answer, naming the procedure and this module.
  static ErrorPolicy ErrorLog(QString module);
  // No handler: errors reach the caller.
  static ErrorPolicy Untrapped();

  // The error trap of one procedure: the error log's handler, or a trap in
  // "GoTo 0" mode whose statements let every error through.
  vb::ErrorTrap Trap(const QString& procedure) const;
  vb::ErrorTrap Trap(const char* procedure) const { return Trap(QString::fromLatin1(procedure)); }

  bool TrapsErrors() const { return trapsErrors_; }
  const QString& Module() const { return module_; }

 private:
  ErrorPolicy(bool trapsErrors, QString module)
      : trapsErrors_(trapsErrors), module_(std::move(module)) {}
  bool trapsErrors_;
  QString module_;
};
