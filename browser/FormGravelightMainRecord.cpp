// The record's field boxes, record text and position.
#include "browser/BurialRecordText.h"
#include "browser/FormGravelightMain.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/ErrorTrap.h"
#include "support/GlobErrorModule.h"
#include "support/Module1.h"

namespace browser {

using namespace forms;
using namespace Qt::StringLiterals;

namespace {

constexpr int kObjectVariableNotSet = 91;
// A picture name this long or longer enables its picture button.
constexpr qsizetype kPictureButtonMinLength = 8;

vb::ErrorTrap Trap(const char* procedure) {
  return vb::ErrorTrap(GlobErrorModule::LogErrorHandler(QString::fromLatin1(procedure),
                                                        u"FormGravelightMain"_s));
}

dao::Recordset& Current(dao::Recordset* recordset) {
  if (!recordset) vb::Raise(kObjectVariableNotSet);
  return *recordset;
}

// A column of the current row as text; Null gives the empty text. A column
// the table lacks raises the engine's error.
QString ColumnText(const QString& column, dao::Recordset* recordset) {
  return vb::CStr(Module1::GetFieldValue(column, Current(recordset)));
}

// The field boxes, custom labels and current row, as the record text reads them.
class WindowRecordSource : public RecordSource {
 public:
  WindowRecordSource(const Form& form, dao::Recordset*& recordset)
      : form_(form), recordset_(recordset) {}
  const QString& Box(int fieldBox) const override {
    return form_.Get<TextBox>(u"txtfields"_s, fieldBox).Text();
  }
  QString Column(const QString& column) const override { return ColumnText(column, recordset_); }
  const QString& CustomLabel(int k) const override {
    return form_.Get<TextBox>(u"Text6"_s, k).Text();
  }

 private:
  const Form& form_;
  dao::Recordset*& recordset_;
};

// The field boxes of the range from their columns, one unit per box.
void FillFromColumns(vb::ErrorTrap& trap, const Form& form, FieldBoxRange range,
                     dao::Recordset*& recordset) {
  for (int i = range.first; i <= range.last; ++i)
    trap([&] {
      form.Get<TextBox>(u"txtfields"_s, i).SetText(ColumnText(FieldColumn(i), recordset));
    });
}

// The field boxes of the range emptied, one unit per box.
void Empty(vb::ErrorTrap& trap, const Form& form, FieldBoxRange range) {
  for (int i = range.first; i <= range.last; ++i)
    trap([&] { form.Get<TextBox>(u"txtfields"_s, i).SetText(QString()); });
}

TextBox& PictureNameBox(const Form& form, int picture) {
  static const QString names[] = {u"PicText1"_s, u"PicText2"_s, u"PicText3"_s};
  return form.Get<TextBox>(names[picture]);
}

// Sets PicText1 to PicText3 from Pix1 to Pix3. A box whose text changes runs
// its change action, nested, before the next one is set.
void SetPictureName(const Form& form, int picture, dao::Recordset* recordset) {
  PictureNameBox(form, picture).SetText(ColumnText(PictureColumn(picture), recordset));
}

bool FlagSet(const Form& form, const QString& checkBox) {
  return form.Get<CheckBox>(checkBox).Value() == vbChecked;
}

}  // namespace

// The record loader has no events of its own: the searches and the
// navigation buttons call LoadDataToBox.
void FormGravelightMain::WireRecordEvents() {}

// Shows the current row of the selection: position, field boxes, picture
// names, record text and picture buttons. Every statement below is one unit
// of the error answer: Retry runs it again, Ignore goes on with the next.
bool FormGravelightMain::LoadDataToBox(dao::Recordset*& mRecordSet) {
  bool result = false;
  auto trap = Trap("LoadDataToBox");
  trap.Run([&] {
    const Form& form = form_;
    trap([&] {
      C<Label>("LBL_NavCurrentRecordNumber")
          .SetCaption(QString::number(Current(mRecordSet).AbsolutePosition() + 1));
    });
    FillFromColumns(trap, form, kAlwaysFieldBoxes, mRecordSet);
    for (int picture = 0; picture < 3; ++picture)
      trap([&] { SetPictureName(form, picture, mRecordSet); });

    if (FlagSet(form, u"DbVersion2orHigherCheckbox"_s)) {
      FillFromColumns(trap, form, kVersion2FieldBoxes, mRecordSet);
      Empty(trap, form, kUnusedFieldBoxes);
    } else {
      Empty(trap, form, {kVersion2FieldBoxes.first, kUnusedFieldBoxes.last});
    }
    if (FlagSet(form, u"DbVersion3orHigherCheckbox"_s))
      FillFromColumns(trap, form, kVersion3FieldBoxes, mRecordSet);
    else
      Empty(trap, form, kVersion3FieldBoxes);

    QString text;
    text.reserve(kRecordTextReserve);
    const WindowRecordSource source(form, mRecordSet);
    const RecordLayout layout = ChooseLayout(FlagSet(form, u"DbVersion2orHigherCheckbox"_s),
                                             FlagSet(form, u"DbVersion3orHigherCheckbox"_s));
    for (const RecordPiece piece : LayoutPieces(layout))
      trap([&] { AppendPiece(piece, source, text); });
    trap([&] { C<TextBox>("IndividualsTextbox").SetText(text); });

    // The boxes that other windows take again, and the picture names again:
    // a name that a change action replaced gets the record's name back.
    trap([&] {
      C<TextBox>("txtfields", box::ID).SetText(ColumnText(FieldColumn(box::ID), mRecordSet));
      C<TextBox>("txtfields", box::Cemetery)
          .SetText(ColumnText(FieldColumn(box::Cemetery), mRecordSet));
    });
    trap([&] {
      for (int picture = 0; picture < 3; ++picture) SetPictureName(form, picture, mRecordSet);
    });
    result = true;

    trap([&] {
      static const QString buttons[] = {u"CMD_ViewImage1"_s, u"CMD_ViewImage2"_s,
                                        u"CMD_ViewImage3"_s};
      for (int picture = 0; picture < 3; ++picture)
        C<CommandButton>(buttons[picture])
            .SetEnabled(PictureNameBox(form, picture).Text().size() >= kPictureButtonMinLength);
    });
  });
  return result;
}

}  // namespace browser
