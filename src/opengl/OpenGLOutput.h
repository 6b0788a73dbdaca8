// Where the OpenGL panel's picture goes on paper and how big its off-screen target is: the
// arithmetic of printing and of rendering at a higher resolution, apart from the devices.
#pragma once

#include "cl_types.h"

enum TOpenGLPrintScale { pglNone, pglPrintToFit, pglProportional };

// What printing needs to know of the printer: LOGPIXELSX/Y and HORZRES/VERTRES.
struct TPrintArea {
    int PixelsPerInchX = 0;
    int PixelsPerInchY = 0;
    int Width = 0;
    int Height = 0;
};

// The rectangle the picture of `pictureWidth` x `pictureHeight` pixels fills on the page: its
// top-left corner 0.18 inch in from the page's, its size by the scale: pglNone one printer dot
// per pixel; pglProportional the picture's size at `pixelsPerInch` (96 when below 1);
// pglPrintToFit the largest whole multiple of the picture that stays within the margins on
// both sides (the picture shrunk into them when it is bigger), proportions kept.
TRect PrintPlacement(int pictureWidth, int pictureHeight, const TPrintArea& area,
                     TOpenGLPrintScale scale, int pixelsPerInch);

// The off-screen target's size for a requested width: the width divided by 2 for resolution 1
// and by 4 for resolution 2, the height in the panel's proportions, each rounded up to a
// multiple of 8.
TSize OffscreenTargetSize(int width, int resolution, int panelWidth, int panelHeight);
