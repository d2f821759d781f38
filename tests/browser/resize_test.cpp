// Resizing the main window: every control keeps its place and size in
// proportion to the window's inner size; minimizing rescales nothing.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "platform/forms/UserActions.h"
#include "platform/vb/VbError.h"

#include <cmath>
#include <optional>

namespace {

// A control's Left, Top, Width and Height where it has them.
struct Geometry {
  QString name;
  std::optional<double> value[4];
};

const char* const kProperties[4] = {"Left", "Top", "Width", "Height"};

std::vector<Geometry> Layout(const forms::Form& form) {
  std::vector<Geometry> layout;
  for (const auto& control : form.Controls()) {
    Geometry g{control->ObjectName(), {}};
    for (int p = 0; p < 4; ++p) {
      try {
        g.value[p] = control->GetProperty(kProperties[p]).ToDouble();
      } catch (const vb::VbError&) {
      }
    }
    layout.push_back(g);
  }
  return layout;
}

// Each property of `after` equals the one of `before` times its ratio, to
// within the rounding of a Single.
void ExpectScaled(const std::vector<Geometry>& before, const std::vector<Geometry>& after,
                  double rx, double ry) {
  ASSERT_EQ(before.size(), after.size());
  const double ratio[4] = {rx, ry, rx, ry};
  for (size_t i = 0; i < before.size(); ++i)
    for (int p = 0; p < 4; ++p) {
      const auto& b = before[i].value[p];
      const auto& a = after[i].value[p];
      ASSERT_EQ(b.has_value(), a.has_value()) << before[i].name.toStdString();
      if (!b) continue;
      const double expected = *b * ratio[p];
      EXPECT_NEAR(*a, expected, 1e-4 * std::max(1.0, std::abs(expected)))
          << before[i].name.toStdString() << "." << kProperties[p];
    }
}

}  // namespace

class ResizeTest : public GravelightTest {
 protected:
  void SetUp() override {
    GravelightTest::SetUp();
    WriteDatabase({Sheet1({Burial("Smith", "Ann"), Burial("Jones", "Bo")}),
                   Versht(QString("3.0"), QString("0"))});
    Start(WriteLaunchFile("cem.mdb"));
    ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
    width_ = Form().ScaleWidth();
    height_ = Form().ScaleHeight();
    original_ = Layout(Form());
  }
  forms::Form& Form() { return Window().Form(); }

  float width_ = 0, height_ = 0;
  std::vector<Geometry> original_;
};

TEST_F(ResizeTest, LoadSetsTheBaselineAndTheFirstResizeChangesNothing) {
  EXPECT_EQ(Window().OldScaleWidth(), width_);
  EXPECT_EQ(Window().OldScaleHeight(), height_);
  ExpectScaled(original_, Layout(Form()), 1, 1);
}

TEST_F(ResizeTest, WiderWindowScalesLeftAndWidthOnly) {
  forms::user::Resize(Form(), width_ * 4 / 3, height_);
  const float newWidth = Form().ScaleWidth();
  ASSERT_NE(newWidth, width_);
  ASSERT_EQ(Form().ScaleHeight(), height_);
  ExpectScaled(original_, Layout(Form()), double(newWidth) / width_, 1);
  EXPECT_EQ(Window().OldScaleWidth(), newWidth);
  EXPECT_EQ(Window().OldScaleHeight(), height_);
  // Menus have no place or size and are skipped.
  EXPECT_THROW(MenuItem("mnuChooseDataCDDrive").GetProperty("Left"), vb::VbError);
}

TEST_F(ResizeTest, MinimizeRescalesNothingAndRestoreKeepsTheLayout) {
  forms::user::SetWindowState(Form(), forms::vbMinimized);
  ASSERT_EQ(Form().WindowState(), forms::vbMinimized);
  ExpectScaled(original_, Layout(Form()), 1, 1);
  EXPECT_EQ(Window().OldScaleWidth(), width_);
  EXPECT_EQ(Window().OldScaleHeight(), height_);
  forms::user::SetWindowState(Form(), forms::vbNormal);
  ExpectScaled(original_, Layout(Form()), 1, 1);
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(ResizeTest, VerySmallAndBackKeepsTheLayoutAndTheWindowWorking) {
  forms::user::Resize(Form(), 120, 90);
  const double rx = Form().ScaleWidth() / double(width_), ry = Form().ScaleHeight() / double(height_);
  ExpectScaled(original_, Layout(Form()), rx, ry);
  forms::user::Resize(Form(), width_, height_);
  ASSERT_EQ(Form().ScaleWidth(), width_);
  ASSERT_EQ(Form().ScaleHeight(), height_);
  ExpectScaled(original_, Layout(Form()), 1, 1);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  forms::user::Click(Button("CMD_MoveNext"));
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "2");
}

// Dragged down to nothing but the caption and menu bar: nothing is scaled to
// an inner height of 0, so the layout survives and no error follows.
TEST_F(ResizeTest, NoInnerHeightRescalesNothingAndTheWayBackWorks) {
  forms::user::Resize(Form(), width_ / 2, 0);
  ASSERT_EQ(Form().ScaleHeight(), 0);
  ExpectScaled(original_, Layout(Form()), 1, 1);
  EXPECT_EQ(Window().OldScaleHeight(), height_);
  forms::user::Resize(Form(), width_, height_ / 2);
  ExpectScaled(original_, Layout(Form()), 1, Form().ScaleHeight() / double(height_));
  forms::user::Resize(Form(), width_, height_);
  ExpectScaled(original_, Layout(Form()), 1, 1);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}
