// SQLite failures as the run-time errors of the Jet engine.
#include "platform/sqlite/SqliteErrors.h"

#include "platform/jetsql/JetTokens.h"
#include "platform/jetsql/StatementLimits.h"
#include "platform/sqlite/FileAccess.h"
#include "platform/sqlite/ReadOnlyAuthorizer.h"
#include "platform/vb/VbError.h"

#include <QRegularExpression>
#include <sqlite3.h>

#include <optional>

namespace sqlitedb {

namespace {

bool IsSyntaxMessage(const QString& msg) {
  return msg.contains(QLatin1String("syntax error")) || msg.startsWith(QLatin1String("near ")) ||
         msg.startsWith(QLatin1String("unrecognized token")) ||
         msg.startsWith(QLatin1String("incomplete input"));
}

// A syntax error inside the FROM clause is Jet's 3131, elsewhere 3075.
int SyntaxNumber(sqlite3* db, const QString& sql) {
  const int offset = db ? sqlite3_error_offset(db) : -1;
  if (offset < 0 || sql.isEmpty()) return vb::err::SyntaxError;
  const QString before = QString::fromUtf8(sql.toUtf8().left(offset));
  return ClauseAt(sql, static_cast<int>(before.size())) == QLatin1String("FROM")
             ? vb::err::SyntaxErrorFrom
             : vb::err::SyntaxError;
}

// The number for an SQLITE_ERROR, read from its message.
int NumberOfMessage(sqlite3* db, const QString& msg, const QString& sql) {
  struct Rule {
    const char* start;
    int number;
  };
  static const Rule rules[] = {
      {"no such table", vb::err::TableNotFound},
      {"no such column", vb::err::TooFewParameters},
      {"datatype mismatch", vb::err::TypeMismatchDb},
      {"no such function", vb::err::UndefinedFunction},
      {"not authorized to use function", vb::err::UndefinedFunction},
      {"wrong number of arguments", vb::err::SyntaxError},
      {"ambiguous column name", vb::err::AmbiguousField},
      {"not authorized", vb::err::ReadOnlyDb},
      {"too many attached databases", vb::err::ReadOnlyDb},
      {"access to ", vb::err::ReadOnlyDb},
      {"file is not a database", vb::err::NotADatabase},
      // The header's schema format number is not one the engine knows.
      {"unsupported file format", vb::err::NotADatabase},
      {"database disk image is malformed", vb::err::CannotOpenDb},
      {"malformed database schema", vb::err::CannotOpenDb},
  };
  for (const Rule& r : rules) {
    if (msg.startsWith(QLatin1String(r.start))) return r.number;
  }
  if (IsSyntaxMessage(msg)) return SyntaxNumber(db, sql);
  return vb::err::SyntaxError;
}

int NumberOf(sqlite3* db, int resultCode, const QString& msg, const QString& sql) {
  switch (resultCode & 0xff) {
    case SQLITE_AUTH:
    case SQLITE_READONLY: return vb::err::ReadOnlyDb;
    case SQLITE_NOTADB: return vb::err::NotADatabase;
    case SQLITE_CORRUPT: return vb::err::CannotOpenDb;
    case SQLITE_CANTOPEN:
      return db && IsAccessRefused(sqlite3_system_errno(db)) ? vb::err::CannotOpenFile
                                                             : vb::err::FileNotFoundDb;
    case SQLITE_IOERR: return vb::err::DiskError;
    case SQLITE_NOMEM: return vb::err::OutOfMemory;
    case SQLITE_TOOBIG: return vb::err::ResourceExceeded;
    case SQLITE_INTERRUPT: return vb::err::QueryTooComplex;
    case SQLITE_MISMATCH: return vb::err::TypeMismatchDb;
    case SQLITE_ERROR: return NumberOfMessage(db, msg, sql);
    default: return vb::err::CannotOpenDb;
  }
}

}  // namespace

void RaiseSqliteError(sqlite3* db, int resultCode, const QString& sqliteSql) {
  const std::optional<QString> engineTable = TakeEngineTableRefusal(db);
  const QString msg = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
  static const QRegularExpression jet(QStringLiteral(R"(^\[jet (\d+)\] (.*)$)"),
                                      QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch m = jet.match(msg);
  if (m.hasMatch()) vb::Raise(m.captured(1).toInt(), m.captured(2));
  // A statement the rules refused for a table of the engine's own names a
  // table Jet does not have.
  const int primary = resultCode & 0xff;
  if (engineTable && (primary == SQLITE_AUTH || primary == SQLITE_ERROR))
    vb::Raise(vb::err::TableNotFound, vb::ErrorDescription(vb::err::TableNotFound) + " (" +
                                          *engineTable +
                                          " is a table of the database engine itself)");
  const int number = NumberOf(db, resultCode, msg, sqliteSql);
  // Only the time limit interrupts a statement.
  const QString detail = number == vb::err::QueryTooComplex
                             ? QStringLiteral("the statement ran longer than %1 seconds")
                                   .arg(kStatementSeconds)
                             : msg;
  vb::Raise(number, vb::ErrorDescription(number) + " (" + detail + ")");
}

}  // namespace sqlitedb
