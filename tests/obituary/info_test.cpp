// The source and archive information window: its caption and place, its
// statements and answers, the two texts, the map link and the pictures, and
// the connection that lives until OK.
#include "tests/testkit/mournlight/MournlightTest.h"

#include "obituary/FRMMournlightINFO.h"
#include "platform/forms/UserActions.h"
#include "platform/sqlite/SqliteConnection.h"
#include "tests/testkit/SqliteFiles.h"
#include "tests/testkit/windows/LargePictures.h"

#include <QPlainTextEdit>

namespace {

const QString kDesignText = "No  information entered.\r\n";
const QString kNotFound = "No Additional Information Found";
const QString kNoneAdded = "Info. has not been added. Press OK To Continue";

// A place row with every column of the text filled.
democd::Record Place(const QString& nameColumn, const QString& name, const QString& lastColumn,
                     const QString& picturePrefix) {
  return {{nameColumn, name},
          {"Long", "82.89917 W"},
          {"LAT", "40.70833 N"},
          {"Address1", "301 Elm Street"},
          {"Address2", "Hartsock House"},
          {"City", "Quillan"},
          {"State", "OH"},
          {"zip", "44907"},
          {"County", "Tallbrook"},
          {"Township", "Mill"},
          {"District", "North"},
          {"Country", "USA"},
          {"Notes", "Open Tuesday."},
          {"Other", "Copies 25 cents."},
          {lastColumn, "The last piece."},
          {picturePrefix + "1", "ARCH1.JPG"},
          {picturePrefix + "2", "MISSING.JPG"},
          {picturePrefix + "3", ""}};
}

QString PlaceText(const QString& heading) {
  return heading +
         "\r\n\r\nLongitude: 82.89917 W, Latitude: 40.70833 N\r\n\r\n"
         "Address1: 301 Elm Street\r\nAddress2: Hartsock House\r\n\r\n"
         "City: Quillan, State: OH, Zip/Postal Code: 44907\r\n\r\n"
         "County: Tallbrook, Township: Mill, District: North\r\n\r\n"
         "Country: USA\r\n\r\nNotes:  Open Tuesday.\r\n\r\nOther Notes: Copies 25 cents.\r\n\r\n";
}

}  // namespace

class InfoTest : public MournlightTest {
 protected:
  // What the window shows while it is open, then OK.
  struct Seen {
    QString caption, text;
  };

  void SetUp() override {
    MournlightTest::SetUp();
    WritePicture("ARCH1.JPG", 80, 60, Qt::darkRed);
  }
  // Writes the obituary database with these source and archive tables and
  // starts on it.
  void StartWith(const std::vector<democd::SqlTable>& placeTables) {
    std::vector<democd::SqlTable> tables = {ObitData({Obituary("Hall", "Ann")}),
                                            Versht("1.00")};
    tables.insert(tables.end(), placeTables.begin(), placeTables.end());
    WriteDatabase(tables);
    Start(WriteLaunchFile("obit.db"));
  }
  void StartWithPlaces() {
    democd::Record paper = Place("Publisher", "The Courier", "BriefOwnershipHist", "ObitSourcePix");
    paper["NewsPubSourceID"] = 3;
    democd::Record archive =
        Place("ArchiveName", "Historical Society", "StoragePlaceDescription", "ArchiveLocationPix");
    archive["ArchiveID"] = 4;
    StartWith({Sources({paper}), Archives({archive})});
  }
  // Opens the window for this key as the main window's opener does.
  Seen Open(const QString& key, bool source) {
    Seen seen;
    Host().QueueModalScript([&](QWidget& window) {
      auto* text = window.findChild<QPlainTextEdit*>("Text1");
      seen.caption = window.windowTitle();
      seen.text = text ? text->toPlainText() : QString("<no Text1>");
      seen.text.replace("\n", "\r\n");
    });
    QString name = key, path = Box("DataFilePathText").Text();
    Window().GetObituaryDataInfoBox(name, path, source ? 1 : 2);
    return seen;
  }
  // The window made by the test itself, for what only its object shows.
  template <class Inspect>
  void OpenOwn(const QString& key, bool source, Inspect inspect) {
    placeinfo::InfoWindowOwner owner{
        &WindowForm(),
        {[this] { return Box("DataPathText").Text(); },
         [this](QString& name) { return Window().FileExists(name); }, "IMAGES\\"},
        nullptr};
    obituary::FRMMournlightINFO info(owner);
    info.ObitSearchName = key;
    info.ObitDatabaseFileAndPath = Box("DataFilePathText").Text();
    info.SourceData = source;
    Host().QueueModalScript([&](QWidget&) {
      inspect(info);
      info.CMD_Finished_Click();
    });
    info.Show();
    EXPECT_FALSE(info.Connection().IsOpen());
    EXPECT_FALSE(info.Form().IsLoaded());
  }
};

TEST_F(InfoTest, ArchiveModeShowsTheArchiveWithItsStoragePlace) {
  StartWithPlaces();
  WindowForm().SetTop(1000);
  WindowForm().SetLeft(2000);
  OpenOwn("4", false, [&](obituary::FRMMournlightINFO& info) {
    EXPECT_EQ(info.Form().Caption(), "Archive Info");
    EXPECT_EQ(info.Form().Top(), 1400);
    EXPECT_EQ(info.Form().Left(), 2300);
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text1").Text(),
              PlaceText("-- ARCHIVE INFORMATION -- Historical Society") +
                  "Storage Place Description: The last piece.\r\n\r\n");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text2").Text(), "4");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text2_12").Text(), DataFolderWin() + "obit.db");
    // Pictures from IMAGES\ of the main window's data folder.
    EXPECT_EQ(info.Form().Get<forms::TextBox>("ObitPicText1").Text(), "ARCH1.JPG");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("ObitPicText2").Text(), "MISSING.JPG");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("ObitPicText3").Text(), "");
    EXPECT_EQ(info.Form().Get<forms::Image>("orgImage1").Picture().WidthPixels(), 80);
    EXPECT_TRUE(info.Form().Get<forms::Image>("orgImage2").Picture().IsEmpty());
    EXPECT_TRUE(info.Form().Get<forms::Image>("Image5").Visible());
    // The map link with its values percent-encoded.
    EXPECT_EQ(info.CemMapStr(),
              "http://www.gravelight.example/cgi-bin/gmapav.cgi?latit=40.70833&longit=-82.89917"
              "&desc=Historical%20Society&ad1=301%20Elm%20Street&ad2=Hartsock%20House"
              "&city=Quillan&st=OH&cnty=Tallbrook&twp=Mill&dstr=North&cntry=USA");
    EXPECT_TRUE(info.Connection().IsOpen());
  });
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(InfoTest, SourceModeShowsThePaperWithItsOwnershipHistory) {
  StartWithPlaces();
  OpenOwn("3", true, [&](obituary::FRMMournlightINFO& info) {
    EXPECT_EQ(info.Form().Caption(), "Source Info");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text1").Text(),
              PlaceText("Publisher/Source: The Courier") +
                  "Brief Ownership History: The last piece.\r\n\r\n");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("ObitPicText1").Text(), "ARCH1.JPG");
  });
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// A picture that cannot be shown within the pictures' memory budget (100
// megapixels in a PNG): the large view and its thumbnail stay empty, as for
// a missing file, without a word.
TEST_F(InfoTest, PictureBeyondTheMemoryBudgetShowsAsAMissingOne) {
  WriteFile(DataFolder() + "/IMAGES/ARCH1.JPG", testkit::TwoTonePicture({10000, 10000}, "PNG"));
  StartWithPlaces();
  OpenOwn("4", false, [&](obituary::FRMMournlightINFO& info) {
    for (const char* view : {"orgImage1", "Image1", "Image5"})
      EXPECT_TRUE(info.Form().Get<forms::Image>(view).Picture().IsEmpty()) << view;
    EXPECT_TRUE(info.Form().Get<forms::Image>("Image1").Visible());
    EXPECT_TRUE(info.Form().Get<forms::Image>("Image5").Visible());
  });
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// A key without a row, the empty key among them: the message, then the
// first row in name order.
TEST_F(InfoTest, KeyWithoutARowShowsTheFirstInNameOrder) {
  StartWith({TwoSources(), TwoArchives()});
  for (const char* key : {"9", ""}) {
    SCOPED_TRACE(key);
    const size_t shown = Prompts().size();
    const Seen archive = Open(key, false);
    EXPECT_EQ(Prompts().mid(shown), QStringList({kNotFound}));
    EXPECT_TRUE(archive.text.startsWith("-- ARCHIVE INFORMATION -- City Archive\r\n"));
    const Seen paper = Open(key, true);
    EXPECT_TRUE(paper.text.startsWith("Publisher/Source: Daily Gazette\r\n"));
  }
}

// A key holding a double quote is found: the quote is doubled in the
// statement's literal.
TEST_F(InfoTest, KeyWithADoubleQuoteIsFound) {
  WriteObituaries({Obituary("Hall", "Ann")});
  testkit::ExecOnFile(DataFolder() + "/obit.db",
                      "DROP TABLE ArchiveSheet;"
                      "CREATE TABLE ArchiveSheet (ArchiveID TEXT, ArchiveName TEXT, Long TEXT,"
                      " LAT TEXT, Address1 TEXT, Address2 TEXT, City TEXT, State TEXT, zip TEXT,"
                      " County TEXT, Township TEXT, District TEXT, Country TEXT, Notes TEXT,"
                      " Other TEXT, StoragePlaceDescription TEXT, ArchiveLocationPix1 TEXT,"
                      " ArchiveLocationPix2 TEXT, ArchiveLocationPix3 TEXT);"
                      "INSERT INTO ArchiveSheet (ArchiveID, ArchiveName) VALUES"
                      " ('A', 'First'), ('the \"Vault\"', 'Quoted');");
  Start(WriteLaunchFile("obit.db"));
  const Seen seen = Open("the \"Vault\"", false);
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_TRUE(seen.text.startsWith("-- ARCHIVE INFORMATION -- Quoted\r\n"));
}

TEST_F(InfoTest, EmptyTableKeepsTheDesignText) {
  StartWith({Sources({}), Archives({})});
  OpenOwn("1", false, [&](obituary::FRMMournlightINFO& info) {
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text1").Text(), kDesignText);
    EXPECT_EQ(info.CemMapStr(), "");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("ObitPicText1").Text(), "CemPicText1");
  });
  EXPECT_EQ(Prompts(), QStringList({kNotFound, kNoneAdded}));
  EXPECT_EQ(Host().MessageBoxes().at(1).title, "Mournlight");
}

TEST_F(InfoTest, MissingTableSaysTheInfoWasNotAdded) {
  StartWith({TwoSources()});
  // The main window's archive look-up answers " N/A " without a word.
  ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  EXPECT_TRUE(Box("MournlightText").Text().endsWith("Archive Info.:  N/A "));
  const Seen seen = Open("1", false);
  EXPECT_EQ(Prompts(), QStringList({"Obituary Info. has not been added. Press OK To Continue"}));
  EXPECT_EQ(seen.text, kDesignText);
  EXPECT_EQ(seen.caption, "Archive Info");
}

// Any other error: "Please report error: ", the number with its blank, the
// description at once. A column missing from the row stops the text step.
TEST_F(InfoTest, OtherErrorsAreReportedWithNumberAndDescription) {
  WriteObituaries({Obituary("Hall", "Ann")});
  testkit::ExecOnFile(DataFolder() + "/obit.db",
                      "DROP TABLE ArchiveSheet;"
                      "CREATE TABLE ArchiveSheet (ArchiveID INTEGER, ArchiveName TEXT);"
                      "INSERT INTO ArchiveSheet VALUES (1, 'Bare');"
                      "DROP TABLE SourcesSheet;"
                      "CREATE TABLE SourcesSheet (newsid INTEGER, Publisher TEXT);");
  Start(WriteLaunchFile("obit.db"));
  ASSERT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
  // The description the engine gives for the source mode's statement.
  QString description;
  try {
    sqlitedb::SqliteConnection db;
    db.OpenDatabaseFile(DataFolderWin() + "obit.db");
    db.OpenQuery("SELECT * FROM SourcesSheet WHERE newspubsourceid=\"1\" ORDER BY Publisher;",
                 false);
  } catch (const vb::VbError& error) {
    description = error.Description();
  }
  OpenOwn("1", false, [&](obituary::FRMMournlightINFO& info) {
    EXPECT_EQ(info.CemMapStr(), "NO COORDINATES");
    EXPECT_EQ(info.Form().Get<forms::TextBox>("Text1").Text(), kDesignText);
  });
  Open("1", true);
  ASSERT_FALSE(description.isEmpty());
  EXPECT_EQ(Prompts(), QStringList({"Please report error:  3265Item not found in this collection.",
                                    "Please report error:  3061" + description}));
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// No text menu and no copy: right clicks on the text and the large view open
// nothing, and the window has no carrier or pop-up menus.
TEST_F(InfoTest, NoTextMenuAndNoCopy) {
  StartWithPlaces();
  std::vector<forms::Menu*> popups;
  forms::SetPopupMenuPresenter([&](forms::Menu& menu) { popups.push_back(&menu); });
  OpenOwn("4", false, [&](obituary::FRMMournlightINFO& info) {
    for (const char* name : {"Picture2", "mnuPopup1", "mnuCopy1", "mnuTextCommands"})
      EXPECT_EQ(info.Form().Controls().Find(name), nullptr) << name;
    forms::user::MouseDown(info.Form().Get<forms::TextBox>("Text1"), 2, 100, 100);
    forms::user::MouseDown(info.Form().Get<forms::Image>("Image1"), 2, 100, 100);
  });
  forms::SetPopupMenuPresenter(nullptr);
  EXPECT_TRUE(popups.empty());
  EXPECT_TRUE(Host().ClipboardImage().isNull());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

// ---- The main window's buttons -------------------------------------------------------

TEST_F(InfoTest, ShowArchiveInformationOpensTheRecordsArchive) {
  StartWithPlaces();
  Window().global_archiveID = "4";
  QString caption, text;
  Host().QueueModalScript([&](QWidget& window) {
    caption = window.windowTitle();
    text = window.findChild<QPlainTextEdit*>("Text1")->toPlainText();
  });
  forms::user::Click(Button("Command14"));
  EXPECT_EQ(Host().ModalShows(), QStringList({"FRMMournlightINFO"}));
  EXPECT_EQ(caption, "Archive Info");
  EXPECT_TRUE(text.startsWith("-- ARCHIVE INFORMATION -- Historical Society\n"));
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}

TEST_F(InfoTest, BeforeAnyRecordTheEmptyIdShowsTheFirstArchive) {
  WriteDatabase({ObitData({}), TwoSources(), TwoArchives(), Versht("1.00")});
  Start(WriteLaunchFile("obit.db"));
  EXPECT_EQ(Window().global_archiveID, "");
  forms::user::Click(Button("Command14"));
  EXPECT_EQ(Prompts(), QStringList({"No Results With Current Search Criteria", kNotFound}));
  EXPECT_EQ(Host().ModalShows().size(), 1);
}

TEST_F(InfoTest, ShowSourceInformationHasNoAction) {
  StartWithPlaces();
  forms::user::Click(Button("CMD_Cem_ShowInfo"));
  EXPECT_TRUE(Host().ModalShows().isEmpty());
  EXPECT_TRUE(Prompts().isEmpty()) << Prompts().join(" | ").toStdString();
}
