#include "PlotGeometry.h"

#include <utility>

#include "cl_graphics.h"

bool PlotCheckPenWidth = false;

TPoint PlotPoint(int x, int y) { return {x, y}; }

TRect PlotRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

TPoint3D Point3D(int x, int y, int z) { return {x, y, z}; }

bool PointInRect(const TRect& rect, int x, int y) {
    return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}

bool PointInRect(const TRect& rect, const TPoint& p) { return PointInRect(rect, p.X, p.Y); }

TRect OrientRectangle(const TRect& rect) {
    TRect r = rect;
    if (r.Right < r.Left) std::swap(r.Left, r.Right);
    if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
    return r;
}

void RectSize(const TRect& rect, int& width, int& height) {
    width = rect.Right - rect.Left;
    height = rect.Bottom - rect.Top;
}

void RectCenter(const TRect& rect, int& x, int& y) {
    x = (rect.Left + rect.Right) / 2;
    y = (rect.Top + rect.Bottom) / 2;
}

TPoint RectCenter(const TRect& rect) {
    TPoint p;
    RectCenter(rect, p.X, p.Y);
    return p;
}

TRect PolygonBounds(const TPoint* points, int count) {
    if (count <= 0) return PlotZeroRect;
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (int i = 1; i < count; ++i) {
        const TPoint& p = points[i];
        if (p.X < r.Left)
            r.Left = p.X;
        else if (p.X > r.Right)
            r.Right = p.X;
        if (p.Y < r.Top)
            r.Top = p.Y;
        else if (p.Y > r.Bottom)
            r.Bottom = p.Y;
    }
    return r;
}

TRect PolygonBounds(const TPointArray& points) {
    return PolygonBounds(points.data(), static_cast<int>(points.size()));
}

TRect RectFromPolygon(const TPoint* points, int count) {
    TRect r = PolygonBounds(points, count);
    ++r.Right;
    ++r.Bottom;
    return r;
}

TRect RectFromTriangle(const TPoint& p0, const TPoint& p1, const TPoint& p2) {
    const TPoint points[3] = {p0, p1, p2};
    return RectFromPolygon(points, 3);
}

bool PlotCull(const TPoint& p0, const TPoint& p1, const TPoint& p2) {
    const long long cross = static_cast<long long>(p0.X - p1.X) * (p2.Y - p1.Y) -
                            static_cast<long long>(p2.X - p1.X) * (p0.Y - p1.Y);
    return cross < 0;
}

bool PlotCull(const TPoint* points) { return PlotCull(points[0], points[1], points[2]); }

void SwapInteger(int& a, int& b) { std::swap(a, b); }

void SwapDouble(double& a, double& b) { std::swap(a, b); }

TRGBTriple RGBValue(TColor color) {
    return {static_cast<uint8_t>(BlueOf(color)), static_cast<uint8_t>(GreenOf(color)),
            static_cast<uint8_t>(RedOf(color))};
}

TColor ApplyDark(TColor color, uint8_t quantity) {
    const TColor c = ColorToRGB(color);
    auto dark = [quantity](int channel) { return quantity < channel ? channel - quantity : 0; };
    return PlotRGB(dark(RedOf(c)), dark(GreenOf(c)), dark(BlueOf(c)));
}

TColor ApplyBright(TColor color, uint8_t quantity) {
    const TColor c = ColorToRGB(color);
    auto bright = [quantity](int channel) { return Min(channel + quantity, 255); };
    return PlotRGB(bright(RedOf(c)), bright(GreenOf(c)), bright(BlueOf(c)));
}
