// The record's field boxes, record text and position.
#include "browser/BurialRecordText.h"
#include "browser/FormGravelightMain.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/ErrorTrap.h"
#include "support/jetfields/Module1JetFields.h"

namespace browser {

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

// A picture name this long or longer enables its picture button.
constexpr qsizetype kPictureButtonMinLength = 8;

dao::Recordset& Current(dao::Recordset* recordset) {
  if (!recordset) vb::Raise(vb::err::ObjectVariableNotSet);
  return *recordset;
}

// A column of the current row as text; Null gives the empty text. A column
// the table lacks raises the engine's error.
QString ColumnText(const QString& column, dao::Recordset* recordset) {
  return vb::CStr(Module1::GetFieldValue(column, Current(recordset)));
}

using FieldBoxes = std::array<TextBox*, kFieldBoxCount>;
using CustomLabels = std::array<TextBox*, 5>;

// The field boxes, custom labels and current row, as the record text reads them.
class WindowRecordSource : public RecordSource {
 public:
  WindowRecordSource(const FieldBoxes& fields, const CustomLabels& labels,
                     dao::Recordset*& recordset)
      : fields_(fields), labels_(labels), recordset_(recordset) {}
  const QString& Box(int fieldBox) const override { return fields_[fieldBox]->Text(); }
  QString Column(const QString& column) const override { return ColumnText(column, recordset_); }
  const QString& CustomLabel(int k) const override { return labels_[k]->Text(); }

 private:
  const FieldBoxes& fields_;
  const CustomLabels& labels_;
  dao::Recordset*& recordset_;
};

void SetFromColumn(TextBox& box, const QString& column, dao::Recordset* recordset) {
  box.SetText(ColumnText(column, recordset));
}

// The field boxes of the range from their columns, one unit per box.
void FillFromColumns(vb::ErrorTrap& trap, const FieldBoxes& fields, FieldBoxRange range,
                     dao::Recordset*& recordset) {
  for (int i = range.first; i <= range.last; ++i)
    trap([&] { SetFromColumn(*fields[i], FieldColumn(i), recordset); });
}

// The field boxes of the range emptied, one unit per box.
void Empty(vb::ErrorTrap& trap, const FieldBoxes& fields, FieldBoxRange range) {
  for (int i = range.first; i <= range.last; ++i) trap([&] { fields[i]->SetText(QString()); });
}

bool FlagSet(const CheckBox* flag) { return flag->Value() == vbChecked; }

}  // namespace

// The record loader answers no events of its own (the searches and the
// navigation call it); its controls are looked up here, once.
void FormGravelightMain::FindRecordControls() {
  RecordControls& r = record_;
  for (int i = 0; i < kFieldBoxCount; ++i) r.fields[i] = &C<TextBox>("txtfields", i);
  for (int k = 0; k < 5; ++k) r.customLabels[k] = &C<TextBox>("Text6", k);
  const PictureViewerControls& pictures = main_.Settings().pictures.controls;
  for (int p = 0; p < 3; ++p) {
    r.pictureNames[p] = &C<TextBox>(pictures.nameBoxes[p]);
    r.pictureButtons[p] = &C<CommandButton>(pictures.viewButtons[p]);
  }
  r.version2Flag = &C<CheckBox>("DbVersion2orHigherCheckbox");
  r.version3Flag = &C<CheckBox>("DbVersion3orHigherCheckbox");
  r.recordText = &C<TextBox>("IndividualsTextbox");
  r.position = &C<Label>(main_.Settings().controls.recordNumber);
}

// Shows the current row of the selection: position, field boxes, picture
// names, record text and picture buttons. Every statement below is one unit
// of the error answer: Retry runs it again, Ignore goes on with the next.
bool FormGravelightMain::LoadDataToBox(dao::Recordset*& mRecordSet) {
  const RecordControls& r = record_;
  bool result = false;
  auto trap = Trap("LoadDataToBox");
  trap.Run([&] {
    trap([&] {
      r.position->SetCaption(QString::number(Current(mRecordSet).AbsolutePosition() + 1));
    });
    FillFromColumns(trap, r.fields, kAlwaysFieldBoxes, mRecordSet);
    // Setting a picture name that changes runs its change action, nested,
    // before the next name is set.
    for (int p = 0; p < 3; ++p)
      trap([&] { SetFromColumn(*r.pictureNames[p], PictureColumn(p), mRecordSet); });
    trap([&] { main_.Pictures().ShowPicture1IfReplaced(); });

    if (FlagSet(r.version2Flag)) {
      FillFromColumns(trap, r.fields, kVersion2FieldBoxes, mRecordSet);
      Empty(trap, r.fields, kUnusedFieldBoxes);
    } else {
      Empty(trap, r.fields, {kVersion2FieldBoxes.first, kUnusedFieldBoxes.last});
    }
    if (FlagSet(r.version3Flag))
      FillFromColumns(trap, r.fields, kVersion3FieldBoxes, mRecordSet);
    else
      Empty(trap, r.fields, kVersion3FieldBoxes);

    QString text;
    text.reserve(kRecordTextReserve);
    const WindowRecordSource source(r.fields, r.customLabels, mRecordSet);
    const RecordLayout layout = ChooseLayout(FlagSet(r.version2Flag), FlagSet(r.version3Flag));
    for (const RecordPiece piece : LayoutPieces(layout))
      trap([&] { AppendPiece(piece, source, text); });
    trap([&] { r.recordText->SetText(text); });

    // The boxes that other windows take again, and the picture names again:
    // a name that a change action replaced gets the record's name back.
    trap([&] {
      SetFromColumn(*r.fields[box::ID], FieldColumn(box::ID), mRecordSet);
      SetFromColumn(*r.fields[box::Cemetery], FieldColumn(box::Cemetery), mRecordSet);
    });
    trap([&] {
      for (int p = 0; p < 3; ++p) SetFromColumn(*r.pictureNames[p], PictureColumn(p), mRecordSet);
    });
    result = true;

    trap([&] {
      for (int p = 0; p < 3; ++p)
        r.pictureButtons[p]->SetEnabled(r.pictureNames[p]->Text().size() >=
                                        kPictureButtonMinLength);
    });
  });
  return result;
}

}  // namespace browser
