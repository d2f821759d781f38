// Opening database files: error numbers for missing, foreign and damaged
// files, the per-file cache, repeated opens of one file, and the reading
// child that hangs or crashes.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"
#include "platform/dao/JetLoader.h"
#include "platform/vb/VbError.h"
#include "tests/testkit/ScopedChanges.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace daotest;

namespace {

int OpenError(const QString& windowsPath) {
  try {
    auto db = dao::DBEngine().Workspaces(0).OpenDatabase(windowsPath, true, true);
    db->OpenRecordset("SELECT * FROM Sheet1");
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

QByteArray ReadAll(const QString& native) {
  QFile f(native);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}

void WriteAll(const QString& native, const QByteArray& bytes) {
  QFile f(native);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

int RowCount(dao::Database& db, const QString& sql) {
  auto rs = db.OpenRecordset(sql);
  if (rs->AbsolutePosition() < 0) return 0;
  rs->MoveLast();
  return rs->RecordCount();
}

Table Rows(int n) {
  std::vector<std::vector<vb::Variant>> rows;
  for (int i = 0; i < n; ++i)
    rows.push_back({QStringLiteral("Name%1").arg(i), "G", "C", "S", QString::number(i), "1", "1",
                    int32_t(i), vb::Variant::Null(), i % 2 == 0, "memo"});
  return BurialTable(rows);
}

TEST(OpenTest, BadFilesGiveEngineErrors) {
  FixtureDir dir;
  const QString good = dir.Write("good.mdb", {Rows(50)});
  const QByteArray bytes = ReadAll(dir.Native("good.mdb"));
  ASSERT_GT(bytes.size(), 4096 * 4);

  auto variant = [&](const QString& name, const std::function<void(QByteArray&)>& damage) {
    QByteArray b = bytes;
    damage(b);
    WriteAll(dir.Native(name), b);
    return dir.Windows(name);
  };
  const QString empty = variant("empty.mdb", [](QByteArray& b) { b.clear(); });
  const QString text = variant("text.mdb", [](QByteArray& b) { b = "Name,Given\nSmith,John\n"; });
  const QString version = variant("version.mdb", [](QByteArray& b) { b[0x14] = 0x07; });
  const QString cut = variant("cut.mdb", [](QByteArray& b) { b.truncate(b.size() / 2 + 100); });
  const QString cutPages = variant("cutpages.mdb", [](QByteArray& b) { b.truncate(4096 * 3); });
  const QString zeroed = variant("zeroed.mdb", [](QByteArray& b) {
    for (int i = 4096 * 2; i < 4096 * 3; ++i) b[i] = 0;  // the catalog's table page
  });
  const QString zeroedData = variant("zeroeddata.mdb", [](QByteArray& b) {
    for (qsizetype i = b.size() - 4096; i < b.size(); ++i) b[i] = 0;
  });

  EXPECT_EQ(OpenError(good), 0);
  EXPECT_EQ(OpenError(dir.Windows("missing.mdb")), 3024);
  EXPECT_EQ(OpenError(dir.Windows("nofolder/missing.mdb")), 3044);
  EXPECT_EQ(OpenError(dir.Windows("")), 3024);  // a folder, not a file
  EXPECT_EQ(OpenError(empty), 3343);
  EXPECT_EQ(OpenError(text), 3343);
  EXPECT_EQ(OpenError(version), 3343);
  EXPECT_EQ(OpenError(cut), 3049);
  EXPECT_EQ(OpenError(cutPages), 3049);
  EXPECT_NE(OpenError(zeroed), 0);
  EXPECT_NE(OpenError(zeroedData), 0);
}

// A file that is there but that this user may not read gives 3051, at its
// first open and at an open after its copy was cached: the copy answers only
// while the file could be read.
TEST(OpenTest, AFileThisUserMayNotReadGives3051) {
  FixtureDir dir;
  const testutil::ScopedPermissionChecks checks;
  const QString first = dir.Write("first.mdb", {Rows(3)});
  ASSERT_TRUE(QFile::setPermissions(dir.Native("first.mdb"), QFile::WriteOwner));
  EXPECT_EQ(OpenError(first), 3051);
  const QString cached = dir.Write("cached.mdb", {Rows(3)});
  EXPECT_EQ(OpenError(cached), 0);
  ASSERT_TRUE(QFile::setPermissions(dir.Native("cached.mdb"), QFile::WriteOwner));
  EXPECT_EQ(OpenError(cached), 3051);
  ASSERT_TRUE(QFile::setPermissions(dir.Native("cached.mdb"), QFile::ReadOwner | QFile::WriteOwner));
  EXPECT_EQ(OpenError(cached), 0);
}

TEST(OpenTest, CachesTheCopyUntilTheFileChanges) {
  FixtureDir dir;
  const QString path = dir.Write("cached.mdb", {Rows(3)});
  const QString native = dir.Native("cached.mdb");
  {
    auto db = dao::DBEngine().OpenDatabase(path, true, true);
    EXPECT_EQ(RowCount(*db, "SELECT * FROM Sheet1"), 3);
  }
  // Same size and time, different bytes: the cached copy answers.
  struct stat before {};
  ASSERT_EQ(stat(native.toUtf8().constData(), &before), 0);
  QByteArray garbage(int(before.st_size), 'x');
  WriteAll(native, garbage);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, native.toUtf8().constData(), times, 0), 0);
  {
    auto db = dao::DBEngine().OpenDatabase(path, true, true);
    EXPECT_EQ(RowCount(*db, "SELECT * FROM Sheet1"), 3);
  }
  // A new modification time: the file is read again.
  const timespec later[2] = {before.st_atim, {before.st_mtim.tv_sec + 5, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, native.toUtf8().constData(), later, 0), 0);
  EXPECT_EQ(OpenError(path), 3343);
  // A rewritten file with another size is read again as well.
  dir.Write("cached.mdb", {Rows(40)});
  auto db = dao::DBEngine().OpenDatabase(path, true, true);
  EXPECT_EQ(RowCount(*db, "SELECT * FROM Sheet1"), 40);
}

// The benchmark's measure of the reading child's memory: the kernel's peak
// of the child that read the file just now.
TEST(OpenTest, KnowsThePeakMemoryOfTheReadingChild) {
  FixtureDir dir;
  const QString path = dir.Write("peak.mdb", {Rows(3)});
  dao::DBEngine().OpenDatabase(path, true, true);
  EXPECT_GT(dao::LastReaderPeakKilobytes(), 1024);
}

// A recordset reads its rows from the file's copy: the copy stays while the
// recordset does, even after its database object is gone and a changed file
// has replaced the copy in the cache.
TEST(OpenTest, RecordsetKeepsItsCopyWhenTheCacheMovesOn) {
  FixtureDir dir;
  const QString path = dir.Write("moving.mdb", {Rows(30)});
  auto db = dao::DBEngine().OpenDatabase(path, true, true);
  auto rs = db->OpenRecordset("SELECT * FROM Sheet1 ORDER BY Sheet1.Age DESC");
  rs->MoveLast();
  db.reset();
  dir.Write("moving.mdb", {Rows(3)});
  {
    auto fresh = dao::DBEngine().OpenDatabase(path, true, true);
    EXPECT_EQ(RowCount(*fresh, "SELECT * FROM Sheet1 ORDER BY Sheet1.Age DESC"), 3);
  }
  EXPECT_EQ(rs->RecordCount(), 30);
  EXPECT_EQ(rs->Fields()("LastName").Value(), vb::Variant("Name0"));
  rs->MoveFirst();
  EXPECT_EQ(rs->Fields()("Age").Value(), vb::Variant(int32_t{29}));
  // Closing the database closes its recordsets.
  db = dao::DBEngine().OpenDatabase(path, true, true);
  rs = db->OpenRecordset("SELECT * FROM Sheet1 ORDER BY Sheet1.Age DESC");
  EXPECT_EQ(rs->Fields()("Age").Value(), vb::Variant(int32_t{2}));
  db->Close();
  try {
    rs->Fields()("Age").Value();
    ADD_FAILURE() << "a closed database's recordset still reads";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), 3420);
  }
}

TEST(OpenTest, ExclusiveOpenDoesNotBlockOurOwnSharedOpen) {
  FixtureDir dir;
  const QString path = dir.Write("both.mdb", {Rows(5)});
  auto main = dao::DBEngine().Workspaces(0).OpenDatabase(path, true, true);
  auto info = dao::DBEngine().Workspaces(0).OpenDatabase(path, false, true);
  EXPECT_EQ(RowCount(*info, "SELECT * FROM Sheet1"), 5);
  info->Close();
  EXPECT_EQ(RowCount(*main, "SELECT * FROM Sheet1 WHERE Age > 2"), 2);
  // The path is in Windows form and matched without regard to case.
  auto upper = dao::DBEngine().OpenDatabase(dir.Windows("BOTH.MDB"), true, true);
  EXPECT_EQ(RowCount(*upper, "SELECT * FROM Sheet1"), 5);
  EXPECT_THROW(dao::DBEngine().Workspaces(1), vb::VbError);
}

// ---- The reading child's faults ----------------------------------------------

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using dao::testing::ChildFault;

// The processes whose parent is `parent`, zombies included.
std::vector<pid_t> ChildrenOf(pid_t parent) {
  std::vector<pid_t> children;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
    bool isPid = false;
    const pid_t pid = entry.toInt(&isPid);
    if (!isPid) continue;
    QFile stat("/proc/" + entry + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) continue;  // gone meanwhile
    const QByteArray line = stat.readAll();
    // "pid (name) state ppid ...", where the name may hold blanks and ')'.
    const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (rest.size() > 1 && rest[1].toInt() == parent) children.push_back(pid);
  }
  return children;
}

// Neither a running child nor a zombie is left of the test process.
void ExpectNoChildLeft() {
  EXPECT_TRUE(ChildrenOf(getpid()).empty());
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

class ChildFaultTest : public ::testing::Test {
 protected:
  void TearDown() override { dao::testing::RestoreDefaultsForTesting(); }

  // Each case opens a file of its own, so that no cached copy answers.
  QString FreshFile() { return dir_.Write(QStringLiteral("f%1.mdb").arg(++files_), {Rows(7)}); }

 private:
  FixtureDir dir_;
  int files_ = 0;
};

// A child that stops moving is ended after the limit of the phase it stopped
// in, a crashed one as soon as it dies; both make the open fail with 3049 and
// leave nothing behind, and the same file opens afterwards.
TEST_F(ChildFaultTest, FailingChildBecomesError3049AndLeavesNothingBehind) {
  struct Case {
    ChildFault fault;
    std::chrono::milliseconds loading, decoding;
  };
  // The limit that must not apply is long, so that applying it would break
  // the bound below.
  const Case cases[] = {{ChildFault::HangBeforeDecode, 300ms, 30s},
                        {ChildFault::HangMidDecode, 30s, 300ms},
                        {ChildFault::CrashMidDecode, 30s, 30s}};
  const QString before = FreshFile();
  auto kept = dao::DBEngine().OpenDatabase(before, true, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.fault));
    const QString path = FreshFile();
    dao::testing::SetChildFaultForTesting(c.fault);
    dao::testing::SetStallLimitsForTesting(c.loading, c.decoding);
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(OpenError(path), 3049);
    EXPECT_LT(Clock::now() - start, 5s);
    ExpectNoChildLeft();

    dao::testing::RestoreDefaultsForTesting();
    auto db = dao::DBEngine().OpenDatabase(path, true, true);
    EXPECT_EQ(RowCount(*db, "SELECT * FROM Sheet1"), 7);
    ExpectNoChildLeft();
  }
  // A database opened before the failures still reads.
  EXPECT_EQ(RowCount(*kept, "SELECT * FROM Sheet1 WHERE Age > 3"), 3);
}

// What the program does with SIGCHLD, or a stream of interrupting signals,
// changes nothing about the outcome of a read.
void Nothing(int) {}
void ReapEveryChild(int) {
  const int saved = errno;
  while (waitpid(-1, nullptr, WNOHANG) > 0) {
  }
  errno = saved;
}

class ScopedHandler {
 public:
  ScopedHandler(int sig, void (*handler)(int)) : sig_(sig) {
    struct sigaction sa {};
    sa.sa_handler = handler;  // no SA_RESTART: calls in progress fail with EINTR
    sigemptyset(&sa.sa_mask);
    sigaction(sig, &sa, &old_);
  }
  ~ScopedHandler() { sigaction(sig_, &old_, nullptr); }

 private:
  int sig_;
  struct sigaction old_ {};
};

// SIGALRM every millisecond while it lives.
class AlarmStorm {
 public:
  AlarmStorm() : handler_(SIGALRM, Nothing) { Arm({0, 1000}); }
  ~AlarmStorm() { Arm({0, 0}); }

 private:
  static void Arm(timeval every) {
    const itimerval timer{every, every};
    setitimer(ITIMER_REAL, &timer, nullptr);
  }
  ScopedHandler handler_;
};

TEST_F(ChildFaultTest, OutcomeDoesNotDependOnSignalHandling) {
  struct Disposition {
    const char* name;
    std::function<std::shared_ptr<void>()> install;
  };
  const Disposition dispositions[] = {
      {"SIGCHLD default", [] { return std::shared_ptr<void>(); }},
      {"SIGCHLD ignored", [] { return std::make_shared<ScopedHandler>(SIGCHLD, SIG_IGN); }},
      {"SIGCHLD reaps every child",
       [] { return std::make_shared<ScopedHandler>(SIGCHLD, ReapEveryChild); }},
      {"SIGALRM storm", [] { return std::make_shared<AlarmStorm>(); }},
  };
  const std::pair<ChildFault, int> faults[] = {
      {ChildFault::None, 0}, {ChildFault::CrashMidDecode, 3049}, {ChildFault::HangMidDecode, 3049}};
  dao::testing::SetStallLimitsForTesting(30s, 300ms);
  for (const Disposition& d : dispositions) {
    for (const auto& [fault, expected] : faults) {
      SCOPED_TRACE(std::string(d.name) + ", fault " + std::to_string(int(fault)));
      const QString path = FreshFile();
      dao::testing::SetChildFaultForTesting(fault);
      int error = -1;
      {
        const std::shared_ptr<void> installed = d.install();
        error = OpenError(path);
      }
      EXPECT_EQ(error, expected);
      ExpectNoChildLeft();
    }
  }
}

// The reading child goes with the program: a viewer killed while its child
// hangs leaves no process behind.
TEST_F(ChildFaultTest, HangingChildGoesWithItsParent) {
  const QString path = FreshFile();
  // Orphans come to this process, which can then see the child's end.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  dao::testing::SetChildFaultForTesting(ChildFault::HangBeforeDecode);
  dao::testing::SetStallLimitsForTesting(20s, 20s);
  const pid_t viewer = fork();
  ASSERT_GE(viewer, 0);
  if (viewer == 0) {
    OpenError(path);
    _exit(0);
  }
  std::vector<pid_t> readers;
  for (const Clock::time_point end = Clock::now() + 5s; readers.empty() && Clock::now() < end;) {
    std::this_thread::sleep_for(10ms);
    readers = ChildrenOf(viewer);
  }
  kill(viewer, SIGKILL);
  waitpid(viewer, nullptr, 0);
  ASSERT_EQ(readers.size(), 1u);

  pid_t reaped = 0;
  for (const Clock::time_point end = Clock::now() + 5s; reaped == 0 && Clock::now() < end;) {
    std::this_thread::sleep_for(10ms);
    reaped = waitpid(readers[0], nullptr, WNOHANG);
  }
  EXPECT_EQ(reaped, readers[0]) << "the reading child outlived its parent";
  if (reaped != readers[0]) {
    kill(readers[0], SIGKILL);
    waitpid(readers[0], nullptr, 0);
  }
  prctl(PR_SET_CHILD_SUBREAPER, 0);
  ExpectNoChildLeft();
}

}  // namespace
