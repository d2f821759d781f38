#pragma once
// The obituary viewer's selection over an SQLite file: each connection is
// made anew and then opened, so a failed open leaves a connection that opens
// nothing (its queries raise).
#include "browser/core/Selection.h"
#include "platform/sqlite/SqliteConnection.h"

#include <optional>

namespace obituary {

class SqliteSelection : public browser::Selection {
 public:
  void OpenConnection(const QString& path) override;
  void OpenSelection(const QString& statement, bool wholeTable) override;
  bool IsEmpty() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  bool AtBOF() override;
  bool AtEOF() override;
  int FieldCount() override;
  int RecordCount() override;
  vb::Variant GetFieldValue(const QString& FieldName) override;
  // Drops the selection, then the connection; nothing is closed explicitly.
  void Release() override;

  // The window's connection (mydb), on which the record display's look-ups
  // also run.
  sqlitedb::SqliteConnection& Connection() { return connection_; }
  const sqlitedb::SqliteConnection& Connection() const { return connection_; }
  // A number that changes whenever OpenConnection replaces the connection,
  // so that what was read on one connection is not taken for another's.
  int ConnectionNumber() const { return connectionNumber_; }
  // The current selection; raises 91 before the first open.
  sqlitedb::SqliteRecordset& Recordset();
  bool HasRecordset() const { return recordset_.has_value(); }

 private:
  sqlitedb::SqliteConnection connection_;
  int connectionNumber_ = 0;
  std::optional<sqlitedb::SqliteRecordset> recordset_;
};

}  // namespace obituary
