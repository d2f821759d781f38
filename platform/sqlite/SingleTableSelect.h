#pragma once
// Recognises the statements whose rows can be told by their table's row
// keys alone: `SELECT * FROM <one table> [WHERE ...] [ORDER BY ...]` in the
// engine's (translated) dialect. For those a recordset runs the statement
// for the row keys only and reads each row's values when it is asked for.
#include <QString>
#include <optional>

namespace sqlitedb {

struct SingleTableSelect {
  QString table;  // the table reference as written: name, schema.name, alias
  QString tail;   // what follows it: "", " WHERE ...", " ORDER BY ...", ...
};

// The parts of `sqliteSql` when it has that form; nullopt for anything else
// (joins, a select list other than "*", DISTINCT, GROUP BY, HAVING, LIMIT,
// compound statements, a FROM subquery, an ORDER BY term that is a column
// number or starts with a parenthesis or sign, ...).
std::optional<SingleTableSelect> ParseSingleTableSelect(const QString& sqliteSql);

}  // namespace sqlitedb
