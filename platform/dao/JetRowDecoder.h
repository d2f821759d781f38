#pragma once
// The rows of a Jet table decoded with libmdb into batches for the SQLite
// copy (JetRowQueue.h).
#include "platform/dao/JetLongValues.h"
#include "platform/dao/JetPages.h"
#include "platform/dao/JetRowQueue.h"
#include "platform/dao/JetText.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dao::reader {

// Decodes a table's rows with libmdb into batches (RowBatch), on the reading
// thread. Only this thread uses libmdb while the table is being copied.
class TableDecoder {
 public:
  TableDecoder(MdbHandle* mdb, MdbTableDef* table, size_t fileSize, ReadProgress& progress);

  // Hands every row to `queue`; the last batch says how the reading ended.
  void Run(RowBatchQueue& queue);

 private:
  RowBatch NewBatch() const;
  // Walks the table's data pages as libmdb's own row fetch does, cracking
  // each live row once; the number of rows found must be the table's count.
  bool DecodeRows(RowBatchQueue& queue, RowBatch& batch);
  // A column that the row does not hold (added to the table after the row
  // was written) is Null, as Jet reads it; every value the row holds must lie
  // inside the row.
  void DecodeRow(RowBatch& batch, const uint8_t* page, const RowSpan& span, unsigned rowColumns);
  void DecodeValue(const MdbColumn* col, const MdbField& f, RowBatch& batch, DecodedValue& out);
  // The value of a column of a number or date type; false for other types.
  bool DecodeNumber(const MdbColumn* col, const MdbField& f, DecodedValue& out);
  // The value of a column of text, long value or bytes; Null for a type
  // without a value here.
  void DecodeBytes(const MdbColumn* col, const MdbField& f, RowBatch& batch, DecodedValue& out);

  MdbHandle* mdb_;
  MdbTableDef* table_;
  ReadProgress& progress_;
  PageFormat fmt_;
  JetTextDecoder text_;
  LongValueReader longValues_;
  size_t maxPages_;
  std::vector<MdbField> fields_;
  std::string buf_;
  std::string raw_;
};

}  // namespace dao::reader
