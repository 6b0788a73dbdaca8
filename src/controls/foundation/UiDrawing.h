// Border, frame, bar and glyph drawing of the controls: free functions on a canvas that return
// the rectangle left inside what they drew.
#pragma once

#include <windows.h>

#include "UiCommon.h"
#include "cl_graphics.h"
#include "cl_stdctrls.h"

class TWinControl;

// Upper-left and lower-right line colours per TFrameStyle.
extern const TColor ULFrameColor[FrameStyleCount];
extern const TColor LRFrameColor[FrameStyleCount];

TRect DrawSides(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, TSides sides);
TRect DrawBevel(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, int width,
                TSides sides);
TRect DrawBox(TCanvas* canvas, const TRect& rect, TColor color);
TRect DrawBoxCorners(TCanvas* canvas, const TRect& rect, TColor color, int size);
TRect DrawDashedBorder(TCanvas* canvas, const TRect& rect, TColor color);
TRect DrawFocusBorder(TCanvas* canvas, const TRect& rect);
TRect DrawRoundedFlatBorder(TCanvas* canvas, const TRect& rect, TColor color, TSides sides);
TRect DrawCtl3DBorder(TCanvas* canvas, const TRect& rect, bool sunken);
TRect DrawCtl3DBorderSides(TCanvas* canvas, const TRect& rect, bool sunken, TSides sides);
TRect DrawButtonBorder(TCanvas* canvas, const TRect& rect, bool down);
TRect DrawButtonBorderSides(TCanvas* canvas, const TRect& rect, bool down, TSides sides);
TRect DrawColorButtonBorder(TCanvas* canvas, const TRect& rect, TColor color, bool down);
TRect DrawColorButtonBorderSides(TCanvas* canvas, const TRect& rect, TColor color, bool down,
                                 TSides sides);
TRect DrawBorder(TCanvas* canvas, const TRect& rect, TFrameStyleEx style);
TRect DrawBorderSides(TCanvas* canvas, const TRect& rect, TFrameStyleEx style, TSides sides);
TRect DrawColorBorder(TCanvas* canvas, const TRect& rect, TColor color, TFrameStyleEx style);
TRect DrawColorBorderSides(TCanvas* canvas, const TRect& rect, TColor color, TFrameStyleEx style,
                           TSides sides);
TRect DrawInnerOuterBorders(TCanvas* canvas, const TRect& rect, TFrameStyleEx outer,
                            TFrameStyleEx inner, int borderWidth, TSides sides, int bevelWidth,
                            TColor borderColor, TColor highlightColor, TColor shadowColor,
                            TColor flatColor, int flatColorAdjustment, TColor color,
                            TColor parentColor, bool transparent, bool softInnerFlat);
// The two-pixel non-client frame of framed edits, in window coordinates.
void DrawFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor color,
               TColor frameColor, TSides sides, bool skipFill);
void DrawGroupBarBackground(TCanvas* canvas, const TRect& rect, TUiVisualStyle visualStyle,
                            TUiGradientColorStyle colorStyle, TUiGroupBarGradientPath path,
                            TColor start, TColor stop);
// Percent is clamped to 0..100.
void DrawLEDBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                TColor backColor, int segments, int percent, bool themeAware, bool transparent);
void DrawPercentBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                    TColor barColor, TColor backColor, unsigned percent, bool showPercent,
                    bool transparent);
void DrawGradientPercentBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                            TColor barColor, TColor barStopColor, TColor backColor,
                            TColor backStopColor, TGradientDirection direction, unsigned percent,
                            bool showPercent, bool transparent);
void DrawDropShadow(TCanvas* canvas, const TRect& rect, int depth, TColor shadowColor);
void DrawDropDownArrow(TCanvas* canvas, const TRect& rect, TUiUIStyle style, bool down,
                       bool enabled);
void DrawSpinArrow(TCanvas* canvas, const TRect& rect, TUiUIStyle style, TDirection direction,
                   bool down, bool enabled);
void DrawCloseX(TCanvas* canvas, const TRect& rect, TUiUIStyle style, bool down, bool enabled);
void DrawHighlightBox(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                      TColor start, TColor stop);

// The colours a check box or radio button passes for its glyph.
struct TUiGlyphColors {
    TColor Frame, Check, Fill, Focus, Disabled, HotLight, Hot;
    TColor ReadOnly;
};
void DrawCheckBox(TCanvas* canvas, const TRect& rect, TCheckBoxState state,
                  TUiButtonDisplayState display, bool focused, TUiButtonHotTrackStyle hotStyle,
                  const TUiGlyphColors& colors, bool readOnly, bool readOnlyColorOnFocus);
void DrawRadioButton(TCanvas* canvas, const TRect& rect, bool checked,
                     TUiButtonDisplayState display, bool focused, TUiButtonHotTrackStyle hotStyle,
                     const TUiGlyphColors& colors, TColor color, bool transparent,
                     TColor transparentColor, bool readOnly, bool readOnlyColorOnFocus);

void InvalidateWindowFrame(HWND window, const TRect& rect);
// Invalidates every child whose published Transparent property is true.
void InvalidateControls(TWinControl* container);
