#pragma once
// The in-memory SQLite copy of a Jet file, read in a child process with a
// time limit so that a file which makes libmdb crash or loop becomes a
// run-time error of the open; the copies are cached per file for the process.
#include "platform/dao/JetCatalog.h"
#include "platform/sqlite/RowSet.h"

#include <QString>

#include <chrono>
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
// 3051 a file this user may not read, 3343 not a Jet database, 3049
// damaged).
std::shared_ptr<const JetCopy> LoadJetCopy(const std::string& nativePath);

// The cached copy of the file when its path, size and modification time are
// unchanged, otherwise a fresh one (LoadJetCopy), which replaces it.
std::shared_ptr<const JetCopy> CachedJetCopy(const std::string& nativePath);

// The peak resident memory of the reading child of the last load whose
// child was reaped, in kilobytes (the kernel's ru_maxrss for that child,
// which counts the pages it shares with the parent since the fork); 0
// before the first. Only the benchmark asks: the child's memory is no part
// of this process's own peak.
long LastReaderPeakKilobytes();

// Test seam: lets the tests make the reading child hang or crash on purpose
// and shorten the parent's stall limits, so that the limits and the clean-up
// after a failed child can be shown without a file that really breaks
// libmdb. Nothing in the program calls these; the defaults are the
// production behaviour.
namespace testing {

enum class ChildFault {
  None,              // read the file
  HangBeforeDecode,  // stop for good while still loading the file's bytes
  HangMidDecode,     // report some decoding progress, then stop for good
  CrashMidDecode,    // report some decoding progress, then die of SIGSEGV
};

// The fault the child of every later load acts out instead of reading the
// file; only the child honours it.
void SetChildFaultForTesting(ChildFault fault);
// The times without progress after which the parent ends the child, while
// it loads the file's bytes and while it decodes them.
void SetStallLimitsForTesting(std::chrono::milliseconds loading,
                              std::chrono::milliseconds decoding);
// No fault and the production stall limits again.
void RestoreDefaultsForTesting();

}  // namespace testing

}  // namespace dao
