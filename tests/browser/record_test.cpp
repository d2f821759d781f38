// The record loader of the cemetery viewer: the field boxes, the three
// record-text layouts, the position label and the picture buttons.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "tools/democd/Cemetery.h"

#include <QDir>
#include <algorithm>

namespace {

// Which version flags the database sets: "3.00" both, "2.00" the first,
// none without a version table (LastName of 50 characters reads "1.56").
enum class Version { V1, V2, V3 };

// Table Sheet1 in the current layout without the named columns. A row that
// gives IsVeteran as text makes that column a text column, so that blanks
// around "1" can be stored.
jetwriter::Table Sheet1Of(const std::vector<democd::Record>& rows,
                          const QStringList& without = {}) {
  std::vector<jetwriter::Column> columns = democd::Sheet1Columns();
  std::erase_if(columns, [&](const jetwriter::Column& c) { return without.contains(c.name); });
  const bool veteranAsText = std::any_of(rows.begin(), rows.end(), [](const democd::Record& r) {
    return r.value("IsVeteran").type() == vb::Variant::Type::String;
  });
  for (auto& c : columns)
    if (c.name == "IsVeteran" && veteranAsText) c = {c.name, jetwriter::ColumnType::Text, 10};
  return democd::MakeTable("Sheet1", columns, rows);
}

const QStringList kVersion2Columns = {"Relationship", "BirthPlace", "DeathPlace", "StoneType",
                                      "StoneCondition", "Custom1", "Custom2", "Custom3",
                                      "Custom4", "Custom5", "IsVeteran", "VetInfo",
                                      "Inscriptions"};
const QStringList kVersion3Columns = {"Owner", "PurchDate", "BurialDate"};

// A record with every column of the layout; several values carry blanks.
democd::Record Full() {
  return {{"ID", int32_t{7}},
          {"LastName", QString("Smith ")},
          {"Given", QString("Ann Marie")},
          {"Birth", QString("03/04/1850")},
          {"Death", QString("05/06/1920")},
          {"YR", int16_t{70}},
          {"MO", int16_t{2}},
          {"DA", int16_t{1}},
          {"Row", QString("4")},
          {"Lot", QString("12")},
          {"Stone", QString("3")},
          {"Notes", QString("Wife of John")},
          {"Other", QString("Read 1998")},
          {"Section", QString(" North ")},
          {"Cemetery", QString("Oak Hill")},
          {"Relationship", QString(" Wife ")},
          {"BirthPlace", QString(" Ohio ")},
          {"DeathPlace", QString("Iowa  ")},
          {"StoneType", QString(" Granite")},
          {"StoneCondition", QString("Good ")},
          {"Custom1", QString(" Plot 9 ")},
          {"Custom3", QString("x")},
          {"IsVeteran", int16_t{1}},
          {"VetInfo", QString(" GAR ")},
          {"Inscriptions", QString("  At rest  ")},
          {"Owner", QString(" J. Smith ")},
          {"PurchDate", QString(" 1880 ")},
          {"BurialDate", QString(" 05/09/1920 ")},
          {"Pix1", QString("A0000001.JPG")},
          {"Pix2", QString("A0000002.JPG")},
          {"Pix3", QString("A0000003.JPG")}};
}

democd::Record With(democd::Record r, const QString& column, const vb::Variant& value) {
  r[column] = value;
  return r;
}

// The parts of the full record's text.
const QString kFullHead =
    "Cemetery: Oak Hill\r\n  Section:  North , Lot:  12, Row: 4, Stone: 3\r\n\r\n"
    "Name: Smith , Ann Marie\r\n\r\n";
const QString kFullDates =
    "Birth: 03/04/1850, Birth Place: Ohio\r\n"
    "Death: 05/06/1920, Place of death: Iowa\r\n"
    "Aged:  70 Years, 2 Months, 1 Days, \r\n\r\n"
    "Relationship: Wife\r\n"
    "VETERAN: VetInfo: GAR\r\n"
    "Notes:  Wife of John\r\n\r\n"
    "Other:  Read 1998\r\n"
    "Stone Type: Granite\r\n";
const QString kFullCustomAndInscriptions =
    " Plot : Plot 9\r\nCustom3: x\r\nInscriptions:  At rest\r\n";

// The parts of the text of a row whose columns are all Null.
const QString kNullHead =
    "Cemetery: \r\n  Section: , Lot:  , Row: , Stone: \r\n\r\nName: , \r\n\r\n";
const QString kNullAge = "Aged:   Years,  Months,  Days, \r\n\r\n";
const QString kNullNotes = "Notes:  \r\n\r\nOther:  \r\n";
QString NullText(const QString& birthAndDeath, const QString& middle, const QString& tail) {
  return kNullHead + birthAndDeath + kNullAge + middle + kNullNotes + tail;
}
const QString kNullBirthAndDeath = "Birth: \r\nDeath: \r\n";
const QString kNullInscriptions = "Inscriptions:  \r\n";

struct LayoutCase {
  const char* name;
  Version version;
  democd::Record row;
  QString text;
};
void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

std::vector<LayoutCase> LayoutCases() {
  return {
      {"FullRecordLayoutA", Version::V3, Full(),
       kFullHead + kFullDates +
           "Stone Condition: Good\r\n\r\n"
           "Grave/Plot Owner: J. Smith\r\nPurchase Date: 1880\r\nBurial Date: 05/09/1920\r\n\r\n" +
           kFullCustomAndInscriptions},
      {"FullRecordLayoutB", Version::V2, Full(),
       kFullHead + kFullDates + "Stone Condition: Good\r\n" + kFullCustomAndInscriptions},
      {"FullRecordLayoutC", Version::V1, Full(),
       kFullHead +
           "Birth: 03/04/1850\r\nDeath: 05/06/1920\r\nAged:  70 Years, 2 Months, 1 Days, \r\n\r\n"
           "Notes:  Wife of John\r\n\r\nOther:  Read 1998\r\n"},
      {"NullRowLayoutA", Version::V3, {}, NullText(kNullBirthAndDeath, "", kNullInscriptions)},
      {"NullRowLayoutB", Version::V2, {}, NullText(kNullBirthAndDeath, "", kNullInscriptions)},
      {"NullRowLayoutC", Version::V1, {}, NullText(kNullBirthAndDeath, "", "")},
      // The conditions take the box as it stands; the value goes in trimmed.
      {"BlankBirthPlaceCountsAsGiven", Version::V2, {{"BirthPlace", QString("   ")}},
       NullText("Birth: , Birth Place: \r\nDeath: \r\n", "", kNullInscriptions)},
      {"BlankVetInfoCountsAsGiven", Version::V3,
       {{"IsVeteran", int16_t{0}}, {"VetInfo", QString("   ")}},
       NullText(kNullBirthAndDeath, "VetInfo: \r\n", kNullInscriptions)},
      {"VeteranWithoutVetInfo", Version::V3, {{"IsVeteran", int16_t{1}}},
       NullText(kNullBirthAndDeath, "VETERAN: VetInfo: \r\n", kNullInscriptions)},
      {"VeteranFlagIsComparedUntrimmed", Version::V3,
       {{"IsVeteran", QString(" 1")}, {"VetInfo", QString(" GAR ")}},
       NullText(kNullBirthAndDeath, "VetInfo: GAR\r\n", kNullInscriptions)},
      {"VeteranFlagWithTrailingBlankIsNoVeteran", Version::V2, {{"IsVeteran", QString("1 ")}},
       NullText(kNullBirthAndDeath, "", kNullInscriptions)},
      {"OwnerLinesOnlyForTheirValues", Version::V3,
       {{"PurchDate", QString("1880")}, {"StoneCondition", QString("Fair")}},
       NullText(kNullBirthAndDeath, "",
                "Stone Condition: Fair\r\n\r\nPurchase Date: 1880\r\n" + kNullInscriptions)},
  };
}

class RecordTest : public GravelightTest {
 protected:
  // Writes the database with a picture folder beside it (so that picture
  // names stay as the record gives them) and starts the window on it.
  void Open(Version version, const jetwriter::Table& sheet1, bool pictureFolder = true) {
    std::vector<jetwriter::Table> tables = {sheet1};
    if (version == Version::V3) tables.push_back(Versht(QString("3.00"), QString("0")));
    if (version == Version::V2) tables.push_back(Versht(QString("2.00"), QString("0")));
    WriteDatabase(tables);
    if (pictureFolder) QDir(DataFolder()).mkpath("KESTRO");
    Start(WriteLaunchFile("cem.mdb"));
  }
  bool Reload() {
    dao::Recordset* selection = Window().MainRecordSet();
    return Window().LoadDataToBox(selection);
  }
  const QString& RecordText() { return Box("IndividualsTextbox").Text(); }
  void QueueAnswers(int answer, int count) {
    for (int i = 0; i < count; ++i) Host().QueueMessageBoxAnswer(answer);
  }
  // Every message box so far was the loader's error answer.
  void ExpectErrorAnswers(size_t count) {
    ASSERT_EQ(Host().MessageBoxes().size(), count);
    for (const auto& box : Host().MessageBoxes()) {
      EXPECT_EQ(box.title, "Error Encountered");
      EXPECT_TRUE(box.prompt.contains("Process: LoadDataToBox.FormGravelightMain")) << box.prompt.toStdString();
    }
    EXPECT_EQ(Host().PendingMessageBoxAnswers(), 0u);
    EXPECT_EQ(ErrorLogLines().size(), static_cast<qsizetype>(count));
  }
};

class RecordLayoutTest : public RecordTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(RecordLayoutTest, ComposesTheRecordText) {
  const LayoutCase& c = GetParam();
  Open(c.version, Sheet1Of({c.row}));
  EXPECT_TRUE(Host().MessageBoxes().empty());
  // Labels go in as they are, blanks included.
  Box("Text6", 0).SetText(" Plot ");
  EXPECT_TRUE(Reload());
  EXPECT_EQ(RecordText(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Layouts, RecordLayoutTest, ::testing::ValuesIn(LayoutCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordTest, FillsTheFieldBoxesAndShowsThePosition) {
  Open(Version::V3, Sheet1Of({Full(), With(Full(), "Row", QString("5")),
                              With(Full(), "Row", QString("6"))}));
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "1");
  EXPECT_EQ(Box("txtfields", 0).Text(), "7");
  EXPECT_EQ(Box("txtfields", 5).Text(), "70");
  EXPECT_EQ(Box("txtfields", 13).Text(), " North ");
  EXPECT_EQ(Box("txtfields", 14).Text(), "Oak Hill");
  EXPECT_EQ(Box("txtfields", 15).Text(), " Wife ");
  EXPECT_EQ(Box("txtfields", 21).Text(), "");  // Null
  EXPECT_EQ(Box("txtfields", 25).Text(), "1");
  for (int i = 28; i <= 33; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "") << i;
  EXPECT_EQ(Box("txtfields", 34).Text(), " J. Smith ");
  EXPECT_EQ(Box("txtfields", 36).Text(), " 05/09/1920 ");
  EXPECT_EQ(Box("PicText1").Text(), "A0000001.JPG");
  EXPECT_EQ(Box("PicText3").Text(), "A0000003.JPG");

  Button("CMD_MoveNext").Click();
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "2");
  EXPECT_EQ(Box("txtfields", 8).Text(), "5");
  Button("CMD_MoveLast").Click();
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "3");
  EXPECT_EQ(Lbl("LBL_RecordsSelected").Caption(), "3");

  // The flags are read afresh: without the version-3 flag the owner's boxes
  // are emptied and the text takes layout B.
  Check("DbVersion3orHigherCheckbox").SetValue(0);
  EXPECT_TRUE(Reload());
  for (int i = 34; i <= 36; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "") << i;
  EXPECT_FALSE(RecordText().contains("Grave/Plot Owner"));
  EXPECT_TRUE(RecordText().contains("Stone Condition: Good\r\nCustom1: Plot 9"));
  // ... and without either flag every version-2 box is emptied too.
  Check("DbVersion2orHigherCheckbox").SetValue(0);
  EXPECT_TRUE(Reload());
  for (int i = 15; i <= 36; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "") << i;
  EXPECT_TRUE(Host().MessageBoxes().empty());
}

TEST_F(RecordTest, PictureButtonsNeedEightCharacters) {
  const democd::Record first = With(With(With(Full(), "Pix1", QString("ABCDEFG")), "Pix2",
                                         QString("ABCDEFGH")),
                                    "Pix3", vb::Variant::Null());
  const democd::Record second = With(With(With(Full(), "Pix1", QString("ABCDEFGH")), "Pix2",
                                          QString("ABCDEFG")),
                                     "Pix3", QString("ABCDEFGHI"));
  Open(Version::V1, Sheet1Of({With(first, "Row", QString("1")), With(second, "Row", QString("2"))}));
  EXPECT_FALSE(Button("CMD_ViewImage1").Enabled());
  EXPECT_TRUE(Button("CMD_ViewImage2").Enabled());
  EXPECT_FALSE(Button("CMD_ViewImage3").Enabled());
  Button("CMD_MoveNext").Click();
  EXPECT_TRUE(Button("CMD_ViewImage1").Enabled());
  EXPECT_FALSE(Button("CMD_ViewImage2").Enabled());
  EXPECT_TRUE(Button("CMD_ViewImage3").Enabled());
}

// Without a picture folder the viewer puts its fall-back name into PicText1
// each time the loader sets the record's name; the button then follows the
// fall-back's 7 characters.
TEST_F(RecordTest, FallbackPictureNameDisablesTheFirstButton) {
  Open(Version::V3, Sheet1Of({Full()}), false);
  EXPECT_EQ(Box("PicText1").Text(), "A99.JPG");
  EXPECT_FALSE(Button("CMD_ViewImage1").Enabled());
  EXPECT_TRUE(Button("CMD_ViewImage2").Enabled());
  EXPECT_TRUE(Host().MessageBoxes().empty());
}

// ---- Tables that lack the columns the flags promise ----------------------------------

// Version-3 flags over a table without the version-2 and version-3 columns
// and without Notes: one answer per failing unit (13 + 3 boxes, box 11 and
// the notes piece); ignored boxes keep their design text.
TEST_F(RecordTest, IgnoredReadsKeepTheBoxText) {
  QStringList missing = kVersion2Columns + kVersion3Columns;
  missing << "Notes";
  QueueAnswers(forms::mb::Ignore, 18);
  Open(Version::V3, Sheet1Of({Full(), With(Full(), "Row", QString("5"))}, missing));
  ExpectErrorAnswers(18);
  EXPECT_TRUE(Host().MessageBoxes().front().prompt.contains("Error 3265")) << Prompts().front().toStdString();
  for (int i = 15; i <= 27; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "Text1") << i;
  for (int i = 34; i <= 36; ++i) EXPECT_EQ(Box("txtfields", i).Text(), "Text1") << i;
  EXPECT_EQ(Box("txtfields", 11).Text(), "");  // emptied by the search before the load
  EXPECT_EQ(RecordText(),
            kFullHead +
                "Birth: 03/04/1850, Birth Place: Text1\r\n"
                "Death: 05/06/1920, Place of death: Text1\r\n"
                "Aged:  70 Years, 2 Months, 1 Days, \r\n\r\n"
                "Relationship: Text1\r\nVetInfo: Text1\r\n"
                "Other:  Read 1998\r\n"
                "Stone Type: Text1\r\nStone Condition: Text1\r\n\r\n"
                "Grave/Plot Owner: Text1\r\nPurchase Date: Text1\r\nBurial Date: Text1\r\n\r\n"
                "Custom1: Text1\r\nCustom2: Text1\r\nCustom3: Text1\r\nCustom4: Text1\r\n"
                "Custom5: Text1\r\nInscriptions:  Text1\r\n");
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "1");
  EXPECT_TRUE(Button("CMD_ViewImage1").Enabled());

  // The window stays usable: the next record loads the same way.
  QueueAnswers(forms::mb::Ignore, 18);
  Button("CMD_MoveNext").Click();
  ExpectErrorAnswers(36);
  EXPECT_EQ(Lbl("LBL_NavCurrentRecordNumber").Caption(), "2");
  EXPECT_EQ(Box("txtfields", 8).Text(), "5");
}

// Retry runs the failing unit again; the failing piece appends nothing.
TEST_F(RecordTest, RetryRepeatsTheFailingUnit) {
  for (int answer : {forms::mb::Retry, forms::mb::Retry, forms::mb::Ignore, forms::mb::Ignore})
    Host().QueueMessageBoxAnswer(answer);
  Open(Version::V1, Sheet1Of({Full()}, {"Notes"}));
  ExpectErrorAnswers(4);  // box 11 three times, then the notes piece
  EXPECT_EQ(RecordText(),
            kFullHead +
                "Birth: 03/04/1850\r\nDeath: 05/06/1920\r\n"
                "Aged:  70 Years, 2 Months, 1 Days, \r\n\r\nOther:  Read 1998\r\n");
}

// Abort ends the loader: what ran stays, the record text and the picture
// buttons keep what they held, and the result is False.
TEST_F(RecordTest, AbortEndsTheLoader) {
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  Open(Version::V2, Sheet1Of({With(Full(), "Pix1", vb::Variant::Null())}, kVersion2Columns));
  ExpectErrorAnswers(1);
  Box("IndividualsTextbox").SetText("before");
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  EXPECT_FALSE(Reload());
  ExpectErrorAnswers(2);
  EXPECT_EQ(RecordText(), "before");
  EXPECT_EQ(Box("txtfields", 1).Text(), "Smith ");
  EXPECT_EQ(Box("txtfields", 15).Text(), "Text1");
  EXPECT_EQ(Box("txtfields", 16).Text(), "Text1");
  EXPECT_TRUE(Button("CMD_ViewImage1").Enabled());  // an empty Pix1 would have disabled it
}

}  // namespace
