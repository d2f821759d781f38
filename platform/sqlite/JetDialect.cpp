// The translation of Jet statements into SQLite's dialect.
//
// The statement is split into tokens; literals, names and keywords are
// rewritten one by one, then the few constructs that need the structure of
// an expression are rebuilt: "&" chains become jet_concat(...), IIf becomes a
// CASE expression (only the chosen branch is evaluated, as in Jet), every
// ORDER BY term sorts with the case-insensitive collation, and TOP n becomes
// LIMIT n.
#include "platform/sqlite/JetDialect.h"

#include "platform/sqlite/JetTokens.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <optional>

namespace sqlitedb {

namespace {

using Kind = JetToken::Kind;

JetToken Raw(const QString& text, bool boundary = false) {
  JetToken t{Kind::Raw, text};
  t.boundary = boundary;
  return t;
}

[[noreturn]] void RaiseSyntax(const QString& detail) {
  vb::Raise(vb::err::SyntaxError,
            vb::ErrorDescription(vb::err::SyntaxError) + " (" + detail + ")");
}

QString QuoteName(const QString& name) {
  QString n = name;
  return '"' + n.replace('"', QLatin1String("\"\"")) + '"';
}

QString QuoteText(const QString& value) {
  QString v = value;
  return '\'' + v.replace('\'', QLatin1String("''")) + "' COLLATE " + QLatin1String(kJetCollation);
}

// ---------------------------------------------------------------- date literals

int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> ParseDatePart(const QString& text) {
  static const QRegularExpression mdy(QStringLiteral(R"(^(\d{1,2})[/-](\d{1,2})[/-](\d{1,4})$)"));
  static const QRegularExpression ymd(QStringLiteral(R"(^(\d{4})[/-](\d{1,2})[/-](\d{1,2})$)"));
  QRegularExpressionMatch m = ymd.match(text);
  if (m.hasMatch()) return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  m = mdy.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const int year = FullYear(m.captured(3).toInt(), m.captured(3).size());
  return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
}

std::optional<QTime> ParseTimePart(const QString& text) {
  static const QRegularExpression re(QStringLiteral(
      R"(^(\d{1,2})(?::(\d{1,2}))?(?::(\d{1,2}))?\s*(AM|PM)?$)"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty())) return std::nullopt;
  int hour = m.captured(1).toInt();
  const QString half = m.captured(4).toUpper();
  if (!half.isEmpty()) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
  }
  return QTime(hour, m.captured(2).toInt(), m.captured(3).toInt());
}

// #12/31/1899#, #1899-12-31#, #12/31/1899 10:30 PM#, #10:30:00# -> serial days.
QString DateLiteralSerial(const QString& literal) {
  const QString text = literal.simplified();
  static const QRegularExpression split(QStringLiteral(R"(^(\S*[/-]\S*)(?:\s+(.+))?$)"));
  const QRegularExpressionMatch m = split.match(text);
  std::optional<QDate> date = QDate(1899, 12, 30);
  std::optional<QTime> time = QTime(0, 0);
  if (m.hasMatch()) {
    date = ParseDatePart(m.captured(1));
    if (!m.captured(2).isEmpty()) time = ParseTimePart(m.captured(2));
  } else {
    time = ParseTimePart(text);
  }
  if (!date || !date->isValid() || !time || !time->isValid())
    RaiseSyntax("Syntax error in date: #" + literal + "#");
  return vb::NumberToText(vb::DateTimeToSerial(QDateTime(*date, *time)));
}

// ---------------------------------------------------------------- token passes

bool IsSpace(const JetToken& t) { return t.kind == Kind::Space; }

int NextSolid(const JetTokens& ts, int i) {
  while (i < static_cast<int>(ts.size()) && IsSpace(ts[i])) ++i;
  return i;
}

int PrevSolid(const JetTokens& ts, int i) {
  while (i >= 0 && IsSpace(ts[i])) --i;
  return i;
}

bool SolidIs(const JetTokens& ts, int i, const char* symbol) {
  return i >= 0 && i < static_cast<int>(ts.size()) && ts[i].IsSymbol(symbol);
}

// Everything after the first ";" must be blank: Jet reads one statement.
void CutAtSemicolon(JetTokens& ts) {
  for (size_t i = 0; i < ts.size(); ++i) {
    if (!ts[i].IsSymbol(";")) continue;
    for (size_t k = i + 1; k < ts.size(); ++k) {
      if (!IsSpace(ts[k]) && !ts[k].IsSymbol(";"))
        vb::Raise(3142, QStringLiteral("Characters found after end of SQL statement."));
    }
    ts.resize(i);
    return;
  }
}

// Jet functions whose names the engine reads as keywords (joins, the ISNULL
// operator) unless they are quoted.
bool IsEngineKeywordFunction(const JetToken& t) {
  return t.IsWord("LEFT") || t.IsWord("RIGHT") || t.IsWord("ISNULL");
}

// Literals, bracketed names, True/False, the functions named like keywords
// and names around "." in SQLite form.
void RewriteAtoms(JetTokens& ts) {
  for (int i = 0; i < static_cast<int>(ts.size()); ++i) {
    JetToken& t = ts[i];
    switch (t.kind) {
      case Kind::Text: t = Raw(QuoteText(t.text)); break;
      case Kind::Name: t = Raw(QuoteName(t.text)); break;
      case Kind::Date: t = Raw(DateLiteralSerial(t.text)); break;
      case Kind::Word:
        if (SolidIs(ts, i - 1, ".") || SolidIs(ts, NextSolid(ts, i + 1), ".")) {
          t = Raw(QuoteName(t.text));
        } else if (IsEngineKeywordFunction(t) && SolidIs(ts, NextSolid(ts, i + 1), "(")) {
          t = Raw(QuoteName(t.text.toLower()));
        } else if (t.IsWord("True") || t.IsWord("False")) {
          t = Raw(t.IsWord("True") ? QStringLiteral("1") : QStringLiteral("0"));
        }
        break;
      default: break;
    }
  }
}

// The index after the end of the clause or term that starts at `i`: the
// first of `stops` at the same depth, a ")" closing that depth, or the end.
int ScanToStop(const JetTokens& ts, int i, const std::initializer_list<const char*>& stops,
               bool commaStops) {
  int depth = 0;
  for (; i < static_cast<int>(ts.size()); ++i) {
    const JetToken& t = ts[i];
    if (t.IsSymbol("(")) ++depth;
    if (t.IsSymbol(")") && depth-- == 0) return i;
    if (depth != 0) continue;
    if (commaStops && t.IsSymbol(",")) return i;
    for (const char* s : stops) {
      if (t.IsWord(s)) return i;
    }
  }
  return i;
}

JetToken CollateToken() { return Raw(" COLLATE " + QLatin1String(kJetCollation), true); }

// Every ORDER BY term gets the case-insensitive collation, before its ASC or
// DESC. Numeric terms are unaffected: a collation only orders texts.
void CollateOrderByTerms(JetTokens& ts) {
  std::vector<int> inserts;
  for (int i = 0; i < static_cast<int>(ts.size()); ++i) {
    const int by = NextSolid(ts, i + 1);
    if (!ts[i].IsWord("ORDER") || by >= static_cast<int>(ts.size()) || !ts[by].IsWord("BY")) continue;
    int term = by + 1;
    for (;;) {
      const int end = ScanToStop(ts, term, {"LIMIT", "OFFSET", "UNION"}, true);
      int last = PrevSolid(ts, end - 1);
      if (last >= term && (ts[last].IsWord("ASC") || ts[last].IsWord("DESC")))
        last = PrevSolid(ts, last - 1);
      if (last >= term) inserts.push_back(last + 1);
      if (end >= static_cast<int>(ts.size()) || !ts[end].IsSymbol(",")) break;
      term = end + 1;
    }
  }
  for (auto it = inserts.rbegin(); it != inserts.rend(); ++it)
    ts.insert(ts.begin() + *it, CollateToken());
}

// "x [NOT] IN (...)" compares by the collation of x: give it the Jet one.
void CollateInOperands(JetTokens& ts) {
  for (int i = 0; i < static_cast<int>(ts.size()); ++i) {
    if (!ts[i].IsWord("IN")) continue;
    int operandEnd = PrevSolid(ts, i - 1);
    if (operandEnd >= 0 && ts[operandEnd].IsWord("NOT")) operandEnd = PrevSolid(ts, operandEnd - 1);
    if (operandEnd < 0) continue;
    ts.insert(ts.begin() + operandEnd + 1, CollateToken());
    ++i;
  }
}

bool IsWholeNumber(const JetToken& t) {
  if (t.kind != Kind::Number) return false;
  for (QChar c : t.text) {
    if (!c.isDigit()) return false;
  }
  return true;
}

// "SELECT [DISTINCT] TOP n ..." -> "SELECT [DISTINCT] ... LIMIT n" when the
// statement has no UNION and no LIMIT of its own; other forms stay and are
// rejected by the engine.
void TopToLimit(JetTokens& ts) {
  const int size = static_cast<int>(ts.size());
  for (int i = 0; i < size; ++i) {
    if (!ts[i].IsWord("SELECT")) continue;
    int top = NextSolid(ts, i + 1);
    if (top < size && (ts[top].IsWord("DISTINCT") || ts[top].IsWord("ALL")))
      top = NextSolid(ts, top + 1);
    if (top >= size || !ts[top].IsWord("TOP")) continue;
    const int n = NextSolid(ts, top + 1);
    if (n >= size || !IsWholeNumber(ts[n])) continue;
    const int after = NextSolid(ts, n + 1);
    if (after < size && ts[after].IsWord("PERCENT")) continue;
    const int end = ScanToStop(ts, n + 1, {"UNION", "LIMIT"}, false);
    if (end < size && !ts[end].IsSymbol(")")) continue;
    const QString count = ts[n].text;
    ts.insert(ts.begin() + end, Raw(" LIMIT " + count, true));
    for (int k = top; k <= n; ++k) ts[k] = Raw(QString());
    return TopToLimit(ts);  // indexes moved; look for the next SELECT afresh
  }
}

// ---------------------------------------------------------------- rendering

const char* const kBoundaryWords[] = {
    "AND", "OR", "NOT", "XOR", "EQV", "IMP", "LIKE", "IS", "IN", "BETWEEN", "SELECT", "FROM",
    "WHERE", "GROUP", "ORDER", "BY", "HAVING", "AS", "ASC", "DESC", "ON", "JOIN", "INNER",
    "LEFT", "RIGHT", "OUTER", "CROSS", "NATURAL", "USING", "UNION", "ALL", "EXCEPT", "INTERSECT", "CASE",
    "WHEN", "THEN", "ELSE", "END", "LIMIT", "OFFSET", "COLLATE", "ESCAPE", "EXISTS",
    "DISTINCT", "DISTINCTROW", "TOP", "PERCENT"};
const char* const kBoundarySymbols[] = {",", "=", "<>", "<", ">", "<=", ">=", "!=", "=="};

class Renderer {
 public:
  explicit Renderer(const JetTokens& ts) : ts_(ts) {}
  QString Range(int b, int e);

 private:
  bool IsBoundary(int i) const;
  int GroupEnd(int open) const;  // index of the matching ")"
  QString Segment(int b, int e);
  QString Plain(int b, int e);
  bool TryIif(int word, int e, QString& out, int& next);
  static void Append(QString& out, const QString& text);

  const JetTokens& ts_;
};

bool Renderer::IsBoundary(int i) const {
  const JetToken& t = ts_[i];
  if (t.kind == Kind::Raw) return t.boundary;
  if (t.kind == Kind::Symbol) {
    for (const char* s : kBoundarySymbols) {
      if (t.IsSymbol(s)) return true;
    }
    return false;
  }
  if (t.kind != Kind::Word) return false;
  for (const char* w : kBoundaryWords) {
    if (t.IsWord(w)) return true;
  }
  return false;
}

int Renderer::GroupEnd(int open) const {
  int depth = 0;
  for (int i = open; i < static_cast<int>(ts_.size()); ++i) {
    if (ts_[i].IsSymbol("(")) ++depth;
    if (ts_[i].IsSymbol(")") && --depth == 0) return i;
  }
  return static_cast<int>(ts_.size());  // unbalanced: the engine reports it
}

void Renderer::Append(QString& out, const QString& text) {
  if (!out.isEmpty() && !text.isEmpty()) {
    const QChar last = out.back(), first = text.front();
    // Keep "- -" and "/ *" apart so that they never read as a comment.
    if ((last == u'-' && first == u'-') || (last == u'/' && first == u'*')) out += u' ';
  }
  out += text;
}

// A range at one depth: operands of "&" between boundary tokens.
QString Renderer::Range(int b, int e) {
  QString out;
  int start = b;
  for (int i = b; i < e; ++i) {
    if (ts_[i].IsSymbol("(")) {
      i = std::min(GroupEnd(i), e - 1);
      continue;
    }
    if (!IsBoundary(i)) continue;
    Append(out, Segment(start, i));
    Append(out, Plain(i, i + 1));
    start = i + 1;
  }
  Append(out, Segment(start, e));
  return out;
}

// One operand run; "a & b & c" becomes jet_concat(a, b, c).
QString Renderer::Segment(int b, int e) {
  std::vector<int> amps;
  for (int i = b; i < e; ++i) {
    if (ts_[i].IsSymbol("(")) i = std::min(GroupEnd(i), e - 1);
    else if (ts_[i].IsSymbol("&")) amps.push_back(i);
  }
  if (amps.empty()) return Plain(b, e);
  int first = b, last = e - 1;
  while (first < e && IsSpace(ts_[first])) ++first;
  while (last >= first && IsSpace(ts_[last])) --last;
  QString out = Plain(b, first) + QStringLiteral("jet_concat(");
  int partStart = first;
  amps.push_back(last + 1);
  for (size_t k = 0; k < amps.size(); ++k) {
    const QString part = Plain(partStart, amps[k]).trimmed();
    if (part.isEmpty()) RaiseSyntax(QStringLiteral("missing operand of &"));
    out += (k ? QStringLiteral(", ") : QString()) + part;
    partStart = amps[k] + 1;
  }
  return out + ')' + Plain(last + 1, e);
}

// IIf(c, a, b) -> (CASE WHEN c THEN a ELSE b END); false when the call does
// not have that form (it then stays a call and the engine judges it).
bool Renderer::TryIif(int word, int e, QString& out, int& next) {
  const int open = NextSolid(ts_, word + 1);
  if (!ts_[word].IsWord("IIF") || !SolidIs(ts_, open, "(") || open >= e) return false;
  const int close = GroupEnd(open);
  if (close >= e) return false;
  std::vector<int> commas;
  for (int i = open + 1; i < close; ++i) {
    if (ts_[i].IsSymbol("(")) i = GroupEnd(i);
    else if (ts_[i].IsSymbol(",")) commas.push_back(i);
  }
  if (commas.size() != 2) return false;
  out += "(CASE WHEN " + Range(open + 1, commas[0]).trimmed() + " THEN " +
         Range(commas[0] + 1, commas[1]).trimmed() + " ELSE " +
         Range(commas[1] + 1, close).trimmed() + " END)";
  next = close + 1;
  return true;
}

QString Renderer::Plain(int b, int e) {
  QString out;
  for (int i = b; i < e; ++i) {
    const JetToken& t = ts_[i];
    if (t.kind == Kind::Word) {
      int next = 0;
      if (TryIif(i, e, out, next)) {
        i = next - 1;
        continue;
      }
    }
    if (t.IsSymbol("(")) {
      const int close = GroupEnd(i);
      Append(out, QStringLiteral("("));
      Append(out, Range(i + 1, std::min(close, e)));
      if (close < e) Append(out, QStringLiteral(")"));
      i = std::min(close, e);
      continue;
    }
    Append(out, t.text);
  }
  return out;
}

}  // namespace

QString TranslateJetSql(const QString& jetSql) {
  JetTokens ts = TokenizeJetSql(jetSql);
  CutAtSemicolon(ts);
  RewriteAtoms(ts);
  CollateOrderByTerms(ts);
  CollateInOperands(ts);
  TopToLimit(ts);
  return Renderer(ts).Range(0, static_cast<int>(ts.size())).trimmed();
}

}  // namespace sqlitedb
