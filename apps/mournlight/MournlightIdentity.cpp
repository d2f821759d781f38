#include "apps/mournlight/MournlightIdentity.h"

#include "support/AppIdentity.h"

namespace mournlight {

// The maker's support address and web server are the same as for the
// cemetery viewer (AppIdentity's defaults).
void SetProgramIdentity() {
  AppIdentity::SetProgram({.name = QStringLiteral("Mournlight"),
                           .major = 1,
                           .minor = 0,
                           .revision = 0,
                           .helpPath = QStringLiteral("/help/Mournlight/"),
                           .updatesPath = QStringLiteral(
                               "/help/karvelhelp/help-karvelsuite-updates.shtml")});
}

}  // namespace mournlight
