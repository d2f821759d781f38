#include "platform/dao/JetRowDecoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace dao::reader {

namespace {

constexpr size_t kBatchRows = 256;
constexpr size_t kBatchBytes = size_t(1) << 20;

void Need(const MdbField& f, int bytes) {
  if (f.siz < bytes) Fail(kDamaged);
}

template <typename T>
T Raw(const MdbField& f) {
  Need(f, int(sizeof(T)));
  T x;
  std::memcpy(&x, f.value, sizeof x);
  return x;
}

void SetInteger(DecodedValue& out, int64_t v) {
  out.kind = DecodedValue::Kind::Integer;
  out.integer = v;
}

void SetReal(DecodedValue& out, double v) {
  out.kind = DecodedValue::Kind::Real;
  out.real = v;
}

}  // namespace

TableDecoder::TableDecoder(MdbHandle* mdb, MdbTableDef* table, size_t fileSize,
                           ReadProgress& progress)
    : mdb_(mdb),
      table_(table),
      progress_(progress),
      fmt_{size_t(mdb->fmt->pg_size), mdb->fmt->row_count_offset, IsJet4(mdb)},
      text_(fmt_.jet4, mdb->f->code_page),
      longValues_(mdb, fmt_, fileSize),
      maxPages_(fileSize / fmt_.pageSize),
      fields_(table->num_cols) {}

void TableDecoder::Run(RowBatchQueue& queue) {
  RowBatch batch = NewBatch();
  try {
    if (!DecodeRows(queue, batch)) return;  // the inserting side gave up
  } catch (const ReadFailure& failure) {
    batch.failure = failure.number;
  } catch (...) {
    batch.failure = kDamaged;
  }
  batch.last = true;
  queue.Push(std::move(batch));
}

RowBatch TableDecoder::NewBatch() const {
  RowBatch batch;
  batch.columns = table_->num_cols;
  batch.values.reserve(kBatchRows * batch.columns);
  return batch;
}

bool TableDecoder::DecodeRows(RowBatchQueue& queue, RowBatch& batch) {
  mdb_rewind_table(table_);
  size_t pages = 0;
  uint64_t rows = 0;
  const uint8_t* page = mdb_->pg_buf;
  while (mdb_read_next_dpg(table_)) {
    if (++pages > maxPages_ || page[0] != kDataPage) Fail(kDamaged);
    progress_.ticks.fetch_add(1, std::memory_order_relaxed);
    const unsigned count = RowCount(page, fmt_);
    for (unsigned r = 0; r < count; ++r) {
      const RowSpan row = LocateRow(page, fmt_, r);
      if (row.deleted || row.size == 0) continue;
      const unsigned columns = RowColumns(page, fmt_, row, table_->num_var_cols > 0);
      if (mdb_crack_row(table_, int(row.start), row.size, fields_.data()) < 0) Fail(kDamaged);
      if (++rows > table_->num_rows) Fail(kDamaged);
      DecodeRow(batch, page, row, columns);
    }
    if (batch.Rows() >= kBatchRows || batch.bytes.size() >= kBatchBytes) {
      if (!queue.Push(std::exchange(batch, NewBatch()))) return false;
    }
  }
  if (rows != table_->num_rows) Fail(kDamaged);
  return true;
}

void TableDecoder::DecodeRow(RowBatch& batch, const uint8_t* page, const RowSpan& span,
                             unsigned rowColumns) {
  DecodedValue* row = batch.AddRow();
  for (unsigned i = 0; i < table_->num_cols; ++i) {
    MdbField& f = fields_[i];
    const int colnum = f.colnum;
    if (colnum < 0 || unsigned(colnum) >= table_->num_cols) Fail(kDamaged);
    const MdbColumn* col = Column(table_, unsigned(colnum));
    if (col->col_num < 0 || unsigned(col->col_num) >= rowColumns) {
      f.is_null = 1;
    } else if (!f.is_null && col->col_type != MDB_BOOL) {
      CheckInRow(f, page, span);
    }
    DecodeValue(col, f, batch, row[colnum]);
  }
}

void TableDecoder::DecodeValue(const MdbColumn* col, const MdbField& f, RowBatch& batch,
                               DecodedValue& out) {
  if (col->col_type == MDB_BOOL) {  // held in the null mask, never Null
    SetInteger(out, f.is_null ? 0 : 1);
    return;
  }
  if (f.is_null) return;  // the row starts as Nulls
  if (!DecodeNumber(col, f, out)) DecodeBytes(col, f, batch, out);
}

bool TableDecoder::DecodeNumber(const MdbColumn* col, const MdbField& f, DecodedValue& out) {
  switch (col->col_type) {
    case MDB_BYTE: SetInteger(out, Raw<uint8_t>(f)); return true;
    case MDB_INT: SetInteger(out, Raw<int16_t>(f)); return true;
    case MDB_LONGINT:
    case MDB_COMPLEX: SetInteger(out, Raw<int32_t>(f)); return true;
    case MDB_MONEY: SetReal(out, double(Raw<int64_t>(f)) / 10000.0); return true;
    case MDB_FLOAT: SetReal(out, double(Raw<float>(f))); return true;
    case MDB_DOUBLE:
    case MDB_DATETIME:  // dates: days since 30 Dec 1899, the raw value
      SetReal(out, Raw<double>(f));
      return true;
    case MDB_NUMERIC: {
      Need(f, 17);
      char* s = mdb_numeric_to_string(mdb_, f.start, col->col_scale, col->col_prec);
      SetReal(out, s ? std::strtod(s, nullptr) : 0.0);
      g_free(s);
      return true;
    }
    default: return false;
  }
}

void TableDecoder::DecodeBytes(const MdbColumn* col, const MdbField& f, RowBatch& batch,
                               DecodedValue& out) {
  const uint8_t* v = static_cast<const uint8_t*>(f.value);
  switch (col->col_type) {
    case MDB_REPID: {
      Need(f, 16);
      char* s = mdb_uuid_to_string(mdb_->pg_buf, f.start);
      batch.SetBytes(out, DecodedValue::Kind::Text, s ? s : "", s ? std::strlen(s) : 0);
      g_free(s);
      break;
    }
    case MDB_TEXT:
      text_.Decode(v, size_t(f.siz), buf_);
      batch.SetBytes(out, DecodedValue::Kind::Text, buf_.data(), buf_.size());
      break;
    case MDB_MEMO:
      longValues_.Read(v, f.siz, raw_);
      text_.Decode(reinterpret_cast<const uint8_t*>(raw_.data()), raw_.size(), buf_);
      batch.SetBytes(out, DecodedValue::Kind::Text, buf_.data(), buf_.size());
      break;
    case MDB_OLE:
      longValues_.Read(v, f.siz, buf_);
      batch.SetBytes(out, DecodedValue::Kind::Blob, buf_.data(), buf_.size());
      break;
    case MDB_BINARY:
      batch.SetBytes(out, DecodedValue::Kind::Blob, v, size_t(std::max(f.siz, 0)));
      break;
    default:
      break;  // a type without a value here: Null
  }
}

}  // namespace dao::reader
