// 32-bit surfaces and pixel conversions for the PDF images.
#include "RasterImage.h"

#include <algorithm>

namespace pdfengine {

Surface::Surface(int width, int height, uint32_t fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !dc_ || !bits) return;
    previous_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<uint32_t*>(bits);
    std::fill(pixels_, pixels_ + static_cast<size_t>(width) * height, fill);
}

Surface::~Surface() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (dc_) DeleteDC(dc_);
    if (bitmap_) DeleteObject(bitmap_);
}

RgbImage Surface::ToRgb() const {
    RgbImage image;
    image.width = width_;
    image.height = height_;
    image.rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    uint8_t* out = image.rgb.data();
    for (size_t i = 0, n = static_cast<size_t>(width_) * height_; i < n; ++i) {
        const uint32_t p = pixels_[i];
        *out++ = static_cast<uint8_t>(p >> 16);
        *out++ = static_cast<uint8_t>(p >> 8);
        *out++ = static_cast<uint8_t>(p);
    }
    return image;
}

bool ImageFromDIB(const BITMAPINFO* info, const void* bits, UINT usage, int xSrc, int ySrc,
                  int width, int height, RgbImage& image) {
    if (!info || !bits || width <= 0 || height <= 0) return false;
    Surface surface(width, height, 0x00FFFFFF);
    if (!surface.Valid()) return false;
    SetStretchBltMode(surface.DC(), COLORONCOLOR);
    if (StretchDIBits(surface.DC(), 0, 0, width, height, xSrc, ySrc, width, height, bits, info,
                      usage, SRCCOPY) == 0) {
        return false;
    }
    image = surface.ToRgb();
    return true;
}

bool ImageFromBitmap(HBITMAP bitmap, RgbImage& image) {
    BITMAP header{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(header), &header)) return false;
    const int width = header.bmWidth, height = std::abs(header.bmHeight);
    Surface surface(width, height, 0x00FFFFFF);
    if (!surface.Valid()) return false;
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(source, bitmap);
    const bool copied = BitBlt(surface.DC(), 0, 0, width, height, source, 0, 0, SRCCOPY) != 0;
    SelectObject(source, previous);
    DeleteDC(source);
    if (!copied) return false;
    image = surface.ToRgb();
    return true;
}

bool CutOutDrawing(const Surface& onWhite, const Surface& onBlack, RECT& area, RgbImage& image) {
    const int width = onWhite.Width(), height = onWhite.Height();
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (onWhite.Pixel(x, y) == 0x00FFFFFF && onBlack.Pixel(x, y) == 0) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    if (box.left >= box.right) return false;
    area = box;
    image.width = box.right - box.left;
    image.height = box.bottom - box.top;
    image.rgb.assign(static_cast<size_t>(image.width) * image.height * 3, 0);
    image.alpha.assign(static_cast<size_t>(image.width) * image.height, 0);
    size_t i = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x, ++i) {
            const uint32_t w = onWhite.Pixel(x, y), b = onBlack.Pixel(x, y);
            int coverage = 255;
            for (int shift = 0; shift < 24; shift += 8) {
                const int lighter = static_cast<int>((w >> shift) & 0xFF);
                const int darker = static_cast<int>((b >> shift) & 0xFF);
                coverage = std::min(coverage, 255 - std::max(lighter - darker, 0));
            }
            image.alpha[i] = static_cast<uint8_t>(coverage);
            for (int channel = 0; channel < 3; ++channel) {
                const int value = static_cast<int>((b >> (16 - 8 * channel)) & 0xFF);
                const int colour = coverage > 0 ? std::min(255, value * 255 / coverage) : 0;
                image.rgb[i * 3 + channel] = static_cast<uint8_t>(colour);
            }
        }
    }
    return true;
}

}  // namespace pdfengine
