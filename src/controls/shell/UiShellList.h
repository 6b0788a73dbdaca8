// The shell list: the contents of one shell folder in a list view, with the folder's own
// columns and order, a file-name filter, refresh after changes on disk and navigation.
#pragma once

#include <set>
#include <unordered_set>

#include "UiListView.h"
#include "UiShellChangeThread.h"
#include "UiShellDataTransfer.h"
#include "UiShellHelpers.h"
#include "UiShellItemData.h"
#include "UiShellLocator.h"
#include "UiShellMenus.h"
#include "cl_extctrls.h"

class TUiCustomShellTree;
class TUiCustomShellCombo;
class TTreeNode;

enum TUiShellListOption {
    sloAutoFill, sloNonFilesystemAncestors, sloDesignInteractive, sloDefaultKeyHandling,
    sloContextMenus, sloDontChangeFolder, sloDontGoBelowBase, sloDynamicRefresh,
    sloHideFoldersWhenLinkedToTree, sloOleDrag, sloOleDrop, sloFolderContextMenu,
    sloShowHidden, sloFilesCanBeFolders
};
using TUiShellListOptions = std::set<TUiShellListOption>;
// All but sloDesignInteractive, sloDontChangeFolder, sloDontGoBelowBase and
// sloHideFoldersWhenLinkedToTree.
extern const TUiShellListOptions DefaultShellListOptions;

using TUiShListDeleteItemEvent =
    std::function<void(TObject* sender, TListItem* item, TUiShellListData* data)>;
using TUiShDblClickOpenEvent = std::function<void(TObject* sender, bool& handled)>;

class TUiCustomShellList : public TUiCustomListView, public TUiShellListDataOwner {
    CL_COMPONENT_CLASS(TUiCustomShellList, TUiCustomListView)

    explicit TUiCustomShellList(TComponent* owner);
    void BeforeDestruction() override;

    // Fills the list anew from Folder.
    void FillItems();
    // Adds the items that appeared and removes those that went.
    void RefreshItems();
    virtual void FillList(IShellFolder_NRC* folder, LPCITEMIDLIST folderIdList);
    virtual bool CanAdd(IShellFolder_NRC* folder, LPCITEMIDLIST parentAbsIdList,
                        LPCITEMIDLIST itemRelIdList, ULONG attributes);
    virtual void FilterPreApply();
    virtual bool FilterApply(const AnsiString& name, ULONG attributes);
    virtual void FilterPostApply();

    void GoUp(int levels);
    void OpenItem(TListItem* item);
    void OpenSelectedItems();
    // Carries out pending work: the linked controls' own (with `all`), then a waiting refresh.
    void Synchronize(bool all);
    TUiCustomShellTree* ShellTree() const { return shellTree_; }
    void SetShellTree(TUiCustomShellTree* tree);
    TUiCustomShellCombo* ShellCombo() const { return shellCombo_; }
    void SetShellCombo(TUiCustomShellCombo* combo);
    // A linked tree's selection moved to the node.
    void TreeChanged(TTreeNode* node);

    TUiShellLocator* Folder() const { return folder_; }
    void SetFolder(TUiShellLocator* locator);
    // Whether Folder is stored: only without a linked tree or combo.
    bool IsFolderStored() const { return !shellTree_ && !shellCombo_; }
    const AnsiString& FileFilter() const { return fileFilter_; }
    void SetFileFilter(const AnsiString& filter);
    const TUiShellListOptions& Options() const { return options_; }
    void SetOptions(const TUiShellListOptions& options);
    bool HasOption(TUiShellListOption option) const { return options_.count(option) != 0; }
    // 1-based column of the shell's order, negative for descending, 0 for the text order.
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int column);
    void SortList();

    TUiShellListData* GetSelectedItem();
    TUiShellListData* GetShellListData(int index);
    int ShellSelCount();
    void SelectAll() override;
    bool ItemHasData(TListItem* item) const { return GetDataFromItem(item) != nullptr; }
    TUiShellListData* GetDataFromItem(TListItem* item) const;
    IShellDetails_NRC* GetCurrentFolderIShellDetails();
    bool IsFolderNetworkShare();
    void InitImageLists();
    virtual void DeviceChangeDetected(TObject* sender, TMessage& message);
    virtual void InstallChangeHandler();

    // The shell's objects (context menu, drop target ...) of items, and their commands.
    HRESULT GetUIObjectForItem(TListItem* item, REFIID iid, void** object);
    HRESULT GetUIObjectForAllSelected(REFIID iid, void** object);
    void DoCommandForItem(TListItem* item, const char* verb);
    void DoCommandForAllSelected(const char* verb);
    // Raises EOleSysError when the folder has no menu.
    void DoCommandForFolder(const char* verb);
    DWORD GetDragDropAttributesForItem(TListItem* item);
    DWORD GetDragDropAttributesForAllSelected();

    // Drag and drop: the selection dragged out, shell data dropped on items or the folder.
    virtual IDropSource_NRC* CreateIDropSource(TMouseButton button, IDataObject_NRC* data);
    void OleBeginDrag(TMouseButton button);
    virtual HRESULT OnDropTarget_DragEnter(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                           DWORD& effect);
    virtual HRESULT OnDropTarget_DragOver(DWORD keyState, POINTL point, DWORD& effect);
    virtual HRESULT OnDropTarget_DragLeave();
    virtual HRESULT OnDropTarget_Drop(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                      DWORD& effect);

    // The shell's context menu of one item or of the selection, shown at the point and run.
    void ProcessMenu(TListItem* item, TPoint clientPoint);
    void ProcessMenuForAllSelected(TPoint clientPoint);
    void ProcessSendTo(int index);
    // Makes a new folder in Folder; with `editName` its caption is then edited.
    bool CreateNewFolder(bool editName);

    // What the items read of their list.
    IShellFolder_NRC* CurrentFolder() override { return currentFolder_; }
    LPCITEMIDLIST CurrentFolderIdList() override { return currentFolderList_; }
    IShellDetails_NRC* CurrentFolderDetails() override { return GetCurrentFolderIShellDetails(); }
    bool FilesCanBeFolders() override { return HasOption(sloFilesCanBeFolders); }

    TUiShPopupHintEvent OnPopupHint;
    TUiShAddItemEvent OnAddItem;
    TUiShListDeleteItemEvent OnDeleteItem;
    TUiShDblClickOpenEvent OnDblClickOpen;
    TNotifyEvent OnFillComplete;
    TNotifyEvent OnFillStart;
    TNotifyEvent OnFolderChanged;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    ~TUiCustomShellList() override;
    void Loaded() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void InsertItem(TListItem* item) override;
    void Delete(TListItem* item) override;
    void ColClick(TListColumn* column) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    bool CanEdit(TListItem* item) override;
    void Edit(const LVITEMA& item) override;
    void ItemContextMenu(TListItem* item, TPoint& pos, TPopupMenu*& menu) override;
    void Dispatch(TMessage& message) override;

    virtual void FolderChanged();
    virtual void FillStart();
    virtual void FillComplete();
    // Fires OnDblClickOpen; true when the default command is to run.
    virtual bool DblClickOpen();
    virtual void InitColumns(IShellDetails_NRC* details);

    // A menu or an own drag is running: fills only mark a pending refresh.
    bool busy_ = false;
    bool refreshPending_ = false;
    bool skipNextNotification_ = false;

private:
    void HandleOnFolderChanged(TObject* sender);
    void TimerElapsed(TObject* sender);
    bool ShouldInclude(LPCITEMIDLIST parentAbsIdList, LPCITEMIDLIST itemRelIdList,
                       ULONG& attributes);
    // Hands the data to the next InsertItem and adds the item.
    void AddShellItem(TUiShellListData* data, ULONG attributes);
    TUiShellListData* NewItemData(LPITEMIDLIST relIdList);
    // Moves to the absolute PIDL through the linked tree, else the combo, else Folder.
    void NavigateTo(LPCITEMIDLIST absIdList);
    void RunDefaultCommand(UINT count, LPCITEMIDLIST* items);
    void ReleaseFolder();
    void SaveColumnWidths();
    void RestoreColumnWidths();
    void DisplayInfo(TMessage& message);
    void ChangeNotify(TMessage& message);
    void DeferredFill(TMessage& message);
    void WantSpecialKey(TMessage& message);
    void DesignHitTest(TMessage& message);
    void GetIShellBrowser(TMessage& message);
    DWORD EnumFlags() const;
    std::vector<LPCITEMIDLIST> SelectedIdLists();
    void RunMenu(const std::vector<LPCITEMIDLIST>& items, UINT flags, TListItem* renamed,
                 TPoint clientPoint);
    void RunKeyCommand(TShortCut code, uint16_t& key);
    void RegisterDropTarget();
    void RevokeDropTarget();
    // The drop target at the client point and the item to highlight (null: none).
    IDropTarget_NRC* DropTargetAt(TPoint clientPoint, TListItem*& highlight);
    IDropTarget_NRC* FolderDropTarget();
    bool OwnRightDragOverSpace(TPoint clientPoint);
    void ReleaseDragData();
    void DragAutoscroll(TPoint clientPoint);
    void DeferredEdit(TMessage& message);

    bool rememberWidths_ = false;
    IShellFolder_NRC* currentFolder_ = nullptr;
    LPITEMIDLIST currentFolderList_ = nullptr;
    bool detailsFetched_ = false;
    IShellDetails_NRC* details_ = nullptr;
    TUiShellLocator* folder_;
    TUiShellListOptions options_ = DefaultShellListOptions;
    AnsiString fileFilter_;
    TStringList* filterNames_ = nullptr;
    std::vector<AnsiString> filterPatterns_;
    TTimer* refreshTimer_;
    TUiCustomShellTree* shellTree_ = nullptr;
    TUiCustomShellCombo* shellCombo_ = nullptr;
    int sortColumn_ = 1;
    int folderChangeGuard_ = 0;
    TChangeHandlerThread* changeWorker_ = nullptr;
    TUiShellListData* pendingData_ = nullptr;
    ULONG pendingAttributes_ = 0;
    bool inCreateWnd_ = false;
    bool sortSet_ = false;
    bool inDestroyWnd_ = false;
    TCustomImageList* smallImages_;
    TCustomImageList* largeImages_;
    std::unordered_set<TUiShellListData*> ownData_;
    AnsiString newFolderName_;
    bool dragStartedHere_ = false;
    DWORD dragScrollTick_ = 0;
    IContextMenu_NRC* activeContextMenu_ = nullptr;
    IDataObject_NRC* dragData_ = nullptr;
    IDropTarget_NRC* dropTarget_ = nullptr;
    IDataObject_NRC* currentDragData_ = nullptr;
    DWORD dragKeyState_ = 0;
};

// The selected shell items of a list, for a drag or the clipboard.
class TDataObject_shlv : public TUiShellDataObject {
public:
    explicit TDataObject_shlv(TUiCustomShellList* list);
};

using TDropTarget_shlv = TUiControlDropTarget<TUiCustomShellList>;

class TUiShellList : public TUiCustomShellList {
    CL_COMPONENT_CLASS(TUiShellList, TUiCustomShellList)

    explicit TUiShellList(TComponent* owner) : TUiCustomShellList(owner) {}

protected:
    ~TUiShellList() override = default;
};
