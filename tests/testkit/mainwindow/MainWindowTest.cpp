#include "tests/testkit/mainwindow/MainWindowTest.h"

#include "platform/vb/Conversions.h"
#include "platform/win/Win.h"
#include "support/AppIdentity.h"
#include "support/Module2.h"
#include "tests/testkit/windows/Application.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace testkit {

void MainWindowTest::SetUp() {
  EnsureApplication();
  ASSERT_TRUE(dir_.isValid());
  QDir(dir_.path()).mkpath("program");
  QDir(dir_.path()).mkpath("data");
  win::SetAppPathForTesting(Win(ProgramFolder()));
  SetIdentity();
  host_ = new forms::TestHost;
  forms::SetHost(std::unique_ptr<forms::Host>(host_));
}

void MainWindowTest::TearDown() { forms::SetHost(nullptr); }

QString MainWindowTest::ProgramFolder() const { return dir_.path() + "/program"; }
QString MainWindowTest::DataFolder() const { return dir_.path() + "/data"; }
QString MainWindowTest::Win(const QString& nativePath) { return win::ToWindowsPath(nativePath); }

void MainWindowTest::WriteFile(const QString& nativePath, const QByteArray& content) {
  QFile file(nativePath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(content);
}

QString MainWindowTest::WriteLaunchFile(const QString& databaseName, const QString& fileName) {
  const QString path = DataFolder() + "/" + fileName;
  WriteFile(path, "[SETTING]\r\nDATAFILE=" + databaseName.toUtf8() + "\r\n");
  return Win(path);
}

void MainWindowTest::WriteRememberIni(const QByteArray& content) {
  WriteFile(ProgramFolder() + "/remember.ini", content);
}

bool MainWindowTest::RememberIniExists() const {
  return QFile::exists(ProgramFolder() + "/remember.ini");
}

QByteArray MainWindowTest::RememberIniContent() const {
  QFile file(ProgramFolder() + "/remember.ini");
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString MainWindowTest::RememberIniValue(const QString& key) const {
  return Module2::ReadINIValue("SETTING", key, "<missing>", Win(ProgramFolder() + "/remember.ini"));
}

QStringList MainWindowTest::Prompts() const {
  QStringList prompts;
  for (const auto& box : host_->MessageBoxes()) prompts << box.prompt;
  return prompts;
}

QStringList MainWindowTest::ErrorLogLines() const {
  QFile file(ProgramFolder() + "/Error_" + AppIdentity::Current().name + "_" +
             vb::FormatMMDDYYYY(QDateTime::currentDateTime()) + ".log");
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

void MainWindowTest::SetCommandLine(const QString& commandLine) {
  win::SetCommandLineForTesting(commandLine);
}

void MainWindowTest::ShowWindow() {
  try {
    WindowForm().Show();
  } catch (const vb::ProgramEnded&) {
  }
}

}  // namespace testkit
