#include "browser/JetSelection.h"

#include "platform/vb/VbError.h"
#include "support/jetfields/Module1JetFields.h"

namespace browser {

void JetSelection::OpenConnection(const QString& path) {
  // The connection a store replaces is released, not closed first.
  database_ = dao::DBEngine().Workspaces(0).OpenDatabase(path, access_ == Access::Exclusive, true);
}

void JetSelection::OpenSelection(const QString& statement, bool) {
  ObserveStatement(statement);
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
vb::Variant JetSelection::GetFieldValue(const QString& FieldName) {
  return Module1::GetFieldValue(FieldName, Current());
}

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

}  // namespace browser
