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

  // Opens the file at `path` (Windows form or native) for reading. The file
  // is never written, locked or accompanied by a journal: it is opened
  // read-only as immutable, so it works on read-only media. The schema is
  // read at once, so a file that is not a database fails here:
  //   missing file or a folder -> 3024, empty file or not a database -> 3343,
  //   damaged schema -> 3049.
  // Damage further in the file fails the statement that meets it. A missing
  // file is never created. On failure the previous file (if any) stays open.
  // Returns True.
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

}  // namespace sqlitedb
