#pragma once
// A run-time error of the platform: a number and a description, thrown as
// an exception. C++ propagation stands for the platform's own propagation:
// an error in a procedure without a handler reaches the nearest caller that
// has one.
#include <QString>
#include <exception>
#include <string>

namespace vb {

class VbError : public std::exception {
 public:
  VbError(int number, QString description);
  int Number() const { return number_; }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int number_;
  QString description_;
  std::string what_;
};

// The platform's standard description of a run-time error number
// ("Overflow" for 6, "File not found" for 53, ...); "Application-defined or
// object-defined error" for numbers it does not know.
QString ErrorDescription(int number);

// Raises run-time error `number`; an empty description takes the standard one.
[[noreturn]] void Raise(int number, const QString& description = QString());

// Common run-time error numbers.
namespace err {
constexpr int InvalidProcedureCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int BadFileNameOrNumber = 52;
constexpr int FileNotFound = 53;
constexpr int BadFileMode = 54;
constexpr int FileAlreadyOpen = 55;
constexpr int FileAlreadyExists = 58;
constexpr int DeviceIOError = 57;
constexpr int DiskFull = 61;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectVariableNotSet = 91;
constexpr int InvalidPattern = 93;     // a LIKE pattern with an unclosed "[" or a descending range
constexpr int InvalidUseOfNull = 94;
constexpr int InvalidPropertyValue = 380;
constexpr int NoSuchProperty = 438;
constexpr int InvalidPicture = 481;
constexpr int ControlNotFound = 730;
constexpr int CancelError = 32755;  // the file dialog's Cancel
// Database engine numbers.
constexpr int NoCurrentRecord = 3021;
constexpr int FileNotFoundDb = 3024;
constexpr int ReadOnlyDb = 3027;     // cannot update: the database or object is read-only
constexpr int DiskError = 3043;      // disk or network error
constexpr int NotAValidPath = 3044;  // the file's folder does not exist
constexpr int CannotOpenDb = 3049;   // not a database / damaged
constexpr int CannotOpenFile = 3051; // the file is there, but this user may not read it
constexpr int ItemNotFound = 3265;   // no column of that name
constexpr int SyntaxError = 3075;    // syntax error in an expression
constexpr int SyntaxErrorFrom = 3131; // syntax error in FROM clause
constexpr int TableNotFound = 3078;
constexpr int AmbiguousField = 3079;  // a name that could be a column of more than one table
constexpr int InvalidStatement = 3129; // a statement that is not a query
constexpr int TextAfterStatement = 3142; // characters after the end of the statement
constexpr int InvalidOperation = 3219; // a statement that gives no rows
constexpr int TooFewParameters = 3061; // unknown name in a statement
constexpr int ObjectInvalid = 3420;   // the object was closed (or never opened)
constexpr int TypeMismatchDb = 3464;  // data type mismatch in criteria expression
constexpr int NotADatabase = 3343;   // unrecognized database format
constexpr int ResourceExceeded = 3035;  // a text, blob or statement longer than the engine takes
constexpr int UndefinedFunction = 3085; // a function the engine does not offer
constexpr int QueryTooComplex = 3360;   // a statement that ran past its time limit
}  // namespace err

}  // namespace vb

namespace vb {
// Thrown by the platform's program end ("End"): unwinds every procedure and
// is caught by the event dispatch, which then closes the program.
struct ProgramEnded {};
}  // namespace vb
