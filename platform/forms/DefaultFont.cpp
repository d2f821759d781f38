#include "platform/forms/DefaultFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace forms {

void UseStandardFont(QApplication& app) {
  const QStringList families = QFontDatabase::families();
  for (const char* name : {"Liberation Sans", "Arial", "DejaVu Sans"}) {
    if (families.contains(QString::fromLatin1(name))) {
      QFont font(QString::fromLatin1(name));
      font.setPointSizeF(8.0);
      app.setFont(font);
      return;
    }
  }
}

}  // namespace forms
