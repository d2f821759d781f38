// Recordsets over fixture databases: navigation, order, fields and values.
#include "DaoFixtures.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/SlowConditions.h"

#include "platform/dao/Dao.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/vb/VbError.h"

#include <gtest/gtest.h>

#include <functional>

using namespace daotest;
using vb::DateValue;
using vb::Variant;

namespace {

const Variant N = Variant::Null();

using testutil::ErrorOf;

QString LongMemo() {
  QString s;
  while (s.size() < 70000) s += QStringLiteral("Grabstätte %1; ").arg(s.size());
  return s;
}

class RecordsetTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new FixtureDir();
    Table versht{"VERSHT", {{"dbver", ColumnType::Text, 10}, {"dbappinfo", ColumnType::Double}},
                 {{"3.1", 2.5}}};
    Table cem{"CemSheet", {{"Cemetery", ColumnType::Text, 50}, {"Notes", ColumnType::Memo}},
              {{"Oak Hill", "on the hill"}, {"Elm", LongMemo()}}};
    Table empty{"Vacant", {{"A", ColumnType::Text, 5}}, {}};
    Table kinds{"Kinds",
                {{"B", ColumnType::Byte}, {"I", ColumnType::Integer}, {"D", ColumnType::Double}},
                {{Variant(int16_t(200)), Variant(int16_t(-7)), 0.25}}};
    path_ = new QString(dir_->Write(
        "burials.mdb",
        {BurialTable({
             {"Smith", "John", "Oak Hill", "A", "10", "1", "2", 70, DateValue{-3000.5}, true,
              "born in a barn"},
             {"smith", "Anna", "Oak Hill", "A", "9", "1", "1", 0, N, false, ""},
             {"Adams", "Zoe", "Elm", "B", "2", "3", "10", N, DateValue{36526.25}, false, N},
         }),
         versht, cem, empty, kinds}));
    Table blank = BurialTable({{"Smith", "John", "Oak Hill", "A", N, "1", "2", 1, N, true, N},
                               {"Jones", "Al", "Oak Hill", "A", "3", "1", "", 2, N, true, N}});
    blankPath_ = new QString(dir_->Write("blank.mdb", {blank}));
  }
  static void TearDownTestSuite() {
    delete path_;
    delete blankPath_;
    delete dir_;
  }
  void SetUp() override { db_ = dao::DBEngine().Workspaces(0).OpenDatabase(*path_, true, true); }

  std::unique_ptr<dao::Recordset> Open(const QString& sql) { return db_->OpenRecordset(sql); }
  // The column's values, row after row.
  static QStringList Column(dao::Recordset& rs, const QString& name) {
    QStringList out;
    if (rs.AbsolutePosition() < 0) return out;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext()) {
      const Variant v = rs.Fields()(name).Value();
      out << (v.IsNull() ? QStringLiteral("<null>") : v.AsString());
    }
    return out;
  }

  static FixtureDir* dir_;
  static QString* path_;
  static QString* blankPath_;
  std::unique_ptr<dao::Database> db_;
};
FixtureDir* RecordsetTest::dir_ = nullptr;
QString* RecordsetTest::path_ = nullptr;
QString* RecordsetTest::blankPath_ = nullptr;

TEST_F(RecordsetTest, NavigatesAnEmptyResult) {
  auto rs = Open("SELECT * FROM Sheet1 WHERE LastName = 'Nobody'");
  EXPECT_EQ(rs->AbsolutePosition(), -1);
  EXPECT_TRUE(rs->BOF());
  EXPECT_TRUE(rs->EOF_());
  EXPECT_EQ(rs->Fields().Count(), 11);
  EXPECT_EQ(ErrorOf([&] { rs->MoveLast(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Fields()("LastName").Value(); }), 3021);
  EXPECT_EQ(Open("SELECT * FROM Vacant")->AbsolutePosition(), -1);
}

TEST_F(RecordsetTest, StepsPastBothEndsAndBack) {
  auto rs = Open("SELECT * FROM VERSHT");
  ASSERT_EQ(rs->AbsolutePosition(), 0);  // a fresh result stands on its first row
  rs->MoveLast();
  EXPECT_EQ(rs->RecordCount(), 1);
  rs->MoveNext();
  EXPECT_TRUE(rs->EOF_());
  EXPECT_FALSE(rs->BOF());
  EXPECT_EQ(rs->AbsolutePosition(), -1);
  EXPECT_EQ(ErrorOf([&] { rs->Fields()("dbver").Value(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), 3021);  // beyond the marker
  rs->MovePrevious();
  EXPECT_EQ(rs->AbsolutePosition(), 0);
  EXPECT_EQ(rs->Fields()("DBVER").Value(), Variant("3.1"));
  rs->MovePrevious();
  EXPECT_TRUE(rs->BOF());
  EXPECT_EQ(ErrorOf([&] { rs->MovePrevious(); }), 3021);
  rs->MoveNext();
  EXPECT_EQ(rs->AbsolutePosition(), 0);

  auto many = Open("SELECT * FROM Sheet1");
  many->MoveLast();
  EXPECT_EQ(many->AbsolutePosition(), 2);
  EXPECT_EQ(many->RecordCount(), 3);
  many->MovePrevious();
  EXPECT_EQ(many->AbsolutePosition(), 1);
}

TEST_F(RecordsetTest, OrdersTextWithoutRegardToCase) {
  auto rs = Open("SELECT * FROM Sheet1 ORDER BY Sheet1.LASTNAME, Sheet1.GIVEN;");
  EXPECT_EQ(Column(*rs, "Given"), QStringList({"Zoe", "Anna", "John"}));
  auto eq = Open("SELECT * FROM Sheet1 WHERE LastName = 'SMITH' ORDER BY Sheet1.GIVEN;");
  EXPECT_EQ(Column(*eq, "Given"), QStringList({"Anna", "John"}));
}

TEST_F(RecordsetTest, PlacementSortAndItsFallBack) {
  const QString natural =
      " ORDER BY Sheet1.Cemetery, Sheet1.Section, val(Sheet1.ROW), Sheet1.LOT, val(Sheet1.STONE);";
  const QString plain =
      " ORDER BY Sheet1.Cemetery, Sheet1.Section, Sheet1.ROW, Sheet1.LOT, Sheet1.STONE;";
  auto rs = Open("SELECT * FROM Sheet1" + natural);
  EXPECT_EQ(Column(*rs, "ROW"), QStringList({"2", "9", "10"}));

  auto blank = dao::DBEngine().Workspaces(0).OpenDatabase(*blankPath_, true, true);
  EXPECT_EQ(ErrorOf([&] { blank->OpenRecordset("SELECT * FROM Sheet1" + natural); }), 3464);
  auto fallBack = blank->OpenRecordset("SELECT * FROM Sheet1" + plain);
  EXPECT_EQ(Column(*fallBack, "LastName"), QStringList({"Smith", "Jones"}));
}

TEST_F(RecordsetTest, FieldsByNameWithoutRegardToCase) {
  auto rs = Open("SELECT * FROM Sheet1 WHERE Given = 'Zoe'");
  EXPECT_EQ(rs->Fields().Count(), 11);
  EXPECT_EQ(rs->Fields()("lastname").Value(), Variant("Adams"));
  EXPECT_EQ(rs->Fields()("LASTNAME").Value(), Variant("Adams"));
  EXPECT_EQ(rs->Fields()("LastName").Name(), QStringLiteral("LastName"));
  EXPECT_EQ(ErrorOf([&] { rs->Fields()("NoSuchColumn"); }), 3265);
}

TEST_F(RecordsetTest, ValuesKeepTheirKinds) {
  auto rs = Open("SELECT * FROM Sheet1 ORDER BY Given");  // Anna, John, Zoe
  auto f = rs->Fields();
  // Anna: empty texts, a zero, no date.
  EXPECT_EQ(f("Notes").Value(), Variant(""));
  EXPECT_EQ(f("Age").Value(), Variant(int32_t(0)));
  EXPECT_TRUE(f("Born").Value().IsNull());
  EXPECT_EQ(f("Veteran").Value(), Variant(false));
  rs->MoveNext();  // John: a date before 1900, a memo, True
  EXPECT_EQ(f("Age").Value(), Variant(int32_t(70)));
  EXPECT_EQ(f("Born").Value(), Variant(DateValue{-3000.5}));
  EXPECT_EQ(f("Veteran").Value(), Variant(true));
  EXPECT_EQ(f("Notes").Value(), Variant("born in a barn"));
  rs->MoveNext();  // Zoe: Null number and memo, a date with a time
  EXPECT_TRUE(f("Age").Value().IsNull());
  EXPECT_TRUE(f("Notes").Value().IsNull());
  EXPECT_EQ(f("Born").Value(), Variant(DateValue{36526.25}));

  auto kinds = Open("SELECT * FROM Kinds");
  EXPECT_EQ(kinds->Fields()("B").Value().ToDouble(), 200);
  EXPECT_EQ(kinds->Fields()("I").Value(), Variant(int16_t(-7)));
  EXPECT_EQ(kinds->Fields()("D").Value(), Variant(0.25));
  auto ver = Open("SELECT * FROM VERSHT");
  EXPECT_EQ(ver->Fields()("dbappinfo").Value(), Variant(2.5));
}

TEST_F(RecordsetTest, ReadsLongMemosWhole) {
  auto rs = Open("SELECT * FROM CemSheet WHERE CemSheet.Cemetery=\"Elm\" ORDER BY CemSheet.Cemetery;");
  ASSERT_EQ(rs->AbsolutePosition(), 0);
  EXPECT_EQ(rs->Fields()("Notes").Value(), Variant(LongMemo()));
}

TEST_F(RecordsetTest, RunsTheViewersStatements) {
  struct Case {
    const char* sql;
    int rows;
  } cases[] = {
      {"SELECT * FROM VERSHT", 1},
      {"SELECT * FROM Sheet1 WHERE Lastname LIKE 'Sm*' AND Given Like 'J*' ORDER BY "
       "Sheet1.LASTNAME, Sheet1.GIVEN;", 1},
      {"SELECT * FROM Sheet1 WHERE Lastname LIKE 'A''B' ORDER BY Sheet1.LASTNAME, Sheet1.GIVEN;", 0},
      {"SELECT * FROM Sheet1 WHERE [ROW] = '10' AND [Section] like 'a' AND [Cemetery] like "
       "'oak*' ORDER BY Sheet1.Cemetery, Sheet1.Section, val(Sheet1.ROW), Sheet1.LOT, "
       "val(Sheet1.STONE);", 1},
      {"SELECT * FROM CemSheet WHERE CemSheet.Cemetery=\"Oak Hill\" ORDER BY CemSheet.Cemetery;", 1},
      {"SELECT * FROM CemSheet ORDER BY CemSheet.Cemetery;", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    auto rs = Open(c.sql);
    if (c.rows > 0) rs->MoveLast();
    EXPECT_EQ(rs->RecordCount(), c.rows);
  }
}

TEST_F(RecordsetTest, StatementErrorsCarryEngineNumbers) {
  EXPECT_EQ(ErrorOf([&] { Open("SELECT * FROM NoSuchTable"); }), 3078);
  EXPECT_EQ(ErrorOf([&] { Open("SELECT * FROM Sheet1 WHERE Nope = 1"); }), 3061);
  const int syntax = ErrorOf([&] { Open("SELECT * FROM Sheet1 WHERE  ORDER BY Sheet1.LASTNAME;"); });
  EXPECT_NE(syntax, 0);
  EXPECT_NE(syntax, 3078);
}

// The copy's connection has the same bounds as the obituary file's: only
// Jet's functions, capped lengths, a time limit; it answers after each.
TEST_F(RecordsetTest, HostileStatementsEndWithAnErrorAndTheCopyKeepsWorking) {
  const std::pair<QString, int> cases[] = {
      {"SELECT * FROM Sheet1 WHERE length(printf('%.*c', 900000000, 'x')) > 0", 3085},
      {"SELECT * FROM Sheet1 WHERE length(randomblob(500000000)) > 0", 3085},
      {"SELECT * FROM Sheet1 WHERE LastName LIKE \"" + QString(100000, u'x') + "\"", 3035},
      {"SELECT count(*) AS n FROM Sheet1 a, Sheet1 b, Sheet1 c, CemSheet d, Sheet1 e, Sheet1 f, "
       "Sheet1 g, Sheet1 h, Sheet1 i, Sheet1 j, Sheet1 k, Sheet1 l, Sheet1 m, Sheet1 n, Sheet1 o, "
       "Sheet1 p, Sheet1 q, Sheet1 r, Sheet1 s, Sheet1 t, Sheet1 u, Sheet1 v, Sheet1 w",
       3360},
  };
  for (const auto& [sql, number] : cases) {
    EXPECT_EQ(ErrorOf([&, &sql = sql] { Open(sql); }), number) << sql.left(80).toStdString();
    EXPECT_EQ(Open("SELECT * FROM VERSHT")->RecordCount(), 1);
  }
}

// A user's condition whose LIKE once took a second a row, on its own and over
// a cross join of two sub-selections: past a time limit shorter than it
// needs, the open fails with 3360 (raised inside the matcher) and the copy
// answers the next statement; given time enough (a limit no machine comes
// near, so that a slow or loaded build does not decide it) nothing matches.
TEST_F(RecordsetTest, ExpensiveLikeEndsAtTheTimeLimitAndTheCopyAnswers) {
  const QString conditions[] = {
      testkit::ExpensiveLike("LastName"),
      testkit::ExpensiveLikeOverCrossJoin("SELECT LastName FROM Sheet1", "SELECT Given FROM Sheet1"),
  };
  for (const QString& condition : conditions) {
    SCOPED_TRACE(condition.left(40).toStdString());
    const QString sql = "SELECT * FROM Sheet1 WHERE " + condition;
    {
      const sqlitedb::StatementLimitForTesting none(0);
      EXPECT_EQ(ErrorOf([&] { Open(sql); }), vb::err::QueryTooComplex);
    }
    EXPECT_EQ(Open("SELECT * FROM VERSHT")->RecordCount(), 1);
    const sqlitedb::StatementLimitForTesting ample(testkit::kAmpleStatementMs);
    EXPECT_EQ(Open(sql)->AbsolutePosition(), -1);
  }
}

TEST_F(RecordsetTest, ClosedObjectsRefuseWork) {
  auto rs = Open("SELECT * FROM VERSHT");
  rs->Close();
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), 3420);
  auto other = Open("SELECT * FROM VERSHT");
  db_->Close();
  EXPECT_EQ(ErrorOf([&] { other->Fields()("dbver").Value(); }), 3420);
  EXPECT_EQ(ErrorOf([&] { Open("SELECT * FROM VERSHT"); }), 3420);
}

}  // namespace
