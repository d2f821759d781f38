#include "platform/dao/JetReader.h"

#include "platform/dao/JetMdb.h"
#include "platform/dao/JetPages.h"
#include "platform/dao/JetSqliteCopy.h"
#include "platform/dao/JetTableCopier.h"
#include "platform/dao/JetText.h"
#include "platform/sqlite/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace dao::reader {

namespace {

constexpr int kNotJet = vb::err::NotADatabase;
constexpr unsigned kMaxColumns = 255;  // Jet's limit of fields in a table

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

// ---- The catalog -------------------------------------------------------------

struct MdbCloser {
  void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
  void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

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

// The engine's own tables are listed but not copied.
bool IsEngineTable(const MdbCatalogEntry* e) {
  return g_ascii_strncasecmp(e->object_name, "MSys", 4) == 0;
}

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

}  // namespace dao::reader

namespace dao {

std::vector<TableInfo> ReadJetFile(const std::string& nativePath, int imageFd,
                                   ReadProgress& progress) {
  using namespace reader;
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
    if (!IsEngineTable(e)) TableCopier(mdb.get(), table.get(), file.size, copy, progress).Run();
    progress.ticks.fetch_add(1, std::memory_order_relaxed);
  }
  copy.WriteImage(imageFd, progress);
  return tables;
}

}  // namespace dao
