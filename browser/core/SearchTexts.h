#pragma once
// What the main windows of both viewers (and their information windows) say
// and share: the messages they show word for word, the joining of a search's
// terms and the check that a row or month box holds a number.
#include "platform/forms/TextBox.h"
#include "platform/vb/ErrorTrap.h"

#include <QString>
#include <QStringList>

namespace browser {

inline const QString kCrLf = QStringLiteral("\r\n");
// Where the numeric placement sort failed (a blank row or stone), the window
// says so before it sorts the other way.
inline const QString kNaturalOrderFailed = QStringLiteral(
    "Unable to Sort Numbers in Row & Column in a Natural Order, Sorting Alternate Method");
inline const QString kBlankRowOrStoneMessage =
    kNaturalOrderFailed + kCrLf + "This is caused by leaving a Row Field or Stone Field Blank";
// The location and source searches' message names the editor of the data.
inline QString EarlyDatabaseMessage(const QString& editor) {
  return kNaturalOrderFailed + kCrLf + "This can be caused by a Blank Row or Stone Field" + kCrLf +
         "This is normal for early versions of " + editor +
         " Databases and sorting will be correct.";
}
inline const QString kTickTheBoxes =
    QStringLiteral("You must select the checkboxes of the items you are searching for");
inline const QString kCheckYourEntry = kCrLf + "Check your entry and try again.";
inline const QString kNoResults = QStringLiteral("No Results With Current Search Criteria");
// A search's error report: this, the number with its leading blank, and
// what the search adds.
inline const QString kErrorReport = QStringLiteral("Error: ");
inline const QString kOnlyNumbersInRow = QStringLiteral("Only numbers are allowed in the ROW Search");

// Start-up and the data-file choice.
inline const QString kFileNotFound =
    QStringLiteral("File not found!") + kCrLf + "Please open database or Insert correct CD";
inline const QString kTryAgain = QStringLiteral("Do you want try to locate the file again?");
inline const QString kTryAgainTitle = QStringLiteral("Try Again?");

// The picture's "Copy".
inline const QString kPictureCopied = QStringLiteral(
    "Image is now on the clipboard and can be pasted into your photo editing software or "
    "documents");

// The terms joined by " AND " in their order, empty ones left out.
QString JoinTerms(const QStringList& terms);

// The row (or month) box must hold a number: when it does not, its text is
// emptied (which unticks its check box) and "Only numbers are allowed in the
// ROW Search" is shown. Every step is a statement of `trap`, which the
// caller has set to skip errors.
void CheckNumberBox(vb::ErrorTrap& trap, forms::TextBox& box);

}  // namespace browser
