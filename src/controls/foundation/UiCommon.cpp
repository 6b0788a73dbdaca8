#include "UiCommon.h"

namespace {

constexpr TColor OfficeLight = 0xFEECDD;
constexpr TColor OfficeDark = 0xE2A981;
constexpr TColor OfficeShade = 0xB77D59;

// The colour `step` of `steps` of the way from `start` to `stop`.
TColor Blend(TColor start, TColor stop, int step, int steps) {
    const int a = ColorToRGB(start), b = ColorToRGB(stop);
    auto channel = [&](int shift) {
        const int from = (a >> shift) & 0xFF, to = (b >> shift) & 0xFF;
        return (from + (to - from) * step / (steps > 0 ? steps : 1)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

}  // namespace

void GetGradientPanelColors(TUiGradientColorStyle style, TColor& start, TColor& stop) {
    if (style == gcsMSOffice) {
        start = OfficeLight;
        stop = OfficeDark;
    } else {
        start = clWhite;
        stop = clBtnFace;
    }
}

void GetGradientStatusBarColors(TUiGradientColorStyle style, TColor& a, TColor& b, TColor& c) {
    if (style == gcsMSOffice) {
        a = OfficeLight;
        b = OfficeDark;
        c = OfficeShade;
    } else {
        a = clBtnFace;
        b = clBtnShadow;
        c = cl3DDkShadow;
    }
}

void PaintGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                   TColor start, TColor stop) {
    const bool acrossX = direction == gdVerticalEnd || direction == gdVerticalCenter;
    const bool mirrored = direction == gdHorizontalCenter || direction == gdVerticalCenter;
    const int length = acrossX ? rect.Width() : rect.Height();
    if (length <= 0) return;
    const int half = (length + 1) / 2;
    for (int i = 0; i < length; ++i) {
        const int step = mirrored ? (i < half ? i : length - 1 - i) : i;
        canvas->Brush()->SetColor(Blend(start, stop, step, mirrored ? half : length - 1));
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(acrossX ? TRect(rect.Left + i, rect.Top, rect.Left + i + 1, rect.Bottom)
                                 : TRect(rect.Left, rect.Top + i, rect.Right, rect.Top + i + 1));
    }
}
