#include "tests/testkit/gravelight/GravelightTest.h"

#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "platform/win/Win.h"
#include "tools/democd/Cemetery.h"

void GravelightTest::SetIdentity() { gravelight::SetProgramIdentity(); }

QString GravelightTest::WriteDatabase(const std::vector<jetwriter::Table>& tables,
                                      const QString& name) {
  const QString path = DataFolder() + "/" + name;
  jetwriter::WriteMdb(path, tables);
  return Win(path);
}

jetwriter::Table GravelightTest::Sheet1(const std::vector<democd::Record>& rows) {
  return Sheet1(rows, democd::Sheet1Columns());
}

jetwriter::Table GravelightTest::Sheet1(const std::vector<democd::Record>& rows,
                                        const std::vector<jetwriter::Column>& columns) {
  // Rows may name their columns in any case, as the viewer's statements do.
  std::vector<democd::Record> spelled;
  for (const democd::Record& row : rows) {
    democd::Record record;
    for (auto it = row.begin(); it != row.end(); ++it) {
      QString name = it.key();
      for (const auto& column : columns)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) name = column.name;
      record.insert(name, it.value());
    }
    spelled.push_back(record);
  }
  return democd::MakeTable("Sheet1", columns, spelled);
}

jetwriter::Table GravelightTest::Versht(const vb::Variant& dbver, const vb::Variant& dbappinfo) {
  jetwriter::Table table;
  table.name = "VERSHT";
  table.columns = {{"dbver", jetwriter::ColumnType::Text, 50},
                   {"dbappinfo", jetwriter::ColumnType::Text, 50}};
  table.rows = {{dbver, dbappinfo}};
  return table;
}

democd::Record GravelightTest::Burial(const QString& last, const QString& given) {
  return {{"LastName", last}, {"Given", given},   {"Cemetery", QString("Oak Hill")},
          {"Section", QString("A")}, {"Row", QString("1")}, {"Lot", QString("1")},
          {"Stone", QString("1")}};
}

void GravelightTest::Start(const QString& commandLine) {
  MakeWindow(commandLine, [] {
    return std::make_unique<browser::FormGravelightMain>(gravelight::FormGravelightMainLayout());
  });
  ShowWindow();
}
