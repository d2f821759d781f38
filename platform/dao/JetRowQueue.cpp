#include "platform/dao/JetRowQueue.h"

namespace dao {

DecodedValue* RowBatch::AddRow() {
  values.resize(values.size() + columns);
  return values.data() + values.size() - columns;
}

void RowBatch::SetBytes(DecodedValue& v, DecodedValue::Kind kind, const void* data, size_t size) {
  v.kind = kind;
  v.offset = bytes.size();
  v.size = size;
  bytes.append(static_cast<const char*>(data), size);
}

bool RowBatchQueue::Push(RowBatch batch) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return cancelled_ || batches_.size() < capacity_; });
  if (cancelled_) return false;
  batches_.push_back(std::move(batch));
  changed_.notify_all();
  return true;
}

RowBatch RowBatchQueue::Pop() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !batches_.empty(); });
  RowBatch batch = std::move(batches_.front());
  batches_.pop_front();
  changed_.notify_all();
  return batch;
}

void RowBatchQueue::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = true;
  changed_.notify_all();
}

}  // namespace dao
