// The 3-D solids of the GDI chart canvas: cubes, cylinders, cones, pyramids, pies, donuts,
// arrows; built from projected points, hidden faces skipped, side faces shaded darker.
#include <cmath>
#include <vector>

#include "PlotCanvas3D.h"
#include "PlotGradient.h"

int PlotNumCylinderSides = 16;
int PlotDefaultConePercent = 0;
int PlotFontAntiAlias = ANTIALIASED_QUALITY;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The face test of the cube: the quadrilateral turns towards the viewer.
bool FaceVisible(const TFourPoints& q) {
    return static_cast<long long>(q[3].X - q[2].X) * (q[1].Y - q[2].Y) -
               static_cast<long long>(q[1].X - q[2].X) * (q[3].Y - q[2].Y) >
           0;
}

}  // namespace

TColor TPlotCanvas3D::FaceColor() {
    return Brush()->Style() == bsSolid ? Brush()->Color() : GetBackColor();
}

void TPlotCanvas3D::DrawFace(const TFourPoints& face, TColor faceColor, int darken) {
    if (darken > 0) InternalDark(faceColor, static_cast<uint8_t>(darken));
    QuadPoints = face;
    PolygonFour();
}

void TPlotCanvas3D::Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) {
    const TColor k = FaceColor();
    const bool clear = Brush()->Style() == bsClear;
    auto P = [this](int x, int y, int z) { return Calculate3DPosition(x, y, z); };
    const TPoint a = P(left, top, z0), bk = P(right, top, z0), c = P(right, bottom, z0),
                 d = P(right, top, z1);
    const TFourPoints front = {a, bk, c, P(left, bottom, z0)};
    if (clear || FaceVisible(front))
        DrawFace(front, k, 0);
    else
        DrawFace({P(left, top, z1), P(right, top, z1), P(right, bottom, z1), P(left, bottom, z1)},
                 k, 0);
    const TFourPoints rightSide = {bk, d, P(right, bottom, z1), c};
    if (clear || FaceVisible(rightSide))
        DrawFace(rightSide, k, darkSides ? DarkerColorQuantity : 0);
    const TFourPoints leftSide = {a, P(left, top, z1), P(left, bottom, z1), P(left, bottom, z0)};
    const long long leftTest =
        static_cast<long long>(leftSide[3].X - leftSide[0].X) * (leftSide[1].Y - leftSide[0].Y) -
        static_cast<long long>(leftSide[1].X - leftSide[0].X) * (leftSide[3].Y - leftSide[0].Y);
    if (clear || leftTest > 0) DrawFace(leftSide, k, darkSides ? DarkerColorQuantity : 0);
    const TFourPoints topSide = {a, bk, d, P(left, top, z1)};
    const long long topTest = static_cast<long long>(a.X - bk.X) * (d.Y - bk.Y) -
                              static_cast<long long>(d.X - bk.X) * (a.Y - bk.Y);
    if (clear || topTest > 0) DrawFace(topSide, k, darkSides ? DarkColorQuantity : 0);
    const TFourPoints bottomSide = {P(left, bottom, z0), P(left, bottom, z1), P(right, bottom, z1),
                                    c};
    const long long bottomTest = static_cast<long long>(bottomSide[3].X - bottomSide[2].X) *
                                     (bottomSide[1].Y - bottomSide[2].Y) -
                                 static_cast<long long>(bottomSide[1].X - bottomSide[2].X) *
                                     (bottomSide[3].Y - bottomSide[2].Y);
    if (clear || bottomTest < 0) DrawFace(bottomSide, k, darkSides ? DarkColorQuantity : 0);
}

void TPlotCanvas3D::Cylinder(bool vertical, int left, int top, int right, int bottom, int z0,
                             int z1, bool darkSides) {
    InternalCylinder(vertical, left, top, right, bottom, z0, z1, darkSides, 100);
}

void TPlotCanvas3D::Cone(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                         bool darkSides, int conePercent) {
    InternalCylinder(vertical, left, top, right, bottom, z0, z1, darkSides,
                     conePercent == 0 ? PlotDefaultConePercent : conePercent);
}

void TPlotCanvas3D::InternalCylinder(bool vertical, int left, int top, int right, int bottom,
                                     int z0, int z1, bool darkSides, int conePercent) {
    const int sides = Max(PlotNumCylinderSides, 3);
    const TColor k = FaceColor();
    const bool clear = Brush()->Style() == bsClear;
    const double zc = (z0 + z1) * 0.5, rz = (z1 - z0) * 0.5;
    // The body's axis runs along y (vertical) or x; the full end is at the bottom or left.
    const double axisCenter = vertical ? (left + right) * 0.5 : (top + bottom) * 0.5;
    const double radius = vertical ? (right - left) * 0.5 : (bottom - top) * 0.5;
    const int fullEnd = vertical ? bottom : left, narrowEnd = vertical ? top : right;
    auto ring = [&](int end, double scale) {
        std::vector<TPoint> points(sides);
        for (int i = 0; i < sides; ++i) {
            const double angle = 2 * kPi * i / sides;
            const double across = axisCenter + std::cos(angle) * radius * scale;
            const int depth = PlotRound(zc + std::sin(angle) * rz * scale);
            TPoint p;
            if (vertical)
                Calc3DPoint(p, across, static_cast<double>(end), depth);
            else
                Calc3DPoint(p, static_cast<double>(end), across, depth);
            points[i] = p;
        }
        return points;
    };
    const std::vector<TPoint> full = ring(fullEnd, 1.0);
    const std::vector<TPoint> narrow = ring(narrowEnd, conePercent / 100.0);
    for (int i = 0; i < sides; ++i) {
        const int next = (i + 1) % sides;
        const TFourPoints side = {full[i], full[next], narrow[next], narrow[i]};
        if (!clear && PlotCull(side.data())) continue;
        DrawFace(side, k, darkSides ? (256 / (2 * sides)) * i : 0);
    }
    const TPoint o1 = Calculate3DPosition(0, 0, 0), o2 = Calculate3DPosition(0, 10, 0),
                 o3 = Calculate3DPosition(0, 10, 10);
    const bool narrowCap = OrthoActive || !PlotCull(o1, o2, o3);
    InternalDark(k, DarkColorQuantity);
    Polygon(narrowCap ? narrow.data() : full.data(), sides);
}

void TPlotCanvas3D::Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                            bool darkSides) {
    const TColor k = FaceColor();
    const bool clear = Brush()->Style() == bsClear;
    auto P = [this](int x, int y, int z) { return Calculate3DPosition(x, y, z); };
    TPoint base[4];
    TPoint apex;
    if (vertical) {
        base[0] = P(left, bottom, z0);
        base[1] = P(right, bottom, z0);
        base[2] = P(right, bottom, z1);
        base[3] = P(left, bottom, z1);
        apex = P((left + right) / 2, top, (z0 + z1) / 2);
    } else {
        base[0] = P(left, top, z0);
        base[1] = P(left, bottom, z0);
        base[2] = P(left, bottom, z1);
        base[3] = P(left, top, z1);
        apex = P(right, (top + bottom) / 2, (z0 + z1) / 2);
    }
    const bool flat = vertical ? top == bottom : left == right;
    if (!flat) {
        auto triangle = [&](int a, int b) {
            const TPoint t[3] = {base[a], base[b], apex};
            if (clear || !PlotCull(t)) Polygon(t, 3);
        };
        const TPoint front[3] = {base[0], base[1], apex};
        Polygon(front, 3);
        triangle(2, 3);
        if (darkSides) InternalDark(k, vertical ? DarkerColorQuantity : DarkColorQuantity);
        triangle(1, 2);
        triangle(3, 0);
    }
    const TPoint baseFace[3] = {base[0], base[vertical ? 1 : 3], base[2]};
    if (clear || PlotCull(baseFace) == vertical) {
        if (darkSides) InternalDark(k, vertical ? DarkColorQuantity : DarkerColorQuantity);
        if (vertical)
            RectangleY(left, bottom, right, z0, z1);
        else
            RectangleZ(left, top, bottom, z0, z1);
    }
}

void TPlotCanvas3D::PyramidTrunc(const TRect& rect, int startZ, int endZ, int truncX, int truncZ) {
    const bool clear = Brush()->Style() == bsClear;
    const int xc = (rect.Left + rect.Right) / 2, zc = (startZ + endZ) / 2;
    const int tl = xc - truncX, tr = xc + truncX, tz0 = zc - truncZ, tz1 = zc + truncZ;
    RectangleY(rect.Left, rect.Bottom, rect.Right, startZ, endZ);
    auto plane = [&](const TFourPoints& points, int z0, int z1) {
        TFourPoints projected;
        for (int i = 0; i < 4; ++i)
            Calc3DPoint(projected[i], static_cast<double>(points[i].X),
                        static_cast<double>(points[i].Y), i < 2 ? z0 : z1);
        if (clear || !PlotCull(projected.data())) PlaneFour3D(points, z0, z1);
    };
    plane({TPoint(rect.Left, rect.Bottom), TPoint(rect.Right, rect.Bottom), TPoint(tr, rect.Top),
           TPoint(tl, rect.Top)},
          startZ, tz0);
    if (!(truncX == 0 && startZ == endZ)) {
        plane({TPoint(rect.Right, rect.Bottom), TPoint(rect.Left, rect.Bottom),
               TPoint(tl, rect.Top), TPoint(tr, rect.Top)},
              endZ, tz1);
        auto side = [&](const TFourPoints& quad) {
            if (clear || !PlotCull(quad.data())) {
                QuadPoints = quad;
                PolygonFour();
            }
        };
        side({Calculate3DPosition(rect.Left, rect.Bottom, endZ),
              Calculate3DPosition(rect.Left, rect.Bottom, startZ),
              Calculate3DPosition(tl, rect.Top, tz0), Calculate3DPosition(tl, rect.Top, tz1)});
        side({Calculate3DPosition(rect.Right, rect.Bottom, startZ),
              Calculate3DPosition(rect.Right, rect.Bottom, endZ),
              Calculate3DPosition(tr, rect.Top, tz1), Calculate3DPosition(tr, rect.Top, tz0)});
    }
    RectangleY(tl, rect.Top, tr, tz0, tz1);
}

void TPlotCanvas3D::Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
                          double startAngle, double endAngle, bool darkSides, bool drawSides,
                          int donutPercent, TCustomPlotGradient* gradient) {
    const TColor k = FaceColor();
    const int sideDark = darkSides ? 32 : 0;
    const int n = Min(PlotRound(std::fabs(endAngle - startAngle) * 180.0 / kPi / 2), 94) + 2;
    const double step = (endAngle - startAngle) / (n - 1);
    const double innerX = xRadius * donutPercent * 0.01, innerY = yRadius * donutPercent * 0.01;
    auto arc = [&](double rx, double ry, int z) {
        std::vector<TPoint> points(n);
        for (int i = 0; i < n; ++i) {
            const double angle = startAngle + i * step;
            Calc3DPoint(points[i], xCenter + rx * std::cos(angle), yCenter - ry * std::sin(angle),
                        z);
        }
        return points;
    };
    const std::vector<TPoint> outer0 = arc(xRadius, yRadius, z0),
                              outer1 = arc(xRadius, yRadius, z1);
    std::vector<TPoint> inner0, inner1;
    if (donutPercent > 0) {
        inner0 = arc(innerX, innerY, z0);
        inner1 = arc(innerX, innerY, z1);
        std::vector<TPoint> wall(inner0);
        wall.insert(wall.end(), inner1.rbegin(), inner1.rend());
        if (sideDark) InternalDark(k, static_cast<uint8_t>(sideDark));
        Polygon(wall.data(), static_cast<int>(wall.size()));
    }
    if (drawSides) {
        auto sidePlane = [&](int index) {
            TFourPoints plane;
            if (donutPercent > 0) {
                plane = {inner0[index], outer0[index], outer1[index], inner1[index]};
            } else {
                const TPoint c0 = Calculate3DPosition(xCenter, yCenter, z0),
                             c1 = Calculate3DPosition(xCenter, yCenter, z1);
                plane = {c0, outer0[index], outer1[index], c1};
            }
            DrawFace(plane, k, sideDark);
        };
        if (outer0[n - 1].X < ScreenX) sidePlane(n - 1);
        if (outer0[0].X > ScreenX) sidePlane(0);
        if (Brush()->Style() == bsSolid) Brush()->SetColor(k);
    }
    std::vector<TPoint> topFace(outer0);
    if (donutPercent > 0)
        topFace.insert(topFace.end(), inner0.rbegin(), inner0.rend());
    else
        topFace.push_back(Calculate3DPosition(xCenter, yCenter, z0));
    auto fillWithGradient = [&](std::vector<TPoint> polygon) {
        const std::vector<TPoint> outline = polygon;
        const TRect bounds = PolygonBounds(polygon);
        ClipPolygon(polygon.data(), static_cast<int>(polygon.size()));
        gradient->Draw(this, bounds, 0);
        UnClipRectangle();
        if (Pen()->Style() != psClear) {
            Brush()->SetStyle(bsClear);
            Polygon(outline.data(), static_cast<int>(outline.size()));
        }
    };
    if (gradient && gradient->Visible())
        fillWithGradient(topFace);
    else
        Polygon(topFace.data(), static_cast<int>(topFace.size()));
    // The outer wall: the runs of arc points whose projected x increases.
    int i = 0;
    while (i < n - 1) {
        while (i < n - 1 && outer0[i + 1].X <= outer0[i].X) ++i;
        const int first = i;
        while (i < n - 1 && outer0[i + 1].X > outer0[i].X) ++i;
        if (i == first) break;
        std::vector<TPoint> wall(outer0.begin() + first, outer0.begin() + i + 1);
        wall.insert(wall.end(), std::make_reverse_iterator(outer1.begin() + i + 1),
                    std::make_reverse_iterator(outer1.begin() + first));
        if (gradient && gradient->Visible()) {
            fillWithGradient(wall);
        } else {
            if (sideDark) InternalDark(k, static_cast<uint8_t>(sideDark));
            Polygon(wall.data(), static_cast<int>(wall.size()));
        }
    }
}

void TPlotCanvas3D::Donut(int xCenter, int yCenter, int xRadius, int yRadius, double startAngle,
                          double endAngle, double holePercent) {
    const double ix = xRadius * holePercent * 0.01, iy = yRadius * holePercent * 0.01;
    auto at = [&](double rx, double ry, double angle) {
        return TPoint(PlotRound(xCenter + rx * std::cos(angle)),
                      PlotRound(yCenter - ry * std::sin(angle)));
    };
    const TPoint outerStart = at(xRadius, yRadius, startAngle),
                 outerEnd = at(xRadius, yRadius, endAngle);
    const TPoint innerStart = at(ix, iy, startAngle), innerEnd = at(ix, iy, endAngle);
    HDC dc = GetHandle();
    const int direction = GetArcDirection(dc);
    BeginPath(dc);
    MoveToEx(dc, outerStart.X, outerStart.Y, nullptr);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    ArcTo(dc, xCenter - xRadius, yCenter - yRadius, xCenter + xRadius, yCenter + yRadius,
          outerStart.X, outerStart.Y, outerEnd.X, outerEnd.Y);
    ::LineTo(dc, innerEnd.X, innerEnd.Y);
    if (innerStart != innerEnd) {
        SetArcDirection(dc, AD_CLOCKWISE);
        const int rx = PlotRound(ix), ry = PlotRound(iy);
        ArcTo(dc, xCenter - rx, yCenter - ry, xCenter + rx, yCenter + ry, innerEnd.X, innerEnd.Y,
              innerStart.X, innerStart.Y);
    }
    ::LineTo(dc, outerStart.X, outerStart.Y);
    EndPath(dc);
    StrokeAndFillPath(dc);
    SetArcDirection(dc, direction);
}

void TPlotCanvas3D::Arrow(bool filled, const TPoint& from, const TPoint& to, int headWidth,
                          int headHeight, int z) {
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return;
    const double headLength = Min<double>(headHeight, PlotRound(length));
    const double ux = dx / length, uy = dy / length;
    const double nx = -uy, ny = ux;
    auto point = [&](double x, double y) {
        return Calculate3DPosition(PlotRound(x), PlotRound(y), z);
    };
    const double bx = to.X - ux * headLength, by = to.Y - uy * headLength;
    const double half = headWidth / 2.0;
    const TPoint tip = Calculate3DPosition(to, z);
    if (!filled) {
        Line(Calculate3DPosition(from, z), tip);
        Line(tip, point(bx + nx * half, by + ny * half));
        Line(tip, point(bx - nx * half, by - ny * half));
        return;
    }
    const double shaft = headWidth / 4.0;
    const TPoint polygon[7] = {
        point(from.X + nx * shaft, from.Y + ny * shaft), point(bx + nx * shaft, by + ny * shaft),
        point(bx + nx * half, by + ny * half),           tip,
        point(bx - nx * half, by - ny * half),           point(bx - nx * shaft, by - ny * shaft),
        point(from.X - nx * shaft, from.Y - ny * shaft)};
    Polygon(polygon, 7);
}
