#pragma once
// The record's pictures in a main window's viewer box: the picture path, the
// load with its "A99.JPG" fall-back, the fit-and-centre rule, the built-in
// placeholder picture, the three picture buttons and the "Copy" of the shown
// picture to the clipboard. Both main windows run this with their own
// control names, picture folder and error policy.
#include "platform/forms/Forms.h"
#include "platform/vb/ErrorTrap.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace browser {

// The picture name that replaces one whose folder does not exist.
inline constexpr char16_t kFallbackPictureName[] = u"A99.JPG";

// The built-in placeholder: 480 x 640 pixels, 24 bits, pale yellow (red 255,
// green 255, blue 128) with "NO PICTURE" in black at its centre. Made once.
const forms::Picture& PlaceholderPicture();

// Data folder (ending in "\") + picture folder + picture name, as they are.
QString PicturePath(const QString& dataFolder, const QString& pictureFolder,
                    const QString& pictureName);

// The controls of a window that take part; the names that both main windows
// share are preset, the buttons differ.
struct PictureViewerControls {
  QString viewer = QStringLiteral("Picture1Viewer");  // its outer size is the fit box
  QString image = QStringLiteral("Image1");           // the shown picture, stretched
  QString original = QStringLiteral("orgImage1");     // last loaded picture, natural size
  QString placeholder = QStringLiteral("Image2");     // holds the placeholder picture
  QString clipboardCarrier = QStringLiteral("Picture2");
  QString dataFolder = QStringLiteral("DataPathText");
  QString popupMenu = QStringLiteral("mnuPopup1");
  std::array<QString, 3> nameBoxes = {QStringLiteral("PicText1"), QStringLiteral("PicText2"),
                                      QStringLiteral("PicText3")};
  std::array<QString, 3> viewButtons;        // pictures 1, 2, 3
  std::array<QString, 4> navigationButtons;  // First, Prev, Next, Last
};

// The handler of a procedure for errors outside the guarded load; an empty
// handler when the window's procedures have none (the error then travels to
// the caller, and from an event to the platform's error message).
using PictureErrorPolicy = std::function<vb::ErrorHandler(const QString& procedure)>;

struct PictureViewerSettings {
  PictureViewerControls controls;
  QString pictureFolder;  // "KESTRO\", "IMAGES\"
  PictureErrorPolicy errorPolicy;
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
  // Loads the picture at the path, fits the viewer's image to it and shows
  // it; the load's error number, 0 when it loaded.
  int32_t MySizeImage1(const QString& PicturePath);
  void Image1_MouseDown(int Button, int Shift, float X, float Y);
  void mnuCopy1_Click();

  const PictureViewerSettings& Settings() const { return settings_; }

 private:
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  vb::ErrorTrap Trap(const char* procedure) const;
  void SetNavigationEnabled(vb::ErrorTrap& trap, bool enabled);
  void EnableViewButton(int n, const char* procedure);
  void ShowNamedPicture(vb::ErrorTrap& trap, const QString& nameBox);
  void FitImage(vb::ErrorTrap& trap, float W, float H);

  forms::Form& form_;
  PictureViewerSettings settings_;
};

}  // namespace browser
