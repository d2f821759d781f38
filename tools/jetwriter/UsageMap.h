#pragma once
// Usage maps: which pages hold a table's rows. A map covering a short run of
// pages keeps its bitmap in the map row itself (type 0; the row has 64 bytes
// in Jet 4, 128 in Jet 3); a longer one lists bitmap pages (type 1, page type
// 0x05), each covering a fixed range.
#include "tools/jetwriter/Pages.h"

#include <cstdint>
#include <vector>

namespace jetwriter {

// The map row for the pages (ascending); allocates bitmap pages when needed.
std::vector<uint8_t> UsageMapRow(PageFile& file, const Format& format,
                                 const std::vector<uint32_t>& pages);

}  // namespace jetwriter
