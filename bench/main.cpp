// The benchmark: reads the large cemetery .mdb and obituary .db that
// gl-bench-files wrote into a folder, and starts the cemetery viewer's main
// window on its CD there; prints one line per figure, "NAME VALUE UNIT", each
// the median of several runs in this process.
//
//   gl-bench <folder> [rows] [runs]      (defaults: 100000 rows, 5 runs)
#include "bench/CemeteryBench.h"
#include "bench/ExportFloor.h"
#include "bench/Figures.h"
#include "bench/GravelightCd.h"
#include "bench/LargeFiles.h"
#include "bench/ObituaryBench.h"
#include "bench/OffscreenApplication.h"
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

std::vector<bench::Figure> Measure(const Options& options) {
  using bench::Median;
  const bench::LargeFiles files = bench::ExistingLargeFiles(options.folder, options.rows);
  bench::WindowBench window(bench::ExistingGravelightCd(options.folder, options.rows),
                           options.rows);
  bench::CemeteryBench cemetery(files.cemetery, options.folder);

  // One cold open first, then the work a viewer does on that one copy, so
  // that the peak memory is a viewer's: the later cold opens load a new copy
  // while the cache still holds the previous one.
  std::vector<double> cold{cemetery.ColdSelectAllSeconds()};
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
  while (static_cast<int>(cold.size()) < options.runs) cold.push_back(cemetery.ColdSelectAllSeconds());
  const double exportFloor =
      bench::MedianSeconds(options.runs, [&] { bench::MdbExportSeconds(files.cemetery, "Sheet1"); });
  // The window last: its cold starts would otherwise raise the peak above a
  // viewer's.
  std::vector<double> firstRecord;
  for (int i = 0; i < options.runs; ++i) firstRecord.push_back(window.FirstRecordSeconds());
  const double step = Median(window.StepWithPictureMilliseconds());
  const double largeStep = Median(window.StepWithLargePictureMilliseconds(options.runs));
  if (cemetery.UsedPlainOrder())
    std::fprintf(stderr, "bench: the natural placement order raised 3464; plain order used\n");

  const double coldMedian = Median(cold);
  return {
      {"mdb_cold_select_all", coldMedian, "s"},
      {"mdb_warm_select_all", Median(warm), "s"},
      {"mdb_row_read", Median(rowReads), "us"},
      {"db_select_all", obituary, "s"},
      {"db_first_open_check", firstOpenCheck, "ms"},
      {"peak_rss", peak, "MB"},
      {"mdb_export_floor", exportFloor, "s"},
      {"mdb_cold_vs_export", coldMedian / exportFloor, "x"},
      {"gravelight_first_record", Median(firstRecord), "s"},
      {"gravelight_step_with_picture", step, "ms"},
      {"gravelight_step_with_large_picture", largeStep, "ms"},
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
