#pragma once
// How the exclusive-open test sees that a file is in use. The system's
// exclusive open (no sharing) fails while any other handle to the file is
// open. Here a file counts as in use when
// - a record lock (fcntl, process-associated or open-file-description) or a
//   whole-file lock (flock) is held on it by any open file description
//   other than the one probing, or
// - any open descriptor of any process we may inspect (/proc/<pid>/fd, our
//   own process included) other than the probing one refers to the same
//   file (same device and inode).
// Memory mappings without an open descriptor are not seen.
namespace win::locks {

// `fd` is a descriptor opened read-only by the caller for the probe.
bool IsLockedElsewhere(int fd);
bool IsOpenElsewhere(int fd);

}  // namespace win::locks
