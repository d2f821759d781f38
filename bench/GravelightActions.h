#pragma once
// What the benchmark does in the cemetery viewer's main window besides
// stepping: the name search and the cemetery information window.
#include "bench/ViewerWindow.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace bench {

// The buttons of the name search and of the information window.
inline const QString kNameSearchButton = QStringLiteral("CMD_NameFindSort");
inline const QString kCemInfoButton = QStringLiteral("CMD_Cem_ShowInfo");
// The object name of the information window.
inline const QString kCemInfoWindow = QStringLiteral("CemInfo");
// The pattern of the name search, and the start of every last name it finds.
inline const QString kNameSearchPattern = QStringLiteral("Sm*");
inline const QString kNameSearchFinds = QStringLiteral("Sm");

// Types the pattern into "Last Name" (which ticks its box; the tick is set
// as well), unticks "First Name" and chooses placement order: the next
// click of the name search's button searches for it.
void PrepareNameSearch(ViewerWindow& window);

// The last name of the record shown.
QString ShownLastName(const ViewerWindow& window);

// Clicks the information window's button; `whileShown` runs while the
// (modal) window is shown, with the window's widget, and then OK closes it.
// A std::runtime_error when the window did not show.
void ShowCemeteryInformation(ViewerWindow& window,
                             const std::function<void(QWidget& info)>& whileShown);

// The three picture names the shown information window took from its row.
QStringList InfoPictureNames(const QWidget& info);

}  // namespace bench
