#include "platform/sqlite/RowSet.h"

#include "platform/sqlite/DbText.h"
#include "platform/sqlite/JetDialect.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <sqlite3.h>

namespace sqlitedb {

namespace {

// Each value is a tag byte followed by its payload:
//   Null; Integer + zigzag varint; Real + 8 bytes; Utf8/Cp1252 + varint
//   length + the bytes.
enum Tag : uint8_t { kNull, kInteger, kReal, kUtf8, kCp1252 };

void PutVarint(std::vector<uint8_t>& out, uint64_t v) {
  while (v >= 0x80) {
    out.push_back(static_cast<uint8_t>(v | 0x80));
    v >>= 7;
  }
  out.push_back(static_cast<uint8_t>(v));
}

uint64_t GetVarint(const uint8_t*& p) {
  uint64_t v = 0;
  for (int shift = 0;; shift += 7) {
    const uint8_t b = *p++;
    v |= static_cast<uint64_t>(b & 0x7f) << shift;
    if ((b & 0x80) == 0) return v;
  }
}

uint64_t ZigZag(int64_t v) { return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63); }
int64_t UnZigZag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

void PutValue(std::vector<uint8_t>& out, sqlite3_stmt* stmt, int col) {
  switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL: out.push_back(kNull); return;
    case SQLITE_INTEGER:
      out.push_back(kInteger);
      PutVarint(out, ZigZag(sqlite3_column_int64(stmt, col)));
      return;
    case SQLITE_FLOAT: {
      const double d = sqlite3_column_double(stmt, col);
      uint8_t bytes[sizeof d];
      std::memcpy(bytes, &d, sizeof d);
      out.push_back(kReal);
      out.insert(out.end(), bytes, bytes + sizeof d);
      return;
    }
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
      const int size = sqlite3_column_bytes(stmt, col);
      if (text == nullptr && size > 0) throw std::bad_alloc();
      out.push_back(IsValidUtf8(text, size) ? kUtf8 : kCp1252);
      PutVarint(out, static_cast<uint64_t>(size));
      out.insert(out.end(), text, text + size);
    }
  }
}

void SkipValue(const uint8_t*& p) {
  switch (*p++) {
    case kNull: return;
    case kInteger: GetVarint(p); return;
    case kReal: p += sizeof(double); return;
    default: p += GetVarint(p);
  }
}

vb::Variant IntegerValue(int64_t v) {
  if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
    return vb::Variant(static_cast<int32_t>(v));
  return vb::Variant(static_cast<double>(v));
}

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

bool IsBlank(const char* tail) {
  for (; *tail; ++tail) {
    if (!QChar::isSpace(static_cast<unsigned char>(*tail))) return false;
  }
  return true;
}

}  // namespace

RowSet::ColumnKind RowSet::KindOfDeclaredType(const char* declaredType) {
  if (declaredType == nullptr) return ColumnKind::Plain;
  const QString t = QString::fromUtf8(declaredType).trimmed().toUpper();
  auto any = [&t](std::initializer_list<const char*> names) {
    for (const char* n : names) {
      if (t == QLatin1String(n)) return true;
    }
    return false;
  };
  if (any({"BOOLEAN"})) return ColumnKind::Boolean;
  if (any({"SMALLINT", "INTEGER16", "BYTE"})) return ColumnKind::Integer16;
  if (any({"DOUBLE", "REAL", "FLOAT", "SINGLE", "CURRENCY", "DECIMAL", "NUMERIC"}))
    return ColumnKind::Double;
  if (any({"DATETIME"})) return ColumnKind::Date;
  return ColumnKind::Plain;
}

void RowSet::AddColumns(sqlite3_stmt* stmt) {
  const int n = sqlite3_column_count(stmt);
  for (int c = 0; c < n; ++c) {
    const QString name = QString::fromUtf8(sqlite3_column_name(stmt, c));
    names_.append(name);
    const QString key = name.toCaseFolded();
    if (!index_.contains(key)) index_.insert(key, c);
    columnKinds_.push_back(KindOfDeclaredType(sqlite3_column_decltype(stmt, c)));
  }
}

void RowSet::AddRow(sqlite3_stmt* stmt, std::vector<uint8_t>& scratch) {
  constexpr size_t kBlockSize = size_t{1} << 20;
  scratch.clear();
  for (int c = 0; c < ColumnCount(); ++c) PutValue(scratch, stmt, c);
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < scratch.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kBlockSize, scratch.size()));
  }
  std::vector<uint8_t>& block = blocks_.back();
  rows_.push_back({static_cast<uint32_t>(blocks_.size() - 1), static_cast<uint32_t>(block.size())});
  block.insert(block.end(), scratch.begin(), scratch.end());
}

RowSet RowSet::Execute(sqlite3* db, const QString& sqliteSql) {
  const QByteArray sql = sqliteSql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()) + 1, &raw, &tail);
  std::unique_ptr<sqlite3_stmt, StmtCloser> stmt(raw);
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc, sqliteSql);
  if (!stmt)
    vb::Raise(3129, QStringLiteral("Invalid SQL statement; expected 'DELETE', 'INSERT', "
                                   "'PROCEDURE', 'SELECT', or 'UPDATE'."));
  if (tail && !IsBlank(tail))
    vb::Raise(3142, QStringLiteral("Characters found after end of SQL statement."));
  if (!sqlite3_stmt_readonly(stmt.get()))
    vb::Raise(3027, QStringLiteral("Cannot update. Database or object is read-only."));
  if (sqlite3_column_count(stmt.get()) == 0)  // not a query (REINDEX, ...)
    vb::Raise(3219, QStringLiteral("Invalid operation."));

  RowSet set;
  set.AddColumns(stmt.get());
  std::vector<uint8_t> scratch;
  for (;;) {
    const int step = sqlite3_step(stmt.get());
    if (step == SQLITE_DONE) break;
    if (step != SQLITE_ROW) RaiseSqliteError(db, step, sqliteSql);
    set.AddRow(stmt.get(), scratch);
  }
  if (!set.blocks_.empty()) set.blocks_.back().shrink_to_fit();
  set.rows_.shrink_to_fit();
  return set;
}

int RowSet::ColumnIndex(const QString& name) const { return index_.value(name.toCaseFolded(), -1); }

vb::Variant RowSet::Value(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
    vb::Raise(vb::err::SubscriptOutOfRange);
  const uint8_t* p = blocks_[rows_[row].block].data() + rows_[row].offset;
  for (int c = 0; c < column; ++c) SkipValue(p);
  const ColumnKind kind = columnKinds_[column];
  switch (*p++) {
    case kNull: return vb::Variant::Null();
    case kInteger: {
      const int64_t v = UnZigZag(GetVarint(p));
      switch (kind) {
        case ColumnKind::Boolean: return vb::Variant(v != 0);
        case ColumnKind::Integer16:
          if (v >= INT16_MIN && v <= INT16_MAX) return vb::Variant(static_cast<int16_t>(v));
          return IntegerValue(v);
        case ColumnKind::Double: return vb::Variant(static_cast<double>(v));
        case ColumnKind::Date: return vb::Variant(vb::DateValue{static_cast<double>(v)});
        case ColumnKind::Plain: return IntegerValue(v);
      }
      return IntegerValue(v);
    }
    case kReal: {
      double d;
      std::memcpy(&d, p, sizeof d);
      if (kind == ColumnKind::Date) return vb::Variant(vb::DateValue{d});
      return vb::Variant(d);
    }
    default: {
      const bool utf8 = p[-1] == kUtf8;
      const auto size = static_cast<int>(GetVarint(p));
      return vb::Variant(DecodeDbText(reinterpret_cast<const char*>(p), size, utf8));
    }
  }
}

}  // namespace sqlitedb
