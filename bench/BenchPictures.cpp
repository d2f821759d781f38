#include "bench/BenchPictures.h"

#include <QImage>
#include <algorithm>

namespace bench {

namespace {

// Adds noise of up to +-kGrain to every channel of every pixel.
constexpr int kGrain = 24;

QImage WithGrain(QImage image, uint32_t seed) {
  image = image.convertToFormat(QImage::Format_RGB32);
  uint32_t state = seed * 2654435761u + 1;
  const auto next = [&state] {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  };
  const auto grained = [](int channel, uint32_t noise) {
    return std::clamp(channel + static_cast<int>(noise % (2 * kGrain + 1)) - kGrain, 0, 255);
  };
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const uint32_t noise = next();
      line[x] = qRgb(grained(qRed(line[x]), noise), grained(qGreen(line[x]), noise >> 8),
                     grained(qBlue(line[x]), noise >> 16));
    }
  }
  return image;
}

}  // namespace

void WriteStonePhoto(const QString& nativePath, uint32_t seed, QSize size, const QString& name) {
  democd::EnsurePainting();
  const QImage stone = democd::DrawGravestone(seed, size, democd::StoneShape::Tablet,
                                              {QStringLiteral("IN LOVING MEMORY"), name});
  democd::SaveJpeg(WithGrain(stone, seed), nativePath);
}

void WriteScenePhoto(const QString& nativePath, uint32_t seed, QSize size,
                     democd::SceneKind kind, const QString& name) {
  democd::EnsurePainting();
  democd::SaveJpeg(WithGrain(democd::DrawCemeteryScene(seed, size, kind, name), seed), nativePath);
}

void WriteClippingScan(const QString& nativePath, uint32_t seed, QSize size, const QString& name) {
  democd::EnsurePainting();
  const QImage page = democd::DrawClipping(seed, size, QStringLiteral("THE QUILLAN COURIER"), name,
                                           QStringLiteral("Funeral services were held on "
                                                          "Saturday at the family church."));
  democd::SaveJpeg(WithGrain(page, seed), nativePath);
}

}  // namespace bench
