#pragma once
// The text of Jet columns as UTF-8: Jet 4 stores UCS-2 (little-endian, or its
// compressed form that starts with FF FE), Jet 3 stores 8-bit text in the
// file's code page.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dao {

class JetTextDecoder {
 public:
  // `jet4` chooses the UCS-2 form; `codePage` is the Jet 3 file's code page
  // (0 or an unknown one reads as Windows-1252).
  JetTextDecoder(bool jet4, int codePage);
  ~JetTextDecoder();
  JetTextDecoder(const JetTextDecoder&) = delete;
  JetTextDecoder& operator=(const JetTextDecoder&) = delete;

  // Replaces `out` with the UTF-8 form of the stored bytes.
  void Decode(const uint8_t* data, size_t size, std::string& out);

 private:
  void DecodeUcs2(const uint8_t* data, size_t size, std::string& out);
  void DecodeCompressed(const uint8_t* data, size_t size, std::string& out);
  void Decode8Bit(const uint8_t* data, size_t size, std::string& out);

  bool jet4_;
  bool cp1252_ = true;
  void* iconv_ = nullptr;  // iconv_t for a Jet 3 code page other than 1252
  uint16_t pendingHigh_ = 0;  // a high surrogate waiting for its partner
};

// The iconv name of a Jet 3 file's code page: "CP<number>" when iconv knows
// it, otherwise "CP1252" (as for 0 and unknown code pages above).
std::string Jet3CodePageName(int codePage);

// Appends the UTF-8 form of one UTF-16 code unit, pairing surrogates through
// `pendingHigh` (0 when none is waiting); a lone surrogate becomes U+FFFD.
void AppendUtf16Unit(uint16_t unit, uint16_t& pendingHigh, std::string& out);

}  // namespace dao
