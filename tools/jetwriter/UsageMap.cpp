#include "tools/jetwriter/UsageMap.h"

namespace jetwriter {

namespace {
constexpr size_t kInlineMapRowSize = 64;  // as Jet sizes its table maps
constexpr size_t kInlineBits = (kInlineMapRowSize - 5) * 8;
constexpr size_t kBitmapPageHeader = 4;
constexpr uint32_t kBitsPerBitmapPage = uint32_t((kPageSize - kBitmapPageHeader) * 8);

void SetBit(uint8_t* bitmap, uint32_t bit) { bitmap[bit / 8] |= uint8_t(1u << (bit % 8)); }

std::vector<uint8_t> InlineMap(const std::vector<uint32_t>& pages) {
  std::vector<uint8_t> row(kInlineMapRowSize, 0);
  uint32_t first = pages.empty() ? 0 : pages.front();
  row[0] = 0x00;
  PutU32(row.data() + 1, first);
  for (uint32_t page : pages) SetBit(row.data() + 5, page - first);
  return row;
}

std::vector<uint8_t> IndirectMap(PageFile& file, const std::vector<uint32_t>& pages) {
  uint32_t bitmaps = pages.back() / kBitsPerBitmapPage + 1;
  std::vector<uint8_t> row(1 + 4 * size_t(bitmaps), 0);
  row[0] = 0x01;
  std::vector<uint32_t> bitmapPage(bitmaps, 0);
  for (uint32_t page : pages) {
    uint32_t index = page / kBitsPerBitmapPage;
    if (bitmapPage[index] == 0) {
      bitmapPage[index] = file.Allocate();
      uint8_t* p = file.Page(bitmapPage[index]);
      p[0] = 0x05;
      p[1] = 0x01;
      PutU32(row.data() + 1 + 4 * index, bitmapPage[index]);
    }
    SetBit(file.Page(bitmapPage[index]) + kBitmapPageHeader, page % kBitsPerBitmapPage);
  }
  return row;
}
}  // namespace

std::vector<uint8_t> UsageMapRow(PageFile& file, const std::vector<uint32_t>& pages) {
  if (pages.empty() || pages.back() - pages.front() < kInlineBits) return InlineMap(pages);
  return IndirectMap(file, pages);
}

}  // namespace jetwriter
