#include "platform/forms/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace forms {

namespace {

// The source pixels that one result pixel is made of along an axis, and the
// share of each (shares sum to 1).
struct Coverage {
  int first = 0;
  std::vector<float> shares;
};

// Reducing: each result pixel averages the source area it covers.
Coverage Averaged(int i, double scale, int from) {
  const double start = i * scale, end = std::min<double>((i + 1) * scale, from);
  Coverage coverage;
  coverage.first = std::min(int(start), from - 1);
  for (int s = coverage.first; s < end; ++s) {
    const double covered = std::min<double>(s + 1, end) - std::max<double>(s, start);
    if (covered > 0) coverage.shares.push_back(float(covered / (end - start)));
  }
  if (coverage.shares.empty()) coverage.shares.push_back(1.0f);
  return coverage;
}

// Enlarging: each result pixel's centre falls between two source pixel
// centres and takes from each by its nearness; past the outer centres the
// edge pixel is repeated.
Coverage Interpolated(int i, double scale, int from) {
  const double centre = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
  Coverage coverage;
  coverage.first = std::min(int(centre), from - 1);
  const float next = float(centre - coverage.first);
  coverage.shares.push_back(1.0f - next);
  if (coverage.first + 1 < from) coverage.shares.push_back(next);
  return coverage;
}

// For `count` of `to` result positions from `first` on, what each takes of
// `from` source ones.
std::vector<Coverage> Coverages(int from, int to, int first, int count) {
  std::vector<Coverage> coverages;
  coverages.reserve(count);
  const double scale = double(from) / to;
  for (int i = first; i < first + count; ++i)
    coverages.push_back(to <= from ? Averaged(i, scale, from) : Interpolated(i, scale, from));
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

// Adds `weight` times the source line, resized across to the result's width.
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

QImage Resampled(const QImage& source, QSize pixels, const QRect& part) {
  const QRect made = part & QRect(QPoint(0, 0), pixels);
  if (source.isNull() || made.isEmpty()) return QImage();
  const bool opaque = !source.hasAlphaChannel();
  QImage scaled(made.size(), opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  if (scaled.isNull()) return scaled;
  const std::vector<Coverage> across =
      Coverages(source.width(), pixels.width(), made.left(), made.width());
  const std::vector<Coverage> down =
      Coverages(source.height(), pixels.height(), made.top(), made.height());
  LineReader reader(source);
  Sums sums(size_t(made.width()) * 4);
  for (int y = 0; y < made.height(); ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const Coverage& rows = down[y];
    for (size_t i = 0; i < rows.shares.size(); ++i) {
      const QRgb* line = reader.Line(rows.first + int(i));
      if (!line) return QImage();
      AddReducedLine(line, across, rows.shares[i], sums);
    }
    QRgb* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
    for (int x = 0; x < made.width(); ++x) {
      const float* sum = &sums[size_t(x) * 4];
      const int alpha = opaque ? 255 : Channel(sum[0]);
      out[x] = qRgba(std::min(Channel(sum[1]), alpha), std::min(Channel(sum[2]), alpha),
                     std::min(Channel(sum[3]), alpha), alpha);
    }
  }
  return scaled;
}

}  // namespace forms
