#include "browser/BurialRecordText.h"

#include "platform/vb/Conversions.h"

#include <array>

namespace browser {

using namespace Qt::StringLiterals;

namespace {

const QString kCrLf = u"\r\n"_s;

const std::array<QString, kFieldBoxCount>& FieldColumns() {
  static const std::array<QString, kFieldBoxCount> columns = {
      u"ID"_s,           u"Lastname"_s,       u"Given"_s,        u"Birth"_s,
      u"Death"_s,        u"YR"_s,             u"MO"_s,           u"DA"_s,
      u"Row"_s,          u"Lot"_s,            u"Stone"_s,        u"Notes"_s,
      u"Other"_s,        u"Section"_s,        u"Cemetery"_s,     u"Relationship"_s,
      u"BirthPlace"_s,   u"DeathPlace"_s,     u"StoneType"_s,    u"StoneCondition"_s,
      u"Custom1"_s,      u"Custom2"_s,        u"Custom3"_s,      u"Custom4"_s,
      u"Custom5"_s,      u"IsVeteran"_s,      u"VetInfo"_s,      u"Inscriptions"_s,
      QString(),         QString(),           QString(),         QString(),
      QString(),         QString(),           u"Owner"_s,        u"PurchDate"_s,
      u"BurialDate"_s};
  return columns;
}

const QString& Col(int fieldBox) { return FieldColumns()[fieldBox]; }

void AppendLineEnds(QString& text, int crLfs) {
  for (int i = 0; i < crLfs; ++i) text += kCrLf;
}

// Label + the column of a field box, read from the current row, + line ends.
void AppendColumn(const RecordSource& s, QString& text, const QString& label, int fieldBox,
                  int crLfs) {
  text += label;
  text += s.Column(Col(fieldBox));
  AppendLineEnds(text, crLfs);
}

// "Prefix" + trimmed box + ending, appended only when the box is not empty
// (the test takes the box as it stands, blanks included).
void AppendTrimmedIfNotEmpty(const RecordSource& s, QString& text, const QString& prefix,
                             int fieldBox, int crLfs) {
  const QString& value = s.Box(fieldBox);
  if (value.isEmpty()) return;
  text += prefix;
  text += vb::Trim(value);
  AppendLineEnds(text, crLfs);
}

// ---- The pieces, named after their place in layout A -------------------------------

void Location(const RecordSource& s, QString& text) {  // A1
  text += u"Cemetery: "_s;
  text += s.Box(box::Cemetery);
  text += kCrLf;
  text += u"  Section: "_s;
  text += s.Box(box::Section);
  text += u", "_s;
}

void Grave(const RecordSource& s, QString& text) {  // A2
  text += u"Lot:  "_s;
  text += s.Box(box::Lot);
  text += u", Row: "_s;
  text += s.Box(box::Row);
  text += u", Stone: "_s;
  text += s.Box(box::Stone);
  AppendLineEnds(text, 2);
}

void Name(const RecordSource& s, QString& text) {  // A3
  AppendColumn(s, text, u"Name: "_s, box::Lastname, 0);
  AppendColumn(s, text, u", "_s, box::Given, 2);
}

void Birth(const RecordSource& s, QString& text) {  // A4
  AppendColumn(s, text, u"Birth: "_s, box::Birth, 0);
}

void BirthPlace(const RecordSource& s, QString& text) {  // A5
  AppendTrimmedIfNotEmpty(s, text, u", Birth Place: "_s, box::BirthPlace, 0);
}

void LineEnd(const RecordSource&, QString& text) { text += kCrLf; }  // A6, A9

void Death(const RecordSource& s, QString& text) {  // A7
  AppendColumn(s, text, u"Death: "_s, box::Death, 0);
}

void DeathPlace(const RecordSource& s, QString& text) {  // A8
  AppendTrimmedIfNotEmpty(s, text, u", Place of death: "_s, box::DeathPlace, 0);
}

void Age(const RecordSource& s, QString& text) {  // A10
  text += u"Aged:  "_s;
  text += s.Box(box::YR);
  text += u" Years, "_s;
  text += s.Box(box::MO);
  text += u" Months, "_s;
  text += s.Box(box::DA);
  text += u" Days, "_s;
  AppendLineEnds(text, 2);
}

void Relationship(const RecordSource& s, QString& text) {  // A11
  AppendTrimmedIfNotEmpty(s, text, u"Relationship: "_s, box::Relationship, 1);
}

// A veteran is marked by exactly "1", compared without trimming.
bool IsVeteran(const RecordSource& s) { return s.Box(box::IsVeteran) == u"1"_s; }

void Veteran(const RecordSource& s, QString& text) {  // A12
  if (!IsVeteran(s)) return;
  text += u"VETERAN: "_s;
  text += u"VetInfo: "_s;
  text += vb::Trim(s.Box(box::VetInfo));
  text += kCrLf;
}

void VetInfo(const RecordSource& s, QString& text) {  // A13
  if (IsVeteran(s)) return;
  AppendTrimmedIfNotEmpty(s, text, u"VetInfo: "_s, box::VetInfo, 1);
}

void Notes(const RecordSource& s, QString& text) {  // A14
  AppendColumn(s, text, u"Notes:  "_s, box::Notes, 2);
}

void Other(const RecordSource& s, QString& text) {  // A15
  AppendColumn(s, text, u"Other:  "_s, box::Other, 1);
}

void StoneType(const RecordSource& s, QString& text) {  // A16
  AppendTrimmedIfNotEmpty(s, text, u"Stone Type: "_s, box::StoneType, 1);
}

void StoneConditionThenBlankLine(const RecordSource& s, QString& text) {  // A17
  AppendTrimmedIfNotEmpty(s, text, u"Stone Condition: "_s, box::StoneCondition, 2);
}

void StoneCondition(const RecordSource& s, QString& text) {  // A17 of layout B
  AppendTrimmedIfNotEmpty(s, text, u"Stone Condition: "_s, box::StoneCondition, 1);
}

void Owner(const RecordSource& s, QString& text) {  // A18
  AppendTrimmedIfNotEmpty(s, text, u"Grave/Plot Owner: "_s, box::Owner, 1);
}

void PurchaseDate(const RecordSource& s, QString& text) {  // A19
  AppendTrimmedIfNotEmpty(s, text, u"Purchase Date: "_s, box::PurchDate, 1);
}

void BurialDate(const RecordSource& s, QString& text) {  // A20
  AppendTrimmedIfNotEmpty(s, text, u"Burial Date: "_s, box::BurialDate, 2);
}

template <int k>
void Custom(const RecordSource& s, QString& text) {  // A21 to A25
  if (s.Box(box::Custom1 + k).isEmpty()) return;
  text += s.CustomLabel(k);  // the label goes in as it is, blanks and all
  text += u": "_s;
  text += vb::Trim(s.Box(box::Custom1 + k));
  text += kCrLf;
}

void Inscriptions(const RecordSource& s, QString& text) {  // A26
  text += u"Inscriptions:  "_s;
  text += vb::Trim(s.Box(box::Inscriptions));
  text += kCrLf;
}

void BirthLine(const RecordSource& s, QString& text) {  // C4
  AppendColumn(s, text, u"Birth: "_s, box::Birth, 1);
}

void DeathLine(const RecordSource& s, QString& text) {  // C5
  AppendColumn(s, text, u"Death: "_s, box::Death, 1);
}

constexpr RecordPiece kLayoutA[] = {
    Location,     Grave,        Name,          Birth,     BirthPlace,
    LineEnd,      Death,        DeathPlace,    LineEnd,   Age,
    Relationship, Veteran,      VetInfo,       Notes,     Other,
    StoneType,    StoneConditionThenBlankLine, Owner,     PurchaseDate,
    BurialDate,   Custom<0>,    Custom<1>,     Custom<2>, Custom<3>,
    Custom<4>,    Inscriptions};

constexpr RecordPiece kLayoutB[] = {
    Location,     Grave,     Name,      Birth,          BirthPlace, LineEnd,
    Death,        DeathPlace, LineEnd,  Age,            Relationship, Veteran,
    VetInfo,      Notes,     Other,     StoneType,      StoneCondition,
    Custom<0>,    Custom<1>, Custom<2>, Custom<3>,      Custom<4>,  Inscriptions};

constexpr RecordPiece kLayoutC[] = {Location, Grave, Name, BirthLine, DeathLine, Age, Notes,
                                    Other};

}  // namespace

const QString& FieldColumn(int fieldBox) { return Col(fieldBox); }

const QString& PictureColumn(int picture) {
  static const std::array<QString, 3> columns = {u"Pix1"_s, u"Pix2"_s, u"Pix3"_s};
  return columns[picture];
}

RecordLayout ChooseLayout(bool version2Flag, bool version3Flag) {
  if (version3Flag) return RecordLayout::A;
  return version2Flag ? RecordLayout::B : RecordLayout::C;
}

std::span<const RecordPiece> LayoutPieces(RecordLayout layout) {
  switch (layout) {
    case RecordLayout::A: return kLayoutA;
    case RecordLayout::B: return kLayoutB;
    case RecordLayout::C: break;
  }
  return kLayoutC;
}

void AppendPiece(RecordPiece piece, const RecordSource& source, QString& text) {
  const qsizetype before = text.size();
  try {
    piece(source, text);
  } catch (...) {
    text.truncate(before);
    throw;
  }
}

}  // namespace browser
