#include "UiShellList.h"

#include <dbt.h>

#include <cstdint>
#include <cstring>

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
}

void TUiCustomShellList::Notification(TComponent* component, TOperation operation) {
    TUiCustomListView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == shellTree_) shellTree_ = nullptr;
}

void TUiCustomShellList::TreeChanged(TTreeNode* node) {
    if (!node || !node->Selected() || InState(csLoading) || !shellTree_) return;
    if (TUiShellTreeData* data = shellTree_->GetDataFromNode(node))
        folder_->SetIdList(data->GetAbsPidl());
}

void TUiCustomShellList::SetFolder(TUiShellLocator* locator) { folder_->Assign(locator); }

void TUiCustomShellList::Synchronize(bool all) {
    if (all && shellTree_) shellTree_->Synchronize(false);
    if (refreshTimer_->Enabled()) TimerElapsed(refreshTimer_);
}

void TUiCustomShellList::GoUp(int levels) {
    if (HasOption(sloDontChangeFolder)) return;
    if (shellTree_) return shellTree_->GoUp(levels);
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
        if (shellTree_) shellTree_->SetSelectedFolder(folder_);
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
    case WM_GETISHELLBROWSER:
        return GetIShellBrowser(message);
    case CM_DESIGNHITTEST:
        return DesignHitTest(message);
    case CM_WANTSPECIALKEY:
        return WantSpecialKey(message);
    case CN_NOTIFY:
        if (message.NMHdr()->code == LVN_GETDISPINFOA) return DisplayInfo(message);
        return TUiCustomListView::Dispatch(message);
    case WM_DESTROY:
        if (Columns()->Count() > 0 && rememberWidths_) SaveColumnWidths();
        FreeAndNil(changeWorker_);
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
