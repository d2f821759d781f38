#pragma once
// The Jet SQL dialect on top of SQLite, shared by the Jet layer (which copies
// a .mdb file into an in-memory SQLite database) and the obituary layer
// (which reads an SQLite file directly).
#include <QString>

struct sqlite3;

namespace sqlitedb {

// Turns a statement in the Jet dialect into SQLite's: double-quoted text is a
// literal, [names] stay names, "&" joins texts, a trailing ";" is dropped,
// Jet's wildcard LIKE is routed to our LIKE function, and so on. Raises a
// run-time error with a Jet syntax-error number for text it cannot read.
QString TranslateJetSql(const QString& jetSql);

// Registers on a connection what the translated statements call: val (Null
// raises 3464), the usual Jet text functions (trim, ltrim, rtrim, left,
// right, mid, len, ucase, lcase, instr, cstr, ...), the LIKE function with Jet
// wildcards (* ? # [...] [!...]) compared without regard to case, and a
// case-insensitive collation for text that Jet compares and sorts.
void RegisterJetFunctions(sqlite3* db);

// Denies every statement that could write, attach or change the connection:
// only reading statements (and harmless read-only PRAGMAs) may run.
void InstallReadOnlyAuthorizer(sqlite3* db);

// Raises the run-time error for an SQLite failure, with the Jet number the
// windows test: 3078 missing table, 3061 unknown column, 3464 type mismatch,
// a syntax-error number for a rejected statement, and so on.
[[noreturn]] void RaiseSqliteError(sqlite3* db, int resultCode);

}  // namespace sqlitedb
