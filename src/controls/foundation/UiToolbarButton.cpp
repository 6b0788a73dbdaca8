#include "UiToolbarButton.h"

#include "UiUtils.h"
#include "cl_actions.h"
#include "cl_filer.h"
#include "cl_imagelist.h"
#include "cl_menus.h"

namespace {

const bool toolbarButtonPropertiesRegistered = [] {
    using C = TUiToolbarButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, StringProperty<C>("Caption", &C::GetCaption, &C::SetCaption));
    RegisterProperty(meta, SubObjectProperty<C>("HotGlyph", &C::HotGlyph));
    RegisterProperty(meta, SubrangeProperty<TIntSubrange<1, 4>, C>(
                               "HotNumGlyphs", &C::HotNumGlyphs, &C::SetHotNumGlyphs, 1));
    RegisterProperty(meta, OrdinalProperty<C>("UseHotGlyph", pkBool, &C::UseHotGlyph,
                                              &C::SetUseHotGlyph, 0));
    RegisterProperty(meta, OrdinalProperty<C>("IgnoreActionCaption", pkBool,
                                              &C::IgnoreActionCaption,
                                              &C::SetIgnoreActionCaption, 0));
    RegisterProperty(meta, OrdinalProperty<C>("ShowCaption", pkBool, &C::ShowCaption,
                                              &C::SetShowCaption, 1));
    RegisterProperty(meta, OrdinalProperty<C>("Flat", pkBool, &C::Flat, &C::SetFlat, 1));
    using M = TUiMenuToolbarButton;
    meta = M::StaticClass();
    RegisterProperty(meta, ComponentProperty<M, TPopupMenu>("DropDownMenu", &M::DropDownMenu,
                                                            &M::SetDropDownMenu));
    RegisterProperty(meta, OrdinalProperty<M>("ShowArrow", pkBool, &M::ShowArrow,
                                              &M::SetShowArrow, 1));
    RegisterProperty(meta, OrdinalProperty<M>("Margin", pkInteger, &M::Margin, &M::SetMargin, 2));
    return true;
}();

}  // namespace

bool TUiToolbarButtonActionLink::IsCaptionLinked() const {
    auto* button = dynamic_cast<TUiToolbarButton*>(Client());
    if (button && button->IgnoreActionCaption()) return false;
    return TSpeedButtonActionLink::IsCaptionLinked();
}

// ---------------------------------------------------------------------------------------------
TUiToolbarButton::TUiToolbarButton(TComponent* owner)
    : TSpeedButton(owner), hotGlyph_(new TBitmap()), standardGlyph_(new TBitmap()) {
    SetFlat(true);
    hotGlyph_->OnChange = [this](TObject* sender) { HotGlyphChanged(sender); };
}

void TUiToolbarButton::DefineProperties(TFiler* filer) {
    TSpeedButton::DefineProperties(filer);
    filer->DefineProperty("SaveCaption", [this](TReader* reader) {
        saveCaption_ = reader->ReadString();
    }, [this](TWriter* writer) { writer->WriteString(saveCaption_); }, !showCaption_);
}

TUiToolbarButton::~TUiToolbarButton() {
    standardGlyph_->Free();
    hotGlyph_->Free();
}

void TUiToolbarButton::SetHotGlyph(TBitmap* value) {
    hotGlyph_->Assign(value);
    useHotGlyph_ = true;
}

void TUiToolbarButton::HotGlyphChanged(TObject*) {
    const int w = hotGlyph_->Width(), h = hotGlyph_->Height();
    if (h > 0 && w % h == 0) hotNumGlyphs_ = w / h >= 5 ? 1 : std::max(1, w / h);
    Invalidate();
}

void TUiToolbarButton::SetHotNumGlyphs(int value) {
    hotNumGlyphs_ = std::max(1, std::min(4, value));
    Invalidate();
}

void TUiToolbarButton::SetCaption(const AnsiString& value) {
    if (showCaption_) {
        SetText(value);
    } else {
        saveCaption_ = value;
        SetText("");
    }
}

void TUiToolbarButton::SetShowCaption(bool value) {
    if (value == showCaption_) return;
    if (!value) saveCaption_ = Caption();
    showCaption_ = value;
    SetText(value ? saveCaption_ : AnsiString());
    Invalidate();
}

void TUiToolbarButton::MouseEnterLeave(TMessage& message, bool inside) {
    if (inside) mouseInControl_ = true;
    TSpeedButton::Dispatch(message);
    const TNotifyEvent& handler = inside ? OnMouseEnter : OnMouseLeave;
    if (handler) handler(this);
    if (!inside) mouseInControl_ = false;
    if (inside) {
        if (!useHotGlyph_ || !Enabled()) return;
        if (hotGlyphActive_) {
            hotGlyphActive_ = false;
        } else {
            standardGlyph_->Assign(Glyph());
            standardNumGlyphs_ = NumGlyphs();
            SetGlyph(hotGlyph_);
            SetNumGlyphs(hotNumGlyphs_);
            hotGlyphActive_ = true;
        }
    } else {
        if (standardNumGlyphs_ > 0) {
            SetGlyph(standardGlyph_);
            SetNumGlyphs(standardNumGlyphs_);
            standardNumGlyphs_ = 0;
        }
        hotGlyphActive_ = false;
    }
    Repaint();
}

void TUiToolbarButton::DialogChar(TMessage& message) {
    const bool accel = IsAccel(static_cast<uint16_t>(message.WParam), Caption());
    if (!accel || !Enabled() || !Visible() || !Parent() || !Parent()->Showing()) {
        TSpeedButton::Dispatch(message);
        return;
    }
    if (GroupIndex() > 0) {
        SetDown(!Down());
        if (Down()) Repaint();
    }
    Click();
    message.Result = 1;
}

void TUiToolbarButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        return MouseEnterLeave(message, true);
    case CM_MOUSELEAVE:
        return MouseEnterLeave(message, false);
    case CM_DIALOGCHAR:
        return DialogChar(message);
    case CM_BUTTONPRESSED:
        // Tool buttons broadcast the same message; only a speed button is read as one.
        if (!dynamic_cast<TSpeedButton*>(message.Control())) return;
        return TSpeedButton::Dispatch(message);
    default:
        TSpeedButton::Dispatch(message);
    }
}

void TUiToolbarButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TSpeedButton::MouseDown(button, shift, x, y);
    if (useHotGlyph_) hotGlyphActive_ = true;
}

void TUiToolbarButton::ActionChange(TObject* sender, bool checkDefaults) {
    const AnsiString caption = Caption();
    TSpeedButton::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    TCustomImageList* images = action->ActionList() ? action->ActionList()->Images() : nullptr;
    const int index = action->ImageIndex();
    if (images && index >= 0 && index < images->Count()) {
        TBitmap glyph;
        glyph.SetSize(images->Width(), images->Height());
        glyph.Canvas()->Brush()->SetColor(clFuchsia);
        glyph.Canvas()->FillRect(TRect(0, 0, images->Width(), images->Height()));
        images->Draw(glyph.Canvas(), 0, 0, index);
        SetGlyph(&glyph);
    }
    if (ignoreActionCaption_) SetText(caption);
    if (!checkDefaults || !Down()) SetDown(action->Checked());
}

TControlActionLinkClass TUiToolbarButton::GetActionLinkClass() {
    return [](TControl* client) -> TControlActionLinkBase* {
        return new TUiToolbarButtonActionLink(static_cast<TSpeedButton*>(client));
    };
}

// ---------------------------------------------------------------------------------------------
TUiMenuToolbarButton::TUiMenuToolbarButton(TComponent* owner) : TUiToolbarButton(owner) {
    ControlStyle.erase(csDoubleClicks);
    SetMargin(2);
    SetWidth(40);
}

void TUiMenuToolbarButton::SetDropDownMenu(TPopupMenu* value) {
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TUiMenuToolbarButton::SetShowArrow(bool value) {
    if (value == showArrow_) return;
    showArrow_ = value;
    Invalidate();
}

void TUiMenuToolbarButton::Notification(TComponent* component, TOperation operation) {
    TUiToolbarButton::Notification(component, operation);
    if (operation == opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TUiMenuToolbarButton::DoDropDown() {
    if (!dropDownMenu_) return;
    if (OnDropDown) OnDropDown(dropDownMenu_);
    PopupMenuBelow(this, dropDownMenu_);
}

void TUiMenuToolbarButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiToolbarButton::MouseDown(button, shift, x, y);
    if (!dropDownMenu_ || shift != TShiftState{ssLeft} || (showArrow_ && x < Width() - 15))
        return;
    press_.Press([this] { DoDropDown(); });
    TSpeedButton::MouseUp(button, shift, x, y);
}

void TUiMenuToolbarButton::Click() {
    if (!press_.SkipsClick()) TUiToolbarButton::Click();
}

void TUiMenuToolbarButton::Paint() {
    TUiToolbarButton::Paint();
    if (!showArrow_) return;
    TCanvas* canvas = Canvas();
    const bool rtl = UseRightToLeftAlignment();
    const bool pressed = State() == bsDown;
    const int x = rtl ? 15 : Width() - 15;
    if ((MouseControl() == this && Enabled()) || !Flat()) {
        if (!pressed) {
            canvas->Pen()->SetColor(clBtnHighlight);
            canvas->MoveTo(x, 0);
            canvas->LineTo(x, Height());
        }
        canvas->Pen()->SetColor(clBtnShadow);
        const int shadowX = pressed ? x : x - 1;
        canvas->MoveTo(shadowX, 0);
        canvas->LineTo(shadowX, Height());
    }
    const int shift = pressed ? 1 : 0;
    const int ax = (rtl ? 8 : ClientWidth() - 8) + shift;
    const int ay = ClientHeight() / 2 + 2 + shift;
    DrawDropDownArrow(canvas, ax, ay, Enabled());
}
