// The search frame on a window of its own: the order of its steps, the
// settings the searches of both viewers choose, and what each open is given.
#include "tests/testkit/gravelight/GravelightTest.h"

#include "browser/core/SearchFrame.h"

#include <map>

namespace {

using browser::SearchPrelude;
using browser::SearchSettings;

// A window that records what the frame asks of it. Opening a statement
// listed in `failures` raises that number; otherwise it stores a selection
// of `rows` rows.
class RecordingWindow : public browser::SearchTarget, private browser::Selection {
 public:
  QStringList calls;
  std::map<QString, int> failures;
  int rows = 2;
  bool hasSelection = false;
  int selectionRows = 0;

  // The window.
  browser::Selection& Records() override { return *this; }
  void OpenConnection() override { calls << "connect"; }
  int FieldBoxCount() override { return 15; }
  void ClearFieldBox(int index) override { calls << "clear " + QString::number(index); }
  void ShowPlaceholderPicture() override { calls << "placeholder"; }
  void SetRecordsSelected(const QString& c) override { calls << "selected " + c; }
  void SetCurrentRecordNumber(const QString& c) override { calls << "number " + c; }
  void ShowCurrentRecord() override { calls << "show"; }
  void SetNavigationEnabled(bool enabled) override {
    calls << (enabled ? "navigation on" : "navigation off");
  }
  void SetButtonEnabled(browser::NavigationButton, bool) override {}
  void EnableSearchButtons() override { calls << "search buttons on"; }

 private:
  // Its selection.
  void OpenConnection(const QString&) override {}
  void OpenSelection(const QString& statement, bool wholeTable) override {
    calls << QString("open %1 %2").arg(statement).arg(wholeTable ? "whole" : "part");
    if (auto f = failures.find(statement); f != failures.end()) vb::Raise(f->second);
    hasSelection = true;
    selectionRows = rows;
  }
  bool IsEmpty() override {
    if (!hasSelection) vb::Raise(91);
    return selectionRows == 0;
  }
  void MoveFirst() override {}
  void MoveLast() override {}
  void MoveNext() override {}
  void MovePrevious() override {}
  bool AtBOF() override { return false; }
  bool AtEOF() override { return false; }
  int FieldCount() override { return 3; }
  int RecordCount() override { return selectionRows; }
  vb::Variant GetFieldValue(const QString&) override { return QString(); }
  void Release() override {}
};

// Errors of the caller's own steps travel to the caller.
vb::ErrorTrap Untrapped() {
  vb::ErrorTrap trap(vb::ErrorHandler{});
  trap.GoTo0();
  return trap;
}

SearchSettings Settings(const QString& statement, std::optional<QString> replacement) {
  SearchSettings settings;
  settings.buildStatements = [=] { return browser::SearchStatements{statement, replacement}; };
  return settings;
}

}  // namespace

class SearchFrameTest : public GravelightTest {};

// The obituary viewer's select-all: counters first, then the placeholder,
// no field box touched; the whole-table choice goes to both opens.
TEST_F(SearchFrameTest, PlaceholderAfterTheCountersAndTheQueryChoiceOnBothOpens) {
  RecordingWindow window;
  window.failures = {{"S1", 3464}};
  SearchSettings settings = Settings("S1", "S2");
  settings.prelude = SearchPrelude::PlaceholderAfterCounters;
  settings.wholeTable = true;
  settings.enableSearchButtons = true;
  auto trap = Untrapped();
  browser::RunSearchFrame(window, settings, trap);
  EXPECT_EQ(window.calls,
            QStringList({"selected 0", "number 0", "placeholder", "connect", "open S1 whole",
                         "open S2 whole", "selected 2", "show", "navigation on",
                         "search buttons on"}));
  EXPECT_TRUE(Prompts().isEmpty());
}

TEST_F(SearchFrameTest, CemeteryPreludeEmptiesTheFieldBoxesBeforeTheCounters) {
  RecordingWindow window;
  SearchSettings settings = Settings("S1", std::nullopt);
  settings.prelude = SearchPrelude::FieldsAndPlaceholder;
  auto trap = Untrapped();
  browser::RunSearchFrame(window, settings, trap);
  ASSERT_GE(window.calls.size(), 18);
  for (int i = 0; i <= 14; ++i) EXPECT_EQ(window.calls[i], "clear " + QString::number(i));
  EXPECT_EQ(window.calls.mid(15, 4),
            QStringList({"placeholder", "selected 0", "number 0", "connect"}));
  EXPECT_EQ(window.calls.at(19), "open S1 part");
}

// After 3464 the second open either reports (with the search's extra line)
// or is passed over, and the result phase works on the selection the window
// held before.
TEST_F(SearchFrameTest, SecondOpenReportedOrPassedOver) {
  struct Case {
    bool report;
    bool heldSelection;
    QStringList prompts;
  };
  const Case cases[] = {
      {true, true, {"Fall back", "Error:  3075\r\nCheck your entry and try again."}},
      {false, true, {"Fall back", "No Results With Current Search Criteria"}},
      {false, false, {"Fall back", "Error:  91\r\nCheck your entry and try again."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.report << c.heldSelection);
    const qsizetype before = Prompts().size();
    RecordingWindow window;
    window.hasSelection = c.heldSelection;  // empty: it stood past its end
    window.failures = {{"S1", 3464}, {"S1 again", 3075}};
    SearchSettings settings = Settings("S1", "S1 again");
    settings.fallbackMessage = "Fall back";
    settings.reportSecondOpenErrors = c.report;
    settings.reportExtra = "\r\nCheck your entry and try again.";
    auto trap = Untrapped();
    browser::RunSearchFrame(window, settings, trap);
    EXPECT_EQ(Prompts().mid(before), c.prompts);
    EXPECT_EQ(window.calls.last(), "navigation off");
  }
}
