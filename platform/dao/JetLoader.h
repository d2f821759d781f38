#pragma once
// The in-memory SQLite copy of a Jet file, read in a child process with a
// time limit so that a file which makes libmdb crash or loop becomes a
// run-time error of the open; the copies are cached per file for the process.
#include "platform/dao/JetCatalog.h"
#include "platform/sqlite/RowSet.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

namespace dao {

class JetCopy {
 public:
  // `db` reads the image of the copy; the image goes with the connection,
  // which stays open while a row set still reads from it.
  JetCopy(std::shared_ptr<sqlite3> db, std::vector<TableInfo> tables);
  JetCopy(const JetCopy&) = delete;
  JetCopy& operator=(const JetCopy&) = delete;

  sqlite3* Db() const { return db_.get(); }
  const std::vector<TableInfo>& Tables() const { return tables_; }
  // The rows of a (translated) statement. The copy never changes, so the
  // result of the statement last run is kept and shared: the windows re-run
  // the same statement on every re-open of the file.
  std::shared_ptr<const sqlitedb::RowSet> Run(const QString& sqliteSql) const;

 private:
  std::shared_ptr<sqlite3> db_;
  std::vector<TableInfo> tables_;
  mutable QString lastSql_;
  mutable std::shared_ptr<const sqlitedb::RowSet> lastRows_;
};

// Reads the file in a child process and returns its copy. Raises the
// run-time error of a failure (3024 missing file, 3044 missing folder,
// 3343 not a Jet database, 3049 damaged or unreadable).
std::shared_ptr<const JetCopy> LoadJetCopy(const std::string& nativePath);

// The cached copy of the file when its path, size and modification time are
// unchanged, otherwise a fresh one (LoadJetCopy), which replaces it.
std::shared_ptr<const JetCopy> CachedJetCopy(const std::string& nativePath);

}  // namespace dao
