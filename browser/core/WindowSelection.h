#pragma once
// The search frame's and the navigation's view of a main window: its
// counters, buttons and placeholder picture found by name, its selection, and
// the window's own way of showing the current record.
#include "browser/core/MainWindowControls.h"
#include "browser/core/SearchFrame.h"
#include "browser/core/Selection.h"
#include "platform/forms/Form.h"

#include <functional>

namespace browser {

class WindowSelection : public SearchTarget, public NavigationTarget {
 public:
  WindowSelection(forms::Form& form, const MainWindowControls& controls, Selection& selection,
                  std::function<QString()> dataFilePath, std::function<void()> showRecord);

  // SearchTarget
  int FieldBoxCount() override { return controls_.preludeFieldBoxes; }
  void ClearFieldBox(int index) override;
  void ShowPlaceholderPicture() override;
  void SetRecordsSelected(const QString& caption) override;
  void SetCurrentRecordNumber(const QString& caption) override;
  void OpenConnection() override;
  void OpenSelection(const QString& statement, bool wholeTable) override;
  bool SelectionIsEmpty() override { return selection_.IsEmpty(); }
  void SelectionMoveLast() override { selection_.MoveLast(); }
  void SelectionMoveFirst() override { selection_.MoveFirst(); }
  int SelectionFieldCount() override { return selection_.FieldCount(); }
  int SelectionRecordCount() override { return selection_.RecordCount(); }
  void ShowCurrentRecord() override { showRecord_(); }
  void SetNavigationEnabled(bool enabled) override;
  void EnableSearchButtons() override;

  // NavigationTarget
  void MoveFirst() override { selection_.MoveFirst(); }
  void MovePrevious() override { selection_.MovePrevious(); }
  void MoveNext() override { selection_.MoveNext(); }
  void MoveLast() override { selection_.MoveLast(); }
  bool AtBOF() override { return selection_.AtBOF(); }
  bool AtEOF() override { return selection_.AtEOF(); }
  void SetButtonEnabled(NavigationButton button, bool enabled) override;

 private:
  forms::Form& form_;
  const MainWindowControls& controls_;
  Selection& selection_;
  std::function<QString()> dataFilePath_;
  std::function<void()> showRecord_;
};

}  // namespace browser
