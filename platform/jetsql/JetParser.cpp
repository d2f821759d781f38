#include "platform/jetsql/JetParser.h"

#include "platform/vb/DateParsing.h"
#include "platform/vb/VbError.h"

namespace sqlitedb::jetsql {

namespace {

// Words that cannot stand for a name outside brackets: the clauses and
// operators of the dialect, and the words of other dialects that Jet does
// not know.
const char* const kReserved[] = {
    "SELECT", "FROM",  "WHERE", "GROUP",  "ORDER",   "BY",      "HAVING",  "UNION",    "ALL",
    "DISTINCT", "DISTINCTROW", "TOP", "PERCENT", "AS", "ON",    "JOIN",    "INNER",    "OUTER",
    "AND",    "OR",    "NOT",   "XOR",    "EQV",     "IMP",     "MOD",     "LIKE",     "IN",
    "IS",     "BETWEEN", "NULL", "ASC",   "DESC",    "INTO",    "WITH",    "EXISTS",   "ESCAPE",
    "COLLATE", "CASE", "WHEN",  "THEN",   "ELSE",    "END",     "CAST",    "LIMIT",    "OFFSET",
    "GLOB",   "REGEXP", "MATCH", "TRUE",  "FALSE",   "EXCEPT",  "INTERSECT", "RECURSIVE", "VALUES"};

// Statements of the dialect that would change the database.
const char* const kWritingStatements[] = {"DELETE", "INSERT", "UPDATE", "CREATE", "DROP", "ALTER"};

bool IsReservedWord(const JetToken& t) {
  if (t.kind != JetToken::Kind::Word) return false;
  for (const char* w : kReserved) {
    if (t.IsWord(w)) return true;
  }
  return false;
}

class Parser {
 public:
  Parser(const JetTokens& tokens, Syntax& out) : out_(out) {
    for (const JetToken& t : tokens) {
      if (t.kind != JetToken::Kind::Space) t_.push_back(&t);
    }
  }

  void Statement() {
    if (t_.empty()) RaiseInvalidStatement();
    if (!AtWord("SELECT")) {
      for (const char* w : kWritingStatements) {
        if (AtWord(w)) RaiseReadOnly();
      }
      RaiseInvalidStatement();
    }
    out_.query = ParseQuery();
    if (k_ < t_.size()) Fail("unexpected " + Peek()->text);
  }

 private:
  // Counts one level of nesting while it lives.
  class Nesting {
   public:
    explicit Nesting(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxNesting) p_.Fail(QStringLiteral("nested too deeply"));
    }
    ~Nesting() { --p_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& p_;
  };

  // ------------------------------------------------------------ tokens

  const JetToken* Peek(size_t ahead = 0) const {
    return k_ + ahead < t_.size() ? t_[k_ + ahead] : nullptr;
  }
  bool AtWord(const char* w, size_t ahead = 0) const {
    const JetToken* t = Peek(ahead);
    return t && t->IsWord(w);
  }
  bool AtSymbol(const char* s, size_t ahead = 0) const {
    const JetToken* t = Peek(ahead);
    return t && t->IsSymbol(s);
  }
  bool TakeWord(const char* w) { return AtWord(w) && (++k_, true); }
  bool TakeSymbol(const char* s) { return AtSymbol(s) && (++k_, true); }
  void ExpectWord(const char* w) {
    if (!TakeWord(w)) Fail("expected " + QLatin1String(w));
  }
  void ExpectSymbol(const char* s) {
    if (!TakeSymbol(s)) Fail("expected " + QLatin1String(s));
  }
  // A name: a [bracketed name] or a word that is not reserved.
  bool AtName(size_t ahead = 0) const {
    const JetToken* t = Peek(ahead);
    return t && (t->kind == JetToken::Kind::Name ||
                 (t->kind == JetToken::Kind::Word && !IsReservedWord(*t)));
  }
  QString TakeName() {
    if (!AtName()) Fail(Peek() ? "unexpected " + Peek()->text : QStringLiteral("a name is missing"));
    return t_[k_++]->text;
  }

  [[noreturn]] void Fail(const QString& detail) const {
    const int number = inFrom_ ? vb::err::SyntaxErrorFrom : vb::err::SyntaxError;
    vb::Raise(number, vb::ErrorDescription(number) + " (" + detail + ")");
  }
  [[noreturn]] static void RaiseInvalidStatement() { vb::Raise(vb::err::InvalidStatement); }
  [[noreturn]] static void RaiseReadOnly() { vb::Raise(vb::err::ReadOnlyDb); }

  Expr* NewExpr(Expr::Kind kind) {
    out_.exprs.push_back(Expr{kind, {}, {}, 0, false, {}, {}, nullptr});
    return &out_.exprs.back();
  }

  // ------------------------------------------------------------ statements

  Query* ParseQuery() {
    Nesting nesting(*this);
    const bool outerFrom = inFrom_;
    inFrom_ = false;
    out_.queries.emplace_back();
    Query* q = &out_.queries.back();
    q->selects.push_back(ParseSelect());
    while (TakeWord("UNION")) {
      q->unionAll.push_back(TakeWord("ALL"));
      q->selects.push_back(ParseSelect());
    }
    if (TakeWord("ORDER")) {
      ExpectWord("BY");
      do {
        OrderItem item{ParseExpr(), QString()};
        if (AtWord("ASC") || AtWord("DESC")) item.direction = t_[k_++]->text.toUpper();
        q->orderBy.push_back(item);
      } while (TakeSymbol(","));
    }
    inFrom_ = outerFrom;
    return q;
  }

  Select ParseSelect() {
    Select s;
    ExpectWord("SELECT");
    if (TakeWord("DISTINCT")) s.distinct = true;
    else if (!TakeWord("DISTINCTROW")) TakeWord("ALL");
    if (TakeWord("TOP")) {
      const JetToken* n = Peek();
      if (!n || n->kind != JetToken::Kind::Number || !IsWholeNumber(n->text))
        Fail(QStringLiteral("TOP takes a whole number"));
      s.top = n->text;
      ++k_;
      if (AtWord("PERCENT")) Fail(QStringLiteral("TOP PERCENT is not supported"));
    }
    do {
      s.items.push_back(ParseSelectItem());
    } while (TakeSymbol(","));
    if (AtWord("INTO")) RaiseReadOnly();
    if (TakeWord("FROM")) {
      inFrom_ = true;
      do {
        s.from.push_back(ParseJoined());
      } while (TakeSymbol(","));
      inFrom_ = false;
    }
    if (TakeWord("WHERE")) s.where = ParseExpr();
    if (TakeWord("GROUP")) {
      ExpectWord("BY");
      do {
        s.groupBy.push_back(ParseExpr());
      } while (TakeSymbol(","));
    }
    if (TakeWord("HAVING")) s.having = ParseExpr();
    return s;
  }

  static bool IsWholeNumber(const QString& text) {
    for (QChar c : text) {
      if (!c.isDigit()) return false;
    }
    return true;
  }

  SelectItem ParseSelectItem() {
    SelectItem item;
    if (TakeSymbol("*")) return item;
    if (AtName() && (AtSymbol(".", 1) || AtSymbol("!", 1)) && AtSymbol("*", 2)) {
      item.starQualifier = TakeName();
      k_ += 2;
      return item;
    }
    item.expr = ParseExpr();
    if (TakeWord("AS")) item.alias = TakeName();
    return item;
  }

  Source* NewSource(Source::Kind kind) {
    out_.sources.push_back(Source{kind, {}, {}, nullptr, nullptr, nullptr, {}, nullptr});
    return &out_.sources.back();
  }

  // source {INNER | LEFT [OUTER] | RIGHT [OUTER]} JOIN source ON condition ...
  Source* ParseJoined() {
    Source* left = ParseSource();
    for (;;) {
      QString join;
      if (TakeWord("INNER")) {
        join = QStringLiteral("INNER");
      } else if (AtWord("LEFT") || AtWord("RIGHT")) {
        join = t_[k_++]->text.toUpper();
        TakeWord("OUTER");
      } else {
        return left;
      }
      ExpectWord("JOIN");
      Source* j = NewSource(Source::Kind::Join);
      j->join = join;
      j->left = left;
      j->right = ParseSource();
      ExpectWord("ON");
      j->on = ParseExpr();
      left = j;
    }
  }

  Source* ParseSource() {
    if (TakeSymbol("(")) {
      if (AtWord("SELECT")) {
        Source* s = NewSource(Source::Kind::Subquery);
        s->query = ParseQuery();
        ExpectSymbol(")");
        s->alias = ParseAlias();
        return s;
      }
      Nesting nesting(*this);
      Source* inner = ParseJoined();
      ExpectSymbol(")");
      return inner;
    }
    Source* s = NewSource(Source::Kind::Table);
    s->name = TakeName();
    s->alias = ParseAlias();
    return s;
  }

  // [AS] alias after a table; LEFT and RIGHT start a join instead.
  QString ParseAlias() {
    if (TakeWord("AS")) return TakeName();
    if (AtName() && !AtWord("LEFT") && !AtWord("RIGHT")) return TakeName();
    return QString();
  }

  // ------------------------------------------------------------ expressions

  Expr* ParseExpr() {
    Nesting nesting(*this);
    return ParseOr();
  }

  using Level = Expr* (Parser::*)();

  // One precedence level of left-to-right binary operators.
  Expr* ParseChain(Level next, std::initializer_list<const char*> words,
                   std::initializer_list<const char*> symbols) {
    Expr* first = (this->*next)();
    Expr* chain = nullptr;
    for (;;) {
      QString op;
      for (const char* w : words) {
        if (AtWord(w)) op = QLatin1String(w);
      }
      for (const char* s : symbols) {
        if (AtSymbol(s)) op = QLatin1String(s);
      }
      if (op.isEmpty()) return chain ? chain : first;
      ++k_;
      if (!chain) {
        chain = NewExpr(Expr::Kind::Chain);
        chain->args.push_back(first);
      }
      chain->ops.push_back(op);
      chain->args.push_back((this->*next)());
    }
  }

  Expr* ParseOr() { return ParseChain(&Parser::ParseAnd, {"OR"}, {}); }
  Expr* ParseAnd() { return ParseChain(&Parser::ParseNot, {"AND"}, {}); }

  Expr* ParseNot() {
    if (!TakeWord("NOT")) return ParseComparison();
    Nesting nesting(*this);
    Expr* e = NewExpr(Expr::Kind::Not);
    e->args.push_back(ParseNot());
    return e;
  }

  // Comparisons, Like, Between, In and Is share one level, left to right.
  Expr* ParseComparison() {
    static const char* const kCompare[] = {"=", "<>", "<", ">", "<=", ">="};
    Expr* left = ParseConcat();
    Expr* chain = nullptr;  // the chain of comparisons that `left` is, if it is one
    for (int count = 0;; ++count) {
      if (count > kMaxNesting) Fail(QStringLiteral("nested too deeply"));
      const char* op = nullptr;
      for (const char* c : kCompare) {
        if (AtSymbol(c)) op = c;
      }
      if (op) {
        ++k_;
        if (left != chain) {
          chain = NewExpr(Expr::Kind::Chain);
          chain->args.push_back(left);
          left = chain;
        }
        chain->ops.push_back(QLatin1String(op));
        chain->args.push_back(ParseConcat());
        continue;
      }
      const bool negated = AtWord("NOT") && (AtWord("LIKE", 1) || AtWord("BETWEEN", 1) || AtWord("IN", 1));
      if (negated) ++k_;
      if (TakeWord("LIKE")) {
        left = Binary(Expr::Kind::Like, negated, left, ParseConcat());
      } else if (TakeWord("BETWEEN")) {
        Expr* e = Binary(Expr::Kind::Between, negated, left, ParseConcat());
        ExpectWord("AND");
        e->args.push_back(ParseConcat());
        left = e;
      } else if (TakeWord("IN")) {
        left = ParseIn(left, negated);
      } else if (TakeWord("IS")) {
        Expr* e = NewExpr(Expr::Kind::IsNull);
        e->flag = TakeWord("NOT");
        ExpectWord("NULL");
        e->args.push_back(left);
        left = e;
      } else {
        return left;
      }
    }
  }

  Expr* Binary(Expr::Kind kind, bool flag, Expr* a, Expr* b) {
    Expr* e = NewExpr(kind);
    e->flag = flag;
    e->args = {a, b};
    return e;
  }

  Expr* ParseIn(Expr* operand, bool negated) {
    Expr* e = NewExpr(Expr::Kind::In);
    e->flag = negated;
    e->args.push_back(operand);
    ExpectSymbol("(");
    if (AtWord("SELECT")) {
      e->query = ParseQuery();
    } else {
      do {
        e->args.push_back(ParseExpr());
      } while (TakeSymbol(","));
    }
    ExpectSymbol(")");
    return e;
  }

  Expr* ParseConcat() { return ParseChain(&Parser::ParseAdditive, {}, {"&"}); }
  Expr* ParseAdditive() { return ParseChain(&Parser::ParseMod, {}, {"+", "-"}); }
  Expr* ParseMod() { return ParseChain(&Parser::ParseIntDiv, {"MOD"}, {}); }
  Expr* ParseIntDiv() { return ParseChain(&Parser::ParseMultiplicative, {}, {"\\"}); }
  Expr* ParseMultiplicative() { return ParseChain(&Parser::ParseSigned, {}, {"*", "/"}); }
  Expr* ParseSigned() { return Signed(&Parser::ParsePower); }
  // "^" binds tighter than a sign before it (-2^2 is -4) and takes a signed
  // operand after it (2^-1).
  Expr* ParsePower() {
    Expr* first = ParsePrimary();
    Expr* chain = nullptr;
    while (TakeSymbol("^")) {
      if (!chain) {
        chain = NewExpr(Expr::Kind::Chain);
        chain->args.push_back(first);
      }
      chain->ops.push_back(QStringLiteral("^"));
      chain->args.push_back(Signed(&Parser::ParsePrimary));
    }
    return chain ? chain : first;
  }

  Expr* Signed(Level next) {
    if (!AtSymbol("-") && !AtSymbol("+")) return (this->*next)();
    Nesting nesting(*this);
    Expr* e = NewExpr(Expr::Kind::Negate);
    e->text = t_[k_++]->text;
    e->args.push_back(Signed(next));
    return e;
  }

  Expr* ParsePrimary() {
    const JetToken* t = Peek();
    if (!t) Fail(QStringLiteral("missing operand"));
    switch (t->kind) {
      case JetToken::Kind::Number: return Atom(Expr::Kind::Number, t->text);
      case JetToken::Kind::Text: return Atom(Expr::Kind::Text, t->text);
      case JetToken::Kind::Date: {
        const std::optional<double> serial = vb::DateFromText(t->text);
        if (!serial) Fail("not a date: #" + t->text + "#");
        Expr* e = Atom(Expr::Kind::Date, t->text);
        e->number = *serial;
        return e;
      }
      case JetToken::Kind::Symbol:
        if (t->IsSymbol("(")) return ParseParenthesized();
        if (t->IsSymbol("?")) return Atom(Expr::Kind::Parameter, t->text);
        Fail("unexpected " + t->text);
      default: break;
    }
    if (TakeWord("NULL")) return NewExpr(Expr::Kind::Null);
    if (AtWord("TRUE") || AtWord("FALSE")) {
      Expr* e = NewExpr(Expr::Kind::Boolean);
      e->flag = t_[k_++]->IsWord("TRUE");
      return e;
    }
    if (TakeWord("EXISTS")) {
      ExpectSymbol("(");
      if (!AtWord("SELECT")) Fail(QStringLiteral("Exists takes a subquery"));
      Expr* e = NewExpr(Expr::Kind::Exists);
      e->query = ParseQuery();
      ExpectSymbol(")");
      return e;
    }
    // Asc is also the word of ORDER BY; followed by "(" it is the function.
    if (t->kind == JetToken::Kind::Word && (!IsReservedWord(*t) || t->IsWord("ASC")) && AtSymbol("(", 1))
      return ParseCall();
    return ParseColumn();
  }

  Expr* Atom(Expr::Kind kind, const QString& text) {
    Expr* e = NewExpr(kind);
    e->text = text;
    ++k_;
    return e;
  }

  // (expression) or (subquery); the parentheses themselves leave no node.
  Expr* ParseParenthesized() {
    ++k_;
    Expr* e;
    if (AtWord("SELECT")) {
      e = NewExpr(Expr::Kind::Subquery);
      e->query = ParseQuery();
    } else {
      e = ParseExpr();
    }
    ExpectSymbol(")");
    return e;
  }

  Expr* ParseCall() {
    Expr* e = NewExpr(Expr::Kind::Call);
    e->text = t_[k_]->text;
    k_ += 2;
    if (AtSymbol("*") && AtSymbol(")", 1)) {
      ++k_;
      e->args.push_back(NewExpr(Expr::Kind::Star));
    } else if (!AtSymbol(")")) {
      do {
        e->args.push_back(ParseExpr());
      } while (TakeSymbol(","));
    }
    ExpectSymbol(")");
    return e;
  }

  // name, table.name, table!name
  Expr* ParseColumn() {
    Expr* e = NewExpr(Expr::Kind::Column);
    e->text = TakeName();
    if ((AtSymbol(".") || AtSymbol("!")) && AtName(1)) {
      ++k_;
      e->qualifier = e->text;
      e->text = TakeName();
    }
    return e;
  }

  Syntax& out_;
  std::vector<const JetToken*> t_;
  size_t k_ = 0;
  int depth_ = 0;
  bool inFrom_ = false;
};

}  // namespace

std::unique_ptr<Syntax> ParseJetStatement(const JetTokens& tokens) {
  auto syntax = std::make_unique<Syntax>();
  Parser(tokens, *syntax).Statement();
  return syntax;
}

}  // namespace sqlitedb::jetsql
