#include "GravelightFixture.h"

#include "apps/gravelight/GravelightIdentity.h"
#include "apps/gravelight/GravelightMainLayout.h"
#include "platform/vb/Conversions.h"
#include "platform/win/Win.h"
#include "support/Module2.h"
#include "tools/democd/Cemetery.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "gravelight-test";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

}  // namespace

void GravelightTest::SetUp() {
  App();
  ASSERT_TRUE(dir_.isValid());
  QDir(dir_.path()).mkpath("program");
  QDir(dir_.path()).mkpath("data");
  win::SetAppPathForTesting(Win(ProgramFolder()));
  gravelight::SetProgramIdentity();
  host_ = new forms::TestHost;
  forms::SetHost(std::unique_ptr<forms::Host>(host_));
}

void GravelightTest::TearDown() {
  if (window_) {
    try {
      window_->Form().Unload();
    } catch (...) {
    }
  }
  window_.reset();
  forms::SetHost(nullptr);
}

QString GravelightTest::ProgramFolder() const { return dir_.path() + "/program"; }
QString GravelightTest::DataFolder() const { return dir_.path() + "/data"; }
QString GravelightTest::Win(const QString& nativePath) { return win::ToWindowsPath(nativePath); }

QString GravelightTest::WriteDatabase(const std::vector<jetwriter::Table>& tables,
                                      const QString& name) {
  const QString path = DataFolder() + "/" + name;
  jetwriter::WriteMdb(path, tables);
  return Win(path);
}

jetwriter::Table GravelightTest::Sheet1(const std::vector<democd::Record>& rows) {
  // Rows may name their columns in any case, as the viewer's statements do.
  const auto columns = democd::Sheet1Columns();
  std::vector<democd::Record> spelled;
  for (const democd::Record& row : rows) {
    democd::Record record;
    for (auto it = row.begin(); it != row.end(); ++it) {
      QString name = it.key();
      for (const auto& column : columns)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) name = column.name;
      record.insert(name, it.value());
    }
    spelled.push_back(record);
  }
  return democd::MakeTable("Sheet1", columns, spelled);
}

jetwriter::Table GravelightTest::Versht(const vb::Variant& dbver, const vb::Variant& dbappinfo) {
  jetwriter::Table table;
  table.name = "VERSHT";
  table.columns = {{"dbver", jetwriter::ColumnType::Text, 50},
                   {"dbappinfo", jetwriter::ColumnType::Text, 50}};
  table.rows = {{dbver, dbappinfo}};
  return table;
}

void GravelightTest::WriteFile(const QString& nativePath, const QByteArray& content) {
  QFile file(nativePath);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(content);
}

QString GravelightTest::WriteLaunchFile(const QString& databaseName, const QString& fileName) {
  const QString path = DataFolder() + "/" + fileName;
  WriteFile(path, "[SETTING]\r\nDATAFILE=" + databaseName.toLatin1() + "\r\n");
  return Win(path);
}

void GravelightTest::WriteRememberIni(const QByteArray& content) {
  WriteFile(ProgramFolder() + "/remember.ini", content);
}

bool GravelightTest::RememberIniExists() const {
  return QFile::exists(ProgramFolder() + "/remember.ini");
}

QByteArray GravelightTest::RememberIniContent() const {
  QFile file(ProgramFolder() + "/remember.ini");
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString GravelightTest::RememberIniValue(const QString& key) const {
  return Module2::ReadINIValue("SETTING", key, "<missing>", Win(ProgramFolder() + "/remember.ini"));
}

democd::Record GravelightTest::Burial(const QString& last, const QString& given) {
  return {{"LastName", last}, {"Given", given},   {"Cemetery", QString("Oak Hill")},
          {"Section", QString("A")}, {"Row", QString("1")}, {"Lot", QString("1")},
          {"Stone", QString("1")}};
}

void GravelightTest::Start(const QString& commandLine) {
  win::SetCommandLineForTesting(commandLine);
  window_ = std::make_unique<browser::FormGravelightMain>(gravelight::FormGravelightMainForm(),
                                                           gravelight::FormGravelightMainControls());
  try {
    window_->Form().Show();
  } catch (const vb::ProgramEnded&) {
  }
}

QStringList GravelightTest::Prompts() const {
  QStringList prompts;
  for (const auto& box : host_->MessageBoxes()) prompts << box.prompt;
  return prompts;
}

QStringList GravelightTest::ErrorLogLines() const {
  QFile file(ProgramFolder() + "/Error_Gravelight_" +
             vb::FormatMMDDYYYY(QDateTime::currentDateTime()) + ".log");
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromLatin1(file.readAll()).split("\r\n");
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}
