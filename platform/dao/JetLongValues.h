#pragma once
// Long values (memo, OLE) of a Jet file: the value behind a field's head,
// inline or on LVAL pages of the file.
#include "platform/dao/JetPages.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace dao::reader {

class LongValueReader {
 public:
  LongValueReader(MdbHandle* mdb, const PageFormat& fmt, size_t fileSize)
      : mdb_(mdb),
        fmt_(fmt),
        fileSize_(fileSize),
        pages_(fileSize / fmt.pageSize),
        maxSteps_(fileSize / 64 + 16) {}

  // The whole value behind a field's 12-byte head, read from its LVAL
  // page(s); a broken chain or a short value is damage.
  void Read(const uint8_t* field, int fieldSize, std::string& bytes);

 private:
  struct Row {
    const uint8_t* data;
    size_t size;
  };

  // A live row of a data page of the file, found by its page/row number.
  Row Find(uint32_t pageRow);
  // Each row of the chain starts with the page/row of the next one.
  void ReadChain(uint32_t pageRow, size_t length, std::string& bytes);

  MdbHandle* mdb_;
  PageFormat fmt_;
  size_t fileSize_;
  size_t pages_;
  size_t maxSteps_;
};

}  // namespace dao::reader
