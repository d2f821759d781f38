#include "placeinfo/MapLink.h"

#include "platform/vb/Conversions.h"
#include "support/AppIdentity.h"

#include <QUrl>

namespace MapLink {

namespace {

// The number at the start of the text, negated when the text holds the
// letter of the negative hemisphere. The tests look at the whole stored text:
// a "-" anywhere means the number already carries its sign.
QString LetterToNumber(const char* procedure, const QString& text, char letter,
                       const ErrorPolicy& policy) {
  QString result;
  QString n;
  vb::ErrorTrap trap = policy.Trap(procedure);
  trap.Run([&] {
    trap([&] { n = vb::NumberToText(vb::Val(text)); });
    trap([&] {
      const QChar upper = QLatin1Char(letter);
      const bool hasLetter = text.contains(upper) || text.contains(upper.toLower());
      if (text.contains(u'-')) result = n;
      else if (hasLetter) result = u'-' + n;
      else result = n;
    });
  });
  return result;
}

// A query value as UTF-8 with every byte outside A-Z a-z 0-9 - . _ ~ written
// as %XX, so that "#", "&", "+", "%", "?" and blanks reach the script as text.
QString QueryValue(const QString& value) {
  return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace

QString MapScriptAddress() {
  return "http://" + AppIdentity::Current().webHost + "/cgi-bin/gmapav.cgi";
}

QString ConvertLatitudeLetterToNumber(const QString& Longititude, const ErrorPolicy& policy) {
  return LetterToNumber("ConvertLatitudeLetterToNumber", Longititude, 'S', policy);
}

QString ConvertLongitudeLetterToNumber(const QString& Longititude, const ErrorPolicy& policy) {
  return LetterToNumber("ConvertLongitudeLetterToNumber", Longititude, 'W', policy);
}

QString GetGoogleMapStr(const QString& Longitude, const QString& Latitude, const QString& Desc,
                        const QString& ad1, const QString& ad2, const QString& city,
                        const QString& st, const QString& cnty, const QString& twp,
                        const QString& dstr, const QString& cntry, const ErrorPolicy& policy) {
  QString link;
  QString lon;
  QString lat;
  vb::ErrorTrap trap = policy.Trap("GetGoogleMapStr");
  trap.Run([&] {
    trap([&] { lon = ConvertLongitudeLetterToNumber(Longitude, policy); });
    trap([&] { lat = ConvertLatitudeLetterToNumber(Latitude, policy); });
    trap([&] {
      const std::pair<const char*, const QString&> query[] = {
          {"?latit=", lat}, {"&longit=", lon}, {"&desc=", Desc}, {"&ad1=", ad1},
          {"&ad2=", ad2},   {"&city=", city},  {"&st=", st},     {"&cnty=", cnty},
          {"&twp=", twp},   {"&dstr=", dstr},  {"&cntry=", cntry},
      };
      link = MapScriptAddress();
      for (const auto& [key, value] : query) link += QLatin1String(key) + QueryValue(value);
    });
  });
  return link;
}

}  // namespace MapLink
