#include "support/Module2.h"

#include "platform/win/Win.h"

namespace Module2 {

void WriteINIValue(const QString& Section, const QString& Key,
                   const QString& Value, const QString& FileName) {
  win::WritePrivateProfileString(Section, Key, Value, FileName);
}

QString ReadINIValue(const QString& Section, const QString& Key,
                     const QString& Default, const QString& FileName) {
  constexpr uint32_t kBufferLength = 2048;
  QString buffer(kBufferLength, u' ');
  const uint32_t copied = win::GetPrivateProfileString(Section, Key, Default, buffer,
                                                       kBufferLength, FileName);
  if (copied == 0) return QString();
  return buffer.left(copied);
}

}  // namespace Module2
