#include "bench/ObituaryBench.h"

#include "bench/Figures.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

namespace bench {

namespace {

const QString kSourceOrderSelectAll =
    "SELECT * FROM ObitData ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDateReal, "
    "ObitData.PublicationDate;";


// The window answers 3464 by running the same statement once more.
sqlitedb::SqliteRecordset OpenSelectAll(sqlitedb::SqliteConnection& connection) {
  try {
    return connection.OpenQuery(kSourceOrderSelectAll, true);
  } catch (const vb::VbError& e) {
    if (e.Number() != vb::err::TypeMismatchDb) throw;
    return connection.OpenQuery(kSourceOrderSelectAll, true);
  }
}

}  // namespace

double ObituarySelectAllSeconds(const std::string& dbPath) {
  const QString path = win::ToWindowsPath(QString::fromStdString(dbPath));
  return Seconds([&] {
    sqlitedb::SqliteConnection connection;
    connection.OpenDatabaseFile(path);
    sqlitedb::SqliteRecordset rows = OpenSelectAll(connection);
    rows.MoveToLast();
    rows.MoveToFirst();
  });
}

double ObituaryFirstOpenCheckMilliseconds(const std::string& dbPath, int runs) {
  const QString path = win::ToWindowsPath(QString::fromStdString(dbPath));
  auto open = [&] { sqlitedb::SqliteConnection().OpenDatabaseFile(path); };
  const double first = MedianSeconds(runs, [&] {
    sqlitedb::testing::ForgetCheckedFilesForTesting();
    open();
  });
  const double later = MedianSeconds(runs, open);
  return (first - later) * 1000.0;
}

}  // namespace bench
