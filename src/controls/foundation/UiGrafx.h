// Bitmap and gradient helpers of the controls: transparent, tiled and centred bitmaps, a
// vertical mirror, two-colour gradients in ten directions, trapezoids and parent images.
#pragma once

#include <windows.h>

#include <cstdint>

#include "UiCommon.h"
#include "cl_graphics.h"

class TControl;

struct TTrap {
    TPoint p1, p2, p3, p4;  // top-left, top-right, bottom-right, bottom-left
};
enum TTrapShape { tsLeft, tsCenter, tsRight };
// Scoped: the window border styles own the name bsNone.
enum class TTrapBevelStyle { bsNone, bsLowered, bsRaised };
enum TTrapDirect { tdLargeToSmall, tdSmallToLarge };

void DrawTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                           const TRect& source, TColor transparentColor);
// Draws at the canvas origin with the destination's size.
void DrawFullTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                               const TRect& source, TColor transparentColor);
void TileTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect,
                           TColor transparentColor);
void StretchTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect,
                              TColor transparentColor);
// Mirrors the bitmap top to bottom.
void FlipBitmap(TBitmap* bitmap);
void TileBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect);
// Tiles aligned to the canvas origin.
void TileRealizedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect);
void CenterBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect);
void StretchBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect);

// Fills `rect` with a gradient built in bands of one colour each; an empty rect draws nothing.
void PaintGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                   TColor start, TColor stop, int8_t band = 1);

void SetTrapezoid(TTrap& trap, const TRect& rect, int minimum, TTrapShape shape,
                  TDirection direction, TTrapDirect direct);
TPoint Intersect(TPoint a, TPoint b, TPoint c, TDirection direction);
TTrap AdjustTrapezoid(const TTrap& trap, const TRect& rect, TDirection direction);
void InflateTrapezoid(TTrap& trap, int amount);
void DrawTrapezoidBorder(TCanvas* canvas, const TTrap& trap, TTrapBevelStyle style, int width);

// Paints the parent's background and image under the control into the DC, the control's
// top-left at the origin.
void DrawParentImage(TControl* control, HDC dc, bool invalidateParent = false);
void DrawParentImage(TControl* control, TCanvas* canvas, bool invalidateParent = false);
