#pragma once
// Timings of the cemetery viewer's real main window on the benchmark's CD.
#include "bench/GravelightCd.h"
#include "bench/GravelightWindow.h"

#include <memory>
#include <vector>

namespace bench {

class WindowBench {
 public:
  // `rows`: the records the CD's database holds.
  WindowBench(GravelightCd cd, int rows);

  // Seconds from the start of Form_Load to the first record shown with its
  // picture, on a new window whose database the engine has not read yet:
  // each run gives the file a modification time of its own, as the cold
  // select-all does. The window stays for the steps.
  double FirstRecordSeconds();

  // Milliseconds of each Next click that shows a record with a 3000 x 2000
  // picture (kPictureSteps of them), on the window of the last
  // FirstRecordSeconds run; clicks to records without a picture are not
  // counted.
  std::vector<double> StepWithPictureMilliseconds();

  // Milliseconds of `runs` Next clicks onto the record after those steps
  // with a picture, the CD's 8000 x 6000 one; a Prev click (not counted)
  // leaves it before each.
  std::vector<double> StepWithLargePictureMilliseconds(int runs);

 private:
  // Milliseconds of the Next click that reaches the next record naming a
  // picture; clicks onto records without one are not counted.
  double StepToPictureMilliseconds();

  GravelightCd cd_;
  int rows_;
  int coldRuns_ = 0;
  std::unique_ptr<GravelightWindow> window_;
};

}  // namespace bench
