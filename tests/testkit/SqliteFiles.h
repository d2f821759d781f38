#pragma once
// Small SQLite files for the tests, written with libsqlite3. Written out in
// this header, so that the kit itself does not link SQLite: the tests that
// write these files link it with the database layer they test.
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace testkit {

// Runs SQL (several statements) on a new or existing file; fails the test on
// an error.
inline void ExecOnFile(const QString& nativePath, const QString& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(nativePath.toUtf8().constData(), &db), SQLITE_OK);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
  const QString message = QString::fromUtf8(error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

// An obituary file: ObitData (7 rows of a few columns, one with a Null ROW),
// SourcesSheet, ArchiveSheet and VERSHT. `fillerRows` adds rows of long text
// so that the file spans many pages.
inline void WriteObituaryFile(const QString& nativePath, int fillerRows = 0) {
  QString sql = QStringLiteral(R"(
    PRAGMA page_size = 1024;
    CREATE TABLE ObitData (ID INTEGER PRIMARY KEY, LastName TEXT, Given TEXT,
      Obituary TEXT, Section TEXT, ROW TEXT, LOT TEXT, STONE TEXT,
      NewsPubSourceID TEXT, PublicationDateReal REAL, PublicationDate TEXT,
      ArchiveID TEXT, Pix1 TEXT, VisitationOverride INTEGER, TypedObit TEXT);
    INSERT INTO ObitData VALUES
      (1, 'Smith', 'John', 'Gazette', '1990', '5', '1', '2', '1', 33000, '05/12/1990', '7', 'a.jpg', 0, 'Text one'),
      (2, 'smith', 'anna', 'Gazette', '1990', '10', '1', '1', '1', 33010, '06/01/1990', '7', '', 1, NULL),
      (3, 'Brown', 'Mary', 'Herald', '1985', '9', '2', '10', '2', 31000, '11/15/1984', '8', NULL, 0, 'Text three'),
      (4, 'O''Neil', 'Pat', 'Herald', '1985', '9', '2', '9', '2', 31001, '11/16/1984', NULL, NULL, 0, ''),
      (5, 'Zeta', 'Zoe', 'Gazette', '2001', '12', '3', '4', '1', 37000, '04/20/2001', '7', NULL, 0, '   '),
      (6, 'Álvarez', 'Ana', 'Herald', '1985', NULL, '1', '1', '2', 31002, '11/17/1984', '8', NULL, 0, NULL),
      (7, 'BROWN', 'adam', 'Gazette', '1990', '5', '1', '3', '1', 33001, '05/13/1990', '7', NULL, 0, NULL);
    CREATE TABLE SourcesSheet (newsid INTEGER, newspubsourceid TEXT, Publisher TEXT, City TEXT);
    INSERT INTO SourcesSheet VALUES (1, '1', 'Daily Gazette', 'Springfield'),
                                    (2, '2', 'Evening Herald', 'Shelbyville');
    CREATE TABLE ArchiveSheet (ArchiveID INTEGER, ArchiveName TEXT);
    INSERT INTO ArchiveSheet VALUES (7, 'City Archive'), (8, 'archive of the county');
    CREATE TABLE VERSHT (dbver TEXT, dbappinfo INTEGER);
    INSERT INTO VERSHT VALUES ('3.1', 2);
  )");
  for (int i = 0; i < fillerRows; ++i) {
    sql += QStringLiteral("INSERT INTO ObitData (LastName, Given, Obituary, Section, ROW, STONE, TypedObit) "
                          "VALUES ('Filler%1', 'F', 'Gazette', '1999', '%2', '1', '%3');")
               .arg(i)
               .arg(i % 12 + 1)
               .arg(QString(200, QChar(u'a' + i % 26)));
  }
  ExecOnFile(nativePath, sql);
}

}  // namespace testkit
