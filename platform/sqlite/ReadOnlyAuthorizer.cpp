// The read-only rules of a connection.
#include "platform/sqlite/FunctionRegistry.h"
#include "platform/sqlite/JetDialect.h"
#include "platform/sqlite/StatementLimits.h"

#include <QString>
#include <sqlite3.h>

namespace sqlitedb {

namespace {

bool NameIn(const char* name, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (QString::fromUtf8(name).compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return true;
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

int Authorize(void*, int action, const char* arg1, const char* arg2, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_RECURSIVE:
      return SQLITE_OK;
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
  sqlite3_set_authorizer(db, Authorize, nullptr);
  InstallStatementLimits(db);
}

}  // namespace sqlitedb
