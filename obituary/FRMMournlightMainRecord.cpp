// The obituary on show: its record number, its picture names and its text,
// composed from the narrative sentences, the newspaper's publisher, the
// archive and the transcribed obituary.
#include "obituary/FRMMournlightMain.h"

#include "obituary/ObitStringCalc.h"
#include "platform/vb/Conversions.h"
#include "support/Module1.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace obituary {

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kBlankLine = kCrLf + kCrLf;
const QString kNotAvailable = QStringLiteral(" N/A ");

// An override column as its text: a number as the platform writes it with
// its leading blank for a number that is not negative, trimmed ("1", "0").
// A value that is no number (Null, empty, a word) gives the empty text, so
// the sentences are composed as for 0 and the record's text still shows.
QString OverrideText(const vb::Variant& value) {
  try {
    return vb::Trim(vb::Str(value));
  } catch (const vb::VbError&) {
    return QString();
  }
}

// What a look-up statement answers when it cannot find a row by design: a
// key of a kind the column cannot match, no such table, no such column (the
// statement names only the table and its key column).
bool IsUnanswerableLookUp(int number) {
  return number == vb::err::TypeMismatchDb || number == vb::err::TableNotFound ||
         number == vb::err::TooFewParameters;
}

// A look-up key as a bound value of the kind the engine gives the same text
// written into the statement as a number: digits alone are an integer,
// a decimal number with a point or an exponent is a real, so that every key
// column (numeric or text) compares with it as with that number. Any other
// text, a number too large included, is bound as text and finds only a key
// that holds exactly that text.
vb::Variant KeyValue(const QString& id) {
  static const QRegularExpression kInteger(QStringLiteral("^[+-]?[0-9]+$"));
  static const QRegularExpression kReal(
      QStringLiteral("^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?$"));
  bool ok = false;
  if (kInteger.match(id).hasMatch()) {
    const qlonglong whole = id.toLongLong(&ok);
    if (ok && whole >= std::numeric_limits<int32_t>::min() &&
        whole <= std::numeric_limits<int32_t>::max())
      return vb::Variant(static_cast<int32_t>(whole));
  }
  if (kReal.match(id).hasMatch()) {
    const double real = id.toDouble(&ok);
    if (ok && std::isfinite(real)) return vb::Variant(real);
  }
  return vb::Variant(id);
}

}  // namespace

bool FRMMournlightMain::LoadDataToBox(sqlitedb::SqliteRecordset*) {
  sqlitedb::SqliteRecordset& rs = selection_->Recordset();
  C<Label>(main_.Settings().controls.recordNumber).SetCaption(QString::number(rs.CurrentPosition()));
  static constexpr const char* kPictureColumns[] = {"Pix1", "Pix2", "Pix3"};
  for (int i = 0; i < 3; ++i)
    C<TextBox>(main_.Settings().pictures.controls.nameBoxes[i])
        .SetText(vb::CStr(Module1::GetFieldValue(QString::fromLatin1(kPictureColumns[i]), rs)));
  main_.Pictures().ShowPicture1IfReplaced();
  LoadObitDataToTextBox();
  return false;
}

void FRMMournlightMain::LoadObitDataToTextBox() {
  const sqlitedb::SqliteRecordset& rs = selection_->Recordset();
  // The column names are literals, whose text stays in one place: the row
  // set then knows each name from its last read without looking it up.
  const auto text = [&rs](const QString& column) {
    return vb::CStr(Module1::GetFieldValue(column, rs));
  };
  using namespace ObitStringCalc;
  const QString name = GetObitNameStr(text(u"Given"_s), text(u"LastName"_s), text(u"MaidenName"_s),
                                      text(u"NamePrefix"_s));
  const QString birth =
      GetBirthStr(name, text(u"BirthDate"_s), text(u"BirthTime"_s), text(u"BirthPlace"_s),
                  text(u"Parents"_s), text(u"BirthNotes"_s));
  const QString death = GetDeathStr(name, text(u"DeathDate"_s), text(u"DeathTime"_s),
                                    text(u"DeathPlace"_s), text(u"Age"_s));
  const QString marriage =
      GetMarriageStr(name, text(u"MarriageDate"_s), text(u"MarriagePlace"_s), text(u"Spouse"_s));
  const QString veteran = GetVeteranStr(name, text(u"IsVeteran"_s), text(u"Veteran"_s));
  const QString survivedBy = text(u"SurvivedBy"_s);
  const QString precededBy = text(u"PrecededBy"_s);
  const QString memberships = text(u"Memberships"_s);
  const QString visitation =
      GetVisitationStr(text(u"VisitationPlace"_s), text(u"VisitationTimes"_s),
                       OverrideText(Module1::GetFieldValue(u"VisitationOverride"_s, rs)),
                       text(u"VisitationNotes"_s));
  const QString service = GetServiceStr(
      name, text(u"ServicePlace"_s), text(u"ServiceTimes"_s), text(u"PersonOfficiating"_s),
      text(u"BurialLocation"_s), OverrideText(Module1::GetFieldValue(u"ServiceOverride"_s, rs)),
      text(u"ServiceNotes"_s));
  const QString bigNote = text(u"BigNote"_s);
  QString published = "Published:   " + text(u"PublicationDate"_s);
  global_sourceID = text(u"NewsPubSourceID"_s);
  published += ShowPublishInfoString(global_sourceID);
  global_archiveID = text(u"ArchiveID"_s);
  const QString archiveLine =
      kBlankLine + "Archive Info.: " + ShowArchiveInfoString(global_archiveID);

  // The text is set in two steps, the transcribed obituary last. The box has
  // no change action and lays out each text it takes anew, so it takes the
  // whole text at once; only when the obituary cannot be read does it keep
  // the first part, as the first step leaves it.
  TextBox& box = C<TextBox>("MournlightText");
  const QString firstPart = published + kBlankLine + death + kBlankLine + birth + kBlankLine +
                            marriage + kBlankLine + veteran + kBlankLine + precededBy +
                            kBlankLine + survivedBy + kBlankLine + memberships + kBlankLine +
                            visitation + kBlankLine + service + kCrLf + bigNote;
  QString typedObit;
  try {
    typedObit = text(u"TypedObit"_s);
  } catch (const vb::VbError&) {
    box.SetText(firstPart);
    throw;
  }
  box.SetText(firstPart + kBlankLine + typedObit + archiveLine);
}

QString FRMMournlightMain::ShowPublishInfoString(const QString& newsSearchId) {
  return LookUp(QStringLiteral("Select * from SourcesSheet where newsid="), newsSearchId,
                QStringLiteral("Publisher"));
}

QString FRMMournlightMain::ShowArchiveInfoString(const QString& ArchiveSearchId) {
  return LookUp(QStringLiteral("Select * from ArchiveSheet where ArchiveID="), ArchiveSearchId,
                QStringLiteral("ArchiveName"));
}

// The look-up runs on the window's connection with the trimmed id as a bound
// value: a stored id never becomes statement text, an id that matches
// nothing (or cannot match the key column's kind) gives " N/A ", and so does
// a database without the look-up's table or key column (the editor may
// leave a table out, or key its sources by newspubsourceid). Any other
// failure goes to the caller, every time. Each record shown
// asks for its source and archive, and a CD has few of them: the answer is
// kept for the connection, so that showing a record runs no statement for
// an id already answered.
QString FRMMournlightMain::LookUp(const QString& statementPrefix, const QString& id,
                                  const QString& column) {
  if (id.isEmpty()) return kNotAvailable;
  const QString key = vb::Trim(id);
  if (lookUps_.connection != selection_->ConnectionNumber())
    lookUps_ = {selection_->ConnectionNumber(), {}};
  const QString asked = statementPrefix + u'\0' + column + u'\0' + key;
  if (const auto known = lookUps_.answers.constFind(asked); known != lookUps_.answers.cend())
    return *known;
  QString result = kNotAvailable;
  try {
    sqlitedb::SqliteRecordset rs =
        selection_->Connection().OpenQuery(statementPrefix + "?", {KeyValue(key)});
    if (rs.CurrentPosition() >= 0) {
      rs.MoveToLast();
      rs.MoveToFirst();
      result = vb::CStr(Module1::GetFieldValue(column, rs));
    }
  } catch (const vb::VbError& error) {
    if (!IsUnanswerableLookUp(error.Number())) throw;
  }
  lookUps_.answers.insert(asked, result);
  return result;
}

void FRMMournlightMain::Command13_Click() { LoadObitDataToTextBox(); }

}  // namespace obituary
