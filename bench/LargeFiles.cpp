#include "bench/LargeFiles.h"

#include "tools/democd/DemoCd.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <stdexcept>

namespace bench {

namespace {

void WriteOnce(const std::string& path, const std::function<void(const QString&)>& write) {
  if (std::filesystem::exists(path)) return;
  std::fprintf(stderr, "bench: writing %s\n", path.c_str());
  const std::string partial = path + ".partial";
  std::filesystem::remove(partial);
  write(QString::fromStdString(partial));
  std::filesystem::rename(partial, path);
}

void RequireFile(const std::string& path) {
  if (!std::filesystem::is_regular_file(path))
    throw std::runtime_error(path + " is missing (gl-bench-files writes it)");
}

}  // namespace

LargeFiles LargeFilesIn(const std::string& folder, int rows) {
  const std::string count = std::to_string(rows);
  return {folder + "/cemetery-" + count + ".mdb", folder + "/obituary-" + count + ".db"};
}

LargeFiles WriteLargeFiles(const std::string& folder, int rows) {
  std::filesystem::create_directories(folder);
  const LargeFiles files = LargeFilesIn(folder, rows);
  WriteOnce(files.cemetery, [rows](const QString& p) { democd::WriteLargeCemetery(p, rows); });
  WriteOnce(files.obituary, [rows](const QString& p) { democd::WriteLargeObituaries(p, rows); });
  return files;
}

LargeFiles ExistingLargeFiles(const std::string& folder, int rows) {
  const LargeFiles files = LargeFilesIn(folder, rows);
  RequireFile(files.cemetery);
  RequireFile(files.obituary);
  return files;
}

void GiveNewModificationTime(const std::string& path, int run) {
  const timespec times[2] = {{std::time(nullptr), 0}, {std::time(nullptr) - 100000, run}};
  if (utimensat(AT_FDCWD, path.c_str(), times, 0) != 0)
    throw std::runtime_error("cannot set the modification time of " + path);
}

}  // namespace bench
