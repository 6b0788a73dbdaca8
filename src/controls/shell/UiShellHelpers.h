// Services the shell tree, list and combo share: the default key bindings, new folders with
// unique names, the folder test, scrolling and window services, and item display names.
#pragma once

#include "UiShellIntf.h"
#include "cl_controls.h"
#include "cl_menus.h"

// A default key binding: its text and the shortcut made of it (0 until InitDefaultKeys).
struct TUiShellControlDefKeyRec {
    AnsiString Text;
    TShortCut ShortCut = 0;
};

// Select all, delete, copy, cut, paste, refresh, rename, in this order.
enum TUiShellDefaultKey {
    dkSelectAll, dkDelete, dkCopy, dkCut, dkPaste, dkRefresh, dkRename, dkCount
};
extern TUiShellControlDefKeyRec DefaultKeys[dkCount];
// Turns the table's texts into shortcuts, once.
void InitDefaultKeys();
// A key text such as "Ctrl+Shift+F5" or "^F5"; 0 when it names no key.
TShortCut ShellKeyTextToShortCut(const AnsiString& text);

// Makes a uniquely named new folder in the path (the current directory when empty) and
// answers its name; a failure is shown to the user and answered false.
bool UiShCreateNewFolder(const AnsiString& path, AnsiString& name);
// Whether the attributes make a folder; on shells from 6.0 on, stream folders (ZIP files)
// only when asked for.
bool UiShIsFolder(ULONG attributes, bool includeStreamFolders);

// Raises Exception with the system's text for the error code.
[[noreturn]] void RaiseSysError(DWORD code);
// Sets or clears style bits; writes only a changed style. Answers the old style (0 without a
// window).
LONG ChangeWindowStyle(HWND window, LONG bits, bool set);
// Sends the control one scroll of the bar (SB_HORZ or SB_VERT) when it can scroll there;
// whether the position moved.
bool ScrollOneStep(TWinControl* control, int bar, WORD code);
// Scrolls as the wheel setting says: one page, or the wheel's lines (one step horizontally).
bool ScrollByWheel(TWinControl* control, int bar, WORD lineCode, WORD pageCode);
void WaitWithHourglass(DWORD milliseconds);
// The window handle of the form the control is on, or null when it is on none: the owner of
// the shell's own windows.
HWND GetTopFormHandle(TControl* control);
// The folder's name of the item; empty when the folder has none.
void GetItemDisplayName(IShellFolder_NRC* folder, LPCITEMIDLIST item, DWORD flags,
                        AnsiString& text);

// Whether the control may add an item of the folder: AllowAdd comes in true.
using TUiShAddItemEvent = std::function<void(TObject* sender, IShellFolder_NRC* parentFolder,
                                             LPCITEMIDLIST parentAbsIdList,
                                             LPCITEMIDLIST itemRelIdList, ULONG attributes,
                                             bool& allowAdd)>;

// The shell controls' private messages: a watched directory changed (posted by the change
// thread), the deferred rename of a new folder, the deferred first fill.
constexpr UINT AM_CHANGENOTIFY = WM_USER + 101;
constexpr UINT AM_DEFERREDEDIT = WM_USER + 102;
constexpr UINT AM_DEFERREDFILL = WM_USER + 103;

// Critical-error boxes (a drive without its medium) stay away while the guard lives.
class TQuietErrorMode {
public:
    TQuietErrorMode() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~TQuietErrorMode() { SetErrorMode(previous_); }
    TQuietErrorMode(const TQuietErrorMode&) = delete;
    TQuietErrorMode& operator=(const TQuietErrorMode&) = delete;

private:
    UINT previous_;
};

// Counts a nesting level up for as long as the guard lives.
class TNestingGuard {
public:
    explicit TNestingGuard(int& counter) : counter_(counter) { ++counter_; }
    ~TNestingGuard() { --counter_; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    int& counter_;
};

extern const char* const SUiShNewFolder;              // New Folder
extern const char* const SUiShUnableToCreateFolder;  // Unable to create the folder '%2'\n\n%1
