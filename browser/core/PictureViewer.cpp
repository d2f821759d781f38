#include "browser/core/PictureViewer.h"

#include "browser/core/SearchTexts.h"

namespace browser {

using namespace forms;

namespace {

// A folder on the path is missing: the fall-back name is shown instead.
constexpr int kFallbackResult = vb::err::PathNotFound;
constexpr int kMinimumShownNameLength = 5;
constexpr int kMinimumButtonNameLength = 8;

}  // namespace

PictureViewer::PictureViewer(Form& form, PictureViewerSettings settings)
    : form_(form), settings_(std::move(settings)) {}

void PictureViewer::WireEvents() {
  const PictureViewerControls& c = settings_.controls;
  C<TextBox>(c.nameBoxes[0]).OnChange = [this] { PicText1_Change(); };
  C<TextBox>(c.nameBoxes[1]).OnChange = [this] { PicText2_Change(); };
  C<TextBox>(c.nameBoxes[2]).OnChange = [this] { PicText3_Change(); };
  for (int n = 1; n <= 3; ++n)
    C<CommandButton>(c.viewButtons[n - 1]).OnClick = [this, n] { ViewImage_Click(n); };
  C<Image>(c.image).OnMouseDown = [this](int button, int shift, float x, float y) {
    Image1_MouseDown(button, shift, x, y);
  };
  C<Menu>(c.copyItem).OnClick = [this] { mnuCopy1_Click(); };
}

void PictureViewer::SetNavigationEnabled(vb::ErrorTrap& trap, bool enabled) {
  for (const QString& button : settings_.controls.navigationButtons)
    trap([&] { C<CommandButton>(button).SetEnabled(enabled); });
}

// Loads the picture named in nameBox; a missing folder switches picture 1 to
// the fall-back name, whose own change then shows it.
void PictureViewer::ShowNamedPicture(vb::ErrorTrap& trap, const QString& nameBox) {
  const PictureViewerControls& c = settings_.controls;
  QString path;
  int32_t result = 0;
  trap([&] {
    path = PicturePath(C<TextBox>(c.dataFolder).Text(), settings_.pictureFolder,
                       C<TextBox>(nameBox).Text());
  });
  trap([&] { result = MySizeImage1(path); });
  if (result == kFallbackResult) {
    trap([&] { C<TextBox>(c.nameBoxes[0]).SetText(QString::fromUtf16(kFallbackPictureName)); });
    result = 0;
  }
  SetNavigationEnabled(trap, true);
}

void PictureViewer::PicText1_Change() {
  const PictureViewerControls& c = settings_.controls;
  auto trap = settings_.errorPolicy.Trap("PICText1_Change");
  replaced_ = false;
  trap.Run([&] {
    SetNavigationEnabled(trap, false);
    qsizetype length = 0;
    trap([&] { length = C<TextBox>(c.nameBoxes[0]).Text().length(); });
    if (length >= kMinimumShownNameLength) {
      ShowNamedPicture(trap, c.nameBoxes[0]);
    } else {
      SetNavigationEnabled(trap, true);
      trap([&] { C<Image>(c.image).SetPicture(C<Image>(c.placeholder).Picture()); });
    }
  });
}

void PictureViewer::PicText2_Change() { EnableViewButton(2, "PICText2_Change"); }
void PictureViewer::PicText3_Change() { EnableViewButton(3, "PICText3_Change"); }

// Picture button n is enabled when its name has 8 or more characters.
void PictureViewer::EnableViewButton(int n, const char* procedure) {
  const PictureViewerControls& c = settings_.controls;
  auto trap = settings_.errorPolicy.Trap(procedure);
  trap.Run([&] {
    trap([&] {
      C<CommandButton>(c.viewButtons[n - 1])
          .SetEnabled(C<TextBox>(c.nameBoxes[n - 1]).Text().length() >= kMinimumButtonNameLength);
    });
  });
}

void PictureViewer::ShowPlaceholder() {
  const PictureViewerControls& c = settings_.controls;
  C<Image>(c.image).SetPicture(C<Image>(c.placeholder).Picture());
  replaced_ = true;
}

void PictureViewer::ShowPicture1IfReplaced() {
  if (replaced_) PicText1_Change();
}

void PictureViewer::ViewImage_Click(int n) {
  const PictureViewerControls& c = settings_.controls;
  auto trap = settings_.errorPolicy.Trap(c.viewButtons[n - 1] + "_Click");
  // Set first: a fall-back to "A99.JPG" shows picture 1 again, nested.
  replaced_ = n != 1;
  trap.Run([&] {
    SetNavigationEnabled(trap, false);
    ShowNamedPicture(trap, c.nameBoxes[n - 1]);
  });
}

// Every step is guarded: a failing step is skipped without a message. A
// load that fails leaves orgImage1 with the last picture that loaded; the
// viewer then shows the placeholder, fitted like any picture, so that a
// record never shows another record's picture.
int32_t PictureViewer::MySizeImage1(const QString& PicturePath) {
  const PictureViewerControls& c = settings_.controls;
  int32_t result = 0;
  auto trap = settings_.errorPolicy.Trap("MySizeImage1");
  trap.Run([&] {
    trap.ResumeNext();
    Picture shown;
    float W = 0, H = 0;
    try {
      C<Image>(c.original).SetPicture(LoadPicture(PicturePath));
    } catch (const vb::VbError& error) {
      result = error.Number();
    }
    if (result == 0) {
      trap([&] {
        const Image& original = C<Image>(c.original);
        W = original.Width();
        H = original.Height();
        shown = original.Picture();
      });
    } else {
      trap([&] {
        shown = C<Image>(c.placeholder).Picture();
        W = shown.WidthTwips();
        H = shown.HeightTwips();
      });
    }
    trap([&] {
      FitPicture(trap, C<Image>(c.image), C<PictureBox>(c.viewer), W, H,
                 SquarePicture::NaturalSize);
    });
    trap([&] { C<Image>(c.image).SetPicture(shown); });
  });
  return result;
}

void PictureViewer::Image1_MouseDown(int Button, int, float, float) {
  if (Button == vbRightButton) form_.PopupMenu(C<Menu>(settings_.controls.popupMenu));
}

// With no picture shown yet there is nothing to copy: the clipboard keeps
// what it holds and no message claims otherwise.
void PictureViewer::mnuCopy1_Click() {
  const PictureViewerControls& c = settings_.controls;
  auto trap = settings_.errorPolicy.Trap("mnuCopy1_Click");
  trap.Run([&] {
    bool hasPicture = false;
    trap([&] { hasPicture = !C<Image>(c.image).Picture().IsEmpty(); });
    if (!hasPicture) return;
    trap([&] { host().ClipboardClear(); });
    trap([&] { C<PictureBox>(c.clipboardCarrier).SetPicture(C<Image>(c.image).Picture()); });
    trap([&] { host().ClipboardSetImage(C<PictureBox>(c.clipboardCarrier).Picture().Image()); });
    trap([&] {
      MsgBox(kPictureCopied);
    });
  });
}

}  // namespace browser
