#include "cl_stdctrls.h"

#include <algorithm>
#include <vector>

#include "cl_clipboard.h"
#include "cl_forms.h"
#include "cl_graphics.h"

namespace {

constexpr DWORD kEditAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
constexpr DWORD kAutoCompletePause = 500;
constexpr DWORD kStaticAlign[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
constexpr DWORD kEditCharCase[] = {0, ES_UPPERCASE, ES_LOWERCASE};
constexpr DWORD kComboCharCase[] = {0, CBS_UPPERCASE, CBS_LOWERCASE};

void AddBorder(TCreateParams& params, TBorderStyle borderStyle, bool ctl3D) {
    if (borderStyle != bsSingle) return;
    if (ctl3D)
        params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        params.Style |= WS_BORDER;
}

TOwnerDrawState ToOwnerDrawState(UINT itemState) {
    TOwnerDrawState state;
    if (itemState & ODS_SELECTED) state.insert(odSelected);
    if (itemState & ODS_GRAYED) state.insert(odGrayed);
    if (itemState & ODS_DISABLED) state.insert(odDisabled);
    if (itemState & ODS_CHECKED) state.insert(odChecked);
    if (itemState & ODS_FOCUS) state.insert(odFocused);
    if (itemState & ODS_DEFAULT) state.insert(odDefault);
    if (itemState & ODS_NOACCEL) state.insert(odNoAccel);
    if (itemState & ODS_NOFOCUSRECT) state.insert(odNoFocusRect);
    if (itemState & ODS_COMBOBOXEDIT) state.insert(odComboBoxEdit);
    return state;
}

// Runs an owner-draw request on `canvas` bound to the request's DC, in the control's colours.
template <class DrawFn>
void DrawListItem(TControlCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& draw,
                  DrawFn drawItem) {
    TOwnerDrawState state = ToOwnerDrawState(draw.itemState);
    canvas->BindDC(draw.hDC);
    canvas->Font()->Assign(control->Font());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(control->Brush()->Color());
    if (state.count(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    TRect rect = ToTRect(draw.rcItem);
    if (static_cast<int>(draw.itemID) >= 0) drawItem(static_cast<int>(draw.itemID), rect, state);
    else canvas->FillRect(rect);
    if (state.count(odFocused) && !state.count(odNoFocusRect)) canvas->DrawFocusRect(rect);
    canvas->BindDC(nullptr);
}

// ---------------------------------------------------------------------------------------------
// The memo's lines, always read from and written to the memo's text (lines end at CR LF; an
// empty last line after a final CR LF does not count).
class TMemoStrings : public TStrings {
    CL_CLASS(TMemoStrings, TStrings)

    explicit TMemoStrings(TCustomMemo* memo) : memo_(memo) {}

    AnsiString Get(int index) const override {
        std::vector<Span> lines = Lines();
        if (index < 0 || index >= LineCount(lines)) IndexError(index);
        return Text().SubString(lines[index].start + 1, lines[index].length);
    }
    int GetCount() const override { return LineCount(Lines()); }
    void Put(int index, const AnsiString& s) override {
        std::vector<Span> lines = Lines();
        if (index < 0 || index >= LineCount(lines)) IndexError(index);
        AnsiString text = Text();
        text.Delete(lines[index].start + 1, lines[index].length);
        text.Insert(s, lines[index].start + 1);
        memo_->SetText(text);
    }
    void Insert(int index, const AnsiString& s) override {
        std::vector<Span> lines = Lines();
        if (index < 0 || index > LineCount(lines)) IndexError(index);
        AnsiString text = Text();
        if (index < static_cast<int>(lines.size()))
            text.Insert(s + "\r\n", lines[index].start + 1);
        else
            text += "\r\n" + s;
        memo_->SetText(text);
    }
    void Delete(int index) override {
        std::vector<Span> lines = Lines();
        if (index < 0 || index >= LineCount(lines)) IndexError(index);
        int end = index + 1 < static_cast<int>(lines.size()) ? lines[index + 1].start
                                                            : lines[index].start + lines[index].length;
        AnsiString text = Text();
        text.Delete(lines[index].start + 1, end - lines[index].start);
        memo_->SetText(text);
    }
    void Clear() override { memo_->SetText(AnsiString()); }

protected:
    AnsiString GetTextStr() const override { return Text(); }
    void SetTextStr(const AnsiString& text) override {
        TStringList lines;
        lines.SetText(text);
        AnsiString joined;
        for (int i = 0; i < lines.Count(); ++i) joined += (i ? "\r\n" : "") + lines[i];
        bool endsWithBreak = !text.IsEmpty() && (text[text.Length()] == '\n' ||
                                                 text[text.Length()] == '\r');
        memo_->SetText(endsWithBreak ? joined + "\r\n" : joined);
    }

private:
    struct Span {
        int start;
        int length;
    };
    AnsiString Text() const { return memo_->Text(); }
    std::vector<Span> Lines() const {
        const AnsiString text = Text();
        std::vector<Span> lines;
        int start = 0;
        for (int i = 0; i < text.Length(); ++i) {
            if (text[i + 1] == '\r' && i + 1 < text.Length() && text[i + 2] == '\n') {
                lines.push_back({start, i - start});
                start = i + 2;
                ++i;
            }
        }
        lines.push_back({start, text.Length() - start});
        return lines;
    }
    static int LineCount(const std::vector<Span>& lines) {
        int count = static_cast<int>(lines.size());
        return lines.back().length == 0 ? count - 1 : count;
    }

    TCustomMemo* memo_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle.insert(csOpaque);
    ControlStyle.insert(csReplicatable);
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent) {
    if (transparent == Transparent()) return;
    if (transparent)
        ControlStyle.erase(csOpaque);
    else
        ControlStyle.insert(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool showAccelChar) {
    if (showAccelChar == showAccelChar_) return;
    showAccelChar_ = showAccelChar;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::SetAutoSize(bool value) {
    TGraphicControl::SetAutoSize(value);
    AdjustBounds();
}

AnsiString TCustomLabel::GetLabelText() { return Caption(); }

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
    AnsiString text = GetLabelText();
    if ((flags & DT_CALCRECT) && (text.IsEmpty() || (showAccelChar_ && text == "&"))) text += " ";
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    RECT r = ToRECT(rect);
    if (Enabled() || (flags & DT_CALCRECT)) {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
    } else {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        DrawTextA(dc, text.c_str(), -1, &r, flags);
    }
    rect = ToTRect(r);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
    }
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | AlignmentDrawTextFlags[alignment_];
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(measured, flags | DT_CALCRECT);
        int spare = rect.Height() - measured.Height();
        rect.Top += layout_ == tlBottom ? spare : spare / 2;
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
    if (!AutoSize() || InState(csLoading)) return;
    auto* canvas = static_cast<TControlCanvas*>(Canvas());
    ScreenDC dc;
    canvas->BindDC(dc);
    TRect rect = ClientRect();
    try {
        DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    } catch (...) {
        canvas->BindDC(nullptr);
        throw;
    }
    canvas->BindDC(nullptr);
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - rect.Right;
    SetBounds(left, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        Invalidate();
        AdjustBounds();
        return;
    case CM_FONTCHANGED:
        TGraphicControl::Dispatch(message);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        if (focusControl_ && Enabled() && showAccelChar_ &&
            IsAccel(static_cast<uint16_t>(message.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            message.Result = 1;
        }
        return;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetAutoSize(true);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL | kEditAlign[alignment_] | kEditCharCase[charCase_];
    AddBorder(params, borderStyle_, Ctl3D());
    if (readOnly_) params.Style |= ES_READONLY;
    if (!hideSelection_) params.Style |= ES_NOHIDESEL;
    if (oemConvert_) params.Style |= ES_OEMCONVERT;
    if (passwordChar_) params.Style |= ES_PASSWORD;
}

void TCustomEdit::CreateWnd() {
    creating_ = true;
    try {
        TWinControl::CreateWnd();
    } catch (...) {
        creating_ = false;
        throw;
    }
    creating_ = false;
    SendMessageA(WindowHandle(), EM_LIMITTEXT, maxLength_, 0);
    if (passwordChar_)
        SendMessageA(WindowHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
    AdjustHeight();
}

void TCustomEdit::AdjustHeight() {
    if (!AutoSize() || borderStyle_ != bsSingle) return;
    TEXTMETRICA metrics{};
    {
        ScreenDC dc;
        SelectedObject font(dc, Font()->Handle());
        GetTextMetricsA(dc, &metrics);
    }
    SetHeight(metrics.tmHeight + GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6));
}

void TCustomEdit::SetAutoSize(bool value) {
    TWinControl::SetAutoSize(value);
    if (value && HandleAllocated()) AdjustHeight();
}

void TCustomEdit::SetMaxLength(int maxLength) {
    maxLength_ = maxLength;
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_LIMITTEXT, maxLength, 0);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETREADONLY, readOnly, 0);
}

int TCustomEdit::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int selStart) { SendMessageA(Handle(), EM_SETSEL, selStart, selStart); }

int TCustomEdit::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int selLength) {
    int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, start, start + selLength);
}

AnsiString TCustomEdit::SelText() { return GetText().SubString(SelStart() + 1, SelLength()); }

void TCustomEdit::SetSelText(const AnsiString& text) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() { Perform(WM_CLEAR); }

bool TCustomEdit::Modified() {
    return HandleAllocated() && SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool modified) {
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETMODIFY, modified, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle borderStyle) {
    if (borderStyle == borderStyle_) return;
    borderStyle_ = borderStyle;
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == charCase_) return;
    charCase_ = charCase;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool hideSelection) {
    if (hideSelection == hideSelection_) return;
    hideSelection_ = hideSelection;
    RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool oemConvert) {
    if (oemConvert == oemConvert_) return;
    oemConvert_ = oemConvert;
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char passwordChar) {
    if (passwordChar == passwordChar_) return;
    passwordChar_ = passwordChar;
    if (!HandleAllocated()) return;
    SendMessageA(WindowHandle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar), 0);
    Invalidate();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE && !creating_) Change();
        return;
    case CM_ENTER:
        if (autoSelect_ && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
        TWinControl::Dispatch(message);
        return;
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        if (HandleAllocated()) AdjustHeight();
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomMaskEdit

void TCustomMaskEdit::SetEditMask(const TEditMask& mask) {
    if (mask == editMask_) return;
    const AnsiString text = Text();
    editMask_ = mask;
    SetText(text);
}

AnsiString TCustomMaskEdit::Text() {
    if (!IsMasked()) return TControl::GetText();
    return TMaskRules(editMask_).TextFor(EditText());
}

void TCustomMaskEdit::SetText(const AnsiString& text) { SetEditText(FormatMaskText(editMask_, text)); }

void TCustomMaskEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    if (IsMasked() && EditText().IsEmpty()) SetText(AnsiString());
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked()) return;
    const int place = TMaskRules(editMask_).FirstInvalidPlace(EditText());
    if (place < 0) return;
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, place, place + 1);
    ValidateError();
}

void TCustomMaskEdit::ValidateError() {
    MessageBeep(0);
    throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

bool TCustomMaskEdit::TypeText(const AnsiString& text) {
    const TMaskRules rules(editMask_);
    AnsiString editText = EditText();
    int place = SelStart();
    bool typed = false;
    for (int i = 1; i <= text.Length(); ++i) {
        const char c = text[i];
        if (place < rules.Count() && rules.IsLiteral(place) && rules.Place(place).Literal == c) {
            ++place;
            continue;
        }
        place = rules.NextDataPlace(place);
        const char accepted = rules.Accept(place, c);
        if (!accepted) break;
        editText[place + 1] = accepted;
        place = rules.NextDataPlace(place + 1);
        typed = true;
    }
    if (!typed) return false;
    SetEditText(editText);
    SetModified(true);
    SendMessageA(WindowHandle(), EM_SETSEL, place, place);
    return true;
}

void TCustomMaskEdit::ClearPlaces(int first, int last) {
    const TMaskRules rules(editMask_);
    AnsiString editText = EditText();
    for (int place = first; place < last && place < editText.Length(); ++place)
        if (!rules.IsLiteral(place)) editText[place + 1] = rules.Blank();
    SetEditText(editText);
    SetModified(true);
    SendMessageA(WindowHandle(), EM_SETSEL, first, first);
}

void TCustomMaskEdit::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key != VK_DELETE || !IsMasked() || ReadOnly()) return;
    const int start = SelStart(), length = SelLength();
    ClearPlaces(start, start + (length > 0 ? length : 1));
    key = 0;
}

void TCustomMaskEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (!IsMasked() || key == 0 || ReadOnly()) return;
    if (key == '\b') {
        const int start = SelStart(), length = SelLength();
        if (length > 0) {
            ClearPlaces(start, start + length);
        } else {
            const int place = TMaskRules(editMask_).PreviousDataPlace(start);
            if (place >= 0) ClearPlaces(place, place + 1);
        }
        key = 0;
    } else if (static_cast<unsigned char>(key) >= ' ') {
        if (!TypeText(AnsiString(key))) MessageBeep(0);
        key = 0;
    }
}

void TCustomMaskEdit::Dispatch(TMessage& message) {
    if (!IsMasked()) return TCustomEdit::Dispatch(message);
    switch (message.Msg) {
    case WM_PASTE:
        if (!ReadOnly()) TypeText(Clipboard()->AsText());
        return;
    case WM_CUT:
    case WM_CLEAR:
        if (ReadOnly()) return;
        if (message.Msg == WM_CUT) Clipboard()->SetAsText(SelText());
        ClearPlaces(SelStart(), SelStart() + SelLength());
        return;
    case CM_EXIT:
        TCustomEdit::Dispatch(message);
        if (Modified()) ValidateEdit();
        return;
    default:
        TCustomEdit::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(new TMemoStrings(this)) {
    SetBounds(0, 0, 185, 89);
    SetAutoSize(false);
}

void TCustomMemo::BeforeDestruction() {
    TCustomEdit::BeforeDestruction();
    delete lines_;
    lines_ = nullptr;
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    static const DWORD kScrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | kScrollBars[scrollBars_];
    if (wordWrap_) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
}

void TCustomMemo::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle scrollBars) {
    if (scrollBars == scrollBars_) return;
    scrollBars_ = scrollBars;
    RecreateWnd();
}

TPoint TCustomMemo::CaretPos() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    int line = static_cast<int>(SendMessageA(WindowHandle(), EM_LINEFROMCHAR, start, 0));
    int lineStart = static_cast<int>(SendMessageA(WindowHandle(), EM_LINEINDEX, line, 0));
    return {static_cast<int>(start) - lineStart, line};
}

void TCustomMemo::SetCaretPos(TPoint pos) {
    int position = static_cast<int>(SendMessageA(Handle(), EM_LINEINDEX, pos.Y, 0)) + pos.X;
    SendMessageA(WindowHandle(), EM_SETSEL, position, position);
}

void TCustomMemo::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::Dispatch(message);
        if (wantTabs_)
            message.Result |= DLGC_WANTTAB;
        else
            message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!wantReturns_) message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    case WM_CHAR:
        if ((message.WParam == VK_RETURN && !wantReturns_) ||
            (message.WParam == VK_TAB && !wantTabs_))
            return;
        TCustomEdit::Dispatch(message);
        return;
    default:
        TCustomEdit::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TWinItemStrings

const TWinItemStrings::Messages TWinItemStrings::ComboBox = {
    CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA,
    CB_INSERTSTRING, CB_ADDSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_FINDSTRINGEXACT,
    CB_GETCURSEL, CB_SETCURSEL, static_cast<UINT>(CB_ERR)};
const TWinItemStrings::Messages TWinItemStrings::ListBox = {
    LB_GETCOUNT, LB_GETTEXT, LB_GETTEXTLEN, LB_GETITEMDATA, LB_SETITEMDATA,
    LB_INSERTSTRING, LB_ADDSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_FINDSTRINGEXACT,
    LB_GETCURSEL, LB_SETCURSEL, static_cast<UINT>(LB_ERR)};

TWinItemStrings::TWinItemStrings(TWinControl* control, const Messages& messages)
    : control_(control), messages_(messages) {}

LRESULT TWinItemStrings::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(control_->WindowHandle(), msg, wParam, lParam);
}

void TWinItemStrings::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) IndexError(index);
}

int TWinItemStrings::AddStored(const AnsiString& s, TObject* object) {
    auto at = stored_.end();
    if (sorted_)
        at = std::upper_bound(stored_.begin(), stored_.end(), s,
                              [](const AnsiString& text, const StoredItem& item) {
                                  return CompareText(text, item.text) < 0;
                              });
    // Inserting may move the items: the position is taken from the vector afterwards.
    const auto inserted = stored_.insert(at, {s, object});
    return static_cast<int>(inserted - stored_.begin());
}

AnsiString TWinItemStrings::Get(int index) const {
    auto* listBox = dynamic_cast<TCustomListBox*>(control_);
    if (listBox && listBox->IsVirtual()) return listBox->GetItemText(index);
    CheckIndex(index);
    if (!Live()) return stored_[index].text;
    std::string text(static_cast<size_t>(Send(messages_.getTextLen, index)) + 1, '\0');
    LRESULT length = Send(messages_.getText, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length < 0 ? 0 : static_cast<size_t>(length));
    return AnsiString(std::move(text));
}

int TWinItemStrings::GetCount() const {
    auto* listBox = dynamic_cast<TCustomListBox*>(control_);
    if (listBox && listBox->IsVirtual()) return listBox->Count();
    return Live() ? static_cast<int>(Send(messages_.getCount)) : static_cast<int>(stored_.size());
}

TObject* TWinItemStrings::GetObject(int index) const {
    CheckIndex(index);
    if (!Live()) return stored_[index].object;
    return reinterpret_cast<TObject*>(Send(messages_.getData, index));
}

void TWinItemStrings::PutObject(int index, TObject* object) {
    CheckIndex(index);
    if (!Live())
        stored_[index].object = object;
    else
        Send(messages_.setData, index, reinterpret_cast<LPARAM>(object));
}

void TWinItemStrings::Insert(int index, const AnsiString& s) {
    if (index < 0 || index > GetCount()) IndexError(index);
    if (!Live()) {
        if (sorted_)
            AddStored(s, nullptr);
        else
            stored_.insert(stored_.begin() + index, {s, nullptr});
        return;
    }
    if (Send(messages_.insert, index, reinterpret_cast<LPARAM>(s.c_str())) < 0)
        throw EOutOfResources("Out of system resources");
}

int TWinItemStrings::Add(const AnsiString& s) {
    if (!Live()) return AddStored(s, nullptr);
    LRESULT index = Send(messages_.add, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (index < 0) throw EOutOfResources("Out of system resources");
    return static_cast<int>(index);
}

void TWinItemStrings::Delete(int index) {
    CheckIndex(index);
    if (!Live())
        stored_.erase(stored_.begin() + index);
    else
        Send(messages_.remove, index);
}

void TWinItemStrings::Clear() {
    if (!Live()) {
        stored_.clear();
        storedIndex_ = -1;
        return;
    }
    Send(messages_.reset);
}

int TWinItemStrings::IndexOf(const AnsiString& s) const {
    if (!Live()) {
        for (size_t i = 0; i < stored_.size(); ++i)
            if (SameText(stored_[i].text, s)) return static_cast<int>(i);
        return -1;
    }
    // The system's search may also match an item that only starts with `s`: check it.
    for (int from = -1;;) {
        LRESULT found = Send(messages_.findExact, static_cast<WPARAM>(from),
                             reinterpret_cast<LPARAM>(s.c_str()));
        if (found < 0 || found <= from) return -1;
        if (SameText(Get(static_cast<int>(found)), s)) return static_cast<int>(found);
        from = static_cast<int>(found);
    }
}

void TWinItemStrings::SetSorted(bool sorted) {
    sorted_ = sorted;
    if (sorted)
        std::stable_sort(stored_.begin(), stored_.end(),
                         [](const StoredItem& a, const StoredItem& b) {
                             return CompareText(a.text, b.text) < 0;
                         });
}

int TWinItemStrings::ItemIndex() const {
    return Live() ? static_cast<int>(Send(messages_.getCurSel)) : storedIndex_;
}

void TWinItemStrings::SetItemIndex(int index) {
    if (Live())
        Send(messages_.setCurSel, static_cast<WPARAM>(index));
    else
        storedIndex_ = index;
}

void TWinItemStrings::SaveFromWindow() {
    stored_.clear();
    const int count = static_cast<int>(Send(messages_.getCount));
    for (int i = 0; i < count; ++i) stored_.push_back({Get(i), GetObject(i)});
    storedIndex_ = static_cast<int>(Send(messages_.getCurSel));
}

void TWinItemStrings::LoadIntoWindow() {
    // A sorting window moves items as others arrive: follow the selected one.
    int selected = -1;
    for (size_t i = 0; i < stored_.size(); ++i) {
        const StoredItem& item = stored_[i];
        const int index = static_cast<int>(
            Send(messages_.add, 0, reinterpret_cast<LPARAM>(item.text.c_str())));
        if (index < 0) continue;
        Send(messages_.setData, index, reinterpret_cast<LPARAM>(item.object));
        if (static_cast<int>(i) == storedIndex_)
            selected = index;
        else if (selected >= 0 && index <= selected)
            ++selected;
    }
    if (selected >= 0) Send(messages_.setCurSel, static_cast<WPARAM>(selected));
    stored_.clear();
    storedIndex_ = -1;
}

void TWinItemStrings::SetUpdateState(bool updating) {
    if (!Live()) return;
    Send(WM_SETREDRAW, !updating);
    if (!updating) InvalidateRect(control_->WindowHandle(), nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(new TWinItemStrings(this, TWinItemStrings::ComboBox)),
      canvas_(new TControlCanvas) {
    canvas_->SetControl(this);
    ControlStyle = {csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomComboBox::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    delete items_;
    items_ = nullptr;
    delete canvas_;
    canvas_ = nullptr;
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
    static const DWORD kStyles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST,
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                    CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | kStyles[style_] |
                    kComboCharCase[charCase_] | (sorted_ ? CBS_SORT : 0);
    if (style_ != csSimple) params.Height = Height() + itemHeight_ * Max(dropDownCount_, 1) + 2;
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    items_->LoadIntoWindow();
    SendMessageA(WindowHandle(), CB_LIMITTEXT, maxLength_, 0);
    if (dropDownWidth_ > 0) SendMessageA(WindowHandle(), CB_SETDROPPEDWIDTH, dropDownWidth_, 0);
    if (!IsOwnerDraw()) SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, itemHeight_);
    SubclassEdit();
}

void TCustomComboBox::DestroyWnd() {
    items_->SaveFromWindow();
    if (editWindow_ && IsWindow(editWindow_)) {
        SetWindowLongPtrA(editWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editDefProc_));
        RemovePropA(editWindow_, "ClassLib.ComboBox");
    }
    editWindow_ = nullptr;
    TWinControl::DestroyWnd();
}

void TCustomComboBox::SubclassEdit() {
    editWindow_ = EditHandle();
    if (!editWindow_) return;
    SetPropA(editWindow_, "ClassLib.ComboBox", this);
    editDefProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        editWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWindowProc)));
}

LRESULT CALLBACK TCustomComboBox::EditWindowProc(HWND window, UINT msg, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* combo = static_cast<TCustomComboBox*>(GetPropA(window, "ClassLib.ComboBox"));
    if (!combo) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        combo->ComboWndProc(message, window, combo->editDefProc_);
    } catch (...) {
        if (Application) Application->HandleException(combo);
    }
    return message.Result;
}

void TCustomComboBox::ComboWndProc(TMessage& message, HWND window, WNDPROC previous) {
    switch (message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(message)) return;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (DoKeyUp(message)) return;
        break;
    case WM_CHAR:
        if (DoKeyPress(message)) return;
        break;
    default:
        break;
    }
    message.Result = CallWindowProcA(previous, window, message.Msg, message.WParam, message.LParam);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    items_->SetSorted(sorted);
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int maxLength) {
    maxLength_ = maxLength;
    if (HandleAllocated()) SendMessageA(WindowHandle(), CB_LIMITTEXT, maxLength, 0);
}

void TCustomComboBox::SetCharCase(TEditCharCase charCase) {
    if (charCase == charCase_) return;
    charCase_ = charCase;
    RecreateWnd();
}

int TCustomComboBox::ItemHeight() {
    if (!HandleAllocated()) return itemHeight_;
    return static_cast<int>(SendMessageA(WindowHandle(), CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int height) {
    if (height <= 0) return;
    itemHeight_ = height;
    if (IsOwnerDraw())
        RecreateWnd();
    else if (HandleAllocated())
        SendMessageA(WindowHandle(), CB_SETITEMHEIGHT, 0, height);
}

bool TCustomComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool droppedDown) {
    SendMessageA(Handle(), CB_SHOWDROPDOWN, droppedDown, 0);
}

int TCustomComboBox::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int selStart) {
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(selStart, selStart));
}

int TCustomComboBox::SelLength() {
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelLength(int selLength) {
    int start = SelStart();
    SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + selLength));
}

AnsiString TCustomComboBox::SelText() { return GetText().SubString(SelStart() + 1, SelLength()); }

void TCustomComboBox::SetSelText(const AnsiString& text) {
    if (HWND edit = EditHandle())
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomComboBox::SelectAll() { SendMessageA(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

HWND TCustomComboBox::EditHandle() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (style_ == csDropDownList || IsOwnerDraw() || !GetComboBoxInfo(Handle(), &info))
        return nullptr;
    return info.hwndItem;
}

HWND TCustomComboBox::ListHandle() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(Handle(), &info) ? info.hwndList : nullptr;
}

void TCustomComboBox::SetDropDownWidth(int width) {
    dropDownWidth_ = width;
    if (HandleAllocated()) SendMessageA(WindowHandle(), CB_SETDROPPEDWIDTH, width, 0);
}

void TCustomComboBox::SetText(const AnsiString& text) {
    if (style_ == csDropDownList || IsOwnerDraw())
        SetItemIndex(items_->IndexOf(text));
    else
        TControl::SetText(text);
}

void TCustomComboBox::AdjustDropDown() {
    int count = Max(1, Min(items_->Count(), dropDownCount_));
    droppingDown_ = true;
    SetWindowPos(WindowHandle(), nullptr, 0, 0, Width(), ItemHeight() * count + Height() + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    droppingDown_ = false;
}

void TCustomComboBox::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
    Change();
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::DeleteItem(int, void*) {}

void TCustomComboBox::HandleCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
    case CBN_DBLCLK:
        DblClick();
        return;
    case CBN_EDITCHANGE:
        Change();
        return;
    case CBN_DROPDOWN:
        DropDown();
        AdjustDropDown();
        return;
    case CBN_SELCHANGE: {
        int index = ItemIndex();
        if (index >= 0 && style_ != csDropDownList && !IsOwnerDraw())
            SetWindowTextA(WindowHandle(), items_->Get(index).c_str());
        Click();
        Select();
        return;
    }
    case CBN_CLOSEUP:
        CloseUp();
        return;
    default:
        return;
    }
}

void TCustomComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) return OnDrawItem(this, index, rect, state);
    canvas_->FillRect(rect);
    if (index < items_->Count()) canvas_->TextOut(rect.Left + 2, rect.Top, items_->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::HandleDrawItem(TMessage& message) {
    DrawListItem(canvas_, this, *message.DrawItemStruct(),
                 [this](int index, TRect rect, TOwnerDrawState state) {
                     DrawItem(index, rect, state);
                 });
    message.Result = TRUE;
}

void TCustomComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        return HandleCommand(message);
    case CN_DRAWITEM:
        return HandleDrawItem(message);
    case CN_MEASUREITEM: {
        MEASUREITEMSTRUCT* measure = message.MeasureItemStruct();
        int height = itemHeight_;
        if (style_ == csOwnerDrawVariable) MeasureItem(static_cast<int>(measure->itemID), height);
        measure->itemHeight = static_cast<UINT>(height);
        message.Result = TRUE;
        return;
    }
    case CN_DELETEITEM: {
        auto* item = reinterpret_cast<DELETEITEMSTRUCT*>(message.LParam);
        DeleteItem(static_cast<int>(item->itemID), reinterpret_cast<void*>(item->itemData));
        message.Result = TRUE;
        return;
    }
    case WM_WINDOWPOSCHANGED:
        if (droppingDown_) return DefaultHandler(message);
        return TWinControl::Dispatch(message);
    default:
        TWinControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(new TWinItemStrings(this, TWinItemStrings::ListBox)),
      canvas_(new TControlCanvas) {
    canvas_->SetControl(this);
    ControlStyle = {csSetCaption, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomListBox::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    delete items_;
    items_ = nullptr;
    delete canvas_;
    canvas_ = nullptr;
}

void TCustomListBox::CreateParams(TCreateParams& params) {
    static const DWORD kStyles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE,
                                    LBS_OWNERDRAWFIXED | LBS_NODATA,
                                    LBS_OWNERDRAWFIXED | LBS_NODATA};
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    params.Style |= LBS_NOTIFY | WS_VSCROLL | kStyles[style_];
    if (!IsVirtual()) params.Style |= LBS_HASSTRINGS | (sorted_ ? LBS_SORT : 0);
    if (multiSelect_) params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (columns_ > 0) params.Style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (!integralHeight_) params.Style |= LBS_NOINTEGRALHEIGHT;
    if (tabWidth_ != 0) params.Style |= LBS_USETABSTOPS;
    AddBorder(params, borderStyle_, Ctl3D());
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = WindowHandle();
    if (IsVirtual())
        SendMessageA(window, LB_SETCOUNT, virtualCount_, 0);
    else
        items_->LoadIntoWindow();
    if (style_ == lbStandard && itemHeightSet_) SendMessageA(window, LB_SETITEMHEIGHT, 0, itemHeight_);
    if (columns_ > 0) SendMessageA(window, LB_SETCOLUMNWIDTH, Width() / columns_, 0);
    if (tabWidth_ != 0) SendMessageA(window, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabWidth_));
}

void TCustomListBox::DestroyWnd() {
    if (IsVirtual())
        virtualCount_ = Count();
    else
        items_->SaveFromWindow();
    TWinControl::DestroyWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

int TCustomListBox::Count() const {
    if (!IsVirtual()) return items_->Count();
    return HandleAllocated()
               ? static_cast<int>(SendMessageA(WindowHandle(), LB_GETCOUNT, 0, 0))
               : virtualCount_;
}

void TCustomListBox::SetCount(int count) {
    if (!IsVirtual()) throw EInvalidOperation("Count can only be set for virtual list boxes");
    virtualCount_ = count;
    if (HandleAllocated()) SendMessageA(WindowHandle(), LB_SETCOUNT, count, 0);
}

int TCustomListBox::ItemIndex() {
    if (!HandleAllocated()) return items_->ItemIndex();
    UINT msg = multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL;
    return static_cast<int>(SendMessageA(WindowHandle(), msg, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
    if (!HandleAllocated()) return items_->SetItemIndex(index);
    if (multiSelect_)
        SendMessageA(WindowHandle(), LB_SETCARETINDEX, index, FALSE);
    else
        SendMessageA(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomListBox::ItemHeight() {
    if (!HandleAllocated() || style_ == lbOwnerDrawVariable) return itemHeight_;
    return static_cast<int>(SendMessageA(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int height) {
    if (height <= 0) return;
    itemHeight_ = height;
    itemHeightSet_ = true;
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value) {
    if (value == extendedSelect_) return;
    extendedSelect_ = value;
    RecreateWnd();
}

bool TCustomListBox::Selected(int index) {
    LRESULT result = SendMessageA(Handle(), LB_GETSEL, index, 0);
    if (result == LB_ERR) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return result != 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
    if (multiSelect_)
        SendMessageA(Handle(), LB_SETSEL, selected, index);
    else
        SendMessageA(Handle(), LB_SETCURSEL, selected ? index : -1, 0);
}

int TCustomListBox::SelCount() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::TopIndex() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int index) { SendMessageA(Handle(), LB_SETTOPINDEX, index, 0); }

void TCustomListBox::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    items_->SetSorted(sorted);
    RecreateWnd();
}

void TCustomListBox::SetColumns(int columns) {
    if (columns == columns_) return;
    columns_ = columns;
    RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool value) {
    if (value == integralHeight_) return;
    integralHeight_ = value;
    RecreateWnd();
}

void TCustomListBox::SetTabWidth(int width) {
    if (width == tabWidth_) return;
    tabWidth_ = width;
    RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle borderStyle) {
    if (borderStyle == borderStyle_) return;
    borderStyle_ = borderStyle;
    RecreateWnd();
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
    TRect client = ClientRect();
    if (pos.X >= client.Left && pos.X < client.Right && pos.Y >= client.Top &&
        pos.Y < client.Bottom) {
        const int count = Count();
        for (int index = TopIndex(); index < count; ++index) {
            TRect item = ItemRect(index);
            if (pos.X >= item.Left && pos.X < item.Right && pos.Y >= item.Top &&
                pos.Y < item.Bottom)
                return index;
        }
        if (!existing) return count;
    }
    return -1;
}

TRect TCustomListBox::ItemRect(int index) {
    RECT rect{};
    SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return ToTRect(rect);
}

void TCustomListBox::Clear() {
    if (IsVirtual())
        SetCount(0);
    else
        items_->Clear();
}

void TCustomListBox::DeleteSelected() {
    if (multiSelect_) {
        for (int i = Count() - 1; i >= 0; --i)
            if (Selected(i)) items_->Delete(i);
    } else if (ItemIndex() >= 0) {
        items_->Delete(ItemIndex());
    }
}

void TCustomListBox::SelectAll() {
    if (multiSelect_) SendMessageA(Handle(), LB_SETSEL, TRUE, -1);
}

AnsiString TCustomListBox::GetItemText(int index) {
    AnsiString text;
    if (OnData) OnData(this, index, text);
    return text;
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) return OnDrawItem(this, index, rect, state);
    canvas_->FillRect(rect);
    if (index < Count()) canvas_->TextOut(rect.Left + 2, rect.Top, items_->Get(index));
}

void TCustomListBox::MeasureItem(int index, int& height) {
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::HandleDrawItem(TMessage& message) {
    DrawListItem(canvas_, this, *message.DrawItemStruct(),
                 [this](int index, TRect rect, TOwnerDrawState state) {
                     DrawItem(index, rect, state);
                 });
    message.Result = TRUE;
}

void TCustomListBox::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (!autoComplete_ || static_cast<unsigned char>(key) < ' ' || Count() == 0) return;
    const DWORD now = GetTickCount();
    if (now - lastTyped_ >= kAutoCompletePause) typed_ = AnsiString();
    lastTyped_ = now;
    typed_ += key;
    key = 0;
    for (int i = 0; i < Count(); ++i) {
        const AnsiString text = IsVirtual() ? GetItemText(i) : items_->Strings(i);
        if (!SameText(text.SubString(1, typed_.Length()), typed_)) continue;
        if (i != ItemIndex()) {
            SetItemIndex(i);
            Click();
        }
        return;
    }
}

void TCustomListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == LBN_SELCHANGE) Click();
        if (HIWORD(message.WParam) == LBN_DBLCLK) DblClick();
        return;
    case CN_DRAWITEM:
        return HandleDrawItem(message);
    case CN_MEASUREITEM: {
        MEASUREITEMSTRUCT* measure = message.MeasureItemStruct();
        int height = itemHeight_;
        if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(measure->itemID), height);
        measure->itemHeight = static_cast<UINT>(height);
        message.Result = TRUE;
        return;
    }
    default:
        TWinControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// Buttons

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    // Clicks come from the system's BN_CLICKED only.
    ControlStyle = {csSetCaption, csDoubleClicks};
    SetTabStop(true);
    SetParentColor(true);
}

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    if (!dynamic_cast<TButton*>(focused)) SetButtonStyle(value);
}

void TButton::SetButtonStyle(bool isDefault) {
    active_ = isDefault;
    if (HandleAllocated())
        SendMessageA(WindowHandle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    TCustomForm* form = GetParentForm(this);
    if (form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY: {
        // The active button: the focused one, or the default one while no button has the focus.
        TCustomForm* form = GetParentForm(this);
        TWinControl* focused = form ? form->ActiveControl() : nullptr;
        bool active = dynamic_cast<TButton*>(focused) ? focused == this : default_;
        const WPARAM key = message.WParam;
        if (((key == VK_RETURN && active) || (key == VK_ESCAPE && cancel_)) &&
            KeyDataToShiftState(message.LParam).empty() && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED: {
        TControl* focused = message.Control();
        SetButtonStyle(dynamic_cast<TButton*>(focused) ? focused == this : default_);
        return;
    }
    default:
        TButtonControl::Dispatch(message);
    }
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_3STATE | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, state_, 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, state, 0);
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked:
        SetState(allowGrayed_ ? cbGrayed : cbChecked);
        return;
    case cbChecked:
        SetState(cbUnchecked);
        return;
    case cbGrayed:
        SetState(cbChecked);
        return;
    }
}

void TCustomCheckBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) Toggle();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            message.Result = 1;
        }
        return;
    default:
        TButtonControl::Dispatch(message);
    }
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
    SetTabStop(false);
}

void TRadioButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= BS_RADIOBUTTON | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, checked_, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    SetTabStop(checked);
    if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, checked, 0);
    if (!checked) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)))
                if (sibling != this) sibling->SetChecked(false);
    if (!ClicksDisabled()) Click();
}

void TRadioButton::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED) SetChecked(true);
        if (HIWORD(message.WParam) == BN_DOUBLECLICKED) DblClick();
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            message.Result = 1;
        }
        return;
    default:
        TButtonControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TCustomStaticText

TCustomStaticText::TCustomStaticText(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
    SetAutoSize(true);
}

void TCustomStaticText::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "STATIC");
    params.Style |= SS_NOTIFY | kStaticAlign[alignment_] | (showAccelChar_ ? 0 : SS_NOPREFIX);
    if (borderStyle_ == sbsSingle) params.Style |= WS_BORDER;
    if (borderStyle_ == sbsSunken) params.Style |= SS_SUNKEN;
}

void TCustomStaticText::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle borderStyle) {
    if (borderStyle == borderStyle_) return;
    borderStyle_ = borderStyle;
    RecreateWnd();
    AdjustBounds();
}

void TCustomStaticText::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    RecreateWnd();
    AdjustBounds();
}

void TCustomStaticText::SetFocusControl(TWinControl* control) {
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control) control->FreeNotification(this);
}

void TCustomStaticText::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomStaticText::SetAutoSize(bool value) {
    TWinControl::SetAutoSize(value);
    AdjustBounds();
}

void TCustomStaticText::AdjustBounds() {
    if (!AutoSize() || InState(csLoading)) return;
    AnsiString text = GetText();
    if (text.IsEmpty()) text = " ";
    RECT rect{0, 0, 0, 0};
    {
        ScreenDC dc;
        SelectedObject font(dc, Font()->Handle());
        DrawTextA(dc, text.c_str(), -1, &rect,
                  DT_CALCRECT | DT_EXPANDTABS | (showAccelChar_ ? 0 : DT_NOPREFIX));
    }
    const int border = borderStyle_ == sbsNone ? 0 : 2;
    int width = rect.right + border, height = rect.bottom + border;
    int left = Left();
    if (alignment_ == taRightJustify) left += Width() - width;
    SetBounds(left, Top(), width, height);
}

void TCustomStaticText::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        AdjustBounds();
        return;
    case CM_DIALOGCHAR:
        if (focusControl_ && Enabled() && showAccelChar_ &&
            IsAccel(static_cast<uint16_t>(message.WParam), Caption()) &&
            focusControl_->CanFocus()) {
            focusControl_->SetFocus();
            message.Result = 1;
        }
        return;
    default:
        TWinControl::Dispatch(message);
    }
}
