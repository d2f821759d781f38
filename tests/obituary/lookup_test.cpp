// The record text's look-ups of the newspaper and the archive: their answers
// are kept while the window's connection lasts, never beyond it.
#include "apps/mournlight/MournlightIdentity.h"
#include "apps/mournlight/MournlightMainLayout.h"
#include "obituary/FRMMournlightMain.h"
#include "platform/win/Win.h"
#include "tests/testkit/mainwindow/MainWindowTest.h"
#include "tools/democd/Obituary.h"

#include <memory>

namespace {

class LookUpTest : public testkit::MainWindowTest {
 protected:
  void SetIdentity() override { mournlight::SetProgramIdentity(); }
  forms::Form& WindowForm() override { return window_->Form(); }
  void TearDown() override {
    // The window lets its connection go before the host goes.
    if (window_) window_->Form().Unload();
    window_.reset();
    MainWindowTest::TearDown();
  }

  // An obituary file whose one obituary names newspaper 1 and archive 1,
  // with the newspaper's publisher and the archive's name given.
  void WriteObituaryFile(const QString& nativePath, const QString& publisher,
                         const QString& archive) {
    democd::Record obituary;
    obituary["LastName"] = QStringLiteral("Wexler");
    obituary["NewsPubSourceID"] = vb::Variant(int32_t{1});
    obituary["ArchiveID"] = vb::Variant(int32_t{1});
    democd::Record source;
    source["newsid"] = vb::Variant(int32_t{1});
    source["Publisher"] = publisher;
    democd::Record archiveRow;
    archiveRow["ArchiveID"] = vb::Variant(int32_t{1});
    archiveRow["ArchiveName"] = archive;
    democd::WriteSqlite(
        nativePath,
        {democd::MakeSqlTable("ObitData", democd::ObitDataColumns(), {obituary}),
         democd::MakeSqlTable("SourcesSheet", {{"newsid", "INTEGER"}, {"Publisher", "TEXT"}},
                              {source}),
         democd::MakeSqlTable("ArchiveSheet", {{"ArchiveID", "INTEGER"}, {"ArchiveName", "TEXT"}},
                              {archiveRow}),
         democd::ObitVersionTable()});
  }

  void Start(const QString& commandLine) {
    win::SetCommandLineForTesting(commandLine);
    window_ = std::make_unique<obituary::FRMMournlightMain>(
        mournlight::FRMMournlightMainLayout());
    ShowWindow();
  }

  QString RecordText() { return Box("MournlightText").Text(); }

  std::unique_ptr<obituary::FRMMournlightMain> window_;
};

// A CD changed in the drive under the same path: the next search opens a new
// connection, and the record shows the new file's newspaper and archive.
TEST_F(LookUpTest, AnswersDoNotOutliveTheConnection) {
  const QString file = DataFolder() + "/obit.db";
  WriteObituaryFile(file, "Quillan Courier", "Village Library");
  Start(WriteLaunchFile("obit.db"));
  ASSERT_TRUE(RecordText().contains("Quillan Courier")) << RecordText().toStdString();
  ASSERT_TRUE(RecordText().contains("Archive Info.: Village Library")) << RecordText().toStdString();

  // Shown again on the same connection: the same answers.
  Button("Command13").Click();
  EXPECT_TRUE(RecordText().contains("Quillan Courier")) << RecordText().toStdString();

  WriteObituaryFile(file, "Tallbrook Gazette", "County Museum");
  Button("Command6").Click();
  EXPECT_TRUE(RecordText().contains("Tallbrook Gazette")) << RecordText().toStdString();
  EXPECT_TRUE(RecordText().contains("Archive Info.: County Museum")) << RecordText().toStdString();
  EXPECT_FALSE(RecordText().contains("Quillan Courier")) << RecordText().toStdString();
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

}  // namespace
