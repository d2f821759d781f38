// The obituary on show: its record number, its picture names and its text
// with the newspaper's publisher and the archive, the override columns, the
// rebuilding button, and look-ups that no stored id can break.
#include "tests/testkit/mournlight/MournlightTest.h"

#include "platform/forms/UserActions.h"
#include "platform/sqlite/SqliteConnection.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"
#include "tests/testkit/SqliteFiles.h"

namespace {

const QString kCrLf = "\r\n";
const QString kBlankLine = "\r\n\r\n";

// Every column of the text filled.
democd::Record FullRecord() {
  return {{"LastName", "Hall"},
          {"Given", "Ann"},
          {"BirthDate", "1 May 1900"},
          {"BirthPlace", "Quillan"},
          {"BirthNotes", "Twin of Bea."},
          {"DeathDate", "2 June 1980"},
          {"Age", "80"},
          {"Spouse", "Carl Hall"},
          {"IsVeteran", 1},
          {"PrecededBy", "Preceded in death by her husband."},
          {"SurvivedBy", "Survived by two sons."},
          {"Memberships", "Member of the Grange."},
          {"VisitationPlace", "the home"},
          {"VisitationTimes", "Friday"},
          {"VisitationOverride", 0},
          {"VisitationNotes", "Flowers welcome."},
          {"ServicePlace", "St. Mark"},
          {"PersonOfficiating", "Rev. Lee"},
          {"BurialLocation", "Oak Hill"},
          {"ServiceOverride", 0},
          {"BigNote", "A big note."},
          {"PublicationDate", "May 5, 1990"},
          {"PublicationDateReal", "33000"},
          {"NewsPubSourceID", 2},
          {"ArchiveID", 2},
          {"TypedObit", "Ann Hall, 80, died Monday."},
          {"Pix1", "FACE01.JPG"},
          {"Pix2", "SHORT.J"},
          {"Pix3", "LONGNAME.JPG"}};
}

const QString kFullText =
    "Published:   May 5, 1990Evening Herald" + kBlankLine +
    "Ann Hall, age 80, passed away on 2 June 1980." + kBlankLine +
    "Ann Hall was born on 1 May 1900 in Quillan.Twin of Bea." + kBlankLine +
    "Ann Hall was married to Carl Hall." + kBlankLine + "Ann Hall was a veteran." + kBlankLine +
    "Preceded in death by her husband." + kBlankLine + "Survived by two sons." + kBlankLine +
    "Member of the Grange." + kBlankLine +
    "Visitation will be held at the home. You may visit on Friday. Flowers welcome." +
    kBlankLine +
    "Services will be held at St. Mark. Rev. Lee will be officiating. Ann Hall will be buried "
    "at Oak Hill. " +
    kCrLf + "A big note." + kBlankLine + "Ann Hall, 80, died Monday." + kBlankLine +
    "Archive Info.: County Vault";

}  // namespace

class RecordTest : public MournlightTest {};

TEST_F(RecordTest, FullRecordInItsPartsAndSeparators) {
  WritePicture("FACE01.JPG", 40, 60, Qt::darkGreen);
  StartOn({FullRecord()});
  EXPECT_EQ(ShownText(), kFullText);
  EXPECT_EQ(Window().global_sourceID, "2");
  EXPECT_EQ(Window().global_archiveID, "2");
  EXPECT_EQ(Box("PicText1").Text(), "FACE01.JPG");
  EXPECT_EQ(Box("PicText2").Text(), "SHORT.J");
  EXPECT_EQ(Box("PicText3").Text(), "LONGNAME.JPG");
  // Picture 1 from IMAGES\, at its natural size; 7 characters disable
  // "Image 2", 8 or more enable "Image 3".
  EXPECT_EQ(WindowForm().Get<forms::Image>("orgImage1").Width(), 40 * 15);
  EXPECT_EQ(WindowForm().Get<forms::Image>("Image1").Height(),
            WindowForm().Get<forms::PictureBox>("Picture1Viewer").Height());
  EXPECT_FALSE(Button("Command10").Enabled());
  EXPECT_TRUE(Button("Command11").Enabled());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(RecordTest, RecordWithOnlyNamesKeepsEveryPartsPlace) {
  StartOn({{{"LastName", "Hall"}, {"Given", "Ann"}, {"VisitationOverride", 0},
            {"ServiceOverride", 0}}});
  EXPECT_EQ(ShownText(), "Published:    N/A " + kBlankLine.repeated(9) + kCrLf + kBlankLine +
                             kBlankLine + "Archive Info.:  N/A ");
  EXPECT_EQ(Window().global_sourceID, "");
  EXPECT_EQ(Window().global_archiveID, "");
  // No picture name: the placeholder.
  EXPECT_EQ(Box("PicText1").Text(), "");
  EXPECT_EQ(WindowForm().Get<forms::Image>("Image1").Picture().Image(),
            WindowForm().Get<forms::Image>("Image2").Picture().Image());
}

TEST_F(RecordTest, RecordNumberIsThePositionAsTheSelectionGivesIt) {
  StartOn({Obituary("A", "1"), Obituary("B", "2"), Obituary("C", "3")});
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  const std::vector<std::pair<const char*, const char*>> steps = {
      {"Command4", "2"}, {"Command5", "3"}, {"Command3", "2"}, {"Command2", "1"}};
  for (const auto& [button, number] : steps) {
    forms::user::Click(Button(button));
    EXPECT_EQ(Lbl("Label16").Caption(), number) << button;
  }
  EXPECT_EQ(Lbl("Label17").Caption(), "3");
}

// The override columns: 1 puts the notes in place of the sentences; any
// other value, also one that is no number, composes the sentences as 0 does,
// and the text is still shown.
struct OverrideCase {
  const char* name;
  vb::Variant value;
  bool notesOnly;
};
void PrintTo(const OverrideCase& c, std::ostream* os) { *os << c.name; }

class OverrideTest : public RecordTest, public ::testing::WithParamInterface<OverrideCase> {};

TEST_P(OverrideTest, OneMeansTheNotesAlone) {
  democd::Record r = FullRecord();
  r["VisitationOverride"] = GetParam().value;
  r["ServiceOverride"] = GetParam().value;
  r["ServiceNotes"] = "No service.";
  StartOn({r});
  const QString visitation =
      GetParam().notesOnly
          ? "Flowers welcome."
          : "Visitation will be held at the home. You may visit on Friday. Flowers welcome.";
  const QString service = GetParam().notesOnly
                              ? "No service."
                              : "Services will be held at St. Mark. Rev. Lee will be "
                                "officiating. Ann Hall will be buried at Oak Hill. No service.";
  EXPECT_TRUE(ShownText().contains("Member of the Grange." + kBlankLine + visitation +
                                   kBlankLine + service + kCrLf + "A big note."))
      << ShownText().toStdString();
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, OverrideTest,
    ::testing::Values(OverrideCase{"Zero", 0, false}, OverrideCase{"One", 1, true},
                      OverrideCase{"OnePointZero", 1.0, true}, OverrideCase{"Two", 2, false},
                      OverrideCase{"Null", vb::Variant::Null(), false},
                      OverrideCase{"Empty", "", false}, OverrideCase{"Word", "yes", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordTest, Command13RebuildsTheTextButNotThePictureNames) {
  StartOn({FullRecord()});
  Box("MournlightText").SetText("edited");
  Box("PicText3").SetText("OTHER.JPG");
  forms::user::Click(Button("Command13"));
  EXPECT_EQ(ShownText(), kFullText);
  EXPECT_EQ(Box("PicText3").Text(), "OTHER.JPG");
  EXPECT_FALSE(Button("Command13").Visible() &&
               Button("Command13").Left() < WindowForm().ScaleWidth());
}

// A table without the transcribed obituary: the text stops where that read
// fails, after the first part was set, and the search reports the failure.
TEST_F(RecordTest, MissingTranscriptionLeavesTheFirstPartAndIsReported) {
  std::vector<democd::SqlColumn> columns;
  for (const democd::SqlColumn& column : democd::ObitDataColumns())
    if (column.name != "TypedObit") columns.push_back(column);
  democd::Record record = FullRecord();
  record.remove("TypedObit");
  WriteDatabase({democd::MakeSqlTable("ObitData", columns, {record}), TwoSources(),
                 TwoArchives(), Versht(QString("1.00"))});
  Start(WriteLaunchFile("obit.db"));
  EXPECT_EQ(ShownText(), kFullText.left(kFullText.indexOf(kBlankLine + "Ann Hall, 80, died")));
  EXPECT_EQ(Prompts(), QStringList{"Error:  3265"});
}

// ---- Look-ups by a stored id --------------------------------------------------------

// The id goes to the database as a value: an id that names a row finds the
// row the id written into the statement would find, anything else gives
// " N/A ", and no id raises an error.
struct IdCase {
  const char* name;
  const char* id;
  bool found;
};
void PrintTo(const IdCase& c, std::ostream* os) { *os << c.name; }

class LookUpTest : public RecordTest, public ::testing::WithParamInterface<IdCase> {
 protected:
  // ArchiveSheet keyed by a column of this declared type holding 5, and
  // SourcesSheet likewise by newsid.
  void StartWithKeys(const QString& keyType) {
    const QString path = DataFolder() + "/obit.db";
    WriteObituaries({Obituary("Hall", "Ann")});
    testkit::ExecOnFile(path, QString("DROP TABLE ArchiveSheet; DROP TABLE SourcesSheet;"
                                      "CREATE TABLE ArchiveSheet (ArchiveID %1, ArchiveName TEXT);"
                                      "INSERT INTO ArchiveSheet VALUES (5, 'Archive Five');"
                                      "CREATE TABLE SourcesSheet (newsid %1, Publisher TEXT);"
                                      "INSERT INTO SourcesSheet VALUES (5, 'Paper Five');")
                                  .arg(keyType));
    Start(WriteLaunchFile("obit.db"));
    ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  }
  // What the statement with the trimmed id written into it finds; nullopt
  // when the database rejects it.
  std::optional<QString> Unquoted(const QString& id) {
    try {
      sqlitedb::SqliteConnection db;
      db.OpenDatabaseFile(DataFolderWin() + "obit.db");
      sqlitedb::SqliteRecordset rs =
          db.OpenQuery("Select * from ArchiveSheet where ArchiveID=" + vb::Trim(id), false);
      if (rs.CurrentPosition() < 0) return QString(" N/A ");
      return vb::CStr(Module1::GetFieldValue("ArchiveName", rs));
    } catch (const vb::VbError&) {
      return std::nullopt;
    }
  }
  void Check(const QString& keyType) {
    const IdCase& c = GetParam();
    StartWithKeys(keyType);
    const QString archive = Window().ShowArchiveInfoString(c.id);
    const QString publisher = Window().ShowPublishInfoString(c.id);
    EXPECT_EQ(archive, c.found ? "Archive Five" : " N/A ");
    EXPECT_EQ(publisher, c.found ? "Paper Five" : " N/A ");
    if (const auto before = Unquoted(c.id); before && c.found) {
      EXPECT_EQ(archive, *before);
    }
  }
};

TEST_P(LookUpTest, NumericKeyColumn) { Check("INTEGER"); }
TEST_P(LookUpTest, TextKeyColumn) { Check("TEXT"); }

INSTANTIATE_TEST_SUITE_P(
    Ids, LookUpTest,
    ::testing::Values(IdCase{"Number", "5", true}, IdCase{"NumberWithBlanks", " 5 ", true},
                      IdCase{"LeadingZero", "05", true}, IdCase{"Empty", "", false},
                      IdCase{"Blanks", "   ", false}, IdCase{"Letters", "A5", false},
                      IdCase{"NoSuchId", "99", false}, IdCase{"Statement", "5 OR 1=1", false},
                      IdCase{"Quote", "5'", false}, IdCase{"DoubleQuote", "\"5\"", false},
                      IdCase{"TooLarge", "1e999", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Records whose stored ids cannot be found are shown with " N/A " while the
// user steps through them; nothing ends the program.
TEST_F(RecordTest, NavigationOverUnusableIdsNeverEnds) {
  std::vector<democd::Record> rows;
  for (const char* id : {"   ", "A7", "99", "2", "1e999", "x\"y"}) {
    democd::Record r = Obituary(QString("Id%1").arg(rows.size()), "Ann");
    r["ArchiveID"] = id;
    r["NewsPubSourceID"] = id;
    rows.push_back(r);
  }
  WriteDatabase({ObitData(rows, "TEXT"), TwoSources(), TwoArchives(), Versht("1.00")});
  Start(WriteLaunchFile("obit.db"));
  int shown = 1, withArchive = 0;
  const auto count = [&] {
    if (!ShownText().endsWith("Archive Info.:  N/A ")) ++withArchive;
  };
  count();
  for (; shown < 6; ++shown) {
    forms::user::Click(Button("Command4"));
    count();
  }
  forms::user::Click(Button("Command5"));
  forms::user::Click(Button("Command3"));
  forms::user::Click(Button("Command2"));
  EXPECT_EQ(withArchive, 1);  // the id "2"
  EXPECT_EQ(Host().EndProgramCount(), 0);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
}

TEST_F(RecordTest, OneRowStepsPastBothEndsAndBack) {
  StartOn({Obituary("Only", "One")});
  const QString text = ShownText();
  forms::user::Click(Button("Command4"));
  EXPECT_FALSE(Button("Command4").Enabled());
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  forms::user::Click(Button("Command3"));
  EXPECT_TRUE(Button("Command4").Enabled());
  forms::user::Click(Button("Command3"));
  EXPECT_FALSE(Button("Command3").Enabled());
  forms::user::Click(Button("Command4"));
  EXPECT_TRUE(Button("Command3").Enabled());
  EXPECT_EQ(Lbl("Label16").Caption(), "1");
  EXPECT_EQ(ShownText(), text);
  EXPECT_EQ(Lbl("Label17").Caption(), "1");
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// What nothing traps ends the program: a look-up the database rejects while
// stepping (it leaves the previous text in the box), and Command13 without a
// current row.
// A search puts the placeholder in the viewer, a picture button another
// picture: the next record loaded shows its picture 1 again, also when its
// name is the one shown before.
TEST_F(RecordTest, AfterASearchOrAPictureButtonTheSameNameShowsItsPictureAgain) {
  WritePicture("FAMILY01.JPG", 300, 400, Qt::gray);
  WritePicture("FAMILY02.JPG", 500, 100, Qt::gray);
  std::vector<democd::Record> rows;
  for (const char* given : {"Ann", "Bo"}) {
    democd::Record r = Obituary("Adams", given);
    r["Pix1"] = "FAMILY01.JPG";
    r["Pix2"] = "FAMILY02.JPG";
    rows.push_back(r);
  }
  StartOn(rows);
  const auto shownSize = [&] {
    return WindowForm().Get<forms::Image>("Image1").Picture().Image().size();
  };
  ASSERT_EQ(shownSize(), QSize(300, 400));
  forms::user::Click(Button("Command6"));
  EXPECT_EQ(shownSize(), QSize(300, 400));
  Box("SelectionQueryText").SetText("Given = 'Ann'");
  forms::user::Click(Button("Command12"));
  EXPECT_EQ(Lbl("Label17").Caption(), "1");
  EXPECT_EQ(shownSize(), QSize(300, 400));

  forms::user::Click(Button("Command6"));
  forms::user::Click(Button("Command10"));
  ASSERT_EQ(shownSize(), QSize(500, 100));
  forms::user::Click(Button("Command4"));
  EXPECT_EQ(shownSize(), QSize(300, 400));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// A veteran text of one character beyond 16 bits is one character: the
// sentence is composed from the flag, as for any one-character text.
TEST_F(RecordTest, OneCharacterVeteranTextBeyondSixteenBitsIsIgnored) {
  democd::Record record = Obituary("Hall", "Ann");
  record["IsVeteran"] = "1";
  record["Veteran"] = QString::fromUcs4(U"\U0001F396");
  democd::Record twoCharacters = Obituary("Hall", "Bo");
  twoCharacters["Veteran"] = QString::fromUcs4(U"\U0001F396\U0001F396");
  StartOn({record, twoCharacters});
  EXPECT_TRUE(ShownText().contains("\r\n\r\nAnn Hall was a veteran.\r\n\r\n"));
  forms::user::Click(Button("Command4"));
  EXPECT_TRUE(ShownText().contains("\r\n\r\n" + QString::fromUcs4(U"\U0001F396\U0001F396") +
                                   "\r\n\r\n"));
}

TEST_F(RecordTest, UntrappedErrorsOfTheButtonsEndTheProgram) {
  democd::Record withoutSource = Obituary("A", "1"), withSource = Obituary("B", "2");
  withoutSource.remove("NewsPubSourceID");
  // The source is found, but its row has no publisher to show.
  WriteDatabase({ObitData({withoutSource, withSource}),
                 democd::MakeSqlTable("SourcesSheet", {{"newsid", "INTEGER"}},
                                      {{{"newsid", int32_t{1}}}}),
                 TwoArchives(), Versht("1.00")});
  Start(WriteLaunchFile("obit.db"));
  ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  const QString text = ShownText();
  forms::user::Click(Button("Command4"));
  ASSERT_EQ(Prompts().size(), 1);
  EXPECT_TRUE(Prompts().at(0).startsWith("Run-time error '3265':")) << Prompts().at(0).toStdString();
  EXPECT_EQ(Host().EndProgramCount(), 1);
  EXPECT_EQ(ShownText(), text);
}

TEST_F(RecordTest, Command13WithoutACurrentRowEndsTheProgram) {
  StartOn({Obituary("Only", "One")});
  forms::user::Click(Button("Command4"));  // past the end
  forms::user::Click(Button("Command13"));
  EXPECT_EQ(Prompts(), QStringList({RunTimeError(3021, "No current record.")}));
  EXPECT_EQ(Host().EndProgramCount(), 1);
}
