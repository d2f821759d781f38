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
  // Text outside the code page arrives as "?", as through any 8-bit interface.
  EXPECT_TRUE(WritePrivateProfileString("S", "k", QString::fromUtf8("Łódź"), file));
  EXPECT_EQ(Get("S", "k", "", file), QString::fromUtf8("?ód?"));
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
    // The value reaches the caller as 8-bit text.
    EXPECT_EQ(Get("SETTING", "datafile", "d", WinPath("u.ini")), QString::fromUtf8("M\u00fcnchen ?"));
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
