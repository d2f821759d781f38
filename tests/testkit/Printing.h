#pragma once
// Readable values in test failure messages: texts in quotes, variants with
// their kind ("Long 5", "String \"x\"", "Null").
#include "platform/vb/Variant.h"

#include <QString>
#include <ostream>

void PrintTo(const QString& text, std::ostream* os);

namespace vb {
void PrintTo(const Variant& v, std::ostream* os);
}  // namespace vb
