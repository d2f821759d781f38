#pragma once
// Little-endian stores and the page geometry of a Jet 4 file.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace jetwriter {

constexpr size_t kPageSize = 4096;

inline void PutU16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

inline void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

inline void AppendU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

inline void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

// A text as UCS-2, little-endian, two bytes per character.
inline void AppendUcs2(std::vector<uint8_t>& out, const QString& text) {
  for (QChar c : text) AppendU16(out, c.unicode());
}

}  // namespace jetwriter
