#include "platform/dao/JetPages.h"

namespace dao::reader {

namespace {

constexpr int kRowFlagDeleted = 0x4000;
constexpr int kRowOffsetMask = 0x1FFF;

}  // namespace

unsigned RowCount(const uint8_t* page, const PageFormat& fmt) {
  const unsigned count = U16(page + fmt.countOffset);
  if (fmt.countOffset + 2 + 2 * size_t(count) > fmt.pageSize) Fail(kDamaged);
  return count;
}

RowSpan LocateRow(const uint8_t* page, const PageFormat& fmt, unsigned r) {
  const size_t tableEnd = fmt.countOffset + 2 + 2 * (size_t(RowCount(page, fmt)));
  const unsigned entry = U16(page + fmt.countOffset + 2 + 2 * size_t(r));
  RowSpan row;
  row.deleted = (entry & kRowFlagDeleted) != 0;
  if (row.deleted) return row;
  const size_t start = entry & kRowOffsetMask;
  const size_t end =
      r == 0 ? fmt.pageSize : U16(page + fmt.countOffset + 2 * size_t(r)) & kRowOffsetMask;
  if (start < tableEnd || end > fmt.pageSize || start > end) Fail(kDamaged);
  row.start = start;
  row.size = end - start;
  return row;
}

unsigned RowColumns(const uint8_t* page, const PageFormat& fmt, const RowSpan& row,
                    bool hasVariableColumns) {
  const size_t countBytes = fmt.jet4 ? 2 : 1;
  if (row.size < countBytes + 1) Fail(kDamaged);
  const uint8_t* p = page + row.start;
  const unsigned columns = fmt.jet4 ? U16(p) : p[0];
  const size_t mask = (size_t(columns) + 7) / 8;
  if (countBytes + mask > row.size) Fail(kDamaged);
  if (!hasVariableColumns) return columns;
  // The variable columns' count and offsets stand before the null mask:
  // Jet 4 two bytes each (the count, then one more offset than columns),
  // Jet 3 one byte each, with a jump table of one byte per 256 bytes of row.
  const uint8_t* last = p + row.size - 1;
  size_t need = 0;
  if (fmt.jet4) {
    if (countBytes + mask + 2 > row.size) Fail(kDamaged);
    need = countBytes + mask + 2 + 2 * (size_t(U16(last - mask - 1)) + 1);
  } else {
    if (countBytes + mask + 1 > row.size) Fail(kDamaged);
    need = countBytes + mask + 1 + (row.size - 1) / 256 + size_t(*(last - mask)) + 1;
  }
  if (need > row.size) Fail(kDamaged);
  return columns;
}

void CheckInRow(const MdbField& f, const uint8_t* page, const RowSpan& row) {
  if (f.siz < 0 || f.start < 0 || size_t(f.start) < row.start ||
      size_t(f.start) + size_t(f.siz) > row.start + row.size || f.value != page + f.start)
    Fail(kDamaged);
}

}  // namespace dao::reader
