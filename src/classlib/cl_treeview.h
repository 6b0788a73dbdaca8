// The tree view over the system's tree-view control: nodes kept by the library (they survive
// the window's re-creation), image and custom-draw callbacks, label editing, sorting, hit
// tests, nested updates and the notification virtuals.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <set>
#include <vector>

#include "cl_comctrls.h"
#include "cl_imagelist.h"

class TCustomTreeView;
class TTreeNodes;
class TTreeNode;

enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

// Sorting: negative when node1 goes first.
using TTVCompare = std::function<int(TTreeNode* node1, TTreeNode* node2)>;

// One node. Its text, images, state, data and children are kept here and shown in the window
// while it exists.
class TTreeNode : public TPersistent {
    CL_CLASS(TTreeNode, TPersistent)

    explicit TTreeNode(TTreeNodes* owner) : owner_(owner) {}
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return owner_; }
    TCustomTreeView* TreeView() const;
    HTREEITEM ItemId() const { return itemId_; }
    void Assign(TPersistent* source) override;

    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& text);
    void* Data() const { return data_; }
    void SetData(void* data);
    // Shown through the tree's image callbacks (GetImageIndex, GetSelectedIndex).
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // State image of StateImages; -1 (none yet) and 0 show nothing.
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
    // Overlay 0..3 of Images (set up with TCustomImageList::Overlay); -1 for none.
    int OverlayIndex() const { return overlayIndex_; }
    void SetOverlayIndex(int index);

    // Whether the node shows an expand button: as set, else whether it has children.
    bool HasChildren() const;
    void SetHasChildren(bool value);
    bool Expanded() const;
    void SetExpanded(bool value);
    // Through CanExpand and Expand (CanCollapse and Collapse), like a click on the button.
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);
    bool Focused() const;
    bool DropTarget() const;
    void SetDropTarget(bool value);
    // Drawn ghosted (cut to the clipboard).
    bool Cut() const;
    void SetCut(bool value);
    bool Deleting() const { return deleting_; }

    TTreeNode* Parent() const { return parent_; }
    int Level() const;
    // Position among the siblings; AbsoluteIndex: position in the whole tree, in tree order.
    int Index() const;
    int AbsoluteIndex() const;
    int Count() const { return static_cast<int>(children_.size()); }
    TTreeNode* Item(int index) const;
    bool HasAsParent(TTreeNode* node) const;
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // Tree order: the first child, else the next sibling of the node or of an ancestor.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    TTreeNode* GetNextChild(TTreeNode* child) const;
    // Visible: every ancestor expanded.
    bool IsVisible() const;
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;

    // The item's rectangle in client coordinates (the text's only, or the whole row); empty
    // without a window.
    TRect DisplayRect(bool textOnly) const;
    void MakeVisible();
    // Starts label editing (the tree's CanEdit decides); false when it did not start.
    bool EditText();
    void EndEdit(bool cancel);

    // Sorts the children by text (through OnCompare when set), or with `compare`.
    bool AlphaSort(bool recurse = false);
    bool CustomSort(const TTVCompare& compare, bool recurse = false);
    void MoveTo(TTreeNode* destination, TNodeAttachMode mode);
    void Delete();
    void DeleteChildren();

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    void UpdateItem(UINT mask);
    UINT ItemState(UINT mask) const;
    void SetItemState(UINT state, UINT mask);
    bool HasWindowItem() const;
    std::vector<TTreeNode*>& Siblings() const;

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<TTreeNode*> children_;
    HTREEITEM itemId_ = nullptr;
    AnsiString text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    int overlayIndex_ = -1;
    bool hasChildren_ = false;
    bool hasChildrenSet_ = false;
    bool expanded_ = false;
    bool cut_ = false;
    bool deleting_ = false;
};

// The nodes of a tree view. Updates nest: only the outermost EndUpdate redraws.
class TTreeNodes : public TPersistent {
    CL_CLASS(TTreeNodes, TPersistent)

    explicit TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}
    ~TTreeNodes() override;

    TCustomTreeView* Owner() const { return owner_; }
    // Every node of the tree.
    int Count() const;
    // By absolute index (tree order); raises ETreeViewError for an index out of range.
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    int RootCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* RootItem(int index) const { return roots_.at(index); }
    TTreeNode* GetNode(HTREEITEM item) const;

    // Siblings are added after (Add) or before (AddFirst: first among) the sibling's
    // siblings; a null sibling means the top level. Children go last (AddChild) or first.
    TTreeNode* Add(TTreeNode* sibling, const AnsiString& text);
    TTreeNode* AddObject(TTreeNode* sibling, const AnsiString& text, void* data);
    TTreeNode* AddFirst(TTreeNode* sibling, const AnsiString& text);
    TTreeNode* AddChild(TTreeNode* parent, const AnsiString& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const AnsiString& text, void* data);
    TTreeNode* AddChildFirst(TTreeNode* parent, const AnsiString& text);
    // Before `sibling` (at the end of the top level when null).
    TTreeNode* Insert(TTreeNode* sibling, const AnsiString& text);
    TTreeNode* InsertObject(TTreeNode* sibling, const AnsiString& text, void* data);
    void Delete(TTreeNode* node);
    void Clear();
    void Assign(TPersistent* source) override;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    bool AlphaSort(bool recurse = false);
    bool CustomSort(const TTVCompare& compare, bool recurse = false);

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* AddNode(TTreeNode* relative, const AnsiString& text, void* data,
                       TNodeAttachMode mode);
    // Links the node in the model at the place the mode gives, and into the window.
    void Attach(TTreeNode* node, TTreeNode* relative, TNodeAttachMode mode);
    void Detach(TTreeNode* node);
    void CreateWindowItem(TTreeNode* node, HTREEITEM insertAfter);
    void CreateWindowItems(const std::vector<TTreeNode*>& nodes);
    void ForgetWindowItems(const std::vector<TTreeNode*>& nodes);
    std::vector<TTreeNode*>& ChildList(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    bool SortList(TTreeNode* parent, const TTVCompare& compare, bool recurse);

    TCustomTreeView* owner_;
    std::vector<TTreeNode*> roots_;
    int updateCount_ = 0;
};

using TTVChangingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;
using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;
using TTVExpandedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
using TTVEditingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allowEdit)>;
using TTVEditedEvent = std::function<void(TObject* sender, TTreeNode* node, AnsiString& text)>;
using TTVCompareEvent =
    std::function<void(TObject* sender, TTreeNode* node1, TTreeNode* node2, int& compare)>;
using TTVCustomDrawEvent =
    std::function<void(TCustomTreeView* sender, const TRect& rect, bool& defaultDraw)>;
using TTVCustomDrawItemEvent = std::function<void(
    TCustomTreeView* sender, TTreeNode* node, TCustomDrawState state, bool& defaultDraw)>;

// The tree view. Notifications of the window reach the virtuals below through CN_NOTIFY.
class TCustomTreeView : public TWinControl {
    CL_COMPONENT_CLASS(TCustomTreeView, TWinControl)

    explicit TCustomTreeView(TComponent* owner);
    void BeforeDestruction() override;

    TTreeNodes* Items() const { return items_; }
    void SetItems(TTreeNodes* items) { items_->Assign(items); }
    // While a right click is handled with RightClickSelect, the node under the mouse;
    // otherwise the window's selection (the stored one before the window exists).
    virtual TTreeNode* GetSelected();
    TTreeNode* Selected() { return GetSelected(); }
    virtual void SetSelected(TTreeNode* node);
    TTreeNode* TopItem();
    void SetTopItem(TTreeNode* node);
    TTreeNode* DropTarget();
    void SetDropTarget(TTreeNode* node);

    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* images);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* images);
    int Indent();
    void SetIndent(int indent);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value) { SetStyleFlag(showButtons_, value); }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value) { SetStyleFlag(showLines_, value); }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value) { SetStyleFlag(showRoot_, value); }
    // Read-only trees allow no label editing.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { SetStyleFlag(readOnly_, value); }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { SetStyleFlag(hotTrack_, value); }
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value) { SetStyleFlag(rowSelect_, value); }
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool value) { SetStyleFlag(toolTips_, value); }
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool value) { rightClickSelect_ = value; }
    // Selecting a node expands it and collapses the one left (the system's single-expand).
    bool AutoExpand() const { return autoExpand_; }
    virtual void SetAutoExpand(bool value);
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Milliseconds that a keyboard selection waits before OnChange (0: at once).
    int ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(int value) { changeDelay_ = value; }

    // The node at a client point (null when none); what lies at a client point.
    TTreeNode* GetNodeAt(int x, int y);
    THitTests GetHitTestInfoAt(int x, int y);
    void FullExpand();
    void FullCollapse();
    bool AlphaSort(bool recurse = true);
    bool CustomSort(const TTVCompare& compare, bool recurse = true);
    bool IsEditing();
    HWND EditHandle();
    TCanvas* Canvas() const { return canvas_; }

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVExpandingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVExpandedEvent OnCancelEdit;
    TTVExpandedEvent OnDeletion;
    TTVExpandedEvent OnAddition;
    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;
    TTVCompareEvent OnCompare;
    TTVCustomDrawEvent OnCustomDraw;
    TTVCustomDrawItemEvent OnCustomDrawItem;

protected:
    ~TCustomTreeView() override;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

    // The notification virtuals.
    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    virtual bool CanExpand(TTreeNode* node);
    // After the node expanded / collapsed.
    virtual void Expand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    virtual void Collapse(TTreeNode* node);
    virtual bool CanEdit(TTreeNode* node);
    // At the end of label editing with a text: OnEdited may change it, then the node takes it.
    virtual void Edit(const TVITEMA& item);
    // For every node removed, while it still stands among its siblings.
    virtual void Delete(TTreeNode* node);
    virtual void Added(TTreeNode* node);
    // Before a node's icon is drawn: OnGetImageIndex / OnGetSelectedIndex may set it.
    virtual void GetImageIndex(TTreeNode* node);
    virtual void GetSelectedIndex(TTreeNode* node);
    virtual bool IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage);
    // True for the default drawing.
    virtual bool CustomDraw(const TRect& rect, TCustomDrawStage stage);
    virtual bool CustomDrawItem(TTreeNode* node, TCustomDrawState state, TCustomDrawStage stage,
                                bool& paintImages);
    // The right-clicked node while RightClickSelect handles a right click, else null.
    TTreeNode* RightClickNode() const { return rightClickNode_; }
    // The node of a display-info request: its parameter, else its item handle.
    TTreeNode* NodeOfItem(const TVITEMA& item) const;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleFlag(bool& flag, bool value);
    void HandleNotify(TMessage& message);
    void HandleCustomDraw(TMessage& message);
    void HandleDisplayInfo(TMessage& message);
    void HandleRightClick(TMessage& message);
    void DoChange(TTreeNode* node);
    void ApplyImages();
    void ImageListChange(TObject* sender);
    void ApplyColors();
    void ResortNode(TTreeNode* node);
    TTVCompare TextCompare();

    TTreeNodes* items_;
    TControlCanvas* canvas_;
    TChangeLink* imageChangeLink_;
    TChangeLink* stateChangeLink_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TTreeNode* selected_ = nullptr;
    TTreeNode* rightClickNode_ = nullptr;
    TTreeNode* pendingChange_ = nullptr;
    int indent_ = 19;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool hotTrack_ = false;
    bool rowSelect_ = false;
    bool toolTips_ = true;
    bool rightClickSelect_ = false;
    bool autoExpand_ = false;
    TSortType sortType_ = stNone;
    TBorderStyle borderStyle_ = bsSingle;
    int changeDelay_ = 0;
    // Set while the library itself expands, collapses or deletes, so that the window's own
    // notifications of it are not passed on a second time.
    int manualNotify_ = 0;
    bool destroyingWindow_ = false;
    // The end of an edit that EndEdit cancels, whatever text the window reports with it.
    bool cancellingEdit_ = false;
    // Between an allowed start of label editing and its (first) end notification.
    bool labelEditing_ = false;
};

class TTreeView : public TCustomTreeView {
    CL_COMPONENT_CLASS(TTreeView, TCustomTreeView)

    explicit TTreeView(TComponent* owner) : TCustomTreeView(owner) {}

protected:
    ~TTreeView() override = default;
};
