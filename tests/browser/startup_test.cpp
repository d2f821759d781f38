// Start-up of the cemetery viewer where it is its own: the version flags,
// the custom field labels and dbappinfo of the database it opens, and the
// error log when the launch file cannot be read. What both viewers do at
// start-up is tested once for both in tests/browser/core.
#include "tests/testkit/gravelight/GravelightStartUp.h"
#include "tests/testkit/mainwindow/StartUpTest.h"

#include "support/AppIdentity.h"

#include <QDir>
#include <vector>

using testkit::kFileNotFound;
using testkit::kTryAgain;

namespace {

// The error dialog's text for an error trapped by the start-up.
QString StartUpError(int number, const QString& description) {
  return "Error " + QString::number(number) + " (" + description +
         ") Process: Form_Load.FormGravelightMain ln# 0\r\nPlease contact " +
         AppIdentity::Current().supportAddress + " if this error is persistent.   ";
}

}  // namespace

class StartUpTest : public testkit::StartUpTest<GravelightStartUp> {
 protected:
  // cstmflds.ini with these custom field names in a folder below the data
  // folder ("" for the data folder itself).
  void WriteLabels(const QString& below, const QByteArray& names) {
    WriteFile(DataFolder() + below + "/cstmflds.ini", "[CustomFieldNames]\r\n" + names + "\r\n");
  }
};

TEST_F(StartUpTest, LaunchFileStartSetsTheVersionFlagsAndKeepsTheDesignLabels) {
  Database("3.00");
  Start(WriteLaunchFile("cem.mdb"));
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.00");
  EXPECT_EQ(Check("DbVersion2orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Box("Text6", 0).Text(), "Custom1");
}

TEST_F(StartUpTest, DataFolderLabelsAreReadAtStartAndKeptWhenTheChosenFileIsMissing) {
  const QString db = Database("2.5");
  WriteLabels("", "Custom3=Veteran");
  Remember(DataFolderWin(), db);
  Start("");
  EXPECT_EQ(Box("Text6", 2).Text(), "Veteran");
  QDir(DataFolder()).mkpath("gone");
  Host().QueueFileDialogResult(DataFolderWin() + "gone\\cem.mdb");
  Host().QueueMessageBoxAnswer(forms::mb::OK);
  Host().QueueMessageBoxAnswer(forms::mb::No);
  ChooseDataFile();
  ASSERT_EQ(Prompts(), QStringList({kFileNotFound, kTryAgain}));
  EXPECT_EQ(Box("Text6", 2).Text(), "Veteran");
}

TEST_F(StartUpTest, EmptyDataPathIsKeptNotReplacedByTheDefault) {
  const QString db = Database("2.5");
  WriteLabels("", "Custom3=Veteran");
  Remember("", db);
  Start("");
  ExpectDataLocation(db, "");
  // The labels are looked for beside the program, not in the data folder.
  EXPECT_EQ(Box("Text6", 2).Text(), "Custom3");
  EXPECT_FALSE(Prompts().contains(kFileNotFound));
}

// A launch file that cannot be read: the error goes to the error log and the
// user's Abort ends the start-up with the window shown as it stands.
class UnreadableLaunchTest : public StartUpTest,
                             public ::testing::WithParamInterface<testkit::UnreadableLaunch> {};

TEST_P(UnreadableLaunchTest, AbortEndsTheStartUp) {
  const testkit::UnreadableLaunch& c = GetParam();
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

namespace {

// The launch files no viewer can read, and a quoted name.
std::vector<testkit::UnreadableLaunch> Launches() {
  std::vector<testkit::UnreadableLaunch> launches = testkit::UnreadableLaunches();
  launches.push_back({"Quoted", [](const QString& d) { return '"' + d + "go.ini\""; }, 52,
                      "Bad file name or number"});
  return launches;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Launch, UnreadableLaunchTest, ::testing::ValuesIn(Launches()),
                         testkit::NameOf);

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

TEST_F(StartUpTest, ChosenDatabaseBringsItsLabelsFlagsAndAppInfoWithoutAMessage) {
  const QString db = Database("1.0");
  Remember(DataFolderWin(), db);
  Start("");
  // dbappinfo 1: the help-site message belongs to the start-up only.
  QDir(DataFolder()).mkpath("other");
  WriteLabels("/other", "Custom1=Plot");
  const QString other = WriteDatabase(
      {Sheet1({Burial("Jones", "Bo")}), Versht(QString("3.0"), QString("1"))}, "other/cem2.mdb");
  Host().QueueFileDialogResult(other);
  ChooseDataFile();
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.0");
  EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Box("Text6", 0).Text(), "Plot");
  EXPECT_EQ(Window().DbAppInfo(), 1);
  EXPECT_EQ(Prompts(), QStringList());
}
