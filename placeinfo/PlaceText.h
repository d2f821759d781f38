#pragma once
// The information text of a place (a cemetery, a newspaper source, an
// archive) as both information windows compose it: the heading, the
// coordinates, the address in its lines, the notes and a last piece of the
// window's own, each line followed by an empty one except the first address
// line; then the map link and the picture names.
#include "placeinfo/InfoWindow.h"

#include <QString>
#include <array>
#include <functional>

namespace placeinfo {

struct PlaceTextDesign {
  const char* headingLabel;   // "Cemetery: ", "Publisher/Source: ", ...
  const char* headingColumn;  // "CEMETERY", "Publisher", "ArchiveName"
  const char* zipColumn;      // "Row" in the cemetery table, else "zip"
  const char* lastLabel;      // "Brief Ownership History: ", ...
  const char* lastColumn;
  const char* textBox;
  std::array<const char*, 3> pictureColumns;
  std::array<const char*, 3> nameBoxes;
};

// A column of the current row as text ("" for Null); raises like the engine.
using ColumnReader = std::function<QString(const QString& column)>;

// Reads the row's values, builds the map link into the window's CemMapStr
// ("NO COORDINATES" while it is being built), composes the text (the first
// piece replaces the box's text, each later one is appended to it), and sets
// the picture names, whose changes load the pictures. Every read and every
// piece is one statement of `trap`, so an answered error leaves its value
// empty or its piece out and the rest goes on.
void LoadPlaceText(vb::ErrorTrap& trap, InfoWindow& window, const PlaceTextDesign& design,
                   const ColumnReader& read);

}  // namespace placeinfo
