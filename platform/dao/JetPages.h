#pragma once
// Rows on a data page of a Jet file.
//
// Every offset and length below comes from the file. Each is checked against
// the page before anything is read through it: a value that does not fit is
// damage, and damage fails the whole read (error 3049), so that no value is
// ever read from outside its row or shown from the wrong bytes.
#include "platform/dao/JetMdb.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dao::reader {

inline constexpr uint8_t kDataPage = 0x01;

inline uint32_t U32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

struct PageFormat {
  size_t pageSize;
  size_t countOffset;  // where the page's row count stands; the row table follows
  bool jet4;
};

// One row of a data page: [start, start + size) lies inside the page, after
// its row table.
struct RowSpan {
  size_t start = 0;
  size_t size = 0;
  bool deleted = false;
};

// The page's row count, checked against the room its row table needs.
unsigned RowCount(const uint8_t* page, const PageFormat& fmt);

// Row `r` (below RowCount) of a data page. A row ends where the row before it
// starts (the first at the end of the page). A deleted row is reported as
// such without being checked further.
RowSpan LocateRow(const uint8_t* page, const PageFormat& fmt, unsigned r);

// The number of columns a row holds (its first byte or two), checked against
// the room its null mask and its table of variable columns take, so that the
// row's cracking reads only inside the row.
unsigned RowColumns(const uint8_t* page, const PageFormat& fmt, const RowSpan& row,
                    bool hasVariableColumns);

// The bytes of a value that libmdb found in the row: they must lie inside it.
void CheckInRow(const MdbField& f, const uint8_t* page, const RowSpan& row);

}  // namespace dao::reader
