#include "platform/sqlite/SingleTableSelect.h"

#include <initializer_list>
#include <vector>

namespace sqlitedb {

namespace {

// A token of the engine's dialect; comments and blanks are dropped.
struct Token {
  enum class Kind { Word, Name, Text, Number, Symbol };
  Kind kind;
  int start;
  int end;
};

bool IsWordChar(QChar c) {
  return c.unicode() >= 0x80 || c.isLetterOrNumber() || c == u'_' || c == u'$';
}

class Scanner {
 public:
  explicit Scanner(const QString& s) : s_(s) {}

  // The tokens; nullopt for an unterminated quote (the engine rejects that
  // statement anyway).
  std::optional<std::vector<Token>> Run() {
    std::vector<Token> out;
    while (i_ < s_.size()) {
      if (SkipBlank()) continue;
      const int start = i_;
      const Token::Kind kind = Next();
      if (kind == Token::Kind::Text && i_ > s_.size()) return std::nullopt;
      out.push_back({kind, start, i_});
    }
    return out;
  }

 private:
  QChar At(int k) const { return k < s_.size() ? s_[k] : QChar(); }

  bool SkipBlank() {
    if (s_[i_].isSpace()) {
      ++i_;
    } else if (s_[i_] == u'-' && At(i_ + 1) == u'-') {
      while (i_ < s_.size() && s_[i_] != u'\n') ++i_;
    } else if (s_[i_] == u'/' && At(i_ + 1) == u'*') {
      const int close = s_.indexOf(QLatin1String("*/"), i_ + 2);
      i_ = close < 0 ? int(s_.size()) : close + 2;
    } else {
      return false;
    }
    return true;
  }

  // Reads up to the closing character; a doubled one stands for itself.
  // Past the end (i_ > size) when unterminated.
  Token::Kind Quoted(QChar close, Token::Kind kind) {
    for (++i_; i_ < s_.size(); ++i_) {
      if (s_[i_] != close) continue;
      if (close != u']' && At(i_ + 1) == close) {
        ++i_;
        continue;
      }
      ++i_;
      return kind;
    }
    i_ = int(s_.size()) + 1;
    return Token::Kind::Text;
  }

  Token::Kind Next() {
    const QChar c = s_[i_];
    if (c == u'\'') return Quoted(c, Token::Kind::Text);
    if (c == u'"' || c == u'`') return Quoted(c, Token::Kind::Name);
    if (c == u'[') return Quoted(u']', Token::Kind::Name);
    if (c.isDigit() || (c == u'.' && At(i_ + 1).isDigit())) {
      while (i_ < s_.size() && (IsWordChar(s_[i_]) || s_[i_] == u'.')) ++i_;
      return Token::Kind::Number;
    }
    if (IsWordChar(c)) {
      while (i_ < s_.size() && IsWordChar(s_[i_])) ++i_;
      return Token::Kind::Word;
    }
    ++i_;
    return Token::Kind::Symbol;
  }

  const QString& s_;
  int i_ = 0;
};

class Parser {
 public:
  Parser(const QString& s, std::vector<Token> tokens) : s_(s), t_(std::move(tokens)) {}

  std::optional<SingleTableSelect> Run() {
    if (!Word("SELECT") || !Symbol(u'*') || !Word("FROM")) return std::nullopt;
    const int tableStart = k_ < Count() ? t_[k_].start : 0;
    if (!TableReference()) return std::nullopt;
    const int tableEnd = t_[k_ - 1].end;
    if (k_ < Count() && !IsWord(k_, {"WHERE", "ORDER"})) return std::nullopt;
    if (!PlainTail()) return std::nullopt;
    return SingleTableSelect{s_.mid(tableStart, tableEnd - tableStart), s_.mid(tableEnd)};
  }

 private:
  int Count() const { return int(t_.size()); }
  QStringView Text(int k) const { return QStringView(s_).mid(t_[k].start, t_[k].end - t_[k].start); }

  bool IsWord(int k, std::initializer_list<const char*> words) const {
    if (k >= Count() || t_[k].kind != Token::Kind::Word) return false;
    for (const char* w : words)
      if (Text(k).compare(QLatin1String(w), Qt::CaseInsensitive) == 0) return true;
    return false;
  }
  bool IsSymbol(int k, QChar c) const {
    return k < Count() && t_[k].kind == Token::Kind::Symbol && s_[t_[k].start] == c;
  }
  bool Word(const char* w) { return Take(IsWord(k_, {w})); }
  bool Symbol(QChar c) { return Take(IsSymbol(k_, c)); }
  // Steps over the current token when it is the one looked for.
  bool Take(bool found) {
    if (found) ++k_;
    return found;
  }

  // A bare word that opens a clause or a join cannot be a name here.
  bool IsName(int k) const {
    if (k >= Count()) return false;
    if (t_[k].kind == Token::Kind::Name) return true;
    return t_[k].kind == Token::Kind::Word &&
           !IsWord(k, {"WHERE", "ORDER", "GROUP", "HAVING", "WINDOW", "LIMIT", "UNION",
                       "INTERSECT", "EXCEPT", "JOIN", "LEFT", "RIGHT", "FULL", "INNER", "OUTER",
                       "CROSS", "NATURAL", "ON", "USING", "INDEXED", "NOT", "AS"});
  }
  bool Name() { return Take(IsName(k_)); }

  // name | schema.name, with an optional alias.
  bool TableReference() {
    if (!Name()) return false;
    if (Symbol(u'.') && !Name()) return false;
    if (Word("AS")) return Name();
    if (IsName(k_)) ++k_;
    return true;
  }

  // The WHERE and ORDER BY clauses: no clause at the outer level that groups,
  // limits or combines rows, and no ORDER BY term the row-key statement
  // would read otherwise (a column number).
  bool PlainTail() {
    int depth = 0;
    bool inOrder = false, termStart = false;
    for (int k = k_; k < Count(); ++k) {
      if (IsSymbol(k, u'(')) {
        if (depth++ == 0 && termStart) return false;
        termStart = false;
        continue;
      }
      if (IsSymbol(k, u')')) {
        --depth;
        continue;
      }
      if (depth > 0) continue;
      if (IsWord(k, {"GROUP", "HAVING", "WINDOW", "LIMIT", "OFFSET", "UNION", "INTERSECT",
                     "EXCEPT"}))
        return false;
      if (IsWord(k, {"ORDER"}) && IsWord(k + 1, {"BY"})) {
        inOrder = termStart = true;
        ++k;
        continue;
      }
      if (termStart && (t_[k].kind == Token::Kind::Number || IsSymbol(k, u'+') ||
                        IsSymbol(k, u'-')))
        return false;
      termStart = inOrder && IsSymbol(k, u',');
    }
    return true;
  }

  const QString& s_;
  std::vector<Token> t_;
  int k_ = 0;
};

}  // namespace

std::optional<SingleTableSelect> ParseSingleTableSelect(const QString& sqliteSql) {
  auto tokens = Scanner(sqliteSql).Run();
  if (!tokens) return std::nullopt;
  return Parser(sqliteSql, std::move(*tokens)).Run();
}

}  // namespace sqlitedb
