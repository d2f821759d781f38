#pragma once
// The Jet database access the viewers use: one engine per process, its first
// workspace, databases opened read-only, recordsets holding the rows of one
// SELECT in statement order, and the tables' definitions.
//
// A database file is read once into an in-memory SQLite copy (kept for the
// process while the file's size and modification time stay the same);
// statements in the Jet dialect run on that copy. Every failure raises a
// run-time error (vb::VbError) with the engine's error number.
#include "platform/sqlite/RowSet.h"
#include "platform/vb/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace dao {

class JetCopy;
class Recordset;

// One column of a recordset; its value is the one in the current row.
class Field {
 public:
  const QString& Name() const;
  // Null for an empty column; raises 3021 when there is no current row.
  vb::Variant Value() const;

 private:
  friend class FieldList;
  Field(const Recordset* recordset, int column) : recordset_(recordset), column_(column) {}
  const Recordset* recordset_;
  int column_;
};

// The Fields collection of a recordset.
class FieldList {
 public:
  int Count() const;
  // The column of that name, matched without regard to case; raises 3265
  // for a name that is not a column.
  Field Item(const QString& name) const;
  Field operator()(const QString& name) const { return Item(name); }

 private:
  friend class Recordset;
  explicit FieldList(const Recordset* recordset) : recordset_(recordset) {}
  const Recordset* recordset_;
};

// Whether a database is still open; its recordsets close with it.
struct OpenState {
  bool open = true;
};

class Recordset {
 public:
  // The current row's 0-based position; -1 without a current row.
  int AbsolutePosition() const;
  int RecordCount() const;
  // Raise 3021 on a result without rows.
  void MoveFirst();
  void MoveLast(int options = 0);
  // A step past an end leaves no current row and sets BOF / EOF without an
  // error; a step beyond a marker already reached raises 3021.
  void MoveNext();
  void MovePrevious();
  bool BOF() const;
  // EOF is a macro of the C library, hence the trailing underscore.
  bool EOF_() const;
  FieldList Fields() const { return FieldList(this); }
  void Close();

 private:
  friend class Database;
  friend class Field;
  friend class FieldList;
  Recordset(std::shared_ptr<const sqlitedb::RowSet> rows,
            std::shared_ptr<const OpenState> database);
  void CheckOpen() const;
  int ColumnIndex(const QString& name) const;
  vb::Variant Value(int column) const;

  std::shared_ptr<const sqlitedb::RowSet> rows_;
  std::shared_ptr<const OpenState> database_;
  int count_;
  int current_;  // -1 before the first row, count_ after the last
  bool closed_ = false;
};

class TableDefField {
 public:
  TableDefField(QString name, int size) : name_(std::move(name)), size_(size) {}
  const QString& Name() const { return name_; }
  // Text: the maximum length in characters; other types their size in bytes.
  int Size() const { return size_; }

 private:
  QString name_;
  int size_;
};

class TableDef {
 public:
  TableDef(QString name, int32_t attributes, std::vector<TableDefField> fields)
      : name_(std::move(name)), attributes_(attributes), fields_(std::move(fields)) {}
  const QString& Name() const { return name_; }
  // The catalog's flags; 0x80000000 and 0x2 mark the engine's system objects.
  int32_t Attributes() const { return attributes_; }
  const std::vector<TableDefField>& Fields() const { return fields_; }

 private:
  QString name_;
  int32_t attributes_;
  std::vector<TableDefField> fields_;
};

class Database {
 public:
  ~Database();
  // Runs a SELECT in the Jet dialect; raises the engine's error for a
  // statement it cannot run (3078 missing table, 3061 unknown column, 3464
  // type mismatch, a syntax-error number for a rejected statement).
  std::unique_ptr<Recordset> OpenRecordset(const QString& sql);
  // Every table of the catalog, system tables included, in name order.
  const std::vector<TableDef>& TableDefs() const;
  void Close();

 private:
  friend class Workspace;
  explicit Database(std::shared_ptr<const JetCopy> copy);
  void CheckOpen() const;

  std::shared_ptr<const JetCopy> copy_;
  std::shared_ptr<OpenState> state_;
  std::vector<TableDef> tableDefs_;
};

class Workspace {
 public:
  // `path` in Windows form. The file is only ever read: an exclusive open
  // does not keep this process from opening the same file again.
  std::unique_ptr<Database> OpenDatabase(const QString& path, bool exclusive = false,
                                         bool readOnly = false);
};

class Engine {
 public:
  // Item 0 is the only workspace; another index raises 3265.
  Workspace& Workspaces(int index);
  // Opens the database in the first workspace.
  std::unique_ptr<Database> OpenDatabase(const QString& path, bool exclusive = false,
                                         bool readOnly = false);

 private:
  Workspace workspace_;
};

// The process's engine, created on first use.
Engine& DBEngine();

}  // namespace dao
