#pragma once
// The tokens of a statement in the Jet dialect. Used by the reading of
// statements (JetParser) and by the error mapping (which looks for the
// clause an error stands in).
#include <QString>
#include <vector>

namespace sqlitedb {

struct JetToken {
  enum class Kind {
    Space,     // blanks, tabs, line breaks
    Word,      // a name or keyword as written
    Name,      // [bracketed name]; text holds the name without brackets
    Text,      // a text literal; text holds its value (quotes removed)
    Number,    // 12, 1.5, 1E3
    Date,      // #...#; text holds what stands between the hashes
    Symbol,    // operators and punctuation: = <> <= ( ) , . ! ; & + - * / \ ^ ...
  };
  Kind kind;
  QString text;
  int position = 0;  // where the token starts in the statement
  bool Is(Kind k, const char* t) const;
  bool IsWord(const char* keyword) const { return Is(Kind::Word, keyword); }
  bool IsSymbol(const char* symbol) const { return Is(Kind::Symbol, symbol); }
};

using JetTokens = std::vector<JetToken>;

// Splits a statement into tokens. Raises 3075 for an unterminated text
// literal, bracketed name or date literal, and for a NUL character anywhere.
JetTokens TokenizeJetSql(const QString& sql);

// Which clause of the outermost statement the given character offset stands
// in: the keyword that opened it ("SELECT", "FROM", "WHERE", "ORDER", ...),
// upper-case; empty before the first one.
QString ClauseAt(const QString& sql, int offset);

}  // namespace sqlitedb
