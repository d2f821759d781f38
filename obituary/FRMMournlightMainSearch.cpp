// The obituary viewer's searches over table ObitData.
#include "obituary/FRMMournlightMain.h"

#include "browser/core/SearchTexts.h"
#include "obituary/ObitSortOrders.h"
#include "platform/vb/Conversions.h"

namespace obituary {

using namespace forms;
using browser::SearchPrelude;
using browser::SearchSettings;
using browser::SearchStatements;

namespace {

const QString kWhereBase = QStringLiteral("SELECT * FROM ObitData ") + "WHERE ";

}  // namespace

bool FRMMournlightMain::ByName() const { return C<OptionButton>("Option1").Value(); }

// ---- Select-all ------------------------------------------------------------------

void FRMMournlightMain::Command6_Click() {
  auto trap = main_.Trap("Command6_Click");
  trap.Run([&] {
    SearchSettings settings;
    settings.prelude = SearchPrelude::PlaceholderAfterCounters;
    settings.openErrorsToReport = true;
    settings.buildStatements = [this] {
      const QString statement =
          QStringLiteral("SELECT * FROM ObitData") + (ByName() ? kObitNameOrder : kSourceOrderB);
      return SearchStatements{statement, std::nullopt};
    };
    settings.reportSecondOpenErrors = true;
    settings.enableSearchButtons = true;
    settings.wholeTable = true;
    main_.RunSearch(settings, trap);
  });
}

// ---- Name search -------------------------------------------------------------------

void FRMMournlightMain::Command1_Click() {
  auto trap = main_.Trap("Command1_Click");
  trap.Run([&] {
    if (C<CheckBox>("Check1").Value() + C<CheckBox>("Check2").Value() == 0) {
      MsgBox(browser::kTickTheBoxes);
      return;
    }
    SearchSettings settings;
    settings.openErrorsToReport = true;
    settings.buildStatements = [this] {
      QString last, given;
      if (C<CheckBox>("Check1").Value() == vbChecked)
        last = "Lastname LIKE " + QString(u'"') + vb::Trim(C<TextBox>("Text1").Text()) + u'"';
      if (C<CheckBox>("Check2").Value() == vbChecked)
        given = "Given Like " + QString(u'"') + vb::Trim(C<TextBox>("Text2").Text()) + u'"';
      const QString statement = kWhereBase + browser::JoinTerms({last, given});
      return SearchStatements{statement + (ByName() ? kObitNameOrder : kSourceOrderA),
                              ByName() ? std::nullopt : std::optional(statement + kFallbackOrder)};
    };
    settings.fallbackMessage = browser::kBlankRowOrStoneMessage;
    settings.reportSecondOpenErrors = false;
    main_.RunSearch(settings, trap);
  });
}

// ---- Source search -----------------------------------------------------------------

void FRMMournlightMain::Command7_Click() {
  auto trap = main_.Trap("Command7_Click");
  trap.Run([&] {
    if (C<CheckBox>("Check3").Value() == vbChecked) {
      // The month must be a number; from here to the result phase every
      // error is skipped.
      trap.ResumeNext();
      trap([&] { browser::CheckNumberBox(trap, C<TextBox>("Text3")); });
    }
    bool noneTicked = false;
    trap([&] {
      noneTicked = C<CheckBox>("Check3").Value() + C<CheckBox>("Check4").Value() +
                       C<CheckBox>("Check5").Value() == 0;
    });
    if (noneTicked) {
      trap([&] { MsgBox(browser::kTickTheBoxes); });
      return;
    }
    SearchSettings settings;
    settings.openErrorsToReport = false;
    settings.buildStatements = [this] {
      QString quotedMonth, numericMonth, year, source;
      if (C<CheckBox>("Check3").Value() == vbChecked) {
        const QString month = C<TextBox>("Text3").Text();
        quotedMonth = "[ROW] = '" + month + "'";
        numericMonth = "[ROW] = " + month;
      }
      if (C<CheckBox>("Check4").Value() == vbChecked)
        year = "[Section] like '" + C<TextBox>("Text4").Text() + "'";
      if (C<CheckBox>("Check5").Value() == vbChecked)
        source = "[Obituary] like '" + C<TextBox>("Text5").Text() + "'";
      const QString order = ByName() ? kObitNameOrder : kSourceOrderA;
      const QString a = vb::Trim(kWhereBase + browser::JoinTerms({quotedMonth, year, source}) + order);
      const QString b = vb::Trim(kWhereBase + browser::JoinTerms({numericMonth, year, source}) + order);
      return SearchStatements{a, ByName() ? std::nullopt : std::optional(b)};
    };
    settings.fallbackMessage = browser::EarlyDatabaseMessage("Mournsmith");
    settings.reportSecondOpenErrors = false;
    main_.RunSearch(settings, trap);
  });
}

// ---- SQL search --------------------------------------------------------------------

void FRMMournlightMain::Command12_Click() {
  auto trap = main_.Trap("Command12_Click");
  trap.Run([&] {
    SearchSettings settings;
    settings.prelude = SearchPrelude::PlaceholderAfterCounters;
    // A connection that cannot be opened is not answered here.
    settings.openErrorsToReport = false;
    settings.buildStatements = [this] {
      const QString statement = QStringLiteral("SELECT * FROM ObitData WHERE ") +
                                vb::Trim(C<TextBox>("SelectionQueryText").Text());
      return SearchStatements{statement + (ByName() ? kObitNameOrder : kNumericSourceOrder),
                              ByName() ? std::nullopt : std::optional(statement + kFallbackOrder)};
    };
    settings.reportSecondOpenErrors = true;
    settings.reportExtra = browser::kCheckYourEntry;
    settings.enableSearchButtons = true;
    main_.RunSearch(settings, trap);
  });
}

}  // namespace obituary
