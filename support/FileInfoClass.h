#pragma once
// One file path and its parts: folder, base name and extension, with tests
// for existence and exclusive availability and copy / delete services that
// answer with small codes instead of errors.
#include <QString>
#include <cstdint>

class FileInfoClass {
 public:
  explicit FileInfoClass(const QString& FilePathAndName = QString());

  // Public members, in the order of the class's interface.
  // -1 own file missing, 1 own file in use, 2 destination exists, 0 copied.
  int16_t CopyFile(const QString& DestinationFileAndPath);
  bool IsFileAvailableForUse();
  // -1 own file missing, 1 own file in use, 0 deleted.
  int16_t DeleteFile();
  void SetMFilePathAndName(const QString& FilePAthAndName);
  void SetMFileExtension(const QString& FileExtension);
  QString MFilePathAndName() const;
  QString MFilePath();
  bool MFileAttributeReadOnly();
  // Sets (True) or clears (False) the file's read-only attribute.
  void SetMFileAttributeReadOnly(bool FileAttributeReadOnly);
  QString MFileExtension();
  QString MFilename();
  void SetMFilePath(const QString& FilePath);
  void SetMFilename(const QString& filename);
  bool MFileExists();

 private:
  friend struct FileInfoClassTestAccess;  // reaches the private procedures

  int16_t GetFileLockState(const QString& Path);
  bool FileExistsFindFirst(const QString& Path);
  bool FileExistsDir(const QString& Path);
  QString GetPathPart(const QString& Path, bool AddSlash);
  QString GetFileNamePart(const QString& Path);
  QString StripExtension(const QString& Path);
  QString GetNewExtension(const QString& Path, const QString& NewExtension);
  QString GetExtensionPart(const QString& Path);

  QString m_FilePathAndName;
  QString m_FileExtension;
  QString m_Filename;
  QString m_FilePath;
};
