// File-name parts, folders, whole-file writes and system error texts.
#include "cl_sys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

TEST(FileNames, PartsOfAPath) {
    struct Case {
        const char* name;
        const char* path;
        const char* file;
        const char* ext;
        const char* drive;
        const char* dir;
    };
    const Case cases[] = {
        {"C:\\Radon\\Monitor.exe", "C:\\Radon\\", "Monitor.exe", ".exe", "C:", "C:\\Radon"},
        {"C:\\Monitor", "C:\\", "Monitor", "", "C:", "C:\\"},
        {"C:file.ini", "C:", "file.ini", ".ini", "C:", "C:"},
        {"\\\\server\\share\\a.b\\file", "\\\\server\\share\\a.b\\", "file", "",
         "\\\\server\\share", "\\\\server\\share\\a.b"},
        {"report.tar.gz", "", "report.tar.gz", ".gz", "", ""},
        {"", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
        EXPECT_EQ(ExtractFileName(c.name), c.file);
        EXPECT_EQ(ExtractFileExt(c.name), c.ext);
        EXPECT_EQ(ExtractFileDrive(c.name), c.drive);
        EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    }
}

TEST(FileNames, ChangeFileExtReplacesOnlyTheLastExtension) {
    EXPECT_EQ(ChangeFileExt("C:\\Radon\\Monitor.exe", ".INI"), "C:\\Radon\\Monitor.INI");
    EXPECT_EQ(ChangeFileExt("C:\\a.b\\noext", ".txt"), "C:\\a.b\\noext.txt");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ""), "x.tar");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
}

TEST(FileNames, ExecutablePathIsFull) {
    const AnsiString exe = ExeFileName();
    EXPECT_TRUE(SameText(ExtractFileExt(exe), ".exe")) << exe.c_str();
    EXPECT_FALSE(ExtractFileDrive(exe).IsEmpty());
    EXPECT_TRUE(FileExists(exe));
    EXPECT_NE(HInstance, nullptr);
    EXPECT_EQ(ResourceModule(0), HInstance);
}

TEST(Folders, ForceDirectoriesCreatesEveryLevel) {
    TempFolder folder;
    const AnsiString deep = folder.Path("one\\two\\three");
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(deep));
    EXPECT_TRUE(ForceDirectories(deep + "\\"));

    const AnsiString previous = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(deep));
    EXPECT_TRUE(SameText(IncludeTrailingPathDelimiter(GetCurrentDir()), deep + "\\"));
    EXPECT_TRUE(SameText(ExpandFileName("x.txt"), deep + "\\x.txt"));
    SetCurrentDir(previous);
}

TEST(Files, WriteFileWholeReplacesContentsAndLeavesNoTemporary) {
    TempFolder folder;
    const AnsiString name = folder.Path("whole.txt");
    WriteFileWhole(name, "first", 5);
    WriteFileWhole(name, "second", 6);
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[16];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(buffer, read), "second");
    EXPECT_FALSE(FileExists(name + ".tmp~"));
    EXPECT_THROW(WriteFileWhole(folder.Path("none\\x.txt"), "x", 1), EFCreateError);
}

TEST(System, ErrorTextsAndLibraries) {
    EXPECT_FALSE(SysErrorMessage(ERROR_FILE_NOT_FOUND).IsEmpty());
    EXPECT_NE(SysErrorMessage(ERROR_FILE_NOT_FOUND)[SysErrorMessage(ERROR_FILE_NOT_FOUND).Length()],
              '\n');
    try {
        SetLastError(ERROR_ACCESS_DENIED);
        RaiseLastOSError();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<unsigned long>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(e.Message().Pos("System Error.  Code: 5.\r\n"), 1);
    }
    EXPECT_EQ(SafeLoadLibrary("no_such_library_here.dll"), nullptr);
    void* kernel = SafeLoadLibrary("kernel32.dll");
    EXPECT_NE(kernel, nullptr);
    FreeLibrary(static_cast<HMODULE>(kernel));
    EXPECT_TRUE(IsWindowsNT());
    EXPECT_TRUE(CheckWin32Version(5, 0));
    EXPECT_FALSE(CheckWin32Version(99, 0));
}

}  // namespace
