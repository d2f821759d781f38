// Windows-form paths and their native counterparts, with components resolved
// without regard to case.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/win/Win.h"

namespace win {
namespace {

TEST(PathsTest, MapsSeparatorsAndDropsTheDrive) {
  struct Case { const char* windows; const char* native; };
  const Case cases[] = {
      {"\\no-such-root\\cd\\go.ini", "/no-such-root/cd/go.ini"},
      {"C:\\no-such-root\\cem.mdb", "/no-such-root/cem.mdb"},
      {"d:\\", "/"},
      {"no-such-dir\\x.ini", "no-such-dir/x.ini"},  // relative stays relative
      {"C:no-such-dir\\x.ini", "no-such-dir/x.ini"},
      {"\\no-such-root/mixed\\sep", "/no-such-root/mixed/sep"},
      {"\\no-such-root\\folder\\", "/no-such-root/folder/"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToNativePath(QString::fromUtf8(c.windows)), QString::fromUtf8(c.native)) << c.windows;
  }
  EXPECT_EQ(ToWindowsPath("/media/cd/go.ini"), "\\media\\cd\\go.ini");
  EXPECT_EQ(ToWindowsPath("rel/x.ini"), "rel\\x.ini");
}

class CaseResolutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Data/KESTRO"));
    Touch("Data/KESTRO/A01.jpg");
    Touch("Data/Both.txt");
    Touch("Data/both.txt");
  }
  void Touch(const QString& relative) {
    QFile file(dir_.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QString Windows(const QString& relative) const {
    return ToWindowsPath(dir_.path()) + "\\" + relative;
  }
  QString Native(const QString& relative) const { return dir_.path() + "/" + relative; }
  QTemporaryDir dir_;
};

TEST_F(CaseResolutionTest, ResolvesEachComponentWithoutCase) {
  struct Case { const char* windows; const char* native; };
  const Case cases[] = {
      {"data\\kestro\\a01.JPG", "Data/KESTRO/A01.jpg"},
      {"DATA/Kestro/A01.jpg", "Data/KESTRO/A01.jpg"},
      {"Data\\KESTRO\\A01.jpg", "Data/KESTRO/A01.jpg"},
      // The exact spelling wins over another that matches without case.
      {"Data\\both.txt", "Data/both.txt"},
      {"Data\\Both.txt", "Data/Both.txt"},
      // A missing component keeps its spelling, and so does the rest.
      {"data\\Missing\\a01.jpg", "Data/Missing/a01.jpg"},
      {"data\\kestro\\", "Data/KESTRO/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToNativePath(Windows(c.windows)), Native(c.native)) << c.windows;
  }
}

TEST_F(CaseResolutionTest, ResolvesRelativePathsFromTheCurrentFolder) {
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  EXPECT_EQ(ToNativePath("data\\kestro\\a01.jpg"), "Data/KESTRO/A01.jpg");
  QDir::setCurrent(saved);
}

}  // namespace
}  // namespace win
