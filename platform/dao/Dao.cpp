#include "platform/dao/Dao.h"

#include "platform/dao/JetLoader.h"
#include "platform/jetsql/JetDialect.h"
#include "platform/jetsql/JetSchema.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <algorithm>

namespace dao {

namespace {

[[noreturn]] void RaiseClosed() {
  vb::Raise(vb::err::ObjectInvalid, QStringLiteral("Object invalid or no longer set."));
}

std::vector<TableDef> MakeTableDefs(const std::vector<TableInfo>& tables) {
  std::vector<TableDef> defs;
  defs.reserve(tables.size());
  for (const TableInfo& t : tables) {
    std::vector<TableDefField> fields;
    fields.reserve(t.fields.size());
    for (const FieldInfo& f : t.fields) fields.emplace_back(f.name, f.size);
    defs.emplace_back(t.name, t.attributes, std::move(fields));
  }
  std::stable_sort(defs.begin(), defs.end(), [](const TableDef& a, const TableDef& b) {
    return a.Name().compare(b.Name(), Qt::CaseInsensitive) < 0;
  });
  return defs;
}

}  // namespace

// ---- Field, FieldList ----------------------------------------------------------

const QString& Field::Name() const { return recordset_->rows_->ColumnNames().at(column_); }

vb::Variant Field::Value() const { return recordset_->Value(column_); }

int FieldList::Count() const {
  recordset_->CheckOpen();
  return recordset_->rows_->ColumnCount();
}

Field FieldList::Item(const QString& name) const {
  return Field(recordset_, recordset_->ColumnIndex(name));
}

// ---- Recordset -------------------------------------------------------------------

Recordset::Recordset(std::shared_ptr<const sqlitedb::RowSet> rows,
                     std::shared_ptr<const OpenState> database)
    : rows_(std::move(rows)),
      database_(std::move(database)),
      count_(rows_->RowCount()),
      current_(count_ > 0 ? 0 : -1) {}

void Recordset::CheckOpen() const {
  if (closed_ || !database_->open) RaiseClosed();
}

int Recordset::AbsolutePosition() const {
  CheckOpen();
  return current_ >= 0 && current_ < count_ ? current_ : -1;
}

int Recordset::RecordCount() const {
  CheckOpen();
  return count_;
}

void Recordset::MoveFirst() {
  CheckOpen();
  if (count_ == 0) vb::Raise(vb::err::NoCurrentRecord);
  current_ = 0;
}

void Recordset::MoveLast(int /*options*/) {
  CheckOpen();
  if (count_ == 0) vb::Raise(vb::err::NoCurrentRecord);
  current_ = count_ - 1;
}

void Recordset::MoveNext() {
  CheckOpen();
  if (count_ == 0 || current_ >= count_) vb::Raise(vb::err::NoCurrentRecord);
  ++current_;
}

void Recordset::MovePrevious() {
  CheckOpen();
  if (current_ < 0 || count_ == 0) vb::Raise(vb::err::NoCurrentRecord);
  --current_;
}

bool Recordset::BOF() const {
  CheckOpen();
  return count_ == 0 || current_ < 0;
}

bool Recordset::EOF_() const {
  CheckOpen();
  return count_ == 0 || current_ >= count_;
}

void Recordset::Close() { closed_ = true; }

int Recordset::ColumnIndex(const QString& name) const {
  CheckOpen();
  const int index = rows_->ColumnIndex(name);
  if (index < 0) vb::Raise(vb::err::ItemNotFound);
  return index;
}

vb::Variant Recordset::Value(int column) const {
  CheckOpen();
  if (current_ < 0 || current_ >= count_) vb::Raise(vb::err::NoCurrentRecord);
  return rows_->Value(current_, column);
}

// ---- Database ----------------------------------------------------------------------

Database::Database(std::shared_ptr<const JetCopy> copy)
    : copy_(std::move(copy)),
      state_(std::make_shared<OpenState>()),
      tableDefs_(MakeTableDefs(copy_->Tables())) {}

Database::~Database() = default;

void Database::CheckOpen() const {
  if (!state_->open) RaiseClosed();
}

std::unique_ptr<Recordset> Database::OpenRecordset(const QString& sql) {
  CheckOpen();
  // Jet's rules need the declared types of the copy's columns.
  const sqlitedb::DeclaredColumnTypes columns(copy_->Db());
  const QString translated = sqlitedb::TranslateJetSql(sql, &columns);
  return std::unique_ptr<Recordset>(new Recordset(copy_->Run(translated), state_));
}

const std::vector<TableDef>& Database::TableDefs() const {
  CheckOpen();
  return tableDefs_;
}

void Database::Close() { state_->open = false; }

// ---- Workspace, Engine ---------------------------------------------------------------

std::unique_ptr<Database> Workspace::OpenDatabase(const QString& path, bool /*exclusive*/,
                                                  bool /*readOnly*/) {
  const std::string native = win::ToNativePath(path).toStdString();
  return std::unique_ptr<Database>(new Database(CachedJetCopy(native)));
}

Workspace& Engine::Workspaces(int index) {
  if (index != 0) vb::Raise(vb::err::ItemNotFound);
  return workspace_;
}

std::unique_ptr<Database> Engine::OpenDatabase(const QString& path, bool exclusive,
                                               bool readOnly) {
  return workspace_.OpenDatabase(path, exclusive, readOnly);
}

Engine& DBEngine() {
  static Engine engine;
  return engine;
}

}  // namespace dao
