#include "platform/jetsql/StatementLimits.h"

#include "platform/vb/VbError.h"

#include <atomic>
#include <sqlite3.h>
#include <time.h>

namespace sqlitedb {

namespace {

// The virtual-machine steps between two looks at the clock.
constexpr int kStepsBetweenLooks = 4000;
constexpr int64_t kLimitNs = int64_t(kStatementSeconds) * 1000000000;
std::atomic<int64_t> gLimitNs{kLimitNs};

int64_t ThreadCpuNs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// When the running clock started (thread processor time); -1 for none.
thread_local int64_t tClockStart = -1;
// When the running clock started (wall clock, milliseconds since 1970).
thread_local int64_t tStartMs = 0;

int64_t WallClockMs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

bool TimeIsUp() {
  return tClockStart >= 0 && ThreadCpuNs() - tClockStart > gLimitNs.load(std::memory_order_relaxed);
}

int PastTheLimit(void*) { return TimeIsUp() ? 1 : 0; }

}  // namespace

void InstallStatementLimits(sqlite3* db) {
  sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
  sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, kMaxStatementBytes);
  sqlite3_progress_handler(db, kStepsBetweenLooks, PastTheLimit, nullptr);
}

StatementClock::StatementClock() : outerStart_(tClockStart) {
  if (tClockStart >= 0) return;
  tClockStart = ThreadCpuNs();
  tStartMs = WallClockMs();
}

StatementClock::~StatementClock() { tClockStart = outerStart_; }

int64_t StatementStartMs() { return tClockStart >= 0 ? tStartMs : WallClockMs(); }

void CheckStatementTime() {
  if (TimeIsUp()) vb::Raise(vb::err::QueryTooComplex);
}

StatementLimitForTesting::StatementLimitForTesting(int milliseconds)
    : outerLimitNs_(gLimitNs.exchange(int64_t(milliseconds) * 1000000)) {}

StatementLimitForTesting::~StatementLimitForTesting() { gLimitNs.store(outerLimitNs_); }

}  // namespace sqlitedb
