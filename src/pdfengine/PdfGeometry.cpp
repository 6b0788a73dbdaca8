// Affine maps and the Bezier approximation of elliptical arcs.
#include "PdfGeometry.h"

#include <cmath>

namespace pdfengine {

Affine Affine::After(const Affine& first) const {
    Affine r;
    r.a = a * first.a + c * first.b;
    r.b = b * first.a + d * first.b;
    r.c = a * first.c + c * first.d;
    r.d = b * first.c + d * first.d;
    r.e = a * first.e + c * first.f + e;
    r.f = b * first.e + d * first.f + f;
    return r;
}

double Affine::Scale() const { return std::sqrt(std::fabs(a * d - b * c)); }

namespace {

const double TwoPi = 6.283185307179586;

// The angle of a direction in the y-down space, counted counter-clockwise as seen.
double Direction(PointF centre, PointF p, double rx, double ry) {
    return std::atan2(-(p.y - centre.y) / ry, (p.x - centre.x) / rx);
}

PointF OnEllipse(PointF centre, double rx, double ry, double angle) {
    return {centre.x + rx * std::cos(angle), centre.y - ry * std::sin(angle)};
}

}  // namespace

std::vector<Bezier> EllipticArc(double left, double top, double right, double bottom,
                                PointF from, PointF to, bool counterClockwise, PointF& start) {
    const PointF centre{(left + right) / 2, (top + bottom) / 2};
    const double rx = std::fabs(right - left) / 2, ry = std::fabs(bottom - top) / 2;
    std::vector<Bezier> curves;
    if (rx <= 0 || ry <= 0) {
        start = centre;
        return curves;
    }
    const double a1 = Direction(centre, from, rx, ry);
    double a2 = Direction(centre, to, rx, ry);
    double sweep = a2 - a1;
    if (counterClockwise) {
        while (sweep <= 1e-9) sweep += TwoPi;
    } else {
        while (sweep >= -1e-9) sweep -= TwoPi;
    }
    const int segments = static_cast<int>(std::ceil(std::fabs(sweep) / (TwoPi / 4) - 1e-9));
    const double step = sweep / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    start = OnEllipse(centre, rx, ry, a1);
    double angle = a1;
    for (int i = 0; i < segments; ++i) {
        const double next = angle + step;
        const PointF p0 = OnEllipse(centre, rx, ry, angle), p3 = OnEllipse(centre, rx, ry, next);
        // Tangents of the ellipse (y-down: the y part of the derivative changes sign).
        const PointF t0{-rx * std::sin(angle), -ry * std::cos(angle)};
        const PointF t3{-rx * std::sin(next), -ry * std::cos(next)};
        curves.push_back({{p0.x + k * t0.x, p0.y + k * t0.y},
                          {p3.x - k * t3.x, p3.y - k * t3.y},
                          p3});
        angle = next;
    }
    return curves;
}

std::vector<Bezier> Ellipse(double left, double top, double right, double bottom,
                            PointF& start) {
    const PointF east{std::max(left, right), (top + bottom) / 2};
    return EllipticArc(left, top, right, bottom, east, east, true, start);
}

}  // namespace pdfengine
