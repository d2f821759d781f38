#pragma once
// The steps every search of a main window runs, and the record navigation
// buttons, written once for both viewers. A window supplies its selection,
// counters and buttons through the interfaces below; each search supplies
// its settings.
//
//   F1 prelude: empty the window's field boxes and show the placeholder
//      picture (the obituary viewer's prelude shows the placeholder after F2)
//   F2 both counters "0"
//   F3 a new connection
//   F4 the statement (and the one to try after a failed numeric sort)
//   F5 open it; on error 3464 (F6) show the fall-back message and open the
//      replacement; any other error goes to the report (F9)
//   F7 no row: "No Results With Current Search Criteria"
//   F8 count the rows and show the first
//   F9 "Error: " and the number
#include "browser/core/Selection.h"
#include "platform/vb/ErrorTrap.h"

#include <QString>
#include <functional>
#include <optional>

namespace browser {

// The statement of a search and what to open after error 3464.
struct SearchStatements {
  QString statement;
  // nullopt: the same statement is opened again.
  std::optional<QString> replacement;
};

// What a search does to the display before it counts anew.
enum class SearchPrelude {
  None,
  // The window's field boxes emptied in index order, then the placeholder
  // picture, before the counters are reset.
  FieldsAndPlaceholder,
  // The counters reset first, then the placeholder picture; no field box
  // is touched.
  PlaceholderAfterCounters,
};

struct SearchSettings {
  SearchPrelude prelude = SearchPrelude::None;
  // Where errors of F3 and F4 go: the error report (true) or the caller's
  // own handling in force (false).
  bool openErrorsToReport = true;
  std::function<SearchStatements()> buildStatements;
  QString fallbackMessage;  // shown before the second open; "" = none
  bool reportSecondOpenErrors = true;
  QString reportExtra;      // appended to the error report's text
  bool enableSearchButtons = false;
  // Handed to both opens of the statement: the obituary connection's query
  // takes it (true only in its select-all search); the cemetery viewer's
  // engine has no such choice.
  bool wholeTable = false;
};

// The navigation buttons.
enum class NavigationButton { First, Previous, Next, Last };

// What the search frame and the navigation buttons ask of a main window: its
// selection, counters, buttons and placeholder picture, and its own way of
// showing the current record.
class SearchTarget {
 public:
  virtual ~SearchTarget() = default;
  virtual Selection& Records() = 0;
  // A new connection on the window's database file.
  virtual void OpenConnection() = 0;
  // How many field boxes the prelude empties (indexes 0 .. count - 1).
  virtual int FieldBoxCount() = 0;
  virtual void ClearFieldBox(int index) = 0;
  virtual void ShowPlaceholderPicture() = 0;
  virtual void SetRecordsSelected(const QString& caption) = 0;
  virtual void SetCurrentRecordNumber(const QString& caption) = 0;
  virtual void ShowCurrentRecord() = 0;
  virtual void SetNavigationEnabled(bool enabled) = 0;
  virtual void SetButtonEnabled(NavigationButton button, bool enabled) = 0;
  virtual void EnableSearchButtons() = 0;
};

// Runs F1 to F9. `trap` is the calling procedure's error handling, which
// answers the steps the settings give to it (F1, F2 and, when so set, F3
// and F4).
void RunSearchFrame(SearchTarget& target, const SearchSettings& settings, vb::ErrorTrap& trap);

// One press of a navigation button; every step runs as a statement of
// `trap` (a trap in GoTo0 mode lets errors reach the caller).
void Navigate(SearchTarget& target, NavigationButton button, vb::ErrorTrap& trap);

}  // namespace browser
