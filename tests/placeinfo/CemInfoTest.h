#pragma once
// The cemetery information window opened on a cemetery database in the data
// folder of a started main window: table CemSheet as a test gives it, and
// pictures drawn into the data folder's KESTRO folder.
#include "placeinfo/CemInfo.h"
#include "tests/testkit/gravelight/GravelightTest.h"

#include <QImage>
#include <functional>
#include <memory>
#include <optional>

class CemInfoTest : public GravelightTest {
 public:
  // A CemSheet row of this cemetery with these further columns (the others
  // are Null).
  static democd::Record Cem(const QString& name, const democd::Record& more = {});
  // The CemSheet columns without the named one.
  static std::vector<jetwriter::Column> CemSheetColumnsWithout(const QString& column);

 protected:
  void TearDown() override;

  // Writes cem.mdb with a burial table, these CemSheet rows (no table when
  // nullopt) in these columns, and starts the main window on it.
  void StartWith(std::optional<std::vector<democd::Record>> cemSheet,
                 std::optional<std::vector<jetwriter::Column>> columns = std::nullopt);

  // Opens a new information window for this cemetery name (the database path
  // is the main window's) and shows it modally; `whileShown` runs during the
  // show. The window stays for the test to look at.
  placeinfo::CemInfo& Open(const QString& name,
                           std::function<void(placeinfo::CemInfo&)> whileShown = {},
                           std::optional<QString> databasePath = std::nullopt);
  placeinfo::CemInfo& Info() { return *info_; }

  // The information window's controls.
  forms::Image& Img(const QString& name) { return info_->Form().Get<forms::Image>(name); }
  forms::TextBox& InfoBox(const QString& name) {
    return info_->Form().Get<forms::TextBox>(name);
  }
  QString InfoText() { return InfoBox("CemInfo_Text").Text(); }

  // The prompts of the message boxes shown since the last Open began.
  QStringList OpenPrompts() const;

  // A picture file in the KESTRO folder of the data folder.
  void WritePicture(const QString& name, const QImage& image, const char* format = "PNG");
  static QImage Uniform(int width, int height, QColor color = QColor(40, 90, 160));

 private:
  std::unique_ptr<placeinfo::CemInfo> info_;
  qsizetype promptsBefore_ = 0;
};
