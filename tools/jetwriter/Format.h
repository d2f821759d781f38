#pragma once
// What differs between the Jet 3 and Jet 4 files the writer produces: page
// size, the data page header and the text code page.
#include "tools/jetwriter/JetWriter.h"

#include <cstddef>

namespace jetwriter {

struct Format {
  JetVersion version = JetVersion::Jet4;
  size_t pageSize = 4096;
  size_t rowCountOffset = 12;  // data pages: the row count, then the row offsets
  int codePage = 1252;

  bool IsJet3() const { return version == JetVersion::Jet3; }
  // The largest row an empty data page holds (its header, one row offset).
  size_t MaxRowSize() const { return pageSize - rowCountOffset - 2 - 2; }
};

// Throws std::runtime_error for a code page outside 1..65535.
Format FormatFor(const WriteOptions& options);

}  // namespace jetwriter
