#include "placeinfo/InfoSelection.h"

#include "browser/core/SearchTexts.h"
#include "platform/forms/Host.h"
#include "platform/vb/Conversions.h"

namespace placeinfo {

using forms::MsgBox;

QString QuotedKey(const QString& key) {
  QString doubled = key;
  doubled.replace(u'"', QStringLiteral("\"\""));
  return u'"' + doubled + u'"';
}

void AnswerSelectionError(const vb::VbError& error, const SelectionAnswers& answers,
                          const std::function<void()>& showAllRows) {
  switch (error.Number()) {
    case vb::err::NoCurrentRecord:
      MsgBox("No Data or No Results for Criteria. Add a Record.");
      MsgBox(answers.openingAll);
      showAllRows();
      break;
    case vb::err::TableNotFound:
      MsgBox(answers.notAdded);
      break;
    case 0:
      break;
    default:
      MsgBox("Please report error: " + vb::Str(static_cast<double>(error.Number())) +
             error.Description());
      break;
  }
}

namespace {

// Stands on the first row of a selection that has one.
bool StandOnFirstRow(browser::Selection& selection) {
  if (selection.IsEmpty()) return false;
  selection.MoveLast();
  selection.MoveFirst();
  return true;
}

// Every row in name order; false when the step stops there.
bool SelectAllRows(browser::Selection& selection, const PlaceRowSelection& step) {
  selection.OpenSelection(step.allRows, false);
  if (StandOnFirstRow(selection) || !step.noRowsAtAll) return true;
  MsgBox(*step.noRowsAtAll);
  return false;
}

}  // namespace

void SelectPlaceRow(browser::Selection& selection, const QString& path,
                    const PlaceRowSelection& step, const std::function<void()>& showRow) {
  try {
    selection.OpenConnection(path);
    try {
      selection.OpenSelection(step.byKey, false);
    } catch (const vb::VbError& error) {
      if (error.Number() != vb::err::TypeMismatchDb) throw;
      MsgBox(browser::kBlankRowOrStoneMessage);
      selection.OpenSelection(step.byKey, false);
    }
    if (!StandOnFirstRow(selection)) {
      MsgBox(step.noRowForKey);
      if (!SelectAllRows(selection, step)) return;
    }
    showRow();
  } catch (const vb::VbError& error) {
    AnswerSelectionError(error, step.answers, [&] {
      if (SelectAllRows(selection, step)) showRow();
    });
  }
}

}  // namespace placeinfo
