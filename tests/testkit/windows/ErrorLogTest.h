#pragma once
// A test whose program folder (where the error log is written) is a
// temporary folder and whose message boxes a test host answers from a script.
#include "platform/forms/TestHost.h"
#include "platform/win/Win.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace testutil {

class ErrorLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    win::SetAppPathForTesting(win::ToWindowsPath(folder.path()));
    auto owned = std::make_unique<forms::TestHost>();
    h = owned.get();
    forms::SetHost(std::move(owned));
  }
  void TearDown() override { forms::SetHost(nullptr); }

  const forms::MessageBoxRequest& Box(size_t i) const { return h->MessageBoxes().at(i); }

  QTemporaryDir folder;
  forms::TestHost* h = nullptr;
};

}  // namespace testutil
