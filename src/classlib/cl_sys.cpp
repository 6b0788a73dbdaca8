#include "cl_sys.h"

#include <windows.h>

#include <vector>

namespace {

bool IsPathDelimiter(char c) { return c == '\\' || c == '/'; }

OSVERSIONINFOA ReadVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&info);
#pragma GCC diagnostic pop
    return info;
}

const OSVERSIONINFOA kVersion = ReadVersion();

std::vector<HMODULE>& ResourceModules() {
    static std::vector<HMODULE> modules{GetModuleHandleA(nullptr)};
    return modules;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Close() {
        if (Valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

[[noreturn]] void RaiseCreateError(const AnsiString& fileName, DWORD error) {
    throw EFCreateError("Cannot create file \"" + fileName + "\". " + SysErrorMessage(error));
}

}  // namespace

int Win32Platform = static_cast<int>(kVersion.dwPlatformId);
int Win32MajorVersion = static_cast<int>(kVersion.dwMajorVersion);
int Win32MinorVersion = static_cast<int>(kVersion.dwMinorVersion);
int Win32BuildNumber = static_cast<int>(kVersion.dwBuildNumber & 0xFFFF);
void* HInstance = GetModuleHandleA(nullptr);

AnsiString ExtractFilePath(const AnsiString& fileName) {
    return fileName.SubString(1, fileName.LastDelimiter("\\/:"));
}

AnsiString ExtractFileDir(const AnsiString& fileName) {
    int end = fileName.LastDelimiter("\\/:");
    if (end > 1 && IsPathDelimiter(fileName[end]) && fileName[end - 1] != ':' &&
        !IsPathDelimiter(fileName[end - 1]))
        --end;
    return fileName.SubString(1, end);
}

AnsiString ExtractFileName(const AnsiString& fileName) {
    return fileName.SubString(fileName.LastDelimiter("\\/:") + 1, fileName.Length());
}

AnsiString ExtractFileExt(const AnsiString& fileName) {
    const int dot = fileName.LastDelimiter(".\\/:");
    if (dot > 0 && fileName[dot] == '.') return fileName.SubString(dot, fileName.Length());
    return AnsiString();
}

AnsiString ExtractFileDrive(const AnsiString& fileName) {
    if (fileName.Length() >= 2 && fileName[2] == ':') return fileName.SubString(1, 2);
    if (fileName.Length() >= 2 && IsPathDelimiter(fileName[1]) && IsPathDelimiter(fileName[2])) {
        // \\server\share: up to the delimiter after the share name.
        int delimiters = 0;
        for (int i = 3; i <= fileName.Length(); ++i)
            if (IsPathDelimiter(fileName[i]) && ++delimiters == 2)
                return fileName.SubString(1, i - 1);
        return fileName;
    }
    return AnsiString();
}

AnsiString ChangeFileExt(const AnsiString& fileName, const AnsiString& extension) {
    int dot = fileName.LastDelimiter(".\\/:");
    if (dot == 0 || fileName[dot] != '.') dot = fileName.Length() + 1;
    return fileName.SubString(1, dot - 1) + extension;
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& path) {
    if (!path.IsEmpty() && IsPathDelimiter(path[path.Length()])) return path;
    return path + "\\";
}

AnsiString ExcludeTrailingPathDelimiter(const AnsiString& path) {
    if (!path.IsEmpty() && IsPathDelimiter(path[path.Length()]))
        return path.SubString(1, path.Length() - 1);
    return path;
}

AnsiString ExpandFileName(const AnsiString& fileName) {
    char buffer[MAX_PATH];
    char* namePart = nullptr;
    const DWORD length = GetFullPathNameA(fileName.c_str(), MAX_PATH, buffer, &namePart);
    if (length == 0 || length >= MAX_PATH) return fileName;
    return AnsiString(buffer, static_cast<int>(length));
}

bool FileExists(const AnsiString& fileName) {
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const AnsiString& directory) {
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const AnsiString& directory) {
    const AnsiString dir = ExcludeTrailingPathDelimiter(directory);
    if (dir.IsEmpty()) return false;
    if (DirectoryExists(dir) || dir == ExtractFileDrive(dir)) return true;
    const AnsiString parent = ExtractFilePath(dir);
    if (!parent.IsEmpty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDirectoryA(dir.c_str(), nullptr) || DirectoryExists(dir);
}

bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
    return MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

AnsiString GetCurrentDir() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return AnsiString(buffer, length < MAX_PATH ? static_cast<int>(length) : 0);
}

bool SetCurrentDir(const AnsiString& directory) {
    return SetCurrentDirectoryA(directory.c_str()) != 0;
}

void WriteFileWhole(const AnsiString& fileName, const void* data, size_t size) {
    const AnsiString temporary = fileName + ".tmp~";
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) RaiseCreateError(fileName, GetLastError());
        DWORD written = 0;
        const bool ok = WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
                        written == size;
        const DWORD error = GetLastError();
        file.Close();
        if (!ok) {
            DeleteFileA(temporary.c_str());
            RaiseCreateError(fileName, error);
        }
    }
    if (!MoveFileExA(temporary.c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        RaiseCreateError(fileName, error);
    }
}

AnsiString ExeFileName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return AnsiString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

bool IsWindowsNT() { return Win32Platform == VER_PLATFORM_WIN32_NT; }

bool CheckWin32Version(int major, int minor) {
    return Win32MajorVersion > major || (Win32MajorVersion == major && Win32MinorVersion >= minor);
}

void* SafeLoadLibrary(const AnsiString& fileName) {
    const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(fileName.c_str());
    SetErrorMode(previous);
    return module;
}

AnsiString SysErrorMessage(unsigned long errorCode) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
            FORMAT_MESSAGE_ARGUMENT_ARRAY,
        nullptr, errorCode, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&text), 0, nullptr);
    AnsiString message = length ? AnsiString(text, static_cast<int>(length)) : AnsiString();
    if (text) LocalFree(text);
    return TrimRight(message);
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(unsigned long errorCode) {
    if (errorCode == 0) throw EOSError("A call to an OS function failed", 0);
    throw EOSError("System Error.  Code: " + IntToStr(static_cast<long long>(errorCode)) + ".\r\n" +
                       SysErrorMessage(errorCode),
                   errorCode);
}

int ResourceModuleCount() { return static_cast<int>(ResourceModules().size()); }

void* ResourceModule(int index) { return ResourceModules().at(index); }

void AddResourceModule(void* module) {
    ResourceModules().push_back(static_cast<HMODULE>(module));
}

namespace {

template <class Loader> void* FromResourceModules(Loader load) {
    for (HMODULE module : ResourceModules())
        if (void* handle = load(module)) return handle;
    return nullptr;
}

}  // namespace

void* LoadBitmapResource(const AnsiString& name) {
    return FromResourceModules([&](HMODULE m) {
        return LoadImageA(m, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    });
}

void* LoadBitmapResource(int id) {
    return FromResourceModules([&](HMODULE m) {
        return LoadImageA(m, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    });
}

void* LoadCursorResource(const AnsiString& name) {
    return FromResourceModules([&](HMODULE m) -> void* { return LoadCursorA(m, name.c_str()); });
}
