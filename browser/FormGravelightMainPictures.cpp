// The record's pictures in the viewer, and the clipboard copy.
#include "browser/FormGravelightMain.h"

#include "support/GlobErrorModule.h"

namespace browser {

using namespace forms;

PictureViewerSettings FormGravelightMain::PictureSettings() {
  PictureViewerSettings settings;
  settings.controls.viewButtons = {QStringLiteral("CMD_ViewImage1"),
                                   QStringLiteral("CMD_ViewImage2"),
                                   QStringLiteral("CMD_ViewImage3")};
  settings.controls.navigationButtons = {
      QStringLiteral("CMD_MoveFirst"), QStringLiteral("CMD_MovePrev"),
      QStringLiteral("CMD_MoveNext"), QStringLiteral("CMD_MoveLast")};
  settings.pictureFolder = QStringLiteral("KESTRO\\");
  settings.errorPolicy = [](const QString& procedure) {
    return GlobErrorModule::LogErrorHandler(procedure, QStringLiteral("FormGravelightMain"));
  };
  return settings;
}

void FormGravelightMain::WirePictureEvents() {
  C<TextBox>("PicText1").OnChange = [this] { PicText1_Change(); };
  C<TextBox>("PicText2").OnChange = [this] { PicText2_Change(); };
  C<TextBox>("PicText3").OnChange = [this] { PicText3_Change(); };
  C<CommandButton>("CMD_ViewImage1").OnClick = [this] { CMD_ViewImage1_Click(); };
  C<CommandButton>("CMD_ViewImage2").OnClick = [this] { CMD_ViewImage2_Click(); };
  C<CommandButton>("CMD_ViewImage3").OnClick = [this] { CMD_ViewImage3_Click(); };
  C<Image>("Image1").OnMouseDown = [this](int button, int shift, float x, float y) {
    Image1_MouseDown(button, shift, x, y);
  };
  C<Menu>("mnuCopy1").OnClick = [this] { mnuCopy1_Click(); };
}

void FormGravelightMain::PicText1_Change() { pictures_.PicText1_Change(); }
void FormGravelightMain::PicText2_Change() { pictures_.PicText2_Change(); }
void FormGravelightMain::PicText3_Change() { pictures_.PicText3_Change(); }
void FormGravelightMain::CMD_ViewImage1_Click() { pictures_.ViewImage_Click(1); }
void FormGravelightMain::CMD_ViewImage2_Click() { pictures_.ViewImage_Click(2); }
void FormGravelightMain::CMD_ViewImage3_Click() { pictures_.ViewImage_Click(3); }

int32_t FormGravelightMain::MySizeImage1(const QString& PicturePath) {
  return pictures_.MySizeImage1(PicturePath);
}

void FormGravelightMain::Image1_MouseDown(int Button, int Shift, float X, float Y) {
  pictures_.Image1_MouseDown(Button, Shift, X, Y);
}

void FormGravelightMain::mnuCopy1_Click() { pictures_.mnuCopy1_Click(); }

}  // namespace browser
