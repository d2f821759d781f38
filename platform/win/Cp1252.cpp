#include "platform/win/Cp1252.h"

#include <array>

namespace win::cp1252 {
namespace {

// Characters of the bytes 0x80 to 0x9F; every other byte is the character of
// the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t CharOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char ByteOf(char16_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QByteArray Encode(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar ch : text) bytes.append(ByteOf(ch.unicode()));
  return bytes;
}

QString Decode(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.append(QChar(CharOf(static_cast<unsigned char>(byte))));
  return text;
}

QString RoundTrip(const QString& text) { return Decode(Encode(text)); }

}  // namespace win::cp1252
