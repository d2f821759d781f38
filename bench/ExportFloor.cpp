#include "bench/ExportFloor.h"

#include "bench/Figures.h"

#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace bench {

namespace {

void RunToDevNull(const char* program, std::vector<char*> args) {
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, program, &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error(std::string("cannot start ") + program);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error(std::string(program) + " failed");
}

}  // namespace

double MdbExportSeconds(const std::string& mdbPath, const std::string& table) {
  std::string file = mdbPath, name = table;
  std::string program = "mdb-export";
  return Seconds([&] { RunToDevNull(program.c_str(), {program.data(), file.data(), name.data()}); });
}

}  // namespace bench
