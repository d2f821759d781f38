#pragma once
// The design of the information window that both viewers open for a place
// (a cemetery, a newspaper source, an archive): the composed text on the
// left, the large picture on the right with three thumbnails under their
// buttons, the map button, OK, and the hidden working controls in a frame
// below the visible area. The two viewers' windows differ only in what a
// design variant names.
#include "platform/forms/FormLayout.h"

#include <array>
#include <vector>

namespace placeinfo {

struct InfoWindowDesign {
  const char* formName;
  const char* caption;
  float scaleWidth, scaleHeight;
  const char* textBox;     // the information text box
  const char* designText;  // its text before anything is loaded
  std::array<const char*, 3> nameBoxes;  // the picture name boxes
  // The clipboard carrier, the large picture's pop-up "Copy" and the text
  // box's edit menu.
  bool copyAndTextMenu;
};

forms::FormSpec InfoWindowForm(const InfoWindowDesign& design);
std::vector<forms::ControlSpec> InfoWindowControls(const InfoWindowDesign& design);

}  // namespace placeinfo
