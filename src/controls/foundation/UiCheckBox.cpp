#include "UiCheckBox.h"

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "cl_filer.h"
#include "cl_forms.h"

namespace {

void SetColorField(TControl* control, TColor& field, TColor value) {
    if (value == field) return;
    field = value;
    control->Invalidate();
}

// Clears the flag on every way out.
class TClicksSuppressedGuard {
public:
    explicit TClicksSuppressedGuard(TUiCustomGlyphButton* button) : button_(button) {
        button_->SetClicksSuppressed(true);
    }
    ~TClicksSuppressedGuard() { button_->SetClicksSuppressed(false); }

private:
    TUiCustomGlyphButton* button_;
};

const bool glyphButtonPropertiesRegistered = [] {
    using C = TUiCustomGlyphButton;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, EnumProperty<C>("AlignmentVertical", &C::AlignmentVertical,
                                           &C::SetAlignmentVertical,
                                           {"avTop", "avCenter", "avBottom"}, avTop));
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           AlignmentIdents(), taRightJustify));
    TPropertyInfo checked = OrdinalProperty<C>("Checked", pkBool, &C::GetChecked,
                                               &C::SetChecked, 0);
    checked.IsStored = [](TObject* o) {
        return !ActionSupplies(static_cast<C*>(o), &TActionLink::IsCheckedLinked);
    };
    RegisterProperty(meta, checked);
    RegisterProperty(meta, SubObjectProperty<C>("CustomGlyphs", &C::CustomGlyphs));
    const struct {
        const char* name;
        TColor (C::*get)() const;
        void (C::*set)(TColor);
        TColor def;
    } colors[] = {{"FillColor", &C::FillColor, &C::SetFillColor, clWindow},
                  {"FocusColor", &C::FocusColor, &C::SetFocusColor, clWindow},
                  {"FrameColor", &C::FrameColor, &C::SetFrameColor, clBtnShadow},
                  {"DisabledColor", &C::DisabledColor, &C::SetDisabledColor, clBtnFace},
                  {"ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor, clInfoBk},
                  {"TransparentColor", &C::TransparentColor, &C::SetTransparentColor, 0x008080},
                  {"WinMaskColor", &C::WinMaskColor, &C::SetWinMaskColor, 0x00FF00}};
    for (const auto& p : colors)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkColor, p.get, p.set, p.def));
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
    } flags[] = {{"UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs},
                 {"ReadOnly", &C::ReadOnly, &C::SetReadOnly},
                 {"ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus},
                 {"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter},
                 {"Transparent", &C::Transparent, &C::SetTransparent}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, 0));
    RegisterProperty(meta, EnumProperty<C>("HotTrackStyle", &C::HotTrackStyle,
                                           &C::SetHotTrackStyle, {"htsInterior", "htsFrame"},
                                           htsInterior));
    RegisterProperty(meta, ComponentProperty<C, TUiFrameController>(
                               "FrameController", &C::FrameController, &C::SetFrameController));
    TPropertyInfo notifications;
    notifications.Name = "FrameControllerNotifications";
    notifications.Kind = pkSet;
    notifications.GetText = [](TObject* o) {
        return BitSetText(static_cast<C*>(o)->FrameControllerNotifications(),
                          FrameControllerPropertyNames());
    };
    notifications.SetText = [](TObject* o, const AnsiString& text) {
        static_cast<C*>(o)->SetFrameControllerNotifications(
            static_cast<TUiFrameControllerNotifications>(
                BitSetFromText(text, FrameControllerPropertyNames())));
    };
    notifications.DefaultText =
        BitSetText(AllFrameControllerNotifications, FrameControllerPropertyNames());
    RegisterProperty(meta, notifications);
    using B = TUiCustomCheckBox;
    RegisterProperty(B::StaticClass(), OrdinalProperty<B>("AllowGrayed", pkBool, &B::AllowGrayed,
                                                          &B::SetAllowGrayed, 0));
    RegisterProperty(B::StaticClass(), EnumProperty<B>("State", &B::State, &B::SetState,
                                                       {"cbUnchecked", "cbChecked", "cbGrayed"},
                                                       cbUnchecked));
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
TUiCheckedActionLink::TUiCheckedActionLink(TControl* client) : TControlActionLink(client) {
    AssignClient(client);
}

void TUiCheckedActionLink::AssignClient(TControl* client) {
    TControlActionLink::AssignClient(client);
    button_ = dynamic_cast<TUiCustomGlyphButton*>(client);
}

bool TUiCheckedActionLink::IsCheckedLinked() const {
    auto* action = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsCheckedLinked() && button_ && action &&
           button_->GetChecked() == action->Checked();
}

void TUiCheckedActionLink::SetChecked(bool checked) {
    if (!button_ || !IsCheckedLinked()) return;
    TClicksSuppressedGuard guard(button_);
    button_->SetChecked(checked);
}

// ---------------------------------------------------------------------------------------------
TUiCustomGlyphButton::TUiCustomGlyphButton(TComponent* owner)
    : TUiCustomButton(owner), customGlyphs_(new TBitmap()), background_(new TBitmap()) {
    customGlyphs_->OnChange = [this](TObject* sender) { CustomGlyphsChanged(sender); };
    SetParentColor(true);
}

TUiCustomGlyphButton::~TUiCustomGlyphButton() {
    SetFrameController(nullptr);
    background_->Free();
    customGlyphs_->Free();
}

void TUiCustomGlyphButton::SetAlignment(TAlignment value) {
    if (value == taCenter || value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TUiCustomGlyphButton::SetCustomGlyphs(TBitmap* value) { customGlyphs_->Assign(value); }

void TUiCustomGlyphButton::CustomGlyphsChanged(TObject*) {
    SetUseCustomGlyphs(!customGlyphs_->Empty());
    backgroundStale_ = true;
    Invalidate();
}

void TUiCustomGlyphButton::SetUseCustomGlyphs(bool value) {
    useCustomGlyphs_ = value;
    if (value) {
        glyphWidth_ = customGlyphs_->Width() / glyphStateCount_;
        glyphHeight_ = customGlyphs_->Height();
    } else {
        glyphWidth_ = glyphHeight_ = 13;
    }
    Invalidate();
}

void TUiCustomGlyphButton::SetFillColor(TColor value) { SetColorField(this, fillColor_, value); }
void TUiCustomGlyphButton::SetFocusColor(TColor value) { SetColorField(this, focusColor_, value); }
void TUiCustomGlyphButton::SetFrameColor(TColor value) { SetColorField(this, frameColor_, value); }
void TUiCustomGlyphButton::SetDisabledColor(TColor value) {
    SetColorField(this, disabledColor_, value);
}
void TUiCustomGlyphButton::SetReadOnlyColor(TColor value) {
    SetColorField(this, readOnlyColor_, value);
}
void TUiCustomGlyphButton::SetTransparentColor(TColor value) {
    SetColorField(this, transparentColor_, value);
}
void TUiCustomGlyphButton::SetWinMaskColor(TColor value) {
    SetColorField(this, winMaskColor_, value);
}

void TUiCustomGlyphButton::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    Invalidate();
}

void TUiCustomGlyphButton::SetReadOnlyColorOnFocus(bool value) {
    if (value == readOnlyColorOnFocus_) return;
    readOnlyColorOnFocus_ = value;
    Invalidate();
}

void TUiCustomGlyphButton::SetHotTrackStyle(TUiButtonHotTrackStyle value) {
    if (value == hotTrackStyle_) return;
    hotTrackStyle_ = value;
    Invalidate();
}

void TUiCustomGlyphButton::SetTransparent(bool value) {
    TUiCustomButton::SetTransparent(value);
    backgroundStale_ = true;
}

void TUiCustomGlyphButton::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiCustomGlyphButton::DefineProperties(TFiler* filer) {
    TUiCustomButton::DefineProperties(filer);
    filer->DefineProperty("Flat", [this](TReader* reader) {
        SetHotTrack(reader->ReadBoolean());
    }, nullptr, false);
}

void TUiCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
    TUiCustomButton::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiCustomGlyphButton::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    SetHotTrack(true);
    if (admitted(fcpColor)) fillColor_ = frameController_->Color();
    if (admitted(fcpFrameColor)) frameColor_ = frameController_->FrameColor();
    if (admitted(fcpFocusColor)) focusColor_ = frameController_->FocusColor();
    if (admitted(fcpDisabledColor)) disabledColor_ = frameController_->DisabledColor();
    if (admitted(fcpReadOnlyColor)) readOnlyColor_ = frameController_->ReadOnlyColor();
    if (admitted(fcpReadOnlyColorOnFocus))
        readOnlyColorOnFocus_ = frameController_->ReadOnlyColorOnFocus();
    if (admitted(fcpFrameHotTrack))
        hotTrackStyle_ = frameController_->FrameHotTrack() ? htsFrame : htsInterior;
    if (admitted(fcpFrameHotColor) && hotTrackStyle_ == htsFrame)
        SetHotTrackColor(frameController_->FrameHotColor());
    Invalidate();
}

TRect TUiCustomGlyphButton::GlyphRect() {
    const bool right = UseRightToLeftAlignment() == (alignment_ == taRightJustify);
    const int x = right ? Width() - glyphWidth_ : 0;
    int y = 2;
    if (AlignmentVertical() == avCenter) y = (Height() - glyphHeight_) / 2;
    else if (AlignmentVertical() == avBottom) y = Height() - glyphHeight_ - 2;
    return TRect(x, y, x + glyphWidth_, y + glyphHeight_);
}

TAlignment TUiCustomGlyphButton::GetControlsAlignment() const {
    return UseRightToLeftAlignment() && alignment_ == taRightJustify ? taLeftJustify
                                                                     : taRightJustify;
}

TUiButtonDisplayState TUiCustomGlyphButton::DisplayState() const {
    if (!Enabled()) return bdsDisabled;
    if (ShowPressed()) return bdsDown;
    if (MouseInControl()) return bdsHot;
    return bdsNormal;
}

TUiGlyphColors TUiCustomGlyphButton::GlyphColors() const {
    TUiGlyphColors colors;
    colors.Frame = frameColor_;
    colors.Check = HighlightColor();
    colors.Fill = fillColor_;
    colors.Focus = focusColor_;
    colors.Disabled = disabledColor_;
    HotColors(colors.HotLight, colors.Hot);
    colors.ReadOnly = readOnlyColor_;
    return colors;
}

void TUiCustomGlyphButton::ExtractGlyph(int index, TBitmap* destination, TBitmap* source,
                                        int width, int height) {
    destination->SetSize(width, height);
    destination->Canvas()->CopyRect(TRect(0, 0, width, height), source->Canvas(),
                                    TRect(index * width, 0, (index + 1) * width, height));
}

void TUiCustomGlyphButton::ComposeGlyph(TCanvas* canvas, TBitmap* glyph, TBitmap* work,
                                        const TRect& place) {
    const TRect r(0, 0, glyphWidth_, glyphHeight_);
    work->SetSize(glyphWidth_, glyphHeight_);
    if (Transparent()) {
        work->Canvas()->CopyRect(r, canvas, place);
        const TColor key = ThemeServices()->GetThemesEnabled() ? clBtnFace : transparentColor_;
        DrawFullTransparentBitmap(work->Canvas(), glyph, r, r, key);
    } else {
        work->Canvas()->Brush()->SetColor(Color());
        work->Canvas()->BrushCopy(r, glyph, r, transparentColor_);
    }
}

void TUiCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
    if (!canvas) canvas = Canvas();
    if (glyphWidth_ <= 0 || glyphHeight_ <= 0) return;
    const TRect place = GlyphRect();
    TBitmap glyph, work, window;
    glyph.SetSize(glyphWidth_, glyphHeight_);
    SelectGlyph(&glyph);
    ComposeGlyph(canvas, &glyph, &work, place);
    TBitmap* shown = &work;
    if (useCustomGlyphs_) {
        const TRect r(0, 0, glyphWidth_, glyphHeight_);
        window.SetSize(glyphWidth_, glyphHeight_);
        window.Canvas()->Brush()->SetColor(clWindow);
        window.Canvas()->BrushCopy(r, &work, r, winMaskColor_);
        shown = &window;
    }
    if (Transparent()) BlendButtonFrame(shown);
    canvas->Draw(place.Left, place.Top, shown);
}

void TUiCustomGlyphButton::Paint() {
    if (InState(csDestroying)) return;
    const int w = Width(), h = Height();
    TBitmap offscreen;
    offscreen.SetSize(w, h);
    TCanvas* canvas = offscreen.Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetColor(Color());
    if (backgroundStale_) {
        background_->SetSize(w, h);
        if (Transparent()) {
            background_->Canvas()->CopyRect(TRect(0, 0, w, h), Canvas(), TRect(0, 0, w, h));
        } else {
            background_->Canvas()->Brush()->SetColor(Color());
            background_->Canvas()->FillRect(TRect(0, 0, w, h));
        }
        backgroundStale_ = false;
    }
    canvas->Draw(0, 0, background_);
    DrawGlyph(canvas);
    const bool rtl = UseRightToLeftAlignment();
    const bool glyphRight = rtl == (alignment_ == taRightJustify);
    TRect caption = InflatedRect(GetClientRect(), -1, -1);
    if (glyphRight) caption.Right -= glyphWidth_ + 4;
    else caption.Left += glyphWidth_ + 4;
    Draw3DText(canvas, caption, DT_WORDBREAK | DT_EXPANDTABS | (rtl ? DT_RIGHT : 0));
    if (Focused() && !Caption().IsEmpty()) {
        TRect focus = InflatedRect(caption, 1, 1);
        canvas->SetFont(Font());
        const int textWidth = canvas->TextWidth(Caption().Trim()) + 3;
        if (textWidth < focus.Width()) {
            if (rtl) focus.Left = focus.Right - textWidth;
            else focus.Right = focus.Left + textWidth;
        }
        focus.Top = 0;
        focus.Bottom = h;
        DrawFocusBorder(canvas, focus);
    }
    Canvas()->Draw(0, 0, &offscreen);
}

void TUiCustomGlyphButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        if (Transparent()) DrawParentImage(this, reinterpret_cast<HDC>(message.WParam));
        else TUiCustomButton::Dispatch(message);
        backgroundStale_ = true;
        message.Result = 1;
        return;
    case WM_SIZE:
        backgroundStale_ = true;
        return TUiCustomButton::Dispatch(message);
    case CM_ENABLEDCHANGED:
    case CM_PARENTCOLORCHANGED:
    case CM_COLORCHANGED:
        backgroundStale_ = true;
        TUiCustomButton::Dispatch(message);
        Invalidate();
        return;
    default:
        TUiCustomButton::Dispatch(message);
    }
}

void TUiCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults) {
    TUiCustomButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || !GetChecked()) SetChecked(action->Checked());
}

TControlActionLinkClass TUiCustomGlyphButton::GetActionLinkClass() {
    return [](TControl* client) -> TControlActionLinkBase* {
        return new TUiCheckedActionLink(client);
    };
}

void TUiCustomGlyphButton::KeyPress(char& key) {
    if (tabOnEnter_ && key == '\r') {
        key = 0;
        PostMessageA(WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    TUiCustomButton::KeyPress(key);
}

void TUiCustomGlyphButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    mouseDriven_ = true;
    TUiCustomButton::MouseDown(button, shift, x, y);
}

void TUiCustomGlyphButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TUiCustomButton::MouseUp(button, shift, x, y);
    mouseDriven_ = false;
}

// ---------------------------------------------------------------------------------------------
TUiRadioButton::TUiRadioButton(TComponent* owner) : TUiCustomGlyphButton(owner) {
    glyphStateCount_ = 6;
    SetAlignmentVertical(avTop);
    SetTabStop(false);
}

void TUiRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    SetTabStop(value);
    Repaint();
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TUiRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!ClicksSuppressed()) Click();
}

void TUiRadioButton::SetReadOnly(bool value) {
    TUiCustomGlyphButton::SetReadOnly(value);
    Repaint();
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TUiRadioButton*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->ReadOnly() != value)
            sibling->SetReadOnly(value);
    }
}

void TUiRadioButton::ChangeState() {
    if (!checked_ && !ReadOnly()) SetChecked(true);
}

void TUiRadioButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_SETFOCUS:
        TUiCustomGlyphButton::Dispatch(message);
        if (!mouseDriven_ && !ReadOnly()) SetChecked(true);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            message.Result = 1;
            return;
        }
        return TUiCustomGlyphButton::Dispatch(message);
    case CM_DIALOGKEY:
        if (message.WParam == VK_DOWN && KeyDataToShiftState(message.LParam).empty() &&
            CanFocus()) {
            if (!ClicksSuppressed()) Click();
            message.Result = 1;
            return;
        }
        return TUiCustomGlyphButton::Dispatch(message);
    case WM_LBUTTONDBLCLK:
        TUiCustomGlyphButton::Dispatch(message);
        if (OnDblClick) OnDblClick(this);
        return;
    case BM_GETCHECK:
        message.Result = checked_ ? BST_CHECKED : BST_UNCHECKED;
        return;
    default:
        TUiCustomGlyphButton::Dispatch(message);
    }
}

void TUiRadioButton::SelectGlyph(TBitmap* glyph) {
    const TRect r(0, 0, GlyphWidth(), GlyphHeight());
    TCanvas* canvas = glyph->Canvas();
    const TUiButtonDisplayState display = DisplayState();
    if (UseCustomGlyphs()) {
        int cell = checked_ ? 1 : 0;
        if (!Enabled()) cell += 4;
        else if (ShowPressed()) cell += 2;
        ExtractGlyph(cell, glyph, CustomGlyphs(), GlyphWidth(), GlyphHeight());
    } else if (ThemeServices()->GetThemesEnabled()) {
        const int base = checked_ ? tbRadioButtonCheckedNormal : tbRadioButtonUncheckedNormal;
        const int step = display == bdsDisabled ? 3 : display == bdsDown ? 2 : display == bdsHot ? 1 : 0;
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(static_cast<TThemedButton>(base + step)), r);
    } else if (HotTrack()) {
        DrawRadioButton(canvas, r, checked_, display, Focused(), HotTrackStyle(), GlyphColors(),
                        Color(), Transparent(), TransparentColor(), ReadOnly(),
                        ReadOnlyColorOnFocus());
    } else {
        canvas->Brush()->SetColor(TransparentColor());
        canvas->FillRect(r);
        UINT state = DFCS_BUTTONRADIO | DFCS_TRANSPARENT;
        if (checked_) state |= DFCS_CHECKED;
        if (ShowPressed()) state |= DFCS_PUSHED;
        if (!Enabled()) state |= DFCS_INACTIVE;
        RECT rc = ToRECT(r);
        DrawFrameControl(canvas->Handle(), &rc, DFC_BUTTON, state);
    }
}

void TUiRadioButton::BlendButtonFrame(TBitmap* glyph) {
    if (GlyphWidth() != 13 || GlyphHeight() != 13) return;
    static const TPoint strong[] = {{4, 0},  {8, 0},  {2, 1},  {10, 1}, {1, 2},  {11, 2},
                                    {0, 4},  {12, 4}, {0, 8},  {12, 8}, {1, 10}, {11, 10},
                                    {2, 11}, {10, 11}, {4, 12}, {8, 12}};
    static const TPoint faint[] = {{3, 0}, {9, 0}, {0, 3}, {12, 3},
                                   {0, 9}, {12, 9}, {3, 12}, {9, 12}};
    TCanvas* canvas = glyph->Canvas();
    for (const TPoint& p : strong)
        canvas->SetPixels(p.X, p.Y, BlendColors(FrameColor(), canvas->Pixels(p.X, p.Y), 128));
    for (const TPoint& p : faint)
        canvas->SetPixels(p.X, p.Y, BlendColors(FrameColor(), canvas->Pixels(p.X, p.Y), 40));
}

// ---------------------------------------------------------------------------------------------
TUiCustomCheckBox::TUiCustomCheckBox(TComponent* owner) : TUiCustomGlyphButton(owner) {
    glyphStateCount_ = 9;
    SetAlignmentVertical(avTop);
}

void TUiCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    Repaint();
    if (!ClicksSuppressed()) Click();
}

void TUiCustomCheckBox::InitState(TCheckBoxState value) {
    state_ = value;
    Repaint();
}

void TUiCustomCheckBox::SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }

void TUiCustomCheckBox::ChangeState() {
    if (mouseDriven_ && ReadOnly()) return;
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

void TUiCustomCheckBox::KeyDown(uint16_t& key, TShiftState shift) {
    TUiCustomGlyphButton::KeyDown(key, shift);
    if (ReadOnly() || (key != VK_ESCAPE && key != VK_SPACE)) return;
    spaceArmed_ = showPressed_ = key == VK_SPACE;
    Repaint();
}

void TUiCustomCheckBox::KeyUp(uint16_t& key, TShiftState shift) {
    TUiCustomGlyphButton::KeyUp(key, shift);
    if (key != VK_SPACE || ReadOnly()) return;
    showPressed_ = false;
    if (spaceArmed_) ChangeState();
    Repaint();
}

void TUiCustomCheckBox::DoExit() {
    TUiCustomGlyphButton::DoExit();
    showPressed_ = false;
    Repaint();
}

void TUiCustomCheckBox::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(static_cast<uint16_t>(message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            if (Focused() && !ReadOnly()) {
                ChangeState();
                Repaint();
            }
            message.Result = 1;
            return;
        }
        return TUiCustomGlyphButton::Dispatch(message);
    case BM_GETCHECK:
        message.Result = state_;
        return;
    default:
        TUiCustomGlyphButton::Dispatch(message);
    }
}

void TUiCustomCheckBox::SelectGlyph(TBitmap* glyph) {
    const TRect r(0, 0, GlyphWidth(), GlyphHeight());
    TCanvas* canvas = glyph->Canvas();
    const TUiButtonDisplayState display = DisplayState();
    if (UseCustomGlyphs()) {
        int cell = state_;
        if (!Enabled()) cell += 6;
        else if (ShowPressed()) cell += 3;
        ExtractGlyph(cell, glyph, CustomGlyphs(), GlyphWidth(), GlyphHeight());
    } else if (ThemeServices()->GetThemesEnabled()) {
        static const TThemedButton bases[] = {tbCheckBoxUncheckedNormal, tbCheckBoxCheckedNormal,
                                              tbCheckBoxMixedNormal};
        const int step = display == bdsDisabled ? 3 : display == bdsDown ? 2 : display == bdsHot ? 1 : 0;
        const TThemedElementDetails details =
            TThemeServices::GetElementDetails(static_cast<TThemedButton>(bases[state_] + step));
        if (HandleAllocated())
            ThemeServices()->DrawParentBackground(WindowHandle(), canvas->Handle(), &details, true);
        ThemeServices()->DrawElement(canvas->Handle(), details, r);
    } else if (HotTrack()) {
        DrawCheckBox(canvas, r, state_, display, Focused(), HotTrackStyle(), GlyphColors(),
                     ReadOnly(), ReadOnlyColorOnFocus());
    } else {
        UINT frame = DFCS_BUTTONCHECK;
        if (state_ == cbChecked) frame |= DFCS_CHECKED;
        if (state_ == cbGrayed) frame |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        if (ShowPressed()) frame |= DFCS_PUSHED;
        if (!Enabled()) frame |= DFCS_INACTIVE;
        RECT rc = ToRECT(r);
        DrawFrameControl(canvas->Handle(), &rc, DFC_BUTTON, frame);
    }
}
