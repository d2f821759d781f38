#pragma once
// The large generated databases the benchmark reads, kept in one folder.
#include <string>

namespace bench {

struct LargeFiles {
  std::string cemetery;  // native path of the .mdb (table Sheet1)
  std::string obituary;  // native path of the .db (table ObitData)
};

// Where the files with `rows` rows live below `folder`.
LargeFiles LargeFilesIn(const std::string& folder, int rows);

// Writes the files that are missing (each to a temporary name first, so an
// interrupted run never leaves a half-written file for reuse).
LargeFiles WriteLargeFiles(const std::string& folder, int rows);

// The files, or a std::runtime_error naming the one that is missing.
LargeFiles ExistingLargeFiles(const std::string& folder, int rows);

// Gives the file a modification time that no earlier `run` of this process
// gave it, so that the database engine, which keeps its in-memory copy of a
// file per path, size and modification time, reads it afresh.
void GiveNewModificationTime(const std::string& path, int run);

}  // namespace bench
