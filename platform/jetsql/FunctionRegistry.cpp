#include "platform/jetsql/FunctionRegistry.h"

#include <QByteArray>
#include <mutex>
#include <set>
#include <sqlite3.h>

namespace sqlitedb {

namespace {

std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}

std::set<QByteArray>& Registered() {
  static auto* names = new std::set<QByteArray>();
  return *names;
}

QByteArray Folded(const char* name) { return QByteArray(name).toLower(); }

}  // namespace

void RegisterJetFunction(sqlite3* db, const char* name, int argc, int flags,
                         JetFunctionBody body) {
  {
    std::lock_guard<std::mutex> lock(RegistryMutex());
    Registered().insert(Folded(name));
  }
  sqlite3_create_function_v2(db, name, argc, flags, nullptr, body, nullptr, nullptr, nullptr);
}

bool IsCallableFunction(const char* name) {
  if (name == nullptr) return false;
  const QByteArray folded = Folded(name);
  for (const char* shared : {"count", "sum", "min", "max", "avg", "abs"}) {
    if (folded == shared) return true;
  }
  std::lock_guard<std::mutex> lock(RegistryMutex());
  return Registered().count(folded) != 0;
}

}  // namespace sqlitedb
