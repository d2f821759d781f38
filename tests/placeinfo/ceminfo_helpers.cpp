#include "CemInfoTest.h"

#include "tools/democd/Cemetery.h"

#include <QDir>

democd::Record CemInfoTest::Cem(const QString& name, const democd::Record& more) {
  democd::Record record = more;
  record.insert("Cemetery", name);
  return record;
}

std::vector<jetwriter::Column> CemInfoTest::CemSheetColumnsWithout(const QString& column) {
  std::vector<jetwriter::Column> columns;
  for (const auto& c : democd::CemSheetColumns())
    if (c.name != column) columns.push_back(c);
  return columns;
}

void CemInfoTest::TearDown() {
  info_.reset();
  GravelightTest::TearDown();
}

void CemInfoTest::StartWith(std::optional<std::vector<democd::Record>> cemSheet,
                            std::optional<std::vector<jetwriter::Column>> columns) {
  std::vector<jetwriter::Table> tables = {Sheet1({Burial("Smith", "Ann")}),
                                          Versht(QString("3.00"), QString("0"))};
  if (cemSheet)
    tables.push_back(
        democd::MakeTable("CemSheet", columns.value_or(democd::CemSheetColumns()), *cemSheet));
  WriteDatabase(tables);
  Start(WriteLaunchFile("cem.mdb"));
  ASSERT_EQ(Box("DataFilePathText").Text(), Win(DataFolder() + "/cem.mdb"));
}

placeinfo::CemInfo& CemInfoTest::Open(const QString& name,
                                      std::function<void(placeinfo::CemInfo&)> whileShown,
                                      std::optional<QString> databasePath) {
  promptsBefore_ = Host().MessageBoxes().size();
  info_ = std::make_unique<placeinfo::CemInfo>(Window().InfoOwner());
  info_->CemSearchName = name;
  info_->CemDatabaseFileAndPath = databasePath.value_or(Box("DataFilePathText").Text());
  Host().QueueModalScript([this, whileShown](QWidget&) {
    if (whileShown) whileShown(*info_);
  });
  info_->Show();
  return *info_;
}

QStringList CemInfoTest::OpenPrompts() const {
  return Prompts().mid(promptsBefore_);
}

void CemInfoTest::WritePicture(const QString& name, const QImage& image, const char* format) {
  QDir(DataFolder()).mkpath("KESTRO");
  ASSERT_TRUE(image.save(DataFolder() + "/KESTRO/" + name, format));
}

QImage CemInfoTest::Uniform(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}
