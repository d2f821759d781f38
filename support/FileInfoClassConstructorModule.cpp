#include "support/FileInfoClassConstructorModule.h"

namespace FileInfoClassConstructorModule {

std::unique_ptr<FileInfoClass> NewFileInfoClass(const QString& Path) {
  return std::make_unique<FileInfoClass>(Path);
}

}  // namespace FileInfoClassConstructorModule
