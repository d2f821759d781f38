#pragma once
// A test with a temporary folder of its own and small helpers to write and
// read files in it and to name them in Windows form (with platform/win,
// which the tests that use it link as the layer they test or build on).
#include "platform/win/Win.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testutil {

class TempFolderTest : public ::testing::Test {
 protected:
  void Write(const QString& relative, const QByteArray& bytes) {
    QFile file(dir_.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray Read(const QString& relative) const {
    QFile file(dir_.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  // The file in Windows form, as the viewers' code names files.
  QString W(const QString& relative) const {
    return win::ToWindowsPath(dir_.path()) + "\\" + relative;
  }
  QString N(const QString& relative) const { return dir_.filePath(relative); }
  QTemporaryDir dir_;
};

}  // namespace testutil
