// The conditions people type into the SQL search, answered as Jet answers
// them: through OpenRecordset on a Jet file, with a sort clause after them.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/JetFunctionCases.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace daotest;
using testutil::ErrorOf;
using vb::DateValue;
using vb::Variant;

namespace {

const Variant N = Variant::Null();
const char kNameOrder[] = " ORDER BY Sheet1.LASTNAME, Sheet1.GIVEN;";

// ID, LastName, Given, ROW, Age, Born, Veteran, Plot Owner. In name order:
// 11 Adams, 2 brown Jane, 1 Brown John, 9 Çelik, 4 Hall, 12 Lee_50%, 7 Miller,
// 6 MÜLLER Eva, 5 Müller Hans, 8 O'Brien, 10 Ødegård, 3 Smith.
Table People() {
  // Serials: days since 30 December 1899; before it the time counts forward.
  const double jan2nd1850 = -18259, jan2nd1900 = 3, mar4th1851At1030 = -17833 - 0.4375;
  Table t;
  t.name = "Sheet1";
  t.columns = {{"ID", ColumnType::Long},        {"LastName", ColumnType::Text, 30},
               {"Given", ColumnType::Text, 30}, {"ROW", ColumnType::Text, 10},
               {"Age", ColumnType::Long},       {"Born", ColumnType::DateTime},
               {"Veteran", ColumnType::Boolean}, {"Plot Owner", ColumnType::Text, 30}};
  t.rows = {
      {1, "Brown", "John", "7", 70, DateValue{jan2nd1850}, true, "x"},
      {2, "brown", "Jane", "12", 12, DateValue{jan2nd1900}, false, N},
      {3, "Smith", "Anna", "10", 40, N, false, "Y"},
      {4, "Hall", "Jim", "8", 5, DateValue{mar4th1851At1030}, true, N},
      {5, "Müller", "Hans", "9", 30, N, false, N},
      {6, "MÜLLER", "Eva", "11", N, N, false, N},
      {7, "Miller", "Joe", "2", 2, N, false, N},
      {8, "O'Brien", "Pat", "20", 80, N, false, N},
      {9, "Çelik", "Ali", "1", 1, N, false, N},
      {10, "Ødegård", "Ola", "5", 50, N, false, N},
      {11, "Adams", N, "x3", N, N, false, N},
      {12, "Lee_50%", "  Kim  ", "3", 3, N, false, N},
  };
  return t;
}

// An early database: ROW is a number, and the placement columns are there.
Table EarlyBurials() {
  Table t;
  t.name = "Sheet1";
  t.columns = {{"LastName", ColumnType::Text, 30}, {"Given", ColumnType::Text, 30},
               {"Cemetery", ColumnType::Text, 30}, {"Section", ColumnType::Text, 10},
               {"ROW", ColumnType::Long},          {"LOT", ColumnType::Text, 10},
               {"STONE", ColumnType::Text, 10}};
  t.rows = {{"Ames", "Al", "Oak", "A", 7, "1", "2"},
            {"Bell", "Bo", "Oak", "A", 10, "1", "1"},
            {"Cole", "Cy", "Oak", "A", 7, "2", "1"}};
  return t;
}

struct Case {
  const char* condition;
  QList<int> ids;
};

// The fixture files, written once for the tests of this program.
struct Files {
  Files() : people(dir.Write("people.mdb", {People()})), early(dir.Write("early.mdb", {EarlyBurials()})) {}
  FixtureDir dir;
  QString people, early;
};

const Files& TestFiles() {
  static const Files files;
  return files;
}

class JetSqlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = dao::DBEngine().Workspaces(0).OpenDatabase(TestFiles().people, true, true);
  }

  // The IDs the SQL search's statement selects, in name order.
  QList<int> Ids(const QString& condition) {
    auto rs = db_->OpenRecordset("SELECT * FROM Sheet1 WHERE " + condition + kNameOrder);
    QList<int> ids;
    if (rs->AbsolutePosition() < 0) return ids;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) ids << rs->Fields()("ID").Value().AsLong();
    return ids;
  }
  int Error(const QString& condition) { return ErrorOf([&] { Ids(condition); }); }
  // The fixture file's bytes and its folder's names, which no search changes.
  static QByteArray FileBytes() {
    QFile f(TestFiles().dir.Native("people.mdb"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QStringList FolderListing() {
    return QDir(TestFiles().dir.Native(QString())).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  void ExpectIds(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
      QList<int> got;
      EXPECT_EQ(ErrorOf([&] { got = Ids(QString::fromUtf8(c.condition)); }), 0) << c.condition;
      EXPECT_EQ(got, c.ids) << c.condition;
    }
  }

  std::unique_ptr<dao::Database> db_;
};

TEST_F(JetSqlTest, ConditionsPeopleType) {
  ExpectIds({
      {R"(Lastname="Brown")", {2, 1}},
      {R"(Lastname="Brown" OR Lastname="Smith")", {2, 1, 3}},
      {R"(Lastname = "hall")", {4}},
      {R"(Lastname Like "m*ller")", {7, 6, 5}},
      {R"(Lastname Like "M?LLER")", {7, 6, 5}},
      {R"([ROW] Like "#")", {1, 9, 4, 12, 7, 5, 10}},
      {R"(Lastname Like "[a-b]*")", {11, 2, 1}},
      {R"(Lastname Like "[!a]*")", {2, 1, 9, 4, 12, 7, 6, 5, 8, 10, 3}},
      {"Age Between 10 And 50", {2, 5, 10, 3}},
      {"Age Not Between 10 And 50", {1, 9, 4, 12, 7, 8}},
      {R"(Given In ("jane", "Joe", 'Ola'))", {2, 7, 10}},
      {"Given Is Null", {11}},
      {"Born Is Not Null", {2, 1, 4}},
      {"Val([ROW]) > 10", {2, 6, 8}},
      {R"(Left(Given,1)="J")", {2, 1, 4, 7}},
      {"Len(Lastname) = 5", {11, 2, 1, 9, 3}},
      {R"(UCase(Lastname) & "" = "SMITH" OR InStr(UCase(Given), "A") = 1)", {9, 3}},
      {R"(Trim(Given) = "Kim")", {12}},
      {R"(InStr(Lastname, "'") > 0)", {8}},
      {R"(IIf(Age > 60, "old", "young") = "old")", {1, 8}},
      {R"(Lastname & ", " & Given = "Brown, John")", {1}},
      {"Born = #1/2/1850#", {1}},
      {"Born < #1 January 1851#", {1}},
      {"Born > #January 2, 1850#", {2, 4}},
      {"Born >= #2 Jan 1850# And Born < #1851-03-05#", {1, 4}},
      {"Lastname = 'O''Brien'", {8}},
      {"[Plot Owner] = 'X' OR [Plot Owner] = \"y\"", {1, 3}},
      {R"(Sheet1!Lastname = "Hall" OR [Sheet1]![Given] = "Ola")", {4, 10}},
      // Operators and functions Jet has and SQLite has not.
      {"Age Mod 2 = 1", {9, 4, 12}},
      {R"(Age \ 10 = 7)", {1}},
      {"Age ^ 2 = 25 OR Age / 4 = 0.75", {4, 12}},
      {"Year(Born) = 1850 OR Month(Born) = 3", {1, 4}},
      {"Day(Born) = 2", {2, 1}},
      {R"(CDate("1/2/1850") = Born OR DateValue(Born) = #3/4/1851#)", {1, 4}},
      {"IsNumeric([ROW]) = False", {11}},
      {R"(Str(Age) = " 5" OR Int(Age / 4) = 12 OR Fix(-Age / 4) = -20)", {4, 8, 10}},
      {R"(Format(Born, "yyyy") = "1900" OR Format(Born, "mmmm") = "March")", {2, 4}},
      {R"(Format(Born, "mm/dd/yyyy") = "01/02/1850" OR Format(Age * 1000, "#,##0") = "80,000")", {1, 8}},
      {R"(Format(Age / 8, "0.00") = "0.38")", {12}},
      // True is -1, and so is a Yes/No column that holds it.
      {"Veteran = True", {1, 4}},
      {"Veteran = -1 AND Veteran + 0 = -1", {1, 4}},
      {"Veteran", {1, 4}},
      {"Not Veteran AND Age > 45", {8, 10}},
      // "+" joins texts; Null in it gives Null.
      {R"(Lastname + ", " + Given = "Brown, John")", {1}},
      {R"((Given + "x") Is Null)", {11}},
      // A Date/Time value where text is wanted is the date's text.
      {R"(Born Like "*1850*")", {1}},
      {R"(Born & "" = "01/02/1850" OR Left(Born, 2) = "03")", {1, 4}},
      {R"(Born Like "*10:30:00 AM")", {4}},
      {R"(Str(Born) = "01/02/1850" OR Str(Born) Like "03/04/1851 *")", {1, 4}},
      // "%" and "_" are ordinary characters in Jet's patterns.
      {R"(Lastname Like "*%*")", {12}},
      {R"(Lastname Like "Lee_50%")", {12}},
      {R"(Lastname Like "Lee?50%")", {12}},
      {R"(Lastname Like "%" OR Lastname Like "_*")", {}},
      // Comparisons with Null select no row.
      {"Age = Null OR Lastname = Null OR Lastname <> Null", {}},
  });
}

// Jet compares texts with texts and numbers with numbers; a text against a
// number (or a date, or a Yes/No value) is a data type mismatch, never a
// comparison of SQLite's kind.
TEST_F(JetSqlTest, TextAgainstNumberIsATypeMismatch) {
  for (const char* condition :
       {"[ROW] > 10", "Row Between 8 And 12", "[ROW] = 7", "Age = '7'", "Born = '1/2/1850'",
        "Lastname = #1/2/1850#", "Age In (1, \"2\")", "Lastname = Age", "Veteran = \"yes\"",
        "Len(Lastname) = \"5\"", "Left(Given, 1) > 0", "Lastname & Given = 5",
        "Age = 1 AND (Given = 2 OR Given = 'x')", "Lastname = (SELECT Age FROM Sheet1 WHERE ID = 1) OR Given = 1"})
    EXPECT_EQ(Error(QString::fromUtf8(condition)), 3464) << condition;
  // Text with text and numbers with numbers as before.
  EXPECT_EQ(Ids("[ROW] = '7'"), QList<int>({1}));
  EXPECT_EQ(Ids("[ROW] > '7'"), QList<int>({11, 4, 5}));  // compared as texts
  EXPECT_EQ(Ids("Age = 70 OR Val([ROW]) = 7.0"), QList<int>({1}));
}

// The location search tries the quoted row first and falls back to the
// number: an early database (ROW a number) answers the quoted form with
// 3464 and the unquoted one with its rows; a later one the other way round.
TEST_F(JetSqlTest, TheRowTermsOfTheLocationSearch) {
  const QString natural =
      " ORDER BY Sheet1.Cemetery, Sheet1.Section, val(Sheet1.ROW), Sheet1.LOT, val(Sheet1.STONE);";
  const QString plain = " ORDER BY Sheet1.Cemetery, Sheet1.Section, Sheet1.ROW, Sheet1.LOT, Sheet1.STONE;";
  auto early = dao::DBEngine().Workspaces(0).OpenDatabase(TestFiles().early, true, true);
  const QString quoted = "SELECT * FROM Sheet1 WHERE [ROW] = '7' AND [Cemetery] like 'oak*'";
  const QString numeric = "SELECT * FROM Sheet1 WHERE [ROW] = 7 AND [Cemetery] like 'oak*'";
  EXPECT_EQ(ErrorOf([&] { early->OpenRecordset(quoted + natural); }), 3464);
  auto fallBack = early->OpenRecordset(numeric + plain);
  fallBack->MoveLast();
  EXPECT_EQ(fallBack->RecordCount(), 2);
  EXPECT_EQ(fallBack->Fields()("LastName").Value(), Variant("Cole"));

  EXPECT_EQ(ErrorOf([&] { db_->OpenRecordset("SELECT * FROM Sheet1 WHERE [ROW] = 7" + plain); }), 3464);
  auto later = db_->OpenRecordset("SELECT * FROM Sheet1 WHERE [ROW] = '7'" + QString(kNameOrder));
  EXPECT_EQ(later->Fields()("LastName").Value(), Variant("Brown"));
}

TEST_F(JetSqlTest, NameOrderPutsAccentedNamesWithTheirBaseLetters) {
  auto rs = db_->OpenRecordset(QString("SELECT * FROM Sheet1") + kNameOrder);
  QStringList names;
  for (; !rs->EOF_(); rs->MoveNext()) names << rs->Fields()("LastName").Value().AsString();
  EXPECT_EQ(names.join(','), QStringLiteral("Adams,brown,Brown,Çelik,Hall,Lee_50%,Miller,MÜLLER,Müller,"
                                            "O'Brien,Ødegård,Smith"));
}

// Hostile conditions end in an error number or in the rows they select,
// and leave the file and its folder as they were.
TEST_F(JetSqlTest, BadInputEndsInAnErrorOrRows) {
  const QByteArray before = FileBytes();
  const QStringList listing = FolderListing();

  QStringList manyTerms;
  while (manyTerms.join(" OR ").size() < 100000) manyTerms << QStringLiteral("Lastname = \"nobody%1\"").arg(manyTerms.size());
  manyTerms << QStringLiteral("Lastname = \"Hall\"");
  const struct {
    QString condition;
    int error;  // 0: the rows below
    QList<int> ids;
  } cases[] = {
      {R"(Lastname = "Brown)", 3075, {}},
      {"Lastname = 'Brown", 3075, {}},
      {"[Lastname = 'x'", 3075, {}},
      {"Lastname] = 'x'", 3075, {}},
      {"(Lastname = 'x'", 3075, {}},
      {"Lastname = 'x'))", 3075, {}},
      {"1=1; DROP TABLE Sheet1", 3142, {}},
      {"1=1; ATTACH DATABASE 'x.db' AS x", 3142, {}},
      {"ATTACH DATABASE 'x.db' AS x", 3075, {}},
      {"1=1; PRAGMA writable_schema = 1", 3142, {}},
      {"Lastname = (PRAGMA user_version)", 3075, {}},
      {"1 IN (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c)", 3075, {}},
      // The engine's own tables are no tables of the database.
      {"(select count(*) from sqlite_master) > 0", 3078, {}},
      {"Lastname in (select name from [SQLITE_SCHEMA])", 3078, {}},
      {"exists (select * from sqlite_temp_master)", 3078, {}},
      {"(select count(*) from pragma_table_info) >= 0", 3078, {}},
      {QString(8000, u'(') + "1=1" + QString(8000, u')'), 3075, {}},
      {QStringLiteral("Lastname = 'a") + QChar(0) + "' OR 1=1", 3075, {}},
      {QStringLiteral("Lastname = 'x'") + QChar(0), 3075, {}},
      // Over the longest statement the engine takes (as Jet's own limit).
      {manyTerms.join(" OR "), 3035, {}},
      {"Lastname = \"" + QString(100000, u'a') + "\"", 3035, {}},
      {R"(Lastname Like "O'*")", 0, {8}},
      {R"(Lastname = "O""Brien" OR Lastname = "O'Brien")", 0, {8}},
      {R"(Lastname Like "*")", 0, {11, 2, 1, 9, 4, 12, 7, 6, 5, 8, 10, 3}},
      {R"(Lastname Like "Lee_5*" AND Lastname Like "*0%")", 0, {12}},
      {"", 3075, {}},
  };
  for (const auto& c : cases) {
    QList<int> got;
    EXPECT_EQ(ErrorOf([&] { got = Ids(c.condition); }), c.error) << c.condition.left(80).toStdString();
    EXPECT_EQ(got, c.ids) << c.condition.left(80).toStdString();
  }
  // The database still answers, and nothing was written.
  EXPECT_EQ(Ids("ID = 3"), QList<int>({3}));
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(FolderListing(), listing);
}

// The Jet functions a transcriber types, each a value of the table's row.
TEST_F(JetSqlTest, JetFunctionsGiveJetValuesAndErrors) {
  testkit::ExpectJetFunctionCases([&](const QString& expression) {
    auto rs = db_->OpenRecordset("SELECT " + expression + " AS v FROM Sheet1 WHERE ID = 1");
    return rs->Fields()("v").Value();
  });
}

TEST_F(JetSqlTest, ConditionsWithJetFunctions) {
  ExpectIds({
      {"DateValue(Born) < Date() AND Born < Date()", {2, 1, 4}},
      {"Born < Now() AND Born >= DateSerial(1850, 1, 2)", {2, 1, 4}},
      {R"(DateDiff("yyyy", Born, #1/1/1900#) = 50)", {1}},
      {R"(DateAdd("m", 18, Born) < #10/1/1852#)", {1, 4}},
      {R"(Born Between DateSerial(1850, 1, 1) And DateAdd("m", 18, #1/1/1850#))", {1, 4}},
      {R"(DatePart("m", Born) = 3 OR Hour(Born) = 10)", {4}},
      {"Weekday(Born) = 3", {2, 4}},
      {"DateSerial(Year(Born), 1, 1) = #1/1/1850#", {1}},
      {"IsDate(Born)", {2, 1, 4}},  // a date where text is wanted is its text
      {R"(StrComp(Born, "01/02/1850") = 0)", {1}},
      {R"(StrComp(Lastname, "brown") = 0)", {2, 1}},
      {R"(StrComp(Lastname, "brown", 0) = 0)", {2}},
      {R"(InStrRev(Lastname, "l") = Len(Lastname))", {4}},
      {"Asc(Lastname) = 77 OR Asc(Lastname) = 216", {7, 6, 5, 10}},
      {R"(Chr(Asc(Given)) = "J")", {2, 1, 4, 7}},
      {R"(Given = Space(2) & "Kim" & String(2, 32))", {12}},
      {R"(String(2, Left(Lastname, 1)) = "BB")", {2, 1}},
      {R"(Switch(Age < 10, "child", Age < 60, "adult", Age >= 60, "old") = "old")", {1, 8}},
      {R"(Choose(ID Mod 3 + 1, "a", "b", "c") = "b")", {1, 4, 7, 10}},
      {"Round(Age / 4) = 10 OR Sgn(Age - 50) = 0", {10, 3}},
      {"Sqr(Age) < 2", {9, 12, 7}},
      {"CBool(Veteran) AND CSng(Age) = 70", {1}},
  });
}

// Jet's kinds of the new functions' results keep its type rule.
TEST_F(JetSqlTest, FunctionResultsKeepJetsTypeRule) {
  for (const char* condition :
       {R"(Weekday(Born) = "4")", "Chr(74) = 74", R"(DateAdd("d", 1, Born) = "x")",
        R"(Switch(Age > 60, "old", Age > 20, "adult") = 1)", R"(Choose(1, "a", "b") > 0)",
        R"(Asc(Lastname) = "M")", R"(IsDate(Lastname) = "x")", R"(Date() = "today")"})
    EXPECT_EQ(Error(QString::fromUtf8(condition)), 3464) << condition;
}

// A function given bad input ends the search with Jet's error number; the
// next search works, and the file and its folder stay as they were.
TEST_F(JetSqlTest, BadInputToFunctionsEndsInAnError) {
  const QByteArray before = FileBytes();
  const QStringList listing = FolderListing();
  const std::pair<const char*, int> cases[] = {
      {R"(DateAdd("d", 1) = Born)", 3075},
      {"DateSerial(Year(Born), 1) = Born", 3075},
      {R"(Switch(Age > 1, "a", Age) = "a")", 3075},
      {R"(DateAdd("x", 1, Born) Is Null)", 5},
      {R"(DateAdd("yyyy", 9000, Born) Is Null)", 5},
      {"Round(Age, -1) = 10", 5},
      {"Sqr(-Age) > 0", 5},
      {R"(Chr(Age * 10) = "x")", 5},
      {"CBool(Lastname)", 13},
      {R"(DateDiff("d", Lastname, Born) > 0)", 13},
      {R"(Space(70000000 + Age) = "")", 3035},
      {"printf('%d', Age) = '1'", 3085},
      {"random() > 0", 3085},
  };
  for (const auto& [condition, number] : cases) EXPECT_EQ(Error(QString::fromUtf8(condition)), number) << condition;
  EXPECT_EQ(Ids("Weekday(Born) = 4"), QList<int>({1}));
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(FolderListing(), listing);
}

}  // namespace
