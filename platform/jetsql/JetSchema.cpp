#include "platform/jetsql/JetSchema.h"

#include <QByteArray>
#include <sqlite3.h>

namespace sqlitedb {

JetType JetTypeOfDeclared(const char* declaredType) {
  if (declaredType == nullptr) return JetType::Unknown;
  const QString t = QString::fromUtf8(declaredType).trimmed().toUpper();
  auto is = [&t](std::initializer_list<const char*> names) {
    for (const char* n : names) {
      if (t == QLatin1String(n)) return true;
    }
    return false;
  };
  auto has = [&t](std::initializer_list<const char*> parts) {
    for (const char* p : parts) {
      if (t.contains(QLatin1String(p))) return true;
    }
    return false;
  };
  if (is({"BOOLEAN", "BIT", "YESNO"})) return JetType::Boolean;
  if (is({"DATETIME", "DATE"})) return JetType::Date;
  if (has({"CHAR", "CLOB", "TEXT", "MEMO"})) return JetType::Text;
  if (has({"BLOB", "BINARY"})) return JetType::Unknown;
  if (has({"INT", "REAL", "FLOA", "DOUB", "NUM", "DEC", "CURRENCY", "MONEY", "SINGLE", "BYTE",
           "LONG", "COUNTER"}))
    return JetType::Number;
  return JetType::Unknown;
}

const DeclaredColumnTypes::Columns* DeclaredColumnTypes::TableColumns(const QString& table) const {
  const QString key = table.toCaseFolded();
  auto it = tables_.constFind(key);
  if (it != tables_.constEnd()) return it->get();
  std::shared_ptr<Columns> columns;
  QString quoted = table;
  const QByteArray sql = ("SELECT * FROM \"" + quoted.replace('"', QLatin1String("\"\"")) + '"').toUtf8();
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr) == SQLITE_OK &&
      stmt != nullptr) {
    columns = std::make_shared<Columns>();
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
      const QString name = QString::fromUtf8(sqlite3_column_name(stmt, c)).toCaseFolded();
      if (!columns->contains(name)) columns->insert(name, JetTypeOfDeclared(sqlite3_column_decltype(stmt, c)));
    }
  }
  sqlite3_finalize(stmt);
  tables_.insert(key, columns);
  return columns.get();
}

std::optional<JetType> DeclaredColumnTypes::ColumnType(const QString& table, const QString& column) const {
  const Columns* columns = TableColumns(table);
  if (columns == nullptr) return std::nullopt;
  auto it = columns->constFind(column.toCaseFolded());
  if (it == columns->constEnd()) return std::nullopt;
  return *it;
}

}  // namespace sqlitedb
