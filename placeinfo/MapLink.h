#pragma once
// The web-map link of a place: its stored coordinates turned into signed
// decimal numbers (south and west negative) and, with its name and address,
// put into the query of the map script on the maker's web server.
//
// Each function runs its statements under the caller's error policy: the
// cemetery viewer's information window logs and asks (module "CemInfo"),
// the obituary viewer's lets errors travel to the caller. The only error
// ordinary text can raise is the number reading's overflow (error 6).
#include "support/ErrorPolicy.h"

#include <QString>

namespace MapLink {

// The map script's address without its query:
// "http://" + the web host + "/cgi-bin/gmapav.cgi".
QString MapScriptAddress();

// The latitude text as a signed number text: the number at its start (blanks,
// tabs and line feeds removed first), negated when the text holds an "S" or
// "s" anywhere and no "-" anywhere. "40.5 S" gives "-40.5", "S40.5" "-0".
QString ConvertLatitudeLetterToNumber(const QString& Longititude, const ErrorPolicy& policy);

// The same for a longitude, with the letter "W".
QString ConvertLongitudeLetterToNumber(const QString& Longititude, const ErrorPolicy& policy);

// The map link, longitude first among the arguments, latitude first in the
// query: MapScriptAddress() "?latit=" lat "&longit=" lon "&desc=" Desc "&ad1="
// ad1 "&ad2=" ad2 "&city=" city "&st=" st "&cnty=" cnty "&twp=" twp "&dstr="
// dstr "&cntry=" cntry. Every key is present, also with an empty value. Each
// value is percent-encoded (UTF-8, unreserved characters kept) so that the
// script receives exactly the stored text.
QString GetGoogleMapStr(const QString& Longitude, const QString& Latitude, const QString& Desc,
                        const QString& ad1, const QString& ad2, const QString& city,
                        const QString& st, const QString& cnty, const QString& twp,
                        const QString& dstr, const QString& cntry, const ErrorPolicy& policy);

}  // namespace MapLink
