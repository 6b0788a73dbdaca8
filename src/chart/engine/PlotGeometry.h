// Value types of the chart canvas (points with depth, four-point planes, directions, modes) and
// the geometry and colour functions that every drawing element of the chart engine shares.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "cl_types.h"

// A point with depth; Z grows away from the viewer.
struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
};

// The four projected corners of a rectangle or plane.
using TFourPoints = std::array<TPoint, 4>;
using TPointArray = std::vector<TPoint>;

struct TFloatPoint {
    double X = 0;
    double Y = 0;
};

// 1 and 2 are the GDI background modes TRANSPARENT and OPAQUE.
enum TCanvasBackMode { cbmNone, cbmTransparent, cbmOpaque };
enum TPenEndStyle { esRound, esSquare, esFlat };
enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
    gdRadial,
    gdDiagonalUp,
    gdDiagonalDown
};
// A percentage of transparency, 0 .. 100.
using TPlotTransparency = uint8_t;
enum TPlotCanvasSurfaceStyle { tcsSolid, tcsWire, tcsDot };
// Surface mesh callback: (x index, z index, out P0, out P1, out Color0, out Color1).
using TPlotCanvasCalcPoints = std::function<bool(int, int, TPoint3D&, TPoint3D&, TColor&, TColor&)>;
using TPlotView3DScrolled = std::function<void(bool isHoriz)>;
using TPlotView3DChangedZoom = std::function<void(int newZoom)>;

// Degrees to radians.
constexpr double PlotPiStep = 3.14159265358979323846 / 180.0;
constexpr TRect PlotZeroRect{0, 0, 0, 0};
// Byte amounts by which the solids darken their faces.
constexpr int DarkColorQuantity = 64;
constexpr int DarkerColorQuantity = 128;
// When set, one-pixel non-solid pens become cosmetic pens (width 0), on which GDI draws dashes.
extern bool PlotCheckPenWidth;

TPoint PlotPoint(int x, int y);
TRect PlotRect(int left, int top, int right, int bottom);
TPoint3D Point3D(int x, int y, int z);
// All four edges count as inside.
bool PointInRect(const TRect& rect, int x, int y);
bool PointInRect(const TRect& rect, const TPoint& p);
// Left <= right and top <= bottom.
TRect OrientRectangle(const TRect& rect);
// Width and height, signed.
void RectSize(const TRect& rect, int& width, int& height);
// Halves rounded toward zero.
void RectCenter(const TRect& rect, int& x, int& y);
TPoint RectCenter(const TRect& rect);
// The smallest rectangle holding the points, right and bottom inclusive; PlotZeroRect for none.
TRect PolygonBounds(const TPoint* points, int count);
TRect PolygonBounds(const TPointArray& points);
// The same over the first `count` points, right and bottom exclusive (one more).
TRect RectFromPolygon(const TPoint* points, int count);
TRect RectFromTriangle(const TPoint& p0, const TPoint& p1, const TPoint& p2);
// True when the triangle turns the culled way on screen (its face looks away).
bool PlotCull(const TPoint& p0, const TPoint& p1, const TPoint& p2);
bool PlotCull(const TPoint* points);
void SwapInteger(int& a, int& b);
void SwapDouble(double& a, double& b);

struct TRGBTriple {
    uint8_t Blue;
    uint8_t Green;
    uint8_t Red;
};
// The colour's low three bytes as they stand (system colours are not resolved).
TRGBTriple RGBValue(TColor color);
// Each channel less `quantity`, down to 0; the colour is resolved first.
TColor ApplyDark(TColor color, uint8_t quantity);
// Each channel plus `quantity`, up to 255; the colour is resolved first.
TColor ApplyBright(TColor color, uint8_t quantity);
// The colour red + green * 256 + blue * 65536 of three channels.
inline TColor PlotRGB(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }
inline int RedOf(TColor c) { return c & 0xFF; }
inline int GreenOf(TColor c) { return (c >> 8) & 0xFF; }
inline int BlueOf(TColor c) { return (c >> 16) & 0xFF; }

// The chart engine's rounding: nearest integer, ties to even, as Round. Worked in double
// precision and 32-bit integers, which is exact here: Round's long double steps switch the x87
// control word several times a call, and charts round every point they place. Values out of the
// integer range go to Round.
inline int PlotRound(double value) {
    if (!(value < 2147483647.0 && value > -2147483647.0)) return static_cast<int>(Round(value));
    int whole = static_cast<int>(value);
    if (static_cast<double>(whole) > value) --whole;
    const double fraction = value - static_cast<double>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) ++whole;
    return whole;
}
