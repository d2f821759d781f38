#include "platform/forms/AreaScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace forms {

namespace {

// The source pixels that one result pixel covers along an axis, and the
// share of each (shares sum to 1).
struct Coverage {
  int first = 0;
  std::vector<float> shares;
};

// For each of `to` result positions, its coverage of `from` source ones.
std::vector<Coverage> Coverages(int from, int to) {
  std::vector<Coverage> coverages(to);
  const double scale = double(from) / to;
  for (int i = 0; i < to; ++i) {
    const double start = i * scale, end = std::min<double>((i + 1) * scale, from);
    Coverage& coverage = coverages[i];
    coverage.first = std::min(int(start), from - 1);
    for (int s = coverage.first; s < end; ++s) {
      const double covered = std::min<double>(s + 1, end) - std::max<double>(s, start);
      if (covered > 0) coverage.shares.push_back(float(covered / (end - start)));
    }
    if (coverage.shares.empty()) coverage.shares.push_back(1.0f);
  }
  return coverages;
}

// One source line as premultiplied ARGB32. Lines already in a 32-bit form
// are read as they stand; any other form is converted one line at a time,
// which is far below the size at which a conversion is handed to threads.
class LineReader {
 public:
  explicit LineReader(const QImage& source) : source_(source) {}

  const QRgb* Line(int y) {
    const uchar* bits = source_.constScanLine(y);
    switch (source_.format()) {
      case QImage::Format_RGB32:
      case QImage::Format_ARGB32_Premultiplied:
        return reinterpret_cast<const QRgb*>(bits);
      default:
        break;
    }
    QImage line(bits, source_.width(), 1, source_.bytesPerLine(), source_.format());
    if (!source_.colorTable().isEmpty()) line.setColorTable(source_.colorTable());
    converted_ = line.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (converted_.isNull()) return nullptr;
    return reinterpret_cast<const QRgb*>(converted_.constScanLine(0));
  }

 private:
  const QImage& source_;
  QImage converted_;
};

// A line of the result being summed, four channels per pixel.
using Sums = std::vector<float>;

// Adds `weight` times the source line, reduced across to the result's width.
void AddReducedLine(const QRgb* line, const std::vector<Coverage>& across, float weight, Sums& sums) {
  float* sum = sums.data();
  for (const Coverage& coverage : across) {
    float a = 0, r = 0, g = 0, b = 0;
    const QRgb* pixel = line + coverage.first;
    for (float share : coverage.shares) {
      const QRgb p = *pixel++;
      a += share * qAlpha(p);
      r += share * qRed(p);
      g += share * qGreen(p);
      b += share * qBlue(p);
    }
    sum[0] += weight * a;
    sum[1] += weight * r;
    sum[2] += weight * g;
    sum[3] += weight * b;
    sum += 4;
  }
}

int Channel(float value) { return std::clamp(int(std::lround(value)), 0, 255); }

}  // namespace

QImage ScaledDown(const QImage& source, QSize pixels) {
  if (source.isNull() || pixels.isEmpty()) return QImage();
  pixels = pixels.boundedTo(source.size());
  const bool opaque = !source.hasAlphaChannel();
  QImage scaled(pixels, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  if (scaled.isNull()) return scaled;
  const std::vector<Coverage> across = Coverages(source.width(), pixels.width());
  const std::vector<Coverage> down = Coverages(source.height(), pixels.height());
  LineReader reader(source);
  Sums sums(size_t(pixels.width()) * 4);
  for (int y = 0; y < pixels.height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const Coverage& rows = down[y];
    for (size_t i = 0; i < rows.shares.size(); ++i) {
      const QRgb* line = reader.Line(rows.first + int(i));
      if (!line) return QImage();
      AddReducedLine(line, across, rows.shares[i], sums);
    }
    QRgb* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
    for (int x = 0; x < pixels.width(); ++x) {
      const float* sum = &sums[size_t(x) * 4];
      const int alpha = opaque ? 255 : Channel(sum[0]);
      out[x] = qRgba(std::min(Channel(sum[1]), alpha), std::min(Channel(sum[2]), alpha),
                     std::min(Channel(sum[3]), alpha), alpha);
    }
  }
  return scaled;
}

}  // namespace forms
