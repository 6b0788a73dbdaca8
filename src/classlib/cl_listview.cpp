#include "cl_listview.h"

#include <algorithm>

#include "cl_itemviews.h"

namespace {

constexpr DWORD kViewStyles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
constexpr int kColumnFormats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};

UINT StateImageMask(int stateIndex) {
    return INDEXTOSTATEIMAGEMASK(stateIndex >= 0 ? stateIndex + 1 : 0);
}

UINT OverlayMask(int overlayIndex) {
    return overlayIndex >= 0 ? INDEXTOOVERLAYMASK(overlayIndex + 1) : 0;
}

void CopyText(const AnsiString& text, char* buffer, int size) {
    if (buffer && size > 0) lstrcpynA(buffer, text.c_str(), size);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TListItem

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(new TStringList) {
    subItems_->OnChange = Bind(this, &TListItem::SubItemsChanged);
}

TListItem::~TListItem() { delete subItems_; }

TCustomListView* TListItem::ListView() const { return owner_->Owner(); }

void TListItem::Assign(TPersistent* source) {
    auto* item = dynamic_cast<TListItem*>(source);
    if (!item) return TPersistent::Assign(source);
    SetCaption(item->caption_);
    subItems_->Assign(item->subItems_);
    SetData(item->data_);
    SetImageIndex(item->imageIndex_);
    SetStateIndex(item->stateIndex_);
    SetOverlayIndex(item->overlayIndex_);
    SetIndent(item->indent_);
}

bool TListItem::HasWindowItem() const {
    return ListView()->HandleAllocated() && (ownerDataIndex_ >= 0 || Index() >= 0);
}

UINT TListItem::ItemState(UINT mask) const {
    if (!HasWindowItem()) return 0;
    return static_cast<UINT>(SendMessageA(ListView()->WindowHandle(), LVM_GETITEMSTATE, Index(), mask));
}

void TListItem::SetItemState(UINT state, UINT mask) {
    if (ownerDataIndex_ >= 0 || !HasWindowItem()) return;
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(ListView()->WindowHandle(), LVM_SETITEMSTATE, Index(),
                 reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetStateFlag(bool& flag, bool value, UINT windowState) {
    flag = value;
    SetItemState(value ? windowState : 0, windowState);
}

void TListItem::Update() {
    // The owner-data stand-in is filled while the window asks for it: nothing to redraw.
    if (ownerDataIndex_ < 0 && HasWindowItem())
        SendMessageA(ListView()->WindowHandle(), LVM_UPDATE, Index(), 0);
}

void TListItem::SubItemsChanged(TObject*) { Update(); }

void TListItem::SetCaption(const AnsiString& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Update();
    const TSortType sort = ListView()->SortType();
    if (sort == stText || sort == stBoth) ListView()->ResortItems();
}

void TListItem::SetData(void* data) {
    data_ = data;
    const TSortType sort = ListView()->SortType();
    if (sort == stData || sort == stBoth) ListView()->ResortItems();
}

void TListItem::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    Update();
}

void TListItem::SetStateIndex(int index) {
    stateIndex_ = index;
    SetItemState(StateImageMask(index), LVIS_STATEIMAGEMASK);
}

void TListItem::SetOverlayIndex(int index) {
    overlayIndex_ = index;
    SetItemState(OverlayMask(index), LVIS_OVERLAYMASK);
}

void TListItem::SetIndent(int indent) {
    indent_ = indent;
    if (ownerDataIndex_ >= 0 || !HasWindowItem()) return;
    LVITEMA item{};
    item.mask = LVIF_INDENT;
    item.iItem = Index();
    item.iIndent = indent;
    SendMessageA(ListView()->WindowHandle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Checked() const {
    if (!HasWindowItem()) return stateIndex_ == 1;
    return (ItemState(LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void TListItem::SetChecked(bool value) { SetStateIndex(value ? 1 : 0); }

bool TListItem::Selected() const {
    return HasWindowItem() ? (ItemState(LVIS_SELECTED) & LVIS_SELECTED) != 0 : selected_;
}

void TListItem::SetSelected(bool value) { SetStateFlag(selected_, value, LVIS_SELECTED); }

bool TListItem::Focused() const {
    return HasWindowItem() ? (ItemState(LVIS_FOCUSED) & LVIS_FOCUSED) != 0 : focused_;
}

void TListItem::SetFocused(bool value) { SetStateFlag(focused_, value, LVIS_FOCUSED); }

bool TListItem::Cut() const {
    return HasWindowItem() ? (ItemState(LVIS_CUT) & LVIS_CUT) != 0 : cut_;
}

void TListItem::SetCut(bool value) { SetStateFlag(cut_, value, LVIS_CUT); }

bool TListItem::DropTarget() const {
    return HasWindowItem() ? (ItemState(LVIS_DROPHILITED) & LVIS_DROPHILITED) != 0 : dropTarget_;
}

void TListItem::SetDropTarget(bool value) { SetStateFlag(dropTarget_, value, LVIS_DROPHILITED); }

int TListItem::Index() const {
    if (ownerDataIndex_ >= 0) return ownerDataIndex_;
    return owner_->IndexOf(this);
}

TPoint TListItem::Position() const {
    POINT p{};
    if (HasWindowItem())
        SendMessageA(ListView()->WindowHandle(), LVM_GETITEMPOSITION, Index(),
                     reinterpret_cast<LPARAM>(&p));
    return {p.x, p.y};
}

void TListItem::SetPosition(TPoint position) {
    if (HasWindowItem())
        SendMessageA(ListView()->WindowHandle(), LVM_SETITEMPOSITION32, Index(),
                     reinterpret_cast<LPARAM>(&position));
}

TRect TListItem::DisplayRect(TDisplayCode code) const {
    if (!HasWindowItem()) return TRect();
    static const int kCodes[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
    RECT r{};
    r.left = kCodes[code];
    if (!SendMessageA(ListView()->WindowHandle(), LVM_GETITEMRECT, Index(),
                      reinterpret_cast<LPARAM>(&r)))
        return TRect();
    return ToTRect(r);
}

void TListItem::MakeVisible(bool partialOK) {
    if (HasWindowItem())
        SendMessageA(ListView()->WindowHandle(), LVM_ENSUREVISIBLE, Index(), partialOK);
}

bool TListItem::EditCaption() {
    if (!HasWindowItem()) return false;
    HWND window = ListView()->WindowHandle();
    SetFocus(window);
    return SendMessageA(window, LVM_EDITLABELA, Index(), 0) != 0;
}

void TListItem::CancelEdit() {
    TCustomListView* list = ListView();
    if (!list->HandleAllocated()) return;
    list->cancellingEdit_ = true;
    SendMessageA(list->WindowHandle(), LVM_EDITLABELA, static_cast<WPARAM>(-1), 0);
    list->cancellingEdit_ = false;
}

void TListItem::Delete() { owner_->Delete(Index()); }

// ---------------------------------------------------------------------------------------------
// TListItems

TListItems::TListItems(TCustomListView* owner) : owner_(owner) {}

TListItems::~TListItems() {
    for (TListItem* item : items_) delete item;
    delete ownerDataItem_;
}

int TListItems::Count() const {
    return owner_->ownerData_ ? ownerDataCount_ : static_cast<int>(items_.size());
}

void TListItems::SetCount(int count) {
    if (!owner_->ownerData_) return;
    ownerDataCount_ = std::max(0, count);
    if (owner_->HandleAllocated())
        SendMessageA(owner_->WindowHandle(), LVM_SETITEMCOUNT, ownerDataCount_, 0);
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError(SListIndexError, index);
    if (!owner_->ownerData_) return items_[index];
    return owner_->ItemOfIndex(index);
}

int TListItems::IndexOf(const TListItem* item) const {
    if (item && item->ownerDataIndex_ >= 0) return item->ownerDataIndex_;
    const auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

TListItem* TListItems::Add() { return AddItem(nullptr, -1); }

TListItem* TListItems::Insert(int index) { return AddItem(nullptr, index); }

TListItem* TListItems::AddItem(TListItem* item, int index) {
    if (owner_->ownerData_) throw EListError("Items cannot be added to an owner-data list view");
    if (!item) item = new TListItem(this);
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, item);
    try {
        if (owner_->HandleAllocated()) CreateWindowItem(item, index);
    } catch (...) {
        items_.erase(items_.begin() + index);
        delete item;
        throw;
    }
    owner_->InsertItem(item);
    const TSortType sort = owner_->SortType();
    if (sort == stText || sort == stBoth) owner_->ResortItems();
    return item;
}

void TListItems::CreateWindowItem(TListItem* item, int index) {
    LVITEMA data{};
    data.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    data.iItem = index;
    data.pszText = LPSTR_TEXTCALLBACKA;
    data.iImage = I_IMAGECALLBACK;
    data.lParam = reinterpret_cast<LPARAM>(item);
    data.iIndent = item->indent_;
    data.stateMask = LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK | LVIS_SELECTED | LVIS_FOCUSED |
                     LVIS_CUT | LVIS_DROPHILITED;
    data.state = StateImageMask(item->stateIndex_) | OverlayMask(item->overlayIndex_) |
                 (item->selected_ ? LVIS_SELECTED : 0) | (item->focused_ ? LVIS_FOCUSED : 0) |
                 (item->cut_ ? LVIS_CUT : 0) | (item->dropTarget_ ? LVIS_DROPHILITED : 0);
    TManualNotify manual(owner_->manualNotify_);
    if (SendMessageA(owner_->WindowHandle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&data)) < 0)
        throw EListError("List view item could not be inserted");
    if (item->stateIndex_ >= 0) item->SetItemState(StateImageMask(item->stateIndex_), LVIS_STATEIMAGEMASK);
}

void TListItems::CreateWindowItems() {
    HWND window = owner_->WindowHandle();
    if (owner_->ownerData_) {
        SendMessageA(window, LVM_SETITEMCOUNT, ownerDataCount_, 0);
        return;
    }
    for (size_t i = 0; i < items_.size(); ++i) CreateWindowItem(items_[i], static_cast<int>(i));
}

void TListItems::Delete(int index) {
    TListItem* item = Item(index);
    if (owner_->ownerData_) return SetCount(ownerDataCount_ - 1);
    item->deleting_ = true;
    owner_->Delete(item);
    if (owner_->HandleAllocated()) {
        TManualNotify manual(owner_->manualNotify_);
        SendMessageA(owner_->WindowHandle(), LVM_DELETEITEM, item->Index(), 0);
    }
    items_.erase(items_.begin() + item->Index());
    delete item;
}

void TListItems::Clear() {
    if (owner_->ownerData_) return SetCount(0);
    WithinUpdate(*this, [this] {
        while (!items_.empty()) Delete(static_cast<int>(items_.size()) - 1);
    });
}

void TListItems::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListItems*>(source);
    if (!other) return TPersistent::Assign(source);
    WithinUpdate(*this, [this, other] {
        Clear();
        for (TListItem* item : other->items_) Add()->Assign(item);
    });
}

void TListItems::BeginUpdate() { BeginRedrawLock(owner_, updateCount_); }

void TListItems::EndUpdate() { EndRedrawLock(owner_, updateCount_); }

// ---------------------------------------------------------------------------------------------
// TListColumn and TListColumns

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {
    if (auto* columns = dynamic_cast<TListColumns*>(collection)) columns->ColumnAdded(this);
}

TCustomListView* TListColumn::ListView() const {
    auto* columns = dynamic_cast<TListColumns*>(Collection());
    return columns ? columns->Owner() : nullptr;
}

void TListColumn::Assign(TPersistent* source) {
    auto* column = dynamic_cast<TListColumn*>(source);
    if (!column) return TCollectionItem::Assign(source);
    caption_ = column->caption_;
    width_ = column->Width();
    alignment_ = column->alignment_;
    imageIndex_ = column->imageIndex_;
    autoSize_ = column->autoSize_;
    minWidth_ = column->minWidth_;
    maxWidth_ = column->maxWidth_;
    tag_ = column->tag_;
    Changed(false);
}

AnsiString TListColumn::GetDisplayName() const {
    return caption_.IsEmpty() ? TCollectionItem::GetDisplayName() : caption_;
}

void TListColumn::SetCaption(const AnsiString& caption) {
    caption_ = caption;
    Changed(false);
}

int TListColumn::Width() const {
    TCustomListView* list = ListView();
    auto* columns = static_cast<const TListColumns*>(Collection());
    if (list && list->HandleAllocated() && Index() < columns->WindowColumnCount())
        return static_cast<int>(SendMessageA(list->WindowHandle(), LVM_GETCOLUMNWIDTH, Index(), 0));
    return width_;
}

void TListColumn::SetWidth(int width) {
    if (minWidth_ > 0 && width < minWidth_) width = minWidth_;
    if (maxWidth_ > 0 && width > maxWidth_) width = maxWidth_;
    width_ = width;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed(false);
}

void TListColumn::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed(false);
}

void TListColumn::SetAutoSize(bool value) {
    autoSize_ = value;
    Changed(false);
}

void TListColumn::SetMinWidth(int value) {
    minWidth_ = value;
    SetWidth(Width());
}

void TListColumn::SetMaxWidth(int value) {
    maxWidth_ = value;
    SetWidth(Width());
}

TListColumns::~TListColumns() { Clear(); }

TPersistent* TListColumns::GetOwner() { return owner_; }

void TListColumns::ColumnAdded(TListColumn*) {
    adding_ = false;
    ApplyToWindow(nullptr);
}

void TListColumns::Notify(TCollectionItem* item, TCollectionNotification action) {
    if (action == cnAdded) adding_ = true;
    if (action != cnDeleting || !owner_->HandleAllocated()) return;
    if (item->Index() < WindowColumnCount())
        SendMessageA(owner_->WindowHandle(), LVM_DELETECOLUMN, item->Index(), 0);
}

void TListColumns::Update(TCollectionItem* item) {
    if (!adding_) ApplyToWindow(static_cast<TListColumn*>(item));
}

int TListColumns::WindowColumnCount() const {
    if (!owner_->HandleAllocated()) return 0;
    HWND header = owner_->HeaderHandle();
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void TListColumns::SetWindowColumn(int index, bool insert) {
    TListColumn* column = Items(index);
    LVCOLUMNA data{};
    data.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | (column->imageIndex_ >= 0 ? LVCF_IMAGE : 0);
    data.fmt = kColumnFormats[column->alignment_] |
               (column->imageIndex_ >= 0 ? LVCFMT_IMAGE : 0);
    data.cx = column->width_;
    data.pszText = const_cast<char*>(column->caption_.c_str());
    data.iImage = column->imageIndex_;
    HWND window = owner_->WindowHandle();
    SendMessageA(window, insert ? LVM_INSERTCOLUMNA : LVM_SETCOLUMNA, index,
                 reinterpret_cast<LPARAM>(&data));
    if (column->autoSize_) {
        SendMessageA(window, LVM_SETCOLUMNWIDTH, index, LVSCW_AUTOSIZE_USEHEADER);
        column->width_ = static_cast<int>(SendMessageA(window, LVM_GETCOLUMNWIDTH, index, 0));
    }
}

void TListColumns::ApplyToWindow(TListColumn* item) {
    if (!owner_->HandleAllocated()) return;
    const int windowCount = WindowColumnCount();
    if (item && item->Index() < windowCount) return SetWindowColumn(item->Index(), false);
    HWND window = owner_->WindowHandle();
    for (int i = windowCount; i > 0; --i) SendMessageA(window, LVM_DELETECOLUMN, i - 1, 0);
    for (int i = 0; i < Count(); ++i) SetWindowColumn(i, true);
}

// ---------------------------------------------------------------------------------------------
// TCustomListView

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      items_(new TListItems(this)),
      columns_(new TListColumns(this)),
      canvas_(new TControlCanvas),
      smallChangeLink_(new TChangeLink),
      largeChangeLink_(new TChangeLink),
      stateChangeLink_(new TChangeLink) {
    ControlStyle = {csCaptureMouse, csDoubleClicks};
    canvas_->SetControl(this);
    for (TChangeLink* link : {smallChangeLink_, largeChangeLink_, stateChangeLink_})
        link->OnChange = Bind(this, &TCustomListView::ImageListChange);
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView() {
    delete stateChangeLink_;
    delete largeChangeLink_;
    delete smallChangeLink_;
    delete canvas_;
    delete columns_;
    delete items_;
}

void TCustomListView::BeforeDestruction() {
    DestroyHandle();
    items_->Clear();
    TWinControl::BeforeDestruction();
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == smallImages_) SetSmallImages(nullptr);
    if (component == largeImages_) SetLargeImages(nullptr);
    if (component == stateImages_) SetStateImages(nullptr);
}

void TCustomListView::CreateParams(TCreateParams& params) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_LISTVIEWA);
    params.Style |= kViewStyles[viewStyle_] | LVS_SHAREIMAGELISTS |
                    (multiSelect_ ? 0 : LVS_SINGLESEL) | (readOnly_ ? 0 : LVS_EDITLABELS) |
                    (hideSelection_ ? 0 : LVS_SHOWSELALWAYS) |
                    (showColumnHeaders_ ? 0 : LVS_NOCOLUMNHEADER) |
                    (columnClick_ ? 0 : LVS_NOSORTHEADER) | (ownerData_ ? LVS_OWNERDATA : 0);
    AddSingleBorder(params, borderStyle_, Ctl3D());
}

void TCustomListView::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = WindowHandle();
    ApplyExtendedStyle();
    ApplyColors();
    ApplyImages();
    if (ownerData_)
        SendMessageA(window, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK | LVIS_OVERLAYMASK, 0);
    if (allocBy_ > 0) SendMessageA(window, LVM_SETITEMCOUNT, allocBy_, 0);
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    columns_->ApplyToWindow(nullptr);
    items_->CreateWindowItems();
    if (items_->updateCount_ == 0) SendMessageA(window, WM_SETREDRAW, TRUE, 0);
}

void TCustomListView::DestroyWnd() {
    for (int i = 0; i < columns_->Count(); ++i) columns_->Items(i)->width_ = columns_->Items(i)->Width();
    for (TListItem* item : items_->items_) {
        item->selected_ = item->Selected();
        item->focused_ = item->Focused();
        const UINT image = (item->ItemState(LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12;
        if (image > 0 || item->stateIndex_ >= 0) item->stateIndex_ = static_cast<int>(image) - 1;
    }
    TManualNotify manual(manualNotify_);
    TWinControl::DestroyWnd();
}

void TCustomListView::SetViewStyle(TViewStyle style) {
    if (style == viewStyle_) return;
    viewStyle_ = style;
    if (!HandleAllocated()) return;
    const LONG_PTR current = GetWindowLongPtrA(WindowHandle(), GWL_STYLE);
    SetWindowLongPtrA(WindowHandle(), GWL_STYLE, (current & ~LVS_TYPEMASK) | kViewStyles[style]);
}

void TCustomListView::SetStyleFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    RecreateWnd();
}

void TCustomListView::SetExtendedFlag(bool& flag, bool value) {
    if (flag == value) return;
    flag = value;
    ApplyExtendedStyle();
}

void TCustomListView::ApplyExtendedStyle() {
    if (!HandleAllocated()) return;
    const DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                       LVS_EX_TRACKSELECT;
    const DWORD style = (checkboxes_ ? LVS_EX_CHECKBOXES : 0) |
                        (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) |
                        (gridLines_ ? LVS_EX_GRIDLINES : 0) | (hotTrack_ ? LVS_EX_TRACKSELECT : 0);
    SendMessageA(WindowHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style);
}

void TCustomListView::SetOwnerData(bool value) {
    if (value == ownerData_) return;
    items_->Clear();
    ownerData_ = value;
    items_->ownerDataCount_ = 0;
    RecreateWnd();
}

void TCustomListView::SetSortType(TSortType value) {
    if (value == sortType_) return;
    sortType_ = value;
    if (value != stNone) ResortItems();
}

void TCustomListView::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomListView::SetAllocBy(int value) {
    allocBy_ = value;
    if (HandleAllocated() && value > 0 && !ownerData_)
        SendMessageA(WindowHandle(), LVM_SETITEMCOUNT, value, 0);
}

void TCustomListView::SetImageList(TCustomImageList*& field, TCustomImageList* images,
                                   TChangeLink* link) {
    SwapImageList(this, field, images, link);
    ApplyImages();
}

void TCustomListView::SetSmallImages(TCustomImageList* images) {
    SetImageList(smallImages_, images, smallChangeLink_);
}

void TCustomListView::SetLargeImages(TCustomImageList* images) {
    SetImageList(largeImages_, images, largeChangeLink_);
}

void TCustomListView::SetStateImages(TCustomImageList* images) {
    SetImageList(stateImages_, images, stateChangeLink_);
}

void TCustomListView::ImageListChange(TObject*) { ApplyImages(); }

void TCustomListView::ApplyImages() {
    if (!HandleAllocated()) return;
    const std::pair<int, TCustomImageList*> lists[] = {
        {LVSIL_SMALL, smallImages_}, {LVSIL_NORMAL, largeImages_}, {LVSIL_STATE, stateImages_}};
    for (const auto& list : lists)
        if (list.second || list.first != LVSIL_STATE || !checkboxes_)
            SendMessageA(WindowHandle(), LVM_SETIMAGELIST, list.first,
                         reinterpret_cast<LPARAM>(list.second ? list.second->Handle() : nullptr));
}

void TCustomListView::ApplyColors() {
    if (!HandleAllocated()) return;
    const COLORREF color = ColorToRGB(Color());
    SendMessageA(WindowHandle(), LVM_SETBKCOLOR, 0, color);
    SendMessageA(WindowHandle(), LVM_SETTEXTBKCOLOR, 0, color);
    SendMessageA(WindowHandle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
}

TListItem* TCustomListView::ItemOfIndex(int index) {
    if (index < 0 || index >= items_->Count()) return nullptr;
    if (!ownerData_) return items_->items_[index];
    if (!items_->ownerDataItem_) items_->ownerDataItem_ = new TListItem(items_);
    TListItem* item = items_->ownerDataItem_;
    item->caption_ = AnsiString();
    item->subItems_->Clear();
    item->imageIndex_ = -1;
    item->stateIndex_ = -1;
    item->overlayIndex_ = -1;
    item->indent_ = 0;
    item->data_ = nullptr;
    item->ownerDataIndex_ = index;
    OwnerDataFetch(item);
    return item;
}

TListItem* TCustomListView::Selected() {
    return GetNextItem(nullptr, TSearchDirection::sdAll, {isSelected});
}

void TCustomListView::SetSelected(TListItem* item) {
    ClearSelection();
    if (!item) return;
    item->SetSelected(true);
    item->SetFocused(true);
}

TListItem* TCustomListView::ItemFocused() { return GetNextItem(nullptr, TSearchDirection::sdAll, {isFocused}); }

void TCustomListView::SetItemFocused(TListItem* item) {
    if (item)
        item->SetFocused(true);
    else if (TListItem* focused = ItemFocused())
        focused->SetFocused(false);
}

int TCustomListView::ItemIndex() {
    TListItem* item = Selected();
    return item ? item->Index() : -1;
}

void TCustomListView::SetItemIndex(int index) {
    SetSelected(index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr);
}

int TCustomListView::SelCount() {
    if (HandleAllocated())
        return static_cast<int>(SendMessageA(WindowHandle(), LVM_GETSELECTEDCOUNT, 0, 0));
    return static_cast<int>(std::count_if(items_->items_.begin(), items_->items_.end(),
                                          [](TListItem* item) { return item->selected_; }));
}

TListItem* TCustomListView::TopItem() {
    if (!HandleAllocated()) return ItemOfIndex(0);
    return ItemOfIndex(static_cast<int>(SendMessageA(WindowHandle(), LVM_GETTOPINDEX, 0, 0)));
}

int TCustomListView::VisibleRowCount() {
    if (!HandleAllocated()) return 0;
    return static_cast<int>(SendMessageA(WindowHandle(), LVM_GETCOUNTPERPAGE, 0, 0));
}

TListItem* TCustomListView::DropTarget() { return GetNextItem(nullptr, TSearchDirection::sdAll, {isDropHilited}); }

void TCustomListView::SetDropTarget(TListItem* item) {
    if (TListItem* old = DropTarget()) old->SetDropTarget(false);
    if (item) item->SetDropTarget(true);
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO info{};
    info.pt = {x, y};
    const int index = static_cast<int>(
        SendMessageA(WindowHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return index >= 0 && (info.flags & LVHT_ONITEM) ? ItemOfIndex(index) : nullptr;
}

THitTests TCustomListView::GetHitTestInfoAt(int x, int y) {
    THitTests result;
    if (!HandleAllocated()) return result;
    LVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageA(WindowHandle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    static const std::pair<UINT, THitTest> kFlags[] = {
        {LVHT_ABOVE, htAbove},         {LVHT_BELOW, htBelow},
        {LVHT_NOWHERE, htNowhere},     {LVHT_ONITEMICON, htOnIcon},
        {LVHT_ONITEMLABEL, htOnLabel}, {LVHT_ONITEMSTATEICON, htOnStateIcon},
        {LVHT_TOLEFT, htToLeft},       {LVHT_TORIGHT, htToRight},
    };
    for (const auto& flag : kFlags)
        if ((info.flags & flag.first) == flag.first) result.insert(flag.second);
    if (info.flags & LVHT_ONITEM) result.insert(htOnItem);
    return result;
}

TListItem* TCustomListView::GetNextItem(TListItem* start, TSearchDirection direction,
                                        TItemStates states) {
    UINT flags = 0;
    static const UINT kDirections[] = {LVNI_TOLEFT, LVNI_TORIGHT, LVNI_ABOVE, LVNI_BELOW, LVNI_ALL};
    flags |= kDirections[static_cast<int>(direction)];
    if (states.count(isCut)) flags |= LVNI_CUT;
    if (states.count(isDropHilited)) flags |= LVNI_DROPHILITED;
    if (states.count(isFocused)) flags |= LVNI_FOCUSED;
    if (states.count(isSelected)) flags |= LVNI_SELECTED;
    const int from = start ? start->Index() : -1;
    if (HandleAllocated())
        return ItemOfIndex(static_cast<int>(SendMessageA(WindowHandle(), LVM_GETNEXTITEM, from, flags)));
    for (int i = from + 1; i < static_cast<int>(items_->items_.size()); ++i) {
        TListItem* item = items_->items_[i];
        if ((!states.count(isSelected) || item->selected_) &&
            (!states.count(isFocused) || item->focused_) && (!states.count(isCut) || item->cut_) &&
            (!states.count(isDropHilited) || item->dropTarget_))
            return item;
    }
    return nullptr;
}

TListItem* TCustomListView::FindItem(int startIndex, bool inclusive, bool wrap,
                                     const std::function<bool(TListItem*)>& matches) {
    const int count = items_->Count();
    for (int step = 0; step < count; ++step) {
        int index = startIndex + step + (inclusive ? 0 : 1);
        if (index >= count) {
            if (!wrap) break;
            index -= count;
        }
        if (index < 0) continue;
        TListItem* item = items_->Item(index);
        if (matches(item)) return item;
    }
    return nullptr;
}

TListItem* TCustomListView::FindCaption(int startIndex, const AnsiString& text, bool partial,
                                        bool inclusive, bool wrap) {
    return FindItem(startIndex, inclusive, wrap, [&](TListItem* item) {
        const AnsiString caption = item->Caption();
        return partial ? SameText(caption.SubString(1, text.Length()), text)
                       : SameText(caption, text);
    });
}

TListItem* TCustomListView::FindData(int startIndex, void* data, bool inclusive, bool wrap) {
    return FindItem(startIndex, inclusive, wrap,
                    [data](TListItem* item) { return item->Data() == data; });
}

TLVCompare TCustomListView::TextCompare() {
    return TextOrder(this, OnCompare, &TListItem::Caption);
}

bool TCustomListView::CustomSort(const TLVCompare& compare) {
    if (ownerData_) return false;
    std::vector<TListItem*>& items = items_->items_;
    const TLVCompare order = compare ? compare : TextCompare();
    std::stable_sort(items.begin(), items.end(),
                     [&order](TListItem* a, TListItem* b) { return order(a, b) < 0; });
    if (!HandleAllocated()) return true;
    return SendMessageA(WindowHandle(), LVM_SORTITEMS, 0,
                        reinterpret_cast<LPARAM>(CompareByModelIndex<TListItem>)) != 0;
}

bool TCustomListView::AlphaSort() { return CustomSort(TextCompare()); }

void TCustomListView::ResortItems() { CustomSort(TextCompare()); }

void TCustomListView::Scroll(int dx, int dy) {
    if (HandleAllocated()) SendMessageA(WindowHandle(), LVM_SCROLL, dx, dy);
}

void TCustomListView::Arrange(TListArrangement code) {
    static const int kCodes[] = {LVA_ALIGNLEFT, LVA_ALIGNTOP, LVA_DEFAULT, LVA_SNAPTOGRID};
    if (HandleAllocated()) SendMessageA(WindowHandle(), LVM_ARRANGE, kCodes[code], 0);
}

void TCustomListView::ClearSelection() {
    if (!HandleAllocated()) {
        for (TListItem* item : items_->items_) item->selected_ = false;
        return;
    }
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    SendMessageA(WindowHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

void TCustomListView::SelectAll() {
    if (!multiSelect_) return;
    if (!HandleAllocated()) {
        for (TListItem* item : items_->items_) item->selected_ = true;
        return;
    }
    LVITEMA item{};
    item.state = LVIS_SELECTED;
    item.stateMask = LVIS_SELECTED;
    SendMessageA(WindowHandle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&item));
}

int TCustomListView::StringWidth(const AnsiString& text) {
    return static_cast<int>(
        SendMessageA(Handle(), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void TCustomListView::UpdateItems(int first, int last) {
    if (HandleAllocated()) SendMessageA(WindowHandle(), LVM_REDRAWITEMS, first, last);
}

HWND TCustomListView::EditHandle() {
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(WindowHandle(), LVM_GETEDITCONTROL, 0, 0));
}

bool TCustomListView::IsEditing() { return EditHandle() != nullptr; }

HWND TCustomListView::HeaderHandle() {
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(WindowHandle(), LVM_GETHEADER, 0, 0));
}

// ---------------------------------------------------------------------------------------------
// Notifications

bool TCustomListView::CanChange(TListItem* item, TItemChange change) {
    bool allow = true;
    if (OnChanging) OnChanging(this, item, change, allow);
    return allow;
}

void TCustomListView::Change(TListItem* item, TItemChange change) {
    if (OnChange) OnChange(this, item, change);
}

void TCustomListView::InsertItem(TListItem* item) {
    if (OnInsert) OnInsert(this, item);
}

void TCustomListView::Delete(TListItem* item) {
    if (OnDeletion) OnDeletion(this, item);
}

bool TCustomListView::CanEdit(TListItem* item) {
    bool allow = !readOnly_;
    if (OnEditing) OnEditing(this, item, allow);
    return allow;
}

void TCustomListView::Edit(const LVITEMA& data) {
    TListItem* item = ItemOfIndex(data.iItem);
    if (!item || !data.pszText) return;
    AnsiString text = data.pszText;
    if (OnEdited) OnEdited(this, item, text);
    item->SetCaption(text);
}

void TCustomListView::ColClick(TListColumn* column) {
    if (OnColumnClick) OnColumnClick(this, column);
}

void TCustomListView::GetImageIndex(TListItem* item) {
    if (OnGetImageIndex) OnGetImageIndex(this, item);
}

void TCustomListView::OwnerDataFetch(TListItem* item) {
    if (OnData) OnData(this, item);
}

bool TCustomListView::IsCustomDrawn(TCustomDrawTarget target, TCustomDrawStage stage) {
    if (stage != cdPrePaint) return false;
    switch (target) {
    case dtControl: return static_cast<bool>(OnCustomDraw);
    case dtItem: return static_cast<bool>(OnCustomDrawItem) || static_cast<bool>(OnCustomDrawSubItem);
    case dtSubItem: return static_cast<bool>(OnCustomDrawSubItem);
    }
    return false;
}

bool TCustomListView::CustomDraw(const TRect& rect, TCustomDrawStage stage) {
    bool defaultDraw = true;
    if (stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, rect, defaultDraw);
    return defaultDraw;
}

bool TCustomListView::CustomDrawItem(TListItem* item, TCustomDrawState state,
                                     TCustomDrawStage stage) {
    bool defaultDraw = true;
    if (stage == cdPrePaint && OnCustomDrawItem) OnCustomDrawItem(this, item, state, defaultDraw);
    return defaultDraw;
}

bool TCustomListView::CustomDrawSubItem(TListItem* item, int subItem, TCustomDrawState state,
                                        TCustomDrawStage stage) {
    bool defaultDraw = true;
    if (stage == cdPrePaint && OnCustomDrawSubItem)
        OnCustomDrawSubItem(this, item, subItem, state, defaultDraw);
    return defaultDraw;
}

void TCustomListView::HandleDisplayInfo(TMessage& message) {
    LVITEMA& data = reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item;
    TListItem* item = ItemOfIndex(data.iItem);
    if (!item) return;
    if (data.mask & LVIF_TEXT) {
        if (data.iSubItem == 0)
            CopyText(item->caption_, data.pszText, data.cchTextMax);
        else if (data.iSubItem <= item->subItems_->Count())
            CopyText(item->subItems_->Strings(data.iSubItem - 1), data.pszText, data.cchTextMax);
        else
            CopyText(AnsiString(), data.pszText, data.cchTextMax);
    }
    if ((data.mask & LVIF_IMAGE) && data.iSubItem == 0) {
        GetImageIndex(item);
        data.iImage = item->imageIndex_;
    }
    if (data.mask & LVIF_INDENT) data.iIndent = item->indent_;
    if ((data.mask & LVIF_STATE) && ownerData_)
        data.state = StateImageMask(item->stateIndex_) | OverlayMask(item->overlayIndex_);
}

void TCustomListView::HandleItemChange(TMessage& message, bool changed) {
    auto* info = reinterpret_cast<NMLISTVIEW*>(message.LParam);
    if (manualNotify_ || info->iItem < 0) return;
    TListItem* item = ItemOfIndex(info->iItem);
    if (!item || item->deleting_) return;
    const TItemChange change = (info->uChanged & LVIF_TEXT)    ? ctText
                               : (info->uChanged & LVIF_IMAGE) ? ctImage
                                                               : ctState;
    if (!changed) {
        message.Result = !CanChange(item, change);
        return;
    }
    if (info->uChanged & LVIF_STATE) {
        item->selected_ = (info->uNewState & LVIS_SELECTED) != 0;
        item->focused_ = (info->uNewState & LVIS_FOCUSED) != 0;
        const UINT image = (info->uNewState & LVIS_STATEIMAGEMASK) >> 12;
        if (image > 0) item->stateIndex_ = static_cast<int>(image) - 1;
    }
    Change(item, change);
    if ((info->uChanged & LVIF_STATE) && ((info->uOldState ^ info->uNewState) & LVIS_SELECTED) &&
        OnSelectItem)
        OnSelectItem(this, item, (info->uNewState & LVIS_SELECTED) != 0);
}

void TCustomListView::HandleCustomDraw(TMessage& message) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(message.LParam);
    NMCUSTOMDRAW& custom = draw->nmcd;
    message.Result = CDRF_DODEFAULT;
    if (custom.dwDrawStage == CDDS_PREPAINT) {
        message.Result = PrePaintAnswer(
            canvas_, custom,
            [this](TCustomDrawTarget target) { return IsCustomDrawn(target, cdPrePaint); },
            [this](const TRect& rect) { return CustomDraw(rect, cdPrePaint); });
        return;
    }
    if (!(custom.dwDrawStage & CDDS_ITEMPREPAINT)) return;
    TListItem* item = ItemOfIndex(static_cast<int>(custom.dwItemSpec));
    if (!item) return;
    const TCustomDrawState state = CustomDrawStateOf(custom.uItemState);
    const bool subItem = (custom.dwDrawStage & CDDS_SUBITEM) != 0;
    const bool defaultDraw = DrawItemWithCanvas(
        canvas_, Font(), custom.hdc, draw->clrText, draw->clrTextBk, [&] {
            return subItem ? CustomDrawSubItem(item, draw->iSubItem, state, cdPrePaint)
                           : CustomDrawItem(item, state, cdPrePaint);
        });
    if (!defaultDraw) {
        message.Result = CDRF_SKIPDEFAULT;
        return;
    }
    message.Result = CDRF_NEWFONT;
    if (!subItem && IsCustomDrawn(dtSubItem, cdPrePaint)) message.Result |= CDRF_NOTIFYSUBITEMDRAW;
}

void TCustomListView::HandleNotify(TMessage& message) {
    switch (message.NMHdr()->code) {
    case LVN_ITEMCHANGING:
        return HandleItemChange(message, false);
    case LVN_ITEMCHANGED:
        return HandleItemChange(message, true);
    case LVN_GETDISPINFOA:
        return HandleDisplayInfo(message);
    case LVN_DELETEALLITEMS:
        message.Result = TRUE;
        return;
    case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<NMLISTVIEW*>(message.LParam)->iSubItem;
        if (column >= 0 && column < columns_->Count()) ColClick(columns_->Items(column));
        return;
    }
    case LVN_BEGINLABELEDITA: {
        TListItem* item = ItemOfIndex(reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item.iItem);
        labelEditing_ = item && CanEdit(item);
        message.Result = !labelEditing_;
        return;
    }
    case LVN_ENDLABELEDITA: {
        const LVITEMA& data = reinterpret_cast<NMLVDISPINFOA*>(message.LParam)->item;
        message.Result = FALSE;
        if (!labelEditing_) return;
        labelEditing_ = false;
        if (data.pszText && !cancellingEdit_) Edit(data);
        return;
    }
    case NM_CUSTOMDRAW:
        return HandleCustomDraw(message);
    default:
        return;
    }
}

void TCustomListView::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_NOTIFY:
        return HandleNotify(message);
    case WM_NOTIFY: {
        const NMHDR* header = message.NMHdr();
        TWinControl::Dispatch(message);
        if (header->hwndFrom != HeaderHandle() ||
            (header->code != HDN_ITEMCHANGEDA && header->code != HDN_ITEMCHANGEDW))
            return;
        const auto* change = reinterpret_cast<const NMHEADERA*>(message.LParam);
        if (change->pitem && (change->pitem->mask & HDI_WIDTH) && change->iItem >= 0 &&
            change->iItem < columns_->Count())
            columns_->Items(change->iItem)->width_ = change->pitem->cxy;
        return;
    }
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        return ApplyColors();
    default:
        TWinControl::Dispatch(message);
    }
}
