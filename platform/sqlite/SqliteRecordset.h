#pragma once
// The rows of one obituary statement with a current row.
//
// Positions: the first row stands at position 1, the last at RowCount().
// The obituary window shows CurrentPosition unchanged as the record number,
// and the record number users read for the first record is "1" (the cemetery
// viewer shows its 0-based position plus one, so both viewers agree).
// Without a current row (empty result, before the first or after the last
// row) CurrentPosition is -1.
#include "platform/sqlite/RowSet.h"
#include "platform/vb/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace sqlitedb {

class SqliteRecordset {
 public:
  // No rows and no columns.
  SqliteRecordset() = default;
  // Stands on the first row (when there is one).
  explicit SqliteRecordset(std::shared_ptr<const RowSet> rows);

  int32_t CurrentPosition() const;
  int32_t RowCount() const;  // exact at any time

  // MoveToNext past the last row gives IsEOF, MoveToPrevious before the
  // first IsBOF; the opposite move then returns to the last / first row.
  // A further step beyond a reached end stays there. On an empty result
  // every move leaves both IsBOF and IsEOF True. Moves never raise.
  void MoveToFirst();
  void MoveToLast();
  void MoveToNext();
  void MoveToPrevious();
  bool IsBOF() const;
  bool IsEOF() const;

  int FieldCount() const;
  // The named column of the current row (name matched without regard to
  // case); Null for NULL. Raises 3021 without a current row, 3265 for a name
  // that is not a column.
  vb::Variant FieldValue(const QString& name) const;

 private:
  int Rows() const { return rows_ ? rows_->RowCount() : 0; }
  bool OnRow() const { return index_ >= 0 && index_ < Rows(); }

  std::shared_ptr<const RowSet> rows_;
  int index_ = -1;  // 0-based; -1 before the first row, Rows() after the last
};

}  // namespace sqlitedb
