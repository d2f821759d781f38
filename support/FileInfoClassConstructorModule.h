#pragma once
// Maker of FileInfoClass objects.
#include <memory>

#include "support/FileInfoClass.h"

namespace FileInfoClassConstructorModule {

// A new object whose MFilePathAndName is Path.
std::unique_ptr<FileInfoClass> NewFileInfoClass(const QString& Path);

}  // namespace FileInfoClassConstructorModule
