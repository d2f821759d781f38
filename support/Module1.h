#pragma once
// Command-line text and the folder part of a path.
#include "platform/vb/Variant.h"

#include <QString>

namespace Module1 {

// The program's command-line argument text, unchanged.
QString GetCommandLineStr();
// The text before the last backslash of Path ("" when a "/" comes after the
// last backslash or there is no backslash), with "\" appended when AddSlash.
QString GetFolderOfPath(const QString& Path, bool AddSlash);

}  // namespace Module1

namespace sqlitedb {
class SqliteRecordset;
}

namespace Module1 {
// The value of column FieldName in the recordset's current row; the empty
// text when it is Null, otherwise the value unchanged (a number stays a
// number). A missing column, or no current row, raises the engine's error
// in the caller. (The reader over Jet recordsets is in support/jetfields.)
vb::Variant GetFieldValue(const QString& FieldName, const sqlitedb::SqliteRecordset& Recordset);
}  // namespace Module1
