#include "UiToolButton.h"

#include <algorithm>

#include "UiBitBtn.h"
#include "UiButton.h"
#include "UiColors.h"
#include "UiDrawing.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "UiToolbar.h"
#include "UiUtils.h"
#include "cl_bitmaps.h"
#include "cl_filer.h"
#include "cl_forms.h"
#include "cl_imagelist.h"
#include "cl_menus.h"

namespace {

constexpr int ArrowPartWidth = 14;
constexpr UINT CaptionFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_CENTER;

bool PressedState(TButtonState state) { return state == bsDown || state == bsExclusive; }

// Clears the flag on every way out.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }

private:
    bool& flag_;
};


// The toolbar gives the size: a button of exactly the toolbar's button size keeps none of its own.
bool SizeIsStored(TObject* object) {
    auto* button = static_cast<TUiToolButton*>(object);
    auto* toolbar = dynamic_cast<TUiToolbar*>(button->Parent());
    return !(button->UseToolbarButtonSize() && toolbar &&
             button->Width() == toolbar->ButtonWidth() &&
             button->Height() == toolbar->ButtonHeight());
}

const bool toolButtonPropertiesRegistered = [] {
    using C = TUiToolButton;
    const TMetaClass* meta = C::StaticClass();
    TPropertyInfo width = OrdinalProperty<C>("Width", pkInteger, &C::Width, &C::SetWidth);
    TPropertyInfo height = OrdinalProperty<C>("Height", pkInteger, &C::Height, &C::SetHeight);
    width.IsStored = height.IsStored = SizeIsStored;
    RegisterProperty(meta, width);
    RegisterProperty(meta, height);
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"UseToolbarButtonSize", &C::UseToolbarButtonSize, &C::SetUseToolbarButtonSize,
                  true},
                 {"UseToolbarButtonLayout", &C::UseToolbarButtonLayout,
                  &C::SetUseToolbarButtonLayout, true},
                 {"UseToolbarShowCaption", &C::UseToolbarShowCaption,
                  &C::SetUseToolbarShowCaption, true},
                 {"UseToolbarVisualStyle", &C::UseToolbarVisualStyle,
                  &C::SetUseToolbarVisualStyle, true},
                 {"Flat", &C::Flat, &C::SetFlat, true},
                 {"Transparent", &C::Transparent, &C::SetTransparent, true},
                 {"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp, false}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    // Each of these follows the toolbar unless the button keeps its own value.
    TPropertyInfo layout = EnumProperty<C>("Layout", &C::Layout, &C::SetLayout,
                                           ButtonLayoutIdents(), blGlyphLeft);
    layout.IsStored = [](TObject* o) { return !static_cast<C*>(o)->UseToolbarButtonLayout(); };
    TPropertyInfo caption = OrdinalProperty<C>("ShowCaption", pkBool, &C::ShowCaption,
                                               &C::SetShowCaption, 0);
    caption.IsStored = [](TObject* o) { return !static_cast<C*>(o)->UseToolbarShowCaption(); };
    TPropertyInfo style = EnumProperty<C>("VisualStyle", &C::VisualStyle, &C::SetVisualStyle,
                                          VisualStyleIdents(), vsWinXP);
    TPropertyInfo gradient = EnumProperty<C>("GradientColorStyle", &C::GradientColorStyle,
                                             &C::SetGradientColorStyle,
                                             GradientColorStyleIdents(), gcsSystem);
    style.IsStored = gradient.IsStored = [](TObject* o) {
        return !static_cast<C*>(o)->UseToolbarVisualStyle();
    };
    for (const TPropertyInfo* info : {&layout, &caption, &style, &gradient})
        RegisterProperty(meta, *info);
    RegisterProperty(meta, OrdinalProperty<C>("SelectionColorStart", pkColor,
                                              &C::SelectionColorStart,
                                              &C::SetSelectionColorStart, clBtnFace));
    RegisterProperty(meta, OrdinalProperty<C>("SelectionColorStop", pkColor,
                                              &C::SelectionColorStop, &C::SetSelectionColorStop,
                                              clBtnShadow));
    RegisterProperty(meta, OrdinalProperty<C>("SelectionFrameColor", pkColor,
                                              &C::SelectionFrameColor,
                                              &C::SetSelectionFrameColor, cl3DDkShadow));
    RegisterProperty(meta, EnumProperty<C>("Alignment", &C::Alignment, &C::SetAlignment,
                                           AlignmentIdents(), taCenter));
    RegisterProperty(meta, ComponentProperty<C, TCustomImageList>("Images", &C::Images,
                                                                  &C::SetImages));
    TPropertyInfo imageIndex = OrdinalProperty<C>("ImageIndex", pkInteger, &C::ImageIndex,
                                                  &C::SetImageIndex, -1);
    imageIndex.IsStored = [](TObject* o) {
        return !ActionSupplies(static_cast<C*>(o), &TActionLink::IsImageIndexLinked);
    };
    RegisterProperty(meta, imageIndex);
    RegisterProperty(meta, OrdinalProperty<C>("DownIndex", pkInteger, &C::DownIndex,
                                              &C::SetDownIndex, -1));
    RegisterProperty(meta, OrdinalProperty<C>("DisabledIndex", pkInteger, &C::DisabledIndex,
                                              &C::SetDisabledIndex, -1));
    RegisterProperty(meta, OrdinalProperty<C>("HotIndex", pkInteger, &C::HotIndex,
                                              &C::SetHotIndex, -1));
    // The style before the group (a drop-down button has none), the group before Down.
    RegisterProperty(meta, EnumProperty<C>("ToolStyle", &C::ToolStyle, &C::SetToolStyle,
                                           {"tsButton", "tsDropDown"}, tsButton));
    RegisterProperty(meta, OrdinalProperty<C>("GroupIndex", pkInteger, &C::GroupIndex,
                                              &C::SetGroupIndex, 0));
    TPropertyInfo down = OrdinalProperty<C>("Down", pkBool, &C::Down, &C::SetDown, 0);
    down.IsStored = [](TObject* o) {
        return !ActionSupplies(static_cast<C*>(o), &TActionLink::IsCheckedLinked);
    };
    RegisterProperty(meta, down);
    RegisterProperty(meta, ComponentProperty<C, TPopupMenu>("DropDownMenu", &C::DropDownMenu,
                                                            &C::SetDropDownMenu));
    return true;
}();

}  // namespace

// ---------------------------------------------------------------------------------------------
TUiToolButtonActionLink::TUiToolButtonActionLink(TControl* client) : TControlActionLink(client) {
    AssignClient(client);
}

void TUiToolButtonActionLink::AssignClient(TControl* client) {
    TControlActionLink::AssignClient(client);
    button_ = dynamic_cast<TUiToolButton*>(client);
}

bool TUiToolButtonActionLink::IsCheckedLinked() const {
    auto* action = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsCheckedLinked() && button_ && action &&
           button_->Down() == action->Checked();
}

bool TUiToolButtonActionLink::IsImageIndexLinked() const {
    auto* action = dynamic_cast<TCustomAction*>(Action());
    return TControlActionLink::IsImageIndexLinked() && button_ && action &&
           button_->ImageIndex() == action->ImageIndex();
}

void TUiToolButtonActionLink::SetChecked(bool checked) {
    if (IsCheckedLinked()) button_->SetDown(checked);
}

void TUiToolButtonActionLink::SetImageIndex(int index) {
    if (IsImageIndexLinked()) button_->SetImageIndex(index);
}

// ---------------------------------------------------------------------------------------------
TUiToolButton::TUiToolButton(TComponent* owner)
    : TGraphicControl(owner), imageChangeLink_(new TChangeLink()) {
    ControlStyle = {csCaptureMouse};
    SetBounds(0, 0, 25, 25);
    SetColor(clBtnFace);
    SetDragMode(dmManual);
    imageChangeLink_->OnChange = [this](TObject* sender) { ImageListChanged(sender); };
}

TUiToolButton::~TUiToolButton() {
    if (images_) images_->UnRegisterChanges(imageChangeLink_);
    imageChangeLink_->Free();
}

#define UI_TOOL_SETTER(Name, Type, field) \
    void TUiToolButton::Set##Name(Type value) { \
        if (value == field) return;             \
        field = value;                          \
        Invalidate();                           \
    }

UI_TOOL_SETTER(SelectionColorStart, TColor, selectionColorStart_)
UI_TOOL_SETTER(SelectionColorStop, TColor, selectionColorStop_)
UI_TOOL_SETTER(SelectionFrameColor, TColor, selectionFrameColor_)
UI_TOOL_SETTER(Alignment, TAlignment, alignment_)
UI_TOOL_SETTER(Transparent, bool, transparent_)
UI_TOOL_SETTER(ImageIndex, int, imageIndex_)
UI_TOOL_SETTER(DownIndex, int, downIndex_)
UI_TOOL_SETTER(DisabledIndex, int, disabledIndex_)
UI_TOOL_SETTER(HotIndex, int, hotIndex_)
#undef UI_TOOL_SETTER

void TUiToolButton::SetWidth(int value) {
    if (!InState(csLoading)) useToolbarButtonSize_ = false;
    TGraphicControl::SetWidth(value);
}

void TUiToolButton::SetHeight(int value) {
    if (!InState(csLoading)) useToolbarButtonSize_ = false;
    TGraphicControl::SetHeight(value);
}

void TUiToolButton::SetLayout(TButtonLayout value) {
    useToolbarButtonLayout_ = false;
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TUiToolButton::SetShowCaption(bool value) {
    useToolbarShowCaption_ = false;
    if (value == showCaption_) return;
    showCaption_ = value;
    Invalidate();
}

void TUiToolButton::SetVisualStyle(TUiVisualStyle value) {
    useToolbarVisualStyle_ = false;
    if (value == visualStyle_) return;
    visualStyle_ = value;
    Invalidate();
}

void TUiToolButton::SetGradientColorStyle(TUiGradientColorStyle value) {
    useToolbarVisualStyle_ = false;
    if (value == gradientColorStyle_) return;
    gradientColorStyle_ = value;
    Invalidate();
}

void TUiToolButton::SetUseToolbarButtonSize(bool value) {
    useToolbarButtonSize_ = value;
    if (value && Parent() && !InState(csReading)) Perform(CM_TOOLBARBUTTONSIZECHANGED);
}

void TUiToolButton::SetUseToolbarButtonLayout(bool value) {
    useToolbarButtonLayout_ = value;
    if (value && Parent() && !InState(csReading)) Perform(CM_TOOLBARBUTTONLAYOUTCHANGED);
}

void TUiToolButton::SetUseToolbarShowCaption(bool value) {
    useToolbarShowCaption_ = value;
    if (value && Parent() && !InState(csReading)) Perform(CM_TOOLBARSHOWCAPTIONCHANGED);
}

void TUiToolButton::SetUseToolbarVisualStyle(bool value) {
    useToolbarVisualStyle_ = value;
    if (value && Parent() && !InState(csReading)) Perform(CM_TOOLBARVISUALSTYLECHANGED);
}

void TUiToolButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    Repaint();
}

void TUiToolButton::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) images_->UnRegisterChanges(imageChangeLink_);
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_);
        images_->FreeNotification(this);
        EnforceMinimumSize();
    }
    Invalidate();
}

void TUiToolButton::ImageListChanged(TObject*) {
    EnforceMinimumSize();
    Invalidate();
}

void TUiToolButton::EnforceMinimumSize() {
    if (!images_) return;
    const int w = std::max(Width(), images_->Width()), h = std::max(Height(), images_->Height());
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}

void TUiToolButton::SetGroupIndex(int value) {
    groupIndex_ = toolStyle_ == tsDropDown ? 0 : value;
    UpdateExclusive();
}

void TUiToolButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    UpdateExclusive();
}

void TUiToolButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_ || (down_ && !allowAllUp_)) return;
    down_ = value;
    if (value) {
        if (state_ == bsUp) Invalidate();
        state_ = bsExclusive;
        UpdateExclusive();
    } else {
        state_ = bsUp;
        Repaint();
    }
}

void TUiToolButton::SetToolStyle(TUiToolStyle value) {
    if (value == toolStyle_) return;
    toolStyle_ = value;
    groupIndex_ = 0;
    if (!InState(csLoading)) {
        const bool useToolbarSize = useToolbarButtonSize_;
        const int width = Width() + (value == tsDropDown ? ArrowPartWidth : -ArrowPartWidth);
        SetBounds(Left(), Top(), width, Height());
        useToolbarButtonSize_ = useToolbarSize;
    }
    Invalidate();
}

void TUiToolButton::SetDropDownMenu(TPopupMenu* value) {
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TUiToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TUiToolButton::DefineProperties(TFiler* filer) {
    TGraphicControl::DefineProperties(filer);
    filer->DefineProperty("GradientColorDefault", &TUiOldPropReader::ReadOldBooleanProp, nullptr,
                          false);
    filer->DefineProperty("ThemeAware", &TUiOldPropReader::ReadOldBooleanProp, nullptr, false);
    filer->DefineProperty("GradientColorStart", [this](TReader* reader) {
        SetSelectionColorStart(ReadLegacyColor(reader));
    }, nullptr, false);
    filer->DefineProperty("GradientColorStop", [this](TReader* reader) {
        SetSelectionColorStop(ReadLegacyColor(reader));
    }, nullptr, false);
    filer->DefineProperty("FrameColor", [this](TReader* reader) {
        SetSelectionFrameColor(ReadLegacyColor(reader));
    }, nullptr, false);
    filer->DefineProperty("UseGradients", [this](TReader* reader) {
        if (reader->ReadBoolean()) SetVisualStyle(vsGradient);
    }, nullptr, false);
}

TUiToolbar* TUiToolButton::Toolbar() const { return dynamic_cast<TUiToolbar*>(Parent()); }

TCustomImageList* TUiToolButton::ImageList() const {
    if (images_) return images_;
    TUiToolbar* toolbar = Toolbar();
    return toolbar ? toolbar->Images() : nullptr;
}

void TUiToolButton::SetParent(TWinControl* parent) {
    TGraphicControl::SetParent(parent);
    if (!InState(csLoading)) PickupToolbarStyles();
}

void TUiToolButton::Loaded() {
    TGraphicControl::Loaded();
    PickupToolbarStyles();
}

void TUiToolButton::PickupToolbarStyles() {
    if (!Parent()) return;
    Perform(CM_TOOLBARSHOWCAPTIONCHANGED);
    Perform(CM_TOOLBARBUTTONLAYOUTCHANGED);
    Perform(CM_TOOLBARBUTTONSIZECHANGED);
    Perform(CM_TOOLBARVISUALSTYLECHANGED);
}

void TUiToolButton::ToolbarShowCaptionChanged() {
    TUiToolbar* toolbar = Toolbar();
    if (!useToolbarShowCaption_ || !toolbar) return;
    SetShowCaption(toolbar->ShowButtonCaptions());
    useToolbarShowCaption_ = true;
}

void TUiToolButton::ToolbarButtonLayoutChanged() {
    TUiToolbar* toolbar = Toolbar();
    if (!useToolbarButtonLayout_ || !toolbar) return;
    SetLayout(toolbar->ButtonLayout());
    useToolbarButtonLayout_ = true;
}

void TUiToolButton::ToolbarVisualStyleChanged() {
    TUiToolbar* toolbar = Toolbar();
    if (!useToolbarVisualStyle_ || !toolbar) return;
    SetVisualStyle(toolbar->VisualStyle());
    SetGradientColorStyle(toolbar->GradientColorStyle());
    useToolbarVisualStyle_ = true;
}

void TUiToolButton::ToolbarButtonSizeChanged() {
    TUiToolbar* toolbar = Toolbar();
    if (!useToolbarButtonSize_ || !toolbar) return;
    int w = toolbar->ButtonWidth();
    if (showCaption_) {
        TBitmap measure;
        measure.Canvas()->SetFont(Font());
        const int textWidth = measure.Canvas()->TextWidth(Caption());
        if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
            w = std::max(w, GetImageSize().cx + textWidth + 12);
        else
            w = std::max(w, textWidth + 8);
    }
    if (toolStyle_ == tsDropDown) w += ArrowPartWidth;
    SetBounds(Left(), Top(), w, toolbar->ButtonHeight());
    useToolbarButtonSize_ = true;
}

void TUiToolButton::UpdateExclusive() {
    if (groupIndex_ == 0 || !Parent()) return;
    TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_),
                     reinterpret_cast<LPARAM>(static_cast<TControl*>(this)), 0};
    Parent()->Broadcast(message);
}

void TUiToolButton::ButtonPressed(TMessage& message) {
    // Speed buttons broadcast the same message; only a tool button's state is read.
    auto* sender = dynamic_cast<TUiToolButton*>(message.Control());
    if (!sender || sender == this || static_cast<int>(message.WParam) != groupIndex_) return;
    if (sender->Down() && down_) {
        down_ = false;
        state_ = bsUp;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

bool TUiToolButton::HotTracking() const { return visualStyle_ != vsClassic || flat_; }

bool TUiToolButton::SplitButton() const {
    return toolStyle_ == tsDropDown && (OnClick || Action());
}

bool TUiToolButton::WholeDropDown() const { return toolStyle_ == tsDropDown && !SplitButton(); }

bool TUiToolButton::InArrowPart(int x) const {
    return UseRightToLeftAlignment() ? x < ArrowPartWidth : x >= Width() - ArrowPartWidth;
}

bool TUiToolButton::InClient(int x, int y) const {
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

bool TUiToolButton::ThemedStyle() const {
    return visualStyle_ == vsWinXP && ThemeServices()->GetThemesEnabled();
}

void TUiToolButton::UpdateTracking() {
    if (!HotTracking() || !Enabled()) return;
    const bool over = FindDragTarget(Mouse->CursorPos(), true) == this;
    Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TUiToolButton::MouseEnterLeave(TMessage& message, bool inside) {
    if (inside || !inDropDown_) mouseInControl_ = inside;
    TGraphicControl::Dispatch(message);
    const TNotifyEvent& handler = inside ? OnMouseEnter : OnMouseLeave;
    if (handler) handler(this);
    if (HotTracking()) Repaint();
}

void TUiToolButton::DialogChar(TMessage& message) {
    const bool accel = IsAccel(static_cast<uint16_t>(message.WParam), Caption());
    if (!accel || !Enabled() || !Visible() || !Parent() || !Parent()->Showing()) {
        TGraphicControl::Dispatch(message);
        return;
    }
    if (WholeDropDown()) DoDropDown();
    else Click();
    message.Result = 1;
}

void TUiToolButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        return MouseEnterLeave(message, true);
    case CM_MOUSELEAVE:
        return MouseEnterLeave(message, false);
    case CM_DIALOGCHAR:
        return DialogChar(message);
    case CM_TEXTCHANGED:
        TGraphicControl::Dispatch(message);
        PickupToolbarStyles();
        Invalidate();
        return;
    case CM_BUTTONPRESSED:
        return ButtonPressed(message);
    case CM_TOOLBARSHOWCAPTIONCHANGED:
        return ToolbarShowCaptionChanged();
    case CM_TOOLBARBUTTONLAYOUTCHANGED:
        return ToolbarButtonLayoutChanged();
    case CM_TOOLBARBUTTONSIZECHANGED:
        return ToolbarButtonSizeChanged();
    case CM_TOOLBARVISUALSTYLECHANGED:
        return ToolbarVisualStyleChanged();
    default:
        TGraphicControl::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
void TUiToolButton::PressButton() {
    if (!down_ || state_ == bsExclusive) {
        state_ = bsDown;
        Invalidate();
    }
    mouseTracking_ = true;
}

void TUiToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (toolStyle_ == tsButton) {
        if (button == mbLeft && Enabled()) PressButton();
        return;
    }
    const bool dropRequested = dropDownMenu_ && shift == TShiftState{ssLeft} &&
                               (InArrowPart(x) || WholeDropDown());
    if (dropRequested) {
        if (lastDropTime_ != 0 && GetTickCount() - lastDropTime_ < 100) {
            normalPressAllowed_ = true;
            lastDropTime_ = 0;
            ReleaseCapture();
        } else {
            state_ = bsDropped;
            Repaint();
            DoDropDown();
            normalPressAllowed_ = false;
            lastDropTime_ = GetTickCount();
        }
        MouseUp(button, shift, x, y);
        return;
    }
    if (!normalPressAllowed_) {
        normalPressAllowed_ = true;
        return;
    }
    if (button == mbLeft && Enabled()) {
        if (!down_) state_ = bsDown;
        Invalidate();
        mouseTracking_ = true;
    }
}

void TUiToolButton::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!mouseTracking_) {
        if (!mouseInControl_) UpdateTracking();
        return;
    }
    const TButtonState idle = down_ ? bsExclusive : bsUp;
    const TButtonState shown = InClient(x, y) ? (down_ ? bsExclusive : bsDown) : idle;
    if (shown == state_) return;
    state_ = shown;
    Invalidate();
}

void TUiToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (mouseTracking_) {
        mouseTracking_ = false;
        const bool inside = InClient(x, y);
        bool click = inside;
        if (groupIndex_ == 0) {
            state_ = bsUp;
            mouseInControl_ = false;
            if (inside) Repaint();
        } else {
            if (inside) {
                const bool wasDown = down_;
                SetDown(!down_);
                click = down_ != wasDown;
            }
            state_ = down_ ? bsExclusive : bsUp;
            Repaint();
        }
        if (click) Click();
        UpdateTracking();
    }
    if (toolStyle_ == tsDropDown) {
        if (!InClient(ScreenToClient(Mouse->CursorPos()).X, ScreenToClient(Mouse->CursorPos()).Y))
            normalPressAllowed_ = true;
        state_ = bsUp;
        Repaint();
        UpdateTracking();
    }
}

void TUiToolButton::Click() {
    if (toolStyle_ == tsButton || normalPressAllowed_) TGraphicControl::Click();
}

void TUiToolButton::DropDown() {
    if (OnDropDown) OnDropDown(dropDownMenu_);
}

void TUiToolButton::DoDropDown() {
    if (!dropDownMenu_) return;
    TFlagGuard guard(inDropDown_);
    DropDown();
    TPoint p = ClientToScreen(TPoint{UseRightToLeftAlignment() ? Width() : 0, Height()});
    HMONITOR monitor = MonitorFromPoint(POINT{p.X, p.Y}, MONITOR_DEFAULTTONULL);
    const int right = monitor ? GetMonitorWorkArea(monitor).Right
                              : GetActiveWorkAreaWidth(Parent() ? Parent()->Handle() : nullptr);
    const int menuWidth = MenuWidth(this, dropDownMenu_);
    if (right < p.X + menuWidth) p.X -= menuWidth - Width();
    dropDownMenu_->SetPopupComponent(this);
    dropDownMenu_->Popup(p.X, p.Y);
    if (groupIndex_ > 0 && !down_) Click();
}

void TUiToolButton::ActionChange(TObject* sender, bool checkDefaults) {
    TGraphicControl::ActionChange(sender, checkDefaults);
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (!action) return;
    if (!checkDefaults || !down_) SetDown(action->Checked());
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
}

TControlActionLinkClass TUiToolButton::GetActionLinkClass() {
    return [](TControl* client) -> TControlActionLinkBase* {
        return new TUiToolButtonActionLink(client);
    };
}

// ---------------------------------------------------------------------------------------------
bool TUiToolButton::Hot() const {
    return state_ == bsDown || state_ == bsExclusive || state_ == bsDropped ||
           (mouseInControl_ && state_ != bsDisabled) || InState(csDesigning);
}

void TUiToolButton::SelectionColors(TColor& frame, TColor& start, TColor& stop) const {
    if (gradientColorStyle_ == gcsCustom) {
        frame = selectionFrameColor_;
        start = selectionColorStart_;
        stop = selectionColorStop_;
    } else {
        GetGradientSelectionColors(gradientColorStyle_, frame, start, stop);
    }
}

void TUiToolButton::DrawThemedFace(const TRect& rect, bool hot) {
    TThemedElementDetails details;
    if (flat_) {
        const bool split = SplitButton();
        TRect r = rect;
        if (split) r.Right -= ArrowPartWidth;
        int element = split ? ttbSplitButtonNormal : ttbButtonNormal;
        if (hot) {
            const int offset = split ? ttbSplitButtonNormal - ttbButtonNormal : 0;
            if (state_ == bsDown || (state_ == bsDropped && !split))
                element = ttbButtonPressed + offset;
            else if (state_ == bsExclusive)
                element = (mouseInControl_ ? ttbButtonCheckedHot : ttbButtonChecked) + offset;
            else
                element = ttbButtonHot + offset;
        }
        details = TThemeServices::GetElementDetails(static_cast<TThemedToolBar>(element));
        ThemeServices()->DrawElement(Canvas()->Handle(), details, r);
        return;
    }
    TThemedButton element = tbPushButtonNormal;
    if (!Enabled()) element = tbPushButtonDisabled;
    else if (PressedState(state_)) element = tbPushButtonPressed;
    else if (hot) element = tbPushButtonHot;
    details = TThemeServices::GetElementDetails(element);
    ThemeServices()->DrawElement(Canvas()->Handle(), details, rect);
}

void TUiToolButton::DrawGradientFace(TRect& rect, bool hot) {
    TCanvas* canvas = Canvas();
    TColor frame, start, stop;
    SelectionColors(frame, start, stop);
    if (InState(csDesigning)) {
        rect = InflatedRect(rect, -1, -1);
        rect = DrawBoxCorners(canvas, rect, frame, 4);
    } else {
        rect = DrawBox(canvas, rect, frame);
    }
    if (!hot || InState(csDesigning)) return;
    if (state_ == bsDown || state_ == bsDropped)
        PaintGradient(canvas, rect, gdHorizontalEnd, stop, start);
    else if (state_ == bsExclusive && mouseInControl_)
        PaintGradient(canvas, rect, gdHorizontalEnd, down_ ? stop : start, down_ ? start : stop);
    else if (state_ == bsExclusive)
        PaintGradient(canvas, rect, gdHorizontalEnd, DarkerColor(stop, 40), start);
    else
        PaintGradient(canvas, rect, gdHorizontalEnd, start, stop);
}

void TUiToolButton::DrawBtnBorder(TRect& rect) {
    if (ThemedStyle()) {
        const bool hot = flat_ ? Hot() : PressedState(state_) || (mouseInControl_ && Enabled());
        return DrawThemedFace(rect, hot);
    }
    if (!HotTracking()) {
        rect = DrawBorder(Canvas(), rect, PressedState(state_) ? fsLowered : fsButtonUp);
        return;
    }
    if (!Hot()) return;
    if (visualStyle_ == vsGradient) return DrawGradientFace(rect, true);
    rect = DrawBorder(Canvas(), rect, PressedState(state_) ? fsStatus : fsPopup);
}

void TUiToolButton::DrawArrow() {
    TCanvas* canvas = Canvas();
    const bool rtl = UseRightToLeftAlignment();
    const bool split = SplitButton();
    const bool pressed = state_ == bsDown || state_ == bsDropped;
    const bool shiftDown = pressed && visualStyle_ != vsGradient;
    const TRect client(0, 0, Width(), Height());
    if (ThemedStyle() && split) {
        int element = ttbSplitButtonDropDownNormal;
        if (!Enabled()) element = ttbSplitButtonDropDownDisabled;
        else if (pressed) element = ttbSplitButtonDropDownPressed;
        else if (Hot()) element = ttbSplitButtonDropDownHot;
        const TRect part = rtl ? TRect(0, 0, ArrowPartWidth, Height())
                               : TRect(Width() - ArrowPartWidth, 0, Width(), Height());
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(static_cast<TThemedToolBar>(element)), part);
        return;
    }
    if (!ThemedStyle() && state_ == bsDropped) {
        TRect r = client;
        if (split) {
            const int w = visualStyle_ == vsGradient ? 15 : ArrowPartWidth;
            r = rtl ? TRect(0, 0, w, Height()) : TRect(Width() - w, 0, Width(), Height());
        }
        if (visualStyle_ == vsGradient) {
            TColor frame, start, stop;
            SelectionColors(frame, start, stop);
            r = DrawBox(canvas, r, frame);
            PaintGradient(canvas, r, gdHorizontalEnd, stop, start);
        } else {
            DrawBorder(canvas, r, fsStatus);
        }
    } else if (!ThemedStyle() && split && Enabled() && (!HotTracking() || mouseInControl_)) {
        int x = (rtl ? ArrowPartWidth : Width() - ArrowPartWidth) + (state_ == bsDown && visualStyle_ != vsGradient ? 1 : 0);
        if (visualStyle_ == vsGradient) {
            TColor frame, start, stop;
            GetGradientSelectionColors(gradientColorStyle_, frame, start, stop);
            canvas->Pen()->SetColor(frame);
            canvas->MoveTo(x - 1, 0);
            canvas->LineTo(x - 1, Height());
        } else {
            if (state_ != bsDown) {
                canvas->Pen()->SetColor(clBtnHighlight);
                canvas->MoveTo(x, 0);
                canvas->LineTo(x, Height());
            }
            canvas->Pen()->SetColor(clBtnShadow);
            canvas->MoveTo(x - 1, 0);
            canvas->LineTo(x - 1, Height());
        }
    }
    const int x = (rtl ? 6 : Width() - 8) + (shiftDown ? 1 : 0);
    const int y = Height() / 2 + 2 + (shiftDown ? 1 : 0);
    const TColor color = Enabled() ? clWindowText : clBtnShadow;
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    const TPoint arrow[] = {{x, y}, {x - 2, y - 2}, {x + 2, y - 2}};
    canvas->Polygon(arrow, 3);
}

TSize TUiToolButton::GetImageSize() {
    TCustomImageList* list = ImageList();
    if (imageIndex_ == -1 || !list) return {0, 0};
    return {list->Width(), list->Height()};
}

void TUiToolButton::GetImageAndCaptionRects(TRect& imageRect, TRect& captionRect) {
    TRect a(0, 0, Width(), Height());
    if (toolStyle_ == tsDropDown) {
        if (UseRightToLeftAlignment()) a.Left += ArrowPartWidth;
        else a.Right -= ArrowPartWidth;
    }
    a = InflatedRect(a, -2, -2);
    const TSize size = GetImageSize();
    const int w = size.cx, h = size.cy, aw = a.Width(), ah = a.Height();
    int shift;
    if (showCaption_ && !Caption().IsEmpty()) {
        TRect room = a;
        switch (layout_) {
        case blGlyphLeft: room.Left += w; break;
        case blGlyphRight: room.Right -= w; break;
        case blGlyphTop: room.Top += h; break;
        case blGlyphBottom: room.Bottom -= h; break;
        }
        TCanvas* canvas = Canvas();
        canvas->SetFont(Font());
        RECT measured = ToRECT(room);
        const AnsiString text = Caption();
        DrawTextA(canvas->Handle(), text.c_str(), -1, &measured, CaptionFlags | DT_CALCRECT);
        const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
        int ix, iy, cx, cy;
        switch (layout_) {
        case blGlyphLeft:
        case blGlyphRight: {
            const int t = (aw - (w + 4 + tw)) / 2;
            ix = layout_ == blGlyphLeft ? a.Left + t : a.Right - w - t;
            iy = a.Top + (ah - h) / 2;
            cx = layout_ == blGlyphLeft ? ix + w + 4 : ix - tw - 4;
            cy = a.Top + (ah - th) / 2;
            shift = w > 0 ? ix - 4 : ix;
            break;
        }
        default: {
            const int t = (ah - (h + 4 + th)) / 2;
            ix = a.Left + (aw - w) / 2;
            cx = a.Left + (aw - tw) / 2;
            iy = layout_ == blGlyphTop ? a.Top + t : a.Bottom - h - t;
            cy = layout_ == blGlyphTop ? iy + h + 4 : iy - th - 4;
            shift = std::min(ix, cx) - 4;
            break;
        }
        }
        imageRect = TRect(ix, iy, ix + w, iy + h);
        captionRect = TRect(cx, cy, cx + tw, cy + th);
    } else {
        imageRect = CenterRect(a, w, h);
        captionRect = TRect();
        shift = imageRect.Left - 4;
    }
    if (alignment_ == taLeftJustify) shift = -shift;
    if (alignment_ != taCenter) {
        imageRect = MovedRect(imageRect, shift, 0);
        captionRect = MovedRect(captionRect, shift, 0);
    }
    const bool pressed = PressedState(state_) || (state_ == bsDropped && WholeDropDown());
    if (pressed && visualStyle_ != vsGradient) {
        const int dy = ThemedStyle() ? 0 : 1;
        imageRect = MovedRect(imageRect, 1, dy);
        captionRect = MovedRect(captionRect, 1, dy);
    }
}

void TUiToolButton::DrawImage(const TRect& rect) {
    TCustomImageList* list = ImageList();
    if (!list || imageIndex_ == -1) return;
    const bool pressed = PressedState(state_) || (state_ == bsDropped && WholeDropDown());
    if (pressed && downIndex_ != -1) {
        list->Draw(Canvas(), rect.Left, rect.Top, downIndex_, true);
        return;
    }
    const bool hot = hotIndex_ != -1 && mouseInControl_ && Enabled();
    if (disabledIndex_ == -1) {
        list->Draw(Canvas(), rect.Left, rect.Top, hot ? hotIndex_ : imageIndex_, Enabled());
        return;
    }
    const int index = !Enabled() ? disabledIndex_ : hot ? hotIndex_ : imageIndex_;
    list->Draw(Canvas(), rect.Left, rect.Top, index, true);
}

void TUiToolButton::DrawCaption(const TRect& rect) {
    if (!showCaption_) return;
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    TColor color = Font()->Color();
    if (state_ == bsDown && visualStyle_ != vsGradient) color = clHighlightText;
    if (!Enabled()) color = clBtnShadow;
    const HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(color));
    RECT r = ToRECT(rect);
    const AnsiString text = Caption();
    DrawTextA(dc, text.c_str(), -1, &r,
              CaptionFlags | (UseRightToLeftReading() ? DT_RTLREADING : 0));
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiToolButton::Paint() {
    if (!Enabled()) {
        state_ = bsDisabled;
        mouseTracking_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TCanvas* canvas = Canvas();
    TRect r(0, 0, Width(), Height());
    DrawBtnBorder(r);
    if (!transparent_) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
    const bool styleInUse = ThemedStyle();
    if (visualStyle_ != vsGradient && !styleInUse && state_ == bsExclusive &&
        !(flat_ && mouseInControl_)) {
        canvas->Brush()->SetBitmap(transparent_
                                       ? AllocPatternBitmap(clBtnFace, clBtnHighlight)
                                       : AllocPatternBitmap(Color(), LighterColor(Color(), 20)));
        canvas->FillRect(r);
        canvas->Brush()->SetBitmap(nullptr);
    }
    if (toolStyle_ == tsDropDown) DrawArrow();
    TRect imageRect, captionRect;
    GetImageAndCaptionRects(imageRect, captionRect);
    DrawImage(imageRect);
    DrawCaption(captionRect);
}
