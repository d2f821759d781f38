#include "SqliteFixture.h"

#include <QDir>
#include <QFile>
#include "platform/vb/VbError.h"
#include <gtest/gtest.h>
#include <sqlite3.h>


namespace sqlitetest {

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QByteArray();
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QStringList Listing(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}

void ProtectFolder(const QString& file, const QString& folder, bool on) {
  const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
  const auto searchable = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
  QFile::setPermissions(file, on ? readOnly : readOnly | QFile::WriteOwner);
  QFile::setPermissions(folder, on ? searchable : searchable | QFile::WriteOwner);
}

}  // namespace sqlitetest
