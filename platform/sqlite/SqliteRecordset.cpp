#include "platform/sqlite/SqliteRecordset.h"

#include "platform/vb/VbError.h"

namespace sqlitedb {

SqliteRecordset::SqliteRecordset(std::shared_ptr<const RowSet> rows)
    : rows_(std::move(rows)), index_(Rows() > 0 ? 0 : -1) {}

int32_t SqliteRecordset::CurrentPosition() const { return OnRow() ? index_ + 1 : -1; }

int32_t SqliteRecordset::RowCount() const { return Rows(); }

void SqliteRecordset::MoveToFirst() { index_ = 0; }

void SqliteRecordset::MoveToLast() { index_ = Rows() - 1; }

void SqliteRecordset::MoveToNext() {
  if (index_ < Rows()) ++index_;
}

void SqliteRecordset::MoveToPrevious() {
  if (index_ >= 0) --index_;
}

bool SqliteRecordset::IsBOF() const { return Rows() == 0 || index_ < 0; }

bool SqliteRecordset::IsEOF() const { return Rows() == 0 || index_ >= Rows(); }

int SqliteRecordset::FieldCount() const { return rows_ ? rows_->ColumnCount() : 0; }

vb::Variant SqliteRecordset::FieldValue(const QString& name) const {
  if (!OnRow()) vb::Raise(vb::err::NoCurrentRecord);
  const int column = rows_->ColumnIndex(name);
  if (column < 0) vb::Raise(vb::err::ItemNotFound);
  return rows_->Value(index_, column);
}

}  // namespace sqlitedb
