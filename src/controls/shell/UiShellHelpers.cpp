#include "UiShellHelpers.h"

#include "UiShellStrings.h"
#include "UiShellUtils.h"
#include "cl_dialogs.h"
#include "cl_forms.h"
#include "cl_hourglass.h"
#include "cl_sys.h"

const char* const SUiShNewFolder = "New Folder";
const char* const SUiShUnableToCreateFolder = "Unable to create the folder '%2'\n\n%1";

TUiShellControlDefKeyRec DefaultKeys[dkCount] = {
    {"Ctrl+A"}, {"Del"}, {"Ctrl+C"}, {"Ctrl+X"}, {"Ctrl+V"}, {"F5"}, {"F2"}};

namespace {

bool defaultKeysParsed = false;

struct TKeyPrefix {
    const char* text;
    TShortCut bit;
};
constexpr TKeyPrefix kKeyPrefixes[] = {
    {"Shift+", scShift}, {"^", scCtrl}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};

constexpr int kFirstKeyCode = 8;
constexpr int kLastKeyCode = 0x255;

AnsiString KeyName(int code) {
    const int key = code & 0xFF;
    static const char* const kNavigation[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                              "Left",  "Up",   "Right", "Down"};
    switch (key) {
        case VK_BACK: return "BkSp";
        case VK_TAB: return "Tab";
        case VK_RETURN: return "Enter";
        case VK_ESCAPE: return "Esc";
        case VK_INSERT: return "Ins";
        case VK_DELETE: return "Del";
        default: break;
    }
    if (key >= VK_SPACE && key <= VK_DOWN) return kNavigation[key - VK_SPACE];
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return AnsiString(static_cast<char>(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return AnsiString(static_cast<char>('0' + key - VK_NUMPAD0));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    return "#" + IntToStr(key);
}

bool StripKeyPrefix(AnsiString& rest, TShortCut& modifiers) {
    for (const TKeyPrefix& prefix : kKeyPrefixes) {
        const int length = static_cast<int>(strlen(prefix.text));
        if (SameText(rest.SubString(1, length), prefix.text)) {
            modifiers |= prefix.bit;
            rest = rest.SubString(length + 1, rest.Length());
            return true;
        }
    }
    return false;
}

void WarnFolderNotCreated(DWORD error, const AnsiString& name) {
    MessageDlg(FormatStrPos(SUiShUnableToCreateFolder, {SysErrorMessage(error), name}),
               mtWarning, {mbOK}, 0);
}

enum class TFolderAttempt { Created, AllTaken, Failed };

// Tries the pass's 50 names in the folder; another error than "already exists" is shown and
// ends the attempt.
template <class NameOf>
TFolderAttempt TryFolderNames(const AnsiString& folder, NameOf nameOf, AnsiString& name) {
    for (int i = 1; i <= 50; ++i) {
        name = nameOf(i);
        if (CreateDirectoryA((folder + name).c_str(), nullptr)) return TFolderAttempt::Created;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS) continue;
        WarnFolderNotCreated(error, name);
        return TFolderAttempt::Failed;
    }
    return TFolderAttempt::AllTaken;
}

}  // namespace

TShortCut ShellKeyTextToShortCut(const AnsiString& text) {
    AnsiString rest = text;
    TShortCut modifiers = 0;
    while (StripKeyPrefix(rest, modifiers)) {
    }
    if (rest.IsEmpty()) return 0;
    for (int code = kFirstKeyCode; code <= kLastKeyCode; ++code)
        if (SameText(KeyName(code), rest)) return static_cast<TShortCut>(modifiers | code);
    return 0;
}

void InitDefaultKeys() {
    if (defaultKeysParsed) return;
    for (TUiShellControlDefKeyRec& key : DefaultKeys)
        key.ShortCut = ShellKeyTextToShortCut(key.Text);
    defaultKeysParsed = true;
}

bool UiShCreateNewFolder(const AnsiString& path, AnsiString& name) {
    const AnsiString folder = EnsureTrailingCharDB(path.IsEmpty() ? GetCurrentDir() : path, '\\');
    TFolderAttempt attempt = TryFolderNames(
        folder,
        [](int i) {
            return i == 1 ? AnsiString(SUiShNewFolder) : SUiShNewFolder + Format(" (%d)", i);
        },
        name);
    if (attempt == TFolderAttempt::AllTaken)
        attempt = TryFolderNames(
            folder, [](int i) { return i == 1 ? AnsiString("fldr") : "fldr" + IntToStr(i); },
            name);
    if (attempt == TFolderAttempt::Created) return true;
    if (attempt == TFolderAttempt::AllTaken)
        WarnFolderNotCreated(ERROR_ALREADY_EXISTS, SUiShNewFolder);
    name = AnsiString();
    return false;
}

bool UiShIsFolder(ULONG attributes, bool includeStreamFolders) {
    if (!(attributes & SFGAO_FOLDER)) return false;
    if (includeStreamFolders || SHELL32_VER.High < ModuleVersionHigh(6, 0)) return true;
    return !(attributes & SFGAO_STREAM);
}

void RaiseSysError(DWORD code) { throw Exception(SysErrorMessage(code)); }

LONG ChangeWindowStyle(HWND window, LONG bits, bool set) {
    if (!window) return 0;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG changed = set ? (style | bits) : (style & ~bits);
    if (changed != style) SetWindowLongA(window, GWL_STYLE, changed);
    return style;
}

bool ScrollOneStep(TWinControl* control, int bar, WORD code) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    HWND window = control->Handle();
    if (!GetScrollInfo(window, bar, &info)) return false;
    if (info.nMax - info.nMin - static_cast<int>(info.nPage) <= 0) return false;
    SendMessageA(window, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, code, 0);
    const int before = info.nPos;
    info.fMask = SIF_POS;
    GetScrollInfo(window, bar, &info);
    return info.nPos != before;
}

bool ScrollByWheel(TWinControl* control, int bar, WORD lineCode, WORD pageCode) {
    if (Mouse->IsWheelPageScroll()) {
        ScrollOneStep(control, bar, pageCode);
        return true;
    }
    const UINT lines = bar == SB_VERT ? Mouse->WheelScrollLines() : 1;
    for (UINT i = 0; i < lines; ++i) ScrollOneStep(control, bar, lineCode);
    return true;
}

void WaitWithHourglass(DWORD milliseconds) {
    THourglass hourglass;
    Sleep(milliseconds);
}

HWND GetTopFormHandle(TControl* control) {
    TControl* top = control;
    while (top && top->Parent()) top = top->Parent();
    auto* form = dynamic_cast<TCustomForm*>(top);
    return form ? form->Handle() : nullptr;
}

void GetItemDisplayName(IShellFolder_NRC* folder, LPCITEMIDLIST item, DWORD flags,
                        AnsiString& text) {
    TStrRet name{};
    text = AnsiString();
    if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) return;
    text = StrretToString(item, name);
    StrretFree(name);
}
