// Mournlight: the obituary viewer.
#include "apps/mournlight/MournlightIdentity.h"
#include "apps/mournlight/MournlightMainLayout.h"
#include "obituary/FRMMournlightMain.h"
#include "platform/forms/DefaultFont.h"
#include "platform/forms/GuiHost.h"
#include "platform/forms/Host.h"
#include "platform/win/Win.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  forms::UseStandardFont(app);
  win::SetProgramArguments(argc, argv);
  mournlight::SetProgramIdentity();
  forms::SetHost(std::make_unique<forms::GuiHost>());

  obituary::FRMMournlightMain window(mournlight::FRMMournlightMainForm(),
                                     mournlight::FRMMournlightMainControls());
  forms::DispatchEvent([&] { window.Form().Show(); });
  return forms::RunEventLoop();
}
