#include "bench/Figures.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace bench {

namespace {

int DecimalsFor(const std::string& unit) {
  if (unit == "s") return 3;
  if (unit == "MB") return 1;
  return 2;  // us, ms, ratios
}

}  // namespace

void Print(const Figure& figure) {
  const int decimals = DecimalsFor(figure.unit);
  std::printf("%s %.*f %s\n", figure.name.c_str(), decimals, figure.value, figure.unit.c_str());
  std::fflush(stdout);
  if (figure.atMost && figure.value > *figure.atMost)
    std::fprintf(stderr, "bench: %s misses its target of at most %.*f %s\n", figure.name.c_str(),
                 decimals, *figure.atMost, figure.unit.c_str());
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double>(end - start).count();
}

double Median(std::vector<double> samples) {
  if (samples.empty()) throw std::invalid_argument("median of no samples");
  std::sort(samples.begin(), samples.end());
  const size_t mid = samples.size() / 2;
  return samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2;
}

double MedianSeconds(int runs, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) samples.push_back(Seconds(work));
  return Median(samples);
}

double PeakResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) != 0) continue;
    std::istringstream fields(line.substr(6));
    double kilobytes = 0;
    fields >> kilobytes;
    return kilobytes / 1024.0;
  }
  throw std::runtime_error("VmHWM missing from /proc/self/status");
}

}  // namespace bench
