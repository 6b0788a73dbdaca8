#include "UiBitBtn.h"

#include <memory>

#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "UiUtils.h"
#include "cl_actions.h"
#include "cl_forms.h"
#include "cl_imagelist.h"
#include "cl_menus.h"

namespace {

struct TKindPreset {
    const char* Caption;
    TModalResult Result;
    bool IsDefault, IsCancel;
    const char* Resource;
};

// Indexed by TBitBtnKind; bkCustom has none.
const TKindPreset KindPresets[] = {
    {"", mrNone, false, false, nullptr},
    {"OK", mrOk, true, false, "UICOMMON_OK"},
    {"Cancel", mrCancel, false, true, "UICOMMON_CANCEL"},
    {"&Help", mrNone, false, false, "UICOMMON_HELP"},
    {"&Yes", mrYes, true, false, "UICOMMON_YES"},
    {"&No", mrNo, false, true, "UICOMMON_NO"},
    {"&Close", mrNone, false, false, "UICOMMON_CLOSE"},
    {"Abort", mrAbort, false, false, "UICOMMON_ABORT"},
    {"&Retry", mrRetry, false, false, "UICOMMON_RETRY"},
    {"&Ignore", mrIgnore, false, false, "UICOMMON_IGNORE"},
    {"&All", mrAll, false, false, "UICOMMON_ALL"},
};

std::unique_ptr<TBitmap> GlyphCache[bkAll + 1];

constexpr UINT CaptionMeasureFlags =
    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_CENTER;

// A stock kind brings its own glyph, default and cancel roles and modal result.
bool IsCustom(TObject* button) { return static_cast<TUiBitBtn*>(button)->GetKind() == bkCustom; }

const bool bitBtnPropertiesRegistered = [] {
    using C = TUiBitBtn;
    const TMetaClass* meta = C::StaticClass();
    TPropertyInfo caption = StringProperty<TControl>("Caption", &TControl::GetText,
                                                     &TControl::SetText);
    caption.IsStored = [](TObject* o) {
        auto* button = static_cast<C*>(o);
        return button->GetKind() == bkCustom ||
               button->Caption() != KindPresets[button->GetKind()].Caption;
    };
    RegisterProperty(meta, caption);
    TPropertyInfo defaultButton =
        OrdinalProperty<C>("Default", pkBool, &C::Default, &C::SetDefault, 0);
    TPropertyInfo cancel = OrdinalProperty<C>("Cancel", pkBool, &C::Cancel, &C::SetCancel, 0);
    TPropertyInfo modalResult = OrdinalProperty<C>("ModalResult", pkInteger, &C::ModalResult,
                                                   &C::SetModalResult, mrNone);
    TPropertyInfo glyph = SubObjectProperty<C>("Glyph", &C::Glyph);
    TPropertyInfo numGlyphs = SubrangeProperty<TIntSubrange<1, 4>, C>(
        "NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs, 1);
    for (TPropertyInfo* info : {&defaultButton, &cancel, &modalResult, &glyph, &numGlyphs}) {
        info->IsStored = IsCustom;
        RegisterProperty(meta, *info);
    }
    RegisterProperty(meta, EnumProperty<C>("Kind", &C::GetKind, &C::SetKind,
                                           {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes",
                                            "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore",
                                            "bkAll"},
                                           bkCustom));
    RegisterProperty(meta, EnumProperty<C>("Layout", &C::Layout, &C::SetLayout,
                                           ButtonLayoutIdents(), blGlyphLeft));
    RegisterProperty(meta, OrdinalProperty<C>("Margin", pkInteger, &C::Margin, &C::SetMargin, 2));
    RegisterProperty(meta, OrdinalProperty<C>("Spacing", pkInteger, &C::Spacing, &C::SetSpacing,
                                              4));
    RegisterProperty(meta, ComponentProperty<C, TCustomImageList>("Images", &C::Images,
                                                                  &C::SetImages));
    RegisterProperty(meta, OrdinalProperty<C>("ImageIndex", pkInteger, &C::ImageIndex,
                                              &C::SetImageIndex, -1));
    RegisterProperty(meta, OrdinalProperty<C>("DisabledIndex", pkInteger, &C::DisabledIndex,
                                              &C::SetDisabledIndex, -1));
    using M = TUiMenuButton;
    RegisterProperty(M::StaticClass(), ComponentProperty<M, TPopupMenu>(
                                           "DropDownMenu", &M::DropDownMenu, &M::SetDropDownMenu));
    RegisterProperty(M::StaticClass(), OrdinalProperty<M>("ShowArrow", pkBool, &M::ShowArrow,
                                                          &M::SetShowArrow, 1));
    return true;
}();

}  // namespace

TBitmap* GetBitBtnGlyph(TBitBtnKind kind) {
    std::unique_ptr<TBitmap>& glyph = GlyphCache[kind];
    if (!glyph) {
        auto loaded = std::make_unique<TBitmap>();
        loaded->LoadFromResourceName(GetModuleHandleA(nullptr), KindPresets[kind].Resource);
        glyph = std::move(loaded);
    }
    return glyph.get();
}

int MenuWidth(TControl* control, TPopupMenu* menu) {
    TControlCanvas canvas;
    canvas.SetControl(control);
    canvas.SetFont(Screen->MenuFont());
    int widest = 0;
    TMenuItem* items = menu->Items();
    for (int i = 0; i < items->Count(); ++i)
        widest = std::max(widest, canvas.TextWidth(items->Items(i)->Caption()));
    return widest + 56;
}

void PopupMenuBelow(TControl* control, TPopupMenu* menu) {
    const int width = control->Width();
    TPoint p = control->ClientToScreen(
        TPoint{control->UseRightToLeftAlignment() ? width : 0, control->Height()});
    HMONITOR monitor = MonitorFromPoint(POINT{p.X, p.Y}, MONITOR_DEFAULTTONULL);
    TWinControl* parent = control->Parent();
    const int right = monitor ? GetMonitorWorkArea(monitor).Right
                              : GetActiveWorkAreaWidth(parent ? parent->Handle() : nullptr);
    const int menuWidth = MenuWidth(control, menu);
    if (right < p.X + menuWidth) p.X -= menuWidth - width;
    menu->SetPopupComponent(control);
    menu->Popup(p.X, p.Y);
}

void DrawDropDownArrow(TCanvas* canvas, int x, int y, bool enabled) {
    const TColor color = enabled ? clWindowText : clBtnShadow;
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetColor(color);
    canvas->Brush()->SetStyle(bsSolid);
    const TPoint arrow[] = {{x, y}, {x - 3, y - 3}, {x + 3, y - 3}};
    canvas->Polygon(arrow, 3);
}

void TDropDownPress::Press(const std::function<void()>& dropDown) {
    if (lastDropDown_ != 0 && GetTickCount() - lastDropDown_ < 100) {
        skipNextClick_ = true;
        lastDropDown_ = 0;
        ReleaseCapture();
    } else {
        dropDown();
        skipNextClick_ = true;
        lastDropDown_ = GetTickCount();
    }
}

bool TDropDownPress::SkipsClick() {
    const bool skip = skipNextClick_;
    skipNextClick_ = false;
    return skip;
}

// ---------------------------------------------------------------------------------------------
TUiBitBtn::TUiBitBtn(TComponent* owner)
    : TUiButton(owner), glyph_(new TBitmap()), imageChangeLink_(new TChangeLink()) {
    glyph_->OnChange = [this](TObject* sender) { GlyphChanged(sender); };
    imageChangeLink_->OnChange = [this](TObject* sender) { ImageListChanged(sender); };
}

TUiBitBtn::~TUiBitBtn() {
    if (images_) images_->UnRegisterChanges(imageChangeLink_);
    imageChangeLink_->Free();
    glyph_->Free();
}

void TUiBitBtn::SetGlyph(TBitmap* value) {
    glyph_->Assign(value);
    glyphModified_ = true;
}

void TUiBitBtn::GlyphChanged(TObject*) {
    const int w = glyph_->Width(), h = glyph_->Height();
    if (h > 0 && w % h == 0) {
        const int count = w / h;
        numGlyphs_ = count >= 1 && count <= 4 ? count : 1;
    }
    Invalidate();
}

void TUiBitBtn::ImageListChanged(TObject*) {
    Update();
}

void TUiBitBtn::SetNumGlyphs(int value) {
    value = std::max(1, std::min(4, value));
    if (value == numGlyphs_) return;
    numGlyphs_ = value;
    Invalidate();
}

void TUiBitBtn::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TUiBitBtn::SetMargin(int value) {
    if (value < -1 || value == margin_) return;
    margin_ = value;
    Invalidate();
}

void TUiBitBtn::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    Invalidate();
}

void TUiBitBtn::SetImages(TCustomImageList* value) {
    if (value == images_) return;
    if (images_) images_->UnRegisterChanges(imageChangeLink_);
    images_ = value;
    if (images_) {
        images_->RegisterChanges(imageChangeLink_);
        images_->FreeNotification(this);
    }
    Invalidate();
}

void TUiBitBtn::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    Invalidate();
}

void TUiBitBtn::SetDisabledIndex(int value) {
    if (value == disabledIndex_) return;
    disabledIndex_ = value;
    Invalidate();
}

void TUiBitBtn::SetKind(TBitBtnKind value) {
    if (value == kind_) return;
    if (value == bkCustom) {
        kind_ = value;
        Invalidate();
        return;
    }
    const TKindPreset& preset = KindPresets[value];
    SetDefault(preset.IsDefault);
    SetCancel(preset.IsCancel);
    if (!InState(csLoading) || Caption().IsEmpty()) SetCaption(preset.Caption);
    SetModalResult(preset.Result);
    glyph_->Assign(GetBitBtnGlyph(value));
    numGlyphs_ = 2;
    glyphModified_ = false;
    kind_ = value;
    Invalidate();
}

TBitBtnKind TUiBitBtn::GetKind() {
    if (kind_ != bkCustom) {
        const TKindPreset& preset = KindPresets[kind_];
        if (Default() != preset.IsDefault || Cancel() != preset.IsCancel ||
            ModalResult() != preset.Result || glyphModified_)
            kind_ = bkCustom;
    }
    return kind_;
}

void TUiBitBtn::Notification(TComponent* component, TOperation operation) {
    TUiButton::Notification(component, operation);
    if (operation == opRemove && component == images_) SetImages(nullptr);
}

void TUiBitBtn::ChangeScale(int multiplier, int divider) {
    TUiButton::ChangeScale(multiplier, divider);
    margin_ = MulDiv(margin_, multiplier, divider);
    spacing_ = MulDiv(spacing_, multiplier, divider);
}

void TUiBitBtn::ActionChange(TObject* sender, bool checkDefaults) {
    TUiButton::ActionChange(sender, checkDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(sender))
        if (!checkDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
}

HPALETTE TUiBitBtn::GetPalette() { return glyph_->Palette(); }

TSize TUiBitBtn::GetImageSize() {
    if (images_ && imageIndex_ != -1) return {images_->Width(), images_->Height()};
    return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

bool TUiBitBtn::HasPicture() {
    return (images_ && imageIndex_ != -1) || !glyph_->Empty();
}

int TUiBitBtn::CaptionHeight() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    RECT r = ToRECT(TUiButton::GetCaptionRect());
    const AnsiString text = Caption();
    return DrawTextA(canvas->Handle(), text.c_str(), -1, &r, CaptionMeasureFlags);
}

TRect TUiBitBtn::GetCaptionRect() {
    TRect r = TUiButton::GetCaptionRect();
    if (!HasPicture()) return r;
    const TSize size = GetImageSize();
    const int w = size.cx, h = size.cy;
    if (margin_ >= 0) {
        const int room = margin_ + spacing_;
        switch (layout_) {
        case blGlyphLeft: r.Left += room + w; break;
        case blGlyphRight: r.Right -= room + w; break;
        case blGlyphTop: r.Top += room + h; break;
        case blGlyphBottom: r.Bottom -= room + h; break;
        }
        return r;
    }
    const int th = CaptionHeight();
    const int d = (Height() - (h + th + spacing_)) / 2;
    switch (layout_) {
    case blGlyphLeft: r.Left += w + spacing_ - 1; break;
    case blGlyphRight: r.Right -= w + spacing_ - 1; break;
    case blGlyphTop:
        r.Top += d + h;
        r.Bottom = r.Top + th;
        break;
    case blGlyphBottom:
        r.Top += d;
        r.Bottom = r.Top + th;
        break;
    }
    return r;
}

TRect TUiBitBtn::GetGlyphRect() {
    const bool themed = Themed();
    TRect r = TUiButton::GetCaptionRect();
    if (ShowPressed()) r = MovedRect(r, -1, themed ? 0 : -1);
    const TSize size = GetImageSize();
    const int w = size.cx, h = size.cy;
    if (margin_ >= 0) {
        switch (layout_) {
        case blGlyphLeft: r.Left += margin_; break;
        case blGlyphRight: r.Left = r.Right - margin_ - w; break;
        case blGlyphTop: r.Top += margin_; break;
        case blGlyphBottom: r.Top = r.Bottom - margin_ - h; break;
        }
    } else {
        const int th = CaptionHeight();
        const int d = (Height() - (h + th + spacing_)) / 2;
        switch (layout_) {
        case blGlyphLeft: break;
        case blGlyphRight: r.Left = r.Right - w; break;
        case blGlyphTop: r.Top = d; break;
        case blGlyphBottom: r.Top += th + d; break;
        }
    }
    if (layout_ == blGlyphLeft || layout_ == blGlyphRight)
        r.Top += (r.Bottom - r.Top - h + 1) / 2;
    else
        r.Left += (r.Right - r.Left - w + 1) / 2;
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
    if (ShowPressed()) r = MovedRect(r, themed ? 2 : 1, themed ? 0 : 1);
    return r;
}

void TUiBitBtn::DrawGlyph(TCanvas* canvas, const TRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    int cell = 0;
    if (numGlyphs_ == 4 && State() == bsExclusive) cell = 3;
    else if (numGlyphs_ >= 3 && (State() == bsDown || ShowPressed())) cell = 2;
    else if (numGlyphs_ >= 2 && !Enabled()) cell = 1;
    TBitmap work;
    work.SetSize(w, h);
    work.Canvas()->Brush()->SetColor(Color());
    work.Canvas()->CopyRect(TRect(0, 0, w, h), canvas, rect);
    DrawFullTransparentBitmap(work.Canvas(), glyph_, TRect(0, 0, w, h),
                              TRect(cell * w, 0, cell * w + w, h), glyph_->TransparentColor());
    canvas->Draw(rect.Left, rect.Top, &work);
}

void TUiBitBtn::DrawImage(TCanvas* canvas, const TRect& rect) {
    if (!images_) return;
    if (disabledIndex_ == -1) {
        if (imageIndex_ != -1) images_->Draw(canvas, rect.Left, rect.Top, imageIndex_, Enabled());
        return;
    }
    const int index = Enabled() ? imageIndex_ : disabledIndex_;
    if (index != -1) images_->Draw(canvas, rect.Left, rect.Top, index, true);
}

void TUiBitBtn::DrawButtonContent(TCanvas* canvas) {
    TUiButton::DrawButtonContent(canvas);
    if (GetKind() == bkCustom && images_ && imageIndex_ != -1)
        DrawImage(canvas, GetGlyphRect());
    else if (!glyph_->Empty())
        DrawGlyph(canvas, GetGlyphRect());
}

// ---------------------------------------------------------------------------------------------
TUiMenuButton::TUiMenuButton(TComponent* owner) : TUiBitBtn(owner) {
    ControlStyle.erase(csDoubleClicks);
    SetDragMode(dmManual);
    SetWidth(110);
}

void TUiMenuButton::SetDropDownMenu(TPopupMenu* value) {
    dropDownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TUiMenuButton::SetShowArrow(bool value) {
    if (value == showArrow_) return;
    showArrow_ = value;
    Invalidate();
}

void TUiMenuButton::Notification(TComponent* component, TOperation operation) {
    TUiBitBtn::Notification(component, operation);
    if (operation == opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

void TUiMenuButton::DropDown() {
    if (OnDropDown) OnDropDown(dropDownMenu_);
}

void TUiMenuButton::DoDropDown() {
    if (!dropDownMenu_) return;
    DropDown();
    PopupMenuBelow(this, dropDownMenu_);
}

void TUiMenuButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TUiBitBtn::MouseDown(button, shift, x, y);
    if (!dropDownMenu_ || shift != TShiftState{ssLeft}) return;
    press_.Press([this] { DoDropDown(); });
    TUiCustomButton::MouseUp(button, shift, x, y);
}

void TUiMenuButton::Click() {
    if (press_.SkipsClick()) return;
    if (!dropDownMenu_ || EnterClick()) return TUiBitBtn::Click();
    MouseDown(mbLeft, TShiftState{ssLeft}, 0, 0);
}

void TUiMenuButton::WndProc(TMessage& message) {
    if (message.Msg == WM_MOUSEMOVE && !trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, WindowHandle(), HOVER_DEFAULT};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    } else if (message.Msg == WM_MOUSELEAVE) {
        trackingLeave_ = false;
        Perform(CM_MOUSELEAVE);
    } else if (message.Msg == WM_KEYDOWN && message.WParam == VK_F4) {
        DoDropDown();
        press_.SkipNextClick();
    }
    TUiBitBtn::WndProc(message);
}

TRect TUiMenuButton::GetCaptionRect() {
    TRect r = TUiBitBtn::GetCaptionRect();
    if (showArrow_) {
        if (UseRightToLeftAlignment()) r.Left += 14;
        else r.Right -= 14;
    }
    return r;
}

TRect TUiMenuButton::GetGlyphRect() {
    TRect r = TUiBitBtn::GetGlyphRect();
    if (!showArrow_) return r;
    if (Layout() == blGlyphRight) return MovedRect(r, -14, 0);
    if (Layout() == blGlyphTop || Layout() == blGlyphBottom) return MovedRect(r, -7, 0);
    return r;
}

void TUiMenuButton::Paint() {
    TUiBitBtn::Paint();
    if (!showArrow_) return;
    const int shift = ShowPressed() ? 1 : 0;
    const int x = (UseRightToLeftAlignment() ? 8 : ClientWidth() - 12) + shift;
    const int y = ClientHeight() / 2 + 2 + shift;
    DrawDropDownArrow(Canvas(), x, y, Enabled());
}
