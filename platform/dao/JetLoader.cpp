#include "platform/dao/JetLoader.h"

#include "platform/dao/DaoErrors.h"
#include "platform/dao/JetReader.h"
#include "platform/sqlite/JetDialect.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/mman.h>
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

[[noreturn]] void RaiseOpenError(int number) {
  switch (number) {
    case err::NotAValidPath:
      vb::Raise(number, QStringLiteral("Not a valid path."));
    case err::CannotOpenFile:
      vb::Raise(number, QStringLiteral("The database engine cannot open the file."));
    default:
      vb::Raise(number);
  }
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

[[noreturn]] void RunChild(const std::string& path, int imageFd, int reportFd,
                           ReadProgress& progress) {
  for (int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL, SIGTRAP}) std::signal(sig, SIG_DFL);
  struct rlimit noCore {0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  // libmdb reports damage on stderr; the parent turns it into an error.
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devNull >= 0) dup2(devNull, STDERR_FILENO);
  struct stat st {};
  LimitChildMemory(stat(path.c_str(), &st) == 0 ? size_t(st.st_size) : 0);

  int32_t number = 0;
  QByteArray tables;
  try {
    tables = EncodeTables(ReadJetFile(path, imageFd, progress));
  } catch (const ReadFailure& failure) {
    number = failure.number;
  } catch (...) {
    number = kDamaged;
  }
  const QByteArray report = ChildReport(number, tables);
  _exit(WriteAll(reportFd, report.constData(), size_t(report.size())) ? 0 : 1);
}

struct ChildOutcome {
  bool finished = false;  // exited normally, with a whole report
  QByteArray report;
};

// Collects the report while watching the child's progress; a child that
// stops moving is killed.
ChildOutcome WaitForChild(pid_t pid, int reportFd, const ReadProgress& progress) {
  ChildOutcome outcome;
  uint64_t lastTicks = progress.ticks.load();
  Clock::time_point lastMove = Clock::now();
  bool killed = false;
  char buf[65536];
  for (;;) {
    pollfd pfd{reportFd, POLLIN, 0};
    const int r = poll(&pfd, 1, kPollMs);
    if (r > 0) {
      const ssize_t n = read(reportFd, buf, sizeof buf);
      if (n > 0) {
        outcome.report.append(buf, qsizetype(n));
      } else if (n == 0 || errno != EINTR) {
        break;  // the child closed its end: finished or died
      }
    }
    const uint64_t ticks = progress.ticks.load();
    const Clock::time_point now = Clock::now();
    if (ticks != lastTicks) {
      lastTicks = ticks;
      lastMove = now;
    }
    const auto limit =
        progress.phase.load() == kPhaseLoading ? kLoadStallLimit : kDecodeStallLimit;
    if (now - lastMove > limit) {
      kill(pid, SIGKILL);
      killed = true;
      break;
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  outcome.finished = !killed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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

// The error of a path that cannot be opened, told apart as the engine does.
void CheckPath(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) RaiseOpenError(vb::err::FileNotFoundDb);
    if (access(path.c_str(), R_OK) != 0) RaiseOpenError(err::CannotOpenFile);
    return;
  }
  if (errno == EACCES) RaiseOpenError(err::CannotOpenFile);
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const bool folderExists = stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  RaiseOpenError(folderExists ? vb::err::FileNotFoundDb : err::NotAValidPath);
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
  void* shared = mmap(nullptr, sizeof(ReadProgress), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) vb::Raise(kDamaged);
  auto* progress = new (shared) ReadProgress();
  const pid_t pid = fork();
  if (pid == 0) {
    reportRead.Reset();
    RunChild(nativePath, image.get(), reportWrite.get(), *progress);
  }
  reportWrite.Reset();
  if (pid < 0) {
    munmap(shared, sizeof(ReadProgress));
    vb::Raise(kDamaged);
  }
  const ChildOutcome outcome = WaitForChild(pid, reportRead.get(), *progress);
  progress->~ReadProgress();
  munmap(shared, sizeof(ReadProgress));
  ParsedReport parsed = ParseReport(outcome);
  if (parsed.number != 0) RaiseOpenError(parsed.number);
  return OpenImage(image.get(), std::move(parsed.tables));
}

namespace {

struct CacheEntry {
  off_t size = 0;
  int64_t mtimeNs = 0;
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
  char resolved[PATH_MAX];
  const std::string key = realpath(nativePath.c_str(), resolved) ? resolved : nativePath;
  struct stat st {};
  if (stat(key.c_str(), &st) != 0) CheckPath(key);
  const int64_t mtimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  std::lock_guard<std::mutex> lock(CacheMutex());
  auto it = Cache().find(key);
  if (it != Cache().end() && it->second.size == st.st_size && it->second.mtimeNs == mtimeNs)
    return it->second.copy;
  auto copy = LoadJetCopy(key);
  Cache()[key] = CacheEntry{st.st_size, mtimeNs, copy};
  return copy;
}

}  // namespace dao
