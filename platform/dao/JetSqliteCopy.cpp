#include "platform/dao/JetSqliteCopy.h"

#include "platform/dao/JetMdb.h"
#include "platform/jetsql/JetDialect.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace dao::reader {

void StmtFinalizer::operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }

SqliteCopy::SqliteCopy() {
  if (sqlite3_open_v2("file:/jetcopy?vfs=memdb", &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK)
    Fail(kDamaged);
  sqlitedb::RegisterJetFunctions(db_);
  // Rows go in at the end of each table, so a small page cache is enough;
  // 16 KiB pages mean fewer page splits and cells spilling to overflow pages.
  Exec("PRAGMA page_size=16384; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
       "PRAGMA locking_mode=EXCLUSIVE; PRAGMA cache_size=-2000; BEGIN");
}

SqliteCopy::~SqliteCopy() { sqlite3_close(db_); }

void SqliteCopy::Exec(const std::string& sql) {
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(kDamaged);
}

StmtPtr SqliteCopy::Prepare(const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &s,
                         nullptr) != SQLITE_OK)
    Fail(kDamaged);
  return StmtPtr(s);
}

void SqliteCopy::WriteImage(int fd, ReadProgress& progress) {
  Exec("COMMIT");
  sqlite3_int64 size = 0;
  unsigned char* image = sqlite3_serialize(db_, "main", &size, SQLITE_SERIALIZE_NOCOPY);
  unsigned char* owned = nullptr;
  if (!image) image = owned = sqlite3_serialize(db_, "main", &size, 0);
  if (!image) Fail(kDamaged);
  size_t done = 0;
  while (done < size_t(size)) {
    const ssize_t n = write(fd, image + done, std::min(kReadChunk, size_t(size) - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      sqlite3_free(owned);
      Fail(kDamaged);
    }
    done += size_t(n);
    progress.ticks.fetch_add(1, std::memory_order_relaxed);
  }
  sqlite3_free(owned);
}

}  // namespace dao::reader
