#pragma once
// What the Jet layer knows of a database file's tables, read from its
// catalog, and the byte form in which the reading process hands it over.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace dao {

struct FieldInfo {
  QString name;
  int size = 0;  // the field's size; for text, its maximum length in characters
};

struct TableInfo {
  QString name;
  int32_t attributes = 0;  // the catalog's flags (MSysObjects.Flags)
  std::vector<FieldInfo> fields;
};

QByteArray EncodeTables(const std::vector<TableInfo>& tables);
// Empty when the bytes are not a whole encoding.
std::optional<std::vector<TableInfo>> DecodeTables(const QByteArray& bytes);

}  // namespace dao
