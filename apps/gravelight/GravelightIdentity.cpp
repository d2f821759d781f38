#include "apps/gravelight/GravelightIdentity.h"

#include "support/AppIdentity.h"

namespace gravelight {

void SetProgramIdentity() {
  AppIdentity::SetProgram({.name = QStringLiteral("Gravelight"),
                           .major = 3,
                           .minor = 0,
                           .revision = 2,
                           .helpPath = QStringLiteral("/help/karvelhelp/"),
                           .updatesPath = QStringLiteral(
                               "/help/karvelhelp/help-gravelight-updates.shtml")});
}

}  // namespace gravelight
