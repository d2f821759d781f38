#pragma once
// Turns one row of Variants into the bytes of a Jet 4 row: column count,
// fixed part, variable part, end-of-data offset, offset table (reversed),
// variable-column count and the null mask (where Booleans keep their value).
#include "platform/vb/Variant.h"
#include "tools/jetwriter/LongValues.h"
#include "tools/jetwriter/TableDefinition.h"

#include <cstdint>
#include <vector>

namespace jetwriter {

class RowEncoder {
 public:
  RowEncoder(const TableLayout& layout, LongValueStore& longValues);

  // The encoded row (valid until the next call); throws std::runtime_error
  // naming the column when a value does not suit it.
  const std::vector<uint8_t>& Encode(const std::vector<vb::Variant>& values);

 private:
  void PutFixed(const ColumnLayout& column, const vb::Variant& value, uint8_t* at);
  void AppendVariable(const ColumnLayout& column, const vb::Variant& value);

  const TableLayout& layout_;
  LongValueStore& longValues_;
  std::vector<uint8_t> row_;
  std::vector<uint8_t> nullMask_;
  std::vector<uint16_t> varOffsets_;
};

// A text as Jet 4 stores it: UCS-2, or "compressed unicode" where plain UCS-2
// would be taken for it (a text starting with U+FEFF).
std::vector<uint8_t> EncodeText(const QString& text);

}  // namespace jetwriter
