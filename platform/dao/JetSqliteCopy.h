#pragma once
// The in-memory SQLite database the reading child fills with the user
// tables of a Jet file and hands to the parent as one image.
#include "platform/dao/JetReader.h"

#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace dao::reader {

struct StmtFinalizer {
  void operator()(sqlite3_stmt* s) const;
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

class SqliteCopy {
 public:
  SqliteCopy();
  ~SqliteCopy();
  SqliteCopy(const SqliteCopy&) = delete;
  SqliteCopy& operator=(const SqliteCopy&) = delete;

  void Exec(const std::string& sql);
  StmtPtr Prepare(const std::string& sql);
  // Commits and writes the database image to `fd`.
  void WriteImage(int fd, ReadProgress& progress);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace dao::reader
