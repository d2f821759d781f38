#include "tools/jetwriter/FileHeader.h"

#include "tools/jetwriter/Bytes.h"

#include <cstring>
#include <utility>

namespace jetwriter {

namespace {
constexpr size_t kScrambledStart = 0x18;
constexpr size_t kJet4ScrambledLength = 128;
constexpr size_t kJet3ScrambledLength = 126;
constexpr uint16_t kGeneralSortOrder = 0x0409;
constexpr uint8_t kHeaderKey[4] = {0xC7, 0xDA, 0x39, 0x6B};  // 0x6b39dac7, little-endian

// RC4 over the bytes in place (the same operation scrambles and unscrambles).
void Rc4(const uint8_t* key, size_t keyLength, uint8_t* data, size_t length) {
  uint8_t s[256];
  for (int i = 0; i < 256; ++i) s[i] = uint8_t(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + key[i % keyLength]) & 0xFF;
    std::swap(s[i], s[j]);
  }
  for (size_t n = 0, i = 0, j = 0; n < length; ++n) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    data[n] ^= s[(s[i] + s[j]) & 0xFF];
  }
}
}  // namespace

void WriteFileHeader(uint8_t* page, const Format& format) {
  const bool jet3 = format.IsJet3();
  page[0] = 0x00;  // database definition page
  page[1] = 0x01;
  std::memcpy(page + 4, "Standard Jet DB", 16);
  page[0x14] = jet3 ? 0x00 : 0x01;
  PutU16(page + 0x3C, uint32_t(format.codePage));
  PutU32(page + 0x3E, 0);  // database key: 0 = pages are not encrypted
  PutU16(page + (jet3 ? 0x3A : 0x6E), kGeneralSortOrder);  // collating order
  Rc4(kHeaderKey, sizeof kHeaderKey, page + kScrambledStart,
      jet3 ? kJet3ScrambledLength : kJet4ScrambledLength);
}

}  // namespace jetwriter
