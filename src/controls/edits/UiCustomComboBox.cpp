#include "UiCustomComboBox.h"

#include "UiThemeSrv.h"

namespace {

bool IsCharKey(WPARAM key) { return key >= 32 && key <= 255; }

// The text without its last character, a double-byte character removed whole.
AnsiString WithoutLastChar(const AnsiString& s) {
    int cut = s.Length() - 1;
    if (cut >= 1 && IsDBCSLeadByte(static_cast<BYTE>(s[cut]))) --cut;
    return s.SubString(1, cut);
}

const bool comboPropertiesRegistered = [] {
    using C = TUiCustomComboBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterFramedProperties<C>(fpubReadOnlyColors | fpubNotifications);
    auto flag = [&](const char* name, bool (C::*get)() const, void (C::*set)(bool), bool def) {
        RegisterProperty(meta, OrdinalProperty<C>(name, pkBool, get, set, def));
    };
    flag("AllowEdit", &C::AllowEdit, &C::SetAllowEdit, true);
    flag("AutoComplete", &C::AutoComplete, &C::SetAutoComplete, true);
    flag("BeepOnInvalidKey", &C::BeepOnInvalidKey, &C::SetBeepOnInvalidKey, true);
    flag("FlatButtons", &C::FlatButtons, &C::SetFlatButtons, false);
    flag("KeepSearchCase", &C::KeepSearchCase, &C::SetKeepSearchCase, false);
    flag("ReadOnly", &C::ReadOnly, &C::SetReadOnly, false);
    flag("TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter, false);
    RegisterProperty(meta, OrdinalProperty<C>("FlatButtonColor", pkColor, &C::FlatButtonColor,
                                              &C::SetFlatButtonColor, clBtnFace));
    return true;
}();

}  // namespace

TUiCustomComboBox::TUiCustomComboBox(TComponent* owner)
    : TUiFramedControl<TCustomComboBox>(owner), searchTimer_(new TTimer(nullptr)) {
    ControlStyle.erase(csSetCaption);
    TCustomComboBox::SetAutoComplete(false);
    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(IncrementalSearchResetDelay);
    searchTimer_->SetOnTimer([this](TObject* sender) { SearchTimerExpired(sender); });
}

void TUiCustomComboBox::BeforeDestruction() {
    searchTimer_->Free();
    searchTimer_ = nullptr;
    TUiFramedControl<TCustomComboBox>::BeforeDestruction();
}

void TUiCustomComboBox::SetFlatButtons(bool value) {
    if (value == flatButtons_) return;
    flatButtons_ = value;
    Invalidate();
}

void TUiCustomComboBox::SetFlatButtonColor(TColor value) {
    if (value == flatButtonColor_) return;
    flatButtonColor_ = value;
    Invalidate();
}

void TUiCustomComboBox::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    if (HandleAllocated())
        if (HWND edit = EditHandle()) SendMessageA(edit, EM_SETREADONLY, value, 0);
    UpdateColors();
    Invalidate();
}

void TUiCustomComboBox::SetFrameVisible(bool value) {
    if (value == FrameVisible()) return;
    TUiFramedControl<TCustomComboBox>::SetFrameVisible(value);
}

void TUiCustomComboBox::SetItemHeight(int height) {
    if (IsOwnerDraw()) TCustomComboBox::SetItemHeight(height);
}

int TUiCustomComboBox::FindClosest(const AnsiString& s) {
    return static_cast<int>(
        SendMessageA(Handle(), CB_FINDSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(s.c_str())));
}

bool TUiCustomComboBox::FindItem(const AnsiString& s) {
    const int index = Items()->IndexOf(s);
    SetItemIndex(index);
    return index >= 0;
}

bool TUiCustomComboBox::FindClosestItem(const AnsiString& s) {
    const int index = FindClosest(s);
    SetItemIndex(index);
    return index >= 0;
}

void TUiCustomComboBox::ForceText(const AnsiString& value) {
    if (value == GetText()) return;
    const bool previous = autoComplete_;
    autoComplete_ = false;
    try {
        SetText(value);
    } catch (...) {
        autoComplete_ = previous;
        throw;
    }
    autoComplete_ = previous;
}

void TUiCustomComboBox::InvalidKeyPressed() {
    if (beepOnInvalidKey_) MessageBeep(0);
}

void TUiCustomComboBox::UpdateFrame(bool byMouse, bool value) {
    (byMouse ? overControl_ : inControl_) = value;
    if ((flatButtons_ || FrameHotTrack()) && HandleAllocated() && !DroppedDown()) {
        RECT r;
        ::GetClientRect(WindowHandle(), &r);
        if (!FrameHotTrack()) r.left = r.right - GetSystemMetrics(SM_CXVSCROLL) - 2;
        RedrawWindow(WindowHandle(), &r, nullptr, RDW_INVALIDATE | RDW_NOERASE);
    }
    UpdateColors();
}

void TUiCustomComboBox::TrackUserColor() {
    if (applyingColor_) return;
    if (FocusColor() == normalColor_) SetFocusColor(Color());
    normalColor_ = Color();
}

void TUiCustomComboBox::SelectAndNotify(int index) {
    SetItemIndex(index);
    Click();
    Change();
}

void TUiCustomComboBox::RunKeyPress(TMessage& message) {
    if (keyPressRan_) return;
    char key = static_cast<char>(message.WParam);
    KeyPress(key);
    keyPressRan_ = true;
}

void TUiCustomComboBox::RestartSearchTimer() {
    searchTimer_->SetEnabled(false);
    searchTimer_->SetInterval(IncrementalSearchResetDelay);
    searchTimer_->SetEnabled(true);
}

void TUiCustomComboBox::UpdateIndex(const AnsiString& s, TMessage& message) {
    const int index = FindClosest(s);
    if (index < 0) return InvalidKeyPressed();
    searchText_ = s;
    SelectAndNotify(index);
    RunKeyPress(message);
}

void TUiCustomComboBox::SearchTimerExpired(TObject*) {
    if (keyInProgress_ != 0) return;
    searchTimer_->SetEnabled(false);
    searchText_ = "";
}

bool TUiCustomComboBox::FindListItem(const AnsiString& s, TMessage& message) {
    const int previous = ItemIndex();
    const int index = FindClosest(s);
    if (index < 0) return false;
    const AnsiString item = Items()->Get(index);
    if (keepSearchCase_) {
        suppress_ = true;
        SetText(s + item.SubString(s.Length() + 1, item.Length()));
        suppress_ = false;
    } else {
        SetItemIndex(-1);
        SetItemIndex(index);
    }
    Click();
    Change();
    RunKeyPress(message);
    SetSelStart(s.Length());
    SetSelLength(item.Length() - s.Length());
    if (ItemIndex() != previous) Match();
    return true;
}

void TUiCustomComboBox::DeleteItem(int, void* data) {
    if (OnDeleteItem) OnDeleteItem(this, data);
}

void TUiCustomComboBox::CreateWnd() {
    TUiFramedControl<TCustomComboBox>::CreateWnd();
    if (DropDownWidth() != 0) SendMessageA(WindowHandle(), CB_SETDROPPEDWIDTH, DropDownWidth(), 0);
    if (readOnly_)
        if (HWND edit = EditHandle()) SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
}

void TUiCustomComboBox::KeyPress(char& key) {
    if (tabOnEnter_ && key == VK_RETURN && !DroppedDown()) {
        key = 0;
        PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if (Style() == csDropDown && MaxLength() > 0 && static_cast<unsigned char>(key) >= 32 &&
        GetText().Length() >= MaxLength() && SelLength() == 0) {
        InvalidKeyPressed();
        key = 0;
    }
    TCustomComboBox::KeyPress(key);
    if (!AutoDropDown()) return;
    if (key == VK_TAB) {
        if (DroppedDown()) SetDroppedDown(false);
    } else if (key != VK_BACK && key != VK_ESCAPE && !DroppedDown()) {
        SetDroppedDown(true);
    }
}

void TUiCustomComboBox::CloseUp() {
    TCustomComboBox::CloseUp();
    Invalidate();
}

bool TUiCustomComboBox::DoMouseWheelDown(TShiftState, TPoint) {
    if (readOnly_) return true;
    if (DroppedDown()) {
        const int top = static_cast<int>(SendMessageA(Handle(), CB_GETTOPINDEX, 0, 0));
        SendMessageA(Handle(), CB_SETTOPINDEX, top + Mouse->WheelScrollLines(), 0);
    } else if (ItemIndex() < Items()->Count() - 1) {
        SelectAndNotify(ItemIndex() + 1);
    }
    return true;
}

bool TUiCustomComboBox::DoMouseWheelUp(TShiftState, TPoint) {
    if (readOnly_) return true;
    if (DroppedDown()) {
        const int top = static_cast<int>(SendMessageA(Handle(), CB_GETTOPINDEX, 0, 0));
        const int lines = static_cast<int>(Mouse->WheelScrollLines());
        SendMessageA(Handle(), CB_SETTOPINDEX, Max(0, top - lines), 0);
    } else if (ItemIndex() <= 0) {
        SetItemIndex(0);
    } else {
        SelectAndNotify(ItemIndex() - 1);
    }
    return true;
}

// The incremental search of the list styles; true when the character was consumed.
bool TUiCustomComboBox::ListChar(TMessage& message) {
    const WPARAM key = message.WParam;
    if (key == VK_BACK) {
        if (searchText_.IsEmpty()) {
            InvalidKeyPressed();
            UpdateIndex("", message);
            return true;
        }
        const AnsiString rest = WithoutLastChar(searchText_);
        if (!rest.IsEmpty()) {
            UpdateIndex(rest, message);
            return true;
        }
        SelectAndNotify(0);
        searchText_ = "";
        RunKeyPress(message);
        return true;
    }
    if (key == VK_ESCAPE) {
        if (escapeWhileDropped_)
            escapeWhileDropped_ = false;
        else
            SelectAndNotify(0);
        return true;
    }
    if (!IsCharKey(key)) return false;
    keyInProgress_ = 1;
    try {
        UpdateIndex(searchText_ + static_cast<char>(key), message);
        RestartSearchTimer();
    } catch (...) {
        keyInProgress_ = 0;
        throw;
    }
    keyInProgress_ = 0;
    return true;
}

void TUiCustomComboBox::Dispatch(TMessage& message) {
    using Base = TUiFramedControl<TCustomComboBox>;
    switch (message.Msg) {
    case CM_ENTER:
        TCustomComboBox::Dispatch(message);
        hasFocus_ = true;
        return UpdateFrame(false, true);
    case CM_EXIT:
        TCustomComboBox::Dispatch(message);
        hasFocus_ = false;
        UpdateFrame(false, false);
        if (Style() == csDropDown && !GetText().IsEmpty() && Items()->IndexOf(GetText()) < 0)
            NotInList();
        return;
    case WM_KEYDOWN:
        if (message.WParam == VK_ESCAPE && DroppedDown()) escapeWhileDropped_ = true;
        if (readOnly_ && IsListStyle()) return;
        if (message.WParam == VK_ESCAPE || (message.WParam >= VK_PRIOR && message.WParam <= VK_DOWN))
            searchText_ = "";
        return Base::Dispatch(message);
    case WM_SYSKEYDOWN:
        if (readOnly_ && message.WParam != VK_F4) return;
        return Base::Dispatch(message);
    case WM_CHAR:
        keyPressRan_ = false;
        if (IsListStyle()) {
            if (readOnly_ || ListChar(message)) return;
        }
        return Base::Dispatch(message);
    case WM_KILLFOCUS:
        searchText_ = "";
        return Base::Dispatch(message);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (readOnly_) return;
        return Base::Dispatch(message);
    case WM_CUT:
    case WM_PASTE:
        if (!allowEdit_) return;
        Base::Dispatch(message);
        searchText_ = GetText();
        FindListItem(searchText_, message);
        return;
    case WM_PAINT:
        Base::Dispatch(message);
        return PaintClient();
    case WM_SIZE:
        Base::Dispatch(message);
        if (FrameVisible() && !UseThemes()) Invalidate();
        return;
    case CN_COMMAND:
        Base::Dispatch(message);
        if (HIWORD(message.WParam) == CBN_SELENDOK) {
            suppress_ = true;
            SelEndOk();
        } else if (HIWORD(message.WParam) == CBN_SELENDCANCEL) {
            SelEndCancel();
        }
        return;
    case CN_DRAWITEM:
        return DrawOwnerItem(message);
    case CN_DELETEITEM:
        return DeleteItemMessage(message);
    case CM_TEXTCHANGED:
        Base::Dispatch(message);
        if (autoComplete_ && !suppress_ && Style() == csDropDown && HandleAllocated() &&
            !DroppedDown()) {
            if (enterPressed_)
                enterPressed_ = false;
            else
                searchText_ = GetText();
            const int index = FindClosest(searchText_);
            if (index >= 0 && !searchText_.IsEmpty()) {
                SetItemIndex(index);
                SetSelStart(searchText_.Length());
                SetSelLength(Items()->Get(index).Length() - searchText_.Length());
            }
        }
        suppress_ = false;
        return;
    default:
        Base::Dispatch(message);
    }
}

// The length of the character at `pos` (0-based): 2 for a double-byte lead byte, else 1.
static int CharLengthAt(const AnsiString& s, int pos) {
    return pos < s.Length() && IsDBCSLeadByte(static_cast<BYTE>(s[pos + 1])) ? 2 : 1;
}

// Keys pressed in the edit part; true when the key was swallowed.
bool TUiCustomComboBox::EditKeyDown(TMessage& message, bool& reSearch) {
    altPressed_ = false;
    const WPARAM key = message.WParam;
    switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        suppress_ = true;
        searchText_ = "";
        return readOnly_;
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
        searchText_ = GetText();
        return false;
    case VK_INSERT:
        if (GetKeyState(VK_SHIFT) < 0) reSearch = true;
        if (!allowEdit_) message.WParam = 0;
        return false;
    case VK_DELETE: {
        const AnsiString text = GetText();
        const int start = SelStart();
        const int cut = Max(SelLength(), CharLengthAt(text, start));
        searchText_ = text;
        searchText_.Delete(start + 1, cut);
        if (!allowEdit_ && !(start == 0 && SelLength() >= text.Length())) message.WParam = 0;
        return false;
    }
    case VK_F4:
        return readOnly_;
    default:
        return false;
    }
}

// Backspace while completing; true when the key was swallowed.
bool TUiCustomComboBox::EditBackspace(TMessage& message) {
    if (searchText_.IsEmpty()) {
        InvalidKeyPressed();
        return false;
    }
    AnsiString text = searchText_;
    const int start = SelStart();
    const int length = SelLength();
    if (start >= text.Length()) {
        text = WithoutLastChar(text);
    } else if (length > 0 && allowEdit_) {
        text.Delete(start + 1, length);
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start));
    } else if (length == 0 && allowEdit_ && start > 0) {
        const int cut = start >= 2 && IsDBCSLeadByte(static_cast<BYTE>(text[start - 1])) ? 2 : 1;
        text.Delete(start - cut + 1, cut);
    }
    Change();
    if (text.IsEmpty()) {
        SetItemIndex(-1);
        if (keepSearchCase_) SetText("");
        searchText_ = "";
        Click();
        Change();
        RunKeyPress(message);
    }
    searchText_ = text;
    return FindListItem(text, message);
}

// A typed character while completing; true when it was swallowed.
bool TUiCustomComboBox::EditTypedChar(TMessage& message) {
    char typed = static_cast<char>(message.WParam);
    KeyPress(typed);
    keyPressRan_ = true;
    message.WParam = static_cast<unsigned char>(typed);
    if (!IsCharKey(message.WParam)) return false;
    const int start = SelStart();
    const int length = SelLength();
    AnsiString text = searchText_;
    if (length > 0) text.Delete(start + 1, length);
    const AnsiString previous = text;
    AnsiString inserted(typed);
    MSG trail{};
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(typed)) &&
                      PeekMessageA(&trail, EditHandle(), WM_CHAR, WM_CHAR, PM_NOREMOVE);
    if (lead) inserted += static_cast<char>(trail.wParam);
    text.Insert(inserted, start + 1);
    if (FindListItem(text, message)) {
        searchText_ = text;
        if (lead) PeekMessageA(&trail, EditHandle(), WM_CHAR, WM_CHAR, PM_REMOVE);
        return true;
    }
    if (!allowEdit_) {
        InvalidKeyPressed();
        message.WParam = 0;
        return false;
    }
    suppress_ = true;
    SetText(previous);
    suppress_ = false;
    SetSelStart(start);
    SetSelLength(0);
    searchText_ = text;
    return false;
}

// Characters typed into the edit part; true when the character was swallowed.
bool TUiCustomComboBox::EditChar(TMessage& message, bool& reSearch) {
    const WPARAM key = message.WParam;
    if (altPressed_) {
        altPressed_ = false;
        return false;
    }
    if (readOnly_) return key != 3;
    switch (key) {
    case VK_RETURN:
        if (DroppedDown()) SelEndOk();
        enterPressed_ = true;
        return false;
    case 22:
    case 24:
        if (!allowEdit_)
            message.WParam = 0;
        else
            reSearch = true;
        return false;
    case VK_ESCAPE:
        if (DroppedDown()) return false;
        SetItemIndex(-1);
        searchText_ = "";
        Click();
        Change();
        RunKeyPress(message);
        return true;
    case VK_BACK:
        return EditBackspace(message);
    default:
        return IsCharKey(key) && EditTypedChar(message);
    }
}

void TUiCustomComboBox::ComboWndProc(TMessage& message, HWND window, WNDPROC previous) {
    if (!autoComplete_) return TCustomComboBox::ComboWndProc(message, window, previous);
    bool reSearch = false;
    bool swallowed = false;
    keyPressRan_ = false;
    switch (message.Msg) {
    case WM_KEYDOWN:
        swallowed = EditKeyDown(message, reSearch);
        break;
    case WM_SYSKEYDOWN:
        altPressed_ = true;
        swallowed = readOnly_ && message.WParam != VK_F4;
        break;
    case WM_LBUTTONDOWN:
        if (Style() == csDropDown) searchText_ = GetText();
        break;
    case WM_CHAR:
        swallowed = EditChar(message, reSearch);
        break;
    default:
        break;
    }
    if (swallowed) return;
    if (keyPressRan_) {
        // The key events have had this character: the edit only inserts it.
        keyPressRan_ = false;
        if (message.WParam == 0) return;
        message.Result = CallWindowProcA(previous, window, message.Msg, message.WParam,
                                         message.LParam);
    } else {
        TCustomComboBox::ComboWndProc(message, window, previous);
    }
    if (reSearch && allowEdit_) {
        searchText_ = GetText();
        TMessage none{WM_CHAR, 0, 0, 0};
        FindListItem(searchText_, none);
    }
}

TRect TUiCustomComboBox::ButtonRect(int inset) {
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    return TRect(Width() - button - inset, inset, Width() - inset, Height() - inset);
}

void TUiCustomComboBox::PaintTextBand(const TRect& button) {
    TRect band(0, 0, ClientWidth(), ClientHeight());
    band.Right = button.Left;
    band.Left += 1;
    band.Top += 1;
    band.Right -= 1;
    band.Bottom -= 1;
    if (ColorToRGB(Color()) != ColorToRGB(clWhite))
        DrawBevel(canvas_, band, Color(), Color(), 2, AllSides);
}

void TUiCustomComboBox::PaintFlatButton(const TRect& button, bool themed) {
    if (!inControl_ && !overControl_) {
        canvas_->Brush()->SetColor(Color());
        canvas_->FillRect(button);
        DrawDropDownArrow(canvas_, button, themed ? uiWindowsXP : uiWindows95, false, Enabled());
        return;
    }
    const bool dropped = DroppedDown();
    if (themed) {
        ThemeServices()->DrawElement(
            canvas_->Handle(),
            TThemeServices::GetElementDetails(dropped ? tcDropDownButtonPressed
                                                      : tcDropDownButtonHot),
            button);
        return;
    }
    TRect inner;
    if (flatButtonColor_ == clBtnFace)
        inner = DrawBevel(canvas_, button, dropped ? clBtnShadow : clBtnHighlight,
                          dropped ? clBtnHighlight : clBtnShadow, 1, AllSides);
    else
        inner = DrawColorBorder(canvas_, button, flatButtonColor_, dropped ? fsStatus : fsPopup);
    canvas_->Brush()->SetColor(flatButtonColor_);
    canvas_->FillRect(inner);
    DrawDropDownArrow(canvas_, inner, uiWindows95, dropped, Enabled());
}

void TUiCustomComboBox::PaintClient() {
    if (!canvas_) return;
    const bool themed = VisualStylesEnabled();
    const TRect button = ButtonRect(themed ? 1 : 2);
    const bool frame = FrameVisible() && !UseThemes();
    TCanvasBinding binding(canvas_, nullptr);
    if (frame && themed && ColorToRGB(Color()) != ColorToRGB(clWhite))
        DrawBox(canvas_, TRect(0, 0, ClientWidth(), ClientHeight()), Color());
    if (themed) {
        PaintTextBand(button);
        canvas_->Brush()->SetColor(Color());
        canvas_->FillRect(TRect(button.Left - 2, button.Top, button.Left, button.Bottom));
    }
    if (flatButtons_ && !readOnly_) PaintFlatButton(button, themed);
    if (readOnly_) {
        canvas_->Brush()->SetColor(Color());
        canvas_->FillRect(button);
    }
    if (!frame) return;
    const bool hot = IsHot();
    DrawFrame(canvas_, Width(), Height(), hot ? FrameHotStyle() : FrameStyle(), Color(),
              hot ? FrameHotColor() : FrameColor(), FrameSides(), themed);
}

namespace {

TOwnerDrawState RowState(UINT itemState) {
    static const std::pair<UINT, TOwnerDrawStateItem> bits[] = {
        {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},          {ODS_DISABLED, odDisabled},
        {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},          {ODS_DEFAULT, odDefault},
        {ODS_NOACCEL, odNoAccel},   {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit}};
    TOwnerDrawState state;
    for (const auto& bit : bits)
        if (itemState & bit.first) state.insert(bit.second);
    return state;
}

}  // namespace

void TUiCustomComboBox::DrawOwnerItem(TMessage& message) {
    const DRAWITEMSTRUCT& draw = *message.DrawItemStruct();
    const TOwnerDrawState state = RowState(draw.itemState);
    const int index = static_cast<int>(draw.itemID);
    const TRect rect = ToTRect(draw.rcItem);
    TControlCanvas* canvas = Canvas();
    canvas->BindDC(draw.hDC);
    try {
        canvas->Font()->Assign(Font());
        canvas->Brush()->Assign(Brush());
        const bool selected = state.count(odSelected) != 0;
        if (index >= 0) {
            if (selected) {
                canvas->Brush()->SetColor(clHighlight);
                canvas->Font()->SetColor(clHighlightText);
            }
            DrawItem(index, rect, state);
            if (selected && drawFocusBorder_) DrawFocusBorder(canvas, rect);
        } else if (selected) {
            DrawFocusBorder(canvas, rect);
        } else {
            canvas->FillRect(rect);
        }
    } catch (...) {
        canvas->BindDC(nullptr);
        throw;
    }
    canvas->BindDC(nullptr);
    message.Result = TRUE;
}

void TUiCustomComboBox::DeleteItemMessage(TMessage& message) {
    auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(message.LParam);
    if (item->itemData != 0) {
        DeleteItem(static_cast<int>(item->itemID), reinterpret_cast<void*>(item->itemData));
        item->itemData = 0;
    }
    message.Result = TRUE;
}
