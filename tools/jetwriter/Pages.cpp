#include "tools/jetwriter/Pages.h"

#include <QSaveFile>
#include <stdexcept>

namespace jetwriter {

namespace {
constexpr uint32_t kMaxRowsPerPage = 255;  // row numbers of addresses are one byte
}  // namespace

uint32_t PageFile::Allocate() {
  bytes_.resize(bytes_.size() + pageSize_, 0);
  return PageCount() - 1;
}

void PageFile::Save(const QString& nativePath) const {
  QSaveFile out(nativePath);
  out.setDirectWriteFallback(true);
  if (!out.open(QIODevice::WriteOnly))
    throw std::runtime_error("cannot create " + nativePath.toStdString() + ": " +
                             out.errorString().toStdString());
  if (out.write(reinterpret_cast<const char*>(bytes_.data()), qint64(bytes_.size())) !=
          qint64(bytes_.size()) ||
      !out.commit())
    throw std::runtime_error("cannot write " + nativePath.toStdString() + ": " +
                             out.errorString().toStdString());
}

RowPageWriter::RowPageWriter(PageFile& file, const Format& format, uint32_t owner,
                             uint32_t firstPage)
    : file_(file),
      countOffset_(format.rowCountOffset),
      maxRowSize_(format.MaxRowSize()),
      owner_(owner) {
  if (firstPage != 0) StartPage(firstPage);
}

bool RowPageWriter::FitsOnCurrentPage(size_t size) const {
  if (pages_.empty() || rows_ >= kMaxRowsPerPage) return false;
  size_t tableEnd = countOffset_ + 2 + 2 * (rows_ + 1);
  return tableEnd + size <= rowsStart_;
}

uint32_t RowPageWriter::Add(const uint8_t* row, size_t size) {
  if (size > maxRowSize_)
    throw std::runtime_error("a row of " + std::to_string(size) +
                             " bytes does not fit in a page");
  if (!FitsOnCurrentPage(size)) StartPage(file_.Allocate());
  uint32_t page = pages_.back();
  uint8_t* p = file_.Page(page);
  rowsStart_ -= size;
  std::copy(row, row + size, p + rowsStart_);
  PutU16(p + countOffset_ + 2 + 2 * rows_, uint32_t(rowsStart_));
  ++rows_;
  PutU16(p + countOffset_, rows_);
  PutU16(p + 2, uint32_t(rowsStart_ - (countOffset_ + 2 + 2 * rows_)));  // free space
  return RowPointer(page, rows_ - 1);
}

void RowPageWriter::StartPage(uint32_t page) {
  uint8_t* p = file_.Page(page);
  p[0] = 0x01;  // data page
  p[1] = 0x01;
  PutU16(p + 2, uint32_t(file_.PageSize() - countOffset_ - 2));  // free space
  PutU32(p + 4, owner_);
  pages_.push_back(page);
  rows_ = 0;
  rowsStart_ = file_.PageSize();
}

}  // namespace jetwriter
