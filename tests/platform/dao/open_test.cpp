// Opening database files: error numbers for missing, foreign and damaged
// files, the per-file cache, and repeated opens of one file.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <fcntl.h>
#include <sys/stat.h>

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

}  // namespace
