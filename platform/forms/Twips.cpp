#include "platform/forms/Twips.h"

#include "platform/forms/Host.h"
#include "platform/vb/VbError.h"

#include <cmath>
#include <limits>

namespace forms {

double TwipsPerPixel() { return host().TwipsPerPixel(); }

int TwipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

float PixelsToTwips(int pixels) { return static_cast<float>(pixels * TwipsPerPixel()); }

float ToSingle(double value) {
  if (std::isnan(value)) vb::Raise(vb::err::Overflow);
  if (std::fabs(value) > std::numeric_limits<float>::max()) vb::Raise(vb::err::Overflow);
  return static_cast<float>(value);
}

QString StripAccessKeys(const QString& caption) {
  QString plain;
  plain.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&') {
      if (i + 1 < caption.size() && caption[i + 1] == u'&') {
        plain += u'&';
        ++i;
      }
      continue;
    }
    plain += caption[i];
  }
  return plain;
}

QString ToDisplayLineBreaks(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace forms
