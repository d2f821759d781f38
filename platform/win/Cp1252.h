#pragma once
// The Windows-1252 code page: the 8-bit text of the settings files on the
// CDs, of the error log and of the database text, and the trip a web address
// takes to the opener. File names never pass through it.
#include <QByteArray>
#include <QString>

namespace win::cp1252 {

// Characters outside the code page become "?".
QByteArray Encode(const QString& text);
// Every byte has a character; the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
// value, so decoding and encoding again gives back the same bytes.
QString Decode(const QByteArray& bytes);
// The text as it arrives after a trip through the code page.
QString RoundTrip(const QString& text);

}  // namespace win::cp1252
