#pragma once
// Small SQLite files for the tests, written with libsqlite3.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <ostream>

#include "platform/vb/Variant.h"

#include "tests/testkit/Errors.h"
#include "tests/testkit/Printing.h"

namespace sqlitetest {

// Runs SQL (several statements) on a new or existing file; fails the test on
// an error.
void ExecOnFile(const QString& path, const QString& sql);

// An obituary file: ObitData (7 rows, one with a Null ROW), SourcesSheet,
// ArchiveSheet and VERSHT. `fillerRows` adds rows of long text so that the
// file spans many pages.
void WriteObituaryFile(const QString& path, int fillerRows = 0);


QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// The names in a folder, sorted.
QStringList Listing(const QString& folder);
// Takes write permission from the file and its folder, as on a CD (`on`),
// or gives it back.
void ProtectFolder(const QString& file, const QString& folder, bool on);

}  // namespace sqlitetest
