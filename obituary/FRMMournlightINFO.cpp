#include "obituary/FRMMournlightINFO.h"

#include "placeinfo/InfoSelection.h"
#include "placeinfo/PlaceText.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Host.h"
#include "platform/forms/TextBox.h"
#include "platform/vb/Conversions.h"

namespace obituary {

using namespace forms;

struct FRMMournlightINFO::Mode {
  const char* caption;
  const char* table;
  const char* keyColumn;
  const char* heading;  // the name column: the text's heading, the sort key
  const char* firstLabel;
  const char* lastLabel;
  const char* lastColumn;
  std::array<const char*, 3> pictureColumns;
};

const placeinfo::InfoWindowDesign& FRMMournlightINFODesign() {
  static const placeinfo::InfoWindowDesign design{
      .formName = "FRMMournlightINFO",
      .caption = "Source Information",
      .scaleWidth = 11925,
      .scaleHeight = 7995,
      .textBox = "Text1",
      .designText = "No  information entered.\r\n",
      .nameBoxes = {"ObitPicText1", "ObitPicText2", "ObitPicText3"},
      .copyAndTextMenu = false};
  return design;
}

FRMMournlightINFO::FRMMournlightINFO(const placeinfo::InfoWindowOwner& owner)
    : window_(FRMMournlightINFODesign(), owner, ErrorPolicy::Untrapped()) {
  Form().OnLoad = [this] { Form_Load(); };
  Form().Get<CommandButton>("CMD_Finished").OnClick = [this] { CMD_Finished_Click(); };
  Form().Get<CommandButton>("CMD_Select_Data").OnClick = [this] { CMD_Select_Data_Click(); };
}

const FRMMournlightINFO::Mode& FRMMournlightINFO::CurrentMode() const {
  static const Mode source{"Source Info",   "SourcesSheet",  "newspubsourceid",
                           "Publisher",     "Publisher/Source: ",
                           "Brief Ownership History: ", "BriefOwnershipHist",
                           {"ObitSourcePix1", "ObitSourcePix2", "ObitSourcePix3"}};
  static const Mode archive{"Archive Info",  "ArchiveSheet", "ArchiveID",
                            "ArchiveName",   "-- ARCHIVE INFORMATION -- ",
                            "Storage Place Description: ", "StoragePlaceDescription",
                            {"ArchiveLocationPix1", "ArchiveLocationPix2",
                             "ArchiveLocationPix3"}};
  return SourceData ? source : archive;
}

void FRMMournlightINFO::Show() { window_.ShowModal(); }

void FRMMournlightINFO::Form_Load() {
  Form().SetCaption(QString::fromLatin1(CurrentMode().caption));
  window_.PlaceBelowOwner();
  TextBox& key = Form().Get<TextBox>("Text2");
  TextBox& path = Form().Get<TextBox>("Text2_12");
  key.SetText(ObitSearchName);
  path.SetText(ObitDatabaseFileAndPath);
  key.Refresh();
  path.Refresh();
  CMD_Select_Data_Click();
}

// The row of the key, on the window's own connection (kept until OK); a key
// without a row shows the first row in the mode's order.
void FRMMournlightINFO::CMD_Select_Data_Click() {
  const QString path = Form().Get<TextBox>("Text2_12").Text();
  const Mode& mode = CurrentMode();
  const QString table = QLatin1String(mode.table), heading = QLatin1String(mode.heading);
  const placeinfo::PlaceRowSelection step{
      .byKey = QStringLiteral("SELECT * FROM %1 WHERE %2=").arg(table, QLatin1String(mode.keyColumn)) +
               placeinfo::QuotedKey(Form().Get<TextBox>("Text2").Text()) +
               QStringLiteral(" ORDER BY %1;").arg(heading),
      .allRows = QStringLiteral("SELECT * FROM %1 ORDER BY %2;").arg(table, heading),
      .noRowForKey = QStringLiteral("No Additional Information Found"),
      .noRowsAtAll = QStringLiteral("Info. has not been added. Press OK To Continue"),
      .answers = {"Opening All Obituary Info.",
                  "Obituary Info. has not been added. Press OK To Continue"}};
  placeinfo::SelectPlaceRow(mydb, path, step, [&] { LoadText(mode); });
}

bool FRMMournlightINFO::LoadSourceDataToTextBox(sqlitedb::SqliteRecordset*) {
  LoadText(CurrentMode());
  return true;
}

bool FRMMournlightINFO::LoadArchiveDataToTextBox(sqlitedb::SqliteRecordset*) {
  LoadText(CurrentMode());
  return true;
}

// The text of the current row, the map link and the picture names; an error
// goes to the selection step's answers.
void FRMMournlightINFO::LoadText(const Mode& mode) {
  const placeinfo::PlaceTextDesign text{
      .headingLabel = mode.firstLabel, .headingColumn = mode.heading, .zipColumn = "zip",
      .lastLabel = mode.lastLabel, .lastColumn = mode.lastColumn, .textBox = "Text1",
      .pictureColumns = mode.pictureColumns,
      .nameBoxes = FRMMournlightINFODesign().nameBoxes};
  auto trap = ErrorPolicy::Untrapped().Trap("");
  placeinfo::LoadPlaceText(trap, window_, text, [this](const QString& column) {
    return vb::CStr(mydb.GetFieldValue(column));
  });
}

// OK lets go of the selection and the connection, every error ignored, and
// unloads the window.
void FRMMournlightINFO::CMD_Finished_Click() {
  mydb.Release();
  try {
    Form().Unload();
  } catch (const vb::VbError&) {
  }
}

}  // namespace obituary
