#include "apps/gravelight/GravelightIdentity.h"

#include "platform/forms/Host.h"
#include "support/AppIdentity.h"

namespace gravelight {

void SetProgramIdentity() {
  AppIdentity identity;
  identity.name = QStringLiteral("Gravelight");
  identity.major = 3;
  identity.minor = 0;
  identity.revision = 2;
  identity.supportAddress = QStringLiteral("support@gravelight.example");
  identity.webHost = QStringLiteral("www.gravelight.example");
  identity.helpPath = QStringLiteral("/help/karvelhelp/");
  identity.updatesPath = QStringLiteral("/help/karvelhelp/help-gravelight-updates.shtml");
  AppIdentity::Set(identity);
  forms::SetAppTitle(identity.name);
}

}  // namespace gravelight
