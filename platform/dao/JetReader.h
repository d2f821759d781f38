#pragma once
// Reads a Jet 3 or Jet 4 file with libmdb and builds an SQLite copy of its
// user tables. This runs in the reading child process (JetLoader): libmdb may
// crash or loop on a damaged file, and the parent outlives both.
#include "platform/dao/JetCatalog.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace dao {

// Shared with the parent, which ends the child when `ticks` stops moving.
struct ReadProgress {
  std::atomic<uint64_t> ticks{0};
  std::atomic<int> phase{0};  // ReadPhase
};

enum ReadPhase : int {
  kPhaseLoading = 0,  // reading the file's bytes (may wait on slow media)
  kPhaseDecoding = 1, // libmdb and SQLite at work
};

// A failure of the reading, with the engine's error number.
struct ReadFailure {
  int number;
};

// Reads the file, writes the SQLite image of the copy to `imageFd` and
// returns the catalog's tables. Throws ReadFailure.
std::vector<TableInfo> ReadJetFile(const std::string& nativePath, int imageFd,
                                   ReadProgress& progress);

}  // namespace dao
