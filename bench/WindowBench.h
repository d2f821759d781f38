#pragma once
// Timings of a viewer's real main window on the benchmark's CD. Each ends
// when the window has painted what it shows (see PaintWatch.h).
#include "bench/ViewerCd.h"
#include "bench/ViewerWindow.h"

#include <memory>
#include <vector>

namespace bench {

class WindowBench {
 public:
  // `rows`: the records the CD's database holds.
  WindowBench(ViewerCd cd, int rows);

  // Seconds from the start of Form_Load to the first record shown with its
  // picture, painted, on a new window whose database the engine has not
  // read yet: each run gives the file a modification time of its own, as
  // the cold select-all does (for the obituary file, whose connections
  // share nothing, this makes any check the engine keeps per file run
  // again). The file stays in the system's page cache, as a CD does once
  // read. The window stays for the later figures.
  double FirstRecordSeconds();

  // Milliseconds of each Next click that shows a record with a 3000 x 2000
  // picture, to the picture painted (kPictureSteps of them), on the window
  // of the last FirstRecordSeconds run; clicks to records without a picture
  // are not counted.
  std::vector<double> StepWithPictureMilliseconds();

  // Milliseconds of `runs` Next clicks onto the record after those steps
  // with a picture, the cemetery CD's 8000 x 6000 one, to the picture
  // painted; a Prev click (not counted) leaves it before each.
  std::vector<double> StepWithCameraPictureMilliseconds(int runs);

  // The window of the last FirstRecordSeconds run.
  ViewerWindow& Window();

 private:
  // Milliseconds of the Next click that reaches the next record naming a
  // picture, to its picture painted; clicks onto records without one are
  // not counted.
  double StepToPictureMilliseconds();

  ViewerCd cd_;
  int rows_;
  int coldRuns_ = 0;
  std::unique_ptr<ViewerWindow> window_;
};

// The picture view of a main window, whose paint ends a figure.
inline const QString kPictureView = QStringLiteral("Image1");

}  // namespace bench
