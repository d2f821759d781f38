#pragma once
// The obituary viewer for the start-up tests (testkit::StartUpTest): its
// traits, and a database of one obituary.
#include "tests/testkit/mournlight/MournlightTest.h"

#include <array>

class MournlightStartUp : public MournlightTest {
 public:
  static constexpr char kTitle[] = "Mournlight";
  // Its keys in remember.ini, and the other viewer's lines in the same file.
  static constexpr char kFolderKey[] = "OBITDATAPATH";
  static constexpr char kFileKey[] = "OBITDATAFILEPATH";
  static constexpr char kOtherViewersLines[] =
      "DATAPATH=c:\\cem\\\r\nDATAFILEPATH=c:\\cem\\cem.mdb\r\n";
  static constexpr char kDefaultFile[] = "d:\\db1.db";
  static constexpr char kFilter[] = "Mournlight Data(*.db)|*.db";
  static constexpr char kFileName[] = "obit.db";
  static constexpr char kRecordsSelected[] = "Label17";
  static constexpr char kRecordNumber[] = "Label16";
  static constexpr std::array<const char*, 4> kNavigation = {"Command2", "Command3", "Command4",
                                                             "Command5"};

 protected:
  // ObitData with one obituary of this last name, the two sources and
  // archives, and VERSHT with this version.
  QString WriteDatabaseOf(const QString& name, const QString& last, const QString& version) {
    return WriteDatabase({ObitData({Obituary(last, "Ann")}), TwoSources(), TwoArchives(),
                          Versht(version)},
                         name);
  }
  void ExpectShows(const QString& last) { EXPECT_EQ(SelectedLastNames(), QStringList({last})); }
  // What stands for the selection the window holds: the record it shows.
  QString HeldSelection() { return ShownText(); }
};
