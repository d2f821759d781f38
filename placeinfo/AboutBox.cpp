#include "placeinfo/AboutBox.h"

#include "platform/forms/Buttons.h"
#include "platform/forms/FormBuilder.h"

#include <vector>

namespace placeinfo {

using namespace forms;

namespace {

using K = ControlKind;

// The design's font sizes are those of the platform's 8.25-point sans serif;
// they are drawn in the standard font, whose 8 points stand for 8.25.
constexpr double Points(double designPoints) { return designPoints * 8.0 / 8.25; }

// The maker's details.
constexpr const char* kRightsNotice = "Copyright (c) 2026 Lantern Row Software. All rights reserved.";
constexpr const char* kContactAddress = "support@gravelight.example";
constexpr const char* kWebSite = "www.gravelight.example";

std::vector<ControlSpec> AboutControls(const AboutBoxDesign& d) {
  return {
      {.name = "Label2", .kind = K::Label, .caption = d.program,
       .left = 1560, .top = 240, .width = 2655, .height = 615},
      {.name = "Label3", .kind = K::Label, .caption = d.versionText,
       .left = 1560, .top = 1080, .width = 2895, .height = 375, .fontSize = Points(9.75)},
      {.name = "Label1", .kind = K::Label, .caption = kRightsNotice,
       .left = 840, .top = 840, .width = 4575, .height = 375, .fontSize = Points(8.25)},
      {.name = "Label4", .index = 0, .kind = K::Label, .caption = kContactAddress,
       .left = 1080, .top = 1800, .width = 4095, .height = 375, .fontSize = Points(9.75)},
      {.name = "Label4", .index = 1, .kind = K::Label, .caption = kWebSite,
       .left = 1200, .top = 2040, .width = 3375, .height = 375, .fontSize = Points(9.75)},
      {.name = "Label4", .index = 2, .kind = K::Label, .caption = d.readsText,
       .left = d.readsLeft, .top = 2520, .width = d.readsWidth, .height = 615,
       .fontSize = Points(9.75)},
      {.name = d.okButton, .kind = K::CommandButton, .caption = "OK",
       .left = 4440, .top = 3240, .width = 1215, .height = 555, .fontSize = Points(8.25)},
  };
}

}  // namespace

const AboutBoxDesign& GravelightAboutDesign() {
  static const AboutBoxDesign design{
      .formName = "frmGravelightAbout", .program = "Gravelight", .scaleWidth = 5805,
      .versionText = "Version 3.0.0002 - d3.6",
      .readsText = "This version reads databases through data versions 3.x",
      .readsLeft = 240, .readsWidth = 5415, .okButton = "CMD_OK"};
  return design;
}

const AboutBoxDesign& MournlightAboutDesign() {
  static const AboutBoxDesign design{
      .formName = "FRMMournlightAbout", .program = "Mournlight", .scaleWidth = 6015,
      .versionText = "Version 1.0.0000 -  SQ 3.4.0",
      .readsText = "This version reads obituary databases through data versions 1.x",
      .readsLeft = 120, .readsWidth = 5895, .okButton = "Command1"};
  return design;
}

AboutBox::AboutBox(const AboutBoxDesign& design) : form_(QString::fromLatin1(design.formName)) {
  const FormSpec spec{.name = design.formName, .caption = design.program,
                      .scaleWidth = design.scaleWidth, .scaleHeight = 3870,
                      .fontSize = Points(24)};
  BuildForm(form_, spec, AboutControls(design));
  form_.OnLoad = [this] { Form_Load(); };
  form_.Get<CommandButton>(QString::fromLatin1(design.okButton)).OnClick = [this] { OK_Click(); };
}

void AboutBox::Show() { form_.Show(); }

void AboutBox::Form_Load() { form_.CenterOnScreen(); }

void AboutBox::OK_Click() { form_.Unload(); }

}  // namespace placeinfo
