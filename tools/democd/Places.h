#pragma once
// The address, notes and picture columns that the cemetery, newspaper and
// archive tables share. All places are invented.
#include "tools/democd/Record.h"

namespace democd {

struct PlaceAddress {
  const char *lon, *lat;  // as the transcriber typed them
  const char *address1, *address2, *city, *zip, *township, *district;
  const char *notes, *other;
};

// Puts the address into the record; the postal code goes into zipColumn.
void PutAddress(Record& r, const PlaceAddress& a, const QString& zipColumn);
// Puts three picture names into prefix1 to prefix3 (Null for an empty name).
void PutPictures(Record& r, const QString& prefix, const QString (&names)[3]);

}  // namespace democd
