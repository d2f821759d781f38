// The Jet dialect: translation, LIKE, val and the other functions, collation.
#include "platform/jetsql/JetCollation.h"
#include "platform/jetsql/JetDialect.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/sqlite/RowSet.h"
#include "platform/vb/VbError.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/Printing.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <random>
#include <vector>

using sqlitedb::JetLike;
using sqlitedb::RowSet;
using sqlitedb::TranslateJetSql;
using vb::Variant;

using testutil::ErrorOf;

namespace {

struct TranslationCase {
  const char* jet;
  const char* sqlite;
};

TEST(TranslateJetSql, RewritesTheJetDialect) {
  const TranslationCase cases[] = {
      // Statements of the obituary searches.
      {R"(SELECT * FROM ObitData WHERE Lastname LIKE "Sm*"  ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDate;)",
       R"(SELECT * FROM "ObitData" WHERE "Lastname" LIKE 'Sm*' COLLATE JETNOCASE ORDER BY "ObitData"."NewsPubSourceID" COLLATE JETNOCASE, "ObitData"."PublicationDate" COLLATE JETNOCASE)"},
      {"SELECT * FROM ObitData WHERE [ROW] = '5' AND [Section] like '19''90'",
       R"(SELECT * FROM "ObitData" WHERE "ROW" = '5' COLLATE JETNOCASE AND "Section" LIKE '19''90' COLLATE JETNOCASE)"},
      {"SELECT * FROM t ORDER BY t.A, val(t.ROW), t.LOT DESC;",
       R"(SELECT * FROM "t" ORDER BY "t"."A" COLLATE JETNOCASE, "val"("t"."ROW") COLLATE JETNOCASE, "t"."LOT" COLLATE JETNOCASE DESC)"},
      // Names: brackets, "." and "!", every name quoted.
      {"SELECT [Table].[Last Name], T!Row FROM [Table], T",
       R"(SELECT "Table"."Last Name", "T"."Row" FROM "Table", "T")"},
      // Double-quoted literals: "" is one double quote, apostrophes doubled.
      {R"(SELECT * FROM t WHERE x = "it's ""x""")", R"(SELECT * FROM "t" WHERE "x" = 'it''s "x"' COLLATE JETNOCASE)"},
      // Text joining with Jet's precedence: below + and -, above comparisons;
      // the joined text compares without regard to case.
      {R"(SELECT * FROM t WHERE x = a & "-" & b + 1)",
       R"(SELECT * FROM "t" WHERE "x" = jet_concat("a", '-' COLLATE JETNOCASE, jet_add("b", 1)))"},
      {"SELECT * FROM t WHERE left(a, 2) & (b & c) = d",
       R"(SELECT * FROM "t" WHERE jet_concat("left"("a", 2), jet_concat("b", "c")) COLLATE JETNOCASE = "d")"},
      {"SELECT * FROM a LEFT JOIN b ON a.k = b.k",
       R"(SELECT * FROM "a" LEFT JOIN "b" ON "a"."k" = "b"."k")"},
      {"SELECT * FROM a INNER JOIN (b RIGHT OUTER JOIN c ON b.k = c.k) ON a.k = b.k",
       R"(SELECT * FROM "a" INNER JOIN ("b" RIGHT JOIN "c" ON "b"."k" = "c"."k") ON "a"."k" = "b"."k")"},
      {"SELECT IIf(a > 1, b & c, 0) AS [x y] FROM t",
       R"(SELECT (CASE WHEN "a" > 1 THEN jet_concat("b", "c") ELSE 0 END) AS "x y" FROM "t")"},
      // Without the Jet engine's column types, True is SQLite's 1.
      {"SELECT * FROM t WHERE flag = True OR flag = False", R"(SELECT * FROM "t" WHERE "flag" = 1 OR "flag" = 0)"},
      {"SELECT * FROM t WHERE d > #12/31/1899# AND d < #1900-01-01 6:00 PM# OR d = #10:30#",
       R"(SELECT * FROM "t" WHERE "d" > 1 AND "d" < 2.75 OR "d" = .4375)"},
      {"SELECT * FROM t WHERE d = #2 Jan 1850# OR d = #January 2, 1850# OR d = #1/2/1850#",
       R"(SELECT * FROM "t" WHERE "d" = -18259 OR "d" = -18259 OR "d" = -18259)"},
      {"SELECT TOP 5 * FROM t ORDER BY x", R"(SELECT * FROM "t" ORDER BY "x" COLLATE JETNOCASE LIMIT 5)"},
      {"SELECT DISTINCT x FROM t WHERE y Is Not Null AND z IS NULL AND a <> b",
       R"(SELECT DISTINCT "x" FROM "t" WHERE "y" IS NOT NULL AND "z" IS NULL AND "a" <> "b")"},
      {"SELECT * FROM t WHERE x NOT IN (1, 2) OR isnull(y)",
       R"(SELECT * FROM "t" WHERE "x" COLLATE JETNOCASE NOT IN (1, 2) OR "isnull"("y"))"},
      {"SELECT * FROM t WHERE a NOT LIKE 'b*'", R"(SELECT * FROM "t" WHERE "a" NOT LIKE 'b*' COLLATE JETNOCASE)"},
      // Arithmetic with Jet's precedence: ^, sign, * /, \, Mod, + -.
      {R"(SELECT * FROM t WHERE a--1 = 2 - 3 * 4 / 5 \ 6 Mod 7 ^ -8)",
       R"(SELECT * FROM "t" WHERE "a" - -1 = 2 - jet_mod(jet_intdiv(1.0 * 3 * 4 / 5, 6), jet_pow(7, -8)))"},
      {"SELECT * FROM t WHERE -2^2 = x AND (a - b) * c = (a + b) * c",
       R"(SELECT * FROM "t" WHERE -jet_pow(2, 2) = "x" AND ("a" - "b") * "c" = jet_add("a", "b") * "c")"},
      // Jet compares left to right at one level; Not, And and Or as written.
      {"SELECT * FROM t WHERE a = b < c OR NOT (d OR e) AND ((((f))))",
       R"(SELECT * FROM "t" WHERE ("a" = "b") < "c" OR NOT ("d" OR "e") AND "f")"},
      {"SELECT * FROM t WHERE x IN (SELECT y FROM u WHERE u.z = t.z) AND EXISTS (SELECT * FROM u)",
       R"(SELECT * FROM "t" WHERE "x" COLLATE JETNOCASE IN (SELECT "y" FROM "u" WHERE "u"."z" = "t"."z") AND EXISTS (SELECT * FROM "u"))"},
      {"SELECT count(*) AS n FROM t GROUP BY a HAVING count(*) > 1 UNION ALL SELECT 1 FROM u",
       R"(SELECT "count"(*) AS "n" FROM "t" GROUP BY "a" HAVING "count"(*) > 1 UNION ALL SELECT 1 FROM "u")"},
      {"SELECT * FROM (SELECT * FROM t) AS s", R"(SELECT * FROM (SELECT * FROM "t") AS "s")"},
      {"SELECT * FROM t WHERE x = 1 ; ; ", R"(SELECT * FROM "t" WHERE "x" = 1)"},
      // Asc followed by "(" is the function, elsewhere the word of ORDER BY.
      {"SELECT Asc(x) AS a FROM t ORDER BY Asc(x) ASC, y ASC, Asc(z)",
       R"(SELECT "asc"("x") AS "a" FROM "t" ORDER BY "asc"("x") COLLATE JETNOCASE ASC, "y" COLLATE JETNOCASE ASC, "asc"("z") COLLATE JETNOCASE)"},
      // Switch and Choose evaluate only the value they pick.
      {"SELECT * FROM t WHERE Switch(a = 1, 'x', b, c) = Choose(d, 'y', e)",
       R"(SELECT * FROM "t" WHERE (CASE WHEN "a" = 1 THEN 'x' COLLATE JETNOCASE WHEN "b" THEN "c" END) COLLATE JETNOCASE = (CASE "round"("d") WHEN 1 THEN 'y' COLLATE JETNOCASE WHEN 2 THEN "e" END))"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TranslateJetSql(QString::fromUtf8(c.jet)).toStdString(), c.sqlite) << c.jet;
}

// Long And/Or chains become a balanced tree of groups, so that the engine's
// depth limit (1000) is never reached.
TEST(TranslateJetSql, KeepsLongConditionsShallow) {
  QStringList terms;
  for (int i = 0; i < 5000; ++i) terms << QStringLiteral("x = %1").arg(i);
  const QString sql = TranslateJetSql("SELECT * FROM t WHERE " + terms.join(" OR "));
  int depth = 0, deepest = 0;
  for (QChar c : sql) {
    if (c == u'(') deepest = std::max(deepest, ++depth);
    if (c == u')') --depth;
  }
  EXPECT_EQ(depth, 0);
  EXPECT_LT(deepest, 20);
  EXPECT_EQ(sql.count(QStringLiteral(" OR ")), 4999);
}

TEST(TranslateJetSql, RejectsWhatJetCannotRead) {
  const QString deep = "SELECT * FROM t WHERE " + QString(8000, u'(') + "1" + QString(8000, u')');
  const QString nots = "SELECT * FROM t WHERE " + QStringLiteral("NOT ").repeated(8000) + "a";
  const QString signs = "SELECT * FROM t WHERE x = " + QStringLiteral("-").repeated(8000) + "1";
  const QString allowed = "SELECT * FROM t WHERE " + QString(150, u'(') + "1" + QString(150, u')');
  const std::pair<QString, int> cases[] = {
      {R"(SELECT * FROM t WHERE Lastname LIKE "Sm"ith")", 3075},  // a double quote inside a name search
      {"SELECT * FROM t WHERE [Obituary] like 'O'Neil'", 3075},    // an apostrophe inside the source text
      {"SELECT * FROM t WHERE [ROW", 3075},
      {"SELECT * FROM t WHERE (a = 1", 3075},
      {"SELECT * FROM t WHERE a = 1)", 3075},
      {"SELECT * FROM t WHERE d = #13/45/2000#", 3075},
      {"SELECT * FROM t WHERE d = #1/1/2000", 3075},
      {"SELECT * FROM t WHERE a = 1 b", 3075},
      {"SELECT * FROM t WHERE", 3075},
      {QStringLiteral("SELECT * FROM t WHERE a = 'x'") + QChar(0) + " OR 1 = 1", 3075},
      {"SELECT 1; DROP TABLE t", 3142},
      {"SELECT * FROM WHERE a = 1", 3131},
      {"SELECT * FROM t u, WHERE 1", 3131},
      // Nesting beyond the limit is a syntax error, not a stack overflow.
      {deep, 3075}, {nots, 3075}, {signs, 3075}, {allowed, 0},
      // Other dialects' statements and words.
      {"SELECT * FROM t WHERE 1 IN (WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT x FROM c)", 3075},
      {"WITH x AS (SELECT 1) SELECT * FROM x", 3129},
      {"PRAGMA table_info(t)", 3129},
      {"ATTACH DATABASE 'x.db' AS x", 3129},
      {"", 3129},
      {"DELETE FROM t", 3027},
      {"SELECT * INTO u FROM t", 3027},
      {"SELECT * FROM t WHERE a LIKE 'x' ESCAPE 'y'", 3075},
      {"SELECT * FROM t WHERE a || b = 'c' OR a == b OR a != b", 3075},
      {"SELECT * FROM t WHERE CASE WHEN a THEN 1 END", 3075},
      {"SELECT * FROM t WHERE a GLOB 'x' OR a LIKE 'x' COLLATE NOCASE", 3075},
      {"SELECT * FROM t WHERE a Xor b", 3075},
      {"SELECT * FROM t WHERE ATTACH DATABASE 'x' AS y", 3075},
      {"SELECT * FROM t LIMIT 5", 3075},
      {"SELECT TOP 5 PERCENT * FROM t", 3075},
      {"SELECT * FROM t WHERE IIf(a, b)", 3075},
      {"SELECT * FROM t WHERE Switch(a, b, c)", 3075},
      {"SELECT * FROM t WHERE Switch()", 3075},
      {"SELECT * FROM t WHERE Choose(a)", 3075},
      {"SELECT Asc FROM t", 3075},
      {"SELECT * FROM t ORDER BY x ASC ASC", 3075},
  };
  for (const auto& [sql, number] : cases)
    EXPECT_EQ(ErrorOf([&sql = sql] { TranslateJetSql(sql); }), number) << sql.left(120).toStdString();
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
      // The text at both ends of a star is not shared by the parts beside it.
      {"a", "a*a", false},         {"aa", "a*a", true},          {"aba", "ab*ba", false},
      {"abba", "ab*ba", true},     {"", "*?*", false},           {"ababac", "*abac", true},
      {"aaab", "*aab*", true},     {"xXbXy", "*X?X*", true},     {"12a", "*#[!0-9]", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JetLike(QString::fromUtf8(c.value), QString::fromUtf8(c.pattern)), c.match)
        << c.value << " LIKE " << c.pattern;
  EXPECT_EQ(ErrorOf([] { JetLike("a", "[ab"); }), 93);
  EXPECT_EQ(ErrorOf([] { JetLike("a", "[z-a]"); }), 93);
}

// A piece of a generated LIKE pattern and the same as a regular expression.
struct LikePiece {
  QString jet;
  QString regex;
};

// JetLike against a regular expression (anchored, without regard to case,
// which is case folding for these ASCII texts) on many generated cases:
// short patterns over a small alphabet, and patterns with runs longer than
// a word of 64 elements over long texts.
TEST(JetLike, AgreesWithARegularExpressionOnGeneratedCases) {
  const std::vector<LikePiece> shortPieces = {
      {"a", "a"},       {"B", "b"},         {"1", "1"},         {"?", "."},
      {"#", "[0-9]"},   {"*", ".*"},        {"**", ".*"},       {"[ab]", "[ab]"},
      {"[!a]", "[^a]"}, {"[a-b]", "[a-b]"}, {"[!1-2]", "[^1-2]"}, {"[]", ""},
      {"[!]", "."},     {"[b-b1a]", "[b1a]"},
  };
  const std::vector<LikePiece> longPieces = {
      {"a", "a"},
      {"*", ".*"},
      {"b", "b"},
      {QString(70, u'?'), ".{70}"},
      {QString(65, u'A'), "a{65}"},
      {QString(130, u'a') + "?", "a{130}."},
      {QString(66 * 4, u' ').replace(QStringLiteral("    "), QStringLiteral("[!b]")), "[^b]{66}"},
  };
  struct Run {
    const std::vector<LikePiece>& pieces;
    QString alphabet;
    int cases, maxPieces, maxLength;
  };
  const Run runs[] = {{shortPieces, "aAbB12", 20000, 8, 8}, {longPieces, "aAb", 3000, 6, 400}};
  std::mt19937 random(20240611);
  for (const Run& run : runs) {
    for (int n = 0; n < run.cases; ++n) {
      QString pattern, regex, value;
      for (int k = static_cast<int>(random() % (run.maxPieces + 1)); k > 0; --k) {
        const LikePiece& piece = run.pieces[random() % run.pieces.size()];
        pattern += piece.jet;
        regex += piece.regex;
      }
      for (int k = static_cast<int>(random() % (run.maxLength + 1)); k > 0; --k)
        value += run.alphabet[static_cast<qsizetype>(random() % run.alphabet.size())];
      const QRegularExpression re("\\A(?:" + regex + ")\\z",
                                  QRegularExpression::CaseInsensitiveOption |
                                      QRegularExpression::DotMatchesEverythingOption);
      ASSERT_EQ(JetLike(value, pattern), re.match(value).hasMatch())
          << value.toStdString() << " LIKE " << pattern.toStdString();
    }
  }
}

// A long match or comparison looks at its statement's clock itself (the
// engine looks only between its own steps, and a few such calls can outlast
// the limit within one step): past the limit, the match fails with 3360 and
// the comparison stops at once with a rough answer (the statement fails when
// it ends, see RowSet). The example is a user's condition that once took a
// second a row: 40,000 "a" Like "*" & 20,000 "a" & "b".
TEST(StatementTime, LongMatchesAndComparisonsEndAtTheLimit) {
  const QString value(40000, u'a'), pattern = "*" + QString(20000, u'a') + "b";
  const QByteArray accented = QString(100000, u'ä').toUtf8();
  const QByteArray less = accented + "a", more = accented + "b";
  auto compare = [&] { return sqlitedb::JetTextCollation(nullptr, less.size(), less.constData(), more.size(), more.constData()); };
  EXPECT_FALSE(JetLike(value, pattern));
  EXPECT_LT(compare(), 0);
  const sqlitedb::StatementClock clock;
  const sqlitedb::StatementLimitForTesting none(0);
  EXPECT_EQ(ErrorOf([&] { JetLike(value, pattern); }), vb::err::QueryTooComplex);
  EXPECT_EQ(compare(), 0);  // by the lengths alone
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
      {"True", Variant(int32_t{1})},  // SQLite's True without the Jet engine's columns
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
      {R"(instr("aaab", "AAB"))", Variant(int32_t{2})},
      {R"(instr("ababac", "abac"))", Variant(int32_t{3})},
      {R"(instr("xÄÖy", "äö"))", Variant(int32_t{2})},
      {R"(instr(1, "xÄÖy", "äö", 0))", Variant(int32_t{0})},
      {R"(instr(3, "abc", ""))", Variant(int32_t{3})},
      {R"(instr(4, "abc", ""))", Variant(int32_t{4})},
      {R"(instr(5, "abc", ""))", Variant(int32_t{0})},
      {"cstr(5)", Variant("5")},
      {"cstr(0.5)", Variant(".5")},
      {"cint(2.5)", Variant(int32_t{2})},
      {"cint(3.5)", Variant(int32_t{4})},
      {R"(clng("70000"))", Variant(int32_t{70000})},
      {R"(cdbl("1.5"))", Variant(1.5)},
      {R"(nz(Null, "d"))", Variant("d")},
      {"nz(Null)", Variant("")},
      {"nz(4)", Variant(int32_t{4})},
      {"isnull(Null)", Variant(int32_t{-1})},
      {R"(isnull(""))", Variant(int32_t{0})},
      {R"("abc" = "ABC")", Variant(int32_t{1})},
      {R"("Smith" LIKE "sm*")", Variant(int32_t{1})},
      {R"("abc" NOT LIKE "a?c")", Variant(int32_t{0})},
      {R"(Null LIKE "*")", Variant::Null()},
      {R"(25 LIKE "##")", Variant(int32_t{1})},
      {R"("100%" LIKE "1_0%")", Variant(int32_t{0})},
      {R"("1_0%" LIKE "1_0%")", Variant(int32_t{1})},
      // Operators Jet has and SQLite has not, or reads otherwise.
      {"7 Mod 3", Variant(int32_t{1})},
      {"-7 Mod 3", Variant(int32_t{-1})},
      {"5.5 Mod 2", Variant(int32_t{0})},  // 6 Mod 2: operands rounded
      {R"(7 \ 2)", Variant(int32_t{3})},
      {R"(-7 \ 2)", Variant(int32_t{-3})},
      {"7 / 2", Variant(3.5)},
      {"2 ^ 10", Variant(1024.0)},
      {"2 ^ -1", Variant(0.5)},
      {"-2 ^ 2", Variant(-4.0)},
      {"1 + 2", Variant(int32_t{3})},
      {R"("a" + "b")", Variant("ab")},
      {R"("a" + Null)", Variant::Null()},
      {R"("5" + 1)", Variant(6.0)},
      // Functions of dates and numbers.
      {"year(#1/2/1850#)", Variant(int32_t{1850})},
      {"month(#1/2/1850#)", Variant(int32_t{1})},
      {"day(#1/2/1850#)", Variant(int32_t{2})},
      {R"(year("January 2, 1850"))", Variant(int32_t{1850})},
      {"year(Null)", Variant::Null()},
      {R"(cdate("2 Jan 1850"))", Variant(-18259.0)},
      {"datevalue(#1/2/1850 10:30 PM#)", Variant(-18259.0)},
      {R"(isnumeric("12"))", Variant(int32_t{-1})},
      {R"(isnumeric("12x"))", Variant(int32_t{0})},
      {"isnumeric(Null)", Variant(int32_t{0})},
      {"str(5)", Variant(" 5")},
      {"str(-5)", Variant("-5")},
      {"int(-2.5)", Variant(-3.0)},
      {"fix(-2.5)", Variant(-2.0)},
      {"int(7)", Variant(int32_t{7})},
      {R"(format(#1/2/1850#, "yyyy"))", Variant("1850")},
      {R"(format(#1/2/1850#, "mm/dd/yyyy"))", Variant("01/02/1850")},
      {R"(format(#1/2/1850#, "mmmm"))", Variant("January")},
      {R"(format(1234.5, "#,##0.00"))", Variant("1,234.50")},
      {R"(format(1234567, "#,##0"))", Variant("1,234,567")},
      {R"(format(3.14159, "0.00"))", Variant("3.14")},
      {R"(format(Null, "0.00"))", Variant::Null()},
  };
  for (const auto& [expr, expected] : cases) {
    EXPECT_EQ(Eval(QString::fromUtf8(expr)), expected) << expr;
  }
}

// A long sought text in a long text is found in time linear in both: the
// search once compared most of the sought text at every place.
TEST_F(JetSql, InStrOfLongTextsAnswers) {
  const QString text = QString(1 << 21, u'a') + "b" + QString(20000, u'a');
  const QString sought = "B" + QString(20000, u'A');
  const RowSet found = RowSet::Execute(db_.get(), "SELECT instr(?, ?), instr(1, ?, ?, 0)",
                                       {Variant(text), Variant(sought), Variant(text), Variant(sought)});
  EXPECT_EQ(found.Value(0, 0), Variant(int32_t{(1 << 21) + 1}));
  EXPECT_EQ(found.Value(0, 1), Variant(int32_t{0}));
}

TEST_F(JetSql, FunctionErrorsCarryTheirNumbers) {
  const std::pair<const char*, int> cases[] = {
      {"val(Null)", 3464},          {"cint(40000)", 6},         {R"(cint("x"))", 13},
      {R"(left("a", -1))", 5},      {R"(mid("a", 0))", 5},      {"cstr(Null)", 94},
      {R"("a" LIKE "[a")", 93},     {"nosuch(1)", 3085},        {"left(1)", 3075},
      {R"(1 \ 0)", 11},             {"1 Mod 0", 11},            {R"("x" + 1)", 13},
      {R"(cdate("x"))", 13},        {"cdate(Null)", 94},        {"(-8) ^ (1 / 3)", 5},
  };
  for (const auto& [expr, number] : cases)
    EXPECT_EQ(ErrorOf([&, expr = expr] { Eval(QString::fromUtf8(expr)); }), number) << expr;
}

TEST_F(JetSql, TheEngineReadsDoubleQuotesOnlyAsNames) {
  // Translated, "x" is text; handed to the engine as it is, a name.
  EXPECT_EQ(Eval(R"("nosuch")"), Variant("nosuch"));
  EXPECT_EQ(ErrorOf([&] { RowSet::Execute(db_.get(), R"(SELECT "nosuch")"); }), 3061);
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
  EXPECT_EQ(ErrorOf([&] { Run("SELECT * FROM t ORDER BY val(t.ROW);"); }), 3464);
  sqlite3_exec(db_.get(), "DELETE FROM t", nullptr, nullptr, nullptr);
  EXPECT_EQ(Run("SELECT * FROM t ORDER BY val(t.ROW);").RowCount(), 0);
}

TEST_F(JetSql, TextSortsAndComparesWithoutRegardToCaseOrAccents) {
  sqlite3_exec(db_.get(),
               "CREATE TABLE n (name TEXT);"
               "INSERT INTO n VALUES ('b'), ('B'), ('a'), ('C'), ('ä'), ('Ä'), ('A');",
               nullptr, nullptr, nullptr);
  const RowSet rows = Run("SELECT name FROM n ORDER BY n.name;");
  QStringList order;
  for (int r = 0; r < rows.RowCount(); ++r) order << rows.Value(r, 0).AsString().toLower();
  EXPECT_EQ(order.join(','), QStringLiteral("a,a,ä,ä,b,b,c"));
  const RowSet down = Run("SELECT name FROM n ORDER BY name DESC");
  EXPECT_EQ(down.Value(0, 0).AsString().toLower(), QStringLiteral("c"));
  EXPECT_EQ(down.Value(6, 0).AsString().toLower(), QStringLiteral("a"));
  // Equal without regard to case, but not to accents.
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name = "ä")").RowCount(), 2);
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name > "b")").RowCount(), 1);
  EXPECT_EQ(Run(R"(SELECT name FROM n WHERE name IN ("a", "c"))").RowCount(), 3);
}

TEST_F(JetSql, AccentedNamesSortWithTheirBaseLetters) {
  sqlite3_exec(db_.get(),
               "CREATE TABLE p (name TEXT);"
               "INSERT INTO p VALUES ('Smith'), ('Ødegård'), ('Zander'), ('Çelik'), ('Olsen'), "
               "('Mullers'), ('MÜLLER'), ('Muller'), ('Cohen'), ('Müller'), ('Æbeltoft'), "
               "('Adams'), ('Afton'), ('Straße'), ('Strauss'), ('Ńowak'), ('Nye');",
               nullptr, nullptr, nullptr);
  const RowSet rows = Run("SELECT name FROM p ORDER BY p.name;");
  QStringList order;
  for (int r = 0; r < rows.RowCount(); ++r) order << rows.Value(r, 0).AsString().toLower();
  EXPECT_EQ(order.join(','), QStringLiteral("adams,æbeltoft,afton,çelik,cohen,muller,müller,müller,mullers,"
                                            "ńowak,nye,ødegård,olsen,smith,straße,strauss,zander"));
  EXPECT_EQ(Run(R"(SELECT name FROM p WHERE name = "müller")").RowCount(), 2);
  EXPECT_EQ(Run(R"(SELECT name FROM p WHERE name < "D")").RowCount(), 5);
}

}  // namespace
