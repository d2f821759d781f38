// Settings files: reading odd content, writing that keeps every other line,
// and writes that cannot happen.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/win/Cp1252.h"
#include "platform/win/Win.h"

namespace win {
namespace {

const QByteArray kOddFile =
    "; comment line\r\n"
    "orphan=before any section\r\n"
    "[Main]\r\n"
    "  Name  =  Smith  \r\n"
    "empty=\r\n"
    "quoted=\"  padded  \"\r\n"
    "single='x'\r\n"
    "half=\"open\r\n"
    "mixed=\"a'\r\n"
    "eq=a=b=c\r\n"
    "dup=first\r\n"
    "DUP=second\r\n"
    "noequals line\r\n"
    "ort=M\xFCnchen \x80\r\n"
    "[broken\r\n"
    "inbroken=yes\r\n"
    "\t[ Spaced ]\n"
    "k=v\n"
    "[main]\r\n"
    "later=only in the second\r\n"
    "[Last]\r"
    "cr=lone cr\r"
    "[Tail]\n"
    "tail=no newline at end";

class ProfileTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString WinPath(const QString& name) const { return ToWindowsPath(Path(name)); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // The value as a caller with a buffer of `size` characters sees it.
  QString Get(const QString& section, const QString& key, const QString& def,
              const QString& file, uint32_t size = 2048) {
    QString buffer(size, u' ');
    const uint32_t n = GetPrivateProfileString(section, key, def, buffer, size, file);
    return buffer.left(n);
  }
  QTemporaryDir dir_;
};

TEST_F(ProfileTest, ReadsOddContent) {
  Write("odd.ini", kOddFile);
  struct Case { const char* section; const char* key; const char* def; QString expected; };
  const Case cases[] = {
      {"Main", "Name", "d", "Smith"},
      {"MAIN", "name", "d", "Smith"},              // sections and keys ignore case
      {" Main ", " Name ", "d", "Smith"},          // names given with blanks
      {"Main", "empty", "d", ""},                  // an empty value is not the default
      {"Main", "quoted", "d", "  padded  "},       // one pair of quotes dropped
      {"Main", "single", "d", "x"},
      {"Main", "half", "d", "\"open"},             // unmatched quote stays
      {"Main", "mixed", "d", "\"a'"},
      {"Main", "eq", "d", "a=b=c"},                // only the first "=" splits
      {"Main", "dup", "d", "first"},               // first of two keys wins
      {"Main", "later", "d", "d"},                 // only the first of two sections counts
      {"Main", "noequals line", "d", "d"},
      {"Main", "inbroken", "d", "yes"},            // "[broken" opens no section
      {"broken", "inbroken", "d", "d"},
      {"Main", "ort", "d", QString::fromUtf8("München €")},  // Windows-1252 text
      {"Spaced", "k", "d", "v"},                   // LF lines, blanks inside brackets
      {"Last", "cr", "d", "lone cr"},              // lone CR line ends
      {"Tail", "tail", "d", "no newline at end"},
      {"", "orphan", "d", "d"},                    // keys before any section belong to none
      {"Main", "missing", " lead and trail \t ", " lead and trail"},
      {"Missing", "Name", "fallback", "fallback"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Get(c.section, c.key, c.def, WinPath("odd.ini")), c.expected)
        << c.section << "/" << c.key;
  }
}

TEST_F(ProfileTest, DefaultForMissingOrUnreadableFiles) {
  for (const QString& file : {WinPath("none.ini"), QString(), ToWindowsPath(dir_.path()),
                              WinPath("no-folder\\x.ini")}) {
    EXPECT_EQ(Get("S", "k", "def", file), "def") << file.toStdString();
  }
}

TEST_F(ProfileTest, CutsTheValueToOneLessThanTheBuffer) {
  Write("long.ini", "[S]\r\nk=" + QByteArray(3000, 'x') + "\r\nshort=abc\r\n");
  EXPECT_EQ(Get("S", "k", "", WinPath("long.ini")), QString(2047, u'x'));
  EXPECT_EQ(Get("S", "k", "", WinPath("long.ini"), 5), "xxxx");
  EXPECT_EQ(Get("S", "missing", "defaultvalue", WinPath("long.ini"), 4), "def");
  QString buffer = "??????";
  EXPECT_EQ(GetPrivateProfileString("S", "short", "", buffer, 6, WinPath("long.ini")), 3u);
  EXPECT_EQ(buffer, QString("abc") + QChar(u'\0') + "??");
  EXPECT_EQ(GetPrivateProfileString("S", "short", "", buffer, 1, WinPath("long.ini")), 0u);
  EXPECT_EQ(GetPrivateProfileString("S", "short", "", buffer, 0, WinPath("long.ini")), 0u);
}

TEST_F(ProfileTest, WritesKeepEveryOtherLine) {
  struct Case { const char* name; QByteArray before; const char* section; const char* key;
                const char* value; QByteArray after; };
  const Case cases[] = {
      {"replace", kOddFile, "main", "NAME", "Jones",
       QByteArray(kOddFile).replace("  Name  =  Smith  \r\n", "Name=Jones\r\n")},
      {"add key to LF section", kOddFile, "spaced", "new", "1",
       QByteArray(kOddFile).replace("k=v\n", "k=v\nnew=1\r\n")},
      {"add key after a last line without end", kOddFile, "Tail", "x", "y",
       kOddFile + "\r\nx=y\r\n"},
      {"add section", "[A]\na=1\n", "B", "b", "2", "[A]\na=1\n[B]\nb=2\n"},
      {"add key before blank lines", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n", "A", "c", "3",
       "[A]\r\na=1\r\nc=3\r\n\r\n[B]\r\nb=2\r\n"},
      {"add key to empty section", "[A]\r\n[B]\r\n", "a", "k", "v", "[A]\r\nk=v\r\n[B]\r\n"},
      {"empty value", "[A]\r\nk=old\r\n", "A", "k", "", "[A]\r\nk=\r\n"},
      {"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
  };
  for (const Case& c : cases) {
    Write("w.ini", c.before);
    EXPECT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, WinPath("w.ini"))) << c.name;
    EXPECT_EQ(Read("w.ini"), c.after) << c.name;
  }
}

TEST_F(ProfileTest, WriteCreatesTheFileAndReadsBack) {
  const QString file = WinPath("new.ini");
  EXPECT_TRUE(WritePrivateProfileString("SETTING", "DATAFILE", QString::fromUtf8("Grab€é.mdb"), file));
  EXPECT_EQ(Read("new.ini"), "[SETTING]\r\nDATAFILE=Grab\x80\xE9.mdb\r\n");
  EXPECT_EQ(Get("setting", "datafile", "", file), QString::fromUtf8("Grab€é.mdb"));
  // A value the code page cannot hold turns the file into UTF-8, so that
  // every value reads back as it was written.
  EXPECT_TRUE(WritePrivateProfileString("S", "k", QString::fromUtf8("\\media\\Łódź.mdb"), file));
  EXPECT_EQ(Read("new.ini"),
            "[SETTING]\r\nDATAFILE=Grab\xE2\x82\xAC\xC3\xA9.mdb\r\n"
            "[S]\r\nk=\\media\\\xC5\x81\xC3\xB3" "d\xC5\xBA.mdb\r\n");
  EXPECT_EQ(Get("S", "k", "", file), QString::fromUtf8("\\media\\Łódź.mdb"));
  EXPECT_EQ(Get("setting", "datafile", "", file), QString::fromUtf8("Grab€é.mdb"));
}

// 8-bit files are UTF-8 when their bytes are valid UTF-8, else Windows-1252
// (the files on the CDs).
TEST_F(ProfileTest, EightBitFilesReadAsUtf8WhenValidElseAsWindows1252) {
  struct Case { const char* name; QByteArray bytes; QString value; };
  const Case cases[] = {
      {"utf-8", "[S]\r\nk=\xC5\x81\xC3\xB3" "d\xC5\xBA.mdb\r\n", QString::fromUtf8("Łódź.mdb")},
      {"utf-8 with its mark", "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n", QString::fromUtf8("é")},
      {"windows-1252", "[S]\r\nk=M\xFCnchen \x80\r\n", QString::fromUtf8("München €")},
      {"not all of it utf-8", "[S]\r\nk=\xC3\xA9\r\nj=\xE9\r\n", QString::fromUtf8("Ã©")},
      {"a cut utf-8 sequence", "[S]\r\nk=a\xC5", QString::fromUtf8("aÅ")},
  };
  for (const Case& c : cases) {
    Write("e.ini", c.bytes);
    EXPECT_EQ(Get("S", "k", "", WinPath("e.ini")), c.value) << c.name;
  }
}

// A write keeps the file's form and the bytes of every other line; only a
// Windows-1252 file that must take a value outside the code page turns into
// UTF-8 as a whole.
TEST_F(ProfileTest, WritesKeepTheFormOfEightBitFiles) {
  struct Case { const char* name; QByteArray before; const char* value; QByteArray after; };
  const Case cases[] = {
      {"utf-8 stays utf-8", "[S]\r\na=\xC5\x81\r\nk=1\r\n", "\xC3\xA9",
       "[S]\r\na=\xC5\x81\r\nk=\xC3\xA9\r\n"},
      {"the mark stays", "\xEF\xBB\xBF[S]\r\nk=1\r\n", "2", "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
      {"windows-1252 stays", "[S]\r\na=M\xFCnchen\x81\r\nk=1\r\n", "\xC3\xA9",
       "[S]\r\na=M\xFCnchen\x81\r\nk=\xE9\r\n"},
      {"windows-1252 becomes utf-8", "[S]\r\na=M\xFCnchen\r\nk=1\r\n", "\xC5\x81",
       "[S]\r\na=M\xC3\xBCnchen\r\nk=\xC5\x81\r\n"},
  };
  for (const Case& c : cases) {
    Write("f.ini", c.before);
    EXPECT_TRUE(WritePrivateProfileString("S", "k", QString::fromUtf8(c.value), WinPath("f.ini")))
        << c.name;
    EXPECT_EQ(Read("f.ini"), c.after) << c.name;
  }
}

// Names of folders, files, sections and keys keep every character.
TEST_F(ProfileTest, NamesOutsideTheCodePageKeepEveryCharacter) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QString::fromUtf8("Ωmega")));
  const QString file = WinPath(QString::fromUtf8("Ωmega\\Łódź.ini"));
  EXPECT_TRUE(WritePrivateProfileString(QString::fromUtf8("Łódź"), QString::fromUtf8("ź"), "1", file));
  EXPECT_EQ(Read(QString::fromUtf8("Ωmega/Łódź.ini")),
            "[\xC5\x81\xC3\xB3" "d\xC5\xBA]\r\n\xC5\xBA=1\r\n");
  EXPECT_EQ(Get(QString::fromUtf8("łÓDŹ"), QString::fromUtf8("Ź"), "d", file), "1");
  EXPECT_EQ(Get("?ód?", "?", "d", file), "d");
  EXPECT_EQ(Get(QString::fromUtf8("Łódź"), QString::fromUtf8("ź"), "d",
                WinPath(QString::fromUtf8("?mega\\?ód?.ini"))), "d");
}

TEST_F(ProfileTest, UnwritableTargetsChangeNothing) {
  Write("ro.ini", "[S]\r\nk=old\r\n");
  ASSERT_TRUE(QFile::setPermissions(Path("ro.ini"), QFile::ReadOwner | QFile::ReadGroup));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "new", WinPath("ro.ini")));
  EXPECT_EQ(Read("ro.ini"), "[S]\r\nk=old\r\n");
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", WinPath("no-folder\\x.ini")));
  EXPECT_FALSE(QDir(Path("no-folder")).exists());
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", ""));
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
  EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", WinPath("folder")));
}

// A file with a byte-order mark is UTF-16 text; a write keeps that form.
TEST_F(ProfileTest, ReadsAndWritesUnicodeFiles) {
  const QString text = QString::fromUtf8("[Setting]\r\nDataFile=M\u00fcnchen \u0141\r\nother=1\r\n");
  QByteArray little("\xFF\xFE"), big("\xFE\xFF");
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    little.append(char(u & 0xFF)).append(char(u >> 8));
    big.append(char(u >> 8)).append(char(u & 0xFF));
  }
  for (const QByteArray& bytes : {little, big}) {
    Write("u.ini", bytes);
    EXPECT_EQ(Get("SETTING", "datafile", "d", WinPath("u.ini")), QString::fromUtf8("M\u00fcnchen \u0141"));
    EXPECT_TRUE(WritePrivateProfileString("Setting", "other", "2", WinPath("u.ini")));
    QByteArray expected = bytes;
    const bool isBig = bytes.startsWith("\xFE");
    expected.replace(isBig ? QByteArray("\0=\0" "1", 4) : QByteArray("=\0" "1\0", 4),
                     isBig ? QByteArray("\0=\0" "2", 4) : QByteArray("=\0" "2\0", 4));
    EXPECT_EQ(Read("u.ini"), expected);
  }
}

TEST(Cp1252Test, MapsTheHighControlRangeAndRoundTrips) {
  EXPECT_EQ(cp1252::Decode("\x80\x8A\x9F\xA0\xFF"), QString::fromUtf8("€Š\u0178\u00A0ÿ"));
  EXPECT_EQ(cp1252::Encode(QString::fromUtf8("€Šÿ\u0100")), QByteArray("\x80\x8A\xFF?"));
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  EXPECT_EQ(cp1252::Encode(cp1252::Decode(all)), all);
}

}  // namespace
}  // namespace win
