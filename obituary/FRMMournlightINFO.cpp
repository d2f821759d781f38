#include "obituary/FRMMournlightINFO.h"

#include "placeinfo/PlaceText.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Host.h"
#include "platform/forms/TextBox.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"

namespace obituary {

using namespace forms;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The key's value in double quotes, an embedded double quote doubled as the
// engine reads it, so that every stored key can be found.
QString Quoted(const QString& key) {
  QString doubled = key;
  doubled.replace(u'"', QStringLiteral("\"\""));
  return u'"' + doubled + u'"';
}

}  // namespace

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
  try {
    mydb = sqlitedb::SqliteConnection();
    mydb.OpenDatabaseFile(path);
    const QString statement = QStringLiteral("SELECT * FROM %1 WHERE %2=")
                                  .arg(QLatin1String(mode.table), QLatin1String(mode.keyColumn)) +
                              Quoted(Form().Get<TextBox>("Text2").Text()) +
                              QStringLiteral(" ORDER BY %1;").arg(QLatin1String(mode.heading));
    try {
      selection_ = mydb.OpenQuery(statement, false);
    } catch (const vb::VbError& error) {
      if (error.Number() != vb::err::TypeMismatchDb) throw;
      MsgBox("Unable to Sort Numbers in Row & Column in a Natural Order, Sorting Alternate "
             "Method" + kCrLf + "This is caused by leaving a Row Field or Stone Field Blank");
      selection_ = mydb.OpenQuery(statement, false);
    }
    if (selection_->CurrentPosition() > -1) {
      selection_->MoveToLast();
      selection_->MoveToFirst();
    } else {
      MsgBox("No Additional Information Found");
      if (!SelectAllRows()) return;
    }
    LoadText(mode);
  } catch (const vb::VbError& error) {
    AnswerSelectionError(error);
  }
}

bool FRMMournlightINFO::SelectAllRows() {
  const Mode& mode = CurrentMode();
  selection_ = mydb.OpenQuery(QStringLiteral("SELECT * FROM %1 ORDER BY %2;")
                                  .arg(QLatin1String(mode.table), QLatin1String(mode.heading)),
                              false);
  if (selection_->CurrentPosition() > -1) {
    selection_->MoveToLast();
    selection_->MoveToFirst();
    return true;
  }
  MsgBox("Info. has not been added. Press OK To Continue");
  return false;
}

// Runs as the step's handler: an error here is not answered again.
void FRMMournlightINFO::AnswerSelectionError(const vb::VbError& error) {
  switch (error.Number()) {
    case vb::err::NoCurrentRecord:
      MsgBox("No Data or No Results for Criteria. Add a Record.");
      MsgBox("Opening All Obituary Info.");
      if (SelectAllRows()) LoadText(CurrentMode());
      break;
    case vb::err::TableNotFound:
      MsgBox("Obituary Info. has not been added. Press OK To Continue");
      break;
    case 0:
      break;
    default:
      MsgBox("Please report error: " + vb::Str(static_cast<double>(error.Number())) +
             error.Description());
      break;
  }
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
    return vb::CStr(Module1::GetFieldValue(column, *selection_));
  });
}

// OK lets go of the selection and the connection, every error ignored, and
// unloads the window.
void FRMMournlightINFO::CMD_Finished_Click() {
  selection_.reset();
  mydb = sqlitedb::SqliteConnection();
  try {
    Form().Unload();
  } catch (const vb::VbError&) {
  }
}

}  // namespace obituary
