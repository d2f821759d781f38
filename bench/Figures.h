#pragma once
// The figures a benchmark run prints, one line each: "NAME VALUE UNIT".
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct Figure {
  std::string name;
  double value;
  std::string unit;  // "s", "ms", "us", "MB" or "x"
  std::optional<double> atMost = std::nullopt;  // the target, in the same unit
};

// Prints the figure on standard output; the number of decimals follows the
// unit. A figure above its target is also named on standard error.
void Print(const Figure& figure);

// Wall-clock seconds that `work` takes.
double Seconds(const std::function<void()>& work);

// The median of the samples (the mean of the middle two for an even count).
double Median(std::vector<double> samples);

// The median of `runs` timings of `work`.
double MedianSeconds(int runs, const std::function<void()>& work);

// The process's peak resident set size (VmHWM) in megabytes.
double PeakResidentMegabytes();

}  // namespace bench
