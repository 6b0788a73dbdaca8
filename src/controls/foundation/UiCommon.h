// Shared definitions of the control library: visual styles, gradient colour sources and
// directions, and the gradient fill that panels, bars and panes paint with.
#pragma once

#include "cl_graphics.h"

enum TUiVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TUiGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum TOrientation { orHorizontal, orVertical };
enum TGradientDirection {
    gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
    gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox
};

// Start and stop colours of a panel's gradient for a colour style.
void GetGradientPanelColors(TUiGradientColorStyle style, TColor& start, TColor& stop);
// The three colours of a status bar's gradient: top, bottom and the separator shade.
void GetGradientStatusBarColors(TUiGradientColorStyle style, TColor& a, TColor& b, TColor& c);

// Fills `rect` from `start` to `stop`. The horizontal directions shade from top to bottom
// (gdHorizontalCenter: to the middle and back), the vertical ones from left to right; the
// others fall back to top-to-bottom.
void PaintGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                   TColor start, TColor stop);
