// Windows-form paths and native paths. Data CDs are authored on systems that
// ignore case, so a component that does not exist with its exact spelling is
// replaced by the first entry of its folder (in name order) that matches it
// without regard to case. Both "\" and "/" separate components.
#include <QDir>
#include <QFileInfo>

#include "platform/win/FileSystem.h"
#include "platform/win/Win.h"

namespace win {
namespace {

// The component as it is spelled in `folder`, or "" when no entry matches.
QString FindWithoutCase(const QString& folder, const QString& component) {
  for (const QString& entry : fs::ListFolder(folder, false)) {
    if (entry.compare(component, Qt::CaseInsensitive) == 0) return entry;
  }
  return QString();
}

}  // namespace

QString ToNativePath(const QString& windowsPath) {
  QString path = fs::DropDrive(windowsPath);
  path.replace(u'\\', u'/');
  if (path.isEmpty()) return path;
  const bool absolute = path.startsWith(u'/');
  const bool trailing = path.endsWith(u'/') && path.size() > 1;
  QStringList resolved;
  QString folder = absolute ? QStringLiteral("/") : QStringLiteral(".");
  bool searching = true;
  for (const QString& component : path.split(u'/', Qt::SkipEmptyParts)) {
    QString spelled = component;
    if (searching && component != u"." && component != u"..") {
      if (!QFileInfo::exists(fs::JoinNative(folder, component))) {
        spelled = FindWithoutCase(folder, component);
        // Nothing below a missing component can exist: stop looking.
        if (spelled.isEmpty()) {
          spelled = component;
          searching = false;
        }
      }
    }
    resolved.append(spelled);
    folder = fs::JoinNative(folder, spelled);
  }
  QString native = (absolute ? QStringLiteral("/") : QString()) + resolved.join(u'/');
  if (trailing && !resolved.isEmpty()) native += u'/';
  return native;
}

QString ToWindowsPath(const QString& nativePath) {
  QString path = nativePath;
  path.replace(u'/', u'\\');
  return path;
}

}  // namespace win
