// First-match search, Dir, the exclusive-open test and the file statements
// with their run-time errors.
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/testkit/TempFolderTest.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/ScopedChanges.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "platform/vb/VbError.h"
#include "platform/win/FileLocks.h"
#include "platform/win/Win.h"

namespace win {
namespace {

class FileServicesTest : public testutil::TempFolderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Data/Empty"));
    Write("Data/Cem.MDB", "jet");
    Write("Data/notes.txt", "hello");
    Write("Data/.hidden", "h");
  }
};

using testutil::ErrorOf;

// A child process that holds `path` open (and, with `lock`, flock-locked)
// until the test ends.
class Holder {
 public:
  Holder(const QString& path, bool lock) {
    const QString script = lock ? "exec 3<\"$1\"; flock -s 3; echo ready; exec sleep 30"
                                : "exec 3<\"$1\"; echo ready; exec sleep 30";
    process_.start("sh", {"-c", script, "sh", path});
    process_.waitForReadyRead(10000);
  }
  ~Holder() {
    process_.kill();
    process_.waitForFinished();
  }
  bool Ready() { return process_.readAll().startsWith("ready"); }

 private:
  QProcess process_;
};

TEST_F(FileServicesTest, FirstMatchSearchFindsFilesFoldersAndPatterns) {
  struct Case { QString path; bool exists; };
  const Case cases[] = {
      {W("Data\\Cem.MDB"), true},
      {W("data\\cem.mdb"), true},           // without regard to case
      {W("Data"), true},                    // a folder
      {W("Data\\*.mdb"), true},             // a pattern with a match
      {W("Data\\c?m.*"), true},
      {W("Data\\*.xls"), false},
      {W("Data\\.hidden"), true},           // hidden files count
      {W("Data\\Empty\\*"), true},          // a folder search meets "."
      {W("Data\\Empty\\*.*x"), false},
      {W("Data\\"), false},                 // a trailing separator is refused
      {W("Data\\missing.mdb"), false},
      {W("Missing\\*.mdb"), false},
      {W("D*\\Cem.mdb"), false},            // patterns only in the last component
      {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindFirstFileExists(c.path), c.exists) << c.path.toStdString();
  }
}

TEST_F(FileServicesTest, DirGivesTheFirstPlainFile) {
  struct Case { QString path; const char* name; };
  const Case cases[] = {
      {W("Data\\cem.mdb"), "Cem.MDB"},     // the name as the folder spells it
      {W("Data\\*.*"), "Cem.MDB"},
      {W("Data\\*.txt"), "notes.txt"},
      {W("Data\\"), "Cem.MDB"},
      {W("Data\\.hidden"), ""},            // hidden
      {W("Data"), ""},                     // a folder
      {W("Data\\Empty\\*"), ""},
      {W("Missing\\*.mdb"), ""},           // a missing folder gives nothing
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Dir(c.path), c.name) << c.path.toStdString();
  }
  EXPECT_EQ(ErrorOf([&] { Dir(W("Data\\a|b")); }), vb::err::BadFileNameOrNumber);
}

TEST_F(FileServicesTest, ExclusiveOpenFailsWhileAnotherProcessHoldsTheFile) {
  EXPECT_TRUE(CanOpenExclusive(W("data\\notes.txt")));
  {
    Holder holder(N("Data/notes.txt"), false);
    ASSERT_TRUE(holder.Ready());
    EXPECT_FALSE(CanOpenExclusive(W("Data\\notes.txt")));
    EXPECT_TRUE(CanOpenExclusive(W("Data\\Cem.MDB")));
  }
  EXPECT_TRUE(CanOpenExclusive(W("Data\\notes.txt")));
  // Our own second handle counts as well.
  QFile own(N("Data/notes.txt"));
  ASSERT_TRUE(own.open(QIODevice::ReadOnly));
  EXPECT_FALSE(CanOpenExclusive(W("Data\\notes.txt")));
  own.close();
  for (const QString& path : {W("Data"), W("Data\\missing"), W("Data\\*.txt"), QString()}) {
    EXPECT_FALSE(CanOpenExclusive(path)) << path.toStdString();
  }
}

TEST_F(FileServicesTest, ExclusiveOpenFailsForAnUnreadableFile) {
  const testutil::ScopedPermissionChecks checks;  // the superuser reads every file
  ASSERT_TRUE(QFile::setPermissions(N("Data/notes.txt"), QFile::WriteOwner));
  EXPECT_FALSE(CanOpenExclusive(W("Data\\notes.txt")));
}

// Each kind of lock is seen through a separate read-only descriptor.
TEST_F(FileServicesTest, LockProbeSeesRecordAndWholeFileLocks) {
  const QByteArray name = QFile::encodeName(N("Data/notes.txt"));
  const int probe = open(name.constData(), O_RDONLY);
  ASSERT_GE(probe, 0);
  EXPECT_FALSE(locks::IsLockedElsewhere(probe));

  const int holder = open(name.constData(), O_RDWR);
  struct flock record = {};
  record.l_type = F_WRLCK;
  record.l_whence = SEEK_SET;
  record.l_start = 2;
  record.l_len = 1;
  ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &record), 0);
  EXPECT_TRUE(locks::IsLockedElsewhere(probe));
  record.l_type = F_UNLCK;
  ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &record), 0);
  EXPECT_FALSE(locks::IsLockedElsewhere(probe));

  ASSERT_EQ(flock(holder, LOCK_SH), 0);
  EXPECT_TRUE(locks::IsLockedElsewhere(probe));
  flock(holder, LOCK_UN);
  EXPECT_FALSE(locks::IsLockedElsewhere(probe));
  close(holder);
  close(probe);

  Holder locked(N("Data/notes.txt"), true);
  ASSERT_TRUE(locked.Ready());
  EXPECT_FALSE(CanOpenExclusive(W("Data\\notes.txt")));
}

TEST_F(FileServicesTest, FileStatementsRaiseThePlatformErrors) {
  QFile::setPermissions(N("Data/notes.txt"), QFile::ReadOwner);
  struct Case { const char* what; std::function<void()> statement; int error; };
  const Case cases[] = {
      {"copy missing", [&] { FileCopy(W("Data\\nope"), W("x")); }, vb::err::FileNotFound},
      {"copy from missing folder", [&] { FileCopy(W("No\\nope"), W("x")); }, vb::err::PathNotFound},
      {"copy to missing folder", [&] { FileCopy(W("Data\\cem.mdb"), W("No\\x")); },
       vb::err::PathNotFound},
      {"copy onto read-only", [&] { FileCopy(W("Data\\cem.mdb"), W("Data\\notes.txt")); },
       vb::err::PathFileAccessError},
      {"copy onto itself", [&] { FileCopy(W("Data\\cem.mdb"), W("data\\CEM.mdb")); },
       vb::err::PermissionDenied},
      {"copy a folder", [&] { FileCopy(W("Data"), W("x")); }, vb::err::PathFileAccessError},
      {"copy a pattern", [&] { FileCopy(W("Data\\*.mdb"), W("x")); }, vb::err::BadFileNameOrNumber},
      {"kill missing", [&] { Kill(W("Data\\nope")); }, vb::err::FileNotFound},
      {"kill in missing folder", [&] { Kill(W("No\\nope")); }, vb::err::PathNotFound},
      {"kill read-only", [&] { Kill(W("Data\\notes.txt")); }, vb::err::PathFileAccessError},
      {"kill hidden", [&] { Kill(W("Data\\.hidden")); }, vb::err::FileNotFound},
      {"kill a folder", [&] { Kill(W("Data\\Empty")); }, vb::err::FileNotFound},
      {"kill empty name", [&] { Kill(""); }, vb::err::BadFileNameOrNumber},
      {"getattr missing", [&] { GetAttr(W("Data\\nope")); }, vb::err::FileNotFound},
      {"setattr missing", [&] { SetAttr(W("Data\\nope"), vbNormal); }, vb::err::FileNotFound},
      {"setattr directory bit", [&] { SetAttr(W("Data\\cem.mdb"), vbDirectory); },
       vb::err::InvalidProcedureCall},
      {"filelen missing", [&] { FileLen(W("No\\nope")); }, vb::err::PathNotFound},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.statement), c.error) << c.what;
  EXPECT_EQ(Read("Data/notes.txt"), "hello");
}

// Open For Append / For Output: a missing folder is 76 path not found; a
// file or folder that is there but refuses this user is 75 path/file access
// error, also a folder that may not even be entered.
TEST_F(FileServicesTest, OpenForAppendTellsAMissingFolderFromARefusal) {
  const std::pair<int, int> numbers[] = {{ENOENT, 76}, {ENOTDIR, 76}, {EACCES, 75}, {EPERM, 75},
                                         {EROFS, 75},  {EISDIR, 75},  {EEXIST, 75}};
  for (const auto& [error, number] : numbers) EXPECT_EQ(OpenErrorNumber(error), number) << error;

  const testutil::ScopedPermissionChecks checks;
  auto append = [this](const char* file, bool exists) {
    return ErrorOf([&] { OpenForAppend(W(file), exists)->write("!"); });
  };
  EXPECT_EQ(append("No\\log.txt", false), 76);
  EXPECT_EQ(append("Data\\notes.txt", false), 75);  // never emptied
  EXPECT_EQ(append("Data\\Empty", true), 75);
  ASSERT_TRUE(QFile::setPermissions(N("Data/notes.txt"), QFile::ReadOwner));
  EXPECT_EQ(append("Data\\notes.txt", true), 75);
  ASSERT_TRUE(QFile::setPermissions(N("Data/notes.txt"), QFile::ReadOwner | QFile::WriteOwner));
  const auto folder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  for (const auto locked : {QFile::ReadOwner | QFile::ExeOwner, QFile::Permissions()}) {
    const bool enterable = locked.testFlag(QFile::ExeOwner);
    ASSERT_TRUE(QFile::setPermissions(N("Data"), locked));
    EXPECT_EQ(append("Data\\new.txt", false), 75) << enterable;
    EXPECT_EQ(append("Data\\notes.txt", true), enterable ? 0 : 75) << enterable;
    ASSERT_TRUE(QFile::setPermissions(N("Data"), folder));
  }
  EXPECT_EQ(append("Data\\notes.txt", true), 0);
  EXPECT_EQ(Read("Data/notes.txt"), "hello!!");
  EXPECT_EQ(append("Data\\new.txt", false), 0);
  EXPECT_EQ(Read("Data/new.txt"), "!");
}

TEST_F(FileServicesTest, CopyKillAndAttributes) {
  FileCopy(W("data\\cem.mdb"), W("Data\\copy.mdb"));
  EXPECT_EQ(Read("Data/copy.mdb"), "jet");
  EXPECT_EQ(FileLen(W("Data\\COPY.mdb")), 3);
  EXPECT_EQ(GetAttr(W("Data\\copy.mdb")), vbNormal);
  EXPECT_EQ(GetAttr(W("Data")), vbDirectory);
  EXPECT_EQ(GetAttr(W("Data\\.hidden")), vbHidden);

  SetAttr(W("Data\\copy.mdb"), vbReadOnly | vbArchive);
  EXPECT_EQ(GetAttr(W("Data\\copy.mdb")), vbReadOnly);
  EXPECT_EQ(QFileInfo(N("Data/copy.mdb")).permissions() & (QFile::WriteOwner | QFile::WriteGroup |
                                                          QFile::WriteOther),
            QFile::Permissions());
  FileCopy(W("Data\\copy.mdb"), W("Data\\copy2.mdb"));  // the copy keeps read-only
  EXPECT_EQ(GetAttr(W("Data\\copy2.mdb")), vbReadOnly);
  SetAttr(W("Data\\copy2.mdb"), vbNormal);
  SetAttr(W("Data\\copy.mdb"), vbNormal);
  EXPECT_EQ(GetAttr(W("Data\\copy.mdb")), vbNormal);

  Write("Data/a.tmp", "1");
  Write("Data/b.TMP", "2");
  Kill(W("Data\\*.tmp"));
  EXPECT_FALSE(QFile::exists(N("Data/a.tmp")));
  EXPECT_FALSE(QFile::exists(N("Data/b.TMP")));
  Kill(W("Data\\copy.mdb"));
  EXPECT_FALSE(QFile::exists(N("Data/copy.mdb")));
}

// File names are Unicode: a name outside Windows-1252 keeps every character
// (through that code page "Ωmega\\Łódź.mdb" would become "?mega\\?ód?.mdb").
TEST_F(FileServicesTest, NamesOutsideTheCodePageKeepEveryCharacter) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Ωmega"));
  Write("Ωmega/Łódź.mdb", "jet");
  EXPECT_TRUE(FindFirstFileExists(W("Ωmega\\Łódź.mdb")));
  EXPECT_TRUE(FindFirstFileExists(W("ωMEGA\\łÓDŹ.MDB")));  // without regard to case
  EXPECT_TRUE(FindFirstFileExists(W("Ωmega\\Ł*.mdb")));
  EXPECT_FALSE(FindFirstFileExists(W("Ωmega\\Lodz.mdb")));
  EXPECT_EQ(Dir(W("Ωmega\\*.mdb")), "Łódź.mdb");
  EXPECT_TRUE(CanOpenExclusive(W("Ωmega\\Łódź.mdb")));
  EXPECT_EQ(FileLen(W("Ωmega\\Łódź.mdb")), 3);
  EXPECT_EQ(GetAttr(W("Ωmega")), vbDirectory);
  FileCopy(W("Ωmega\\Łódź.mdb"), W("Ωmega\\Gdańsk.mdb"));
  EXPECT_EQ(Read("Ωmega/Gdańsk.mdb"), "jet");
  Kill(W("Ωmega\\G*.mdb"));
  EXPECT_FALSE(QFile::exists(N("Ωmega/Gdańsk.mdb")));
}

TEST_F(FileServicesTest, CopyOrKillRefusedWhileAnotherProcessHoldsTheFile) {
  Write("Data/busy.txt", "x");
  Holder holder(N("Data/busy.txt"), false);
  ASSERT_TRUE(holder.Ready());
  EXPECT_EQ(ErrorOf([&] { FileCopy(W("Data\\cem.mdb"), W("Data\\busy.txt")); }),
            vb::err::PermissionDenied);
  EXPECT_EQ(ErrorOf([&] { Kill(W("Data\\busy.txt")); }), vb::err::PermissionDenied);
  EXPECT_EQ(Read("Data/busy.txt"), "x");
  // Readers may share a source that is not locked.
  FileCopy(W("Data\\busy.txt"), W("Data\\copy.txt"));
  EXPECT_EQ(Read("Data/copy.txt"), "x");
}

}  // namespace
}  // namespace win
