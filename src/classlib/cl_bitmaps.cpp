#include "cl_bitmaps.h"

#include <map>
#include <memory>
#include <utility>

namespace {

int BitCount(HBITMAP bitmap, TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: break;
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    const int bits = info.bmBitsPixel * info.bmPlanes;
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ? bits : 32;
}

BITMAPINFOHEADER HeaderFor(HBITMAP bitmap, TPixelFormat format) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof(info), &info) == 0)
        throw EInvalidGraphic(SInvalidBitmap);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(BitCount(bitmap, format));
    header.biCompression = BI_RGB;
    header.biSizeImage = ((info.bmWidth * header.biBitCount + 31) / 32) * 4 * info.bmHeight;
    return header;
}

// Puts a DC's text and background colours back when the guard ends.
class DCColours {
public:
    explicit DCColours(HDC dc) : dc_(dc), text_(GetTextColor(dc)), back_(GetBkColor(dc)) {}
    ~DCColours() {
        SetTextColor(dc_, text_);
        SetBkColor(dc_, back_);
    }
    DCColours(const DCColours&) = delete;
    DCColours& operator=(const DCColours&) = delete;

private:
    HDC dc_;
    COLORREF text_, back_;
};

}  // namespace

void TransparentStretchBlt(HDC dest, int destX, int destY, int destWidth, int destHeight,
                           HDC source, int sourceX, int sourceY, int sourceWidth,
                           int sourceHeight, HDC mask, int maskX, int maskY) {
    DCColours keep(dest);
    // Monochrome to colour: 0 bits become the text colour, 1 bits the background colour.
    SetTextColor(dest, RGB(0, 0, 0));
    SetBkColor(dest, RGB(255, 255, 255));
    const int oldMode = SetStretchBltMode(dest, COLORONCOLOR);
    // dest ^ source, masked to keep dest where the mask is set, ^ source again.
    StretchBlt(dest, destX, destY, destWidth, destHeight, source, sourceX, sourceY, sourceWidth,
               sourceHeight, SRCINVERT);
    StretchBlt(dest, destX, destY, destWidth, destHeight, mask, maskX, maskY, sourceWidth,
               sourceHeight, SRCAND);
    StretchBlt(dest, destX, destY, destWidth, destHeight, source, sourceX, sourceY, sourceWidth,
               sourceHeight, SRCINVERT);
    SetStretchBltMode(dest, oldMode);
}

TBitmap* AllocPatternBitmap(TColor background, TColor foreground) {
    static std::map<std::pair<TColor, TColor>, std::unique_ptr<TBitmap>> patterns;
    const auto key = std::make_pair(ColorToRGB(background), ColorToRGB(foreground));
    std::unique_ptr<TBitmap>& pattern = patterns[key];
    if (!pattern) {
        pattern.reset(new TBitmap);
        pattern->SetPixelFormat(pf24bit);
        pattern->SetSize(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern->Canvas()->SetPixels(x, y, (x + y) % 2 ? key.second : key.first);
    }
    return pattern.get();
}

void GetDIBSizes(HBITMAP bitmap, int& infoHeaderSize, int& imageSize, TPixelFormat format) {
    const BITMAPINFOHEADER header = HeaderFor(bitmap, format);
    const int colours = header.biBitCount <= 8 ? 1 << header.biBitCount : 0;
    infoHeaderSize = static_cast<int>(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    imageSize = static_cast<int>(header.biSizeImage);
}

bool GetDIB(HBITMAP bitmap, HPALETTE palette, void* bitmapInfo, void* bits, TPixelFormat format) {
    auto* header = static_cast<BITMAPINFOHEADER*>(bitmapInfo);
    *header = HeaderFor(bitmap, format);
    MemoryDC dc(nullptr);
    HPALETTE oldPalette = nullptr;
    if (palette) {
        oldPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    const bool ok = GetDIBits(dc, bitmap, 0, header->biHeight, bits,
                              static_cast<BITMAPINFO*>(bitmapInfo), DIB_RGB_COLORS) != 0;
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    return ok;
}
