// Text as Jet stores it: Jet 4 UCS-2 (plain and compressed), Jet 3 8-bit.
#include "platform/dao/JetText.h"

#include <gtest/gtest.h>

namespace {

std::string Decode(bool jet4, int codePage, const std::vector<uint8_t>& bytes) {
  dao::JetTextDecoder decoder(jet4, codePage);
  std::string out;
  decoder.Decode(bytes.data(), bytes.size(), out);
  return out;
}

TEST(JetTextTest, Jet4Forms) {
  // Plain UCS-2 with a character outside the BMP (a surrogate pair).
  EXPECT_EQ(Decode(true, 0, {'A', 0, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE}),
            "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  // Compressed: one byte per character until a zero switches to two.
  EXPECT_EQ(Decode(true, 0, {0xFF, 0xFE, 'a', 0xFC, 0, 0xAC, 0x20, 0, 'z'}),
            "a\xC3\xBC\xE2\x82\xAC" "z");
  EXPECT_EQ(Decode(true, 0, {}), "");
  // A lone surrogate becomes the replacement character.
  EXPECT_EQ(Decode(true, 0, {0x00, 0xD8}), "\xEF\xBF\xBD");
}

TEST(JetTextTest, Jet3CodePages) {
  EXPECT_EQ(Decode(false, 1252, {'M', 0xFC, 'l', 'l', 'e', 'r', ' ', 0x80}),
            "M\xC3\xBCller \xE2\x82\xAC");
  EXPECT_EQ(Decode(false, 0, {0x9A}), "\xC5\xA1");         // 1252 when none is named
  EXPECT_EQ(Decode(false, 1250, {0x8A, 0xB9}), "\xC5\xA0\xC4\x85");  // Š ą
  EXPECT_EQ(Decode(false, 1252, {'p', 'l', 'a', 'i', 'n'}), "plain");
}

}  // namespace
