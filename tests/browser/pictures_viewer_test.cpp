// The picture viewer on a window of other control names, its own picture
// folder and either error policy: with a handler per procedure, or none.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "browser/core/PictureViewer.h"

#include <QBuffer>
#include <QDir>

namespace {

struct Reported {
  QString procedure;
  int number;
  bool operator==(const Reported&) const = default;
};

}  // namespace

class PictureViewerTest : public GravelightTest {
 protected:
  // A window like the obituary viewer's, without its first navigation button.
  void Build() {
    window_ = std::make_unique<forms::Form>("FRMTestMain");
    forms::Form& form = *window_;
    auto& viewer = form.Add<forms::PictureBox>("Picture1Viewer");
    viewer.Move(0, 0, 6015, 5175);
    form.Add<forms::Image>("Image1", &viewer).SetStretch(true);
    form.Add<forms::Image>("orgImage1");
    form.Add<forms::Image>("Image2").SetPicture(browser::PlaceholderPicture());
    form.Add<forms::PictureBox>("Picture2");
    form.Add<forms::TextBox>("DataPathText").SetText(Win(DataFolder()) + "\\");
    for (const char* box : {"PicText1", "PicText2", "PicText3"}) form.Add<forms::TextBox>(box);
    for (const char* button : {"Command3", "Command4", "Command5", "Command9", "Command10",
                               "Command11"})
      form.Add<forms::CommandButton>(button);
  }
  browser::PictureViewerSettings Settings(ErrorPolicy policy) {
    browser::PictureViewerSettings settings;
    settings.controls.viewButtons = {"Command9", "Command10", "Command11"};
    settings.controls.navigationButtons = {"Command2", "Command3", "Command4", "Command5"};
    settings.pictureFolder = "IMAGES\\";
    settings.errorPolicy = std::move(policy);
    return settings;
  }
  // The procedure and error number of each error dialog since `from`,
  // answered with Ignore.
  std::vector<Reported> ReportedSince(size_t from) {
    std::vector<Reported> reported;
    const auto& boxes = Host().MessageBoxes();
    for (size_t i = from; i < boxes.size(); ++i) {
      const QString& prompt = boxes[i].prompt;
      const int process = prompt.indexOf("Process: ") + 9;
      reported.push_back({prompt.mid(process, prompt.indexOf('.', process) - process),
                          prompt.section(' ', 1, 1).toInt()});
    }
    return reported;
  }
  std::unique_ptr<forms::Form> window_;
};

TEST_F(PictureViewerTest, HandlerPolicyAnswersErrorsOutsideTheLoad) {
  Build();
  forms::Form& form = *window_;
  for (int i = 0; i < 4; ++i) Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  browser::PictureViewer viewer(form, Settings(ErrorPolicy::ErrorLog("FRMTestMain")));
  QDir(DataFolder()).mkpath("IMAGES");
  WriteFile(DataFolder() + "/IMAGES/church.png", [] {
    QImage image(30, 20, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
  }());
  form.Get<forms::TextBox>("PicText1").SetText("church.png");
  viewer.PicText1_Change();
  // Disabling and enabling the missing button fail; the load itself never reports.
  EXPECT_EQ(ReportedSince(0),
            std::vector<Reported>({{"PICText1_Change", 730}, {"PICText1_Change", 730}}));
  EXPECT_EQ(form.Get<forms::Image>("Image1").Picture().Image().size(), QSize(30, 20));
  EXPECT_TRUE(form.Get<forms::CommandButton>("Command5").Enabled());

  form.Get<forms::TextBox>("PicText2").SetText("no-such-picture.png");
  viewer.ViewImage_Click(2);
  EXPECT_EQ(ReportedSince(2),
            std::vector<Reported>({{"Command10_Click", 730}, {"Command10_Click", 730}}));
  EXPECT_EQ(form.Get<forms::Image>("Image1").Picture().Image().cacheKey(),
            browser::PlaceholderPicture().Image().cacheKey());
}

TEST_F(PictureViewerTest, WithoutHandlersAnErrorReachesTheCaller) {
  Build();
  forms::Form& form = *window_;
  browser::PictureViewer viewer(form, Settings(ErrorPolicy::Untrapped()));
  form.Get<forms::TextBox>("PicText1").SetText("church.png");
  try {
    viewer.PicText1_Change();
    FAIL() << "no error";
  } catch (const vb::VbError& error) {
    EXPECT_EQ(error.Number(), 730);
  }
  // The load stays guarded: it gives its error number back.
  EXPECT_EQ(viewer.MySizeImage1(Win(DataFolder()) + "\\IMAGES\\church.png"), 76);
}
