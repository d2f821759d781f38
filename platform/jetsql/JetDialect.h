#pragma once
// The Jet SQL dialect on top of SQLite, shared by the Jet layer (which copies
// a .mdb file into an in-memory SQLite database) and the obituary layer
// (which reads an SQLite file directly).
#include <QString>

struct sqlite3;

namespace sqlitedb {

class ColumnTypes;

// The collation that compares and sorts text as Jet's general sort order
// does (JetCollation.h): by the letters without regard to case or accents
// first ("Çelik" among the C names, "Ødegård" among the O names), then by
// the accents, never by case. So "abc" = "ABC" and "Müller" = "MÜLLER", but
// "Muller" < "Müller" < "Mullers"; rows whose keys differ only in case sort
// in no particular order among themselves. ASCII text compares byte by byte
// without decoding. The Jet layer declares its text columns with it
// ("TEXT COLLATE JETNOCASE"); the translation adds it to every ORDER BY
// term, to every text literal, to the operand of IN and to the left side
// of a comparison that is a text (or of a kind it cannot tell) but neither
// a column nor a literal, so that columns declared without it (the obituary
// file) and computed texts also compare and sort this way.
inline constexpr char kJetCollation[] = "JETNOCASE";

// Turns one statement in the Jet dialect into SQLite's; raises a run-time
// error for one that Jet would reject. The statement is read whole (the
// reference of the dialect follows), then written out in SQLite's dialect:
// names in double quotes, text literals in single quotes with the
// collation, Jet's operators and functions as SQLite's or ours, and
// parentheses wherever SQLite's precedence differs from Jet's.
//
// `jetColumns` names the database's column types and turns on the Jet
// engine's own rules; the Jet layer passes the types of its copy
// (DeclaredColumnTypes). Without it (the obituary file, which an SQLite
// component read) comparisons follow SQLite's rules and True is 1.
//
// Statements
//   SELECT [DISTINCT | DISTINCTROW | ALL] [TOP n] items [FROM tables]
//     [WHERE c] [GROUP BY e, ...] [HAVING c] [UNION [ALL] SELECT ...]
//     [ORDER BY e [ASC | DESC], ...] [;]
//   items: *, table.*, e [AS name]; tables: name [[AS] alias],
//   (subquery) [AS] alias, a INNER | LEFT [OUTER] | RIGHT [OUTER] JOIN b ON c,
//   (joins). TOP n becomes LIMIT n (not with UNION; TOP n PERCENT: 3075).
//   Text after the first ";" raises 3142. A statement that is not a query
//   raises 3129 (PRAGMA, ATTACH, WITH, VACUUM, ...), one that would change
//   data raises 3027 (DELETE, INSERT, UPDATE, CREATE, DROP, ALTER,
//   SELECT ... INTO); an empty one 3129.
// Names
//   Name, [Name with blanks], table.column, table!column -> "Name", "T"."C".
//   Every name is quoted, so SQLite's keywords (ROW, ...) are names too.
// Literals
//   "text" and 'text' (a doubled quote inside is one quote) -> 'text'
//   COLLATE JETNOCASE; 12, 1.5, 1E3; Null; True / False -> -1 / 0 (1 / 0
//   without jetColumns); #date# -> its serial (days since 30 December 1899):
//   #1/2/1850#, #1850-01-02#, #2 Jan 1850#, #January 2, 1850#, with or
//   without a time (#1/2/1850 10:30 PM#), or a time alone
//   (vb::DateFromText); any other #...# raises 3075.
// Operators, high to low precedence (one level per line, left to right)
//   ^                 jet_pow(a, b)
//   -x, +x            SQLite's sign
//   * /               SQLite's; "/" divides as real numbers (7 / 2 is 3.5)
//   \                 jet_intdiv(a, b): integer division of rounded operands
//   Mod               jet_mod(a, b): remainder of rounded operands
//   + -               SQLite's for two numbers (dates, Yes/No); "+" of
//                     anything else is jet_add(a, b): two texts are
//                     joined, Null gives Null
//   &                 jet_concat(a, b, ...): texts joined, Null counts as ""
//   = <> < > <= >=, [Not] Like, [Not] Between a And b, [Not] In (...),
//   Is [Not] Null     SQLite's comparisons; LIKE runs our Jet LIKE
//                     (RegisterJetFunctions); a comparison inside a
//                     comparison is parenthesized
//   Not, And, Or      SQLite's; long And/Or chains are written as a
//                     balanced tree, so that 100 kB conditions stay within
//                     the engine's depth limit
//   Xor, Eqv, Imp and every operator of other dialects (||, ==, !=, GLOB,
//   ESCAPE, COLLATE, CASE, CAST, ...) raise 3075. Parentheses, subqueries,
//   Not and signs nest at most jetsql::kMaxNesting (200) deep; deeper input
//   raises 3075 rather than exhaust the stack.
// Functions
//   IIf(c, a, b) -> (CASE WHEN c THEN a ELSE b END): only the chosen branch
//   is evaluated.
//   Switch(c1, v1, c2, v2, ...) -> (CASE WHEN c1 THEN v1 WHEN c2 THEN v2
//   ... END): conditions in turn up to the first true one, then its value;
//   Null when none is true. An odd number of arguments (or none) raises
//   3075.
//   Choose(i, v1, v2, ...) -> (CASE "round"(i) WHEN 1 THEN v1 WHEN 2 THEN v2
//   ... END): the index rounded to a whole number (halves to even) picks the
//   one value evaluated; an index out of range or Null gives Null; fewer
//   than two arguments raise 3075.
//   Every other call f(...) -> "f"(...), run by the function registered
//   under that name (RegisterJetFunctions) or an aggregate of the engine
//   (Count, Sum, Avg, Min, Max); an unknown function raises 3085 when the
//   statement runs, a wrong number of arguments 3075. Asc followed by "("
//   is the function, elsewhere the word of ORDER BY.
// ORDER BY e -> e COLLATE JETNOCASE [ASC | DESC]; x In (...) -> x COLLATE
//   JETNOCASE In (...).
// Jet's rules (with jetColumns only)
//   - A comparison (=, <>, <, >, <=, >=, Between, In) of a text with a
//     number, a date or a Yes/No value raises 3464 (data type mismatch in
//     criteria expression): `Row > 10` on a text column, `[ROW] = '7'` on a
//     number column, `Born = 'x'` on a Date/Time column, `Name = #1/2/1850#`
//     on a text column. The kinds come from the declared types of the
//     columns, the literals, and the results of operators and functions
//     (Val, Len, InStr, Year, DateDiff, Weekday, Asc, Round, ... are
//     numbers; Date, Now, DateAdd, DateSerial, CDate, ... are dates; Left,
//     Trim, Format, Chr, String, &, ... are texts; IsDate, IsNull and CBool
//     are Yes/No; IIf, Switch, Choose and Nz have the kind of their values
//     when those agree).
//     Null and kinds that cannot be told (a subquery, an unknown function)
//     compare with anything; a comparison with Null selects no row.
//   - A Date/Time value where text is wanted (Like, &, the text arguments of
//     Left, Right, Mid, Len, InStr, InStrRev, StrComp, Trim, LTrim, RTrim,
//     UCase, LCase, CStr, Val, IsNumeric, IsDate, Asc, the character of
//     String and the interval of DateAdd, DateDiff and DatePart; Str) is
//     read as its text: jet_datetext(x), the date's vb::DateText
//     ("01/02/1850", "01/02/1850 10:30:00 PM").
//   - A Yes/No column reads -1 for True in expressions: "(-Col)". Selected
//     as a column, it keeps its name and declared type.
// A NUL character anywhere, an unterminated literal or bracket, or
// unbalanced parentheses raise 3075; a syntax error in the FROM clause
// raises 3131.
QString TranslateJetSql(const QString& jetSql, const ColumnTypes* jetColumns = nullptr);

// Jet's LIKE: "*" any run of characters (none included), "?" one character,
// "#" one digit, "[abc]", "[a-z]", "[!abc]" one character of (not of) a list;
// letters compare without regard to case. "%" and "_" are ordinary
// characters. Raises 93 ("Invalid pattern string") for an unclosed "[" or a
// descending range.
bool JetLike(const QString& value, const QString& pattern);

// Registers on a connection what the translated statements call, and the
// collation kJetCollation. Also turns off the engine's reading of
// double-quoted names as text (the translation has made every literal a
// single-quoted one, so what stays double-quoted is a name). Null in gives
// Null out unless said otherwise; a platform error inside a function fails
// the statement with its number.
//   val(x)          Null raises 3464; text gives the number at its start
//                   (vb::Val); numbers stay as they are
//   like(p, x), jet_like(x, p)   JetLike
//   jet_concat(...) texts joined, Null as ""; Null when every part is Null
//   jet_add(a, b)   two texts joined; else a + b (text read as a number,
//                   13 when it is not one)
//   jet_intdiv(a, b), jet_mod(a, b)   a \ b, a Mod b of the operands rounded
//                   to 32-bit whole numbers (halves to even); 11 for b = 0
//   jet_pow(a, b)   a ^ b; 5 when there is no real result, 11 for 0 ^ -n
//   jet_datetext(x) a number as the text of that date serial; text as is
//   trim ltrim rtrim ucase lcase len left right mid instr cstr cint clng
//                   cdbl nz   as the platform's functions (cstr, cint, clng,
//                   cdbl and the counts of left/right/mid raise 94 for Null)
//   str(x)          vb::Str: the number with a leading blank
//   int(x), fix(x)  rounded down / towards zero
//   isnull(x), isnumeric(x)   -1 (True) or 0; Null is not numeric
//   format(x [, f]) vb::Format: "yyyy", "mm/dd/yyyy", "mmmm", "0.00",
//                   "#,##0", ... (the common forms, see Format.h)
//   Dates and times (serials; a date argument may also be a date text; a
//   serial outside the years 100 to 9999 raises 6, a calculated date
//   outside them 5; options -- interval, firstdayofweek, firstweekofyear --
//   raise 94 for Null):
//   now(), date(), time()   the moment the statement started (local time,
//                   whole seconds; StatementStartMs), so that every call in
//                   one statement gives the same: with the time, the day
//                   alone, the time alone (a fraction of serial day 0)
//   intervals       "yyyy" year, "q" quarter, "m" month, "y" day of the
//                   year, "d" day, "w" weekday, "ww" week, "h" hour,
//                   "n" minute, "s" second, without regard to case; any
//                   other raises 5
//   firstdayofweek  1 Sunday (the default) ... 7 Saturday, 0 (the system's)
//                   Sunday; firstweekofyear 1 the week of 1 January (the
//                   default), 2 the first with four days of the year, 3 the
//                   first whole week, 0 as 1; other values raise 5
//   dateadd(i, n, d)   n rounded (halves to even); months and years keep the
//                   day or take the month's last (31 January + 1 "m" is
//                   28/29 February); "y", "d" and "w" add days, "ww" weeks
//   datediff(i, d1, d2 [, fdow [, fwoy]])   boundaries crossed from d1 to
//                   d2: "yyyy" year ends, "q" quarter ends, "m" month ends,
//                   "d"/"y" midnights, "h"/"n" whole hours and minutes of the
//                   clock, "s" seconds; "w" whole weeks of seven days; "ww"
//                   first days of the week after d1 up to and including d2;
//                   negative when d2 is earlier; beyond 32 bits 6
//   datepart(i, d [, fdow [, fwoy]])   the part: "w" the weekday from fdow,
//                   "ww" the week of the year (a late December day can be in
//                   week 1 with fwoy 2 or 3, an early January day in the last
//                   week of the year before; with fwoy 1, 31 December may be
//                   in week 54)
//   weekday(d [, fdow])   1 for fdow (Sunday by default) ... 7
//   year, month, day, hour, minute, second (d)   of the moment, its time
//                   rounded to the second
//   dateserial(y, m, d)   16-bit whole numbers (halves to even; beyond: 6);
//                   years 0-29 are 2000-2029, 30-99 1930-1999; months beyond
//                   1-12 carry into years, days beyond the month into months
//                   (day 0: the month before's last day)
//   isdate(x)       -1 for a text that reads as a date or time, else 0
//                   (numbers and Null too)
//   cdate(x)        the serial of a number or of a date text (13 for other
//                   text, 94 for Null); datevalue(x) its day alone
//   Texts and characters (Windows-1252 codes; compare 0 is binary, 1, 2 and
//   -1 (the default) without regard to case as JetCollation compares; other
//   compare values raise 5, Null 94):
//   strcomp(a, b [, compare])   -1, 0 or 1
//   instrrev(s, t [, start [, compare]])   the last t ending at or before
//                   start (-1: the end); 0 when none, s empty or start beyond
//                   it; start for an empty t; start 0 or below -1: 5
//   chr(n)          the character of code n (rounded) 0-255; else 5
//   asc(s)          the code of the first character (63 for one the code
//                   page lacks); "" raises 5
//   space(n), string(n, c)   n blanks, n times the first character of c or
//                   of code c (Mod 256); a negative n or code, or c = "",
//                   raises 5; a text over kMaxValueBytes raises 3035; long
//                   texts look at the statement's time limit as they grow
//   Numbers:
//   round(x [, n])  to n decimals (0 by default), halves to even on the
//                   scaled double (Round(2.5) = 2, Round(0.125, 2) = 0.12);
//                   n below 0 raises 5
//   sgn(x)          -1, 0 or 1;  sqr(x) the square root, 5 below 0
//   cbool(x)        -1 / 0 of a number, of "True" / "False" or a number's
//                   text; 13 for other text, 94 for Null
//   csng(x)         rounded to single precision; 6 beyond it, 94 for Null
//   Text where a number is wanted raises 13 in every function. Where the
//   engine has a function of its own under a Jet name (trim, ltrim, rtrim,
//   like, instr, round, format, date, time), a number of arguments the Jet
//   function does not take raises 3075, so the engine's is never reached.
void RegisterJetFunctions(sqlite3* db);

// The message prefix with which our functions hand a platform error through
// the engine ("[jet 3464] Data type mismatch ..."); the error mapping of
// platform/sqlite (RaiseSqliteError) reads it.
QString JetFunctionErrorMessage(int number, const QString& description);

}  // namespace sqlitedb
