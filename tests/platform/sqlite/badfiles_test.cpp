// Foreign, empty, truncated and damaged files give a run-time error from the
// open or the statement: never a crash, a hang or an unreported failure.
#include "SqliteFixture.h"
#include "tests/testkit/DamagedCopies.h"
#include "tests/testkit/ScopedChanges.h"

#include "platform/sqlite/SqliteConnection.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sys/wait.h>
#include <unistd.h>

using sqlitedb::SqliteConnection;
using sqlitedb::SqliteRecordset;

namespace {

constexpr int kPageSize = 1024;  // the fixture's page size

// Opens the file and runs the viewer's searches, reading every value of
// every row. 0 when everything gave rows, else the first error's number.
int Outcome(const QString& path) {
  try {
    SqliteConnection db;
    db.OpenDatabaseFile(path);
    for (const char* sql :
         {"SELECT * FROM ObitData ORDER BY ObitData.LASTNAME, ObitData.GIVEN;",
          "SELECT * FROM ObitData WHERE Lastname LIKE \"*i*\"  ORDER BY ObitData.NewsPubSourceID, "
          "ObitData.PublicationDateReal, ObitData.PublicationDate;",
          "SELECT * FROM ObitData ORDER BY ObitData.Obituary, ObitData.Section, ObitData.ROW, "
          "ObitData.LOT, ObitData.STONE;",
          "Select * from SourcesSheet where newsid=1", "SELECT * FROM VERSHT"}) {
      SqliteRecordset rs = db.OpenQuery(sql, false);
      for (rs.MoveToFirst(); !rs.IsEOF(); rs.MoveToNext()) {
        for (const char* col : {"LastName", "Given", "TypedObit", "Publisher", "dbver"}) {
          try {
            rs.FieldValue(col);
          } catch (const vb::VbError& e) {
            if (e.Number() != vb::err::ItemNotFound) throw;
          }
        }
      }
    }
  } catch (const vb::VbError& e) {
    return e.Number();
  }
  return 0;
}

class BadFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    good_ = dir_.path() + "/good.db";
    sqlitetest::WriteObituaryFile(good_, 200);
    bytes_ = sqlitetest::ReadBytes(good_);
    ASSERT_GT(bytes_.size(), 40 * kPageSize);
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.path() + "/" + name;
    sqlitetest::WriteBytes(path, bytes);
    return path;
  }

  QTemporaryDir dir_;
  QString good_;
  QByteArray bytes_;
};

TEST_F(BadFiles, HandMadeDamageFailsWithAnEngineError) {
  EXPECT_EQ(Outcome(good_), 0);
  const QString missing = dir_.path() + "/missing.db";
  EXPECT_EQ(Outcome(missing), 3024);
  EXPECT_FALSE(QFileInfo::exists(missing));  // never created
  EXPECT_EQ(Outcome(dir_.path()), 3024);     // a folder
  EXPECT_EQ(Outcome(Write("empty.db", QByteArray())), 3343);
  EXPECT_EQ(Outcome(Write("text.db", "Name,Given\r\nSmith,John\r\n")), 3343);
  const int cut = Outcome(Write("short.db", bytes_.left(60)));  // a header cut short
  EXPECT_TRUE(cut == 3049 || cut == 3343) << cut;

  QByteArray magic = bytes_;
  magic[0] = 'X';
  EXPECT_EQ(Outcome(Write("magic.db", magic)), 3343);
  // A schema format number (bytes 44 to 47) the engine does not know, and a
  // header cut after 25 bytes and filled up with noise: the engine answers
  // "unsupported file format" at the first statement.
  for (char format : {'\x05', '\x7f', '\xff'}) {
    QByteArray header = bytes_;
    header.replace(44, 4, QByteArray(3, '\0') + format);
    EXPECT_EQ(Outcome(Write("format.db", header)), 3343) << int(format);
  }
  QByteArray noise = bytes_.left(25);
  for (int i = 0; i < 4000; ++i) noise.append(static_cast<char>(i * 131 + 7));
  EXPECT_EQ(Outcome(Write("noise.db", noise)), 3343);

  // Half the pages gone, or the table's pages overwritten: the file opens
  // (its schema is intact) and the statements fail.
  const int truncated = Outcome(Write("truncated.db", bytes_.left(bytes_.size() / 2)));
  EXPECT_TRUE(truncated == 3049 || truncated == 3343) << truncated;
  QByteArray pages = bytes_;
  for (int i = 6 * kPageSize; i < 12 * kPageSize; ++i) pages[i] = static_cast<char>(0xA5);
  EXPECT_EQ(Outcome(Write("pages.db", pages)), 3049);
  QByteArray schema = bytes_;
  for (int i = 100; i < kPageSize; ++i) schema[i] = static_cast<char>(i * 7);
  const int broken = Outcome(Write("schema.db", schema));
  EXPECT_TRUE(broken == 3049 || broken == 3343) << broken;
}

// A file that is there but that this user may not read, from the first open
// or after earlier opens: 3051, not "could not find file"; the same for a
// folder on its path that this user may not enter, and for its log.
TEST_F(BadFiles, AFileThisUserMayNotReadGives3051) {
  const testutil::ScopedPermissionChecks checks;
  const auto readWrite = QFile::ReadOwner | QFile::WriteOwner;
  const auto folder = readWrite | QFile::ExeOwner;
  EXPECT_EQ(Outcome(good_), 0);
  ASSERT_TRUE(QFile::setPermissions(good_, QFile::WriteOwner));
  EXPECT_EQ(Outcome(good_), 3051);
  ASSERT_TRUE(QFile::setPermissions(good_, readWrite));
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), readWrite));
  EXPECT_EQ(Outcome(good_), 3051);
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), folder));
  sqlitetest::WriteBytes(good_ + "-wal", QByteArray(4096, '\0'));
  ASSERT_TRUE(QFile::setPermissions(good_ + "-wal", QFile::WriteOwner));
  EXPECT_EQ(Outcome(good_), 3051);
  ASSERT_TRUE(QFile::remove(good_ + "-wal"));
  EXPECT_EQ(Outcome(good_), 0);
}

// Runs Outcome in a child process with a time limit; the child's exit code
// tells rows (0) from a clean error (1). A crash or hang ends the child by a
// signal.
int OutcomeInChild(const QString& path) {
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(10);
    _exit(Outcome(path) == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 100 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

// The rows of ObitData, read in a child process: -1 for an error.
int ObitDataRowsInChild(const QString& path) {
  int fds[2];
  if (pipe(fds) != 0) return -2;
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(10);
    int rows = -1;
    try {
      SqliteConnection db;
      db.OpenDatabaseFile(path);
      rows = db.OpenQuery("SELECT * FROM ObitData", false).RowCount();
    } catch (const vb::VbError&) {
    }
    _exit(write(fds[1], &rows, sizeof rows) == sizeof rows ? 0 : 1);
  }
  close(fds[1]);
  int rows = -2;
  if (read(fds[0], &rows, sizeof rows) != sizeof rows) rows = -2;
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? rows : -2;
}

constexpr int kParts = 4;
constexpr int kCopiesPerPart = 260;  // more than 1,000 copies in all

class SeededMutations : public BadFiles, public ::testing::WithParamInterface<int> {};

// A copy that opens shows every row: damage that would lose rows (two pages
// swapped, a page copied over another) is found when the file is opened.
TEST_P(SeededMutations, EndWithAllRowsOrACleanError) {
  std::mt19937 rng(20240611 + 31 * GetParam());
  const int allRows = 207;
  int rows = 0, errors = 0;
  for (int k = 0; k < kCopiesPerPart; ++k) {
    const QString path = Write(QStringLiteral("m%1.db").arg(k), testutil::DamagedCopy(bytes_, kPageSize, rng));
    const int outcome = OutcomeInChild(path);
    ASSERT_TRUE(outcome == 0 || outcome == 1) << "mutation " << k << " ended with " << outcome;
    if (outcome == 0) {
      EXPECT_EQ(ObitDataRowsInChild(path), allRows) << "mutation " << k;
      ++rows;
    } else {
      ++errors;
    }
  }
  std::cout << "part " << GetParam() << ": " << rows << " gave rows, " << errors
            << " gave an error\n";
  EXPECT_GT(errors, 0);
}

INSTANTIATE_TEST_SUITE_P(Parts, SeededMutations, ::testing::Range(0, kParts));

}  // namespace
