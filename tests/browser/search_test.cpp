// The select-all search, its sort orders and fall-back, its messages, and the
// navigation buttons.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "platform/vb/Conversions.h"

namespace {

democd::Record Grave(const QString& last, const QString& given, const vb::Variant& row,
                     const QString& stone = "1", const QString& cemetery = "Oak Hill") {
  return {{"LASTNAME", last},          {"GIVEN", given},     {"Cemetery", cemetery},
          {"Section", QString("A")},   {"ROW", row},         {"LOT", QString("1")},
          {"STONE", stone}};
}

// The last names of the selection, in its order, from its first row.
QStringList LastNames(dao::Recordset& rs) {
  QStringList names;
  rs.MoveFirst();
  while (!rs.EOF_()) {
    names << vb::CStr(rs.Fields()("LASTNAME").Value());
    rs.MoveNext();
  }
  rs.MoveFirst();
  return names;
}

}  // namespace

class SelectAllTest : public GravelightTest {
 protected:
  void StartOn(const std::vector<democd::Record>& rows) {
    WriteDatabase({Sheet1(rows), Versht(QString("3.00"), QString("0"))});
    Start(WriteLaunchFile("cem.mdb"));
  }
  bool NavigationEnabled(const char* name) { return Button(name).Enabled(); }
};

TEST_F(SelectAllTest, PlacementOrderTakesRowsByTheirNumber) {
  StartOn({Grave("Ten", "A", QString("10")), Grave("Nine", "B", QString("9")),
           Grave("Two", "C", QString("2"), "1", "Ash Lawn")});
  ASSERT_NE(Window().MainRecordSet(), nullptr);
  EXPECT_EQ(LastNames(*Window().MainRecordSet()), QStringList({"Two", "Nine", "Ten"}));
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "3");
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  for (const char* name : {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext", "CMD_MoveLast"})
    EXPECT_TRUE(NavigationEnabled(name)) << name;
}

TEST_F(SelectAllTest, BlankRowFallsBackToTextOrderWithoutAWord) {
  StartOn({Grave("Ten", "A", QString("10")), Grave("Nine", "B", QString("9")),
           Grave("Blank", "C", vb::Variant::Null())});
  ASSERT_NE(Window().MainRecordSet(), nullptr);
  EXPECT_EQ(LastNames(*Window().MainRecordSet()), QStringList({"Blank", "Ten", "Nine"}));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(SelectAllTest, NameOrderSortsByLastThenGivenName) {
  StartOn({Grave("smith", "Bea", QString("1")), Grave("Adams", "Zed", QString("2")),
           Grave("Smith", "Al", QString("3"))});
  Window().Form().Get<forms::OptionButton>("SortOption1").SetValue(true);
  Window().CMD_SelectAll_Click();
  QStringList order;
  auto& rs = *Window().MainRecordSet();
  for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
    order << vb::CStr(rs.Fields()("GIVEN").Value());
  EXPECT_EQ(order, QStringList({"Zed", "Al", "Bea"}));
}

TEST_F(SelectAllTest, EmptyTableSaysSoAndDisablesNavigation) {
  StartOn({});
  EXPECT_EQ(Prompts(), QStringList({"No Results With Current Search Criteria"}));
  EXPECT_EQ(Host().MessageBoxes().at(0).title, "Gravelight");
  EXPECT_EQ(Host().MessageBoxes().at(0).flags, 0);
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "0");
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "0");
  for (const char* name : {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext", "CMD_MoveLast"})
    EXPECT_FALSE(NavigationEnabled(name)) << name;
  for (int i = 0; i <= 14; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "") << i;
  EXPECT_TRUE(Button("CMD_NameFindSort").Enabled());
}

TEST_F(SelectAllTest, MissingTableReportsTheEngineNumber) {
  WriteDatabase({Versht(QString("3.00"), QString("0"))});
  Start(WriteLaunchFile("cem.mdb"));
  EXPECT_EQ(Prompts(), QStringList({"Error:  3078"}));
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "0");
  EXPECT_FALSE(NavigationEnabled("CMD_MoveNext"));
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(SelectAllTest, OneRowStepsPastBothEndsAndBack) {
  StartOn({Grave("Only", "One", QString("1"))});
  auto& rs = *Window().MainRecordSet();
  Button("CMD_MoveNext").Click();
  EXPECT_FALSE(NavigationEnabled("CMD_MoveNext"));
  EXPECT_TRUE(rs.EOF_());
  Button("CMD_MovePrev").Click();
  EXPECT_TRUE(NavigationEnabled("CMD_MoveNext"));
  EXPECT_EQ(rs.AbsolutePosition(), 0);
  Button("CMD_MovePrev").Click();
  EXPECT_FALSE(NavigationEnabled("CMD_MovePrev"));
  EXPECT_TRUE(rs.BOF());
  Button("CMD_MoveNext").Click();  // back onto the first row
  EXPECT_EQ(rs.AbsolutePosition(), 0);
  EXPECT_TRUE(NavigationEnabled("CMD_MovePrev"));
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "1");
}

TEST_F(SelectAllTest, FirstAndLastLeaveTheOtherEndsButtonAlone) {
  StartOn({Grave("A", "1", QString("1")), Grave("B", "2", QString("2"))});
  auto& rs = *Window().MainRecordSet();
  Button("CMD_MoveLast").Click();
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_TRUE(NavigationEnabled("CMD_MoveNext"));
  Button("CMD_MoveFirst").Click();
  Button("CMD_MovePrev").Click();
  EXPECT_FALSE(NavigationEnabled("CMD_MovePrev"));
  EXPECT_TRUE(NavigationEnabled("CMD_MoveNext"));
}

TEST_F(SelectAllTest, StepBeyondAMarkerGoesToTheErrorLog) {
  StartOn({Grave("Only", "One", QString("1"))});
  Button("CMD_MoveNext").Click();  // past the end: no error
  Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Button("CMD_MoveNext").Click();  // beyond the marker: 3021
  ASSERT_EQ(Host().MessageBoxes().size(), 1u);
  EXPECT_EQ(Host().MessageBoxes().at(0).title, "Error Encountered");
  EXPECT_TRUE(Prompts().at(0).startsWith("Error 3021 (")) << Prompts().at(0).toStdString();
  EXPECT_TRUE(Prompts().at(0).contains(") Process: CMD_MoveNext_Click.FormGravelightMain ln# 0"));
  EXPECT_EQ(ErrorLogLines().size(), 1);
}
