#include "platform/win/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "platform/win/Win.h"

namespace win::fs {
namespace {

bool MatchFrom(const QString& name, int n, const QString& pattern, int p) {
  while (p < pattern.size()) {
    const QChar pc = pattern[p];
    if (pc == u'*') {
      while (p < pattern.size() && pattern[p] == u'*') ++p;
      if (p == pattern.size()) return true;
      for (int k = n; k <= name.size(); ++k) {
        if (MatchFrom(name, k, pattern, p)) return true;
      }
      return false;
    }
    if (n >= name.size()) return false;
    if (pc != u'?' && pc.toCaseFolded() != name[n].toCaseFolded()) return false;
    ++n;
    ++p;
  }
  return n == name.size();
}

}  // namespace

QString DropDrive(const QString& path) {
  if (path.size() >= 2 && path[1] == u':' && path[0].isLetter()) return path.mid(2);
  return path;
}

bool HasWildcards(const QString& text) {
  return text.contains(u'*') || text.contains(u'?');
}

bool MatchesPattern(const QString& name, const QString& pattern) {
  if (MatchFrom(name, 0, pattern, 0)) return true;
  if (pattern.endsWith(u".*") && !name.contains(u'.')) {
    return MatchFrom(name, 0, pattern.chopped(2), 0);
  }
  return false;
}

SearchTarget SplitSearchTarget(const QString& windowsPath) {
  const QString path = DropDrive(windowsPath);
  const qsizetype cut =
      std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
  SearchTarget target;
  target.name = path.mid(cut + 1);
  const QString folder = path.left(cut + 1);
  target.nativeFolder = folder.isEmpty() ? QStringLiteral(".") : ToNativePath(folder);
  target.folderIsRoot = QFileInfo(target.nativeFolder).canonicalFilePath() == u"/";
  return target;
}

QStringList ListFolder(const QString& nativeFolder, bool includeDots) {
  QDir::Filters filters = QDir::AllEntries | QDir::Hidden | QDir::System;
  if (!includeDots) filters |= QDir::NoDotAndDotDot;
  return QDir(nativeFolder).entryList(filters, QDir::Name | QDir::IgnoreCase);
}

QStringList MatchingEntries(const SearchTarget& target, bool includeDots) {
  QStringList matches;
  const bool dots = includeDots && !target.folderIsRoot;
  for (const QString& entry : ListFolder(target.nativeFolder, dots)) {
    if (MatchesPattern(entry, target.name)) matches.append(entry);
  }
  return matches;
}

bool IsPlainFile(const QString& nativeFolder, const QString& name) {
  if (name.startsWith(u'.')) return false;
  return QFileInfo(JoinNative(nativeFolder, name)).isFile();
}

QString JoinNative(const QString& nativeFolder, const QString& name) {
  if (nativeFolder.endsWith(u'/')) return nativeFolder + name;
  return nativeFolder + u'/' + name;
}

bool HasInvalidNameCharacters(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar ch) {
    return ch.unicode() < 32 || ch == u'<' || ch == u'>' || ch == u'"' ||
           ch == u'|';
  });
}

}  // namespace win::fs
