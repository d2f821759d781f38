#pragma once
// The cemetery viewer's selection over the Jet engine: each connection opens
// the file read-only in the first workspace, exclusive for the main window
// and shared for the information window; a failed open keeps the previous
// one.
#include "browser/core/Selection.h"
#include "platform/dao/Dao.h"

#include <memory>

namespace browser {

class JetSelection : public Selection {
 public:
  enum class Access { Exclusive, Shared };
  explicit JetSelection(Access access = Access::Exclusive) : access_(access) {}

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
  // Closes the recordset, then the database, then lets both go.
  void Release() override;

  dao::Database* Database() const { return database_.get(); }
  // The current selection (MainRecordSet); nullptr before the first open.
  dao::Recordset* Recordset() const { return recordset_.get(); }

 private:
  dao::Recordset& Current() const;
  Access access_;
  std::unique_ptr<dao::Database> database_;
  std::unique_ptr<dao::Recordset> recordset_;
};

}  // namespace browser
