#include "UiFontListBox.h"

namespace {

const bool fontListPropertiesRegistered = [] {
    using C = TUiFontListBox;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("FontDevice", &C::FontDevice, &C::SetFontDevice,
                                           {"fdScreen", "fdPrinter"}, fdScreen));
    RegisterProperty(meta, EnumProperty<C>("FontType", &C::FontType, &C::SetFontType,
                                           {"ftAll", "ftTrueType", "ftFixedPitch", "ftPrinter"},
                                           ftAll));
    RegisterProperty(meta, OrdinalProperty<C>("ShowSymbolFonts", pkBool, &C::ShowSymbolFonts,
                                              &C::SetShowSymbolFonts, true));
    RegisterProperty(meta, EnumProperty<C>("ShowStyle", &C::ShowStyle, &C::SetShowStyle,
                                           {"ssFontName", "ssFontSample", "ssFontNameAndSample",
                                            "ssFontPreview"},
                                           ssFontName));
    RegisterProperty(meta, StringProperty<C>("FontName", &C::GetFontName, &C::SetFontName));
    RegisterProperty(meta, OrdinalProperty<C>("FontSize", pkInteger, &C::FontSize,
                                              &C::SetFontSize, 8));
    RegisterProperty(meta, SetProperty<C, TFontStyle>(
                               "FontStyle", &C::FontStyle, &C::SetFontStyle,
                               {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
    RegisterProperty(meta, OrdinalProperty<C>("MaintainMRUFonts", pkBool, &C::MaintainMRUFonts,
                                              &C::SetMaintainMRUFonts, false));
    RegisterProperty(meta, ComponentProperty<C, TCustomEdit>("PreviewEdit", &C::PreviewEdit,
                                                             &C::SetPreviewEdit));
    RegisterProperty(meta, StringProperty<C>("PreviewText", &C::PreviewText, &C::SetPreviewText));
    RegisterProperty(meta, OrdinalProperty<C>("PreviewFontSize", pkInteger,
                                              &C::GetPreviewFontSize, &C::SetPreviewFontSize, 36));
    RegisterProperty(meta, OrdinalProperty<C>("PreviewHeight", pkInteger, &C::GetPreviewHeight,
                                              &C::SetPreviewHeight, 65));
    RegisterProperty(meta, OrdinalProperty<C>("PreviewWidth", pkInteger, &C::GetPreviewWidth,
                                              &C::SetPreviewWidth, 260));
    return true;
}();

}  // namespace

TUiFontListBox::TUiFontListBox(TComponent* owner)
    : TUiCustomListBox(owner), selectedFont_(new TFont), previewPanel_(nullptr) {
    SetStyle(lbOwnerDrawFixed);
    SetSorted(true);
    LoadBitmaps();
    previewPanel_ = new TUiPreviewFontPanel(this);
}

void TUiFontListBox::BeforeDestruction() {
    TUiCustomListBox::BeforeDestruction();
    delete selectedFont_;
    selectedFont_ = nullptr;
}

void TUiFontListBox::SetFontDevice(TUiFontDevice value) {
    if (value == fontDevice_) return;
    fontDevice_ = value;
    RecreateWnd();
}

void TUiFontListBox::SetFontType(TUiFontType value) {
    if (value == fontType_) return;
    fontType_ = value;
    RecreateWnd();
}

void TUiFontListBox::SetShowSymbolFonts(bool value) {
    if (value == showSymbolFonts_) return;
    showSymbolFonts_ = value;
    RecreateWnd();
}

void TUiFontListBox::SetShowStyle(TUiShowStyle value) {
    if (value == showStyle_) return;
    showStyle_ = value;
    Invalidate();
}

AnsiString TUiFontListBox::GetFontName() {
    if (!HandleAllocated()) return keptFontName_;
    const int index = ItemIndex();
    return index >= 0 ? Items()->Get(index) : AnsiString();
}

void TUiFontListBox::SetFontName(const AnsiString& value) {
    if (!HandleAllocated()) {
        keptFontName_ = value;
        return;
    }
    SetItemIndex(value.IsEmpty() ? -1 : Items()->IndexOf(value));
}

void TUiFontListBox::SetPreviewEdit(TCustomEdit* value) {
    if (value == previewEdit_) return;
    if (previewEdit_) previewEdit_->RemoveFreeNotification(this);
    previewEdit_ = value;
    if (value) value->FreeNotification(this);
}

int TUiFontListBox::GetPreviewFontSize() { return previewPanel_->Font()->Size(); }
void TUiFontListBox::SetPreviewFontSize(int value) { previewPanel_->Font()->SetSize(value); }
int TUiFontListBox::GetPreviewHeight() { return previewPanel_->Height(); }
void TUiFontListBox::SetPreviewHeight(int value) { previewPanel_->SetHeight(value); }
int TUiFontListBox::GetPreviewWidth() { return previewPanel_->Width(); }
void TUiFontListBox::SetPreviewWidth(int value) { previewPanel_->SetWidth(value); }

TFont* TUiFontListBox::GetSelectedFont() {
    const AnsiString name = GetFontName();
    if (name.IsEmpty()) return nullptr;
    selectedFont_->SetName(name);
    selectedFont_->SetSize(fontSize_);
    selectedFont_->SetStyle(fontStyle_);
    return selectedFont_;
}

void TUiFontListBox::SetSelectedFont(TFont* font) {
    SetFontName(font ? font->Name() : AnsiString());
}

void TUiFontListBox::AddFontToMRUList() {
    const int index = AddToMRUFonts(Items(), ItemIndex(), mruCount_);
    if (index >= 0) SetItemIndex(index);
}

void TUiFontListBox::LoadFonts() {
    LoadFontFamilies(Items(), fontDevice_, fontType_, showSymbolFonts_);
}

void TUiFontListBox::UpdatePreviewText() {
    previewPanel_->UpdatePreviewText(previewEdit_, previewText_, GetPreviewWidth());
}

void TUiFontListBox::ShowPreviewPanel() {
    if (Items()->Count() == 0) return;
    previewPanel_->ShowBeside(Width());
}

void TUiFontListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
    const AnsiString name = Items()->Get(index);
    TUiFontRowPaint row{ItemCanvas(),
                        this,
                        rect,
                        name,
                        bitmaps_.For(RowPitchAndFamily(Items(), index), fontDevice_),
                        showStyle_,
                        false,
                        maintainMRUFonts_ && index == mruCount_};
    DrawFontRow(row);
    if (showStyle_ == ssFontPreview && state.count(odFocused)) {
        previewPanel_->Font()->SetName(name);
        UpdatePreviewText();
    }
}

void TUiFontListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (showStyle_ == ssFontPreview) UpdatePreviewText();
    TUiCustomListBox::MouseDown(button, shift, x, y);
    if (showStyle_ == ssFontPreview) ShowPreviewPanel();
}

void TUiFontListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomListBox::MouseUp(button, shift, x, y);
    if (showStyle_ == ssFontPreview) HidePreviewPanel();
}

void TUiFontListBox::Notification(TComponent* component, TOperation operation) {
    TUiCustomListBox::Notification(component, operation);
    if (operation == opRemove && component == previewEdit_) previewEdit_ = nullptr;
}

void TUiFontListBox::CreateWnd() {
    TUiCustomListBox::CreateWnd();
    LoadFonts();
    mruCount_ = RestoreMRUFonts(Items(), keptMRUFonts_);
    keptMRUFonts_.clear();
    SetFontName(keptFontName_);
}

void TUiFontListBox::DestroyWnd() {
    keptFontName_ = GetFontName();
    keptMRUFonts_ = MRUFontNames(Items(), mruCount_);
    TUiCustomListBox::DestroyWnd();
}

void TUiFontListBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_CANCELMODE:
        TUiCustomListBox::Dispatch(message);
        if (showStyle_ == ssFontPreview && message.Control() != this) HidePreviewPanel();
        return;
    case CM_HIDEPREVIEWPANEL:
        return HidePreviewPanel();
    case CM_FONTCHANGED:
        TUiCustomListBox::Dispatch(message);
        if (HandleAllocated()) RecreateWnd();
        return;
    default:
        TUiCustomListBox::Dispatch(message);
    }
}
