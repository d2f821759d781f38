#include "browser/core/WebLinks.h"

#include "platform/win/Win.h"
#include "support/AppIdentity.h"

namespace browser {

QString WebAddress(const QString& path) {
  return QStringLiteral("http://") + AppIdentity::Current().webHost + path;
}

void OpenHelpPage() { win::ShellExecuteOpen(WebAddress(AppIdentity::Current().helpPath)); }

void OpenUpdatesPage() { win::ShellExecuteOpen(WebAddress(AppIdentity::Current().updatesPath)); }

}  // namespace browser
