#include "platform/jetsql/JetTokens.h"

#include "platform/vb/VbError.h"

namespace sqlitedb {

bool JetToken::Is(Kind k, const char* t) const {
  return kind == k && text.compare(QLatin1String(t), Qt::CaseInsensitive) == 0;
}

namespace {

bool IsWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

[[noreturn]] void RaiseUnterminated(const QString& what, const QString& sql) {
  vb::Raise(vb::err::SyntaxError,
            vb::ErrorDescription(vb::err::SyntaxError) + " (" + what + " in: " + sql + ")");
}

class Tokenizer {
 public:
  explicit Tokenizer(const QString& sql) : s_(sql) {}

  JetTokens Run() {
    while (i_ < s_.size()) {
      const int start = i_;
      JetToken t = Next();
      t.position = start;
      out_.push_back(std::move(t));
    }
    return std::move(out_);
  }

 private:
  QChar At(int k) const { return k < s_.size() ? s_[k] : QChar(); }

  JetToken Next() {
    const QChar c = s_[i_];
    if (c.isSpace()) return Span(JetToken::Kind::Space, [](QChar ch) { return ch.isSpace(); });
    if (IsWordStart(c)) return Span(JetToken::Kind::Word, IsWordChar);
    if (c.isDigit() || (c == u'.' && At(i_ + 1).isDigit())) return NumberToken();
    if (c == u'"' || c == u'\'') return Quoted(c);
    if (c == u'[') return Enclosed(u']', JetToken::Kind::Name, "unterminated name");
    if (c == u'#') return Enclosed(u'#', JetToken::Kind::Date, "unterminated date");
    return SymbolToken();
  }

  template <typename Pred>
  JetToken Span(JetToken::Kind kind, Pred pred) {
    const int start = i_;
    while (i_ < s_.size() && pred(s_[i_])) ++i_;
    return {kind, s_.mid(start, i_ - start)};
  }

  JetToken NumberToken() {
    const int start = i_;
    while (At(i_).isDigit()) ++i_;
    if (At(i_) == u'.') {
      ++i_;
      while (At(i_).isDigit()) ++i_;
    }
    const QChar e = At(i_).toUpper();
    const int afterE = (At(i_ + 1) == u'+' || At(i_ + 1) == u'-') ? i_ + 2 : i_ + 1;
    if (e == u'E' && At(afterE).isDigit()) {
      i_ = afterE;
      while (At(i_).isDigit()) ++i_;
    }
    return {JetToken::Kind::Number, s_.mid(start, i_ - start)};
  }

  // "..." or '...': a doubled quote inside stands for one quote.
  JetToken Quoted(QChar quote) {
    QString value;
    ++i_;
    for (;;) {
      if (i_ >= s_.size()) RaiseUnterminated("unterminated text", s_);
      if (s_[i_] == quote) {
        if (At(i_ + 1) != quote) break;
        ++i_;
      }
      value += s_[i_++];
    }
    ++i_;
    return {JetToken::Kind::Text, value};
  }

  JetToken Enclosed(QChar close, JetToken::Kind kind, const char* what) {
    const int end = s_.indexOf(close, i_ + 1);
    if (end < 0) RaiseUnterminated(QString::fromLatin1(what), s_);
    JetToken t{kind, s_.mid(i_ + 1, end - i_ - 1)};
    i_ = end + 1;
    return t;
  }

  JetToken SymbolToken() {
    static const char* const pairs[] = {"<>", "<=", ">=", "!=", "==", "||"};
    const QString two = s_.mid(i_, 2);
    for (const char* p : pairs) {
      if (two == QLatin1String(p)) {
        i_ += 2;
        return {JetToken::Kind::Symbol, two};
      }
    }
    return {JetToken::Kind::Symbol, QString(s_[i_++])};
  }

  const QString& s_;
  int i_ = 0;
  JetTokens out_;
};

}  // namespace

JetTokens TokenizeJetSql(const QString& sql) {
  // The engine would end the statement at a NUL character, silently.
  if (sql.contains(QChar(0)))
    vb::Raise(vb::err::SyntaxError,
              vb::ErrorDescription(vb::err::SyntaxError) + " (a NUL character in the statement)");
  return Tokenizer(sql).Run();
}

QString ClauseAt(const QString& sql, int offset) {
  static const char* const clauses[] = {"SELECT", "FROM", "WHERE", "GROUP", "HAVING",
                                        "ORDER", "LIMIT"};
  JetTokens tokens;
  try {
    tokens = TokenizeJetSql(sql);
  } catch (const vb::VbError&) {
    return QString();
  }
  QString clause;
  int depth = 0;
  for (const JetToken& t : tokens) {
    if (t.position >= offset) break;
    if (t.IsSymbol("(")) ++depth;
    if (t.IsSymbol(")")) --depth;
    if (depth != 0 || t.kind != JetToken::Kind::Word) continue;
    for (const char* c : clauses) {
      if (t.IsWord(c)) clause = QString::fromLatin1(c);
    }
  }
  return clause;
}

}  // namespace sqlitedb
