#pragma once
// Pictures for the demo CD, drawn with Qt: gravestones, cemetery views,
// portraits, newspaper clippings and buildings.
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace democd {

enum class StoneShape { Tablet, Obelisk, FlatMarker, DoubleUpright, Block };

// Drawing text needs a GUI application object; this makes one (with the
// off-screen platform unless another is set) when the process has none.
void EnsurePainting();

QImage DrawGravestone(uint32_t seed, QSize size, StoneShape shape, const QStringList& lines);
QImage DrawInscriptionDetail(uint32_t seed, QSize size, const QStringList& lines);

enum class SceneKind { Gate, Chapel, Overview };
QImage DrawCemeteryScene(uint32_t seed, QSize size, SceneKind kind, const QString& name);

QImage DrawPortrait(uint32_t seed, QSize size, bool female, const QString& caption);
QImage DrawClipping(uint32_t seed, QSize size, const QString& masthead, const QString& headline,
                    const QString& body);
QImage DrawBuilding(uint32_t seed, QSize size, const QString& sign, bool columns);
QImage DrawNotAvailable(QSize size);

// Saves as JPEG; throws std::runtime_error on failure.
void SaveJpeg(const QImage& image, const QString& nativePath);

}  // namespace democd
