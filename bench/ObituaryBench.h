#pragma once
// Timing of the obituary viewer's select-all on a large ObitData.
#include <string>

namespace bench {

// A new connection on the file + the select-all in source order (the order
// the window starts with) + MoveToLast + MoveToFirst. The window opens a new
// connection for every search, so each run does too.
double ObituarySelectAllSeconds(const std::string& dbPath);

}  // namespace bench
