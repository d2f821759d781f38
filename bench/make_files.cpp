// Writes the benchmark's large databases and the viewers' CDs into a folder,
// skipping those that are already there. A program of its own, so that the benchmark's peak
// memory is not the generator's.
//
//   gl-bench-files <folder> [rows]      (default: 100000 rows)
#include "bench/ViewerCd.h"
#include "bench/LargeFiles.h"
#include "bench/OffscreenApplication.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <folder> [rows]\n", argv[0]);
    return 2;
  }
  const int rows = argc > 2 ? std::atoi(argv[2]) : 100000;
  if (rows < 1) {
    std::fprintf(stderr, "%s: rows must be positive\n", argv[0]);
    return 2;
  }
  try {
    bench::EnsureOffscreenApplication();
    const bench::LargeFiles files = bench::WriteLargeFiles(argv[1], rows);
    bench::WriteViewerCd(bench::Viewer::Gravelight, argv[1], rows, files.cemetery);
    bench::WriteViewerCd(bench::Viewer::Mournlight, argv[1], rows, files.obituary);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "gl-bench-files: %s\n", e.what());
    return 1;
  }
}
