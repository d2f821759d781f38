#pragma once
// The platform's Variant: Empty, Null, 16- and 32-bit integers, double,
// text, boolean and date (days since 30 December 1899, fraction = time).
#include <QString>
#include <cstdint>
#include <variant>

namespace vb {

struct DateValue {
  double serial = 0;  // days since 1899-12-30; the fraction is the time of day
  bool operator==(const DateValue&) const = default;
};

class Variant {
 public:
  enum class Type { Empty, Null, Integer, Long, Double, String, Boolean, Date };

  Variant() = default;                      // Empty
  static Variant Null();
  Variant(int16_t v) : value_(v) {}
  Variant(int32_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(bool v) : value_(v) {}
  Variant(DateValue v) : value_(v) {}
  Variant(const QString& v) : value_(v) {}
  Variant(const char* v) : value_(QString::fromUtf8(v)) {}

  Type type() const;
  bool IsEmpty() const { return type() == Type::Empty; }
  bool IsNull() const { return type() == Type::Null; }
  bool IsNumeric() const;  // integer, long, double, boolean or date kind

  // Accessors for the held kind; calling one for another kind is a slip.
  int16_t AsInteger() const { return std::get<int16_t>(value_); }
  int32_t AsLong() const { return std::get<int32_t>(value_); }
  double AsDouble() const { return std::get<double>(value_); }
  bool AsBoolean() const { return std::get<bool>(value_); }
  DateValue AsDate() const { return std::get<DateValue>(value_); }
  const QString& AsString() const { return std::get<QString>(value_); }

  // The value as a number (booleans: True = -1); raises error 13 for text that
  // is not a number, error 94 for Null; Empty gives 0.
  double ToDouble() const;

  bool operator==(const Variant& o) const { return value_ == o.value_; }

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  using Storage = std::variant<std::monostate, NullTag, int16_t, int32_t, double,
                               QString, bool, DateValue>;
  explicit Variant(Storage s) : value_(std::move(s)) {}
  Storage value_;
};

}  // namespace vb
