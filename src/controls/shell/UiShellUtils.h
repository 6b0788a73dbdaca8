// Free functions over the shell namespace: system and shell versions, the shell's allocator,
// paths, item identifier lists (PIDLs), display names, special folders and system icons.
#pragma once

#include <cstdint>
#include <string>

#include "UiShellIntf.h"
#include "cl_string.h"

// The special folders by their CSIDL number; the placeholders stand for unassigned numbers.
enum TCSIDL : std::uint8_t {
    csidlDesktop, csidl_None1, csidlPrograms, csidlControls, csidlPrinters, csidlPersonal,
    csidlFavorites, csidlStartup, csidlRecent, csidlSendTo, csidlBitBucket, csidlStartMenu,
    csidl_None2, csidl_None3, csidl_None4, csidl_None5, csidlDesktopDirectory, csidlDrives,
    csidlNetwork, csidlNethood, csidlFonts, csidlTemplates, csidlCommonStartMenu,
    csidlCommonPrograms, csidlCommonStartup, csidlCommonDesktopDirectory, csidlAppData,
    csidlPrintHood, csidlLocalAppData, csidlAltStartup, csidlCommonAltStartup,
    csidlCommonFavorites, csidlInternetCache, csidlCookies, csidlHistory, csidlCommonAppData,
    csidlWindows, csidlSystem, csidlProgramFiles, csidlMyPictures, csidlProfile, csidlSystemX86,
    csidlProgramFilesX86, csidlProgramFilesCommon, csidlProgramFilesCommonX86,
    csidlCommonTemplates, csidlCommonDocuments, csidlCommonAdminTools, csidlAdminTools,
    csidlConnections, csidlNone
};

// Which display name to ask a folder for.
enum TUiFriendlyNameFlags { fnNormal, fnInFolder, fnForParsing, fnForEditing };
enum TUiShellIconSize { iszSmall, iszLarge };

// The fixed file version of a module: Low = build << 16 | private part, High = major << 16 |
// minor; compared as one unsigned 64-bit number, High first.
struct TUiModuleVersion {
    DWORD Low = 0;
    DWORD High = 0;
    std::uint64_t Value() const { return (std::uint64_t{High} << 32) | Low; }
};
inline bool operator<(const TUiModuleVersion& a, const TUiModuleVersion& b) {
    return a.Value() < b.Value();
}
inline bool operator==(const TUiModuleVersion& a, const TUiModuleVersion& b) {
    return a.Value() == b.Value();
}

// The system's family and version.
bool IsWin95();
bool IsOSR2OrGreater();
bool IsWinNT();
bool IsWin2000();
bool HasWin95Shell();

// Reads the file's version resource; false (the record untouched) when it has none.
bool GetModuleVersion(const AnsiString& fileName, TUiModuleVersion& version);
// The versions of "comctl32.dll" and "shell32.dll", read at start-up; zeros when unreadable.
extern TUiModuleVersion COMCTL32_VER;
extern TUiModuleVersion SHELL32_VER;
// The High word pair of a version major.minor, for comparisons with a version's High.
constexpr DWORD ModuleVersionHigh(WORD major, WORD minor) {
    return (static_cast<DWORD>(major) << 16) | minor;
}

// Raises EOleSysError with the system's text when the result is a failure.
void OleCheck(HRESULT result);
// The text as UTF-16, cut to at most maxChars characters.
std::wstring ShellWideText(const AnsiString& text, int maxChars);
AnsiString ShellAnsiText(const wchar_t* text);

// The shell's task allocator: the memory of every PIDL these functions hand out.
void* ShellMemAlloc(ULONG size);
// Null for a null pointer, without asking the allocator.
void* ShellMemRealloc(void* p, ULONG size);
void ShellMemFree(void* p);
// The allocator itself; no reference is added.
IMalloc_NRC* ShellIMalloc();

// An interface pointer released when the guard goes.
template <class T> class TUiInterfaceGuard {
public:
    TUiInterfaceGuard() = default;
    TUiInterfaceGuard(const TUiInterfaceGuard&) = delete;
    TUiInterfaceGuard& operator=(const TUiInterfaceGuard&) = delete;
    ~TUiInterfaceGuard() {
        if (interface_) interface_->Release();
    }
    T*& Out() { return interface_; }
    void** OutVoid() { return reinterpret_cast<void**>(&interface_); }
    T* Get() const { return interface_; }
    T* operator->() const { return interface_; }

private:
    T* interface_ = nullptr;
};

// A PIDL of the shell's allocator, freed when the guard goes.
class TUiPidlGuard {
public:
    TUiPidlGuard() = default;
    explicit TUiPidlGuard(LPITEMIDLIST pidl) : pidl_(pidl) {}
    TUiPidlGuard(const TUiPidlGuard&) = delete;
    TUiPidlGuard& operator=(const TUiPidlGuard&) = delete;
    ~TUiPidlGuard();
    LPITEMIDLIST& Out() { return pidl_; }
    LPITEMIDLIST Get() const { return pidl_; }
    // Hands the PIDL over to the caller.
    LPITEMIDLIST Release() {
        LPITEMIDLIST pidl = pidl_;
        pidl_ = nullptr;
        return pidl;
    }

private:
    LPITEMIDLIST pidl_ = nullptr;
};

// Folders and PIDLs. Folders returned are the caller's to release, PIDLs the caller's to free
// with ShellMemFree. A null or empty PIDL is the desktop.
HRESULT ShellGetDesktopFolder(IShellFolder_NRC*& folder);
HRESULT ShellGetFolderFromIdList(LPCITEMIDLIST pidl, IShellFolder_NRC*& folder);
HRESULT ShellGetIdListFromPath(const AnsiString& path, LPITEMIDLIST& pidl);
// The file-system path; empty when the item has none.
AnsiString ShellGetPathFromIdList(LPCITEMIDLIST pidl);
// The path parsed by the shell and turned back into a file-system path; empty on failure.
AnsiString ShellGetDisplayPathName(const AnsiString& path);
AnsiString ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl);
HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, LPITEMIDLIST& pidl);
// The first special folder that the PIDL designates, or csidlNone.
TCSIDL ShellFindCSIDLFromIdList(LPCITEMIDLIST pidl);
// Raises EOleSysError when the special folder cannot be had.
bool ShellCSIDLEqualsIdList(LPCITEMIDLIST pidl, TCSIDL csidl);

// Display names; empty when the shell has none. Without a folder the PIDL is absolute.
AnsiString ShellGetFriendlyNameFromIdList(IShellFolder_NRC* folder, LPCITEMIDLIST pidl,
                                          TUiFriendlyNameFlags flags);
// The in-folder name of the absolute PIDL's last item.
AnsiString ShellGetFriendlyNameForLastIdListElement(LPCITEMIDLIST pidl);
AnsiString StrretToString(LPCITEMIDLIST pidl, const TStrRet& strret);
void StrretFree(TStrRet& strret);

// System icon indexes (0 when the shell has none) and the system image lists.
int ShellGetIconIndex(LPCITEMIDLIST pidl, UINT extraFlags);
int ShellGetIconIndexFromPath(const AnsiString& path, UINT extraFlags);
// The file need not exist: only its extension counts.
int ShellGetIconIndexFromExt(const AnsiString& fileNameOrExt, UINT extraFlags);
int ShellGetSpecialFolderIconIndex(TCSIDL csidl, UINT extraFlags);
HIMAGELIST ShellGetSystemImageList(TUiShellIconSize size);

// Byte-level PIDL operations.
// Null and the terminator alone are the desktop.
inline bool IsDesktopIdList(LPCITEMIDLIST pidl) { return !pidl || pidl->mkid.cb == 0; }
// The item after the given one (the terminator after the last).
inline LPCITEMIDLIST NextIdListItem(LPCITEMIDLIST pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(reinterpret_cast<const BYTE*>(pidl) + pidl->mkid.cb);
}
// Bytes including the two-byte terminator; 0 for no PIDL.
UINT IdListLen(LPCITEMIDLIST pidl);
// 0 when both designate the same item; callers test for 0 only. MaxInt when the shell
// cannot compare them.
int CompareAbsIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b);
constexpr int kCannotCompareIdLists = 2147483647;
// New PIDLs from the given allocator, or the shell's when none; null when allocation fails.
LPITEMIDLIST ConcatIdLists(IMalloc_NRC* malloc, LPCITEMIDLIST a, LPCITEMIDLIST b);
LPITEMIDLIST CopyIdList(IMalloc_NRC* malloc, LPCITEMIDLIST pidl);

// S with C appended unless it already ends with C (a double-byte character's trail byte never
// counts as C); an empty S stays empty.
AnsiString EnsureTrailingCharDB(const AnsiString& s, char c);
