#include "obituary/SqliteSelection.h"

#include "platform/vb/VbError.h"
#include "support/Module1.h"

namespace obituary {

void SqliteSelection::OpenConnection(const QString& path) {
  ++connectionNumber_;
  connection_ = sqlitedb::SqliteConnection();
  connection_.OpenDatabaseFile(path);
}

void SqliteSelection::OpenSelection(const QString& statement, bool wholeTable) {
  browser::ObserveStatement(statement);
  recordset_ = connection_.OpenQuery(statement, wholeTable);
}

sqlitedb::SqliteRecordset& SqliteSelection::Recordset() {
  if (!recordset_) vb::Raise(vb::err::ObjectVariableNotSet);
  return *recordset_;
}

bool SqliteSelection::IsEmpty() { return Recordset().CurrentPosition() < 0; }
void SqliteSelection::MoveFirst() { Recordset().MoveToFirst(); }
void SqliteSelection::MoveLast() { Recordset().MoveToLast(); }
void SqliteSelection::MoveNext() { Recordset().MoveToNext(); }
void SqliteSelection::MovePrevious() { Recordset().MoveToPrevious(); }
bool SqliteSelection::AtBOF() { return Recordset().IsBOF(); }
bool SqliteSelection::AtEOF() { return Recordset().IsEOF(); }
int SqliteSelection::FieldCount() { return Recordset().FieldCount(); }
int SqliteSelection::RecordCount() { return Recordset().RowCount(); }
vb::Variant SqliteSelection::GetFieldValue(const QString& FieldName) {
  return Module1::GetFieldValue(FieldName, Recordset());
}

void SqliteSelection::Release() {
  recordset_.reset();
  connection_ = sqlitedb::SqliteConnection();
}

}  // namespace obituary
