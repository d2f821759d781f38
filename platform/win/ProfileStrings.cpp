// The settings-file functions. Names, values and the file name are Unicode
// text and keep every character: a path written into a settings file reads
// back as the same path (the file's text form is ProfileFile's).
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "platform/win/FileSystem.h"
#include "platform/win/ProfileFile.h"
#include "platform/win/Win.h"

namespace win {
namespace {

// The file's bytes; nothing for a missing or unreadable file or a folder.
std::optional<QByteArray> ReadProfile(const QString& nativePath) {
  if (QFileInfo(nativePath).isDir()) return std::nullopt;
  QFile file(nativePath);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

QString Name(const QString& text) { return text.trimmed(); }

// The default loses its trailing blanks, as the system function does.
QString TrimmedDefault(const QString& text) {
  QString value = text;
  while (!value.isEmpty() && (value.back() == u' ' || value.back() == u'\t')) value.chop(1);
  return value;
}

std::optional<QString> LookUp(const QString& section, const QString& key,
                              const QString& fileName) {
  if (fileName.isEmpty()) return std::nullopt;
  const auto content = ReadProfile(ToNativePath(fileName));
  if (!content) return std::nullopt;
  const profile::ProfileFile file(profile::DecodeProfile(*content).content);
  const int header = file.FindSection(Name(section));
  if (header < 0) return std::nullopt;
  const int line = file.FindKey(header, Name(key));
  if (line < 0) return std::nullopt;
  return profile::StripQuotes(file.ValueAt(line));
}

// Copies the text into the buffer with its terminating zero, as into the
// caller's memory: what lies beyond stays.
void CopyIntoBuffer(const QString& text, QString& buffer) {
  const QString copied = text + QChar(u'\0');
  if (buffer.size() < copied.size()) buffer.resize(copied.size(), u' ');
  buffer.replace(0, copied.size(), copied);
}

}  // namespace

uint32_t GetPrivateProfileString(const QString& section, const QString& key,
                                 const QString& defaultValue, QString& buffer,
                                 uint32_t size, const QString& fileName) {
  if (size == 0) return 0;
  const QString value =
      LookUp(section, key, fileName).value_or(TrimmedDefault(defaultValue));
  const QString copied = value.left(static_cast<qsizetype>(size) - 1);
  CopyIntoBuffer(copied, buffer);
  return static_cast<uint32_t>(copied.size());
}

bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& fileName) {
  if (fileName.trimmed().isEmpty()) return false;
  const QString native = ToNativePath(fileName);
  profile::ProfileText text;
  if (QFileInfo::exists(native)) {
    if (fs::IsReadOnly(QFileInfo(native))) return false;
    const auto existing = ReadProfile(native);
    if (!existing) return false;
    text = profile::DecodeProfile(*existing);
  }
  profile::ProfileFile file(text.content);
  file.SetValue(Name(section), Name(key), value);
  text.content = file.Content();
  const QByteArray updated = profile::EncodeProfile(text);
  QFile out(native);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return out.write(updated) == updated.size();
}

}  // namespace win
