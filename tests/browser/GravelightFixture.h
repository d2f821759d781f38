#pragma once
// A cemetery viewer's main window on a test host, with a program folder and a
// data folder of its own and databases written by the Jet writer.
#include "browser/FormGravelightMain.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestHost.h"
#include "tools/democd/Record.h"
#include "tools/jetwriter/JetWriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// Texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class GravelightTest : public ::testing::Test {
 public:
  // Builders of fixture files and tables (also for case tables outside the
  // fixture).
  // Windows form of a native path ("\tmp\x\data\cem.mdb").
  static QString Win(const QString& nativePath);
  // Table Sheet1 in the current editor's layout with these rows (columns a
  // row does not name are Null; names match without regard to case).
  static jetwriter::Table Sheet1(const std::vector<democd::Record>& rows);
  static jetwriter::Table Versht(const vb::Variant& dbver, const vb::Variant& dbappinfo);
  static void WriteFile(const QString& nativePath, const QByteArray& content);
  // A burial with a last and a given name, in a grave of Oak Hill.
  static democd::Record Burial(const QString& last, const QString& given);

 protected:
  void SetUp() override;
  void TearDown() override;

  // Native folders; the program folder holds remember.ini and the error log.
  QString ProgramFolder() const;
  QString DataFolder() const;

  // Writes a database into the data folder; returns its Windows-form path.
  QString WriteDatabase(const std::vector<jetwriter::Table>& tables,
                        const QString& name = QStringLiteral("cem.mdb"));
  // A launch file in the data folder naming the database; its Windows path.
  QString WriteLaunchFile(const QString& databaseName, const QString& fileName = "go.ini");
  // remember.ini in the program folder, and what it holds.
  void WriteRememberIni(const QByteArray& content);
  bool RememberIniExists() const;
  QByteArray RememberIniContent() const;
  // A key of its section SETTING ("<missing>" when it is not there).
  QString RememberIniValue(const QString& key) const;

  // Creates the window with this command line and shows it (load first).
  void Start(const QString& commandLine);
  browser::FormGravelightMain& Window() { return *window_; }
  forms::TestHost& Host() { return *host_; }

  forms::TextBox& Box(const QString& name) { return window_->Form().Get<forms::TextBox>(name); }
  forms::TextBox& Box(const QString& name, int index) {
    return window_->Form().Get<forms::TextBox>(name, index);
  }
  forms::Label& Lbl(const QString& name) { return window_->Form().Get<forms::Label>(name); }
  forms::CommandButton& Button(const QString& name) {
    return window_->Form().Get<forms::CommandButton>(name);
  }
  forms::CheckBox& Check(const QString& name) {
    return window_->Form().Get<forms::CheckBox>(name);
  }
  forms::Menu& MenuItem(const QString& name) { return window_->Form().Get<forms::Menu>(name); }
  // The prompts of every message box so far.
  QStringList Prompts() const;
  // The lines of today's error log ("" when there is none).
  QStringList ErrorLogLines() const;

 private:
  QTemporaryDir dir_;
  forms::TestHost* host_ = nullptr;
  std::unique_ptr<browser::FormGravelightMain> window_;
};
