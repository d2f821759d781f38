// Start-up of the obituary viewer where it is its own: the first obituary
// shown in source order, the version it shows, the run-time error that ends
// it when the launch file cannot be read, a remember.ini it cannot read,
// and the hidden Command8. What both viewers do at start-up is tested once
// for both in tests/browser/core.
#include "tests/testkit/mainwindow/StartUpTest.h"
#include "tests/testkit/mournlight/MournlightStartUp.h"

#include "tests/testkit/ScopedChanges.h"

#include <QDir>

using testkit::kFileNotFound;

using StartUpTest = testkit::StartUpTest<MournlightStartUp>;

TEST_F(StartUpTest, LaunchFileShowsTheFirstObituaryInSourceOrder) {
  democd::Record later = Obituary("Later", "Ann"), herald = Obituary("Herald", "Bo");
  later["PublicationDateReal"] = "33100";
  herald["NewsPubSourceID"] = 2;
  WriteObituaries({herald, later, Obituary("Early", "Cy")});
  Start(WriteLaunchFile("obit.db"));
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

// A launch file that cannot be read ends the program with the platform's
// message; nothing is logged (the viewer keeps no error log).
class UnreadableLaunchTest : public StartUpTest,
                             public ::testing::WithParamInterface<testkit::UnreadableLaunch> {};

TEST_P(UnreadableLaunchTest, EndsTheProgramWithTheRunTimeError) {
  const testkit::UnreadableLaunch& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Launch, UnreadableLaunchTest,
                         ::testing::ValuesIn(testkit::UnreadableLaunches()), testkit::NameOf);

// A remember.ini that cannot be read (here a folder of that name) in a
// program folder the user may not write to gives the defaults.
TEST_F(StartUpTest, UnreadableRememberIniGivesTheDefaults) {
  const testutil::ScopedEnvironmentVariable config(
      "XDG_CONFIG_HOME", (DataFolder() + "/config").toUtf8());
  ASSERT_TRUE(QDir(ProgramFolder()).mkdir("remember.ini"));
  const testutil::ScopedReadOnlyFolder readOnly(ProgramFolder());
  AnswerNothingFound();
  Start("");
  ExpectDataLocation("d:\\db1.db", "d:\\");
  EXPECT_EQ(Prompts().value(0), kFileNotFound);
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
