#include "UiShellList.h"

#include <dbt.h>

#include <cstdint>
#include <cstring>

#include "UiShellCombo.h"
#include "UiShellDrives.h"
#include "UiShellLinks.h"
#include "UiShellPidls.h"
#include "UiShellTree.h"
#include "UiShellUtils.h"
#include "cl_dialogs.h"
#include "cl_forms.h"
#include "cl_hourglass.h"
#include "cl_itemviews.h"
#include "cl_sys.h"

const TUiShellListOptions DefaultShellListOptions = {
    sloAutoFill,  sloNonFilesystemAncestors, sloDefaultKeyHandling, sloContextMenus,
    sloDynamicRefresh, sloOleDrag, sloOleDrop, sloFolderContextMenu, sloShowHidden,
    sloFilesCanBeFolders};

namespace {

constexpr UINT WM_GETISHELLBROWSER = WM_USER + 7;
constexpr HRESULT kNoMoreItems = static_cast<HRESULT>(0x80070103);
constexpr ULONG kIncludeQuery = 0x40000000 | 0x20000000 | 0x10000000 | 0x02000000 | 0x00080000 |
                                0x00020000 | 0x00010000;
constexpr int kDefaultAllocBy = 256;
constexpr DWORD kAllEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
constexpr SHGDNF kRenameFlags = 0x20;

const std::vector<AnsiString> kOptionNames = {
    "sloAutoFill",     "sloNonFilesystemAncestors", "sloDesignInteractive",
    "sloDefaultKeyHandling", "sloContextMenus",     "sloDontChangeFolder",
    "sloDontGoBelowBase", "sloDynamicRefresh",      "sloHideFoldersWhenLinkedToTree",
    "sloOleDrag",      "sloOleDrop",                "sloFolderContextMenu",
    "sloShowHidden",   "sloFilesCanBeFolders"};

// The column widths every shell list shares, and the last "DirectoryCols" value read.
struct TColumnWidthStore {
    std::vector<int> Widths;
    bool Empty = true;
    std::vector<BYTE> DirectoryCols;
};

TColumnWidthStore& WidthStore() {
    static TColumnWidthStore store;
    return store;
}

int CompareResult(HRESULT result) {
    return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

// The Explorer's fixed column widths (16-bit, little-endian), when the value fits.
std::vector<BYTE> ReadDirectoryCols() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    BYTE bytes[22];
    DWORD size = sizeof(bytes);
    DWORD type = 0;
    const LONG read = RegQueryValueExA(key, "DirectoryCols", nullptr, &type, bytes, &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || type != REG_BINARY) return {};
    return std::vector<BYTE>(bytes, bytes + size);
}

const bool shellListPropertiesRegistered = [] {
    using C = TUiShellList;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, StringProperty<C>("FileFilter", &C::FileFilter, &C::SetFileFilter));
    TPropertyInfo folder = SubObjectProperty<C>("Folder", &C::Folder);
    folder.IsStored = [](TObject* o) { return static_cast<C*>(o)->IsFolderStored(); };
    RegisterProperty(meta, folder);
    TPropertyInfo options = SetProperty<C, TUiShellListOption>("Options", &C::Options,
                                                               &C::SetOptions, kOptionNames);
    options.DefaultText =
        "sloAutoFill,sloNonFilesystemAncestors,sloDefaultKeyHandling,sloContextMenus,"
        "sloDynamicRefresh,sloOleDrag,sloOleDrop,sloFolderContextMenu,sloShowHidden,"
        "sloFilesCanBeFolders";
    RegisterProperty(meta, options);
    RegisterClasses({TUiShellList::StaticClass()});
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and links

TUiCustomShellList::TUiCustomShellList(TComponent* owner)
    : TUiCustomListView(owner),
      folder_(new TUiShellLocator),
      refreshTimer_(new TTimer(this)),
      smallImages_(new TCustomImageList(this)),
      largeImages_(new TCustomImageList(this)) {
    SetFillLastColumn(false);
    folder_->OnChange = Bind(this, &TUiCustomShellList::HandleOnFolderChanged);
    refreshTimer_->SetEnabled(false);
    refreshTimer_->SetOnTimer(Bind(this, &TUiCustomShellList::TimerElapsed));
    InitImageLists();
    SetAllocBy(kDefaultAllocBy);
    UiDeviceChangeHandler()->Add(DeviceChangeMethod<&TUiCustomShellList::DeviceChangeDetected>(this));
}

TUiCustomShellList::~TUiCustomShellList() {
    delete folder_;
    delete filterNames_;
}

void TUiCustomShellList::BeforeDestruction() {
    UiDeviceChangeHandler()->Remove(
        DeviceChangeMethod<&TUiCustomShellList::DeviceChangeDetected>(this));
    refreshTimer_->SetEnabled(false);
    FreeAndNil(changeWorker_);
    RevokeDropTarget();
    TUiCustomListView::BeforeDestruction();
    ReleaseFolder();
    ShellMemFree(currentFolderList_);
    currentFolderList_ = nullptr;
}

void TUiCustomShellList::ReleaseFolder() {
    if (details_) details_->Release();
    details_ = nullptr;
    detailsFetched_ = false;
    if (currentFolder_) currentFolder_->Release();
    currentFolder_ = nullptr;
}

void TUiCustomShellList::InitImageLists() {
    smallImages_->SetShareImages(true);
    smallImages_->SetHandle(ShellGetSystemImageList(iszSmall));
    largeImages_->SetShareImages(true);
    largeImages_->SetHandle(ShellGetSystemImageList(iszLarge));
    SetSmallImages(smallImages_);
    SetLargeImages(largeImages_);
}

void TUiCustomShellList::SetShellTree(TUiCustomShellTree* tree) {
    shellTree_ = tree;
    if (tree) tree->FreeNotification(this);
}

void TUiCustomShellList::SetShellCombo(TUiCustomShellCombo* combo) {
    shellCombo_ = combo;
    if (combo) combo->FreeNotification(this);
}

void TUiCustomShellList::Notification(TComponent* component, TOperation operation) {
    TUiCustomListView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == shellTree_) shellTree_ = nullptr;
    if (component == shellCombo_) shellCombo_ = nullptr;
}

void TUiCustomShellList::TreeChanged(TTreeNode* node) {
    if (!node || !node->Selected() || InState(csLoading) || !shellTree_) return;
    if (TUiShellTreeData* data = shellTree_->GetDataFromNode(node))
        folder_->SetIdList(data->GetAbsPidl());
}

void TUiCustomShellList::SetFolder(TUiShellLocator* locator) { folder_->Assign(locator); }

void TUiCustomShellList::Synchronize(bool all) {
    if (all && shellCombo_) shellCombo_->Synchronize(false);
    if (all && shellTree_) shellTree_->Synchronize(false);
    if (refreshTimer_->Enabled()) TimerElapsed(refreshTimer_);
}

void TUiCustomShellList::GoUp(int levels) {
    if (HasOption(sloDontChangeFolder)) return;
    if (shellTree_) return shellTree_->GoUp(levels);
    if (shellCombo_) return shellCombo_->GoUp(levels);
    TUiIdListArray chain(folder_->GetIdList());
    if (chain.GetCount() < 1) return;
    const int up = std::min(levels, chain.GetCount());
    TUiPidlGuard parent(CopyIdList(nullptr, chain.GoUp(up)));
    folder_->SetIdList(parent.Get());
}

void TUiCustomShellList::SetFileFilter(const AnsiString& filter) {
    if (filter == fileFilter_) return;
    fileFilter_ = filter;
    filterPatterns_.clear();
    AnsiString rest = filter;
    while (!rest.IsEmpty()) {
        const int semicolon = rest.Pos(";");
        const AnsiString piece = semicolon ? rest.SubString(1, semicolon - 1) : rest;
        rest = semicolon ? rest.SubString(semicolon + 1, rest.Length()) : AnsiString();
        if (!piece.IsEmpty()) filterPatterns_.push_back(piece);
    }
    if (!InState(csLoading) && HasOption(sloAutoFill)) FillItems();
}

void TUiCustomShellList::SetOptions(const TUiShellListOptions& options) {
    const TUiShellListOptions old = options_;
    options_ = options;
    if (InState(csLoading) || !HandleAllocated()) return;
    auto changed = [&](TUiShellListOption option) {
        return old.count(option) != options_.count(option);
    };
    if (changed(sloDynamicRefresh) && !InState(csDesigning)) {
        if (HasOption(sloDynamicRefresh))
            InstallChangeHandler();
        else if (changeWorker_)
            changeWorker_->RemoveAllWatches();
    }
    if (changed(sloOleDrop)) {
        if (HasOption(sloOleDrop))
            RegisterDropTarget();
        else
            RevokeDropTarget();
    }
    if (changed(sloHideFoldersWhenLinkedToTree) || changed(sloShowHidden)) RefreshItems();
}

// ---------------------------------------------------------------------------------------------
// Item data

TUiShellListData* TUiCustomShellList::GetDataFromItem(TListItem* item) const {
    if (!item) return nullptr;
    auto* data = static_cast<TUiShellListData*>(item->Data());
    return ownData_.count(data) ? data : nullptr;
}

TUiShellListData* TUiCustomShellList::NewItemData(LPITEMIDLIST relIdList) {
    auto* data = new TUiShellListData(this);
    data->SetData(relIdList);
    ownData_.insert(data);
    return data;
}

TUiShellListData* TUiCustomShellList::GetSelectedItem() { return GetDataFromItem(Selected()); }

TUiShellListData* TUiCustomShellList::GetShellListData(int index) {
    TUiShellListData* data = GetDataFromItem(Items()->Item(index));
    if (!data) throw EInvalidCast(SInvalidCast);
    return data;
}

int TUiCustomShellList::ShellSelCount() {
    int count = 0;
    for (TListItem* item = GetNextItem(nullptr, TSearchDirection::sdAll, {isSelected}); item;
         item = GetNextItem(item, TSearchDirection::sdAll, {isSelected}))
        if (ItemHasData(item)) ++count;
    return count;
}

void TUiCustomShellList::SelectAll() {
    WithinUpdate(*Items(), [this] { TUiCustomListView::SelectAll(); });
}

IShellDetails_NRC* TUiCustomShellList::GetCurrentFolderIShellDetails() {
    if (!detailsFetched_ && currentFolder_) {
        details_ = GetFolderShellDetails(currentFolder_);
        detailsFetched_ = true;
    }
    return details_;
}

bool TUiCustomShellList::IsFolderNetworkShare() {
    return folder_->GetPathName().SubString(1, 2) == "\\\\";
}

void TUiCustomShellList::InsertItem(TListItem* item) {
    if (TUiShellListData* data = pendingData_) {
        item->SetData(data);
        if (pendingAttributes_ & SFGAO_SHARE)
            item->SetOverlayIndex(0);
        else if (pendingAttributes_ & SFGAO_LINK)
            item->SetOverlayIndex(1);
        if (pendingAttributes_ & SFGAO_GHOSTED) item->SetCut(true);
        const int extra = details_ ? std::max(0, Columns()->Count() - 1) : 3;
        for (int i = 0; i < extra; ++i) item->SubItems()->Add(AnsiString());
        pendingData_ = nullptr;
    }
    TUiCustomListView::InsertItem(item);
}

void TUiCustomShellList::Delete(TListItem* item) {
    TUiShellListData* data = GetDataFromItem(item);
    if (!data) return TUiCustomListView::Delete(item);
    if (OnDeleteItem) OnDeleteItem(this, item, data);
    item->SetData(nullptr);
    TUiCustomListView::Delete(item);
    ownData_.erase(data);
    delete data;
}

// ---------------------------------------------------------------------------------------------
// Filling

void TUiCustomShellList::FillStart() {
    if (OnFillStart) OnFillStart(this);
}

void TUiCustomShellList::FillComplete() {
    if (OnFillComplete) OnFillComplete(this);
}

void TUiCustomShellList::FolderChanged() {
    if (OnFolderChanged) OnFolderChanged(this);
}

bool TUiCustomShellList::DblClickOpen() {
    bool handled = false;
    if (OnDblClickOpen) OnDblClickOpen(this, handled);
    return !handled;
}

DWORD TUiCustomShellList::EnumFlags() const {
    return SHCONTF_FOLDERS | SHCONTF_NONFOLDERS |
           (HasOption(sloShowHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
}

void TUiCustomShellList::FillItems() {
    if (!HandleAllocated()) return;
    if (busy_ || IsEditing()) {
        refreshPending_ = true;
        return;
    }
    {
        THourglass hourglass;
        ClearSelection();
        Items()->Clear();
        WithinUpdate(*Items(), [this] {
            TUiInterfaceGuard<IShellFolder_NRC> folder;
            const HRESULT bound = ShellGetFolderFromIdList(folder_->GetIdList(), folder.Out());
            if (FAILED(bound)) RaiseSysError(bound);
            FilterPreApply();
            try {
                FillList(folder.Get(), folder_->GetIdList());
            } catch (...) {
                FilterPostApply();
                throw;
            }
            FilterPostApply();
        });
    }
    SortList();
    if (Items()->Count() > 0) Items()->Item(0)->SetFocused(true);
    if (ViewStyle() == vsIcon || ViewStyle() == vsSmallIcon) {
        SendMessageA(WindowHandle(), WM_VSCROLL, SB_TOP, 0);
        SendMessageA(WindowHandle(), WM_HSCROLL, SB_LEFT, 0);
    }
    if (HasOption(sloDynamicRefresh) && !InState(csDesigning)) InstallChangeHandler();
}

void TUiCustomShellList::FillList(IShellFolder_NRC* folder, LPCITEMIDLIST folderIdList) {
    TQuietErrorMode quiet;
    FillStart();
    IShellFolder_NRC* oldFolder = currentFolder_;
    LPITEMIDLIST oldList = currentFolderList_;
    currentFolderList_ = CopyIdList(nullptr, folderIdList);
    folder->AddRef();
    currentFolder_ = folder;
    if (details_) details_->Release();
    details_ = nullptr;
    detailsFetched_ = false;
    std::vector<TUiShellListData*> collected;
    collected.reserve(500);
    auto finish = [&] {
        for (TUiShellListData* data : collected) {
            ownData_.erase(data);
            delete data;
        }
        FillComplete();
    };
    try {
        Items()->BeginUpdate();
        try {
            InitColumns(GetCurrentFolderIShellDetails());
            TUiInterfaceGuard<IEnumIDList_NRC> enumerator;
            if (FAILED(folder->EnumObjects(GetTopFormHandle(this), EnumFlags(),
                                           &enumerator.Out())) ||
                !enumerator.Get())
                Abort();
            HRESULT next;
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            while ((next = enumerator->Next(1, &item, &fetched)) == S_OK)
                collected.push_back(NewItemData(item));
            if (next == E_FAIL) Abort();
            if (next != S_FALSE && next != kNoMoreItems) RaiseSysError(next);
            SetAllocBy(static_cast<int>(collected.size()));
            for (TUiShellListData*& data : collected) {
                ULONG attributes = 0;
                if (!ShouldInclude(folderIdList, data->RelPidl(), attributes)) continue;
                TUiShellListData* adding = data;
                data = nullptr;
                AddShellItem(adding, attributes);
            }
            collected.erase(std::remove(collected.begin(), collected.end(), nullptr),
                            collected.end());
        } catch (...) {
            Items()->EndUpdate();
            throw;
        }
        Items()->EndUpdate();
    } catch (...) {
        // The list shown before stays in force.
        ShellMemFree(currentFolderList_);
        currentFolderList_ = oldList;
        currentFolder_->Release();
        currentFolder_ = oldFolder;
        if (details_) details_->Release();
        details_ = nullptr;
        detailsFetched_ = false;
        finish();
        throw;
    }
    ShellMemFree(oldList);
    if (oldFolder) oldFolder->Release();
    finish();
}

void TUiCustomShellList::AddShellItem(TUiShellListData* data, ULONG attributes) {
    pendingData_ = data;
    pendingAttributes_ = attributes;
    try {
        Items()->Add();
    } catch (...) {
        if (pendingData_) {
            ownData_.erase(pendingData_);
            delete pendingData_;
        }
        pendingData_ = nullptr;
        throw;
    }
}

bool TUiCustomShellList::ShouldInclude(LPCITEMIDLIST parentAbsIdList, LPCITEMIDLIST itemRelIdList,
                                       ULONG& attributes) {
    attributes = kIncludeQuery | (SHELL32_VER.High >= ModuleVersionHigh(6, 0) ? SFGAO_STREAM : 0);
    LPCITEMIDLIST items[] = {itemRelIdList};
    currentFolder_->GetAttributesOf(1, items, &attributes);
    if (!HasOption(sloNonFilesystemAncestors) &&
        !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
        return false;
    if (HasOption(sloHideFoldersWhenLinkedToTree) && shellTree_ &&
        (attributes & SFGAO_FOLDER) && (attributes & SFGAO_FILESYSTEM))
        return false;
    return CanAdd(currentFolder_, parentAbsIdList, itemRelIdList, attributes);
}

bool TUiCustomShellList::CanAdd(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList,
                                LPCITEMIDLIST itemRelIdList, ULONG attributes) {
    bool allow = true;
    if (filterNames_ && !UiShIsFolder(attributes, HasOption(sloFilesCanBeFolders))) {
        AnsiString name;
        GetItemDisplayName(folder, itemRelIdList, SHGDN_FORPARSING, name);
        allow = FilterApply(ExtractFileName(name), attributes);
    }
    if (allow && OnAddItem)
        OnAddItem(this, folder, currentFolderList_, itemRelIdList, attributes, allow);
    (void)parentAbsIdList;
    return allow;
}

void TUiCustomShellList::FilterPreApply() {
    FilterPostApply();
    const AnsiString path = folder_->GetPathName();
    if (path.IsEmpty() || fileFilter_.IsEmpty() || fileFilter_ == "*" || fileFilter_ == "*.*")
        return;
    filterNames_ = new TStringList;
    filterNames_->SetSorted(true);
    filterNames_->SetDuplicates(dupIgnore);
    TQuietErrorMode quiet;
    for (const AnsiString& pattern : filterPatterns_) {
        WIN32_FIND_DATAA found;
        HANDLE search =
            FindFirstFileA((IncludeTrailingPathDelimiter(path) + pattern).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) continue;
            break;
        }
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                filterNames_->Add(UpperCase(AnsiString(found.cFileName)));
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

bool TUiCustomShellList::FilterApply(const AnsiString& name, ULONG attributes) {
    if (UiShIsFolder(attributes, HasOption(sloFilesCanBeFolders))) return true;
    int index = 0;
    return filterNames_->Find(UpperCase(name), index);
}

void TUiCustomShellList::FilterPostApply() { FreeAndNil(filterNames_); }

// ---------------------------------------------------------------------------------------------
// Columns and sorting

void TUiCustomShellList::SaveColumnWidths() {
    TColumnWidthStore& store = WidthStore();
    store.Widths.clear();
    for (int i = 0; i < Columns()->Count(); ++i) store.Widths.push_back(Column(i)->Width());
    store.Empty = false;
}

void TUiCustomShellList::RestoreColumnWidths() {
    const TColumnWidthStore& store = WidthStore();
    const int count = std::min(static_cast<int>(store.Widths.size()), Columns()->Count());
    for (int i = 0; i < count; ++i) Column(i)->SetWidth(store.Widths[i]);
}

void TUiCustomShellList::InitColumns(IShellDetails_NRC* details) {
    if (Columns()->Count() > 0 && rememberWidths_) SaveColumnWidths();
    TColumnWidthStore& store = WidthStore();
    Columns()->Clear();
    if (details) {
        for (UINT i = 0;; ++i) {
            TShColInfo info{};
            if (FAILED(details->GetDetailsOf(nullptr, i, &info))) break;
            TListColumn* column = Columns()->Add();
            column->SetCaption(StrretToString(nullptr, info.str));
            StrretFree(info.str);
            column->SetWidth(7 * info.cxChar);
            column->SetAlignment(info.fmt == LVCFMT_RIGHT    ? taRightJustify
                                 : info.fmt == LVCFMT_CENTER ? taCenter
                                                             : taLeftJustify);
        }
        rememberWidths_ = !folder_->GetPathName().IsEmpty();
        if (rememberWidths_ && !store.Empty) RestoreColumnWidths();
    } else {
        static const char* const kCaptions[] = {"Name", "Size", "Type", "Modified"};
        int widths[] = {200, 60, 100, 120, 50};
        const std::vector<BYTE> read = ReadDirectoryCols();
        for (size_t i = 0; i + 1 < read.size() && i / 2 < 5; i += 2)
            widths[i / 2] = read[i] | (read[i + 1] << 8);
        for (int i = 0; i < 4; ++i) {
            TListColumn* column = Columns()->Add();
            column->SetCaption(kCaptions[i]);
            column->SetWidth(widths[i]);
            if (i == 1) column->SetAlignment(taRightJustify);
        }
        if (read == store.DirectoryCols && !store.Empty) RestoreColumnWidths();
        store.DirectoryCols = read;
        rememberWidths_ = true;
    }
    SetHeaderODStyle();
    if (Columns()->Count() < std::abs(sortColumn_))
        SetSortColumn(1);
    else
        SetHeaderSortColumn(std::abs(sortColumn_) - 1);
}

void TUiCustomShellList::SetSortColumn(int column) {
    SetHeaderSortColumn(std::abs(column) - 1);
    SetHeaderSortDirection(column >= 0 ? sdDescending : sdAscending);
    sortSet_ = true;
    if (column == sortColumn_) return;
    sortColumn_ = column;
    SortList();
}

void TUiCustomShellList::SortList() {
    if (sortColumn_ == 0) {
        AlphaSort();
        return;
    }
    const int column = std::abs(sortColumn_) - 1;
    const int sign = sortColumn_ < 0 ? -1 : 1;
    CustomSort([this, column, sign](TListItem* a, TListItem* b) {
        TUiShellListData* first = GetDataFromItem(a);
        TUiShellListData* second = GetDataFromItem(b);
        if (!first || !second || !currentFolder_) return 0;
        return sign * CompareResult(currentFolder_->CompareIDs(static_cast<LPARAM>(column),
                                                               first->RelPidl(), second->RelPidl()));
    });
}

void TUiCustomShellList::ColClick(TListColumn* column) {
    sortSet_ = false;
    TUiCustomListView::ColClick(column);
    if (sortSet_) return;
    const int index = column->Index() + 1;
    SetSortColumn(std::abs(sortColumn_) == index ? -sortColumn_ : index);
}

// ---------------------------------------------------------------------------------------------
// Texts and icons on demand

void TUiCustomShellList::DisplayInfo(TMessage& message) {
    LVITEMA& request = reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item;
    if (request.iItem < 0 || request.iItem >= Items()->Count()) return;
    TListItem* item = Items()->Item(request.iItem);
    TUiShellListData* data = GetDataFromItem(item);
    if (request.mask & LVIF_TEXT) {
        AnsiString text;
        if (request.iSubItem == 0) {
            if (item->Caption().IsEmpty() && data) item->SetCaption(data->GetDisplayName());
            text = item->Caption();
        } else if (request.iSubItem <= item->SubItems()->Count()) {
            text = item->SubItems()->Strings(request.iSubItem - 1);
            if (text.IsEmpty() && data) text = data->GetColText(request.iSubItem);
        }
        if (request.pszText && request.cchTextMax > 0)
            lstrcpynA(request.pszText, text.c_str(), request.cchTextMax);
    }
    if ((request.mask & LVIF_IMAGE) && request.iSubItem == 0) {
        GetImageIndex(item);
        int image = item->ImageIndex();
        if (image <= 0 && data) image = ShellGetIconIndex(data->GetAbsoluteIdList(), SHGFI_SMALLICON);
        request.iImage = image;
    }
    if (request.mask & LVIF_INDENT) request.iIndent = item->Indent();
}

// ---------------------------------------------------------------------------------------------
// Refresh

void TUiCustomShellList::RefreshItems() {
    if (busy_ || IsEditing()) {
        refreshPending_ = true;
        return;
    }
    if (Items()->Count() == 0) return FillItems();
    if (!currentFolder_) return;
    THourglass hourglass;
    FillStart();
    FilterPreApply();
    TUiPidlList shown;
    shown.SetDuplicates(dupAccept);
    if (folder_->GetPathName().IsEmpty()) shown.SetShellFolder(currentFolder_);
    for (int i = 0; i < Items()->Count(); ++i)
        if (TUiShellListData* data = GetDataFromItem(Items()->Item(i)))
            shown.AddObject(const_cast<LPITEMIDLIST>(data->RelPidl()), Items()->Item(i));
    shown.SetSorted(true);
    TUiPidlList found;
    found.SetMalloc(ShellIMalloc());
    if (folder_->GetPathName().IsEmpty()) found.SetShellFolder(currentFolder_);
    {
        TQuietErrorMode quiet;
        TUiInterfaceGuard<IEnumIDList_NRC> enumerator;
        if (SUCCEEDED(currentFolder_->EnumObjects(GetTopFormHandle(this), EnumFlags(),
                                                  &enumerator.Out())) &&
            enumerator.Get()) {
            LPITEMIDLIST item = nullptr;
            ULONG fetched = 0;
            while (enumerator->Next(1, &item, &fetched) == S_OK) found.Add(item);
        }
    }
    for (int i = found.GetCount() - 1; i >= 0; --i) {
        int index = 0;
        if (!shown.BinarySearch(found.GetPIDL(i), index)) continue;
        shown.Delete(index);
        found.Delete(i);
    }
    auto finish = [&] {
        FilterPostApply();
        FillComplete();
        SetAllocBy(kDefaultAllocBy);
    };
    try {
        WithinUpdate(*Items(), [&] {
            for (int i = shown.GetCount() - 1; i >= 0; --i)
                Items()->Delete(static_cast<TListItem*>(shown.GetObject(i))->Index());
            SetAllocBy(found.GetCount());
            for (int i = 0; i < found.GetCount(); ++i) {
                ULONG attributes = 0;
                if (!ShouldInclude(currentFolderList_, found.GetPIDL(i), attributes)) continue;
                LPITEMIDLIST taken = found.GetPIDL(i);
                found.SetPIDL(i, nullptr);
                try {
                    AddShellItem(NewItemData(taken), attributes);
                } catch (...) {
                    ShowMessage("Exception in AddNewShellItem");
                    throw;
                }
            }
        });
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

// ---------------------------------------------------------------------------------------------
// Folder changes and navigation

void TUiCustomShellList::HandleOnFolderChanged(TObject*) {
    if (folderChangeGuard_ <= 0) {
        TNestingGuard guard(folderChangeGuard_);
        if (shellTree_)
            shellTree_->SetSelectedFolder(folder_);
        else if (shellCombo_)
            shellCombo_->SetSelectedFolder(folder_);
        FillItems();
    }
    FolderChanged();
}

void TUiCustomShellList::NavigateTo(LPCITEMIDLIST absIdList) {
    if (HasOption(sloDontChangeFolder)) return;
    ClearSelection();
    Items()->Clear();
    if (shellTree_)
        shellTree_->SelectedFolder()->SetIdList(absIdList);
    else if (shellCombo_)
        shellCombo_->GetSelectedFolder()->SetIdList(absIdList);
    else
        folder_->SetIdList(absIdList);
}

void TUiCustomShellList::RunDefaultCommand(UINT count, LPCITEMIDLIST* items) {
    if (!currentFolder_) return;
    IContextMenu_NRC* contextMenu = nullptr;
    HMENU menu = nullptr;
    const HRESULT built = CreateItemContextMenu(GetTopFormHandle(this), currentFolder_, count,
                                                items, contextMenu, menu, CMF_EXPLORE,
                                                kShellFirstCommand);
    if (FAILED(built) || !contextMenu) return;
    const UINT command = GetMenuDefaultItem(menu, FALSE, 0);
    try {
        if (command != static_cast<UINT>(-1) && command >= kShellFirstCommand)
            InvokeItemCommand(GetTopFormHandle(this), contextMenu, command - kShellFirstCommand);
    } catch (...) {
        contextMenu->Release();
        DestroyMenu(menu);
        throw;
    }
    contextMenu->Release();
    DestroyMenu(menu);
}

void TUiCustomShellList::OpenItem(TListItem* item) {
    Synchronize(true);
    TUiShellListData* data = GetDataFromItem(item);
    if (!data) {
        DblClickOpen();
        return;
    }
    THourglass hourglass;
    TUiPidlGuard absolute(ConcatIdLists(nullptr, currentFolderList_, data->RelPidl()));
    if (data->IsFolder()) return NavigateTo(absolute.Get());
    if (data->IsLnkShortcut()) {
        TLinkData link;
        link.NoUI = true;
        if (SUCCEEDED(ResolveShortcut(data->GetPathName(), link, false)) &&
            DirectoryExists(link.PathName)) {
            TUiPidlGuard target;
            if (SUCCEEDED(ShellGetIdListFromPath(link.PathName, target.Out())))
                return NavigateTo(target.Get());
        }
    }
    if (!DblClickOpen()) return;
    LPCITEMIDLIST items[] = {data->RelPidl()};
    RunDefaultCommand(1, items);
}

void TUiCustomShellList::OpenSelectedItems() {
    Synchronize(true);
    std::vector<LPCITEMIDLIST> selected;
    for (TListItem* item = GetNextItem(nullptr, TSearchDirection::sdAll, {isSelected}); item;
         item = GetNextItem(item, TSearchDirection::sdAll, {isSelected}))
        if (TUiShellListData* data = GetDataFromItem(item)) selected.push_back(data->RelPidl());
    if (selected.size() < 2) {
        if (TListItem* item = Selected()) OpenItem(item);
        return;
    }
    if (DblClickOpen()) RunDefaultCommand(static_cast<UINT>(selected.size()), selected.data());
}

void TUiCustomShellList::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomListView::MouseDown(button, shift, x, y);
    if (button == mbLeft && shift.count(ssDouble)) OpenSelectedItems();
}

void TUiCustomShellList::KeyPress(char& key) {
    TUiCustomListView::KeyPress(key);
    if (!HasOption(sloDefaultKeyHandling) || IsEditing() || InState(csDesigning)) return;
    if (key == VK_BACK) {
        key = 0;
        GoUp(1);
    } else if (key == VK_RETURN) {
        key = 0;
        OpenSelectedItems();
    }
}

// ---------------------------------------------------------------------------------------------
// Change notifications

void TUiCustomShellList::InstallChangeHandler() {
    refreshTimer_->SetEnabled(false);
    if (changeWorker_)
        changeWorker_->RemoveAllWatches();
    else
        changeWorker_ = new TChangeHandlerThread(Handle(), AM_CHANGENOTIFY);
    const AnsiString path = folder_->GetPathName();
    if (path.IsEmpty()) return;
    int slot = -1;
    changeWorker_->AddWatch(path, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot,
                            false);
}

void TUiCustomShellList::ChangeNotify(TMessage&) {
    if (skipNextNotification_ || busy_) {
        skipNextNotification_ = false;
        return;
    }
    refreshTimer_->SetEnabled(false);
    refreshTimer_->SetInterval(Focused() ? 400 : 2000);
    refreshTimer_->SetEnabled(true);
}

void TUiCustomShellList::TimerElapsed(TObject*) {
    refreshTimer_->SetEnabled(false);
    {
        TNestingGuard guard(folderChangeGuard_);
        Synchronize(true);
    }
    RefreshItems();
}

void TUiCustomShellList::DeviceChangeDetected(TObject*, TMessage& message) {
    if (message.WParam != DBT_DEVICEARRIVAL && message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
    FlushDriveInfoCache();
    LockFlushDriveInfoCache();
    try {
        if (folder_->GetCSIDL() == csidlDrives ||
            ShellCSIDLEqualsIdList(folder_->GetIdList(), csidlDrives))
            FillItems();
    } catch (...) {
        UnlockFlushDriveInfoCache();
        throw;
    }
    UnlockFlushDriveInfoCache();
}

// ---------------------------------------------------------------------------------------------
// Window life cycle and messages

void TUiCustomShellList::CreateWnd() {
    inCreateWnd_ = true;
    try {
        TUiCustomListView::CreateWnd();
    } catch (...) {
        inCreateWnd_ = false;
        throw;
    }
    inCreateWnd_ = false;
    if (!InState(csDesigning) && HasOption(sloOleDrop)) RegisterDropTarget();
    if (HasOption(sloAutoFill) && Items()->Count() == 0)
        PostMessageA(WindowHandle(), AM_DEFERREDFILL, 0, 0);
}

void TUiCustomShellList::Loaded() {
    if (InState(csLoading) && !inCreateWnd_ && HandleAllocated() && HasOption(sloAutoFill) &&
        Items()->Count() == 0)
        PostMessageA(WindowHandle(), AM_DEFERREDFILL, 0, 0);
    TUiCustomListView::Loaded();
}

void TUiCustomShellList::DestroyWnd() {
    inDestroyWnd_ = true;
    try {
        {
            TNestingGuard guard(folderChangeGuard_);
            ClearSelection();
        }
        Items()->Clear();
        TUiCustomListView::DestroyWnd();
    } catch (...) {
        inDestroyWnd_ = false;
        throw;
    }
    inDestroyWnd_ = false;
}

void TUiCustomShellList::DeferredFill(TMessage&) {
    if (Items()->Count() == 0) FillItems();
}

void TUiCustomShellList::WantSpecialKey(TMessage& message) {
    TUiCustomListView::Dispatch(message);
    if (IsEditing()) {
        message.Result = 1;
        return;
    }
    TUiShellListData* data = GetSelectedItem();
    if (message.WParam == VK_RETURN && data && data->IsFolder()) message.Result = 1;
}

void TUiCustomShellList::DesignHitTest(TMessage& message) {
    const int x = static_cast<short>(LOWORD(message.LParam));
    const int y = static_cast<short>(HIWORD(message.LParam));
    message.Result = HasOption(sloDesignInteractive) && GetItemAt(x, y) ? 1 : 0;
}

void TUiCustomShellList::GetIShellBrowser(TMessage& message) {
    message.Result = 0;
    IUnknown* explorer = nullptr;
    if (FAILED(SHGetInstanceExplorer(&explorer)) || !explorer) return;
    void* browser = nullptr;
    if (SUCCEEDED(explorer->QueryInterface(IID_IShellBrowser, &browser)))
        message.Result = reinterpret_cast<LRESULT>(browser);
    explorer->Release();
}

void TUiCustomShellList::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case AM_CHANGENOTIFY:
        return ChangeNotify(message);
    case AM_DEFERREDFILL:
        return DeferredFill(message);
    case AM_DEFERREDEDIT:
        return DeferredEdit(message);
    case WM_RBUTTONUP:
        if (dragStartedHere_) return DefaultHandler(message);
        return TUiCustomListView::Dispatch(message);
    case WM_INITMENUPOPUP:
        TUiCustomListView::Dispatch(message);
        return HandleInitMenuPopup(message, activeContextMenu_);
    case WM_DRAWITEM:
        TUiCustomListView::Dispatch(message);
        return HandleDrawItem(message, activeContextMenu_, ShellGetSystemImageList(iszSmall));
    case WM_MEASUREITEM:
        TUiCustomListView::Dispatch(message);
        return HandleMeasureItem(message, activeContextMenu_);
    case WM_MENUCHAR:
        TUiCustomListView::Dispatch(message);
        return HandleMenuChar(message, activeContextMenu_);
    case WM_MENUSELECT:
        DefaultHandler(message);
        return HandleMenuSelect(message, activeContextMenu_, this, OnPopupHint);
    case WM_GETISHELLBROWSER:
        return GetIShellBrowser(message);
    case CM_DESIGNHITTEST:
        return DesignHitTest(message);
    case CM_WANTSPECIALKEY:
        return WantSpecialKey(message);
    case CN_NOTIFY:
        switch (message.NMHdr()->code) {
        case LVN_GETDISPINFOA:
            return DisplayInfo(message);
        case LVN_BEGINDRAG:
            if (HasOption(sloOleDrag)) OleBeginDrag(mbLeft);
            return;
        case LVN_BEGINRDRAG:
            if (HasOption(sloOleDrag)) OleBeginDrag(mbRight);
            return;
        default:
            return TUiCustomListView::Dispatch(message);
        }
    case WM_DESTROY:
        if (Columns()->Count() > 0 && rememberWidths_) SaveColumnWidths();
        FreeAndNil(changeWorker_);
        RevokeDropTarget();
        return TUiCustomListView::Dispatch(message);
    case WM_WINDOWPOSCHANGED:
        if (!inDestroyWnd_) TUiCustomListView::Dispatch(message);
        return;
    case WM_NCHITTEST:
        return DefaultHandler(message);
    default:
        TUiCustomListView::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// Shell objects and commands of items

TDataObject_shlv::TDataObject_shlv(TUiCustomShellList* list) {
    std::vector<LPCITEMIDLIST> items;
    std::vector<AnsiString> paths;
    for (TListItem* item = list->GetNextItem(nullptr, TSearchDirection::sdAll, {isSelected}); item;
         item = list->GetNextItem(item, TSearchDirection::sdAll, {isSelected})) {
        TUiShellListData* data = list->GetDataFromItem(item);
        if (!data) continue;
        items.push_back(data->RelPidl());
        AnsiString path;
        GetItemDisplayName(list->CurrentFolder(), data->RelPidl(), SHGDN_FORPARSING, path);
        paths.push_back(path);
    }
    Build(list->CurrentFolderIdList(), items, paths);
}

std::vector<LPCITEMIDLIST> TUiCustomShellList::SelectedIdLists() {
    std::vector<LPCITEMIDLIST> items;
    for (TListItem* item = GetNextItem(nullptr, TSearchDirection::sdAll, {isSelected}); item;
         item = GetNextItem(item, TSearchDirection::sdAll, {isSelected}))
        if (TUiShellListData* data = GetDataFromItem(item)) items.push_back(data->RelPidl());
    return items;
}

HRESULT TUiCustomShellList::GetUIObjectForItem(TListItem* item, REFIID iid, void** object) {
    *object = nullptr;
    TUiShellListData* data = GetDataFromItem(item);
    if (!data || !currentFolder_) return E_INVALIDARG;
    LPCITEMIDLIST items[] = {data->RelPidl()};
    return currentFolder_->GetUIObjectOf(GetTopFormHandle(this), 1, items, iid, nullptr, object);
}

HRESULT TUiCustomShellList::GetUIObjectForAllSelected(REFIID iid, void** object) {
    *object = nullptr;
    std::vector<LPCITEMIDLIST> items = SelectedIdLists();
    if (items.empty() || !currentFolder_) return E_FAIL;
    return currentFolder_->GetUIObjectOf(GetTopFormHandle(this), static_cast<UINT>(items.size()),
                                         items.data(), iid, nullptr, object);
}

void TUiCustomShellList::DoCommandForItem(TListItem* item, const char* verb) {
    TUiInterfaceGuard<IContextMenu_NRC> menu;
    if (FAILED(GetUIObjectForItem(item, IID_IContextMenu, menu.OutVoid())) || !menu.Get()) return;
    InvokeItemCommand(GetTopFormHandle(this), menu.Get(), verb);
    if (IsFolderNetworkShare()) RefreshItems();
}

void TUiCustomShellList::DoCommandForAllSelected(const char* verb) {
    TUiInterfaceGuard<IContextMenu_NRC> menu;
    if (FAILED(GetUIObjectForAllSelected(IID_IContextMenu, menu.OutVoid())) || !menu.Get()) return;
    InvokeItemCommand(GetTopFormHandle(this), menu.Get(), verb);
    if (IsFolderNetworkShare()) RefreshItems();
}

void TUiCustomShellList::DoCommandForFolder(const char* verb) {
    TUiInterfaceGuard<IContextMenu_NRC> menu;
    OleCheck(GetItemDropTarget(currentFolderList_, IID_IContextMenu, menu.OutVoid()));
    OleCheck(InvokeItemCommand(GetTopFormHandle(this), menu.Get(), verb));
}

DWORD TUiCustomShellList::GetDragDropAttributesForItem(TListItem* item) {
    TUiShellListData* data = GetDataFromItem(item);
    if (!data || !currentFolder_) return 0;
    ULONG attributes = kAllEffects;
    LPCITEMIDLIST items[] = {data->RelPidl()};
    OleCheck(currentFolder_->GetAttributesOf(1, items, &attributes));
    return attributes & kAllEffects;
}

DWORD TUiCustomShellList::GetDragDropAttributesForAllSelected() {
    std::vector<LPCITEMIDLIST> items = SelectedIdLists();
    if (items.empty() || !currentFolder_) return 0;
    ULONG attributes = kAllEffects;
    OleCheck(currentFolder_->GetAttributesOf(static_cast<UINT>(items.size()), items.data(),
                                             &attributes));
    return attributes & kAllEffects;
}

// ---------------------------------------------------------------------------------------------
// Drag and drop

void TUiCustomShellList::RegisterDropTarget() {
    if (dropTarget_ || !HandleAllocated()) return;
    RegisterWindowDropTarget(WindowHandle(), new TDropTarget_shlv(this), dropTarget_);
}

void TUiCustomShellList::RevokeDropTarget() {
    if (!dropTarget_) return;
    RevokeWindowDropTarget(HandleAllocated() ? WindowHandle() : nullptr, dropTarget_);
}

IDropSource_NRC* TUiCustomShellList::CreateIDropSource(TMouseButton button, IDataObject_NRC*) {
    auto* source = new TDropSource_shlvtv(button);
    source->AddRef();
    return source;
}

void TUiCustomShellList::OleBeginDrag(TMouseButton button) {
    busy_ = true;
    dragStartedHere_ = true;
    auto* data = new TDataObject_shlv(this);
    data->AddRef();
    dragData_ = data;
    IDropSource_NRC* source = nullptr;
    bool refresh = false;
    auto cleanUp = [&] {
        busy_ = false;
        refreshPending_ = false;
        // The drag is over: right-button releases go their usual way again.
        dragStartedHere_ = false;
        if (source) source->Release();
        dragData_ = nullptr;
        data->Release();
    };
    try {
        const DWORD allowed = GetDragDropAttributesForAllSelected();
        source = CreateIDropSource(button, data);
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = DoDragDrop(data, source, allowed, &effect);
        refresh = result == DRAGDROP_S_DROP || refreshPending_;
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    if (refresh) RefreshItems();
}

IDropTarget_NRC* TUiCustomShellList::FolderDropTarget() {
    IDropTarget_NRC* target = nullptr;
    const HRESULT found =
        IsDesktopIdList(currentFolderList_)
            ? GetDesktopDropTarget(target)
            : GetItemDropTarget(currentFolderList_, IID_IDropTarget,
                                reinterpret_cast<void**>(&target));
    return SUCCEEDED(found) ? target : nullptr;
}

IDropTarget_NRC* TUiCustomShellList::DropTargetAt(TPoint clientPoint, TListItem*& highlight) {
    highlight = nullptr;
    TListItem* item = GetItemAt(clientPoint.X, clientPoint.Y);
    if (ItemHasData(item)) {
        IDropTarget_NRC* target = nullptr;
        if (SUCCEEDED(GetUIObjectForItem(item, IID_IDropTarget, reinterpret_cast<void**>(&target))) &&
            target) {
            highlight = item;
            return target;
        }
        return FolderDropTarget();
    }
    return dragData_ ? nullptr : FolderDropTarget();
}

bool TUiCustomShellList::OwnRightDragOverSpace(TPoint clientPoint) {
    return dragData_ && (dragKeyState_ & MK_RBUTTON) &&
           !ItemHasData(GetItemAt(clientPoint.X, clientPoint.Y));
}

void TUiCustomShellList::ReleaseDragData() {
    if (currentDragData_) currentDragData_->Release();
    currentDragData_ = nullptr;
}

HRESULT TUiCustomShellList::OnDropTarget_DragEnter(IDataObject_NRC* data, DWORD keyState,
                                                   POINTL point, DWORD& effect) {
    dragScrollTick_ = GetTickCount();
    ReleaseDragData();
    currentDragData_ = data;
    if (data) data->AddRef();
    dragKeyState_ = keyState;
    const TPoint client = ScreenToClient(TPoint(point.x, point.y));
    if (OwnRightDragOverSpace(client)) {
        effect = DROPEFFECT_COPY;
        return S_OK;
    }
    TListItem* highlight = nullptr;
    TUiInterfaceGuard<IDropTarget_NRC> target;
    target.Out() = DropTargetAt(client, highlight);
    if (!target.Get()) {
        effect = DROPEFFECT_NONE;
        return S_OK;
    }
    const HRESULT result = target->DragEnter(data, keyState, point, &effect);
    target->DragLeave();
    if (effect != DROPEFFECT_NONE) SetDropTarget(highlight);
    return result;
}

void TUiCustomShellList::DragAutoscroll(TPoint clientPoint) {
    const DWORD now = GetTickCount();
    if (now - dragScrollTick_ <= 100) return;
    if (clientPoint.X < 26)
        ScrollOneStep(this, SB_HORZ, SB_LINELEFT);
    else if (clientPoint.X > ClientWidth() - 26)
        ScrollOneStep(this, SB_HORZ, SB_LINERIGHT);
    if (clientPoint.Y < 20)
        ScrollOneStep(this, SB_VERT, SB_LINEUP);
    else if (clientPoint.Y > ClientHeight() - 20)
        ScrollOneStep(this, SB_VERT, SB_LINEDOWN);
    dragScrollTick_ = now;
}

HRESULT TUiCustomShellList::OnDropTarget_DragOver(DWORD keyState, POINTL point, DWORD& effect) {
    const TPoint client = ScreenToClient(TPoint(point.x, point.y));
    TListItem* under = GetItemAt(client.X, client.Y);
    if ((under && !ItemHasData(under)) || OwnRightDragOverSpace(client)) {
        effect = DROPEFFECT_COPY;
        return S_OK;
    }
    TListItem* before = DropTarget();
    TListItem* highlight = nullptr;
    HRESULT result = S_OK;
    TUiInterfaceGuard<IDropTarget_NRC> target;
    target.Out() = DropTargetAt(client, highlight);
    if (target.Get()) {
        target->DragEnter(currentDragData_, keyState, point, &effect);
        result = target->DragOver(keyState, point, &effect);
        target->DragLeave();
    } else {
        effect = DROPEFFECT_NONE;
    }
    if (effect == DROPEFFECT_NONE)
        SetDropTarget(nullptr);
    else if (highlight != before)
        SetDropTarget(highlight);
    DragAutoscroll(client);
    effect |= DROPEFFECT_SCROLL;
    if (DropTarget() != before) Update();
    return result;
}

HRESULT TUiCustomShellList::OnDropTarget_DragLeave() {
    ReleaseDragData();
    SetDropTarget(nullptr);
    return S_OK;
}

HRESULT TUiCustomShellList::OnDropTarget_Drop(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                              DWORD& effect) {
    const TPoint client = ScreenToClient(TPoint(point.x, point.y));
    TListItem* highlight = nullptr;
    TUiInterfaceGuard<IDropTarget_NRC> target;
    HRESULT result = S_OK;
    auto cleanUp = [&] {
        SetDropTarget(nullptr);
        ReleaseDragData();
    };
    try {
        if (OwnRightDragOverSpace(client)) {
            target.Out() = FolderDropTarget();
            effect &= ~static_cast<DWORD>(DROPEFFECT_MOVE);
        } else {
            target.Out() = DropTargetAt(client, highlight);
        }
        if (target.Get()) {
            keyState |= dragKeyState_ & (MK_LBUTTON | MK_RBUTTON);
            result = DeliverDrop(target.Get(), data, keyState, point, effect);
            RefreshItems();
        } else {
            effect = DROPEFFECT_NONE;
        }
    } catch (...) {
        if (target.Get()) target->DragLeave();
        cleanUp();
        throw;
    }
    cleanUp();
    return result;
}

// ---------------------------------------------------------------------------------------------
// Context menus

void TUiCustomShellList::ItemContextMenu(TListItem* item, TPoint& pos, TPopupMenu*& menu) {
    TUiCustomListView::ItemContextMenu(item, pos, menu);
    if (!HasOption(sloContextMenus) || InState(csDesigning) || busy_) return;
    ProcessMenuForAllSelected(pos);
    menu = nullptr;
}

void TUiCustomShellList::RunMenu(const std::vector<LPCITEMIDLIST>& items, UINT flags,
                                 TListItem* renamed, TPoint clientPoint) {
    if (items.empty() || !currentFolder_) return;
    busy_ = true;
    refreshPending_ = false;
    IContextMenu_NRC* contextMenu = nullptr;
    HMENU popup = nullptr;
    auto cleanUp = [&] {
        busy_ = false;
        activeContextMenu_ = nullptr;
        if (popup) DestroyMenu(popup);
        if (contextMenu) contextMenu->Release();
    };
    try {
        std::vector<LPCITEMIDLIST> list = items;
        const HRESULT built =
            CreateItemContextMenu(GetTopFormHandle(this), currentFolder_,
                                  static_cast<UINT>(list.size()), list.data(), contextMenu, popup,
                                  flags, kShellFirstCommand);
        if (SUCCEEDED(built) && contextMenu) {
            activeContextMenu_ = contextMenu;
            const TPoint screen = ClientToScreen(clientPoint);
            const UINT command =
                static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.X,
                                                 screen.Y, 0, WindowHandle(), nullptr));
            if (command >= kShellFirstCommand) {
                const UINT offset = command - kShellFirstCommand;
                if (offset == FindVerbCommand(contextMenu, "rename")) {
                    EditItemCaption(renamed);
                } else {
                    InvokeItemCommand(GetTopFormHandle(this), contextMenu, offset);
                    if (IsFolderNetworkShare()) refreshPending_ = true;
                }
            } else if (command >= 1) {
                ProcessSendTo(static_cast<int>(command) - 1);
            }
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    if (refreshPending_) {
        refreshPending_ = false;
        RefreshItems();
    }
}

void TUiCustomShellList::ProcessMenuForAllSelected(TPoint clientPoint) {
    TListItem* focused = ItemFocused();
    TUiShellListData* data = GetDataFromItem(focused);
    const bool canRename = data && !data->GetPathName().IsEmpty() && !ReadOnly();
    RunMenu(SelectedIdLists(), CMF_EXPLORE | (canRename ? CMF_CANRENAME : 0), focused,
            clientPoint);
}

void TUiCustomShellList::ProcessMenu(TListItem* item, TPoint clientPoint) {
    TUiShellListData* data = GetDataFromItem(item);
    if (!data) return;
    RunMenu({data->RelPidl()}, CMF_EXPLORE | (ReadOnly() ? 0 : CMF_CANRENAME), item, clientPoint);
}

void TUiCustomShellList::ProcessSendTo(int index) {
    TStringList* targets = SendToList();
    if (!targets || index < 0 || index >= targets->Count()) return;
    auto* data = new TDataObject_shlv(this);
    data->AddRef();
    try {
        SendToTarget(targets->Strings(index), data);
    } catch (...) {
        data->Release();
        throw;
    }
    data->Release();
}

// ---------------------------------------------------------------------------------------------
// Keys, renaming and new folders

void TUiCustomShellList::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomListView::KeyDown(key, shift);
    if (!HasOption(sloDefaultKeyHandling) || IsEditing() || InState(csDesigning)) return;
    InitDefaultKeys();
    RunKeyCommand(ShortCut(key, shift), key);
}

void TUiCustomShellList::RunKeyCommand(TShortCut code, uint16_t& key) {
    const uint16_t received = key;
    key = 0;
    if (code == DefaultKeys[dkSelectAll].ShortCut) {
        SelectAll();
    } else if (code == DefaultKeys[dkRefresh].ShortCut) {
        FillItems();
    } else if (code == DefaultKeys[dkCopy].ShortCut) {
        DoCommandForAllSelected("copy");
    } else if (code == DefaultKeys[dkCut].ShortCut) {
        DoCommandForAllSelected("cut");
    } else if (code == DefaultKeys[dkPaste].ShortCut) {
        DoCommandForFolder("paste");
        RefreshItems();
    } else if (code == DefaultKeys[dkRename].ShortCut) {
        if (TListItem* focused = ItemFocused()) EditItemCaption(focused);
    } else if (code == DefaultKeys[dkDelete].ShortCut ||
               (code & ~scShift) == DefaultKeys[dkDelete].ShortCut) {
        DoCommandForAllSelected("delete");
        RefreshItems();
    } else {
        key = received;
    }
}

bool TUiCustomShellList::CanEdit(TListItem* item) {
    TUiShellListData* data = GetDataFromItem(item);
    if (!data) return TUiCustomListView::CanEdit(item);
    const bool allowed =
        data->GetEditable() && TUiCustomListView::CanEdit(item) && !InState(csDesigning);
    if (allowed) {
        AnsiString name;
        GetItemDisplayName(currentFolder_, data->RelPidl(), SHGDN_INFOLDER | SHGDN_FOREDITING,
                           name);
        if (HWND edit = EditHandle()) SetWindowTextA(edit, name.c_str());
    }
    return allowed;
}

void TUiCustomShellList::Edit(const LVITEMA& item) {
    TListItem* listItem =
        (item.mask & LVIF_PARAM) && item.lParam ? reinterpret_cast<TListItem*>(item.lParam)
                                                 : Items()->Item(item.iItem);
    TUiShellListData* data = GetDataFromItem(listItem);
    if (!data || !item.pszText) return TUiCustomListView::Edit(item);
    AnsiString text = Trim(AnsiString(item.pszText));
    if (OnEdited) OnEdited(this, listItem, text);
    {
        THourglass hourglass;
        skipNextNotification_ = true;
        LPITEMIDLIST newList = nullptr;
        const std::wstring wide = ShellWideText(text, MAX_PATH);
        if (SUCCEEDED(currentFolder_->SetNameOf(GetTopFormHandle(this), data->RelPidl(),
                                                wide.c_str(), kRenameFlags, &newList))) {
            if (newList) data->SetData(newList);
            listItem->SetCaption(
                ShellGetFriendlyNameFromIdList(currentFolder_, data->RelPidl(), fnInFolder));
        }
    }
    const bool pending = refreshPending_;
    refreshPending_ = false;
    if (pending) RefreshItems();
}

bool TUiCustomShellList::CreateNewFolder(bool editName) {
    skipNextNotification_ = true;
    AnsiString name;
    if (!UiShCreateNewFolder(folder_->GetPathName(), name)) return false;
    if (IsDesktopIdList(folder_->GetIdList())) WaitWithHourglass(2100);
    RefreshItems();
    if (editName) {
        newFolderName_ = name;
        PostMessageA(Handle(), AM_DEFERREDEDIT, 0, 0);
    }
    return true;
}

void TUiCustomShellList::DeferredEdit(TMessage&) {
    for (int i = 0; i < Items()->Count(); ++i) {
        TListItem* item = Items()->Item(i);
        TUiShellListData* data = GetDataFromItem(item);
        if (!data || data->GetDisplayName() != newFolderName_) continue;
        SetFocus();
        EditItemCaption(item);
        return;
    }
}
