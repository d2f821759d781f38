#pragma once
// A main window's connection and current selection, as the search frame and
// the navigation buttons use them. The cemetery viewer holds a Jet database
// and recordset, the obituary viewer an SQLite connection and recordset;
// both answer the same operations here.
#include "platform/dao/Dao.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace browser {

// Tests watch the statements the windows open, in the order they are tried;
// nothing is watched until one installs an observer (an empty one stops).
using StatementObserver = std::function<void(const QString& statement)>;
void SetStatementObserverForTesting(StatementObserver observer);

class Selection {
 public:
  virtual ~Selection() = default;
  // A new connection on the database file, replacing the window's.
  virtual void OpenConnection(const QString& path) = 0;
  // Opens the statement on the connection; the new selection replaces the
  // window's only when it opens. Raises the engine's error.
  virtual void OpenSelection(const QString& statement, bool wholeTable) = 0;
  // True when the selection has no current row; raises 91 when there is no
  // selection at all.
  virtual bool IsEmpty() = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveLast() = 0;
  virtual void MoveNext() = 0;
  virtual void MovePrevious() = 0;
  virtual bool AtBOF() = 0;
  virtual bool AtEOF() = 0;
  virtual int FieldCount() = 0;
  // The number of rows, read after MoveLast.
  virtual int RecordCount() = 0;
  // The window unloads: selection and connection go, every error ignored.
  virtual void Release() = 0;
};

// Over the Jet engine: each connection opens the file exclusive and
// read-only in the first workspace; a failed open keeps the previous one.
class JetSelection : public Selection {
 public:
  void OpenConnection(const QString& path) override;
  void OpenSelection(const QString& statement, bool wholeTable) override;
  bool IsEmpty() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  bool AtBOF() override;
  bool AtEOF() override;
  int FieldCount() override;
  int RecordCount() override;
  // Closes the recordset, then the database, then lets both go.
  void Release() override;

  dao::Database* Database() const { return database_.get(); }
  // The current selection (MainRecordSet); nullptr before the first open.
  dao::Recordset* Recordset() const { return recordset_.get(); }

 private:
  dao::Recordset& Current() const;
  std::unique_ptr<dao::Database> database_;
  std::unique_ptr<dao::Recordset> recordset_;
};

// Over an SQLite file: each connection is made anew and then opened, so a
// failed open leaves a connection that opens nothing (its queries raise).
class SqliteSelection : public Selection {
 public:
  void OpenConnection(const QString& path) override;
  void OpenSelection(const QString& statement, bool wholeTable) override;
  bool IsEmpty() override;
  void MoveFirst() override;
  void MoveLast() override;
  void MoveNext() override;
  void MovePrevious() override;
  bool AtBOF() override;
  bool AtEOF() override;
  int FieldCount() override;
  int RecordCount() override;
  // Drops the selection, then the connection; nothing is closed explicitly.
  void Release() override;

  // The window's connection (mydb), on which the record display's look-ups
  // also run.
  sqlitedb::SqliteConnection& Connection() { return connection_; }
  // A number that changes whenever OpenConnection replaces the connection,
  // so that what was read on one connection is not taken for another's.
  int ConnectionNumber() const { return connectionNumber_; }
  // The current selection; raises 91 before the first open.
  sqlitedb::SqliteRecordset& Recordset();
  bool HasRecordset() const { return recordset_.has_value(); }

 private:
  sqlitedb::SqliteConnection connection_;
  int connectionNumber_ = 0;
  std::optional<sqlitedb::SqliteRecordset> recordset_;
};

}  // namespace browser
