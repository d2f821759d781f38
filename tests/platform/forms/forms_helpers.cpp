#include "forms_helpers.h"

#include <QApplication>

namespace formstest {

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "forms_test";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

FormsTest::FormsTest() {
  EnsureApplication();
  auto testHost = std::make_unique<forms::TestHost>();
  host_ = testHost.get();
  forms::SetHost(std::move(testHost));
  forms::SetAppTitle(QStringLiteral("Gravelight"));
  forms::SetPopupMenuPresenter([this](forms::Menu& menu) { popups_.push_back(&menu); });
}

FormsTest::~FormsTest() { forms::SetPopupMenuPresenter(nullptr); }


}  // namespace formstest
