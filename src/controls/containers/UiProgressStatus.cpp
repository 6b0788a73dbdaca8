#include "UiProgressStatus.h"

#include <algorithm>
#include <vector>

#include "UiDrawing.h"

namespace {

const std::vector<AnsiString> GradientDirectionIdents = {
    "gdDiagonalUp",    "gdDiagonalDown", "gdHorizontalEnd", "gdHorizontalCenter",
    "gdHorizontalBox", "gdVerticalEnd",  "gdVerticalCenter", "gdVerticalBox",
    "gdSquareBox",     "gdBigSquareBox"};

const bool progressPropertiesRegistered = [] {
    using C = TUiProgressStatus;
    const TMetaClass* meta = C::StaticClass();
    RegisterProperty(meta, OrdinalProperty<C>("Percent", pkInteger, &C::Percent, &C::SetPercent, 0));
    RegisterProperty(meta, OrdinalProperty<C>("TotalParts", pkInteger, &C::TotalParts,
                                              &C::SetTotalParts, 0));
    RegisterProperty(meta, OrdinalProperty<C>("PartsComplete", pkInteger, &C::PartsComplete,
                                              &C::SetPartsComplete, 0));
    RegisterProperty(meta, OrdinalProperty<C>("NumSegments", pkInteger, &C::NumSegments,
                                              &C::SetNumSegments, 15));
    RegisterProperty(meta, OrdinalProperty<C>("ShowPercent", pkBool, &C::ShowPercent,
                                              &C::SetShowPercent, false));
    const struct {
        const char* name;
        TColor (C::*get)() const;
        void (C::*set)(TColor);
        TColor def;
    } colors[] = {{"BarColor", &C::BarColor, &C::SetBarColor, clHighlight},
                  {"BarColorStop", &C::BarColorStop, &C::SetBarColorStop, clHotLight},
                  {"BackColor", &C::BackColor, &C::SetBackColor, clBtnFace},
                  {"BackColorStop", &C::BackColorStop, &C::SetBackColorStop, clBtnFace}};
    for (const auto& p : colors)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkColor, p.get, p.set, p.def));
    RegisterProperty(meta, EnumProperty<C>("BarStyle", &C::BarStyle, &C::SetBarStyle,
                                           {"bsTraditional", "bsLED", "bsGradient"},
                                           bsTraditional));
    RegisterProperty(meta, EnumProperty<C>("GradientDirection", &C::GradientDirection,
                                           &C::SetGradientDirection, GradientDirectionIdents,
                                           gdHorizontalCenter));
    RegisterClass(meta);
    return true;
}();

}  // namespace

void DrawStatusPercentBar(TCanvas* canvas, const TRect& rect, const TUiStatusBarLook& look,
                          unsigned percent) {
    switch (look.style) {
    case bsTraditional:
        DrawPercentBar(canvas, rect, look.orientation, look.barColor, look.backColor, percent,
                       look.showPercent, true);
        break;
    case bsLED:
        // The segments end at the bar's end; a percentage beyond 100 lights them all.
        DrawLEDBar(canvas, rect, look.orientation, look.barColor, look.backColor, look.segments,
                   static_cast<int>(std::min(percent, 100u)), false, true);
        break;
    case bsGradient:
        DrawGradientPercentBar(canvas, rect, look.orientation, look.barColor, look.barColorStop,
                               look.backColor, look.backColorStop, look.direction, percent,
                               look.showPercent, true);
        break;
    }
}

TUiProgressStatus::TUiProgressStatus(TComponent* owner) : TUiCustomStatusPane(owner) {
    SetShowHint(true);
}

void TUiProgressStatus::SetPercent(uint16_t value) {
    if (value == percent_) return;
    percent_ = value;
    Repaint();
}

void TUiProgressStatus::SetPartsComplete(unsigned value) {
    if (value == partsComplete_) return;
    partsComplete_ = std::min(value, totalParts_);
    if (InState(csLoading) || totalParts_ == 0) return;
    SetPercent(static_cast<uint16_t>(Round(partsComplete_ * 100.0L / totalParts_)));
}

void TUiProgressStatus::SetTotalParts(unsigned value) {
    if (value == totalParts_) return;
    totalParts_ = value;
    if (InState(csLoading)) return;
    partsComplete_ = 0;
    SetPercent(0);
}

void TUiProgressStatus::SetBarStyle(TBarStyle value) {
    if (value == barStyle_) return;
    barStyle_ = value;
    showPercent_ = false;
    Invalidate();
}

void TUiProgressStatus::SetNumSegments(int value) { Change(numSegments_, std::clamp(value, 1, 100)); }

void TUiProgressStatus::Paint() {
    DrawStatusBorder();
    Canvas()->SetFont(Font());
    TRect bar = GetCaptionRect();
    bar.Top += 1;
    bar.Bottom -= 1;
    const TUiStatusBarLook look = {barStyle_,       orHorizontal,      barColor_,
                                   barColorStop_,   backColor_,        backColorStop_,
                                   gradientDirection_, numSegments_,   showPercent_};
    DrawStatusPercentBar(Canvas(), bar, look, percent_);
}
