#pragma once
// What the translation of a Jet statement knows of the database's columns:
// their declared types, which Jet's rules for comparisons and text need.
#include <QHash>
#include <QString>
#include <memory>
#include <optional>

struct sqlite3;

namespace sqlitedb {

// The kind of value an expression gives, as far as the statement tells.
enum class JetType { Unknown, Null, Text, Number, Date, Boolean };

// The kind of a column declared with this SQLite type name: TEXT, MEMO,
// ...CHAR... -> Text; BOOLEAN, BIT, YESNO -> Boolean; DATETIME, DATE ->
// Date; the number types (BYTE, SMALLINT, INTEGER, LONG, SINGLE, DOUBLE,
// CURRENCY, DECIMAL, NUMERIC, REAL, ...) -> Number; none, BLOB and anything
// else -> Unknown.
JetType JetTypeOfDeclared(const char* declaredType);

// The columns of the tables of a database.
class ColumnTypes {
 public:
  virtual ~ColumnTypes() = default;
  // The kind of column `column` of table `table` (both matched without
  // regard to case); nullopt when the table is not known or has no such
  // column.
  virtual std::optional<JetType> ColumnType(const QString& table, const QString& column) const = 0;
};

// The column types of the tables of an SQLite database, as declared; each
// table is looked at once, when it is first asked about.
class DeclaredColumnTypes : public ColumnTypes {
 public:
  explicit DeclaredColumnTypes(sqlite3* db) : db_(db) {}
  std::optional<JetType> ColumnType(const QString& table, const QString& column) const override;

 private:
  using Columns = QHash<QString, JetType>;  // case-folded name -> type
  const Columns* TableColumns(const QString& table) const;

  sqlite3* db_;
  mutable QHash<QString, std::shared_ptr<const Columns>> tables_;  // null: no such table
};

}  // namespace sqlitedb
