#pragma once
// The three pictures of an information window: a large view and three
// thumbnails. A change of a picture name box loads that picture from the
// picture folder under the main window's data folder into its holder (an
// image at the picture's natural size) and fits it into its view; a click on
// a thumbnail, its button or the large view shows a holder's picture in the
// large view; the large view's pop-up "Copy" puts its picture on the
// clipboard. A square picture counts as upright here.
#include "platform/forms/Form.h"
#include "support/ErrorPolicy.h"

#include <QString>
#include <array>
#include <functional>

namespace placeinfo {

// What the pictures need of the main window that opened the information
// window: its data folder (ending in "\") and its file test.
struct PictureSource {
  std::function<QString()> dataFolder;
  std::function<bool(QString&)> fileExists;
  QString pictureFolder;  // "KESTRO\", "IMAGES\"
};

class InfoPictures {
 public:
  InfoPictures(forms::Form& form, std::array<QString, 3> nameBoxes, PictureSource source,
               ErrorPolicy policy, bool withCopy);

  void WireEvents();

  // The name boxes' change actions (CemPicText1_Change ...).
  void NameBox1_Change();
  void NameBox2_Change();
  void NameBox3_Change();
  // Loading and fitting; each returns True when it ran to its end.
  bool MySizeImage1(const QString& PicturePath);
  bool MySizeImage2(const QString& PicturePath);
  bool MySizeImage3(const QString& PicturePath);
  bool MySizeImage5();
  // Showing a holder's picture in the large view.
  bool Image1_Click();
  bool Image5_Click();
  bool Image2_Click();
  bool Image3_Click();
  void CMD_ViewImage1_Click() { Image5_Click(); }
  void CMD_ViewImage2_Click() { Image2_Click(); }
  void CMD_ViewImage3_Click() { Image3_Click(); }
  bool Image1_MouseDown(int Button, int Shift, float X, float Y);
  bool mnuCopy1_Click();

 private:
  // One slot: the holder, the view and the view's box.
  struct Slot {
    const char* holder;
    const char* view;
    const char* box;
  };
  template <class T>
  T& C(const QString& name) const { return form_.Get<T>(name); }
  void NameBoxChange(int n, const char* procedure);
  bool LoadAndFit(const char* procedure, const Slot& slot, const QString& path);
  bool ShowInLargeView(const char* procedure, const char* holder);
  void Fit(vb::ErrorTrap& trap, const Slot& slot);

  forms::Form& form_;
  std::array<QString, 3> nameBoxes_;
  PictureSource source_;
  ErrorPolicy policy_;
  bool withCopy_;
};

}  // namespace placeinfo
