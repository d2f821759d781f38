#pragma once
// The photographs of the benchmark's cemetery CD: drawn scenes with the
// grain of a camera picture, so that their JPEG files are as dense (and as
// slow to decode) as real photographs of that size.
#include "tools/democd/Pictures.h"

#include <QSize>
#include <QString>
#include <cstdint>

namespace bench {

// A gravestone photograph (portrait) naming the picture.
void WriteStonePhoto(const QString& nativePath, uint32_t seed, QSize size, const QString& name);

// A view of the burial ground: its gate, its chapel or over the ground.
void WriteScenePhoto(const QString& nativePath, uint32_t seed, QSize size,
                     democd::SceneKind kind, const QString& name);

// A scanned newspaper page with an obituary naming the deceased.
void WriteClippingScan(const QString& nativePath, uint32_t seed, QSize size, const QString& name);

}  // namespace bench
