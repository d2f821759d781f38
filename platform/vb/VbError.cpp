#include "platform/vb/VbError.h"

#include <map>

namespace vb {

VbError::VbError(int number, QString description)
    : number_(number), description_(std::move(description)),
      what_(("Error " + QString::number(number) + ": " + description_).toStdString()) {}

QString ErrorDescription(int number) {
  static const std::map<int, const char*> texts = {
      {3, "Return without GoSub"},
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {54, "Bad file mode"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {58, "File already exists"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {67, "Too many files"},
      {68, "Device unavailable"},
      {70, "Permission denied"},
      {71, "Disk not ready"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable or With block variable not set"},
      {93, "Invalid pattern string"},
      {94, "Invalid use of Null"},
      {380, "Invalid property value"},
      {381, "Invalid property array index"},
      {438, "Object doesn't support this property or method"},
      {481, "Invalid picture"},
      {32755, "Cancel was selected."},
      {3021, "No current record."},
      {3024, "Could not find file."},
      {3027, "Cannot update. Database or object is read-only."},
      {3035, "System resource exceeded."},
      {3043, "Disk or network error."},
      {3049, "Cannot open database. It may not be a database that your application recognizes, or the file may be corrupt."},
      {3051, "The Microsoft Jet database engine cannot open the file. It is already opened exclusively by another user, or you need permission to view its data."},
      {3061, "Too few parameters. Expected 1."},
      {3075, "Syntax error in query expression."},
      {3078, "The Microsoft Jet database engine cannot find the input table or query. Make sure it exists and that its name is spelled correctly."},
      {3079, "The specified field could refer to more than one table listed in the FROM clause of your SQL statement."},
      {3085, "Undefined function in expression."},
      {3129, "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {3131, "Syntax error in FROM clause."},
      {3142, "Characters found after end of SQL statement."},
      {3219, "Invalid operation."},
      {3265, "Item not found in this collection."},
      {3343, "Unrecognized database format."},
      {3360, "Query is too complex."},
      {3464, "Data type mismatch in criteria expression."},
  };
  auto it = texts.find(number);
  return it == texts.end() ? QStringLiteral("Application-defined or object-defined error")
                           : QString::fromLatin1(it->second);
}

void Raise(int number, const QString& description) {
  throw VbError(number, description.isEmpty() ? ErrorDescription(number) : description);
}

}  // namespace vb
