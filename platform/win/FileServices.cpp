// File services with the run-time errors the programs' file statements
// raise: 52 bad file name, 53 file not found, 76 path not found, 70
// permission denied (the file is in use by someone else), 75 path/file access
// error (read-only or otherwise refused, also by the permissions of a folder
// that exists). Every path is in Windows form and
// resolved without regard to case; file names are Unicode and keep every
// character (no trip through an 8-bit code page).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <optional>

#include "platform/vb/VbError.h"
#include "platform/win/FileLocks.h"
#include "platform/win/FileSystem.h"
#include "platform/win/Win.h"

namespace win {
namespace {

bool EndsWithSeparator(const QString& path) {
  return path.endsWith(u'\\') || path.endsWith(u'/');
}

// Whether another handle locks the file (or, with countOpenHandles, merely
// holds it open); nothing when it cannot be opened for reading at all
// (missing, no permission, a folder).
std::optional<bool> ProbeInUse(const QString& nativePath, bool countOpenHandles = true) {
  const QByteArray name = QFile::encodeName(nativePath);
  const int fd = open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info;
  std::optional<bool> inUse;
  if (fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode)) {
    inUse = locks::IsLockedElsewhere(fd) || (countOpenHandles && locks::IsOpenElsewhere(fd));
  }
  close(fd);
  return inUse;
}

bool IsInUse(const QString& nativePath) { return ProbeInUse(nativePath).value_or(false); }

// 52 for an empty name, a name with characters no file name may hold, or
// (where no pattern is allowed) one with wildcards.
void CheckName(const QString& path, bool patternAllowed) {
  if (path.isEmpty() || fs::HasInvalidNameCharacters(path) ||
      (!patternAllowed && fs::HasWildcards(path))) {
    vb::Raise(vb::err::BadFileNameOrNumber);
  }
}

[[noreturn]] void RaiseNotFound(const QString& nativePath) {
  const bool folderExists = QFileInfo(QFileInfo(nativePath).absolutePath()).isDir();
  vb::Raise(folderExists ? vb::err::FileNotFound : vb::err::PathNotFound);
}

// The native path of an existing entry; raises 52, 53 or 76 otherwise.
QString ExistingNative(const QString& path) {
  CheckName(path, false);
  const QString native = ToNativePath(path);
  if (!QFileInfo::exists(native)) RaiseNotFound(native);
  return native;
}

void CheckCopyDestination(const QString& destination, const QString& source) {
  const QFileInfo info(destination);
  if (!QFileInfo(info.absolutePath()).isDir()) vb::Raise(vb::err::PathNotFound);
  if (!info.exists()) return;
  if (info.isDir()) vb::Raise(vb::err::PathFileAccessError);
  if (info.canonicalFilePath() == QFileInfo(source).canonicalFilePath() ||
      IsInUse(destination)) {
    vb::Raise(vb::err::PermissionDenied);
  }
  if (fs::IsReadOnly(info)) vb::Raise(vb::err::PathFileAccessError);
}

void CopyContent(const QString& source, const QString& destination) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) vb::Raise(vb::err::PermissionDenied);
  QFile out(destination);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    vb::Raise(vb::err::PathFileAccessError);
  }
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(1 << 16);
    if (chunk.isEmpty() && in.error() != QFile::NoError) vb::Raise(vb::err::PathFileAccessError);
    if (out.write(chunk) != chunk.size()) vb::Raise(vb::err::PathFileAccessError);
  }
  out.close();
  // The copy takes the source's attributes, read-only included.
  out.setPermissions(fs::ModeBits(in.permissions()));
}

void DeleteOne(const QString& native) {
  if (fs::IsReadOnly(QFileInfo(native))) vb::Raise(vb::err::PathFileAccessError);
  if (IsInUse(native)) vb::Raise(vb::err::PermissionDenied);
  if (!QFile::remove(native)) vb::Raise(vb::err::PathFileAccessError);
}

}  // namespace

bool FindFirstFileExists(const QString& path) {
  // The system search takes no empty name and no name ending in a separator.
  if (path.isEmpty() || EndsWithSeparator(path) || fs::HasInvalidNameCharacters(path)) {
    return false;
  }
  if (!fs::HasWildcards(path)) {
    const QFileInfo info(ToNativePath(path));
    return info.exists() || info.isSymLink();
  }
  const fs::SearchTarget target = fs::SplitSearchTarget(path);
  // A search of a folder other than the root also meets "." and "..".
  return QFileInfo(target.nativeFolder).isDir() && !fs::MatchingEntries(target, true).isEmpty();
}

bool CanOpenExclusive(const QString& path) {
  if (path.isEmpty() || fs::HasWildcards(path) || fs::HasInvalidNameCharacters(path)) {
    return false;
  }
  const std::optional<bool> inUse = ProbeInUse(ToNativePath(path));
  return inUse.has_value() && !*inUse;
}

QString Dir(const QString& path) {
  if (fs::HasInvalidNameCharacters(path)) vb::Raise(vb::err::BadFileNameOrNumber);
  fs::SearchTarget target = fs::SplitSearchTarget(path);
  if (target.name.isEmpty()) target.name = QStringLiteral("*");
  if (!QFileInfo(target.nativeFolder).isDir()) return QString();
  for (const QString& entry : fs::MatchingEntries(target, false)) {
    if (fs::IsPlainFile(target.nativeFolder, entry)) return entry;
  }
  return QString();
}

void FileCopy(const QString& source, const QString& destination) {
  const QString from = ExistingNative(source);
  if (QFileInfo(from).isDir()) vb::Raise(vb::err::PathFileAccessError);
  CheckName(destination, false);
  const QString to = ToNativePath(destination);
  CheckCopyDestination(to, from);
  // Readers may share the source; a lock on it refuses the copy.
  if (ProbeInUse(from, false).value_or(false)) vb::Raise(vb::err::PermissionDenied);
  CopyContent(from, to);
}

void Kill(const QString& path) {
  CheckName(path, true);
  if (EndsWithSeparator(path)) vb::Raise(vb::err::FileNotFound);
  const fs::SearchTarget target = fs::SplitSearchTarget(path);
  if (!QFileInfo(target.nativeFolder).isDir()) vb::Raise(vb::err::PathNotFound);
  QStringList files;
  for (const QString& entry : fs::MatchingEntries(target, false)) {
    if (fs::IsPlainFile(target.nativeFolder, entry)) files.append(entry);
  }
  if (files.isEmpty()) vb::Raise(vb::err::FileNotFound);
  for (const QString& file : files) DeleteOne(fs::JoinNative(target.nativeFolder, file));
}

int GetAttr(const QString& path) {
  const QFileInfo info(ExistingNative(path));
  int attributes = vbNormal;
  if (info.isDir()) attributes |= vbDirectory;
  if (fs::IsReadOnly(info)) attributes |= vbReadOnly;
  if (info.fileName().startsWith(u'.')) attributes |= vbHidden;
  return attributes;
}

// Only the read-only bit has a counterpart here: read-only takes every write
// permission away, clearing it gives the owner write permission back.
// Hidden, system and archive are accepted and have no effect.
void SetAttr(const QString& path, int attributes) {
  if (attributes & ~(vbReadOnly | vbHidden | vbSystem | vbArchive)) {
    vb::Raise(vb::err::InvalidProcedureCall);
  }
  const QString native = ExistingNative(path);
  QFile file(native);
  QFile::Permissions permissions = fs::ModeBits(file.permissions());
  if (attributes & vbReadOnly) {
    permissions &= ~fs::kWriteBits;
  } else {
    permissions |= QFile::WriteOwner;
  }
  if (!file.setPermissions(permissions)) vb::Raise(vb::err::PathFileAccessError);
}

int64_t FileLen(const QString& path) {
  const QFileInfo info(ExistingNative(path));
  return info.isDir() ? 0 : info.size();
}

std::unique_ptr<QFile> OpenForAppend(const QString& path, bool exists) {
  const QByteArray name = QFile::encodeName(ToNativePath(path));
  const int flags = O_WRONLY | O_APPEND | O_CLOEXEC | (exists ? 0 : O_CREAT | O_EXCL);
  const int fd = open(name.constData(), flags, 0666);
  if (fd < 0) vb::Raise(OpenErrorNumber(errno));
  auto file = std::make_unique<QFile>();
  if (!file->open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
    close(fd);
    vb::Raise(vb::err::PathFileAccessError);
  }
  return file;
}

int OpenErrorNumber(int error) {
  return error == ENOENT || error == ENOTDIR ? vb::err::PathNotFound
                                             : vb::err::PathFileAccessError;
}

}  // namespace win
