#include "support/ErrorPolicy.h"

#include "support/GlobErrorModule.h"

ErrorPolicy ErrorPolicy::ErrorLog(QString module) { return ErrorPolicy(true, std::move(module)); }

ErrorPolicy ErrorPolicy::Untrapped() { return ErrorPolicy(false, QString()); }

vb::ErrorTrap ErrorPolicy::Trap(const QString& procedure) const {
  if (trapsErrors_) return vb::ErrorTrap(GlobErrorModule::LogErrorHandler(procedure, module_));
  vb::ErrorTrap trap{vb::ErrorHandler()};
  trap.GoTo0();
  return trap;
}
