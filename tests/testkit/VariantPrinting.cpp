// In a file of its own, so a test program that prints variants its own way
// does not also pull this one in.
#include "tests/testkit/Printing.h"

namespace vb {

void PrintTo(const Variant& v, std::ostream* os) {
  static const char* const kinds[] = {"Empty", "Null", "Integer", "Long", "Double",
                                      "String", "Boolean", "Date"};
  *os << kinds[static_cast<int>(v.type())];
  switch (v.type()) {
    case Variant::Type::Integer: *os << ' ' << v.AsInteger(); break;
    case Variant::Type::Long: *os << ' ' << v.AsLong(); break;
    case Variant::Type::Double: *os << ' ' << v.AsDouble(); break;
    case Variant::Type::String: *os << " \"" << v.AsString().toStdString() << '"'; break;
    case Variant::Type::Boolean: *os << ' ' << v.AsBoolean(); break;
    case Variant::Type::Date: *os << ' ' << v.AsDate().serial; break;
    default: break;
  }
}

}  // namespace vb
