#include "UiShellCombo.h"

#include <algorithm>
#include <vector>

#include "UiShellHelpers.h"
#include "UiShellList.h"
#include "UiShellTree.h"
#include "UiShellUtils.h"
#include "cl_forms.h"

namespace {

constexpr ULONG kComboAttributeQuery = 0xF00B0000;
constexpr ULONG kChainAttributeQuery = 0xB00B0000;
constexpr DWORD kAddressBarName = SHGDN_INFOLDER | SHGDN_FORADDRESSBAR;

ULONG AttributesOf(IShellFolder_NRC* folder, LPCITEMIDLIST item, ULONG query) {
    LPCITEMIDLIST items[] = {item};
    folder->GetAttributesOf(1, items, &query);
    return query;
}

bool SameItem(IShellFolder_NRC* folder, LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const HRESULT result = folder->CompareIDs(0, a, b);
    return SUCCEEDED(result) && HRESULT_CODE(result) == 0;
}

IShellFolder_NRC* BindFolder(IShellFolder_NRC* parent, LPCITEMIDLIST item) {
    IShellFolder_NRC* folder = nullptr;
    OleCheck(parent->BindToObject(item, nullptr, IID_IShellFolder,
                                  reinterpret_cast<void**>(&folder)));
    return folder;
}

const bool shellComboPropertiesRegistered = [] {
    using C = TUiShellCombo;
    const TMetaClass* meta = C::StaticClass();
    TPropertyInfo options = SetProperty<C, TUiShellComboOption>(
        "Options", &C::Options, &C::SetOptions, {"scoAutofill", "scoNonFilesystemAncestors"});
    options.DefaultText = "scoAutofill,scoNonFilesystemAncestors";
    RegisterProperty(meta, options);
    RegisterProperty(meta, OrdinalProperty<C>("AutoDropDownCount", pkBool, &C::AutoDropDownCount,
                                              &C::SetAutoDropDownCount, 1));
    RegisterProperty(meta, ComponentProperty<C, TUiCustomShellList>("ShellList", &C::ShellList,
                                                                    &C::SetShellList));
    RegisterProperty(meta, ComponentProperty<C, TUiCustomShellTree>("ShellTree", &C::ShellTree,
                                                                    &C::SetShellTree));
    RegisterClasses({TUiShellCombo::StaticClass()});
    return true;
}();

}  // namespace

TUiCustomShellCombo::TUiCustomShellCombo(TComponent* owner)
    : TUiCustomImageComboBox(owner),
      images_(new TCustomImageList(this)),
      selectedFolder_(new TUiShellLocator) {
    images_->SetShareImages(true);
    images_->SetHandle(ShellGetSystemImageList(iszSmall));
    SetImages(images_);
    selectedFolder_->OnChange = Bind(this, &TUiCustomShellCombo::SelectedFolderChanged);
}

TUiCustomShellCombo::~TUiCustomShellCombo() { delete selectedFolder_; }

void TUiCustomShellCombo::BeforeDestruction() {
    selectedFolder_->OnChange = nullptr;
    TUiCustomImageComboBox::BeforeDestruction();
}

TUiShellComboData* TUiCustomShellCombo::DataOf(TUiImageComboBoxItem* item) {
    return item ? static_cast<TUiShellComboData*>(item->Data()) : nullptr;
}

TUiShellComboData* TUiCustomShellCombo::GetShellComboData(int index) {
    return CheckedCast<TUiShellComboData>(
        static_cast<TObject*>(GetImageComboBoxItem(index)->Data()));
}

// ---------------------------------------------------------------------------------------------
// Links

void TUiCustomShellCombo::SetShellList(TUiCustomShellList* list) {
    if (list && shellTree_) return;
    if (shellList_ && shellList_ != list) shellList_->SetShellCombo(nullptr);
    shellList_ = list;
    if (!list) return;
    list->FreeNotification(this);
    list->SetShellCombo(this);
}

void TUiCustomShellCombo::SetShellTree(TUiCustomShellTree* tree) {
    if (tree && shellList_) return;
    if (shellTree_ && shellTree_ != tree) shellTree_->SetShellCombo(nullptr);
    shellTree_ = tree;
    if (!tree) return;
    tree->FreeNotification(this);
    tree->SetShellCombo(this);
}

void TUiCustomShellCombo::Notification(TComponent* component, TOperation operation) {
    TUiCustomImageComboBox::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == shellTree_) shellTree_ = nullptr;
    if (component == shellList_) shellList_ = nullptr;
}

void TUiCustomShellCombo::TreeChanged(TTreeNode* node) {
    if (!node || !node->Selected() || !shellTree_) return;
    if (TUiShellTreeData* data = shellTree_->GetDataFromNode(node))
        selectedFolder_->SetIdList(data->GetAbsPidl());
}

void TUiCustomShellCombo::SelectedFolderChanged(TObject*) {
    if (folderChangeGuard_ > 0) return;
    TNestingGuard guard(folderChangeGuard_);
    if (shellTree_)
        shellTree_->SetSelectedFolder(selectedFolder_);
    else if (shellList_)
        shellList_->SetFolder(selectedFolder_);
    FillItems();
}

void TUiCustomShellCombo::Synchronize(bool all) {
    if (!all) return;
    if (shellTree_) shellTree_->Synchronize(false);
    if (shellList_) shellList_->Synchronize(false);
}

void TUiCustomShellCombo::GoUp(int levels) {
    const int row = ItemIndex();
    if (row < 0) return;
    const int target = GetImageComboBoxItem(row)->IndentLevel() - levels;
    int up = row;
    while (up > 0 && GetImageComboBoxItem(up)->IndentLevel() > target) --up;
    if (up != row) selectedFolder_->SetIdList(GetShellComboData(up)->AbsPidl());
}

void TUiCustomShellCombo::SelEndOk() {
    TUiCustomImageComboBox::SelEndOk();
    const int row = ItemIndex();
    if (row >= 0) selectedFolder_->SetIdList(GetShellComboData(row)->AbsPidl());
}

// ---------------------------------------------------------------------------------------------
// Filling

void TUiCustomShellCombo::FillItems() {
    if (!HandleAllocated()) return;
    ItemsBeginUpdate();
    TNestingGuard guard(folderChangeGuard_);
    try {
        SetItemIndex(-1);
        ClearItems();
        TUiIdListArray chain(selectedFolder_->GetIdList());
        TUiInterfaceGuard<IShellFolder_NRC> desktop;
        const HRESULT got = ShellGetDesktopFolder(desktop.Out());
        if (FAILED(got)) RaiseSysError(got);
        selectedRow_ = -1;
        FillCombo(desktop.Get(), nullptr, -1, chain);
        SetItemIndex(selectedRow_ >= 0 ? selectedRow_ : 0);
    } catch (...) {
        ItemsEndUpdate();
        throw;
    }
    ItemsEndUpdate();
}

TUiImageComboBoxItem* TUiCustomShellCombo::AddShellItem(const AnsiString& caption, int image,
                                                        int indent, IShellFolder_NRC* folder,
                                                        LPCITEMIDLIST parent, LPCITEMIDLIST item,
                                                        ULONG attributes) {
    auto* data = new TUiShellComboData(this);
    data->SetData(folder, parent, item);
    TUiImageComboBoxItem* row = AddItem(caption, image, indent);
    row->SetData(data);
    if (attributes & SFGAO_SHARE)
        row->SetOverlayIndex(0);
    else if (attributes & SFGAO_LINK)
        row->SetOverlayIndex(1);
    return row;
}

bool TUiCustomShellCombo::CanAdd(IShellFolder_NRC*, LPCITEMIDLIST, LPCITEMIDLIST, ULONG, int) {
    return true;
}

void TUiCustomShellCombo::FillCombo(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList,
                                    int level, TUiIdListArray& chain) {
    TUiPidlGuard drives;
    const HRESULT found = ShellGetSpecialFolderIdList(nullptr, csidlDrives, drives.Out());
    if (FAILED(found)) RaiseSysError(found);
    TUiPidlGuard parent(CopyIdList(nullptr, parentAbsIdList));
    if (level < 0) {
        AddShellItem(ShellGetFriendlyNameForLastIdListElement(nullptr),
                     ShellGetIconIndex(nullptr, SHGFI_SMALLICON), 0, folder, nullptr, nullptr, 0);
        level = 1;
    }
    TUiInterfaceGuard<IEnumIDList_NRC> enumerator;
    const HRESULT enumerated =
        folder->EnumObjects(GetTopFormHandle(this), SHCONTF_FOLDERS, &enumerator.Out());
    if (FAILED(enumerated) || !enumerator.Get()) RaiseSysError(enumerated);
    TUiPidlList items;
    items.SetMalloc(ShellIMalloc());
    HRESULT next;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while ((next = enumerator->Next(1, &item, &fetched)) == S_OK) items.Add(item);
    if (FAILED(next)) RaiseSysError(next);
    items.SetShellFolder(folder);
    items.Sort();
    for (int i = 0; i < items.GetCount(); ++i) {
        LPCITEMIDLIST relative = items.GetPIDL(i);
        const ULONG attributes = AttributesOf(folder, relative, kComboAttributeQuery);
        const bool candidate = options_.count(scoNonFilesystemAncestors) ||
                               (attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR));
        if (!candidate || !CanAdd(folder, parent.Get(), relative, attributes, level)) continue;
        TUiPidlGuard absolute(ConcatIdLists(nullptr, parent.Get(), relative));
        const bool onChain = chain.GetCount() >= level &&
                             SameItem(folder, chain.GetItem(level - 1), relative);
        const bool endsHere = onChain && chain.GetCount() == level;
        if (endsHere)
            AddShellItem(ShellGetFriendlyNameFromIdList(folder, relative, fnInFolder),
                         ShellGetIconIndex(absolute.Get(), SHGFI_SMALLICON | SHGFI_OPENICON), level,
                         folder, parent.Get(), relative, attributes);
        else
            AddShellItem(AnsiString(), -1, level, folder, parent.Get(), relative, attributes);
        const bool isDrives = level == 1 && CompareAbsIdLists(absolute.Get(), drives.Get()) == 0;
        if (endsHere) selectedRow_ = Count() - 1;
        if (isDrives) {
            TUiInterfaceGuard<IShellFolder_NRC> drivesFolder;
            drivesFolder.Out() = BindFolder(folder, relative);
            FillCombo(drivesFolder.Get(), absolute.Get(), level + 1, chain);
        } else if (onChain && !endsHere) {
            TUiInterfaceGuard<IShellFolder_NRC> itemFolder;
            itemFolder.Out() = BindFolder(folder, relative);
            AddChainBelow(itemFolder.Get(), absolute.Get(), level + 1, chain);
        }
    }
}

void TUiCustomShellCombo::AddChainBelow(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList,
                                        int level, TUiIdListArray& chain) {
    folder->AddRef();
    TUiInterfaceGuard<IShellFolder_NRC> current;
    current.Out() = folder;
    TUiPidlGuard parent(CopyIdList(nullptr, parentAbsIdList));
    for (int i = level - 1; i < chain.GetCount(); ++i) {
        TUiPidlGuard element(CopyIdList(nullptr, chain.GetItem(i)));
        const ULONG attributes = AttributesOf(current.Get(), element.Get(), kChainAttributeQuery);
        TUiPidlGuard absolute(ConcatIdLists(nullptr, parent.Get(), element.Get()));
        if (i == chain.GetCount() - 1) {
            AnsiString name;
            GetItemDisplayName(current.Get(), element.Get(), kAddressBarName, name);
            AddShellItem(name, ShellGetIconIndex(absolute.Get(), SHGFI_SMALLICON | SHGFI_OPENICON),
                         i + 1, current.Get(), parent.Get(), element.Get(), attributes);
            selectedRow_ = Count() - 1;
            return;
        }
        AddShellItem(AnsiString(), -1, i + 1, current.Get(), parent.Get(), element.Get(),
                     attributes);
        IShellFolder_NRC* below = BindFolder(current.Get(), element.Get());
        current.Get()->Release();
        current.Out() = below;
        parent.Out() = absolute.Release();
    }
}

void TUiCustomShellCombo::GetItemData(TUiImageComboBoxItem* item) {
    if (TUiShellComboData* data = DataOf(item)) {
        if (item->Caption().IsEmpty() && data->ParentFolder() && data->RelPidl())
            item->SetCaption(
                ShellGetFriendlyNameFromIdList(data->ParentFolder(), data->RelPidl(), fnInFolder));
        if (item->ImageIndex() == -1)
            item->SetImageIndex(ShellGetIconIndex(data->AbsPidl(), SHGFI_SMALLICON));
    }
    TUiCustomImageComboBox::GetItemData(item);
}

void TUiCustomShellCombo::DeleteItem(int index, void* data) {
    auto* item = dynamic_cast<TUiImageComboBoxItem*>(static_cast<TObject*>(data));
    TUiShellComboData* shellData = DataOf(item);
    TUiCustomImageComboBox::DeleteItem(index, data);
    if (!shellData) return;
    item->SetData(nullptr);
    delete shellData;
}

// ---------------------------------------------------------------------------------------------
// Window

void TUiCustomShellCombo::CreateWnd() {
    TUiCustomImageComboBox::CreateWnd();
    if (!InState(csLoading) && options_.count(scoAutofill)) FillItems();
}

void TUiCustomShellCombo::DestroyWnd() {
    ClearItems();
    TUiCustomImageComboBox::DestroyWnd();
}

void TUiCustomShellCombo::Loaded() {
    const bool loading = InState(csLoading);
    TUiCustomImageComboBox::Loaded();
    if (!loading || !options_.count(scoAutofill)) return;
    TNestingGuard guard(folderChangeGuard_);
    FillItems();
    if (shellTree_) {
        shellTree_->SetSelectedFolder(selectedFolder_);
        shellTree_->RefreshNodes();
    } else if (shellList_) {
        shellList_->SetFolder(selectedFolder_);
    }
}

void TUiCustomShellCombo::DropDown() {
    if (autoDropDownCount_ && ItemHeight() > 0) {
        const TPoint bottom = ClientToScreen(TPoint(0, Height()));
        SetDropDownCount(std::max(1, (GetSystemMetrics(SM_CYSCREEN) - bottom.Y - 1) / ItemHeight()));
    }
    TUiCustomImageComboBox::DropDown();
}

void TUiCustomShellCombo::Dispatch(TMessage& message) {
    if (message.Msg != WM_PAINT) return TUiCustomImageComboBox::Dispatch(message);
    HIMAGELIST system = ShellGetSystemImageList(iszSmall);
    const COLORREF old = ImageList_SetBkColor(system, ColorToRGB(Color()));
    try {
        TUiCustomImageComboBox::Dispatch(message);
    } catch (...) {
        ImageList_SetBkColor(system, old);
        throw;
    }
    ImageList_SetBkColor(system, old);
}
