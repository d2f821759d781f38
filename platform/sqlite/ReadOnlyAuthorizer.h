#pragma once
// The read-only rules of a connection, and what they tell the error mapping
// (SqliteErrors.h) about a statement they refused.
#include <QString>
#include <optional>

struct sqlite3;

namespace sqlitedb {

// Denies every statement that could write, attach or change the connection:
// only reading statements (and harmless read-only PRAGMAs) may run, and they
// may call only the Jet dialect's functions (platform/jetsql/FunctionRegistry.h;
// any other raises 3085). They may not use the engine's own tables (its
// schema, sqlite_master / sqlite_schema / sqlite_temp_master, every other
// name beginning with "sqlite_", the table-valued pragma_* functions,
// dbstat), directly, in a subquery or through a view: that raises 3078, as a
// table Jet does not have. Also turns on the engine's defensive mode, allows
// no attached database, stops the schema from calling functions with side
// effects, and sets the bounds of platform/jetsql/StatementLimits.h (length
// caps, and the time limit of statements run under a StatementClock).
void InstallReadOnlyAuthorizer(sqlite3* db);

// The name of the engine's own table whose use the rules refused last on
// `db` on this thread, and forgets it: the engine reports that refusal only
// as "not authorized" (or as a failed table-valued function), which is not
// enough to give Jet's number for a table it does not have. None when the
// rules refused nothing of that kind there.
std::optional<QString> TakeEngineTableRefusal(sqlite3* db);

}  // namespace sqlitedb
