// The searches of the cemetery viewer's main window over table Sheet1.
#include "browser/FormGravelightMain.h"

#include "browser/SortOrders.h"
#include "browser/core/SearchTexts.h"
#include "platform/vb/Conversions.h"
#include "support/Strings.h"

namespace browser {

using namespace forms;

namespace {

const QString kWhereBase = QStringLiteral("SELECT * FROM Sheet1 ") + "WHERE ";

}  // namespace

void FormGravelightMain::WireSearchEvents() {
  C<CommandButton>("CMD_SelectAll").OnClick = [this] { CMD_SelectAll_Click(); };
  C<CommandButton>("CMD_NameFindSort").OnClick = [this] { CMD_NameFindSort_Click(); };
  C<CommandButton>("CMD_LocationFindSort").OnClick = [this] { CMD_LocationFindSort_Click(); };
  C<CommandButton>("CMD_CustomFindSort").OnClick = [this] { CMD_CustomFindSort_Click(); };
}

QString FormGravelightMain::FixSQLApostrophe(const QString& OrigSQLstr) {
  return Strings::ReplaceStr(OrigSQLstr, QStringLiteral("'"), QStringLiteral("''"));
}

// The custom columns named by their labels: the whole statement comes back
// in lower case, and "[" + label + "]" in any case becomes "customN".
QString FormGravelightMain::convertCustomSQL(const QString& SQL) {
  QString result;
  auto trap = Trap("convertCustomSQL");
  trap.Run([&] {
    trap([&] { result = SQL; });
    for (int i = 1; i <= 5; ++i) {
      trap([&] {
        const QString label = "[" + vb::Trim(C<TextBox>("Text6", i - 1).Text()) + "]";
        result = Strings::ReplaceStr(result.toLower(), label.toLower(),
                                     "custom" + QString::number(i));
      });
    }
  });
  return result;
}

bool FormGravelightMain::ByName() const { return C<OptionButton>("SortOption1").Value(); }

// ---- Name search ---------------------------------------------------------------

void FormGravelightMain::CMD_NameFindSort_Click() {
  auto trap = Trap("CMD_NameFindSort_Click");
  trap.Run([&] {
    bool anyTicked = false;
    trap([&] {
      anyTicked = C<CheckBox>("Lastname_Checkbox").Value() +
                      C<CheckBox>("Firstname_Checkbox").Value() > 0;
    });
    if (!anyTicked) {
      trap([&] { MsgBox(kTickTheBoxes); });
      return;
    }
    SearchSettings settings;
    settings.openErrorsToReport = true;
    settings.buildStatements = [this] {
      QString last, given;
      if (C<CheckBox>("Lastname_Checkbox").Value() == vbChecked)
        last = "Lastname LIKE '" + FixSQLApostrophe(vb::Trim(C<TextBox>("LastnameText").Text())) + "'";
      if (C<CheckBox>("Firstname_Checkbox").Value() == vbChecked)
        given = "Given Like '" + FixSQLApostrophe(vb::Trim(C<TextBox>("FirstnameText").Text())) + "'";
      const QString statement = kWhereBase + JoinTerms({last, given});
      return SearchStatements{statement + SortClause(ByName()),
                              ByName() ? std::nullopt
                                       : std::optional(statement + kPlainPlacementOrder)};
    };
    settings.fallbackMessage = kBlankRowOrStoneMessage;
    settings.reportSecondOpenErrors = false;
    main_.RunSearch(settings, trap);
  });
}

// ---- Location search -------------------------------------------------------------

void FormGravelightMain::CMD_LocationFindSort_Click() {
  auto trap = Trap("CMD_LocationFindSort_Click");
  trap.Run([&] {
    QString cemeteryTerm;
    trap([&] {
      if (C<CheckBox>("LocCemetery_Checkbox").Value() == vbChecked)
        cemeteryTerm =
            "[Cemetery] like '" + FixSQLApostrophe(C<TextBox>("LocCemeteryNameText").Text()) + "'";
    });
    bool rowTicked = false;
    trap([&] { rowTicked = C<CheckBox>("LocRow_Checkbox").Value() == vbChecked; });
    if (rowTicked) {
      // The row must be a number. From here on every error is skipped.
      trap.ResumeNext();
      trap([&] { CheckNumberBox(trap, C<TextBox>("LocRowText")); });
    }
    bool anyTicked = false;
    trap([&] {
      anyTicked = C<CheckBox>("LocRow_Checkbox").Value() +
                      C<CheckBox>("LocSection_CheckBox").Value() +
                      C<CheckBox>("LocCemetery_Checkbox").Value() > 0;
    });
    if (!anyTicked) {
      trap([&] { MsgBox(kTickTheBoxes); });
      return;
    }
    SearchSettings settings;
    // Errors of the connection and the statement go where this search's
    // other errors go: skipped when the row was checked, else answered.
    settings.openErrorsToReport = false;
    settings.buildStatements = [this, cemeteryTerm] {
      QString quotedRow, numericRow, section;
      if (C<CheckBox>("LocRow_Checkbox").Value() == vbChecked) {
        const QString row = C<TextBox>("LocRowText").Text();
        quotedRow = "[ROW] = '" + FixSQLApostrophe(row) + "'";
        numericRow = "[ROW] = " + row;
      }
      if (C<CheckBox>("LocSection_CheckBox").Value() == vbChecked)
        section = "[Section] like '" + FixSQLApostrophe(C<TextBox>("LocSectionText").Text()) + "'";
      const QString primary = kWhereBase + JoinTerms({quotedRow, section, cemeteryTerm});
      const QString fallback = kWhereBase + JoinTerms({numericRow, section, cemeteryTerm});
      return SearchStatements{primary + SortClause(ByName()),
                              ByName() ? std::nullopt
                                       : std::optional(fallback + kPlainPlacementOrder)};
    };
    settings.fallbackMessage = EarlyDatabaseMessage("Gravesmith");
    settings.reportSecondOpenErrors = false;
    main_.RunSearch(settings, trap);
  });
}

// ---- SQL search ------------------------------------------------------------------

void FormGravelightMain::CMD_CustomFindSort_Click() {
  auto trap = Trap("CMD_CustomFindSort_Click");
  trap.Run([&] {
    SearchSettings settings;
    settings.prelude = SearchPrelude::FieldsAndPlaceholder;
    settings.openErrorsToReport = false;
    settings.buildStatements = [this] {
      const QString statement = QStringLiteral("SELECT * FROM Sheet1 WHERE ") +
                                convertCustomSQL(vb::Trim(C<TextBox>("SelectionQueryText").Text()));
      return SearchStatements{statement + SortClause(ByName()),
                              ByName() ? std::nullopt
                                       : std::optional(statement + kPlainPlacementOrder)};
    };
    settings.reportSecondOpenErrors = true;
    settings.reportExtra = kCheckYourEntry;
    settings.enableSearchButtons = true;
    main_.RunSearch(settings, trap);
  });
}

// ---- Select-all --------------------------------------------------------------

void FormGravelightMain::CMD_SelectAll_Click() {
  auto trap = Trap("CMD_SelectAll_Click");
  trap.Run([&] {
    SearchSettings settings;
    settings.prelude = SearchPrelude::FieldsAndPlaceholder;
    settings.openErrorsToReport = true;
    settings.buildStatements = [this] {
      const QString base = QStringLiteral("SELECT * FROM Sheet1");
      return SearchStatements{base + SortClause(ByName()),
                              ByName() ? std::nullopt
                                       : std::optional(base + kPlainPlacementOrder)};
    };
    settings.reportSecondOpenErrors = true;
    settings.enableSearchButtons = true;
    main_.RunSearch(settings, trap);
  });
}

}  // namespace browser
