#pragma once
// The bounds every statement of a reading connection runs within: texts,
// blobs and statements have a largest length, and a statement has a time
// limit after which it fails (3360), so that no statement can run for ever
// or take the memory of the program.
#include <cstddef>
#include <cstdint>

struct sqlite3;

namespace sqlitedb {

// The largest text or blob a statement may make or read (bytes): far above
// any real value (a long obituary is some tens of kilobytes).
inline constexpr int kMaxValueBytes = 64 << 20;
// The longest statement (bytes, as translated), about Jet's own limit of
// 64,000 characters; the viewers' statements take well under a kilobyte.
inline constexpr int kMaxStatementBytes = 64 << 10;
// The processor time a statement may take (waiting for a slow disc does
// not count).
inline constexpr int kStatementSeconds = 2;

// Sets the length caps on the connection and lets the time limit end its
// statements (through the engine's progress handler).
void InstallStatementLimits(sqlite3* db);

// Times the statements run on this thread while it exists: a statement
// still running when the thread has used kStatementSeconds of processor
// time since the clock started fails with 3360. Statements run without a
// clock have no time limit.
class StatementClock {
 public:
  StatementClock();
  ~StatementClock();
  StatementClock(const StatementClock&) = delete;
  StatementClock& operator=(const StatementClock&) = delete;

 private:
  int64_t outerStart_;  // the enclosing clock's start, -1 for none
};

// The moment the running statement started (wall-clock milliseconds since
// 1970, UTC): Now, Date and Time read it, so that they give one moment
// throughout a statement, as Jet reads the clock once for a query. The
// present moment when no StatementClock runs on this thread.
int64_t StatementStartMs();

// The engine looks at the clock only between its own steps, so a function
// that can run long inside one step (matching a pattern, building a long
// text) looks at it itself: raises 3360 once the running statement is past
// its limit; nothing without a running clock. A look costs a system call:
// look every few thousand pieces of work, not at every one.
void CheckStatementTime();

// The pieces of work (characters read, words of a bitset) a function does
// between two looks at the clock.
inline constexpr size_t kWorkBetweenLooks = 1 << 14;

// Counts the work of one long-running call and looks at the clock
// (CheckStatementTime) after every kWorkBetweenLooks pieces of it, so that
// the call ends with 3360 soon after its statement is past the limit.
class StatementWork {
 public:
  void Add(size_t pieces) {
    done_ += pieces;
    if (done_ < kWorkBetweenLooks) return;
    done_ = 0;
    CheckStatementTime();
  }

 private:
  size_t done_ = 0;
};

// For tests: while it exists, statements on this process may take
// `milliseconds` of processor time instead of kStatementSeconds.
class StatementLimitForTesting {
 public:
  explicit StatementLimitForTesting(int milliseconds);
  ~StatementLimitForTesting();
  StatementLimitForTesting(const StatementLimitForTesting&) = delete;
  StatementLimitForTesting& operator=(const StatementLimitForTesting&) = delete;

 private:
  int64_t outerLimitNs_;
};

}  // namespace sqlitedb
