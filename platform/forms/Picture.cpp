#include "platform/forms/Picture.h"

#include "platform/forms/Twips.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <QFileInfo>
#include <QImageReader>

namespace forms {

float Picture::WidthTwips() const { return PixelsToTwips(WidthPixels()); }
float Picture::HeightTwips() const { return PixelsToTwips(HeightPixels()); }

Picture LoadPicture(const QString& windowsPath) {
  if (windowsPath.isEmpty()) return Picture();
  const QFileInfo file(win::ToNativePath(windowsPath));
  if (file.isDir()) vb::Raise(vb::err::PathFileAccessError);
  if (!file.exists()) {
    const bool folderExists = QFileInfo(file.absolutePath()).isDir();
    vb::Raise(folderExists ? vb::err::FileNotFound : vb::err::PathNotFound);
  }
  QImageReader reader(file.filePath());
  reader.setDecideFormatFromContent(true);
  QImage image = reader.read();
  if (image.isNull()) vb::Raise(vb::err::InvalidPicture);
  return Picture(std::move(image));
}

}  // namespace forms
