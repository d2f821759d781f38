#pragma once
// The cemetery viewer's three sort clauses; each begins with one blank and
// ends with a semicolon, and is appended directly to a search's statement.
#include <QString>

namespace browser {

inline const QString kNameOrder = QStringLiteral(" ORDER BY Sheet1.LASTNAME, Sheet1.GIVEN;");
// Row and stone by the number their text begins with, so row 10 follows 9.
inline const QString kNaturalPlacementOrder = QStringLiteral(
    " ORDER BY Sheet1.Cemetery, Sheet1.Section, val(Sheet1.ROW), Sheet1.LOT, val(Sheet1.STONE);");
// Row and stone as text: what is left when the engine cannot take their number.
inline const QString kPlainPlacementOrder = QStringLiteral(
    " ORDER BY Sheet1.Cemetery, Sheet1.Section, Sheet1.ROW, Sheet1.LOT, Sheet1.STONE;");

// The clause of the selected sort option.
inline QString SortClause(bool byName) { return byName ? kNameOrder : kNaturalPlacementOrder; }

}  // namespace browser
