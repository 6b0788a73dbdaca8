#include "UiEditListBox.h"

namespace {

const bool editListPropertiesRegistered = [] {
    using C = TUiEditListBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("AllowEdit", pkBool, &C::AllowEdit,
                                              &C::SetAllowEdit, true));
    RegisterProperty(meta, OrdinalProperty<C>("AllowDeleteByKbd", pkBool, &C::AllowDeleteByKbd,
                                              &C::SetAllowDeleteByKbd, false));
    return true;
}();

constexpr UINT HiddenFlags =
    SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

// ---------------------------------------------------------------------------------------------
// TUiPopupEdit

TUiPopupEdit::TUiPopupEdit(TComponent* owner) : TCustomEdit(owner) {
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
    SetBorderStyle(bsSingle);
    SetVisible(false);
}

void TUiPopupEdit::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    params.WindowClass.style |= CS_SAVEBITS;
}

void TUiPopupEdit::KeyDown(uint16_t& key, TShiftState shift) {
    if (listBox_ && (key == VK_RETURN || key == VK_ESCAPE)) {
        const bool accept = key == VK_RETURN;
        key = 0;
        listBox_->HideEditor(accept);
        return;
    }
    if (key == VK_TAB) key = 0;
    TCustomEdit::KeyDown(key, shift);
}

void TUiPopupEdit::KeyPress(char& key) {
    if (key == '\r' || key == '\x1b' || key == '\t') key = 0;
    TCustomEdit::KeyPress(key);
}

void TUiPopupEdit::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_SHOWINGCHANGED:
        return;
    case WM_GETDLGCODE:
        TCustomEdit::Dispatch(message);
        message.Result |= DLGC_WANTALLKEYS | DLGC_WANTTAB;
        return;
    case CN_KEYDOWN:
        if (message.WParam == VK_ESCAPE && listBox_) listBox_->HideEditor(false);
        if (message.WParam == VK_ESCAPE || message.WParam == 'C') return;
        return TCustomEdit::Dispatch(message);
    case WM_KILLFOCUS:
        TCustomEdit::Dispatch(message);
        if (listBox_) listBox_->HideEditor(true);
        return;
    case CM_CANCELMODE:
        if (message.Control() != this && listBox_) listBox_->HideEditor(true);
        return TCustomEdit::Dispatch(message);
    default:
        TCustomEdit::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TUiEditListBox

TUiEditListBox::TUiEditListBox(TComponent* owner)
    : TUiListBox(owner), editor_(new TUiPopupEdit(this)), clickTimer_(new TTimer(this)) {
    editor_->SetListBox(this);
    editor_->SetParent(this);
    clickTimer_->SetEnabled(false);
    clickTimer_->SetInterval(400);
    clickTimer_->SetOnTimer([this](TObject* sender) { TimerExpired(sender); });
}

int TUiEditListBox::CaretIndex() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
}

void TUiEditListBox::ShowEditor() {
    if (Items()->Count() == 0) return;
    currentIndex_ = CaretIndex();
    SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(currentIndex_), FALSE);
    if (MultiSelect())
        UnselectAll();
    else
        SetItemIndex(-1);
    editor_->SetText(Items()->Get(currentIndex_));
    bool allow = true;
    DoShowingEditor(currentIndex_, allow);
    if (!allow) return;
    TRect rect = ItemRect(currentIndex_);
    rect.Top -= 2;
    rect.Bottom += 2;
    SizeEditRect(currentIndex_, rect);
    SetWindowPos(editor_->Handle(), HWND_TOP, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::SetFocus(editor_->Handle());
    popupVisible_ = true;
}

void TUiEditListBox::HideEditor(bool accept) {
    if (!popupVisible_) return;
    popupVisible_ = false;
    if (accept) {
        const AnsiString text = editor_->GetText();
        if (Sorted()) {
            TObject* object = Items()->GetObject(currentIndex_);
            Items()->Delete(currentIndex_);
            currentIndex_ = Items()->AddObject(text, object);
        } else {
            Items()->Put(currentIndex_, text);
        }
        SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(currentIndex_), FALSE);
    }
    DoHidingEditor();
    SetWindowPos(editor_->Handle(), nullptr, 0, 0, 0, 0, HiddenFlags);
    ::SetFocus(Handle());
    if (MultiSelect())
        SetSelected(currentIndex_, true);
    else
        SetItemIndex(currentIndex_);
    ItemChanged(currentIndex_);
}

void TUiEditListBox::TimerExpired(TObject*) {
    clickTimer_->SetEnabled(false);
    const int selected = ItemIndex();
    if (allowEdit_ && selected >= 0 && selected == editorIndex_ && showOnNextClick_) ShowEditor();
}

void TUiEditListBox::LeftButtonDown() {
    const int selected = ItemIndex();
    if (justGotFocus_)
        justGotFocus_ = false;
    else if (selected != editorIndex_)
        showOnNextClick_ = true;
    else
        showOnNextClick_ = !showOnNextClick_;
    editorIndex_ = selected;
}

void TUiEditListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiListBox::MouseUp(button, shift, x, y);
    if (doubleClicked_) {
        doubleClicked_ = false;
        return;
    }
    if (button == mbLeft && ItemAtPos(TPoint(x, y), true) >= 0) {
        clickTimer_->SetEnabled(false);
        clickTimer_->SetEnabled(true);
    }
}

void TUiEditListBox::KeyDown(uint16_t& key, TShiftState shift) {
    if (key == VK_ESCAPE) {
        HideEditor(false);
        key = 0;
        return;
    }
    if (key == VK_DELETE && allowDeleteByKbd_) {
        DeleteSelectedItems();
        key = 0;
        return;
    }
    if (key == VK_F2 && allowEdit_) {
        showOnNextClick_ = true;
        ShowEditor();
        key = 0;
        return;
    }
    TUiListBox::KeyDown(key, shift);
}

void TUiEditListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        justGotFocus_ = true;
        return TUiListBox::Dispatch(message);
    case WM_LBUTTONDOWN:
        LeftButtonDown();
        return TUiListBox::Dispatch(message);
    case WM_LBUTTONDBLCLK:
        TUiListBox::Dispatch(message);
        showOnNextClick_ = false;
        doubleClicked_ = true;
        return;
    default:
        TUiListBox::Dispatch(message);
    }
}
