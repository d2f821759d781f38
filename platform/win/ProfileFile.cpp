#include "platform/win/ProfileFile.h"

#include <QByteArrayView>
#include <algorithm>
#include <optional>

#include "platform/win/Cp1252.h"

namespace win::profile {
namespace {

QString Decoded(const Line& line) { return line.text.trimmed(); }

constexpr char16_t kByteOrderMark = 0xFEFF;
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

bool IsAscii(const QByteArray& bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

// The UTF-16 code units of the bytes after a byte-order mark, taken as they
// are (a last odd byte is dropped).
QString Utf16Units(const QByteArray& bytes, bool bigEndian) {
  QString text;
  text.reserve(bytes.size() / 2);
  for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<uint8_t>(bytes[i]), second = static_cast<uint8_t>(bytes[i + 1]);
    text.append(QChar(bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first)));
  }
  return text;
}

QByteArray Utf16Bytes(const QString& text, bool bigEndian) {
  QByteArray bytes;
  bytes.reserve((text.size() + 1) * 2);
  auto put = [&](char16_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes.append(bigEndian ? high : low);
    bytes.append(bigEndian ? low : high);
  };
  put(kByteOrderMark);
  for (QChar ch : text) put(ch.unicode());
  return bytes;
}

std::optional<QString> SectionName(const QString& trimmed) {
  if (!trimmed.startsWith(u'[')) return std::nullopt;
  const qsizetype close = trimmed.lastIndexOf(u']');
  if (close < 0) return std::nullopt;
  return trimmed.mid(1, close - 1).trimmed();
}

std::vector<Line> SplitLines(const QString& content) {
  std::vector<Line> lines;
  qsizetype start = 0;
  while (start < content.size()) {
    qsizetype i = start;
    while (i < content.size() && content[i] != u'\n' && content[i] != u'\r') ++i;
    Line line{content.mid(start, i - start), QString()};
    if (i < content.size()) {
      const bool crlf = content[i] == u'\r' && i + 1 < content.size() && content[i + 1] == u'\n';
      line.end = content.mid(i, crlf ? 2 : 1);
    }
    start = i + line.end.size();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

ProfileText DecodeProfile(const QByteArray& bytes) {
  if (bytes.startsWith("\xFF\xFE")) return {Utf16Units(bytes, false), TextForm::Utf16LittleEndian};
  if (bytes.startsWith("\xFE\xFF")) return {Utf16Units(bytes, true), TextForm::Utf16BigEndian};
  const bool marked = bytes.startsWith(kUtf8Mark);
  const QByteArrayView text = marked ? QByteArrayView(bytes).sliced(kUtf8Mark.size()) : bytes;
  if (text.isValidUtf8() && (marked || !IsAscii(bytes))) {
    return {QString::fromUtf8(text), marked ? TextForm::Utf8WithMark : TextForm::Utf8};
  }
  return {cp1252::Decode(bytes), TextForm::Ansi};
}

QByteArray EncodeProfile(const ProfileText& text) {
  switch (text.form) {
    case TextForm::Utf16LittleEndian: return Utf16Bytes(text.content, false);
    case TextForm::Utf16BigEndian: return Utf16Bytes(text.content, true);
    case TextForm::Utf8WithMark: return kUtf8Mark + text.content.toUtf8();
    case TextForm::Utf8: return text.content.toUtf8();
    case TextForm::Ansi: break;
  }
  const QByteArray bytes = cp1252::Encode(text.content);
  return cp1252::Decode(bytes) == text.content ? bytes : text.content.toUtf8();
}

ProfileFile::ProfileFile(const QString& content) : lines_(SplitLines(content)) {}

int ProfileFile::FindSection(const QString& section) const {
  for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
    const auto name = SectionName(Decoded(lines_[i]));
    if (name && name->compare(section, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

int ProfileFile::SectionEnd(int header) const {
  int i = header + 1;
  while (i < static_cast<int>(lines_.size()) && !SectionName(Decoded(lines_[i]))) ++i;
  return i;
}

int ProfileFile::FindKey(int header, const QString& key) const {
  const int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    const QString text = Decoded(lines_[i]);
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0) continue;
    if (text.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString ProfileFile::ValueAt(int line) const {
  const QString text = Decoded(lines_[line]);
  return text.mid(text.indexOf(u'=') + 1).trimmed();
}

void ProfileFile::SetValue(const QString& section, const QString& key,
                           const QString& value) {
  const int header = FindSection(section);
  if (header < 0) {
    InsertLine(static_cast<int>(lines_.size()), u'[' + section + u']');
    InsertLine(static_cast<int>(lines_.size()), key + u'=' + value);
    return;
  }
  const int found = FindKey(header, key);
  if (found >= 0) {
    const QString text = Decoded(lines_[found]);
    const QString name = text.left(text.indexOf(u'=')).trimmed();
    lines_[found].text = name + u'=' + value;
    return;
  }
  int last = header;
  for (int i = header + 1; i < SectionEnd(header); ++i) {
    if (!Decoded(lines_[i]).isEmpty()) last = i;
  }
  InsertLine(last + 1, key + u'=' + value);
}

void ProfileFile::InsertLine(int at, const QString& text) {
  const QString end = LineEndStyle();
  if (at > 0 && lines_[at - 1].end.isEmpty()) lines_[at - 1].end = end;
  lines_.insert(lines_.begin() + at, Line{text, end});
}

// New lines take the file's first line end; CR LF for a file without one.
QString ProfileFile::LineEndStyle() const {
  for (const Line& line : lines_) {
    if (!line.end.isEmpty()) return line.end;
  }
  return QStringLiteral("\r\n");
}

QString ProfileFile::Content() const {
  QString content;
  for (const Line& line : lines_) content += line.text + line.end;
  return content;
}

QString StripQuotes(const QString& value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.mid(1, value.size() - 2);
  }
  return value;
}

}  // namespace win::profile
