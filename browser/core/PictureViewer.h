#pragma once
// The record's pictures in a main window's viewer box: the picture path, the
// load with its "A99.JPG" fall-back, the fit, the placeholder picture, the
// three picture buttons and the "Copy" of the shown picture to the
// clipboard. Both main windows run this with their own control names,
// picture folder and error policy.
#include "browser/core/PictureFit.h"
#include "browser/core/SharedControlNames.h"
#include "platform/forms/Forms.h"
#include "support/ErrorPolicy.h"

#include <QString>
#include <array>
#include <cstdint>

namespace browser {

// The controls of a window that take part; the names that both main windows
// share are preset, the buttons differ.
struct PictureViewerControls {
  QString viewer = shared::kViewer;  // its outer size is the fit box
  QString image = shared::kImage;    // the shown picture, stretched
  QString original = shared::kOriginal;  // last loaded picture, natural size
  QString placeholder = shared::kPlaceholder;  // holds the placeholder picture
  QString clipboardCarrier = shared::kClipboardCarrier;
  QString dataFolder = shared::kDataFolder;
  QString popupMenu = shared::kPicturePopup;
  QString copyItem;  // the pop-up's "Copy"
  std::array<QString, 3> nameBoxes = {shared::kPictureNames[0], shared::kPictureNames[1],
                                      shared::kPictureNames[2]};
  std::array<QString, 3> viewButtons;        // pictures 1, 2, 3
  std::array<QString, 4> navigationButtons;  // First, Prev, Next, Last
};

struct PictureViewerSettings {
  PictureViewerControls controls;
  QString pictureFolder;  // "KESTRO\", "IMAGES\"
  // Where errors outside the guarded load go.
  ErrorPolicy errorPolicy = ErrorPolicy::Untrapped();
};

class PictureViewer {
 public:
  PictureViewer(forms::Form& form, PictureViewerSettings settings);

  // The name-changed actions of the three picture-name boxes.
  void PicText1_Change();
  void PicText2_Change();
  void PicText3_Change();
  // The picture buttons: show picture 1, 2 or 3 (n = 1 .. 3).
  void ViewImage_Click(int n);
  // A search's first step: the placeholder in the viewer, not fitted.
  void ShowPlaceholder();
  // The record loader's step after it has set the picture names: when a
  // search or a picture button has replaced what the viewer shows and
  // picture 1's name did not change (so its change action did not run),
  // picture 1 is shown again. Between records with one picture-1 name the
  // viewer is left as it is.
  void ShowPicture1IfReplaced();
  // Loads the picture at the path, fits the viewer's image to it and shows
  // it; the load's error number, 0 when it loaded.
  int32_t MySizeImage1(const QString& PicturePath);
  void Image1_MouseDown(int Button, int Shift, float X, float Y);
  void mnuCopy1_Click();

  // Wires the name boxes, buttons, image and menu item to the above.
  void WireEvents();

  const PictureViewerSettings& Settings() const { return settings_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  void SetNavigationEnabled(vb::ErrorTrap& trap, bool enabled);
  void EnableViewButton(int n, const char* procedure);
  void ShowNamedPicture(vb::ErrorTrap& trap, const QString& nameBox);

  forms::Form& form_;
  PictureViewerSettings settings_;
  // The viewer shows something else than picture 1 of the name box: the
  // placeholder of a search, or picture 2 or 3.
  bool replaced_ = false;
};

}  // namespace browser
