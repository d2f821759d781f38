#pragma once
// The lines of a settings file, kept character for character so that a
// write changes only the line it means to change.
//
// The file's text form:
// - UTF-16 (little or big endian) when the file starts with its byte-order
//   mark, as the system's settings-file functions read Unicode files;
// - otherwise 8-bit text: UTF-8 when the bytes are valid UTF-8 and not plain
//   ASCII (a UTF-8 byte-order mark is dropped on reading and kept on
//   writing), else the Windows-1252 code page, the form of the files on the
//   CDs.
// A write keeps the form of the file, so unchanged lines keep their bytes.
// A new file is Windows-1252 text. Windows-1252 text that the code page
// cannot hold (a value such as "Łódź.mdb") is written as UTF-8 instead, the
// whole file at once, so that it reads back with every character.
//
// Reading rules, as the operating system's settings-file functions have them:
// - Lines end with CR LF, LF or a lone CR; the last line may have no end.
// - A line whose first non-blank character is "[" and that holds a "]" opens
//   a section; its name is the text between the "[" and the last "]", blanks
//   around it dropped. A line that starts with "[" but has no "]" opens no
//   section: it is an ordinary line of the section before it (and a key only
//   when it holds "=").
// - Within a section, a line with "=" is a key: the name is the text before
//   the first "=", the value the text after it, blanks around both dropped.
//   Lines without "=" (and every line before the first section) hold no key.
// - Section and key names match without regard to case; of two sections or
//   two keys with the same name the first one counts.
#include <QByteArray>
#include <QString>
#include <vector>

namespace win::profile {

enum class TextForm { Ansi, Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

struct ProfileText {
  QString content;  // without a byte-order mark
  TextForm form = TextForm::Ansi;
};

// The file's bytes as text, and back. Both directions keep every character,
// so the bytes of lines that are not changed stay the same (unless Windows-1252
// text turns into UTF-8, see above).
ProfileText DecodeProfile(const QByteArray& bytes);
QByteArray EncodeProfile(const ProfileText& text);

struct Line {
  QString text;  // without its line end
  QString end;   // "\r\n", "\n", "\r" or "" for a last line without one
};

class ProfileFile {
 public:
  explicit ProfileFile(const QString& content);

  // Index of the section's header line, -1 when it is missing.
  int FindSection(const QString& section) const;
  // Index of the key's line within the section that starts at `header`,
  // -1 when it is missing.
  int FindKey(int header, const QString& key) const;
  // The trimmed value of a key line.
  QString ValueAt(int line) const;

  // Sets the key's value, adding the key (after the section's last non-blank
  // line) or the section (at the end of the file) when missing.
  void SetValue(const QString& section, const QString& key, const QString& value);
  QString Content() const;

 private:
  int SectionEnd(int header) const;
  void InsertLine(int at, const QString& text);
  QString LineEndStyle() const;

  std::vector<Line> lines_;
};

// One pair of matching quotes ("..." or '...') around a value is dropped.
QString StripQuotes(const QString& value);

}  // namespace win::profile
