#pragma once
// Memo values: the 12-byte field a row holds, with the value itself inline
// for short values or in long-value (LVAL) pages for longer ones.
#include "tools/jetwriter/Pages.h"

#include <cstdint>
#include <vector>

namespace jetwriter {

class LongValueStore {
 public:
  static constexpr size_t kFieldHeaderSize = 12;
  // Values up to this many bytes stay in the row.
  static constexpr size_t kInlineLimit = 128;

  LongValueStore(PageFile& file, const Format& format)
      : pages_(file, format, RowPageWriter::kLongValueOwner), maxRowSize_(format.MaxRowSize()) {}

  // The row's field for the value (already encoded text): header plus the
  // inline bytes, or a header pointing at one long-value row, or at the
  // first of a chain of them.
  std::vector<uint8_t> Store(const std::vector<uint8_t>& value);

 private:
  uint32_t StoreChain(const std::vector<uint8_t>& value);

  RowPageWriter pages_;
  size_t maxRowSize_;
};

}  // namespace jetwriter
