#include "bench/WindowBench.h"

#include "bench/Figures.h"
#include "bench/LargeFiles.h"
#include "platform/vb/Conversions.h"

#include <stdexcept>
#include <string>

namespace bench {

namespace {

std::string Describe(QSize size) {
  return std::to_string(size.width()) + " x " + std::to_string(size.height());
}

void RequirePicture(const GravelightWindow& window, QSize expected, const char* where) {
  if (window.ShownPictureSize() == expected) return;
  throw std::runtime_error(std::string("the viewer shows a picture of ") +
                           Describe(window.ShownPictureSize()) + " pixels " + where +
                           ", not the " + Describe(expected) + " of the CD");
}

}  // namespace

WindowBench::WindowBench(GravelightCd cd, int rows) : cd_(std::move(cd)), rows_(rows) {}

double WindowBench::FirstRecordSeconds() {
  window_.reset();  // releases the previous run's database and selection
  GiveNewModificationTime(cd_.database, ++coldRuns_);
  window_ = std::make_unique<GravelightWindow>(cd_.programFolder, cd_.launchFile);
  const double seconds = Seconds([this] { window_->Show(); });
  window_->RequireNoMessages("while loading");
  if (vb::Val(window_->DatabaseVersion()) < 3)
    throw std::runtime_error("the viewer read database version " +
                             window_->DatabaseVersion().toStdString() + ", not 3");
  if (window_->RecordsSelected() != rows_)
    throw std::runtime_error("the viewer selected " + std::to_string(window_->RecordsSelected()) +
                             " records, not " + std::to_string(rows_));
  RequirePicture(*window_, kFirstRecordPictureSize, "on the first record");
  return seconds;
}

double WindowBench::StepToPictureMilliseconds() {
  if (!window_) throw std::logic_error("no window shown for the steps");
  for (;;) {
    if (!window_->CanMoveNext()) throw std::runtime_error("the steps reached the last record");
    const double seconds = Seconds([this] { window_->MoveNext(); });
    if (window_->NamesPicture()) return seconds * 1000;
  }
}

std::vector<double> WindowBench::StepWithPictureMilliseconds() {
  std::vector<double> steps;
  while (static_cast<int>(steps.size()) < kPictureSteps) {
    steps.push_back(StepToPictureMilliseconds());
    RequirePicture(*window_, kStepPictureSize, "after a step");
  }
  window_->RequireNoMessages("while stepping");
  return steps;
}

std::vector<double> WindowBench::StepWithLargePictureMilliseconds(int runs) {
  std::vector<double> steps;
  for (int i = 0; i < runs; ++i) {
    if (i > 0) window_->MovePrev();
    steps.push_back(StepToPictureMilliseconds());
    RequirePicture(*window_, kLargePictureSize, "after a step onto the large picture");
  }
  window_->RequireNoMessages("while stepping onto the large picture");
  return steps;
}

}  // namespace bench
