#include "platform/dao/JetReader.h"

// mdbtools.h wraps <glib.h> in extern "C"; glib must come first.
#include <glib.h>
#include <mdbtools.h>

#include "platform/dao/JetRowQueue.h"
#include "platform/dao/JetText.h"
#include "platform/jetsql/JetDialect.h"
#include "platform/sqlite/FileAccess.h"
#include "platform/vb/VbError.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace dao {

namespace {

constexpr int kDamaged = vb::err::CannotOpenDb;
constexpr int kNotJet = vb::err::NotADatabase;
constexpr size_t kReadChunk = 1 << 20;
constexpr int kRowFlagDeleted = 0x4000;
constexpr int kRowOffsetMask = 0x1FFF;
constexpr uint8_t kDataPage = 0x01;
constexpr unsigned kMaxColumns = 255;  // Jet's limit of fields in a table
constexpr uint32_t kLongValueInline = 0x80000000u;
constexpr uint32_t kLongValueOnePage = 0x40000000u;
constexpr uint32_t kLongValueLengthMask = 0x3FFFFFFFu;
constexpr size_t kLongValueHeader = 12;

[[noreturn]] void Fail(int number) { throw ReadFailure{number}; }

uint32_t U32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

// ---- Rows on a data page -----------------------------------------------------
//
// Every offset and length below comes from the file. Each is checked against
// the page before anything is read through it: a value that does not fit is
// damage, and damage fails the whole read (error 3049), so that no value is
// ever read from outside its row or shown from the wrong bytes.

struct PageFormat {
  size_t pageSize;
  size_t countOffset;  // where the page's row count stands; the row table follows
  bool jet4;
};

// One row of a data page: [start, start + size) lies inside the page, after
// its row table.
struct RowSpan {
  size_t start = 0;
  size_t size = 0;
  bool deleted = false;
};

// The page's row count, checked against the room its row table needs.
unsigned RowCount(const uint8_t* page, const PageFormat& fmt) {
  const unsigned count = U16(page + fmt.countOffset);
  if (fmt.countOffset + 2 + 2 * size_t(count) > fmt.pageSize) Fail(kDamaged);
  return count;
}

// Row `r` (below RowCount) of a data page. A row ends where the row before it
// starts (the first at the end of the page). A deleted row is reported as
// such without being checked further.
RowSpan LocateRow(const uint8_t* page, const PageFormat& fmt, unsigned r) {
  const size_t tableEnd = fmt.countOffset + 2 + 2 * (size_t(RowCount(page, fmt)));
  const unsigned entry = U16(page + fmt.countOffset + 2 + 2 * size_t(r));
  RowSpan row;
  row.deleted = (entry & kRowFlagDeleted) != 0;
  if (row.deleted) return row;
  const size_t start = entry & kRowOffsetMask;
  const size_t end =
      r == 0 ? fmt.pageSize : U16(page + fmt.countOffset + 2 * size_t(r)) & kRowOffsetMask;
  if (start < tableEnd || end > fmt.pageSize || start > end) Fail(kDamaged);
  row.start = start;
  row.size = end - start;
  return row;
}

// The number of columns a row holds (its first byte or two), checked against
// the room its null mask and its table of variable columns take, so that the
// row's cracking reads only inside the row.
unsigned RowColumns(const uint8_t* page, const PageFormat& fmt, const RowSpan& row,
                    bool hasVariableColumns) {
  const size_t countBytes = fmt.jet4 ? 2 : 1;
  if (row.size < countBytes + 1) Fail(kDamaged);
  const uint8_t* p = page + row.start;
  const unsigned columns = fmt.jet4 ? U16(p) : p[0];
  const size_t mask = (size_t(columns) + 7) / 8;
  if (countBytes + mask > row.size) Fail(kDamaged);
  if (!hasVariableColumns) return columns;
  // The variable columns' count and offsets stand before the null mask:
  // Jet 4 two bytes each (the count, then one more offset than columns),
  // Jet 3 one byte each, with a jump table of one byte per 256 bytes of row.
  const uint8_t* last = p + row.size - 1;
  size_t need = 0;
  if (fmt.jet4) {
    if (countBytes + mask + 2 > row.size) Fail(kDamaged);
    need = countBytes + mask + 2 + 2 * (size_t(U16(last - mask - 1)) + 1);
  } else {
    if (countBytes + mask + 1 > row.size) Fail(kDamaged);
    need = countBytes + mask + 1 + (row.size - 1) / 256 + size_t(*(last - mask)) + 1;
  }
  if (need > row.size) Fail(kDamaged);
  return columns;
}

// The bytes of a value that libmdb found in the row: they must lie inside it.
void CheckInRow(const MdbField& f, const uint8_t* page, const RowSpan& row) {
  if (f.siz < 0 || f.start < 0 || size_t(f.start) < row.start ||
      size_t(f.start) + size_t(f.siz) > row.start + row.size || f.value != page + f.start)
    Fail(kDamaged);
}

// ---- The file's bytes --------------------------------------------------------

struct FileBytes {
  std::unique_ptr<uint8_t[]> data;
  size_t size = 0;
};

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

FileBytes LoadFile(const std::string& path, ReadProgress& progress) {
  Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (sqlitedb::IsAccessRefused(errno)) Fail(vb::err::CannotOpenFile);
    Fail(errno == ENOENT ? vb::err::FileNotFoundDb : kDamaged);
  }
  struct stat st {};
  if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) Fail(vb::err::FileNotFoundDb);
  FileBytes file;
  file.size = size_t(st.st_size);
  if (file.size == 0) Fail(kNotJet);
  file.data.reset(new uint8_t[file.size]);
  size_t done = 0;
  while (done < file.size) {
    const ssize_t n = read(fd.get(), file.data.get() + done, std::min(kReadChunk, file.size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(kDamaged);
    done += size_t(n);
    progress.ticks.fetch_add(1, std::memory_order_relaxed);
  }
  return file;
}

// The header page: the signature, and the version byte that fixes the page
// size. A file cut short of whole pages is damaged.
void CheckHeader(const FileBytes& file) {
  static const uint8_t kSignature[] = {0x00, 0x01, 0x00, 0x00, 'S', 't', 'a', 'n', 'd', 'a',
                                       'r',  'd',  ' ',  'J',  'e', 't', ' ', 'D', 'B', 0x00};
  if (file.size < 0x80 || std::memcmp(file.data.get(), kSignature, sizeof kSignature) != 0)
    Fail(kNotJet);
  const uint32_t version = U32(file.data.get() + 0x14);
  size_t pageSize = 0;
  if (version == MDB_VER_JET3) {
    pageSize = 2048;
  } else if (version == MDB_VER_JET4) {
    pageSize = 4096;
  } else {
    Fail(kNotJet);
  }
  if (file.size % pageSize != 0 || file.size < 3 * pageSize) Fail(kDamaged);
}

// ---- libmdb handles ----------------------------------------------------------

struct MdbCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

MdbColumn* Column(MdbTableDef* t, unsigned i) {
  return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
}

bool IsJet4(MdbHandle* mdb) { return mdb->f->jet_version != MDB_VER_JET3; }

// libmdb decodes table and column names with converters it chooses from the
// environment (MDBICONV for the result, MDB_JET3_CHARSET over a Jet 3 file's
// code page). Names must come out as UTF-8, and a Jet 3 file's in the code
// page its header names, whatever the reading process inherited.
void UseTheFilesEncoding(MdbHandle* mdb) {
  const std::string stored = IsJet4(mdb) ? "UCS-2LE" : Jet3CodePageName(mdb->f->code_page);
  const iconv_t none = reinterpret_cast<iconv_t>(-1);
  const iconv_t in = iconv_open("UTF-8", stored.c_str());
  const iconv_t out = iconv_open(stored.c_str(), "UTF-8");
  if (mdb->iconv_in != none) iconv_close(mdb->iconv_in);
  if (mdb->iconv_out != none) iconv_close(mdb->iconv_out);
  mdb->iconv_in = in;
  mdb->iconv_out = out;
  if (in == none || out == none) Fail(kDamaged);
}

// The size a field reports: text in characters (Jet 4 stores bytes), memo
// and OLE 0, every other type its fixed size in bytes.
int FieldSize(const MdbColumn* col, bool jet4) {
  switch (col->col_type) {
    case MDB_TEXT: return jet4 ? col->col_size / 2 : col->col_size;
    case MDB_MEMO:
    case MDB_OLE: return 0;
    case MDB_BOOL:
    case MDB_BYTE: return 1;
    case MDB_INT: return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
    case MDB_COMPLEX: return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME: return 8;
    case MDB_REPID: return 16;
    case MDB_NUMERIC: return 17;
    default: return col->col_size;
  }
}

// The declarations that make the recordsets read each type back as Jet's
// own kind of value (see RowSet.h).
const char* DeclaredType(int colType) {
  switch (colType) {
    case MDB_BOOL: return "BOOLEAN";
    case MDB_BYTE: return "BYTE";
    case MDB_INT: return "SMALLINT";
    case MDB_LONGINT:
    case MDB_COMPLEX: return "INTEGER";
    case MDB_MONEY: return "CURRENCY";
    case MDB_FLOAT: return "SINGLE";
    case MDB_DOUBLE: return "DOUBLE";
    case MDB_NUMERIC: return "DECIMAL";
    case MDB_DATETIME: return "DATETIME";
    case MDB_BINARY:
    case MDB_OLE: return "BLOB";
    default: return "TEXT";
  }
}

bool IsTextType(int colType) {
  return colType == MDB_TEXT || colType == MDB_MEMO || colType == MDB_REPID;
}

std::string QuoteName(const char* name) {
  std::string q = "\"";
  for (const char* p = name; *p; ++p) {
    if (*p == '"') q.push_back('"');
    q.push_back(*p);
  }
  q.push_back('"');
  return q;
}

// The engine's own tables are listed but not copied.
bool IsEngineTable(const MdbCatalogEntry* e) {
  return g_ascii_strncasecmp(e->object_name, "MSys", 4) == 0;
}

// ---- Long values (memo, OLE) -------------------------------------------------

class LongValueReader {
 public:
  LongValueReader(MdbHandle* mdb, const PageFormat& fmt, size_t fileSize)
      : mdb_(mdb),
        fmt_(fmt),
        fileSize_(fileSize),
        pages_(fileSize / fmt.pageSize),
        maxSteps_(fileSize / 64 + 16) {}

  // The whole value behind a field's 12-byte head, read from its LVAL
  // page(s); a broken chain or a short value is damage.
  void Read(const uint8_t* field, int fieldSize, std::string& bytes) {
    if (fieldSize < int(kLongValueHeader)) Fail(kDamaged);
    const uint32_t head = U32(field);
    const size_t length = head & kLongValueLengthMask;
    if (length > fileSize_) Fail(kDamaged);
    bytes.clear();
    if (head & kLongValueInline) {
      if (size_t(fieldSize) - kLongValueHeader < length) Fail(kDamaged);
      bytes.assign(reinterpret_cast<const char*>(field + kLongValueHeader), length);
    } else if (head & kLongValueOnePage) {
      const Row row = Find(U32(field + 4));
      if (row.size < length) Fail(kDamaged);
      bytes.assign(reinterpret_cast<const char*>(row.data), length);
    } else {
      ReadChain(U32(field + 4), length, bytes);
    }
  }

 private:
  struct Row {
    const uint8_t* data;
    size_t size;
  };

  // A live row of a data page of the file, found by its page/row number.
  Row Find(uint32_t pageRow) {
    const uint32_t pageNumber = pageRow >> 8;
    if (pageNumber == 0 || pageNumber >= pages_) Fail(kDamaged);
    if (mdb_read_alt_pg(mdb_, pageNumber) != ssize_t(fmt_.pageSize)) Fail(kDamaged);
    const uint8_t* page = mdb_->alt_pg_buf;
    const unsigned r = pageRow & 0xFF;
    if (page[0] != kDataPage || r >= RowCount(page, fmt_)) Fail(kDamaged);
    const RowSpan row = LocateRow(page, fmt_, r);
    if (row.deleted) Fail(kDamaged);
    return Row{page + row.start, row.size};
  }

  // Each row of the chain starts with the page/row of the next one.
  void ReadChain(uint32_t pageRow, size_t length, std::string& bytes) {
    size_t steps = 0;
    while (bytes.size() < length) {
      if (++steps > maxSteps_) Fail(kDamaged);
      const Row row = Find(pageRow);
      if (row.size < 4) Fail(kDamaged);
      const size_t take = std::min(row.size - 4, length - bytes.size());
      bytes.append(reinterpret_cast<const char*>(row.data + 4), take);
      pageRow = U32(row.data);
      if (pageRow == 0 && bytes.size() < length) Fail(kDamaged);
    }
  }

  MdbHandle* mdb_;
  PageFormat fmt_;
  size_t fileSize_;
  size_t pages_;
  size_t maxSteps_;
};

// ---- The SQLite copy -------------------------------------------------------------

struct StmtFinalizer {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

class SqliteCopy {
 public:
  SqliteCopy() {
    if (sqlite3_open_v2("file:/jetcopy?vfs=memdb", &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
      Fail(kDamaged);
    sqlitedb::RegisterJetFunctions(db_);
    // Rows go in at the end of each table, so a small page cache is enough;
    // 16 KiB pages mean fewer page splits and cells spilling to overflow pages.
    Exec("PRAGMA page_size=16384; PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
         "PRAGMA locking_mode=EXCLUSIVE; PRAGMA cache_size=-2000; BEGIN");
  }
  ~SqliteCopy() { sqlite3_close(db_); }
  SqliteCopy(const SqliteCopy&) = delete;
  SqliteCopy& operator=(const SqliteCopy&) = delete;

  void Exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(kDamaged);
  }

  StmtPtr Prepare(const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v3(db_, sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &s,
                           nullptr) != SQLITE_OK)
      Fail(kDamaged);
    return StmtPtr(s);
  }

  // Commits and writes the database image to `fd`.
  void WriteImage(int fd, ReadProgress& progress) {
    Exec("COMMIT");
    sqlite3_int64 size = 0;
    unsigned char* image = sqlite3_serialize(db_, "main", &size, SQLITE_SERIALIZE_NOCOPY);
    unsigned char* owned = nullptr;
    if (!image) image = owned = sqlite3_serialize(db_, "main", &size, 0);
    if (!image) Fail(kDamaged);
    size_t done = 0;
    while (done < size_t(size)) {
      const ssize_t n = write(fd, image + done, std::min(kReadChunk, size_t(size) - done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        sqlite3_free(owned);
        Fail(kDamaged);
      }
      done += size_t(n);
      progress.ticks.fetch_add(1, std::memory_order_relaxed);
    }
    sqlite3_free(owned);
  }

 private:
  sqlite3* db_ = nullptr;
};

// ---- Copying one table ------------------------------------------------------------

constexpr size_t kBatchRows = 256;
constexpr size_t kBatchBytes = size_t(1) << 20;
constexpr size_t kBatchesAhead = 8;

// Decodes a table's rows with libmdb into batches (RowBatch), on the reading
// thread. Only this thread uses libmdb while the table is being copied.
class TableDecoder {
 public:
  TableDecoder(MdbHandle* mdb, MdbTableDef* table, size_t fileSize, ReadProgress& progress)
      : mdb_(mdb),
        table_(table),
        progress_(progress),
        fmt_{size_t(mdb->fmt->pg_size), mdb->fmt->row_count_offset, IsJet4(mdb)},
        text_(fmt_.jet4, mdb->f->code_page),
        longValues_(mdb, fmt_, fileSize),
        maxPages_(fileSize / fmt_.pageSize),
        fields_(table->num_cols) {}

  // Hands every row to `queue`; the last batch says how the reading ended.
  void Run(RowBatchQueue& queue) {
    RowBatch batch = NewBatch();
    try {
      if (!DecodeRows(queue, batch)) return;  // the inserting side gave up
    } catch (const ReadFailure& failure) {
      batch.failure = failure.number;
    } catch (...) {
      batch.failure = kDamaged;
    }
    batch.last = true;
    queue.Push(std::move(batch));
  }

 private:
  RowBatch NewBatch() const {
    RowBatch batch;
    batch.columns = table_->num_cols;
    batch.values.reserve(kBatchRows * batch.columns);
    return batch;
  }

  // Walks the table's data pages as libmdb's own row fetch does, cracking
  // each live row once; the number of rows found must be the table's count.
  bool DecodeRows(RowBatchQueue& queue, RowBatch& batch) {
    mdb_rewind_table(table_);
    size_t pages = 0;
    uint64_t rows = 0;
    const uint8_t* page = mdb_->pg_buf;
    while (mdb_read_next_dpg(table_)) {
      if (++pages > maxPages_ || page[0] != kDataPage) Fail(kDamaged);
      progress_.ticks.fetch_add(1, std::memory_order_relaxed);
      const unsigned count = RowCount(page, fmt_);
      for (unsigned r = 0; r < count; ++r) {
        const RowSpan row = LocateRow(page, fmt_, r);
        if (row.deleted || row.size == 0) continue;
        const unsigned columns = RowColumns(page, fmt_, row, table_->num_var_cols > 0);
        if (mdb_crack_row(table_, int(row.start), row.size, fields_.data()) < 0) Fail(kDamaged);
        if (++rows > table_->num_rows) Fail(kDamaged);
        DecodeRow(batch, page, row, columns);
      }
      if (batch.Rows() >= kBatchRows || batch.bytes.size() >= kBatchBytes) {
        if (!queue.Push(std::exchange(batch, NewBatch()))) return false;
      }
    }
    if (rows != table_->num_rows) Fail(kDamaged);
    return true;
  }

  // A column that the row does not hold (added to the table after the row
  // was written) is Null, as Jet reads it; every value the row holds must lie
  // inside the row.
  void DecodeRow(RowBatch& batch, const uint8_t* page, const RowSpan& span, unsigned rowColumns) {
    DecodedValue* row = batch.AddRow();
    for (unsigned i = 0; i < table_->num_cols; ++i) {
      MdbField& f = fields_[i];
      const int colnum = f.colnum;
      if (colnum < 0 || unsigned(colnum) >= table_->num_cols) Fail(kDamaged);
      const MdbColumn* col = Column(table_, unsigned(colnum));
      if (col->col_num < 0 || unsigned(col->col_num) >= rowColumns) {
        f.is_null = 1;
      } else if (!f.is_null && col->col_type != MDB_BOOL) {
        CheckInRow(f, page, span);
      }
      DecodeValue(col, f, batch, row[colnum]);
    }
  }

  static void Need(const MdbField& f, int bytes) {
    if (f.siz < bytes) Fail(kDamaged);
  }

  template <typename T>
  static T Raw(const MdbField& f) {
    Need(f, int(sizeof(T)));
    T x;
    std::memcpy(&x, f.value, sizeof x);
    return x;
  }

  static void SetInteger(DecodedValue& out, int64_t v) {
    out.kind = DecodedValue::Kind::Integer;
    out.integer = v;
  }
  static void SetReal(DecodedValue& out, double v) {
    out.kind = DecodedValue::Kind::Real;
    out.real = v;
  }

  void DecodeValue(const MdbColumn* col, const MdbField& f, RowBatch& batch, DecodedValue& out) {
    if (col->col_type == MDB_BOOL) {  // held in the null mask, never Null
      SetInteger(out, f.is_null ? 0 : 1);
      return;
    }
    if (f.is_null) return;  // the row starts as Nulls
    const uint8_t* v = static_cast<const uint8_t*>(f.value);
    switch (col->col_type) {
      case MDB_BYTE: SetInteger(out, Raw<uint8_t>(f)); break;
      case MDB_INT: SetInteger(out, Raw<int16_t>(f)); break;
      case MDB_LONGINT:
      case MDB_COMPLEX: SetInteger(out, Raw<int32_t>(f)); break;
      case MDB_MONEY: SetReal(out, double(Raw<int64_t>(f)) / 10000.0); break;
      case MDB_FLOAT: SetReal(out, double(Raw<float>(f))); break;
      case MDB_DOUBLE:
      case MDB_DATETIME:  // dates: days since 30 Dec 1899, the raw value
        SetReal(out, Raw<double>(f));
        break;
      case MDB_NUMERIC: {
        Need(f, 17);
        char* s = mdb_numeric_to_string(mdb_, f.start, col->col_scale, col->col_prec);
        SetReal(out, s ? std::strtod(s, nullptr) : 0.0);
        g_free(s);
        break;
      }
      case MDB_REPID: {
        Need(f, 16);
        char* s = mdb_uuid_to_string(mdb_->pg_buf, f.start);
        batch.SetBytes(out, DecodedValue::Kind::Text, s ? s : "", s ? std::strlen(s) : 0);
        g_free(s);
        break;
      }
      case MDB_TEXT:
        text_.Decode(v, size_t(f.siz), buf_);
        batch.SetBytes(out, DecodedValue::Kind::Text, buf_.data(), buf_.size());
        break;
      case MDB_MEMO:
        longValues_.Read(v, f.siz, raw_);
        text_.Decode(reinterpret_cast<const uint8_t*>(raw_.data()), raw_.size(), buf_);
        batch.SetBytes(out, DecodedValue::Kind::Text, buf_.data(), buf_.size());
        break;
      case MDB_OLE:
        longValues_.Read(v, f.siz, buf_);
        batch.SetBytes(out, DecodedValue::Kind::Blob, buf_.data(), buf_.size());
        break;
      case MDB_BINARY:
        batch.SetBytes(out, DecodedValue::Kind::Blob, v, size_t(std::max(f.siz, 0)));
        break;
      default:
        break;  // a type without a value here: Null
    }
  }

  MdbHandle* mdb_;
  MdbTableDef* table_;
  ReadProgress& progress_;
  PageFormat fmt_;
  JetTextDecoder text_;
  LongValueReader longValues_;
  size_t maxPages_;
  std::vector<MdbField> fields_;
  std::string buf_;
  std::string raw_;
};

// Creates a table of the copy and fills it: a reading thread decodes the
// rows (TableDecoder) while this one inserts those already decoded.
class TableCopier {
 public:
  TableCopier(MdbHandle* mdb, MdbTableDef* table, const FileBytes& file, SqliteCopy& copy,
              ReadProgress& progress)
      : table_(table), copy_(copy), decoder_(mdb, table, file.size, progress) {}

  void Run() {
    CreateTable();
    if (table_->num_cols == 0) {
      if (table_->num_rows != 0) Fail(kDamaged);
      return;
    }
    insert_ = copy_.Prepare(InsertStatement());
    RowBatchQueue queue(kBatchesAhead);
    std::thread reader([this, &queue] { decoder_.Run(queue); });
    // On every way out the reader is told to stop and waited for.
    struct Joiner {
      std::thread& thread;
      RowBatchQueue& queue;
      ~Joiner() {
        queue.Cancel();
        thread.join();
      }
    } joiner{reader, queue};
    InsertRows(queue);
  }

 private:
  void CreateTable() {
    std::string sql = "CREATE TABLE " + QuoteName(table_->name) + " (";
    for (unsigned i = 0; i < table_->num_cols; ++i) {
      const MdbColumn* col = Column(table_, i);
      if (i) sql += ", ";
      sql += QuoteName(col->name);
      sql += ' ';
      sql += DeclaredType(col->col_type);
      if (IsTextType(col->col_type)) {
        sql += " COLLATE ";
        sql += sqlitedb::kJetCollation;
      }
    }
    if (table_->num_cols == 0) sql += "\"\"";
    sql += ")";
    copy_.Exec(sql);
  }

  std::string InsertStatement() const {
    std::string sql = "INSERT INTO " + QuoteName(table_->name) + " VALUES (";
    for (unsigned i = 0; i < table_->num_cols; ++i) sql += i ? ",?" : "?";
    return sql + ")";
  }

  void InsertRows(RowBatchQueue& queue) {
    for (;;) {
      const RowBatch batch = queue.Pop();
      for (size_t r = 0; r < batch.Rows(); ++r) InsertRow(batch, r);
      if (batch.failure != 0) Fail(batch.failure);
      if (batch.last) return;
    }
  }

  void InsertRow(const RowBatch& batch, size_t row) {
    sqlite3_stmt* st = insert_.get();
    const DecodedValue* values = batch.values.data() + row * batch.columns;
    for (size_t c = 0; c < batch.columns; ++c) Bind(st, int(c) + 1, values[c], batch);
    if (sqlite3_step(st) != SQLITE_DONE) Fail(kDamaged);
    sqlite3_reset(st);
  }

  static void Bind(sqlite3_stmt* st, int p, const DecodedValue& v, const RowBatch& batch) {
    const char* bytes = batch.bytes.data() + v.offset;
    switch (v.kind) {
      case DecodedValue::Kind::Null: sqlite3_bind_null(st, p); break;
      case DecodedValue::Kind::Integer: sqlite3_bind_int64(st, p, v.integer); break;
      case DecodedValue::Kind::Real: sqlite3_bind_double(st, p, v.real); break;
      case DecodedValue::Kind::Text:
        sqlite3_bind_text64(st, p, bytes, v.size, SQLITE_STATIC, SQLITE_UTF8);
        break;
      case DecodedValue::Kind::Blob: sqlite3_bind_blob64(st, p, bytes, v.size, SQLITE_STATIC); break;
    }
  }

  MdbTableDef* table_;
  SqliteCopy& copy_;
  TableDecoder decoder_;
  StmtPtr insert_;
};

TableInfo DescribeTable(const MdbCatalogEntry* e, MdbTableDef* t, bool jet4) {
  TableInfo info;
  info.name = QString::fromUtf8(e->object_name);
  info.attributes = int32_t(uint32_t(e->flags));
  for (unsigned i = 0; i < t->num_cols; ++i) {
    const MdbColumn* col = Column(t, i);
    info.fields.push_back(FieldInfo{QString::fromUtf8(col->name), FieldSize(col, jet4)});
  }
  return info;
}

}  // namespace

std::vector<TableInfo> ReadJetFile(const std::string& nativePath, int imageFd,
                                   ReadProgress& progress) {
  FileBytes file = LoadFile(nativePath, progress);
  progress.phase.store(kPhaseDecoding);
  CheckHeader(file);
  MdbPtr mdb(mdb_open_buffer(file.data.get(), file.size, MDB_NOFLAGS));
  if (!mdb) Fail(kNotJet);
  UseTheFilesEncoding(mdb.get());
  GPtrArray* catalog = mdb_read_catalog(mdb.get(), MDB_TABLE);
  if (!catalog) Fail(kDamaged);
  const bool jet4 = IsJet4(mdb.get());
  SqliteCopy copy;
  std::vector<TableInfo> tables;
  for (unsigned i = 0; i < catalog->len; ++i) {
    auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
    if (e->object_type != MDB_TABLE) continue;
    TablePtr table(mdb_read_table(e));
    if (!table || !mdb_read_columns(table.get()) || table->num_cols > kMaxColumns) Fail(kDamaged);
    tables.push_back(DescribeTable(e, table.get(), jet4));
    if (!IsEngineTable(e)) TableCopier(mdb.get(), table.get(), file, copy, progress).Run();
    progress.ticks.fetch_add(1, std::memory_order_relaxed);
  }
  copy.WriteImage(imageFd, progress);
  return tables;
}

}  // namespace dao
