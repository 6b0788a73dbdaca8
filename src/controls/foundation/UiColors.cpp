#include "UiColors.h"

#include <algorithm>
#include <cmath>

#include "UiRegIniFile.h"
#include "UiThemeSrv.h"
#include "cl_graphics.h"
#include "cl_lists.h"
#include "cl_number.h"
#include "cl_settings.h"

namespace {

// Round to nearest, ties to even.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

const TUiSchemeColors& SchemeColors() {
    switch (CurrentXPColorScheme) {
    case xpcsGreen: return xpOfficeGreen;
    case xpcsSilver: return xpOfficeSilver;
    default: return xpOfficeBlue;
    }
}

bool Themed(TUiGradientColorStyle style) {
    return style == gcsMSOffice && ThemeServices()->GetThemesEnabled();
}

}  // namespace

const TUiSchemeColors xpOfficeBlue = {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3,
                                      0xEABB99, 0xBF7F57, 0xE7A27B, 0xD67563};
const TUiSchemeColors xpOfficeGreen = {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF,
                                       0x92C7B8, 0x77A17F, 0xADD9CC, 0x84BDA5};
const TUiSchemeColors xpOfficeSilver = {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9,
                                        0xD0BCBD, 0xB19F9F, 0xD4C8C4, 0xC8B3B1};

bool IsFullColorSupported() { return GetDeviceCaps(ScreenDC(), NUMCOLORS) == -1; }

TUiXPColorScheme GetXPColorScheme() {
    TRegistryIniFile store("\\Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ);
    const AnsiString name = UpperCase(store.ReadString("ThemeManager", "ColorName", ""));
    if (name == "HOMESTEAD") return xpcsGreen;
    if (name == "METALLIC") return xpcsSilver;
    return xpcsBlue;
}

bool FullColorSupported = IsFullColorSupported();
TUiXPColorScheme CurrentXPColorScheme = GetXPColorScheme();

void ColorToHSL(TColor color, uint8_t& h, uint8_t& s, uint8_t& l) {
    const TColor rgb = ColorToRGB(color);
    const double r = (rgb & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0,
                 b = ((rgb >> 16) & 0xFF) / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    const double lum = (max + min) / 2;
    double hue = 0, sat = 0;
    if (max != min) {
        const double d = max - min;
        sat = lum < 0.5 ? d / (max + min) : d / (2 - max - min);
        if (r == max)
            hue = (g - b) / d;
        else if (g == max)
            hue = (b - r) / d + 2;
        else
            hue = (r - g) / d + 4;
        hue /= 6;
        if (hue < 0) hue += 1;
    }
    h = static_cast<uint8_t>(RoundEven(hue * 240));
    s = static_cast<uint8_t>(RoundEven(sat * 240));
    l = static_cast<uint8_t>(RoundEven(lum * 240));
}

uint8_t ColorHue(TColor color) {
    uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return h;
}

uint8_t ColorSaturation(TColor color) {
    uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return s;
}

uint8_t ColorLuminance(TColor color) {
    uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return l;
}

TColor HSLtoColor(uint8_t hue, uint8_t saturation, uint8_t luminance) {
    const double h = hue / 239.0, s = saturation / 240.0, l = luminance / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0) return 0;
    const double m = 2 * l - v;
    const double sv = (v - m) / v;
    const double h6 = h * 6;
    const int sextant = static_cast<int>(h6);
    const double vsf = v * sv * (h6 - sextant);
    const double mid1 = m + vsf, mid2 = v - vsf;
    double r, g, b;
    switch (sextant) {
    case 1: r = mid2, g = v, b = m; break;
    case 2: r = m, g = v, b = mid1; break;
    case 3: r = m, g = mid2, b = v; break;
    case 4: r = mid1, g = m, b = v; break;
    case 5: r = v, g = m, b = mid2; break;
    default: r = v, g = mid1, b = m; break;
    }
    auto channel = [](double c) { return RoundEven(std::min(c, 1.0) * 255); };
    return Rgb(channel(r), channel(g), channel(b));
}

TColor DarkerColor(TColor color, uint8_t amount) {
    uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return HSLtoColor(h, s, static_cast<uint8_t>(std::max(l - amount, 0)));
}

TColor LighterColor(TColor color, uint8_t amount) {
    uint8_t h, s, l;
    ColorToHSL(color, h, s, l);
    return HSLtoColor(h, s, static_cast<uint8_t>(std::min(l + amount, 255)));
}

TColor AdjustColor(TColor color, int amount) {
    if (amount < 0) return DarkerColor(color, static_cast<uint8_t>(std::min(-amount, 255)));
    if (amount > 0) return LighterColor(color, static_cast<uint8_t>(std::min(amount, 255)));
    return color;
}

TColor BlendColors(TColor color1, TColor color2, uint8_t weight) {
    const TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
    const float f = weight / 255.0f;
    auto channel = [&](int shift) {
        const float c1 = static_cast<float>((a >> shift) & 0xFF);
        const float c2 = static_cast<float>((b >> shift) & 0xFF);
        return RoundEven(c1 * f + (1 - f) * c2) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

bool ColorsTooClose(TColor color1, TColor color2) {
    uint8_t h1, s1, l1, h2, s2, l2;
    ColorToHSL(color1, h1, s1, l1);
    ColorToHSL(color2, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor ComplementaryColor(TColor color, uint8_t luminance) {
    const uint8_t h = ColorHue(color);
    return HSLtoColor(static_cast<uint8_t>(h < 120 ? h + 120 : h - 120), 240, luminance);
}

TColor ComplementaryColor(TColor color) {
    return ComplementaryColor(color, ColorLuminance(color));
}

void GetGradientSelectionColors(TUiGradientColorStyle style, TColor& frame, TColor& start,
                                TColor& stop) {
    if (Themed(style)) {
        const TUiSchemeColors& scheme = SchemeColors();
        frame = scheme.Selection_FrameColor;
        start = scheme.Selection_ColorStart;
        stop = scheme.Selection_ColorStop;
    } else {
        const TColor blend = BlendColors(clHighlight, clWindow, 77);
        frame = clHighlight;
        start = LighterColor(blend, 20);
        stop = blend;
    }
    if (!FullColorSupported) start = stop;
}

void GetGradientPanelColors(TUiGradientColorStyle style, TColor& start, TColor& stop) {
    if (Themed(style)) {
        start = SchemeColors().Panel_ColorStart;
        stop = SchemeColors().Panel_ColorStop;
    } else {
        start = clWindow;
        stop = DarkerColor(clBtnFace, 10);
    }
}

TColor GetGradientPanelFrameColor(TUiGradientColorStyle style) {
    return Themed(style) ? SchemeColors().Panel_FrameColor : LighterColor(clBtnShadow, 30);
}

void GetGradientStatusBarColors(TUiGradientColorStyle style, TColor& a, TColor& b, TColor& c) {
    if (Themed(style)) {
        a = SchemeColors().Panel_ColorStop;
        b = SchemeColors().Panel_ColorStart;
        c = SchemeColors().Panel_ColorStop;
    } else {
        a = DarkerColor(clBtnFace, 20);
        b = clWindow;
        c = DarkerColor(clBtnFace, 40);
    }
}

void GetGradientGroupBarColors(TUiGradientColorStyle style, TColor& start, TColor& stop) {
    if (Themed(style)) {
        start = SchemeColors().GroupBar_ColorStart;
        stop = SchemeColors().GroupBar_ColorStop;
    } else {
        start = BlendColors(clBlack, clBtnFace, 40);
        stop = BlendColors(clBlack, clBtnFace, 80);
    }
}

void GetGradientGroupItemColors(TUiGradientColorStyle style, TColor& c1, TColor& c2) {
    const bool themed = Themed(style);
    switch (CurrentXPColorScheme) {
    case xpcsSilver: c1 = 0x3D3D3F, c2 = 0x7C7C7E; return;
    case xpcsGreen:
        if (themed) {
            c1 = 0x2D6656, c2 = 0x1D9272;
            return;
        }
        break;
    default:
        if (themed) {
            c1 = 0xC65D21, c2 = 0xFF8E42;
            return;
        }
        break;
    }
    c1 = DarkerColor(clHighlight, 30);
    c2 = clHighlight;
}

void GetGradientOutlookGroupColors(TUiGradientColorStyle style, TColor& c1, TColor& c2,
                                   TColor& c3, TColor& c4, TColor& c5, TColor& c6) {
    const bool themed = Themed(style);
    if (CurrentXPColorScheme == xpcsSilver) {
        c3 = themed ? 0x3D3D3F : 0x000000;
        c4 = themed ? 0x7C7C7E : 0x555556;
    } else if (themed && CurrentXPColorScheme == xpcsGreen) {
        c3 = 0x1C674B, c4 = 0x1D9272;
    } else if (themed) {
        c3 = 0xA53C00, c4 = 0xFF8E42;
    } else {
        c3 = DarkerColor(clHighlight, 30), c4 = clHighlight;
    }
    GetGradientPanelColors(style, c1, c2);
    c5 = c1;
    c6 = c2;
}

void GetGradientCategoryGroupColors(TUiGradientColorStyle style, bool flag, TColor c[10]) {
    static const TColor themedColors[3][2][10] = {
        {{0xFFFFFF, 0xFFFFFF, 0xF7D3C6, 0xA53C00, 0xFF8E42, 0xFCFCFC, 0xD9BAB3, 0xC56A31,
          0xF7DFD6, 0xFFFFFF},
         {0xC56A31, 0xBE500F, 0xCE5D29, 0xFFFFFF, 0xF7DFD6, 0xC35E2F, 0xDE9A6A, 0xC56A31,
          0xFFF3EF, 0xFFFFFF}},
        {{0xB8E7E0, 0xD5F3F1, 0xB8E7E0, 0x1C674B, 0x1D9272, 0xFCFCFC, 0xBED5CA, 0x70A093,
          0xECF6F6, 0xFFFFFF},
         {0x70A093, 0x4E9682, 0x67A896, 0xFFFFFF, 0xA9D6C8, 0x4FA382, 0x81B7A9, 0x70A093,
          0xECF6F6, 0xFFFFFF}},
        {{0xE0D7D6, 0xFCFBFB, 0xE0D7D6, 0x3D3D3F, 0x7C7C7E, 0xFCFCFC, 0xD1C5C3, 0xBFB4B2,
          0xF5F1F0, 0xFFFFFF},
         {0xAB9594, 0xA58D8C, 0xC7B6B4, 0xFFFFFF, 0xE0D7D6, 0x96746E, 0xDEC7C1, 0xBFB4B2,
          0xF5F1F0, 0xFFFFFF}}};
    if (Themed(style)) {
        std::copy_n(themedColors[CurrentXPColorScheme][flag ? 1 : 0], 10, c);
        return;
    }
    const bool silver = CurrentXPColorScheme == xpcsSilver;
    if (!flag) {
        const TColor list[10] = {clBtnFace, clWindow, DarkerColor(clBtnFace, 10),
                                 silver ? 0x000000 : DarkerColor(clHighlight, 30),
                                 silver ? 0x555556 : clHighlight, clWindow,
                                 DarkerColor(clBtnFace, 20), clHighlight, clBtnFace, 0xFFFFFF};
        std::copy_n(list, 10, c);
    } else {
        const TColor list[10] = {clHighlight, clHighlight, DarkerColor(clHighlight, 20),
                                 clHighlightText, LighterColor(clHighlight, 30), clHighlight,
                                 LighterColor(clHighlight, 30), clHighlight, clBtnFace, 0xFFFFFF};
        std::copy_n(list, 10, c);
    }
}

TColor GetXPThemeColor(TUiXPThemeColor which) {
    TThemeServices* services = ThemeServices();
    if (!services->GetThemesEnabled()) return clBtnFace;
    struct Source {
        TThemedElementDetails details;
        int property;
    };
    const Source sources[] = {
        {TThemeServices::GetElementDetails(teEditRoot), 3801},
        {TThemeServices::GetElementDetails(tebNormalGroupBackground), 3803},
        {TThemeServices::GetElementDetails(tebSpecialGroupBackground), 3803},
        {TThemeServices::GetElementDetails(tebNormalGroupBackground), 3802},
        {TThemeServices::GetElementDetails(tebExplorerBarRoot), 3810},
        {TThemeServices::GetElementDetails(tebSpecialGroupHead), 3802},
        {TThemeServices::GetElementDetails(tbGroupBoxNormal), 3803}};
    const Source& source = sources[which];
    auto getColor = UxTheme::Entry<UxTheme::GetThemeColorProc>(UxTheme::eGetThemeColor);
    COLORREF color = 0;
    if (!getColor || FAILED(getColor(services->GetTheme(source.details.Element),
                                     source.details.Part, source.details.State, source.property,
                                     &color)))
        return clBtnFace;
    return static_cast<TColor>(color);
}

TUiCustomColors::TUiCustomColors(TComponent* owner)
    : TComponent(owner), colors_(new TStringList) {
    for (char letter = 'A'; letter <= 'P'; ++letter)
        colors_->Add(AnsiString("Color") + letter + "=FFFFFF");
}

TUiCustomColors::~TUiCustomColors() { delete colors_; }

void TUiCustomColors::SetColors(TStrings* list) {
    colors_->Assign(list);
    Normalize();
}

void TUiCustomColors::Normalize() {
    for (int i = 0; i < colors_->Count(); ++i) {
        const int value = StrToInt("$" + colors_->ValueFromIndex(i)) & 0xFFFFFF;
        colors_->Put(i, colors_->Names(i) + "=" + IntToHex(value, 6).UpperCase());
    }
}

void TUiCustomColors::SetRegIniFile(TUiRegIniFile* store) {
    if (store == regIniFile_) return;
    if (regIniFile_) regIniFile_->RemoveFreeNotification(this);
    regIniFile_ = store;
    if (regIniFile_) regIniFile_->FreeNotification(this);
}

void TUiCustomColors::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == regIniFile_) regIniFile_ = nullptr;
}

void TUiCustomColors::Load(const AnsiString& section) {
    if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFileColorsLoad);
    // Both kinds of store replace the defaults (a registry section is read by appending).
    colors_->Clear();
    regIniFile_->ReadSectionValues(section, colors_);
    Normalize();
}

void TUiCustomColors::Save(const AnsiString& section) {
    if (!regIniFile_) throw ENoRegIniFile(SNoRegIniFileColorsSave);
    for (int i = 0; i < colors_->Count(); ++i)
        regIniFile_->WriteString(section, colors_->Names(i), colors_->ValueFromIndex(i));
}

AnsiString TUiCustomColors::GetColorName(int index) const { return colors_->Names(index); }

namespace {

// The published properties, for the component streams.
const bool customColorsPropertiesRegistered = [] {
    using C = TUiCustomColors;
    RegisterProperty(C::StaticClass(), SubObjectProperty<C>("Colors", &C::Colors));
    RegisterProperty(C::StaticClass(), ComponentProperty<C, TUiRegIniFile>(
                                           "RegIniFile", &C::RegIniFile, &C::SetRegIniFile));
    return true;
}();

}  // namespace
