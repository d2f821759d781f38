#include "DaoFixtures.h"

#include "platform/win/Win.h"

#include <stdexcept>

namespace daotest {

FixtureDir::FixtureDir() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
}

QString FixtureDir::Native(const QString& name) const { return dir_.filePath(name); }

QString FixtureDir::Windows(const QString& name) const {
  return win::ToWindowsPath(Native(name));
}

QString FixtureDir::Write(const QString& name, const std::vector<Table>& tables,
                          const jetwriter::WriteOptions& options) const {
  jetwriter::WriteMdb(Native(name), tables, options);
  return Windows(name);
}

Table BurialTable(const std::vector<std::vector<vb::Variant>>& rows) {
  Table t;
  t.name = "Sheet1";
  t.columns = {{"LastName", ColumnType::Text, 30}, {"Given", ColumnType::Text, 50},
               {"Cemetery", ColumnType::Text, 50}, {"Section", ColumnType::Text, 20},
               {"ROW", ColumnType::Text, 10},      {"LOT", ColumnType::Text, 10},
               {"STONE", ColumnType::Text, 10},    {"Age", ColumnType::Long},
               {"Born", ColumnType::DateTime},     {"Veteran", ColumnType::Boolean},
               {"Notes", ColumnType::Memo}};
  t.rows = rows;
  return t;
}

}  // namespace daotest
