#include "tools/jetwriter/UsageMap.h"

namespace jetwriter {

namespace {
constexpr size_t kInlineMapHeader = 5;  // map type, first page
constexpr size_t kBitmapPageHeader = 4;

// As Jet sizes its table maps.
size_t InlineMapRowSize(const Format& format) { return format.IsJet3() ? 128 : 64; }

void SetBit(uint8_t* bitmap, uint32_t bit) { bitmap[bit / 8] |= uint8_t(1u << (bit % 8)); }

std::vector<uint8_t> InlineMap(const Format& format, const std::vector<uint32_t>& pages) {
  std::vector<uint8_t> row(InlineMapRowSize(format), 0);
  uint32_t first = pages.empty() ? 0 : pages.front();
  row[0] = 0x00;
  PutU32(row.data() + 1, first);
  for (uint32_t page : pages) SetBit(row.data() + kInlineMapHeader, page - first);
  return row;
}

std::vector<uint8_t> IndirectMap(PageFile& file, const std::vector<uint32_t>& pages) {
  const uint32_t bitsPerPage = uint32_t((file.PageSize() - kBitmapPageHeader) * 8);
  uint32_t bitmaps = pages.back() / bitsPerPage + 1;
  std::vector<uint8_t> row(1 + 4 * size_t(bitmaps), 0);
  row[0] = 0x01;
  std::vector<uint32_t> bitmapPage(bitmaps, 0);
  for (uint32_t page : pages) {
    uint32_t index = page / bitsPerPage;
    if (bitmapPage[index] == 0) {
      bitmapPage[index] = file.Allocate();
      uint8_t* p = file.Page(bitmapPage[index]);
      p[0] = 0x05;
      p[1] = 0x01;
      PutU32(row.data() + 1 + 4 * index, bitmapPage[index]);
    }
    SetBit(file.Page(bitmapPage[index]) + kBitmapPageHeader, page % bitsPerPage);
  }
  return row;
}
}  // namespace

std::vector<uint8_t> UsageMapRow(PageFile& file, const Format& format,
                                 const std::vector<uint32_t>& pages) {
  const size_t inlineBits = (InlineMapRowSize(format) - kInlineMapHeader) * 8;
  if (pages.empty() || pages.back() - pages.front() < inlineBits) return InlineMap(format, pages);
  return IndirectMap(file, pages);
}

}  // namespace jetwriter
