#include "bench/WindowBench.h"

#include "bench/Figures.h"
#include "bench/LargeFiles.h"
#include "bench/PaintWatch.h"
#include "platform/vb/Conversions.h"
#include "tools/democd/Cemetery.h"
#include "tools/democd/Obituary.h"

#include <chrono>
#include <stdexcept>
#include <string>

namespace bench {

namespace {

// The database version the generated file holds.
double FileVersion(Viewer viewer) {
  return vb::Val(QString::fromLatin1(viewer == Viewer::Gravelight ? democd::kCemeteryDbVersion
                                                                   : democd::kObituaryDbVersion));
}

}  // namespace

WindowBench::WindowBench(ViewerCd cd, int rows) : cd_(std::move(cd)), rows_(rows) {}

double WindowBench::FirstRecordSeconds() {
  window_.reset();  // releases the previous run's database and selection
  FinishPendingEvents();
  GiveNewModificationTime(cd_.database, ++coldRuns_);
  window_ = std::make_unique<ViewerWindow>(cd_.viewer, cd_.programFolder, cd_.launchFile);
  PaintWatch watch(window_->Name(), {kPictureView});
  const double seconds = Seconds([&] {
    window_->Show();
    watch.WaitForPaint();
  });
  window_->RequireNoMessages("while loading");
  if (vb::Val(window_->DatabaseVersion()) != FileVersion(cd_.viewer))
    throw std::runtime_error("the viewer read database version " +
                             window_->DatabaseVersion().toStdString() + ", not the file's");
  if (window_->RecordsSelected() != rows_)
    throw std::runtime_error("the viewer selected " + std::to_string(window_->RecordsSelected()) +
                             " records, not " + std::to_string(rows_));
  window_->RequirePicture(FirstRecordPictureSize(cd_.viewer), "on the first record");
  return seconds;
}

double WindowBench::StepToPictureMilliseconds() {
  ViewerWindow& window = Window();
  for (;;) {
    if (!window.CanMoveNext()) throw std::runtime_error("the steps reached the last record");
    FinishPendingEvents();
    PaintWatch watch(window.Name(), {kPictureView});
    const auto start = std::chrono::steady_clock::now();
    window.MoveNext();
    // A step between two records without a picture changes no picture and
    // paints none; such steps are not counted anyway.
    if (!window.NamesPicture()) continue;
    watch.WaitForPaint();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
  }
}

std::vector<double> WindowBench::StepWithPictureMilliseconds() {
  std::vector<double> steps;
  while (static_cast<int>(steps.size()) < kPictureSteps) {
    steps.push_back(StepToPictureMilliseconds());
    Window().RequirePicture(kLargePictureSize, "after a step");
  }
  Window().RequireNoMessages("while stepping");
  return steps;
}

std::vector<double> WindowBench::StepWithCameraPictureMilliseconds(int runs) {
  std::vector<double> steps;
  for (int i = 0; i < runs; ++i) {
    if (i > 0) Window().MovePrev();
    steps.push_back(StepToPictureMilliseconds());
    Window().RequirePicture(kCameraPictureSize, "after a step onto the camera picture");
  }
  Window().RequireNoMessages("while stepping onto the camera picture");
  return steps;
}

ViewerWindow& WindowBench::Window() {
  if (!window_) throw std::logic_error("no window shown yet");
  return *window_;
}

}  // namespace bench
