#pragma once
// What the two viewers' information windows share: the window built from
// its design, its place below and right of the main window, the hidden boxes
// that carry the key and the database path to the selection step, the map
// link and its button, the three pictures and, in the cemetery viewer, the
// text box's edit menu. Each viewer adds its own selection and text steps.
#include "placeinfo/InfoPictures.h"
#include "placeinfo/InfoWindowLayout.h"
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
};

// A place's key (its name or id) as the selection statement's value: in
// double quotes, an embedded double quote doubled as the engine reads it, so
// that every stored key can be found.
QString QuotedKey(const QString& key);

// The selection step's answers by error number: no current record (3021)
// says so, names what it opens (`openingAll`) and shows every row
// (`showAllRows`); a missing table (3078) gives `notAdded`; any other number
// "Please report error: " with the number (blank before it) and the
// description. Runs as the step's handler: an error in it goes to the caller.
struct SelectionAnswers {
  QString openingAll;
  QString notAdded;
};
void AnswerSelectionError(const vb::VbError& error, const SelectionAnswers& answers,
                          const std::function<void()>& showAllRows);

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
