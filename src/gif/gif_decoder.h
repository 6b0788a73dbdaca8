// The LZW decoder of GIF table-based image data: minimum code size, data sub-blocks and
// variable-length codes of at most 12 bits, turned into one palette index per pixel.
#pragma once

#include <cstdint>

#include "gif_io.h"
#include "gif_types.h"

struct TGIFPixelTarget {
    uint8_t* Pixels;   // Width x Height bytes, rows top to bottom, already holding the fill value
    int Width;
    int Height;
    bool Interlaced;
};

// Decodes the image data at the stream's position into target. Pixels the data does not reach
// keep their value. Damaged tables and code sizes above 11 raise GIFException; truncated data
// warns through warning and returns normally.
void DecompressImageData(TGIFByteStream& stream, const TGIFPixelTarget& target,
                         const TGIFWarningSink& warning);

// Calls row(y) for each of height rows in the order the data stores them.
template <typename RowVisitor>
void ForEachStoredRow(int height, bool interlaced, RowVisitor row)
{
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            if (!row(y))
                return;
        return;
    }
    static const int starts[4] = {0, 4, 2, 1};
    static const int steps[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = starts[pass]; y < height; y += steps[pass])
            if (!row(y))
                return;
}

extern const char* const sCircularTable;
extern const char* const sBadCodeSize;
extern const char* const sBitUnderrun;
