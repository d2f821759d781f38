#include "browser/core/Selection.h"

#include "platform/vb/VbError.h"

namespace browser {

namespace {

StatementObserver& Observer() {
  static StatementObserver observer;
  return observer;
}

void Observe(const QString& statement) {
  if (Observer()) Observer()(statement);
}

}  // namespace

void SetStatementObserverForTesting(StatementObserver observer) {
  Observer() = std::move(observer);
}

// ---- JetSelection ------------------------------------------------------------------

void JetSelection::OpenConnection(const QString& path) {
  // The connection a store replaces is released, not closed first.
  database_ = dao::DBEngine().Workspaces(0).OpenDatabase(path, true, true);
}

void JetSelection::OpenSelection(const QString& statement, bool) {
  Observe(statement);
  if (!database_) vb::Raise(vb::err::ObjectVariableNotSet);
  recordset_ = database_->OpenRecordset(statement);
}

dao::Recordset& JetSelection::Current() const {
  if (!recordset_) vb::Raise(vb::err::ObjectVariableNotSet);
  return *recordset_;
}

bool JetSelection::IsEmpty() { return Current().AbsolutePosition() <= -1; }
void JetSelection::MoveFirst() { Current().MoveFirst(); }
void JetSelection::MoveLast() { Current().MoveLast(0); }
void JetSelection::MoveNext() { Current().MoveNext(); }
void JetSelection::MovePrevious() { Current().MovePrevious(); }
bool JetSelection::AtBOF() { return Current().BOF(); }
bool JetSelection::AtEOF() { return Current().EOF_(); }
int JetSelection::FieldCount() { return Current().Fields().Count(); }
int JetSelection::RecordCount() { return Current().RecordCount(); }

void JetSelection::Release() {
  // Closing a selection that was never opened is no failure.
  try {
    if (recordset_) recordset_->Close();
  } catch (const vb::VbError&) {
  }
  try {
    if (database_) database_->Close();
  } catch (const vb::VbError&) {
  }
  recordset_.reset();
  database_.reset();
}

// ---- SqliteSelection ---------------------------------------------------------------

void SqliteSelection::OpenConnection(const QString& path) {
  ++connectionNumber_;
  connection_ = sqlitedb::SqliteConnection();
  connection_.OpenDatabaseFile(path);
}

void SqliteSelection::OpenSelection(const QString& statement, bool wholeTable) {
  Observe(statement);
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

void SqliteSelection::Release() {
  recordset_.reset();
  connection_ = sqlitedb::SqliteConnection();
}

}  // namespace browser
