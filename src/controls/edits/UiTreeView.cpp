#include "UiTreeView.h"

#include "UiShellUtils.h"
#include "UiUtils.h"
#include "cl_forms.h"
#include "cl_hourglass.h"

namespace {

// Switches a Boolean off for a scope and puts it back.
class TSwitchedOff {
public:
    TSwitchedOff(bool& flag) : flag_(flag), saved_(flag) { flag_ = false; }
    ~TSwitchedOff() { flag_ = saved_; }

private:
    bool& flag_;
    bool saved_;
};

TPoint CentreOf(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

const bool treeViewPropertiesRegistered = [] {
    using C = TUiTreeView;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubNotifications);
    RegisterProperty(meta, OrdinalProperty<C>("AutoSelect", pkBool, &C::AutoSelect,
                                              &C::SetAutoSelect, 0));
    RegisterProperty(meta, OrdinalProperty<C>("AutoExpand", pkBool, &C::GetAutoExpand,
                                              &C::SetAutoExpand, 0));
    return true;
}();

}  // namespace

TUiCustomTreeView::TUiCustomTreeView(TComponent* owner)
    : TUiFramedControl<TCustomTreeView>(owner), selectionPen_(new TPen) {
    selectionPen_->SetColor(clBtnShadow);
    selectionPen_->OnChange = Bind(this, &TUiCustomTreeView::SelectionPenChanged);
    SetTabStop(true);
    SetParentColor(false);
}

TUiCustomTreeView::~TUiCustomTreeView() { delete selectionPen_; }

void TUiCustomTreeView::BeforeDestruction() {
    selectionPen_->OnChange = nullptr;
    TUiFramedControl<TCustomTreeView>::BeforeDestruction();
}

void TUiCustomTreeView::SelectionPenChanged(TObject*) { Invalidate(); }

void TUiCustomTreeView::SetSelectionPen(TPen* value) {
    selectionPen_->Assign(value);
    Invalidate();
}

void TUiCustomTreeView::SetAutoSelect(bool value) {
    if (value == autoSelect_) return;
    autoSelect_ = value;
    if (value) SetAutoExpand(false);
}

void TUiCustomTreeView::SetAutoExpand(bool value) {
    TCustomTreeView::SetAutoExpand(value);
    if (TCustomTreeView::AutoExpand()) autoSelect_ = false;
}

void TUiCustomTreeView::UpdateFrame(bool byMouse, bool value) {
    if (byMouse) overControl_ = value;
    if (FrameHotTrack()) RepaintFrame();
    UpdateColors();
}

void TUiCustomTreeView::CreateParams(TCreateParams& params) {
    TUiFramedControl<TCustomTreeView>::CreateParams(params);
    if (IsWinNT() && COMCTL32_VER.High < ModuleVersionHigh(4, 72)) params.Style |= TVS_NOTOOLTIPS;
}

// ---------------------------------------------------------------------------------------------
// Paths and node display

AnsiString TUiCustomTreeView::PathFromNode(TTreeNode* node) {
    AnsiString path;
    for (; node; node = node->Parent()) path = node->Text() + "\\" + path;
    return path;
}

TTreeNode* TUiCustomTreeView::NodeFromPath(AnsiString path) {
    THourglass hourglass;
    if (LastChar(path) != '\\') path = path + "\\";
    path = UpperCase(path);
    TTreeNode* found = nullptr;
    const int levels = CountChar('\\', path);
    for (int k = 1; k <= levels; ++k) {
        const AnsiString prefix = CopyEx(path, 1, '\\', k);
        TTreeNode* child = found ? found->GetFirstChild() : Items()->GetFirstNode();
        while (child && UpperCase(PathFromNode(child)) != prefix) child = child->GetNextSibling();
        if (!child) return nullptr;
        found = child;
    }
    return found;
}

void TUiCustomTreeView::SelectByPath(const AnsiString& path) {
    if (TTreeNode* node = NodeFromPath(path)) SetSelected(node);
}

void TUiCustomTreeView::UpdateStateIndexDisplay(TTreeNode* node) {
    if (!node || !HandleAllocated() || !node->ItemId()) return;
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = node->ItemId();
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(node->StateIndex() < 0 ? 0 : node->StateIndex());
    SendMessageA(WindowHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        UpdateStateIndexDisplay(child);
}

void TUiCustomTreeView::InvalidateNode(TTreeNode* node, bool textOnly, bool erase) {
    if (!node || !HandleAllocated()) return;
    const RECT r = ToRECT(node->DisplayRect(textOnly));
    InvalidateRect(WindowHandle(), &r, erase);
}

TTreeNode* TUiCustomTreeView::GetSelected() {
    if (!HandleAllocated()) return nullptr;
    if (rightClickedNode_ && RightClickSelect()) return rightClickedNode_;
    return TCustomTreeView::GetSelected();
}

// ---------------------------------------------------------------------------------------------
// Expanding, wheel, keys

void TUiCustomTreeView::Expand(TTreeNode* node) {
    TCustomTreeView::Expand(node);
    if (autoSelect_) SetSelected(node);
}

void TUiCustomTreeView::Collapse(TTreeNode* node) {
    if (autoSelect_) SetSelected(node);
    TCustomTreeView::Collapse(node);
}

void TUiCustomTreeView::FullExpand() {
    TSwitchedOff off(autoSelect_);
    TCustomTreeView::FullExpand();
}

void TUiCustomTreeView::FullCollapse() {
    TSwitchedOff off(autoSelect_);
    TCustomTreeView::FullCollapse();
}

void TUiCustomTreeView::ScrollByWheel(int lines) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_POS;
    if (!GetScrollInfo(Handle(), SB_VERT, &info)) return;
    info.nPos = std::max(0, info.nPos + lines);
    SendMessageA(WindowHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, info.nPos), 0);
    SetScrollInfo(WindowHandle(), SB_VERT, &info, TRUE);
}

bool TUiCustomTreeView::DoMouseWheelDown(TShiftState, TPoint) {
    ScrollByWheel(static_cast<int>(Mouse->WheelScrollLines()));
    return true;
}

bool TUiCustomTreeView::DoMouseWheelUp(TShiftState, TPoint) {
    ScrollByWheel(-static_cast<int>(Mouse->WheelScrollLines()));
    return true;
}

void TUiCustomTreeView::KeyDown(uint16_t& key, TShiftState shift) {
    if ((key == VK_APPS && shift.empty()) || (key == VK_F10 && shift == TShiftState{ssShift})) {
        key = 0;
        DoPreNodeContextMenu();
    }
    TUiFramedControl<TCustomTreeView>::KeyDown(key, shift);
}

// ---------------------------------------------------------------------------------------------
// Node menus

void TUiCustomTreeView::NodeContextMenu(TTreeNode* node, TPoint& pos, TPopupMenu*& menu) {
    if (OnNodeContextMenu) OnNodeContextMenu(this, node, pos, menu);
}

void TUiCustomTreeView::ShowMenu(TPopupMenu* menu, TPoint clientPos) {
    const TPoint screen = ClientToScreen(clientPos);
    SendCancelMode(this);
    menu->SetPopupComponent(this);
    menu->Popup(screen.X, screen.Y);
}

void TUiCustomTreeView::DoNodeContextMenu(TTreeNode* node, TPoint pos) {
    TPopupMenu* menu = PopupMenu();
    NodeContextMenu(node, pos, menu);
    if (menu != PopupMenu()) menuHandled_ = true;
    if (menu) ShowMenu(menu, pos);
}

void TUiCustomTreeView::DoPreNodeContextMenu() {
    if (TTreeNode* node = Selected())
        DoNodeContextMenu(node, CentreOf(node->DisplayRect(true)));
    else if (PopupMenu())
        ShowMenu(PopupMenu(), TPoint(0, 0));
}

void TUiCustomTreeView::HandleRightClick() {
    if (InState(csDesigning)) return;
    const TPoint pos = ScreenToClient(Mouse->CursorPos());
    TTreeNode* node = GetNodeAt(pos.X, pos.Y);
    rightClickedNode_ = node ? node : Selected();
    if (!rightClickedNode_) return;
    try {
        TPoint menuPos = pos;
        TPopupMenu* menu = PopupMenu();
        NodeContextMenu(rightClickedNode_, menuPos, menu);
        if (menu) ShowMenu(menu, menuPos);
    } catch (...) {
        rightClickedNode_ = nullptr;
        menuHandled_ = true;
        throw;
    }
    rightClickedNode_ = nullptr;
    menuHandled_ = true;
}

void TUiCustomTreeView::ContextMenuMessage(TMessage& message) {
    if (InState(csDesigning) || Selected() || menuHandled_) return;
    const int x = static_cast<short>(LOWORD(message.LParam));
    const int y = static_cast<short>(HIWORD(message.LParam));
    if (x == -1 && y == -1)
        DoPreNodeContextMenu();
    else
        DoNodeContextMenu(nullptr, ScreenToClient(TPoint(x, y)));
}

void TUiCustomTreeView::RightButtonUp(TMessage& message) {
    TPopupMenu* menu = PopupMenu();
    if (!menuHandled_ || !menu) return TUiFramedControl<TCustomTreeView>::Dispatch(message);
    const bool autoPopup = menu->AutoPopup();
    menu->SetAutoPopup(false);
    try {
        TUiFramedControl<TCustomTreeView>::Dispatch(message);
    } catch (...) {
        menu->SetAutoPopup(autoPopup);
        menuHandled_ = false;
        throw;
    }
    menu->SetAutoPopup(autoPopup);
    menuHandled_ = false;
}

// ---------------------------------------------------------------------------------------------
// Painting and messages

void TUiCustomTreeView::PaintSelectionOutline() {
    TTreeNode* node = Selected();
    if (HideSelection() || Focused() || !node) return;
    TCanvasBinding binding(canvas_, nullptr);
    canvas_->Pen()->Assign(selectionPen_);
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->Rectangle(node->DisplayRect(true));
    canvas_->Pen()->SetWidth(1);
    canvas_->Pen()->SetStyle(psSolid);
}

void TUiCustomTreeView::Dispatch(TMessage& message) {
    using Base = TUiFramedControl<TCustomTreeView>;
    switch (message.Msg) {
    case WM_PAINT:
        Base::Dispatch(message);
        return PaintSelectionOutline();
    case CN_NOTIFY:
        if (message.NMHdr()->code == static_cast<UINT>(NM_RCLICK)) HandleRightClick();
        return Base::Dispatch(message);
    case WM_RBUTTONUP:
        return RightButtonUp(message);
    case WM_CONTEXTMENU:
        return ContextMenuMessage(message);
    case CM_SYSCOLORCHANGE:
        Base::Dispatch(message);
        if (static_cast<int32_t>(Color()) < 0) Perform(CM_COLORCHANGED, 0, 0);
        return;
    default:
        Base::Dispatch(message);
    }
}
