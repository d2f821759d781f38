#include "platform/sqlite/RowSet.h"

#include "platform/jetsql/DbText.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/sqlite/SingleTableSelect.h"
#include "platform/sqlite/SqliteErrors.h"
#include "platform/vb/VbError.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
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

void RowSet::StmtCloser::operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }

RowSet::RowSet() = default;
RowSet::~RowSet() = default;
RowSet::RowSet(RowSet&&) noexcept = default;
RowSet& RowSet::operator=(RowSet&&) noexcept = default;

RowSet RowSet::Execute(std::shared_ptr<sqlite3> db, const QString& sqliteSql) {
  sqlite3* raw = db.get();
  return Run(raw, std::move(db), sqliteSql);
}

RowSet RowSet::Execute(sqlite3* db, const QString& sqliteSql) { return Run(db, nullptr, sqliteSql); }

RowSet RowSet::Execute(sqlite3* db, const QString& sqliteSql,
                       const std::vector<vb::Variant>& parameters) {
  return Run(db, nullptr, sqliteSql, parameters);
}

namespace {

void Bind(sqlite3* db, sqlite3_stmt* stmt, int index, const vb::Variant& value) {
  int rc = SQLITE_OK;
  switch (value.type()) {
    case vb::Variant::Type::Empty:
    case vb::Variant::Type::Null:
      rc = sqlite3_bind_null(stmt, index);
      break;
    case vb::Variant::Type::String: {
      const QByteArray text = value.AsString().toUtf8();
      rc = sqlite3_bind_text(stmt, index, text.constData(), static_cast<int>(text.size()),
                             SQLITE_TRANSIENT);
      break;
    }
    case vb::Variant::Type::Integer:
    case vb::Variant::Type::Long:
      rc = sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(value.ToDouble()));
      break;
    default:
      rc = sqlite3_bind_double(stmt, index, value.ToDouble());
      break;
  }
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc);
}

}  // namespace

RowSet RowSet::Run(sqlite3* db, std::shared_ptr<sqlite3> owner, const QString& sqliteSql,
                   const std::vector<vb::Variant>& parameters) {
  const StatementClock clock;
  const QByteArray sql = sqliteSql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  // A refusal the rules left from a statement prepared before (one whose
  // failure went unreported) says nothing about this one.
  TakeEngineTableRefusal(db);
  const int rc = sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()) + 1, &raw, &tail);
  Stmt stmt(raw);
  if (rc != SQLITE_OK) RaiseSqliteError(db, rc, sqliteSql);
  if (!stmt) vb::Raise(vb::err::InvalidStatement);
  if (tail && !IsBlank(tail)) vb::Raise(vb::err::TextAfterStatement);
  if (!sqlite3_stmt_readonly(stmt.get())) vb::Raise(vb::err::ReadOnlyDb);
  if (sqlite3_column_count(stmt.get()) == 0)  // not a query (REINDEX, ...)
    vb::Raise(vb::err::InvalidOperation);
  if (static_cast<size_t>(sqlite3_bind_parameter_count(stmt.get())) != parameters.size())
    vb::Raise(vb::err::TooFewParameters, QStringLiteral("Too few parameters. Expected %1.")
                        .arg(sqlite3_bind_parameter_count(stmt.get())));
  for (size_t i = 0; i < parameters.size(); ++i)
    Bind(db, stmt.get(), static_cast<int>(i) + 1, parameters[i]);

  RowSet set;
  set.AddColumns(stmt.get());
  Stmt keys;
  if (owner && parameters.empty() && set.PrepareKeyed(db, sqliteSql, keys)) {
    stmt.reset();
    set.ReadKeys(db, keys.get(), sqliteSql);
    set.db_ = std::move(owner);
  } else {
    set.ReadAll(db, stmt.get(), sqliteSql);
  }
  // The engine looks at the clock only every few thousand steps, and a
  // comparison cut short by the limit gives no order: a statement that
  // ended past its limit fails like one stopped there.
  CheckStatementTime();
  return set;
}

// The row-key statement and the look-up for a statement of the keyed form,
// with a name for the row key that no column of the table hides. False (and
// the statement is read in full) for any other statement, and for a view or
// a table without row keys.
bool RowSet::PrepareKeyed(sqlite3* db, const QString& sqliteSql, Stmt& keys) {
  const std::optional<SingleTableSelect> select = ParseSingleTableSelect(sqliteSql);
  if (!select) return false;
  QString key;
  for (const char* candidate : {"rowid", "_rowid_", "oid"}) {
    if (ColumnIndex(QLatin1String(candidate)) < 0) {
      key = QLatin1String(candidate);
      break;
    }
  }
  if (key.isEmpty()) return false;
  auto prepare = [db](const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &s, nullptr) != SQLITE_OK)
      sqlite3_finalize(std::exchange(s, nullptr));
    return Stmt(s);
  };
  Stmt keyStmt = prepare("SELECT " + key + " FROM " + select->table + select->tail);
  // A view's "rowid" is a Null that belongs to no table.
  if (!keyStmt || sqlite3_column_count(keyStmt.get()) != 1 ||
      sqlite3_column_table_name(keyStmt.get(), 0) == nullptr)
    return false;
  Stmt lookUp = prepare("SELECT * FROM " + select->table + " WHERE " + key + " = ?");
  if (!lookUp || sqlite3_column_count(lookUp.get()) != ColumnCount()) return false;
  keys = std::move(keyStmt);
  lookUp_ = std::move(lookUp);
  keyed_ = true;
  return true;
}

void RowSet::ReadKeys(sqlite3* db, sqlite3_stmt* keys, const QString& sqliteSql) {
  for (;;) {
    const int step = sqlite3_step(keys);
    if (step == SQLITE_DONE) break;
    if (step != SQLITE_ROW) RaiseSqliteError(db, step, sqliteSql);
    keys_.push_back(sqlite3_column_int64(keys, 0));
  }
  keys_.shrink_to_fit();
}

void RowSet::ReadAll(sqlite3* db, sqlite3_stmt* stmt, const QString& sqliteSql) {
  std::vector<uint8_t> scratch;
  for (;;) {
    const int step = sqlite3_step(stmt);
    if (step == SQLITE_DONE) break;
    if (step != SQLITE_ROW) RaiseSqliteError(db, step, sqliteSql);
    AddRow(stmt, scratch);
  }
  if (!blocks_.empty()) blocks_.back().shrink_to_fit();
  rows_.shrink_to_fit();
}

// A string that owns its text shares it with the slot, which keeps that text
// alive and unchanged (a change detaches the caller's string): another string
// at the same place is the same text. Text the string does not own (a
// literal, raw data) is copied and compared.
bool RowSet::AskedName::Holds(const QString& asked) const {
  if (where != asked.constData() || name.size() != asked.size()) return false;
  return name.constData() == asked.constData() ||
         std::memcmp(name.constData(), asked.constData(), size_t(asked.size()) * sizeof(QChar)) == 0;
}

int RowSet::ColumnIndex(const QString& name) const {
  const auto where = reinterpret_cast<uintptr_t>(name.constData());
  static_assert(kAskedSlots == 256, "the first slot is the top 8 bits of the hash");
  const size_t first = (where * 0x9E3779B97F4A7C15ull) >> 56;
  AskedName* free = nullptr;
  for (size_t probe = 0; probe < kAskedProbes; ++probe) {
    AskedName& slot = asked_[(first + probe) % kAskedSlots];
    if (slot.Holds(name)) return slot.column;
    if (slot.where == nullptr && free == nullptr) free = &slot;
  }
  auto it = spelled_.constFind(name);
  if (it == spelled_.constEnd()) it = spelled_.insert(name, index_.value(name.toCaseFolded(), -1));
  const bool owned = name.capacity() > 0;
  AskedName& slot = free ? *free : asked_[first];
  slot = AskedName{name.constData(), owned ? name : QString(name.constData(), name.size()), *it};
  return slot.column;
}

vb::Variant RowSet::Value(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
    vb::Raise(vb::err::SubscriptOutOfRange);
  return keyed_ ? FetchedValue(row, column) : StoredValue(row, column);
}

// Stands the look-up on the row; the row read last stays current.
sqlite3_stmt* RowSet::FetchRow(int row) const {
  sqlite3_stmt* s = lookUp_.get();
  if (fetched_ == row) return s;
  const StatementClock clock;
  fetched_ = -1;
  sqlite3_reset(s);
  sqlite3_bind_int64(s, 1, keys_[row]);
  const int step = sqlite3_step(s);
  if (step == SQLITE_ROW) {
    fetched_ = row;
    return s;
  }
  // A row whose key was found when the statement ran and that cannot be found
  // now: the file is damaged. (The look-up is reset by the next fetch.)
  if (step == SQLITE_DONE) RaiseSqliteError(nullptr, SQLITE_CORRUPT);
  RaiseSqliteError(db_.get(), step);
}

vb::Variant RowSet::FetchedValue(int row, int column) const {
  sqlite3_stmt* s = FetchRow(row);
  switch (sqlite3_column_type(s, column)) {
    case SQLITE_NULL: return vb::Variant::Null();
    case SQLITE_INTEGER: return IntegerOfKind(sqlite3_column_int64(s, column), column);
    case SQLITE_FLOAT: return RealOfKind(sqlite3_column_double(s, column), column);
    default: {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
      const int size = sqlite3_column_bytes(s, column);
      if (text == nullptr && size > 0) throw std::bad_alloc();
      return vb::Variant(DecodeDbText(text, size));
    }
  }
}

vb::Variant RowSet::IntegerOfKind(int64_t v, int column) const {
  switch (columnKinds_[column]) {
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

vb::Variant RowSet::RealOfKind(double d, int column) const {
  if (columnKinds_[column] == ColumnKind::Date) return vb::Variant(vb::DateValue{d});
  return vb::Variant(d);
}

vb::Variant RowSet::StoredValue(int row, int column) const {
  const uint8_t* p = blocks_[rows_[row].block].data() + rows_[row].offset;
  for (int c = 0; c < column; ++c) SkipValue(p);
  switch (*p++) {
    case kNull: return vb::Variant::Null();
    case kInteger: return IntegerOfKind(UnZigZag(GetVarint(p)), column);
    case kReal: {
      double d;
      std::memcpy(&d, p, sizeof d);
      return RealOfKind(d, column);
    }
    default: {
      const bool utf8 = p[-1] == kUtf8;
      const auto size = static_cast<int>(GetVarint(p));
      return vb::Variant(DecodeDbText(reinterpret_cast<const char*>(p), size, utf8));
    }
  }
}

}  // namespace sqlitedb
