// Files and values the obituary viewer must take without a crash or a hang:
// files that are no database or are damaged, tables missing, Null in every
// column, pictures missing or no pictures; and the database and its folder
// left exactly as they were, also on read-only media.
#include "tests/testkit/mournlight/MournlightTest.h"

#include "platform/forms/UserActions.h"
#include "tests/testkit/DamagedCopies.h"
#include "tests/testkit/ScopedChanges.h"
#include "tests/testkit/SqliteFiles.h"
#include "tests/testkit/windows/LargePictures.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <map>
#include <random>

namespace {

// Every name in a folder with its bytes and modification time.
struct FolderState {
  QStringList names;
  QList<QByteArray> bytes;
  QList<QDateTime> times;
  bool operator==(const FolderState&) const = default;
};

FolderState StateOf(const QString& folder) {
  FolderState state;
  const QFileInfoList entries = QDir(folder).entryInfoList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& entry : entries) {
    state.names << entry.fileName();
    QFile file(entry.filePath());
    state.bytes << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    state.times << entry.lastModified();
  }
  return state;
}

// An obituary file whose bytes from `at` on are `bytes`; with `cut`, the
// file ends after them.
void WriteObituaryFileWith(const QString& path, qint64 at, const QByteArray& bytes, bool cut) {
  testkit::WriteObituaryFile(path);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  if (cut) {
    ASSERT_TRUE(file.resize(at));
  }
  ASSERT_TRUE(file.seek(at));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

const QString kEmptyRecordText = "Published:    N/A " + QString("\r\n\r\n").repeated(9) + "\r\n" +
                                 "\r\n\r\n" + "\r\n\r\n" + "Archive Info.:  N/A ";

}  // namespace

class BadInputTest : public MournlightTest {
 protected:
  // Starts on the file "obit.db" of the data folder as it stands.
  void StartOnFile() { Start(WriteLaunchFile("obit.db")); }
  QString DbPath() const { return DataFolder() + "/obit.db"; }
};

// A file that is no database, or a damaged one: the version reads "0" without
// a word, the first selection reports the engine's number, and the file and
// its folder stay as they were.
struct BadFileCase {
  const char* name;
  std::function<void(const QString& path)> write;
  const char* report;
};
void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }

class BadFileTest : public BadInputTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, VersionZeroAndAnErrorNumber) {
  GetParam().write(DbPath());
  const QString launchFile = WriteLaunchFile("obit.db");
  const FolderState before = StateOf(DataFolder());
  Start(launchFile);
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "0");
  EXPECT_EQ(Prompts(), QStringList({GetParam().report}));
  EXPECT_TRUE(NavigationDisabled());
  EXPECT_EQ(Host().EndProgramCount(), 0);
  // The searches answer the same way.
  Box("Text1").SetText("*");
  forms::user::Click(Button("Command1"));
  EXPECT_EQ(Prompts().size(), 2);
  EXPECT_EQ(Host().EndProgramCount(), 0);
  EXPECT_TRUE(StateOf(DataFolder()) == before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFileCase{"Text", [](const QString& path) {
                      MournlightTest::WriteFile(path, "This is no database at all.\r\n");
                    }, "Error:  3343"},
        BadFileCase{"Empty", [](const QString& path) {
                      MournlightTest::WriteFile(path, "");
                    }, "Error:  3343"},
        BadFileCase{"Header", [](const QString& path) {
                      QByteArray bytes("SQLite format 3");
                      bytes.append('\0');
                      bytes.append(QByteArray(84, '\xff'));
                      MournlightTest::WriteFile(path, bytes);
                    }, "Error:  3343"},
        // A schema format number the engine does not know (bytes 44 to 47),
        // and a header cut after 25 bytes and filled up with noise.
        BadFileCase{"SchemaFormat", [](const QString& path) {
                      WriteObituaryFileWith(path, 44, QByteArray("\0\0\0\x09", 4), false);
                    }, "Error:  3343"},
        BadFileCase{"CutHeader", [](const QString& path) {
                      QByteArray noise;
                      for (int i = 0; i < 4000; ++i) noise.append(static_cast<char>(i * 131 + 7));
                      WriteObituaryFileWith(path, 25, noise, true);
                    }, "Error:  3343"},
        BadFileCase{"Truncated", [](const QString& path) {
                      testkit::WriteObituaryFile(path, 400);
                      QFile file(path);
                      ASSERT_TRUE(file.resize(file.size() / 3));
                    }, "Error:  3049"}),
    [](const auto& info) { return std::string(info.param.name); });

// Seeded damage of every kind: the start-up (version and select-all) reports
// the numbers of damage, or of a table or column the damage took away, never
// a syntax error, and the window takes the next file.
TEST_F(BadInputTest, DamagedCopiesReportDamageNumbers) {
  std::vector<democd::Record> rows;
  for (int i = 0; i < 150; ++i) rows.push_back(Obituary(QString("Name%1").arg(i), "Ann"));
  WriteObituaries(rows);
  QFile original(DbPath());
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray good = original.readAll();
  original.close();
  constexpr int kPageSize = 4096;  // the writer's page size
  ASSERT_GT(good.size(), 8 * kPageSize);
  std::mt19937 rng(20240616);
  const QStringList allowed = {"Error:  3049", "Error:  3343", "Error:  3078", "Error:  3061",
                               "Error:  3265"};
  std::map<QString, int> seen;
  for (int copy = 0; copy < 60; ++copy) {
    WriteFile(DbPath(), testutil::DamagedCopy(good, kPageSize, rng));
    const qsizetype shown = Prompts().size();
    StartOnFile();
    for (const QString& prompt : Prompts().mid(shown)) {
      EXPECT_TRUE(allowed.contains(prompt)) << "copy " << copy << ": " << prompt.toStdString();
      ++seen[prompt];
    }
  }
  EXPECT_GT(seen["Error:  3049"], 0);
  for (const auto& [prompt, count] : seen) std::printf("%s x %d\n", qPrintable(prompt), count);
  EXPECT_EQ(Host().EndProgramCount(), 0);
  WriteFile(DbPath(), good);
  const qsizetype shown = Prompts().size();
  StartOnFile();
  EXPECT_TRUE(Prompts().mid(shown).isEmpty()) << Prompts().mid(shown).join(" | ").toStdString();
  EXPECT_EQ(Lbl("Label17").Caption(), "150");
  EXPECT_TRUE(NavigationEnabled());
}

// Without ObitData the select-all reports the engine's 3078.
TEST_F(BadInputTest, MissingObituaryTableIsReported) {
  WriteObituaries({Obituary("Hall", "Ann")});
  testkit::ExecOnFile(DbPath(), "DROP TABLE ObitData;");
  Start(WriteLaunchFile("obit.db"));
  EXPECT_EQ(Prompts(), QStringList({"Error:  3078"}));
  EXPECT_TRUE(NavigationDisabled());
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// A database without a look-up's table or key column (the editor may leave
// a table out or key its sources by newspubsourceid) is browsed with " N/A "
// for that look-up: no message at start-up, no end on "Next >", for ids of
// numbers, blanks, text and Null.
TEST_F(BadInputTest, MissingLookUpTablesOrKeysAnswerNotAvailable) {
  struct Case {
    const char* name;
    const char* change;
    bool sourceAnswers, archiveAnswers;
  };
  const Case cases[] = {
      {"NoSourcesSheet", "DROP TABLE SourcesSheet;", false, true},
      {"NoArchiveSheet", "DROP TABLE ArchiveSheet;", true, false},
      // Sources keyed by their NewsPubSourceID column alone.
      {"SourcesWithoutNewsid", "ALTER TABLE SourcesSheet DROP COLUMN newsid;", false, true},
      {"ArchivesKeyedOtherwise", "ALTER TABLE ArchiveSheet RENAME COLUMN ArchiveID TO ArchiveKey;",
       true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<democd::Record> rows;
    for (const vb::Variant& id : {vb::Variant(int32_t{1}), vb::Variant(QString("   ")),
                                  vb::Variant(QString("x1")), vb::Variant::Null(),
                                  vb::Variant(int32_t{2})}) {
      democd::Record r = Obituary(QString("Id%1").arg(rows.size()), "Ann");
      r["NewsPubSourceID"] = id;
      r["ArchiveID"] = id;
      rows.push_back(r);
    }
    WriteDatabase({ObitData(rows, "TEXT"), TwoSources(), TwoArchives(), Versht("1.00")});
    testkit::ExecOnFile(DbPath(), c.change);
    const QString launchFile = WriteLaunchFile("obit.db");
    const FolderState before = StateOf(DataFolder());
    const size_t shown = Prompts().size();
    Start(launchFile);
    // Each of the five records in the order shown, "Next >" between them.
    QStringList texts = {ShownText()};
    for (int step = 0; step < 4; ++step) {
      forms::user::Click(Button("Command4"));
      texts << ShownText();
    }
    const auto count = [&](const QString& part) {
      return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                            [&](const QString& t) { return t.contains(part); }));
    };
    EXPECT_EQ(count("May 5, 1990Daily Gazette"), c.sourceAnswers ? 1 : 0);
    EXPECT_EQ(count("May 5, 1990Evening Herald"), c.sourceAnswers ? 1 : 0);
    EXPECT_EQ(count("May 5, 1990 N/A "), c.sourceAnswers ? 3 : 5);
    EXPECT_EQ(count("Archive Info.: City Archive"), c.archiveAnswers ? 1 : 0);
    EXPECT_EQ(count("Archive Info.: County Vault"), c.archiveAnswers ? 1 : 0);
    EXPECT_EQ(count("Archive Info.:  N/A "), c.archiveAnswers ? 3 : 5);
    EXPECT_EQ(Lbl("Label16").Caption(), "5");
    EXPECT_EQ(Prompts().mid(shown), QStringList());
    EXPECT_TRUE(NavigationEnabled());
    WindowForm().Unload();
    EXPECT_TRUE(StateOf(DataFolder()) == before);
  }
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// ObitData without the record's columns: the text stops at the first one
// missing and the select-all reports it.
TEST_F(BadInputTest, ObitDataWithoutTheRecordColumnsIsReported) {
  testkit::WriteObituaryFile(DbPath());
  StartOnFile();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.1");
  EXPECT_EQ(Prompts(), QStringList({"Error:  3265"}));
  EXPECT_TRUE(NavigationDisabled());
}

TEST_F(BadInputTest, NullInEveryColumn) {
  democd::Record allNull;
  for (const democd::SqlColumn& column : democd::ObitDataColumns())
    if (column.name != "ID") allNull[column.name] = vb::Variant::Null();
  WriteDatabase({ObitData({allNull, Obituary("Hall", "Ann")}), TwoSources(), TwoArchives(),
                 Versht(vb::Variant::Null())});
  StartOnFile();
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "");
  EXPECT_EQ(ShownText(), kEmptyRecordText);
  for (const char* button : {"Command4", "Command4", "Command3", "Command5", "Command2"})
    forms::user::Click(Button(button));
  EXPECT_EQ(Host().EndProgramCount(), 0);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// Pictures missing, not pictures, or in a missing folder: never a word.
TEST_F(BadInputTest, PicturesMissingOrNotPictures) {
  WritePicture("GOOD1.JPG", 30, 20, Qt::gray);
  WriteFile(DataFolder() + "/IMAGES/NOTAPIC.JPG", "plain text, no picture");
  std::vector<democd::Record> rows;
  for (const char* name : {"GOOD1.JPG", "MISSING.JPG", "NOTAPIC.JPG", "sub\\GONE.JPG"}) {
    democd::Record r = Obituary(QString("P%1").arg(rows.size()), "Ann");
    r["Pix1"] = name;
    r["Pix2"] = name;
    rows.push_back(r);
  }
  StartOn(rows);
  for (int step = 0; step < 3; ++step) {
    forms::user::Click(Button("Command10"));
    forms::user::Click(Button("Command4"));
  }
  // A missing folder turns picture 1 into the fall-back name.
  EXPECT_EQ(Box("PicText1").Text(), "A99.JPG");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Host().EndProgramCount(), 0);
  EXPECT_TRUE(NavigationEnabled());
}

// A picture that cannot be shown within the pictures' memory budget (100
// megapixels in a PNG) shows as a missing one, and the next record its own.
// One shown reduced but beyond the budget whole (80 megapixels in a JPEG)
// cannot be copied: error 7, which nothing traps, ends the program, as a copy
// without memory does.
TEST_F(BadInputTest, PicturesBeyondTheMemoryBudget) {
  QDir(DataFolder()).mkpath("IMAGES");
  WriteFile(DataFolder() + "/IMAGES/BEYOND.PNG", testkit::TwoTonePicture({10000, 10000}, "PNG"));
  WritePicture("GOOD1.JPG", 30, 20, Qt::gray);
  WriteFile(DataFolder() + "/IMAGES/SCAN3.JPG", testkit::TwoTonePicture({10000, 8000}, "JPG"));
  std::vector<democd::Record> rows;
  for (const char* name : {"BEYOND.PNG", "GOOD1.JPG", "SCAN3.JPG"}) {
    democd::Record r = Obituary(QString("P%1").arg(rows.size()), "Ann");
    r["Pix1"] = name;
    rows.push_back(r);
  }
  StartOn(rows);
  const forms::Image& image = WindowForm().Get<forms::Image>("Image1");
  EXPECT_EQ(image.Picture().Image().cacheKey(),
            WindowForm().Get<forms::Image>("Image2").Picture().Image().cacheKey());
  forms::user::Click(Button("Command4"));
  EXPECT_EQ(image.Picture().Image().size(), QSize(30, 20));
  forms::user::Click(Button("Command4"));
  EXPECT_EQ(image.Picture().WidthPixels(), 10000);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Host().EndProgramCount(), 0);
  forms::user::Choose(MenuItem("mnuCopy1"));
  EXPECT_EQ(Prompts(), QStringList({RunTimeError(7, "Out of memory")}));
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_TRUE(Host().ClipboardImage().isNull());
}

// A whole session (start, every search, steps, the information window, the
// data-file choice) leaves the database and its folder as they were, also
// when the folder and the file cannot be written.
TEST_F(BadInputTest, DatabaseAndFolderUnchanged) {
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "writable");
    WriteObituaries({Obituary("Hall", "Ann"), Obituary("Brown", "Bo")});
    WriteLaunchFile("obit.db");
    QFile::setPermissions(DbPath(), readOnly ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    const FolderState before = StateOf(DataFolder());
    {
      std::optional<testutil::ScopedReadOnlyFolder> lock;
      if (readOnly) lock.emplace(DataFolder());
      Start(Win(DataFolder() + "/go.ini"));
      Box("Text1").SetText("*");
      forms::user::Click(Button("Command1"));
      Box("Text4").SetText("1990");
      forms::user::Click(Button("Command7"));
      Box("SelectionQueryText").SetText("Lastname='Hall'");
      forms::user::Click(Button("Command12"));
      forms::user::Click(Button("Command6"));
      forms::user::Click(Button("Command5"));
      forms::user::Click(Button("Command3"));
      Host().QueueModalScript([](QWidget&) {});
      forms::user::Click(Button("Command14"));
      Host().QueueFileDialogResult(DataFolderWin() + "obit.db");
      forms::user::Choose(MenuItem("mnuChooseDataCDDrive"));
      WindowForm().Unload();
    }
    EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
    EXPECT_EQ(Host().EndProgramCount(), 0);
    EXPECT_TRUE(StateOf(DataFolder()) == before);
    QFile::setPermissions(DbPath(), QFile::ReadOwner | QFile::WriteOwner);
  }
}
