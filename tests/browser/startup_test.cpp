// Start-up of the cemetery viewer: where the database is found, what the
// user is told when it is not, and the version and labels it then reads.
#include "GravelightFixture.h"

#include "platform/win/Win.h"

#include <QFile>

namespace {

democd::Record Burial(const QString& last, const QString& given) {
  return {{"LASTNAME", last}, {"GIVEN", given}, {"Cemetery", QString("Oak Hill")},
          {"Section", QString("A")}, {"ROW", QString("1")}, {"LOT", QString("1")},
          {"STONE", QString("1")}};
}

}  // namespace

TEST_F(GravelightTest, LaunchFileNamesTheDatabaseBesideIt) {
  WriteDatabase({Sheet1({Burial("Smith", "Ann")}), Versht(QString("3.00"), QString("0"))});
  const QString launch = WriteLaunchFile("cem.mdb");
  Start(launch);
  EXPECT_EQ(Window().DataFilePath(), Win(DataFolder()) + "\\cem.mdb");
  EXPECT_EQ(Box("DataPathText").Text(), Win(DataFolder()) + "\\");
  EXPECT_EQ(Lbl("dbVersionLabel").Caption(), "3.00");
  EXPECT_EQ(Check("DbVersion2orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Check("DbVersion3orHigherCheckbox").Value(), 1);
  EXPECT_EQ(Box("Text6", 0).Text(), "Custom1");
  EXPECT_TRUE(Window().RememberIniPath().isEmpty());
  EXPECT_FALSE(QFile::exists(ProgramFolder() + "/remember.ini"));
}
