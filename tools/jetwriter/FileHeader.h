#pragma once
// Page 0: the database definition page of a Jet 4 file.
#include <cstdint>

namespace jetwriter {

// Fills page 0 (zeroed, kPageSize bytes): format name, Jet 4 version, and the
// settings block that Jet keeps RC4-scrambled with a fixed key.
void WriteFileHeader(uint8_t* page);

}  // namespace jetwriter
