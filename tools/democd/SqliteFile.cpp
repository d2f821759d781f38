#include "tools/democd/SqliteFile.h"

#include <sqlite3.h>

#include <QFile>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace democd {

namespace {

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStmt {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
using Stmt = std::unique_ptr<sqlite3_stmt, FinalizeStmt>;

[[noreturn]] void Fail(sqlite3* db, const QString& what) {
  throw std::runtime_error((what + ": " + QString::fromUtf8(sqlite3_errmsg(db))).toStdString());
}

void Exec(sqlite3* db, const QString& sql) {
  if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
    Fail(db, sql.left(60));
}

QString Quoted(const QString& name) { return "\"" + name + "\""; }

void Bind(sqlite3* db, sqlite3_stmt* s, int index, const vb::Variant& v) {
  int rc = SQLITE_OK;
  switch (v.type()) {
    case vb::Variant::Type::Empty:
    case vb::Variant::Type::Null:
      rc = sqlite3_bind_null(s, index);
      break;
    case vb::Variant::Type::Integer:
      rc = sqlite3_bind_int(s, index, v.AsInteger());
      break;
    case vb::Variant::Type::Long:
      rc = sqlite3_bind_int(s, index, v.AsLong());
      break;
    case vb::Variant::Type::Boolean:
      rc = sqlite3_bind_int(s, index, v.AsBoolean() ? 1 : 0);
      break;
    case vb::Variant::Type::Double:
      rc = sqlite3_bind_double(s, index, v.AsDouble());
      break;
    case vb::Variant::Type::Date:
      rc = sqlite3_bind_double(s, index, v.AsDate().serial);
      break;
    case vb::Variant::Type::String: {
      const QByteArray text = v.AsString().toUtf8();
      rc = sqlite3_bind_text(s, index, text.constData(), static_cast<int>(text.size()),
                             SQLITE_TRANSIENT);
      break;
    }
  }
  if (rc != SQLITE_OK) Fail(db, "bind");
}

void CreateAndFill(sqlite3* db, const SqlTable& table) {
  QStringList defs, names, marks;
  for (const SqlColumn& c : table.columns) {
    defs << Quoted(c.name) + " " + c.type;
    names << Quoted(c.name);
    marks << "?";
  }
  Exec(db, "CREATE TABLE " + Quoted(table.name) + " (" + defs.join(", ") + ")");
  const QByteArray insert = ("INSERT INTO " + Quoted(table.name) + " (" + names.join(", ") +
                             ") VALUES (" + marks.join(", ") + ")")
                                .toUtf8();
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, insert.constData(), -1, &raw, nullptr) != SQLITE_OK)
    Fail(db, "prepare " + table.name);
  Stmt stmt(raw);
  for (const auto& row : table.rows) {
    for (size_t i = 0; i < row.size(); ++i) Bind(db, raw, static_cast<int>(i) + 1, row[i]);
    if (sqlite3_step(raw) != SQLITE_DONE) Fail(db, "insert into " + table.name);
    sqlite3_reset(raw);
  }
}

}  // namespace

void WriteSqlite(const QString& nativePath, const std::vector<SqlTable>& tables) {
  if (QFile::exists(nativePath) && !QFile::remove(nativePath))
    throw std::runtime_error(("cannot replace " + nativePath).toStdString());
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(nativePath.toUtf8().constData(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) Fail(raw, "open " + nativePath);
  Exec(raw, "BEGIN");
  for (const SqlTable& t : tables) CreateAndFill(raw, t);
  Exec(raw, "COMMIT");
}

}  // namespace democd
