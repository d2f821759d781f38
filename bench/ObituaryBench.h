#pragma once
// Timing of the obituary viewer's select-all on a large ObitData.
#include <string>

namespace bench {

// A new connection on the file + the select-all in source order (the order
// the window starts with) + MoveToLast + MoveToFirst. The window opens a new
// connection for every search, so each run does too.
double ObituarySelectAllSeconds(const std::string& dbPath);

// What the check of a file at its first open in the process costs: the
// median first open (the check included) less the median later open, in
// milliseconds, over `runs` runs each.
double ObituaryFirstOpenCheckMilliseconds(const std::string& dbPath, int runs);

}  // namespace bench
