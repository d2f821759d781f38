#pragma once
// Error trapping of a procedure, as the platform's "On Error" statements do it.
//
// A trapping procedure creates one ErrorTrap with its handler and runs its
// body through Run(); every statement that the handler may retry or skip is
// one call of the trap:
//
//   void Form::CMD_Go_Click() {
//     ErrorTrap trap(LogErrorHandler("CMD_Go_Click", "Form"));
//     trap.Run([&] {
//       trap([&] { a = First(); });          // Retry runs it again,
//       trap([&] { Label.SetCaption(a); });  // Ignore goes on after it,
//     });                                    // Abort leaves the procedure.
//   }
//
// An error in a statement that is not wrapped (or in a procedure without a
// trap) travels up to the caller's statement, as on the platform.
#include "platform/vb/VbError.h"

#include <functional>

namespace vb {

// What a handler decides after an error.
enum class Resume {
  Retry,  // run the failing statement again
  Next,   // go on with the next statement
  Exit,   // leave the procedure
};

using ErrorHandler = std::function<Resume(const VbError&)>;

class ErrorTrap {
 public:
  explicit ErrorTrap(ErrorHandler handler);

  // Runs the procedure body; an Exit answer ends it early, normally.
  void Run(const std::function<void()>& body);

  // Runs one statement under the current mode.
  void operator()(const std::function<void()>& statement);

  // "On Error Resume Next": failing statements are skipped, no handler runs.
  void ResumeNext();
  // "On Error GoTo handler": back to the procedure's handler (or a new one).
  void GoToHandler();
  void GoToHandler(ErrorHandler handler);
  // "On Error GoTo 0": errors travel to the caller.
  void GoTo0();

 private:
  enum class Mode { Handler, ResumeNext, Off };
  struct ExitProcedure {};
  ErrorHandler handler_;
  Mode mode_ = Mode::Handler;
  bool inHandler_ = false;
};

}  // namespace vb
