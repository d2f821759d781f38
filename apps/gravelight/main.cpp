// Gravelight: the cemetery transcription viewer.
#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "browser/FormGravelightMain.h"
#include "platform/forms/DefaultFont.h"
#include "platform/forms/GuiHost.h"
#include "platform/forms/Host.h"
#include "platform/win/Win.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  forms::UseStandardFont(app);
  win::SetProgramArguments(argc, argv);
  gravelight::SetProgramIdentity();
  forms::SetHost(std::make_unique<forms::GuiHost>());

  browser::FormGravelightMain window(gravelight::FormGravelightMainForm(),
                                     gravelight::FormGravelightMainControls());
  forms::DispatchEvent([&] { window.Form().Show(); });
  return forms::RunEventLoop();
}
