#include "browser/core/Selection.h"

namespace browser {

namespace {

StatementObserver& Observer() {
  static StatementObserver observer;
  return observer;
}

}  // namespace

void SetStatementObserverForTesting(StatementObserver observer) {
  Observer() = std::move(observer);
}

void ObserveStatement(const QString& statement) {
  if (Observer()) Observer()(statement);
}

}  // namespace browser
