#pragma once
// Engine error numbers of the Jet layer beyond the common ones of VbError.h.
namespace dao::err {
constexpr int NotAValidPath = 3044;     // the file's folder does not exist
constexpr int CannotOpenFile = 3051;    // no permission to read the file
}  // namespace dao::err
