#pragma once
// Why a database file cannot be read, told apart as the database engine
// does: both database layers look at the path before they read the file, so
// that a file which is not there and one that this user may not read give
// different errors.
#include <string>

namespace sqlitedb {

enum class FileProblem {
  None,           // a file this user may read
  Missing,        // nothing of that name in an existing folder
  MissingFolder,  // the folder itself is not there
  NotAFile,       // a folder or another kind of entry
  Refused,        // there, but the system refuses this user: no permission
                  // on the file or on a folder of its path
};

// Opens the file at the native path for reading, as the engine would, and
// closes it again.
FileProblem ProblemReading(const std::string& nativePath);

// Whether a system error (errno) of an open says that access was refused.
bool IsAccessRefused(int systemError);

}  // namespace sqlitedb
