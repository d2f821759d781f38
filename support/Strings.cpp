#include "support/Strings.h"

#include "platform/vb/VbError.h"

namespace Strings {

QString ReplaceStr(const QString& Source, const QString& Find,
                   const QString& ReplaceWith, int Start, int Count,
                   Compare Compare) {
  if (Find.isEmpty()) vb::Raise(vb::err::InvalidProcedureCall);
  if (Start < 1) Start = 1;
  const Qt::CaseSensitivity sensitivity =
      Compare == Compare::Text ? Qt::CaseInsensitive : Qt::CaseSensitive;
  QString result = Source;
  qsizetype pos = Start;
  int k = 0;
  for (;;) {
    const qsizetype found = result.indexOf(Find, pos - 1, sensitivity);
    if (found < 0) break;
    const qsizetype p = found + 1;
    if (Find.size() != ReplaceWith.size()) {
      result = result.left(p - 1) + ReplaceWith + result.mid(p - 1 + Find.size());
    } else {
      result.replace(p - 1, ReplaceWith.size(), ReplaceWith);
    }
    pos = p + ReplaceWith.size();
    ++k;
    if (k == Count) break;
  }
  if (Start > 1) result = result.mid(Start - 1);
  return result;
}

}  // namespace Strings
