#include "platform/dao/JetLoader.h"

#include "platform/dao/JetReader.h"
#include "platform/jetsql/JetDialect.h"
#include "platform/sqlite/FileAccess.h"
#include "platform/sqlite/FileStamp.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dao {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDamaged = vb::err::CannotOpenDb;
// How long the child may go without progress before it counts as hung.
constexpr auto kDecodeStallLimit = std::chrono::seconds(4);
constexpr auto kLoadStallLimit = std::chrono::seconds(60);
constexpr int kPollMs = 50;

// The counters are shared with the child through a plain shared mapping.
static_assert(std::atomic<uint64_t>::is_always_lock_free && std::atomic<int>::is_always_lock_free);

// The test seam's settings (see JetLoader.h); the defaults are production's.
std::atomic<testing::ChildFault> gChildFault{testing::ChildFault::None};
std::atomic<std::chrono::milliseconds::rep> gLoadStallMs{
    std::chrono::milliseconds(kLoadStallLimit).count()};
std::atomic<std::chrono::milliseconds::rep> gDecodeStallMs{
    std::chrono::milliseconds(kDecodeStallLimit).count()};

// The peak resident size of the last child reaped, in kilobytes.
std::atomic<long> gLastReaderPeakKb{0};

std::chrono::milliseconds StallLimit(int phase) {
  return std::chrono::milliseconds(phase == kPhaseLoading ? gLoadStallMs.load()
                                                          : gDecodeStallMs.load());
}

[[noreturn]] void RaiseOpenError(int number) {
  if (number == vb::err::NotAValidPath) vb::Raise(number, QStringLiteral("Not a valid path."));
  vb::Raise(number);
}

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }
  void Reset() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= size_t(n);
  }
  return true;
}

// The child's report: its length, the error number (0 = success) and the
// encoded tables.
QByteArray ChildReport(int32_t number, const QByteArray& tables) {
  QByteArray out;
  const uint32_t length = uint32_t(4 + tables.size());
  out.append(reinterpret_cast<const char*>(&length), 4);
  out.append(reinterpret_cast<const char*>(&number), 4);
  out.append(tables);
  return out;
}

// A damaged file can make libmdb ask for absurd amounts of memory; the
// child's address space is bounded so that such a request fails in it.
void LimitChildMemory(size_t fileSize) {
  long pages = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
    std::fclose(f);
  }
  const rlim_t current = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
  const rlim_t limit = current + (rlim_t(2) << 30) + rlim_t(fileSize) * 8;
  struct rlimit rl {limit, limit};
  setrlimit(RLIMIT_AS, &rl);
}

// A crash in the child ends it at once, without a core file and without the
// parent's crash handlers; the child also goes when the parent does, so that
// a hanging child never outlives the viewer.
void PrepareChild(pid_t parent) {
  sigset_t crashes;
  sigemptyset(&crashes);
  for (int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL, SIGTRAP}) {
    std::signal(sig, SIG_DFL);
    sigaddset(&crashes, sig);
  }
  sigprocmask(SIG_UNBLOCK, &crashes, nullptr);
  struct rlimit noCore {0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(1);  // the parent went before the request took hold
  // libmdb reports damage on stderr; the parent turns it into an error.
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devNull >= 0) dup2(devNull, STDERR_FILENO);
}

// The test seam's faults, acted out in place of the read.
void ActOutFault(testing::ChildFault fault, ReadProgress& progress) {
  using testing::ChildFault;
  if (fault == ChildFault::None) return;
  if (fault != ChildFault::HangBeforeDecode) {
    progress.phase.store(kPhaseDecoding);
    progress.ticks.fetch_add(1);
  }
  if (fault == ChildFault::CrashMidDecode) raise(SIGSEGV);
  for (;;) pause();
}

// The report of the read: the error number and the encoded tables.
QByteArray ReadInChild(const std::string& path, int imageFd, ReadProgress& progress) {
  int32_t number = 0;
  QByteArray tables;
  try {
    tables = EncodeTables(ReadJetFile(path, imageFd, progress));
  } catch (const ReadFailure& failure) {
    number = failure.number;
  } catch (...) {
    number = kDamaged;
  }
  return ChildReport(number, tables);
}

[[noreturn]] void RunChild(pid_t parent, const std::string& path, int imageFd, int reportFd,
                           ReadProgress& progress) {
  // No exception may leave the child: it would unwind into the parent's code.
  try {
    PrepareChild(parent);
    ActOutFault(gChildFault.load(), progress);
    struct stat st {};
    LimitChildMemory(stat(path.c_str(), &st) == 0 ? size_t(st.st_size) : 0);
    const QByteArray report = ReadInChild(path, imageFd, progress);
    _exit(WriteAll(reportFd, report.constData(), size_t(report.size())) ? 0 : 1);
  } catch (...) {
    _exit(1);
  }
}

// The progress counters, in a mapping shared with the child.
class SharedProgress {
 public:
  SharedProgress() {
    void* shared = mmap(nullptr, sizeof(ReadProgress), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) vb::Raise(kDamaged);
    progress_ = new (shared) ReadProgress();
  }
  ~SharedProgress() {
    progress_->~ReadProgress();
    munmap(progress_, sizeof(ReadProgress));
  }
  SharedProgress(const SharedProgress&) = delete;
  SharedProgress& operator=(const SharedProgress&) = delete;
  ReadProgress& get() const { return *progress_; }

 private:
  ReadProgress* progress_ = nullptr;
};

// The forked child. However the parent leaves the load, the child is gone
// and reaped afterwards: nothing is left running and no zombie stays.
class ReadingChild {
 public:
  explicit ReadingChild(pid_t pid) : pid_(pid) {}
  ~ReadingChild() {
    if (pid_ <= 0) return;
    Kill();
    Reap();
  }
  ReadingChild(const ReadingChild&) = delete;
  ReadingChild& operator=(const ReadingChild&) = delete;

  void Kill() const { kill(pid_, SIGKILL); }
  // Waits for the child's end and returns its status; none when the status
  // went elsewhere (SIGCHLD ignored, or a handler of the program reaped it).
  std::optional<int> Reap() {
    int status = 0;
    struct rusage usage {};
    pid_t r;
    do {
      r = wait4(pid_, &status, 0, &usage);
    } while (r < 0 && errno == EINTR);
    pid_ = -1;
    if (r < 0) return std::nullopt;
    gLastReaderPeakKb.store(usage.ru_maxrss);
    return status;
  }

 private:
  pid_t pid_;
};

struct ChildOutcome {
  bool finished = false;  // exited normally, with a whole report
  QByteArray report;
};

// Collects the report while watching the child's progress (its ticks and
// the bytes of the report). True when the child closed its end of the pipe
// (it finished or died); false when it stopped moving or the pipe failed.
bool CollectReport(int reportFd, const ReadProgress& progress, QByteArray& report) {
  uint64_t lastTicks = progress.ticks.load();
  Clock::time_point lastMove = Clock::now();
  char buf[65536];
  for (;;) {
    pollfd pfd{reportFd, POLLIN, 0};
    const int r = poll(&pfd, 1, kPollMs);
    if (r < 0 && errno != EINTR) return false;
    if (r > 0) {
      const ssize_t n = read(reportFd, buf, sizeof buf);
      if (n == 0) return true;
      if (n > 0) {
        report.append(buf, qsizetype(n));
        lastMove = Clock::now();
      } else if (errno != EINTR) {
        return false;
      }
    }
    const uint64_t ticks = progress.ticks.load();
    const Clock::time_point now = Clock::now();
    if (ticks != lastTicks) {
      lastTicks = ticks;
      lastMove = now;
    }
    if (now - lastMove > StallLimit(progress.phase.load())) return false;
  }
}

// The child's report and how it ended; a child that stops moving is killed.
ChildOutcome WaitForChild(ReadingChild& child, int reportFd, const ReadProgress& progress) {
  ChildOutcome outcome;
  const bool closed = CollectReport(reportFd, progress, outcome.report);
  if (!closed) child.Kill();
  const std::optional<int> status = child.Reap();
  // Without a status the report alone tells: the child writes its whole
  // report last and exits cleanly right after.
  outcome.finished =
      closed && (!status || (WIFEXITED(*status) && WEXITSTATUS(*status) == 0));
  return outcome;
}

struct ParsedReport {
  int32_t number = kDamaged;
  std::vector<TableInfo> tables;
};

ParsedReport ParseReport(const ChildOutcome& outcome) {
  ParsedReport parsed;
  const QByteArray& r = outcome.report;
  uint32_t length = 0;
  if (!outcome.finished || r.size() < 8) return parsed;
  std::memcpy(&length, r.constData(), 4);
  if (uint64_t(length) + 4 != uint64_t(r.size())) return parsed;
  int32_t number = 0;
  std::memcpy(&number, r.constData() + 4, 4);
  if (number != 0) {
    parsed.number = number;
    return parsed;
  }
  auto tables = DecodeTables(r.mid(8));
  if (!tables) return parsed;
  parsed.number = 0;
  parsed.tables = std::move(*tables);
  return parsed;
}

// Opens the image the child wrote as a read-only SQLite database.
std::shared_ptr<const JetCopy> OpenImage(int imageFd, std::vector<TableInfo> tables) {
  struct stat st {};
  if (fstat(imageFd, &st) != 0 || st.st_size <= 0) vb::Raise(kDamaged);
  const size_t size = size_t(st.st_size);
  void* image = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE, imageFd, 0);
  if (image == MAP_FAILED) vb::Raise(kDamaged);
  sqlite3* raw = nullptr;
  const int opened =
      sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  // Every statement on the connection is finalized before the last owner
  // goes, so the connection closes and then the image can go.
  std::shared_ptr<sqlite3> db(raw, [image, size](sqlite3* d) {
    sqlite3_close(d);
    munmap(image, size);
  });
  if (opened != SQLITE_OK ||
      sqlite3_deserialize(raw, "main", static_cast<unsigned char*>(image), sqlite3_int64(size),
                          sqlite3_int64(size), SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
    vb::Raise(kDamaged);
  // Pages are read in place from the image rather than copied into a cache.
  sqlite3_exec(raw, "PRAGMA mmap_size=2147418112", nullptr, nullptr, nullptr);
  sqlitedb::RegisterJetFunctions(raw);
  sqlitedb::InstallReadOnlyAuthorizer(raw);
  return std::make_shared<const JetCopy>(std::move(db), std::move(tables));
}

// The error of a path that cannot be opened, told apart as the engine does:
// 3024 missing (or a folder), 3044 in a missing folder, 3051 there but not
// readable by this user. Every open of the file asks again, so a file that
// became unreadable is refused even while its copy is cached.
void CheckPath(const std::string& path) {
  switch (sqlitedb::ProblemReading(path)) {
    case sqlitedb::FileProblem::None: return;
    case sqlitedb::FileProblem::Refused: RaiseOpenError(vb::err::CannotOpenFile);
    case sqlitedb::FileProblem::MissingFolder: RaiseOpenError(vb::err::NotAValidPath);
    case sqlitedb::FileProblem::Missing:
    case sqlitedb::FileProblem::NotAFile: RaiseOpenError(vb::err::FileNotFoundDb);
  }
}

}  // namespace

JetCopy::JetCopy(std::shared_ptr<sqlite3> db, std::vector<TableInfo> tables)
    : db_(std::move(db)), tables_(std::move(tables)) {}

std::shared_ptr<const sqlitedb::RowSet> JetCopy::Run(const QString& sqliteSql) const {
  if (lastRows_ && lastSql_ == sqliteSql) return lastRows_;
  auto rows = std::make_shared<const sqlitedb::RowSet>(sqlitedb::RowSet::Execute(db_, sqliteSql));
  lastSql_ = sqliteSql;
  lastRows_ = rows;
  return rows;
}

std::shared_ptr<const JetCopy> LoadJetCopy(const std::string& nativePath) {
  CheckPath(nativePath);
  UniqueFd image(memfd_create("jet-copy", MFD_CLOEXEC));
  int pipeFds[2];
  if (image.get() < 0 || pipe2(pipeFds, O_CLOEXEC) != 0) vb::Raise(kDamaged);
  UniqueFd reportRead(pipeFds[0]);
  UniqueFd reportWrite(pipeFds[1]);
  const SharedProgress progress;
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    reportRead.Reset();
    RunChild(parent, nativePath, image.get(), reportWrite.get(), progress.get());
  }
  reportWrite.Reset();
  if (pid < 0) vb::Raise(kDamaged);
  ReadingChild child(pid);
  const ChildOutcome outcome = WaitForChild(child, reportRead.get(), progress.get());
  ParsedReport parsed = ParseReport(outcome);
  if (parsed.number != 0) RaiseOpenError(parsed.number);
  return OpenImage(image.get(), std::move(parsed.tables));
}

namespace {

struct CacheEntry {
  sqlitedb::FileStamp stamp;
  std::shared_ptr<const JetCopy> copy;
};

std::mutex& CacheMutex() {
  static std::mutex m;
  return m;
}

std::map<std::string, CacheEntry>& Cache() {
  static auto* cache = new std::map<std::string, CacheEntry>();
  return *cache;
}

}  // namespace

std::shared_ptr<const JetCopy> CachedJetCopy(const std::string& nativePath) {
  CheckPath(nativePath);
  const std::string key = sqlitedb::FileKey(nativePath);
  const std::optional<sqlitedb::FileStamp> stamp = sqlitedb::StampOf(key);
  if (!stamp) CheckPath(key);
  std::lock_guard<std::mutex> lock(CacheMutex());
  auto it = Cache().find(key);
  if (it != Cache().end() && stamp && it->second.stamp == *stamp) return it->second.copy;
  // A failed load raises before the cache is touched: the next open of the
  // file reads it afresh.
  auto copy = LoadJetCopy(key);
  Cache()[key] = CacheEntry{stamp.value_or(sqlitedb::FileStamp{}), copy};
  return copy;
}

long LastReaderPeakKilobytes() { return gLastReaderPeakKb.load(); }

namespace testing {

void SetChildFaultForTesting(ChildFault fault) { gChildFault.store(fault); }

void SetStallLimitsForTesting(std::chrono::milliseconds loading,
                              std::chrono::milliseconds decoding) {
  gLoadStallMs.store(loading.count());
  gDecodeStallMs.store(decoding.count());
}

void RestoreDefaultsForTesting() {
  SetChildFaultForTesting(ChildFault::None);
  SetStallLimitsForTesting(kLoadStallLimit, kDecodeStallLimit);
}

}  // namespace testing

}  // namespace dao
