#include "browser/core/SearchTexts.h"

#include "platform/forms/Host.h"
#include "platform/vb/Variant.h"

namespace browser {

QString JoinTerms(const QStringList& terms) {
  QStringList present;
  for (const QString& term : terms)
    if (!term.isEmpty()) present << term;
  return present.join(QStringLiteral(" AND "));
}

void CheckNumberBox(vb::ErrorTrap& trap, forms::TextBox& box) {
  bool isNumber = true;
  trap([&] {
    isNumber = false;
    vb::Variant(box.Text()).ToDouble();
    isNumber = true;
  });
  if (isNumber) return;
  trap([&] { box.SetText(QString()); });
  trap([&] { forms::MsgBox(kOnlyNumbersInRow); });
}

}  // namespace browser
