#include "support/Module1.h"

#include "platform/win/Win.h"

namespace Module1 {

QString GetCommandLineStr() { return win::CommandLine(); }

QString GetFolderOfPath(const QString& Path, bool AddSlash) {
  QString folder;
  for (qsizetype i = 1; i <= Path.size(); ++i) {
    const QChar ch = Path[Path.size() - i];
    if (ch == u'\\') {
      folder = Path.left(Path.size() - i);
      break;
    }
    if (ch == u'/') break;
  }
  if (AddSlash) folder += u'\\';
  return folder;
}

}  // namespace Module1
