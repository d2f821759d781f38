#pragma once
// The run-time error number a statement raises: 0 when it raises none.
#include "platform/vb/VbError.h"

#include <functional>

namespace testutil {

inline int ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const vb::VbError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace testutil
