#pragma once
// Conditions of a user's SQL search that once outlasted the statement time
// limit, for the tests of both database layers.
#include <QString>

namespace testkit {

// A statement time limit (milliseconds of processor time) for a test that
// needs a slow statement to finish: far beyond what any build, instrumented
// or on a loaded machine, takes for the conditions here.
inline constexpr int kAmpleStatementMs = 120000;

// "(Mid(<text>, 1, 0) & '<40,000 a>') Like '*<20,000 a>b'": about 60 kB, under
// the cap on statements. Matching by backtracking took a second a row.
inline QString ExpensiveLike(const QString& text) {
  return "(Mid(" + text + ", 1, 0) & '" + QString(40000, u'a') + "') Like '*" +
         QString(20000, u'a') + "b'";
}

// The same over a cross join of two sub-selections, one of LastName and one
// of Given.
inline QString ExpensiveLikeOverCrossJoin(const QString& lastNames, const QString& givenNames) {
  return "EXISTS (SELECT * FROM (" + lastNames + ") AS a, (" + givenNames + ") AS b WHERE " +
         ExpensiveLike("a.LastName & b.Given") + ")";
}

}  // namespace testkit
