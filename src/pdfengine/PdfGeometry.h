// Plane geometry of the metafile translation: affine maps between coordinate spaces and the
// Bezier curves that stand for the ellipses and arcs of a drawing.
#pragma once

#include <vector>

namespace pdfengine {

struct PointF {
    double x = 0;
    double y = 0;
};

// x' = a x + c y + e, y' = b x + d y + f (the order PDF uses for its matrices).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    PointF Apply(PointF p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    PointF ApplyVector(PointF v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
    // This map after `first`.
    Affine After(const Affine& first) const;
    // The mean length a unit of the source space gets.
    double Scale() const;
};

// One cubic segment of a path.
struct Bezier {
    PointF c1, c2, end;
};

// The elliptical arc inscribed in the box (left, top)-(right, bottom) of a y-down space, from
// the direction of `from` to the direction of `to` around the centre, counter-clockwise as
// seen on the page when `counterClockwise`; equal directions give the whole ellipse. The
// start point is returned in `start`.
std::vector<Bezier> EllipticArc(double left, double top, double right, double bottom,
                                PointF from, PointF to, bool counterClockwise, PointF& start);

// The four quarter arcs of the whole ellipse in the box, starting at its rightmost point.
std::vector<Bezier> Ellipse(double left, double top, double right, double bottom,
                            PointF& start);

}  // namespace pdfengine
