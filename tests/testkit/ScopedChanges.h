#pragma once
// Changes to the process's surroundings that a test makes and takes back:
// an environment variable, a folder without write permission, permission
// bits that bind the superuser too.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testutil {

// Sets (or, with nullptr, removes) an environment variable until the end of
// the scope.
class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(const char* name, const char* value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    if (value) {
      qputenv(name, value);
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedEnvironmentVariable() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

// Takes every write permission away from a folder (read and enter stay)
// until the end of the scope.
class ScopedReadOnlyFolder {
 public:
  explicit ScopedReadOnlyFolder(const QString& nativeFolder) : folder_(nativeFolder) {
    EXPECT_TRUE(QFile::setPermissions(folder_, kReadOnly));
  }
  ~ScopedReadOnlyFolder() { QFile::setPermissions(folder_, kReadOnly | QFile::WriteOwner); }
  ScopedReadOnlyFolder(const ScopedReadOnlyFolder&) = delete;
  ScopedReadOnlyFolder& operator=(const ScopedReadOnlyFolder&) = delete;

 private:
  static constexpr QFile::Permissions kReadOnly{
      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
      QFile::ReadOther | QFile::ExeOther};
  QString folder_;
};

// Makes the permission bits of files and folders bind the calling thread
// until the end of the scope, also when it runs as the superuser: takes the
// powers to read, write and enter whatever the bits say (CAP_DAC_OVERRIDE,
// CAP_DAC_READ_SEARCH) out of the thread's effective set, and gives them back
// at the end. A file without read permission then refuses to open as it
// would for any user, so tests of that refusal run under every account.
// Other users do not have these powers: for them nothing changes. Child
// processes forked meanwhile inherit the thread's set.
class ScopedPermissionChecks {
 public:
  ScopedPermissionChecks() {
    EXPECT_EQ(syscall(SYS_capget, &header_, saved_), 0);
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    EXPECT_EQ(syscall(SYS_capset, &header_, reduced), 0);
  }
  ~ScopedPermissionChecks() { syscall(SYS_capset, &header_, saved_); }
  ScopedPermissionChecks(const ScopedPermissionChecks&) = delete;
  ScopedPermissionChecks& operator=(const ScopedPermissionChecks&) = delete;

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
};

}  // namespace testutil
