// The shell tree: a tree view of the shell namespace that fills its folders as they are
// expanded, follows changes on disk and keeps a linked shell list and combo on its folder.
#pragma once

#include <set>
#include <unordered_set>

#include "UiShellChangeThread.h"
#include "UiShellDataTransfer.h"
#include "UiShellHelpers.h"
#include "UiShellItemData.h"
#include "UiShellLocator.h"
#include "UiShellMenus.h"
#include "UiTreeView.h"
#include "cl_extctrls.h"

class TUiCustomShellList;
class TUiCustomShellCombo;

enum TUiShellTreeOption {
    stoAutoFill, stoVirtualFolders, stoDesignInteractive, stoDefaultKeyHandling,
    stoContextMenus, stoDynamicRefresh, stoIncludeNonFolders, stoOleDrag, stoOleDrop,
    stoShowHidden
};
using TUiShellTreeOptions = std::set<TUiShellTreeOption>;
// All but stoDesignInteractive and stoIncludeNonFolders.
extern const TUiShellTreeOptions DefaultShellTreeOptions;

using TUiShTreeDeleteItemEvent =
    std::function<void(TObject* sender, TTreeNode* node, TUiShellTreeData* data)>;
using TUiShTreeInsertItemEvent = std::function<void(TObject* sender, TTreeNode* node)>;

class TUiCustomShellTree : public TUiCustomTreeView {
    CL_COMPONENT_CLASS(TUiCustomShellTree, TUiCustomTreeView)

    explicit TUiCustomShellTree(TComponent* owner);
    void BeforeDestruction() override;

    // Fills the tree anew from the base folder.
    void FillItems();
    // Adds the folders that appeared and removes those that went, in the filled nodes.
    void RefreshNodes();
    // Fills one level below the node; a null node makes the root for the folder.
    virtual void FillTree(IShellFolder_NRC* folder, TTreeNode* node);
    virtual HRESULT AddNewShellNode(IShellFolder_NRC* parentFolder, LPCITEMIDLIST parentAbsIdList,
                                    TTreeNode* parentNode, LPCITEMIDLIST itemRelIdList);
    virtual bool CanAdd(IShellFolder_NRC* parentFolder, LPCITEMIDLIST parentAbsIdList,
                        LPCITEMIDLIST itemRelIdList, ULONG attributes);
    // The children in the shell's order; the root level for a null node.
    void SortNode(TTreeNode* node);

    TUiShellTreeData* GetSelectedItem();
    AnsiString GetSelectedPathName();
    void SetSelectedPathName(const AnsiString& path);
    TUiShellLocator* SelectedFolder() const { return selectedFolder_; }
    void SetSelectedFolder(TUiShellLocator* locator);
    TUiShellLocator* BaseFolder() const { return baseFolder_; }
    void SetBaseFolder(TUiShellLocator* locator);
    // The data of the node at the absolute index, or null.
    TUiShellTreeData* GetShellTreeData(int index);
    TUiShellTreeData* GetDataFromNode(TTreeNode* node) const;
    bool NodeHasData(TTreeNode* node) const { return GetDataFromNode(node) != nullptr; }
    TTreeNode* GetFirstRootLevelShellNode() const;
    // The child the parent's folder takes for the relative PIDL; the first shell root for a
    // null parent.
    TTreeNode* FindNodeWithIdList(TTreeNode* parentNode, LPCITEMIDLIST relIdList);
    // Selects the node of the absolute PIDL, adding the nodes missing on the way.
    void DoSetSelectedIdList(LPCITEMIDLIST absIdList);
    void GoUp(int levels);
    // Carries out what waits: the linked controls' own pending work (with `all`), then the
    // tree's delayed list update or refresh.
    void Synchronize(bool all);

    TUiCustomShellList* ShellList() const { return shellList_; }
    void SetShellList(TUiCustomShellList* list);
    TUiCustomShellCombo* ShellCombo() const { return shellCombo_; }
    void SetShellCombo(TUiCustomShellCombo* combo);
    const TUiShellTreeOptions& Options() const { return options_; }
    void SetOptions(const TUiShellTreeOptions& options);
    bool HasOption(TUiShellTreeOption option) const { return options_.count(option) != 0; }

    // Makes a new folder in the selected one and starts renaming it; the argument has no
    // effect.
    bool CreateNewFolder(bool unused);
    // Watches the drive of the path (all of it); an empty path ends all watches.
    virtual void InstallChangeHandler(const AnsiString& path);
    void InstallChangeHandlersForAllLocalDrives();
    virtual void DeviceChangeDetected(TObject* sender, TMessage& message);
    // The owner window of the shell's own dialogs; null while errors are ignored.
    HWND GetParentHWND();
    virtual void ExpandNode(TTreeNode* node);

    // Drag and drop: the node dragged out as a shell item, shell data dropped onto nodes.
    void OleBeginDrag(TMouseButton button);
    virtual IDropSource_NRC* CreateIDropSource(TMouseButton button, IDataObject_NRC* data);
    // Copy, move and link as far as the node's item allows them.
    DWORD GetDragDropAttributesForNode(TTreeNode* node);
    virtual HRESULT OnDropTarget_DragEnter(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                           DWORD& effect);
    virtual HRESULT OnDropTarget_DragOver(DWORD keyState, POINTL point, DWORD& effect);
    virtual HRESULT OnDropTarget_DragLeave();
    virtual HRESULT OnDropTarget_Drop(IDataObject_NRC* data, DWORD keyState, POINTL point,
                                      DWORD& effect);
    // Scrolls near the edges and opens a collapsed node the pointer rests on.
    virtual void DoDropTargetAutoscroll(TPoint clientPoint);

    // The shell's context menu of the node, shown at the point and run.
    virtual void ProcessMenu(TTreeNode* node, TPoint clientPoint);
    // Sends the node to the Send To item at the index of SendToList.
    virtual void ProcessSendTo(TTreeNode* node, int index);
    // Runs the verb ("copy", "paste" ...) of the node's context menu, then refreshes; S_FALSE
    // for the root and nodes without shell data.
    HRESULT DoCommandForNode(TTreeNode* node, const char* verb);

    TUiShAddItemEvent OnAddItem;
    TUiShTreeDeleteItemEvent OnDeleteItem;
    TUiShTreeInsertItemEvent OnInsertItem;
    TUiShPopupHintEvent OnPopupHint;
    TNotifyEvent OnFillComplete;
    TNotifyEvent OnFillStart;

    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void SetParent(TWinControl* parent) override;

protected:
    ~TUiCustomShellTree() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void GetImageIndex(TTreeNode* node) override;
    void GetSelectedIndex(TTreeNode* node) override;
    bool CanExpand(TTreeNode* node) override;
    void Change(TTreeNode* node) override;
    void Delete(TTreeNode* node) override;
    bool DoMouseWheelDown(TShiftState shift, TPoint mousePos) override;
    bool DoMouseWheelUp(TShiftState shift, TPoint mousePos) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    bool CanEdit(TTreeNode* node) override;
    void Edit(const TVITEMA& item) override;
    void NodeContextMenu(TTreeNode* node, TPoint& pos, TPopupMenu*& menu) override;
    void Dispatch(TMessage& message) override;

    virtual void DoOnInsertItem(TTreeNode* node);
    virtual void FillStart();
    virtual void FillComplete();

    // Set around a context menu or a drag: refreshes wait until it ends.
    bool deferRefresh_ = false;
    bool refreshDeferred_ = false;
    int ignoreChanges_ = 0;
    int ignoreErrors_ = 0;
    bool quickSelect_ = false;
    bool ignoreNextChangeNotification_ = false;

private:
    void BaseFolderChanged(TObject* sender);
    void SelectedFolderChanged(TObject* sender);
    void TimerElapsed(TObject* sender);
    void StartTimer(int tag, unsigned interval);
    // Sets SelectedFolder to the node's folder and moves the linked controls there.
    void TellLinkedControls(TTreeNode* node);
    void RefreshNode(TTreeNode* node, TTreeNode*& remembered);
    void DeleteAllNodes();
    void ChangeNotify(TMessage& message);
    void DesignHitTest(TMessage& message);
    void StopChangeWorker();
    // A data object of this tree, known to GetDataFromNode until its node is deleted.
    TUiShellTreeData* NewNodeData();
    void RegisterDropTarget();
    void RevokeDropTarget();
    void BeginDragNotify(TMessage& message, TMouseButton button);
    // The node under a screen point.
    TTreeNode* NodeAtScreen(POINTL point, TPoint& clientPoint);
    void HighlightDropNode(TTreeNode* node);
    void ReleaseLastDropData();
    void RunKeyCommand(TShortCut code, uint16_t& key);

    TUiShellLocator* baseFolder_;
    TUiShellLocator* selectedFolder_;
    TTimer* timer_;
    TUiCustomShellList* shellList_ = nullptr;
    TUiShellTreeOptions options_ = DefaultShellTreeOptions;
    TUiCustomShellCombo* shellCombo_ = nullptr;
    bool eatExpand_ = false;
    TChangeHandlerThread* changeWorker_ = nullptr;
    TTreeNode* lastNode_ = nullptr;
    bool deletingNodes_ = false;
    bool settingParent_ = false;
    TCustomImageList* images_;
    std::unordered_set<TUiShellTreeData*> ownData_;
    TTreeNode* dragNode_ = nullptr;
    IDataObject_NRC* dragData_ = nullptr;
    IDropTarget_NRC* dropTarget_ = nullptr;
    IDataObject_NRC* lastDropData_ = nullptr;
    DWORD initialDropKeyState_ = 0;
    DWORD lastScrollTick_ = 0;
    TPoint hoverPoint_;
    DWORD hoverTick_ = 0;
    IContextMenu_NRC* activeContextMenu_ = nullptr;
};

// The shell item of one node, for a drag or the clipboard.
class TDataObject_shtv : public TUiShellDataObject {
public:
    TDataObject_shtv(TUiCustomShellTree* tree, TTreeNode* node);
};

using TDropTarget_shtv = TUiControlDropTarget<TUiCustomShellTree>;

class TUiShellTree : public TUiCustomShellTree {
    CL_COMPONENT_CLASS(TUiShellTree, TUiCustomShellTree)

    explicit TUiShellTree(TComponent* owner) : TUiCustomShellTree(owner) {}

protected:
    ~TUiShellTree() override = default;
};
