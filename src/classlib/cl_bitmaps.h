// Bitmap helpers for the units above the graphics: the masked transparent stretch-blit, the
// shared two-colour pattern bitmaps and the extraction of a bitmap's pixels as a packed DIB.
#pragma once

#include <windows.h>

#include "cl_graphics.h"

// Stretches the source rectangle into the destination rectangle, leaving the destination
// unchanged wherever the monochrome mask (same coordinates as the source) has a 1 (white) bit.
// The DCs' text and background colours are restored afterwards.
void TransparentStretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight,
                           HDC source, int sourceX, int sourceY, int sourceWidth,
                           int sourceHeight, HDC mask, int maskX, int maskY);

// An 8 x 8 checkerboard of the two colours for pattern brushes. The library owns it: one
// bitmap per colour pair, kept until the program ends.
TBitmap* AllocPatternBitmap(TColor background, TColor foreground);

// The sizes of the packed DIB that GetDIB fills: the BITMAPINFOHEADER with its colour table
// (256 entries at most, none above 8 bits), and the pixel rows, each padded to 4 bytes.
// pfDevice takes the bitmap's own depth. Raises EInvalidGraphic for an invalid handle.
void GetDIBSizes(HBITMAP bitmap, int& infoHeaderSize, int& imageSize,
                 TPixelFormat format = pfDevice);
// Fills `bitmapInfo` (infoHeaderSize bytes) and `bits` (imageSize bytes) with the bitmap's
// pixels, bottom-up, through `palette` when one is given. False when the system refused.
// The bitmap must not be selected into a DC meanwhile (a TBitmap: call Dormant first).
bool GetDIB(HBITMAP bitmap, HPALETTE palette, void* bitmapInfo, void* bits,
            TPixelFormat format = pfDevice);
