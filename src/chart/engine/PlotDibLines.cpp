#include "PlotDibLines.h"

#include <algorithm>

namespace {

// GetRandomRgn's clip region together with the meta region.
constexpr INT kApiRegion = 3;

bool PlainColor(COLORREF color) { return (color >> 24) == 0; }

// The colour as a 24- or 32-bit RGB DIB stores it.
uint32_t DibColor(COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

bool ShiftOnlyMapping(HDC dc) {
    if (GetMapMode(dc) != MM_TEXT || GetLayout(dc) != 0) return false;
    if (GetGraphicsMode(dc) != GM_ADVANCED) return true;
    XFORM xform{};
    return GetWorldTransform(dc, &xform) && xform.eM11 == 1 && xform.eM12 == 0 &&
           xform.eM21 == 0 && xform.eM22 == 1 && xform.eDx == 0 && xform.eDy == 0;
}

// The style (PS_SOLID or PS_DOT) and colour of a cosmetic pen drawing in the copy-pen mode.
bool CosmeticPen(HDC dc, UINT& style, COLORREF& color) {
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    LOGPEN logPen{};
    if (GetObjectType(pen) != OBJ_PEN || GetObjectW(pen, sizeof(logPen), &logPen) == 0)
        return false;
    style = logPen.lopnStyle;
    color = logPen.lopnColor;
    return (style == PS_SOLID || style == PS_DOT) && logPen.lopnWidth.x <= 1 &&
           PlainColor(color) && GetROP2(dc) == R2_COPYPEN;
}

bool RgbDib(const DIBSECTION& dib) {
    const int bits = dib.dsBmih.biBitCount;
    if (!dib.dsBm.bmBits || (bits != 24 && bits != 32)) return false;
    if (dib.dsBmih.biCompression == BI_RGB) return true;
    return bits == 32 && dib.dsBmih.biCompression == BI_BITFIELDS &&
           dib.dsBitfields[0] == 0xFF0000 && dib.dsBitfields[1] == 0xFF00 &&
           dib.dsBitfields[2] == 0xFF;
}

// Whether this system's GDI draws the cosmetic pen of `style` in the pixels written here, from
// the line's start point to before its end: checked once a style with a line in a small DIB.
bool CheckSystemDraws(UINT style, int dashLength, int dashCycle) {
    constexpr int kPixels = 48, kStart = 3, kLength = 40;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPixels, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(dc);
        return false;
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HPEN pen = CreatePen(style, 0, RGB(0, 0, 255));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    SetBkMode(dc, TRANSPARENT);
    MoveToEx(dc, kStart, 0, nullptr);
    LineTo(dc, kStart + kLength, 0);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    bool match = true;
    for (int x = 0; x < kPixels; ++x) {
        const int k = x - kStart;
        const bool dash = k >= 0 && k < kLength && k % dashCycle < dashLength;
        match = match && pixels[x] == (dash ? 0xFFu : 0u);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(pen);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return match;
}

bool SystemDraws(UINT style) {
    static const bool solid = CheckSystemDraws(PS_SOLID, 1, 1);
    static const bool dotted = CheckSystemDraws(PS_DOT, 3, 6);
    return style == PS_SOLID ? solid : dotted;
}

}  // namespace

TPlotDibLines::TPlotDibLines(HDC dc) {
    if (GetObjectType(dc) != OBJ_MEMDC || !ShiftOnlyMapping(dc)) return;
    UINT style = PS_SOLID;
    COLORREF penColor = 0;
    if (!CosmeticPen(dc, style, penColor)) return;
    if (style == PS_DOT) {
        dashLength_ = 3;
        dashCycle_ = 6;
    }
    if (!SystemDraws(style)) return;
    opaqueGaps_ = GetBkMode(dc) == OPAQUE;
    const COLORREF gapColor = GetBkColor(dc);
    if (opaqueGaps_ && !PlainColor(gapColor)) return;
    DIBSECTION dib{};
    if (GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof(dib), &dib) != sizeof(dib) ||
        !RgbDib(dib))
        return;
    const int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight;
    if (!ReadClip(dc, width, height)) return;
    origin_ = {0, 0};
    LPtoDP(dc, &origin_, 1);
    penColor_ = DibColor(penColor);
    gapColor_ = DibColor(gapColor);
    bytesPerPixel_ = dib.dsBmih.biBitCount / 8;
    auto* const bits = static_cast<uint8_t*>(dib.dsBm.bmBits);
    const int rowBytes = dib.dsBm.bmWidthBytes;
    GdiFlush();
    bool topDown = true;
    if (!FindRowOrder(dc, bits, rowBytes, height, topDown)) return;
    stride_ = topDown ? rowBytes : -rowBytes;
    bits_ = topDown ? bits : bits + static_cast<ptrdiff_t>(height - 1) * rowBytes;
}

// GetObject reports the height of every DIB section as positive, so the order of the rows is
// asked of GDI: the pixel's two possible places in memory are made to differ for a moment and
// GetPixel tells which one it reads. Where no row inside the clip can tell, both orders agree.
bool TPlotDibLines::FindRowOrder(HDC dc, uint8_t* bits, int rowBytes, int height,
                                       bool& topDown) const {
    for (const RECT& r : clip_) {
        for (int y = r.top; y < r.bottom; ++y) {
            const int mirrored = height - 1 - y;
            if (mirrored == y) continue;
            const ptrdiff_t column = static_cast<ptrdiff_t>(r.left) * bytesPerPixel_;
            uint8_t& asTopDown = bits[static_cast<ptrdiff_t>(y) * rowBytes + column];
            const uint8_t asBottomUp = bits[static_cast<ptrdiff_t>(mirrored) * rowBytes + column];
            const uint8_t saved = asTopDown;
            asTopDown = static_cast<uint8_t>(asBottomUp ^ 0x80);
            const COLORREF seen = GetPixel(dc, r.left - origin_.x, y - origin_.y);
            const uint8_t probe = asTopDown;
            asTopDown = saved;
            if (seen == CLR_INVALID) return false;
            topDown = GetBValue(seen) == probe;
            return topDown || GetBValue(seen) == asBottomUp;
        }
    }
    return true;
}

bool TPlotDibLines::ReadClip(HDC dc, int width, int height) {
    const RECT bounds{0, 0, width, height};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int found = GetRandomRgn(dc, region, kApiRegion);
    bool ok = found == 0;
    if (found == 0) {
        clip_.push_back(bounds);
    } else if (found == 1) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<uint8_t> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (size && GetRegionData(region, size, data) == size) {
            ok = true;
            const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) {
                RECT r;
                if (IntersectRect(&r, &rects[i], &bounds)) clip_.push_back(r);
            }
        }
    }
    DeleteObject(region);
    return ok;
}

void TPlotDibLines::HorizLine(int x0, int x1, int y) {
    const int step = x1 >= x0 ? 1 : -1;
    DrawRun(false, y + origin_.y, x0 + origin_.x, step, (x1 - x0) * step);
}

void TPlotDibLines::VertLine(int x, int y0, int y1) {
    const int step = y1 >= y0 ? 1 : -1;
    DrawRun(true, x + origin_.x, y0 + origin_.y, step, (y1 - y0) * step);
}

void TPlotDibLines::DrawRun(bool vertical, int across, int start, int step, int length) {
    const ptrdiff_t advance = static_cast<ptrdiff_t>(step) * (vertical ? stride_ : bytesPerPixel_);
    for (const RECT& r : clip_) {
        const int acrossLow = vertical ? r.left : r.top, acrossHigh = vertical ? r.right : r.bottom;
        if (across < acrossLow || across >= acrossHigh) continue;
        const int low = vertical ? r.top : r.left, high = vertical ? r.bottom : r.right;
        const int first = std::max(0, step > 0 ? low - start : start - high + 1);
        const int last = std::min(length, step > 0 ? high - start : start - low + 1);
        if (first >= last) continue;
        const int along = start + first * step;
        uint8_t* pixel = vertical ? PixelAt(across, along) : PixelAt(along, across);
        int phase = first % dashCycle_;
        for (int k = first; k < last;) {
            if (phase >= dashLength_ && !opaqueGaps_) {
                const int gap = dashCycle_ - phase;
                k += gap;
                pixel += gap * advance;
                phase = 0;
                continue;
            }
            PutPixel(pixel, phase < dashLength_ ? penColor_ : gapColor_);
            ++k;
            pixel += advance;
            if (++phase == dashCycle_) phase = 0;
        }
    }
}

uint8_t* TPlotDibLines::PixelAt(int x, int y) const {
    return bits_ + static_cast<ptrdiff_t>(y) * stride_ + static_cast<ptrdiff_t>(x) * bytesPerPixel_;
}

void TPlotDibLines::PutPixel(uint8_t* pixel, uint32_t color) const {
    if (bytesPerPixel_ == 4) {
        *reinterpret_cast<uint32_t*>(pixel) = color;
        return;
    }
    pixel[0] = static_cast<uint8_t>(color);
    pixel[1] = static_cast<uint8_t>(color >> 8);
    pixel[2] = static_cast<uint8_t>(color >> 16);
}
