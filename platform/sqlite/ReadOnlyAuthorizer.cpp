// The read-only rules of a connection.
#include "platform/sqlite/ReadOnlyAuthorizer.h"

#include "platform/jetsql/FunctionRegistry.h"
#include "platform/jetsql/StatementLimits.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

#include <utility>

namespace sqlitedb {

namespace {

bool NameIn(const char* name, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (qstricmp(name, n) == 0) return true;
  }
  return false;
}

// PRAGMAs that only report: some take the name of what to report on, the
// others would change a setting when given a value.
bool IsReadingPragma(const char* name, const char* value) {
  if (name == nullptr) return false;
  if (NameIn(name, {"table_info", "table_xinfo", "index_list", "index_info", "index_xinfo",
                    "foreign_key_list", "quick_check", "integrity_check"}))
    return true;
  return value == nullptr &&
         NameIn(name, {"database_list", "collation_list", "function_list", "table_list",
                       "page_size", "page_count", "encoding", "schema_version", "user_version",
                       "application_id", "freelist_count"});
}

// The engine's own tables and table-valued functions, which Jet does not
// have: its schema (sqlite_master, sqlite_schema, sqlite_temp_master, ...)
// and every other name the engine keeps for itself (sqlite_sequence,
// sqlite_stat1, ...: no table of a file may begin with "sqlite_"), the PRAGMA
// functions (pragma_table_info, ...) and the page statistics (dbstat).
bool IsEngineTable(const char* name) {
  if (name == nullptr) return false;
  return qstrnicmp(name, "sqlite_", 7) == 0 || qstrnicmp(name, "pragma_", 7) == 0 ||
         NameIn(name, {"dbstat"});
}

// The last refusal of an engine table on this thread. The engine asks the
// rules while it prepares a statement, on the thread that prepares it, and
// the failure is reported right after on that thread.
struct EngineTableRefusal {
  sqlite3* db = nullptr;
  QString table;
};
thread_local EngineTableRefusal tLastRefusal;

int RefuseEngineTable(void* db, const char* table) {
  tLastRefusal = {static_cast<sqlite3*>(db), QString::fromUtf8(table)};
  return SQLITE_DENY;
}

// `db` is the connection, the authorizer's own argument.
int Authorize(void* db, int action, const char* arg1, const char* arg2, const char*,
              const char*) {
  switch (action) {
    case SQLITE_READ:  // the table is the first argument
      // A read of no column at all ("count(*)") is asked with an empty one.
      return IsEngineTable(arg1) ? RefuseEngineTable(db, arg1) : SQLITE_OK;
    case SQLITE_SELECT:
    case SQLITE_RECURSIVE:
      return SQLITE_OK;
    case SQLITE_UPDATE:
      // The engine sets up a table-valued function (pragma_table_info,
      // dbstat, json_each, ...) inside the statement that names it with an
      // update of its schema table; that statement uses a table of the
      // engine's own.
      if (IsEngineTable(arg1)) return RefuseEngineTable(db, arg1);
      return SQLITE_DENY;
    case SQLITE_FUNCTION:  // the name is the second argument
      return IsCallableFunction(arg2) ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_PRAGMA:
      return IsReadingPragma(arg1, arg2) ? SQLITE_OK : SQLITE_DENY;
    default:  // every write, schema change, transaction, ATTACH, DETACH, ...
      return SQLITE_DENY;
  }
}

}  // namespace

void InstallReadOnlyAuthorizer(sqlite3* db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
  sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
  sqlite3_set_authorizer(db, Authorize, db);
  InstallStatementLimits(db);
}

std::optional<QString> TakeEngineTableRefusal(sqlite3* db) {
  const EngineTableRefusal last = std::exchange(tLastRefusal, EngineTableRefusal{});
  if (last.db == nullptr || last.db != db) return std::nullopt;
  return last.table;
}

}  // namespace sqlitedb
