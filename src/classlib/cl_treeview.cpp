#include "cl_treeview.h"

#include <algorithm>
#include <cstring>

#include "cl_itemviews.h"

namespace {

constexpr UINT_PTR kChangeTimer = 1;
// TVIS_FOCUSED, which the headers leave out.
constexpr UINT kFocusedState = 0x0001;
const char* const SInvalidIndex = "Tree view index out of range (%d)";

void CollectTree(const std::vector<TTreeNode*>& nodes, std::vector<TTreeNode*>& out) {
    for (TTreeNode* node : nodes) {
        out.push_back(node);
        for (int i = 0; i < node->Count(); ++i) CollectTree({node->Item(i)}, out);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TTreeNode

TTreeNode::~TTreeNode() {
    for (TTreeNode* child : children_) delete child;
}

TCustomTreeView* TTreeNode::TreeView() const { return owner_->Owner(); }

bool TTreeNode::HasWindowItem() const { return itemId_ && TreeView()->HandleAllocated(); }

std::vector<TTreeNode*>& TTreeNode::Siblings() const { return owner_->ChildList(parent_); }

void TTreeNode::UpdateItem(UINT mask) {
    if (!HasWindowItem()) return;
    TVITEMA item{};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = itemId_;
    item.pszText = const_cast<char*>(text_.c_str());
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    item.cChildren = HasChildren() ? 1 : 0;
    item.lParam = reinterpret_cast<LPARAM>(this);
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK | TVIS_CUT;
    item.state = INDEXTOSTATEIMAGEMASK(std::max(0, stateIndex_)) |
                 (overlayIndex_ >= 0 ? INDEXTOOVERLAYMASK(overlayIndex_ + 1) : 0) |
                 (cut_ ? TVIS_CUT : 0);
    SendMessageA(TreeView()->WindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

UINT TTreeNode::ItemState(UINT mask) const {
    if (!HasWindowItem()) return 0;
    return static_cast<UINT>(SendMessageA(TreeView()->WindowHandle(), TVM_GETITEMSTATE,
                                          reinterpret_cast<WPARAM>(itemId_), mask));
}

void TTreeNode::Assign(TPersistent* source) {
    auto* node = dynamic_cast<TTreeNode*>(source);
    if (!node) return TPersistent::Assign(source);
    SetText(node->text_);
    SetData(node->data_);
    SetImageIndex(node->imageIndex_);
    SetSelectedIndex(node->selectedIndex_);
    SetStateIndex(node->stateIndex_);
    SetOverlayIndex(node->overlayIndex_);
    if (node->hasChildrenSet_) SetHasChildren(node->hasChildren_);
}

void TTreeNode::SetText(const AnsiString& text) {
    text_ = text;
    UpdateItem(TVIF_TEXT);
    TSortType sort = TreeView()->SortType();
    if (sort == stText || sort == stBoth) TreeView()->ResortNode(this);
}

void TTreeNode::SetData(void* data) {
    data_ = data;
    TSortType sort = TreeView()->SortType();
    if (sort == stData || sort == stBoth) TreeView()->ResortNode(this);
}

void TTreeNode::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int index) {
    if (index == selectedIndex_) return;
    selectedIndex_ = index;
    UpdateItem(TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int index) {
    stateIndex_ = index;
    UpdateItem(TVIF_STATE);
}

void TTreeNode::SetOverlayIndex(int index) {
    overlayIndex_ = index;
    UpdateItem(TVIF_STATE);
}

bool TTreeNode::HasChildren() const { return hasChildrenSet_ ? hasChildren_ : !children_.empty(); }

void TTreeNode::SetHasChildren(bool value) {
    hasChildren_ = value;
    hasChildrenSet_ = true;
    UpdateItem(TVIF_CHILDREN);
}

bool TTreeNode::Expanded() const {
    if (!HasWindowItem()) return expanded_;
    return (ItemState(TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool value) {
    if (value)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TCustomTreeView* tree = TreeView();
    if (!Expanded() && tree->CanExpand(this)) {
        if (HasWindowItem()) {
            TManualNotify manual(tree->manualNotify_);
            SendMessageA(tree->WindowHandle(), TVM_EXPAND, TVE_EXPAND,
                         reinterpret_cast<LPARAM>(itemId_));
        }
        expanded_ = !children_.empty() || (hasChildrenSet_ && hasChildren_);
        tree->Expand(this);
    }
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TCustomTreeView* tree = TreeView();
    if (recurse)
        for (TTreeNode* child : std::vector<TTreeNode*>(children_)) child->Collapse(true);
    if (!Expanded() || !tree->CanCollapse(this)) return;
    if (HasWindowItem()) {
        TManualNotify manual(tree->manualNotify_);
        SendMessageA(tree->WindowHandle(), TVM_EXPAND, TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(itemId_));
    }
    expanded_ = false;
    tree->Collapse(this);
}

bool TTreeNode::Selected() const {
    TCustomTreeView* tree = TreeView();
    if (!tree->HandleAllocated()) return tree->selected_ == this;
    return itemId_ && reinterpret_cast<HTREEITEM>(SendMessageA(tree->WindowHandle(),
                                                               TVM_GETNEXTITEM, TVGN_CARET, 0)) ==
                          itemId_;
}

void TTreeNode::SetSelected(bool value) {
    if (value)
        TreeView()->SetSelected(this);
    else if (Selected())
        TreeView()->SetSelected(nullptr);
}

bool TTreeNode::Focused() const { return (ItemState(kFocusedState) & kFocusedState) != 0; }

bool TTreeNode::DropTarget() const { return TreeView()->DropTarget() == this; }

void TTreeNode::SetDropTarget(bool value) {
    if (value)
        TreeView()->SetDropTarget(this);
    else if (DropTarget())
        TreeView()->SetDropTarget(nullptr);
}

bool TTreeNode::Cut() const { return cut_; }

void TTreeNode::SetCut(bool value) {
    cut_ = value;
    UpdateItem(TVIF_STATE);
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* node = parent_; node; node = node->parent_) ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& siblings = Siblings();
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (TTreeNode* node = owner_->GetFirstNode(); node && node != this; node = node->GetNext())
        ++index;
    return index;
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count()) throw ETreeViewError(SInvalidIndex, index);
    return children_[index];
}

bool TTreeNode::HasAsParent(TTreeNode* node) const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (p == node) return true;
    return false;
}

TTreeNode* TTreeNode::GetFirstChild() const { return children_.empty() ? nullptr : children_.front(); }

TTreeNode* TTreeNode::GetLastChild() const { return children_.empty() ? nullptr : children_.back(); }

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& siblings = Siblings();
    const int next = Index() + 1;
    return next < static_cast<int>(siblings.size()) ? siblings[next] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int index = Index();
    return index > 0 ? Siblings()[index - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty()) return children_.front();
    for (const TTreeNode* node = this; node; node = node->parent_)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* node = GetPrevSibling();
    if (!node) return parent_;
    while (!node->children_.empty()) node = node->children_.back();
    return node;
}

TTreeNode* TTreeNode::GetNextChild(TTreeNode* child) const {
    return child ? child->GetNextSibling() : nullptr;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->Expanded()) return false;
    return true;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (!IsVisible()) return nullptr;
    if (!children_.empty() && Expanded()) return children_.front();
    for (const TTreeNode* node = this; node; node = node->parent_)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
    if (!IsVisible()) return nullptr;
    TTreeNode* node = GetPrevSibling();
    if (!node) return parent_;
    while (!node->children_.empty() && node->Expanded()) node = node->children_.back();
    return node;
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
    if (!HasWindowItem()) return TRect();
    RECT r{};
    std::memcpy(&r, &itemId_, sizeof itemId_);
    if (!SendMessageA(TreeView()->WindowHandle(), TVM_GETITEMRECT, textOnly,
                      reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return ToTRect(r);
}

void TTreeNode::MakeVisible() {
    if (HasWindowItem()) {
        SendMessageA(TreeView()->WindowHandle(), TVM_ENSUREVISIBLE, 0,
                     reinterpret_cast<LPARAM>(itemId_));
        return;
    }
    for (TTreeNode* p = parent_; p; p = p->parent_) p->Expand(false);
}

bool TTreeNode::EditText() {
    if (!HasWindowItem()) return false;
    TCustomTreeView* tree = TreeView();
    SetFocus(tree->WindowHandle());
    return SendMessageA(tree->WindowHandle(), TVM_EDITLABELA, 0,
                        reinterpret_cast<LPARAM>(itemId_)) != 0;
}

void TTreeNode::EndEdit(bool cancel) {
    TCustomTreeView* tree = TreeView();
    if (!tree->HandleAllocated()) return;
    tree->cancellingEdit_ = cancel;
    SendMessageA(tree->WindowHandle(), TVM_ENDEDITLABELNOW, cancel, 0);
    tree->cancellingEdit_ = false;
}

bool TTreeNode::AlphaSort(bool recurse) {
    return owner_->SortList(this, TreeView()->TextCompare(), recurse);
}

bool TTreeNode::CustomSort(const TTVCompare& compare, bool recurse) {
    return owner_->SortList(this, compare ? compare : TreeView()->TextCompare(), recurse);
}

void TTreeNode::MoveTo(TTreeNode* destination, TNodeAttachMode mode) {
    if (destination == this || (destination && destination->HasAsParent(this))) return;
    TCustomTreeView* tree = TreeView();
    const bool wasSelected = Selected();
    if (HasWindowItem()) {
        TManualNotify manual(tree->manualNotify_);
        SendMessageA(tree->WindowHandle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(itemId_));
    }
    std::vector<TTreeNode*> subtree;
    CollectTree({this}, subtree);
    owner_->ForgetWindowItems(subtree);
    owner_->Detach(this);
    owner_->Attach(this, destination, mode);
    if (wasSelected) tree->SetSelected(this);
}

void TTreeNode::Delete() { owner_->Delete(this); }

void TTreeNode::DeleteChildren() {
    while (!children_.empty()) owner_->Delete(children_.back());
}

// ---------------------------------------------------------------------------------------------
// TTreeNodes

TTreeNodes::~TTreeNodes() {
    for (TTreeNode* node : roots_) delete node;
}

int TTreeNodes::Count() const {
    int count = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const {
    TTreeNode* node = index >= 0 ? GetFirstNode() : nullptr;
    for (int i = 0; node && i < index; ++i) node = node->GetNext();
    if (!node) throw ETreeViewError(SInvalidIndex, index);
    return node;
}

TTreeNode* TTreeNodes::GetNode(HTREEITEM item) const {
    if (!item || !owner_->HandleAllocated()) return nullptr;
    TVITEMA data{};
    data.mask = TVIF_PARAM | TVIF_HANDLE;
    data.hItem = item;
    if (!SendMessageA(owner_->WindowHandle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return nullptr;
    return reinterpret_cast<TTreeNode*>(data.lParam);
}

TTreeNode* TTreeNodes::AddNode(TTreeNode* relative, const AnsiString& text, void* data,
                               TNodeAttachMode mode) {
    auto* node = new TTreeNode(this);
    node->text_ = text;
    node->data_ = data;
    try {
        Attach(node, relative, mode);
    } catch (...) {
        delete node;
        throw;
    }
    owner_->Added(node);
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const AnsiString& text) {
    return AddNode(sibling, text, nullptr, naAdd);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const AnsiString& text, void* data) {
    return AddNode(sibling, text, data, naAdd);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const AnsiString& text) {
    return AddNode(sibling, text, nullptr, naAddFirst);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const AnsiString& text) {
    return AddNode(parent, text, nullptr, naAddChild);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const AnsiString& text, void* data) {
    return AddNode(parent, text, data, naAddChild);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const AnsiString& text) {
    return AddNode(parent, text, nullptr, naAddChildFirst);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const AnsiString& text) {
    return AddNode(sibling, text, nullptr, naInsert);
}

TTreeNode* TTreeNodes::InsertObject(TTreeNode* sibling, const AnsiString& text, void* data) {
    return AddNode(sibling, text, data, naInsert);
}

void TTreeNodes::Attach(TTreeNode* node, TTreeNode* relative, TNodeAttachMode mode) {
    const bool child = mode == naAddChild || mode == naAddChildFirst;
    TTreeNode* parent = child ? relative : (relative ? relative->parent_ : nullptr);
    std::vector<TTreeNode*>& list = ChildList(parent);
    auto position = list.end();
    if (mode == naAddFirst || mode == naAddChildFirst)
        position = list.begin();
    else if (mode == naInsert && relative)
        position = std::find(list.begin(), list.end(), relative);
    position = list.insert(position, node);
    node->parent_ = parent;
    if (parent && parent->hasChildrenSet_ && !parent->hasChildren_) parent->SetHasChildren(true);
    if (owner_->HandleAllocated() && (!parent || parent->itemId_)) {
        const HTREEITEM after =
            position == list.begin() ? TVI_FIRST : (*(position - 1))->itemId_;
        CreateWindowItem(node, after);
        CreateWindowItems(node->children_);
    }
    const TSortType sort = owner_->SortType();
    if (sort == stText || sort == stBoth) SortList(parent, owner_->TextCompare(), false);
}

void TTreeNodes::Detach(TTreeNode* node) {
    std::vector<TTreeNode*>& list = ChildList(node->parent_);
    list.erase(std::remove(list.begin(), list.end(), node), list.end());
    node->parent_ = nullptr;
}

void TTreeNodes::CreateWindowItem(TTreeNode* node, HTREEITEM insertAfter) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = node->parent_ ? node->parent_->itemId_ : TVI_ROOT;
    insert.hInsertAfter = insertAfter;
    TVITEMA& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE |
                (node->hasChildrenSet_ ? TVIF_CHILDREN : 0);
    item.pszText = const_cast<char*>(node->text_.c_str());
    item.iImage = I_IMAGECALLBACK;
    item.iSelectedImage = I_IMAGECALLBACK;
    item.cChildren = node->hasChildren_ ? 1 : 0;
    item.lParam = reinterpret_cast<LPARAM>(node);
    item.stateMask = TVIS_STATEIMAGEMASK | TVIS_OVERLAYMASK | TVIS_CUT;
    item.state = INDEXTOSTATEIMAGEMASK(std::max(0, node->stateIndex_)) |
                 (node->overlayIndex_ >= 0 ? INDEXTOOVERLAYMASK(node->overlayIndex_ + 1) : 0) |
                 (node->cut_ ? TVIS_CUT : 0);
    node->itemId_ = reinterpret_cast<HTREEITEM>(
        SendMessageA(owner_->WindowHandle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node->itemId_) throw ETreeViewError("Tree view item could not be inserted");
}

void TTreeNodes::CreateWindowItems(const std::vector<TTreeNode*>& nodes) {
    for (TTreeNode* node : nodes) {
        CreateWindowItem(node, TVI_LAST);
        CreateWindowItems(node->children_);
        if (node->expanded_) {
            TManualNotify manual(owner_->manualNotify_);
            SendMessageA(owner_->WindowHandle(), TVM_EXPAND, TVE_EXPAND,
                         reinterpret_cast<LPARAM>(node->itemId_));
        }
    }
}

void TTreeNodes::ForgetWindowItems(const std::vector<TTreeNode*>& nodes) {
    for (TTreeNode* node : nodes) node->itemId_ = nullptr;
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    node->deleting_ = true;
    while (!node->children_.empty()) Delete(node->children_.back());
    owner_->Delete(node);
    if (owner_->selected_ == node) owner_->selected_ = nullptr;
    if (owner_->rightClickNode_ == node) owner_->rightClickNode_ = nullptr;
    if (owner_->pendingChange_ == node) owner_->pendingChange_ = nullptr;
    if (node->HasWindowItem()) {
        TManualNotify manual(owner_->manualNotify_);
        SendMessageA(owner_->WindowHandle(), TVM_DELETEITEM, 0,
                     reinterpret_cast<LPARAM>(node->itemId_));
    }
    Detach(node);
    delete node;
}

void TTreeNodes::Clear() {
    WithinUpdate(*this, [this] {
        while (!roots_.empty()) Delete(roots_.back());
    });
}

void TTreeNodes::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTreeNodes*>(source);
    if (!other) return TPersistent::Assign(source);
    WithinUpdate(*this, [this, other] {
        Clear();
        std::function<void(TTreeNode*, TTreeNode*)> copy = [&](TTreeNode* from, TTreeNode* to) {
            for (TTreeNode* child : from->children_) copy(child, AddChild(to, child->text_));
            to->Assign(from);
        };
        for (TTreeNode* root : other->roots_) copy(root, Add(nullptr, root->text_));
    });
}

void TTreeNodes::BeginUpdate() { BeginRedrawLock(owner_, updateCount_); }

void TTreeNodes::EndUpdate() { EndRedrawLock(owner_, updateCount_); }

bool TTreeNodes::AlphaSort(bool recurse) { return SortList(nullptr, owner_->TextCompare(), recurse); }

bool TTreeNodes::CustomSort(const TTVCompare& compare, bool recurse) {
    return SortList(nullptr, compare ? compare : owner_->TextCompare(), recurse);
}

bool TTreeNodes::SortList(TTreeNode* parent, const TTVCompare& compare, bool recurse) {
    std::vector<TTreeNode*>& list = ChildList(parent);
    std::stable_sort(list.begin(), list.end(),
                     [&compare](TTreeNode* a, TTreeNode* b) { return compare(a, b) < 0; });
    bool sorted = true;
    if (owner_->HandleAllocated() && (!parent || parent->itemId_)) {
        TVSORTCB sort{};
        sort.hParent = parent ? parent->itemId_ : TVI_ROOT;
        sort.lpfnCompare = CompareByModelIndex<TTreeNode>;
        sorted = SendMessageA(owner_->WindowHandle(), TVM_SORTCHILDRENCB, 0,
                              reinterpret_cast<LPARAM>(&sort)) != 0;
    }
    if (recurse)
        for (TTreeNode* child : list)
            if (!child->children_.empty()) sorted = SortList(child, compare, true) && sorted;
    return sorted;
}

// ---------------------------------------------------------------------------------------------
// TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner),
      items_(new TTreeNodes(this)),
      canvas_(new TControlCanvas),
      imageChangeLink_(new TChangeLink),
      stateChangeLink_(new TChangeLink) {
    ControlStyle = {csCaptureMouse, csDoubleClicks};
    canvas_->SetControl(this);
    imageChangeLink_->OnChange = Bind(this, &TCustomTreeView::ImageListChange);
    stateChangeLink_->OnChange = Bind(this, &TCustomTreeView::ImageListChange);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() {
    delete stateChangeLink_;
    delete imageChangeLink_;
    delete canvas_;
    delete items_;
}

void TCustomTreeView::BeforeDestruction() {
    DestroyHandle();
    items_->Clear();
    TWinControl::BeforeDestruction();
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == stateImages_) SetStateImages(nullptr);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TREEVIEWA);
    params.Style |= (showButtons_ ? TVS_HASBUTTONS : 0) | (showLines_ ? TVS_HASLINES : 0) |
                    (showRoot_ ? TVS_LINESATROOT : 0) | (readOnly_ ? 0 : TVS_EDITLABELS) |
                    (hideSelection_ ? 0 : TVS_SHOWSELALWAYS) | (hotTrack_ ? TVS_TRACKSELECT : 0) |
                    (rowSelect_ ? TVS_FULLROWSELECT : 0) | (toolTips_ ? 0 : TVS_NOTOOLTIPS) |
                    (autoExpand_ ? TVS_SINGLEEXPAND : 0) |
                    (DragMode() == dmAutomatic ? 0 : TVS_DISABLEDRAGDROP);
    AddSingleBorder(params, borderStyle_, Ctl3D());
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = WindowHandle();
    ApplyColors();
    ApplyImages();
    SendMessageA(window, TVM_SETINDENT, indent_, 0);
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    destroyingWindow_ = true;
    try {
        items_->CreateWindowItems(items_->roots_);
        if (selected_ && selected_->itemId_)
            SendMessageA(window, TVM_SELECTITEM, TVGN_CARET,
                         reinterpret_cast<LPARAM>(selected_->itemId_));
    } catch (...) {
        destroyingWindow_ = false;
        throw;
    }
    destroyingWindow_ = false;
    if (items_->updateCount_ == 0) SendMessageA(window, WM_SETREDRAW, TRUE, 0);
}

void TCustomTreeView::DestroyWnd() {
    std::vector<TTreeNode*> nodes;
    CollectTree(items_->roots_, nodes);
    for (TTreeNode* node : nodes) node->expanded_ = node->Expanded();
    indent_ = Indent();
    selected_ = GetSelected();
    destroyingWindow_ = true;
    try {
        TWinControl::DestroyWnd();
    } catch (...) {
        destroyingWindow_ = false;
        throw;
    }
    destroyingWindow_ = false;
    items_->ForgetWindowItems(nodes);
}

TTreeNode* TCustomTreeView::GetSelected() {
    if (rightClickSelect_ && rightClickNode_) return rightClickNode_;
    if (!HandleAllocated()) return selected_;
    return items_->GetNode(reinterpret_cast<HTREEITEM>(
        SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (!HandleAllocated()) {
        selected_ = node;
        return;
    }
    SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(node ? node->itemId_ : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() {
    if (!HandleAllocated()) return items_->GetFirstNode();
    return items_->GetNode(reinterpret_cast<HTREEITEM>(
        SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    if (HandleAllocated() && node && node->itemId_)
        SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE,
                     reinterpret_cast<LPARAM>(node->itemId_));
}

TTreeNode* TCustomTreeView::DropTarget() {
    if (!HandleAllocated()) return nullptr;
    return items_->GetNode(reinterpret_cast<HTREEITEM>(
        SendMessageA(WindowHandle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0)));
}

void TCustomTreeView::SetDropTarget(TTreeNode* node) {
    if (HandleAllocated())
        SendMessageA(WindowHandle(), TVM_SELECTITEM, TVGN_DROPHILITE,
                     reinterpret_cast<LPARAM>(node ? node->itemId_ : nullptr));
}

void TCustomTreeView::SetImages(TCustomImageList* images) {
    SwapImageList(this, images_, images, imageChangeLink_);
    ApplyImages();
}

void TCustomTreeView::SetStateImages(TCustomImageList* images) {
    SwapImageList(this, stateImages_, images, stateChangeLink_);
    ApplyImages();
}

void TCustomTreeView::ImageListChange(TObject*) { ApplyImages(); }

void TCustomTreeView::ApplyImages() {
    if (!HandleAllocated()) return;
    SendMessageA(WindowHandle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    SendMessageA(WindowHandle(), TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
}

void TCustomTreeView::ApplyColors() {
    if (!HandleAllocated()) return;
    SendMessageA(WindowHandle(), TVM_SETBKCOLOR, 0, ColorToRGB(Color()));
    SendMessageA(WindowHandle(), TVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
}

int TCustomTreeView::Indent() {
    if (!HandleAllocated()) return indent_;
    return static_cast<int>(SendMessageA(WindowHandle(), TVM_GETINDENT, 0, 0));
}

void TCustomTreeView::SetIndent(int indent) {
    indent_ = indent;
    if (HandleAllocated()) SendMessageA(WindowHandle(), TVM_SETINDENT, indent, 0);
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    RecreateWnd();
}

void TCustomTreeView::SetAutoExpand(bool value) { SetStyleFlag(autoExpand_, value); }

void TCustomTreeView::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomTreeView::SetSortType(TSortType value) {
    if (value == sortType_) return;
    sortType_ = value;
    if (value != stNone) items_->SortList(nullptr, TextCompare(), true);
}

TTVCompare TCustomTreeView::TextCompare() {
    return TextOrder(this, OnCompare, &TTreeNode::Text);
}

void TCustomTreeView::ResortNode(TTreeNode* node) {
    items_->SortList(node->parent_, TextCompare(), false);
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageA(WindowHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return items_->GetNode(info.hItem);
}

THitTests TCustomTreeView::GetHitTestInfoAt(int x, int y) {
    THitTests result;
    if (!HandleAllocated()) return result;
    TVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageA(WindowHandle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    static const std::pair<UINT, THitTest> kFlags[] = {
        {TVHT_ABOVE, htAbove},         {TVHT_BELOW, htBelow},
        {TVHT_NOWHERE, htNowhere},     {TVHT_ONITEMBUTTON, htOnButton},
        {TVHT_ONITEMICON, htOnIcon},   {TVHT_ONITEMINDENT, htOnIndent},
        {TVHT_ONITEMLABEL, htOnLabel}, {TVHT_ONITEMRIGHT, htOnRight},
        {TVHT_ONITEMSTATEICON, htOnStateIcon}, {TVHT_TOLEFT, htToLeft},
        {TVHT_TORIGHT, htToRight},
    };
    for (const auto& flag : kFlags)
        if (info.flags & flag.first) result.insert(flag.second);
    if (info.flags & TVHT_ONITEM) result.insert(htOnItem);
    return result;
}

void TCustomTreeView::FullExpand() {
    items_->BeginUpdate();
    for (TTreeNode* node : std::vector<TTreeNode*>(items_->roots_)) node->Expand(true);
    items_->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
    items_->BeginUpdate();
    for (TTreeNode* node : std::vector<TTreeNode*>(items_->roots_)) node->Collapse(true);
    items_->EndUpdate();
}

bool TCustomTreeView::AlphaSort(bool recurse) { return items_->AlphaSort(recurse); }

bool TCustomTreeView::CustomSort(const TTVCompare& compare, bool recurse) {
    return items_->CustomSort(compare, recurse);
}

HWND TCustomTreeView::EditHandle() {
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(WindowHandle(), TVM_GETEDITCONTROL, 0, 0));
}

bool TCustomTreeView::IsEditing() { return EditHandle() != nullptr; }

TTreeNode* TCustomTreeView::NodeOfItem(const TVITEMA& item) const {
    if ((item.mask & TVIF_PARAM) && item.lParam) return reinterpret_cast<TTreeNode*>(item.lParam);
    return items_->GetNode(item.hItem);
}

// ---------------------------------------------------------------------------------------------
// Notifications

bool TCustomTreeView::CanChange(TTreeNode* node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
    if (OnChange) OnChange(this, node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* node) {
    if (OnExpanded) OnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node) {
    if (OnCollapsed) OnCollapsed(this, node);
}

bool TCustomTreeView::CanEdit(TTreeNode* node) {
    bool allow = !readOnly_;
    if (OnEditing) OnEditing(this, node, allow);
    return allow;
}

void TCustomTreeView::Edit(const TVITEMA& item) {
    TTreeNode* node = NodeOfItem(item);
    if (!node || !item.pszText) return;
    AnsiString text = item.pszText;
    if (OnEdited) OnEdited(this, node, text);
    node->SetText(text);
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (OnDeletion) OnDeletion(this, node);
}

void TCustomTreeView::Added(TTreeNode* node) {
    if (OnAddition) OnAddition(this, node);
}

void TCustomTreeView::GetImageIndex(TTreeNode* node) {
    if (OnGetImageIndex) OnGetImageIndex(this, node);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node) {
    if (OnGetSelectedIndex) OnGetSelectedIndex(this, node);
}

bool TCustomTreeView::IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage) {
    if (stage != cdPrePaint) return false;
    return target == dtControl ? static_cast<bool>(OnCustomDraw)
                               : static_cast<bool>(OnCustomDrawItem);
}

bool TCustomTreeView::CustomDraw(const TRect& rect, TCustomDrawStage stage) {
    bool defaultDraw = true;
    if (stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, rect, defaultDraw);
    return defaultDraw;
}

bool TCustomTreeView::CustomDrawItem(TTreeNode* node, TCustomDrawState state,
                                     TCustomDrawStage stage, bool&) {
    bool defaultDraw = true;
    if (stage == cdPrePaint && OnCustomDrawItem) OnCustomDrawItem(this, node, state, defaultDraw);
    return defaultDraw;
}

void TCustomTreeView::DoChange(TTreeNode* node) {
    pendingChange_ = nullptr;
    if (HandleAllocated()) KillTimer(WindowHandle(), kChangeTimer);
    Change(node);
}

void TCustomTreeView::HandleNotify(TMessage& message) {
    const NMHDR* header = message.NMHdr();
    auto* tree = reinterpret_cast<NMTREEVIEWA*>(message.LParam);
    switch (header->code) {
    case TVN_SELCHANGINGA:
    case TVN_SELCHANGINGW: {
        TTreeNode* old = items_->GetNode(tree->itemOld.hItem);
        if (destroyingWindow_ || (old && old->Deleting())) return;
        message.Result = !CanChange(items_->GetNode(tree->itemNew.hItem));
        return;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        TTreeNode* node = items_->GetNode(tree->itemNew.hItem);
        if (destroyingWindow_ || (node && node->Deleting())) return;
        selected_ = node;
        if (changeDelay_ > 0 && tree->action == TVC_BYKEYBOARD) {
            pendingChange_ = node;
            SetTimer(WindowHandle(), kChangeTimer, changeDelay_, nullptr);
        } else {
            DoChange(node);
        }
        return;
    }
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        if (manualNotify_ || destroyingWindow_) return;
        TTreeNode* node = items_->GetNode(tree->itemNew.hItem);
        if (!node) return;
        const bool allow = (tree->action & TVE_EXPAND) ? CanExpand(node) : CanCollapse(node);
        message.Result = !allow;
        return;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        if (manualNotify_ || destroyingWindow_) return;
        TTreeNode* node = items_->GetNode(tree->itemNew.hItem);
        if (!node) return;
        node->expanded_ = (tree->action & TVE_EXPAND) != 0;
        if (node->expanded_)
            Expand(node);
        else
            Collapse(node);
        return;
    }
    case TVN_BEGINLABELEDITA: {
        auto* info = reinterpret_cast<NMTVDISPINFOA*>(message.LParam);
        TTreeNode* node = NodeOfItem(info->item);
        labelEditing_ = node && CanEdit(node);
        message.Result = !labelEditing_;
        return;
    }
    case TVN_ENDLABELEDITA: {
        auto* info = reinterpret_cast<NMTVDISPINFOA*>(message.LParam);
        message.Result = FALSE;
        if (!labelEditing_) return;
        labelEditing_ = false;
        if (info->item.pszText && !cancellingEdit_) {
            Edit(info->item);
        } else if (OnCancelEdit) {
            if (TTreeNode* node = NodeOfItem(info->item)) OnCancelEdit(this, node);
        }
        return;
    }
    case TVN_GETDISPINFOA:
    case TVN_GETDISPINFOW:
        return HandleDisplayInfo(message);
    case NM_CUSTOMDRAW:
        return HandleCustomDraw(message);
    case NM_RCLICK:
        return HandleRightClick(message);
    default:
        return;
    }
}

void TCustomTreeView::HandleDisplayInfo(TMessage& message) {
    TVITEMA& item = reinterpret_cast<NMTVDISPINFOA*>(message.LParam)->item;
    TTreeNode* node = NodeOfItem(item);
    if (!node) return;
    if (item.mask & TVIF_IMAGE) {
        GetImageIndex(node);
        item.iImage = node->imageIndex_;
    }
    if (item.mask & TVIF_SELECTEDIMAGE) {
        GetSelectedIndex(node);
        item.iSelectedImage = node->selectedIndex_;
    }
}

void TCustomTreeView::HandleCustomDraw(TMessage& message) {
    auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(message.LParam);
    NMCUSTOMDRAW& custom = draw->nmcd;
    message.Result = CDRF_DODEFAULT;
    switch (custom.dwDrawStage) {
    case CDDS_PREPAINT:
        message.Result = PrePaintAnswer(
            canvas_, custom,
            [this](TCustomDrawTarget target) { return IsCustomDrawn(target, cdPrePaint); },
            [this](const TRect& rect) { return CustomDraw(rect, cdPrePaint); });
        return;
    case CDDS_ITEMPREPAINT: {
        auto* node = reinterpret_cast<TTreeNode*>(custom.lItemlParam);
        if (!node) return;
        bool paintImages = true;
        const bool defaultDraw = DrawItemWithCanvas(
            canvas_, Font(), custom.hdc, draw->clrText, draw->clrTextBk, [&] {
                return CustomDrawItem(node, CustomDrawStateOf(custom.uItemState), cdPrePaint,
                                      paintImages);
            });
        message.Result = defaultDraw ? CDRF_NEWFONT : CDRF_SKIPDEFAULT;
        return;
    }
    default:
        return;
    }
}

void TCustomTreeView::HandleRightClick(TMessage& message) {
    if (!rightClickSelect_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint local = ScreenToClient({cursor.x, cursor.y});
    rightClickNode_ = GetNodeAt(local.X, local.Y);
    try {
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(WindowHandle()),
                MAKELPARAM(cursor.x, cursor.y));
    } catch (...) {
        rightClickNode_ = nullptr;
        throw;
    }
    rightClickNode_ = nullptr;
    message.Result = 1;
}

void TCustomTreeView::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        return HandleNotify(message);
    case WM_TIMER:
        if (message.WParam != kChangeTimer) return TWinControl::Dispatch(message);
        return DoChange(pendingChange_ ? pendingChange_ : GetSelected());
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        return ApplyColors();
    default:
        TWinControl::Dispatch(message);
    }
}
