#include "UiGroupItems.h"

#include "UiFrameController.h"
#include "UiUtils.h"
#include "cl_filer.h"

namespace {
constexpr int MaxColumns = 16;
constexpr int DefaultGlyphSize = 13;

int CaptionWidth(HDC dc, TControl* item) {
    const AnsiString text = RemovePrefixChars(item->Caption());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), text.Length(), &size);
    return size.cx;
}

// Sets a flag for the guard's lifetime.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }

private:
    bool& flag_;
};
}  // namespace

TUiCustomItemGroup::TUiCustomItemGroup(TComponent* owner)
    : TUiCustomGroupBox(owner),
      items_(new TStringList),
      itemFont_(new TFont),
      customGlyphs_(new TBitmap) {
    ControlStyle.erase(csReplicatable);
    SetBounds(0, 0, 185, 105);
    itemFont_->SetName("MS Sans Serif");
    itemFont_->SetSize(8);
    itemFont_->OnChange = [this](TObject*) { ItemFontChanged(); };
    items_->OnChange = [this](TObject*) {
        if (!reading_) ItemsChanged();
    };
    // The bitmap reports a change before its pixels are in place: the items get their copies
    // from SetCustomGlyphs, once the strip is whole.
    customGlyphs_->OnChange = [this](TObject*) {
        TakeGlyphSize(!customGlyphs_->Empty());
        Invalidate();
    };
}

void TUiCustomItemGroup::BeforeDestruction() {
    items_->OnChange = nullptr;
    itemFont_->OnChange = nullptr;
    customGlyphs_->OnChange = nullptr;
    TUiCustomGroupBox::BeforeDestruction();
    delete items_;
    items_ = nullptr;
    delete itemFont_;
    itemFont_ = nullptr;
    customGlyphs_->Free();
    customGlyphs_ = nullptr;
}

void TUiCustomItemGroup::SetColumns(int columns) {
    columns = Max(1, Min(columns, MaxColumns));
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeItems();
    Invalidate();
}

void TUiCustomItemGroup::SetCustomGlyphs(TBitmap* glyphs) {
    customGlyphs_->Assign(glyphs);
    ArrangeItems();
}

void TUiCustomItemGroup::SetUseCustomGlyphs(bool value) {
    TakeGlyphSize(value);
    ArrangeItems();
}

void TUiCustomItemGroup::TakeGlyphSize(bool useCustomGlyphs) {
    look_.UseCustomGlyphs = useCustomGlyphs;
    glyphWidth_ = useCustomGlyphs ? customGlyphs_->Width() / GlyphCells() : DefaultGlyphSize;
}

void TUiCustomItemGroup::ItemFontChanged() {
    if (!followingFont_) itemFontSet_ = true;
    ArrangeItems();
}

// The items follow Font until their own font is set.
void TUiCustomItemGroup::FontChanged() {
    if (!itemFontSet_) {
        TFlagGuard guard(followingFont_);
        itemFont_->Assign(Font());
    }
    Invalidate();
}

bool TUiCustomItemGroup::GetItemEnabled(int index) const { return Item(index)->Enabled(); }

void TUiCustomItemGroup::SetItemEnabled(int index, bool value) {
    Item(index)->SetEnabled(value && Enabled());
    itemEnabled_.at(index) = value;
}

// After the panel's handling, each item shows its own setting again.
void TUiCustomItemGroup::EnabledChanged() {
    Invalidate();
    for (int i = 0; i < ItemCount(); ++i) Item(i)->SetEnabled(Enabled() && itemEnabled_[i]);
}

void TUiCustomItemGroup::SetTransparent(bool value) {
    TUiCustomGroupBox::SetTransparent(value);
    ArrangeItems();
}

void TUiCustomItemGroup::SetGroupBoxStyle(TUiGroupBoxStyle style) {
    TUiCustomGroupBox::SetGroupBoxStyle(style);
    ArrangeItems();
    Invalidate();
}

void TUiCustomItemGroup::ItemsChanged() { UpdateItems(); }

void TUiCustomItemGroup::UpdateItems() {
    SetItemCount(items_->Count());
    for (int i = 0; i < ItemCount(); ++i) Item(i)->SetCaption(items_->Get(i));
    MarkItems();
    ArrangeItems();
    Invalidate();
}

void TUiCustomItemGroup::SetItemCount(int count) {
    while (ItemCount() > count) buttons_.back()->Free();
    while (ItemCount() < count) {
        TUiCustomGlyphButton* item = CreateItem();
        item->SetVisible(false);
        item->SetEnabled(Enabled());
        item->SetParentShowHint(false);
        item->SetParentFont(false);
        item->SetParent(this);
        buttons_.push_back(item);
        itemEnabled_.push_back(true);
    }
}

// Freed items leave the group's list.
void TUiCustomItemGroup::Notification(TComponent* component, TOperation operation) {
    TUiCustomGroupBox::Notification(component, operation);
    const int index = operation == opRemove ? IndexOfItem(component) : -1;
    if (index < 0) return;
    buttons_.erase(buttons_.begin() + index);
    itemEnabled_.erase(itemEnabled_.begin() + index);
}

int TUiCustomItemGroup::IndexOfItem(TObject* item) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (buttons_[i] == item) return i;
    return -1;
}

std::vector<int> TUiCustomItemGroup::ColumnWidths(int columns, int rows) {
    if (spaceEvenly_)
        return std::vector<int>(columns,
                                (Width() - startXPos_ - 2 * BorderWidth() - 10) / columns);
    std::vector<int> widths(columns, 0);
    ScreenDC screen;
    HGDIOBJ previous = SelectObject(screen, itemFont_->Handle());
    for (int i = 0; i < ItemCount(); ++i) {
        int& width = widths[i / rows];
        width = Max(width, CaptionWidth(screen, Item(i)) + glyphWidth_ + 12);
    }
    SelectObject(screen, previous);
    return widths;
}

void TUiCustomItemGroup::ArrangeItems() {
    if (buttons_.empty() || reading_ || !itemFont_) return;
    const int rows = (ItemCount() + columns_ - 1) / columns_;
    const std::vector<int> widths = ColumnWidths(columns_, rows);
    TRect area = ClientRect();
    AdjustClientRect(area);
    const int top = area.Top + startYPos_;
    for (int i = 0; i < ItemCount(); ++i) {
        const int column = i / rows, row = i % rows;
        int x = 0;
        for (int c = 0; c < column; ++c) x += widths[c];
        const int width = spaceEvenly_ ? widths[column] : widths[column] - 4;
        TUiCustomGlyphButton* item = Item(i);
        item->SetBounds(x + startXPos_, row * (itemHeight_ + verticalSpacing_) + top, width,
                        itemHeight_);
        item->SetVisible(true);
        ApplyLook(item);
    }
}

void TUiCustomItemGroup::ApplyLook(TUiCustomGlyphButton* item) {
    item->SetFont(itemFont_);
    item->SetTextHighlightColor(look_.TextHighlightColor);
    item->SetTextShadowColor(look_.TextShadowColor);
    item->SetTextShadowDepth(look_.TextShadowDepth);
    item->SetLightTextStyle(look_.LightTextStyle);
    item->SetTextStyle(look_.TextStyle);
    item->SetTransparent(Transparent());
    item->SetWinMaskColor(look_.WinMaskColor);
    item->SetTransparentColor(look_.TransparentColor);
    if (!customGlyphs_->Empty() || !item->CustomGlyphs()->Empty())
        item->SetCustomGlyphs(customGlyphs_);
    item->SetUseCustomGlyphs(look_.UseCustomGlyphs);
    item->SetFrameColor(look_.FrameColor);
    item->SetHotTrack(look_.HotTrack);
    item->SetHighlightColor(look_.HighlightColor);
    item->SetHotTrackColor(look_.HotTrackColor);
    item->SetHotTrackColorType(look_.HotTrackColorType);
}

void TUiCustomItemGroup::DefineProperties(TFiler* filer) {
    TUiCustomGroupBox::DefineProperties(filer);
    filer->DefineProperty(
        "Items.Strings",
        [this](TReader* reader) {
            items_->Clear();
            reader->ReadListBegin();
            while (!reader->EndOfList()) items_->Add(reader->ReadString());
            reader->ReadListEnd();
        },
        [this](TWriter* writer) {
            writer->WriteListBegin();
            for (int i = 0; i < items_->Count(); ++i) writer->WriteString(items_->Get(i));
            writer->WriteListEnd();
        },
        items_->Count() > 0);
}

void TUiCustomItemGroup::ReadState(TReader* reader) {
    {
        TFlagGuard guard(reading_);
        TUiCustomGroupBox::ReadState(reader);
    }
    UpdateItems();
}

void TUiCustomItemGroup::ChangeScale(int multiplier, int divider) {
    TUiCustomGroupBox::ChangeScale(multiplier, divider);
    if (itemFontSet_) itemFont_->SetHeight(MulDiv(itemFont_->Height(), multiplier, divider));
    verticalSpacing_ = MulDiv(verticalSpacing_, multiplier, divider);
    itemHeight_ = MulDiv(itemHeight_, multiplier, divider);
    startYPos_ = MulDiv(startYPos_, multiplier, divider);
    ArrangeItems();
}

void TUiCustomItemGroup::CustomFramingChanged() {
    TUiFrameController* controller = FrameController();
    if (!controller || !controller->FrameVisible()) return;
    TUiCustomGroupBox::CustomFramingChanged();
    SetItemFrameColor(controller->FrameColor());
    for (TUiCustomGlyphButton* item : buttons_) item->SetDisabledColor(controller->DisabledColor());
}

void TUiCustomItemGroup::KeyPress(char& key) {
    if (!tabOnEnter_ || key != '\r') return TUiCustomGroupBox::KeyPress(key);
    key = 0;
    if (HandleAllocated()) PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
}

TUiCustomGlyphButton* TUiCustomItemGroup::AcceleratorTarget() {
    for (TUiCustomGlyphButton* item : buttons_)
        if (item->CanFocus()) return item;
    return nullptr;
}

void TUiCustomItemGroup::Dispatch(TMessage& message) {
    if (message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<uint16_t>(message.WParam), Caption()) &&
        CanFocus()) {
        if (TUiCustomGlyphButton* target = AcceleratorTarget()) {
            target->SetFocus();
            message.Result = 1;
            return;
        }
    }
    TUiCustomGroupBox::Dispatch(message);
    switch (message.Msg) {
    case CM_ENABLEDCHANGED:
        return EnabledChanged();
    case CM_FONTCHANGED:
        return FontChanged();
    case CM_TEXTCHANGED:
    case WM_SIZE:
        return ArrangeItems();
    default:
        return;
    }
}

// ---------------------------------------------------------------------------------------------
namespace {

TPropertyInfo StartPosProperty(const char* name, int which, int def) {
    using C = TUiCustomItemGroup;
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkInteger;
    info.GetOrd = [which](TObject* o) {
        return which == 1 ? static_cast<C*>(o)->StartXPos() : static_cast<C*>(o)->StartYPos();
    };
    info.SetOrd = [which](TObject* o, int v) { static_cast<C*>(o)->SetStartPos(which, v); };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}

const bool itemGroupPropertiesRegistered = [] {
    using C = TUiCustomItemGroup;
    const TMetaClass* meta = C::StaticClass();
    const struct {
        const char* name;
        int (C::*get)() const;
        void (C::*set)(int);
        int def;
    } numbers[] = {{"Columns", &C::Columns, &C::SetColumns, 1},
                   {"ItemHeight", &C::ItemHeight, &C::SetItemHeight, 17},
                   {"VerticalSpacing", &C::VerticalSpacing, &C::SetVerticalSpacing, 3},
                   {"TextShadowDepth", &C::TextShadowDepth, &C::SetTextShadowDepth, 2}};
    for (const auto& p : numbers)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkInteger, p.get, p.set, p.def));
    RegisterProperty(meta, StartPosProperty("StartXPos", 1, 8));
    RegisterProperty(meta, StartPosProperty("StartYPos", 2, 2));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
    } flags[] = {{"SpaceEvenly", &C::SpaceEvenly, &C::SetSpaceEvenly},
                 {"ItemHotTrack", &C::ItemHotTrack, &C::SetItemHotTrack},
                 {"UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs},
                 {"LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle},
                 {"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, 0));
    const struct {
        const char* name;
        TColor (C::*get)() const;
        void (C::*set)(TColor);
        TColor def;
    } colors[] = {{"ItemFrameColor", &C::ItemFrameColor, &C::SetItemFrameColor, clBtnShadow},
                  {"ItemHighlightColor", &C::ItemHighlightColor, &C::SetItemHighlightColor,
                   clHighlight},
                  {"ItemHotTrackColor", &C::ItemHotTrackColor, &C::SetItemHotTrackColor, 0x149BF0},
                  {"TransparentColor", &C::TransparentColor, &C::SetTransparentColor, clOlive},
                  {"WinMaskColor", &C::WinMaskColor, &C::SetWinMaskColor, clTeal},
                  {"TextHighlightColor", &C::TextHighlightColor, &C::SetTextHighlightColor,
                   clBtnHighlight},
                  {"TextShadowColor", &C::TextShadowColor, &C::SetTextShadowColor, clBtnShadow}};
    for (const auto& p : colors)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkColor, p.get, p.set, p.def));
    RegisterProperty(meta, EnumProperty<C>("ItemHotTrackColorType", &C::ItemHotTrackColorType,
                                           &C::SetItemHotTrackColorType,
                                           {"htctComplement", "htctActual"}, htctActual));
    RegisterProperty(meta, EnumProperty<C>("TextStyle", &C::TextStyle, &C::SetTextStyle,
                                           {"tsNormal", "tsRaised", "tsRecessed", "tsShadow"},
                                           tsNormal));
    TPropertyInfo itemFont = SubObjectProperty<C>("ItemFont", &C::ItemFont);
    itemFont.IsStored = [](TObject* o) { return static_cast<C*>(o)->ItemFontSetOnItsOwn(); };
    RegisterProperty(meta, itemFont);
    RegisterProperty(meta, SubObjectProperty<C>("CustomGlyphs", &C::CustomGlyphs));
    return true;
}();

}  // namespace
