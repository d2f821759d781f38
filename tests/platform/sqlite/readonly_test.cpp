// The obituary file is only ever read: no byte, lock or side file changes.
#include "SqliteFixture.h"

#include "platform/jetsql/JetDialect.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/sqlite/RowSet.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using sqlitedb::SqliteConnection;

using testutil::ErrorOf;

namespace {

class ReadOnlyFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.path() + "/obits.db";
    sqlitetest::WriteObituaryFile(path_, 50);
  }
  void ProtectFolder(bool on) { sqlitetest::ProtectFolder(path_, dir_.path(), on); }
  void RunSession(SqliteConnection& db) {
    for (const char* sql : {"SELECT * FROM ObitData ORDER BY ObitData.LASTNAME, ObitData.GIVEN;",
                            "SELECT * FROM ObitData WHERE Lastname LIKE \"Fill*\"  ORDER BY ObitData.NewsPubSourceID;",
                            "SELECT * FROM ObitData WHERE [ROW] = '5' AND [Section] like '1990'",
                            "Select * from SourcesSheet where newsid=1", "SELECT * FROM VERSHT"}) {
      EXPECT_GT(db.OpenQuery(sql, false).RowCount(), 0) << sql;
    }
  }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(ReadOnlyFile, StatementsThatWriteOrAttachAreDenied) {
  SqliteConnection db;
  db.OpenDatabaseFile(path_);
  const QString other = dir_.path() + "/other.db";
  // Jet's statements that would change data are refused as on a read-only
  // database; statements of SQLite's own dialect are no Jet statements.
  const std::pair<QString, int> refused[] = {
      {"DELETE FROM ObitData", 3027},
      {"UPDATE ObitData SET LastName = 'x'", 3027},
      {"INSERT INTO VERSHT VALUES ('9', 9)", 3027},
      {"DROP TABLE VERSHT", 3027},
      {"CREATE TABLE x (a)", 3027},
      {"SELECT * INTO x FROM ObitData", 3027},
      {"ATTACH DATABASE '" + other + "' AS o", 3129},
      {"PRAGMA writable_schema = 1", 3129},
      {"PRAGMA table_info(ObitData)", 3129},
      {"VACUUM INTO '" + dir_.path() + "/copy.db'", 3129},
      {"BEGIN", 3129},
      {"REINDEX", 3129},
      {"WITH x AS (SELECT 1) DELETE FROM ObitData", 3129},
      {"SELECT * FROM ObitData WHERE 1=1; DROP TABLE ObitData", 3142},
  };
  for (const auto& [sql, number] : refused)
    EXPECT_EQ(ErrorOf([&, &sql = sql] { db.OpenQuery(sql, false); }), number) << sql.toStdString();
  EXPECT_EQ(db.OpenQuery("SELECT count(*) AS n FROM ObitData", false).FieldValue("n"),
            vb::Variant(int32_t{57}));

  // Beneath the dialect, the engine's own rules deny every write.
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path_.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  const std::unique_ptr<sqlite3, int (*)(sqlite3*)> engine(raw, sqlite3_close);
  sqlitedb::RegisterJetFunctions(raw);
  sqlitedb::InstallReadOnlyAuthorizer(raw);
  const QString denied[] = {
      "DELETE FROM ObitData",
      "UPDATE ObitData SET LastName = 'x'",
      "INSERT INTO VERSHT VALUES ('9', 9)",
      "DROP TABLE VERSHT",
      "CREATE TABLE x (a)",
      "CREATE TEMP TABLE x (a)",
      "CREATE VIEW v AS SELECT 1",
      "ATTACH DATABASE '" + other + "' AS o",
      "PRAGMA writable_schema = 1",
      "PRAGMA journal_mode = WAL",
      "PRAGMA user_version = 5",
      "PRAGMA query_only = 0",
      "VACUUM",
      "VACUUM INTO '" + dir_.path() + "/copy.db'",
      "BEGIN",
      "ANALYZE",
      "WITH x AS (SELECT 1) DELETE FROM ObitData",
  };
  for (const QString& sql : denied)
    EXPECT_EQ(ErrorOf([&] { sqlitedb::RowSet::Execute(raw, sql); }), 3027) << sql.toStdString();
  EXPECT_EQ(ErrorOf([&] { sqlitedb::RowSet::Execute(raw, "REINDEX"); }), 3219);  // reads, gives no rows
  EXPECT_FALSE(QFileInfo::exists(other));
  EXPECT_FALSE(QFileInfo::exists(dir_.path() + "/copy.db"));
  // Reading PRAGMAs still answer.
  EXPECT_EQ(sqlitedb::RowSet::Execute(raw, "PRAGMA table_info(ObitData)").RowCount(), 15);
}

// The engine's own tables and table-valued functions are no tables of the
// file: every statement that uses one is refused as naming a table Jet does
// not have, wherever it stands, and the open, which reads the schema, still
// works.
TEST_F(ReadOnlyFile, TheEnginesOwnTablesAreNoTables) {
  sqlitetest::ExecOnFile(path_, "CREATE VIEW Catalog AS SELECT name FROM sqlite_master;");
  SqliteConnection db;
  db.OpenDatabaseFile(path_);
  const char* conditions[] = {
      "(select count(*) from sqlite_master) > 0",
      "(SELECT COUNT(*) FROM [SQLITE_SCHEMA]) > 0",
      "exists (select name from sqlite_temp_master)",
      "Lastname in (select tbl_name from sqlite_master)",
      "(select count(*) from ObitData, sqlite_schema) > 0",
      "(select count(*) from sqlite_sequence) >= 0",
      "(select count(*) from pragma_table_info) >= 0",
      "(select count(*) from pragma_function_list) > 0",
      "(select count(*) from dbstat) > 0",
      "(select count(*) from json_each) >= 0",
      "(select count(*) from Catalog) > 0",
      "exists (select name from Catalog)",
  };
  for (const char* condition : conditions) {
    const QString sql = QStringLiteral("SELECT * FROM ObitData WHERE ") + condition;
    EXPECT_EQ(ErrorOf([&] { db.OpenQuery(sql, false); }), 3078) << condition;
  }
  EXPECT_EQ(db.OpenQuery("SELECT * FROM ObitData", false).RowCount(), 57);

  // Beneath the dialect, for statements of the engine's own dialect too.
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path_.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  const std::unique_ptr<sqlite3, int (*)(sqlite3*)> engine(raw, sqlite3_close);
  sqlitedb::RegisterJetFunctions(raw);
  sqlitedb::InstallReadOnlyAuthorizer(raw);
  for (const char* sql : {"SELECT * FROM sqlite_master", "SELECT count(*) FROM main.sqlite_schema",
                          "SELECT * FROM temp.sqlite_master", "SELECT * FROM pragma_table_info('ObitData')",
                          "SELECT * FROM Catalog"})
    EXPECT_EQ(ErrorOf([&] { sqlitedb::RowSet::Execute(raw, sql); }), 3078) << sql;
  // The refusal is not carried over to the next failure.
  EXPECT_EQ(ErrorOf([&] { sqlitedb::RowSet::Execute(raw, "DELETE FROM ObitData"); }), 3027);
}

TEST_F(ReadOnlyFile, ASessionLeavesFileAndFolderUnchanged) {
  const QByteArray bytes = sqlitetest::ReadBytes(path_);
  const QDateTime modified = QFileInfo(path_).lastModified();
  const QStringList listing = sqlitetest::Listing(dir_.path());
  ProtectFolder(true);
  {
    SqliteConnection main, info;  // the main window and the information window
    main.OpenDatabaseFile(path_);
    info.OpenDatabaseFile(path_);
    RunSession(main);
    RunSession(info);
    ErrorOf([&] { main.OpenQuery("DELETE FROM ObitData", false); });
    EXPECT_EQ(sqlitetest::Listing(dir_.path()), listing);  // nothing while open
  }
  ProtectFolder(false);
  EXPECT_EQ(sqlitetest::ReadBytes(path_), bytes);
  EXPECT_EQ(QFileInfo(path_).lastModified(), modified);
  EXPECT_EQ(sqlitetest::Listing(dir_.path()), listing);
}

// Hostile conditions of the SQL search end in an error number or in the
// rows they select, and the file and its folder stay as they were.
TEST_F(ReadOnlyFile, HostileConditionsEndInAnErrorOrRows) {
  const QByteArray bytes = sqlitetest::ReadBytes(path_);
  const QStringList listing = sqlitetest::Listing(dir_.path());
  QStringList manyTerms;
  while (manyTerms.join(" OR ").size() < 100000) manyTerms << QStringLiteral("Lastname = 'x%1'").arg(manyTerms.size());
  manyTerms << QStringLiteral("Lastname = 'O''Neil'");
  const std::pair<QString, int> cases[] = {  // the error number, or minus the rows
      {"Lastname = \"Smith", 3075},
      {"[Lastname = 'Smith'", 3075},
      {"(Lastname = 'Smith'", 3075},
      {"1=1; DROP TABLE ObitData", 3142},
      {"1=1; ATTACH DATABASE '" + dir_.path() + "/x.db' AS x", 3142},
      {"ATTACH DATABASE '" + dir_.path() + "/x.db' AS x", 3075},
      {"1 IN (WITH c(x) AS (SELECT 1) SELECT x FROM c)", 3075},
      {QStringLiteral("Lastname = 'Smith'") + QChar(0) + " OR 1=1", 3075},
      {QString(8000, u'(') + "1=1" + QString(8000, u')'), 3075},
      {manyTerms.join(" OR "), 3035},  // longer than the longest statement
      {"Lastname Like \"O'*\"", -1},
      {"Lastname Like '%' OR Lastname Like '_*'", 0},
      // A parameter mark typed into a condition has no value.
      {"Lastname = ?", 3061},
  };
  {
    SqliteConnection db;
    db.OpenDatabaseFile(path_);
    for (const auto& [condition, expected] : cases) {
      const QString sql = "SELECT * FROM ObitData WHERE " + condition + " ORDER BY ObitData.LASTNAME;";
      int rows = 0;
      const int error = ErrorOf([&] { rows = db.OpenQuery(sql, false).RowCount(); });
      EXPECT_EQ(error > 0 ? error : -rows, expected) << condition.left(80).toStdString();
    }
    EXPECT_EQ(db.OpenQuery("SELECT * FROM VERSHT", false).RowCount(), 1);
  }
  EXPECT_EQ(sqlitetest::ReadBytes(path_), bytes);
  EXPECT_EQ(sqlitetest::Listing(dir_.path()), listing);
}

TEST_F(ReadOnlyFile, AWalModeFileIsReadWithoutSideFiles) {
  sqlitetest::ExecOnFile(path_, "PRAGMA journal_mode = WAL;");
  const QByteArray bytes = sqlitetest::ReadBytes(path_);
  const QStringList listing = sqlitetest::Listing(dir_.path());
  ASSERT_EQ(listing, QStringList{"obits.db"});
  ProtectFolder(true);
  {
    SqliteConnection db;
    db.OpenDatabaseFile(path_);
    RunSession(db);
    EXPECT_EQ(sqlitetest::Listing(dir_.path()), listing);
  }
  ProtectFolder(false);
  EXPECT_EQ(sqlitetest::ReadBytes(path_), bytes);
  EXPECT_EQ(sqlitetest::Listing(dir_.path()), listing);
}

// An editor left committed transactions in the log beside the file (its
// connection was still open when the files were copied): every committed row
// shows, from a private copy that goes with the connection, and nothing is
// written beside the file.
TEST_F(ReadOnlyFile, CommittedRowsInALogBesideTheFileAreRead) {
  const QString editor = dir_.path() + "/editor.db";
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(editor.toUtf8().constData(), &writer), SQLITE_OK);
  for (const char* sql : {"PRAGMA journal_mode = WAL", "PRAGMA wal_autocheckpoint = 0",
                          "CREATE TABLE Names (Name TEXT)", "INSERT INTO Names VALUES ('first')",
                          "INSERT INTO Names VALUES ('second')"})
    ASSERT_EQ(sqlite3_exec(writer, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  QTemporaryDir cd, temp;
  path_ = cd.path() + "/obits.db";
  ASSERT_TRUE(QFile::copy(editor, path_));
  ASSERT_TRUE(QFile::copy(editor + "-wal", path_ + "-wal"));
  sqlite3_close(writer);
  ASSERT_GT(QFileInfo(path_ + "-wal").size(), 0);
  const QByteArray bytes = sqlitetest::ReadBytes(path_);
  const QByteArray log = sqlitetest::ReadBytes(path_ + "-wal");
  const QStringList listing = sqlitetest::Listing(cd.path());

  const QByteArray oldTemp = qgetenv("TMPDIR");
  qputenv("TMPDIR", temp.path().toUtf8());
  // Read-only files in a read-only folder, as on a CD.
  const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
  QFile::setPermissions(path_, readOnly);
  QFile::setPermissions(path_ + "-wal", readOnly);
  QFile::setPermissions(cd.path(), QFile::ReadOwner | QFile::ExeOwner);
  {
    sqlitedb::SqliteRecordset names = [&] {
      SqliteConnection db;
      db.OpenDatabaseFile(path_);
      EXPECT_EQ(sqlitetest::Listing(temp.path()).size(), 1);  // the private copy
      return db.OpenQuery("SELECT * FROM Names ORDER BY Name", false);
    }();
    ASSERT_EQ(names.RowCount(), 2);
    names.MoveToLast();
    EXPECT_EQ(names.FieldValue("Name"), vb::Variant(QStringLiteral("second")));
    EXPECT_EQ(sqlitetest::Listing(cd.path()), listing);
  }
  EXPECT_EQ(sqlitetest::Listing(temp.path()), QStringList());  // gone with the connection
  QFile::setPermissions(cd.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (oldTemp.isNull()) qunsetenv("TMPDIR");
  else qputenv("TMPDIR", oldTemp);
  EXPECT_EQ(sqlitetest::ReadBytes(path_), bytes);
  EXPECT_EQ(sqlitetest::ReadBytes(path_ + "-wal"), log);
  EXPECT_EQ(sqlitetest::Listing(cd.path()), listing);
}

}  // namespace
