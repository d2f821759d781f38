#pragma once
// The Jet SQL dialect on top of SQLite, shared by the Jet layer (which copies
// a .mdb file into an in-memory SQLite database) and the obituary layer
// (which reads an SQLite file directly).
#include <QString>

struct sqlite3;

namespace sqlitedb {

// The collation that compares and sorts text as Jet does: without regard to
// case (Unicode case folding), so "abc" = "ABC" holds; rows whose keys differ
// only in case sort in no particular order among themselves. The Jet layer declares its text columns with it
// ("TEXT COLLATE JETNOCASE"); the translation adds it to every ORDER BY term
// and to every text literal, so that columns declared without it (the
// obituary file) also compare and sort this way.
inline constexpr char kJetCollation[] = "JETNOCASE";

// Turns a statement in the Jet dialect into SQLite's: double-quoted text is a
// literal, [names] stay names, "&" joins texts, a trailing ";" is dropped,
// Jet's wildcard LIKE is routed to our LIKE function, and so on. Raises a
// run-time error with a Jet syntax-error number for text it cannot read.
// In detail:
//   "a ""b"" 'c'"        -> 'a "b" ''c''' COLLATE JETNOCASE (single-quoted
//                           literals keep their doubled quotes the same way)
//   [ROW], T.Col         -> "ROW", "T"."Col"
//   a & b & c            -> jet_concat(a, b, c) (Null counts as "")
//   IIf(c, a, b)         -> (CASE WHEN c THEN a ELSE b END)
//   Left(s, 2), IsNull(x) -> "left"(s, 2), "isnull"(x) (also Right: bare,
//                           the engine reads them as keywords)
//   x IN ("a", "b")      -> x COLLATE JETNOCASE IN ('a' ..., 'b' ...)
//   True / False         -> 1 / 0
//   #12/31/1899 6:00 AM# -> 1.25 (serial days; m/d/y or y-m-d, optional time)
//   ORDER BY x, y DESC   -> ORDER BY x COLLATE JETNOCASE, y COLLATE JETNOCASE DESC
//   SELECT TOP 5 ...     -> SELECT ... LIMIT 5 (whole numbers, no PERCENT/UNION)
//   "... ;"              -> the ";" is dropped; text after it raises 3142
// LIKE and NOT LIKE stay as they are: RegisterJetFunctions replaces the
// engine's like() by the Jet one, which keeps the engine's operator
// precedence. <>, IS NULL, Is Not Null, DISTINCT, ASC/DESC pass unchanged.
QString TranslateJetSql(const QString& jetSql);

// Jet's LIKE: "*" any run of characters (none included), "?" one character,
// "#" one digit, "[abc]", "[a-z]", "[!abc]" one character of (not of) a list;
// letters compare without regard to case. Raises 93 ("Invalid pattern string")
// for an unclosed "[" or a descending range.
bool JetLike(const QString& value, const QString& pattern);

// Registers on a connection what the translated statements call: val (Null
// raises 3464), the usual Jet text functions (trim, ltrim, rtrim, left,
// right, mid, len, ucase, lcase, instr, cstr, ...), the LIKE function with Jet
// wildcards (* ? # [...] [!...]) compared without regard to case, and a
// case-insensitive collation for text that Jet compares and sorts. Also turns
// off the engine's reading of double-quoted names as text (the translation has
// already made every double-quoted literal a single-quoted one, so what stays
// double-quoted is a name).
//   val(x)       Null raises 3464; text gives the number at its start (Val);
//                numbers stay as they are
//   jet_concat(...) texts joined, Null as ""; Null when every part is Null
//   like(p, x), jet_like(x, p)  JetLike; Null when either is Null
//   trim ltrim rtrim ucase lcase len left right mid instr cstr cint clng cdbl
//   nz isnull   as the platform's functions; Null in gives Null out (cstr,
//                cint, clng, cdbl and the counts of left/right/mid raise 94)
// A platform error inside a function fails the statement with its number.
void RegisterJetFunctions(sqlite3* db);

// Denies every statement that could write, attach or change the connection:
// only reading statements (and harmless read-only PRAGMAs) may run, and they
// may call only the Jet dialect's functions (FunctionRegistry.h; any other
// raises 3085). Also turns on the engine's defensive mode, allows no
// attached database, stops the schema from calling functions with side
// effects, and sets the bounds of StatementLimits.h (length caps, and the
// time limit of statements run under a StatementClock).
void InstallReadOnlyAuthorizer(sqlite3* db);

// Raises the run-time error for an SQLite failure, with the Jet number the
// windows test: 3078 missing table, 3061 unknown column, 3464 type mismatch,
// a syntax-error number for a rejected statement, and so on. `sqliteSql`, the
// statement that failed, lets a syntax error in the FROM clause give 3131.
//   no such table -> 3078, no such column -> 3061, datatype mismatch -> 3464,
//   syntax errors -> 3075 (3131 in FROM), no such function -> 3085,
//   wrong number of arguments -> 3075, ambiguous column -> 3079,
//   denied by the read-only rules / read-only file -> 3027,
//   not a database -> 3343, damaged file -> 3049,
//   missing file -> 3024, I/O failure -> 3043, out of memory -> 7,
//   a function the rules deny -> 3085,
//   a text, blob or statement over its cap (SQLITE_TOOBIG) -> 3035
//   "System resource exceeded.", a statement stopped by its time limit
//   (SQLITE_INTERRUPT) -> 3360 "Query is too complex.",
//   an error raised inside a Jet function -> that error's number,
//   any other -> 3075 for SQLITE_ERROR, else 3049.
// The description is the Jet text, with SQLite's message in parentheses.
[[noreturn]] void RaiseSqliteError(sqlite3* db, int resultCode,
                                   const QString& sqliteSql = QString());

// The message prefix with which our functions hand a platform error through
// the engine ("[jet 3464] Data type mismatch ..."); RaiseSqliteError reads it.
QString JetFunctionErrorMessage(int number, const QString& description);

}  // namespace sqlitedb
