#include "platform/dao/JetText.h"

#include "platform/win/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <iconv.h>
#include <string>

namespace dao {

namespace {

void AppendCodePoint(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

constexpr uint32_t kReplacement = 0xFFFD;

}  // namespace

void AppendUtf16Unit(uint16_t unit, uint16_t& pendingHigh, std::string& out) {
  if (pendingHigh != 0) {
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendCodePoint(0x10000 + ((uint32_t(pendingHigh) - 0xD800) << 10) + (unit - 0xDC00), out);
      pendingHigh = 0;
      return;
    }
    AppendCodePoint(kReplacement, out);
    pendingHigh = 0;
  }
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    pendingHigh = unit;
  } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
    AppendCodePoint(kReplacement, out);
  } else {
    AppendCodePoint(unit, out);
  }
}

std::string Jet3CodePageName(int codePage) {
  if (codePage > 0 && codePage != 1252) {
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) {
      iconv_close(cd);
      return name;
    }
  }
  return "CP1252";
}

JetTextDecoder::JetTextDecoder(bool jet4, int codePage) : jet4_(jet4) {
  if (jet4) return;
  const std::string name = Jet3CodePageName(codePage);
  if (name == "CP1252") return;
  iconv_ = iconv_open("UTF-8", name.c_str());
  cp1252_ = false;
}

JetTextDecoder::~JetTextDecoder() {
  if (iconv_) iconv_close(static_cast<iconv_t>(iconv_));
}

void JetTextDecoder::Decode(const uint8_t* data, size_t size, std::string& out) {
  out.clear();
  pendingHigh_ = 0;
  if (!jet4_) {
    Decode8Bit(data, size, out);
  } else if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    DecodeCompressed(data + 2, size - 2, out);
  } else {
    DecodeUcs2(data, size, out);
  }
  if (pendingHigh_ != 0) AppendCodePoint(kReplacement, out);
}

void JetTextDecoder::DecodeUcs2(const uint8_t* data, size_t size, std::string& out) {
  out.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    const uint16_t unit = uint16_t(data[i] | (data[i + 1] << 8));
    if (unit < 0x80 && pendingHigh_ == 0) {
      out.push_back(static_cast<char>(unit));
    } else {
      AppendUtf16Unit(unit, pendingHigh_, out);
    }
  }
}

// The compressed form: a zero byte switches between one byte per character
// (the high byte is zero) and two bytes per character; it starts compressed.
void JetTextDecoder::DecodeCompressed(const uint8_t* data, size_t size, std::string& out) {
  out.reserve(size);
  bool compressed = true;
  size_t i = 0;
  while (i < size) {
    if (data[i] == 0) {
      compressed = !compressed;
      ++i;
    } else if (compressed) {
      AppendUtf16Unit(data[i], pendingHigh_, out);
      ++i;
    } else if (i + 1 < size) {
      AppendUtf16Unit(uint16_t(data[i] | (data[i + 1] << 8)), pendingHigh_, out);
      i += 2;
    } else {
      break;
    }
  }
}

void JetTextDecoder::Decode8Bit(const uint8_t* data, size_t size, std::string& out) {
  bool ascii = true;
  for (size_t i = 0; i < size && ascii; ++i) ascii = data[i] < 0x80;
  if (ascii) {
    out.assign(reinterpret_cast<const char*>(data), size);
    return;
  }
  if (cp1252_) {
    const QString text = win::cp1252::Decode(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QByteArray utf8 = text.toUtf8();
    out.assign(utf8.constData(), size_t(utf8.size()));
    return;
  }
  iconv_t cd = static_cast<iconv_t>(iconv_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(size * 4 + 4);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(data));
  size_t inLeft = size;
  char* dst = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) != size_t(-1)) break;
    // A byte the code page does not define: show it as "?" and go on.
    ++in;
    --inLeft;
    if (outLeft == 0) break;
    *dst++ = '?';
    --outLeft;
  }
  out.resize(out.size() - outLeft);
}

}  // namespace dao
