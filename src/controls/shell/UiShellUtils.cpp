#include "UiShellUtils.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "UiShellPidls.h"
#include "cl_except.h"
#include "cl_sys.h"

namespace {

TUiModuleVersion ReadModuleVersion(const char* fileName) {
    TUiModuleVersion version;
    GetModuleVersion(fileName, version);
    return version;
}

// The shell's allocator, taken once COM runs for the subsystem.
IMalloc_NRC* UnitMalloc() {
    static IMalloc_NRC* const malloc = [] {
        ShellComStartup();
        IMalloc_NRC* result = nullptr;
        SHGetMalloc(&result);
        return result;
    }();
    return malloc;
}

using TFolderGuard = TUiInterfaceGuard<IShellFolder_NRC>;
using TPidlGuard = TUiPidlGuard;

const ITEMIDLIST kDesktopIdList{};

LPCITEMIDLIST OrDesktop(LPCITEMIDLIST pidl) { return pidl ? pidl : &kDesktopIdList; }

UINT DisplayNameFlags(TUiFriendlyNameFlags flags) {
    switch (flags) {
        case fnInFolder: return SHGDN_INFOLDER;
        case fnForParsing: return SHGDN_FORPARSING;
        case fnForEditing: return SHGDN_FOREDITING | SHGDN_INFOLDER;
        default: return SHGDN_NORMAL;
    }
}

// Asks for the display name with the record's kind preset; empty when the folder fails.
bool TryDisplayName(IShellFolder_NRC* folder, LPCITEMIDLIST pidl, UINT flags, UINT presetKind,
                    AnsiString& name) {
    TStrRet strret{};
    strret.uType = presetKind;
    if (FAILED(folder->GetDisplayNameOf(pidl, flags, &strret))) return false;
    name = StrretToString(pidl, strret);
    StrretFree(strret);
    return true;
}

int FileInfo(const char* path, DWORD attributes, UINT flags) {
    SHFILEINFOA info;
    std::memset(&info, 0, sizeof(info));
    return SHGetFileInfoA(path, attributes, &info, sizeof(info), flags) ? info.iIcon : 0;
}

DWORD_PTR SystemImageList(UINT sizeFlag) {
    SHFILEINFOA info;
    std::memset(&info, 0, sizeof(info));
    DWORD_PTR list =
        SHGetFileInfoA("C:\\", 0, &info, sizeof(info), sizeFlag | SHGFI_SYSICONINDEX);
    if (!list)
        list = SHGetFileInfoA(reinterpret_cast<const char*>(&kDesktopIdList), 0, &info,
                              sizeof(info), sizeFlag | SHGFI_SYSICONINDEX | SHGFI_PIDL);
    return list;
}

// Shell32's icon resource at the given size added to the list as the given overlay.
void AddOverlay(HMODULE shell32, int resource, int size, HIMAGELIST list, int overlay) {
    HICON icon = static_cast<HICON>(
        LoadImageA(shell32, MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, 0));
    if (!icon) return;
    const int index = ImageList_AddIcon(list, icon);
    if (index >= 0) ImageList_SetOverlayImage(list, index, overlay);
    DestroyIcon(icon);
}

bool overlaysInstalled = false;

void InstallOverlays() {
    HMODULE shell32 = LoadLibraryA("shell32.dll");
    if (!shell32) return;
    const auto small = reinterpret_cast<HIMAGELIST>(SystemImageList(SHGFI_SMALLICON));
    const auto large = reinterpret_cast<HIMAGELIST>(SystemImageList(SHGFI_LARGEICON));
    for (int overlay = 1; overlay <= 2; ++overlay) {
        const int resource = 28 + overlay;
        if (small) AddOverlay(shell32, resource, 16, small, overlay);
        if (large) AddOverlay(shell32, resource, 32, large, overlay);
    }
    overlaysInstalled = true;
    FreeLibrary(shell32);
}

}  // namespace

TUiModuleVersion COMCTL32_VER = ReadModuleVersion("comctl32.dll");
TUiModuleVersion SHELL32_VER = ReadModuleVersion("shell32.dll");

bool IsWin95() { return Win32Platform == VER_PLATFORM_WIN32_WINDOWS; }

bool IsOSR2OrGreater() { return IsWin95() && Win32BuildNumber > 1000; }

bool IsWinNT() { return IsWindowsNT(); }

bool IsWin2000() { return IsWinNT() && Win32MajorVersion > 4; }

bool HasWin95Shell() { return IsWin95() || (IsWinNT() && Win32MajorVersion > 3); }

bool GetModuleVersion(const AnsiString& fileName, TUiModuleVersion& version) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, data.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return false;
    version.Low = info->dwFileVersionLS;
    version.High = info->dwFileVersionMS;
    return true;
}

void OleCheck(HRESULT result) {
    if (FAILED(result)) throw EOleSysError(AnsiString(), result);
}

std::wstring ShellWideText(const AnsiString& text, int maxChars) {
    std::wstring wide(text.Length() + 1, L'\0');
    const int count =
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), text.Length(), &wide[0], text.Length());
    wide.resize(count < maxChars ? count : maxChars);
    return wide;
}

AnsiString ShellAnsiText(const wchar_t* text) {
    if (!text || !*text) return AnsiString();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], size, nullptr, nullptr);
    return AnsiString(result.c_str());
}

void* ShellMemAlloc(ULONG size) { return UnitMalloc()->Alloc(size); }

void* ShellMemRealloc(void* p, ULONG size) { return p ? UnitMalloc()->Realloc(p, size) : nullptr; }

TUiPidlGuard::~TUiPidlGuard() { ShellMemFree(pidl_); }

void ShellMemFree(void* p) {
    if (p) UnitMalloc()->Free(p);
}

IMalloc_NRC* ShellIMalloc() { return UnitMalloc(); }

HRESULT ShellGetDesktopFolder(IShellFolder_NRC*& folder) {
    ShellComStartup();
    return SHGetDesktopFolder(&folder);
}

HRESULT ShellGetFolderFromIdList(LPCITEMIDLIST pidl, IShellFolder_NRC*& folder) {
    folder = nullptr;
    IShellFolder_NRC* desktop = nullptr;
    const HRESULT result = ShellGetDesktopFolder(desktop);
    if (FAILED(result)) return result;
    if (IsDesktopIdList(pidl)) {
        folder = desktop;
        return result;
    }
    const HRESULT bound = desktop->BindToObject(pidl, nullptr, IID_IShellFolder,
                                                reinterpret_cast<void**>(&folder));
    desktop->Release();
    return bound;
}

HRESULT ShellGetIdListFromPath(const AnsiString& path, LPITEMIDLIST& pidl) {
    pidl = nullptr;
    TFolderGuard desktop;
    const HRESULT result = ShellGetDesktopFolder(desktop.Out());
    if (FAILED(result)) return result;
    std::wstring wide = ShellWideText(path, MAX_PATH);
    ULONG eaten = 0;
    return desktop->ParseDisplayName(nullptr, nullptr, &wide[0], &eaten, &pidl, nullptr);
}

AnsiString ShellGetPathFromIdList(LPCITEMIDLIST pidl) {
    char path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(OrDesktop(pidl), path)) return AnsiString();
    return AnsiString(path);
}

AnsiString ShellGetDisplayPathName(const AnsiString& path) {
    TPidlGuard pidl;
    if (FAILED(ShellGetIdListFromPath(path, pidl.Out())) || !pidl.Get()) return AnsiString();
    char buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(pidl.Get(), buffer)) return AnsiString();
    return AnsiString(buffer);
}

AnsiString ShellGetSpecialFolderPath(HWND owner, TCSIDL csidl) {
    TPidlGuard pidl;
    if (FAILED(ShellGetSpecialFolderIdList(owner, csidl, pidl.Out()))) return AnsiString();
    return ShellGetPathFromIdList(pidl.Get());
}

HRESULT ShellGetSpecialFolderIdList(HWND owner, TCSIDL csidl, LPITEMIDLIST& pidl) {
    ShellComStartup();
    pidl = nullptr;
    return SHGetSpecialFolderLocation(owner, csidl, &pidl);
}

TCSIDL ShellFindCSIDLFromIdList(LPCITEMIDLIST pidl) {
    for (int number = csidlDesktop; number <= csidlNone; ++number) {
        TPidlGuard special;
        if (FAILED(ShellGetSpecialFolderIdList(nullptr, static_cast<TCSIDL>(number),
                                               special.Out())))
            continue;
        if (CompareAbsIdLists(special.Get(), pidl) == 0) return static_cast<TCSIDL>(number);
    }
    return csidlNone;
}

bool ShellCSIDLEqualsIdList(LPCITEMIDLIST pidl, TCSIDL csidl) {
    TPidlGuard special;
    OleCheck(ShellGetSpecialFolderIdList(nullptr, csidl, special.Out()));
    return CompareAbsIdLists(pidl, special.Get()) == 0;
}

AnsiString ShellGetFriendlyNameFromIdList(IShellFolder_NRC* folder, LPCITEMIDLIST pidl,
                                          TUiFriendlyNameFlags flags) {
    if (!folder) {
        TFolderGuard desktop;
        if (FAILED(ShellGetDesktopFolder(desktop.Out()))) return AnsiString();
        return ShellGetFriendlyNameFromIdList(desktop.Get(), pidl, flags);
    }
    const UINT nameFlags = DisplayNameFlags(flags);
    AnsiString name;
    if (!TryDisplayName(folder, pidl, nameFlags, STRRET_WSTR, name))
        TryDisplayName(folder, pidl, nameFlags, STRRET_CSTR, name);
    return name;
}

AnsiString ShellGetFriendlyNameForLastIdListElement(LPCITEMIDLIST pidl) {
    TFolderGuard desktop;
    if (FAILED(ShellGetDesktopFolder(desktop.Out()))) return AnsiString();
    TUiIdListArray items(pidl);
    const int count = items.GetCount();
    if (count <= 1) return ShellGetFriendlyNameFromIdList(desktop.Get(), pidl, fnInFolder);
    TFolderGuard parent;
    OleCheck(desktop->BindToObject(items.GoUp(1), nullptr, IID_IShellFolder,
                                   reinterpret_cast<void**>(&parent.Out())));
    return ShellGetFriendlyNameFromIdList(parent.Get(), items.GetItem(count - 1), fnInFolder);
}

AnsiString StrretToString(LPCITEMIDLIST pidl, const TStrRet& strret) {
    switch (strret.uType) {
        case STRRET_WSTR: return ShellAnsiText(strret.pOleStr);
        case STRRET_OFFSET:
            if (!pidl) return AnsiString();
            return AnsiString(reinterpret_cast<const char*>(pidl) + strret.uOffset);
        case STRRET_CSTR: {
            const char* text = strret.cStr;
            return AnsiString(text, static_cast<int>(strnlen(text, sizeof(strret.cStr))));
        }
        default: return AnsiString();
    }
}

void StrretFree(TStrRet& strret) {
    if (strret.uType == STRRET_WSTR && strret.pOleStr) {
        CoTaskMemFree(strret.pOleStr);
        strret.pOleStr = nullptr;
    }
}

int ShellGetIconIndex(LPCITEMIDLIST pidl, UINT extraFlags) {
    return FileInfo(reinterpret_cast<const char*>(OrDesktop(pidl)), 0,
                    extraFlags | SHGFI_SYSICONINDEX | SHGFI_PIDL);
}

int ShellGetIconIndexFromPath(const AnsiString& path, UINT extraFlags) {
    return FileInfo(path.c_str(), 0, extraFlags | SHGFI_SYSICONINDEX);
}

int ShellGetIconIndexFromExt(const AnsiString& fileNameOrExt, UINT extraFlags) {
    return FileInfo(fileNameOrExt.c_str(), 0,
                    extraFlags | SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
}

int ShellGetSpecialFolderIconIndex(TCSIDL csidl, UINT extraFlags) {
    TPidlGuard pidl;
    OleCheck(ShellGetSpecialFolderIdList(nullptr, csidl, pidl.Out()));
    return ShellGetIconIndex(pidl.Get(), extraFlags);
}

HIMAGELIST ShellGetSystemImageList(TUiShellIconSize size) {
    if (!overlaysInstalled && IsWinNT() && COMCTL32_VER.High >= ModuleVersionHigh(4, 71))
        InstallOverlays();
    return reinterpret_cast<HIMAGELIST>(
        SystemImageList(size == iszSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON));
}

UINT IdListLen(LPCITEMIDLIST pidl) {
    if (!pidl) return 0;
    UINT length = sizeof(USHORT);
    for (LPCITEMIDLIST item = pidl; item->mkid.cb; item = NextIdListItem(item))
        length += item->mkid.cb;
    return length;
}

int CompareAbsIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    if (!a || !b) return a == b ? 0 : -1;
    if (IsDesktopIdList(a) || IsDesktopIdList(b))
        return IsDesktopIdList(a) == IsDesktopIdList(b) ? 0 : -1;
    TFolderGuard desktop;
    if (FAILED(ShellGetDesktopFolder(desktop.Out()))) return kCannotCompareIdLists;
    const HRESULT result = desktop->CompareIDs(0, a, b);
    if (FAILED(result)) return kCannotCompareIdLists;
    return static_cast<short>(HRESULT_CODE(result));
}

LPITEMIDLIST ConcatIdLists(IMalloc_NRC* malloc, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const UINT lengthA = a ? IdListLen(a) - sizeof(USHORT) : 0;
    const UINT lengthB = b ? IdListLen(b) - sizeof(USHORT) : 0;
    const UINT size = lengthA + lengthB + sizeof(USHORT);
    void* memory = malloc ? malloc->Alloc(size) : ShellMemAlloc(size);
    if (!memory) return nullptr;
    BYTE* bytes = static_cast<BYTE*>(memory);
    if (lengthA) std::memcpy(bytes, a, lengthA);
    if (lengthB) std::memcpy(bytes + lengthA, b, lengthB);
    std::memset(bytes + lengthA + lengthB, 0, sizeof(USHORT));
    return static_cast<LPITEMIDLIST>(memory);
}

LPITEMIDLIST CopyIdList(IMalloc_NRC* malloc, LPCITEMIDLIST pidl) {
    return ConcatIdLists(malloc, pidl, nullptr);
}

AnsiString EnsureTrailingCharDB(const AnsiString& s, char c) {
    if (s.IsEmpty()) return s;
    int last = 1;
    for (int i = 1; i <= s.Length(); i += IsDBCSLeadByte(static_cast<BYTE>(s[i])) ? 2 : 1)
        last = i;
    const bool endsInDoubleByte = last < s.Length();
    if (!endsInDoubleByte && s[s.Length()] == c) return s;
    return s + c;
}
