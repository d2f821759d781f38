#pragma once
// Small SQLite files for the tests, written with libsqlite3.
#include <QString>

namespace testkit {

// Runs SQL (several statements) on a new or existing file; fails the test on
// an error.
void ExecOnFile(const QString& nativePath, const QString& sql);

// An obituary file: ObitData (7 rows of a few columns, one with a Null ROW),
// SourcesSheet, ArchiveSheet and VERSHT. `fillerRows` adds rows of long text
// so that the file spans many pages.
void WriteObituaryFile(const QString& nativePath, int fillerRows = 0);

}  // namespace testkit
