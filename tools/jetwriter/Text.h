#pragma once
// Texts as a file stores them. Jet 4: UCS-2, little-endian, or "compressed
// unicode" where plain UCS-2 would be taken for it (a text starting with
// U+FEFF). Jet 3: one byte a character in the file's code page.
#include "tools/jetwriter/Format.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

class TextEncoder {
 public:
  // Throws std::runtime_error when a Jet 3 file's code page is unknown.
  explicit TextEncoder(const Format& format);
  ~TextEncoder();
  TextEncoder(const TextEncoder&) = delete;
  TextEncoder& operator=(const TextEncoder&) = delete;

  // A Text or Memo value; throws std::runtime_error for a text the file
  // cannot hold.
  std::vector<uint8_t> Value(const QString& text) const;
  // A table or column name as a table definition holds it (without its length).
  std::vector<uint8_t> Name(const QString& name) const;

 private:
  std::vector<uint8_t> InCodePage(const QString& text) const;

  bool jet3_;
  int codePage_;
  void* iconv_ = nullptr;  // iconv_t from UTF-16LE to the Jet 3 code page
};

}  // namespace jetwriter
