#include "UiProgressBar.h"

#include <algorithm>
#include <cmath>

#include "UiDrawing.h"
#include "UiFrameController.h"
#include "UiThemeSrv.h"
#include "cl_graphics.h"

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
    if (value == frameController_) return;
    if (frameController_) {
        frameController_->RemoveControl(this);
        frameController_->RemoveFreeNotification(this);
    }
    frameController_ = value;
    if (frameController_) {
        frameController_->FreeNotification(this);
        frameController_->AddControl(this);
    }
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

bool TUiCustomProgressBar::UseThemes() const {
    return themeAware_ && ThemeServices()->GetThemesEnabled();
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

TRect TUiCustomProgressBar::PaintFrame(TCanvas* canvas, TRect rect) {
    if (UseThemes()) {
        const HDC dc = canvas->Handle();
        ThemeServices()->DrawElement(
            dc, TThemeServices::GetElementDetails(orientation_ == orVertical ? tpBarVert : tpBar),
            rect);
        const int inset = interiorOffset_ + (barStyle_ == bsLED ? 1 : 3);
        InflateRect(reinterpret_cast<RECT*>(&rect), -inset, -inset);
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
