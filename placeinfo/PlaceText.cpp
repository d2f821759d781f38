#include "placeinfo/PlaceText.h"

#include "placeinfo/MapLink.h"
#include "platform/forms/TextBox.h"

namespace placeinfo {

using namespace forms;

void LoadPlaceText(vb::ErrorTrap& trap, InfoWindow& window, const PlaceTextDesign& d,
                   const ColumnReader& read) {
  const QString crLf = QStringLiteral("\r\n");
  const QString blankLine = crLf + crLf;
  trap([&] { window.CemMapStr = QStringLiteral("NO COORDINATES"); });
  QString heading, lon, lat, address1, address2, city, state, zip, county, township, district,
      country;
  struct Read {
    QString* value;
    const char* column;
  };
  const Read reads[] = {
      {&heading, d.headingColumn}, {&lon, "Long"},           {&lat, "LAT"},
      {&address1, "Address1"},     {&address2, "Address2"},  {&city, "City"},
      {&state, "State"},           {&zip, d.zipColumn},      {&county, "County"},
      {&township, "Township"},     {&district, "District"},  {&country, "Country"}};
  for (const Read& r : reads) trap([&] { *r.value = read(QString::fromLatin1(r.column)); });
  trap([&] {
    window.CemMapStr =
        MapLink::GetGoogleMapStr(lon, lat, heading, address1, address2, city, state, county,
                                 township, district, country, window.Policy());
  });

  TextBox& text = window.Form().Get<TextBox>(QString::fromLatin1(d.textBox));
  trap([&] { text.SetText(QString::fromLatin1(d.headingLabel) + heading + blankLine); });
  const auto append = [&](const QString& piece) { trap([&] { text.SetText(text.Text() + piece); }); };
  append("Longitude: " + lon);
  append(", Latitude: " + lat + blankLine);
  append("Address1: " + address1 + crLf);
  append("Address2: " + address2 + blankLine);
  append("City: " + city);
  append(", State: " + state);
  append(", Zip/Postal Code: " + zip + blankLine);
  append("County: " + county);
  append(", Township: " + township);
  append(", District: " + district + blankLine);
  append("Country: " + country + blankLine);
  // The last three values are read as their pieces are appended.
  struct Piece {
    const char* label;
    const char* column;
  };
  const Piece lastPieces[] = {
      {"Notes:  ", "Notes"}, {"Other Notes: ", "Other"}, {d.lastLabel, d.lastColumn}};
  for (const Piece& piece : lastPieces) {
    QString value;
    trap([&] { value = read(QString::fromLatin1(piece.column)); });
    append(QString::fromLatin1(piece.label) + value + blankLine);
  }

  for (int i = 0; i < 3; ++i)
    trap([&] {
      window.Form()
          .Get<TextBox>(QString::fromLatin1(d.nameBoxes[i]))
          .SetText(read(QString::fromLatin1(d.pictureColumns[i])));
    });
}

}  // namespace placeinfo
