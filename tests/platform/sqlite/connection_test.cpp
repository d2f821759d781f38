// The obituary connection and recordset on a small obituary file.
#include "SqliteFixture.h"

#include "platform/jetsql/StatementLimits.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/vb/VbError.h"
#include "tests/testkit/JetFunctionCases.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using sqlitedb::SqliteConnection;
using sqlitedb::SqliteRecordset;
using vb::Variant;

using testutil::ErrorOf;

namespace {

const char kNameOrder[] = " ORDER BY ObitData.LASTNAME, ObitData.GIVEN;";
const char kSourceOrderA[] =
    "  ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDateReal, ObitData.PublicationDate;";
const char kNumericOrder[] =
    " ORDER BY ObitData.Obituary, ObitData.Section, val(ObitData.ROW), ObitData.LOT, val(ObitData.STONE);";
const char kFallBackOrder[] =
    " ORDER BY ObitData.Obituary, ObitData.Section, ObitData.ROW, ObitData.LOT, ObitData.STONE;";

class ObituaryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder name that needs escaping in the engine's file URI.
    folder_ = dir_.path() + "/odd #?% folder";
    ASSERT_TRUE(QDir().mkpath(folder_));
    path_ = folder_ + "/obits.db";
    sqlitetest::WriteObituaryFile(path_);
    db_.OpenDatabaseFile(path_);
  }

  // The ID column of every row, walking forward from the first.
  QList<int> Ids(const QString& sql) {
    SqliteRecordset rs = db_.OpenQuery(sql, false);
    QList<int> ids;
    for (; !rs.IsEOF(); rs.MoveToNext()) ids << rs.FieldValue("ID").AsLong();
    return ids;
  }

  QTemporaryDir dir_;
  QString folder_, path_;
  SqliteConnection db_;
};

TEST_F(ObituaryFile, SearchStatementsGiveTheirRowsInOrder) {
  const std::pair<QString, QList<int>> cases[] = {
      // Name order sorts without regard to case (BROWN adam before Brown
      // Mary) or accents (Álvarez among the A names).
      {QString("SELECT * FROM ObitData") + kNameOrder, {6, 7, 3, 4, 2, 1, 5}},
      {QString("SELECT * FROM ObitData") + (kSourceOrderA + 1), {1, 7, 2, 5, 3, 4, 6}},
      {QString("SELECT * FROM ObitData ") + "WHERE " + "Lastname LIKE \"sm*\"" + kSourceOrderA, {1, 2}},
      {QString("SELECT * FROM ObitData WHERE Lastname LIKE \"Sm*\" AND Given Like \"J*\"") + kNameOrder, {1}},
      {QString("SELECT * FROM ObitData WHERE [ROW] = '9' AND [Section] like '1985' AND "
               "[Obituary] like 'Herald'") + kSourceOrderA, {3, 4}},
      {QString("SELECT * FROM ObitData WHERE [ROW] = 9 AND [Section] like '1985'") + kSourceOrderA, {3, 4}},
      {QString("SELECT * FROM ObitData WHERE [Obituary] like 'Gaz*'") + kNameOrder, {7, 2, 1, 5}},
      // The help line's examples; "=" ignores case too.
      {QString("SELECT * FROM ObitData WHERE Lastname=\"Brown\"") + kNumericOrder, {7, 3}},
      {QString("SELECT * FROM ObitData WHERE Lastname=\"Brown\" OR Lastname=\"Smith\"") + kNumericOrder,
       {1, 7, 2, 3}},
      // Text order of ROW and STONE: "10" before "5", "10" before "9"; Null first.
      {QString("SELECT * FROM ObitData") + kFallBackOrder, {2, 1, 7, 5, 6, 3, 4}},
      {QString("SELECT * FROM ObitData WHERE ID > 100") + kNameOrder, {}},
  };
  for (const auto& [sql, ids] : cases) EXPECT_EQ(Ids(sql), ids) << sql.toStdString();
}

// The SQL search's conditions in the Jet dialect, on the obituary file.
// Comparisons follow SQLite's rules here (the file's own engine), so the
// Yes/No flag's True is 1.
TEST_F(ObituaryFile, ConditionsOfTheSqlSearch) {
  const std::pair<const char*, QList<int>> cases[] = {
      {R"(Lastname Like "á*")", {6}},
      {R"(Left(Given,1)="J" OR InStr(Lastname, "'") > 0)", {4, 1}},
      {R"(Lastname & ", " & Given = "brown, mary")", {3}},
      {R"(Lastname + Given = "SmithJohn")", {1}},
      {"[ROW] Mod 2 = 1", {7, 3, 4, 1}},
      {"Year(PublicationDateReal) = 1990", {7, 2, 1}},
      {R"(Format(PublicationDateReal, "yyyy") = "1984")", {6, 3, 4}},
      {R"(IIf(Lastname Like "s*", 1, 0) = 1)", {2, 1}},
      {R"(Lastname = "O'Neil" OR Lastname = 'o''neil')", {4}},
      {R"(Lastname Like "%" OR Lastname Like "_*")", {}},
      {"VisitationOverride = True", {2}},
  };
  for (const auto& [condition, ids] : cases)
    EXPECT_EQ(Ids(QString("SELECT * FROM ObitData WHERE ") + condition + kNameOrder), ids) << condition;
}

// The Jet functions a transcriber types, each a value of an obituary row.
TEST_F(ObituaryFile, JetFunctionsGiveJetValuesAndErrors) {
  testkit::ExpectJetFunctionCases([&](const QString& expression) {
    return db_.OpenQuery("SELECT " + expression + " AS v FROM ObitData WHERE ID = 1", false).FieldValue("v");
  });
}

TEST_F(ObituaryFile, ConditionsWithJetFunctions) {
  const std::pair<const char*, QList<int>> cases[] = {
      {"CDate(PublicationDate) < Date()", {6, 7, 3, 4, 2, 1, 5}},
      {R"(DateDiff("yyyy", CDate(PublicationDate), #1/1/2000#) = 10)", {7, 2, 1}},
      {R"(DatePart("q", PublicationDateReal) = 2)", {7, 2, 1, 5}},
      {"Weekday(PublicationDate) = 7", {6, 1}},
      {"IsDate(PublicationDate) AND Hour(PublicationDateReal) = 0 AND Year(Now()) > 2000", {6, 7, 3, 4, 2, 1, 5}},
      {R"(StrComp(Lastname, "SMITH") = 0)", {2, 1}},
      {R"(StrComp(Lastname, "Smith", 0) = 0)", {1}},
      {"Asc(Lastname) = 66", {7, 3}},
      {R"(InStrRev(TypedObit, "e") = 8)", {1}},
      {R"(Lastname = String(1, "O") & Chr(39) & "Neil")", {4}},
      {R"(Switch([ROW] Is Null, "none", Val([ROW]) > 9, "high") = "high")", {2, 5}},
      {R"(Choose(Val(Nz([ROW], "0")) Mod 2 + 1, "even", "odd") = "odd")", {7, 3, 4, 1}},
      {"Round(PublicationDateReal / 1000) = 33", {7, 2, 1}},
  };
  for (const auto& [condition, ids] : cases)
    EXPECT_EQ(Ids(QString("SELECT * FROM ObitData WHERE ") + condition + kNameOrder), ids) << condition;
}

// A function given bad input ends the search with Jet's error number; the
// connection answers the next search, and the file and its folder stay as
// they were.
TEST_F(ObituaryFile, BadInputToFunctionsEndsInAnError) {
  const QByteArray bytes = sqlitetest::ReadBytes(path_);
  const QStringList listing = sqlitetest::Listing(folder_);
  const std::pair<const char*, int> cases[] = {
      {"DateSerial(2000, 1) Is Null", 3075},
      {R"(Switch(ID > 1, "a", ID) = "a")", 3075},
      {R"(DateAdd("x", 1, PublicationDateReal) Is Null)", 5},
      {"DateSerial(Val(Section) * 10, 1, 1) Is Null", 5},
      {"Sqr(-ID) > 0", 5},
      {"CBool(Lastname)", 13},
      {"Len(Space(70000000 + ID)) > 0", 3035},
      {"printf('%d', ID) = '1'", 3085},
  };
  for (const auto& [condition, number] : cases)
    EXPECT_EQ(ErrorOf([&, &condition = condition] { Ids(QString("SELECT * FROM ObitData WHERE ") + condition + kNameOrder); }), number)
        << condition;
  {
    // A long text looks at the statement's time limit while it is made.
    const sqlitedb::StatementLimitForTesting limit(1);
    EXPECT_EQ(ErrorOf([&] { Ids("SELECT * FROM ObitData WHERE Len(Space(60000000)) = ID"); }), 3360);
  }
  EXPECT_EQ(Ids("SELECT * FROM ObitData WHERE Weekday(PublicationDate) = 7" + QString(kNameOrder)),
            QList<int>({6, 1}));
  EXPECT_EQ(sqlitetest::ReadBytes(path_), bytes);
  EXPECT_EQ(sqlitetest::Listing(folder_), listing);
}

TEST_F(ObituaryFile, LookUpStatementsReadTheirColumns) {
  const struct {
    const char* sql;
    const char* column;
    Variant value;
  } cases[] = {
      {"Select * from SourcesSheet where newsid=1", "Publisher", Variant("Daily Gazette")},
      {"Select * from ArchiveSheet where ArchiveID=8", "ArchiveName", Variant("archive of the county")},
      {"SELECT * FROM SourcesSheet WHERE newspubsourceid=\"2\" ORDER BY Publisher;", "Publisher",
       Variant("Evening Herald")},
      {"SELECT * FROM ArchiveSheet WHERE ArchiveID=\"7\" ORDER BY ArchiveName;", "ArchiveName",
       Variant("City Archive")},
      // Case-insensitive order: "archive..." before "City...".
      {"SELECT * FROM ArchiveSheet ORDER BY ArchiveName;", "ArchiveName", Variant("archive of the county")},
      {"SELECT * FROM VERSHT", "dbver", Variant("3.1")},
  };
  for (const auto& c : cases) {
    SqliteRecordset rs = db_.OpenQuery(c.sql, false);
    ASSERT_GE(rs.CurrentPosition(), 0) << c.sql;
    rs.MoveToLast();
    rs.MoveToFirst();
    EXPECT_EQ(rs.FieldValue(c.column), c.value) << c.sql;
  }
}

TEST_F(ObituaryFile, FailingStatementsGiveJetNumbers) {
  const std::pair<QString, int> cases[] = {
      {QString("SELECT * FROM ObitData") + kNumericOrder, 3464},  // a Null ROW
      {"SELECT * FROM CemSheet", 3078},
      {QString("SELECT * FROM ObitData WHERE ") + kNameOrder, 3075},
      {"SELECT * FROM ObitData WHERE Nosuch = 1", 3061},
      {"SELECT * FROM ObitData WHERE Lastname LIKE \"Sm\"ith\"", 3075},
      {"SELECT * FROM ObitData WHERE [Obituary] like 'O'Neil'", 3075},
      {"Select * from SourcesSheet where newsid=", 3075},
      {"SELECT * FROM WHERE Lastname = 'x'", 3131},
      {"SELECT * FROM ObitData o, WHERE 1", 3131},
      {"SELECT * FROM ObitData WHERE Lastname = 'x'; DELETE FROM ObitData", 3142},
  };
  for (const auto& [sql, number] : cases)
    EXPECT_EQ(ErrorOf([&, &sql = sql] { db_.OpenQuery(sql, false); }), number) << sql.toStdString();
}

TEST_F(ObituaryFile, RecordsetMovesLikeTheViewerExpects) {
  SqliteRecordset rs = db_.OpenQuery(QString("SELECT * FROM ObitData") + kNameOrder, true);
  EXPECT_EQ(rs.CurrentPosition(), 1);  // the first row is record 1
  EXPECT_FALSE(rs.IsBOF());
  EXPECT_EQ(rs.FieldCount(), 15);
  rs.MoveToLast();
  EXPECT_EQ(rs.RowCount(), 7);
  EXPECT_EQ(rs.CurrentPosition(), 7);
  EXPECT_EQ(rs.FieldValue("LastName"), Variant("Zeta"));
  rs.MoveToNext();
  EXPECT_TRUE(rs.IsEOF());
  EXPECT_LT(rs.CurrentPosition(), 0);
  EXPECT_EQ(ErrorOf([&] { rs.FieldValue("LastName"); }), 3021);
  rs.MoveToNext();  // a second step beyond the end stays there
  rs.MoveToPrevious();
  EXPECT_FALSE(rs.IsEOF());
  EXPECT_EQ(rs.CurrentPosition(), 7);
  rs.MoveToFirst();
  EXPECT_EQ(rs.CurrentPosition(), 1);
  rs.MoveToPrevious();
  EXPECT_TRUE(rs.IsBOF());
  EXPECT_LT(rs.CurrentPosition(), 0);
  rs.MoveToNext();
  EXPECT_FALSE(rs.IsBOF());
  EXPECT_EQ(rs.CurrentPosition(), 1);
  // Column names match without regard to case; Null, blanks and numbers.
  EXPECT_EQ(rs.FieldValue("lastname"), Variant("Álvarez"));
  EXPECT_EQ(rs.FieldValue("LASTNAME"), rs.FieldValue("Lastname"));
  EXPECT_EQ(rs.FieldValue("TypedObit"), Variant::Null());
  EXPECT_EQ(rs.FieldValue("VisitationOverride"), Variant(int32_t{0}));
  EXPECT_EQ(rs.FieldValue("PublicationDateReal"), Variant(31002.0));
  EXPECT_EQ(ErrorOf([&] { rs.FieldValue("NoSuchColumn"); }), 3265);
  rs.MoveToNext();
  EXPECT_EQ(rs.CurrentPosition(), 2);
  EXPECT_EQ(rs.FieldValue("Given"), Variant("adam"));
}

TEST_F(ObituaryFile, EmptyAndSingleRowResults) {
  SqliteRecordset none = db_.OpenQuery("SELECT * FROM ObitData WHERE Lastname LIKE \"x*\"", false);
  EXPECT_EQ(none.CurrentPosition(), -1);
  EXPECT_TRUE(none.IsBOF());
  EXPECT_TRUE(none.IsEOF());
  EXPECT_EQ(none.FieldCount(), 15);
  none.MoveToLast();
  none.MoveToFirst();
  EXPECT_EQ(none.CurrentPosition(), -1);
  EXPECT_EQ(none.RowCount(), 0);
  EXPECT_EQ(ErrorOf([&] { none.FieldValue("ID"); }), 3021);

  SqliteRecordset one = db_.OpenQuery("SELECT * FROM ObitData WHERE [ID] = 5", false);
  one.MoveToNext();
  EXPECT_TRUE(one.IsEOF());
  one.MoveToPrevious();
  EXPECT_EQ(one.FieldValue("TypedObit"), Variant("   "));
  one.MoveToPrevious();
  EXPECT_TRUE(one.IsBOF());
  one.MoveToNext();
  EXPECT_EQ(one.CurrentPosition(), 1);

  const SqliteRecordset unset;
  EXPECT_EQ(unset.CurrentPosition(), -1);
  EXPECT_EQ(unset.FieldCount(), 0);
}

TEST_F(ObituaryFile, RecordsetOutlivesItsConnection) {
  SqliteRecordset rs;
  {
    SqliteConnection other;
    other.OpenDatabaseFile(path_);
    rs = other.OpenQuery("SELECT * FROM VERSHT", false);
  }
  EXPECT_EQ(rs.FieldValue("dbver"), Variant("3.1"));
  db_ = SqliteConnection();  // a new, unopened connection replaces the old
  EXPECT_EQ(ErrorOf([&] { db_.OpenQuery("SELECT * FROM VERSHT", false); }), 3420);
}

TEST_F(ObituaryFile, OpensWindowsFormPathsWithoutRegardToCase) {
  QString windowsPath = QString(folder_ + "/OBITS.DB").replace('/', '\\');
  SqliteConnection c;
  EXPECT_TRUE(c.OpenDatabaseFile(windowsPath));
  EXPECT_EQ(c.OpenQuery("SELECT * FROM VERSHT", false).RowCount(), 1);
}

TEST(RowSetValues, DeclaredTypesGiveVariantKinds) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/types.db";
  sqlitetest::ExecOnFile(path, R"(
    CREATE TABLE T (b BOOLEAN, s SMALLINT, d DATETIME, r DOUBLE, i INTEGER, t TEXT, n NUMERIC);
    INSERT INTO T VALUES (1, 12, 36526.5, 2, 3000000000, 'x', 7);
    INSERT INTO T VALUES (0, 40000, 'May 5', 'text', -5, CAST(X'436166E9' AS TEXT), NULL);
  )");
  SqliteConnection c;
  c.OpenDatabaseFile(path);
  SqliteRecordset rs = c.OpenQuery("SELECT T.*, s + 1 AS e FROM T", false);
  EXPECT_EQ(rs.FieldValue("b"), Variant(true));
  EXPECT_EQ(rs.FieldValue("s"), Variant(int16_t{12}));
  EXPECT_EQ(rs.FieldValue("d"), Variant(vb::DateValue{36526.5}));
  EXPECT_EQ(rs.FieldValue("r"), Variant(2.0));
  EXPECT_EQ(rs.FieldValue("i"), Variant(3000000000.0));
  EXPECT_EQ(rs.FieldValue("t"), Variant("x"));
  EXPECT_EQ(rs.FieldValue("n"), Variant(7.0));
  EXPECT_EQ(rs.FieldValue("e"), Variant(int32_t{13}));
  rs.MoveToNext();
  EXPECT_EQ(rs.FieldValue("b"), Variant(false));
  EXPECT_EQ(rs.FieldValue("s"), Variant(int32_t{40000}));  // beyond 16 bits
  EXPECT_EQ(rs.FieldValue("d"), Variant("May 5"));          // text stays text
  EXPECT_EQ(rs.FieldValue("r"), Variant("text"));
  EXPECT_EQ(rs.FieldValue("i"), Variant(int32_t{-5}));
  EXPECT_EQ(rs.FieldValue("t"), Variant("Café"));  // not UTF-8: Windows-1252
  EXPECT_EQ(rs.FieldValue("n"), Variant::Null());
}

}  // namespace
