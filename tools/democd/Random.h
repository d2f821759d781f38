#pragma once
// A seeded random source whose sequence is the same on every platform, so
// the generated files come out identical on every run.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>

namespace democd {

class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}

  // A whole number from lo to hi, both included.
  int Range(int lo, int hi) {
    return lo + static_cast<int>(engine_() % static_cast<uint32_t>(hi - lo + 1));
  }
  // True with the given chance in percent.
  bool Chance(int percent) { return Range(1, 100) <= percent; }
  double Unit() { return engine_() / 4294967296.0; }

  template <typename List>
  const auto& Pick(const List& list) {
    return list[Range(0, static_cast<int>(std::size(list)) - 1)];
  }

 private:
  std::mt19937 engine_;
};

}  // namespace democd
