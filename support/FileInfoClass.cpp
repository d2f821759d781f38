#include "support/FileInfoClass.h"

#include "platform/vb/VbError.h"
#include "platform/win/Win.h"
#include "support/Module1.h"

namespace {

// Position (0-based) of the last character of `Path` that is one of
// `characters`, -1 when none is.
qsizetype LastOf(const QString& Path, const QString& characters) {
  for (qsizetype i = Path.size() - 1; i >= 0; --i) {
    if (characters.contains(Path[i])) return i;
  }
  return -1;
}

// The full path from its parts; the dot is always written.
QString Joined(const QString& folder, const QString& name, const QString& extension) {
  return folder + name + u'.' + extension;
}

}  // namespace

FileInfoClass::FileInfoClass(const QString& FilePathAndName)
    : m_FilePathAndName(FilePathAndName) {}

int16_t FileInfoClass::CopyFile(const QString& DestinationFileAndPath) {
  if (!FileExistsFindFirst(m_FilePathAndName)) return -1;
  if (GetFileLockState(m_FilePathAndName) != 0) return 1;
  if (FileExistsFindFirst(DestinationFileAndPath)) return 2;
  win::FileCopy(m_FilePathAndName, DestinationFileAndPath);
  return 0;
}

bool FileInfoClass::IsFileAvailableForUse() {
  return GetFileLockState(m_FilePathAndName) == 0;
}

int16_t FileInfoClass::DeleteFile() {
  if (!FileExistsFindFirst(m_FilePathAndName)) return -1;
  if (GetFileLockState(m_FilePathAndName) != 0) return 1;
  win::Kill(m_FilePathAndName);
  return 0;
}

void FileInfoClass::SetMFilePathAndName(const QString& FilePAthAndName) {
  m_FilePathAndName = FilePAthAndName;
}

void FileInfoClass::SetMFileExtension(const QString& FileExtension) {
  m_FileExtension = FileExtension;
  m_Filename = GetFileNamePart(StripExtension(m_FilePathAndName));
  m_FilePath = GetPathPart(m_FilePathAndName, true);
  m_FileExtension = GetNewExtension(m_FilePathAndName, FileExtension);
  m_FilePathAndName = Joined(m_FilePath, m_Filename, m_FileExtension);
}

QString FileInfoClass::MFilePathAndName() const { return m_FilePathAndName; }

QString FileInfoClass::MFilePath() {
  m_FilePath = GetPathPart(m_FilePathAndName, true);
  return m_FilePath;
}

bool FileInfoClass::MFileAttributeReadOnly() {
  return (win::GetAttr(m_FilePathAndName) & win::vbReadOnly) != 0;
}

// Sets or clears the read-only bit and keeps the file's other attributes.
void FileInfoClass::SetMFileAttributeReadOnly(bool FileAttributeReadOnly) {
  int attributes = win::GetAttr(m_FilePathAndName) & ~win::vbDirectory;
  if (FileAttributeReadOnly) {
    attributes |= win::vbReadOnly;
  } else {
    attributes &= ~win::vbReadOnly;
  }
  win::SetAttr(m_FilePathAndName, attributes);
}

QString FileInfoClass::MFileExtension() {
  m_FileExtension = GetExtensionPart(m_FilePathAndName);
  return m_FileExtension;
}

QString FileInfoClass::MFilename() {
  return GetFileNamePart(StripExtension(m_FilePathAndName));
}

void FileInfoClass::SetMFilePath(const QString& FilePath) {
  m_Filename = GetFileNamePart(StripExtension(m_FilePathAndName));
  m_FileExtension = GetExtensionPart(m_FilePathAndName);
  m_FilePath = FilePath;
  m_FilePathAndName = Joined(m_FilePath, m_Filename, m_FileExtension);
}

void FileInfoClass::SetMFilename(const QString& filename) {
  m_Filename = filename;
  m_FilePath = GetPathPart(m_FilePathAndName, true);
  m_FileExtension = GetExtensionPart(m_FilePathAndName);
  m_FilePathAndName = Joined(m_FilePath, m_Filename, m_FileExtension);
}

bool FileInfoClass::MFileExists() { return FileExistsFindFirst(m_FilePathAndName); }

// -999 missing, -1 held by someone else (or not openable), 0 available.
int16_t FileInfoClass::GetFileLockState(const QString& Path) {
  if (!FileExistsFindFirst(Path)) return -999;
  return win::CanOpenExclusive(Path) ? 0 : -1;
}

bool FileInfoClass::FileExistsFindFirst(const QString& Path) {
  return win::FindFirstFileExists(Path);
}

bool FileInfoClass::FileExistsDir(const QString& Path) {
  if (Path.isEmpty() || Path.endsWith(u'\\')) return false;
  try {
    return !win::Dir(Path).isEmpty();
  } catch (const vb::VbError&) {
    return false;
  }
}

QString FileInfoClass::GetPathPart(const QString& Path, bool AddSlash) {
  return Module1::GetFolderOfPath(Path, AddSlash);
}

QString FileInfoClass::GetFileNamePart(const QString& Path) {
  const qsizetype separator = LastOf(Path, QStringLiteral("\\/"));
  return separator < 0 ? QString() : Path.mid(separator + 1);
}

QString FileInfoClass::StripExtension(const QString& Path) {
  const qsizetype dot = LastOf(Path, QStringLiteral("."));
  return dot < 0 ? QString() : Path.left(dot);
}

QString FileInfoClass::GetNewExtension(const QString& /*Path*/,
                                       const QString& NewExtension) {
  return NewExtension;
}

QString FileInfoClass::GetExtensionPart(const QString& Path) {
  const qsizetype dot = LastOf(Path, QStringLiteral("."));
  return dot < 0 ? QString() : Path.mid(dot + 1);
}
