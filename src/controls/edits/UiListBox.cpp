#include "UiListBox.h"

#include <windowsx.h>

#include "UiColors.h"
#include "UiGrafx.h"
#include "UiUtils.h"

namespace {

TOwnerDrawState RowState(UINT itemState) {
    TOwnerDrawState state;
    if (itemState & ODS_SELECTED) state.insert(odSelected);
    if (itemState & ODS_GRAYED) state.insert(odGrayed);
    if (itemState & ODS_DISABLED) state.insert(odDisabled);
    if (itemState & ODS_FOCUS) state.insert(odFocused);
    if (itemState & ODS_NOFOCUSRECT) state.insert(odNoFocusRect);
    return state;
}

// The text without its last character, a double-byte character removed whole.
AnsiString WithoutLastChar(const AnsiString& s) {
    int cut = s.Length() - 1;
    if (cut >= 1 && IsDBCSLeadByte(static_cast<BYTE>(s[cut]))) --cut;
    return s.SubString(1, cut);
}

const bool listPropertiesRegistered = [] {
    using C = TUiCustomListBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubNotifications);
    auto flag = [&](const char* name, bool (C::*get)() const, void (C::*set)(bool), bool def) {
        RegisterProperty(meta, OrdinalProperty<C>(name, pkBool, get, set, def));
    };
    flag("BeepOnInvalidKey", &C::BeepOnInvalidKey, &C::SetBeepOnInvalidKey, true);
    flag("HorzScrollBar", &C::HorzScrollBar, &C::SetHorzScrollBar, false);
    flag("IncrementalSearch", &C::IncrementalSearch, &C::SetIncrementalSearch, true);
    flag("ShowGroups", &C::ShowGroups, &C::SetShowGroups, false);
    flag("ShowItemHints", &C::ShowItemHints, &C::SetShowItemHints, true);
    flag("TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter, false);
    flag("UseGradients", &C::UseGradients, &C::SetUseGradients, true);
    RegisterProperty(meta, OrdinalProperty<C>("GroupColor", pkColor, &C::GroupColor,
                                              &C::SetGroupColor, clInactiveCaptionText));
    TPropertyInfo groupFont = SubObjectProperty<C>("GroupFont", &C::GroupFont);
    groupFont.IsStored = [](TObject* o) { return static_cast<C*>(o)->GroupFontChangedByUser(); };
    RegisterProperty(meta, groupFont);
    TPropertyInfo prefix = StringProperty<C>("GroupPrefix", &C::GroupPrefix, &C::SetGroupPrefix);
    prefix.IsStored = [](TObject* o) { return static_cast<C*>(o)->GroupPrefix() != "//"; };
    RegisterProperty(meta, prefix);
    RegisterProperty(meta, OrdinalProperty<C>("HorzExtent", pkInteger, &C::HorzExtent,
                                              &C::SetHorzExtent, 0));
    RegisterProperty(meta, OrdinalProperty<C>("OwnerDrawIndent", pkInteger, &C::OwnerDrawIndent,
                                              &C::SetOwnerDrawIndent, 0));
    return true;
}();

}  // namespace

TUiCustomListBox::TUiCustomListBox(TComponent* owner)
    : TUiFramedControl<TCustomListBox>(owner),
      searchTimer_(new TTimer(nullptr)),
      groupFont_(new TFont) {
    SetAutoComplete(false);
    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(IncrementalSearchResetDelay);
    searchTimer_->SetOnTimer([this](TObject* sender) { SearchTimerExpired(sender); });
    groupFont_->Assign(Font());
    groupFont_->SetStyle({fsBold});
    groupFont_->SetColor(clHighlight);
    groupFont_->OnChange = [this](TObject*) {
        groupFontChanged_ = true;
        GroupFontChanged();
        Invalidate();
    };
}

void TUiCustomListBox::BeforeDestruction() {
    searchTimer_->Free();
    searchTimer_ = nullptr;
    groupFont_->OnChange = nullptr;
    TUiFramedControl<TCustomListBox>::BeforeDestruction();
    delete groupFont_;
    groupFont_ = nullptr;
}

void TUiCustomListBox::SetHorzExtent(int value) {
    value &= 0xFFFF;
    if (value == horzExtent_) return;
    horzExtent_ = value;
    SetHorzExtentWindow();
}

void TUiCustomListBox::SetHorzExtentWindow() {
    if (HandleAllocated())
        SendMessageA(WindowHandle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(horzExtent_), 0);
}

void TUiCustomListBox::SetHorzScrollBar(bool value) {
    if (value == horzScrollBar_) return;
    horzScrollBar_ = value;
    RecreateWnd();
}

void TUiCustomListBox::SetOwnerDrawIndent(int value) {
    if (value == ownerDrawIndent_) return;
    ownerDrawIndent_ = value;
    Invalidate();
}

void TUiCustomListBox::SetGroupColor(TColor value) {
    if (value == groupColor_) return;
    groupColor_ = value;
    Invalidate();
}

void TUiCustomListBox::SetGroupPrefix(const AnsiString& value) {
    if (value == groupPrefix_) return;
    groupPrefix_ = value;
    Invalidate();
}

void TUiCustomListBox::SetShowGroups(bool value) {
    if (value == showGroups_) return;
    showGroups_ = value;
    if (value) {
        SetStyle(lbOwnerDrawFixed);
        UpdateItemHeight();
    }
    Invalidate();
}

void TUiCustomListBox::SetUseGradients(bool value) {
    if (value == useGradients_) return;
    useGradients_ = value;
    Invalidate();
}

void TUiCustomListBox::UpdateItemHeight() { SetItemHeight(GetMinFontHeight(Font()) + 2); }

void TUiCustomListBox::Delete(int index) {
    const int selected = ItemIndex();
    GetItems()->Delete(index);
    const int count = GetItems()->Count();
    if (count == 0 || selected < 0) return;
    SetItemIndex(selected == count ? selected - 1 : selected);
    Click();
}

AnsiString TUiCustomListBox::SelectedItem() {
    if (MultiSelect() && SelCount() == 0) return "";
    const int index = ItemIndex();
    return index >= 0 && index < Items()->Count() ? Items()->Get(index) : AnsiString();
}

bool TUiCustomListBox::FindItem(const AnsiString& s) {
    const int index = Items()->IndexOf(s);
    SetItemIndex(index);
    return index >= 0;
}

void TUiCustomListBox::SelectAll() {
    if (MultiSelect()) SendMessageA(Handle(), LB_SETSEL, TRUE, -1);
}

void TUiCustomListBox::UnselectAll() {
    if (MultiSelect()) SendMessageA(Handle(), LB_SETSEL, FALSE, -1);
}

void TUiCustomListBox::DeleteSelectedItems() {
    Screen->SetCursor(crHourGlass);
    GetItems()->BeginUpdate();
    try {
        for (int i = GetItems()->Count() - 1; i >= 0; --i)
            if (Selected(i)) GetItems()->Delete(i);
    } catch (...) {
        GetItems()->EndUpdate();
        Screen->SetCursor(crDefault);
        throw;
    }
    GetItems()->EndUpdate();
    Screen->SetCursor(crDefault);
    DoDeleteItems();
}

int TUiCustomListBox::FindClosest(const AnsiString& s) {
    return static_cast<int>(SendMessageA(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(s.c_str())));
}

// ---------------------------------------------------------------------------------------------
// Groups

bool TUiCustomListBox::GetItemIsGroup(int index) {
    if (index < 0 || index >= Items()->Count()) return false;
    return Items()->Get(index).SubString(1, groupPrefix_.Length()) == groupPrefix_;
}

int TUiCustomListBox::AddGroup(const AnsiString& caption) {
    return GetItems()->Add(groupPrefix_ + caption);
}

void TUiCustomListBox::ItemToGroup(int index) {
    if (index < 0 || index >= GetItems()->Count() || GetItemIsGroup(index)) return;
    const bool selected = Selected(index);
    GetItems()->Put(index, groupPrefix_ + GetItems()->Get(index));
    if (selected) SetSelected(index, true);
}

void TUiCustomListBox::GroupToItem(int index) {
    if (!GetItemIsGroup(index)) return;
    const bool selected = Selected(index);
    GetItems()->Put(index, ItemCaption(index));
    if (selected) SetSelected(index, true);
}

int TUiCustomListBox::ItemIndexOfGroup(int group) {
    const int count = Items()->Count();
    if (count == 0 || group < 0 || group >= count) return -1;
    for (int index = 0, found = -1; index < count; ++index)
        if (GetItemIsGroup(index) && ++found == group) return index;
    return -1;
}

int TUiCustomListBox::ItemsInGroup(int group) {
    const int row = ItemIndexOfGroup(group);
    if (row < 0) return 0;
    int items = 0;
    for (int index = row + 1; index < Items()->Count() && !GetItemIsGroup(index); ++index) ++items;
    return items;
}

int TUiCustomListBox::InsertItemIntoGroup(int group, int position, const AnsiString& text) {
    const int row = ItemIndexOfGroup(group);
    if (row < 0 || position < 0 || position > ItemsInGroup(group)) return -1;
    GetItems()->Insert(row + 1 + position, text);
    return row + 1 + position;
}

int TUiCustomListBox::AddItemToGroup(int group, const AnsiString& text) {
    return InsertItemIntoGroup(group, ItemsInGroup(group), text);
}

AnsiString TUiCustomListBox::ItemCaption(int index) {
    if (index < 0 || index >= Items()->Count()) return "";
    const AnsiString text = Items()->Get(index);
    if (!GetItemIsGroup(index)) return text;
    return text.SubString(groupPrefix_.Length() + 1, text.Length());
}

int TUiCustomListBox::ItemGroupIndex(int index) {
    for (int row = Min(index, Items()->Count() - 1); row >= 0; --row)
        if (GetItemIsGroup(row)) return row;
    return -1;
}

int TUiCustomListBox::GroupIndexOfItem(int index) {
    if (!GetItemIsGroup(index)) return -1;
    int groups = 0;
    for (int row = 0; row < index; ++row)
        if (GetItemIsGroup(row)) ++groups;
    return groups;
}

// ---------------------------------------------------------------------------------------------
// Horizontal extent

void TUiCustomListBox::AdjustHorzExtent() {
    ScreenDC dc;
    SelectedObject font(dc, Font()->Handle());
    int widest = 0;
    for (int i = 0; i < Items()->Count(); ++i) {
        const AnsiString text = Items()->Get(i) + "x";
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
        widest = Max(widest, static_cast<int>(size.cx));
    }
    SetHorzExtent(widest);
}

void TUiCustomListBox::CreateParams(TCreateParams& params) {
    TUiFramedControl<TCustomListBox>::CreateParams(params);
    if (horzScrollBar_)
        params.Style |= WS_HSCROLL;
    else
        params.Style &= ~WS_HSCROLL;
}

void TUiCustomListBox::CreateWnd() {
    TUiFramedControl<TCustomListBox>::CreateWnd();
    SetHorzExtentWindow();
    ShowScrollBar(WindowHandle(), SB_HORZ, horzScrollBar_);
}

void TUiCustomListBox::Loaded() {
    TUiFramedControl<TCustomListBox>::Loaded();
    if (horzScrollBar_ && !InItemsUpdate()) AdjustHorzExtent();
}

void TUiCustomListBox::Resize() {
    TUiFramedControl<TCustomListBox>::Resize();
    if (useGradients_) Invalidate();
}

void TUiCustomListBox::FontChanged() {
    if (showGroups_) UpdateItemHeight();
    if (horzScrollBar_ && !InItemsUpdate()) AdjustHorzExtent();
}

// ---------------------------------------------------------------------------------------------
// Frame

void TUiCustomListBox::UpdateFrame(bool byMouse, bool value) {
    if (byMouse) overControl_ = value;
    if (FrameHotTrack()) RepaintFrame();
    UpdateColors();
}

void TUiCustomListBox::RepaintFrame() {
    if (HandleAllocated()) InvalidateWindowFrame(WindowHandle(), TRect(0, 0, Width(), Height()));
}

// ---------------------------------------------------------------------------------------------
// Drawing

AnsiString TUiCustomListBox::RowText(int index) {
    return IsVirtual() ? GetItemText(index) : Items()->Get(index);
}

void TUiCustomListBox::HandleDrawItem(TMessage& message) {
    const DRAWITEMSTRUCT& draw = *message.DrawItemStruct();
    const int index = static_cast<int>(draw.itemID);
    const TOwnerDrawState state = RowState(LOWORD(draw.itemState));
    TRect rect = ToTRect(draw.rcItem);
    const bool group = showGroups_ && index >= 0 && GetItemIsGroup(index);
    if (!group) {
        if (UseRightToLeftAlignment())
            rect.Right -= OwnerDrawItemIndent();
        else
            rect.Left += OwnerDrawItemIndent();
    }
    TControlCanvas* canvas = ItemCanvas();
    canvas->BindDC(draw.hDC);
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Brush()->Color());
    if (index >= 0 && state.count(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    try {
        if (index < 0)
            canvas->FillRect(rect);
        else if (group)
            DrawGroup(index, rect, state);
        else
            DrawItem(index, rect, state);
        if (state.count(odFocused)) canvas->DrawFocusRect(rect);
    } catch (...) {
        canvas->BindDC(nullptr);
        throw;
    }
    canvas->BindDC(nullptr);
    message.Result = TRUE;
}

void TUiCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    DrawListItem(index, rect, state);
}

void TUiCustomListBox::DrawListItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem)
        OnDrawItem(this, index, rect, state);
    else
        DefaultDrawItem(index, rect, state);
}

void TUiCustomListBox::DefaultDrawItem(int index, TRect rect, TOwnerDrawState) {
    TCanvas* canvas = ItemCanvas();
    canvas->FillRect(rect);
    if (index >= Count()) return;
    const AnsiString text = RowText(index);
    RECT r = ToRECT(rect);
    if (UseRightToLeftAlignment())
        r.right -= 2;
    else
        r.left += 2;
    DrawTextA(canvas->Handle(), text.c_str(), text.Length(), &r,
              DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
}

void TUiCustomListBox::DrawGroup(int index, TRect rect, TOwnerDrawState state) {
    TCanvas* canvas = ItemCanvas();
    canvas->Font()->Assign(groupFont_);
    TColor background = groupColor_;
    if (VisualStylesEnabled()) {
        canvas->Font()->SetColor(GetXPThemeColor(xptcListGroupFont));
        background = GetXPThemeColor(xptcListGroupFill);
    }
    if (state.count(odSelected)) {
        canvas->Font()->SetColor(clHighlightText);
        canvas->Brush()->SetColor(clHighlight);
        canvas->FillRect(rect);
    } else if (!useGradients_ || !FullColorSupported) {
        canvas->Brush()->SetColor(background);
        canvas->FillRect(rect);
    } else if (UseRightToLeftAlignment()) {
        PaintGradient(canvas, rect, gdVerticalEnd, Color(), background, 1);
    } else {
        PaintGradient(canvas, rect, gdVerticalEnd, background, Color(), 1);
    }
    DrawGroupCaption(index, rect);
}

void TUiCustomListBox::DrawGroupCaption(int index, TRect rect) {
    TCanvas* canvas = ItemCanvas();
    const TBrushStyle brushStyle = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    HDC dc = canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
    const AnsiString caption = ItemCaption(index);
    RECT r = ToRECT(rect);
    r.top += (ItemHeight() - canvas->TextHeight("Pp")) / 2;
    if (UseRightToLeftAlignment())
        r.right -= 2;
    else
        r.left += 2;
    DrawTextA(dc, caption.c_str(), caption.Length(), &r,
              DrawTextBiDiModeFlags(DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX));
    RestoreDC(dc, saved);
    canvas->Brush()->SetStyle(brushStyle);
}

// ---------------------------------------------------------------------------------------------
// Incremental search

void TUiCustomListBox::InvalidKeyPressed() {
    if (beepOnInvalidKey_) MessageBeep(0);
}

void TUiCustomListBox::RunKeyPress(TMessage& message) {
    char key = static_cast<char>(message.WParam);
    KeyPress(key);
}

void TUiCustomListBox::SearchFor(const AnsiString& text, TMessage& message) {
    const int previous = ItemIndex();
    const int found = FindClosest(text);
    if (found < 0) return InvalidKeyPressed();
    if (MultiSelect()) {
        if (previous >= 0) SetSelected(previous, false);
        SetSelected(found, true);
        SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(found), FALSE);
    } else {
        SetItemIndex(found);
    }
    searchText_ = text;
    RunKeyPress(message);
    Match();
}

void TUiCustomListBox::HandleChar(TMessage& message) {
    const WPARAM key = message.WParam;
    const AnsiString text = searchText_;
    if (key == VK_BACK) {
        if (text.IsEmpty()) {
            InvalidKeyPressed();
            return SearchFor(text, message);
        }
        const AnsiString rest = WithoutLastChar(text);
        if (!rest.IsEmpty()) return SearchFor(rest, message);
        SetItemIndex(0);
        Click();
        searchText_ = "";
        return RunKeyPress(message);
    }
    if (key == VK_RETURN) {
        if (tabOnEnter_) {
            PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
            return;
        }
        return RunKeyPress(message);
    }
    if (key == VK_ESCAPE) return SetItemIndex(-1);
    if (key < 32 || key > 255 || (key == ' ' && MultiSelect() && !ExtendedSelect())) return;
    keyInProgress_ = 1;
    try {
        SearchFor(text + static_cast<char>(key), message);
        searchTimer_->SetEnabled(false);
        searchTimer_->SetInterval(IncrementalSearchResetDelay);
        searchTimer_->SetEnabled(true);
    } catch (...) {
        keyInProgress_ = 0;
        throw;
    }
    keyInProgress_ = 0;
}

void TUiCustomListBox::SearchTimerExpired(TObject*) {
    if (keyInProgress_ != 0) return;
    searchTimer_->SetEnabled(false);
    searchText_ = "";
}

// ---------------------------------------------------------------------------------------------
// Item hints

void TUiCustomListBox::UpdateItemHint(TPoint point) {
    const int index = ItemAtPos(point, true);
    if (InState(csDesigning) || index < 0) return ReleaseItemHint();
    const AnsiString text = Items()->Get(index);
    TCanvas* canvas = ItemCanvas();
    canvas->Font()->Assign(Font());
    if (ClientWidth() >= canvas->TextWidth(text) + 2 || !Application->Active())
        return ReleaseItemHint();
    if (!itemHint_) {
        itemHint_ = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
        itemHint_->SetColor(Application->HintColor());
    }
    AnsiString hint;
    for (int i = 1; i <= text.Length(); ++i)
        hint += text[i] == '\t' ? AnsiString("        ") : AnsiString(text[i]);
    TRect rect = itemHint_->CalcHintRect(Screen->Width(), hint, nullptr);
    const TRect row = ItemRect(index);
    const TPoint origin = ClientToScreen(TPoint(row.Left, row.Top));
    const int height = rect.Bottom - rect.Top;
    const int dx = origin.X - 1;
    const int dy = origin.Y + (row.Bottom - row.Top - height) / 2 - 2;
    rect = TRect(rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy);
    if (itemHint_->HandleAllocated() && IsWindowVisible(itemHint_->WindowHandle())) {
        RECT shown;
        GetWindowRect(itemHint_->WindowHandle(), &shown);
        if (shown.left == rect.Left && shown.top == rect.Top) return;
    }
    itemHint_->ActivateHint(rect, hint);
}

void TUiCustomListBox::ReleaseItemHint() {
    if (itemHint_) itemHint_->ReleaseHandle();
}

// ---------------------------------------------------------------------------------------------
// Messages

void TUiCustomListBox::Dispatch(TMessage& message) {
    using Base = TUiFramedControl<TCustomListBox>;
    switch (message.Msg) {
    case CN_DRAWITEM:
        return HandleDrawItem(message);
    case WM_CHAR:
        if (!incrementalSearch_) return Base::Dispatch(message);
        return HandleChar(message);
    case WM_KEYDOWN:
        if (message.WParam == VK_ESCAPE ||
            (message.WParam >= VK_PRIOR && message.WParam <= VK_DOWN))
            searchText_ = "";
        return Base::Dispatch(message);
    case WM_LBUTTONDOWN:
        searchText_ = "";
        return Base::Dispatch(message);
    case WM_MOUSEMOVE:
        Base::Dispatch(message);
        if (showItemHints_)
            UpdateItemHint(TPoint(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)));
        return;
    case CM_MOUSEENTER:
        Base::Dispatch(message);
        if (showItemHints_)
            UpdateItemHint(ScreenToClient(Mouse->CursorPos()));
        return;
    case CM_MOUSELEAVE:
        Base::Dispatch(message);
        return ReleaseItemHint();
    case CM_PARENTCOLORCHANGED:
        Base::Dispatch(message);
        if (FrameVisible()) RepaintFrame();
        return;
    case CM_FONTCHANGED:
        Base::Dispatch(message);
        return FontChanged();
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        Base::Dispatch(message);
        if (horzScrollBar_ && !InItemsUpdate()) AdjustHorzExtent();
        return;
    default:
        Base::Dispatch(message);
    }
}
