#pragma once
// What the parts of the reading (JetReader.cpp, JetPages, JetLongValues,
// JetRowDecoder, JetSqliteCopy, JetTableCopier) share: libmdb, the failure
// of a read and the columns of a table.
#include "platform/dao/JetReader.h"
#include "platform/vb/VbError.h"

// mdbtools.h wraps <glib.h> in extern "C"; glib must come first.
#include <glib.h>
#include <mdbtools.h>

#include <cstddef>

namespace dao::reader {

inline constexpr int kDamaged = vb::err::CannotOpenDb;
// The bytes of one system call, as the file is read and the image written.
inline constexpr size_t kReadChunk = 1 << 20;

[[noreturn]] inline void Fail(int number) { throw ReadFailure{number}; }

inline MdbColumn* Column(MdbTableDef* t, unsigned i) {
  return static_cast<MdbColumn*>(g_ptr_array_index(t->columns, i));
}

inline bool IsJet4(MdbHandle* mdb) { return mdb->f->jet_version != MDB_VER_JET3; }

}  // namespace dao::reader
