// Start-up of the obituary viewer and its data-file choice: where the
// database is found, the version it shows, what the user is told when the
// file is missing or the launch file cannot be read, and what is remembered.
#include "tests/testkit/mournlight/MournlightTest.h"

#include "platform/forms/UserActions.h"
#include "support/Module2.h"
#include "tests/testkit/ScopedChanges.h"

#include <QDir>
#include <QFile>

namespace {

const QString kFileNotFound = "File not found!\r\nPlease open database or Insert correct CD";
const QString kTryAgain = "Do you want try to locate the file again?";

}  // namespace

class StartUpTest : public MournlightTest {
 protected:
  void Remember(const QString& dataPath, const QString& dataFile) {
    WriteRememberIni("[SETTING]\r\nOBITDATAPATH=" + dataPath.toUtf8() +
                     "\r\nOBITDATAFILEPATH=" + dataFile.toUtf8() + "\r\n");
  }
  void ExpectDataLocation(const QString& file, const QString& folder) {
    EXPECT_EQ(Window().DataFilePath(), file);
    EXPECT_EQ(Box("DataFilePathText").Text(), file);
    EXPECT_EQ(Box("DataPathText").Text(), folder);
  }
  const forms::MessageBoxRequest& Shown(size_t i) { return Host().MessageBoxes().at(i); }
  void ExpectTryAgainQuestion(size_t i) {
    EXPECT_EQ(Shown(i).prompt, kTryAgain);
    EXPECT_EQ(Shown(i).flags, 276);
    EXPECT_EQ(Shown(i).title, "Try Again?");
  }
  // A second data folder "other" with a database of one obituary.
  QString OtherDatabase() {
    QDir(DataFolder()).mkpath("other");
    return WriteObituaries({Obituary("Jones", "Bo")}, "other/obit2.db");
  }
  void ChooseDataFile() { forms::user::Choose(MenuItem("mnuChooseDataCDDrive")); }
};

TEST_F(StartUpTest, LaunchFileShowsTheFirstObituaryInSourceOrder) {
  democd::Record later = Obituary("Later", "Ann"), herald = Obituary("Herald", "Bo");
  later["PublicationDateReal"] = "33100";
  herald["NewsPubSourceID"] = 2;
  WriteObituaries({herald, later, Obituary("Early", "Cy")});
  Start(WriteLaunchFile("obit.db"));
  ExpectDataLocation(DataFolderWin() + "obit.db", DataFolderWin());
  EXPECT_TRUE(Window().RememberIniPath().isEmpty());
  EXPECT_FALSE(RememberIniExists());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_TRUE(Window().Form().Visible());
  EXPECT_EQ(Window().Form().Caption(), "Mournlight");
  // Option2 selected: newspaper, then publication date.
  EXPECT_TRUE(WindowForm().Get<forms::OptionButton>("Option2").Value());
  EXPECT_EQ(SelectedLastNames(), QStringList({"Early", "Later", "Herald"}));
  EXPECT_EQ(Lbl("Label17").Caption(), "3");
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  EXPECT_TRUE(ShownText().startsWith("Published:   May 5, 1990Daily Gazette\r\n\r\n"));
  EXPECT_TRUE(NavigationEnabled());
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(Box(QString("Text%1").arg(i)).Text(), "") << i;
    EXPECT_EQ(Check(QString("Check%1").arg(i)).Value(), 0) << i;
  }
}

TEST_F(StartUpTest, RememberIniNamesTheDatabaseWithItsOwnKeys) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann")});
  // The cemetery viewer's keys in the same file are not this viewer's.
  WriteRememberIni("[SETTING]\r\nDATAPATH=c:\\cem\\\r\nDATAFILEPATH=c:\\cem\\cem.mdb\r\n"
                   "OBITDATAPATH=" + DataFolderWin().toUtf8() + "\r\nOBITDATAFILEPATH=" +
                   db.toUtf8() + "\r\n");
  Start("");
  EXPECT_EQ(Window().RememberIniPath(), Win(ProgramFolder()) + "\\remember.ini");
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "1.00");
  EXPECT_EQ(Lbl("Label17").Caption(), "1");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// The version label and flag: "0" when nothing can be read, never a word.
struct VersionCase {
  const char* name;
  std::function<std::vector<democd::SqlTable>()> extraTables;
  const char* label;
  int flag;
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class VersionTest : public MournlightTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTest, LabelAndFlagWithoutAMessage) {
  std::vector<democd::SqlTable> tables = {ObitData({Obituary("Smith", "Ann")}), TwoSources(),
                                          TwoArchives()};
  for (auto& t : GetParam().extraTables()) tables.push_back(t);
  WriteDatabase(tables);
  Start(WriteLaunchFile("obit.db"));
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), GetParam().label);
  EXPECT_EQ(Check("DbVersion2orHigherCheckbox").Value(), GetParam().flag);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  // The version is read before the selection counts.
  EXPECT_EQ(Lbl("Label17").Caption(), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionTest,
    ::testing::Values(
        VersionCase{"Two", [] { return std::vector{MournlightTest::Versht("2.00")}; }, "2.00", 1},
        VersionCase{"TwoWithWords", [] { return std::vector{MournlightTest::Versht("2.5 beta")}; },
                    "2.5 beta", 1},
        VersionCase{"OnePointNine", [] { return std::vector{MournlightTest::Versht("1.9")}; },
                    "1.9", 0},
        VersionCase{"NullVersion",
                    [] { return std::vector{MournlightTest::Versht(vb::Variant::Null())}; }, "",
                    0},
        VersionCase{"NoVershtTable", [] { return std::vector<democd::SqlTable>{}; }, "0", 0},
        VersionCase{"EmptyVersht",
                    [] {
                      return std::vector{
                          democd::MakeSqlTable("VERSHT", {{"dbver", "TEXT"}}, {})};
                    },
                    "0", 0},
        VersionCase{"VershtWithoutDbver",
                    [] {
                      return std::vector{democd::MakeSqlTable("VERSHT", {{"other", "TEXT"}},
                                                              {{{"other", "2.0"}}})};
                    },
                    "0", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, NoCommandLineAndNoRememberIniAsksForTheDefaultFile) {
  Host().QueueFileDialogResult(std::nullopt);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  Start("");
  ASSERT_EQ(Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  EXPECT_EQ(Shown(0).flags, 0);
  EXPECT_EQ(Shown(0).title, "Mournlight");
  ExpectTryAgainQuestion(2);
  ASSERT_EQ(Host().FileDialogs().size(), 1u);
  EXPECT_EQ(Host().FileDialogs()[0].title, "Select Data File");
  EXPECT_EQ(Host().FileDialogs()[0].filter, "Mournlight Data(*.db)|*.db");
  ExpectDataLocation("d:\\db1.db", "d:\\");
  EXPECT_FALSE(RememberIniExists());
  // No ends the program at once, before the window is ever shown.
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_FALSE(Window().Form().Visible());
}

TEST_F(StartUpTest, LaunchFileWithoutTheKeyGivesAPathThatNeverExists) {
  WriteObituaries({Obituary("Smith", "Ann")});
  WriteFile(DataFolder() + "/go.ini", "[SETTING]\r\nOTHER=obit.db\r\n");
  Host().QueueFileDialogResult(std::nullopt);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  Start(Win(DataFolder() + "/go.ini"));
  EXPECT_EQ(Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  ExpectDataLocation(DataFolderWin() + "d:\\db1.db", DataFolderWin());
  EXPECT_EQ(Host().EndProgramCount(), 1);
}

// A launch file that cannot be read ends the program with the platform's
// message; nothing is logged (the viewer keeps no error log).
struct UnreadableLaunch {
  const char* name;
  QString (*commandLine)(const QString& dataFolderWin);
  int number;
  const char* description;
};
void PrintTo(const UnreadableLaunch& c, std::ostream* os) { *os << c.name; }

class UnreadableLaunchTest : public StartUpTest,
                             public ::testing::WithParamInterface<UnreadableLaunch> {};

TEST_P(UnreadableLaunchTest, EndsTheProgramWithTheRunTimeError) {
  const UnreadableLaunch& c = GetParam();
  WriteObituaries({Obituary("Smith", "Ann")});
  WriteLaunchFile("obit.db");
  Start(c.commandLine(DataFolderWin()));
  ASSERT_EQ(Prompts(), QStringList({RunTimeError(c.number, c.description)}));
  EXPECT_EQ(Shown(0).flags, forms::mb::Critical);
  EXPECT_EQ(Shown(0).title, "Mournlight");
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_TRUE(Window().DataFilePath().isEmpty());
  EXPECT_FALSE(Window().Form().Visible());
  EXPECT_TRUE(ErrorLogLines().isEmpty());
  EXPECT_TRUE(Host().FileDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Launch, UnreadableLaunchTest,
    ::testing::Values(
        UnreadableLaunch{"Missing", [](const QString& d) { return d + "nothere.ini"; }, 53,
                         "File not found"},
        UnreadableLaunch{"MissingFolder", [](const QString& d) { return d + "no\\go.ini"; }, 76,
                         "Path not found"},
        UnreadableLaunch{"Folder", [](const QString& d) { return d.chopped(1); }, 75,
                         "Path/File access error"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The data-file choice -------------------------------------------------------

TEST_F(StartUpTest, ChosenDatabaseIsShownAndRemembered) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann"), Obituary("Brown", "Bo")});
  Remember(DataFolderWin(), db);
  Start("");
  const QString other = OtherDatabase();
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  const QString otherFolder = DataFolderWin() + "other\\";
  ExpectDataLocation(other, otherFolder);
  EXPECT_EQ(RememberIniValue("OBITDATAPATH"), otherFolder);
  EXPECT_EQ(RememberIniValue("OBITDATAFILEPATH"), other);
  EXPECT_EQ(Lbl("Label17").Caption(), "1");
  EXPECT_EQ(SelectedLastNames(), QStringList({"Jones"}));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// Installed where the user may not write: remember.ini beside the program
// names the database until the user's own choice is kept in the per-user
// folder, which is read from then on; the installed file stays as it was.
// One that cannot be read gives the defaults.
TEST_F(StartUpTest, ReadOnlyProgramFolderReadsItsRememberIniAndKeepsChoicesPerUser) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann")});
  Remember(DataFolderWin(), db);
  const QByteArray installed = RememberIniContent();
  const testutil::ScopedEnvironmentVariable config(
      "XDG_CONFIG_HOME", (DataFolder() + "/config").toUtf8());
  {
    const testutil::ScopedReadOnlyFolder readOnly(ProgramFolder());
    Start("");
    ExpectDataLocation(db, DataFolderWin());
    EXPECT_EQ(SelectedLastNames(), QStringList({"Smith"}));
    EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();

    const QString other = OtherDatabase();
    Host().QueueFileDialogResult(other);
    ChooseDataFile();
    const QString perUser = Win(DataFolder() + "/config/Mournlight/remember.ini");
    EXPECT_EQ(Window().RememberIniPath(), perUser);
    EXPECT_EQ(Module2::ReadINIValue("SETTING", "OBITDATAFILEPATH", "", perUser), other);
    EXPECT_EQ(RememberIniContent(), installed);

    Start("");
    ExpectDataLocation(other, DataFolderWin() + "other\\");
    EXPECT_EQ(SelectedLastNames(), QStringList({"Jones"}));
  }

  // A remember.ini that cannot be read (here a folder of that name).
  QFile::remove(ProgramFolder() + "/remember.ini");
  ASSERT_TRUE(QDir(ProgramFolder()).mkdir("remember.ini"));
  QFile::remove(DataFolder() + "/config/Mournlight/remember.ini");
  const testutil::ScopedReadOnlyFolder readOnly(ProgramFolder());
  Host().QueueFileDialogResult(std::nullopt);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  Start("");
  ExpectDataLocation("d:\\db1.db", "d:\\");
  EXPECT_EQ(Prompts().value(0), kFileNotFound);
}

TEST_F(StartUpTest, MissingChosenFileIsRememberedAndNoEndsTheProgram) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann")});
  Remember(DataFolderWin(), db);
  Start("");
  const QString text = ShownText();
  const QString gone = DataFolderWin() + "gone.db";
  Host().QueueFileDialogResult(gone);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  ChooseDataFile();
  ASSERT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain}));
  ExpectTryAgainQuestion(1);
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_EQ(RememberIniValue("OBITDATAFILEPATH"), gone);
  EXPECT_EQ(RememberIniValue("OBITDATAPATH"), DataFolderWin());
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(ShownText(), text);
  // Ended without unloading: the window keeps its selection.
  EXPECT_TRUE(Window().Selection().HasRecordset());
}

TEST_F(StartUpTest, TryAgainYesOpensTheDialogAgain) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann")});
  Start(WriteLaunchFile("obit.db"));
  const QString other = OtherDatabase();
  Host().QueueFileDialogResult(DataFolderWin() + "a.db");
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::Yes);
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  EXPECT_EQ(Host().FileDialogs().size(), 2u);
  EXPECT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain}));
  ExpectDataLocation(other, DataFolderWin() + "other\\");
  EXPECT_EQ(SelectedLastNames(), QStringList({"Jones"}));
  // After a launch-file start nothing is remembered.
  EXPECT_FALSE(RememberIniExists());
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

TEST_F(StartUpTest, CancelReloadsTheCurrentDatabase) {
  const QString db = WriteObituaries({Obituary("Smith", "Ann")});
  Start(WriteLaunchFile("obit.db"));
  Lbl("dbVersionLabel").SetCaption("stale");
  Button("Command4").Click();
  Host().QueueFileDialogResult(std::nullopt);
  ChooseDataFile();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "1.00");
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(StartUpTest, UnloadLetsTheSelectionGo) {
  StartOn({Obituary("Smith", "Ann")});
  ASSERT_TRUE(Window().Selection().HasRecordset());
  WindowForm().Unload();
  EXPECT_FALSE(Window().Selection().HasRecordset());
  EXPECT_FALSE(Window().Selection().Connection().IsOpen());
}

TEST_F(StartUpTest, HiddenCommand8TakesTheFolderOfTheDataFile) {
  StartOn({Obituary("Smith", "Ann")});
  Box("DataFilePathText").SetText("e:\\cd\\sub\\x.db");
  Window().Command8_Click();
  EXPECT_EQ(Box("DataPathText").Text(), "e:\\cd\\sub\\");
  EXPECT_FALSE(Button("Command8").Visible());
}
