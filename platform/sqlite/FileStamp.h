#pragma once
// What tells one state of a file from another for the per-file memories of
// the database layers (the Jet copies, the checked obituary files): its size
// and modification time.
#include <cstdint>
#include <optional>
#include <string>

namespace sqlitedb {

struct FileStamp {
  int64_t size = 0;
  int64_t mtimeNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at the native path; none when it cannot be read.
std::optional<FileStamp> StampOf(const std::string& nativePath);

// The key of a file in those memories: its real path (the path as given when
// it cannot be resolved).
std::string FileKey(const std::string& nativePath);

}  // namespace sqlitedb
