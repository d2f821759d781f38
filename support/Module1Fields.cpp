#include "platform/dao/Dao.h"
#include "support/Module1.h"

namespace Module1 {

vb::Variant GetFieldValue(const QString& FieldName, dao::Recordset& Recordset) {
  if (Recordset.Fields()(FieldName).Value().IsNull()) return QString();
  return Recordset.Fields()(FieldName).Value();
}

}  // namespace Module1
