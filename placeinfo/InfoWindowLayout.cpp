#include "placeinfo/InfoWindowLayout.h"

#include "browser/core/TextEditMenu.h"

namespace placeinfo {

namespace {

using forms::ControlKind;
using forms::ControlSpec;
using K = forms::ControlKind;

// The three thumbnails and their buttons stand in three columns.
constexpr float kColumnLeft[] = {5400, 7560, 9720};
constexpr float kColumnWidth = 2055;

// The frame of the hidden working controls lies below the client area.
constexpr const char* kWorkFrame = "Frame1";

ControlSpec Hidden(const char* name, ControlKind kind, const char* caption, float left, float top,
                   float width, float height) {
  return {.name = name, .kind = kind, .container = kWorkFrame, .caption = caption,
          .left = left, .top = top, .width = width, .height = height, .visible = false};
}

void AddPictures(std::vector<ControlSpec>& c) {
  c.push_back({.name = "Picture1Viewer", .kind = K::PictureBox,
               .left = 5400, .top = 0, .width = 6375, .height = 5175});
  c.push_back({.name = "Image1", .kind = K::Image, .container = "Picture1Viewer",
               .left = 2640, .top = 2280, .width = 855, .height = 735, .stretch = true});
  static constexpr const char* kButtons[] = {"CMD_ViewImage1", "CMD_ViewImage2",
                                             "CMD_ViewImage3"};
  static constexpr const char* kButtonCaptions[] = {"Image 1", "Image 2", "Image 3"};
  for (int i = 0; i < 3; ++i)
    c.push_back({.name = kButtons[i], .kind = K::CommandButton, .caption = kButtonCaptions[i],
                 .left = kColumnLeft[i], .top = 5280, .width = kColumnWidth, .height = 375});
  // Thumbnails 1, 2 and 3.
  static constexpr const char* kBoxes[] = {"Picture5Viewer", "Picture2Viewer", "Picture3Viewer"};
  static constexpr const char* kViews[] = {"Image5", "Image2", "Image3"};
  static constexpr float kViewLeft[] = {600, 600, 720};
  static constexpr float kViewTop[] = {480, 600, 600};
  for (int i = 0; i < 3; ++i) {
    c.push_back({.name = kBoxes[i], .kind = K::PictureBox, .left = kColumnLeft[i], .top = 5640,
                 .width = kColumnWidth, .height = 1695});
    c.push_back({.name = kViews[i], .kind = K::Image, .container = kBoxes[i],
                 .left = kViewLeft[i], .top = kViewTop[i], .width = 855, .height = 735,
                 .stretch = true});
  }
}

void AddWorkingControls(std::vector<ControlSpec>& c, const InfoWindowDesign& d) {
  c.push_back({.name = kWorkFrame, .kind = K::Frame, .caption = "Frame1",
               .left = 9240, .top = 9120, .width = 3615, .height = 2895});
  c.push_back(Hidden("CMD_Select_Data", K::CommandButton, "Select", 2400, 2400, 975, 375));
  c.push_back(Hidden("Text2", K::TextBox, "Text2", 1200, 240, 1095, 285));
  c.push_back(Hidden("Text2_12", K::TextBox, "Text2_12", 1200, 600, 1095, 285));
  c.push_back(Hidden("Text2_13", K::TextBox, "Text2_13", 1200, 960, 1095, 285));
  c.push_back(Hidden("Text12", K::TextBox, "Text2", 1200, 1320, 1095, 285));
  static constexpr const char* kNameBoxTexts[] = {"CemPicText1", "Text3", "Text3"};
  for (int i = 0; i < 3; ++i)
    c.push_back(Hidden(d.nameBoxes[i], K::TextBox, kNameBoxTexts[i], 2400, 240 + 360 * i, 1095,
                       285));
  // Holders of pictures 1, 2 and 3 at their natural size, and the source
  // of "no picture".
  static constexpr const char* kHolders[] = {"orgImage1", "orgImage2", "orgImage3"};
  for (int i = 0; i < 3; ++i)
    c.push_back(Hidden(kHolders[i], K::Image, "", 120, 360.0f * i, 375, 375));
  c.push_back(Hidden("Image4", K::Image, "", 0, 1560, 495, 495));
}

}  // namespace

forms::FormSpec InfoWindowForm(const InfoWindowDesign& d) {
  return {.name = d.formName, .caption = d.caption, .scaleWidth = d.scaleWidth,
          .scaleHeight = d.scaleHeight, .borderStyle = 3 /* fixed dialog */};
}

std::vector<ControlSpec> InfoWindowControls(const InfoWindowDesign& d) {
  std::vector<ControlSpec> c;
  c.push_back({.name = d.textBox, .kind = K::MultiLineTextBox, .caption = d.designText,
               .left = 120, .top = 0, .width = 5175, .height = 7335,
               .scrollBars = forms::kScrollVertical});
  AddPictures(c);
  c.push_back({.name = "CMD_ShowStreetMap", .kind = K::CommandButton,
               .caption = "Show Street Map", .left = 240, .top = 7440, .width = 1695,
               .height = 375});
  c.push_back({.name = "Label1", .kind = K::Label,
               .caption = "Requires GPS Coordinates and Internet Connection",
               .left = 2040, .top = 7560, .width = 4095, .height = 255});
  c.push_back({.name = "CMD_Finished", .kind = K::CommandButton, .caption = "OK",
               .left = 10200, .top = 7440, .width = 1695, .height = 495});
  AddWorkingControls(c, d);
  if (d.copyAndTextMenu) {
    c.push_back({.name = "Picture2", .kind = K::PictureBox, .left = 10680, .top = 8520,
                 .width = 855, .height = 495, .visible = false});
    browser::AddTextEditMenuDesign(c);
    c.push_back(forms::MenuSpec("mnuPopup1", "Popup1", "", false));
    c.push_back(forms::MenuSpec("mnuCopy1", "Copy", "mnuPopup1"));
  }
  return c;
}

}  // namespace placeinfo
