#include "tools/jetwriter/Format.h"

#include <stdexcept>
#include <string>

namespace jetwriter {

Format FormatFor(const WriteOptions& options) {
  if (options.codePage < 1 || options.codePage > 0xFFFF)
    throw std::runtime_error("code page " + std::to_string(options.codePage) +
                             " is not a code page number");
  Format format;
  format.version = options.version;
  format.codePage = options.codePage;
  if (format.IsJet3()) {
    format.pageSize = 2048;
    format.rowCountOffset = 8;
  }
  return format;
}

}  // namespace jetwriter
