// The four searches: their statements, sort clauses and retries, their
// messages, and the error answers by search (some of which end the program).
#include "tests/testkit/mournlight/MournlightTest.h"

#include "platform/forms/UserActions.h"
#include "platform/jetsql/StatementLimits.h"
#include "tests/testkit/ScopedChanges.h"

#include <QFile>

namespace {

const QString kNameOrder = " ORDER BY ObitData.LASTNAME, ObitData.GIVEN;";
const QString kSourceOrderA =
    "  ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDateReal, ObitData.PublicationDate;";
const QString kSourceOrderB = kSourceOrderA.mid(1);
const QString kNumericOrder =
    " ORDER BY ObitData.Obituary, ObitData.Section, val(ObitData.ROW), ObitData.LOT, "
    "val(ObitData.STONE);";
const QString kFallbackOrder =
    " ORDER BY ObitData.Obituary, ObitData.Section, ObitData.ROW, ObitData.LOT, ObitData.STONE;";
const QString kWhere = "SELECT * FROM ObitData WHERE ";
const QString kNoResults = "No Results With Current Search Criteria";
const QString kTickTheBoxes = "You must select the checkboxes of the items you are searching for";
const QString kNaturalOrder =
    "Unable to Sort Numbers in Row & Column in a Natural Order, Sorting Alternate Method\r\n";
const QString kNameRetryMessage =
    kNaturalOrder + "This is caused by leaving a Row Field or Stone Field Blank";
const QString kSourceRetryMessage =
    kNaturalOrder + "This can be caused by a Blank Row or Stone Field\r\n"
                    "This is normal for early versions of Mournsmith Databases and sorting will "
                    "be correct.";
const QString kMonthNotANumber = "Only numbers are allowed in the ROW Search";

democd::Record Printed(const QString& last, const QString& given, int source,
                       const QString& year, const QString& month, const QString& paper) {
  democd::Record r = MournlightTest::Obituary(last, given);
  r["NewsPubSourceID"] = source;
  r["Section"] = year;
  r["ROW"] = month;
  r["Obituary"] = paper;
  r["PublicationDateReal"] = year;
  r["Pix1"] = "PAPER.JPG";
  return r;
}

}  // namespace

class SearchTest : public MournlightTest {
 protected:
  void SetUp() override {
    MournlightTest::SetUp();
    WritePicture("PAPER.JPG", 64, 48, Qt::darkBlue);
    StartOn({Printed("Smith", "John", 1, "1990", "5", "Daily Gazette"),
             Printed("Smithers", "Ann", 2, "1985", "10", "Evening Herald"),
             Printed("Brown", "Mary", 1, "1990", "9", "Daily Gazette"),
             Printed("Adams", "Jo", 2, "1990", "5", "Evening Herald")});
    ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
    Watch().statements.clear();
    Watch().wholeTable.clear();
  }
  void ByName() { WindowForm().Get<forms::OptionButton>("Option1").SetValue(true); }
  // Fails the statements that `fails` chooses with this number.
  void Fail(int number, std::function<bool(const QString&)> fails) {
    Watch().failure = [=](const QString& s) { return fails(s) ? number : 0; };
  }
  void FailFirstOpen(int number) {
    auto opens = std::make_shared<int>(0);
    Watch().failure = [=](const QString&) { return ++*opens == 1 ? number : 0; };
  }
  // Shows the second record, so that a search's effect on the display shows.
  void StepToSecond() {
    Button("Command4").Click();
    ASSERT_EQ(Lbl("Label16").Caption(), "2");
  }
  void ExpectDisplayKept(const QString& text) {
    EXPECT_EQ(ShownText(), text);
    EXPECT_EQ(Lbl("Label17").Caption(), "0");
    EXPECT_EQ(Lbl("Label16").Caption(), "0");
    EXPECT_TRUE(NavigationDisabled());
  }
  void RemoveDatabase() { ASSERT_TRUE(QFile::remove(DataFolder() + "/obit.db")); }
};

// ---- Name search -------------------------------------------------------------------

struct NameCase {
  const char* name;
  bool byName;
  const char* last;   // nullptr: box unticked
  const char* given;
  QString statement;
  QStringList found;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class NameSearchTest : public SearchTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameSearchTest, StatementAndRows) {
  const NameCase& c = GetParam();
  if (c.byName) ByName();
  if (c.last) Box("Text1").SetText(c.last);
  if (c.given) Box("Text2").SetText(c.given);
  Button("Command1").Click();
  EXPECT_EQ(Watch().statements, QStringList({c.statement}));
  EXPECT_EQ(Watch().wholeTable, std::vector<bool>({false}));
  EXPECT_EQ(SelectedLastNames(), c.found);
  EXPECT_EQ(Lbl("Label17").Caption(), QString::number(c.found.size()));
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameSearchTest,
    ::testing::Values(
        // Two blanks before ORDER BY: the source order's own leading blanks.
        NameCase{"LastNameBySource", false, "Sm*", nullptr,
                 kWhere + "Lastname LIKE \"Sm*\"" + kSourceOrderA, {"Smith", "Smithers"}},
        NameCase{"GivenNameTrimmedByName", true, nullptr, " J* ",
                 kWhere + "Given Like \"J*\"" + kNameOrder, {"Adams", "Smith"}},
        NameCase{"BothNames", true, "sm*", "a*",
                 kWhere + "Lastname LIKE \"sm*\" AND Given Like \"a*\"" + kNameOrder,
                 {"Smithers"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, NameSearchWithoutTickedBoxesOnlySaysSo) {
  StepToSecond();
  const QString text = ShownText();
  Button("Command1").Click();
  EXPECT_EQ(Prompts(), QStringList({kTickTheBoxes}));
  EXPECT_TRUE(Watch().statements.isEmpty());
  EXPECT_EQ(Lbl("Label17").Caption(), "4");
  EXPECT_EQ(Lbl("Label16").Caption(), "2");
  EXPECT_EQ(ShownText(), text);
}

// Error 3464 at the first open: the message under either option; under the
// source option the statement is opened again with the fall-back order.
TEST_F(SearchTest, NameSearchRetriesWithTheFallBackOrder) {
  for (bool byName : {false, true}) {
    SCOPED_TRACE(byName ? "by name" : "by source");
    if (byName) ByName();
    Watch().statements.clear();
    const size_t shown = Prompts().size();
    FailFirstOpen(3464);
    Box("Text1").SetText("Smith");
    Button("Command1").Click();
    const QString base = kWhere + "Lastname LIKE \"Smith\"";
    EXPECT_EQ(Watch().statements,
              QStringList({base + (byName ? kNameOrder : kSourceOrderA),
                           byName ? base + kNameOrder : base + kFallbackOrder}));
    EXPECT_EQ(Prompts().mid(shown), QStringList({kNameRetryMessage}));
    EXPECT_EQ(SelectedLastNames(), QStringList({"Smith"}));
  }
}

// A failure of the second open is not reported: the result phase works on
// the selection the window held before.
TEST_F(SearchTest, FailedRetryKeepsThePreviousSelectionWithoutAWord) {
  for (const char* search : {"Command1", "Command7"}) {
    SCOPED_TRACE(search);
    Window().Command6_Click();
    Fail(3464, [](const QString&) { return true; });
    const size_t shown = Prompts().size();
    Box("Text1").SetText("Smith");
    Box("Text5").SetText("Daily*");
    Button(search).Click();
    Watch().failure = nullptr;
    EXPECT_EQ(Prompts().mid(shown).size(), 1);  // the retry's message only
    EXPECT_EQ(SelectedLastNames().size(), 4);
    EXPECT_EQ(Lbl("Label17").Caption(), "4");
    EXPECT_EQ(Lbl("Label16").Caption(), "1");
    EXPECT_TRUE(NavigationEnabled());
  }
}

// ---- Source search -----------------------------------------------------------------

struct SourceCase {
  const char* name;
  bool month, year, source;
  QString termsA;  // the terms of statement A
  QString termsB;  // the terms of statement B
};
void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }

class SourceSearchTest : public SearchTest, public ::testing::WithParamInterface<SourceCase> {
 protected:
  void Tick() {
    const SourceCase& c = GetParam();
    if (c.month) Box("Text3").SetText("5");
    if (c.year) Box("Text4").SetText("1990");
    if (c.source) Box("Text5").SetText("Daily*");
  }
};

TEST_P(SourceSearchTest, StatementAThenBAfter3464BySource) {
  const SourceCase& c = GetParam();
  Tick();
  FailFirstOpen(3464);
  Button("Command7").Click();
  EXPECT_EQ(Watch().statements, QStringList({kWhere + c.termsA + kSourceOrderA,
                                             kWhere + c.termsB + kSourceOrderA}));
  EXPECT_EQ(Prompts(), QStringList({kSourceRetryMessage}));
}

TEST_P(SourceSearchTest, ByNameTheSameStatementRunsAgain) {
  const SourceCase& c = GetParam();
  ByName();
  Tick();
  FailFirstOpen(3464);
  Button("Command7").Click();
  EXPECT_EQ(Watch().statements, QStringList({kWhere + c.termsA + kNameOrder,
                                             kWhere + c.termsA + kNameOrder}));
  EXPECT_EQ(Prompts(), QStringList({kSourceRetryMessage}));
}

INSTANTIATE_TEST_SUITE_P(
    Terms, SourceSearchTest,
    ::testing::Values(
        SourceCase{"All", true, true, true,
                   "[ROW] = '5' AND [Section] like '1990' AND [Obituary] like 'Daily*'",
                   "[ROW] = 5 AND [Section] like '1990' AND [Obituary] like 'Daily*'"},
        SourceCase{"MonthYear", true, true, false, "[ROW] = '5' AND [Section] like '1990'",
                   "[ROW] = 5 AND [Section] like '1990'"},
        SourceCase{"MonthSource", true, false, true, "[ROW] = '5' AND [Obituary] like 'Daily*'",
                   "[ROW] = 5 AND [Obituary] like 'Daily*'"},
        SourceCase{"YearSource", false, true, true,
                   "[Section] like '1990' AND [Obituary] like 'Daily*'",
                   "[Section] like '1990' AND [Obituary] like 'Daily*'"},
        SourceCase{"Month", true, false, false, "[ROW] = '5'", "[ROW] = 5"},
        SourceCase{"Year", false, true, false, "[Section] like '1990'", "[Section] like '1990'"},
        SourceCase{"Source", false, false, true, "[Obituary] like 'Daily*'",
                   "[Obituary] like 'Daily*'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, SourceSearchFindsTheTickedTerms) {
  Box("Text3").SetText("5");
  Box("Text4").SetText("1990");
  Button("Command7").Click();
  EXPECT_EQ(SelectedLastNames(), QStringList({"Smith", "Adams"}));
  EXPECT_EQ(Lbl("Label17").Caption(), "2");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(SearchTest, SourceTextKeepsItsBlanks) {
  Box("Text5").SetText(" Daily* ");
  Button("Command7").Click();
  EXPECT_EQ(Watch().statements, QStringList({kWhere + "[Obituary] like ' Daily* '" +
                                             kSourceOrderA}));
  EXPECT_EQ(Prompts(), QStringList({kNoResults}));
}

TEST_F(SearchTest, MonthMayIsEmptiedAndTheOtherBoxesSearch) {
  Box("Text3").SetText("May");
  Box("Text4").SetText("1985");
  Button("Command7").Click();
  EXPECT_EQ(Prompts(), QStringList({kMonthNotANumber}));
  EXPECT_EQ(Box("Text3").Text(), "");
  EXPECT_EQ(Check("Check3").Value(), 0);
  EXPECT_EQ(Watch().statements, QStringList({kWhere + "[Section] like '1985'" + kSourceOrderA}));
  EXPECT_EQ(SelectedLastNames(), QStringList({"Smithers"}));
}

TEST_F(SearchTest, MonthMayAloneEndsInTheCheckboxMessage) {
  Box("Text3").SetText("May");
  Button("Command7").Click();
  EXPECT_EQ(Prompts(), QStringList({kMonthNotANumber, kTickTheBoxes}));
  EXPECT_TRUE(Watch().statements.isEmpty());
  EXPECT_EQ(Lbl("Label17").Caption(), "4");
}

TEST_F(SearchTest, EmptyMonthStaysTickedAndIsSearchedQuoted) {
  Check("Check3").SetValue(1);
  Button("Command7").Click();
  EXPECT_EQ(Prompts(), QStringList({kMonthNotANumber, kNoResults}));
  EXPECT_EQ(Check("Check3").Value(), 1);
  EXPECT_EQ(Box("Text3").Text(), "");
  EXPECT_EQ(Watch().statements, QStringList({kWhere + "[ROW] = ''" + kSourceOrderA}));
}

// ---- SQL search --------------------------------------------------------------------

TEST_F(SearchTest, SqlConditionIsTrimmedAndSortedByNumbers) {
  Box("SelectionQueryText").SetText("  Lastname=\"Brown\" OR Lastname=\"Smith\"  ");
  Button("Command12").Click();
  EXPECT_EQ(Watch().statements,
            QStringList({kWhere + "Lastname=\"Brown\" OR Lastname=\"Smith\"" + kNumericOrder}));
  EXPECT_EQ(SelectedLastNames(), QStringList({"Smith", "Brown"}));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(SearchTest, SqlRetryWithoutAMessage) {
  for (bool byName : {false, true}) {
    SCOPED_TRACE(byName ? "by name" : "by source");
    if (byName) ByName();
    Watch().statements.clear();
    FailFirstOpen(3464);
    Box("SelectionQueryText").SetText("Section = '1990'");
    Button("Command12").Click();
    const QString base = kWhere + "Section = '1990'";
    EXPECT_EQ(Watch().statements, QStringList({base + (byName ? kNameOrder : kNumericOrder),
                                               base + (byName ? kNameOrder : kFallbackOrder)}));
    EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
    EXPECT_EQ(Lbl("Label17").Caption(), "3");
  }
}

struct SqlErrorCase {
  const char* name;
  const char* condition;
  bool failAlways;  // every open answers 3464
  const char* report;
};
void PrintTo(const SqlErrorCase& c, std::ostream* os) { *os << c.name; }

class SqlErrorTest : public SearchTest, public ::testing::WithParamInterface<SqlErrorCase> {};

TEST_P(SqlErrorTest, ReportedWithTheLineToCheckTheEntry) {
  const SqlErrorCase& c = GetParam();
  StepToSecond();
  const QString text = ShownText();
  if (c.failAlways) Fail(3464, [](const QString&) { return true; });
  Box("SelectionQueryText").SetText(c.condition);
  Button("Command12").Click();
  EXPECT_EQ(Prompts(), QStringList({QString(c.report) + "\r\nCheck your entry and try again."}));
  EXPECT_EQ(Host().MessageBoxes().at(0).flags, 0);
  EXPECT_EQ(Host().MessageBoxes().at(0).title, "Mournlight");
  ExpectDisplayKept(text);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, SqlErrorTest,
    ::testing::Values(SqlErrorCase{"UnknownColumn", "Nosuch = 1", false, "Error:  3061"},
                      SqlErrorCase{"Syntax", "Lastname = ", false, "Error:  3075"},
                      SqlErrorCase{"SecondOpenFails", "Lastname = 'x'", true, "Error:  3464"}),
    [](const auto& info) { return std::string(info.param.name); });

// The engine's own tables are no tables of the obituary file: the SQL search
// reports them as Jet reports a table it does not have, and the next search
// runs as usual.
TEST_F(SearchTest, TheEnginesOwnTablesAreReportedAsMissing) {
  const char* conditions[] = {"(select count(*) from sqlite_master) > 0",
                              "Lastname IN (SELECT name FROM sqlite_schema)",
                              "(select count(*) from pragma_table_info) >= 0"};
  for (const char* condition : conditions) {
    Box("SelectionQueryText").SetText(condition);
    Button("Command12").Click();
  }
  EXPECT_EQ(Prompts(), QStringList(3, "Error:  3078\r\nCheck your entry and try again."));
  EXPECT_TRUE(NavigationDisabled());
  Box("SelectionQueryText").SetText("Lastname = 'Brown'");
  Button("Command12").Click();
  EXPECT_EQ(SelectedLastNames(), QStringList({"Brown"}));
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_EQ(Prompts().size(), 3);
}

// A condition that outlasts the statement's time limit ends with 3360 and
// is reported like any failing condition; the window answers the next search.
TEST_F(SearchTest, AConditionPastTheTimeLimitIsReportedAndTheNextSearchWorks) {
  {
    // Far more than the open of the database takes, far less than the
    // search: it builds a text of 60 million characters for every row.
    const sqlitedb::StatementLimitForTesting shortLimit(20);
    Box("SelectionQueryText").SetText("Len(String(60000000, 'a') & LastName) > 0");
    Button("Command12").Click();
  }
  EXPECT_EQ(Prompts(), QStringList({"Error:  3360\r\nCheck your entry and try again."}));
  Box("SelectionQueryText").SetText("Lastname = 'Brown'");
  Button("Command12").Click();
  EXPECT_EQ(SelectedLastNames(), QStringList({"Brown"}));
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_EQ(Prompts().size(), 1);
}

// The database made unreadable after start-up: the file is there, so the
// searches report 3051 (no permission), not 3024 (no file); once it may be
// read again, the next search works.
TEST_F(SearchTest, ADatabaseMadeUnreadableReportsNoPermission) {
  const testutil::ScopedPermissionChecks checks;
  const QString db = DataFolder() + "/obit.db";
  ASSERT_TRUE(QFile::setPermissions(db, QFile::WriteOwner));
  Window().Command6_Click();
  Box("Text1").SetText("Smith");
  Button("Command1").Click();
  EXPECT_EQ(Prompts(), QStringList({"Error:  3051", "Error:  3051"}));
  EXPECT_TRUE(NavigationDisabled());
  ASSERT_TRUE(QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner));
  Button("Command1").Click();
  EXPECT_EQ(SelectedLastNames(), QStringList({"Smith"}));
  EXPECT_TRUE(NavigationEnabled());
  EXPECT_EQ(Prompts().size(), 2);
}

// Real data: a blank month makes val() of the numeric order fail.
TEST_F(SearchTest, BlankMonthFallsBackToTextOrder) {
  democd::Record blank = Printed("Blank", "Row", 1, "1990", "", "Daily Gazette");
  blank.remove("ROW");
  WriteObituaries({Printed("Ten", "A", 1, "1990", "10", "Daily Gazette"),
                   Printed("Nine", "B", 1, "1990", "9", "Daily Gazette"), blank});
  Box("SelectionQueryText").SetText("Section = '1990'");
  Button("Command12").Click();
  ASSERT_EQ(Watch().statements.size(), 2);
  EXPECT_EQ(Watch().statements[1], kWhere + "Section = '1990'" + kFallbackOrder);
  EXPECT_EQ(SelectedLastNames(), QStringList({"Blank", "Ten", "Nine"}));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// ---- Select-all --------------------------------------------------------------------

TEST_F(SearchTest, SelectAllStatementsByOption) {
  Window().Command6_Click();
  ByName();
  Window().Command6_Click();
  EXPECT_EQ(Watch().statements, QStringList({"SELECT * FROM ObitData" + kSourceOrderB,
                                             "SELECT * FROM ObitData" + kNameOrder}));
  EXPECT_EQ(Watch().wholeTable, std::vector<bool>({true, true}));
  EXPECT_EQ(SelectedLastNames(), QStringList({"Adams", "Brown", "Smith", "Smithers"}));
}

TEST_F(SearchTest, SelectAllRetriesTheSameStatementSilently) {
  FailFirstOpen(3464);
  Window().Command6_Click();
  EXPECT_EQ(Watch().statements, QStringList({"SELECT * FROM ObitData" + kSourceOrderB,
                                             "SELECT * FROM ObitData" + kSourceOrderB}));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  Fail(3464, [](const QString&) { return true; });
  Window().Command6_Click();
  EXPECT_EQ(Prompts(), QStringList({"Error:  3464"}));
  EXPECT_TRUE(NavigationDisabled());
}

// ---- Every search ------------------------------------------------------------------

// A search without rows: the message, both counters "0", navigation off and
// the record still shown; only the SQL and select-all searches show the
// placeholder picture first, and they enable the name and source buttons.
struct NoRowsCase {
  const char* name;
  const char* button;
  const char* box;
  const char* text;
  bool resetsPicture;
};
void PrintTo(const NoRowsCase& c, std::ostream* os) { *os << c.name; }

class NoRowsTest : public SearchTest, public ::testing::WithParamInterface<NoRowsCase> {};

TEST_P(NoRowsTest, SaysSoAndKeepsTheRecord) {
  const NoRowsCase& c = GetParam();
  StepToSecond();
  const QString text = ShownText();
  ASSERT_FALSE(WindowForm().Get<forms::Image>("Image1").Picture().IsEmpty());
  Button("Command1").SetEnabled(false);
  Button("Command7").SetEnabled(false);
  Box(c.box).SetText(c.text);
  Button(c.button).Click();
  EXPECT_EQ(Prompts(), QStringList({kNoResults}));
  EXPECT_EQ(Host().MessageBoxes().at(0).flags, 0);
  ExpectDisplayKept(text);
  const QImage placeholder = WindowForm().Get<forms::Image>("Image2").Picture().Image();
  EXPECT_EQ(WindowForm().Get<forms::Image>("Image1").Picture().Image() == placeholder,
            c.resetsPicture);
  EXPECT_EQ(Button("Command1").Enabled(), c.resetsPicture);
  EXPECT_EQ(Button("Command7").Enabled(), c.resetsPicture);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, NoRowsTest,
    ::testing::Values(NoRowsCase{"Name", "Command1", "Text1", "Nobody*", false},
                      NoRowsCase{"Source", "Command7", "Text4", "1700", false},
                      NoRowsCase{"Sql", "Command12", "SelectionQueryText", "Section='1'", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, SelectAllOnAnEmptyTableSaysSo) {
  WriteObituaries({});
  Window().Command6_Click();
  EXPECT_EQ(Prompts(), QStringList({kNoResults}));
  EXPECT_EQ(Lbl("Label17").Caption(), "0");
  EXPECT_TRUE(NavigationDisabled());
}

// A statement the database rejects: "Error: " with two blanks and the number,
// navigation off, the record still shown.
struct RejectedCase {
  const char* name;
  const char* box;
  const char* text;
  const char* button;
};
void PrintTo(const RejectedCase& c, std::ostream* os) { *os << c.name; }

class RejectedTest : public SearchTest, public ::testing::WithParamInterface<RejectedCase> {};

TEST_P(RejectedTest, ErrorWithTheNumber) {
  const RejectedCase& c = GetParam();
  StepToSecond();
  const QString text = ShownText();
  Box(c.box).SetText(c.text);
  Button(c.button).Click();
  ASSERT_EQ(Prompts().size(), 1);
  EXPECT_EQ(Prompts().at(0), "Error:  3075");
  ExpectDisplayKept(text);
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Quotes, RejectedTest,
    ::testing::Values(RejectedCase{"DoubleQuoteInLastName", "Text1", "Sm\"ith", "Command1"},
                      RejectedCase{"DoubleQuoteInGivenName", "Text2", "J\"o", "Command1"},
                      RejectedCase{"ApostropheInSource", "Text5", "O'Brien's", "Command7"},
                      RejectedCase{"ApostropheInYear", "Text4", "19'90", "Command7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, MissingTableIsReportedBySelectAll) {
  WriteDatabase({TwoSources(), TwoArchives()});
  Window().Command6_Click();
  EXPECT_EQ(Prompts(), QStringList({"Error:  3078"}));
  EXPECT_TRUE(NavigationDisabled());
}

// The database gone after start-up: the connection cannot be opened. The
// name search and select-all report it; the source search reports what the
// statement then meets when the month box was ticked, and otherwise, like
// the SQL search, ends the program with the platform's message.
struct LostFileCase {
  const char* name;
  const char* button;
  const char* box;
  const char* text;
  const char* report;  // nullptr: the program ends
};
void PrintTo(const LostFileCase& c, std::ostream* os) { *os << c.name; }

class LostFileTest : public SearchTest, public ::testing::WithParamInterface<LostFileCase> {};

TEST_P(LostFileTest, AnswerBySearch) {
  const LostFileCase& c = GetParam();
  const QString text = ShownText();
  RemoveDatabase();
  if (c.box) Box(c.box).SetText(c.text);
  forms::user::Click(Button(c.button));
  const bool ends = !c.report;
  const QString message =
      ends ? RunTimeError(3024, "Could not find file '" + DataFolderWin() + "obit.db'.")
           : QString(c.report);
  EXPECT_EQ(Prompts(), QStringList({message}));
  EXPECT_EQ(Host().EndProgramCount(), ends ? 1 : 0);
  EXPECT_EQ(Host().MessageBoxes().at(0).flags, ends ? forms::mb::Critical : 0);
  EXPECT_EQ(ShownText(), text);
  if (!ends) {
    EXPECT_TRUE(NavigationDisabled());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Searches, LostFileTest,
    ::testing::Values(
        LostFileCase{"SelectAll", "Command6", nullptr, nullptr, "Error:  3024"},
        LostFileCase{"Name", "Command1", "Text1", "Smith", "Error:  3024"},
        LostFileCase{"SourceWithMonth", "Command7", "Text3", "5", "Error:  3420"},
        LostFileCase{"SourceWithoutMonth", "Command7", "Text4", "1990", nullptr},
        LostFileCase{"Sql", "Command12", "SelectionQueryText", "Section = '1990'", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });
