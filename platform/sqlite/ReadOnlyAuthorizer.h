#pragma once
// What the read-only rules (InstallReadOnlyAuthorizer) tell the error
// mapping about a statement they refused.
#include <QString>
#include <optional>

struct sqlite3;

namespace sqlitedb {

// The name of the engine's own table whose use the rules refused last on
// `db` on this thread, and forgets it: the engine reports that refusal only
// as "not authorized" (or as a failed table-valued function), which is not
// enough to give Jet's number for a table it does not have. None when the
// rules refused nothing of that kind there.
std::optional<QString> TakeEngineTableRefusal(sqlite3* db);

}  // namespace sqlitedb
