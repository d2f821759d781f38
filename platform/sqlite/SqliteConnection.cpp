#include "platform/sqlite/SqliteConnection.h"

#include "platform/jetsql/JetDialect.h"
#include "platform/sqlite/FileAccess.h"
#include "platform/sqlite/FileStamp.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/sqlite/SqliteErrors.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <sqlite3.h>

#include <map>
#include <mutex>

namespace sqlitedb {

namespace {

QByteArray FileUri(const QString& nativePath, const char* query) {
  const QString absolute = QFileInfo(nativePath).absoluteFilePath();
  return "file:" + QUrl::toPercentEncoding(absolute, "/") + query;
}

// A file of the database (`nativeFile`, the file at `path` or its log) that
// is missing or a folder raises 3024; one there that this user may not read
// raises 3051.
void CheckReadable(const QString& path, const QString& nativeFile) {
  const FileProblem problem = ProblemReading(QFile::encodeName(nativeFile).toStdString());
  if (problem == FileProblem::Refused)
    vb::Raise(vb::err::CannotOpenFile,
              "The Microsoft Jet database engine cannot open the file '" + path +
                  "'. It is already opened exclusively by another user, or you need permission "
                  "to view its data.");
  if (problem != FileProblem::None)
    vb::Raise(vb::err::FileNotFoundDb, "Could not find file '" + path + "'.");
}

void CheckFile(const QString& path, const QString& nativePath) {
  CheckReadable(path, nativePath);
  // The engine takes an empty file for an empty database; Jet does not.
  if (QFileInfo(nativePath).size() == 0)
    vb::Raise(vb::err::NotADatabase, "Unrecognized database format '" + path + "'.");
}

// The file's write-ahead log, when one with content stands beside it: its
// committed transactions belong to the database.
QString WalBeside(const QString& nativePath) {
  const QString wal = nativePath + "-wal";
  const QFileInfo info(wal);
  return info.isFile() && info.size() > 0 ? wal : QString();
}

// A private copy of the file and its log in a temporary folder of its own,
// so that the engine can read the log without writing anything beside the
// original (it keeps its shared-memory index beside the copy).
std::unique_ptr<QTemporaryDir> CopyWithWal(const QString& nativePath, const QString& wal,
                                           QString& copy) {
  auto dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/db-with-wal-XXXXXX");
  copy = dir->filePath(QStringLiteral("copy.db"));
  if (!dir->isValid() || !QFile::copy(nativePath, copy) || !QFile::copy(wal, copy + "-wal"))
    RaiseSqliteError(nullptr, SQLITE_IOERR);
  return dir;
}

// The engine reads a file only when a statement needs it; reading the whole
// schema now makes a foreign or damaged file fail at the open.
void ReadSchema(sqlite3* db) { RowSet::Execute(db, QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_schema")); }

// Opens the file read-only. "?immutable=1" tells the engine that nobody
// changes the file, so it takes no lock and looks for no journal. A file
// with a log is read from its private copy instead, which goes when the
// connection does.
std::shared_ptr<sqlite3> OpenReadOnly(const QString& nativePath, const QString& wal) {
  std::unique_ptr<QTemporaryDir> privateCopy;
  QByteArray uri;
  if (wal.isEmpty()) {
    uri = FileUri(nativePath, "?immutable=1");
  } else {
    QString copy;
    privateCopy = CopyWithWal(nativePath, wal, copy);
    uri = FileUri(copy, "");
  }
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(uri.constData(), &raw,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_EXRESCODE,
                                 nullptr);
  // Every statement is finalized before the last owner goes, so the
  // connection closes at once and its copy can go.
  std::shared_ptr<sqlite3> db(raw, [dir = privateCopy.release()](sqlite3* d) {
    sqlite3_close_v2(d);
    delete dir;
  });
  if (rc != SQLITE_OK) RaiseSqliteError(raw, rc);
  RegisterJetFunctions(raw);
  // The rules keep the engine's own tables from every statement, so the
  // schema is read before they are in force.
  ReadSchema(raw);
  InstallReadOnlyAuthorizer(raw);
  return db;
}

// The files checked so far, by path, with the stamps of the file and its
// log when they were checked.
struct Checked {
  FileStamp file;
  std::optional<FileStamp> wal;
  bool operator==(const Checked&) const = default;
};

std::mutex& CheckedMutex() {
  static std::mutex m;
  return m;
}

std::map<std::string, Checked>& CheckedFiles() {
  static auto* files = new std::map<std::string, Checked>();
  return *files;
}

// The engine's quick check of the whole file (its pages, their links and
// counts, the order of their keys): damage that would otherwise show fewer
// rows without a word fails the open with 3049. It reads the whole file and
// runs without a time limit.
void QuickCheck(sqlite3* db) {
  sqlite3_stmt* raw = nullptr;
  int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &raw, nullptr);
  const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
  rc = sqlite3_step(raw);
  if (rc != SQLITE_ROW) RaiseSqliteError(db, rc);
  const auto* answer = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
  const QString text = QString::fromUtf8(answer ? answer : "");
  if (text != QLatin1String("ok"))
    vb::Raise(vb::err::CannotOpenDb, vb::ErrorDescription(vb::err::CannotOpenDb) + " (" + text + ")");
}

// Checks the file once for the process: again only when it or its log
// changed. A file that fails is checked again at its next open.
void CheckOnce(sqlite3* db, const QString& nativePath, const QString& wal) {
  const std::string key = FileKey(nativePath.toStdString());
  const std::optional<FileStamp> file = StampOf(key);
  if (!file) RaiseSqliteError(nullptr, SQLITE_IOERR);
  const Checked stamps{*file, wal.isEmpty() ? std::nullopt : StampOf(wal.toStdString())};
  {
    std::lock_guard<std::mutex> lock(CheckedMutex());
    auto it = CheckedFiles().find(key);
    if (it != CheckedFiles().end() && it->second == stamps) return;
  }
  QuickCheck(db);
  std::lock_guard<std::mutex> lock(CheckedMutex());
  CheckedFiles()[key] = stamps;
}

}  // namespace

bool SqliteConnection::OpenDatabaseFile(const QString& path) {
  const QString nativePath = win::ToNativePath(path);
  CheckFile(path, nativePath);
  const QString wal = WalBeside(nativePath);
  if (!wal.isEmpty()) CheckReadable(path, wal);
  std::shared_ptr<sqlite3> db = OpenReadOnly(nativePath, wal);
  CheckOnce(db.get(), nativePath, wal);
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

namespace testing {

void ForgetCheckedFilesForTesting() {
  std::lock_guard<std::mutex> lock(CheckedMutex());
  CheckedFiles().clear();
}

}  // namespace testing

}  // namespace sqlitedb
