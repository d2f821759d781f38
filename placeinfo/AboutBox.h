#pragma once
// A program's about box: its name, version and the data versions it reads,
// with the maker's details. It is not modal; there is one, shown again when
// chosen again; its load step centres it on the screen and OK unloads it.
#include "platform/forms/Form.h"

#include <QString>

namespace placeinfo {

struct AboutBoxDesign {
  const char* formName;      // frmGravelightAbout, FRMMournlightAbout
  const char* program;       // the caption and the large name
  float scaleWidth;          // client width; the height is the same for both
  const char* versionText;   // Label3
  const char* readsText;     // Label4(2)
  float readsLeft, readsWidth;
  const char* okButton;      // CMD_OK, Command1
};

class AboutBox {
 public:
  explicit AboutBox(const AboutBoxDesign& design);

  // mnuAbout_Click: shows the box without blocking the main window; a box
  // already shown comes to the front as it is.
  void Show();
  void Form_Load();
  void OK_Click();

  forms::Form& Form() { return form_; }

 private:
  forms::Form form_;
};

// The two programs' about boxes.
const AboutBoxDesign& GravelightAboutDesign();
const AboutBoxDesign& MournlightAboutDesign();

}  // namespace placeinfo
