// The select-all search, the sort orders and the record navigation of the
// cemetery viewer's main window.
#include "browser/FormGravelightMain.h"

#include "browser/SortOrders.h"

namespace browser {

using namespace forms;

void FormGravelightMain::WireSearchEvents() {
  C<CommandButton>("CMD_SelectAll").OnClick = [this] { CMD_SelectAll_Click(); };
  C<CommandButton>("CMD_MoveFirst").OnClick = [this] { CMD_MoveFirst_Click(); };
  C<CommandButton>("CMD_MovePrev").OnClick = [this] { CMD_MovePrev_Click(); };
  C<CommandButton>("CMD_MoveNext").OnClick = [this] { CMD_MoveNext_Click(); };
  C<CommandButton>("CMD_MoveLast").OnClick = [this] { CMD_MoveLast_Click(); };
}

// ---- Select-all --------------------------------------------------------------

void FormGravelightMain::CMD_SelectAll_Click() {
  auto trap = Trap("CMD_SelectAll_Click");
  trap.Run([&] {
    SearchSettings settings;
    settings.prelude = SearchPrelude::FieldsAndPlaceholder;
    settings.openErrorsToReport = true;
    settings.buildStatements = [this] {
      const bool byName = C<OptionButton>("SortOption1").Value();
      const QString base = QStringLiteral("SELECT * FROM Sheet1");
      SearchStatements statements{base + SortClause(byName), std::nullopt};
      if (!byName) statements.replacement = base + kPlainPlacementOrder;
      return statements;
    };
    settings.reportSecondOpenErrors = true;
    settings.enableSearchButtons = true;
    RunSearchFrame(*this, settings, trap);
  });
}

// ---- The search frame's view of the window -----------------------------------------

void FormGravelightMain::ClearFieldBox(int index) { C<TextBox>("txtfields", index).SetText(QString()); }

void FormGravelightMain::ShowPlaceholderPicture() {
  C<Image>("Image1").SetPicture(C<Image>("Image2").Picture());
}

void FormGravelightMain::SetRecordsSelected(const QString& caption) {
  C<Label>("LBL_RecordsSelected").SetCaption(caption);
}

void FormGravelightMain::SetCurrentRecordNumber(const QString& caption) {
  C<Label>("LBL_NavCurrentRecordNumber").SetCaption(caption);
}

void FormGravelightMain::OpenConnection() {
  // The connection a store replaces is released, not closed first.
  MainDatabase_ = dao::DBEngine().Workspaces(0).OpenDatabase(DataFilePath_, true, true);
}

void FormGravelightMain::OpenSelection(const QString& statement, bool) {
  if (!MainDatabase_) vb::Raise(vb::err::ObjectVariableNotSet);
  MainRecordSet_ = MainDatabase_->OpenRecordset(statement);
}

dao::Recordset& FormGravelightMain::Selection() const {
  if (!MainRecordSet_) vb::Raise(vb::err::ObjectVariableNotSet);
  return *MainRecordSet_;
}

bool FormGravelightMain::SelectionIsEmpty() { return Selection().AbsolutePosition() <= -1; }
void FormGravelightMain::SelectionMoveLast() { Selection().MoveLast(0); }
void FormGravelightMain::SelectionMoveFirst() { Selection().MoveFirst(); }
int FormGravelightMain::SelectionFieldCount() { return Selection().Fields().Count(); }
int FormGravelightMain::SelectionRecordCount() { return Selection().RecordCount(); }

void FormGravelightMain::ShowCurrentRecord() {
  dao::Recordset* selection = MainRecordSet_.get();
  LoadDataToBox(selection);
}

void FormGravelightMain::SetNavigationEnabled(bool enabled) {
  for (const char* name : {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext", "CMD_MoveLast"})
    C<CommandButton>(QString::fromLatin1(name)).SetEnabled(enabled);
}

void FormGravelightMain::EnableSearchButtons() {
  C<CommandButton>("CMD_NameFindSort").SetEnabled(true);
  C<CommandButton>("CMD_LocationFindSort").SetEnabled(true);
}

// ---- Navigation ------------------------------------------------------------------

void FormGravelightMain::MoveFirst() { Selection().MoveFirst(); }
void FormGravelightMain::MovePrevious() { Selection().MovePrevious(); }
void FormGravelightMain::MoveNext() { Selection().MoveNext(); }
void FormGravelightMain::MoveLast() { Selection().MoveLast(0); }
bool FormGravelightMain::AtBOF() { return Selection().BOF(); }
bool FormGravelightMain::AtEOF() { return Selection().EOF_(); }

void FormGravelightMain::SetButtonEnabled(NavigationButton button, bool enabled) {
  static const char* const names[] = {"CMD_MoveFirst", "CMD_MovePrev", "CMD_MoveNext",
                                      "CMD_MoveLast"};
  C<CommandButton>(QString::fromLatin1(names[static_cast<int>(button)])).SetEnabled(enabled);
}

void FormGravelightMain::RunNavigation(const char* procedure, NavigationButton button) {
  auto trap = Trap(procedure);
  trap.Run([&] { Navigate(*this, button, trap); });
}

void FormGravelightMain::CMD_MoveFirst_Click() {
  RunNavigation("CMD_MoveFirst_Click", NavigationButton::First);
}
void FormGravelightMain::CMD_MovePrev_Click() {
  RunNavigation("CMD_MovePrev_Click", NavigationButton::Previous);
}
void FormGravelightMain::CMD_MoveNext_Click() {
  RunNavigation("CMD_MoveNext_Click", NavigationButton::Next);
}
void FormGravelightMain::CMD_MoveLast_Click() {
  RunNavigation("CMD_MoveLast_Click", NavigationButton::Last);
}

}  // namespace browser
