#include "browser/PictureViewer.h"

#include <QFont>
#include <QPainter>

namespace browser {

using namespace forms;

namespace {

constexpr int kFallbackResult = 76;  // Path not found: a folder on the path is missing
constexpr int kMinimumShownNameLength = 5;
constexpr int kMinimumButtonNameLength = 8;

QImage DrawPlaceholder() {
  QImage image(480, 640, QImage::Format_RGB888);
  image.fill(QColor(255, 255, 128));
  QPainter painter(&image);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(48);
  font.setBold(true);
  // Plain black on yellow: no blended edge colours.
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("NO PICTURE"));
  return image;
}

}  // namespace

const Picture& PlaceholderPicture() {
  static const Picture placeholder(DrawPlaceholder());
  return placeholder;
}

QString PicturePath(const QString& dataFolder, const QString& pictureFolder,
                    const QString& pictureName) {
  return dataFolder + pictureFolder + pictureName;
}

PictureViewer::PictureViewer(Form& form, PictureViewerSettings settings)
    : form_(form), settings_(std::move(settings)) {}

vb::ErrorTrap PictureViewer::Trap(const char* procedure) const {
  vb::ErrorHandler handler;
  if (settings_.errorPolicy) handler = settings_.errorPolicy(QString::fromLatin1(procedure));
  vb::ErrorTrap trap(handler);
  if (!handler) trap.GoTo0();
  return trap;
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
  auto trap = Trap("PICText1_Change");
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
  auto trap = Trap(procedure);
  trap.Run([&] {
    trap([&] {
      C<CommandButton>(c.viewButtons[n - 1])
          .SetEnabled(C<TextBox>(c.nameBoxes[n - 1]).Text().length() >= kMinimumButtonNameLength);
    });
  });
}

void PictureViewer::ViewImage_Click(int n) {
  const PictureViewerControls& c = settings_.controls;
  const QByteArray procedure = (c.viewButtons[n - 1] + "_Click").toLatin1();
  auto trap = Trap(procedure.constData());
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
  auto trap = Trap("MySizeImage1");
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
    FitImage(trap, W, H);
    trap([&] { C<Image>(c.image).SetPicture(shown); });
  });
  return result;
}

// Fits the viewer's image to the picture's natural size W x H (twips): an
// upright picture takes the box's height, a wide one its width, a square one
// keeps its natural size; then it is centred, overhanging where it must.
// Each quotient is multiplied on unrounded; only results are stored.
void PictureViewer::FitImage(vb::ErrorTrap& trap, float W, float H) {
  const PictureViewerControls& c = settings_.controls;
  const auto image = [&]() -> Image& { return C<Image>(c.image); };
  const auto viewer = [&]() -> PictureBox& { return C<PictureBox>(c.viewer); };
  if (H > W) {
    trap([&] { image().SetHeight(viewer().Height()); });
    trap([&] { image().SetWidth(ToSingle(double(image().Height()) / H * W)); });
  } else if (H < W) {
    trap([&] { image().SetWidth(viewer().Width()); });
    trap([&] { image().SetHeight(ToSingle(double(image().Width()) / W * H)); });
  } else {
    trap([&] { image().SetHeight(H); });
    trap([&] { image().SetWidth(W); });
  }
  trap([&] { image().SetTop(ToSingle((double(viewer().Height()) - image().Height()) / 2.0)); });
  trap([&] { image().SetLeft(ToSingle((double(viewer().Width()) - image().Width()) / 2.0)); });
}

void PictureViewer::Image1_MouseDown(int Button, int, float, float) {
  if (Button == vbRightButton) form_.PopupMenu(C<Menu>(settings_.controls.popupMenu));
}

// With no picture shown yet there is nothing to copy: the clipboard keeps
// what it holds and no message claims otherwise.
void PictureViewer::mnuCopy1_Click() {
  const PictureViewerControls& c = settings_.controls;
  auto trap = Trap("mnuCopy1_Click");
  trap.Run([&] {
    bool hasPicture = false;
    trap([&] { hasPicture = !C<Image>(c.image).Picture().IsEmpty(); });
    if (!hasPicture) return;
    trap([&] { host().ClipboardClear(); });
    trap([&] { C<PictureBox>(c.clipboardCarrier).SetPicture(C<Image>(c.image).Picture()); });
    trap([&] { host().ClipboardSetImage(C<PictureBox>(c.clipboardCarrier).Picture().Image()); });
    trap([&] {
      MsgBox("Image is now on the clipboard and can be pasted into your photo editing "
             "software or documents");
    });
  });
}

}  // namespace browser
