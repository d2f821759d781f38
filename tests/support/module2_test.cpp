// Reading and writing one key of a settings file.
#include "support/Module2.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/win/Win.h"

namespace {

class Module2Test : public ::testing::Test {
 protected:
  QString File(const QString& name) const { return win::ToWindowsPath(dir_.filePath(name)); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir dir_;
};

TEST_F(Module2Test, ReadINIValue) {
  Write("remember.ini", "[SETTING]\r\nDATAFILE=d:\\cem.mdb\r\nEMPTY=\r\nLONG=" +
                            QByteArray(2100, 'y') + "\r\n");
  struct Case { const char* section; const char* key; QString def; QString file; QString value; };
  const Case cases[] = {
      {"setting", "datafile", "d:\\db1.mdb", File("remember.ini"), "d:\\cem.mdb"},
      {"SETTING", "EMPTY", "d:\\db1.mdb", File("remember.ini"), ""},
      {"SETTING", "LONG", "", File("remember.ini"), QString(2047, u'y')},
      {"SETTING", "NONE", "d:\\db1.mdb", File("remember.ini"), "d:\\db1.mdb"},
      {"OTHER", "DATAFILE", "d:\\db1.mdb", File("remember.ini"), "d:\\db1.mdb"},
      {"SETTING", "DATAFILE", "d:\\db1.mdb", File("missing.ini"), "d:\\db1.mdb"},
      {"SETTING", "NONE", "", File("remember.ini"), ""},
      {"SETTING", "NONE", QString(3000, u'z'), File("remember.ini"),
       QString(2047, u'z')},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Module2::ReadINIValue(c.section, c.key, c.def, c.file), c.value) << c.key;
  }
}

TEST_F(Module2Test, WriteINIValueWritesOrSilentlyDoesNothing) {
  Module2::WriteINIValue("SETTING", "DATAFILE", "\\media\\cd\\cem.mdb", File("remember.ini"));
  EXPECT_EQ(Module2::ReadINIValue("SETTING", "DATAFILE", "", File("remember.ini")),
            "\\media\\cd\\cem.mdb");
  Module2::WriteINIValue("SETTING", "DATAFILE", "x", "");
  Module2::WriteINIValue("SETTING", "DATAFILE", "x", File("no-folder\\remember.ini"));
  EXPECT_FALSE(QFile::exists(dir_.filePath("no-folder")));
}

// What the viewer writes reads back as the same path, also outside
// Windows-1252, and the program's own settings file may lie in such a folder.
TEST_F(Module2Test, APathOutsideTheCodePageReadsBackUnchanged) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("Ωmega"));
  const QString remember = File("Ωmega\\remember.ini");
  const QString path = "\\media\\anna\\MAPLE HILL\\Łódź.mdb";
  Module2::WriteINIValue("SETTING", "DATAPATH", "\\media\\anna\\MAPLE HILL\\", remember);
  Module2::WriteINIValue("SETTING", "DATAFILEPATH", path, remember);
  EXPECT_EQ(Module2::ReadINIValue("SETTING", "DATAFILEPATH", "d:\\db1.mdb", remember), path);
  EXPECT_EQ(Module2::ReadINIValue("SETTING", "DATAPATH", "d:\\", remember),
            "\\media\\anna\\MAPLE HILL\\");
}

}  // namespace
