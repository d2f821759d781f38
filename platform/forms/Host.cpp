#include "platform/forms/Host.h"

#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace forms {

namespace {

std::unique_ptr<Host>& CurrentHost() {
  static std::unique_ptr<Host> current;
  return current;
}

QString& Title() {
  static QString title;
  return title;
}

bool& Ended() {
  static bool ended = false;
  return ended;
}

constexpr int kInternalError = 51;

int CurrentLoopLevel() {
  return QCoreApplication::instance() ? QThread::currentThread()->loopLevel() : 0;
}

// The platform's own message for an error that no handler trapped, then the
// program's end (which throws vb::ProgramEnded).
[[noreturn]] void ShowUntrappedError(int number, const QString& description) {
  const QString prompt = QStringLiteral("Run-time error '") + QString::number(number) +
                         QStringLiteral("':") + QStringLiteral("\r\n\r\n") + description;
  MsgBox(prompt, mb::OKOnly | mb::Critical, AppTitle());
  End();
}

// Runs the procedure; every error that escapes it ends the program.
void RunTrapped(const std::function<void()>& procedure) {
  try {
    procedure();
  } catch (const vb::VbError& error) {
    ShowUntrappedError(error.Number(), error.Description());
  } catch (const vb::ProgramEnded&) {
    throw;
  } catch (const std::bad_alloc&) {
    ShowUntrappedError(vb::err::OutOfMemory, vb::ErrorDescription(vb::err::OutOfMemory));
  } catch (...) {
    ShowUntrappedError(kInternalError, QStringLiteral("Internal error"));
  }
}

// Closes the event loops that run; a program ended before the main loop
// started is caught by RunEventLoop instead (exit() before exec() is lost,
// and calling it with no loop running would make the next loop return at
// once).
void QuitEventLoops() {
  Ended() = true;
  if (CurrentLoopLevel() > 0) QCoreApplication::exit(0);
}

// The event loop level of every event procedure that runs, innermost last.
std::vector<int>& DispatchLevels() {
  static std::vector<int> levels;
  return levels;
}

class DispatchScope {
 public:
  DispatchScope() { DispatchLevels().push_back(CurrentLoopLevel()); }
  ~DispatchScope() { DispatchLevels().pop_back(); }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

  // True when another event procedure called this one without an event loop
  // in between.
  bool NestedDirectly() const {
    const std::vector<int>& levels = DispatchLevels();
    return levels.size() >= 2 && levels[levels.size() - 2] == levels.back();
  }
};

}  // namespace

namespace mb {

std::vector<int> Buttons(int flags) {
  switch (flags & ButtonMask) {
    case OKCancel: return {OK, Cancel};
    case AbortRetryIgnore: return {Abort, Retry, Ignore};
    case YesNoCancel: return {Yes, No, Cancel};
    case YesNo: return {Yes, No};
    case RetryCancel: return {Retry, Cancel};
    default: return {OK};
  }
}

int DefaultAnswer(int flags) {
  const std::vector<int> buttons = Buttons(flags);
  const size_t index = static_cast<size_t>((flags & DefaultMask) / DefaultButton2);
  return index < buttons.size() ? buttons[index] : buttons.front();
}

int EscapeAnswer(int flags) {
  switch (flags & ButtonMask) {
    case OKCancel:
    case YesNoCancel:
    case RetryCancel: return Cancel;
    case AbortRetryIgnore:
    case YesNo: return 0;
    default: return OK;
  }
}

}  // namespace mb

Host& host() {
  std::unique_ptr<Host>& current = CurrentHost();
  if (!current) {
    std::fputs("forms::host(): no host was set (call forms::SetHost first)\n", stderr);
    std::abort();
  }
  return *current;
}

void SetHost(std::unique_ptr<Host> newHost) {
  CurrentHost() = std::move(newHost);
  Ended() = false;
  if (CurrentHost())
    win::SetUrlOpener([](const QString& url) { return host().OpenUrl(url); });
  else
    win::SetUrlOpener(nullptr);
}

void SetAppTitle(const QString& title) { Title() = title; }

const QString& AppTitle() { return Title(); }

int MsgBox(const QString& prompt, int flags, const QString& title) {
  MessageBoxRequest request;
  request.prompt = prompt;
  request.flags = flags;
  request.title = title.isEmpty() ? AppTitle() : title;
  return host().MessageBox(request);
}

void DispatchEvent(const std::function<void()>& procedure) {
  const DispatchScope scope;
  try {
    RunTrapped(procedure);
    return;
  } catch (const vb::ProgramEnded&) {
  } catch (...) {
    // The error message itself failed: nothing sensible is left to do but
    // to end.
  }
  QuitEventLoops();
  // An event that code raised from inside another event procedure (no event
  // loop in between) ends that procedure too; through an event loop the
  // exception may not travel, so the modal show rethrows it instead.
  if (scope.NestedDirectly()) throw vb::ProgramEnded{};
}

void End() {
  host().EndProgram();
  // The compiler cannot see through the virtual call; the end is certain.
  throw vb::ProgramEnded{};
}

bool ProgramHasEnded() { return Ended(); }

int RunEventLoop() {
  if (ProgramHasEnded() || !QCoreApplication::instance()) return 0;
  return QCoreApplication::exec();
}

}  // namespace forms
