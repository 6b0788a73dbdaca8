#include "UiGrafx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cl_bitmaps.h"
#include "cl_controls.h"
#include "cl_forms.h"

namespace {

// A colour held as three 16.16 fixed-point channels.
struct FixedColor {
    int r, g, b;
    explicit FixedColor(TColor c)
        : r((c & 0xFF) << 16), g(((c >> 8) & 0xFF) << 16), b(((c >> 16) & 0xFF) << 16) {}
    TColor Color() const { return (r >> 16) | ((g >> 16) << 8) | ((b >> 16) << 16); }
};

// The per-step increment of each channel for `steps` steps from `from` to `to`.
FixedColor StepOf(TColor from, TColor to, int steps) {
    FixedColor step(0), a(from), b(to);
    step.r = (b.r - a.r) / steps;
    step.g = (b.g - a.g) / steps;
    step.b = (b.b - a.b) / steps;
    return step;
}

void Advance(FixedColor& color, const FixedColor& step) {
    color.r += step.r;
    color.g += step.g;
    color.b += step.b;
}

int MinimumBand(int band) {
    if (band <= 0) return 1;
    return band <= 8 ? band : 255 / band + 1;
}

void Fill(HDC dc, const RECT& r, TColor color) {
    OwnedGdiObject brush(CreateSolidBrush(color));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

// Linear bands over `n` pixels from `from` (position 0) to `to`; `fill` draws pixels
// [first, last) in one colour.
template <class F> void FillGrad(int n, TColor from, TColor to, int band, F fill) {
    if (n <= 0) return;
    const FixedColor step = StepOf(from, to, n);
    FixedColor color(from);
    const int minimum = MinimumBand(band);
    int first = 0;
    while (first < n) {
        const TColor bandColor = color.Color();
        int last = first;
        do {
            Advance(color, step);
            ++last;
        } while (last < n && (last - first < minimum || color.Color() == bandColor));
        fill(first, last, bandColor);
        first = last;
    }
}

// Copies the drawn strip [0, drawn) over the rest of `length`, doubling each time.
void BitFillBlit(HDC dc, int drawn, int length, int across, bool horizontal) {
    while (drawn > 0 && drawn < length) {
        const int count = std::min(drawn, length - drawn);
        if (horizontal)
            BitBlt(dc, drawn, 0, count, across, dc, 0, 0, SRCCOPY);
        else
            BitBlt(dc, 0, drawn, across, count, dc, 0, 0, SRCCOPY);
        drawn += count;
    }
}

// Mirrors the top-left quadrant right and down.
void BoxBitMirrorBlit(HDC dc, int width, int height) {
    const int hw = (width + 1) / 2, hh = (height + 1) / 2;
    StretchBlt(dc, width - 1, 0, -hw, hh, dc, 0, 0, hw, hh, SRCCOPY);
    StretchBlt(dc, 0, height - 1, width, -hh, dc, 0, 0, width, hh, SRCCOPY);
}

void FillGradRect(HDC dc, int width, int height, TGradientDirection direction, TColor start,
                  TColor stop, int band) {
    Fill(dc, {0, 0, width + 1, height + 1}, start);
    if (start == stop || width < 5 || height < 5) return;
    const int hw = (width - 1) / 2, hh = (height - 1) / 2;
    const bool shortenX = direction == gdHorizontalBox || direction == gdBigSquareBox;
    const bool shortenY = direction == gdVerticalBox || direction == gdBigSquareBox;
    const int px = hw - (shortenX ? width / 4 : 0), py = hh - (shortenY ? height / 4 : 0);
    const int n = std::max(px, py) + 1;
    Fill(dc, {px, py, hw + 1, hh + 1}, stop);
    const int stepX = (px << 16) / n, stepY = (py << 16) / n;
    // Band k spans the corner positions after k and k+1 steps from the plateau outward.
    FillGrad(n, stop, start, band, [&](int first, int last, TColor color) {
        // The last band reaches the quadrant's outer edges whatever the truncated steps left.
        const int outerX = last == n ? 0 : ((px << 16) - last * stepX) >> 16;
        const int outerY = last == n ? 0 : ((py << 16) - last * stepY) >> 16;
        const int innerX = ((px << 16) - first * stepX) >> 16;
        const int innerY = ((py << 16) - first * stepY) >> 16;
        Fill(dc, {outerX, outerY, hw + 1, innerY}, color);
        Fill(dc, {outerX, outerY, innerX, hh + 1}, color);
    });
    BoxBitMirrorBlit(dc, width, height);
}

// Diagonal bands from the bottom-left (start) to the top-right (stop); mirrored for down.
void FillGradDiag(HDC dc, int width, int height, bool down, TColor start, TColor stop, int band) {
    const int n = static_cast<int>(std::sqrt(double(width) * width + double(height) * height)) + 1;
    if (down) std::swap(start, stop);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    auto x = [&](double v) { return static_cast<LONG>(std::lround(down ? width - v : v)); };
    // The area on the start side of the cut line at s (0..2), drawn from the far end inward.
    auto region = [&](double s, TColor color) {
        POINT p[5];
        int count;
        const double w = width, h = height;
        if (s <= 1) {
            p[0] = {x(0), height}, p[1] = {x(s * w + 1), height};
            p[2] = {x(0), LONG(h - s * h - 1)};
            count = 3;
        } else {
            p[0] = {x(0), height}, p[1] = {x(w + 1), height};
            p[2] = {x(w + 1), LONG(h - (s - 1) * h - 1)};
            p[3] = {x((s - 1) * w), -1}, p[4] = {x(0), -1};
            count = 5;
        }
        OwnedGdiObject brush(CreateSolidBrush(color));
        SelectedObject selected(dc, brush);
        Polygon(dc, p, count);
    };
    std::vector<std::pair<int, TColor>> bands;
    FillGrad(n, start, stop, band,
             [&](int first, int, TColor color) { bands.emplace_back(first, color); });
    Fill(dc, {0, 0, width, height}, bands.empty() ? stop : bands.back().second);
    for (size_t i = bands.size(); i-- > 0;) {
        const int last = i + 1 < bands.size() ? bands[i + 1].first : n;
        region(2.0 * last / n, bands[i].second);
    }
    SelectObject(dc, oldPen);
}

}  // namespace

void PaintGradient(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                   TColor start, TColor stop, int8_t band) {
    const int width = std::abs(rect.Width()), height = std::abs(rect.Height());
    if (width == 0 || height == 0) return;
    start = ColorToRGB(start);
    stop = ColorToRGB(stop);
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(width, height);
    HDC dc = work.Canvas()->Handle();
    switch (direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        if (start == stop)
            Fill(dc, {0, 0, width, height}, start);
        else
            FillGradDiag(dc, width, height, direction == gdDiagonalDown, start, stop, band);
        break;
    case gdHorizontalEnd:
    case gdHorizontalCenter: {
        const bool centre = direction == gdHorizontalCenter;
        const int across = std::min(width, 8);
        const int run = centre ? (height + 1) / 2 : height;
        FillGrad(run, start, stop, band, [&](int first, int last, TColor color) {
            Fill(dc, {0, first, across, last}, color);
            if (centre) Fill(dc, {0, height - last, across, height - first}, color);
        });
        BitFillBlit(dc, across, width, height, true);
        break;
    }
    case gdVerticalEnd:
    case gdVerticalCenter: {
        const bool centre = direction == gdVerticalCenter;
        const int across = std::min(height, 8);
        const int run = centre ? (width + 1) / 2 : width;
        FillGrad(run, start, stop, band, [&](int first, int last, TColor color) {
            Fill(dc, {first, 0, last, across}, color);
            if (centre) Fill(dc, {width - last, 0, width - first, across}, color);
        });
        BitFillBlit(dc, across, height, width, false);
        break;
    }
    default: FillGradRect(dc, width, height, direction, start, stop, band); break;
    }
    canvas->Draw(std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), &work);
}

void DrawTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                           const TRect& source, TColor transparentColor) {
    const int w = dest.Width(), h = dest.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap colour;
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(w, h);
    HDC colourDC = colour.Canvas()->Handle();
    SetStretchBltMode(colourDC, COLORONCOLOR);
    StretchBlt(colourDC, 0, 0, w, h, bitmap->Canvas()->Handle(), source.Left, source.Top,
               source.Width(), source.Height(), SRCCOPY);
    OwnedGdiObject mask(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDC maskDC(mask);
    SetBkColor(colourDC, ColorToRGB(transparentColor));
    BitBlt(maskDC, 0, 0, w, h, colourDC, 0, 0, SRCCOPY);
    if (ColorToRGB(transparentColor) != 0) {
        SetBkColor(colourDC, 0);
        SetTextColor(colourDC, 0xFFFFFF);
        BitBlt(colourDC, 0, 0, w, h, maskDC, 0, 0, SRCAND);
    }
    HDC target = canvas->Handle();
    const COLORREF oldBk = SetBkColor(target, 0xFFFFFF), oldText = SetTextColor(target, 0);
    BitBlt(target, dest.Left, dest.Top, w, h, maskDC, 0, 0, SRCAND);
    SetBkColor(target, oldBk);
    SetTextColor(target, oldText);
    BitBlt(target, dest.Left, dest.Top, w, h, colourDC, 0, 0, SRCPAINT);
    canvas->SetCopyMode(SRCPAINT);
}

void DrawFullTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& dest,
                               const TRect& source, TColor transparentColor) {
    const int w = dest.Width(), h = dest.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap colour;
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(w, h);
    HDC colourDC = colour.Canvas()->Handle();
    StretchBlt(colourDC, 0, 0, w, h, bitmap->Canvas()->Handle(), source.Left, source.Top,
               source.Width(), source.Height(), SRCCOPY);
    OwnedGdiObject mask(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDC maskDC(mask);
    SetBkColor(colourDC, ColorToRGB(transparentColor));
    BitBlt(maskDC, 0, 0, w, h, colourDC, 0, 0, SRCCOPY);
    TransparentStretchBlt(canvas->Handle(), 0, 0, w, h, colourDC, 0, 0, w, h, maskDC, 0, 0);
}

void TileTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect,
                           TColor transparentColor) {
    const int bw = bitmap->Width(), bh = bitmap->Height();
    if (bw <= 0 || bh <= 0) return;
    for (int y = rect.Top; y < rect.Bottom; y += bh)
        for (int x = rect.Left; x < rect.Right; x += bw) {
            const int w = std::min(bw, rect.Right - x), h = std::min(bh, rect.Bottom - y);
            DrawTransparentBitmap(canvas, bitmap, TRect(x, y, x + w, y + h), TRect(0, 0, w, h),
                                  transparentColor);
        }
}

void StretchTransparentBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect,
                              TColor transparentColor) {
    DrawTransparentBitmap(canvas, bitmap, rect, TRect(0, 0, bitmap->Width(), bitmap->Height()),
                          transparentColor);
}

void FlipBitmap(TBitmap* bitmap) {
    const int w = bitmap->Width(), h = bitmap->Height();
    if (w <= 0 || h <= 0) return;
    TBitmap copy;
    copy.SetPixelFormat(pf24bit);
    copy.SetSize(w, h);
    StretchBlt(copy.Canvas()->Handle(), 0, h - 1, w, -h, bitmap->Canvas()->Handle(), 0, 0, w, h,
               SRCCOPY);
    bitmap->Assign(&copy);
}

namespace {

void Tile(TCanvas* canvas, TBitmap* bitmap, const TRect& rect, int offsetX, int offsetY) {
    const int bw = bitmap->Width(), bh = bitmap->Height();
    if (bw <= 0 || bh <= 0) return;
    HDC source = bitmap->Canvas()->Handle();
    HDC target = canvas->Handle();
    for (int y = rect.Top, sy = offsetY; y < rect.Bottom; y += bh - sy, sy = 0)
        for (int x = rect.Left, sx = offsetX; x < rect.Right; x += bw - sx, sx = 0)
            BitBlt(target, x, y, std::min(bw - sx, rect.Right - x),
                   std::min(bh - sy, rect.Bottom - y), source, sx, sy, SRCCOPY);
}

}  // namespace

void TileBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect) {
    Tile(canvas, bitmap, rect, 0, 0);
}

void TileRealizedBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect) {
    if (bitmap->Width() <= 0 || bitmap->Height() <= 0) return;
    Tile(canvas, bitmap, rect, rect.Left % bitmap->Width(), rect.Top % bitmap->Height());
}

void CenterBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect) {
    const int hw = rect.Width() / 2, hh = rect.Height() / 2;
    const int bw = bitmap->Width() / 2, bh = bitmap->Height() / 2;
    const TRect dest(std::max(rect.Left, hw - bw), std::max(rect.Top, hh - bh),
                     std::min(rect.Right, hw + bw), std::min(rect.Bottom, hh + bh));
    TRect source(0, 0, bitmap->Width(), bitmap->Height());
    if (bitmap->Width() > rect.Width()) {
        source.Left = (bitmap->Width() - rect.Width()) / 2;
        source.Right = source.Left + rect.Width();
    }
    if (bitmap->Height() > rect.Height()) {
        source.Top = (bitmap->Height() - rect.Height()) / 2;
        source.Bottom = source.Top + rect.Height();
    }
    StretchBlt(canvas->Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(),
               bitmap->Canvas()->Handle(), source.Left, source.Top, source.Width(),
               source.Height(), SRCCOPY);
}

void StretchBitmap(TCanvas* canvas, TBitmap* bitmap, const TRect& rect) {
    StretchBlt(canvas->Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(),
               bitmap->Canvas()->Handle(), 0, 0, bitmap->Width(), bitmap->Height(), SRCCOPY);
}

void SetTrapezoid(TTrap& trap, const TRect& rect, int minimum, TTrapShape shape,
                  TDirection direction, TTrapDirect direct) {
    const bool vertical = direction == dirUp || direction == dirDown;
    const int length = vertical ? rect.Width() : rect.Height();
    const int d = std::min(length, minimum);
    const int e = shape == tsLeft ? 0 : shape == tsCenter ? (length - d) / 2 : length - d;
    if (vertical) {
        const bool shortTop = (direct == tdLargeToSmall && direction == dirUp) ||
                              (direct == tdSmallToLarge && direction == dirDown);
        const TPoint shortLeft(rect.Left + e, 0), shortRight(rect.Left + e + d, 0);
        if (shortTop)
            trap = {{shortLeft.X, rect.Top}, {shortRight.X, rect.Top}, {rect.Right, rect.Bottom},
                    {rect.Left, rect.Bottom}};
        else
            trap = {{rect.Left, rect.Top}, {rect.Right, rect.Top}, {shortRight.X, rect.Bottom},
                    {shortLeft.X, rect.Bottom}};
    } else {
        const bool shortRight = (direct == tdLargeToSmall && direction == dirRight) ||
                                (direct == tdSmallToLarge && direction == dirLeft);
        const int top = rect.Top + e, bottom = rect.Top + e + d;
        if (shortRight)
            trap = {{rect.Left, rect.Top}, {rect.Right, top}, {rect.Right, bottom},
                    {rect.Left, rect.Bottom}};
        else
            trap = {{rect.Left, top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom},
                    {rect.Left, bottom}};
    }
}

TPoint Intersect(TPoint a, TPoint b, TPoint c, TDirection direction) {
    if (direction == dirLeft || direction == dirRight) {
        if (b.X == a.X) return TPoint(c.X, b.Y);
        const double slope = double(b.Y - a.Y) / (b.X - a.X);
        return TPoint(c.X, static_cast<int>(b.Y - slope * (b.X - c.X)));
    }
    if (b.Y == a.Y) return TPoint(b.X, c.Y);
    const double slope = double(b.X - a.X) / (b.Y - a.Y);
    return TPoint(static_cast<int>(b.X - slope * (b.Y - c.Y)), c.Y);
}

TTrap AdjustTrapezoid(const TTrap& trap, const TRect& rect, TDirection direction) {
    TTrap result = trap;
    const TPoint topLeft(rect.Left, rect.Top), bottomRight(rect.Right, rect.Bottom);
    if (direction == dirLeft || direction == dirRight) {
        result.p1 = Intersect(trap.p1, trap.p2, topLeft, direction);
        result.p2 = Intersect(trap.p1, trap.p2, bottomRight, direction);
        result.p4 = Intersect(trap.p4, trap.p3, topLeft, direction);
        result.p3 = Intersect(trap.p4, trap.p3, bottomRight, direction);
    } else {
        result.p1 = Intersect(trap.p1, trap.p4, topLeft, direction);
        result.p4 = Intersect(trap.p1, trap.p4, bottomRight, direction);
        result.p2 = Intersect(trap.p2, trap.p3, topLeft, direction);
        result.p3 = Intersect(trap.p2, trap.p3, bottomRight, direction);
    }
    return result;
}

void InflateTrapezoid(TTrap& trap, int n) {
    trap.p1 = TPoint(trap.p1.X - n, trap.p1.Y - n);
    trap.p2 = TPoint(trap.p2.X + n, trap.p2.Y - n);
    trap.p3 = TPoint(trap.p3.X + n, trap.p3.Y + n);
    trap.p4 = TPoint(trap.p4.X - n, trap.p4.Y + n);
}

void DrawTrapezoidBorder(TCanvas* canvas, const TTrap& trap, TTrapBevelStyle style, int width) {
    TPen saved;
    saved.Assign(canvas->Pen());
    canvas->Pen()->SetWidth(1);
    const bool lowered = style == TTrapBevelStyle::bsLowered;
    const TColor first = lowered ? clBtnHighlight : clBtnShadow;
    const TColor second = lowered ? clBtnShadow : clBtnHighlight;
    for (int k = 0; k < width; ++k) {
        canvas->Pen()->SetColor(first);
        canvas->MoveTo(trap.p2.X - k - 1, trap.p2.Y + k);
        canvas->LineTo(trap.p3.X - k - 1, trap.p3.Y - k - 1);
        canvas->LineTo(trap.p4.X + k, trap.p4.Y - k - 1);
        canvas->Pen()->SetColor(second);
        canvas->LineTo(trap.p1.X + k, trap.p1.Y + k);
        canvas->LineTo(trap.p2.X - k - 1, trap.p2.Y + k);
    }
    canvas->Pen()->Assign(&saved);
}

void DrawParentImage(TControl* control, HDC dc, bool invalidateParent) {
    TWinControl* parent = control->Parent();
    if (!parent) return;
    const int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    const bool designing = control->InState(csDesigning);
    try {
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    } catch (...) {
        RestoreDC(dc, saved);
        if (!designing) throw;
        return;
    }
    RestoreDC(dc, saved);
    if (invalidateParent && !dynamic_cast<TCustomControl*>(parent) &&
        !dynamic_cast<TCustomForm*>(parent) && !designing)
        parent->Invalidate();
}

void DrawParentImage(TControl* control, TCanvas* canvas, bool invalidateParent) {
    DrawParentImage(control, canvas->Handle(), invalidateParent);
}
