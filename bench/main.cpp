// The benchmark: reads the large cemetery .mdb and obituary .db that
// gl-bench-files wrote into a folder, and starts both viewers' main windows
// on their CDs there; prints one line per figure, "NAME VALUE UNIT", each
// the median of several runs in this process (a figure above its target is
// named on standard error as well).
//
//   gl-bench <folder> [rows] [runs]      (defaults: 100000 rows, 5 runs)
#include "bench/CemeteryBench.h"
#include "bench/ExportFloor.h"
#include "bench/Figures.h"
#include "bench/LargeFiles.h"
#include "bench/ObituaryBench.h"
#include "bench/OffscreenApplication.h"
#include "bench/ViewerCd.h"
#include "bench/ViewerFigures.h"
#include "bench/WindowBench.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

struct Options {
  std::string folder;
  int rows = 100000;
  int runs = 5;
};

Options ParseOptions(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s <folder> [rows] [runs]\n", argv[0]);
    std::exit(2);
  }
  Options options;
  options.folder = argv[1];
  if (argc > 2) options.rows = std::atoi(argv[2]);
  if (argc > 3) options.runs = std::atoi(argv[3]);
  if (options.rows < 1 || options.runs < 1) {
    std::fprintf(stderr, "%s: rows and runs must be positive\n", argv[0]);
    std::exit(2);
  }
  return options;
}

// Obituary text rebuilds timed one by one for their median.
constexpr int kTextBuilds = 201;

std::vector<bench::Figure> Measure(const Options& options) {
  using bench::Median;
  using bench::Viewer;
  const bench::LargeFiles files = bench::ExistingLargeFiles(options.folder, options.rows);
  const bench::ViewerCd gravelightCd =
      bench::ExistingViewerCd(Viewer::Gravelight, options.folder, options.rows);
  const bench::ViewerCd mournlightCd =
      bench::ExistingViewerCd(Viewer::Mournlight, options.folder, options.rows);
  bench::CemeteryBench cemetery(files.cemetery, options.folder);

  // One cold open first, then the work a viewer does on that one copy, so
  // that the peak memory is a viewer's: the later cold opens load a new copy
  // while the cache still holds the previous one.
  std::vector<double> cold{cemetery.ColdSelectAllSeconds()};
  std::vector<double> readerPeaks{cemetery.ReaderPeakMegabytes()};
  std::vector<double> warm;
  for (int i = 0; i < options.runs; ++i) warm.push_back(cemetery.WarmSelectAllSeconds());
  std::vector<double> rowReads;
  for (int i = 0; i < 3; ++i) rowReads.push_back(cemetery.RowReadMicroseconds());
  // The check first: every select-all after it opens a file already checked.
  const double firstOpenCheck =
      bench::ObituaryFirstOpenCheckMilliseconds(files.obituary, options.runs);
  const double obituary =
      bench::MedianSeconds(options.runs, [&] { bench::ObituarySelectAllSeconds(files.obituary); });
  const double peak = bench::PeakResidentMegabytes();
  while (static_cast<int>(cold.size()) < options.runs) {
    cold.push_back(cemetery.ColdSelectAllSeconds());
    readerPeaks.push_back(cemetery.ReaderPeakMegabytes());
  }
  const double exportFloor = bench::MedianSeconds(
      options.runs, [&] { bench::MdbExportSeconds(files.cemetery, "Sheet1"); });
  if (cemetery.UsedPlainOrder())
    std::fprintf(stderr, "bench: the natural placement order raised 3464; plain order used\n");

  // The windows last: their cold starts would otherwise raise the peak above
  // a viewer's. Each window's later figures run on the window of its last
  // cold start, whose database is then read once; one viewer's window is
  // gone before the other's starts.
  std::vector<double> firstRecord;
  double step = 0, cameraStep = 0, nameSearch = 0, cemInfo = 0;
  {
    bench::WindowBench gravelight(gravelightCd, options.rows);
    for (int i = 0; i < options.runs; ++i) firstRecord.push_back(gravelight.FirstRecordSeconds());
    step = Median(gravelight.StepWithPictureMilliseconds());
    cameraStep = Median(gravelight.StepWithCameraPictureMilliseconds(options.runs));
    nameSearch = Median(bench::NameSearchMilliseconds(gravelight.Window(), options.runs));
    cemInfo =
        Median(bench::CemInfoOpenMilliseconds(gravelight.Window(), gravelightCd, options.runs));
  }
  std::vector<double> obitFirstRecord;
  double obitStep = 0, textBuild = 0;
  {
    bench::WindowBench mournlight(mournlightCd, options.rows);
    for (int i = 0; i < options.runs; ++i)
      obitFirstRecord.push_back(mournlight.FirstRecordSeconds());
    obitStep = Median(mournlight.StepWithPictureMilliseconds());
    textBuild = Median(bench::ObitTextBuildMicroseconds(mournlight.Window(), kTextBuilds));
  }

  const double coldMedian = Median(cold);
  return {
      {"mdb_cold_select_all", coldMedian, "s"},
      {"mdb_warm_select_all", Median(warm), "s"},
      {"mdb_row_read", Median(rowReads), "us"},
      {"db_select_all", obituary, "s"},
      {"db_first_open_check", firstOpenCheck, "ms", 300},
      {"peak_rss", peak, "MB"},
      {"mdb_reader_peak_rss", Median(readerPeaks), "MB", 300},
      {"mdb_export_floor", exportFloor, "s"},
      {"mdb_cold_vs_export", coldMedian / exportFloor, "x"},
      {"gravelight_first_record", Median(firstRecord), "s", 1.5},
      {"gravelight_step_with_picture", step, "ms", 60},
      {"gravelight_step_with_large_picture", cameraStep, "ms"},
      {"gravelight_name_search", nameSearch, "ms", 100},
      {"ceminfo_open", cemInfo, "ms", 250},
      {"mournlight_first_record", Median(obitFirstRecord), "s", 0.6},
      {"mournlight_step", obitStep, "ms", 60},
      {"obit_text_build", textBuild, "us", 200},
  };
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = ParseOptions(argc, argv);
    bench::EnsureOffscreenApplication();
    for (const bench::Figure& figure : Measure(options)) bench::Print(figure);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench: %s\n", e.what());
    return 1;
  }
}
