#include "platform/sqlite/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sqlitedb {

bool IsAccessRefused(int systemError) { return systemError == EACCES || systemError == EPERM; }

FileProblem ProblemReading(const std::string& nativePath) {
  struct stat st {};
  if (stat(nativePath.c_str(), &st) != 0) {
    if (IsAccessRefused(errno)) return FileProblem::Refused;
    const size_t slash = nativePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : nativePath.substr(0, slash + 1);
    const bool folderExists = stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    return folderExists ? FileProblem::Missing : FileProblem::MissingFolder;
  }
  if (!S_ISREG(st.st_mode)) return FileProblem::NotAFile;
  // The permission bits alone do not tell: the open also meets access
  // control lists and read-only mounts, and it is what the engine does.
  const int fd = open(nativePath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (IsAccessRefused(errno)) return FileProblem::Refused;
    return errno == ENOENT ? FileProblem::Missing : FileProblem::None;
  }
  close(fd);
  return FileProblem::None;
}

}  // namespace sqlitedb
