#include "platform/vb/Variant.h"

#include "platform/vb/Conversions.h"
#include "platform/vb/VbError.h"

namespace vb {

Variant Variant::Null() { return Variant(Storage(NullTag{})); }

Variant::Type Variant::type() const {
  switch (value_.index()) {
    case 0: return Type::Empty;
    case 1: return Type::Null;
    case 2: return Type::Integer;
    case 3: return Type::Long;
    case 4: return Type::Double;
    case 5: return Type::String;
    case 6: return Type::Boolean;
    default: return Type::Date;
  }
}

bool Variant::IsNumeric() const {
  switch (type()) {
    case Type::Integer:
    case Type::Long:
    case Type::Double:
    case Type::Boolean:
    case Type::Date:
      return true;
    default:
      return false;
  }
}

double Variant::ToDouble() const {
  switch (type()) {
    case Type::Empty: return 0;
    case Type::Null: Raise(err::InvalidUseOfNull);
    case Type::Integer: return AsInteger();
    case Type::Long: return AsLong();
    case Type::Double: return AsDouble();
    case Type::Boolean: return AsBoolean() ? -1 : 0;
    case Type::Date: return AsDate().serial;
    case Type::String: {
      const std::optional<double> d = NumberFromText(AsString());
      if (!d) Raise(err::TypeMismatch);
      return *d;
    }
  }
  return 0;
}

}  // namespace vb
