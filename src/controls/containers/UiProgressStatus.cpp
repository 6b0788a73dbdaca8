#include "UiProgressStatus.h"

#include "cl_string.h"

namespace {
constexpr int LedSegments = 15;
}  // namespace

TUiProgressStatus::TUiProgressStatus(TComponent* owner) : TUiCustomStatusPane(owner) {}

void TUiProgressStatus::SetPercent(uint16_t percent) {
    if (percent == percent_) return;
    percent_ = percent;
    Repaint();
}

void TUiProgressStatus::SetBarStyle(TBarStyle style) {
    if (style == barStyle_) return;
    barStyle_ = style;
    Invalidate();
}

void TUiProgressStatus::SetBarColor(TColor color) {
    if (color == barColor_) return;
    barColor_ = color;
    Invalidate();
}

void TUiProgressStatus::SetBarColorStop(TColor color) {
    if (color == barColorStop_) return;
    barColorStop_ = color;
    Invalidate();
}

void TUiProgressStatus::SetShowPercent(bool value) {
    if (value == showPercent_) return;
    showPercent_ = value;
    Invalidate();
}

AnsiString TUiProgressStatus::DisplayText() {
    return showPercent_ ? IntToStr(percent_) + "%" : AnsiString();
}

void TUiProgressStatus::Paint() {
    TRect inside;
    PaintFrame(inside);
    PaintBar(inside);
    PaintText(inside, DisplayText());
}

void TUiProgressStatus::PaintBar(const TRect& bar) {
    const int shown = Min<int>(percent_, 100);
    TRect filled = bar;
    filled.Right = bar.Left + bar.Width() * shown / 100;
    if (filled.Width() <= 0) return;
    TCanvas* canvas = Canvas();
    if (barStyle_ == bsGradient) {
        PaintGradient(canvas, filled, gdHorizontalCenter, barColorStop_, barColor_);
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(barColor_);
    if (barStyle_ == bsTraditional) {
        canvas->FillRect(filled);
        return;
    }
    const int segment = Max(1, bar.Width() / LedSegments);
    for (int x = filled.Left; x < filled.Right; x += segment)
        canvas->FillRect(TRect(x, filled.Top, Min(x + segment - 1, filled.Right), filled.Bottom));
}
