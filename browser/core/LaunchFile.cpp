#include "browser/core/LaunchFile.h"

#include "platform/vb/VbError.h"
#include "platform/win/FileSystem.h"
#include "platform/win/Win.h"

#include <QFileInfo>

namespace browser {

void InputFile::Open(const QString& windowsPath) {
  if (win::fs::HasInvalidNameCharacters(windowsPath) || win::fs::HasWildcards(windowsPath))
    vb::Raise(vb::err::BadFileNameOrNumber);
  const QString native = win::ToNativePath(windowsPath);
  const QFileInfo info(native);
  if (!info.exists())
    vb::Raise(QFileInfo(info.absolutePath()).isDir() ? vb::err::FileNotFound
                                                     : vb::err::PathNotFound);
  if (info.isDir()) vb::Raise(vb::err::PathFileAccessError);
  auto file = std::make_unique<QFile>(native);
  if (!file->open(QIODevice::ReadOnly)) vb::Raise(vb::err::PathFileAccessError);
  file_ = std::move(file);
}

void InputFile::ReadAll() {
  if (!file_) vb::Raise(vb::err::BadFileNameOrNumber);
  file_->readAll();
  if (file_->error() != QFileDevice::NoError) vb::Raise(vb::err::DeviceIOError);
}

}  // namespace browser
