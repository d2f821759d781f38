#pragma once
// The burial record of table Sheet1 as the main window shows it: which column
// feeds which field box, and the pieces of the three record-text layouts.
//
// Each piece appends its text to the record text or, when its condition does
// not hold, nothing. A piece that fails (a column read raising a run-time
// error) leaves the record text as it was, so the caller can treat every
// piece as one unit that may be retried or skipped.
#include <QString>
#include <span>

namespace browser {

// Field boxes txtfields(0) to txtfields(36).
inline constexpr int kFieldBoxCount = 37;
// Ranges of field boxes (first and last index, both included).
struct FieldBoxRange {
  int first;
  int last;
};
inline constexpr FieldBoxRange kAlwaysFieldBoxes{0, 14};    // read from every table
inline constexpr FieldBoxRange kVersion2FieldBoxes{15, 27}; // read when the version-2 flag is set
inline constexpr FieldBoxRange kUnusedFieldBoxes{28, 33};   // always emptied
inline constexpr FieldBoxRange kVersion3FieldBoxes{34, 36}; // read when the version-3 flag is set

// Field boxes that the record text and the information window name.
namespace box {
inline constexpr int ID = 0, Lastname = 1, Given = 2, Birth = 3, Death = 4, YR = 5, MO = 6,
                     DA = 7, Row = 8, Lot = 9, Stone = 10, Notes = 11, Other = 12, Section = 13,
                     Cemetery = 14, Relationship = 15, BirthPlace = 16, DeathPlace = 17,
                     StoneType = 18, StoneCondition = 19, Custom1 = 20, IsVeteran = 25,
                     VetInfo = 26, Inscriptions = 27, Owner = 34, PurchDate = 35,
                     BurialDate = 36;
}  // namespace box

// The column of a field box; the empty text for boxes 28 to 33, which have none.
const QString& FieldColumn(int fieldBox);
// The columns of the picture-name boxes PicText1 to PicText3.
const QString& PictureColumn(int picture);  // 0, 1 or 2

// The three layouts of the record text.
enum class RecordLayout {
  A,  // version-3 tables: places, relationship, veteran, stone, owner, custom fields
  B,  // version-2 tables: as A without the owner's lines
  C,  // older tables: name, dates, age, notes and other information only
};
// Layout A when the version-3 flag is set, else B with the version-2 flag, else C.
RecordLayout ChooseLayout(bool version2Flag, bool version3Flag);

// What a piece reads: the current field-box texts, columns of the current
// row (by name, through the loader's null-safe reader; may raise) and the
// custom field labels.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual const QString& Box(int fieldBox) const = 0;
  virtual QString Column(const QString& column) const = 0;
  virtual const QString& CustomLabel(int k) const = 0;  // 0 to 4
};

// One piece of a layout: appends its text to `text` when its condition holds.
using RecordPiece = void (*)(const RecordSource& source, QString& text);

// The pieces of a layout, in the order they are appended.
std::span<const RecordPiece> LayoutPieces(RecordLayout layout);

// Appends one piece to `text`; when the piece raises, `text` is put back as
// it was and the error goes on to the caller.
void AppendPiece(RecordPiece piece, const RecordSource& source, QString& text);

// Room for a typical record text, so that composing it rarely reallocates.
inline constexpr qsizetype kRecordTextReserve = 1024;

}  // namespace browser
