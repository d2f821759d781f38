#include "tools/jetwriter/RowEncoder.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace jetwriter {

namespace {

[[noreturn]] void Reject(const ColumnLayout& column, const char* why) {
  throw std::runtime_error(("column \"" + column.name + "\": " + why).toStdString());
}

bool IsMissing(const vb::Variant& v) { return v.IsNull() || v.IsEmpty(); }

double NumberOf(const ColumnLayout& column, const vb::Variant& value) {
  if (value.type() == vb::Variant::Type::String) Reject(column, "expects a number, not a text");
  return value.ToDouble();
}

int64_t WholeNumberOf(const ColumnLayout& column, const vb::Variant& value, int64_t low,
                      int64_t high) {
  double d = NumberOf(column, value);
  if (d != std::floor(d) || d < double(low) || d > double(high))
    Reject(column, "value is not a whole number in the column's range");
  return int64_t(d);
}

const QString& TextOf(const ColumnLayout& column, const vb::Variant& value) {
  if (value.type() != vb::Variant::Type::String) Reject(column, "expects a text");
  return value.AsString();
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
      throw std::runtime_error("text cannot be stored: " + text.left(20).toStdString());
    if (oneByte != compressed) {
      out.push_back(0);
      compressed = oneByte;
    }
    if (oneByte) out.push_back(uint8_t(u));
    else AppendU16(out, u);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeText(const QString& text) {
  if (text.startsWith(QChar(0xFEFF))) return CompressedText(text);
  std::vector<uint8_t> out;
  out.reserve(2 * size_t(text.size()));
  AppendUcs2(out, text);
  return out;
}

RowEncoder::RowEncoder(const TableLayout& layout, LongValueStore& longValues)
    : layout_(layout), longValues_(longValues) {}

const std::vector<uint8_t>& RowEncoder::Encode(const std::vector<vb::Variant>& values) {
  const size_t count = layout_.columns.size();
  if (values.size() != count)
    throw std::runtime_error("table \"" + layout_.name.toStdString() + "\": a row has " +
                             std::to_string(values.size()) + " values for " +
                             std::to_string(count) + " columns");
  row_.assign(2 + size_t(layout_.fixedSize), 0);
  PutU16(row_.data(), uint32_t(count));
  nullMask_.assign((count + 7) / 8, 0);
  varOffsets_.clear();
  for (size_t i = 0; i < count; ++i) {
    const ColumnLayout& column = layout_.columns[i];
    const vb::Variant& value = values[i];
    bool present = !IsMissing(value);
    if (column.type == kBooleanCode) {
      present = present && NumberOf(column, value) != 0;  // the bit is the value
    } else if (column.fixed) {
      if (present) PutFixed(column, value, row_.data() + 2 + column.fixedOffset);
    } else {
      varOffsets_.push_back(uint16_t(row_.size()));
      if (present) AppendVariable(column, value);
    }
    if (present) nullMask_[i / 8] |= uint8_t(1u << (i % 8));
  }
  if (layout_.varCount > 0) {
    AppendU16(row_, uint32_t(row_.size()));  // end of the variable data
    for (size_t i = varOffsets_.size(); i-- > 0;) AppendU16(row_, varOffsets_[i]);
    AppendU16(row_, layout_.varCount);
  }
  row_.insert(row_.end(), nullMask_.begin(), nullMask_.end());
  return row_;
}

void RowEncoder::PutFixed(const ColumnLayout& column, const vb::Variant& value, uint8_t* at) {
  switch (column.type) {
    case kByteCode: *at = uint8_t(WholeNumberOf(column, value, 0, 255)); break;
    case kIntegerCode: PutU16(at, uint32_t(WholeNumberOf(column, value, -32768, 32767))); break;
    case kLongCode:
      PutU32(at, uint32_t(WholeNumberOf(column, value, INT32_MIN, INT32_MAX)));
      break;
    case kDoubleCode:
    case kDateTimeCode: {
      double d = value.type() == vb::Variant::Type::Date ? value.AsDate().serial
                                                         : NumberOf(column, value);
      uint64_t bits;
      std::memcpy(&bits, &d, 8);
      PutU32(at, uint32_t(bits));
      PutU32(at + 4, uint32_t(bits >> 32));
      break;
    }
    default: Reject(column, "unsupported fixed column");
  }
}

void RowEncoder::AppendVariable(const ColumnLayout& column, const vb::Variant& value) {
  if (column.type == kOleCode) Reject(column, "long binary values are not written");
  const QString& text = TextOf(column, value);
  if (column.type == kTextCode && text.size() > column.textChars)
    Reject(column, "text longer than the column's size");
  std::vector<uint8_t> bytes = EncodeText(text);
  if (column.type == kMemoCode) bytes = longValues_.Store(bytes);
  row_.insert(row_.end(), bytes.begin(), bytes.end());
}

}  // namespace jetwriter
