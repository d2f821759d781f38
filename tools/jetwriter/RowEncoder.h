#pragma once
// Turns one row of Variants into the bytes of a row: column count, fixed
// part, variable part, end-of-data offset, offset table (reversed), the jump
// table (Jet 3), variable-column count and the null mask (where Booleans keep
// their value). Jet 4 stores counts and offsets in 2 bytes, Jet 3 in 1.
#include "platform/vb/Variant.h"
#include "tools/jetwriter/LongValues.h"
#include "tools/jetwriter/TableDefinition.h"
#include "tools/jetwriter/Text.h"

#include <cstdint>
#include <vector>

namespace jetwriter {

class RowEncoder {
 public:
  RowEncoder(const TableLayout& layout, const Format& format, const TextEncoder& text,
             LongValueStore& longValues);

  // The encoded row (valid until the next call); throws std::runtime_error
  // naming the column when a value does not suit it.
  const std::vector<uint8_t>& Encode(const std::vector<vb::Variant>& values);

 private:
  void PutFixed(const ColumnLayout& column, const vb::Variant& value, uint8_t* at);
  void AppendVariable(const ColumnLayout& column, const vb::Variant& value);
  void AppendCount(size_t count);
  void AppendJet4Offsets();
  void AppendJet3Offsets();

  const TableLayout& layout_;
  const bool jet3_;
  const TextEncoder& text_;
  LongValueStore& longValues_;
  std::vector<uint8_t> row_;
  std::vector<uint8_t> nullMask_;
  std::vector<uint16_t> varOffsets_;
};

}  // namespace jetwriter
