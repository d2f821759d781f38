// Error trapping: Retry, Ignore, Exit, Resume Next, GoTo 0 and propagation.
#include "platform/vb/ErrorTrap.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace vb {
namespace {

// Records which statements ran and how often the handler was asked.
struct Trace {
  std::vector<std::string> ran;
  std::vector<int> handled;  // error numbers the handler saw
};

// A handler that records the error and gives a fixed answer.
ErrorHandler Answer(Trace& t, Resume answer) {
  return [&t, answer](const VbError& e) {
    t.handled.push_back(e.Number());
    return answer;
  };
}

// A statement that records its run and raises `number` while `failures` > 0.
std::function<void()> Step(Trace& t, std::string name, int& failures, int number = 53) {
  return [&t, name, &failures, number] {
    t.ran.push_back(name);
    if (failures > 0) {
      --failures;
      Raise(number);
    }
  };
}

using Names = std::vector<std::string>;

// a; b (fails `failures` times); c — every statement under the trap.
int ThreeStatements(Trace& t, Resume answer, int failures) {
  int result = 0;
  int never = 0;
  ErrorTrap trap(Answer(t, answer));
  trap.Run([&] {
    trap([&] { Step(t, "a", never)(); result = 1; });
    trap(Step(t, "b", failures));
    trap([&] { Step(t, "c", never)(); result = 2; });
  });
  return result;
}

// A caller whose handler answers Ignore: calls `procedure`, then runs "after".
void CallFromTrappedCaller(Trace& t, const std::function<void()>& procedure) {
  int never = 0;
  ErrorTrap caller(Answer(t, Resume::Next));
  caller.Run([&] {
    caller(procedure);
    caller(Step(t, "after", never));
  });
}

TEST(ErrorTrap, RetryRunsTheFailingStatementAgain) {
  Trace t;
  EXPECT_EQ(ThreeStatements(t, Resume::Retry, 2), 2);
  EXPECT_EQ(t.ran, (Names{"a", "b", "b", "b", "c"}));
  EXPECT_EQ(t.handled, (std::vector<int>{53, 53}));
}

TEST(ErrorTrap, IgnoreGoesOnWithTheNextStatement) {
  Trace t;
  EXPECT_EQ(ThreeStatements(t, Resume::Next, 5), 2);
  EXPECT_EQ(t.ran, (Names{"a", "b", "c"}));
  EXPECT_EQ(t.handled.size(), 1u);
}

TEST(ErrorTrap, ExitLeavesTheProcedureKeepingItsResult) {
  Trace t;
  int result = -1;
  CallFromTrappedCaller(t, [&] { result = ThreeStatements(t, Resume::Exit, 1); });
  EXPECT_EQ(result, 1);  // what the function had set before the error
  EXPECT_EQ(t.ran, (Names{"a", "b", "after"}));
  EXPECT_EQ(t.handled.size(), 1u);  // the caller's handler never ran
}

TEST(ErrorTrap, ResumeNextSkipsFailingStatementsUntilHandlerIsBack) {
  Trace t;
  int fail = 1, failAgain = 1, failLater = 1, never = 0;
  ErrorTrap trap(Answer(t, Resume::Next));
  trap.Run([&] {
    trap.ResumeNext();
    trap(Step(t, "b", fail));
    trap(Step(t, "c", failAgain));
    trap(Step(t, "d", never));
    trap.GoToHandler();
    trap(Step(t, "e", failLater));
    trap(Step(t, "f", never));
  });
  EXPECT_EQ(t.ran, (Names{"b", "c", "d", "e", "f"}));
  EXPECT_EQ(t.handled, (std::vector<int>{53}));  // only e reached the handler
}

TEST(ErrorTrap, GoTo0LetsTheErrorReachTheCaller) {
  Trace t;
  int fail = 1, never = 0;
  auto procedure = [&] {
    ErrorTrap trap(Answer(t, Resume::Retry));
    trap.Run([&] {
      trap.GoTo0();
      trap(Step(t, "b", fail));
      trap(Step(t, "c", never));
    });
  };
  CallFromTrappedCaller(t, procedure);
  EXPECT_EQ(t.ran, (Names{"b", "after"}));
  EXPECT_EQ(t.handled, (std::vector<int>{53}));  // answered once, by the caller
}

TEST(ErrorTrap, NestedCallWithoutTrapIsAnsweredAtTheCallersStatement) {
  for (Resume answer : {Resume::Retry, Resume::Next}) {
    Trace t;
    int fail = 1, never = 0;
    auto untrapped = [&] {  // no trap of its own
      Step(t, "i1", never)();
      Step(t, "i2", fail)();
      Step(t, "i3", never)();
    };
    ErrorTrap trap(Answer(t, answer));
    trap.Run([&] {
      trap(untrapped);
      trap(Step(t, "next", never));
    });
    const Names expected = answer == Resume::Retry
                               ? Names{"i1", "i2", "i1", "i2", "i3", "next"}  // the whole call again
                               : Names{"i1", "i2", "next"};
    EXPECT_EQ(t.ran, expected);
    EXPECT_EQ(t.handled.size(), 1u);
  }
}

TEST(ErrorTrap, ErrorInsideTheHandlerGoesToTheCaller) {
  Trace t;
  int fail = 1, never = 0;
  auto procedure = [&] {
    ErrorTrap trap([&](const VbError& e) -> Resume {
      t.handled.push_back(e.Number());
      Raise(err::InvalidProcedureCall);
    });
    trap.Run([&] {
      trap(Step(t, "b", fail));
      trap(Step(t, "c", never));
    });
  };
  CallFromTrappedCaller(t, procedure);
  EXPECT_EQ(t.ran, (Names{"b", "after"}));
  EXPECT_EQ(t.handled, (std::vector<int>{53, err::InvalidProcedureCall}));
}

TEST(ErrorTrap, OutOfMemoryIsTrappedAsError7) {
  Trace t;
  int never = 0;
  ErrorTrap trap(Answer(t, Resume::Next));
  trap.Run([&] {
    trap([] { throw std::bad_alloc(); });
    trap(Step(t, "next", never));
  });
  EXPECT_EQ(t.ran, (Names{"next"}));
  EXPECT_EQ(t.handled, (std::vector<int>{err::OutOfMemory}));
}

TEST(ErrorTrap, UntrappedErrorLeavesRun) {
  Trace t;
  int fail = 1;
  ErrorTrap trap(Answer(t, Resume::Next));
  EXPECT_THROW(trap.Run([&] { Step(t, "unwrapped", fail)(); }), VbError);
  EXPECT_TRUE(t.handled.empty());
}

}  // namespace
}  // namespace vb
