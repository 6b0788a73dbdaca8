#include "UiListView.h"

#include "UiShellUtils.h"
#include "UiThemeSrv.h"
#include "cl_forms.h"

namespace {

const char* const kListViewProperty = "UiListView";

bool ThemesActive() { return ThemeServices()->GetThemesEnabled(); }

TPoint CentreOf(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

// Sets a flag for a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }

private:
    bool& flag_;
};

// The sort-arrow box for a rectangle: a side of (top + bottom) / 2 - 1 at its left edge.
TRect ArrowBox(const TRect& r) {
    const int a = (r.Top + r.Bottom) / 2 - 1;
    TRect box;
    box.Left = r.Left;
    box.Right = r.Left + a + 1;
    box.Top = ((r.Top + r.Bottom) - a) / 2 - 1;
    box.Bottom = box.Top + a;
    return box;
}

TRect Shifted(TRect r, int dx) {
    r.Left += dx;
    r.Right += dx;
    return r;
}

void DrawArrow(TCanvas* canvas, const TRect& rect, TColor background, TColor arrow, bool up) {
    const int h = (rect.Bottom - rect.Top) * 3 / 4;
    const int w = 2 * h - 1;
    const int top = rect.Bottom - h;
    const int left = rect.Left;
    if (background != clNone) {
        canvas->Brush()->SetColor(background);
        canvas->FillRect(TRect(left, top, left + w, top + h));
    }
    canvas->Pen()->SetColor(arrow);
    canvas->Brush()->SetColor(arrow);
    if (up)
        canvas->Polygon({TPoint(left + w / 2, top), TPoint(left, top + h - 1),
                         TPoint(left + w - 1, top + h - 1)});
    else
        canvas->Polygon({TPoint(left, top), TPoint(left + w - 1, top),
                         TPoint(left + w / 2, top + h - 1)});
    if (background != clNone) canvas->Brush()->SetColor(background);
}

AnsiString ColumnText(TListItem* item, int column) {
    if (column == 0) return item->Caption();
    return column <= item->SubItems()->Count() ? item->SubItems()->Strings(column - 1)
                                               : AnsiString();
}

LRESULT CALLBACK HeaderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* view = static_cast<TUiCustomListView*>(GetPropA(window, kListViewProperty));
    if (!view) return DefWindowProcA(window, msg, wParam, lParam);
    return view->HeaderWndProc(msg, wParam, lParam);
}

const bool listViewPropertiesRegistered = [] {
    using C = TUiListView;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubNotifications);
    RegisterProperty(meta, OrdinalProperty<C>("AlphaSortAll", pkBool, &C::AlphaSortAll,
                                              &C::SetAlphaSortAll, 0));
    RegisterProperty(meta, OrdinalProperty<C>("EditOnRowClick", pkBool, &C::EditOnRowClick,
                                              &C::SetEditOnRowClick, 0));
    RegisterProperty(meta, OrdinalProperty<C>("FillLastColumn", pkBool, &C::FillLastColumn,
                                              &C::SetFillLastColumn, 1));
    RegisterProperty(meta, OrdinalProperty<C>("HeaderDefaultDrawing", pkBool,
                                              &C::HeaderDefaultDrawing,
                                              &C::SetHeaderDefaultDrawing, 1));
    RegisterProperty(meta, EnumProperty<C>("HeaderSortDisplayMode", &C::HeaderSortDisplayMode,
                                           &C::SetHeaderSortDisplayMode,
                                           {"hsdmNone", "hsdmLeftAlign", "hsdmRightOfText",
                                            "hsdmRightAlign"},
                                           hsdmRightOfText));
    return true;
}();

}  // namespace

void DrawUpArrow(TCanvas* canvas, const TRect& rect, TColor background, TColor arrow) {
    DrawArrow(canvas, rect, background, arrow, true);
}

void DrawDownArrow(TCanvas* canvas, const TRect& rect, TColor background, TColor arrow) {
    DrawArrow(canvas, rect, background, arrow, false);
}

int UiCustomSortProc(TListItem* item1, TListItem* item2, int column) {
    if (!item1 || !item2 || column < 0) return 0;
    const AnsiString text1 = ColumnText(item1, column);
    const AnsiString text2 = ColumnText(item2, column);
    if (text2.IsEmpty() && !text1.IsEmpty()) return -1;
    if (text1.IsEmpty() && !text2.IsEmpty()) return 1;
    return CompareText(text1, text2);
}

int UiCustomSortDescendingProc(TListItem* item1, TListItem* item2, int column) {
    return -UiCustomSortProc(item1, item2, column);
}

TUiCustomListView::TUiCustomListView(TComponent* owner)
    : TUiFramedControl<TCustomListView>(owner), headerCanvas_(new TCanvas) {}

TUiCustomListView::~TUiCustomListView() { delete headerCanvas_; }

void TUiCustomListView::BeforeDestruction() {
    UnsubclassHeader();
    TUiFramedControl<TCustomListView>::BeforeDestruction();
}

void TUiCustomListView::Loaded() {
    TUiFramedControl<TCustomListView>::Loaded();
    if (fillLastColumn_) ResizeLastColumn(true);
    ResetHeaderHandle();
}

void TUiCustomListView::CreateWnd() {
    TUiFramedControl<TCustomListView>::CreateWnd();
    if (!header_) SubclassHeader(HeaderHandle());
    SetHeaderODStyle();
    PostMessageA(WindowHandle(), AM_INITSTAGE2, 0, 0);
}

void TUiCustomListView::UpdateFrame(bool byMouse, bool value) {
    if (byMouse) overControl_ = value;
    if (FrameHotTrack()) RepaintFrame();
    UpdateColors();
}

void TUiCustomListView::RepaintFrame() {
    if (!InState(csLoading)) TUiFramedControl<TCustomListView>::RepaintFrame();
}

void TUiCustomListView::SetViewStyle(TViewStyle style) {
    TUiFramedControl<TCustomListView>::SetViewStyle(style);
    if (style == vsReport) SetHeaderODStyle();
}

void TUiCustomListView::SetBounds(int left, int top, int width, int height) {
    const bool changed =
        left != Left() || top != Top() || width != Width() || height != Height();
    TUiFramedControl<TCustomListView>::SetBounds(left, top, width, height);
    if (changed && header_) ResizeLastColumn();
}

void TUiCustomListView::SetParent(TWinControl* parent) {
    TUiFramedControl<TCustomListView>::SetParent(parent);
    if (HandleAllocated()) ResetHeaderHandle();
}

void TUiCustomListView::SetFillLastColumn(bool value) {
    fillLastColumn_ = value;
    ResizeLastColumn();
}

void TUiCustomListView::SetHeaderDefaultDrawing(bool value) {
    if (value == headerDefaultDrawing_) return;
    headerDefaultDrawing_ = value;
    InvalidateHeader();
}

void TUiCustomListView::SetHeaderSortDisplayMode(TUiLVHeaderSortDisplayMode value) {
    sortDisplayMode_ = COMCTL32_VER.High < ModuleVersionHigh(4, 70) ? hsdmNone : value;
    if (!HandleAllocated()) return;
    SetHeaderODStyle();
    InvalidateHeader();
}

void TUiCustomListView::ResizeLastColumn(bool loading) {
    if (!fillLastColumn_ || ViewStyle() != vsReport || InState(csDestroying) ||
        Columns()->Count() == 0)
        return;
    Items()->BeginUpdate();
    try {
        const int last = Columns()->Count() - 1;
        int others = 0;
        for (int i = 0; i < last; ++i) others += Column(i)->Width();
        int width = ClientWidth();
        if (Items()->Count() == 0 || loading) width -= GetSystemMetrics(SM_CXVSCROLL);
        if (others < width) Column(last)->SetWidth(std::max(width - others, 5));
    } catch (...) {
        Items()->EndUpdate();
        throw;
    }
    Items()->EndUpdate();
}

void TUiCustomListView::SetTopIndex(int index) {
    TListItem* top = TopItem();
    if (!top || index == top->Index()) return;
    Scroll(0, (index - top->Index()) * top->DisplayRect(drBounds).Height());
}

// ---------------------------------------------------------------------------------------------
// Header

void TUiCustomListView::SubclassHeader(HWND header) {
    if (!header || header_ == header) return;
    header_ = header;
    SetPropA(header_, kListViewProperty, this);
    headerProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderProc)));
}

void TUiCustomListView::UnsubclassHeader() {
    if (header_ && headerProc_ && IsWindow(header_)) {
        SetWindowLongPtrA(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerProc_));
        RemovePropA(header_, kListViewProperty);
    }
    header_ = nullptr;
    headerProc_ = nullptr;
}

void TUiCustomListView::ResetHeaderHandle() {
    UnsubclassHeader();
    SubclassHeader(HeaderHandle());
}

LRESULT TUiCustomListView::HeaderWndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND header = header_;
    WNDPROC previous = headerProc_;
    try {
        switch (msg) {
        case WM_NCDESTROY: {
            const LRESULT result = CallWindowProcA(previous, header, msg, wParam, lParam);
            RemovePropA(header, kListViewProperty);
            header_ = nullptr;
            headerProc_ = nullptr;
            return result;
        }
        case WM_NCHITTEST:
            if (InState(csDesigning)) return HTTRANSPARENT;
            break;
        case WM_MOUSEMOVE:
            if (ThemesActive() && !headerButtonDown_) {
                HDHITTESTINFO hit{};
                hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                hotHeaderItem_ =
                    static_cast<int>(SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
                InvalidateRect(header, nullptr, FALSE);
            }
            break;
        case WM_LBUTTONDOWN:
            headerButtonDown_ = true;
            break;
        case WM_LBUTTONUP:
            headerButtonDown_ = false;
            break;
        default:
            break;
        }
    } catch (...) {
        Application->HandleException(this);
    }
    return CallWindowProcA(previous, header, msg, wParam, lParam);
}

void TUiCustomListView::InvalidateHeader(bool erase) {
    if (header_) InvalidateRect(header_, nullptr, erase);
}

void TUiCustomListView::InvalidateHeaderItem(int index) {
    if (!header_ || index < 0) return;
    RECT r{};
    if (SendMessageA(header_, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)))
        InvalidateRect(header_, &r, TRUE);
}

void TUiCustomListView::SetHeaderSortColumn(int index) {
    if (index == sortColumn_) return;
    InvalidateHeaderItem(sortColumn_);
    InvalidateHeaderItem(index);
    sortColumn_ = index;
    if (COMCTL32_VER.High >= ModuleVersionHigh(6, 0)) SetHeaderODStyle();
}

void TUiCustomListView::SetHeaderSortDirection(TUiLVSortDirection value) {
    if (value == sortDirection_) return;
    InvalidateHeaderItem(sortColumn_);
    sortDirection_ = value;
    if (COMCTL32_VER.High >= ModuleVersionHigh(6, 0)) SetHeaderODStyle();
    Update();
}

void TUiCustomListView::SetHeaderODStyle() {
    if (!HandleAllocated() || !header_ || ViewStyle() != vsReport || headerStyleUpdates_ > 0)
        return;
    ++headerStyleUpdates_;
    for (int i = Columns()->Count() - 1; i >= 0; --i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageA(header_, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) continue;
        int format = item.fmt & HDF_JUSTIFYMASK;
        if (sortDisplayMode_ != hsdmNone)
            format |= HDF_OWNERDRAW;
        else
            format |= HDF_STRING | (Column(i)->ImageIndex() >= 0 && SmallImages() ? HDF_IMAGE : 0);
        item.fmt = format;
        SendMessageA(header_, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    --headerStyleUpdates_;
    InvalidateHeader();
}

void TUiCustomListView::DrawHeaderItem(TMessage& message) {
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
    const int saved = SaveDC(draw->hDC);
    headerCanvas_->SetHandle(draw->hDC);
    try {
        const int index = static_cast<int>(draw->itemID);
        DrawHeader(index, ToTRect(draw->rcItem), index == hotHeaderItem_, headerButtonDown_);
    } catch (...) {
        headerCanvas_->SetHandle(nullptr);
        RestoreDC(draw->hDC, saved);
        throw;
    }
    headerCanvas_->SetHandle(nullptr);
    RestoreDC(draw->hDC, saved);
    message.Result = 1;
}

void TUiCustomListView::DrawHeader(int index, TRect rect, bool hot, bool pressed) {
    headerCanvas_->Font()->Assign(Font());
    headerCanvas_->Font()->SetColor(clBtnText);
    headerCanvas_->Brush()->SetColor(clBtnFace);
    headerCanvas_->Brush()->SetStyle(bsSolid);
    if (!ThemesActive()) {
        headerCanvas_->FillRect(rect);
        // The header's own button edge, which the fill covered, keeps the columns apart.
        RECT edge = ToRECT(rect);
        DrawEdge(headerCanvas_->Handle(), &edge, pressed && hot ? BDR_RAISEDOUTER : EDGE_RAISED,
                 BF_RECT | (pressed && hot ? BF_FLAT : BF_SOFT));
        rect = TRect(rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
    }
    if (headerDefaultDrawing_) DefaultDrawHeader(index, rect, hot, pressed);
}

void TUiCustomListView::DefaultDrawHeader(int index, TRect rect, bool hot, bool pressed) {
    if (index < 0 || index >= Columns()->Count()) return;
    HDC dc = headerCanvas_->Handle();
    const bool themed = ThemesActive();
    if (themed) {
        const TThemedHeader part = hot && pressed ? thHeaderItemPressed
                                   : hot          ? thHeaderItemHot
                                                  : thHeaderItemNormal;
        ThemeServices()->DrawElement(dc, TThemeServices::GetElementDetails(part), rect);
    }
    TRect text = rect;
    if (themed) text = TRect(text.Left + 2, text.Top + 2, text.Right - 2, text.Bottom - 2);
    text.Left += 4;
    text.Right -= 4;
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);

    char caption[256] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = caption;
    item.cchTextMax = 255;
    SendMessageA(header_, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    const int justify = item.fmt & HDF_JUSTIFYMASK;
    const UINT align = justify == HDF_RIGHT ? DT_RIGHT : justify == HDF_CENTER ? DT_CENTER : DT_LEFT;
    TListColumn* column = Column(index);
    if (column->ImageIndex() >= 0 && SmallImages()) {
        SmallImages()->Draw(headerCanvas_, text.Left, text.Top, column->ImageIndex());
        text.Left += SmallImages()->Width() + 4;
    }
    headerCanvas_->Brush()->SetStyle(themed ? bsClear : bsSolid);
    const AnsiString label = caption;
    auto drawText = [&](TRect r) {
        RECT area = ToRECT(r);
        SetBkMode(headerCanvas_->Handle(), TRANSPARENT);
        DrawTextA(headerCanvas_->Handle(), label.c_str(), label.Length(), &area,
                  align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    };
    if (index == sortColumn_) {
        switch (sortDisplayMode_) {
        case hsdmLeftAlign:
            if (column->Width() > 15) {
                const TRect box = ArrowBox(text);
                DrawHeaderSortGlyphs(index, box);
                text.Left = box.Right + 5;
            }
            break;
        case hsdmRightOfText: {
            if (align == DT_LEFT) {
                drawText(text);
                const int width = std::min(headerCanvas_->TextWidth(label), text.Width());
                TRect measured = text;
                measured.Right = measured.Left + width;
                DrawHeaderSortGlyphs(index, ArrowBox(Shifted(measured, width + 5)));
                return;
            }
            TRect limited = text;
            limited.Bottom = limited.Top + headerCanvas_->TextHeight(label);
            TRect box = ArrowBox(limited);
            box = Shifted(box, text.Width() - box.Width() - 5);
            DrawHeaderSortGlyphs(index, box);
            if (align == DT_RIGHT) {
                text.Right = box.Left - 5;
            } else {
                text.Left += box.Width() + 5;
                text.Right -= box.Width() + 5;
            }
            break;
        }
        case hsdmRightAlign: {
            TRect box = ArrowBox(text);
            box = Shifted(box, text.Width() - box.Width() - 5);
            DrawHeaderSortGlyphs(index, box);
            text.Right = box.Left - 5;
            break;
        }
        case hsdmNone:
            break;
        }
    }
    drawText(text);
}

void TUiCustomListView::DrawHeaderSortGlyphs(int index, const TRect& box) {
    if (2 * box.Width() >= Column(index)->Width()) return;
    if (sortDirection_ == sdDescending)
        DrawDownArrow(headerCanvas_, box, clNone, clBtnShadow);
    else
        DrawUpArrow(headerCanvas_, box, clNone, clBtnShadow);
}

void TUiCustomListView::HandleHeaderNotify(TMessage& message) {
    const UINT code = message.NMHdr()->code;
    if (code == HDN_ITEMCLICKW || code == HDN_ITEMCLICKA) InvalidateHeader();
    TUiFramedControl<TCustomListView>::Dispatch(message);
    switch (code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
        SetHeaderODStyle();
        if (FrameVisible()) Invalidate();
        return;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        SetHeaderODStyle();
        if (FrameVisible()) Invalidate();
        return ResizeLastColumn();
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        return ResizeLastColumn();
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
// Sorting, drawing, label editing

void TUiCustomListView::ColClick(TListColumn* column) {
    if (alphaSortAll_) {
        const int index = column->Index();
        if (index == lastAscendingColumn_) {
            SetHeaderSortColumn(index);
            SetHeaderSortDirection(sdDescending);
            CustomSort([index](TListItem* a, TListItem* b) {
                return UiCustomSortDescendingProc(a, b, index);
            });
            lastAscendingColumn_ = -1;
        } else {
            SetHeaderSortColumn(index);
            SetHeaderSortDirection(sdAscending);
            CustomSort(
                [index](TListItem* a, TListItem* b) { return UiCustomSortProc(a, b, index); });
            lastAscendingColumn_ = index;
        }
    }
    TUiFramedControl<TCustomListView>::ColClick(column);
}

void TUiCustomListView::SortByColumn(int index, bool descending) {
    lastAscendingColumn_ = descending ? index : -1;
    ColClick(Column(index));
}

bool TUiCustomListView::IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage) {
    if (target == dtItem && stage == cdPrePaint && !Enabled() && !InState(csDesigning))
        return true;
    return TUiFramedControl<TCustomListView>::IsCustomDrawn(target, stage);
}

bool TUiCustomListView::CustomDrawItem(TListItem* item, TCustomDrawState state,
                                       TCustomDrawStage stage) {
    if (!Enabled() && !InState(csDesigning)) Canvas()->Brush()->SetColor(DisabledColor());
    return TUiFramedControl<TCustomListView>::CustomDrawItem(item, state, stage);
}

bool TUiCustomListView::EditItemCaption(TListItem* item) {
    if (!item) return false;
    TFlagScope byCode(editingByCode_);
    return item->EditCaption();
}

bool TUiCustomListView::EditSelectedCaption() { return EditItemCaption(Selected()); }

bool TUiCustomListView::RefusesLabelEdit() {
    return !editingByCode_ && RowSelect() && ViewStyle() == vsReport && !editOnRowClick_;
}

// ---------------------------------------------------------------------------------------------
// Check boxes

bool TUiCustomListView::CanCheckStateChange(TListItem* item, bool toBeChecked) {
    bool allow = true;
    if (OnCheckStateChanging) OnCheckStateChanging(this, item, toBeChecked, allow);
    return allow;
}

void TUiCustomListView::CheckStateChange(TListItem* item) {
    if (OnCheckStateChange) OnCheckStateChange(this, item);
}

// A check change is a state-image change between the checked and the unchecked box, whatever
// else (selection, focus) changes with it.
void TUiCustomListView::HandleCheckChange(TMessage& message, bool changed) {
    const auto* info = reinterpret_cast<const NMLISTVIEW*>(message.LParam);
    if (!Checkboxes() || !(info->uChanged & LVIF_STATE) || info->iItem < 0) return;
    const UINT newImage = info->uNewState & LVIS_STATEIMAGEMASK;
    const UINT oldImage = info->uOldState & LVIS_STATEIMAGEMASK;
    const UINT checked = INDEXTOSTATEIMAGEMASK(2), unchecked = INDEXTOSTATEIMAGEMASK(1);
    if ((newImage != checked && newImage != unchecked) ||
        (oldImage != checked && oldImage != unchecked) || newImage == oldImage)
        return;
    TListItem* item = ItemOfIndex(info->iItem);
    if (!item) return;
    if (changed)
        CheckStateChange(item);
    else if (!CanCheckStateChange(item, newImage == checked))
        message.Result = TRUE;
}

void TUiCustomListView::HandleReflectedNotify(TMessage& message) {
    using Base = TUiFramedControl<TCustomListView>;
    switch (message.NMHdr()->code) {
    case LVN_ITEMCHANGING:
        Base::Dispatch(message);
        if (message.Result == 0) HandleCheckChange(message, false);
        return;
    case LVN_ITEMCHANGED:
        Base::Dispatch(message);
        return HandleCheckChange(message, true);
    case LVN_BEGINLABELEDITA: {
        if (RefusesLabelEdit()) {
            const int index = reinterpret_cast<const NMLVDISPINFOA*>(message.LParam)->item.iItem;
            TListItem* item = ItemOfIndex(index);
            const TPoint cursor = ScreenToClient(Mouse->CursorPos());
            const TRect label = item ? item->DisplayRect(drLabel) : TRect();
            if (cursor.X < label.Left || cursor.X >= label.Right || cursor.Y < label.Top ||
                cursor.Y >= label.Bottom) {
                message.Result = TRUE;
                return;
            }
        }
        return Base::Dispatch(message);
    }
    case NM_RCLICK:
        RightClick();
        return Base::Dispatch(message);
    default:
        return Base::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// Context menu

void TUiCustomListView::ItemContextMenu(TListItem* item, TPoint& pos, TPopupMenu*& menu) {
    if (OnItemContextMenu) OnItemContextMenu(this, item, pos, menu);
}

void TUiCustomListView::ShowMenu(TPopupMenu* menu, TPoint clientPos) {
    const TPoint screen = ClientToScreen(clientPos);
    SendCancelMode(this);
    menu->SetPopupComponent(this);
    menu->Popup(screen.X, screen.Y);
}

void TUiCustomListView::DoItemContextMenu(TPoint pos) {
    TPopupMenu* menu = PopupMenu();
    ItemContextMenu(ItemFocused(), pos, menu);
    menuShown_ = true;
    if (menu) ShowMenu(menu, pos);
}

void TUiCustomListView::DoPreItemContextMenu(TPoint pos) {
    TListItem* focused = ItemFocused();
    if (!focused || rightClickOnItem_) {
        if (rightClickOnItem_) {
            DoItemContextMenu(pos);
        } else if (PopupMenu() && PopupMenu()->AutoPopup()) {
            ShowMenu(PopupMenu(), pos);
            menuShown_ = true;
        }
    } else if (focused->Selected()) {
        DoItemContextMenu(CentreOf(focused->DisplayRect(drIcon)));
    } else if (SelCount() == 0) {
        if (PopupMenu()) ShowMenu(PopupMenu(), pos);
    } else {
        DoItemContextMenu(CentreOf(Selected()->DisplayRect(drIcon)));
    }
}

void TUiCustomListView::RightClick() {
    const TPoint pos = ScreenToClient(Mouse->CursorPos());
    rightClickOnItem_ = GetItemAt(pos.X, pos.Y) != nullptr;
    try {
        DoPreItemContextMenu(pos);
    } catch (...) {
        rightClickOnItem_ = false;
        throw;
    }
    rightClickOnItem_ = false;
}

void TUiCustomListView::ContextMenuMessage(TMessage& message) {
    if (InState(csDesigning) || menuShown_ || SelCount() == 0 || !ItemFocused()) return;
    const int x = static_cast<short>(LOWORD(message.LParam));
    const int y = static_cast<short>(HIWORD(message.LParam));
    if (x == -1 && y == -1)
        DoPreItemContextMenu(TPoint(0, 0));
    else
        DoItemContextMenu(ScreenToClient(TPoint(x, y)));
}

void TUiCustomListView::RightButtonUp(TMessage& message) {
    using Base = TUiFramedControl<TCustomListView>;
    TPopupMenu* menu = PopupMenu();
    const bool detach = menuShown_ && menu;
    menuShown_ = false;
    if (!detach) return Base::Dispatch(message);
    SetPopupMenu(nullptr);
    try {
        Base::Dispatch(message);
    } catch (...) {
        SetPopupMenu(menu);
        throw;
    }
    SetPopupMenu(menu);
}

void TUiCustomListView::KeyDown(uint16_t& key, TShiftState shift) {
    if ((key == VK_APPS && shift.empty()) || (key == VK_F10 && shift == TShiftState{ssShift})) {
        key = 0;
        return DoPreItemContextMenu(TPoint(0, 0));
    }
    TUiFramedControl<TCustomListView>::KeyDown(key, shift);
}

// ---------------------------------------------------------------------------------------------
// Mouse and messages

void TUiCustomListView::MouseMove(TShiftState shift, int x, int y) {
    if (ThemesActive() && ViewStyle() == vsReport && hotHeaderItem_ != -1) {
        hotHeaderItem_ = -1;
        InvalidateHeader(false);
    }
    TUiFramedControl<TCustomListView>::MouseMove(shift, x, y);
}

void TUiCustomListView::ScrollByWheel(int direction) {
    const int step = ViewStyle() == vsIcon ? 32 : 16;
    Scroll(0, direction * static_cast<int>(Mouse->WheelScrollLines()) * step);
}

bool TUiCustomListView::DoMouseWheelDown(TShiftState, TPoint) {
    ScrollByWheel(1);
    return true;
}

bool TUiCustomListView::DoMouseWheelUp(TShiftState, TPoint) {
    ScrollByWheel(-1);
    return true;
}

void TUiCustomListView::Dispatch(TMessage& message) {
    using Base = TUiFramedControl<TCustomListView>;
    switch (message.Msg) {
    case CN_NOTIFY:
        return HandleReflectedNotify(message);
    case WM_NOTIFY:
        if (header_ && message.NMHdr()->hwndFrom == header_) return HandleHeaderNotify(message);
        return Base::Dispatch(message);
    case WM_DRAWITEM:
        if (header_ &&
            reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hwndItem == header_)
            return DrawHeaderItem(message);
        return Base::Dispatch(message);
    case WM_PARENTNOTIFY:
        Base::Dispatch(message);
        if (LOWORD(message.WParam) == WM_CREATE && !header_)
            SubclassHeader(GetDlgItem(WindowHandle(), 0));
        return SetHeaderODStyle();
    case AM_INITSTAGE2:
        return SetHeaderODStyle();
    case WM_CONTEXTMENU:
        return ContextMenuMessage(message);
    case WM_RBUTTONUP:
        return RightButtonUp(message);
    case CM_SYSCOLORCHANGE:
        Base::Dispatch(message);
        if (static_cast<int32_t>(Color()) < 0) Perform(CM_COLORCHANGED, 0, 0);
        return;
    default:
        Base::Dispatch(message);
    }
}
