#include "forms_helpers.h"

namespace formstest {

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
