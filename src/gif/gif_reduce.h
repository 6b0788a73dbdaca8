// Colour reduction of bitmaps to at most 256 colours: the fixed palettes, palettes optimised
// by the octree quantiser, and ReduceColors, which renders a bitmap into a new 8-bit one.
#pragma once

#include <windows.h>

#include "cl_graphics.h"
#include "cl_lists.h"
#include "gif_dib.h"
#include "gif_types.h"

HPALETTE WebPalette();
HPALETTE GreyRampPalette();
HPALETTE BlackWhitePalette();
HPALETTE FourGreyPalette();
HPALETTE HalftonePalette();

HPALETTE OptimizedPaletteForReader(TDIBReader* reader, int width, int height, int colours,
                                   int depth, bool withSystemColors);
HPALETTE OptimizedPaletteForBitmap(TBitmap* bitmap, int colours, int depth, bool withSystemColors);
// A missing or empty list raises "Invalid bitmap list".
HPALETTE CreateOptimizedPaletteFromManyBitmaps(TList* bitmaps, int colours, int depth,
                                               bool withSystemColors);

// A new bitmap (the caller owns it): a 24-bit copy for rmNone, otherwise an 8-bit bitmap of
// the reduction's palette; an empty bitmap for an unknown method or dither mode.
TBitmap* ReduceColors(TBitmap* bitmap, TColorReduction reduction, TDitherMode dither,
                      int reductionBits, HPALETTE customPalette);
