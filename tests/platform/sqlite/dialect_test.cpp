// The Jet dialect: translation, LIKE, val and the other functions, collation.
#include "SqliteFixture.h"

#include "platform/sqlite/JetDialect.h"
#include "platform/sqlite/RowSet.h"
#include "platform/vb/VbError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using sqlitedb::JetLike;
using sqlitedb::RowSet;
using sqlitedb::TranslateJetSql;
using vb::Variant;

using sqlitetest::ErrorNumber;

namespace {

struct TranslationCase {
  const char* jet;
  const char* sqlite;
};

TEST(TranslateJetSql, RewritesTheJetDialect) {
  const TranslationCase cases[] = {
      // Statements of the obituary searches.
      {R"(SELECT * FROM ObitData WHERE Lastname LIKE "Sm*"  ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDate;)",
       R"(SELECT * FROM ObitData WHERE Lastname LIKE 'Sm*' COLLATE JETNOCASE  ORDER BY "ObitData"."NewsPubSourceID" COLLATE JETNOCASE, "ObitData"."PublicationDate" COLLATE JETNOCASE)"},
      {"SELECT * FROM ObitData WHERE [ROW] = '5' AND [Section] like '19''90'",
       R"(SELECT * FROM ObitData WHERE "ROW" = '5' COLLATE JETNOCASE AND "Section" like '19''90' COLLATE JETNOCASE)"},
      {"SELECT * FROM t ORDER BY t.A, val(t.ROW), t.LOT DESC;",
       R"(SELECT * FROM t ORDER BY "t"."A" COLLATE JETNOCASE, val("t"."ROW") COLLATE JETNOCASE, "t"."LOT" COLLATE JETNOCASE DESC)"},
      {"[Table].[Last Name]", R"("Table"."Last Name")"},
      // Double-quoted literals: "" is one double quote, apostrophes doubled.
      {R"(x = "it's ""x""")", R"(x = 'it''s "x"' COLLATE JETNOCASE)"},
      // Text joining with Jet's precedence: below + and -, above comparisons.
      {"a & b", "jet_concat(a, b)"},
      {R"(x = a & "-" & b + 1)", "x = jet_concat(a, '-' COLLATE JETNOCASE, b + 1)"},
      {"left(a, 2) & (b & c) = d", R"(jet_concat("left"(a, 2), (jet_concat(b, c))) = d)"},
      {"SELECT * FROM a LEFT JOIN b ON a.k = b.k", R"(SELECT * FROM a LEFT JOIN b ON "a"."k" = "b"."k")"},
      {"IIf(a > 1, b & c, 0)", "(CASE WHEN a > 1 THEN jet_concat(b, c) ELSE 0 END)"},
      {"flag = True OR flag = False", "flag = 1 OR flag = 0"},
      {"d > #12/31/1899# AND d < #1900-01-01 6:00 PM#", "d > 1 AND d < 2.75"},
      {"d = #10:30#", "d = .4375"},
      {"SELECT TOP 5 * FROM t ORDER BY x", "SELECT  * FROM t ORDER BY x COLLATE JETNOCASE LIMIT 5"},
      {"SELECT TOP 5 PERCENT * FROM t", "SELECT TOP 5 PERCENT * FROM t"},
      {"SELECT DISTINCT x FROM t WHERE y Is Not Null AND z IS NULL AND a <> b",
       "SELECT DISTINCT x FROM t WHERE y Is Not Null AND z IS NULL AND a <> b"},
      {"x NOT IN (1, 2) OR isnull(y)", R"(x COLLATE JETNOCASE NOT IN (1, 2) OR "isnull"(y))"},
      {"a NOT LIKE 'b*'", "a NOT LIKE 'b*' COLLATE JETNOCASE"},
      {"a--1", "a- -1"},
      {"x = 1 ; ; ", "x = 1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TranslateJetSql(QString::fromUtf8(c.jet)).toStdString(), c.sqlite) << c.jet;
}

TEST(TranslateJetSql, RejectsWhatJetCannotRead) {
  const std::pair<const char*, int> cases[] = {
      {R"(Lastname LIKE "Sm"ith")", 3075},  // a double quote inside a name search
      {"[Obituary] like 'O'Neil'", 3075},    // an apostrophe inside the source text
      {"[ROW", 3075},
      {"d = #13/45/2000#", 3075},
      {"d = #1/1/2000", 3075},
      {"SELECT 1; DROP TABLE t", 3142},
  };
  for (const auto& [sql, number] : cases)
    EXPECT_EQ(ErrorNumber([&] { TranslateJetSql(QString::fromUtf8(sql)); }), number) << sql;
}

TEST(JetLike, FollowsJetWildcards) {
  struct Case {
    const char* value;
    const char* pattern;
    bool match;
  };
  const Case cases[] = {
      {"Smith", "Sm*", true},      {"smith", "SM*", true},       {"Sm", "Sm*", true},
      {"Smith", "*th", true},      {"Smith", "S*i*h", true},     {"Smith", "*x*", false},
      {"Smith", "Sm?th", true},    {"Smth", "Sm?th", false},     {"R2D2", "R#D#", true},
      {"RXD2", "R#D#", false},     {"cat", "[bc]at", true},      {"rat", "[bc]at", false},
      {"rat", "[!bc]at", true},    {"Mat", "[a-m]at", true},     {"Nat", "[a-m]at", false},
      {"a*b", "a[*]b", true},      {"axb", "a[*]b", false},      {"a-b", "a[-]b", true},
      {"", "*", true},             {"", "?", false},             {"abc", "abc", true},
      {"abcd", "abc", false},      {"Álvarez", "á*", true},      {"ÉCOLE", "é?ole", true},
      {"5", "#", true},            {"aaa", "*a*a*a*", true},     {"aa", "*a*a*a*", false},
      {"ab", "a[]b", true},        {"Sm*th", "Sm[*]th", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JetLike(QString::fromUtf8(c.value), QString::fromUtf8(c.pattern)), c.match)
        << c.value << " LIKE " << c.pattern;
  EXPECT_EQ(ErrorNumber([] { JetLike("a", "[ab"); }), 93);
  EXPECT_EQ(ErrorNumber([] { JetLike("a", "[z-a]"); }), 93);
}

// An in-memory connection with the Jet functions and the read-only rules.
class JetSql : public ::testing::Test {
 protected:
  void SetUp() override {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
    db_.reset(raw, sqlite3_close);
    sqlitedb::RegisterJetFunctions(raw);
  }
  RowSet Run(const QString& jet) { return RowSet::Execute(db_.get(), TranslateJetSql(jet)); }
  Variant Eval(const QString& expr) { return Run("SELECT " + expr).Value(0, 0); }
  std::shared_ptr<sqlite3> db_;
};

TEST_F(JetSql, FunctionsGiveJetResults) {
  const std::pair<const char*, Variant> cases[] = {
      {R"("a" & Null & "b")", Variant("ab")},
      {"Null & Null", Variant::Null()},
      {R"(1 + 2 & "x")", Variant("3x")},
      {R"("x" & 1.5)", Variant("x1.5")},
      {R"(val("12abc"))", Variant(12.0)},
      {R"(val(" 1 2 x"))", Variant(12.0)},
      {R"(val("abc"))", Variant(0.0)},
      {R"(val("&H10"))", Variant(16.0)},
      {"val(7)", Variant(int32_t{7})},
      {"val(2.5)", Variant(2.5)},
      {R"(IIf(1 = 1, "y", val(Null)))", Variant("y")},
      {"#12/31/1899#", Variant(int32_t{1})},
      {"True", Variant(int32_t{1})},
      {R"(left("abcdef", 2))", Variant("ab")},
      {R"(right("abcdef", 2))", Variant("ef")},
      {R"(mid("abcdef", 2, 3))", Variant("bcd")},
      {R"(mid("abcdef", 5))", Variant("ef")},
      {R"(len("abc"))", Variant(int32_t{3})},
      {"len(Null)", Variant::Null()},
      {R"(ucase("aé"))", Variant("AÉ")},
      {R"(lcase("AÉ"))", Variant("aé")},
      {R"(trim("  a b  "))", Variant("a b")},
      {R"(ltrim("  a  "))", Variant("a  ")},
      {R"(rtrim("  a  "))", Variant("  a")},
      {R"(instr("abcABC", "C"))", Variant(int32_t{3})},
      {R"(instr(4, "abcABC", "c"))", Variant(int32_t{6})},
      {R"(instr(1, "abcABC", "C", 0))", Variant(int32_t{6})},
      {R"(instr("abc", "x"))", Variant(int32_t{0})},
      {"cstr(5)", Variant("5")},
      {"cstr(0.5)", Variant(".5")},
      {"cint(2.5)", Variant(int32_t{2})},
      {"cint(3.5)", Variant(int32_t{4})},
      {R"(clng("70000"))", Variant(int32_t{70000})},
      {R"(cdbl("1.5"))", Variant(1.5)},
      {R"(nz(Null, "d"))", Variant("d")},
      {"nz(Null)", Variant("")},
      {"nz(4)", Variant(int32_t{4})},
      {"isnull(Null)", Variant(int32_t{1})},
      {R"(isnull(""))", Variant(int32_t{0})},
      {R"("abc" = "ABC")", Variant(int32_t{1})},
      {R"("Smith" LIKE "sm*")", Variant(int32_t{1})},
      {R"("abc" NOT LIKE "a?c")", Variant(int32_t{0})},
      {R"(Null LIKE "*")", Variant::Null()},
      {R"(25 LIKE "##")", Variant(int32_t{1})},
  };
  for (const auto& [expr, expected] : cases) {
    EXPECT_EQ(Eval(QString::fromUtf8(expr)), expected) << expr;
  }
}

TEST_F(JetSql, FunctionErrorsCarryTheirNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"val(Null)", 3464},          {"cint(40000)", 6},         {R"(cint("x"))", 13},
      {R"(left("a", -1))", 5},      {R"(mid("a", 0))", 5},      {"cstr(Null)", 94},
      {R"("a" LIKE "[a")", 93},     {"nosuch(1)", 3085},        {"left(1)", 3075},
  };
  for (const auto& [expr, number] : cases)
    EXPECT_EQ(ErrorNumber([&] { Eval(QString::fromUtf8(expr)); }), number) << expr;
}

TEST_F(JetSql, TheEngineReadsDoubleQuotesOnlyAsNames) {
  // Translated, "x" is text; handed to the engine as it is, a name.
  EXPECT_EQ(Eval(R"("nosuch")"), Variant("nosuch"));
  EXPECT_EQ(ErrorNumber([&] { RowSet::Execute(db_.get(), R"(SELECT "nosuch")"); }), 3061);
}

TEST_F(JetSql, ValOfNullFailsASortButNotAnEmptyTable) {
  sqlite3_exec(db_.get(), "CREATE TABLE t (ROW TEXT); INSERT INTO t VALUES ('10'), ('9'), ('x2')",
               nullptr, nullptr, nullptr);
  const RowSet sorted = Run("SELECT ROW FROM t ORDER BY val(t.ROW);");
  ASSERT_EQ(sorted.RowCount(), 3);
  EXPECT_EQ(sorted.Value(0, 0), Variant("x2"));
  EXPECT_EQ(sorted.Value(1, 0), Variant("9"));
  EXPECT_EQ(sorted.Value(2, 0), Variant("10"));
  sqlite3_exec(db_.get(), "INSERT INTO t VALUES (NULL)", nullptr, nullptr, nullptr);
  EXPECT_EQ(ErrorNumber([&] { Run("SELECT * FROM t ORDER BY val(t.ROW);"); }), 3464);
  sqlite3_exec(db_.get(), "DELETE FROM t", nullptr, nullptr, nullptr);
  EXPECT_EQ(Run("SELECT * FROM t ORDER BY val(t.ROW);").RowCount(), 0);
}

TEST_F(JetSql, TextSortsAndComparesWithoutRegardToCase) {
  sqlite3_exec(db_.get(),
               "CREATE TABLE n (name TEXT);"
               "INSERT INTO n VALUES ('b'), ('B'), ('a'), ('C'), ('ä'), ('Ä'), ('A');",
               nullptr, nullptr, nullptr);
  const RowSet rows = Run("SELECT name FROM n ORDER BY n.name;");
  QStringList order;
  for (int r = 0; r < rows.RowCount(); ++r) order << rows.Value(r, 0).AsString().toLower();
  EXPECT_EQ(order.join(','), QStringLiteral("a,a,b,b,c,ä,ä"));
  const RowSet down = Run("SELECT name FROM n ORDER BY name DESC");
  EXPECT_EQ(down.Value(0, 0).AsString().toLower(), QStringLiteral("ä"));
  EXPECT_EQ(down.Value(6, 0).AsString().toLower(), QStringLiteral("a"));
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name = "ä")").RowCount(), 2);
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name > "b")").RowCount(), 3);
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name IN ("a", "c"))").RowCount(), 3);
}

}  // namespace
