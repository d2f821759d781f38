// The cemetery information window: its design, its place, the selection of
// the cemetery's row with its answers by error number, the composed text,
// the map link as the window builds and opens it, OK and the close box, and
// the hand-over from the main window.
#include "CemInfoTest.h"

#include "placeinfo/MapLink.h"
#include "platform/dao/Dao.h"
#include "platform/forms/Forms.h"
#include "platform/forms/UserActions.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QUrlQuery>

using forms::user::Click;
using placeinfo::CemInfo;

namespace {

const QString kDesignText = "No cemetery information entered for this cemetery.\r\n";

// The text of a row that names nothing but the cemetery.
QString BareText(const QString& name) {
  return "Cemetery: " + name +
         "\r\n\r\nLongitude: , Latitude: \r\n\r\nAddress1: \r\nAddress2: \r\n\r\n"
         "City: , State: , Zip/Postal Code: \r\n\r\nCounty: , Township: , District: \r\n\r\n"
         "Country: \r\n\r\nNotes:  \r\n\r\nOther Notes: \r\n\r\nBrief Ownership History: \r\n\r\n";
}

// The link of a place with only a name: both coordinates 0.
QString BareLink(const QString& encodedName) {
  return MapLink::MapScriptAddress() + "?latit=0&longit=0&desc=" + encodedName +
         "&ad1=&ad2=&city=&st=&cnty=&twp=&dstr=&cntry=";
}

// The message of the error log's answer for an error of the text step.
bool IsTextStepError(const QString& prompt, int number) {
  return prompt.startsWith("Error " + QString::number(number) + " (") &&
         prompt.contains(") Process: LoadCEMDataToTextBox.CemInfo ln# 0\r\n");
}

const democd::Record kOakHill = {
    {"Long", QString("83.25 W")},      {"LAT", QString("40.5 N")},
    {"Address1", QString("1 Gate Rd")}, {"Address2", QString("Box 7")},
    {"City", QString("Ada")},          {"State", QString("OH")},
    {"Row", QString("45810")},         {"County", QString("Hardin")},
    {"Township", QString("Liberty")},  {"District", QString("North")},
    {"Country", QString("USA")},       {"Notes", QString("Old ground")},
    {"Other", QString("Fenced")},      {"BriefOwnershipHist", QString("Church 1850")}};

}  // namespace

TEST_F(CemInfoTest, DesignOfTheWindow) {
  StartWith(std::nullopt);
  Open("x");
  forms::Form& form = Info().Form();
  EXPECT_EQ(form.Caption(), "Cemetery Information");
  EXPECT_EQ(form.BorderStyle(), forms::vbFixedDialog);
  EXPECT_EQ(form.ScaleWidth(), 11970);
  EXPECT_EQ(form.ScaleHeight(), 8085);
  EXPECT_TRUE(form.Window()->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.Window()->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.Window()->windowFlags() & Qt::WindowMaximizeButtonHint);

  struct Place {
    const char* name;
    float left, top, width, height;
  };
  const Place places[] = {
      {"CemInfo_Text", 120, 0, 5175, 7335},       {"Picture1Viewer", 5400, 0, 6375, 5175},
      {"CMD_ViewImage1", 5400, 5280, 2055, 375},  {"CMD_ViewImage2", 7560, 5280, 2055, 375},
      {"CMD_ViewImage3", 9720, 5280, 2055, 375},  {"Picture5Viewer", 5400, 5640, 2055, 1695},
      {"Picture2Viewer", 7560, 5640, 2055, 1695}, {"Picture3Viewer", 9720, 5640, 2055, 1695},
      {"CMD_ShowStreetMap", 240, 7440, 1695, 375}, {"Label1", 2040, 7560, 4095, 255},
      {"CMD_Finished", 10200, 7440, 1695, 495},   {"Frame1", 9240, 9120, 3615, 2895},
      {"Picture2", 10680, 8520, 855, 495},        {"orgImage1", 120, 0, 375, 375},
      {"orgImage2", 120, 360, 375, 375},          {"orgImage3", 120, 720, 375, 375},
      {"Image4", 0, 1560, 495, 495}};
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    auto& c = form.Get<forms::WindowControl>(p.name);
    EXPECT_EQ(c.Left(), p.left);
    EXPECT_EQ(c.Top(), p.top);
    EXPECT_EQ(c.Width(), p.width);
    EXPECT_EQ(c.Height(), p.height);
  }
  struct Caption {
    const char* name;
    const char* caption;
  };
  for (const Caption& c : std::initializer_list<Caption>{{"CMD_ViewImage1", "Image 1"},
                                                         {"CMD_ViewImage2", "Image 2"},
                                                         {"CMD_ViewImage3", "Image 3"},
                                                         {"CMD_ShowStreetMap", "Show Street Map"},
                                                         {"CMD_Finished", "OK"}})
    EXPECT_EQ(form.Get<forms::CommandButton>(c.name).Caption(), c.caption);
  EXPECT_EQ(form.Get<forms::Label>("Label1").Caption(),
            "Requires GPS Coordinates and Internet Connection");
  // A failed selection leaves the hidden boxes' design texts.
  for (const Caption& c : std::initializer_list<Caption>{{"Text2_13", "Text2_13"},
                                                         {"Text12", "Text2"},
                                                         {"CemPicText1", "CemPicText1"},
                                                         {"CemPicText2", "Text3"},
                                                         {"CemPicText3", "Text3"}}) {
    EXPECT_EQ(InfoBox(c.name).Text(), c.caption);
    EXPECT_FALSE(InfoBox(c.name).Visible());
  }
  forms::TextBox& text = InfoBox("CemInfo_Text");
  EXPECT_TRUE(text.MultiLine());
  EXPECT_EQ(text.ScrollBars(), forms::vbVertical);
  EXPECT_FALSE(text.Locked());
  for (const char* menu : {"mnuTextCommands", "mnuPopup1"})
    EXPECT_FALSE(form.Get<forms::Menu>(menu).Visible()) << menu;
  QStringList items;
  for (const forms::Menu* item : form.Get<forms::Menu>("mnuTextCommands").Items())
    items << item->Caption();
  EXPECT_EQ(items, QStringList({"Cut", "Copy", "Paste", "Delete", "Select All"}));
}

TEST_F(CemInfoTest, ComposesTheFifteenPiecesOfTheCemeteryRow) {
  democd::Record withLineEnds = kOakHill;
  withLineEnds["Notes"] = QString("Old ground\r\nsecond line");
  withLineEnds["Address1"] = QString("1 Gate Rd\r\n");
  // Other cemeteries around the three, before and after in name order.
  StartWith(std::vector<democd::Record>{
      Cem("Aspen Grove", {{"Row", QString("11111")}}), Cem("Oak Hill", kOakHill),
      Cem("Oak Knoll"), Cem("Oak Lane", withLineEnds), Cem("Zion", {{"Row", QString("99999")}})});
  struct Case {
    const char* name;
    QString text;
    QString link;
  };
  const Case cases[] = {
      {"Oak Hill",
       "Cemetery: Oak Hill\r\n\r\n"
       "Longitude: 83.25 W, Latitude: 40.5 N\r\n\r\n"
       "Address1: 1 Gate Rd\r\n"
       "Address2: Box 7\r\n\r\n"
       "City: Ada, State: OH, Zip/Postal Code: 45810\r\n\r\n"
       "County: Hardin, Township: Liberty, District: North\r\n\r\n"
       "Country: USA\r\n\r\n"
       "Notes:  Old ground\r\n\r\n"
       "Other Notes: Fenced\r\n\r\n"
       "Brief Ownership History: Church 1850\r\n\r\n",
       MapLink::MapScriptAddress() +
           "?latit=40.5&longit=-83.25&desc=Oak%20Hill&ad1=1%20Gate%20Rd&ad2=Box%207&city=Ada"
           "&st=OH&cnty=Hardin&twp=Liberty&dstr=North&cntry=USA"},
      // Every column but the name Null.
      {"Oak Knoll", BareText("Oak Knoll"), BareLink("Oak%20Knoll")},
      {"Oak Lane",
       "Cemetery: Oak Lane\r\n\r\n"
       "Longitude: 83.25 W, Latitude: 40.5 N\r\n\r\n"
       "Address1: 1 Gate Rd\r\n\r\n"
       "Address2: Box 7\r\n\r\n"
       "City: Ada, State: OH, Zip/Postal Code: 45810\r\n\r\n"
       "County: Hardin, Township: Liberty, District: North\r\n\r\n"
       "Country: USA\r\n\r\n"
       "Notes:  Old ground\r\nsecond line\r\n\r\n"
       "Other Notes: Fenced\r\n\r\n"
       "Brief Ownership History: Church 1850\r\n\r\n",
       MapLink::MapScriptAddress() +
           "?latit=40.5&longit=-83.25&desc=Oak%20Lane&ad1=1%20Gate%20Rd%0D%0A&ad2=Box%207"
           "&city=Ada&st=OH&cnty=Hardin&twp=Liberty&dstr=North&cntry=USA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.name);
    EXPECT_EQ(InfoText(), c.text);
    EXPECT_EQ(Info().CemMapStr(), c.link);
    EXPECT_TRUE(OpenPrompts().isEmpty());
  }
  EXPECT_TRUE(ErrorLogLines().isEmpty());
}

TEST_F(CemInfoTest, FirstOfTwoRowsOfTheSameNameAndTheNameAsStored) {
  StartWith(std::vector<democd::Record>{
      Cem("Mill Creek", {{"Row", QString("10001")}, {"LAT", QString("40 30 S")}}),
      Cem("Mill Creek", {{"Row", QString("20002")}}), Cem("Mill Run", {{"Row", QString("3")}})});
  // The engine compares names without regard to case; the text shows the
  // stored name and the coordinates as stored.
  Open("mill CREEK");
  EXPECT_TRUE(InfoText().startsWith("Cemetery: Mill Creek\r\n\r\nLongitude: , Latitude: 40 30 S\r\n"));
  EXPECT_TRUE(InfoText().contains(", Zip/Postal Code: 10001\r\n"));
  EXPECT_TRUE(Info().CemMapStr().contains("?latit=-4030&longit=0&desc=Mill%20Creek&"));
  EXPECT_TRUE(OpenPrompts().isEmpty());
}

TEST_F(CemInfoTest, PlacedBelowAndRightOfTheMainWindowWhereverItStands) {
  StartWith(std::vector<democd::Record>{Cem("Oak Hill")});
  struct Case {
    float top, left, width, height;
  };
  for (const Case& c : {Case{0, 0, 12000, 9000}, Case{1234.5f, 777.25f, 6000, 4000},
                        Case{-600, 30000, 15000, 11000}}) {
    forms::Form& main = Window().Form();
    main.SetTop(c.top);
    main.SetLeft(c.left);
    main.SetWidth(c.width);
    main.SetHeight(c.height);
    float shownTop = 0, shownLeft = 0;
    Open("Oak Hill", [&](CemInfo& info) {
      shownTop = info.Form().Top();
      shownLeft = info.Form().Left();
    });
    EXPECT_EQ(shownTop, c.top + 400);
    EXPECT_EQ(shownLeft, c.left + 300);
    EXPECT_EQ(Info().Form().ScaleWidth(), 11970);
    EXPECT_EQ(Info().Form().ScaleHeight(), 8085);
  }
}

TEST_F(CemInfoTest, NameWithoutARowShowsTheFirstCemeteryInNameOrder) {
  StartWith(std::vector<democd::Record>{Cem("Zion", {{"Row", QString("9")}}),
                                        Cem("Bethel", {{"Row", QString("2")}}),
                                        Cem("Mill Run", {{"Row", QString("5")}})});
  for (const QString& name : {QString("Oak Hill"), QString(""), QString(" Bethel")}) {
    SCOPED_TRACE(name.toStdString());
    Open(name);
    ASSERT_EQ(OpenPrompts(), QStringList({"No Additional Cemetery Information "}));
    const forms::MessageBoxRequest& box = Host().MessageBoxes().back();
    EXPECT_EQ(box.flags, forms::mb::OKOnly);
    EXPECT_EQ(box.title, "Gravelight");
    EXPECT_TRUE(InfoText().startsWith("Cemetery: Bethel\r\n"));
    EXPECT_TRUE(InfoText().contains("Zip/Postal Code: 2\r\n"));
    EXPECT_EQ(InfoBox("Text2").Text(), name);  // handed over as it is
  }
}

// What stays of a failed selection: the design text, no pictures and the
// link untouched.
class FailedSelectionTest : public CemInfoTest {
 protected:
  void ExpectNothingShown() {
    EXPECT_EQ(InfoText(), kDesignText);
    EXPECT_EQ(Info().CemMapStr(), "");
    EXPECT_EQ(InfoBox("CemPicText1").Text(), "CemPicText1");
    EXPECT_TRUE(Img("Image1").Picture().IsEmpty());
    EXPECT_TRUE(ErrorLogLines().isEmpty());
    EXPECT_TRUE(Info().CemRecordSet == nullptr);
  }
};

TEST_F(FailedSelectionTest, DatabaseWithoutCemSheetSaysSoAndNothingElse) {
  StartWith(std::nullopt);
  Open("Oak Hill");
  EXPECT_EQ(OpenPrompts(), QStringList({"Cemetery Info. has not been added. Press OK To Continue"}));
  EXPECT_EQ(Host().MessageBoxes().back().flags, forms::mb::OKOnly);
  EXPECT_EQ(Host().MessageBoxes().back().title, "Gravelight");
  ExpectNothingShown();
  // The map button opens what the link holds, here nothing.
  Host().QueueModalScript([&](QWidget&) { Click(Info().Form().Get<forms::CommandButton>("CMD_ShowStreetMap")); });
  Info().Show();
  EXPECT_EQ(Host().OpenedUrls(), QStringList({""}));
}

TEST_F(FailedSelectionTest, UnreadableDatabaseFileIsReportedWithItsNumber) {
  StartWith(std::vector<democd::Record>{Cem("Oak Hill")});
  WriteFile(DataFolder() + "/damaged.mdb", QByteArray(8192, '\x5a'));
  WriteFile(DataFolder() + "/empty.mdb", QByteArray());
  const QString folder = Win(DataFolder()) + "\\";
  // The last: no database open in the main window.
  for (const QString& path : {folder + "damaged.mdb", folder + "empty.mdb", folder + "missing.mdb",
                              folder + "nofolder\\cem.mdb", folder, QString()}) {
    SCOPED_TRACE(path.toStdString());
    int number = 0;
    QString description;
    try {
      dao::DBEngine().Workspaces(0).OpenDatabase(path, false, true);
    } catch (const vb::VbError& error) {
      number = error.Number();
      description = error.Description();
    }
    ASSERT_GT(number, 0);
    ASSERT_FALSE(description.isEmpty());
    Open("Oak Hill", {}, path);
    // Two blanks before the number, none before the description.
    EXPECT_EQ(OpenPrompts(),
              QStringList({"Please report error:  " + QString::number(number) + description}));
    EXPECT_EQ(Host().MessageBoxes().back().flags, forms::mb::OKOnly);
    ExpectNothingShown();
  }
}

TEST_F(CemInfoTest, EmptyCemSheetAnswersEachReadThroughTheErrorLog) {
  StartWith(std::vector<democd::Record>{});
  // Ignore: every read fails alike; the pieces and the link carry empty values.
  for (int i = 0; i < 18; ++i) Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Open("Oak Hill");
  const QStringList prompts = OpenPrompts();
  ASSERT_EQ(prompts.size(), 1 + 18);
  EXPECT_EQ(prompts[0], "No Additional Cemetery Information ");
  for (int i = 1; i < prompts.size(); ++i) EXPECT_TRUE(IsTextStepError(prompts[i], 3021)) << i;
  EXPECT_EQ(Host().MessageBoxes().back().title, "Error Encountered");
  EXPECT_EQ(Host().PendingMessageBoxAnswers(), 0u);
  EXPECT_EQ(InfoText(), BareText(""));
  EXPECT_EQ(Info().CemMapStr(), BareLink(""));
  EXPECT_EQ(InfoBox("CemPicText1").Text(), "CemPicText1");  // the reads failed
  EXPECT_EQ(ErrorLogLines().size(), 18);
  EXPECT_TRUE(ErrorLogLines().first().contains("Process: LoadCEMDataToTextBox.CemInfo"));

  // Abort leaves the text step at its first failure.
  Host().QueueMessageBoxAnswer(forms::mb::Abort);
  Open("Oak Hill");
  ASSERT_EQ(OpenPrompts().size(), 2);
  EXPECT_EQ(InfoText(), kDesignText);
  EXPECT_EQ(Info().CemMapStr(), "NO COORDINATES");
}

TEST_F(CemInfoTest, MissingColumnLeavesItsValueEmpty) {
  democd::Record row = kOakHill;
  row.remove("County");
  StartWith(std::vector<democd::Record>{Cem("Oak Hill", row)}, CemSheetColumnsWithout("County"));
  Host().QueueMessageBoxAnswer(forms::mb::Ignore);
  Open("Oak Hill");
  ASSERT_EQ(OpenPrompts().size(), 1);
  EXPECT_TRUE(IsTextStepError(OpenPrompts()[0], vb::err::ItemNotFound)) << OpenPrompts()[0].toStdString();
  EXPECT_TRUE(InfoText().contains("\r\n\r\nCounty: , Township: Liberty, District: North\r\n"));
  EXPECT_TRUE(InfoText().endsWith("Brief Ownership History: Church 1850\r\n\r\n"));
  EXPECT_TRUE(Info().CemMapStr().contains("&st=OH&cnty=&twp=Liberty&"));
}

TEST_F(CemInfoTest, NameWithDoubleQuotesAndApostrophesIsFound) {
  const QString names[] = {"St. \"Old\" Mary's", "\"", "Kelly's \"\" Acre"};
  std::vector<democd::Record> rows = {Cem("Aaron Hill")};
  for (const QString& name : names) rows.push_back(Cem(name, {{"Row", name}}));
  StartWith(rows);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    Open(name);
    EXPECT_TRUE(OpenPrompts().isEmpty()) << OpenPrompts().join("|").toStdString();
    EXPECT_TRUE(InfoText().startsWith("Cemetery: " + name + "\r\n"));
    EXPECT_TRUE(InfoText().contains("Zip/Postal Code: " + name + "\r\n"));
  }
}

TEST_F(CemInfoTest, MapLinkCarriesHostileTextsAsStoredAndOpensThroughTheHost) {
  const democd::Record row = {{"Long", QString("-83.25")},
                              {"LAT", QString("40.5")},
                              {"Address1", QString("12 Elm St #4 & Annex")},
                              {"Address2", QString("a=b?c/d+e 100%")},
                              {"City", QString("Zürich")},
                              {"Country", QString("  spaced  ")}};
  StartWith(std::vector<democd::Record>{Cem("Oak & Pine #2", row)});
  Open("Oak & Pine #2", [](CemInfo& info) {
    Click(info.Form().Get<forms::CommandButton>("CMD_ShowStreetMap"));
    Click(info.Form().Get<forms::CommandButton>("CMD_ShowStreetMap"));
  });
  const QString link = Info().CemMapStr();
  EXPECT_EQ(link, MapLink::MapScriptAddress() +
                      "?latit=40.5&longit=-83.25&desc=Oak%20%26%20Pine%20%232"
                      "&ad1=12%20Elm%20St%20%234%20%26%20Annex&ad2=a%3Db%3Fc%2Fd%2Be%20100%25"
                      "&city=Z%C3%BCrich&st=&cnty=&twp=&dstr=&cntry=%20%20spaced%20%20");
  EXPECT_EQ(Host().OpenedUrls(), QStringList({link, link}));
  // The map script reads back exactly the stored texts.
  const QUrlQuery query(QUrl(link).query());
  EXPECT_EQ(query.queryItemValue("desc", QUrl::FullyDecoded), "Oak & Pine #2");
  EXPECT_EQ(query.queryItemValue("ad1", QUrl::FullyDecoded), "12 Elm St #4 & Annex");
  EXPECT_EQ(query.queryItemValue("ad2", QUrl::FullyDecoded), "a=b?c/d+e 100%");
  EXPECT_EQ(query.queryItemValue("city", QUrl::FullyDecoded), "Zürich");
  EXPECT_EQ(query.queryItemValue("cntry", QUrl::FullyDecoded), "  spaced  ");
}

TEST_F(CemInfoTest, OkReleasesTheSelectionAndTheCloseBoxOnlyEndsTheShow) {
  StartWith(std::vector<democd::Record>{Cem("Oak Hill")});
  bool heldWhileShown = false;
  Open("Oak Hill", [&](CemInfo& info) {
    heldWhileShown = info.CemRecordSet != nullptr;
    Click(info.Form().Get<forms::CommandButton>("CMD_Finished"));
  });
  EXPECT_TRUE(heldWhileShown);
  EXPECT_TRUE(Info().CemRecordSet == nullptr);
  EXPECT_FALSE(Info().Form().IsLoaded());
  EXPECT_FALSE(Info().Form().Visible());

  Open("Oak Hill", [](CemInfo& info) { forms::user::Close(info.Form()); });
  EXPECT_TRUE(Info().CemRecordSet != nullptr);  // OK's release did not run
  EXPECT_FALSE(Info().Form().IsLoaded());
  EXPECT_FALSE(Info().Form().Visible());
  // Neither show had to be ended by the test host.
  for (const QString& note : Host().Notes()) EXPECT_FALSE(note.contains("still shown")) << note.toStdString();
  EXPECT_TRUE(OpenPrompts().isEmpty());

  // OK after a selection that was never made ignores the missing selection.
  const QString noCemSheet = WriteDatabase({Sheet1({})}, "nocem.mdb");
  Open("Oak Hill", [](CemInfo& info) {
    Click(info.Form().Get<forms::CommandButton>("CMD_Finished"));
  }, noCemSheet);
  EXPECT_EQ(OpenPrompts(), QStringList({"Cemetery Info. has not been added. Press OK To Continue"}));
  EXPECT_FALSE(Info().Form().IsLoaded());
  EXPECT_EQ(Host().EndProgramCount(), 0);
}

// ---- The hand-over from the main window ------------------------------------------------

class HandOverTest : public CemInfoTest {
 protected:
  void SetUp() override {
    CemInfoTest::SetUp();
    StartWith(std::vector<democd::Record>{Cem("Oak Hill", kOakHill)});
  }
  // Queues a script that notes what the shown window holds.
  void NoteNextShow() {
    Host().QueueModalScript([this](QWidget& window) {
      const auto text = [&](const char* name) {
        auto* edit = window.findChild<QLineEdit*>(name);
        return edit ? edit->text() : QString("<none>");
      };
      shown << QStringList{window.objectName(), text("Text2"), text("Text2_12")};
    });
  }
  QList<QStringList> shown;
};

TEST_F(HandOverTest, ButtonHandsOverNameAndPathUnchanged) {
  EXPECT_EQ(Button("CMD_Cem_ShowInfo").Caption(), "Show Cemetery Information");
  const QString path = Box("DataFilePathText").Text();
  for (const QString& name : {QString("Oak Hill"), QString("  oak HILL "), QString("")}) {
    Box("txtfields", 14).SetText(name);
    NoteNextShow();
    Click(Button("CMD_Cem_ShowInfo"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QStringList({"CemInfo", name, path}));
    shown.clear();
  }
  EXPECT_EQ(Host().ModalShows().size(), 3);
  // Only the exact name (letter case aside) has a row of its own.
  EXPECT_EQ(Prompts(), QStringList({"No Additional Cemetery Information ",
                                    "No Additional Cemetery Information "}));
}

TEST_F(HandOverTest, OnlyTheCemeteryBoxOpensTheWindowOnADoubleClick) {
  for (int i : {0, 1, 13, 15}) forms::user::DoubleClick(Box("txtfields", i));
  EXPECT_TRUE(Host().ModalShows().isEmpty());
  NoteNextShow();
  forms::user::DoubleClick(Box("txtfields", 14));
  EXPECT_EQ(Host().ModalShows(), QStringList({"CemInfo"}));
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0][1], Box("txtfields", 14).Text());
}

TEST_F(HandOverTest, GetCemeteryDataInfoBoxReturnsOkOnceTheWindowHasClosed) {
  QString name = " Oak Hill";
  QString path = Box("DataFilePathText").Text();
  const QString pathBefore = path;
  bool closedFirst = false;
  Host().QueueModalScript([&](QWidget& window) {
    auto* ok = window.findChild<QWidget*>("CMD_Finished");
    ASSERT_NE(ok, nullptr);
    qobject_cast<QAbstractButton*>(ok)->click();
    closedFirst = !window.isVisible();
  });
  EXPECT_EQ(Window().GetCemeteryDataInfoBox(name, path), "OK");
  EXPECT_TRUE(closedFirst);
  EXPECT_EQ(name, " Oak Hill");
  EXPECT_EQ(path, pathBefore);
  EXPECT_EQ(Host().ModalShows(), QStringList({"CemInfo"}));
  for (const QString& note : Host().Notes()) EXPECT_FALSE(note.contains("still shown")) << note.toStdString();
}
