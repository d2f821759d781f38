#pragma once
// Writes SQLite database files: typed tables filled with Variant rows.
#include <QString>
#include <vector>

#include "platform/vb/Variant.h"

namespace democd {

struct SqlColumn {
  QString name;
  QString type;  // "INTEGER", "TEXT", "REAL" or "INTEGER PRIMARY KEY"
};

struct SqlTable {
  QString name;
  std::vector<SqlColumn> columns;
  std::vector<std::vector<vb::Variant>> rows;
};

// Replaces the file with a new database holding the tables; throws
// std::runtime_error on failure.
void WriteSqlite(const QString& nativePath, const std::vector<SqlTable>& tables);

}  // namespace democd
