#include "bench/ViewerFigures.h"

#include "bench/Figures.h"
#include "bench/GravelightActions.h"
#include "bench/PaintWatch.h"
#include "bench/WindowBench.h"

#include <QImageReader>
#include <QPlainTextEdit>
#include <chrono>
#include <stdexcept>

namespace bench {

namespace {

const QString kSelectAllButton = QStringLiteral("CMD_SelectAll");
// The information window's views: the large one and the three thumbnails.
const QStringList kInfoViews = {"Image1", "Image5", "Image2", "Image3"};

// What the information window shows once it is loaded: its text and the
// size of each picture file it names.
struct InfoShown {
  QString text;
  QStringList pictures;
};

void RequireInfo(const InfoShown& shown, const QString& cemetery, const ViewerCd& cd) {
  if (!shown.text.startsWith("Cemetery: " + cemetery))
    throw std::runtime_error("the information window shows another cemetery than " +
                             cemetery.toStdString());
  if (shown.pictures.size() != 3)
    throw std::runtime_error("the information window has no pictures");
  for (const QString& name : shown.pictures) {
    const QString path = QString::fromStdString(cd.pictureFolder + "/") + name;
    if (QImageReader(path).size() != kLargePictureSize)
      throw std::runtime_error("the information window's picture " + name.toStdString() +
                               " is not a 3000 x 2000 picture of the CD");
  }
}

}  // namespace

std::vector<double> NameSearchMilliseconds(ViewerWindow& window, int runs) {
  PrepareNameSearch(window);
  std::vector<double> samples;
  int found = -1;
  for (int i = 0; i < runs; ++i) {
    window.Click(kSelectAllButton);
    FinishPendingEvents();
    PaintWatch watch(window.Name(), {kPictureView});
    samples.push_back(1000 * Seconds([&] {
      window.Click(kNameSearchButton);
      watch.WaitForPaint();
    }));
    window.RequireNoMessages("on the name search");
    if (window.NamesPicture()) window.RequirePicture(kStonePictureSize, "on the name search");
    if (!ShownLastName(window).startsWith(kNameSearchFinds) ||
        (found >= 0 && window.RecordsSelected() != found))
      throw std::runtime_error("the name search shows " + ShownLastName(window).toStdString() +
                               " of " + std::to_string(window.RecordsSelected()) + " records");
    found = window.RecordsSelected();
  }
  return samples;
}

std::vector<double> CemInfoOpenMilliseconds(ViewerWindow& window, const ViewerCd& cd, int runs) {
  window.Click(kSelectAllButton);
  const QString cemetery =
      window.Form().Get<forms::TextBox>("txtfields", browser::box::Cemetery).Text();
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    FinishPendingEvents();
    PaintWatch watch(kCemInfoWindow, kInfoViews);
    InfoShown shown;
    std::chrono::steady_clock::time_point shownAt;
    const auto start = std::chrono::steady_clock::now();
    ShowCemeteryInformation(window, [&](QWidget& info) {
      watch.WaitForPaint();
      shownAt = std::chrono::steady_clock::now();
      if (const auto* text = info.findChild<const QPlainTextEdit*>("CemInfo_Text"))
        shown.text = text->toPlainText();
      shown.pictures = InfoPictureNames(info);
    });
    RequireInfo(shown, cemetery, cd);
    samples.push_back(std::chrono::duration<double, std::milli>(shownAt - start).count());
  }
  return samples;
}

std::vector<double> ObitTextBuildMicroseconds(ViewerWindow& window, int runs) {
  forms::TextBox& box = window.Form().Get<forms::TextBox>("MournlightText");
  const QString shown = box.Text();
  FinishPendingEvents();
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    // The box is emptied first (not timed), as a record's text replaces
    // another's: a rebuild that gives the text the box already holds
    // leaves the box alone and would not measure showing it.
    box.SetText(QString());
    samples.push_back(1e6 * Seconds([&] { window.Click("Command13"); }));
    if (box.Text() != shown)
      throw std::runtime_error("the rebuilt obituary text differs from the one shown");
  }
  FinishPendingEvents();
  window.RequireNoMessages("while rebuilding the text");
  return samples;
}

}  // namespace bench
