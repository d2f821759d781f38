#pragma once
// One table of a Jet file copied into the SQLite copy.
#include "platform/dao/JetMdb.h"
#include "platform/dao/JetRowDecoder.h"
#include "platform/dao/JetSqliteCopy.h"

#include <cstddef>
#include <string>

namespace dao::reader {

// Creates a table of the copy and fills it: a reading thread decodes the
// rows (TableDecoder) while this one inserts those already decoded.
class TableCopier {
 public:
  TableCopier(MdbHandle* mdb, MdbTableDef* table, size_t fileSize, SqliteCopy& copy,
              ReadProgress& progress)
      : table_(table), copy_(copy), decoder_(mdb, table, fileSize, progress) {}

  void Run();

 private:
  void CreateTable();
  std::string InsertStatement() const;
  void InsertRows(RowBatchQueue& queue);
  void InsertRow(const RowBatch& batch, size_t row);

  MdbTableDef* table_;
  SqliteCopy& copy_;
  TableDecoder decoder_;
  StmtPtr insert_;
};

}  // namespace dao::reader
