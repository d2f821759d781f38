#include "platform/win/FileLocks.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace win::locks {
namespace {

bool HasRecordLock(int fd) {
  struct flock probe = {};
  probe.l_type = F_WRLCK;  // asks for any conflicting lock; needs no write access
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;  // the whole file
  if (fcntl(fd, F_OFD_GETLK, &probe) != 0) {
    probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    if (fcntl(fd, F_GETLK, &probe) != 0) return false;
  }
  return probe.l_type != F_UNLCK;
}

bool HasWholeFileLock(int fd) {
  if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
    flock(fd, LOCK_UN);
    return false;
  }
  return errno == EWOULDBLOCK;
}

bool IsNumber(const char* text) {
  if (*text == '\0') return false;
  for (; *text; ++text) {
    if (*text < '0' || *text > '9') return false;
  }
  return true;
}

// True when a descriptor in /proc/<pid>/fd other than (self, skipFd) refers
// to the file.
bool ProcessHoldsFile(const std::string& pid, bool self, int skipFd,
                      const struct stat& file) {
  const std::string folder = "/proc/" + pid + "/fd";
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  bool holds = false;
  while (!holds) {
    const dirent* entry = readdir(dir);
    if (entry == nullptr) break;
    if (!IsNumber(entry->d_name)) continue;
    if (self && std::atoi(entry->d_name) == skipFd) continue;
    struct stat target;
    const std::string link = folder + "/" + entry->d_name;
    holds = stat(link.c_str(), &target) == 0 && target.st_dev == file.st_dev &&
            target.st_ino == file.st_ino;
  }
  closedir(dir);
  return holds;
}

}  // namespace

bool IsLockedElsewhere(int fd) { return HasRecordLock(fd) || HasWholeFileLock(fd); }

bool IsOpenElsewhere(int fd) {
  struct stat file;
  if (fstat(fd, &file) != 0) return false;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return false;
  const std::string self = std::to_string(getpid());
  bool held = false;
  while (!held) {
    const dirent* entry = readdir(proc);
    if (entry == nullptr) break;
    if (!IsNumber(entry->d_name)) continue;
    held = ProcessHoldsFile(entry->d_name, self == entry->d_name, fd, file);
  }
  closedir(proc);
  return held;
}

}  // namespace win::locks
