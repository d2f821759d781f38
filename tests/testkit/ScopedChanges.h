#pragma once
// Changes to the process's surroundings that a test makes and takes back:
// an environment variable, a folder without write permission.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

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

}  // namespace testutil
