#include "UiShellMenus.h"

#include <commctrl.h>

#include <memory>

#include "UiShellLocator.h"
#include "UiShellPidls.h"
#include "UiShellUtils.h"
#include "cl_graphics.h"
#include "cl_hourglass.h"
#include "cl_sys.h"

namespace {

constexpr DWORD kAllDropEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

std::unique_ptr<TStringList>& SendToHolder() {
    static std::unique_ptr<TStringList> list;
    return list;
}

TStringList* RequireSendToList() {
    std::unique_ptr<TStringList>& list = SendToHolder();
    if (!list) {
        list = std::make_unique<TStringList>();
        list->SetSorted(true);
        list->SetDuplicates(dupIgnore);
    }
    return list.get();
}

// The context menu's second interface, when it has one.
class TContextMenu2 : public TUiInterfaceGuard<IContextMenu2_NRC> {
public:
    explicit TContextMenu2(IContextMenu_NRC* contextMenu) {
        if (contextMenu) contextMenu->QueryInterface(IID_IContextMenu2, OutVoid());
    }
    // Passes the message to the shell; false when the menu has no second interface.
    bool Forward(TMessage& message) {
        if (!Get()) return false;
        Get()->HandleMenuMsg(message.Msg, message.WParam, message.LParam);
        return true;
    }
};

// A popup menu destroyed with the guard.
class TMenuGuard {
public:
    TMenuGuard() : menu_(CreatePopupMenu()) {}
    TMenuGuard(const TMenuGuard&) = delete;
    TMenuGuard& operator=(const TMenuGuard&) = delete;
    ~TMenuGuard() {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU Get() const { return menu_; }
    HMENU Release() {
        HMENU menu = menu_;
        menu_ = nullptr;
        return menu;
    }

private:
    HMENU menu_;
};

// The menu font of the system's non-client metrics.
HFONT CreateMenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    return CreateFontIndirectA(&metrics.lfMenuFont);
}

// A canvas on the DC with the menu font, for as long as the guard lives.
class TMenuCanvas {
public:
    explicit TMenuCanvas(HDC dc) : font_(CreateMenuFont()) {
        canvas_.SetHandle(dc);
        if (font_.Get()) canvas_.Font()->SetHandle(static_cast<HFONT>(font_.Get()));
    }
    ~TMenuCanvas() { canvas_.SetHandle(nullptr); }
    TCanvas* Canvas() { return &canvas_; }

private:
    OwnedGdiObject font_;
    TCanvas canvas_;
};

AnsiString NameWithoutExtension(const AnsiString& name) { return ChangeFileExt(name, ""); }

// Whether an owner-drawn item is one of the Send To entries.
bool IsSendToItem(UINT controlType, ULONG_PTR itemData) {
    TStringList* list = SendToList();
    return controlType == ODT_MENU && itemData < kShellFirstCommand && list &&
           itemData < static_cast<ULONG_PTR>(list->Count());
}

AnsiString SendToName(ULONG_PTR itemData) {
    return NameWithoutExtension((*SendToList())[static_cast<int>(itemData)]);
}

int SendToIconIndex(int index) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(SendToList()->Objects(index)));
}

void FillSendToMenu(HMENU popup) {
    RequireSendToList();
    DeleteMenu(popup, 0, MF_BYPOSITION);
    ScanSendToFolder(ShellGetSpecialFolderPath(nullptr, csidlSendTo), {"*"});
    TStringList* list = SendToList();
    for (int i = 0; i < list->Count(); ++i)
        AppendMenuA(popup, MF_OWNERDRAW, static_cast<UINT_PTR>(i) + 1,
                    reinterpret_cast<LPCSTR>(static_cast<INT_PTR>(i)));
}

bool IsSendToPlaceholder(HMENU popup) {
    return GetMenuItemCount(popup) == 1 && (GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
}

int HighlightedPosition(HMENU popup) {
    const int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(popup, i, MF_BYPOSITION) & MF_HILITE) return i;
    return 0;
}

bool BeginsWith(const AnsiString& name, char upper) {
    return !name.IsEmpty() && AnsiString(name[1]).UpperCase()[1] == upper;
}

LRESULT MenuCharResult(HMENU popup, char typed) {
    TStringList* list = SendToList();
    const char upper = AnsiString(typed).UpperCase()[1];
    const int count = list->Count();
    const int start = HighlightedPosition(popup);
    int found = -1;
    for (int step = 1; step <= count && found < 0; ++step) {
        const int i = (start + step) % count;
        if (BeginsWith((*list)[i], upper)) found = i;
    }
    if (found < 0) return MAKELRESULT(0, MNC_CLOSE);
    int matches = 0;
    for (int i = 0; i < count; ++i)
        if (BeginsWith((*list)[i], upper)) ++matches;
    return MAKELRESULT(found, matches > 1 ? MNC_SELECT : MNC_EXECUTE);
}

AnsiString CommandHelpText(IContextMenu_NRC* contextMenu, UINT offset) {
    char text[MAX_PATH] = {};
    if (FAILED(contextMenu->GetCommandString(offset, GCS_HELPTEXTA, nullptr, text, MAX_PATH)))
        return AnsiString();
    return AnsiString(text);
}

// The items of a "Shell IDList Array" block, checked against the block's size.
class TIdListArrayView {
public:
    TIdListArrayView(const BYTE* bytes, SIZE_T size) : bytes_(bytes), size_(size) {
        if (size < sizeof(UINT)) return;
        const UINT count = *reinterpret_cast<const UINT*>(bytes);
        if (sizeof(UINT) * (2 + static_cast<unsigned long long>(count)) > size) return;
        for (UINT i = 0; i <= count; ++i) {
            const UINT offset = reinterpret_cast<const UINT*>(bytes)[i + 1];
            if (!IsListAt(offset)) return;
            lists_.push_back(reinterpret_cast<LPCITEMIDLIST>(bytes + offset));
        }
        valid_ = true;
    }
    bool Valid() const { return valid_; }
    LPCITEMIDLIST Parent() const { return lists_[0]; }
    std::vector<LPCITEMIDLIST> Items() const { return {lists_.begin() + 1, lists_.end()}; }

private:
    bool IsListAt(SIZE_T offset) const {
        while (offset + sizeof(USHORT) <= size_) {
            const USHORT count = *reinterpret_cast<const USHORT*>(bytes_ + offset);
            if (count == 0) return true;
            if (count < sizeof(USHORT)) return false;
            offset += count;
        }
        return false;
    }

    const BYTE* bytes_;
    SIZE_T size_;
    std::vector<LPCITEMIDLIST> lists_;
    bool valid_ = false;
};

// A storage medium released with the guard, its global block locked while it lives.
class TLockedMedium {
public:
    TLockedMedium() = default;
    TLockedMedium(const TLockedMedium&) = delete;
    TLockedMedium& operator=(const TLockedMedium&) = delete;
    ~TLockedMedium() {
        if (bytes_) GlobalUnlock(medium_.hGlobal);
        if (got_) ReleaseStgMedium(&medium_);
    }
    bool Get(IDataObject_NRC* data, FORMATETC& format) {
        got_ = SUCCEEDED(data->GetData(&format, &medium_));
        if (got_ && medium_.tymed == TYMED_HGLOBAL)
            bytes_ = static_cast<const BYTE*>(GlobalLock(medium_.hGlobal));
        return bytes_ != nullptr;
    }
    const BYTE* Bytes() const { return bytes_; }
    SIZE_T Size() const { return GlobalSize(medium_.hGlobal); }

private:
    STGMEDIUM medium_{};
    bool got_ = false;
    const BYTE* bytes_ = nullptr;
};

}  // namespace

HRESULT CreateItemContextMenu(HWND owner, IShellFolder_NRC* folder, UINT count,
                              LPCITEMIDLIST* items, IContextMenu_NRC*& contextMenu, HMENU& menu,
                              UINT flags, UINT firstCommand) {
    contextMenu = nullptr;
    menu = nullptr;
    IContextMenu_NRC* created = nullptr;
    HRESULT result = folder->GetUIObjectOf(owner, count, items, IID_IContextMenu, nullptr,
                                           reinterpret_cast<void**>(&created));
    if (FAILED(result)) return result;
    TMenuGuard popup;
    if (!popup.Get()) {
        created->Release();
        return HRESULT_FROM_WIN32(GetLastError());
    }
    result = created->QueryContextMenu(popup.Get(), 0, firstCommand, kShellLastCommand, flags);
    if (FAILED(result)) {
        created->Release();
        OleCheck(result);
    }
    contextMenu = created;
    menu = popup.Release();
    return result;
}

UINT FindVerbCommand(IContextMenu_NRC* contextMenu, const AnsiString& verb) {
    TMenuGuard popup;
    OleCheck(contextMenu->QueryContextMenu(popup.Get(), 0, kShellFirstCommand,
                                           kShellLastCommand, CMF_EXPLORE));
    const int count = GetMenuItemCount(popup.Get());
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(popup.Get(), i);
        if (id == static_cast<UINT>(-1) || id < kShellFirstCommand) continue;
        char text[MAX_PATH] = {};
        if (FAILED(contextMenu->GetCommandString(id - kShellFirstCommand, GCS_VERBA, nullptr,
                                                 text, MAX_PATH)))
            continue;
        if (SameText(text, verb)) return id - kShellFirstCommand;
    }
    return 0;
}

HRESULT InvokeItemCommand(HWND owner, IContextMenu_NRC* contextMenu, UINT offset) {
    TCMInvokeCommandInfo info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner;
    info.lpVerb = MAKEINTRESOURCEA(offset);
    info.nShow = SW_SHOWNORMAL;
    return contextMenu->InvokeCommand(&info);
}

HRESULT InvokeItemCommand(HWND owner, IContextMenu_NRC* contextMenu, const char* verb) {
    return InvokeItemCommand(owner, contextMenu, FindVerbCommand(contextMenu, verb));
}

void HandleInitMenuPopup(TMessage& message, IContextMenu_NRC* contextMenu) {
    if (!contextMenu) return;
    try {
        TContextMenu2 menu2(contextMenu);
        if (menu2.Forward(message)) return;
        const auto popup = reinterpret_cast<HMENU>(message.WParam);
        if (IsSendToPlaceholder(popup)) FillSendToMenu(popup);
    } catch (...) {
    }
}

void HandleDrawItem(TMessage& message, IContextMenu_NRC* contextMenu, HIMAGELIST images) {
    try {
        TContextMenu2 menu2(contextMenu);
        if (menu2.Forward(message)) return;
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (!IsSendToItem(item->CtlType, item->itemData)) return;
        TMenuCanvas menuCanvas(item->hDC);
        TCanvas* canvas = menuCanvas.Canvas();
        const bool selected =
            static_cast<int>(item->itemID) >= 0 && (item->itemState & ODS_SELECTED);
        canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
        canvas->Font()->SetColor(selected ? clHighlightText : clMenuText);
        const TRect rect = ToTRect(item->rcItem);
        if (static_cast<int>(item->itemID) < 0) {
            canvas->FillRect(rect);
            return;
        }
        canvas->TextRect(rect, rect.Left + 32, rect.Top + 2, SendToName(item->itemData));
        const int icon = SendToIconIndex(static_cast<int>(item->itemData));
        if (icon >= 0)
            ImageList_Draw(images, icon, item->hDC, rect.Left + 8, rect.Top + 2, ILD_TRANSPARENT);
        message.Result = TRUE;
    } catch (...) {
    }
}

void HandleMeasureItem(TMessage& message, IContextMenu_NRC* contextMenu) {
    try {
        TContextMenu2 menu2(contextMenu);
        if (menu2.Forward(message)) return;
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (!IsSendToItem(item->CtlType, item->itemData)) return;
        ScreenDC screen;
        TMenuCanvas menuCanvas(screen);
        item->itemWidth = menuCanvas.Canvas()->TextWidth(SendToName(item->itemData)) + 32;
        item->itemHeight = GetSystemMetrics(SM_CYMENU) + 2;
        message.Result = TRUE;
    } catch (...) {
    }
}

void HandleMenuChar(TMessage& message, IContextMenu_NRC* contextMenu) {
    try {
        TContextMenu2 menu2(contextMenu);
        if (menu2.Forward(message)) return;
        if (!SendToList() || !(HIWORD(message.WParam) & MF_POPUP)) return;
        message.Result = MenuCharResult(reinterpret_cast<HMENU>(message.LParam),
                                        static_cast<char>(LOWORD(message.WParam)));
    } catch (...) {
    }
}

void HandleMenuSelect(TMessage& message, IContextMenu_NRC* contextMenu, TObject* control,
                      const TUiShPopupHintEvent& onPopupHint) {
    if (!contextMenu || !onPopupHint) return;
    try {
        const UINT id = LOWORD(message.WParam);
        const UINT flags = HIWORD(message.WParam);
        AnsiString hint;
        if (id >= kShellFirstCommand && !(flags & (MF_POPUP | MF_SYSMENU)))
            hint = CommandHelpText(contextMenu, id - kShellFirstCommand);
        onPopupHint(control, hint);
    } catch (...) {
    }
}

TStringList* SendToList() { return SendToHolder().get(); }

void ScanSendToFolder(const AnsiString& folder, const std::vector<AnsiString>& patterns) {
    TStringList* list = RequireSendToList();
    for (const AnsiString& pattern : patterns) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN))
                continue;
            TUiPidlGuard pidl;
            int icon = -1;
            if (SUCCEEDED(ShellGetIdListFromPath(folder + "\\" + found.cFileName, pidl.Out())))
                icon = ShellGetIconIndex(pidl.Get(), SHGFI_SMALLICON);
            list->AddObject(found.cFileName,
                            reinterpret_cast<TObject*>(static_cast<INT_PTR>(icon)));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

void SendToTarget(const AnsiString& fileName, IDataObject_NRC* data) {
    TUiPidlGuard sendTo;
    OleCheck(ShellGetSpecialFolderIdList(nullptr, csidlSendTo, sendTo.Out()));
    TUiInterfaceGuard<IShellFolder_NRC> folder;
    OleCheck(ShellGetFolderFromIdList(sendTo.Get(), folder.Out()));
    std::wstring name = ShellWideText(fileName, MAX_PATH);
    TUiPidlGuard item;
    ULONG eaten = 0;
    OleCheck(folder->ParseDisplayName(nullptr, nullptr, &name[0], &eaten, &item.Out(), nullptr));
    LPCITEMIDLIST items[] = {item.Get()};
    TUiInterfaceGuard<IDropTarget_NRC> target;
    OleCheck(folder->GetUIObjectOf(nullptr, 1, items, IID_IDropTarget, nullptr, target.OutVoid()));
    const POINTL origin{0, 0};
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, origin, &effect);
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_LBUTTON, origin, &effect);
    THourglass hourglass;
    effect = DROPEFFECT_COPY;
    target->Drop(data, MK_LBUTTON, origin, &effect);
}

HRESULT SplitItemIdList(LPCITEMIDLIST pidl, IShellFolder_NRC*& folder, LPITEMIDLIST& parent,
                        LPITEMIDLIST& last) {
    folder = nullptr;
    parent = nullptr;
    last = nullptr;
    TUiPidlGuard desktopDirectory;
    TUiIdListArray chain(pidl);
    if (chain.GetCount() == 0) {
        const HRESULT result = ShellGetIdListFromPath(
            ShellGetSpecialFolderPath(nullptr, csidlDesktop), desktopDirectory.Out());
        if (FAILED(result)) return result;
        return SplitItemIdList(desktopDirectory.Get(), folder, parent, last);
    }
    if (chain.GetCount() == 1) {
        last = CopyIdList(nullptr, pidl);
        return ShellGetDesktopFolder(folder);
    }
    TUiPidlGuard parentCopy(CopyIdList(nullptr, chain.GoUp(1)));
    TUiPidlGuard lastCopy(CopyIdList(nullptr, chain.GetItem(chain.GetCount() - 1)));
    const HRESULT result = ShellGetFolderFromIdList(parentCopy.Get(), folder);
    parent = parentCopy.Release();
    last = lastCopy.Release();
    return result;
}

HRESULT GetItemDropTarget(LPCITEMIDLIST pidl, REFIID iid, void** object) {
    *object = nullptr;
    TUiInterfaceGuard<IShellFolder_NRC> folder;
    TUiPidlGuard parent;
    TUiPidlGuard last;
    const HRESULT result = SplitItemIdList(pidl, folder.Out(), parent.Out(), last.Out());
    if (FAILED(result)) return result;
    LPCITEMIDLIST items[] = {last.Get()};
    return folder->GetUIObjectOf(nullptr, 1, items, iid, nullptr, object);
}

HRESULT GetDesktopDropTarget(IDropTarget_NRC*& target) {
    target = nullptr;
    TUiPidlGuard desktopDirectory;
    const HRESULT result = ShellGetIdListFromPath(
        ShellGetSpecialFolderPath(nullptr, csidlDesktop), desktopDirectory.Out());
    if (FAILED(result)) return result;
    return GetItemDropTarget(desktopDirectory.Get(), IID_IDropTarget,
                             reinterpret_cast<void**>(&target));
}

void SplitDesktopDirectory(LPITEMIDLIST& parent, LPITEMIDLIST& last) {
    parent = nullptr;
    last = nullptr;
    TUiPidlGuard desktopDirectory;
    if (FAILED(ShellGetIdListFromPath(ShellGetSpecialFolderPath(nullptr, csidlDesktop),
                                      desktopDirectory.Out())))
        return;
    TUiIdListArray chain(desktopDirectory.Get());
    parent = CopyIdList(nullptr, chain.GoUp(1));
    last = CopyIdList(nullptr, chain.GetItem(chain.GetCount() - 1));
}

DWORD GetDataObjectDropEffects(IDataObject_NRC* data) {
    FORMATETC format{static_cast<CLIPFORMAT>(ShellControlsUnit().ShellIdListFormat), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (data->QueryGetData(&format) != S_OK) return kAllDropEffects;
    TLockedMedium medium;
    if (!medium.Get(data, format)) return kAllDropEffects;
    const TIdListArrayView view(medium.Bytes(), medium.Size());
    if (!view.Valid()) return kAllDropEffects;
    TUiInterfaceGuard<IShellFolder_NRC> folder;
    OleCheck(ShellGetFolderFromIdList(view.Parent(), folder.Out()));
    std::vector<LPCITEMIDLIST> items = view.Items();
    ULONG attributes = kAllDropEffects;
    OleCheck(folder->GetAttributesOf(static_cast<UINT>(items.size()), items.data(), &attributes));
    return kAllDropEffects & attributes;
}
