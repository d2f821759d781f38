// Files written by the Jet writer (Jet 4 and Jet 3), read back through libmdb.
#include "tools/jetwriter/CsvTable.h"
#include "tools/jetwriter/JetWriter.h"

#include <glib.h>
#include <mdbtools.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

using jetwriter::Column;
using jetwriter::ColumnType;
using jetwriter::Table;
using vb::Variant;

namespace {

const Variant kNull = Variant::Null();

// An open file and the tables read from it, as libmdb sees them.
class MdbFile {
 public:
  explicit MdbFile(const QString& path)
      : mdb_(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS)) {
    if (!mdb_) return;
    mdb_set_bind_size(mdb_, kBindSize);
    mdb_set_date_fmt(mdb_, "%Y-%m-%d %H:%M:%S");
    mdb_read_catalog(mdb_, MDB_ANY);
  }
  ~MdbFile() {
    if (mdb_) mdb_close(mdb_);
  }
  bool IsOpen() const { return mdb_ != nullptr; }

  const MdbCatalogEntry* Entry(const char* name) const {
    return mdb_get_catalogentry_by_name(mdb_, name);
  }

  // Every row as the bound texts ("" for Null); `raw` receives the 8 bytes
  // of the given column read as a double (dates libmdb does not format).
  std::vector<std::vector<std::string>> Rows(const char* table, int rawColumn = -1,
                                             std::vector<double>* raw = nullptr) {
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> def(
        mdb_read_table_by_name(mdb_, const_cast<gchar*>(table), MDB_TABLE), mdb_free_tabledef);
    if (!def) {
      ADD_FAILURE() << "no table " << table;
      return {};
    }
    mdb_read_columns(def.get());
    std::vector<std::vector<char>> buffers(def->num_cols, std::vector<char>(kBindSize));
    for (unsigned i = 0; i < def->num_cols; ++i)
      mdb_bind_column(def.get(), int(i + 1), buffers[i].data(), nullptr);
    mdb_rewind_table(def.get());
    std::vector<std::vector<std::string>> rows;
    while (mdb_fetch_row(def.get())) {
      rows.emplace_back();
      for (auto& b : buffers) rows.back().emplace_back(b.data());
      if (raw) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, rawColumn));
        raw->push_back(col->cur_value_len ? mdb_get_double(mdb_->pg_buf, col->cur_value_start)
                                          : -999999);
      }
    }
    EXPECT_EQ(rows.size(), def->num_rows);
    return rows;
  }

  struct ColumnInfo {
    std::string name;
    int type, size;
  };
  std::vector<ColumnInfo> Columns(const char* table) {
    MdbTableDef* def = mdb_read_table_by_name(mdb_, const_cast<gchar*>(table), MDB_TABLE);
    std::vector<ColumnInfo> out;
    if (!def) return out;
    mdb_read_columns(def);
    for (unsigned i = 0; i < def->num_cols; ++i) {
      auto* c = static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
      out.push_back({c->name, c->col_type, c->col_size});
    }
    mdb_free_tabledef(def);
    return out;
  }

 private:
  static constexpr size_t kBindSize = 1 << 20;
  MdbHandle* mdb_;
};

class JetWriterTest : public ::testing::Test {
 protected:
  QString Write(const std::vector<Table>& tables, const QString& name = "test.mdb") {
    QString path = dir_.filePath(name);
    jetwriter::WriteMdb(path, tables);
    return path;
  }
  QString WriteJet3(const std::vector<Table>& tables, int codePage = 1252,
                    const QString& name = "jet3.mdb") {
    QString path = dir_.filePath(name);
    jetwriter::WriteMdb(path, tables, {jetwriter::JetVersion::Jet3, codePage});
    return path;
  }
  QTemporaryDir dir_;
};

// What a command-line tool prints for the file.
QByteArray ToolOutput(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished()) ADD_FAILURE() << "no end of " << tool.toStdString();
  return process.readAllStandardOutput();
}

Table AllTypes() {
  Table t;
  t.name = "AllTypes";
  t.columns = {{"Flag", ColumnType::Boolean},  {"Small", ColumnType::Byte},
               {"Short", ColumnType::Integer}, {"Whole", ColumnType::Long},
               {"Real", ColumnType::Double},   {"When", ColumnType::DateTime},
               {"Name", ColumnType::Text, 20}, {"Notes", ColumnType::Memo}};
  t.rows = {
      {true, int16_t(200), int16_t(-32768), int32_t(2147483647), 3.25,
       vb::DateValue{45000.75}, "Zoë Müller", "Grüße aus Köln"},
      {kNull, kNull, kNull, kNull, kNull, kNull, kNull, kNull},
      {false, int16_t(0), int16_t(32767), int32_t(-2147483647 - 1), -0.5,
       vb::DateValue{-36522.25}, "", "ß"},
      {int16_t(1), 7.0, int32_t(12), int16_t(-3), int32_t(10), 2.0, "Ünal ÆØÅ €", kNull},
  };
  return t;
}

TEST_F(JetWriterTest, EveryColumnTypeReadsBackWithItsValuesAndNulls) {
  MdbFile file(Write({AllTypes()}));
  ASSERT_TRUE(file.IsOpen());
  std::vector<double> when;
  auto rows = file.Rows("AllTypes", 5, &when);
  using Row = std::vector<std::string>;
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (Row{"1", "200", "-32768", "2147483647", "3.25", "2023-03-15 18:00:00",
                          "Zoë Müller", "Grüße aus Köln"}));
  EXPECT_EQ(rows[1], (Row{"0", "", "", "", "", "", "", ""}));  // a Null Boolean is False
  EXPECT_EQ(rows[2].at(0), "0");
  EXPECT_EQ(rows[2].at(3), "-2147483648");
  EXPECT_EQ(rows[2].at(4), "-0.5");
  EXPECT_EQ(rows[2].at(7), "ß");
  EXPECT_EQ(rows[3], (Row{"1", "7", "12", "-3", "10", "1900-01-01 00:00:00", "Ünal ÆØÅ €", ""}));
  // libmdb formats no date before 1899-12-30, so the stored serial is checked
  EXPECT_EQ(when, (std::vector<double>{45000.75, -999999, -36522.25, 2.0}));
}

TEST_F(JetWriterTest, ColumnDefinitionsCarryNamesTypesAndSizes) {
  Table t = AllTypes();
  t.columns[6] = {"Straße", ColumnType::Text, 255};
  t.columns[0].name = "Flag";
  t.rows.clear();
  Table wide;
  wide.name = "Wide";
  std::vector<Variant> row;
  for (int i = 0; i < 200; ++i) {  // the definition spans more than one page
    wide.columns.push_back({QString("Column number %1 of the wide table").arg(i),
                            i % 2 ? ColumnType::Long : ColumnType::Text, 10 + i % 7});
    row.push_back(i % 2 ? Variant(int32_t(i)) : Variant(QString("v%1").arg(i)));
  }
  wide.rows = {row};
  MdbFile file(Write({t, wide}));
  auto columns = file.Columns("AllTypes");
  ASSERT_EQ(columns.size(), 8u);
  const int types[] = {MDB_BOOL, MDB_BYTE, MDB_INT, MDB_LONGINT,
                       MDB_DOUBLE, MDB_DATETIME, MDB_TEXT, MDB_MEMO};
  const int sizes[] = {0, 1, 2, 4, 8, 8, 510, 0};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(columns[i].name, t.columns[i].name.toStdString());
    EXPECT_EQ(columns[i].type, types[i]) << i;
    EXPECT_EQ(columns[i].size, sizes[i]) << i;
  }
  EXPECT_TRUE(file.Rows("AllTypes").empty());

  auto wideColumns = file.Columns("Wide");
  ASSERT_EQ(wideColumns.size(), 200u);
  EXPECT_EQ(wideColumns[199].name, "Column number 199 of the wide table");
  EXPECT_EQ(wideColumns[198].size, 2 * (10 + 198 % 7));
  auto wideRows = file.Rows("Wide");
  ASSERT_EQ(wideRows.size(), 1u);
  EXPECT_EQ(wideRows[0][198], "v198");
  EXPECT_EQ(wideRows[0][199], "199");
}

QString Repeated(const QString& piece, int length) {
  QString s;
  while (s.size() < length) s += piece;
  return s.left(length);
}

TEST_F(JetWriterTest, MemosOfEveryLengthReadBack) {
  Table t;
  t.name = "Memos";
  t.columns = {{"Id", ColumnType::Long}, {"Body", ColumnType::Memo}};
  std::vector<QString> bodies = {"", "inline é", Repeated("Ab ", 64), Repeated("é-ü-ß ", 2000),
                                 Repeated("Zeile ü\r\n", 100 * 1024)};
  for (int i = 0; i < 600; ++i) bodies.push_back(Repeated(QString("row %1 ").arg(i), 700));
  for (size_t i = 0; i < bodies.size(); ++i) t.rows.push_back({int32_t(i), bodies[i]});
  MdbFile file(Write({t}));
  auto rows = file.Rows("Memos");
  ASSERT_EQ(rows.size(), bodies.size());
  for (size_t i = 0; i < bodies.size(); ++i)
    ASSERT_EQ(rows[i][1], bodies[i].toStdString()) << "row " << i;
}

TEST_F(JetWriterTest, HundredThousandRowsSpreadOverManyPages) {
  Table big;
  big.name = "Big";
  big.columns = {{"Id", ColumnType::Long}, {"Name", ColumnType::Text, 40},
                 {"Value", ColumnType::Double}, {"Even", ColumnType::Boolean},
                 {"Note", ColumnType::Memo}};
  const int count = 100000;
  for (int i = 0; i < count; ++i)
    big.rows.push_back({int32_t(i), QString("Name %1 é").arg(i), i / 4.0, i % 2 == 0,
                        i % 1000 == 0 ? Variant(Repeated("long ", 300)) : kNull});
  Table after;
  after.name = "After";
  after.columns = {{"X", ColumnType::Integer}};
  after.rows = {{int16_t(5)}};
  QString path = Write({big, after});
  EXPECT_GT(QFile(path).size(), 472 * 4096);  // beyond what a map row's own bitmap covers

  MdbFile file(path);
  auto rows = file.Rows("Big");
  ASSERT_EQ(rows.size(), size_t(count));
  for (int i : {0, 1, 999, 1000, 54321, count - 1}) {
    EXPECT_EQ(rows[i][0], std::to_string(i));
    EXPECT_EQ(rows[i][1], QString("Name %1 é").arg(i).toStdString());
    EXPECT_EQ(rows[i][3], i % 2 == 0 ? "1" : "0");
    EXPECT_EQ(rows[i][4], i % 1000 == 0 ? Repeated("long ", 300).toStdString() : "");
  }
  EXPECT_EQ(rows[54321][2], "13580.25");
  EXPECT_EQ(file.Rows("After"), (std::vector<std::vector<std::string>>{{"5"}}));
}

TEST_F(JetWriterTest, CatalogFlagsDecideSystemAndUserTables) {
  const std::map<std::string, uint32_t> flags = {
      {"Plain", 0}, {"MSysHidden", 0x80000002}, {"LowBit", 0x2}, {"HighBit", 0x80000000},
      {"Other", 0x8}};
  std::vector<Table> tables;
  for (const auto& [name, f] : flags) {
    Table t;
    t.name = QString::fromStdString(name);
    t.columns = {{"A", ColumnType::Text, 5}};
    t.rows = {{"x"}};
    t.catalogFlags = f;
    tables.push_back(t);
  }
  QString path = Write(tables);
  MdbFile file(path);
  for (const auto& [name, f] : flags) {
    const MdbCatalogEntry* e = file.Entry(name.c_str());
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(uint32_t(e->flags), f) << name;
    EXPECT_EQ(e->object_type, MDB_TABLE);
    EXPECT_EQ(mdb_is_system_table(const_cast<MdbCatalogEntry*>(e)), (f & 0x80000002) ? 1 : 0)
        << name;
  }
  const MdbCatalogEntry* catalog = file.Entry("MSysObjects");
  ASSERT_NE(catalog, nullptr);
  EXPECT_EQ(catalog->table_pg, 2u);
  EXPECT_TRUE(mdb_is_system_table(const_cast<MdbCatalogEntry*>(catalog)));

  QProcess tablesTool;
  tablesTool.start("mdb-tables", {"-1", path});
  ASSERT_TRUE(tablesTool.waitForFinished());
  EXPECT_EQ(tablesTool.readAllStandardOutput(), QByteArray("Other\nPlain\n"));
}

TEST_F(JetWriterTest, TextStartingWithByteOrderMarkKeepsIt) {
  Table t;
  t.name = "Marks";
  t.columns = {{"T", ColumnType::Text, 30}, {"M", ColumnType::Memo}};
  QString text = QString(QChar(0xFEFF)) + "Köln €";
  t.rows = {{text, text}};
  MdbFile file(Write({t}));
  auto rows = file.Rows("Marks");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], text.toStdString());
  EXPECT_EQ(rows[0][1], text.toStdString());
}

TEST_F(JetWriterTest, UnsuitableDefinitionsAndValuesAreRefused) {
  auto with = [](auto change) {
    Table t = AllTypes();
    change(t);
    return std::vector<Table>{t};
  };
  const std::vector<std::pair<const char*, std::vector<Table>>> cases = {
      {"too few values", with([](Table& t) { t.rows[0].pop_back(); })},
      {"text too long", with([](Table& t) { t.rows[0][6] = Variant(QString(21, 'x')); })},
      {"byte out of range", with([](Table& t) { t.rows[0][1] = int16_t(256); })},
      {"integer out of range", with([](Table& t) { t.rows[0][2] = int32_t(40000); })},
      {"fraction for a long", with([](Table& t) { t.rows[0][3] = 1.5; })},
      {"text for a number", with([](Table& t) { t.rows[0][4] = "12"; })},
      {"number for a text", with([](Table& t) { t.rows[0][6] = int32_t(1); })},
      {"text size 0", with([](Table& t) { t.columns[6].textSize = 0; })},
      {"text size 256", with([](Table& t) { t.columns[6].textSize = 256; })},
      {"duplicate column", with([](Table& t) { t.columns[1].name = "FLAG"; })},
      {"no columns", with([](Table& t) { t.columns.clear(), t.rows.clear(); })},
      {"empty table name", with([](Table& t) { t.name = ""; })},
      {"reserved table name", with([](Table& t) { t.name = "msysobjects"; })},
      {"row larger than a page", with([](Table& t) {
         t.columns = {};
         t.rows = {{}};
         for (int i = 0; i < 10; ++i) {
           t.columns.push_back({QString("C%1").arg(i), ColumnType::Text, 255});
           t.rows[0].push_back(Variant(QString(255, 'x')));
         }
       })},
      {"same table twice", {AllTypes(), AllTypes()}},
  };
  for (const auto& [what, tables] : cases)
    EXPECT_THROW(Write(tables), std::runtime_error) << what;
  EXPECT_THROW(jetwriter::WriteMdb(dir_.filePath("missing/dir/x.mdb"), {AllTypes()}),
               std::runtime_error);
}

TEST(CsvTableTest, ParsesHeaderTypesQuotingAndNulls) {
  Table t = jetwriter::ParseCsvTable(
      "People",
      "\xEF\xBB\xBFId:Long,Name:Text:30,Born:DateTime,Alive:Boolean,Note:Memo,Score:Double\r\n"
      "1,\"Zoë, \"\"Z\"\"\",1950-03-04,Yes,\"two\nlines\",2.5\r\n"
      "2,\"\",1850-01-02 06:00,false,,\n"
      "\n"
      "3,plain,2.25,-1,x,-1e3\n");
  ASSERT_EQ(t.columns.size(), 6u);
  EXPECT_EQ(t.columns[1].type, ColumnType::Text);
  EXPECT_EQ(t.columns[1].textSize, 30);
  EXPECT_EQ(t.columns[4].type, ColumnType::Memo);
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.rows[0], (std::vector<Variant>{int32_t(1), "Zoë, \"Z\"", vb::DateValue{18326},
                                             true, "two\nlines", 2.5}));
  EXPECT_EQ(t.rows[1], (std::vector<Variant>{int32_t(2), "", vb::DateValue{-18259.25}, false,
                                             kNull, kNull}));
  EXPECT_EQ(t.rows[2][2], Variant(vb::DateValue{2.25}));
  EXPECT_EQ(t.rows[2][3], Variant(true));
}

TEST(CsvTableTest, FaultsNameTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"A:Long\n1\nx\n", "line 3"},
      {"A:Long,B:Text\n1,a\n2\n", "line 3"},
      {"A:Lengthy\n", "line 1"},
      {"A\n", "line 1"},
      {"A:Long:4\n", "line 1"},
      {"A:Text\n\"open\n", "line 2"},
      {"A:Boolean\nmaybe\n", "line 2"},
      {"A:DateTime\n2020-13-01\n", "line 2"},
      {"", "line 1"},
  };
  for (const auto& [csv, where] : cases) {
    try {
      jetwriter::ParseCsvTable("T", csv, "f.csv");
      ADD_FAILURE() << "accepted: " << csv;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("f.csv, ") + where), std::string::npos)
          << e.what();
    }
  }
}

TEST_F(JetWriterTest, CommandLineWriterBuildsTablesFromCsvFiles) {
  QString csv = dir_.filePath("people.csv");
  QFile f(csv);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("Id:Integer,Name:Text:20\n1,Zoë\n2,\n");
  f.close();
  QString out = dir_.filePath("cli.mdb");
  QProcess tool;
  tool.start(JETWRITE_PATH, {out, "People=" + csv, "Hidden@0x80000002=" + csv});
  ASSERT_TRUE(tool.waitForFinished());
  EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

  QProcess exporter;
  exporter.start("mdb-export", {out, "People"});
  ASSERT_TRUE(exporter.waitForFinished());
  EXPECT_EQ(exporter.readAllStandardOutput(), QByteArray("Id,Name\n1,\"Zoë\"\n2,\n"));
  MdbFile file(out);
  ASSERT_NE(file.Entry("Hidden"), nullptr);
  EXPECT_EQ(uint32_t(file.Entry("Hidden")->flags), 0x80000002u);

  QProcess failing;
  failing.start(JETWRITE_PATH, {out, "Bad=" + dir_.filePath("none.csv")});
  ASSERT_TRUE(failing.waitForFinished());
  EXPECT_EQ(failing.exitCode(), 1);
  EXPECT_TRUE(failing.readAllStandardError().startsWith("jetwrite: cannot read"));
}

// ---- Jet 3 ------------------------------------------------------------------

// Texts of one code page: table, column and values that only it can hold.
struct CodePageSample {
  int codePage;
  QString table, column, text, memo;
};

const CodePageSample kSamples[] = {
    {1252, "Gräber", "Straße", "Zoë Müller ø", "Grüße aus Köln, ß ø é € Æ"},
    {1250, "Hřbitov", "Příjmení", "Dvořák č ř ő", "Příliš žluťoučký kůň ő ű Ł"},
};

Table Jet3Types(const CodePageSample& s) {
  Table t;
  t.name = s.table;
  t.columns = {{"Flag", ColumnType::Boolean},  {"Small", ColumnType::Byte},
               {"Short", ColumnType::Integer}, {"Whole", ColumnType::Long},
               {"Real", ColumnType::Double},   {"When", ColumnType::DateTime},
               {s.column, ColumnType::Text, 20}, {"Notes", ColumnType::Memo}};
  t.rows = {
      {true, int16_t(200), int16_t(-32768), int32_t(2147483647), 3.25,
       vb::DateValue{45000.75}, s.text, s.memo},
      {kNull, kNull, kNull, kNull, kNull, kNull, kNull, kNull},
      {false, int16_t(0), int16_t(32767), int32_t(-2147483647 - 1), -0.5,
       vb::DateValue{-36522.25}, "", Repeated(s.memo + " ", 1000)},   // one long-value row
      {true, 7.0, int32_t(12), int16_t(-3), int32_t(10), 2.0, s.text.left(3),
       Repeated(s.memo + "\r\n", 9000)},                              // a chain of them
  };
  return t;
}

class Jet3WriterTest : public JetWriterTest {
 protected:
  // libmdb takes a Jet 3 file's code page from its header unless told otherwise.
  void SetUp() override { unsetenv("MDB_JET3_CHARSET"); }
};

TEST_F(Jet3WriterTest, EveryColumnTypeReadsBackInTheHeadersCodePage) {
  for (const CodePageSample& s : kSamples) {
    SCOPED_TRACE(s.codePage);
    QString path = WriteJet3({Jet3Types(s)}, s.codePage, QString("cp%1.mdb").arg(s.codePage));
    EXPECT_EQ(QFile(path).size() % 2048, 0);
    EXPECT_EQ(ToolOutput("mdb-ver", {path}), QByteArray("JET3\n"));
    EXPECT_EQ(ToolOutput("mdb-tables", {"-1", path}), (s.table + "\n").toUtf8());

    MdbFile file(path);
    ASSERT_TRUE(file.IsOpen());
    const std::string table = s.table.toStdString();
    auto columns = file.Columns(table.c_str());
    ASSERT_EQ(columns.size(), 8u);
    const int types[] = {MDB_BOOL, MDB_BYTE, MDB_INT, MDB_LONGINT,
                         MDB_DOUBLE, MDB_DATETIME, MDB_TEXT, MDB_MEMO};
    const int sizes[] = {0, 1, 2, 4, 8, 8, 20, 0};  // a Jet 3 text: one byte a character
    for (int i = 0; i < 8; ++i) {
      EXPECT_EQ(columns[i].type, types[i]) << i;
      EXPECT_EQ(columns[i].size, sizes[i]) << i;
    }
    EXPECT_EQ(columns[6].name, s.column.toStdString());

    std::vector<double> when;
    auto rows = file.Rows(table.c_str(), 5, &when);
    using Row = std::vector<std::string>;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (Row{"1", "200", "-32768", "2147483647", "3.25", "2023-03-15 18:00:00",
                            s.text.toStdString(), s.memo.toStdString()}));
    EXPECT_EQ(rows[1], (Row{"0", "", "", "", "", "", "", ""}));
    rows[2][5] = "";  // libmdb formats no date before 1899-12-30: the serial is checked
    EXPECT_EQ(rows[2], (Row{"0", "0", "32767", "-2147483648", "-0.5", "", "",
                            Repeated(s.memo + " ", 1000).toStdString()}));
    EXPECT_EQ(rows[3], (Row{"1", "7", "12", "-3", "10", "1900-01-01 00:00:00",
                            s.text.left(3).toStdString(),
                            Repeated(s.memo + "\r\n", 9000).toStdString()}));
    EXPECT_EQ(when, (std::vector<double>{45000.75, -999999, -36522.25, 2.0}));
  }
}

// Rows of 1 to about 1400 bytes: their one-byte offsets need the jump table
// (with its spare entry where the row's length asks for one more than the
// data), and 3000 of them take more pages than a map row's own bitmap covers.
TEST_F(Jet3WriterTest, RowsOfEverySizeKeepTheirTexts) {
  Table t;
  t.name = "Sweep";
  t.columns = {{"Id", ColumnType::Long}};
  for (const char* name : {"A", "B", "C", "D", "E"})
    t.columns.push_back({name, ColumnType::Text, 255});
  t.columns.push_back({"M", ColumnType::Memo});
  auto text = [](int length) {
    return length < 0 ? kNull : Variant(Repeated("äöü-xyz ", length));
  };
  const int count = 3000;
  for (int i = 0; i < count; ++i)
    t.rows.push_back({int32_t(i), text(i % 256), text((i * 37) % 256),
                      text(i % 3 == 0 ? -1 : (i * 101) % 256), text(255 - (i / 7) % 256),
                      text(i % 5 == 0 ? -1 : (i * 7) % 200), text(i % 4 == 0 ? (i % 120) : -1)});
  QString path = WriteJet3({t});
  EXPECT_GT(QFile(path).size(), 984 * 2048);

  MdbFile file(path);
  auto rows = file.Rows("Sweep");
  ASSERT_EQ(rows.size(), size_t(count));
  for (int i = 0; i < count; ++i)
    for (size_t c = 1; c < 7; ++c) {
      const Variant& v = t.rows[i][c];
      ASSERT_EQ(rows[i][c], v.IsNull() ? "" : v.AsString().toStdString()) << i << " " << c;
    }
}

TEST_F(Jet3WriterTest, WhatTheCodePageOrTheLayoutCannotHoldIsRefused) {
  auto table = [](const QString& column, const QString& text) {
    return std::vector<Table>{Table{"T", {{column, ColumnType::Text, 20}}, {{text}}}};
  };
  std::vector<Table> wideFixed(1);
  wideFixed[0].name = "Wide";
  for (int i = 0; i < 64; ++i)
    wideFixed[0].columns.push_back({QString("D%1").arg(i), ColumnType::Double});
  wideFixed[0].columns.push_back({"T", ColumnType::Text, 5});
  std::vector<Table> bigRow(1);
  bigRow[0].name = "Big";
  bigRow[0].rows = {{}};
  for (int i = 0; i < 8; ++i) {  // 8 * 255 bytes: more than a 2 KB page holds
    bigRow[0].columns.push_back({QString("C%1").arg(i), ColumnType::Text, 255});
    bigRow[0].rows[0].push_back(Variant(QString(255, 'x')));
  }
  const struct {
    int codePage;
    std::vector<Table> tables;
    const char* message;  // part of the fault's text
  } cases[] = {
      {1252, table("A", "Dvořák"), "row 1: column \"A\": text cannot be stored in code page 1252"},
      {1250, table("Æble", "x"), "column name \"Æble\": text cannot be stored in code page 1250"},
      {1252, {Table{"Hřbitov", {{"A", ColumnType::Long}}, {}}}, "table name \"Hřbitov\""},
      {932, table("A", "日本"), "text cannot be stored in code page 932"},  // two bytes each
      {59999, table("A", "x"), "code page 59999 is not available"},
      {0, table("A", "x"), "code page 0 is not a code page number"},
      {70000, table("A", "x"), "code page 70000 is not a code page number"},
      {1252, wideFixed, "may take at most 510 bytes"},
      {1252, bigRow, "does not fit in a page"},
  };
  for (const auto& c : cases) {
    try {
      WriteJet3(c.tables, c.codePage);
      ADD_FAILURE() << "written: " << c.message;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
  // The same characters are fine in a code page that has them.
  EXPECT_NO_THROW(WriteJet3(table("A", "Dvořák"), 1250));
  wideFixed[0].columns.pop_back();
  EXPECT_NO_THROW(WriteJet3(wideFixed));
}

}  // namespace
