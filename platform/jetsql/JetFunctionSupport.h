#pragma once
// What the Jet functions of the dialect share (JetFunctions.cpp,
// JetDateFunctions.cpp, JetTextFunctions.cpp): reading their arguments,
// giving their results, turning a platform error into the statement's
// failure, and their tables of names.
#include "platform/jetsql/FunctionRegistry.h"
#include "platform/jetsql/JetDialect.h"
#include "platform/jetsql/StatementLimits.h"

#include "platform/vb/VbError.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <new>
#include <span>
#include <sqlite3.h>

namespace sqlitedb {

bool IsNull(sqlite3_value* v);
bool IsText(sqlite3_value* v);  // text or blob

void ResultText(sqlite3_context* ctx, const QString& text);
// Jet's True is -1.
void ResultBoolean(sqlite3_context* ctx, bool value);

// A count or position argument: Null raises 94, one below `minimum` 5.
int32_t CountArg(sqlite3_value* v, int32_t minimum);
// A number operand: text is read as a number (13 when it is not one).
double NumberArg(sqlite3_value* v);
// A date argument as a serial: numbers are serials, texts are read as dates
// (or as numbers); other text raises 13.
double SerialArg(sqlite3_value* v);
// An argument that chooses how a function works (an interval, a compare
// mode, a first day of the week): Null raises 94.
QString OptionText(sqlite3_value* v);
int32_t OptionNumber(sqlite3_value* v);
// The compare argument of StrComp and InStrRev: 0 binary; 1 (text), 2
// (database) and -1 (the default) compare without regard to case, as Jet
// compares text; any other value raises 5. False for binary.
bool TextCompare(sqlite3_value* v);

// Text arguments this long together (bytes) make a call long enough to look
// at the statement's clock when it is done: the engine looks only every few
// thousand of its steps, and a few calls on texts of megabytes can outlast
// the limit within them. Shorter calls are left to the engine.
bool LongArguments(int argc, sqlite3_value** argv);
// A text result of `length` characters: raises 3035 when it cannot be
// within the connection's cap on values (its UTF-8 has at least as many
// bytes as it has UTF-16 code units), before it is built.
void CheckResultLength(sqlite3_context* ctx, qsizetype length);

// Runs a function body; a platform error fails the statement with its number,
// and so does the time limit after a call on long texts.
template <JetFunctionBody F>
void Guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    F(ctx, argc, argv);
    if (LongArguments(argc, argv)) CheckStatementTime();
  } catch (const vb::VbError& e) {
    const QByteArray msg = JetFunctionErrorMessage(e.Number(), e.Description()).toUtf8();
    sqlite3_result_error(ctx, msg.constData(), static_cast<int>(msg.size()));
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(ctx);
  } catch (...) {
    sqlite3_result_error(ctx, "internal error in a Jet function", -1);
  }
}

struct JetFunctionDef {
  const char* name;
  int argc;  // -1: any number
  JetFunctionBody fn;
  // False for what reads the clock: its result may differ between statements.
  bool deterministic = true;
};

// The functions of dates and times (JetDateFunctions.cpp) and of texts and
// characters (JetTextFunctions.cpp).
std::span<const JetFunctionDef> JetDateFunctions();
std::span<const JetFunctionDef> JetTextFunctions();

}  // namespace sqlitedb
