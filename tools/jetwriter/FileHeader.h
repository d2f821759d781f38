#pragma once
// Page 0: the database definition page.
#include "tools/jetwriter/Format.h"

#include <cstdint>

namespace jetwriter {

// Fills page 0 (zeroed, one page): format name, Jet version, and the settings
// block (code page, sort order, no encryption) that Jet keeps RC4-scrambled
// with a fixed key.
void WriteFileHeader(uint8_t* page, const Format& format);

}  // namespace jetwriter
