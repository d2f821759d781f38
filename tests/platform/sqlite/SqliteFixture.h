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
#include "tests/testkit/SqliteFiles.h"

namespace sqlitetest {

// The obituary files are written by the test kit.
using testkit::ExecOnFile;
using testkit::WriteObituaryFile;

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);
// The names in a folder, sorted.
QStringList Listing(const QString& folder);
// Takes write permission from the file and its folder, as on a CD (`on`),
// or gives it back.
void ProtectFolder(const QString& file, const QString& folder, bool on);

}  // namespace sqlitetest
