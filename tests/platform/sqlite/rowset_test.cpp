// How a row set holds its rows: statements of the single-table form are read
// by row key, everything else in full, and both give the same rows.
#include "SqliteFixture.h"

#include "platform/jetsql/JetDialect.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/sqlite/RowSet.h"
#include "platform/sqlite/SingleTableSelect.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using sqlitedb::ParseSingleTableSelect;
using sqlitedb::RowSet;
using testutil::ErrorOf;

namespace {

TEST(SingleTableSelect, TellsTheKeyedFormFromTheRest) {
  struct Case {
    const char* sql;
    const char* table;  // nullptr: not the keyed form
    const char* tail;
  };
  const Case cases[] = {
      {"SELECT * FROM ObitData", "ObitData", ""},
      {R"(select * from "Sheet 1" AS s WHERE s.x IN (SELECT y FROM u ORDER BY 1) ORDER BY val("s"."ROW") COLLATE JETNOCASE DESC)",
       R"("Sheet 1" AS s)",
       R"( WHERE s.x IN (SELECT y FROM u ORDER BY 1) ORDER BY val("s"."ROW") COLLATE JETNOCASE DESC)"},
      {"SELECT * FROM main.t t2 /* note */ WHERE a = 'LIMIT 1' -- done", "main.t t2",
       " /* note */ WHERE a = 'LIMIT 1' -- done"},
      {"SELECT * FROM t ORDER BY a, b", "t", " ORDER BY a, b"},
      {"SELECT a FROM t", nullptr, nullptr},
      {"SELECT *, a FROM t", nullptr, nullptr},
      {"SELECT DISTINCT * FROM t", nullptr, nullptr},
      {"SELECT * FROM t, u", nullptr, nullptr},
      {"SELECT * FROM t LEFT JOIN u ON t.k = u.k", nullptr, nullptr},
      {"SELECT * FROM t JOIN u", nullptr, nullptr},
      {"SELECT * FROM (SELECT * FROM t)", nullptr, nullptr},
      {"SELECT * FROM pragma_table_info('t')", nullptr, nullptr},
      {"SELECT * FROM t INDEXED BY i", nullptr, nullptr},
      {"SELECT * FROM t WHERE a = 1 GROUP BY b", nullptr, nullptr},
      {"SELECT * FROM t LIMIT 5", nullptr, nullptr},
      {"SELECT * FROM t UNION SELECT * FROM u", nullptr, nullptr},
      {"SELECT * FROM t ORDER BY 2", nullptr, nullptr},
      {"SELECT * FROM t ORDER BY a, 1 DESC", nullptr, nullptr},
      {"SELECT * FROM t ORDER BY (1)", nullptr, nullptr},
      {"WITH c AS (SELECT 1) SELECT * FROM t", nullptr, nullptr},
      {"SELECT * FROM t WHERE a = 'unterminated", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    const auto parts = ParseSingleTableSelect(QString::fromUtf8(c.sql));
    ASSERT_EQ(parts.has_value(), c.table != nullptr) << c.sql;
    if (!parts) continue;
    EXPECT_EQ(parts->table.toStdString(), c.table) << c.sql;
    EXPECT_EQ(parts->tail.toStdString(), c.tail) << c.sql;
  }
}

// An in-memory database with the Jet functions: a table whose sort keys
// repeat (ties are broken by the last key), the same rows in a table without
// row keys, a view, and tables whose columns hide the row key's names.
std::shared_ptr<sqlite3> Database() {
  sqlite3* raw = nullptr;
  EXPECT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
  std::shared_ptr<sqlite3> db(raw, sqlite3_close_v2);
  sqlitedb::RegisterJetFunctions(raw);
  const char* sql = R"(
    CREATE TABLE t (Cemetery TEXT COLLATE JETNOCASE, ROW TEXT, STONE TEXT, Born DATETIME,
                    Flag BOOLEAN, Note TEXT);
    INSERT INTO t VALUES ('Oak', '10', '2', 1.5, 1, 'a'), ('oak', '9', '1', NULL, 0, NULL),
      ('Elm', '2', '10', 3, 1, 'Grabstätte'), ('OAK', '10', '1', 2.25, 0, 'b'),
      ('Elm', '2b', '3', NULL, 1, x'ff41'), ('elm', '', '7', 4, 0, '');
    CREATE TABLE w (k TEXT PRIMARY KEY, v TEXT) WITHOUT ROWID;
    INSERT INTO w SELECT STONE || Cemetery, Note FROM t;
    CREATE VIEW v AS SELECT * FROM t;
    CREATE TABLE hides (rowid TEXT, _rowid_ TEXT, oid TEXT);
    INSERT INTO hides VALUES ('a', 'b', 'c'), ('d', 'e', 'f');
    CREATE TABLE ipk (ID INTEGER PRIMARY KEY, Name TEXT);
    INSERT INTO ipk VALUES (7, 'x'), (3, 'y'), (12, 'z');)";
  EXPECT_EQ(sqlite3_exec(raw, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(raw);
  sqlitedb::InstallReadOnlyAuthorizer(raw);
  return db;
}

void ExpectSameRows(const RowSet& a, const RowSet& b, const char* sql) {
  ASSERT_EQ(a.RowCount(), b.RowCount()) << sql;
  ASSERT_EQ(a.ColumnNames(), b.ColumnNames()) << sql;
  // Backwards and forwards, as the windows move.
  for (int r = a.RowCount() - 1; r >= 0; --r)
    for (int c = 0; c < a.ColumnCount(); ++c)
      EXPECT_EQ(a.Value(r, c), b.Value(r, c)) << sql << " row " << r << " column " << c;
  for (int r = 0; r < a.RowCount(); ++r)
    EXPECT_EQ(a.Value(r, 0), b.Value(r, 0)) << sql << " row " << r;
}

TEST(RowSetForms, KeyedAndFullReadingGiveTheSameRows) {
  const std::shared_ptr<sqlite3> db = Database();
  struct Case {
    const char* sql;
    bool keyed;  // read by row key (the set keeps the connection)
  };
  const Case cases[] = {
      {"SELECT * FROM t", true},
      {"SELECT * FROM t ORDER BY Cemetery COLLATE JETNOCASE, val(ROW) COLLATE JETNOCASE, "
       "val(STONE) COLLATE JETNOCASE",
       true},
      {"SELECT * FROM t AS x WHERE x.Flag = 1 ORDER BY x.STONE DESC", true},
      {"SELECT * FROM t WHERE Note LIKE '*' ORDER BY Born, STONE", true},
      {"SELECT * FROM ipk ORDER BY Name DESC", true},
      {"SELECT * FROM t ORDER BY 3", false},
      {"SELECT * FROM v ORDER BY STONE", false},
      {"SELECT * FROM w ORDER BY v, k", false},
      {"SELECT * FROM hides ORDER BY oid", false},
      {"SELECT DISTINCT * FROM t ORDER BY STONE", false},
      {"SELECT * FROM t LIMIT 3", false},
      {"SELECT t.*, w.k FROM t JOIN w ON w.v = t.Note ORDER BY w.k", false},
      {"SELECT Cemetery || ROW AS Place, Born FROM t ORDER BY Place, Born", false},
  };
  for (const Case& c : cases) {
    const QString sql = QString::fromUtf8(c.sql);
    const RowSet full = RowSet::Execute(db.get(), sql);
    const long before = db.use_count();
    const RowSet chosen = RowSet::Execute(db, sql);
    EXPECT_EQ(db.use_count() > before, c.keyed) << c.sql;
    ExpectSameRows(chosen, full, c.sql);
  }
}

TEST(RowSetForms, KeyedStatementsFailWhenTheyRun) {
  const std::shared_ptr<sqlite3> db = Database();
  const auto run = [&db](const char* sql) {
    return ErrorOf([&] { RowSet::Execute(db, QString::fromUtf8(sql)); });
  };
  EXPECT_EQ(run("SELECT * FROM t ORDER BY val(Note)"), 3464);  // a Null sort key
  EXPECT_EQ(run("SELECT * FROM t WHERE Nowhere = 1"), 3061);
  EXPECT_EQ(run("SELECT * FROM Missing ORDER BY x"), 3078);
  // A keyed row set reads a row out of range as the full one does.
  const RowSet rows = RowSet::Execute(db, QStringLiteral("SELECT * FROM t"));
  EXPECT_EQ(ErrorOf([&] { rows.Value(rows.RowCount(), 0); }), 9);
  EXPECT_EQ(ErrorOf([&] { rows.Value(0, rows.ColumnCount()); }), 9);
}

TEST(RowSetForms, ColumnNamesAnswerTheSameWhereverTheStringLives) {
  const std::shared_ptr<sqlite3> db = Database();
  const RowSet rows = RowSet::Execute(db, QStringLiteral("SELECT * FROM t"));
  // A string changed in place after it was asked with, and texts that
  // come and go at the same places, are looked up afresh.
  QString name = QStringLiteral("STONE");
  name.detach();
  EXPECT_EQ(rows.ColumnIndex(name), 2);
  name[0] = u'N';
  name[1] = u'O';
  name[2] = u'T';
  name[3] = u'E';
  name.truncate(4);
  EXPECT_EQ(rows.ColumnIndex(name), 5);
  for (int i = 0; i < 200; ++i) {
    const QString asked = QString::fromLatin1(i % 2 ? "born" : "nope");
    EXPECT_EQ(rows.ColumnIndex(asked), i % 2 ? 3 : -1) << i;
  }
  static const char16_t raw[] = u"Flag";
  EXPECT_EQ(rows.ColumnIndex(QString::fromRawData(reinterpret_cast<const QChar*>(raw), 4)), 4);
}

}  // namespace
