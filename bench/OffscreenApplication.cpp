#include "bench/OffscreenApplication.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/forms/DefaultFont.h"

#include <QApplication>
#include <cstdlib>
#include <string>

namespace bench {

namespace {

// Sets the platform and, where the session has no runtime folder (as in a
// plain shell or a container), the one Qt would fall back to, so that Qt
// does not warn about it on every run.
void PrepareEnvironment() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR")) return;
  const std::string runtime = "/tmp/runtime-" + std::to_string(getuid());
  mkdir(runtime.c_str(), 0700);  // an existing folder is fine
  struct stat info {};
  if (stat(runtime.c_str(), &info) == 0 && info.st_uid == getuid() &&
      (info.st_mode & 0777) == 0700)
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
}

}  // namespace

void EnsureOffscreenApplication() {
  static int argc = 1;
  static char name[] = "gl-bench";
  static char* argv[] = {name, nullptr};
  static const bool prepared = (PrepareEnvironment(), true);
  static QApplication application(argc, argv);
  // The programs' own font, as their main functions set it: text layout
  // and the windows' look depend on it.
  static const bool fontSet = (forms::UseStandardFont(application), true);
  (void)prepared;
  (void)fontSet;
}

}  // namespace bench
