// FileInfoClass: path parts, assigning parts, existence, availability and
// the copy and delete codes.
#include "support/FileInfoClass.h"

#include <gtest/gtest.h>

#include "tests/testkit/TempFolderTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/vb/VbError.h"
#include "platform/win/Win.h"
#include "support/FileInfoClassConstructorModule.h"

using FileInfoClassConstructorModule::NewFileInfoClass;

struct FileInfoClassTestAccess {
  static bool FileExistsDir(FileInfoClass& info, const QString& path) {
    return info.FileExistsDir(path);
  }
  static int16_t GetFileLockState(FileInfoClass& info, const QString& path) {
    return info.GetFileLockState(path);
  }
};

namespace {

TEST(FileInfoClassTest, PartsOfThePath) {
  struct Case { const char* path; const char* folder; const char* name; const char* extension; };
  const Case cases[] = {
      {"C:\\data\\cem.mdb", "C:\\data\\", "cem", "mdb"},
      {"cem.mdb", "\\", "", "mdb"},                    // a bare name has no name part
      {"C:\\my.dir\\readme", "C:\\my.dir\\", "my", "dir\\readme"},
      {"C:\\a/b.mdb", "\\", "b", "mdb"},
      {"C:\\data\\archive.tar.gz", "C:\\data\\", "archive.tar", "gz"},
      {"", "\\", "", ""},
  };
  for (const Case& c : cases) {
    auto info = NewFileInfoClass(c.path);
    EXPECT_EQ(info->MFilePathAndName(), c.path);
    EXPECT_EQ(info->MFilePath(), c.folder) << c.path;
    EXPECT_EQ(info->MFilename(), c.name) << c.path;
    EXPECT_EQ(info->MFileExtension(), c.extension) << c.path;
    EXPECT_EQ(info->MFilePathAndName(), c.path);  // reading parts changes nothing
  }
}

TEST(FileInfoClassTest, AssigningAPartRebuildsTheFullPath) {
  enum class Part { Extension, Folder, Name };
  struct Case { const char* path; Part part; const char* value; const char* result; };
  const Case cases[] = {
      {"C:\\data\\cem.mdb", Part::Extension, "bak", "C:\\data\\cem.bak"},
      {"C:\\data\\cem.mdb", Part::Folder, "D:\\copy", "D:\\copycem.mdb"},  // no "\" added
      {"C:\\data\\cem.mdb", Part::Folder, "D:\\copy\\", "D:\\copy\\cem.mdb"},
      {"C:\\data\\cem.mdb", Part::Name, "burials", "C:\\data\\burials.mdb"},
      {"C:\\data\\readme", Part::Name, "notes", "C:\\data\\notes."},  // gains a dot
      {"C:\\my.dir\\readme", Part::Name, "notes", "C:\\my.dir\\notes.dir\\readme"},
      {"readme", Part::Extension, "txt", "\\.txt"},                     // no dot: base name lost
      {"C:\\data\\cem.", Part::Extension, "", "C:\\data\\cem."},
      {"C:\\data\\cem.mdb", Part::Extension, "", "C:\\data\\cem."},      // the dot stays
  };
  for (const Case& c : cases) {
    auto info = NewFileInfoClass(c.path);
    switch (c.part) {
      case Part::Extension: info->SetMFileExtension(c.value); break;
      case Part::Folder: info->SetMFilePath(c.value); break;
      case Part::Name: info->SetMFilename(c.value); break;
    }
    EXPECT_EQ(info->MFilePathAndName(), c.result) << c.path << " " << c.value;
  }
  auto info = NewFileInfoClass("C:\\a.b");
  info->SetMFilePathAndName("x\\y.z");
  EXPECT_EQ(info->MFilePathAndName(), "x\\y.z");
}

class FileInfoFilesTest : public testutil::TempFolderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("data"));
    Write("data/cem.mdb", "jet");
    Write("data/other.mdb", "old");
  }
};

TEST_F(FileInfoFilesTest, ExistenceCountsFoldersAndPatterns) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Łódź"));
  Write("Łódź/Łódź.mdb", "jet");
  struct Case { QString path; bool exists; };
  const Case cases[] = {
      {W("data\\cem.mdb"), true}, {W("DATA\\CEM.MDB"), true}, {W("data"), true},
      {W("data\\*.mdb"), true},   {W("data\\*.xls"), false},  {W("data\\none.mdb"), false},
      {"", false},
      {W("Łódź\\Łódź.mdb"), true},  // names outside Windows-1252 keep every character
      {W("Łódź"), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewFileInfoClass(c.path)->MFileExists(), c.exists) << c.path.toStdString();
  }
}

TEST_F(FileInfoFilesTest, FileExistsDirSeesOnlyPlainFiles) {
  Write("data/.hidden", "");
  FileInfoClass info;
  struct Case { QString path; bool exists; };
  const Case cases[] = {
      {W("data\\cem.mdb"), true}, {W("data\\*.mdb"), true}, {W("data"), false},
      {W("data\\"), false},       {W("data\\.hidden"), false}, {"", false},
      {W("data\\a|b"), false},    // the look-up's error gives False
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FileInfoClassTestAccess::FileExistsDir(info, c.path), c.exists)
        << c.path.toStdString();
  }
}

TEST_F(FileInfoFilesTest, LockStateAndAvailability) {
  FileInfoClass info;
  EXPECT_EQ(FileInfoClassTestAccess::GetFileLockState(info, W("data\\none")), -999);
  EXPECT_EQ(FileInfoClassTestAccess::GetFileLockState(info, W("data\\cem.mdb")), 0);
  EXPECT_EQ(FileInfoClassTestAccess::GetFileLockState(info, W("data")), -1);
  EXPECT_TRUE(NewFileInfoClass(W("data\\cem.mdb"))->IsFileAvailableForUse());
  EXPECT_FALSE(NewFileInfoClass(W("data\\none"))->IsFileAvailableForUse());

  QProcess holder;
  holder.start("sh", {"-c", "exec 3<\"$1\"; echo ready; exec sleep 30", "sh",
                      dir_.filePath("data/cem.mdb")});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  auto held = NewFileInfoClass(W("data\\cem.mdb"));
  EXPECT_FALSE(held->IsFileAvailableForUse());
  EXPECT_EQ(held->CopyFile(W("data\\copy.mdb")), 1);
  EXPECT_EQ(held->DeleteFile(), 1);
  holder.kill();
  holder.waitForFinished();
  EXPECT_EQ(Read("data/cem.mdb"), "jet");
  EXPECT_EQ(Read("data/copy.mdb"), "<missing>");
}

TEST_F(FileInfoFilesTest, CopyAndDeleteCodes) {
  EXPECT_EQ(NewFileInfoClass(W("data\\none.mdb"))->CopyFile(W("data\\x.mdb")), -1);
  auto info = NewFileInfoClass(W("data\\cem.mdb"));
  EXPECT_EQ(info->CopyFile(W("data\\other.mdb")), 2);
  EXPECT_EQ(Read("data/other.mdb"), "old");  // nothing copied
  EXPECT_EQ(info->CopyFile(W("data\\copy.mdb")), 0);
  EXPECT_EQ(Read("data/copy.mdb"), "jet");
  // A destination folder that does not exist is the platform's error.
  try {
    info->CopyFile(W("none\\copy.mdb"));
    ADD_FAILURE() << "no error raised";
  } catch (const vb::VbError& error) {
    EXPECT_EQ(error.Number(), vb::err::PathNotFound);
  }
  EXPECT_EQ(NewFileInfoClass(W("data\\none.mdb"))->DeleteFile(), -1);
  EXPECT_EQ(NewFileInfoClass(W("data\\copy.mdb"))->DeleteFile(), 0);
  EXPECT_EQ(Read("data/copy.mdb"), "<missing>");
}

TEST_F(FileInfoFilesTest, ReadOnlyAttribute) {
  auto info = NewFileInfoClass(W("data\\cem.mdb"));
  EXPECT_FALSE(info->MFileAttributeReadOnly());
  info->SetMFileAttributeReadOnly(true);
  EXPECT_TRUE(info->MFileAttributeReadOnly());
  EXPECT_EQ(win::GetAttr(W("data\\cem.mdb")), win::vbReadOnly);
  EXPECT_EQ(info->CopyFile(W("data\\ro.mdb")), 0);  // a read-only source can be copied
  info->SetMFileAttributeReadOnly(false);
  EXPECT_FALSE(info->MFileAttributeReadOnly());
  auto folder = NewFileInfoClass(W("data"));
  folder->SetMFileAttributeReadOnly(true);
  EXPECT_TRUE(folder->MFileAttributeReadOnly());
  folder->SetMFileAttributeReadOnly(false);
  EXPECT_EQ(win::GetAttr(W("data")), win::vbDirectory);
}

}  // namespace
