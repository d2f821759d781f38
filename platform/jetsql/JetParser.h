#pragma once
// The syntax of a statement in the Jet dialect: a SELECT statement read into
// a tree, which the translation then checks and writes out in SQLite's
// dialect (JetDialect.cpp).
#include "platform/jetsql/JetTokens.h"

#include <deque>
#include <memory>
#include <vector>

namespace sqlitedb::jetsql {

// How deeply parentheses, subqueries, Not and signs may nest in a statement.
// Deeper input is a syntax error (3075): the reading is recursive, so this
// bounds the stack it takes.
inline constexpr int kMaxNesting = 200;

struct Query;

struct Expr {
  enum class Kind {
    Number,    // text: as written (12, 1.5, 1E3)
    Text,      // text: the value (quotes removed)
    Date,      // number: the serial of a #...# literal
    Null,
    Boolean,   // flag: True
    Column,    // text: the name; qualifier: the table or alias, or empty
    Star,      // "*" as the argument of a function (Count(*))
    Call,      // text: the function's name as written; args
    Negate,    // text: "-" or "+"; args[0]
    Not,       // args[0]
    Chain,     // args[0] ops[0] args[1] ops[1] ...: operators of one
               // precedence level, applied left to right
    Like,      // args[0] Like args[1]; flag: Not Like
    Between,   // args[0] Between args[1] And args[2]; flag: Not Between
    In,        // args[0] In (args[1], ...) or In (query); flag: Not In
    IsNull,    // args[0] Is Null; flag: Is Not Null
    Subquery,  // (query)
    Exists,    // Exists (query)
    Parameter, // "?": a value the caller binds (never typed by a user)
  };
  Kind kind;
  QString text;
  QString qualifier;
  double number = 0;
  bool flag = false;
  std::vector<Expr*> args;
  std::vector<QString> ops;  // Chain: "^", "*", "/", "\", "MOD", "+", "-", "&",
                             // "=", "<>", "<", ">", "<=", ">=", "AND", "OR"
  Query* query = nullptr;
};

// A table of the FROM clause: a named table, a subquery or a join of two.
struct Source {
  enum class Kind { Table, Subquery, Join };
  Kind kind;
  QString name;   // Table: the table's name
  QString alias;  // Table, Subquery: the name it goes by here, or empty
  Query* query = nullptr;                        // Subquery
  Source* left = nullptr;                        // Join
  Source* right = nullptr;                       // Join
  QString join;                                  // Join: "INNER", "LEFT" or "RIGHT"
  Expr* on = nullptr;                            // Join
};

struct SelectItem {
  Expr* expr = nullptr;   // nullptr for "*" and "table.*"
  QString alias;          // AS alias, or empty
  QString starQualifier;  // "table" of "table.*"
};

struct OrderItem {
  Expr* expr;
  QString direction;  // "", "ASC" or "DESC"
};

struct Select {
  bool distinct = false;
  QString top;  // TOP n: the whole number as written, or empty
  std::vector<SelectItem> items;
  std::vector<Source*> from;
  Expr* where = nullptr;
  std::vector<Expr*> groupBy;
  Expr* having = nullptr;
};

struct Query {
  std::vector<Select> selects;  // joined by UNION
  std::vector<bool> unionAll;   // between selects[i] and selects[i + 1]
  std::vector<OrderItem> orderBy;
};

// The tree of a statement; it owns every node.
struct Syntax {
  Query* query = nullptr;
  std::deque<Expr> exprs;
  std::deque<Query> queries;
  std::deque<Source> sources;
};

// Reads one SELECT statement (without its ";") in the Jet dialect:
//   SELECT [DISTINCT | DISTINCTROW | ALL] [TOP n] items [FROM sources]
//     [WHERE e] [GROUP BY e, ...] [HAVING e] [UNION [ALL] SELECT ...]
//     [ORDER BY e [ASC | DESC], ...]
// with Jet's expressions and operator precedence (high to low: ^, sign,
// * /, \, Mod, + -, &, comparisons with Like, Between, In and Is [Not] Null,
// Not, And, Or), "table.column" and "table!column", INNER, LEFT and RIGHT
// joins, subqueries. Raises 3129 for a statement that is not a query, 3027
// for one that would change data (DELETE, INSERT, UPDATE, CREATE, DROP,
// ALTER, SELECT ... INTO), 3131 for a syntax error in the FROM clause and
// 3075 for any other syntax error, nesting deeper than kMaxNesting and
// words of other dialects (WITH, CASE, CAST, GLOB, ESCAPE, COLLATE, LIMIT,
// ...).
std::unique_ptr<Syntax> ParseJetStatement(const JetTokens& tokens);

}  // namespace sqlitedb::jetsql
