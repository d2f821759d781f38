#pragma once
// The search frame's and the navigation's view of a main window: its
// counters, buttons, field boxes and placeholder picture found by name, its
// selection, and the window's own way of showing the current record.
#include "browser/core/MainWindowControls.h"
#include "browser/core/SearchFrame.h"
#include "browser/core/Selection.h"
#include "platform/forms/Form.h"

#include <functional>

namespace browser {

class WindowSelection : public SearchTarget {
 public:
  WindowSelection(forms::Form& form, const MainWindowControls& controls, Selection& selection,
                  std::function<QString()> dataFilePath, std::function<void()> showRecord,
                  std::function<void()> showPlaceholder);

  Selection& Records() override { return selection_; }
  void OpenConnection() override { selection_.OpenConnection(dataFilePath_()); }
  int FieldBoxCount() override { return controls_.preludeFieldBoxes; }
  void ClearFieldBox(int index) override;
  void ShowPlaceholderPicture() override { showPlaceholder_(); }
  void SetRecordsSelected(const QString& caption) override;
  void SetCurrentRecordNumber(const QString& caption) override;
  void ShowCurrentRecord() override { showRecord_(); }
  void SetNavigationEnabled(bool enabled) override;
  void SetButtonEnabled(NavigationButton button, bool enabled) override;
  void EnableSearchButtons() override;

 private:
  forms::Form& form_;
  const MainWindowControls& controls_;
  Selection& selection_;
  std::function<QString()> dataFilePath_;
  std::function<void()> showRecord_;
  std::function<void()> showPlaceholder_;
};

}  // namespace browser
