// Start-up of the cemetery viewer and the data-file choice: where the
// database is found, what the user is told when it is not, and what is
// remembered for the next start.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "platform/forms/UserActions.h"
#include "support/AppIdentity.h"
#include "support/Module2.h"
#include "tests/testkit/ScopedChanges.h"

#include <QDir>
#include <QFile>

namespace {

const QString kFileNotFound = "File not found!\r\nPlease open database or Insert correct CD";
const QString kTryAgain = "Do you want try to locate the file again?";

// The error dialog's text for an error trapped by the start-up.
QString StartUpError(int number, const QString& description) {
  return "Error " + QString::number(number) + " (" + description +
         ") Process: Form_Load.FormGravelightMain ln# 0\r\nPlease contact " +
         AppIdentity::Current().supportAddress + " if this error is persistent.   ";
}

}  // namespace

class StartUpTest : public GravelightTest {
 protected:
  // A database with one burial; its Windows path.
  QString Database(const QString& dbver, const QString& name = "cem.mdb") {
    return WriteDatabase({Sheet1({Burial("Smith", "Ann")}), Versht(dbver, QString("0"))}, name);
  }
  // remember.ini naming this data folder and database.
  void Remember(const QString& dataPath, const QString& dataFile) {
    WriteRememberIni("[SETTING]\r\nDATAPATH=" + dataPath.toLatin1() +
                     "\r\nDATAFILEPATH=" + dataFile.toLatin1() + "\r\n");
  }
  QString DataFolderWin() const { return Win(DataFolder()) + "\\"; }
  // A second data folder "other" with its own database and labels.
  QString OtherDatabase(const QString& dbver, const QString& appInfo = "0") {
    QDir(DataFolder()).mkpath("other");
    WriteFile(DataFolder() + "/other/cstmflds.ini", "[CustomFieldNames]\r\nCustom1=Plot\r\n");
    return WriteDatabase({Sheet1({Burial("Jones", "Bo")}), Versht(dbver, appInfo)},
                         "other/cem2.mdb");
  }
  void ChooseDataFile() { forms::user::Choose(MenuItem("mnuChooseDataCDDrive")); }
  const forms::MessageBoxRequest& Shown(size_t i) { return Host().MessageBoxes().at(i); }
  void ExpectTryAgainQuestion(size_t i) {
    EXPECT_EQ(Shown(i).prompt, kTryAgain);
    EXPECT_EQ(Shown(i).flags, 276);
    EXPECT_EQ(Shown(i).title, "Try Again?");
  }
  void ExpectDataLocation(const QString& file, const QString& folder) {
    EXPECT_EQ(Window().DataFilePath(), file);
    EXPECT_EQ(Box("DataFilePathText").Text(), file);
    EXPECT_EQ(Box("DataPathText").Text(), folder);
  }
};

TEST_F(StartUpTest, LaunchFileNamesTheDatabaseBesideIt) {
  Database("3.00");
  Start(WriteLaunchFile("cem.mdb"));
  ExpectDataLocation(DataFolderWin() + "cem.mdb", DataFolderWin());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.00");
  EXPECT_EQ(Check("DbVersion2orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Box("Text6", 0).Text(), "Custom1");
  EXPECT_TRUE(Window().RememberIniPath().isEmpty());
  EXPECT_FALSE(RememberIniExists());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(StartUpTest, RememberIniNamesTheDatabase) {
  const QString db = Database("2.5");
  WriteFile(DataFolder() + "/cstmflds.ini", "[CustomFieldNames]\r\nCustom3=Veteran\r\n");
  Remember(DataFolderWin(), db);
  Start("");
  EXPECT_EQ(Window().RememberIniPath(), Win(ProgramFolder()) + "\\remember.ini");
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "2.5");
  EXPECT_EQ(Box("Text6", 2).Text(), "Veteran");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_TRUE(Window().Form().Visible());
}

TEST_F(StartUpTest, EmptyDataPathIsKeptNotReplacedByTheDefault) {
  const QString db = Database("2.5");
  WriteFile(DataFolder() + "/cstmflds.ini", "[CustomFieldNames]\r\nCustom3=Veteran\r\n");
  Remember("", db);
  Start("");
  ExpectDataLocation(db, "");
  // The labels are looked for beside the program, not in the data folder.
  EXPECT_EQ(Box("Text6", 2).Text(), "Custom3");
  EXPECT_FALSE(Prompts().contains(kFileNotFound));
}

TEST_F(StartUpTest, NoCommandLineAndNoRememberIniAsksForAFileBeforeTheWindowShows) {
  Host().QueueFileDialogResult(std::nullopt);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  Start("");
  ASSERT_EQ(Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  EXPECT_EQ(Shown(0).flags, 0);
  EXPECT_EQ(Shown(0).title, "Gravelight");
  ExpectTryAgainQuestion(2);
  ASSERT_EQ(Host().FileDialogs().size(), 1u);
  EXPECT_EQ(Host().FileDialogs()[0].title, "Select Data File");
  EXPECT_EQ(Host().FileDialogs()[0].filter, "Gravelight Data(*.mdb)|*.mdb");
  EXPECT_EQ(Host().FileDialogs()[0].initialDir, "");
  EXPECT_EQ(Host().FileDialogs()[0].fileName, "");
  // The defaults, restored after the failed check; Cancel wrote nothing.
  ExpectDataLocation("d:\\db1.mdb", "d:\\");
  EXPECT_FALSE(RememberIniExists());
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_FALSE(Window().Form().Visible());
}

TEST_F(StartUpTest, LaunchFileWithoutTheKeyGivesAPathThatNeverExists) {
  WriteFile(DataFolder() + "/go.ini", "[SETTING]\r\nOTHER=cem.mdb\r\n");
  Database("3.0");
  Host().QueueFileDialogResult(std::nullopt);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  Start(Win(DataFolder() + "/go.ini"));
  EXPECT_EQ(Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  ExpectDataLocation(DataFolderWin() + "d:\\db1.mdb", DataFolderWin());
  EXPECT_FALSE(RememberIniExists());
}

// A launch file that cannot be read: the error goes to the error log and the
// user's Abort ends the start-up with the window shown as it stands.
struct UnreadableLaunch {
  const char* name;
  QString (*commandLine)(const QString& dataFolderWin);
  int number;
  const char* description;
};
void PrintTo(const UnreadableLaunch& c, std::ostream* os) { *os << c.name; }

class UnreadableLaunchTest : public StartUpTest,
                             public ::testing::WithParamInterface<UnreadableLaunch> {};

TEST_P(UnreadableLaunchTest, AbortEndsTheStartUp) {
  const UnreadableLaunch& c = GetParam();
  Database("3.0");
  WriteLaunchFile("cem.mdb");
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  Start(c.commandLine(DataFolderWin()));
  const QString error = StartUpError(c.number, c.description);
  ASSERT_EQ(Prompts(), QStringList({error}));
  EXPECT_EQ(Shown(0).flags, 18);
  EXPECT_EQ(Shown(0).title, "Error Encountered");
  const QStringList log = ErrorLogLines();
  ASSERT_EQ(log.size(), 1);
  EXPECT_TRUE(log[0].endsWith(" Gravelight 3.0.2 Error " + QString::number(c.number) + " (" +
                              c.description + ") Process: Form_Load.FormGravelightMain ln# 0 "))
      << log[0].toStdString();
  EXPECT_TRUE(Window().DataFilePath().isEmpty());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "0");
  EXPECT_TRUE(Window().Form().Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Launch, UnreadableLaunchTest,
    ::testing::Values(
        UnreadableLaunch{"Missing", [](const QString& d) { return d + "nothere.ini"; }, 53,
                         "File not found"},
        UnreadableLaunch{"MissingFolder", [](const QString& d) { return d + "no\\go.ini"; }, 76,
                         "Path not found"},
        UnreadableLaunch{"Folder", [](const QString& d) { return d.chopped(1); }, 75,
                         "Path/File access error"},
        UnreadableLaunch{"Quoted", [](const QString& d) { return '"' + d + "go.ini\""; }, 52,
                         "Bad file name or number"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartUpTest, IgnoredMissingLaunchFileEndsInTheDataFileChoice) {
  for (int answer : {forms::mb::Ignore, forms::mb::Ignore, forms::mb::OK, forms::mb::OK,
                     forms::mb::No})
    Host().QueueMessageBoxAnswer(answer);
  Host().QueueFileDialogResult(std::nullopt);
  Start(DataFolderWin() + "nothere.ini");
  // The open fails, then the read of the unopened file.
  EXPECT_EQ(Prompts(), QStringList({StartUpError(53, "File not found"),
                                    StartUpError(52, "Bad file name or number"), kFileNotFound,
                                    kFileNotFound, kTryAgain}));
  EXPECT_EQ(ErrorLogLines().size(), 2);
  ExpectDataLocation(DataFolderWin() + "d:\\db1.mdb", DataFolderWin());
}

// ---- The data-file choice -------------------------------------------------------

TEST_F(StartUpTest, CancelReloadsTheCurrentDatabase) {
  const QString db = Database("3.0");
  Remember(DataFolderWin(), db);
  Start("");
  const QByteArray remembered = RememberIniContent();
  Lbl("dbVersionLabel").SetCaption("stale");
  Host().QueueFileDialogResult(std::nullopt);
  ChooseDataFile();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "1");
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(RememberIniContent(), remembered);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

TEST_F(StartUpTest, ChosenDatabaseBecomesTheDataLocationAndIsRemembered) {
  const QString db = Database("1.0");
  Remember(DataFolderWin(), db);
  Start("");
  // dbappinfo 1: the help-site message belongs to the start-up only.
  const QString other = OtherDatabase("3.0", "1");
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  const QString otherFolder = DataFolderWin() + "other\\";
  ExpectDataLocation(other, otherFolder);
  EXPECT_EQ(RememberIniValue("DATAPATH"), otherFolder);
  EXPECT_EQ(RememberIniValue("DATAFILEPATH"), other);
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
  EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Box("Text6", 0).Text(), "Plot");
  EXPECT_EQ(Window().DbAppInfo(), 1);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// Installed where the user may not write: remember.ini beside the program
// names the database until the user's own choice is kept in the per-user
// folder, which is read from then on; the installed file stays as it was.
TEST_F(StartUpTest, ReadOnlyProgramFolderReadsItsRememberIniAndKeepsChoicesPerUser) {
  const QString db = Database("2.0");
  Remember(DataFolderWin(), db);
  const QByteArray installed = RememberIniContent();
  const testutil::ScopedEnvironmentVariable config(
      "XDG_CONFIG_HOME", (DataFolder() + "/config").toUtf8());
  const testutil::ScopedReadOnlyFolder readOnly(ProgramFolder());
  Start("");
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "2.0");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();

  const QString other = OtherDatabase("3.0");
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  const QString perUser = Win(DataFolder() + "/config/Gravelight/remember.ini");
  EXPECT_EQ(Window().RememberIniPath(), perUser);
  EXPECT_EQ(Module2::ReadINIValue("SETTING", "DATAFILEPATH", "", perUser), other);
  EXPECT_EQ(RememberIniContent(), installed);

  Start("");
  ExpectDataLocation(other, DataFolderWin() + "other\\");
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
}

TEST_F(StartUpTest, MissingChosenFileIsRememberedButTheOldDatabaseStays) {
  const QString db = Database("3.0");
  WriteFile(DataFolder() + "/cstmflds.ini", "[CustomFieldNames]\r\nCustom1=Plot\r\n");
  Remember(DataFolderWin(), db);
  Start("");
  const dao::Recordset* selection = Window().MainRecordSet();
  QDir(DataFolder()).mkpath("gone");
  const QString gone = DataFolderWin() + "gone\\cem.mdb";
  Host().QueueFileDialogResult(gone);
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  ChooseDataFile();
  ASSERT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain}));
  ExpectTryAgainQuestion(1);
  EXPECT_EQ(Host().EndProgramCount(), 1);
  // Written before the test, never undone: the next start misses it again.
  EXPECT_EQ(RememberIniValue("DATAFILEPATH"), gone);
  EXPECT_EQ(RememberIniValue("DATAPATH"), DataFolderWin() + "gone\\");
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(Window().MainRecordSet(), selection);
  EXPECT_EQ(Box("Text6", 0).Text(), "Plot");
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
}

TEST_F(StartUpTest, TryAgainYesOpensTheDialogAgainFromTheLastDatabaseFound) {
  const QString db = Database("3.0");
  Remember(DataFolderWin(), db);
  Start("");
  const QString other = OtherDatabase("2.0");
  for (const QString& missing : {DataFolderWin() + "a.mdb", DataFolderWin() + "b.mdb"}) {
    Host().QueueFileDialogResult(missing);
    Host().QueueMessageBoxAnswer(forms::mb::OK);
    Host().QueueMessageBoxAnswer(forms::mb::Yes);
  }
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  EXPECT_EQ(Host().FileDialogs().size(), 3u);
  EXPECT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain, kFileNotFound, kTryAgain}));
  ExpectDataLocation(other, DataFolderWin() + "other\\");
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "2.0");
  EXPECT_EQ(RememberIniValue("DATAFILEPATH"), other);
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

TEST_F(StartUpTest, TryAgainYesThenCancelReloadsTheOldDatabase) {
  const QString db = Database("3.0");
  Remember(DataFolderWin(), db);
  Start("");
  Host().QueueFileDialogResult(DataFolderWin() + "a.mdb");
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::Yes);
  Host().QueueFileDialogResult(std::nullopt);
  Lbl("dbVersionLabel").SetCaption("stale");
  ChooseDataFile();
  EXPECT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain}));
  ExpectDataLocation(db, DataFolderWin());
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
  EXPECT_EQ(RememberIniValue("DATAFILEPATH"), DataFolderWin() + "a.mdb");
}

TEST_F(StartUpTest, AfterALaunchFileStartTheChoiceRemembersNothing) {
  Database("3.0");
  Start(WriteLaunchFile("cem.mdb"));
  const QString other = OtherDatabase("2.0");
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  ExpectDataLocation(other, DataFolderWin() + "other\\");
  EXPECT_FALSE(RememberIniExists());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(StartUpTest, FileExistsTakesPlainFilesAndPatterns) {
  Database("3.0");
  Start(WriteLaunchFile("cem.mdb"));
  QDir(DataFolder()).mkpath("sub");
  WriteFile(DataFolder() + "/.hidden", "x");
  const QStringList yes = {DataFolderWin() + "cem.mdb", DataFolderWin() + "CEM.MDB",
                           DataFolderWin() + "*.mdb"};
  const QStringList no = {"", DataFolderWin(), DataFolderWin() + "sub",
                          DataFolderWin() + ".hidden", DataFolderWin() + "none.mdb"};
  for (QString name : yes) EXPECT_TRUE(Window().FileExists(name)) << name.toStdString();
  for (QString name : no) EXPECT_FALSE(Window().FileExists(name)) << name.toStdString();
}
