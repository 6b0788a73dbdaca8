#include "UiShellTree.h"

#include <dbt.h>

#include "UiShellCombo.h"
#include "UiShellDrives.h"
#include "UiShellList.h"
#include "UiShellPidls.h"
#include "UiShellUtils.h"
#include "cl_forms.h"
#include "cl_hourglass.h"
#include "cl_itemviews.h"
#include "cl_sys.h"

const TUiShellTreeOptions DefaultShellTreeOptions = {
    stoAutoFill,  stoVirtualFolders, stoDefaultKeyHandling, stoContextMenus, stoDynamicRefresh,
    stoOleDrag,   stoOleDrop,        stoShowHidden};

namespace {

enum TTimerWork { twIdle, twUpdateList, twRefresh };

constexpr ULONG kNodeAttributeQuery = 0xF20B0000;
constexpr SHGDNF kRenameFlags = 0x20;
constexpr DWORD kWatchFolders = FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr DWORD kWatchFoldersAndFiles = FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_FILE_NAME;

const std::vector<AnsiString> kOptionNames = {
    "stoAutoFill",     "stoVirtualFolders",    "stoDesignInteractive", "stoDefaultKeyHandling",
    "stoContextMenus", "stoDynamicRefresh",    "stoIncludeNonFolders", "stoOleDrag",
    "stoOleDrop",      "stoShowHidden"};

ULONG StreamAttribute() { return SHELL32_VER.High >= ModuleVersionHigh(6, 0) ? SFGAO_STREAM : 0; }

// The code of a comparison result as a signed order; 0 when the comparison failed.
int CompareResult(HRESULT result) {
    return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

const bool shellTreePropertiesRegistered = [] {
    using C = TUiShellTree;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, SubObjectProperty<C>("BaseFolder", &C::BaseFolder));
    TPropertyInfo options = SetProperty<C, TUiShellTreeOption>("Options", &C::Options,
                                                               &C::SetOptions, kOptionNames);
    options.DefaultText = "stoAutoFill,stoVirtualFolders,stoDefaultKeyHandling,stoContextMenus,"
                          "stoDynamicRefresh,stoOleDrag,stoOleDrop,stoShowHidden";
    RegisterProperty(meta, options);
    RegisterProperty(meta, OrdinalProperty<C>("ShowRoot", pkBool, &C::ShowRoot, &C::SetShowRoot,
                                              0));
    RegisterProperty(meta, ComponentProperty<C, TUiCustomShellList>("ShellList", &C::ShellList,
                                                                    &C::SetShellList));
    RegisterClasses({TUiShellTree::StaticClass()});
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and links

TUiCustomShellTree::TUiCustomShellTree(TComponent* owner)
    : TUiCustomTreeView(owner),
      baseFolder_(new TUiShellLocator),
      selectedFolder_(new TUiShellLocator),
      timer_(new TTimer(this)),
      images_(new TCustomImageList(this)) {
    timer_->SetEnabled(false);
    timer_->SetOnTimer(Bind(this, &TUiCustomShellTree::TimerElapsed));
    baseFolder_->OnChange = Bind(this, &TUiCustomShellTree::BaseFolderChanged);
    selectedFolder_->OnChange = Bind(this, &TUiCustomShellTree::SelectedFolderChanged);
    SetShowRoot(false);
    images_->SetShareImages(true);
    images_->SetHandle(ShellGetSystemImageList(iszSmall));
    SetImages(images_);
    UiDeviceChangeHandler()->Add(DeviceChangeMethod<&TUiCustomShellTree::DeviceChangeDetected>(this));
    SetBounds(Left(), Top(), 150, 150);
}

TUiCustomShellTree::~TUiCustomShellTree() {
    delete selectedFolder_;
    delete baseFolder_;
}

void TUiCustomShellTree::BeforeDestruction() {
    UiDeviceChangeHandler()->Remove(
        DeviceChangeMethod<&TUiCustomShellTree::DeviceChangeDetected>(this));
    StopChangeWorker();
    RevokeDropTarget();
    timer_->SetEnabled(false);
    {
        TNestingGuard ignore(ignoreChanges_);
        TUiCustomTreeView::BeforeDestruction();
    }
}

void TUiCustomShellTree::StopChangeWorker() { FreeAndNil(changeWorker_); }

void TUiCustomShellTree::SetShellList(TUiCustomShellList* list) {
    if (shellList_ && list != shellList_) {
        shellList_->SetShellTree(nullptr);
        shellList_->RemoveFreeNotification(this);
    }
    shellList_ = list;
    if (!shellList_) return;
    shellList_->SetShellTree(this);
    shellList_->FreeNotification(this);
    shellList_->SetFolder(selectedFolder_);
}

void TUiCustomShellTree::SetShellCombo(TUiCustomShellCombo* combo) {
    shellCombo_ = combo;
    if (combo) combo->FreeNotification(this);
}

void TUiCustomShellTree::Notification(TComponent* component, TOperation operation) {
    TUiCustomTreeView::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == shellList_) shellList_ = nullptr;
    if (component == shellCombo_) shellCombo_ = nullptr;
}

void TUiCustomShellTree::SetOptions(const TUiShellTreeOptions& options) {
    const TUiShellTreeOptions old = options_;
    options_ = options;
    if (!HandleAllocated()) return;
    if (old.count(stoOleDrop) != options_.count(stoOleDrop)) {
        if (HasOption(stoOleDrop))
            RegisterDropTarget();
        else
            RevokeDropTarget();
    }
    ChangeWindowStyle(WindowHandle(), TVS_DISABLEDRAGDROP,
                      !HasOption(stoOleDrag) && DragMode() != dmAutomatic);
    const bool refreshWas = old.count(stoDynamicRefresh) != 0;
    if (refreshWas == HasOption(stoDynamicRefresh)) return;
    if (!HasOption(stoDynamicRefresh)) {
        if (changeWorker_) changeWorker_->RemoveAllWatches();
    } else if (!InState(csDesigning)) {
        InstallChangeHandlersForAllLocalDrives();
    }
}

HWND TUiCustomShellTree::GetParentHWND() {
    return ignoreErrors_ > 0 ? nullptr : GetTopFormHandle(this);
}

// ---------------------------------------------------------------------------------------------
// Node data

TUiShellTreeData* TUiCustomShellTree::GetDataFromNode(TTreeNode* node) const {
    if (!node) return nullptr;
    auto* data = static_cast<TUiShellTreeData*>(node->Data());
    return ownData_.count(data) ? data : nullptr;
}

TUiShellTreeData* TUiCustomShellTree::GetShellTreeData(int index) {
    return GetDataFromNode(Items()->Item(index));
}

TUiShellTreeData* TUiCustomShellTree::GetSelectedItem() { return GetDataFromNode(Selected()); }

TTreeNode* TUiCustomShellTree::GetFirstRootLevelShellNode() const {
    for (int i = 0; i < Items()->RootCount(); ++i)
        if (NodeHasData(Items()->RootItem(i))) return Items()->RootItem(i);
    return nullptr;
}

AnsiString TUiCustomShellTree::GetSelectedPathName() {
    TUiShellTreeData* data = GetSelectedItem();
    return data ? data->GetPathName() : AnsiString();
}

void TUiCustomShellTree::SetSelectedPathName(const AnsiString& path) {
    if (ignoreChanges_ <= 0) selectedFolder_->SetPathName(path);
}

void TUiCustomShellTree::SetSelectedFolder(TUiShellLocator* locator) {
    if (InState(csLoading) || ignoreChanges_ > 0) {
        if (shellList_) shellList_->SetFolder(selectedFolder_);
        return;
    }
    selectedFolder_->Assign(locator);
}

void TUiCustomShellTree::SetBaseFolder(TUiShellLocator* locator) {
    if (!InState(csLoading)) baseFolder_->Assign(locator);
}

void TUiCustomShellTree::BaseFolderChanged(TObject*) {
    if (InState(csLoading)) return;
    selectedFolder_->Clear();
    if (!HasOption(stoAutoFill)) return;
    quickSelect_ = true;
    FillItems();
}

void TUiCustomShellTree::SelectedFolderChanged(TObject*) {
    if (Items()->Count() > 0) DoSetSelectedIdList(selectedFolder_->GetIdList());
}

// ---------------------------------------------------------------------------------------------
// Filling

void TUiCustomShellTree::FillStart() {
    if (OnFillStart) OnFillStart(this);
}

void TUiCustomShellTree::FillComplete() {
    if (OnFillComplete) OnFillComplete(this);
}

void TUiCustomShellTree::DoOnInsertItem(TTreeNode* node) {
    lastNode_ = node;
    if (OnInsertItem) OnInsertItem(this, node);
}

void TUiCustomShellTree::DeleteAllNodes() {
    TNestingGuard ignore(ignoreChanges_);
    SetSelected(nullptr);
    Items()->Clear();
}

void TUiCustomShellTree::FillItems() {
    if (deferRefresh_ || IsEditing()) {
        refreshDeferred_ = true;
        return;
    }
    THourglass hourglass;
    DeleteAllNodes();
    TUiInterfaceGuard<IShellFolder_NRC> folder;
    const HRESULT bound = ShellGetFolderFromIdList(baseFolder_->GetIdList(), folder.Out());
    if (FAILED(bound)) RaiseSysError(bound);
    try {
        FillTree(folder.Get(), nullptr);
        if (selectedFolder_->GetIdList())
            DoSetSelectedIdList(selectedFolder_->GetIdList());
        else if (TTreeNode* first = Items()->GetFirstNode())
            SetSelected(first);
    } catch (...) {
        Synchronize(false);
        throw;
    }
    Synchronize(false);
    if (HasOption(stoDynamicRefresh) && !InState(csDesigning))
        InstallChangeHandlersForAllLocalDrives();
}

void TUiCustomShellTree::FillTree(IShellFolder_NRC* folder, TTreeNode* node) {
    FillStart();
    TQuietErrorMode quiet;
    TUiPidlGuard parentList;
    TUiInterfaceGuard<IEnumIDList_NRC> enumerator;
    try {
        const bool makeRoot = !node;
        if (makeRoot) {
            parentList.Out() = CopyIdList(nullptr, baseFolder_->GetIdList());
            TUiShellTreeData* data = NewNodeData();
            data->SetData(nullptr, parentList.Get());
            node = Items()->AddObject(nullptr,
                                      ShellGetFriendlyNameForLastIdListElement(parentList.Get()),
                                      data);
            node->SetImageIndex(ShellGetIconIndex(parentList.Get(), SHGFI_SMALLICON));
            node->SetSelectedIndex(
                ShellGetIconIndex(parentList.Get(), SHGFI_SMALLICON | SHGFI_OPENICON));
            DoOnInsertItem(node);
        } else {
            parentList.Out() = CopyIdList(nullptr, GetDataFromNode(node)->GetAbsPidl());
        }
        const DWORD flags = SHCONTF_FOLDERS |
                            (HasOption(stoIncludeNonFolders) ? SHCONTF_NONFOLDERS : 0) |
                            (HasOption(stoShowHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
        if (FAILED(folder->EnumObjects(GetParentHWND(), flags, &enumerator.Out())) ||
            !enumerator.Get()) {
            node->SetHasChildren(true);
            Abort();
        }
        HRESULT next;
        LPITEMIDLIST item = nullptr;
        ULONG fetched = 0;
        while ((next = enumerator->Next(1, &item, &fetched)) == S_OK) {
            TUiPidlGuard itemGuard(item);
            OleCheck(AddNewShellNode(folder, parentList.Get(), node, item));
        }
        if (node->Count() == 0) node->SetHasChildren(false);
        if (next != S_FALSE) {
            if (next == E_FAIL) Abort();
            RaiseSysError(next);
        }
        SortNode(node);
        if (makeRoot) node->Expand(false);
    } catch (...) {
        FillComplete();
        throw;
    }
    FillComplete();
}

HRESULT TUiCustomShellTree::AddNewShellNode(IShellFolder_NRC* parentFolder,
                                            LPCITEMIDLIST parentAbsIdList, TTreeNode* parentNode,
                                            LPCITEMIDLIST itemRelIdList) {
    if (!itemRelIdList) return S_OK;
    ULONG attributes = kNodeAttributeQuery | StreamAttribute();
    LPCITEMIDLIST items[] = {itemRelIdList};
    const HRESULT asked = parentFolder->GetAttributesOf(1, items, &attributes);
    if (FAILED(asked)) return asked;
    const bool considered = HasOption(stoVirtualFolders) ||
                            (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
    if (!considered || !CanAdd(parentFolder, parentAbsIdList, itemRelIdList, attributes))
        return S_OK;
    AnsiString text;
    GetItemDisplayName(parentFolder, itemRelIdList, SHGDN_INFOLDER, text);
    TUiShellTreeData* data = NewNodeData();
    data->SetData(GetDataFromNode(parentNode), itemRelIdList);
    TTreeNode* node = parentNode ? Items()->AddChildObject(parentNode, text, data)
                                 : Items()->AddObject(nullptr, text, data);
    node->SetImageIndex(0);
    const bool folder = UiShIsFolder(attributes, false);
    const bool subfolders = (attributes & SFGAO_HASSUBFOLDER) != 0;
    node->SetHasChildren(HasOption(stoIncludeNonFolders) ? folder || subfolders
                                                         : folder && subfolders);
    if (attributes & SFGAO_SHARE)
        node->SetOverlayIndex(0);
    else if (attributes & SFGAO_LINK)
        node->SetOverlayIndex(1);
    if (attributes & SFGAO_HIDDEN) node->SetCut(true);
    DoOnInsertItem(node);
    return S_OK;
}

TUiShellTreeData* TUiCustomShellTree::NewNodeData() {
    auto* data = new TUiShellTreeData(this);
    ownData_.insert(data);
    return data;
}

bool TUiCustomShellTree::CanAdd(IShellFolder_NRC* parentFolder, LPCITEMIDLIST parentAbsIdList,
                                LPCITEMIDLIST itemRelIdList, ULONG attributes) {
    bool allow = true;
    if (OnAddItem)
        OnAddItem(this, parentFolder, parentAbsIdList, itemRelIdList, attributes, allow);
    return allow;
}

bool TUiCustomShellTree::CanExpand(TTreeNode* node) {
    if (eatExpand_) return false;
    if (!TUiCustomTreeView::CanExpand(node)) return false;
    ExpandNode(node);
    return true;
}

void TUiCustomShellTree::ExpandNode(TTreeNode* node) {
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data || !node->HasChildren() || node->Count() > 0) return;
    IShellFolder_NRC* folder = data->GetThisIShf();
    if (!folder) return;
    THourglass hourglass;
    FillTree(folder, node);
}

void TUiCustomShellTree::SortNode(TTreeNode* node) {
    const TTVCompare compare = [this](TTreeNode* a, TTreeNode* b) {
        TUiShellTreeData* first = GetDataFromNode(a);
        TUiShellTreeData* second = GetDataFromNode(b);
        if (!first || !second) return 0;
        IShellFolder_NRC* folder = first->GetParentIShf();
        if (!folder) return 0;
        return CompareResult(folder->CompareIDs(0, first->RelPidl(), second->RelPidl()));
    };
    if (node)
        node->CustomSort(compare);
    else
        Items()->CustomSort(compare);
}

// ---------------------------------------------------------------------------------------------
// Icons

void TUiCustomShellTree::GetImageIndex(TTreeNode* node) {
    if (node->ImageIndex() == 0)
        if (TUiShellTreeData* data = GetDataFromNode(node))
            node->SetImageIndex(ShellGetIconIndex(data->GetAbsPidl(), SHGFI_SMALLICON));
    TUiCustomTreeView::GetImageIndex(node);
}

void TUiCustomShellTree::GetSelectedIndex(TTreeNode* node) {
    if (node->SelectedIndex() <= 0)
        if (TUiShellTreeData* data = GetDataFromNode(node))
            node->SetSelectedIndex(
                ShellGetIconIndex(data->GetAbsPidl(), SHGFI_SMALLICON | SHGFI_OPENICON));
    TUiCustomTreeView::GetSelectedIndex(node);
}

// ---------------------------------------------------------------------------------------------
// Selection and the linked controls

void TUiCustomShellTree::Change(TTreeNode* node) {
    TUiShellTreeData* data = GetDataFromNode(node);
    if (ignoreChanges_ > 0 || InState(csLoading)) {
        if (data) selectedFolder_->SetIdList(data->GetAbsPidl());
        return;
    }
    TUiCustomTreeView::Change(node);
    if (!data) return;
    if (quickSelect_ || !shellList_) {
        TellLinkedControls(node);
        quickSelect_ = false;
    } else {
        StartTimer(twUpdateList, 500);
    }
}

void TUiCustomShellTree::TellLinkedControls(TTreeNode* node) {
    TNestingGuard ignore(ignoreChanges_);
    selectedFolder_->SetIdList(GetDataFromNode(node)->GetAbsPidl());
    if (shellList_) shellList_->TreeChanged(node);
    if (shellCombo_) shellCombo_->TreeChanged(node);
}

void TUiCustomShellTree::StartTimer(int tag, unsigned interval) {
    timer_->SetEnabled(false);
    timer_->SetTag(tag);
    timer_->SetInterval(interval);
    timer_->SetEnabled(true);
}

void TUiCustomShellTree::TimerElapsed(TObject*) {
    timer_->SetEnabled(false);
    const int work = timer_->Tag();
    timer_->SetTag(twIdle);
    if (work == twUpdateList) {
        TTreeNode* node = Selected();
        if (NodeHasData(node)) TellLinkedControls(node);
    } else if (work == twRefresh) {
        RefreshNodes();
    }
}

void TUiCustomShellTree::Synchronize(bool all) {
    if (all && shellList_) shellList_->Synchronize(false);
    if (all && shellCombo_) shellCombo_->Synchronize(false);
    if (timer_->Enabled()) TimerElapsed(timer_);
}

TTreeNode* TUiCustomShellTree::FindNodeWithIdList(TTreeNode* parentNode, LPCITEMIDLIST relIdList) {
    if (!parentNode) return GetFirstRootLevelShellNode();
    TUiShellTreeData* parentData = GetDataFromNode(parentNode);
    IShellFolder_NRC* folder = parentData ? parentData->GetThisIShf() : nullptr;
    if (!folder) return nullptr;
    for (TTreeNode* child = parentNode->GetFirstChild(); child; child = child->GetNextSibling()) {
        TUiShellTreeData* data = GetDataFromNode(child);
        if (!data) continue;
        const HRESULT result = folder->CompareIDs(0, data->RelPidl(), relIdList);
        if (SUCCEEDED(result) && HRESULT_CODE(result) == 0) return child;
    }
    return nullptr;
}

void TUiCustomShellTree::DoSetSelectedIdList(LPCITEMIDLIST absIdList) {
    if (ignoreChanges_ > 0) return;
    quickSelect_ = true;
    TUiIdListArray base(baseFolder_->GetIdList());
    TUiIdListArray target(absIdList);
    WithinUpdate(*Items(), [&] {
        TTreeNode* node = GetFirstRootLevelShellNode();
        if (!node) return;
        if (IsDesktopIdList(absIdList)) return SetSelected(node);
        if (target.GetCount() <= base.GetCount()) {
            SetSelected(node);
            return node->Expand(false);
        }
        node->Expand(false);
        const bool expandLast =
            shellList_ && shellList_->HasOption(sloHideFoldersWhenLinkedToTree);
        for (int i = base.GetCount(); i < target.GetCount(); ++i) {
            TUiPidlGuard element(CopyIdList(nullptr, target.GetItem(i)));
            TTreeNode* child = FindNodeWithIdList(node, element.Get());
            if (!child) {
                TUiShellTreeData* data = GetDataFromNode(node);
                IShellFolder_NRC* folder = data ? data->GetThisIShf() : nullptr;
                lastNode_ = nullptr;
                if (folder &&
                    SUCCEEDED(AddNewShellNode(folder, data->GetAbsPidl(), node, element.Get())))
                    child = lastNode_;
                if (!child) {
                    MessageBeep(static_cast<UINT>(-1));
                    break;
                }
            }
            if (i < target.GetCount() - 1 || expandLast) child->Expand(false);
            node = child;
        }
        SetSelected(node);
    });
    if (TTreeNode* selected = Selected()) selected->MakeVisible();
}

void TUiCustomShellTree::GoUp(int levels) {
    TTreeNode* node = Selected();
    if (!node || !node->Parent()) return;
    for (int i = 0; i < levels && node->Parent(); ++i) node = node->Parent();
    quickSelect_ = true;
    SetSelected(node);
}

// ---------------------------------------------------------------------------------------------
// Refresh

void TUiCustomShellTree::RefreshNodes() {
    if (deferRefresh_ || IsEditing()) {
        refreshDeferred_ = true;
        return;
    }
    if (Items()->Count() == 0) return FillItems();
    THourglass hourglass;
    FillStart();
    TTreeNode* remembered = nullptr;
    auto finish = [&] {
        --ignoreChanges_;
        if (remembered) {
            quickSelect_ = true;
            SetSelected(remembered);
        }
        FillComplete();
    };
    ++ignoreChanges_;
    try {
        remembered = Selected();
        SetSelected(nullptr);
        WithinUpdate(*Items(), [&] {
            if (TTreeNode* root = GetFirstRootLevelShellNode()) RefreshNode(root, remembered);
        });
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TUiCustomShellTree::RefreshNode(TTreeNode* node, TTreeNode*& remembered) {
    if (node->HasChildren() && node->Count() == 0) return;
    TUiShellTreeData* data = GetDataFromNode(node);
    IShellFolder_NRC* folder = data ? data->GetThisIShf() : nullptr;
    if (!folder) return;
    TUiPidlList shown;
    shown.SetShellFolder(folder);
    shown.SetDuplicates(dupAccept);
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        if (TUiShellTreeData* childData = GetDataFromNode(child))
            shown.AddObject(const_cast<LPITEMIDLIST>(childData->RelPidl()), child);
    shown.SetSorted(true);
    TUiPidlList found;
    found.SetMalloc(ShellIMalloc());
    {
        TQuietErrorMode quiet;
        const DWORD flags = SHCONTF_FOLDERS |
                            (HasOption(stoIncludeNonFolders) ? SHCONTF_NONFOLDERS : 0) |
                            (HasOption(stoShowHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
        TUiInterfaceGuard<IEnumIDList_NRC> enumerator;
        if (SUCCEEDED(folder->EnumObjects(nullptr, flags, &enumerator.Out())) && enumerator.Get()) {
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
    for (int i = shown.GetCount() - 1; i >= 0; --i) {
        auto* gone = static_cast<TTreeNode*>(shown.GetObject(i));
        if (remembered && (remembered == gone || remembered->HasAsParent(gone))) remembered = node;
        Items()->Delete(gone);
    }
    for (int i = 0; i < found.GetCount(); ++i)
        OleCheck(AddNewShellNode(folder, data->GetAbsPidl(), node, found.GetPIDL(i)));
    if (found.GetCount() > 0) SortNode(node);
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        RefreshNode(child, remembered);
}

// ---------------------------------------------------------------------------------------------
// Watching drives

void TUiCustomShellTree::InstallChangeHandler(const AnsiString& path) {
    if (!changeWorker_) changeWorker_ = new TChangeHandlerThread(Handle(), AM_CHANGENOTIFY);
    if (path.IsEmpty()) return changeWorker_->RemoveAllWatches();
    int slot = -1;
    changeWorker_->AddWatch(ExtractFileDrive(path) + "\\",
                            HasOption(stoIncludeNonFolders) ? kWatchFoldersAndFiles : kWatchFolders,
                            slot, true);
}

void TUiCustomShellTree::InstallChangeHandlersForAllLocalDrives() {
    if (!changeWorker_) changeWorker_ = new TChangeHandlerThread(Handle(), AM_CHANGENOTIFY);
    changeWorker_->RemoveAllWatches();
    const DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        const char letter = static_cast<char>('A' + i);
        const AnsiString root = AnsiString(letter) + ":\\";
        const UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK ||
            (type == DRIVE_REMOTE && IsNetworkDriveConnected(letter)))
            InstallChangeHandler(root);
    }
}

void TUiCustomShellTree::ChangeNotify(TMessage&) {
    if (ignoreNextChangeNotification_ || deferRefresh_) {
        ignoreNextChangeNotification_ = false;
        return;
    }
    StartTimer(twRefresh, Focused() ? 400 : 2000);
}

void TUiCustomShellTree::DeviceChangeDetected(TObject*, TMessage& message) {
    if (message.WParam != DBT_DEVICEARRIVAL && message.WParam != DBT_DEVICEREMOVECOMPLETE) return;
    FlushDriveInfoCache();
    LockFlushDriveInfoCache();
    try {
        RefreshNodes();
    } catch (...) {
        UnlockFlushDriveInfoCache();
        throw;
    }
    UnlockFlushDriveInfoCache();
}

bool TUiCustomShellTree::CreateNewFolder(bool) {
    ignoreNextChangeNotification_ = true;
    AnsiString name;
    if (!UiShCreateNewFolder(GetSelectedPathName(), name)) return false;
    WaitWithHourglass(IsDesktopIdList(selectedFolder_->GetIdList()) ? 2100 : 1000);
    RefreshNodes();
    if (TTreeNode* selected = Selected()) {
        ExpandNode(selected);
        selected->Expand(false);
        for (TTreeNode* child = selected->GetFirstChild(); child; child = child->GetNextSibling())
            if (child->Text() == name) {
                child->EditText();
                break;
            }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Window life cycle

void TUiCustomShellTree::CreateParams(TCreateParams& params) {
    TUiCustomTreeView::CreateParams(params);
    if (HasOption(stoOleDrag)) params.Style &= ~TVS_DISABLEDRAGDROP;
}

void TUiCustomShellTree::CreateWnd() {
    TUiCustomTreeView::CreateWnd();
    if (!InState(csDesigning) && HasOption(stoOleDrop)) RegisterDropTarget();
    if (InState(csLoading)) return;
    if (HasOption(stoAutoFill) && Items()->Count() == 0)
        PostMessageA(WindowHandle(), AM_DEFERREDFILL, 0, 0);
    if (shellList_) shellList_->SetFolder(selectedFolder_);
}

void TUiCustomShellTree::Loaded() {
    if (HasOption(stoAutoFill) && !shellCombo_) {
        if (Items()->Count() == 0) FillItems();
        if (shellList_) shellList_->SetFolder(selectedFolder_);
    }
    eatExpand_ = true;
    try {
        TUiCustomTreeView::Loaded();
    } catch (...) {
        eatExpand_ = false;
        throw;
    }
    eatExpand_ = false;
}

void TUiCustomShellTree::DestroyWnd() {
    deletingNodes_ = true;
    if (!settingParent_) Items()->BeginUpdate();
    try {
        DeleteAllNodes();
        TUiCustomTreeView::DestroyWnd();
    } catch (...) {
        if (!settingParent_) Items()->EndUpdate();
        deletingNodes_ = false;
        throw;
    }
    if (!settingParent_) Items()->EndUpdate();
    deletingNodes_ = false;
}

void TUiCustomShellTree::SetParent(TWinControl* parent) {
    settingParent_ = true;
    try {
        TUiCustomTreeView::SetParent(parent);
    } catch (...) {
        settingParent_ = false;
        throw;
    }
    settingParent_ = false;
}

void TUiCustomShellTree::Delete(TTreeNode* node) {
    if (TUiShellTreeData* data = GetDataFromNode(node)) {
        if (OnDeleteItem) OnDeleteItem(this, node, data);
        node->SetData(nullptr);
        ownData_.erase(data);
        delete data;
    }
    if (lastNode_ == node) lastNode_ = nullptr;
    TUiCustomTreeView::Delete(node);
}

bool TUiCustomShellTree::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    return TUiCustomTreeView::DoMouseWheelDown(shift, mousePos) ||
           ::ScrollByWheel(this, SB_VERT, SB_LINEDOWN, SB_PAGEDOWN);
}

bool TUiCustomShellTree::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    return TUiCustomTreeView::DoMouseWheelUp(shift, mousePos) ||
           ::ScrollByWheel(this, SB_VERT, SB_LINEUP, SB_PAGEUP);
}

void TUiCustomShellTree::DesignHitTest(TMessage& message) {
    message.Result = 0;
    if (!HasOption(stoDesignInteractive)) return;
    const int x = static_cast<short>(LOWORD(message.LParam));
    const int y = static_cast<short>(HIWORD(message.LParam));
    const THitTests hits = GetHitTestInfoAt(x, y);
    if (hits.count(htOnItem) || hits.count(htOnButton) || hits.count(htToRight) ||
        x > ClientWidth())
        message.Result = 1;
}

void TUiCustomShellTree::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case AM_CHANGENOTIFY:
        return ChangeNotify(message);
    case AM_DEFERREDFILL:
        if (Items()->Count() == 0) FillItems();
        return;
    case CM_DESIGNHITTEST:
        return DesignHitTest(message);
    case CN_NOTIFY:
        switch (message.NMHdr()->code) {
        case TVN_BEGINDRAGA:
        case TVN_BEGINDRAGW:
            return BeginDragNotify(message, mbLeft);
        case TVN_BEGINRDRAGA:
        case TVN_BEGINRDRAGW:
            return BeginDragNotify(message, mbRight);
        case static_cast<UINT>(NM_CLICK):
            quickSelect_ = true;
            break;
        default:
            break;
        }
        return TUiCustomTreeView::Dispatch(message);
    case CM_WANTSPECIALKEY:
        TUiCustomTreeView::Dispatch(message);
        if (IsEditing()) message.Result = 1;
        return;
    case WM_INITMENUPOPUP:
        TUiCustomTreeView::Dispatch(message);
        return HandleInitMenuPopup(message, activeContextMenu_);
    case WM_DRAWITEM:
        TUiCustomTreeView::Dispatch(message);
        return HandleDrawItem(message, activeContextMenu_, ShellGetSystemImageList(iszSmall));
    case WM_MEASUREITEM:
        TUiCustomTreeView::Dispatch(message);
        return HandleMeasureItem(message, activeContextMenu_);
    case WM_MENUCHAR:
        TUiCustomTreeView::Dispatch(message);
        return HandleMenuChar(message, activeContextMenu_);
    case WM_MENUSELECT:
        TUiCustomTreeView::Dispatch(message);
        return HandleMenuSelect(message, activeContextMenu_, this, OnPopupHint);
    case WM_PAINT: {
        if (deletingNodes_) return TUiCustomTreeView::Dispatch(message);
        HIMAGELIST system = ShellGetSystemImageList(iszSmall);
        const COLORREF old = ImageList_SetBkColor(system, ColorToRGB(Color()));
        try {
            TUiCustomTreeView::Dispatch(message);
        } catch (...) {
            ImageList_SetBkColor(system, old);
            throw;
        }
        ImageList_SetBkColor(system, old);
        return;
    }
    case WM_WINDOWPOSCHANGED:
        if (!deletingNodes_) TUiCustomTreeView::Dispatch(message);
        return;
    case WM_NCHITTEST:
        return DefaultHandler(message);
    case WM_NCDESTROY: {
        {
            TNestingGuard ignore(ignoreChanges_);
            RevokeDropTarget();
            StopChangeWorker();
        }
        return TUiCustomTreeView::Dispatch(message);
    }
    default:
        TUiCustomTreeView::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// Drag and drop

TDataObject_shtv::TDataObject_shtv(TUiCustomShellTree* tree, TTreeNode* node) {
    TUiShellTreeData* data = tree->GetDataFromNode(node);
    if (!data) return;
    IShellFolder_NRC* parentFolder = data->GetParentIShf();
    // A root stands in the folder its absolute list leads through.
    TUiPidlGuard rootParent;
    LPCITEMIDLIST parent;
    if (TUiShellTreeData* parentData = data->ParentData()) {
        parent = parentData->GetAbsPidl();
    } else {
        rootParent.Out() = CopyIdList(nullptr, TUiIdListArray(data->GetAbsPidl()).GoUp(1));
        parent = rootParent.Get();
    }
    AnsiString path;
    if (parentFolder) GetItemDisplayName(parentFolder, data->RelPidl(), SHGDN_FORPARSING, path);
    std::vector<AnsiString> paths;
    if (!path.IsEmpty()) paths.push_back(path);
    Build(parent, {data->RelPidl()}, paths);
}

void TUiCustomShellTree::RegisterDropTarget() {
    if (dropTarget_ || !HandleAllocated()) return;
    RegisterWindowDropTarget(WindowHandle(), new TDropTarget_shtv(this), dropTarget_);
}

void TUiCustomShellTree::RevokeDropTarget() {
    if (!dropTarget_) return;
    RevokeWindowDropTarget(HandleAllocated() ? WindowHandle() : nullptr, dropTarget_);
}

void TUiCustomShellTree::BeginDragNotify(TMessage& message, TMouseButton button) {
    if (!HasOption(stoOleDrag)) return TUiCustomTreeView::Dispatch(message);
    const auto* info = reinterpret_cast<const NMTREEVIEWA*>(message.LParam);
    dragNode_ = Items()->GetNode(info->itemNew.hItem);
    SetDropTarget(dragNode_);
    try {
        if (NodeHasData(dragNode_) && dragNode_->Parent()) OleBeginDrag(button);
    } catch (...) {
        dragNode_ = nullptr;
        SetDropTarget(nullptr);
        throw;
    }
    dragNode_ = nullptr;
    SetDropTarget(nullptr);
}

IDropSource_NRC* TUiCustomShellTree::CreateIDropSource(TMouseButton button, IDataObject_NRC*) {
    auto* source = new TDropSource_shlvtv(button);
    source->AddRef();
    return source;
}

DWORD TUiCustomShellTree::GetDragDropAttributesForNode(TTreeNode* node) {
    constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data) return kAll;
    ULONG attributes = kAll;
    if (node->Parent()) {
        IShellFolder_NRC* folder = data->GetParentIShf();
        LPCITEMIDLIST items[] = {data->RelPidl()};
        if (!folder || FAILED(folder->GetAttributesOf(1, items, &attributes))) return kAll;
        return attributes & kAll;
    }
    TUiPidlGuard parent;
    TUiPidlGuard last;
    SplitDesktopDirectory(parent.Out(), last.Out());
    TUiInterfaceGuard<IShellFolder_NRC> folder;
    LPCITEMIDLIST items[] = {last.Get()};
    if (FAILED(ShellGetFolderFromIdList(parent.Get(), folder.Out())) ||
        FAILED(folder->GetAttributesOf(1, items, &attributes)))
        return kAll;
    return attributes & kAll;
}

void TUiCustomShellTree::OleBeginDrag(TMouseButton button) {
    deferRefresh_ = true;
    auto* data = new TDataObject_shtv(this, dragNode_);
    data->AddRef();
    dragData_ = data;
    IDropSource_NRC* source = nullptr;
    bool refresh = false;
    auto cleanUp = [&] {
        deferRefresh_ = false;
        refreshDeferred_ = false;
        if (source) source->Release();
        dragData_ = nullptr;
        data->Release();
    };
    try {
        const DWORD allowed = GetDragDropAttributesForNode(dragNode_);
        source = CreateIDropSource(button, data);
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = DoDragDrop(data, source, allowed, &effect);
        refresh = result == DRAGDROP_S_DROP || refreshDeferred_;
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    if (refresh) RefreshNodes();
}

TTreeNode* TUiCustomShellTree::NodeAtScreen(POINTL point, TPoint& clientPoint) {
    clientPoint = ScreenToClient(TPoint(point.x, point.y));
    return GetNodeAt(clientPoint.X, clientPoint.Y);
}

void TUiCustomShellTree::HighlightDropNode(TTreeNode* node) { SetDropTarget(node); }

void TUiCustomShellTree::ReleaseLastDropData() {
    if (lastDropData_) lastDropData_->Release();
    lastDropData_ = nullptr;
}

HRESULT TUiCustomShellTree::OnDropTarget_DragEnter(IDataObject_NRC* data, DWORD keyState,
                                                   POINTL point, DWORD& effect) {
    lastScrollTick_ = GetTickCount();
    ReleaseLastDropData();
    lastDropData_ = data;
    if (lastDropData_) lastDropData_->AddRef();
    initialDropKeyState_ = keyState;
    HRESULT result = S_OK;
    TTreeNode* node = NodeAtScreen(point, hoverPoint_);
    TUiShellTreeData* nodeData = GetDataFromNode(node);
    if (!nodeData || !node->Parent()) {
        HighlightDropNode(dragNode_);
        effect = DROPEFFECT_NONE;
        return result;
    }
    HighlightDropNode(node);
    TUiInterfaceGuard<IDropTarget_NRC> target;
    if (SUCCEEDED(nodeData->GetIDropTarget(GetParentHWND(), target.Out())) && target.Get()) {
        result = target->DragEnter(data, keyState, point, &effect);
        target->DragLeave();
    } else {
        effect = DROPEFFECT_NONE;
    }
    return result;
}

HRESULT TUiCustomShellTree::OnDropTarget_DragOver(DWORD keyState, POINTL point, DWORD& effect) {
    TTreeNode* highlighted = DropTarget();
    TPoint client;
    TTreeNode* node = NodeAtScreen(point, client);
    HRESULT result = S_OK;
    if (TUiShellTreeData* nodeData = GetDataFromNode(node)) {
        HighlightDropNode(node);
        TUiInterfaceGuard<IDropTarget_NRC> target;
        if (SUCCEEDED(nodeData->GetIDropTarget(GetParentHWND(), target.Out())) && target.Get()) {
            target->DragEnter(lastDropData_, keyState, point, &effect);
            result = target->DragOver(keyState, point, &effect);
            target->DragLeave();
        } else {
            effect = DROPEFFECT_NONE;
        }
    } else {
        effect = DROPEFFECT_NONE;
        HighlightDropNode(dragNode_);
    }
    DoDropTargetAutoscroll(client);
    effect |= DROPEFFECT_SCROLL;
    if (DropTarget() != highlighted) Update();
    return result;
}

HRESULT TUiCustomShellTree::OnDropTarget_DragLeave() {
    ReleaseLastDropData();
    HighlightDropNode(nullptr);
    return S_OK;
}

HRESULT TUiCustomShellTree::OnDropTarget_Drop(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                              DWORD& effect) {
    TPoint client;
    TTreeNode* node = NodeAtScreen(point, client);
    TUiShellTreeData* nodeData = GetDataFromNode(node);
    TUiInterfaceGuard<IDropTarget_NRC> target;
    HRESULT result = S_OK;
    auto cleanUp = [&] {
        HighlightDropNode(nullptr);
        ReleaseLastDropData();
    };
    try {
        if (nodeData && SUCCEEDED(nodeData->GetIDropTarget(GetParentHWND(), target.Out())) &&
            target.Get()) {
            keyState |= initialDropKeyState_ & (MK_LBUTTON | MK_RBUTTON);
            result = DeliverDrop(target.Get(), data, keyState, point, effect);
            RefreshNodes();
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

void TUiCustomShellTree::DoDropTargetAutoscroll(TPoint clientPoint) {
    const DWORD now = GetTickCount();
    if (now - lastScrollTick_ > 100) {
        bool moved = false;
        if (clientPoint.X < 26)
            moved = ScrollOneStep(this, SB_HORZ, SB_LINELEFT) || moved;
        else if (clientPoint.X > ClientWidth() - 26)
            moved = ScrollOneStep(this, SB_HORZ, SB_LINERIGHT) || moved;
        if (clientPoint.Y < 20)
            moved = ScrollOneStep(this, SB_VERT, SB_LINEUP) || moved;
        else if (clientPoint.Y > ClientHeight() - 20)
            moved = ScrollOneStep(this, SB_VERT, SB_LINEDOWN) || moved;
        if (moved) hoverTick_ = now;
        lastScrollTick_ = now;
    }
    const TUiShellControlsUnit& unit = ShellControlsUnit();
    const int width = static_cast<int>(unit.MouseHoverWidth);
    const int height = static_cast<int>(unit.MouseHoverHeight);
    const bool inside = clientPoint.X >= hoverPoint_.X - width / 2 &&
                        clientPoint.X < hoverPoint_.X + width &&
                        clientPoint.Y >= hoverPoint_.Y - height / 2 &&
                        clientPoint.Y < hoverPoint_.Y + height;
    if (inside && now - hoverTick_ <= unit.MouseHoverTime) return;
    if (inside) {
        TTreeNode* node = GetNodeAt(hoverPoint_.X, hoverPoint_.Y);
        if (node && node->HasChildren() && node->Count() == 0) {
            TNestingGuard quiet(ignoreErrors_);
            try {
                node->Expand(false);
            } catch (...) {
                node->SetHasChildren(false);
            }
        }
    }
    hoverPoint_ = clientPoint;
    hoverTick_ = now;
}

// ---------------------------------------------------------------------------------------------
// Context menu and commands

void TUiCustomShellTree::NodeContextMenu(TTreeNode* node, TPoint& pos, TPopupMenu*& menu) {
    TUiCustomTreeView::NodeContextMenu(node, pos, menu);
    if (!HasOption(stoContextMenus) || InState(csDesigning) || !node) return;
    ProcessMenu(node, pos);
    menu = nullptr;
}

void TUiCustomShellTree::ProcessMenu(TTreeNode* node, TPoint clientPoint) {
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data || IsDesktopIdList(data->GetAbsPidl())) return;
    IShellFolder_NRC* parent = data->GetParentIShf();
    if (!parent) return;
    IContextMenu_NRC* contextMenu = nullptr;
    HMENU popup = nullptr;
    auto cleanUp = [&] {
        deferRefresh_ = false;
        if (contextMenu) contextMenu->Release();
        activeContextMenu_ = nullptr;
        if (popup) DestroyMenu(popup);
    };
    try {
        LPCITEMIDLIST items[] = {data->RelPidl()};
        const HRESULT built = CreateItemContextMenu(
            GetParentHWND(), parent, 1, items, contextMenu, popup,
            CMF_EXPLORE | (ReadOnly() ? 0 : CMF_CANRENAME), kShellFirstCommand);
        deferRefresh_ = true;
        if (SUCCEEDED(built) && contextMenu) {
            activeContextMenu_ = contextMenu;
            const TPoint screen = ClientToScreen(clientPoint);
            const UINT command =
                static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.X,
                                                 screen.Y, 0, WindowHandle(), nullptr));
            if (command >= kShellFirstCommand) {
                const UINT offset = command - kShellFirstCommand;
                if (offset == FindVerbCommand(contextMenu, "rename")) {
                    node->EditText();
                } else {
                    InvokeItemCommand(GetParentHWND(), contextMenu, offset);
                    refreshDeferred_ = true;
                }
            } else if (command >= 1) {
                ProcessSendTo(node, static_cast<int>(command) - 1);
            }
        }
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
    if (refreshDeferred_) {
        refreshDeferred_ = false;
        RefreshNodes();
    }
}

void TUiCustomShellTree::ProcessSendTo(TTreeNode* node, int index) {
    TStringList* targets = SendToList();
    if (!targets || index < 0 || index >= targets->Count()) return;
    auto* data = new TDataObject_shtv(this, node);
    data->AddRef();
    try {
        SendToTarget(targets->Strings(index), data);
    } catch (...) {
        data->Release();
        throw;
    }
    data->Release();
}

HRESULT TUiCustomShellTree::DoCommandForNode(TTreeNode* node, const char* verb) {
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data || !node->Parent()) return S_FALSE;
    IShellFolder_NRC* parent = data->GetParentIShf();
    if (!parent) return S_FALSE;
    TUiInterfaceGuard<IContextMenu_NRC> contextMenu;
    LPCITEMIDLIST items[] = {data->RelPidl()};
    OleCheck(parent->GetUIObjectOf(GetParentHWND(), 1, items, IID_IContextMenu, nullptr,
                                   contextMenu.OutVoid()));
    const HRESULT result = InvokeItemCommand(GetParentHWND(), contextMenu.Get(), verb);
    RefreshNodes();
    return result;
}

// ---------------------------------------------------------------------------------------------
// Keys and renaming

void TUiCustomShellTree::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomTreeView::KeyDown(key, shift);
    if (IsEditing() || InState(csDesigning) || !HasOption(stoDefaultKeyHandling)) return;
    InitDefaultKeys();
    RunKeyCommand(ShortCut(key, shift), key);
}

void TUiCustomShellTree::RunKeyCommand(TShortCut code, uint16_t& key) {
    const uint16_t received = key;
    key = 0;
    TTreeNode* selected = Selected();
    if (code == DefaultKeys[dkRename].ShortCut) {
        if (selected) selected->EditText();
    } else if (code == DefaultKeys[dkRefresh].ShortCut) {
        RefreshNodes();
    } else if (code == DefaultKeys[dkCut].ShortCut) {
        DoCommandForNode(selected, "cut");
    } else if (code == DefaultKeys[dkCopy].ShortCut) {
        DoCommandForNode(selected, "copy");
    } else if (code == DefaultKeys[dkPaste].ShortCut) {
        DoCommandForNode(selected, "paste");
    } else if (code == DefaultKeys[dkDelete].ShortCut ||
               (code & ~scShift) == DefaultKeys[dkDelete].ShortCut) {
        DoCommandForNode(selected, "delete");
    } else {
        key = received;
    }
}

bool TUiCustomShellTree::CanEdit(TTreeNode* node) {
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data) return TUiCustomTreeView::CanEdit(node);
    const bool allowed = data->GetEditable() && TUiCustomTreeView::CanEdit(node) &&
                         !InState(csDesigning);
    if (allowed) {
        AnsiString name;
        if (IShellFolder_NRC* parent = data->GetParentIShf())
            GetItemDisplayName(parent, data->RelPidl(), SHGDN_INFOLDER | SHGDN_FOREDITING, name);
        if (HWND edit = EditHandle()) SetWindowTextA(edit, name.c_str());
    }
    return allowed;
}

void TUiCustomShellTree::Edit(const TVITEMA& item) {
    TTreeNode* node = NodeOfItem(item);
    TUiShellTreeData* data = GetDataFromNode(node);
    if (!data) return TUiCustomTreeView::Edit(item);
    AnsiString text = Trim(AnsiString(item.pszText));
    if (OnEdited) OnEdited(this, node, text);
    THourglass hourglass;
    ignoreNextChangeNotification_ = true;
    TUiPidlGuard newList;
    {
        TNestingGuard ignore(ignoreChanges_);
        IShellFolder_NRC* parent = data->GetParentIShf();
        const std::wstring wide = ShellWideText(text, MAX_PATH);
        const HRESULT renamed =
            parent ? parent->SetNameOf(GetParentHWND(), data->RelPidl(), wide.c_str(),
                                       kRenameFlags, &newList.Out())
                   : E_FAIL;
        if (SUCCEEDED(renamed)) {
            if (newList.Get()) {
                for (TTreeNode* below = node->GetFirstChild(); below && below->HasAsParent(node);
                     below = below->GetNext())
                    if (TUiShellTreeData* belowData = GetDataFromNode(below)) belowData->Flush();
                node->SetText(ShellGetFriendlyNameFromIdList(parent, newList.Get(), fnInFolder));
                data->SetRelPidl(newList.Get());
            } else {
                node->SetText(ShellGetFriendlyNameFromIdList(parent, data->RelPidl(), fnInFolder));
            }
        }
        if (SUCCEEDED(renamed) && newList.Get()) TellLinkedControls(node);
        if (SUCCEEDED(renamed) && node->Parent()) SortNode(node->Parent());
    }
    if (refreshDeferred_) {
        refreshDeferred_ = false;
        RefreshNodes();
    }
}
