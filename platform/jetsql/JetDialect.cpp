// The translation of Jet statements into SQLite's dialect.
//
// The statement is read into a tree (JetParser), which is then written out
// in SQLite's dialect node by node: names quoted, text literals with the
// case-insensitive collation, Jet's operators and functions as SQLite
// operators or our functions, parentheses wherever SQLite's precedence
// differs from Jet's. Where the caller knows the database's columns (the
// Jet copy), each comparison is checked against Jet's type rule on the way.
#include "platform/jetsql/JetDialect.h"

#include "platform/jetsql/JetParser.h"
#include "platform/jetsql/JetSchema.h"
#include "platform/jetsql/JetTokens.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

#include <optional>

namespace sqlitedb {

namespace {

using jetsql::Expr;
using jetsql::Query;
using jetsql::Select;
using jetsql::Source;

// Everything after the first ";" must be blank: Jet reads one statement.
void CutAtSemicolon(JetTokens& ts) {
  for (size_t i = 0; i < ts.size(); ++i) {
    if (!ts[i].IsSymbol(";")) continue;
    for (size_t k = i + 1; k < ts.size(); ++k) {
      if (ts[k].kind != JetToken::Kind::Space && !ts[k].IsSymbol(";"))
        vb::Raise(vb::err::TextAfterStatement);
    }
    ts.resize(i);
    return;
  }
}

QString QuoteName(const QString& name) {
  QString n = name;
  return '"' + n.replace('"', QLatin1String("\"\"")) + '"';
}

const QString kCollate = QStringLiteral(" COLLATE ") + QLatin1String(kJetCollation);

// SQLite's precedence of what a piece of SQL is at its top, low to high.
enum Precedence {
  kOr = 1,
  kAnd,
  kNot,
  kEquality,        // = <> IS IN LIKE BETWEEN
  kRelational,      // < > <= >=
  kComparand,       // what an operand of a comparison must be at least
  kAdditive = 7,    // + -
  kMultiplicative,  // * /
  kUnary,           // -x, x COLLATE c
  kAtom,            // names, literals, calls, (...)
};

struct Sql {
  QString text;
  JetType type = JetType::Unknown;
  int precedence = kAtom;
  bool column = false;   // a bare column name
  bool literal = false;  // a text literal, which carries the collation
};

QString Wrapped(const Sql& s, int atLeast) {
  return s.precedence < atLeast ? '(' + s.text + ')' : s.text;
}

bool IsNumeric(JetType t) { return t == JetType::Number || t == JetType::Date || t == JetType::Boolean; }

// Jet's functions that take text: which arguments are read as text (a
// Date/Time value there is its date text), and the kind of the result.
struct FunctionInfo {
  const char* name;
  JetType result;
  unsigned textArguments;  // bit i: argument i
};

const FunctionInfo kFunctionInfo[] = {
    {"val", JetType::Number, 1},      {"len", JetType::Number, 1},
    {"left", JetType::Text, 1},       {"right", JetType::Text, 1},
    {"mid", JetType::Text, 1},        {"trim", JetType::Text, 1},
    {"ltrim", JetType::Text, 1},      {"rtrim", JetType::Text, 1},
    {"ucase", JetType::Text, 1},      {"lcase", JetType::Text, 1},
    {"cstr", JetType::Text, 1},       {"format", JetType::Text, 0},
    {"str", JetType::Text, 0},        {"isnumeric", JetType::Boolean, 1},
    {"isnull", JetType::Boolean, 0},  {"cint", JetType::Number, 0},
    {"clng", JetType::Number, 0},     {"cdbl", JetType::Number, 0},
    {"int", JetType::Number, 0},      {"fix", JetType::Number, 0},
    {"year", JetType::Number, 0},     {"month", JetType::Number, 0},
    {"day", JetType::Number, 0},      {"cdate", JetType::Date, 0},
    {"datevalue", JetType::Date, 0},  {"count", JetType::Number, 0},
    {"sum", JetType::Number, 0},      {"avg", JetType::Number, 0},
    {"date", JetType::Date, 0},       {"time", JetType::Date, 0},
    {"now", JetType::Date, 0},        {"dateadd", JetType::Date, 1},
    {"datediff", JetType::Number, 1}, {"datepart", JetType::Number, 1},
    {"dateserial", JetType::Date, 0}, {"weekday", JetType::Number, 0},
    {"hour", JetType::Number, 0},     {"minute", JetType::Number, 0},
    {"second", JetType::Number, 0},   {"isdate", JetType::Boolean, 1},
    {"strcomp", JetType::Number, 3},  {"instrrev", JetType::Number, 3},
    {"chr", JetType::Text, 0},        {"asc", JetType::Number, 1},
    {"space", JetType::Text, 0},      {"string", JetType::Text, 2},
    {"round", JetType::Number, 0},    {"sgn", JetType::Number, 0},
    {"sqr", JetType::Number, 0},      {"cbool", JetType::Boolean, 0},
    {"csng", JetType::Number, 0},
};

const FunctionInfo* InfoOf(const QString& name) {
  for (const FunctionInfo& f : kFunctionInfo) {
    if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return &f;
  }
  return nullptr;
}

// The tables a SELECT reads from, by the name they go by there.
struct Scope {
  const Scope* outer = nullptr;
  std::vector<std::pair<QString, QString>> tables;  // case-folded name -> table (empty: a subquery)
};

// The most arguments a call of ours is given at once (the engine's limit is
// 127); longer "&" chains are joined in groups.
constexpr size_t kMaxCallArguments = 100;
// Longer And/Or chains are written as a balanced tree of parenthesized
// groups, which keeps the engine's expression tree shallow.
constexpr size_t kFlatChain = 16;

class Translator {
 public:
  explicit Translator(const ColumnTypes* columns) : columns_(columns) {}

  QString Statement(const Query& q) { return QueryText(q, nullptr); }

 private:
  bool JetRules() const { return columns_ != nullptr; }

  [[noreturn]] static void RaiseMismatch() { vb::Raise(vb::err::TypeMismatchDb); }
  [[noreturn]] static void RaiseSyntax(const QString& detail) {
    vb::Raise(vb::err::SyntaxError, vb::ErrorDescription(vb::err::SyntaxError) + " (" + detail + ")");
  }

  // Jet compares texts with texts and numbers (dates, Yes/No) with numbers;
  // a text against a number is a type mismatch.
  void CheckComparable(const Sql& a, const Sql& b) const {
    if (!JetRules()) return;
    if ((a.type == JetType::Text && IsNumeric(b.type)) || (IsNumeric(a.type) && b.type == JetType::Text))
      RaiseMismatch();
  }

  // A Date/Time value where text is wanted reads as its date text.
  Sql AsText(const Sql& s) const {
    if (!JetRules() || s.type != JetType::Date) return s;
    return {"jet_datetext(" + s.text + ')', JetType::Text};
  }

  // The left side of a comparison compares texts without regard to case:
  // columns and literals carry the collation already.
  static Sql Collated(const Sql& s) {
    if (s.column || s.literal || IsNumeric(s.type) || s.type == JetType::Null) return s;
    return {Wrapped(s, kAtom) + kCollate, s.type, kUnary};
  }

  // ---------------------------------------------------------- statements

  Scope ScopeOf(const Select& s, const Scope* outer) const {
    Scope scope;
    scope.outer = outer;
    std::vector<const Source*> pending(s.from.begin(), s.from.end());
    while (!pending.empty()) {
      const Source* src = pending.back();
      pending.pop_back();
      if (src->kind == Source::Kind::Join) {
        pending.push_back(src->left);
        pending.push_back(src->right);
      } else {
        const QString name = src->alias.isEmpty() ? src->name : src->alias;
        scope.tables.emplace_back(name.toCaseFolded(), src->kind == Source::Kind::Table ? src->name : QString());
      }
    }
    return scope;
  }

  QString QueryText(const Query& q, const Scope* outer) {
    std::vector<Scope> scopes;
    scopes.reserve(q.selects.size());
    for (const Select& s : q.selects) scopes.push_back(ScopeOf(s, outer));
    QString out;
    for (size_t i = 0; i < q.selects.size(); ++i) {
      if (i > 0) out += q.unionAll[i - 1] ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
      if (!q.selects[i].top.isEmpty() && q.selects.size() > 1) RaiseSyntax(QStringLiteral("TOP in a UNION"));
      out += SelectText(q.selects[i], scopes[i]);
    }
    if (!q.orderBy.empty()) {
      out += QStringLiteral(" ORDER BY ");
      for (size_t i = 0; i < q.orderBy.size(); ++i) {
        if (i > 0) out += QStringLiteral(", ");
        out += Wrapped(Render(*q.orderBy[i].expr, &scopes[0]), kAtom) + kCollate;
        if (!q.orderBy[i].direction.isEmpty()) out += ' ' + q.orderBy[i].direction;
      }
    }
    if (!q.selects[0].top.isEmpty()) out += " LIMIT " + q.selects[0].top;
    return out;
  }

  QString SelectText(const Select& s, const Scope& scope) {
    QString out = s.distinct ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
    for (size_t i = 0; i < s.items.size(); ++i) {
      const jetsql::SelectItem& item = s.items[i];
      if (i > 0) out += QStringLiteral(", ");
      if (!item.expr) {
        out += item.starQualifier.isEmpty() ? QStringLiteral("*") : QuoteName(item.starQualifier) + ".*";
        continue;
      }
      // A column is selected as it is stored, so that it keeps its name
      // and declared type.
      out += item.expr->kind == Expr::Kind::Column ? ColumnName(*item.expr) : Render(*item.expr, &scope).text;
      if (!item.alias.isEmpty()) out += " AS " + QuoteName(item.alias);
    }
    if (!s.from.empty()) {
      out += QStringLiteral(" FROM ");
      for (size_t i = 0; i < s.from.size(); ++i) {
        if (i > 0) out += QStringLiteral(", ");
        out += SourceText(*s.from[i], scope, false);
      }
    }
    if (s.where) out += " WHERE " + Render(*s.where, &scope).text;
    if (!s.groupBy.empty()) {
      out += QStringLiteral(" GROUP BY ");
      for (size_t i = 0; i < s.groupBy.size(); ++i) {
        if (i > 0) out += QStringLiteral(", ");
        out += Render(*s.groupBy[i], &scope).text;
      }
    }
    if (s.having) out += " HAVING " + Render(*s.having, &scope).text;
    return out;
  }

  QString SourceText(const Source& src, const Scope& scope, bool rightOfJoin) {
    const QString alias = src.alias.isEmpty() ? QString() : " AS " + QuoteName(src.alias);
    switch (src.kind) {
      case Source::Kind::Table: return QuoteName(src.name) + alias;
      case Source::Kind::Subquery: return '(' + QueryText(*src.query, scope.outer) + ')' + alias;
      case Source::Kind::Join: {
        const QString text = SourceText(*src.left, scope, false) + ' ' + src.join + " JOIN " +
                             SourceText(*src.right, scope, true) + " ON " + Render(*src.on, &scope).text;
        return rightOfJoin ? '(' + text + ')' : text;
      }
    }
    return QString();
  }

  // ---------------------------------------------------------- expressions

  static QString ColumnName(const Expr& e) {
    return e.qualifier.isEmpty() ? QuoteName(e.text) : QuoteName(e.qualifier) + '.' + QuoteName(e.text);
  }

  // The declared type of a column, found in the innermost scope whose
  // tables have it; Unknown when no table (or more than one) has it.
  JetType ColumnTypeOf(const Expr& e, const Scope* scope) const {
    if (!columns_) return JetType::Unknown;
    const QString qualifier = e.qualifier.toCaseFolded();
    for (const Scope* s = scope; s; s = s->outer) {
      std::optional<JetType> found;
      int hits = 0;
      for (const auto& [name, table] : s->tables) {
        if (!qualifier.isEmpty() && name != qualifier) continue;
        if (table.isEmpty()) return JetType::Unknown;  // a subquery's column
        if (const std::optional<JetType> t = columns_->ColumnType(table, e.text)) {
          found = t;
          ++hits;
        }
        if (!qualifier.isEmpty()) return found.value_or(JetType::Unknown);
      }
      if (hits == 1) return *found;
      if (hits > 1) return JetType::Unknown;
    }
    return JetType::Unknown;
  }

  Sql Render(const Expr& e, const Scope* scope) {
    switch (e.kind) {
      case Expr::Kind::Number: return {e.text, JetType::Number};
      case Expr::Kind::Text: {
        QString v = e.text;
        return {'\'' + v.replace('\'', QLatin1String("''")) + '\'' + kCollate, JetType::Text, kUnary, false, true};
      }
      case Expr::Kind::Date: {
        const QString serial = vb::NumberToText(e.number);
        return {serial, JetType::Date, serial.startsWith(u'-') ? kUnary : kAtom};
      }
      case Expr::Kind::Null: return {QStringLiteral("NULL"), JetType::Null};
      case Expr::Kind::Parameter: return {QStringLiteral("?"), JetType::Unknown};
      case Expr::Kind::Boolean: {
        // Jet's True is -1; SQLite's (the obituary file's Yes/No) is 1.
        const QString value = !e.flag ? QStringLiteral("0") : JetRules() ? QStringLiteral("-1") : QStringLiteral("1");
        return {value, JetType::Boolean, value.startsWith(u'-') ? kUnary : kAtom};
      }
      case Expr::Kind::Column: {
        const JetType type = ColumnTypeOf(e, scope);
        // The copy holds Yes/No as 1/0; Jet's True is -1.
        if (type == JetType::Boolean) return {"(-" + ColumnName(e) + ')', type};
        Sql s{ColumnName(e), type};
        s.column = true;
        return s;
      }
      case Expr::Kind::Star: return {QStringLiteral("*")};
      case Expr::Kind::Call: return Call(e, scope);
      case Expr::Kind::Negate: {
        const Sql operand = Render(*e.args[0], scope);
        if (e.text == u'+') return operand;
        const QString inner = Wrapped(operand, kUnary);
        return {(inner.startsWith(u'-') ? QStringLiteral("- ") : QStringLiteral("-")) + inner,
                operand.type == JetType::Date ? JetType::Date : JetType::Number, kUnary};
      }
      case Expr::Kind::Not:
        return {"NOT " + Wrapped(Render(*e.args[0], scope), kNot), JetType::Boolean, kNot};
      case Expr::Kind::Chain: return Chain(e, scope);
      case Expr::Kind::Like: {
        const Sql value = AsText(Render(*e.args[0], scope));
        const Sql pattern = AsText(Render(*e.args[1], scope));
        return {Wrapped(value, kComparand) + (e.flag ? " NOT LIKE " : " LIKE ") + Wrapped(pattern, kComparand),
                JetType::Boolean, kEquality};
      }
      case Expr::Kind::Between: {
        const Sql value = Render(*e.args[0], scope);
        const Sql low = Render(*e.args[1], scope), high = Render(*e.args[2], scope);
        CheckComparable(value, low);
        CheckComparable(value, high);
        return {Wrapped(Collated(value), kComparand) + (e.flag ? " NOT BETWEEN " : " BETWEEN ") +
                    Wrapped(low, kComparand) + " AND " + Wrapped(high, kComparand),
                JetType::Boolean, kEquality};
      }
      case Expr::Kind::In: return In(e, scope);
      case Expr::Kind::IsNull:
        return {Wrapped(Render(*e.args[0], scope), kComparand) + (e.flag ? " IS NOT NULL" : " IS NULL"),
                JetType::Boolean, kEquality};
      case Expr::Kind::Subquery: return {'(' + QueryText(*e.query, scope) + ')'};
      case Expr::Kind::Exists: return {"EXISTS (" + QueryText(*e.query, scope) + ')', JetType::Boolean};
    }
    return {};
  }

  // "x IN (...)" compares by the collation of x: give it the Jet one.
  Sql In(const Expr& e, const Scope* scope) {
    const Sql value = Render(*e.args[0], scope);
    QString list;
    if (e.query) {
      list = QueryText(*e.query, scope);
    } else {
      for (size_t i = 1; i < e.args.size(); ++i) {
        const Sql item = Render(*e.args[i], scope);
        CheckComparable(value, item);
        if (i > 1) list += QStringLiteral(", ");
        list += item.text;
      }
    }
    return {Wrapped(value, kAtom) + kCollate + (e.flag ? " NOT IN (" : " IN (") + list + ')', JetType::Boolean,
            kEquality};
  }

  Sql Call(const Expr& e, const Scope* scope) {
    const QString name = e.text.toLower();
    if (name == QLatin1String("iif")) return Iif(e, scope);
    if (name == QLatin1String("switch")) return Switch(e, scope);
    if (name == QLatin1String("choose")) return Choose(e, scope);
    const FunctionInfo* info = InfoOf(name);
    std::vector<Sql> args;
    args.reserve(e.args.size());
    for (size_t i = 0; i < e.args.size(); ++i) {
      Sql a = Render(*e.args[i], scope);
      const bool text = info && i < 32 && (info->textArguments >> i & 1u);
      const bool instrText = name == QLatin1String("instr") && (e.args.size() == 2 ? i < 2 : i == 1 || i == 2);
      if (text || instrText) a = AsText(a);
      args.push_back(std::move(a));
    }
    // The text of a date is what Str gives for it.
    if (JetRules() && name == QLatin1String("str") && args.size() == 1 && args[0].type == JetType::Date)
      return AsText(args[0]);
    JetType type = info ? info->result : JetType::Unknown;
    if (name == QLatin1String("instr")) type = JetType::Number;
    if ((name == QLatin1String("min") || name == QLatin1String("max") || name == QLatin1String("nz")) && !args.empty())
      type = SameType(args);
    QString text = QuoteName(name) + '(';
    for (size_t i = 0; i < args.size(); ++i) text += (i ? QStringLiteral(", ") : QString()) + args[i].text;
    return {text + ')', type};
  }

  static JetType SameType(const std::vector<Sql>& args) {
    const JetType first = args[0].type;
    for (const Sql& a : args) {
      if (a.type != first) return JetType::Unknown;
    }
    return first;
  }

  // The kind of a choice among values: theirs when all that are not Null
  // agree.
  static JetType BranchType(const std::vector<Sql>& values) {
    JetType type = JetType::Null;
    for (const Sql& v : values) {
      if (v.type == JetType::Null) continue;
      if (type != JetType::Null && v.type != type) return JetType::Unknown;
      type = v.type;
    }
    return type;
  }

  [[noreturn]] static void RaiseArgumentCount(const char* function) {
    RaiseSyntax("wrong number of arguments used with function " + QLatin1String(function));
  }

  // IIf(c, a, b) -> (CASE WHEN c THEN a ELSE b END): only the chosen branch
  // is evaluated, as in Jet.
  Sql Iif(const Expr& e, const Scope* scope) {
    if (e.args.size() != 3) RaiseArgumentCount("IIf");
    const Sql c = Render(*e.args[0], scope), a = Render(*e.args[1], scope), b = Render(*e.args[2], scope);
    return {"(CASE WHEN " + c.text + " THEN " + a.text + " ELSE " + b.text + " END)", BranchType({a, b})};
  }

  // Switch(c1, v1, c2, v2, ...) -> (CASE WHEN c1 THEN v1 WHEN c2 THEN v2 ...
  // END): the conditions in turn up to the first true one, and only its
  // value, are evaluated; none true gives Null.
  Sql Switch(const Expr& e, const Scope* scope) {
    if (e.args.empty() || e.args.size() % 2 != 0) RaiseArgumentCount("Switch");
    QString text = QStringLiteral("(CASE");
    std::vector<Sql> values;
    for (size_t i = 0; i < e.args.size(); i += 2) {
      values.push_back(Render(*e.args[i + 1], scope));
      text += " WHEN " + Render(*e.args[i], scope).text + " THEN " + values.back().text;
    }
    return {text + " END)", BranchType(values)};
  }

  // Choose(i, v1, v2, ...) -> (CASE round(i) WHEN 1 THEN v1 WHEN 2 THEN v2
  // ... END): the index rounded to a whole number (halves to even) picks
  // the one value evaluated; an index out of range or Null gives Null.
  Sql Choose(const Expr& e, const Scope* scope) {
    if (e.args.size() < 2) RaiseArgumentCount("Choose");
    QString text = "(CASE \"round\"(" + Render(*e.args[0], scope).text + ')';
    std::vector<Sql> values;
    for (size_t i = 1; i < e.args.size(); ++i) {
      values.push_back(Render(*e.args[i], scope));
      text += " WHEN " + QString::number(i) + " THEN " + values.back().text;
    }
    return {text + " END)", BranchType(values)};
  }

  Sql Chain(const Expr& e, const Scope* scope) {
    const QString& op = e.ops[0];
    if (op == QLatin1String("OR") || op == QLatin1String("AND")) return Logical(e, scope);
    if (op == u'&') return Concat(e, scope);
    if (op == u'=' || op == QLatin1String("<>") || op == u'<' || op == u'>' || op == QLatin1String("<=") ||
        op == QLatin1String(">="))
      return Comparisons(e, scope);
    return Arithmetic(e, scope);
  }

  Sql Logical(const Expr& e, const Scope* scope) {
    const bool isOr = e.ops[0] == QLatin1String("OR");
    std::vector<Sql> parts;
    parts.reserve(e.args.size());
    for (const Expr* a : e.args) parts.push_back(Render(*a, scope));
    return {Balanced(parts, 0, parts.size(), isOr ? " OR " : " AND ", isOr ? kAnd : kNot), JetType::Boolean,
            isOr ? kOr : kAnd};
  }

  static QString Balanced(const std::vector<Sql>& parts, size_t begin, size_t end, const char* op, int atLeast) {
    QString out;
    if (end - begin <= kFlatChain) {
      for (size_t i = begin; i < end; ++i) out += (i > begin ? QLatin1String(op) : QLatin1String("")) + Wrapped(parts[i], atLeast);
      return out;
    }
    const size_t middle = begin + (end - begin) / 2;
    return '(' + Balanced(parts, begin, middle, op, atLeast) + ')' + QLatin1String(op) + '(' +
           Balanced(parts, middle, end, op, atLeast) + ')';
  }

  // a & b & c -> jet_concat(a, b, c): Null counts as "", dates as their text.
  Sql Concat(const Expr& e, const Scope* scope) {
    std::vector<QString> parts;
    parts.reserve(e.args.size());
    for (const Expr* a : e.args) parts.push_back(AsText(Render(*a, scope)).text);
    while (parts.size() > kMaxCallArguments) {
      std::vector<QString> groups;
      for (size_t i = 0; i < parts.size(); i += kMaxCallArguments)
        groups.push_back(ConcatCall(parts, i, std::min(parts.size(), i + kMaxCallArguments)));
      parts = std::move(groups);
    }
    return {ConcatCall(parts, 0, parts.size()), JetType::Text};
  }

  static QString ConcatCall(const std::vector<QString>& parts, size_t begin, size_t end) {
    QString out = QStringLiteral("jet_concat(");
    for (size_t i = begin; i < end; ++i) out += (i > begin ? QStringLiteral(", ") : QString()) + parts[i];
    return out + ')';
  }

  // Jet compares left to right at one level; SQLite has two levels, so a
  // comparison inside a comparison is parenthesized.
  Sql Comparisons(const Expr& e, const Scope* scope) {
    Sql left = Render(*e.args[0], scope);
    for (size_t i = 0; i < e.ops.size(); ++i) {
      const Sql right = Render(*e.args[i + 1], scope);
      CheckComparable(left, right);
      const QString& op = e.ops[i];
      const bool equality = op == u'=' || op == QLatin1String("<>");
      left = {Wrapped(Collated(left), kComparand) + ' ' + op + ' ' + Wrapped(right, kComparand), JetType::Boolean,
              equality ? kEquality : kRelational};
    }
    return left;
  }

  // + - * / \ Mod ^, left to right. "+" of two numbers and "- * /" are
  // SQLite's operators ("/" always divides as real numbers); "+" of
  // anything else, "\", Mod and "^" are our functions. The functions'
  // openings are collected apart and put in front at the end.
  Sql Arithmetic(const Expr& e, const Scope* scope) {
    const Sql first = Render(*e.args[0], scope);
    QString body = first.text;
    int precedence = first.precedence;
    JetType type = first.type;
    std::vector<QString> openings;  // innermost first
    for (size_t i = 0; i < e.ops.size(); ++i) {
      const QString& op = e.ops[i];
      const Sql right = Render(*e.args[i + 1], scope);
      const char* function = nullptr;
      if (op == u'+' && !(IsNumeric(type) && IsNumeric(right.type))) function = "jet_add";
      else if (op == u'\\') function = "jet_intdiv";
      else if (op == QLatin1String("MOD")) function = "jet_mod";
      else if (op == u'^') function = "jet_pow";
      if (function) {
        openings.push_back(QLatin1String(function) + '(');
        body += ", " + right.text + ')';
        precedence = kAtom;
      } else {
        const int level = op == u'+' || op == u'-' ? kAdditive : kMultiplicative;
        if (precedence < level) {
          openings.push_back(QStringLiteral("("));
          body += ')';
        }
        if (op == u'/') openings.push_back(QStringLiteral("1.0 * "));
        body += ' ' + op + ' ' + Wrapped(right, level + 1);
        precedence = level;
      }
      type = ArithmeticType(op, type, right.type);
    }
    QString out;
    for (auto it = openings.rbegin(); it != openings.rend(); ++it) out += *it;
    return {out + body, type, precedence};
  }

  static JetType ArithmeticType(const QString& op, JetType a, JetType b) {
    if (op == u'+' && a == JetType::Text && b == JetType::Text) return JetType::Text;
    if ((op == u'+' || op == u'-') && (a == JetType::Date) != (b == JetType::Date) && IsNumeric(a) && IsNumeric(b))
      return JetType::Date;
    if (op == u'+' && !(IsNumeric(a) && IsNumeric(b))) return JetType::Unknown;
    return JetType::Number;
  }

  const ColumnTypes* columns_;
};

}  // namespace

QString TranslateJetSql(const QString& jetSql, const ColumnTypes* jetColumns) {
  JetTokens ts = TokenizeJetSql(jetSql);
  CutAtSemicolon(ts);
  const std::unique_ptr<jetsql::Syntax> syntax = jetsql::ParseJetStatement(ts);
  return Translator(jetColumns).Statement(*syntax->query);
}

}  // namespace sqlitedb
