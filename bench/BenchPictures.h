#pragma once
// The photographs of the benchmark's cemetery CD: drawn scenes with the
// grain of a camera picture, so that their JPEG files are as dense (and as
// slow to decode) as real photographs of that size.
#include <QSize>
#include <QString>
#include <cstdint>

namespace bench {

// A gravestone photograph (portrait) naming the picture.
void WriteStonePhoto(const QString& nativePath, uint32_t seed, QSize size, const QString& name);

// A view over the burial ground (landscape).
void WriteGroundPhoto(const QString& nativePath, uint32_t seed, QSize size, const QString& name);

}  // namespace bench
