#pragma once
// Our stand-in for the operating-system services the viewers use. Every path
// here is in Windows form (backslashes, "\media\cd\go.ini"); it is turned into
// a native path, resolving each component without regard to case, only at the
// moment the file system is touched.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QFile;

namespace win {

// ---- Paths ----------------------------------------------------------------
// "\media\cd\go.ini" -> "/media/cd/go.ini"; a component that does not exist
// with the exact case is replaced by the one that matches without regard to
// case (the first such entry in name order). A drive prefix such as "C:" is
// dropped; "/" separates components as well; a relative path stays relative
// (resolved from the current folder).
QString ToNativePath(const QString& windowsPath);
// "/media/cd/go.ini" -> "\media\cd\go.ini".
QString ToWindowsPath(const QString& nativePath);

// ---- Settings files -------------------------------------------------------
// GetPrivateProfileStringA: copies the value (or `defaultValue` when the file,
// section or key is missing), cut to size - 1 characters, into `buffer` and
// returns the number of characters copied.
uint32_t GetPrivateProfileString(const QString& section, const QString& key,
                                 const QString& defaultValue, QString& buffer,
                                 uint32_t size, const QString& fileName);
// WritePrivateProfileStringA: creates file, section or key as needed and keeps
// every other line; false when nothing could be written.
bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& fileName);

// ---- File services ----------------------------------------------------------
// FindFirstFileA + FindClose: true when a file, folder or wildcard match exists.
bool FindFirstFileExists(const QString& path);
// CreateFileA(GENERIC_READ, share 0, OPEN_EXISTING) + CloseHandle: true when
// the file could be opened exclusively (no other process holds it open or
// locked).
bool CanOpenExclusive(const QString& path);
// Dir(path, vbNormal): the name of the first plain file that matches (hidden
// and system files and folders do not count), "" when none or when the
// folder does not exist; a path ending in a separator (or "") searches the
// whole folder; raises error 52 for a name no file can have.
QString Dir(const QString& path);
// FileCopy, Kill, GetAttr, SetAttr, FileLen: raise run-time errors as the
// platform does (52 bad file name, 53 file not found, 76 path not found,
// 70 permission denied: the file is in use; 75 path/file access error: it is
// read-only or refused). Kill takes a pattern. Attributes: read-only is a
// file without any write permission, hidden a name starting with "."; no
// file is a system file; SetAttr changes only the read-only state.
void FileCopy(const QString& source, const QString& destination);
void Kill(const QString& path);
constexpr int vbNormal = 0, vbReadOnly = 1, vbHidden = 2, vbSystem = 4,
              vbDirectory = 16, vbArchive = 32;
int GetAttr(const QString& path);
void SetAttr(const QString& path, int attributes);
int64_t FileLen(const QString& path);
// Open path For Append (`exists`) or For Output (a new file): a handle that
// writes at the end of the file. A file that is not expected is never
// emptied: when one stands there after all, the open fails. Raises the error
// of OpenErrorNumber when the system refuses the open.
std::unique_ptr<QFile> OpenForAppend(const QString& path, bool exists);
// The run-time error of a file open that the system refused with `error`
// (errno): 76 path not found when a folder of the path is missing, else 75
// path/file access error: no permission on the file or on a folder of its
// path (even one that exists), a read-only file system, a folder of that
// name.
int OpenErrorNumber(int error);

// ---- Program ------------------------------------------------------------------
// The program's folder in Windows form, without a trailing backslash (App.Path).
QString AppPath();
// The folder where the program keeps its own files (its settings file, its
// error log), in Windows form without a trailing backslash: the program's
// folder when the program may write into it, else the per-user folder
// $XDG_CONFIG_HOME/<programName> (~/.config/<programName> without that
// variable), created when missing. As for a file, a folder without any write
// permission counts as not writable even for the superuser.
QString WritableAppPath(const QString& programName);
// Where the program reads one of its own files back (its settings file), in
// Windows form: from where WritableAppPath keeps it; when that is the
// per-user folder and the file is not there (yet), from the program's
// folder, so a file installed beside a program the user may not change is
// read until the user's own choice replaces it. Creates nothing.
QString AppFileToRead(const QString& programName, const QString& fileName);
// The command-line argument text (Command$): the launch file's absolute path
// in Windows form, "" without arguments.
QString CommandLine();
// Called once by main(): the program file and its arguments.
void SetProgramArguments(int argc, char** argv);
// For tests: a program folder and command line of their own.
void SetAppPathForTesting(const QString& windowsPath);
void SetCommandLineForTesting(const QString& commandLine);

// ---- Web addresses ----------------------------------------------------------
// ShellExecuteA(..., "open", url, ...): opens the address in the user's
// browser through the installed opener (the window host installs one).
bool ShellExecuteOpen(const QString& url);
void SetUrlOpener(std::function<bool(const QString&)> opener);

}  // namespace win
