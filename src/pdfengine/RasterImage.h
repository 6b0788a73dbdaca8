// Pixels for PDF images: a 32-bit drawing surface, bitmaps and device-independent bitmaps
// converted to packed RGB rows, and the pixels of a drawing cut out with their coverage.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace pdfengine {

// Packed 8-bit RGB rows, top row first; `alpha` (one byte a pixel) is empty when opaque.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> alpha;
};

// A top-down 32-bit DIB section selected into its own memory DC, filled with one colour.
class Surface {
public:
    Surface(int width, int height, uint32_t fill);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    bool Valid() const { return pixels_ != nullptr; }
    HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0x00RRGGBB
    uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    RgbImage ToRgb() const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_;
    int height_;
};

// The source rectangle of a DIB as StretchDIBits reads it; false when the system cannot draw it.
bool ImageFromDIB(const BITMAPINFO* info, const void* bits, UINT usage, int xSrc, int ySrc,
                  int width, int height, RgbImage& image);
// A whole bitmap (device-dependent or DIB section).
bool ImageFromBitmap(HBITMAP bitmap, RgbImage& image);

// What one drawing did to a white and to a black background: the pixels it covered with their
// colour and coverage, cut to the smallest rectangle holding them. False when it drew nothing.
bool CutOutDrawing(const Surface& onWhite, const Surface& onBlack, RECT& area, RgbImage& image);

}  // namespace pdfengine
