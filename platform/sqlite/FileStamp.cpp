#include "platform/sqlite/FileStamp.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace sqlitedb {

std::optional<FileStamp> StampOf(const std::string& nativePath) {
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{int64_t(st.st_size),
                   int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::string FileKey(const std::string& nativePath) {
  char resolved[PATH_MAX];
  return realpath(nativePath.c_str(), resolved) ? resolved : nativePath;
}

}  // namespace sqlitedb
