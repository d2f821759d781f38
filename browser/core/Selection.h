#pragma once
// A window's connection and current selection, as the search frame, the
// navigation buttons and the information windows' selection step use them.
// The cemetery viewer holds a Jet database and recordset (JetSelection,
// beside its window), the obituary viewer an SQLite connection and
// recordset (SqliteSelection, in obituary/); both answer the same
// operations here.
#include "platform/vb/Variant.h"

#include <QString>
#include <functional>

namespace browser {

// Tests watch the statements the windows open, in the order they are tried;
// nothing is watched until one installs an observer (an empty one stops).
using StatementObserver = std::function<void(const QString& statement)>;
void SetStatementObserverForTesting(StatementObserver observer);
// Hands a statement to the installed observer; each selection calls it as
// it opens a statement.
void ObserveStatement(const QString& statement);

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
  // The null-safe field reader on the current row (GetFieldValue): the
  // empty text for Null, else the value; a missing column or no current
  // row raises the engine's error.
  virtual vb::Variant GetFieldValue(const QString& FieldName) = 0;
  // The window unloads: selection and connection go, every error ignored.
  virtual void Release() = 0;
};

}  // namespace browser
