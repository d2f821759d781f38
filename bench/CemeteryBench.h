#pragma once
// Timings of the cemetery viewer's database work on a large Sheet1.
#include <string>

namespace bench {

class CemeteryBench {
 public:
  // `mdbPath`: the generated file; `folder`: where the working copy for the
  // cold opens is kept.
  CemeteryBench(const std::string& mdbPath, const std::string& folder);

  // Open + the select-all in natural placement order + MoveLast + MoveFirst
  // on a file the engine has not read yet. The engine keeps its in-memory
  // copy per path, size and modification time, so each cold run gives the
  // working copy a modification time of its own (which also replaces, and so
  // frees, the previous run's copy). The file itself stays in the page cache,
  // as a CD does once it has been read: only the engine's work is measured.
  double ColdSelectAllSeconds();

  // The same on a warm engine (the file's copy already read), after a name
  // search (untimed).
  double WarmSelectAllSeconds();

  // Microseconds per row of a walk through the whole select-all with
  // MoveNext, reading each row's columns the way the record display does.
  double RowReadMicroseconds();

  // The peak resident memory of the child that read the file for the last
  // cold run (the engine reads a Jet file in a child process), in MB.
  double ReaderPeakMegabytes() const;

  // Whether the natural order raised 3464 and the plain order was used.
  bool UsedPlainOrder() const { return usedPlainOrder_; }

 private:
  double SelectAllSeconds();

  std::string workingCopy_;
  int coldRuns_ = 0;
  bool usedPlainOrder_ = false;
};

}  // namespace bench
