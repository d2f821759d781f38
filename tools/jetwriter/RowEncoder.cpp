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

}  // namespace

RowEncoder::RowEncoder(const TableLayout& layout, const Format& format, const TextEncoder& text,
                       LongValueStore& longValues)
    : layout_(layout), jet3_(format.IsJet3()), text_(text), longValues_(longValues) {}

void RowEncoder::AppendCount(size_t count) {
  if (jet3_) row_.push_back(uint8_t(count));
  else AppendU16(row_, uint32_t(count));
}

const std::vector<uint8_t>& RowEncoder::Encode(const std::vector<vb::Variant>& values) {
  const size_t count = layout_.columns.size();
  if (values.size() != count)
    throw std::runtime_error("table \"" + layout_.name.toStdString() + "\": a row has " +
                             std::to_string(values.size()) + " values for " +
                             std::to_string(count) + " columns");
  row_.clear();
  AppendCount(count);
  const size_t fixedStart = row_.size();
  row_.resize(fixedStart + layout_.fixedSize, 0);
  nullMask_.assign((count + 7) / 8, 0);
  varOffsets_.clear();
  for (size_t i = 0; i < count; ++i) {
    const ColumnLayout& column = layout_.columns[i];
    const vb::Variant& value = values[i];
    bool present = !IsMissing(value);
    if (column.type == kBooleanCode) {
      present = present && NumberOf(column, value) != 0;  // the bit is the value
    } else if (column.fixed) {
      if (present) PutFixed(column, value, row_.data() + fixedStart + column.fixedOffset);
    } else {
      varOffsets_.push_back(uint16_t(row_.size()));
      if (present) AppendVariable(column, value);
    }
    if (present) nullMask_[i / 8] |= uint8_t(1u << (i % 8));
  }
  if (layout_.varCount > 0) {
    if (jet3_) AppendJet3Offsets();
    else AppendJet4Offsets();
    AppendCount(layout_.varCount);
  }
  row_.insert(row_.end(), nullMask_.begin(), nullMask_.end());
  return row_;
}

void RowEncoder::AppendJet4Offsets() {
  AppendU16(row_, uint32_t(row_.size()));  // end of the variable data
  for (size_t i = varOffsets_.size(); i-- > 0;) AppendU16(row_, varOffsets_[i]);
}

// The low bytes of the end of the data and of the offsets; then the jump
// table, whose entry k names the first offset (0 = the first variable column,
// the count of them = the end of the data) at or beyond (k + 1) * 256, entries
// stored last to first. It has (row size - 1) / 256 entries; those that the
// data does not need (at most one, as readers expect) come first, as 0xFF.
void RowEncoder::AppendJet3Offsets() {
  const size_t end = row_.size();
  varOffsets_.push_back(uint16_t(end));
  row_.push_back(uint8_t(end));
  for (size_t i = varOffsets_.size() - 1; i-- > 0;) row_.push_back(uint8_t(varOffsets_[i]));
  const size_t needed = end / 256;
  const size_t tail = 1 + nullMask_.size();  // the count and the null mask follow
  size_t entries = needed;
  while ((row_.size() + entries + tail - 1) / 256 > entries) ++entries;
  if (entries > needed + 1) throw std::runtime_error("row cannot be laid out in Jet 3");
  row_.insert(row_.end(), entries - needed, 0xFF);
  std::vector<uint8_t> jumps;
  for (size_t i = 0; i < varOffsets_.size() && jumps.size() < needed; ++i)
    while (jumps.size() < needed && varOffsets_[i] >= 256 * (jumps.size() + 1))
      jumps.push_back(uint8_t(i));
  row_.insert(row_.end(), jumps.rbegin(), jumps.rend());
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
  std::vector<uint8_t> bytes;
  try {
    bytes = text_.Value(text);
  } catch (const std::runtime_error& e) {
    Reject(column, e.what());
  }
  if (column.type == kMemoCode) bytes = longValues_.Store(bytes);
  row_.insert(row_.end(), bytes.begin(), bytes.end());
}

}  // namespace jetwriter
