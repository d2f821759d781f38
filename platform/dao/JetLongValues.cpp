#include "platform/dao/JetLongValues.h"

#include <algorithm>

namespace dao::reader {

namespace {

constexpr uint32_t kLongValueInline = 0x80000000u;
constexpr uint32_t kLongValueOnePage = 0x40000000u;
constexpr uint32_t kLongValueLengthMask = 0x3FFFFFFFu;
constexpr size_t kLongValueHeader = 12;

}  // namespace

void LongValueReader::Read(const uint8_t* field, int fieldSize, std::string& bytes) {
  if (fieldSize < int(kLongValueHeader)) Fail(kDamaged);
  const uint32_t head = U32(field);
  const size_t length = head & kLongValueLengthMask;
  if (length > fileSize_) Fail(kDamaged);
  bytes.clear();
  if (head & kLongValueInline) {
    if (size_t(fieldSize) - kLongValueHeader < length) Fail(kDamaged);
    bytes.assign(reinterpret_cast<const char*>(field + kLongValueHeader), length);
  } else if (head & kLongValueOnePage) {
    const Row row = Find(U32(field + 4));
    if (row.size < length) Fail(kDamaged);
    bytes.assign(reinterpret_cast<const char*>(row.data), length);
  } else {
    ReadChain(U32(field + 4), length, bytes);
  }
}

LongValueReader::Row LongValueReader::Find(uint32_t pageRow) {
  const uint32_t pageNumber = pageRow >> 8;
  if (pageNumber == 0 || pageNumber >= pages_) Fail(kDamaged);
  if (mdb_read_alt_pg(mdb_, pageNumber) != ssize_t(fmt_.pageSize)) Fail(kDamaged);
  const uint8_t* page = mdb_->alt_pg_buf;
  const unsigned r = pageRow & 0xFF;
  if (page[0] != kDataPage || r >= RowCount(page, fmt_)) Fail(kDamaged);
  const RowSpan row = LocateRow(page, fmt_, r);
  if (row.deleted) Fail(kDamaged);
  return Row{page + row.start, row.size};
}

void LongValueReader::ReadChain(uint32_t pageRow, size_t length, std::string& bytes) {
  size_t steps = 0;
  while (bytes.size() < length) {
    if (++steps > maxSteps_) Fail(kDamaged);
    const Row row = Find(pageRow);
    if (row.size < 4) Fail(kDamaged);
    const size_t take = std::min(row.size - 4, length - bytes.size());
    bytes.append(reinterpret_cast<const char*>(row.data + 4), take);
    pageRow = U32(row.data);
    if (pageRow == 0 && bytes.size() < length) Fail(kDamaged);
  }
}

}  // namespace dao::reader
