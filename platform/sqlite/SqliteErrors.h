#pragma once
// SQLite failures as the run-time errors of the Jet engine, for both
// database layers.
#include <QString>

struct sqlite3;

namespace sqlitedb {

// Raises the run-time error for an SQLite failure, with the Jet number the
// windows test: 3078 missing table, 3061 unknown column, 3464 type mismatch,
// a syntax-error number for a rejected statement, and so on. `sqliteSql`, the
// statement that failed, lets a syntax error in the FROM clause give 3131.
//   no such table -> 3078, no such column -> 3061, datatype mismatch -> 3464,
//   syntax errors -> 3075 (3131 in FROM), no such function -> 3085,
//   wrong number of arguments -> 3075, ambiguous column -> 3079,
//   denied by the read-only rules / read-only file -> 3027,
//   not a database (also a header whose schema format the engine does not
//   know: "unsupported file format") -> 3343, damaged file -> 3049,
//   missing file -> 3024, a file the system will not let this user open
//   -> 3051, I/O failure -> 3043, out of memory -> 7,
//   a table of the engine's own that the read-only rules refused -> 3078,
//   a function the rules deny -> 3085,
//   a text, blob or statement over its cap (SQLITE_TOOBIG) -> 3035
//   "System resource exceeded.", a statement stopped by its time limit
//   (SQLITE_INTERRUPT) -> 3360 "Query is too complex.",
//   an error raised inside a Jet function -> that error's number,
//   any other -> 3075 for SQLITE_ERROR, else 3049.
// The description is the Jet text, with SQLite's message in parentheses.
[[noreturn]] void RaiseSqliteError(sqlite3* db, int resultCode,
                                   const QString& sqliteSql = QString());

}  // namespace sqlitedb
