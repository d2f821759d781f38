#include "apps/mournlight/MournlightIdentity.h"

#include "platform/forms/Host.h"
#include "support/AppIdentity.h"

namespace mournlight {

void SetProgramIdentity() {
  AppIdentity identity;
  identity.name = QStringLiteral("Mournlight");
  identity.major = 1;
  identity.minor = 0;
  identity.revision = 0;
  identity.supportAddress = QStringLiteral("support@gravelight.example");
  identity.webHost = QStringLiteral("www.gravelight.example");
  identity.helpPath = QStringLiteral("/help/Mournlight/");
  identity.updatesPath = QStringLiteral("/help/karvelhelp/help-karvelsuite-updates.shtml");
  AppIdentity::Set(identity);
  forms::SetAppTitle(identity.name);
}

}  // namespace mournlight
