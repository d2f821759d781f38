#pragma once
// A Qt application, a scripted test host and a recording pop-up menu
// presenter for the forms tests.
#include "platform/forms/Forms.h"
#include "platform/forms/TestHost.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/Printing.h"
#include "tests/testkit/windows/Application.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace formstest {

using testkit::EnsureApplication;

class FormsTest : public ::testing::Test {
 protected:
  // Set up in the constructor, so that fixtures may hold forms as members.
  FormsTest();
  ~FormsTest() override;

  forms::TestHost* host_ = nullptr;
  std::vector<forms::Menu*> popups_;  // menus shown by Form::PopupMenu
};

// Runs `statement` and returns the run-time error number it raised (0: none).
using testutil::ErrorOf;

}  // namespace formstest
