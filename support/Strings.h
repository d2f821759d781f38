#pragma once
// Text replacement.
#include <QString>

namespace Strings {

enum class Compare { Binary, Text };

// Replaces Find by ReplaceWith in Source from position Start (1-based) on, at
// most Count times (-1 or 0: every occurrence); replaced text is not searched
// again. With Start above 1 the result begins at position Start. Raises
// run-time error 5 when Find is empty.
QString ReplaceStr(const QString& Source, const QString& Find,
                   const QString& ReplaceWith, int Start = 1, int Count = -1,
                   Compare Compare = Compare::Binary);

}  // namespace Strings
