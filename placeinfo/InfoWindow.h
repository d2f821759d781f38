#pragma once
// What the two viewers' information windows share: the window built from
// its design, its place below and right of the main window, the hidden boxes
// that carry the key and the database path to the selection step, the map
// link and its button, the three pictures and, in the cemetery viewer, the
// text box's edit menu. Each viewer adds its own selection and text steps.
#include "placeinfo/InfoPictures.h"
#include "placeinfo/InfoWindowLayout.h"
#include "browser/core/Selection.h"
#include "browser/core/TextEditMenu.h"
#include "platform/forms/Form.h"
#include "support/ErrorPolicy.h"

#include <QString>
#include <functional>
#include <memory>

namespace placeinfo {

// The main window that opens the information window.
struct InfoWindowOwner {
  forms::Form* form;  // its Top and Left place the window
  PictureSource pictures;
  // A new selection of the window's own over the owner's kind of database,
  // for a window that opens one for each selection step (the cemetery's).
  std::function<std::unique_ptr<browser::Selection>()> newSelection;
};

class InfoWindow {
 public:
  InfoWindow(const InfoWindowDesign& design, const InfoWindowOwner& owner, ErrorPolicy policy);

  forms::Form& Form() { return form_; }
  InfoPictures& Pictures() { return pictures_; }
  const ErrorPolicy& Policy() const { return policy_; }

  // Top = the main window's Top + 400, then Left = its Left + 300 (twips).
  void PlaceBelowOwner();
  // The map link that "Show Street Map" opens.
  QString CemMapStr;
  // Opens the map link in the browser; what the opener answers is not looked at.
  void CMD_ShowStreetMap_Click();
  // Shows the window modally; returns when it is closed (OK or close box).
  void ShowModal();

 private:
  forms::Form form_;
  const InfoWindowOwner& owner_;
  ErrorPolicy policy_;
  InfoPictures pictures_;
  std::unique_ptr<browser::TextEditMenu> textMenu_;
};

}  // namespace placeinfo
