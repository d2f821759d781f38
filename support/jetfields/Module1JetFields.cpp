#include "support/jetfields/Module1JetFields.h"

#include "platform/dao/Dao.h"

namespace Module1 {

vb::Variant GetFieldValue(const QString& FieldName, dao::Recordset& Recordset) {
  if (Recordset.Fields()(FieldName).Value().IsNull()) return QString();
  return Recordset.Fields()(FieldName).Value();
}

}  // namespace Module1
