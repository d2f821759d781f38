#include "tools/jetwriter/CsvTable.h"

#include "platform/vb/Conversions.h"

#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <stdexcept>

namespace jetwriter {

namespace {

struct Field {
  QString text;
  bool quoted = false;
};

struct Record {
  int line = 0;  // where the record starts
  std::vector<Field> fields;
};

class Fault {
 public:
  explicit Fault(QString source) : source_(std::move(source)) {}
  [[noreturn]] void At(int line, const QString& what) const {
    throw std::runtime_error((source_ + ", line " + QString::number(line) + ": " + what)
                                 .toStdString());
  }

 private:
  QString source_;
};

// Splits the text into records of fields; blank lines are skipped.
std::vector<Record> SplitRecords(const QString& text, const Fault& fault) {
  std::vector<Record> records;
  Record current{1, {}};
  Field field;
  bool inQuotes = false, fieldStarted = false;
  int line = 1;
  auto endField = [&] {
    current.fields.push_back(field);
    field = Field();
    fieldStarted = false;
  };
  auto endRecord = [&] {
    if (fieldStarted || !current.fields.empty()) {
      endField();
      records.push_back(current);
    }
    current = Record{line, {}};
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (inQuotes) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field.text += '"';
        ++i;
      } else if (c == '"') {
        inQuotes = false;
      } else {
        if (c == '\n') ++line;
        field.text += c;
      }
    } else if (c == '"' && !fieldStarted) {
      inQuotes = field.quoted = fieldStarted = true;
    } else if (c == ',') {
      endField();  // a field follows the comma, even an empty one
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
      endRecord();
    } else if (field.quoted) {
      fault.At(line, "text after a closing quote");
    } else {
      field.text += c;
      fieldStarted = true;
    }
  }
  if (inQuotes) fault.At(current.line, "quote not closed");
  endRecord();
  return records;
}

Column ParseColumn(const QString& header, int line, const Fault& fault) {
  static const std::pair<const char*, ColumnType> kTypes[] = {
      {"boolean", ColumnType::Boolean}, {"byte", ColumnType::Byte},
      {"integer", ColumnType::Integer}, {"long", ColumnType::Long},
      {"double", ColumnType::Double},   {"datetime", ColumnType::DateTime},
      {"text", ColumnType::Text},       {"memo", ColumnType::Memo}};
  QStringList parts = header.split(':');
  if (parts.size() < 2 || parts.size() > 3)
    fault.At(line, "column \"" + header + "\" is not Name:Type[:Size]");
  Column column;
  column.name = parts[0].trimmed();
  QString type = parts[1].trimmed().toLower();
  auto found = std::find_if(std::begin(kTypes), std::end(kTypes),
                            [&](const auto& t) { return type == t.first; });
  if (found == std::end(kTypes)) fault.At(line, "unknown column type \"" + parts[1] + "\"");
  column.type = found->second;
  if (parts.size() == 3) {
    bool ok = false;
    column.textSize = parts[2].trimmed().toInt(&ok);
    if (!ok || column.type != ColumnType::Text)
      fault.At(line, "column \"" + header + "\": a size is a whole number, for Text only");
  }
  return column;
}

std::optional<bool> ParseBoolean(const QString& s) {
  QString t = s.trimmed().toLower();
  if (t == "true" || t == "yes" || t == "1" || t == "-1") return true;
  if (t == "false" || t == "no" || t == "0") return false;
  return std::nullopt;
}

std::optional<double> ParseDate(const QString& s) {
  QString t = s.trimmed();
  bool ok = false;
  double serial = t.toDouble(&ok);
  if (ok) return serial;
  t.replace('T', ' ');
  for (const char* format : {"yyyy-MM-dd", "yyyy-MM-dd HH:mm", "yyyy-MM-dd HH:mm:ss"}) {
    QDateTime dt = QDateTime::fromString(t, format);
    if (dt.isValid()) {
      dt = QDateTime(dt.date(), dt.time(), QTimeZone::utc());
      return vb::DateTimeToSerial(dt);
    }
  }
  return std::nullopt;
}

vb::Variant ParseValue(const Column& column, const Field& field, int line, const Fault& fault) {
  if (column.type == ColumnType::Text || column.type == ColumnType::Memo)
    return field.text.isEmpty() && !field.quoted ? vb::Variant::Null() : vb::Variant(field.text);
  if (field.text.trimmed().isEmpty()) return vb::Variant::Null();
  bool ok = false;
  vb::Variant value;
  switch (column.type) {
    case ColumnType::Boolean:
      if (auto b = ParseBoolean(field.text)) value = *b, ok = true;
      break;
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
      value = int32_t(field.text.trimmed().toInt(&ok));
      break;
    case ColumnType::Double:
      value = field.text.trimmed().toDouble(&ok);
      break;
    case ColumnType::DateTime:
      if (auto d = ParseDate(field.text)) value = vb::DateValue{*d}, ok = true;
      break;
    default:
      break;
  }
  if (!ok) fault.At(line, "\"" + field.text + "\" is no value for column \"" + column.name + "\"");
  return value;
}

}  // namespace

Table ParseCsvTable(const QString& tableName, const QString& csvText, const QString& sourceName) {
  Fault fault(sourceName);
  QString text = csvText.startsWith(QChar(0xFEFF)) ? csvText.mid(1) : csvText;
  std::vector<Record> records = SplitRecords(text, fault);
  if (records.empty()) fault.At(1, "no header row");
  Table table;
  table.name = tableName;
  for (const Field& f : records[0].fields)
    table.columns.push_back(ParseColumn(f.text, records[0].line, fault));
  for (size_t r = 1; r < records.size(); ++r) {
    const Record& record = records[r];
    if (record.fields.size() != table.columns.size())
      fault.At(record.line, QString("%1 fields for %2 columns")
                                .arg(record.fields.size())
                                .arg(table.columns.size()));
    std::vector<vb::Variant> row;
    for (size_t c = 0; c < table.columns.size(); ++c)
      row.push_back(ParseValue(table.columns[c], record.fields[c], record.line, fault));
    table.rows.push_back(std::move(row));
  }
  return table;
}

Table ReadCsvTable(const QString& tableName, const QString& csvPath) {
  QFile file(csvPath);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error(("cannot read " + csvPath + ": " + file.errorString()).toStdString());
  return ParseCsvTable(tableName, QString::fromUtf8(file.readAll()), csvPath);
}

}  // namespace jetwriter
