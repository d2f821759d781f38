#include "tests/testkit/windows/Application.h"

#include <QApplication>

namespace testkit {

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "viewer-test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace testkit
