#include "UiProgressBar.h"

#include <algorithm>
#include <cmath>

#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiStatusBar.h"
#include "UiThemeSrv.h"
#include "cl_graphics.h"

namespace {

// Pixels at the right of a bar on a status bar that stay with the status bar's size grip.
constexpr int GripWidth = 12;

void Shrink(TRect& rect, int dx, int dy) { InflateRect(reinterpret_cast<RECT*>(&rect), -dx, -dy); }

}  // namespace

TUiCustomProgressBar::TUiCustomProgressBar(TComponent* owner) : TGraphicControl(owner) {
    ControlStyle.insert(csOpaque);
    SetBounds(Left(), Top(), 200, 24);
    Font()->SetColor(barColor_);
}

void TUiCustomProgressBar::BeforeDestruction() {
    SetFrameController(nullptr);
    TGraphicControl::BeforeDestruction();
}

void TUiCustomProgressBar::SetBarColor(TColor value) {
    if (value == barColor_) return;
    barColor_ = value;
    Font()->SetColor(value);
    Invalidate();
}

void TUiCustomProgressBar::SetBarStyle(TBarStyle value) {
    if (value == barStyle_) return;
    barStyle_ = value;
    showPercent_ = value != bsLED;
    interiorOffset_ = value == bsLED ? 1 : 0;
    Invalidate();
}

void TUiCustomProgressBar::SetFrameController(TUiFrameController* value) {
    TUiFrameController::Relink(this, frameController_, value);
}

void TUiCustomProgressBar::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TUiCustomProgressBar::SetTotalParts(unsigned value) {
    if (value == totalParts_) return;
    totalParts_ = value;
    if (InState(csLoading)) return;
    partsComplete_ = 0;
    SetPercent(0);
}

void TUiCustomProgressBar::SetPartsComplete(unsigned value) {
    value = std::min(value, totalParts_);
    if (value == partsComplete_) return;
    partsComplete_ = value;
    if (InState(csLoading) || totalParts_ == 0) return;
    SetPercent(static_cast<uint16_t>(std::nearbyint(100.0 * value / totalParts_)));
}

void TUiCustomProgressBar::SetPercent(uint16_t value) {
    if (value == percent_) return;
    percent_ = value;
    PercentChanged();
    Invalidate();
}

void TUiCustomProgressBar::PercentChanged() {
    if (OnChange) OnChange(this, percent_);
}

void TUiCustomProgressBar::SetBounds(int left, int top, int width, int height) {
    TGraphicControl::SetBounds(left, top, width, height);
    orientation_ = Width() < Height() ? orVertical : orHorizontal;
}

TUiStatusBar* TUiCustomProgressBar::StatusBar() const {
    return dynamic_cast<TUiStatusBar*>(Parent());
}

bool TUiCustomProgressBar::UseThemes() const {
    if (!themeAware_ || !ThemeServices()->GetThemesEnabled()) return false;
    const TUiStatusBar* statusBar = StatusBar();
    return !statusBar || statusBar->VisualStyle() == vsWinXP;
}

void TUiCustomProgressBar::Dispatch(TMessage& message) {
    TGraphicControl::Dispatch(message);
    if (message.Msg != CM_HITTEST) return;
    TUiStatusBar* statusBar = StatusBar();
    const TPoint point(message.XPos(), message.YPos());
    if (!statusBar || point.X < ClientRect().Right - GripWidth) return;
    const TPoint screen = ClientToScreen(point);
    message.Result = statusBar->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
}

void TUiCustomProgressBar::CustomFramingChanged() {
    if (!frameController_ || !frameController_->FrameVisible()) return;
    auto admitted = [this](TUiFrameControllerProperty p) { return (notifications_ >> p) & 1; };
    if (admitted(fcpFrameStyle)) borderOuter_ = frameController_->FrameStyle();
    if (admitted(fcpFrameColor)) {
        flatColor_ = frameController_->FrameColor();
        flatColorAdjustment_ = 0;
    }
    if (admitted(fcpColor)) backColor_ = frameController_->Color();
    if (admitted(fcpParentColor)) SetParentColor(frameController_->ParentColor());
    Invalidate();
}

TRect TUiCustomProgressBar::PaintStatusPane(TCanvas* canvas, TRect rect) {
    TUiStatusBar* statusBar = StatusBar();
    TBitmap background;
    background.SetSize(statusBar->Width(), statusBar->Height());
    ThemeServices()->DrawElement(background.Canvas()->Handle(),
                                 TThemeServices::GetElementDetails(tsStatusRoot),
                                 TRect(0, 0, statusBar->Width(), statusBar->Height()));
    BitBlt(canvas->Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(),
           background.Canvas()->Handle(), Left(), Top(), SRCCOPY);
    ThemeServices()->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(tsPane),
                                 rect);
    if (interiorOffset_ == 0)
        Shrink(rect, 3, 2);
    else
        Shrink(rect, interiorOffset_ + 2, interiorOffset_ + 1);
    return rect;
}

TRect TUiCustomProgressBar::PaintFrame(TCanvas* canvas, TRect rect) {
    if (UseThemes()) {
        const bool onStatusBar = StatusBar() != nullptr;
        if (onStatusBar) rect = PaintStatusPane(canvas, rect);
        ThemeServices()->DrawElement(
            canvas->Handle(),
            TThemeServices::GetElementDetails(orientation_ == orVertical ? tpBarVert : tpBar),
            rect);
        const int inset = interiorOffset_ + (barStyle_ == bsLED ? 1 : 3);
        Shrink(rect, inset, inset);
        return rect;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(borderColor_);
    canvas->FillRect(rect);
    const TColor parentColor = Parent() ? Parent()->Color() : Color();
    rect = DrawInnerOuterBorders(canvas, rect, borderOuter_, borderInner_, borderWidth_, AllSides,
                                 bevelWidth_, borderColor_, clBtnHighlight, clBtnShadow,
                                 flatColor_, flatColorAdjustment_, backColor_, parentColor, false,
                                 true);
    if (interiorOffset_ > 0) {
        canvas->Pen()->SetColor(backColor_);
        canvas->Pen()->SetWidth(1);
        canvas->Brush()->SetStyle(bsClear);
        TRect ring = rect;
        for (int i = 0; i < interiorOffset_; ++i) {
            canvas->Rectangle(ring.Left, ring.Top, ring.Right, ring.Bottom);
            InflateRect(reinterpret_cast<RECT*>(&ring), -1, -1);
        }
        rect = ring;
    }
    return rect;
}

void TUiCustomProgressBar::PaintBar(TCanvas* canvas, const TRect& rect) {
    switch (barStyle_) {
    case bsTraditional:
        DrawPercentBar(canvas, rect, orientation_, barColor_, backColor_, percent_, showPercent_,
                       false);
        break;
    case bsLED:
        DrawLEDBar(canvas, rect, orientation_, barColor_, backColor_, numSegments_, percent_,
                   themeAware_, false);
        break;
    case bsGradient:
        DrawGradientPercentBar(canvas, rect, orientation_, barColor_, barColorStop_, backColor_,
                               backColorStop_, gradientDirection_, percent_, showPercent_, false);
        break;
    }
}

void TUiCustomProgressBar::Paint() {
    TBitmap image;
    image.SetSize(Width(), Height());
    TCanvas* canvas = image.Canvas();
    canvas->Font()->Assign(Font());
    const TRect inner = PaintFrame(canvas, TRect(0, 0, Width(), Height()));
    PaintBar(canvas, inner);
    Canvas()->Draw(0, 0, &image);
}
