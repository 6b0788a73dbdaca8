#include "UiFontComboBox.h"

namespace {

const bool fontComboPropertiesRegistered = [] {
    using C = TUiFontComboBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("FontDevice", &C::FontDevice, &C::SetFontDevice,
                                           {"fdScreen", "fdPrinter"}, fdScreen));
    RegisterProperty(meta, EnumProperty<C>("FontType", &C::FontType, &C::SetFontType,
                                           {"ftAll", "ftTrueType", "ftFixedPitch", "ftPrinter"},
                                           ftAll));
    RegisterProperty(meta, EnumProperty<C>("ShowStyle", &C::ShowStyle, &C::SetShowStyle,
                                           {"ssFontName", "ssFontSample", "ssFontNameAndSample",
                                            "ssFontPreview"},
                                           ssFontName));
    RegisterProperty(meta, OrdinalProperty<C>("ShowSymbolFonts", pkBool, &C::ShowSymbolFonts,
                                              &C::SetShowSymbolFonts, true));
    RegisterProperty(meta, OrdinalProperty<C>("MaintainMRUFonts", pkBool, &C::MaintainMRUFonts,
                                              &C::SetMaintainMRUFonts, true));
    RegisterProperty(meta, OrdinalProperty<C>("FontSize", pkInteger, &C::FontSize,
                                              &C::SetFontSize, 8));
    RegisterProperty(meta, StringProperty<C>("PreviewText", &C::PreviewText, &C::SetPreviewText));
    return true;
}();

}  // namespace

TUiFontComboBox::TUiFontComboBox(TComponent* owner)
    : TUiCustomComboBox(owner), font_(new TFont) {
    SetStyle(csOwnerDrawFixed);
    SetSorted(true);
    SetDropDownCount(14);
    LoadBitmaps();
    panel_ = new TUiPreviewFontPanel(this);
}

void TUiFontComboBox::BeforeDestruction() {
    SetPreviewEdit(nullptr);
    TUiCustomComboBox::BeforeDestruction();
    delete font_;
    font_ = nullptr;
}

void TUiFontComboBox::SetFontDevice(TUiFontDevice value) {
    if (value == fontDevice_) return;
    fontDevice_ = value;
    RecreateWnd();
}

void TUiFontComboBox::SetFontType(TUiFontType value) {
    if (value == fontType_) return;
    fontType_ = value;
    RecreateWnd();
}

void TUiFontComboBox::SetShowSymbolFonts(bool value) {
    if (value == showSymbolFonts_) return;
    showSymbolFonts_ = value;
    RecreateWnd();
}

void TUiFontComboBox::SetShowStyle(TUiShowStyle value) {
    if (value == showStyle_) return;
    showStyle_ = value;
    Invalidate();
}

AnsiString TUiFontComboBox::GetFontName() {
    if (!HandleAllocated()) return keptName_;
    const int index = ItemIndex();
    return index < 0 ? AnsiString() : Items()->Get(index);
}

// The families are listed once the window exists; until then the name waits for it.
void TUiFontComboBox::SetFontName(const AnsiString& value) {
    if (!HandleAllocated()) {
        keptName_ = value;
        return;
    }
    SetItemIndex(IndexOf(value));
}

void TUiFontComboBox::SetPreviewEdit(TCustomEdit* value) {
    if (value == previewEdit_) return;
    if (previewEdit_) previewEdit_->RemoveFreeNotification(this);
    previewEdit_ = value;
    if (value) value->FreeNotification(this);
}

int TUiFontComboBox::GetPreviewFontSize() { return panel_->Font()->Size(); }
void TUiFontComboBox::SetPreviewFontSize(int value) { panel_->Font()->SetSize(value); }
int TUiFontComboBox::GetPreviewHeight() { return panel_->Height(); }
void TUiFontComboBox::SetPreviewHeight(int value) { panel_->SetHeight(value); }
int TUiFontComboBox::GetPreviewWidth() { return panel_->Width(); }
void TUiFontComboBox::SetPreviewWidth(int value) { panel_->SetWidth(value); }

TFont* TUiFontComboBox::GetSelectedFont() {
    if (ItemIndex() < 0) return nullptr;
    font_->SetName(FontName());
    font_->SetSize(fontSize_);
    font_->SetStyle(fontStyle_);
    return font_;
}

void TUiFontComboBox::SetSelectedFont(TFont* value) {
    SetFontName(value ? value->Name() : AnsiString());
}

void TUiFontComboBox::Notification(TComponent* component, TOperation operation) {
    TUiCustomComboBox::Notification(component, operation);
    if (operation == opRemove && component == previewEdit_) previewEdit_ = nullptr;
}

void TUiFontComboBox::LoadFonts() {
    LoadFontFamilies(Items(), fontDevice_, fontType_, showSymbolFonts_);
}

void TUiFontComboBox::CreateWnd() {
    TUiCustomComboBox::CreateWnd();
    LoadFonts();
    mruCount_ = RestoreMRUFonts(Items(), keptMRUFonts_);
    keptMRUFonts_.clear();
    if (!keptName_.IsEmpty()) SetFontName(keptName_);
}

void TUiFontComboBox::DestroyWnd() {
    keptName_ = FontName();
    keptMRUFonts_ = MRUFontNames(Items(), mruCount_);
    TUiCustomComboBox::DestroyWnd();
}

void TUiFontComboBox::DrawOwnerItem(TMessage& message) {
    RECT& r = message.DrawItemStruct()->rcItem;
    r.left += 24;
    r.right -= 1;
    TUiCustomComboBox::DrawOwnerItem(message);
}

void TUiFontComboBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    const bool edit = state.count(odComboBoxEdit) != 0;
    TUiFontRowPaint row{Canvas(),
                        this,
                        rect,
                        Items()->Get(index),
                        bitmaps_.For(RowPitchAndFamily(Items(), index), fontDevice_),
                        edit && showStyle_ == ssFontNameAndSample ? ssFontName : showStyle_,
                        true,
                        maintainMRUFonts_ && !edit && index == mruCount_};
    DrawFontRow(row);
    if (showStyle_ == ssFontPreview && state.count(odFocused)) {
        panel_->Font()->SetName(row.Name);
        UpdatePreviewText();
    }
}

void TUiFontComboBox::UpdatePreviewText() {
    panel_->UpdatePreviewText(previewEdit_, previewText_, GetPreviewWidth());
}

void TUiFontComboBox::ShowPreviewPanel() {
    if (Items()->Count() == 0) return;
    panel_->ShowBeside(DropDownWidth() != 0 ? DropDownWidth() : Width());
}

void TUiFontComboBox::DropDown() {
    UpdatePreviewText();
    TUiCustomComboBox::DropDown();
    if (showStyle_ == ssFontPreview) ShowPreviewPanel();
}

void TUiFontComboBox::CloseUp() {
    TUiCustomComboBox::CloseUp();
    if (showStyle_ == ssFontPreview) HidePreviewPanel();
    if (maintainMRUFonts_ && AddToMRUFonts(Items(), ItemIndex(), mruCount_) == 0)
        SetItemIndex(0);
}

void TUiFontComboBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_HIDEPREVIEWPANEL:
        return HidePreviewPanel();
    case CM_CANCELMODE:
        if (showStyle_ == ssFontPreview && message.LParam != reinterpret_cast<LPARAM>(this))
            HidePreviewPanel();
        return TUiCustomComboBox::Dispatch(message);
    case CM_FONTCHANGED:
        TUiCustomComboBox::Dispatch(message);
        return RecreateWnd();
    default:
        TUiCustomComboBox::Dispatch(message);
    }
}
