#pragma once
// Rows of a Jet table on their way into the SQLite copy: one thread decodes
// the table's pages into batches while another inserts the batches it has
// already decoded, in the same order.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace dao {

struct DecodedValue {
  enum class Kind : uint8_t { Null, Integer, Real, Text, Blob };
  Kind kind = Kind::Null;
  union {
    int64_t integer;
    double real;
  };
  size_t offset = 0;  // Text, Blob: where the bytes start in the batch
  size_t size = 0;
  DecodedValue() : integer(0) {}
};

struct RowBatch {
  size_t columns = 0;
  std::vector<DecodedValue> values;  // `columns` values per row, row after row
  std::string bytes;                 // the texts and blobs of those values
  int failure = 0;    // the error number that ended the reading; 0 for none
  bool last = false;  // nothing follows

  size_t Rows() const { return columns ? values.size() / columns : 0; }
  // Starts a row of Nulls and returns its first value.
  DecodedValue* AddRow();
  // Keeps bytes for a value.
  void SetBytes(DecodedValue& v, DecodedValue::Kind kind, const void* data, size_t size);
};

// A bounded queue of batches between the two threads.
class RowBatchQueue {
 public:
  explicit RowBatchQueue(size_t capacity) : capacity_(capacity) {}
  // Waits for room; false (and the batch is dropped) once Cancel was called.
  bool Push(RowBatch batch);
  // Waits for the next batch.
  RowBatch Pop();
  // The inserting side gives up: every Push from now on returns false.
  void Cancel();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<RowBatch> batches_;
  size_t capacity_;
  bool cancelled_ = false;
};

}  // namespace dao
