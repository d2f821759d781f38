#pragma once
// The cemetery viewer for the start-up tests (testkit::StartUpTest): its
// traits, and a database of one burial.
#include "tests/testkit/gravelight/GravelightTest.h"

#include <array>

class GravelightStartUp : public GravelightTest {
 public:
  static constexpr char kTitle[] = "Gravelight";
  // Its keys in remember.ini, and the other viewer's lines in the same file.
  static constexpr char kFolderKey[] = "DATAPATH";
  static constexpr char kFileKey[] = "DATAFILEPATH";
  static constexpr char kOtherViewersLines[] =
      "OBITDATAPATH=c:\\obit\\\r\nOBITDATAFILEPATH=c:\\obit\\obit.db\r\n";
  static constexpr char kDefaultFile[] = "d:\\db1.mdb";
  static constexpr char kFilter[] = "Gravelight Data(*.mdb)|*.mdb";
  static constexpr char kFileName[] = "cem.mdb";
  static constexpr char kRecordsSelected[] = "LBL_RecordsSelected";
  static constexpr char kRecordNumber[] = "LBL_NavCurrentRecordNumber";
  static constexpr std::array<const char*, 4> kNavigation = {"CMD_MoveFirst", "CMD_MovePrev",
                                                             "CMD_MoveNext", "CMD_MoveLast"};

 protected:
  // Sheet1 with one burial of this last name, and VERSHT with this version.
  QString WriteDatabaseOf(const QString& name, const QString& last, const QString& version) {
    return WriteDatabase({Sheet1({Burial(last, "Ann")}), Versht(version, QString("0"))}, name);
  }
  void ExpectShows(const QString& last) { EXPECT_EQ(Box("txtfields", 1).Text(), last); }
  // What stands for the selection the window holds: its recordset.
  const void* HeldSelection() { return Window().MainRecordSet(); }
};
