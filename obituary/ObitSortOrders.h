#pragma once
// The obituary viewer's sort clauses, each appended to its statement as it
// stands, leading blanks included.
#include <QString>

namespace obituary {

inline const QString kObitNameOrder = QStringLiteral(" ORDER BY ObitData.LASTNAME, ObitData.GIVEN;");
// By newspaper and publication date; A has two leading blanks, B one.
inline const QString kSourceOrderA = QStringLiteral(
    "  ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDateReal, ObitData.PublicationDate;");
inline const QString kSourceOrderB = QStringLiteral(
    " ORDER BY ObitData.NewsPubSourceID, ObitData.PublicationDateReal, ObitData.PublicationDate;");
// The SQL search's source order, row and stone by their number.
inline const QString kNumericSourceOrder = QStringLiteral(
    " ORDER BY ObitData.Obituary, ObitData.Section, val(ObitData.ROW), ObitData.LOT, "
    "val(ObitData.STONE);");
// What the SQL and name searches sort by when the engine cannot take the
// numbers.
inline const QString kFallbackOrder = QStringLiteral(
    " ORDER BY ObitData.Obituary, ObitData.Section, ObitData.ROW, ObitData.LOT, ObitData.STONE;");

}  // namespace obituary
