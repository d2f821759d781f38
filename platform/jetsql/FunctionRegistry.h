#pragma once
// The functions a statement may call: those the Jet dialect registers (every
// registration goes through RegisterJetFunction, which records the name) and
// the few functions of the engine that Jet SQL shares. The read-only rules
// deny every other function, so that what the engine offers beyond Jet
// (printf, randomblob, zeroblob, load_extension, fts3_tokenizer, ...) is out
// of reach of every statement.
struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace sqlitedb {

using JetFunctionBody = void (*)(sqlite3_context*, int, sqlite3_value**);

// Registers the function on the connection (sqlite3_create_function_v2, no
// user data, no destructor) and records its name as callable.
void RegisterJetFunction(sqlite3* db, const char* name, int argc, int flags,
                         JetFunctionBody body);

// True, without regard to case, for a name RegisterJetFunction recorded and
// for the engine's functions that Jet SQL shares: the aggregates count, sum,
// min, max and avg, and abs.
bool IsCallableFunction(const char* name);

}  // namespace sqlitedb
