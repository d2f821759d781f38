// Start-up and the data-file choice as both main windows run them: the
// launch file, remember.ini with each viewer's own keys, the defaults when
// nothing names a database, the file dialog, the questions when the file is
// missing, and where a choice is kept. One suite over each viewer's traits;
// what one viewer alone does is in the start-up tests of its own folder.
#include "tests/testkit/gravelight/GravelightStartUp.h"
#include "tests/testkit/mainwindow/StartUpTest.h"
#include "tests/testkit/mournlight/MournlightStartUp.h"

#include "support/Module2.h"
#include "tests/testkit/ScopedChanges.h"

#include <QDir>

using testkit::kFileNotFound;
using testkit::kTryAgain;

template <class Viewer>
using StartUpTest = testkit::StartUpTest<Viewer>;

using Viewers = ::testing::Types<GravelightStartUp, MournlightStartUp>;
TYPED_TEST_SUITE(StartUpTest, Viewers);

TYPED_TEST(StartUpTest, LaunchFileNamesTheDatabaseBesideIt) {
  this->Database("3.0");
  this->Start(this->WriteLaunchFile(TypeParam::kFileName));
  this->ExpectDataLocation(this->DataFolderWin() + TypeParam::kFileName, this->DataFolderWin());
  this->ExpectLoaded("Smith", "3.0");
  EXPECT_TRUE(this->Window().RememberIniPath().isEmpty());
  EXPECT_FALSE(this->RememberIniExists());
  EXPECT_EQ(this->Prompts(), QStringList());
  EXPECT_TRUE(this->Window().Form().Visible());
}

// The other viewer's keys in the same file are not this viewer's.
TYPED_TEST(StartUpTest, RememberIniNamesTheDatabaseWithTheViewersOwnKeys) {
  const QString db = this->Database("2.5");
  this->Remember(this->DataFolderWin(), db, TypeParam::kOtherViewersLines);
  this->Start("");
  EXPECT_EQ(this->Window().RememberIniPath(), this->Win(this->ProgramFolder()) + "\\remember.ini");
  this->ExpectDataLocation(db, this->DataFolderWin());
  this->ExpectLoaded("Smith", "2.5");
  EXPECT_EQ(this->Prompts(), QStringList());
  EXPECT_TRUE(this->Window().Form().Visible());
}

TYPED_TEST(StartUpTest, NoCommandLineAndNoRememberIniAsksForTheDefaultFileBeforeTheWindowShows) {
  this->AnswerNothingFound();
  this->Start("");
  ASSERT_EQ(this->Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  EXPECT_EQ(this->Shown(0).flags, 0);
  EXPECT_EQ(this->Shown(0).title, QString(TypeParam::kTitle));
  this->ExpectTryAgainQuestion(2);
  const auto& dialogs = this->Host().FileDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].title, "Select Data File");
  EXPECT_EQ(dialogs[0].filter, QString(TypeParam::kFilter));
  EXPECT_EQ(dialogs[0].initialDir, "");
  EXPECT_EQ(dialogs[0].fileName, "");
  // The defaults, restored after the failed check; Cancel wrote nothing.
  this->ExpectDataLocation(QString(TypeParam::kDefaultFile), "d:\\");
  EXPECT_FALSE(this->RememberIniExists());
  // No ends the program at once, before the window is ever shown.
  EXPECT_EQ(this->Host().EndProgramCount(), 1);
  EXPECT_FALSE(this->Window().Form().Visible());
}

TYPED_TEST(StartUpTest, LaunchFileWithoutTheKeyGivesAPathThatNeverExists) {
  this->Database("3.0");
  this->WriteFile(this->DataFolder() + "/go.ini",
                  QByteArray("[SETTING]\r\nOTHER=") + TypeParam::kFileName + "\r\n");
  this->AnswerNothingFound();
  this->Start(this->Win(this->DataFolder() + "/go.ini"));
  EXPECT_EQ(this->Prompts(), QStringList({kFileNotFound, kFileNotFound, kTryAgain}));
  this->ExpectDataLocation(this->DataFolderWin() + TypeParam::kDefaultFile, this->DataFolderWin());
  EXPECT_FALSE(this->RememberIniExists());
  EXPECT_EQ(this->Host().EndProgramCount(), 1);
}

TYPED_TEST(StartUpTest, FileExistsTakesPlainFilesAndPatterns) {
  this->Database("3.0");
  this->Start(this->WriteLaunchFile(TypeParam::kFileName));
  QDir(this->DataFolder()).mkpath("sub");
  this->WriteFile(this->DataFolder() + "/.hidden", "x");
  const QString folder = this->DataFolderWin(), file = TypeParam::kFileName;
  const QString extension = file.mid(file.lastIndexOf('.'));
  const QStringList yes = {folder + file, folder + file.toUpper(), folder + "*" + extension};
  const QStringList no = {"", folder, folder + "sub", folder + ".hidden",
                          folder + "none" + extension};
  for (QString name : yes) EXPECT_TRUE(this->Window().FileExists(name)) << name.toStdString();
  for (QString name : no) EXPECT_FALSE(this->Window().FileExists(name)) << name.toStdString();
}

// ---- The data-file choice -------------------------------------------------------

TYPED_TEST(StartUpTest, CancelReloadsTheCurrentDatabase) {
  const QString db = this->Database("3.0");
  this->Remember(this->DataFolderWin(), db);
  this->Start("");
  const QByteArray remembered = this->RememberIniContent();
  this->Lbl("dbVersionLabel").SetCaption("stale");
  this->Button(TypeParam::kNavigation[2]).Click();  // next
  this->Host().QueueFileDialogResult(std::nullopt);
  this->ChooseDataFile();
  this->ExpectLoaded("Smith", "3.0");
  this->ExpectDataLocation(db, this->DataFolderWin());
  EXPECT_EQ(this->RememberIniContent(), remembered);
  EXPECT_EQ(this->Prompts(), QStringList());
  EXPECT_EQ(this->Host().EndProgramCount(), 0);
}

TYPED_TEST(StartUpTest, ChosenDatabaseBecomesTheDataLocationAndIsRemembered) {
  const QString db = this->Database("1.0");
  this->Remember(this->DataFolderWin(), db);
  this->Start("");
  const QString other = this->OtherDatabase("3.0");
  this->Host().QueueFileDialogResult(other);
  this->ChooseDataFile();
  const QString otherFolder = this->DataFolderWin() + "other\\";
  this->ExpectDataLocation(other, otherFolder);
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFolderKey), otherFolder);
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFileKey), other);
  this->ExpectLoaded("Jones", "3.0");
  EXPECT_EQ(this->Prompts(), QStringList());
}

// Installed where the user may not write: remember.ini beside the program
// names the database until the user's own choice is kept in the per-user
// folder, which is read from then on; the installed file stays as it was.
TYPED_TEST(StartUpTest, ReadOnlyProgramFolderReadsItsRememberIniAndKeepsChoicesPerUser) {
  const QString db = this->Database("2.0");
  this->Remember(this->DataFolderWin(), db);
  const QByteArray installed = this->RememberIniContent();
  const testutil::ScopedEnvironmentVariable config(
      "XDG_CONFIG_HOME", (this->DataFolder() + "/config").toUtf8());
  const testutil::ScopedReadOnlyFolder readOnly(this->ProgramFolder());
  this->Start("");
  this->ExpectDataLocation(db, this->DataFolderWin());
  this->ExpectLoaded("Smith", "2.0");
  EXPECT_EQ(this->Prompts(), QStringList());

  const QString other = this->OtherDatabase("3.0");
  this->Host().QueueFileDialogResult(other);
  this->ChooseDataFile();
  const QString perUser =
      this->Win(this->DataFolder() + "/config/" + TypeParam::kTitle + "/remember.ini");
  EXPECT_EQ(this->Window().RememberIniPath(), perUser);
  EXPECT_EQ(Module2::ReadINIValue("SETTING", TypeParam::kFileKey, "", perUser), other);
  EXPECT_EQ(this->RememberIniContent(), installed);

  this->Start("");
  this->ExpectDataLocation(other, this->DataFolderWin() + "other\\");
  this->ExpectLoaded("Jones", "3.0");
}

TYPED_TEST(StartUpTest, MissingChosenFileIsRememberedButTheOldDatabaseStays) {
  const QString db = this->Database("3.0");
  this->Remember(this->DataFolderWin(), db);
  this->Start("");
  const auto held = this->HeldSelection();
  QDir(this->DataFolder()).mkpath("gone");
  const QString gone = this->DataFolderWin() + "gone\\" + TypeParam::kFileName;
  this->Host().QueueFileDialogResult(gone);
  this->Host().QueueMessageBoxAnswer(forms::mb::OK);
  this->Host().QueueMessageBoxAnswer(forms::mb::No);
  this->ChooseDataFile();
  ASSERT_EQ(this->Prompts(), QStringList({kFileNotFound, kTryAgain}));
  this->ExpectTryAgainQuestion(1);
  EXPECT_EQ(this->Host().EndProgramCount(), 1);
  // Written before the test, never undone: the next start misses it again.
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFileKey), gone);
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFolderKey), this->DataFolderWin() + "gone\\");
  // Ended without unloading: the window keeps its selection.
  this->ExpectDataLocation(db, this->DataFolderWin());
  EXPECT_EQ(this->HeldSelection(), held);
  this->ExpectLoaded("Smith", "3.0");
}

TYPED_TEST(StartUpTest, TryAgainYesOpensTheDialogAgainFromTheLastDatabaseFound) {
  const QString db = this->Database("3.0");
  this->Remember(this->DataFolderWin(), db);
  this->Start("");
  const QString other = this->OtherDatabase("2.0");
  for (const char* missing : {"a-", "b-"}) {
    this->Host().QueueFileDialogResult(this->DataFolderWin() + missing + TypeParam::kFileName);
    this->Host().QueueMessageBoxAnswer(forms::mb::OK);
    this->Host().QueueMessageBoxAnswer(forms::mb::Yes);
  }
  this->Host().QueueFileDialogResult(other);
  this->ChooseDataFile();
  EXPECT_EQ(this->Host().FileDialogs().size(), 3u);
  EXPECT_EQ(this->Prompts(), QStringList({kFileNotFound, kTryAgain, kFileNotFound, kTryAgain}));
  this->ExpectDataLocation(other, this->DataFolderWin() + "other\\");
  this->ExpectLoaded("Jones", "2.0");
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFileKey), other);
  EXPECT_EQ(this->Host().EndProgramCount(), 0);
}

TYPED_TEST(StartUpTest, TryAgainYesThenCancelReloadsTheOldDatabase) {
  const QString db = this->Database("3.0");
  this->Remember(this->DataFolderWin(), db);
  this->Start("");
  const QString missing = this->DataFolderWin() + "a-" + TypeParam::kFileName;
  this->Host().QueueFileDialogResult(missing);
  this->Host().QueueMessageBoxAnswer(forms::mb::OK);
  this->Host().QueueMessageBoxAnswer(forms::mb::Yes);
  this->Host().QueueFileDialogResult(std::nullopt);
  this->Lbl("dbVersionLabel").SetCaption("stale");
  this->ChooseDataFile();
  EXPECT_EQ(this->Prompts(), QStringList({kFileNotFound, kTryAgain}));
  this->ExpectDataLocation(db, this->DataFolderWin());
  this->ExpectLoaded("Smith", "3.0");
  EXPECT_EQ(this->RememberIniValue(TypeParam::kFileKey), missing);
}

TYPED_TEST(StartUpTest, AfterALaunchFileStartTheChoiceRemembersNothing) {
  this->Database("3.0");
  this->Start(this->WriteLaunchFile(TypeParam::kFileName));
  const QString other = this->OtherDatabase("2.0");
  this->Host().QueueFileDialogResult(other);
  this->ChooseDataFile();
  this->ExpectDataLocation(other, this->DataFolderWin() + "other\\");
  this->ExpectLoaded("Jones", "2.0");
  EXPECT_FALSE(this->RememberIniExists());
  EXPECT_EQ(this->Prompts(), QStringList());
}
