// Colour arithmetic shared by the controls: an HSL model on a 0..240 scale, shades and blends,
// the Office-like gradient colours of each colour scheme, and the user's custom colours.
#pragma once

#include <cstdint>

#include "UiCommon.h"
#include "cl_component.h"

class TStringList;
class TStrings;
class TUiRegIniFile;

// Set once at start-up: the screen shows more than 256 colours, and the active colour scheme.
extern bool FullColorSupported;
extern TUiXPColorScheme CurrentXPColorScheme;
bool IsFullColorSupported();
TUiXPColorScheme GetXPColorScheme();

void ColorToHSL(TColor color, uint8_t& h, uint8_t& s, uint8_t& l);
uint8_t ColorHue(TColor color);
uint8_t ColorSaturation(TColor color);
uint8_t ColorLuminance(TColor color);
TColor HSLtoColor(uint8_t h, uint8_t s, uint8_t l);
TColor DarkerColor(TColor color, uint8_t amount);
TColor LighterColor(TColor color, uint8_t amount);
// Negative darkens, positive lightens, 0 returns the colour as given.
TColor AdjustColor(TColor color, int amount);
// Weight 255 gives colour1, 0 colour2.
TColor BlendColors(TColor color1, TColor color2, uint8_t weight);
bool ColorsTooClose(TColor color1, TColor color2);
TColor ComplementaryColor(TColor color, uint8_t luminance);
TColor ComplementaryColor(TColor color);

// The eight colours of each colour scheme.
struct TUiSchemeColors {
    TColor Selection_FrameColor, Selection_ColorStart, Selection_ColorStop;
    TColor Panel_ColorStart, Panel_ColorStop, Panel_FrameColor;
    TColor GroupBar_ColorStart, GroupBar_ColorStop;
};
extern const TUiSchemeColors xpOfficeBlue, xpOfficeGreen, xpOfficeSilver;

void GetGradientSelectionColors(TUiGradientColorStyle style, TColor& frame, TColor& start,
                                TColor& stop);
void GetGradientPanelColors(TUiGradientColorStyle style, TColor& start, TColor& stop);
TColor GetGradientPanelFrameColor(TUiGradientColorStyle style);
void GetGradientStatusBarColors(TUiGradientColorStyle style, TColor& a, TColor& b, TColor& c);
void GetGradientGroupBarColors(TUiGradientColorStyle style, TColor& start, TColor& stop);
void GetGradientOutlookGroupColors(TUiGradientColorStyle style, TColor& c1, TColor& c2,
                                   TColor& c3, TColor& c4, TColor& c5, TColor& c6);
void GetGradientGroupItemColors(TUiGradientColorStyle style, TColor& c1, TColor& c2);
// c[0] .. c[9].
void GetGradientCategoryGroupColors(TUiGradientColorStyle style, bool flag, TColor c[10]);
// A colour of the active visual style; clBtnFace when none is in force or it names none.
TColor GetXPThemeColor(TUiXPThemeColor which);

// A user's sixteen custom colours, "ColorA=FFFFFF" .. "ColorP=FFFFFF", kept in a store.
class TUiCustomColors : public TComponent {
    CL_COMPONENT_CLASS(TUiCustomColors, TComponent)

    explicit TUiCustomColors(TComponent* owner);

    TStringList* Colors() const { return colors_; }
    // Copies the lines and writes each value as six upper-case hexadecimal digits.
    void SetColors(TStrings* list);
    TUiRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TUiRegIniFile* store);
    // The list becomes the section's lines (a value that is not hexadecimal raises
    // EConvertError); ENoRegIniFile without a store.
    void Load(const AnsiString& section);
    void Save(const AnsiString& section);
    AnsiString GetColorName(int index) const;

protected:
    ~TUiCustomColors() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void Normalize();

    TStringList* colors_;
    TUiRegIniFile* regIniFile_ = nullptr;
};
