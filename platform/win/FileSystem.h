#pragma once
// Helpers shared by the file services: wildcard matching and the search of a
// folder for the entries a Windows-form path or pattern names.
#include <QFileDevice>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace win::fs {

// The path without a drive prefix such as "C:".
QString DropDrive(const QString& path);
// "*" and "?" anywhere in the text.
bool HasWildcards(const QString& text);
// Name against a Windows pattern, without regard to case: "*" any run of
// characters, "?" one character; a pattern ending in ".*" also matches the
// name without any extension ("*.*" matches every name).
bool MatchesPattern(const QString& name, const QString& pattern);

// A Windows-form path split at its last separator ("\" or "/"): the native
// folder ("." when the path has none) and the last component.
struct SearchTarget {
  QString nativeFolder;
  QString name;
  bool folderIsRoot = false;
};
SearchTarget SplitSearchTarget(const QString& windowsPath);
// The folder's entries, sorted by name without regard to case, hidden ones
// included; "." and ".." only with includeDots (never for the root).
QStringList ListFolder(const QString& nativeFolder, bool includeDots);
// The entries of the target's folder that its name matches (exactly, without
// regard to case, or as a pattern).
QStringList MatchingEntries(const SearchTarget& target, bool includeDots);
// A plain file as Dir with normal attributes sees it: a file (not a folder),
// not hidden (name starting with ".").
bool IsPlainFile(const QString& nativeFolder, const QString& name);
// The read-only attribute: no write permission for anyone. It is honoured
// even where the file system would let the user write (as the superuser).
// (The mode bits only: Qt's "User" flags say what the current user may do.)
constexpr QFileDevice::Permissions kWriteBits =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
// The permission bits of the file itself, without Qt's "User" flags.
inline QFileDevice::Permissions ModeBits(QFileDevice::Permissions permissions) {
  return permissions & ~QFileDevice::Permissions(
      QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}
inline bool IsReadOnly(const QFileInfo& info) {
  return (info.permissions() & kWriteBits) == 0;
}
// Joins a native folder and a name.
QString JoinNative(const QString& nativeFolder, const QString& name);
// A text the file system cannot take as a file name: control characters or
// one of < > " |.
bool HasInvalidNameCharacters(const QString& text);

}  // namespace win::fs
