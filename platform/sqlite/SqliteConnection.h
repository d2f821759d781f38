#pragma once
// The obituary viewer's database connection: one SQLite file, opened strictly
// read-only, running statements in the Jet dialect.
#include "platform/sqlite/SqliteRecordset.h"

#include <QString>
#include <memory>
#include <vector>

struct sqlite3;

namespace sqlitedb {

class SqliteConnection {
 public:
  // Opens no file. Copies share one connection, which closes when the last
  // copy and the last recordset reading from it are dropped.
  SqliteConnection() = default;

  // Opens the file at `path` (Windows form or native) for reading. Nothing
  // is ever written, locked or created beside the file, so it works on
  // read-only media: it is opened read-only as immutable. When a write-ahead
  // log with content ("<file>-wal") stands beside it, its committed
  // transactions are part of the database: the file and its log are then
  // copied into a private temporary folder and the copy is read (the folder
  // goes with the connection). The schema is read at once, and the first
  // open of a file in the process checks the whole file (the engine's quick
  // check; again only when the file or its log changed size or time), so a
  // file that is not a database or is damaged fails here:
  //   missing file or a folder -> 3024, a file (or its log) that this user
  //   may not read -> 3051, empty file or not a database (also a header
  //   whose format the engine does not know) -> 3343, damage -> 3049, the
  //   copy not made -> 3043.
  // A missing file is never created. On failure the previous file (if any)
  // stays open. Returns True.
  bool OpenDatabaseFile(const QString& path);

  // Runs a SELECT in the Jet dialect (TranslateJetSql) and returns its rows,
  // standing on the first row. Statements that would write, ATTACH or change
  // settings are denied (3027). `wholeTable` is what the caller knows about
  // the statement (True for select-all); it has no effect, since the row
  // set tells from the statement itself how to hold its rows (RowSet).
  // Raises 3420 before OpenDatabaseFile.
  SqliteRecordset OpenQuery(const QString& sql, bool wholeTable);
  // The same with values bound to the statement's "?" parameters, in order
  // (see RowSet::Execute); a stored value then never becomes SQL text.
  SqliteRecordset OpenQuery(const QString& sql, const std::vector<vb::Variant>& parameters);

  bool IsOpen() const { return db_ != nullptr; }

 private:
  std::shared_ptr<sqlite3> db_;
};

namespace testing {
// Forgets which files were checked, so that the next open of each checks it
// again (for the benchmark of the check).
void ForgetCheckedFilesForTesting();
}  // namespace testing

}  // namespace sqlitedb
