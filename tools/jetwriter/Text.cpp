#include "tools/jetwriter/Text.h"

#include "tools/jetwriter/Bytes.h"

#include <iconv.h>
#include <stdexcept>
#include <string>

namespace jetwriter {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string Sample(const QString& text) { return text.left(20).toStdString(); }

void AppendUcs2(std::vector<uint8_t>& out, const QString& text) {
  for (QChar c : text) AppendU16(out, c.unicode());
}

// Compressed unicode: 0xFF 0xFE, then characters of one byte while in the
// (initial) compressed mode; a 0x00 byte switches to two-byte characters and
// back. A two-byte character may not have a zero low byte.
std::vector<uint8_t> CompressedText(const QString& text) {
  std::vector<uint8_t> out = {0xFF, 0xFE};
  bool compressed = true;
  for (QChar c : text) {
    uint16_t u = c.unicode();
    bool oneByte = u >= 1 && u <= 0xFF;
    if (!oneByte && (u & 0xFF) == 0)
      throw std::runtime_error("text cannot be stored: " + Sample(text));
    if (oneByte != compressed) {
      out.push_back(0);
      compressed = oneByte;
    }
    if (oneByte) out.push_back(uint8_t(u));
    else AppendU16(out, u);
  }
  return out;
}

std::vector<uint8_t> Ucs2Text(const QString& text) {
  if (text.startsWith(QChar(0xFEFF))) return CompressedText(text);
  std::vector<uint8_t> out;
  out.reserve(2 * size_t(text.size()));
  AppendUcs2(out, text);
  return out;
}

}  // namespace

TextEncoder::TextEncoder(const Format& format)
    : jet3_(format.IsJet3()), codePage_(format.codePage) {
  if (!jet3_) return;
  const std::string name = "CP" + std::to_string(codePage_);
  iconv_t cd = iconv_open(name.c_str(), "UTF-16LE");
  if (cd == kNoConverter)
    throw std::runtime_error("code page " + std::to_string(codePage_) + " is not available");
  iconv_ = cd;
}

TextEncoder::~TextEncoder() {
  if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
}

std::vector<uint8_t> TextEncoder::Value(const QString& text) const {
  return jet3_ ? InCodePage(text) : Ucs2Text(text);
}

std::vector<uint8_t> TextEncoder::Name(const QString& name) const {
  if (jet3_) return InCodePage(name);
  std::vector<uint8_t> out;
  AppendUcs2(out, name);
  return out;
}

// One byte per character: a character the code page lacks, or one it would
// need several bytes for, is refused.
std::vector<uint8_t> TextEncoder::InCodePage(const QString& text) const {
  iconv_t cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<uint8_t> out(4 * size_t(text.size()) + 8);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
  size_t inLeft = 2 * size_t(text.size());
  char* dst = reinterpret_cast<char*>(out.data());
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &dst, &outLeft) == size_t(-1) ||
      iconv(cd, nullptr, nullptr, &dst, &outLeft) == size_t(-1) ||
      out.size() - outLeft != size_t(text.size()))
    throw std::runtime_error("text cannot be stored in code page " +
                             std::to_string(codePage_) + ": " + Sample(text));
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace jetwriter
