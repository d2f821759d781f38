#pragma once
// A viewer program's main(): the application with its standard font, the
// command line, the program's identity, the desktop host, and its main
// window shown and run until the program ends.
#include "browser/core/MainWindowDesign.h"
#include "platform/forms/DefaultFont.h"
#include "platform/forms/GuiHost.h"
#include "platform/forms/Host.h"
#include "platform/win/Win.h"

#include <QApplication>
#include <memory>

namespace browser {

template <class MainWindow>
int RunViewer(int argc, char** argv, void (*setIdentity)(), const MainWindowLayout& layout) {
  QApplication app(argc, argv);
  forms::UseStandardFont(app);
  win::SetProgramArguments(argc, argv);
  setIdentity();
  forms::SetHost(std::make_unique<forms::GuiHost>());
  MainWindow window(layout);
  forms::DispatchEvent([&] { window.Form().Show(); });
  return forms::RunEventLoop();
}

}  // namespace browser
