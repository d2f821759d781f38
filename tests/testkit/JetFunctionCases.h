#pragma once
// The Jet functions a user types into the SQL search, as a table of
// expressions with the value or the error number Jet gives for each. Both
// database layers answer them alike: the Jet copy (tests/platform/dao) and
// the obituary file (tests/platform/sqlite) run every case.
#include "platform/vb/Variant.h"

#include <QString>
#include <functional>
#include <vector>

namespace testkit {

struct JetFunctionCase {
  const char* expression;
  vb::Variant value;  // Null, a number, a text; a date is its serial (a Double)
  int error = 0;      // the run-time error number; then `value` is not used
};

const std::vector<JetFunctionCase>& JetFunctionCases();

// Runs every case through `evaluate` (the expression's value on one row of
// a layer's table) and expects its value or error number.
void ExpectJetFunctionCases(const std::function<vb::Variant(const QString& expression)>& evaluate);

}  // namespace testkit
