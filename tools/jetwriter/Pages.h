#pragma once
// The file as a sequence of pages, and the filling of data pages with rows
// (table rows, long values and usage maps all live in data pages).
#include "tools/jetwriter/Bytes.h"
#include "tools/jetwriter/Format.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace jetwriter {

class PageFile {
 public:
  explicit PageFile(size_t pageSize) : pageSize_(pageSize) {}
  size_t PageSize() const { return pageSize_; }
  // Appends a zeroed page and gives its number.
  uint32_t Allocate();
  uint8_t* Page(uint32_t number) { return bytes_.data() + size_t(number) * pageSize_; }
  uint32_t PageCount() const { return uint32_t(bytes_.size() / pageSize_); }
  // Writes all pages to the file, replacing it; throws std::runtime_error.
  void Save(const QString& nativePath) const;

 private:
  size_t pageSize_;
  std::vector<uint8_t> bytes_;
};

// A row's address: page number in the upper three bytes, row number below.
inline uint32_t RowPointer(uint32_t page, uint32_t row) { return (page << 8) | row; }

// Fills data pages of one owner with rows, stored from the end of each page
// towards its row-offset table; a new page starts when a row does not fit.
class RowPageWriter {
 public:
  // What long-value pages carry instead of a table definition page.
  static constexpr uint32_t kLongValueOwner = 0x4C41564C;  // "LVAL"

  // owner: the table definition page (or kLongValueOwner, or 0 for map
  // pages); firstPage: an already allocated page to fill first, or 0.
  RowPageWriter(PageFile& file, const Format& format, uint32_t owner, uint32_t firstPage = 0);

  // Stores the row and gives its address; throws when it exceeds the
  // format's MaxRowSize().
  uint32_t Add(const uint8_t* row, size_t size);
  uint32_t Add(const std::vector<uint8_t>& row) { return Add(row.data(), row.size()); }
  // The pages filled so far, in ascending order.
  const std::vector<uint32_t>& Pages() const { return pages_; }

 private:
  bool FitsOnCurrentPage(size_t size) const;
  void StartPage(uint32_t page);

  PageFile& file_;
  const size_t countOffset_;  // the row count; the row offsets follow it
  const size_t maxRowSize_;
  uint32_t owner_;
  std::vector<uint32_t> pages_;
  uint32_t rows_ = 0;     // rows on the current page
  size_t rowsStart_ = 0;  // where the lowest row of the current page begins
};

}  // namespace jetwriter
