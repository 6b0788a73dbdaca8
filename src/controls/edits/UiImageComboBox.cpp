#include "UiImageComboBox.h"

#include <algorithm>

#include "UiUtils.h"
#include "cl_forms.h"

void TUiImageComboBoxItem::Changed() {
    if (owner_) owner_->Invalidate();
}

void TUiImageComboBoxItem::SetCaption(const AnsiString& value) {
    caption_ = value;
    Changed();
}

void TUiImageComboBoxItem::SetImageIndex(int value) {
    imageIndex_ = value;
    Changed();
}

void TUiImageComboBoxItem::SetOverlayIndex(int value) {
    overlayIndex_ = value;
    Changed();
}

void TUiImageComboBoxItem::SetIndentLevel(int value) {
    indentLevel_ = value;
    Changed();
}

TUiCustomImageComboBox::TUiCustomImageComboBox(TComponent* owner) : TUiCustomComboBox(owner) {
    drawFocusBorder_ = false;
    SetStyle(csOwnerDrawFixed);
}

void TUiCustomImageComboBox::BeforeDestruction() {
    SetImages(nullptr);
    TUiCustomComboBox::BeforeDestruction();
    for (TUiImageComboBoxItem* item : owned_) TObject::Free(item);
    owned_.clear();
}

void TUiCustomImageComboBox::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    Invalidate();
    if (!value) return;
    value->FreeNotification(this);
    if (!InState(csLoading)) AdjustItemHeight(Font()->Handle());
}

void TUiCustomImageComboBox::SetItemIndent(int value) {
    if (value == itemIndent_) return;
    itemIndent_ = value;
    Invalidate();
}

void TUiCustomImageComboBox::Notification(TComponent* component, TOperation operation) {
    TUiCustomComboBox::Notification(component, operation);
    if (operation == opRemove && component == images_) images_ = nullptr;
}

TUiImageComboBoxItem* TUiCustomImageComboBox::AddItem(const AnsiString& caption, int imageIndex,
                                                      int indentLevel) {
    auto* item = new TUiImageComboBoxItem(this);
    owned_.push_back(item);
    item->caption_ = caption;
    item->imageIndex_ = imageIndex;
    item->indentLevel_ = indentLevel;
    item->index_ = Items()->AddObject(RunningUnder(WinNT) ? AnsiString() : caption, item);
    return item;
}

TUiImageComboBoxItem* TUiCustomImageComboBox::GetImageComboBoxItem(int index) {
    return CheckedCast<TUiImageComboBoxItem>(Items()->Objects(index));
}

TUiImageComboBoxItem* TUiCustomImageComboBox::ItemAt(int index) {
    return dynamic_cast<TUiImageComboBoxItem*>(Items()->Objects(index));
}

void TUiCustomImageComboBox::Delete(int index) {
    deleting_ = true;
    try {
        Items()->Delete(index);
    } catch (...) {
        deleting_ = false;
        throw;
    }
    deleting_ = false;
}

int TUiCustomImageComboBox::IndexOf(const AnsiString& caption) {
    for (int i = 0; i < Items()->Count(); ++i) {
        TUiImageComboBoxItem* item = ItemAt(i);
        if (AnsiCompareText(item ? item->Caption() : AnsiString(), caption) == 0) return i;
    }
    return -1;
}

int TUiCustomImageComboBox::IndexOfItem(TUiImageComboBoxItem* item) {
    return Items()->IndexOfObject(item);
}

int TUiCustomImageComboBox::IndexOfData(void* data) {
    for (int i = 0; i < Items()->Count(); ++i) {
        TUiImageComboBoxItem* item = ItemAt(i);
        if (item && item->Data() == data) return i;
    }
    return -1;
}

void TUiCustomImageComboBox::FreeItem(TUiImageComboBoxItem* item) {
    auto found = std::find(owned_.begin(), owned_.end(), item);
    if (found == owned_.end()) return;
    owned_.erase(found);
    TObject::Free(item);
}

void TUiCustomImageComboBox::DeleteItem(int, void* data) {
    auto* item = dynamic_cast<TUiImageComboBoxItem*>(static_cast<TObject*>(data));
    if (!item) return;
    if (OnDeleteItem) OnDeleteItem(this, item);
    if (deleting_ || InState(csDestroying)) FreeItem(item);
}

void TUiCustomImageComboBox::AdjustItemHeight(HFONT font) {
    if (!autoSizeHeight_) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metric{};
    GetTextMetricsA(dc, &metric);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int height = std::abs(static_cast<int>(metric.tmHeight)) + 4;
    if (images_) height = Max(height, images_->Height());
    if (height != ItemHeight()) SetItemHeight(height);
}

void TUiCustomImageComboBox::CreateParams(TCreateParams& params) {
    TUiCustomComboBox::CreateParams(params);
    if (RunningUnder(WinNT)) params.Style &= ~CBS_HASSTRINGS;
}

void TUiCustomImageComboBox::CreateWnd() {
    // The rows take their height before the window exists: no re-creation from inside it.
    AdjustItemHeight(Font()->Handle());
    TUiCustomComboBox::CreateWnd();
    SendMessageA(WindowHandle(), CB_SETEXTENDEDUI, TRUE, 0);
}

void TUiCustomImageComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    if (OnDrawItem) return OnDrawItem(this, index, rect, state);
    // Rows holding another object than an item are left as they are.
    if (TUiImageComboBoxItem* item = ItemAt(index)) DrawRow(item, rect, state);
}

void TUiCustomImageComboBox::DrawRow(TUiImageComboBoxItem* item, TRect rect,
                                     const TOwnerDrawState& state) {
    TCanvas* canvas = Canvas();
    GetItemData(item);
    const int indent = state.count(odComboBoxEdit) ? 0 : itemIndent_ * item->IndentLevel();
    const TColor rowBrush = canvas->Brush()->Color();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    if (images_) {
        const TColor background = images_->BkColor();
        images_->SetBkColor(Color());
        const int x = rect.Left + 2 + indent;
        const int y = (rect.Top + rect.Bottom - images_->Height()) / 2;
        if (item->OverlayIndex() < 0)
            images_->Draw(canvas, x, y, item->ImageIndex(), Enabled());
        else
            images_->DrawOverlay(canvas, x, y, item->ImageIndex(), item->OverlayIndex(),
                                 Enabled());
        images_->SetBkColor(background);
    }
    canvas->Brush()->SetColor(state.count(odSelected) ? clHighlight : rowBrush);
    if (item->Caption().IsEmpty()) return;
    const int left = rect.Left + indent + (images_ ? images_->Width() + 5 : 5);
    const TRect text(left, rect.Top, left + canvas->TextWidth(item->Caption()) + 3,
                     rect.Bottom - 1);
    if (!Enabled()) canvas->Font()->SetColor(clBtnShadow);
    canvas->TextRect(text, text.Left + 1, text.Top + 1, item->Caption());
}

void TUiCustomImageComboBox::EraseBackground(TMessage& message) {
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    HBRUSH brush = CreateSolidBrush(ColorToRGB(form ? form->Color() : clWindow));
    RECT r;
    ::GetClientRect(WindowHandle(), &r);
    FillRect(reinterpret_cast<HDC>(message.WParam), &r, brush);
    DeleteObject(brush);
    message.Result = 1;
}

void TUiCustomImageComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        return EraseBackground(message);
    case CM_FONTCHANGED:
        TUiCustomComboBox::Dispatch(message);
        return AdjustItemHeight(Font()->Handle());
    default:
        TUiCustomComboBox::Dispatch(message);
    }
}
