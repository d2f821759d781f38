#pragma once
// Picture files of tens of megapixels, small on disk and made in a few
// megabytes of memory, for the pictures' pixel budget (256 MiB at four bytes
// a pixel at least: 67.1 megapixels; platform/forms/Picture.cpp).
#include <QByteArray>
#include <QSize>

namespace testkit {

// A two-tone picture of `size`, dark (grey 30) in its left half and light
// (grey 220) in its right, encoded in `format`: "PNG" gives a 1-bit PNG,
// "JPG" an 8-bit grey JPEG. Drawn as a 1-bit image, so that writing it takes
// an eighth of a byte a pixel.
QByteArray TwoTonePicture(QSize size, const char* format);

// The JPEG `jpeg` with the size in its frame header replaced by `size`: a
// header that claims pixels the file does not hold.
QByteArray WithClaimedSize(QByteArray jpeg, QSize size);

}  // namespace testkit
