#include "placeinfo/InfoPictures.h"

#include "browser/core/PictureFit.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Containers.h"
#include "platform/forms/Host.h"
#include "platform/forms/Image.h"
#include "platform/forms/Menu.h"
#include "platform/forms/TextBox.h"

namespace placeinfo {

using namespace forms;

namespace {

// A name this long or longer names a picture; shorter ones load nothing.
constexpr qsizetype kMinimumNameLength = 5;

constexpr const char* kNoPicture = "Image4";  // never given a picture

}  // namespace

InfoPictures::InfoPictures(Form& form, std::array<QString, 3> nameBoxes, PictureSource source,
                           ErrorPolicy policy, bool withCopy)
    : form_(form),
      nameBoxes_(std::move(nameBoxes)),
      source_(std::move(source)),
      policy_(std::move(policy)),
      withCopy_(withCopy) {}

void InfoPictures::WireEvents() {
  C<TextBox>(nameBoxes_[0]).OnChange = [this] { NameBox1_Change(); };
  C<TextBox>(nameBoxes_[1]).OnChange = [this] { NameBox2_Change(); };
  C<TextBox>(nameBoxes_[2]).OnChange = [this] { NameBox3_Change(); };
  C<Image>("Image1").OnClick = [this] { Image1_Click(); };
  C<Image>("Image5").OnClick = [this] { Image5_Click(); };
  C<Image>("Image2").OnClick = [this] { Image2_Click(); };
  C<Image>("Image3").OnClick = [this] { Image3_Click(); };
  C<CommandButton>("CMD_ViewImage1").OnClick = [this] { CMD_ViewImage1_Click(); };
  C<CommandButton>("CMD_ViewImage2").OnClick = [this] { CMD_ViewImage2_Click(); };
  C<CommandButton>("CMD_ViewImage3").OnClick = [this] { CMD_ViewImage3_Click(); };
  if (!withCopy_) return;
  C<Image>("Image1").OnMouseDown = [this](int button, int shift, float x, float y) {
    Image1_MouseDown(button, shift, x, y);
  };
  C<Menu>("mnuCopy1").OnClick = [this] { mnuCopy1_Click(); };
}

// ---- Names and paths ---------------------------------------------------------------

// Picture 1's box first takes the large view's picture away, whatever the
// new name; then a name of 5 or more characters loads its picture, with every
// error of the load skipped.
void InfoPictures::NameBox1_Change() {
  C<Image>("Image1").SetPicture(C<Image>(kNoPicture).Picture());
  NameBoxChange(1, nullptr);
}

void InfoPictures::NameBox2_Change() {
  NameBoxChange(2, (nameBoxes_[1] + "_Change").toLatin1().constData());
}

void InfoPictures::NameBox3_Change() {
  NameBoxChange(3, (nameBoxes_[2] + "_Change").toLatin1().constData());
}

// `procedure` names the box's own error answer; nullptr: none before the load.
void InfoPictures::NameBoxChange(int n, const char* procedure) {
  vb::ErrorTrap trap = procedure ? policy_.Trap(procedure) : ErrorPolicy::Untrapped().Trap("");
  trap.Run([&] {
    QString name;
    trap([&] { name = C<TextBox>(nameBoxes_[n - 1]).Text(); });
    if (name.length() < kMinimumNameLength) return;
    QString path;
    trap([&] { path = browser::PicturePath(source_.dataFolder(), source_.pictureFolder, name); });
    trap.ResumeNext();
    switch (n) {
      case 1: trap([&] { MySizeImage1(path); }); break;
      case 2: trap([&] { MySizeImage2(path); }); break;
      case 3: trap([&] { MySizeImage3(path); }); break;
    }
  });
}

// ---- Loading and fitting -----------------------------------------------------------

bool InfoPictures::MySizeImage1(const QString& PicturePath) {
  if (!LoadAndFit("MySizeImage1", {"orgImage1", "Image1", "Picture1Viewer"}, PicturePath))
    return false;
  MySizeImage5();
  return true;
}

bool InfoPictures::MySizeImage2(const QString& PicturePath) {
  return LoadAndFit("MySizeImage2", {"orgImage2", "Image2", "Picture2Viewer"}, PicturePath);
}

bool InfoPictures::MySizeImage3(const QString& PicturePath) {
  return LoadAndFit("MySizeImage3", {"orgImage3", "Image3", "Picture3Viewer"}, PicturePath);
}

// The view hides, the holder loses its picture (keeping its size), and when
// the file exists the picture loads with every error skipped; then the fit.
bool InfoPictures::LoadAndFit(const char* procedure, const Slot& slot, const QString& path) {
  bool done = false;
  auto trap = policy_.Trap(procedure);
  trap.Run([&] {
    trap([&] { C<Image>(slot.view).SetVisible(false); });
    trap([&] { C<Image>(slot.holder).SetPicture(C<Image>(kNoPicture).Picture()); });
    bool exists = false;
    trap([&] {
      QString p = path;
      exists = source_.fileExists(p);
    });
    if (exists) {
      trap.ResumeNext();
      trap([&] { C<Image>(slot.holder).SetPicture(LoadPicture(path)); });
      trap([&] { C<Image>(slot.holder).Refresh(); });
    }
    Fit(trap, slot);
    done = true;
  });
  return done;
}

// Thumbnail 1 takes the large view's picture, just fitted, through its holder,
// which measures it again.
bool InfoPictures::MySizeImage5() {
  bool done = false;
  auto trap = policy_.Trap("MySizeImage5");
  trap.Run([&] {
    trap([&] { C<Image>("Image5").SetVisible(false); });
    trap([&] { C<Image>("orgImage1").SetPicture(C<Image>("Image1").Picture()); });
    Fit(trap, {"orgImage1", "Image5", "Picture5Viewer"});
    done = true;
  });
  return done;
}

// The holder's natural size fitted into the box: a square counts as upright.
void InfoPictures::Fit(vb::ErrorTrap& trap, const Slot& slot) {
  float W = 0, H = 0;
  trap([&] {
    W = C<Image>(slot.holder).Width();
    H = C<Image>(slot.holder).Height();
  });
  trap([&] {
    browser::FitPicture(trap, C<Image>(slot.view), C<PictureBox>(slot.box), W, H,
                        browser::SquarePicture::Upright);
  });
  trap([&] { C<Image>(slot.view).SetPicture(C<Image>(slot.holder).Picture()); });
  trap([&] { C<Image>(slot.view).SetVisible(true); });
}

// ---- The large view -----------------------------------------------------------------

bool InfoPictures::ShowInLargeView(const char* procedure, const char* holder) {
  bool done = false;
  auto trap = policy_.Trap(procedure);
  trap.Run([&] {
    trap([&] { C<Image>("Image1").SetVisible(false); });
    Fit(trap, {holder, "Image1", "Picture1Viewer"});
    done = true;
  });
  return done;
}

bool InfoPictures::Image1_Click() { return ShowInLargeView("Image1_Click", "orgImage1"); }
bool InfoPictures::Image5_Click() { return ShowInLargeView("Image5_Click", "orgImage1"); }
bool InfoPictures::Image2_Click() { return ShowInLargeView("Image2_Click", "orgImage2"); }
bool InfoPictures::Image3_Click() { return ShowInLargeView("Image3_Click", "orgImage3"); }

// ---- Clipboard ----------------------------------------------------------------------

bool InfoPictures::Image1_MouseDown(int Button, int, float, float) {
  bool done = false;
  auto trap = policy_.Trap("Image1_MouseDown");
  trap.Run([&] {
    if (Button == vbRightButton) trap([&] { form_.PopupMenu(C<Menu>("mnuPopup1")); });
    done = true;
  });
  return done;
}

// The large view's picture at its natural resolution. With no picture shown
// the cleared clipboard stays empty; the message follows in any case.
bool InfoPictures::mnuCopy1_Click() {
  bool done = false;
  auto trap = policy_.Trap("mnuCopy1_Click");
  trap.Run([&] {
    trap([&] { host().ClipboardClear(); });
    trap([&] { C<PictureBox>("Picture2").SetPicture(C<Image>("Image1").Picture()); });
    trap([&] {
      const Picture& picture = C<PictureBox>("Picture2").Picture();
      if (!picture.IsEmpty()) host().ClipboardSetImage(picture.Image());
    });
    trap([&] {
      MsgBox("Image is now on the clipboard and can be pasted into your photo editing "
             "software or documents");
    });
    done = true;
  });
  return done;
}

}  // namespace placeinfo
