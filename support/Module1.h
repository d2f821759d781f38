#pragma once
// Command-line text and the folder part of a path.
#include <QString>

namespace Module1 {

// The program's command-line argument text, unchanged.
QString GetCommandLineStr();
// The text before the last backslash of Path ("" when a "/" comes after the
// last backslash or there is no backslash), with "\" appended when AddSlash.
QString GetFolderOfPath(const QString& Path, bool AddSlash);

}  // namespace Module1
