// Proportional resizing of a window's controls.
#include "support/MODResizeControls.h"

#include "platform/forms/Forms.h"
#include "platform/forms/TestHost.h"
#include "platform/forms/UserActions.h"
#include "tests/testkit/Errors.h"
#include "tests/testkit/windows/Application.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

using testutil::ErrorOf;

// The product as the module forms it: Single value times Single ratio in
// double precision, stored as a Single.
float Scaled(float value, float ratio) {
  return static_cast<float>(static_cast<double>(value) * static_cast<double>(ratio));
}

// The application and the host come first, before the fixture's form.
struct WithTestHost {
  WithTestHost() {
    testkit::EnsureApplication();
    auto testHost = std::make_unique<TestHost>();
    host_ = testHost.get();
    SetHost(std::move(testHost));
  }
  TestHost* host_ = nullptr;
};

class ResizeTest : public ::testing::Test, protected WithTestHost {
 protected:

  // A small main window: a menu, a file dialog, a button, a frame with a
  // button inside and a frame parked far to the left.
  void Build() {
    form_.SetClientSize(9000, 6000);
    Menu& file = form_.AddMenu("filemnu", "&File");
    form_.AddMenu("mnuChooseDataCDDrive", "&Open", &file);
    dialog_ = &form_.Add<CommonDialog>("CommonDialog1");
    dialog_->SetLeft(120);
    dialog_->SetTop(8400);
    form_.Add<CommandButton>("CMD_SelectAll").Move(1200, 600, 1500, 495);
    Frame& frame = form_.Add<Frame>("ImageNavigation_Frame");
    frame.Move(0, 5160, 6015, 855);
    form_.Add<CommandButton>("CMD_ViewImage2", &frame).Move(2280, 240, 1455, 495);
    form_.Add<Frame>("LocationSearch_Frame").Move(-73250, 0, 5295, 1575);
  }

  WindowControl& At(const char* name) { return form_.Get<WindowControl>(name); }

  Form form_{"FormGravelightMain"};
  CommonDialog* dialog_ = nullptr;
};

TEST_F(ResizeTest, ProbesFindWhatEachControlCanChange) {
  Build();
  struct Case {
    const char* name;
    int16_t position, size;
  };
  const Case cases[] = {
      {"filemnu", 0, 0}, {"mnuChooseDataCDDrive", 0, 0}, {"CommonDialog1", 3, 0},
      {"CMD_SelectAll", 3, 3}, {"CMD_ViewImage2", 3, 3},
  };
  for (const Case& c : cases) {
    Control& control = form_.Controls().Item(c.name);
    EXPECT_EQ(MODResizeControls::GetPositionFlags(control), c.position) << c.name;
    EXPECT_EQ(MODResizeControls::GetSizeFlags(control), c.size) << c.name;
  }
  Control& menu = form_.Controls().Item("filemnu");
  EXPECT_EQ(MODResizeControls::CanSetWidth(At("CMD_SelectAll")), -1);
  EXPECT_EQ(MODResizeControls::CanSetWidth(menu), 0);
  EXPECT_EQ(MODResizeControls::CanSetLeft(menu), vb::Variant(false));
  EXPECT_EQ(MODResizeControls::CanSetHeight(At("CMD_SelectAll")), vb::Variant(true));
  EXPECT_EQ(At("CMD_SelectAll").Width(), 1500.f);  // written back unchanged
}

TEST_F(ResizeTest, AThirdWiderScalesLeftAndWidthAndBackAgain) {
  Build();
  float oldWidth = form_.ScaleWidth(), oldHeight = form_.ScaleHeight();
  form_.SetClientSize(12000, 6000);
  MODResizeControls::ResizeControls(form_, oldWidth, oldHeight);
  EXPECT_EQ(oldWidth, 12000.f);
  EXPECT_EQ(oldHeight, 6000.f);

  const float rx = static_cast<float>(12000.0 / 9000.0);
  EXPECT_EQ(At("CMD_SelectAll").Left(), Scaled(1200, rx));
  EXPECT_EQ(At("CMD_SelectAll").Width(), Scaled(1500, rx));
  EXPECT_EQ(At("CMD_SelectAll").Top(), 600.f);
  EXPECT_EQ(At("CMD_SelectAll").Height(), 495.f);
  EXPECT_EQ(At("CMD_ViewImage2").Left(), Scaled(2280, rx));  // inside its frame, same ratio
  EXPECT_EQ(At("ImageNavigation_Frame").Top(), 5160.f);
  EXPECT_EQ(At("LocationSearch_Frame").Left(), Scaled(-73250, rx));  // parked ones too
  EXPECT_EQ(dialog_->Left(), Scaled(120, rx));
  EXPECT_EQ(dialog_->Top(), 8400.f);

  form_.SetClientSize(9000, 6000);
  MODResizeControls::ResizeControls(form_, oldWidth, oldHeight);
  EXPECT_NEAR(At("CMD_SelectAll").Left(), 1200.f, 1e-3);
  EXPECT_NEAR(At("CMD_ViewImage2").Width(), 1455.f, 1e-3);
  EXPECT_NEAR(At("LocationSearch_Frame").Left(), -73250.f, 1e-2);
  EXPECT_EQ(oldWidth, 9000.f);
}

TEST_F(ResizeTest, FailuresReachTheCaller) {
  Build();
  float oldWidth = 0, oldHeight = 6000;
  EXPECT_EQ(ErrorOf([&] { MODResizeControls::ResizeControls(form_, oldWidth, oldHeight); }), 11);
  EXPECT_EQ(oldWidth, 0.f);  // nothing updated
  form_.SetClientSize(0, 6000);
  EXPECT_EQ(ErrorOf([&] { MODResizeControls::ResizeControls(form_, oldWidth, oldHeight); }), 6);

  At("CMD_SelectAll").SetLeft(3e38f);
  form_.SetClientSize(12000, 6000);
  oldWidth = 9000;
  EXPECT_EQ(ErrorOf([&] { MODResizeControls::ResizeControls(form_, oldWidth, oldHeight); }), 6);
  EXPECT_EQ(oldWidth, 9000.f);
}

TEST_F(ResizeTest, TheWindowsResizeHandlerSkipsWhileMinimized) {
  Build();
  float oldScaleWidth = 0, oldScaleHeight = 0;
  form_.OnLoad = [&] {
    oldScaleWidth = form_.ScaleWidth();
    oldScaleHeight = form_.ScaleHeight();
  };
  int runs = 0;
  form_.OnResize = [&] {
    if (form_.WindowState() == vbMinimized) return;
    ++runs;
    MODResizeControls::ResizeControls(form_, oldScaleWidth, oldScaleHeight);
  };
  form_.Show();  // the first Resize finds the load-time size: nothing moves
  EXPECT_EQ(At("CMD_SelectAll").Left(), 1200.f);
  user::SetWindowState(form_, vbMinimized);
  user::SetWindowState(form_, vbNormal);
  EXPECT_EQ(At("CMD_SelectAll").Left(), 1200.f);
  EXPECT_EQ(runs, 2);

  user::Resize(form_, 12000, 6000);
  EXPECT_EQ(At("CMD_SelectAll").Left(), Scaled(1200, static_cast<float>(12000.0 / 9000.0)));
  EXPECT_EQ(oldScaleWidth, 12000.f);

  // An error in the user's resize ends the program with the platform's message.
  oldScaleWidth = 0;
  user::Resize(form_, 12000, 7000);
  ASSERT_EQ(host_->MessageBoxes().size(), 1u);
  EXPECT_EQ(host_->MessageBoxes()[0].prompt.toStdString(),
            "Run-time error '11':\r\n\r\nDivision by zero");
  EXPECT_EQ(host_->EndProgramCount(), 1);
}

}  // namespace
