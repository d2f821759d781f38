#include "placeinfo/CemInfo.h"

#include "placeinfo/MapLink.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Host.h"
#include "platform/forms/TextBox.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"

namespace placeinfo {

using namespace forms;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTextBox = QStringLiteral("CemInfo_Text");

// Statement A's value: the name in double quotes, an embedded double quote
// doubled as the engine reads it, so that every stored name can be found.
QString Quoted(const QString& name) {
  QString doubled = name;
  doubled.replace(u'"', QStringLiteral("\"\""));
  return u'"' + doubled + u'"';
}

}  // namespace

const InfoWindowDesign& CemInfoDesign() {
  static const InfoWindowDesign design{
      .formName = "CemInfo",
      .caption = "Cemetery Information",
      .scaleWidth = 11970,
      .scaleHeight = 8085,
      .textBox = "CemInfo_Text",
      .designText = "No cemetery information entered for this cemetery.\r\n",
      .nameBoxes = {"CemPicText1", "CemPicText2", "CemPicText3"},
      .copyAndTextMenu = true};
  return design;
}

CemInfo::CemInfo(const InfoWindowOwner& owner)
    : window_(CemInfoDesign(), owner, ErrorPolicy::ErrorLog(QStringLiteral("CemInfo"))) {
  Form().OnLoad = [this] { Form_Load(); };
  Form().Get<CommandButton>("CMD_Finished").OnClick = [this] { CMD_Finished_Click(); };
  Form().Get<CommandButton>("CMD_Select_Data").OnClick = [this] { CMD_Select_Data_Click(); };
  Form().Get<TextBox>(kTextBox).OnChange = [this] { CemInfo_Text_Change(); };
}

void CemInfo::Show() { window_.ShowModal(); }

void CemInfo::Form_Load() {
  auto trap = window_.Policy().Trap("Form_Load");
  trap.Run([&] {
    trap([&] { window_.PlaceBelowOwner(); });
    trap([&] { Form().Get<TextBox>("Text2").SetText(CemSearchName); });
    trap([&] { Form().Get<TextBox>("Text2_12").SetText(CemDatabaseFileAndPath); });
    trap([&] { CMD_Select_Data_Click(); });
  });
}

// The cemetery's row of CemSheet, on a connection of the step's own that
// goes when the step ends; a name without a row shows the first cemetery.
void CemInfo::CMD_Select_Data_Click() {
  auto trap = window_.Policy().Trap("CMD_Select_Data_Click");
  trap.Run([&] {
    QString path;
    trap([&] { path = Form().Get<TextBox>("Text2_12").Text(); });
    // From here on the step's own answers catch errors.
    std::unique_ptr<dao::Database> db;
    try {
      db = dao::DBEngine().Workspaces(0).OpenDatabase(path, false, true);
      const QString statementA = "SELECT * FROM CemSheet WHERE CemSheet.Cemetery=" +
                                 Quoted(Form().Get<TextBox>("Text2").Text()) +
                                 " ORDER BY CemSheet.Cemetery;";
      std::unique_ptr<dao::Recordset> rs;
      try {
        rs = db->OpenRecordset(statementA);
      } catch (const vb::VbError& error) {
        if (error.Number() != vb::err::TypeMismatchDb) throw;
        MsgBox("Unable to Sort Numbers in Row & Column in a Natural Order, Sorting Alternate "
               "Method" + kCrLf + "This is caused by leaving a Row Field or Stone Field Blank");
        rs = db->OpenRecordset(statementA);
      }
      if (rs->AbsolutePosition() > -1) {
        rs->MoveLast();
        rs->MoveFirst();
      } else {
        MsgBox("No Additional Cemetery Information ");
        rs = AllCemeteries(*db);
      }
      ShowSelection(std::move(rs));
    } catch (const vb::VbError& error) {
      AnswerSelectionError(error, db.get());
    }
  });
}

std::unique_ptr<dao::Recordset> CemInfo::AllCemeteries(dao::Database& db) {
  auto rs = db.OpenRecordset("SELECT * FROM CemSheet ORDER BY CemSheet.Cemetery;");
  if (rs->AbsolutePosition() > -1) {
    rs->MoveLast();
    rs->MoveFirst();
  }
  return rs;
}

void CemInfo::ShowSelection(std::unique_ptr<dao::Recordset> rs) {
  CemRecordSet = std::move(rs);
  LoadCEMDataToTextBox(CemRecordSet.get());
}

// Runs inside the step's handler: an error here goes to the caller.
void CemInfo::AnswerSelectionError(const vb::VbError& error, dao::Database* db) {
  switch (error.Number()) {
    case vb::err::NoCurrentRecord:
      MsgBox("No Data or No Results for Criteria. Add a Record.");
      MsgBox("Opening All Cemetery Info.");
      if (!db) vb::Raise(vb::err::ObjectVariableNotSet);
      ShowSelection(AllCemeteries(*db));
      break;
    case vb::err::TableNotFound:
      MsgBox("Cemetery Info. has not been added. Press OK To Continue");
      break;
    case 0:
      break;
    default:
      MsgBox("Please report error: " + vb::Str(static_cast<double>(error.Number())) +
             error.Description());
      break;
  }
}

// ---- The information text -------------------------------------------------------------

// Composes the text of the current row in fifteen pieces, builds the map link
// and passes the picture names on; every read and every piece is a statement
// of its own for the error answer.
bool CemInfo::LoadCEMDataToTextBox(dao::Recordset*) {
  auto trap = window_.Policy().Trap("LoadCEMDataToTextBox");
  trap.Run([&] {
    const auto read = [this](const char* column) {
      if (!CemRecordSet) vb::Raise(vb::err::ObjectVariableNotSet);
      return vb::CStr(Module1::GetFieldValue(QString::fromLatin1(column), *CemRecordSet));
    };
    trap([&] { window_.CemMapStr = QStringLiteral("NO COORDINATES"); });
    QString cemetery, lon, lat, address1, address2, city, state, zip, county, township, district,
        country;
    const std::pair<QString*, const char*> reads[] = {
        {&cemetery, "CEMETERY"}, {&lon, "Long"},         {&lat, "LAT"},
        {&address1, "Address1"}, {&address2, "Address2"}, {&city, "City"},
        {&state, "State"},       {&zip, "Row"},           {&county, "County"},
        {&township, "Township"}, {&district, "District"}, {&country, "Country"}};
    for (const auto& [value, column] : reads) trap([&] { *value = read(column); });
    trap([&] {
      window_.CemMapStr =
          MapLink::GetGoogleMapStr(lon, lat, cemetery, address1, address2, city, state, county,
                                   township, district, country, window_.Policy());
    });

    TextBox& text = Form().Get<TextBox>(kTextBox);
    const QString blankLine = kCrLf + kCrLf;
    trap([&] { text.SetText("Cemetery: " + cemetery + blankLine); });
    const auto append = [&](const QString& piece) { trap([&] { text.SetText(text.Text() + piece); }); };
    append("Longitude: " + lon);
    append(", Latitude: " + lat + blankLine);
    append("Address1: " + address1 + kCrLf);
    append("Address2: " + address2 + blankLine);
    append("City: " + city);
    append(", State: " + state);
    append(", Zip/Postal Code: " + zip + blankLine);
    append("County: " + county);
    append(", Township: " + township);
    append(", District: " + district + blankLine);
    append("Country: " + country + blankLine);
    // The last three values are read as their pieces are appended.
    const std::pair<const char*, const char*> lastPieces[] = {
        {"Notes:  ", "Notes"}, {"Other Notes: ", "Other"},
        {"Brief Ownership History: ", "BriefOwnershipHist"}};
    for (const auto& [label, column] : lastPieces) {
      QString value;
      trap([&] { value = read(column); });
      append(QString::fromLatin1(label) + value + blankLine);
    }

    // Each name that changes its box loads that picture.
    static constexpr const char* kPictureColumns[] = {"CemPix1", "CemPix2", "CemPix3"};
    for (int i = 0; i < 3; ++i)
      trap([&] {
        Form().Get<TextBox>(CemInfoDesign().nameBoxes[i]).SetText(read(kPictureColumns[i]));
      });
  });
  return true;
}

// OK lets the selection go and unloads the window, every error ignored.
void CemInfo::CMD_Finished_Click() {
  try {
    if (CemRecordSet) CemRecordSet->Close();
  } catch (const vb::VbError&) {
  }
  CemRecordSet.reset();
  try {
    Form().Unload();
  } catch (const vb::VbError&) {
  }
}

}  // namespace placeinfo
