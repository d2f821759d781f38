#include "platform/dao/JetTableCopier.h"

#include "platform/jetsql/JetDialect.h"

#include <sqlite3.h>

#include <thread>

namespace dao::reader {

namespace {

constexpr size_t kBatchesAhead = 8;

// The declarations that make the recordsets read each type back as Jet's
// own kind of value (see RowSet.h).
const char* DeclaredType(int colType) {
  switch (colType) {
    case MDB_BOOL: return "BOOLEAN";
    case MDB_BYTE: return "BYTE";
    case MDB_INT: return "SMALLINT";
    case MDB_LONGINT:
    case MDB_COMPLEX: return "INTEGER";
    case MDB_MONEY: return "CURRENCY";
    case MDB_FLOAT: return "SINGLE";
    case MDB_DOUBLE: return "DOUBLE";
    case MDB_NUMERIC: return "DECIMAL";
    case MDB_DATETIME: return "DATETIME";
    case MDB_BINARY:
    case MDB_OLE: return "BLOB";
    default: return "TEXT";
  }
}

bool IsTextType(int colType) {
  return colType == MDB_TEXT || colType == MDB_MEMO || colType == MDB_REPID;
}

std::string QuoteName(const char* name) {
  std::string q = "\"";
  for (const char* p = name; *p; ++p) {
    if (*p == '"') q.push_back('"');
    q.push_back(*p);
  }
  q.push_back('"');
  return q;
}

void Bind(sqlite3_stmt* st, int p, const DecodedValue& v, const RowBatch& batch) {
  const char* bytes = batch.bytes.data() + v.offset;
  switch (v.kind) {
    case DecodedValue::Kind::Null: sqlite3_bind_null(st, p); break;
    case DecodedValue::Kind::Integer: sqlite3_bind_int64(st, p, v.integer); break;
    case DecodedValue::Kind::Real: sqlite3_bind_double(st, p, v.real); break;
    case DecodedValue::Kind::Text:
      sqlite3_bind_text64(st, p, bytes, v.size, SQLITE_STATIC, SQLITE_UTF8);
      break;
    case DecodedValue::Kind::Blob: sqlite3_bind_blob64(st, p, bytes, v.size, SQLITE_STATIC); break;
  }
}

}  // namespace

void TableCopier::Run() {
  CreateTable();
  if (table_->num_cols == 0) {
    if (table_->num_rows != 0) Fail(kDamaged);
    return;
  }
  insert_ = copy_.Prepare(InsertStatement());
  RowBatchQueue queue(kBatchesAhead);
  std::thread reader([this, &queue] { decoder_.Run(queue); });
  // On every way out the reader is told to stop and waited for.
  struct Joiner {
    std::thread& thread;
    RowBatchQueue& queue;
    ~Joiner() {
      queue.Cancel();
      thread.join();
    }
  } joiner{reader, queue};
  InsertRows(queue);
}

void TableCopier::CreateTable() {
  std::string sql = "CREATE TABLE " + QuoteName(table_->name) + " (";
  for (unsigned i = 0; i < table_->num_cols; ++i) {
    const MdbColumn* col = Column(table_, i);
    if (i) sql += ", ";
    sql += QuoteName(col->name);
    sql += ' ';
    sql += DeclaredType(col->col_type);
    if (IsTextType(col->col_type)) {
      sql += " COLLATE ";
      sql += sqlitedb::kJetCollation;
    }
  }
  if (table_->num_cols == 0) sql += "\"\"";
  sql += ")";
  copy_.Exec(sql);
}

std::string TableCopier::InsertStatement() const {
  std::string sql = "INSERT INTO " + QuoteName(table_->name) + " VALUES (";
  for (unsigned i = 0; i < table_->num_cols; ++i) sql += i ? ",?" : "?";
  return sql + ")";
}

void TableCopier::InsertRows(RowBatchQueue& queue) {
  for (;;) {
    const RowBatch batch = queue.Pop();
    for (size_t r = 0; r < batch.Rows(); ++r) InsertRow(batch, r);
    if (batch.failure != 0) Fail(batch.failure);
    if (batch.last) return;
  }
}

void TableCopier::InsertRow(const RowBatch& batch, size_t row) {
  sqlite3_stmt* st = insert_.get();
  const DecodedValue* values = batch.values.data() + row * batch.columns;
  for (size_t c = 0; c < batch.columns; ++c) Bind(st, int(c) + 1, values[c], batch);
  if (sqlite3_step(st) != SQLITE_DONE) Fail(kDamaged);
  sqlite3_reset(st);
}

}  // namespace dao::reader
