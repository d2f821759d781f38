#include "tools/democd/Places.h"

namespace democd {

namespace {
QString Utf8(const char* s) { return QString::fromUtf8(s); }
}  // namespace

void PutAddress(Record& r, const PlaceAddress& a, const QString& zipColumn) {
  r["Long"] = Utf8(a.lon);
  r["LAT"] = Utf8(a.lat);
  r["Address1"] = Utf8(a.address1);
  r["Address2"] = TextOrNull(Utf8(a.address2));
  r["City"] = Utf8(a.city);
  r["State"] = "Ohio";
  r[zipColumn] = Utf8(a.zip);
  r["County"] = "Wendmoor";
  r["Township"] = Utf8(a.township);
  r["District"] = TextOrNull(Utf8(a.district));
  r["Country"] = "USA";
  r["Notes"] = Utf8(a.notes);
  r["Other"] = TextOrNull(Utf8(a.other));
}

void PutPictures(Record& r, const QString& prefix, const QString (&names)[3]) {
  for (int i = 0; i < 3; ++i) r[prefix + QString::number(i + 1)] = TextOrNull(names[i]);
}

}  // namespace democd
