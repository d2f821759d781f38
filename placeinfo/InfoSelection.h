#pragma once
// The selection step both information windows run: the row of the place's
// key on a connection of the window's own, or, when the key has none, every
// row in name order; the engine's errors answered by number. Each window
// supplies its statements, its messages and the step that shows the row.
#include "browser/core/Selection.h"
#include "platform/vb/VbError.h"

#include <QString>
#include <functional>
#include <optional>

namespace placeinfo {

// A place's key (its name or id) as the selection statement's value: in
// double quotes, an embedded double quote doubled as the engine reads it, so
// that every stored key can be found.
QString QuotedKey(const QString& key);

// The selection step's answers by error number: no current record (3021)
// says so, names what it opens (`openingAll`) and shows every row
// (`showAllRows`); a missing table (3078) gives `notAdded`; any other number
// "Please report error: " with the number (blank before it) and the
// description. Runs as the step's handler: an error in it goes to the caller.
struct SelectionAnswers {
  QString openingAll;
  QString notAdded;
};
void AnswerSelectionError(const vb::VbError& error, const SelectionAnswers& answers,
                          const std::function<void()>& showAllRows);

struct PlaceRowSelection {
  QString byKey;    // the key's row (a data type mismatch is tried once more)
  QString allRows;  // every row in name order
  QString noRowForKey;  // said before every row is shown
  // Said when every row is asked for and there is none; the row step then
  // does not run. Without it the row step meets the empty selection.
  std::optional<QString> noRowsAtAll;
  SelectionAnswers answers;
};

// Opens `path` on the selection, selects as above and runs `showRow` on the
// row found (the first of several). An error of the step goes to the
// answers; an error of the answers goes to the caller.
void SelectPlaceRow(browser::Selection& selection, const QString& path,
                    const PlaceRowSelection& step, const std::function<void()>& showRow);

}  // namespace placeinfo
