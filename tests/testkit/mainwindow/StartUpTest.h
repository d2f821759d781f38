#pragma once
// Start-up and the data-file choice on a viewer's main window: the steps
// and checks of the start-up tests. `Viewer` is the viewer's start-up
// fixture: its window fixture with the viewer's traits (title, the keys of
// remember.ini, default data file, the file dialog's filter, its database's
// file name, the controls that count, number and navigate the selection)
// and how it writes a database of one record and shows it
// (tests/testkit/gravelight/GravelightStartUp.h,
// tests/testkit/mournlight/MournlightStartUp.h).
#include "platform/forms/TestHost.h"
#include "platform/forms/UserActions.h"
#include "tests/testkit/Printing.h"

#include <QDir>
#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace testkit {

// The messages of a data file that is not found.
inline const QString kFileNotFound =
    QStringLiteral("File not found!\r\nPlease open database or Insert correct CD");
inline const QString kTryAgain = QStringLiteral("Do you want try to locate the file again?");

// A launch file named on the command line that cannot be read, and the
// error its open raises.
struct UnreadableLaunch {
  const char* name;
  QString (*commandLine)(const QString& dataFolderWin);
  int number;
  const char* description;
};
inline void PrintTo(const UnreadableLaunch& c, std::ostream* os) { *os << c.name; }
inline std::string NameOf(const ::testing::TestParamInfo<UnreadableLaunch>& info) {
  return info.param.name;
}

// The launch file missing, its folder missing, and a folder in its place.
inline std::vector<UnreadableLaunch> UnreadableLaunches() {
  return {
      {"Missing", [](const QString& d) { return d + "nothere.ini"; }, 53, "File not found"},
      {"MissingFolder", [](const QString& d) { return d + "no\\go.ini"; }, 76, "Path not found"},
      {"Folder", [](const QString& d) { return d.chopped(1); }, 75, "Path/File access error"}};
}

template <class Viewer>
class StartUpTest : public Viewer {
 protected:
  // A database of one record with this last name and version in the data
  // folder (`name` may name a subfolder); its Windows path.
  QString Database(const QString& version, const QString& last = QStringLiteral("Smith"),
                   const QString& name = Viewer::kFileName) {
    return this->WriteDatabaseOf(name, last, version);
  }
  // A database of one record, Jones, in a second data folder "other".
  QString OtherDatabase(const QString& version) {
    QDir(this->DataFolder()).mkpath("other");
    return Database(version, QStringLiteral("Jones"), QStringLiteral("other/") + Viewer::kFileName);
  }
  // remember.ini naming this data folder and file with the viewer's keys,
  // after the lines `before`.
  void Remember(const QString& dataPath, const QString& dataFile, const QString& before = {}) {
    this->WriteRememberIni(("[SETTING]\r\n" + before + Viewer::kFolderKey + "=" + dataPath +
                            "\r\n" + Viewer::kFileKey + "=" + dataFile + "\r\n")
                               .toUtf8());
  }

  void ExpectDataLocation(const QString& file, const QString& folder) {
    EXPECT_EQ(this->Window().DataFilePath(), file);
    EXPECT_EQ(this->Box("DataFilePathText").Text(), file);
    EXPECT_EQ(this->Box("DataPathText").Text(), folder);
  }
  // The window shows a database of one record: its version, the record
  // selected and shown as the first, the navigation on.
  void ExpectLoaded(const QString& last, const QString& version) {
    EXPECT_EQ(this->Lbl("dbVersionLabel").Caption(), version);
    EXPECT_EQ(this->Lbl(Viewer::kRecordsSelected).Caption(), "1");
    EXPECT_EQ(this->Lbl(Viewer::kRecordNumber).Caption(), "1");
    for (const char* name : Viewer::kNavigation)
      EXPECT_TRUE(this->Button(name).Enabled()) << name;
    this->ExpectShows(last);
  }

  void ChooseDataFile() { forms::user::Choose(this->MenuItem("mnuChooseDataCDDrive")); }
  // Nothing names a file that exists: the file dialog is cancelled, both
  // "File not found!" are acknowledged and "Try Again?" is answered No.
  void AnswerNothingFound() {
    this->Host().QueueFileDialogResult(std::nullopt);
    this->Host().QueueMessageBoxAnswer(forms::mb::OK);
    this->Host().QueueMessageBoxAnswer(forms::mb::OK);
    this->Host().QueueMessageBoxAnswer(forms::mb::No);
  }
  const forms::MessageBoxRequest& Shown(size_t i) { return this->Host().MessageBoxes().at(i); }
  void ExpectTryAgainQuestion(size_t i) {
    EXPECT_EQ(Shown(i).prompt, kTryAgain);
    EXPECT_EQ(Shown(i).flags, 276);
    EXPECT_EQ(Shown(i).title, "Try Again?");
  }
};

}  // namespace testkit
