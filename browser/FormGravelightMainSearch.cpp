// The searches of the cemetery viewer's main window over table Sheet1.
#include "browser/FormGravelightMain.h"

#include "browser/SortOrders.h"

namespace browser {

using namespace forms;

void FormGravelightMain::WireSearchEvents() {
  C<CommandButton>("CMD_SelectAll").OnClick = [this] { CMD_SelectAll_Click(); };
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
    main_.RunSearch(settings, trap);
  });
}

}  // namespace browser
