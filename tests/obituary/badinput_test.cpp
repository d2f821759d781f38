// Files and values the obituary viewer must take without a crash or a hang:
// files that are no database or are damaged, tables missing, Null in every
// column, pictures missing or no pictures; and the database and its folder
// left exactly as they were, also on read-only media.
#include "MournlightFixture.h"

#include "platform/forms/UserActions.h"
#include "tests/testkit/LargePictures.h"
#include "tests/testkit/ScopedChanges.h"
#include "tests/testkit/SqliteFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
// a word and the first selection reports the engine's number.
struct BadFileCase {
  const char* name;
  std::function<void(const QString& path)> write;
  const char* report;
};
void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }

class BadFileTest : public BadInputTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(BadFileTest, VersionZeroAndAnErrorNumber) {
  GetParam().write(DbPath());
  StartOnFile();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "0");
  EXPECT_EQ(Prompts(), QStringList({GetParam().report}));
  EXPECT_TRUE(NavigationDisabled());
  EXPECT_EQ(Host().EndProgramCount(), 0);
  // The searches answer the same way.
  Box("Text1").SetText("*");
  forms::user::Click(Button("Command1"));
  EXPECT_EQ(Prompts().size(), 2);
  EXPECT_EQ(Host().EndProgramCount(), 0);
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
        BadFileCase{"Truncated", [](const QString& path) {
                      testkit::WriteObituaryFile(path, 400);
                      QFile file(path);
                      ASSERT_TRUE(file.resize(file.size() / 3));
                    }, "Error:  3049"}),
    [](const auto& info) { return std::string(info.param.name); });

// A table missing: the select-all reports the engine's 3078 (the record's
// look-ups meet a missing SourcesSheet or ArchiveSheet).
TEST_F(BadInputTest, MissingTablesAreReported) {
  for (const char* table : {"ObitData", "SourcesSheet", "ArchiveSheet"}) {
    SCOPED_TRACE(table);
    WriteObituaries({Obituary("Hall", "Ann")});
    testkit::ExecOnFile(DbPath(), QString("DROP TABLE %1;").arg(table));
    const size_t shown = Prompts().size();
    Start(WriteLaunchFile("obit.db"));
    EXPECT_EQ(Prompts().mid(shown), QStringList({"Error:  3078"}));
    EXPECT_TRUE(NavigationDisabled());
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
