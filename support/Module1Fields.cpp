#include "platform/sqlite/SqliteRecordset.h"
#include "support/Module1.h"

namespace Module1 {

vb::Variant GetFieldValue(const QString& FieldName, const sqlitedb::SqliteRecordset& Recordset) {
  vb::Variant value = Recordset.FieldValue(FieldName);
  if (value.IsNull()) return QString();
  return value;
}

}  // namespace Module1
