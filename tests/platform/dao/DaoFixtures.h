#pragma once
// Fixture databases for the Jet layer's tests, written with the Jet writer
// into a temporary folder.
#include "tools/jetwriter/JetWriter.h"

#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <vector>

namespace daotest {

using jetwriter::Column;
using jetwriter::ColumnType;
using jetwriter::Table;

// A folder that lives as long as the test.
class FixtureDir {
 public:
  FixtureDir();
  // The native path of a file in the folder.
  QString Native(const QString& name) const;
  // The same path in Windows form, as the callers pass it.
  QString Windows(const QString& name) const;
  // Writes the tables to `name` (Jet 4 unless the options say otherwise) and
  // returns its Windows-form path.
  QString Write(const QString& name, const std::vector<Table>& tables,
                const jetwriter::WriteOptions& options = {}) const;

 private:
  QTemporaryDir dir_;
};

// A burial table like the viewers' Sheet1: LastName (Text 30), Given,
// Cemetery, Section, ROW, LOT, STONE (texts), Age (Long), Born (DateTime),
// Veteran (Boolean), Notes (Memo); the rows are given as texts and numbers.
Table BurialTable(const std::vector<std::vector<vb::Variant>>& rows);

}  // namespace daotest

#include "tests/testkit/Printing.h"
