#include "platform/vb/ErrorTrap.h"

#include <new>

namespace vb {

namespace {

// Runs a statement; running out of memory is the platform's run-time error 7,
// which handlers trap like any other.
void RunStatement(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const std::bad_alloc&) {
    Raise(err::OutOfMemory);
  }
}

}  // namespace

ErrorTrap::ErrorTrap(ErrorHandler handler) : handler_(std::move(handler)) {}

void ErrorTrap::Run(const std::function<void()>& body) {
  try {
    body();
  } catch (const ExitProcedure&) {
    // The handler chose to leave the procedure; the caller goes on normally.
  }
}

void ErrorTrap::operator()(const std::function<void()>& statement) {
  for (;;) {
    try {
      RunStatement(statement);
      return;
    } catch (const VbError& error) {
      if (mode_ == Mode::Off || inHandler_) throw;
      if (mode_ == Mode::ResumeNext) return;
      // An error raised while the handler runs is not caught here: it goes to
      // the caller, as the platform does.
      inHandler_ = true;
      Resume answer;
      try {
        answer = handler_(error);
      } catch (...) {
        inHandler_ = false;
        throw;
      }
      inHandler_ = false;
      switch (answer) {
        case Resume::Retry:
          continue;
        case Resume::Next:
          return;
        case Resume::Exit:
          throw ExitProcedure{};
      }
    }
  }
}

void ErrorTrap::ResumeNext() { mode_ = Mode::ResumeNext; }
void ErrorTrap::GoToHandler() { mode_ = Mode::Handler; }
void ErrorTrap::GoToHandler(ErrorHandler handler) {
  handler_ = std::move(handler);
  mode_ = Mode::Handler;
}
void ErrorTrap::GoTo0() { mode_ = Mode::Off; }

}  // namespace vb
