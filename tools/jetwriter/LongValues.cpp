#include "tools/jetwriter/LongValues.h"

#include <stdexcept>

namespace jetwriter {

namespace {
constexpr uint32_t kInlineFlag = 0x80000000;
constexpr uint32_t kSingleRowFlag = 0x40000000;
constexpr size_t kMaxLength = 0x00FFFFFF;  // three bytes of length
constexpr size_t kNextPieceSize = 4;  // a chained piece: next piece's address, data

std::vector<uint8_t> Header(uint32_t lengthAndFlags, uint32_t pointer) {
  std::vector<uint8_t> field(LongValueStore::kFieldHeaderSize, 0);
  PutU32(field.data(), lengthAndFlags);
  PutU32(field.data() + 4, pointer);
  return field;
}
}  // namespace

std::vector<uint8_t> LongValueStore::Store(const std::vector<uint8_t>& value) {
  if (value.size() > kMaxLength) throw std::runtime_error("memo value too long");
  uint32_t length = uint32_t(value.size());
  if (value.size() <= kInlineLimit) {
    std::vector<uint8_t> field = Header(length | kInlineFlag, 0);
    field.insert(field.end(), value.begin(), value.end());
    return field;
  }
  if (value.size() <= maxRowSize_)
    return Header(length | kSingleRowFlag, pages_.Add(value));
  return Header(length, StoreChain(value));
}

// Writes the pieces last to first, so that each knows the address of the
// piece after it; gives the address of the first piece.
uint32_t LongValueStore::StoreChain(const std::vector<uint8_t>& value) {
  const size_t chunkSize = maxRowSize_ - kNextPieceSize;
  size_t pieces = (value.size() + chunkSize - 1) / chunkSize;
  uint32_t next = 0;
  std::vector<uint8_t> piece;
  for (size_t i = pieces; i-- > 0;) {
    size_t begin = i * chunkSize;
    size_t end = std::min(value.size(), begin + chunkSize);
    piece.clear();
    AppendU32(piece, next);
    piece.insert(piece.end(), value.begin() + begin, value.begin() + end);
    next = pages_.Add(piece);
  }
  return next;
}

}  // namespace jetwriter
