#include "UiShellDataTransfer.h"
#include "UiShellLocator.h"
#include "UiShellMenus.h"
#include "shell_fixture.h"
#include "shown_form.h"

#include <commctrl.h>

namespace {

// A context menu of two verbs ("open", "copy") after one item of the control's own, with or
// without the second interface; records what it is asked.
class TFakeContextMenu : public IContextMenu2_NRC {
public:
    explicit TFakeContextMenu(bool secondInterface) : secondInterface_(secondInterface) {}
    ULONG References() const { return references_; }
    bool failQuery = false;
    std::vector<UINT> forwarded;
    std::vector<UINT> invoked;
    CMINVOKECOMMANDINFO lastInvoke{};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IContextMenu ||
            (secondInterface_ && iid == IID_IContextMenu2)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT position, UINT first, UINT,
                                               UINT) override {
        if (failQuery) return E_OUTOFMEMORY;
        InsertMenuA(menu, position, MF_BYPOSITION, 5, "Own item");
        InsertMenuA(menu, position + 1, MF_BYPOSITION, first, "Open");
        InsertMenuA(menu, position + 2, MF_BYPOSITION, first + 1, "Copy");
        return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
    }
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        lastInvoke = *info;
        invoked.push_back(LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb)));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR offset, UINT type, UINT*, LPSTR text,
                                               UINT size) override {
        if (offset > 1) return E_INVALIDARG;
        const char* answer = type == GCS_VERBA ? (offset ? "copy" : "open")
                             : type == GCS_HELPTEXTA ? (offset ? "Copies it" : "Opens it")
                                                     : nullptr;
        if (!answer) return E_NOTIMPL;
        lstrcpynA(text, answer, size);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE HandleMenuMsg(UINT message, WPARAM, LPARAM) override {
        forwarded.push_back(message);
        return S_OK;
    }

private:
    bool secondInterface_;
    ULONG references_ = 1;
};

TEST(ShellContextMenus, VerbsFindAndInvokeTheirCommands) {
    TFakeContextMenu menu(false);
    EXPECT_EQ(1u, FindVerbCommand(&menu, "COPY"));
    EXPECT_EQ(0u, FindVerbCommand(&menu, "open"));
    EXPECT_EQ(0u, FindVerbCommand(&menu, "nosuchverb"));
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(S_OK, InvokeItemCommand(owner, &menu, "copy"));
    EXPECT_EQ(S_OK, InvokeItemCommand(owner, &menu, 7u));
    EXPECT_EQ((std::vector<UINT>{1, 7}), menu.invoked);
    EXPECT_EQ(sizeof(CMINVOKECOMMANDINFO), menu.lastInvoke.cbSize);
    EXPECT_EQ(0u, menu.lastInvoke.fMask);
    EXPECT_EQ(owner, menu.lastInvoke.hwnd);
    EXPECT_EQ(SW_SHOWNORMAL, menu.lastInvoke.nShow);
    EXPECT_EQ(nullptr, menu.lastInvoke.lpParameters);
    EXPECT_EQ(nullptr, menu.lastInvoke.lpDirectory);
}

TEST(ShellContextMenus, FailuresOfTheFolderAreAnsweredThoseOfTheMenuRaised) {
    TColumnsFolder folder;
    PidlHolder item(MakeIdList({{1}}));
    LPCITEMIDLIST items[] = {item};
    IContextMenu_NRC* contextMenu = nullptr;
    HMENU menu = nullptr;
    EXPECT_EQ(E_NOTIMPL, CreateItemContextMenu(nullptr, &folder, 1, items, contextMenu, menu,
                                               CMF_NORMAL, kShellFirstCommand));
    EXPECT_EQ(nullptr, contextMenu);
    EXPECT_EQ(nullptr, menu);

    TFakeContextMenu failing(false);
    failing.failQuery = true;
    folder.uiObject = &failing;
    EXPECT_THROW(CreateItemContextMenu(nullptr, &folder, 1, items, contextMenu, menu, CMF_NORMAL,
                                       kShellFirstCommand),
                 EOleSysError);
    EXPECT_EQ(1u, failing.References());
    EXPECT_THROW(FindVerbCommand(&failing, "copy"), EOleSysError);

    TFakeContextMenu working(false);
    folder.uiObject = &working;
    ASSERT_EQ(MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2),
              CreateItemContextMenu(nullptr, &folder, 1, items, contextMenu, menu, CMF_NORMAL,
                                    kShellFirstCommand));
    EXPECT_EQ(&working, contextMenu);
    EXPECT_EQ(3, GetMenuItemCount(menu));
    EXPECT_EQ(kShellFirstCommand + 1, GetMenuItemID(menu, 2));
    DestroyMenu(menu);
    contextMenu->Release();
    EXPECT_EQ(1u, working.References());
}

TEST(ShellContextMenus, MenusWithTheSecondInterfaceGetTheMessages) {
    TFakeContextMenu menu(true);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_GRAYED, 1, "(empty)");
    TMessage init{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0};
    HandleInitMenuPopup(init, &menu);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    TMessage drawMessage{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)};
    HandleDrawItem(drawMessage, &menu, nullptr);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    TMessage measureMessage{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)};
    HandleMeasureItem(measureMessage, &menu);
    TMessage menuChar{WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), reinterpret_cast<LPARAM>(popup)};
    HandleMenuChar(menuChar, &menu);
    EXPECT_EQ((std::vector<UINT>{WM_INITMENUPOPUP, WM_DRAWITEM, WM_MEASUREITEM, WM_MENUCHAR}),
              menu.forwarded);
    EXPECT_EQ(1, GetMenuItemCount(popup));  // the placeholder is the shell's business
    DestroyMenu(popup);
}

TEST(ShellContextMenus, MenuSelectionGivesTheShellsHelpAsHint) {
    TFakeContextMenu menu(false);
    std::vector<std::string> hints;
    TObject* sender = nullptr;
    TObject control;
    const TUiShPopupHintEvent onHint = [&](TObject* s, const AnsiString& hint) {
        sender = s;
        hints.push_back(hint.c_str());
    };
    const std::pair<WPARAM, const char*> cases[] = {
        {MAKEWPARAM(1001, 0), "Copies it"},
        {MAKEWPARAM(1000, MF_HILITE), "Opens it"},
        {MAKEWPARAM(5, 0), ""},
        {MAKEWPARAM(1001, MF_POPUP), ""},
        {MAKEWPARAM(1009, 0), ""},
    };
    for (const auto& c : cases) {
        TMessage select{WM_MENUSELECT, c.first, 0};
        HandleMenuSelect(select, &menu, &control, onHint);
    }
    EXPECT_EQ((std::vector<std::string>{"Copies it", "Opens it", "", "", ""}), hints);
    EXPECT_EQ(&control, sender);
    TMessage select{WM_MENUSELECT, MAKEWPARAM(1001, 0), 0};
    HandleMenuSelect(select, nullptr, &control, onHint);
    HandleMenuSelect(select, &menu, &control, nullptr);
    EXPECT_EQ(5u, hints.size());
}

// Files of the user's Send To folder made for a test and removed after it.
class SendToTest : public ShellTreeTest {
protected:
    void SetUp() override {
        ShellTreeTest::SetUp();
        sendTo = ShellGetSpecialFolderPath(nullptr, csidlSendTo);
        ASSERT_FALSE(sendTo.IsEmpty());
        ForceDirectories(sendTo);
        for (const char* name : {"Qx2.txt", "Qx1.txt", "Jz.txt", "Hidden.txt"})
            WriteTextFile(sendTo + "\\" + name, "x");
        SetFileAttributesA((sendTo + "\\Hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ForceDirectories(sendTo + "\\ShellTestTarget");
    }
    void TearDown() override {
        for (const char* name : {"Qx2.txt", "Qx1.txt", "Jz.txt", "Hidden.txt"}) {
            SetFileAttributesA((sendTo + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((sendTo + "\\" + name).c_str());
        }
        RemoveTree(sendTo + "\\ShellTestTarget");
        ShellTreeTest::TearDown();
    }
    // The Send To submenu filled from its placeholder.
    HMENU FilledSendToMenu(IContextMenu_NRC* menu) {
        HMENU popup = CreatePopupMenu();
        AppendMenuA(popup, MF_GRAYED, 1, "(empty)");
        TMessage init{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0};
        HandleInitMenuPopup(init, menu);
        return popup;
    }
    int IndexOf(const char* name) const { return SendToList()->IndexOf(name); }

    AnsiString sendTo;
};

TEST_F(SendToTest, PlaceholderBecomesOneOwnerDrawnItemPerVisibleFile) {
    TFakeContextMenu menu(false);
    HMENU popup = FilledSendToMenu(&menu);
    TStringList* list = SendToList();
    ASSERT_NE(nullptr, list);
    ASSERT_GE(IndexOf("Jz.txt"), 0);
    EXPECT_LT(IndexOf("Qx1.txt"), IndexOf("Qx2.txt"));
    EXPECT_LT(IndexOf("Hidden.txt"), 0);
    EXPECT_LT(IndexOf("ShellTestTarget"), 0);
    ASSERT_EQ(list->Count(), GetMenuItemCount(popup));
    for (int i = 0; i < list->Count(); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoA(popup, i, TRUE, &info));
        EXPECT_EQ(static_cast<UINT>(i + 1), info.wID);
        EXPECT_EQ(static_cast<ULONG_PTR>(i), info.dwItemData);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    }
    EXPECT_GE(reinterpret_cast<INT_PTR>(list->Objects(IndexOf("Jz.txt"))), 0);
    DestroyMenu(popup);

    HMENU full = CreatePopupMenu();
    AppendMenuA(full, MF_GRAYED, 1, "one");
    AppendMenuA(full, MF_STRING, 2, "two");
    TMessage init{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(full), 0};
    HandleInitMenuPopup(init, &menu);
    EXPECT_EQ(2, GetMenuItemCount(full));
    DestroyMenu(full);
}

TEST_F(SendToTest, EntriesAreMeasuredAndDrawnWithoutTheirExtension) {
    TFakeContextMenu menu(false);
    DestroyMenu(FilledSendToMenu(&menu));
    const int jz = IndexOf("Jz.txt");

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = static_cast<ULONG_PTR>(jz);
    TMessage measureMessage{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)};
    HandleMeasureItem(measureMessage, &menu);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HDC screen = GetDC(nullptr);
    HGDIOBJ font = CreateFontIndirectA(&metrics.lfMenuFont);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32A(screen, "Jz", 2, &extent);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(static_cast<UINT>(extent.cx + 32), measure.itemWidth);
    EXPECT_EQ(static_cast<UINT>(GetSystemMetrics(SM_CYMENU) + 2), measure.itemHeight);

    MEASUREITEMSTRUCT own{};
    own.CtlType = ODT_MENU;
    own.itemData = 1000;
    TMessage ownMessage{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&own)};
    HandleMeasureItem(ownMessage, &menu);
    EXPECT_EQ(0u, own.itemWidth);

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(200, 24, 1, 32, nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    for (bool selected : {true, false}) {
        DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
        draw.itemID = static_cast<UINT>(jz + 1);
        draw.itemData = static_cast<ULONG_PTR>(jz);
        draw.itemState = selected ? ODS_SELECTED : 0;
        draw.hDC = dc;
        draw.rcItem = {0, 0, 200, 24};
        TMessage drawMessage{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)};
        HandleDrawItem(drawMessage, &menu, ShellGetSystemImageList(iszSmall));
        const COLORREF expected = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
        EXPECT_EQ(expected, GetPixel(dc, 2, 22)) << selected;
        bool text = false;
        for (int x = 32; x < 60 && !text; ++x)
            for (int y = 2; y < 20 && !text; ++y) text = GetPixel(dc, x, y) != expected;
        EXPECT_TRUE(text) << selected;
    }
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(SendToTest, TypedLettersSelectOrExecuteEntries) {
    TFakeContextMenu menu(false);
    HMENU popup = FilledSendToMenu(&menu);
    const int q1 = IndexOf("Qx1.txt"), q2 = IndexOf("Qx2.txt"), jz = IndexOf("Jz.txt");
    for (int i = 0; i < SendToList()->Count(); ++i)
        if (i != q1 && i != q2 && i != jz) {
            ASSERT_NE('Q', toupper((*SendToList())[i][1]));
            ASSERT_NE('J', toupper((*SendToList())[i][1]));
        }
    const auto typed = [&](char c, WORD flags = MF_POPUP) {
        TMessage message{WM_MENUCHAR, MAKEWPARAM(c, flags), reinterpret_cast<LPARAM>(popup)};
        HandleMenuChar(message, &menu);
        return message.Result;
    };
    const auto highlight = [&](int position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        info.fState = MFS_HILITE;
        SetMenuItemInfoA(popup, position, TRUE, &info);
    };
    EXPECT_EQ(MAKELRESULT(jz, MNC_EXECUTE), typed('j'));
    EXPECT_EQ(MAKELRESULT(0, MNC_CLOSE), typed('7'));
    EXPECT_EQ(0, typed('j', 0));
    highlight(q1);
    EXPECT_EQ(MAKELRESULT(q2, MNC_SELECT), typed('q'));
    MENUITEMINFOA plain{};
    plain.cbSize = sizeof(plain);
    plain.fMask = MIIM_STATE;
    SetMenuItemInfoA(popup, q1, TRUE, &plain);
    highlight(q2);
    EXPECT_EQ(MAKELRESULT(q1, MNC_SELECT), typed('Q'));
    DestroyMenu(popup);
}

LPCITEMIDLIST* ItemArray(std::vector<LPITEMIDLIST>& items) {
    return const_cast<LPCITEMIDLIST*>(reinterpret_cast<const LPCITEMIDLIST*>(items.data()));
}

// The shell's data object of items of the tree's folder.
IDataObject_NRC* ItemsData(IShellFolder_NRC* folder, std::initializer_list<const wchar_t*> names,
                           std::vector<LPITEMIDLIST>& items) {
    for (const wchar_t* name : names) {
        std::wstring text = name;
        LPITEMIDLIST item = nullptr;
        ULONG eaten = 0;
        folder->ParseDisplayName(nullptr, nullptr, &text[0], &eaten, &item, nullptr);
        items.push_back(item);
    }
    IDataObject_NRC* data = nullptr;
    folder->GetUIObjectOf(nullptr, static_cast<UINT>(items.size()), ItemArray(items),
                          IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
    return data;
}

TEST_F(SendToTest, SendingItemsReachesTheTargetsDropTarget) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    std::vector<LPITEMIDLIST> items;
    IDataObject_NRC* data = ItemsData(folder, {L"a.txt"}, items);
    ASSERT_NE(nullptr, data);
    // Wine's folder drop targets take the drop without copying: only the road is checked.
    EXPECT_NO_THROW(SendToTarget("ShellTestTarget", data));
    EXPECT_THROW(SendToTarget("NoSuchTarget", data), EOleSysError);
    data->Release();
    for (LPITEMIDLIST item : items) ShellMemFree(item);
    folder->Release();
}

// A data object that serves one global block in the "Shell IDList Array" format.
class TBlockDataObject : public IDataObject_NRC {
public:
    explicit TBlockDataObject(HGLOBAL block) : block_(block) {}
    ~TBlockDataObject() { GlobalFree(block_); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = CopyGlobalBlock(block_);
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return block_ && format->cfFormat == ShellControlsUnit().ShellIdListFormat
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    HGLOBAL block_;
};

HGLOBAL BytesBlock(const std::vector<BYTE>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

TEST_F(ShellTreeTest, DropEffectsFollowTheDraggedItems) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    std::vector<LPITEMIDLIST> items;
    IDataObject_NRC* data = ItemsData(folder, {L"a.txt", L"Sub"}, items);
    ASSERT_NE(nullptr, data);
    ULONG attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK;
    folder->GetAttributesOf(2, ItemArray(items), &attributes);
    EXPECT_EQ(attributes & 7, GetDataObjectDropEffects(data));
    data->Release();

    // Our own block of the same items.
    HGLOBAL block = nullptr;
    ASSERT_EQ(S_OK, BuildIdListArrayBlock(pidl, {items[0], items[1]}, block));
    TBlockDataObject ours(block);
    EXPECT_EQ(attributes & 7, GetDataObjectDropEffects(&ours));
    for (LPITEMIDLIST item : items) ShellMemFree(item);
    folder->Release();

    TBlockDataObject none(nullptr);
    EXPECT_EQ(7u, GetDataObjectDropEffects(&none));
    const std::vector<std::vector<BYTE>> malformed{
        {},
        {1, 0, 0},
        {9, 0, 0, 0, 12, 0, 0, 0},
        {1, 0, 0, 0, 12, 0, 0, 0, 200, 0, 0, 0, 0, 0},
        {1, 0, 0, 0, 12, 0, 0, 0, 14, 0, 0, 0, 0, 0, 5, 0},
    };
    for (const auto& bytes : malformed) {
        TBlockDataObject bad(BytesBlock(bytes));
        EXPECT_EQ(7u, GetDataObjectDropEffects(&bad)) << bytes.size();
    }
}

TEST_F(ShellTreeTest, ItemsSplitIntoFolderParentAndLastElement) {
    PidlHolder sub(Parse(Path("Sub")));
    PidlHolder tree(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    LPITEMIDLIST parent = nullptr, last = nullptr;
    ASSERT_EQ(S_OK, SplitItemIdList(sub, folder, parent, last));
    EXPECT_EQ(0, CompareAbsIdLists(tree, parent));
    EXPECT_STREQ(Path("Sub").c_str(),
                 ShellGetFriendlyNameFromIdList(folder, last, fnForParsing).c_str());
    folder->Release();
    ShellMemFree(parent);
    ShellMemFree(last);

    PidlHolder drives;
    ASSERT_EQ(S_OK, ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out()));
    ASSERT_EQ(S_OK, SplitItemIdList(drives, folder, parent, last));
    EXPECT_EQ(nullptr, parent);
    EXPECT_EQ(IdListBytes(drives), IdListBytes(last));
    EXPECT_EQ(0, CompareAbsIdLists(drives, last));
    folder->Release();
    ShellMemFree(last);

    PidlHolder desktop(MakeIdList({}));
    ASSERT_EQ(S_OK, SplitItemIdList(desktop, folder, parent, last));
    PidlHolder joined(ConcatIdLists(nullptr, parent, last));
    EXPECT_STREQ(ShellGetSpecialFolderPath(nullptr, csidlDesktop).c_str(),
                 ShellGetPathFromIdList(joined).c_str());
    folder->Release();
    ShellMemFree(parent);
    ShellMemFree(last);

    SplitDesktopDirectory(parent, last);
    PidlHolder desktopDirectory(ConcatIdLists(nullptr, parent, last));
    EXPECT_EQ(0, CompareAbsIdLists(joined, desktopDirectory));
    ShellMemFree(parent);
    ShellMemFree(last);
}

TEST_F(ShellTreeTest, DropTargetsOfItemsAndTheDesktop) {
    PidlHolder sub(Parse(Path("Sub")));
    IDropTarget_NRC* target = nullptr;
    ASSERT_EQ(S_OK, GetItemDropTarget(sub, IID_IDropTarget, reinterpret_cast<void**>(&target)));
    ASSERT_NE(nullptr, target);
    target->Release();
    ASSERT_EQ(S_OK, GetDesktopDropTarget(target));
    ASSERT_NE(nullptr, target);
    target->Release();
}

TEST_F(ShellTreeTest, CopyVerbOfAFilesContextMenuPutsItOnTheClipboard) {
    PidlHolder pidl(Parse(Path()));
    IShellFolder_NRC* folder = nullptr;
    ASSERT_EQ(S_OK, ShellGetFolderFromIdList(pidl, folder));
    std::vector<LPITEMIDLIST> items;
    ItemsData(folder, {L"a.txt"}, items)->Release();
    IContextMenu_NRC* contextMenu = nullptr;
    HMENU menu = nullptr;
    const HRESULT result = CreateItemContextMenu(nullptr, folder, 1, ItemArray(items), contextMenu,
                                                 menu, CMF_NORMAL, kShellFirstCommand);
    ASSERT_TRUE(SUCCEEDED(result));
    ASSERT_NE(nullptr, contextMenu);
    ASSERT_NE(nullptr, menu);
    EXPECT_GT(GetMenuItemCount(menu), 0);
    const UINT copy = FindVerbCommand(contextMenu, "copy");
    const UINT del = FindVerbCommand(contextMenu, "Delete");
    EXPECT_GT(copy, 0u);
    EXPECT_GT(del, 0u);
    EXPECT_NE(copy, del);

    ASSERT_EQ(S_OK, InvokeItemCommand(nullptr, contextMenu, "copy"));
    IDataObject_NRC* clipboard = nullptr;
    ASSERT_EQ(S_OK, OleGetClipboard(&clipboard));
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(S_OK, clipboard->GetData(&format, &medium));
    char name[MAX_PATH] = {};
    DragQueryFileA(static_cast<HDROP>(medium.hGlobal), 0, name, MAX_PATH);
    EXPECT_STREQ(Path("a.txt").c_str(), name);
    ReleaseStgMedium(&medium);
    EXPECT_EQ(7u, GetDataObjectDropEffects(clipboard));
    clipboard->Release();
    OleSetClipboard(nullptr);
    DestroyMenu(menu);
    contextMenu->Release();
    for (LPITEMIDLIST item : items) ShellMemFree(item);
    folder->Release();
}

}  // namespace
