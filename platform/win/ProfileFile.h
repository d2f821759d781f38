#pragma once
// The lines of a settings file, kept byte for byte so that a write changes
// only the line it means to change.
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

struct Line {
  QByteArray text;  // without its line end
  QByteArray end;   // "\r\n", "\n", "\r" or "" for a last line without one
};

class ProfileFile {
 public:
  explicit ProfileFile(const QByteArray& content);

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
  QByteArray Content() const;

 private:
  int SectionEnd(int header) const;
  void InsertLine(int at, const QString& text);
  QByteArray LineEndStyle() const;

  std::vector<Line> lines_;
};

// One pair of matching quotes ("..." or '...') around a value is dropped.
QString StripQuotes(const QString& value);

}  // namespace win::profile
