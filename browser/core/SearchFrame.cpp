#include "browser/core/SearchFrame.h"

#include "browser/core/SearchTexts.h"
#include "platform/forms/Host.h"
#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

namespace browser {

namespace {

// Runs a step whose error goes to the report: the error number, 0 when it ran.
int Reported(const std::function<void()>& step) {
  try {
    step();
    return 0;
  } catch (const vb::VbError& error) {
    return error.Number() == 0 ? -1 : error.Number();
  }
}

void Report(SearchTarget& target, const SearchSettings& settings, int number) {
  // The report itself may fail only in the window's own controls; such an
  // error belongs to the caller, as on the platform.
  forms::MsgBox(kErrorReport + vb::Str(static_cast<double>(number)) + settings.reportExtra);
  target.SetNavigationEnabled(false);
}

// F7 and F8: the empty selection, or the count and the first record.
void ShowSelection(SearchTarget& target, const SearchSettings& settings) {
  Selection& records = target.Records();
  if (records.IsEmpty()) {
    forms::MsgBox(kNoResults);
    target.SetNavigationEnabled(false);
    if (settings.enableSearchButtons) target.EnableSearchButtons();
    return;
  }
  records.MoveLast();
  if (records.FieldCount() > 0) target.SetRecordsSelected(QString::number(records.RecordCount()));
  records.MoveFirst();
  target.ShowCurrentRecord();
  target.SetNavigationEnabled(true);
  if (settings.enableSearchButtons) target.EnableSearchButtons();
}

}  // namespace

void RunSearchFrame(SearchTarget& target, const SearchSettings& settings, vb::ErrorTrap& trap) {
  if (settings.prelude == SearchPrelude::FieldsAndPlaceholder) {
    const int count = target.FieldBoxCount();
    for (int i = 0; i < count; ++i) trap([&] { target.ClearFieldBox(i); });
    trap([&] { target.ShowPlaceholderPicture(); });
  }
  trap([&] { target.SetRecordsSelected("0"); });
  trap([&] { target.SetCurrentRecordNumber("0"); });
  if (settings.prelude == SearchPrelude::PlaceholderAfterCounters)
    trap([&] { target.ShowPlaceholderPicture(); });

  SearchStatements statements;
  if (settings.openErrorsToReport) {
    const int number = Reported([&] {
      target.OpenConnection();
      statements = settings.buildStatements();
    });
    if (number != 0) return Report(target, settings, number);
  } else {
    trap([&] { target.OpenConnection(); });
    trap([&] { statements = settings.buildStatements(); });
  }

  Selection& records = target.Records();
  int number = Reported([&] { records.OpenSelection(statements.statement, settings.wholeTable); });
  if (number == vb::err::TypeMismatchDb) {
    number = Reported([&] {
      if (!settings.fallbackMessage.isEmpty()) forms::MsgBox(settings.fallbackMessage);
    });
    if (number != 0) return Report(target, settings, number);
    const QString second = statements.replacement.value_or(statements.statement);
    number = Reported([&] { records.OpenSelection(second, settings.wholeTable); });
    if (!settings.reportSecondOpenErrors) number = 0;
  }
  if (number != 0) return Report(target, settings, number);

  number = Reported([&] { ShowSelection(target, settings); });
  if (number != 0) Report(target, settings, number);
}

void Navigate(SearchTarget& target, NavigationButton button, vb::ErrorTrap& trap) {
  using B = NavigationButton;
  Selection& records = target.Records();
  switch (button) {
    case B::First:
      trap([&] { records.MoveFirst(); });
      trap([&] { target.ShowCurrentRecord(); });
      trap([&] { target.SetButtonEnabled(B::Next, true); });
      break;
    case B::Last:
      trap([&] { records.MoveLast(); });
      trap([&] { target.ShowCurrentRecord(); });
      trap([&] { target.SetButtonEnabled(B::Previous, true); });
      break;
    case B::Previous:
    case B::Next: {
      const bool back = button == B::Previous;
      std::optional<bool> pastEnd;
      trap([&] { back ? records.MovePrevious() : records.MoveNext(); });
      trap([&] { pastEnd = back ? records.AtBOF() : records.AtEOF(); });
      if (!pastEnd) break;  // the test itself failed and was ignored
      if (*pastEnd) {
        trap([&] { target.SetButtonEnabled(button, false); });
      } else {
        trap([&] { target.ShowCurrentRecord(); });
        trap([&] { target.SetButtonEnabled(back ? B::Next : B::Previous, true); });
      }
      break;
    }
  }
}

}  // namespace browser
