#pragma once
// The null-safe field reader over a Jet recordset.
#include "platform/vb/Variant.h"

#include <QString>

namespace dao {
class Recordset;
}

namespace Module1 {
// The value of column FieldName in the recordset's current row; the empty
// text when it is Null, otherwise the value unchanged (a number stays a
// number). A missing column, or no current row, raises the engine's error
// in the caller.
vb::Variant GetFieldValue(const QString& FieldName, dao::Recordset& Recordset);
}  // namespace Module1
