// The database version the main window reads from the open file, its two
// layout flags, the dbappinfo notice and the custom field labels.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "platform/forms/UserActions.h"
#include "support/AppIdentity.h"

#include <QDir>
#include <functional>
#include <optional>

namespace {

using jetwriter::Table;

// Sheet1 in the current layout, its last-name field named and sized as given.
Table Sheet1Layout(const QString& lastNameField, int size, uint32_t flags = 0,
                   const QString& tableName = "Sheet1") {
  Table table = GravelightTest::Sheet1({GravelightTest::Burial("Smith", "Ann")});
  table.name = tableName;
  table.catalogFlags = flags;
  for (auto& column : table.columns)
    if (column.name == "LastName") {
      column.name = lastNameField;
      column.textSize = size;
    }
  return table;
}

Table VershtTable(const vb::Variant& dbver, const vb::Variant& appInfo = QString("0"),
                  uint32_t flags = 0, const QString& name = "VERSHT") {
  Table table = GravelightTest::Versht(dbver, appInfo);
  table.catalogFlags = flags;
  table.name = name;
  return table;
}

// A VERSHT table whose row lacks one of the two columns.
Table VershtWithout(const QString& missing) {
  Table table = VershtTable(QString("3.0"), QString("1"));
  const int drop = missing == "dbver" ? 0 : 1;
  table.columns.erase(table.columns.begin() + drop);
  table.rows[0].erase(table.rows[0].begin() + drop);
  return table;
}

Table EmptyVersht() {
  Table table = VershtTable(QString("3.0"));
  table.rows.clear();
  return table;
}

QString HelpSiteNotice() {
  return "This viewer is for Gravesmith file. Check http://" + AppIdentity::Current().webHost +
         "/help/ for more information.";
}

}  // namespace

class VersionTest : public GravelightTest {
 protected:
  void StartOn(const std::vector<Table>& tables) {
    WriteDatabase(tables);
    Start(WriteLaunchFile("cem.mdb"));
  }
  void Choose(const QString& database) {
    Host().QueueFileDialogResult(database);
    forms::user::Choose(MenuItem("mnuChooseDataCDDrive"));
  }
  void ExpectVersion(const QString& version, int flag2, int flag3) {
    EXPECT_EQ(Lbl("dbVersionLabel").Caption(), version);
    EXPECT_EQ(Check("DbVersion2orHigherCheckbox").Value(), flag2);
    EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), flag3);
  }
  bool AnyPromptNames(const QString& procedure) {
    for (const QString& prompt : Prompts())
      if (prompt.contains(procedure)) return true;
    for (const QString& line : ErrorLogLines())
      if (line.contains(procedure)) return true;
    return false;
  }
};

struct VersionCase {
  const char* name;
  std::function<std::vector<Table>()> tables;
  const char* version;
  int flag2, flag3;
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class VersionTableTest : public VersionTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionTableTest, ShowsTheVersionAndSetsTheFlags) {
  const VersionCase& c = GetParam();
  StartOn(c.tables());
  ExpectVersion(c.version, c.flag2, c.flag3);
  EXPECT_FALSE(AnyPromptNames("CheckProtectedDbVersionStr"));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, VersionTableTest,
    ::testing::Values(
        VersionCase{"LastName30", [] { return std::vector{Sheet1Layout("LastName", 30)}; },
                    "1.55", 0, 0},
        VersionCase{"LastName50", [] { return std::vector{Sheet1Layout("LastName", 50)}; },
                    "1.56", 0, 0},
        VersionCase{"LastnameSpelledOtherwise",
                    [] { return std::vector{Sheet1Layout("Lastname", 30)}; }, "0", 0, 0},
        VersionCase{"Sheet1SpelledOtherwise",
                    [] { return std::vector{Sheet1Layout("LastName", 30, 0, "SHEET1")}; }, "0",
                    0, 0},
        VersionCase{"EmptyVershtKeepsTheLayoutVersion",
                    [] { return std::vector{Sheet1Layout("LastName", 30), EmptyVersht()}; },
                    "1.55", 0, 0},
        VersionCase{"Dbver30",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString("3.0"))}; },
                    "3.0", 1, 1},
        VersionCase{"Dbver25",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString("2.5"))}; },
                    "2.5", 1, 0},
        VersionCase{"DbverLeadingNumber",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString(" 3.1 beta"))}; },
                    " 3.1 beta", 1, 1},
        VersionCase{"DbverNullIsEmpty",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(vb::Variant::Null())}; },
                    "", 0, 0},
        // A failure while reading VERSHT keeps what was found before it.
        VersionCase{"VershtWithoutDbver",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtWithout("dbver")}; },
                    "1.55", 0, 0},
        VersionCase{"VershtWithoutDbappinfo",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtWithout("dbappinfo")}; },
                    "3.0", 1, 1},
        VersionCase{"VershtSpelledOtherwise",
                    [] { return std::vector{Sheet1Layout("LastName", 50),
                                            VershtTable(QString("3.0"), QString("0"), 0,
                                                        "Versht")}; },
                    "1.56", 0, 0},
        VersionCase{"SystemVershtBothBits",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString("3.0"), QString("0"),
                                                        0x80000002u)}; },
                    "1.55", 0, 0},
        VersionCase{"SystemVershtBit1",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString("3.0"), QString("0"), 0x2u)}; },
                    "1.55", 0, 0},
        VersionCase{"SystemVershtBit31",
                    [] { return std::vector{Sheet1Layout("LastName", 30),
                                            VershtTable(QString("3.0"), QString("0"),
                                                        0x80000000u)}; },
                    "1.55", 0, 0},
        VersionCase{"SystemSheet1",
                    [] { return std::vector{Sheet1Layout("LastName", 30, 0x2u)}; }, "0", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VersionTest, FileThatIsNotAJetDatabaseGivesVersionZeroSilently) {
  WriteFile(DataFolder() + "/cem.mdb", QByteArray("This is not a database.\r\n").repeated(200));
  Start(WriteLaunchFile("cem.mdb"));
  ExpectVersion("0", 0, 0);
  EXPECT_FALSE(AnyPromptNames("CheckProtectedDbVersionStr"));
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "0");
  EXPECT_EQ(Box("Text6", 4).Text(), "Custom5");
}

// ---- dbappinfo ----------------------------------------------------------------------

struct AppInfoCase {
  const char* name;
  const char* appInfo;
  int16_t expected;
};
void PrintTo(const AppInfoCase& c, std::ostream* os) { *os << c.name; }

class AppInfoTest : public VersionTest, public ::testing::WithParamInterface<AppInfoCase> {};

TEST_P(AppInfoTest, NoticeAtStartUpOnlyAboveZero) {
  const AppInfoCase& c = GetParam();
  StartOn({Sheet1Layout("LastName", 30), VershtTable(QString("3.0"), QString(c.appInfo))});
  EXPECT_EQ(Window().DbAppInfo(), c.expected);
  ExpectVersion("3.0", 1, 1);
  if (c.expected > 0) {
    ASSERT_EQ(Prompts(), QStringList({HelpSiteNotice()}));
    EXPECT_EQ(Host().MessageBoxes()[0].flags, 0);
    EXPECT_EQ(Host().MessageBoxes()[0].title, "Gravelight");
  } else {
    EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Values, AppInfoTest,
                         ::testing::Values(AppInfoCase{"One", "1", 1}, AppInfoCase{"Zero", "0", 0},
                                           AppInfoCase{"Negative", "-3", -3},
                                           AppInfoCase{"HalfRoundsToEvenZero", "0.5", 0},
                                           AppInfoCase{"HalfRoundsToEvenTwo", "1.5", 2},
                                           AppInfoCase{"Empty", "", 0},
                                           AppInfoCase{"OutOfRange", "70000", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VersionTest, ChoiceShowsNoNoticeAndAFailedConversionKeepsDbAppInfo) {
  StartOn({Sheet1Layout("LastName", 30), VershtTable(QString("3.0"), QString("1"))});
  ASSERT_EQ(Prompts(), QStringList({HelpSiteNotice()}));
  const QString again = Win(DataFolder()) + "\\cem.mdb";
  Choose(again);
  EXPECT_EQ(Prompts().size(), 1);  // the same file through the menu: no notice

  const QString empty = WriteDatabase(
      {Sheet1Layout("LastName", 30), VershtTable(QString("2.5"), QString(""))}, "empty.mdb");
  const QString large = WriteDatabase(
      {Sheet1Layout("LastName", 30), VershtTable(QString("2.6"), QString("70000"))}, "large.mdb");
  const QString none = WriteDatabase({Sheet1Layout("LastName", 50)}, "none.mdb");
  for (const auto& [file, version] : {std::pair{empty, "2.5"}, {large, "2.6"}, {none, "1.56"}}) {
    Choose(file);
    EXPECT_EQ(Lbl("dbVersionLabel").Caption(), version) << file.toStdString();
    EXPECT_EQ(Window().DbAppInfo(), 1) << file.toStdString();
  }
  EXPECT_EQ(Prompts().size(), 1);
  EXPECT_FALSE(AnyPromptNames("CheckProtectedDbVersionStr"));
}

// ---- Custom field labels --------------------------------------------------------------

struct LabelCase {
  const char* name;
  std::optional<QByteArray> cstmflds;  // nothing: no file
  QStringList labels;
};
void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

class CustomLabelTest : public VersionTest, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(CustomLabelTest, LabelsComeFromTheDataFolder) {
  const LabelCase& c = GetParam();
  if (c.cstmflds) WriteFile(DataFolder() + "/cstmflds.ini", *c.cstmflds);
  StartOn({Sheet1Layout("LastName", 30), VershtTable(QString("3.0"))});
  QStringList labels;
  for (int i = 0; i < 5; ++i) labels << Box("Text6", i).Text();
  EXPECT_EQ(labels, c.labels);
}

const QStringList kDefaultLabels = {"Custom1", "Custom2", "Custom3", "Custom4", "Custom5"};

INSTANTIATE_TEST_SUITE_P(
    Files, CustomLabelTest,
    ::testing::Values(
        LabelCase{"NoFile", std::nullopt, kDefaultLabels},
        LabelCase{"NoSection", QByteArray("[Other]\r\nCustom1=Plot\r\n"), kDefaultLabels},
        LabelCase{"EmptyKey",
                  QByteArray("[CustomFieldNames]\r\nCustom1=Plot\r\nCustom2=\r\nCustom5=Vet\r\n"),
                  {"Plot", "", "Custom3", "Custom4", "Vet"}}),
    [](const auto& info) { return std::string(info.param.name); });
