#include "platform/dao/JetCatalog.h"

#include <cstring>

namespace dao {

namespace {

void PutU32(QByteArray& out, uint32_t v) {
  char b[4];
  std::memcpy(b, &v, 4);
  out.append(b, 4);
}

void PutText(QByteArray& out, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  PutU32(out, uint32_t(utf8.size()));
  out.append(utf8);
}

class Cursor {
 public:
  explicit Cursor(const QByteArray& bytes) : bytes_(bytes) {}
  bool U32(uint32_t& v) {
    if (bytes_.size() - pos_ < 4) return false;
    std::memcpy(&v, bytes_.constData() + pos_, 4);
    pos_ += 4;
    return true;
  }
  bool Text(QString& text) {
    uint32_t n = 0;
    if (!U32(n) || uint64_t(bytes_.size() - pos_) < n) return false;
    text = QString::fromUtf8(bytes_.constData() + pos_, qsizetype(n));
    pos_ += qsizetype(n);
    return true;
  }
  bool AtEnd() const { return pos_ == bytes_.size(); }

 private:
  const QByteArray& bytes_;
  qsizetype pos_ = 0;
};

}  // namespace

QByteArray EncodeTables(const std::vector<TableInfo>& tables) {
  QByteArray out;
  PutU32(out, uint32_t(tables.size()));
  for (const TableInfo& t : tables) {
    PutText(out, t.name);
    PutU32(out, uint32_t(t.attributes));
    PutU32(out, uint32_t(t.fields.size()));
    for (const FieldInfo& f : t.fields) {
      PutText(out, f.name);
      PutU32(out, uint32_t(f.size));
    }
  }
  return out;
}

std::optional<std::vector<TableInfo>> DecodeTables(const QByteArray& bytes) {
  Cursor in(bytes);
  uint32_t count = 0;
  if (!in.U32(count)) return std::nullopt;
  std::vector<TableInfo> tables;
  for (uint32_t i = 0; i < count; ++i) {
    TableInfo t;
    uint32_t attributes = 0, fieldCount = 0;
    if (!in.Text(t.name) || !in.U32(attributes) || !in.U32(fieldCount)) return std::nullopt;
    t.attributes = int32_t(attributes);
    for (uint32_t j = 0; j < fieldCount; ++j) {
      FieldInfo f;
      uint32_t size = 0;
      if (!in.Text(f.name) || !in.U32(size)) return std::nullopt;
      f.size = int(size);
      t.fields.push_back(std::move(f));
    }
    tables.push_back(std::move(t));
  }
  if (!in.AtEnd()) return std::nullopt;
  return tables;
}

}  // namespace dao
