#pragma once
// One generated table row by column name; columns it does not name are Null.
#include <QHash>
#include <QString>
#include <vector>

#include "platform/vb/Variant.h"

namespace democd {

using Record = QHash<QString, vb::Variant>;

// The record's values in the order of the given column names.
template <typename ColumnList, typename NameOf>
std::vector<vb::Variant> RowOf(const ColumnList& columns, const Record& record, NameOf nameOf) {
  std::vector<vb::Variant> row;
  row.reserve(columns.size());
  for (const auto& c : columns) {
    auto it = record.constFind(nameOf(c));
    row.push_back(it == record.constEnd() ? vb::Variant::Null() : it.value());
  }
  return row;
}

// A text value, or Null for the empty text.
inline vb::Variant TextOrNull(const QString& s) {
  return s.isEmpty() ? vb::Variant::Null() : vb::Variant(s);
}

// The record's text in a column; the empty text when it holds no text.
inline QString TextIn(const Record& record, const QString& column) {
  const vb::Variant v = record.value(column);
  return v.type() == vb::Variant::Type::String ? v.AsString() : QString();
}

}  // namespace democd
