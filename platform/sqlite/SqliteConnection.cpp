#include "platform/sqlite/SqliteConnection.h"

#include "platform/sqlite/JetDialect.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace sqlitedb {

namespace {


// "file:/path%20with%3Fodd%23chars?immutable=1": immutable tells the engine
// that nobody changes the file, so it takes no lock and looks for no journal.
QByteArray ImmutableUri(const QString& nativePath) {
  const QString absolute = QFileInfo(nativePath).absoluteFilePath();
  return "file:" + QUrl::toPercentEncoding(absolute, "/") + "?immutable=1";
}

void CheckFile(const QString& path, const QString& nativePath) {
  const QFileInfo info(nativePath);
  if (!info.exists() || info.isDir())
    vb::Raise(vb::err::FileNotFoundDb, "Could not find file '" + path + "'.");
  // The engine takes an empty file for an empty database; Jet does not.
  if (info.size() == 0)
    vb::Raise(vb::err::NotADatabase, "Unrecognized database format '" + path + "'.");
}

std::shared_ptr<sqlite3> OpenReadOnly(const QString& nativePath) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(ImmutableUri(nativePath).constData(), &raw,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_EXRESCODE,
                                 nullptr);
  std::shared_ptr<sqlite3> db(raw, sqlite3_close_v2);
  if (rc != SQLITE_OK) RaiseSqliteError(raw, rc);
  RegisterJetFunctions(raw);
  InstallReadOnlyAuthorizer(raw);
  return db;
}

// The engine reads a file only when a statement needs it; reading the whole
// schema now makes a foreign or damaged file fail at the open.
void ReadSchema(sqlite3* db) { RowSet::Execute(db, QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_schema")); }

}  // namespace

bool SqliteConnection::OpenDatabaseFile(const QString& path) {
  const QString nativePath = win::ToNativePath(path);
  CheckFile(path, nativePath);
  std::shared_ptr<sqlite3> db = OpenReadOnly(nativePath);
  ReadSchema(db.get());
  db_ = std::move(db);
  return true;
}

SqliteRecordset SqliteConnection::OpenQuery(const QString& sql, bool wholeTable) {
  (void)wholeTable;  // the row set tells the statement's form itself
  if (!db_) vb::Raise(vb::err::ObjectInvalid, QStringLiteral("Object invalid or no longer set."));
  const QString translated = TranslateJetSql(sql);
  return SqliteRecordset(std::make_shared<const RowSet>(RowSet::Execute(db_, translated)));
}

SqliteRecordset SqliteConnection::OpenQuery(const QString& sql,
                                            const std::vector<vb::Variant>& parameters) {
  if (!db_) vb::Raise(vb::err::ObjectInvalid, QStringLiteral("Object invalid or no longer set."));
  const QString translated = TranslateJetSql(sql);
  return SqliteRecordset(
      std::make_shared<const RowSet>(RowSet::Execute(db_.get(), translated, parameters)));
}

}  // namespace sqlitedb
