// Files, paths and the platform: file-name parts, file and folder tests, the executable's
// path, the Windows version, a quiet library loader, system error texts and resources.
#pragma once

#include <cstddef>

#include "cl_except.h"
#include "cl_string.h"

// Raised by RaiseLastOSError; carries the system error code.
class EOSError : public Exception {
public:
    EOSError(const AnsiString& message, unsigned long errorCode)
        : Exception(message), errorCode_(errorCode) {}
    unsigned long ErrorCode() const { return errorCode_; }

private:
    unsigned long errorCode_;
};

// Path parts. A path's folder part keeps its trailing backslash ("C:\Dir\").
AnsiString ExtractFilePath(const AnsiString& fileName);
AnsiString ExtractFileDir(const AnsiString& fileName);
AnsiString ExtractFileName(const AnsiString& fileName);
// The extension with its dot (".exe"); empty when there is none.
AnsiString ExtractFileExt(const AnsiString& fileName);
// "C:" or "\\server\share"; empty for a relative path.
AnsiString ExtractFileDrive(const AnsiString& fileName);
// Replaces (or appends) the extension: ChangeFileExt("C:\A\X.exe", ".INI") == "C:\A\X.INI".
AnsiString ChangeFileExt(const AnsiString& fileName, const AnsiString& extension);
AnsiString IncludeTrailingPathDelimiter(const AnsiString& path);
AnsiString ExcludeTrailingPathDelimiter(const AnsiString& path);
AnsiString ExpandFileName(const AnsiString& fileName);

bool FileExists(const AnsiString& fileName);
bool DirectoryExists(const AnsiString& directory);
// Creates the folder and any missing parents; false when one cannot be created.
bool ForceDirectories(const AnsiString& directory);
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);
AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& directory);
// Writes the file through a temporary beside it, so that it holds either the old or the whole
// new contents. Raises EFCreateError when it cannot.
void WriteFileWhole(const AnsiString& fileName, const void* data, size_t size);

// The running program's full path (GetModuleFileName of the main module).
AnsiString ExeFileName();

// The Windows version, read at start-up. Win32Platform: 1 = Windows 9x, 2 = NT.
extern int Win32Platform;
extern int Win32MajorVersion;
extern int Win32MinorVersion;
extern int Win32BuildNumber;
bool IsWindowsNT();
// True when the Windows version is at least major.minor.
bool CheckWin32Version(int major, int minor);

// LoadLibrary without the system's "file not found" box; the error mode is restored.
void* SafeLoadLibrary(const AnsiString& fileName);

// The system's text for an error code (FormatMessage, language neutral), without the
// trailing line break.
AnsiString SysErrorMessage(unsigned long errorCode);
// Raises EOSError "System Error.  Code: <n>.\r\n<text>" for GetLastError().
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long errorCode);

// The module whose resources the class library loads: the main program.
extern void* HInstance;
// Modules searched for resources, the main program first.
int ResourceModuleCount();
void* ResourceModule(int index);
void AddResourceModule(void* module);
// Loads resources from the resource modules (bitmaps as DIB sections); null when none of
// them has it.
void* LoadBitmapResource(const AnsiString& name);
void* LoadBitmapResource(int id);
void* LoadCursorResource(const AnsiString& name);
