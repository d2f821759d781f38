#pragma once
// A viewer's main window on a test host, with a program folder and a data
// folder of its own: remember.ini, launch files, the error log, the message
// boxes shown and the controls by name. Each viewer's fixture derives from
// it and makes its window.
#include "platform/forms/Forms.h"
#include "platform/forms/TestHost.h"
#include "tests/testkit/Printing.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace testkit {

class MainWindowTest : public ::testing::Test {
 public:
  // Windows form of a native path ("\tmp\x\data\cem.mdb").
  static QString Win(const QString& nativePath);
  static void WriteFile(const QString& nativePath, const QByteArray& content);

 protected:
  // Sets the program's identity (name, title, version) for the test.
  virtual void SetIdentity() = 0;
  // The window under test.
  virtual forms::Form& WindowForm() = 0;

  void SetUp() override;
  void TearDown() override;

  // Native folders; the program folder holds remember.ini and the error log.
  QString ProgramFolder() const;
  QString DataFolder() const;
  // The data folder in Windows form, with its trailing backslash.
  QString DataFolderWin() const { return Win(DataFolder()) + "\\"; }

  // A launch file in the data folder naming the database; its Windows path.
  QString WriteLaunchFile(const QString& databaseName, const QString& fileName = "go.ini");
  // remember.ini in the program folder, and what it holds.
  void WriteRememberIni(const QByteArray& content);
  bool RememberIniExists() const;
  QByteArray RememberIniContent() const;
  // A key of its section SETTING ("<missing>" when it is not there).
  QString RememberIniValue(const QString& key) const;

  forms::TestHost& Host() { return *host_; }
  // The prompts of every message box so far.
  QStringList Prompts() const;
  // The lines of today's error log of the program ("" when there is none).
  QStringList ErrorLogLines() const;

  // Controls of the window by name.
  forms::TextBox& Box(const QString& name) { return WindowForm().Get<forms::TextBox>(name); }
  forms::TextBox& Box(const QString& name, int index) {
    return WindowForm().Get<forms::TextBox>(name, index);
  }
  forms::Label& Lbl(const QString& name) { return WindowForm().Get<forms::Label>(name); }
  forms::CommandButton& Button(const QString& name) {
    return WindowForm().Get<forms::CommandButton>(name);
  }
  forms::CheckBox& Check(const QString& name) { return WindowForm().Get<forms::CheckBox>(name); }
  forms::Menu& MenuItem(const QString& name) { return WindowForm().Get<forms::Menu>(name); }

  // Shows the window as the program does (load first); the program's end
  // during the load is caught.
  void ShowWindow();
  // The command line the window's start-up reads.
  static void SetCommandLine(const QString& commandLine);

 private:
  QTemporaryDir dir_;
  forms::TestHost* host_ = nullptr;
};

// The fixture of a viewer whose main window is a `MainWindow`: the window
// made for the test, unloaded and dropped after it.
template <class MainWindow>
class ViewerTest : public MainWindowTest {
 protected:
  forms::Form& WindowForm() override { return window_->Form(); }
  void TearDown() override {
    if (window_) {
      try {
        window_->Form().Unload();
      } catch (...) {
      }
    }
    window_.reset();
    MainWindowTest::TearDown();
  }
  // Makes the window with this command line in force; it loads when shown.
  void MakeWindow(const QString& commandLine,
                  const std::function<std::unique_ptr<MainWindow>()>& make) {
    SetCommandLine(commandLine);
    window_ = make();
  }
  MainWindow& Window() { return *window_; }

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace testkit
