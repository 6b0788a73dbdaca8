#include "PlotCanvas3D.h"

#include <cmath>
#include <vector>

#include "PlotView3D.h"
#include "cl_controls.h"

TPlotCanvas3D::TPlotCanvas3D() { FontZoomPercent = 100.0; }

TPlotCanvas3D::~TPlotCanvas3D() { TObject::Free(buffer_); }

// ---------------------------------------------------------------------------------------------
// Device state

HDC TPlotCanvas3D::GetHandle() { return TargetCanvas()->Handle(); }

TColor TPlotCanvas3D::GetBackColor() { return static_cast<TColor>(GetBkColor(GetHandle())); }

void TPlotCanvas3D::SetBackColor(TColor color) { SetBkColor(GetHandle(), ColorToRGB(color)); }

TCanvasBackMode TPlotCanvas3D::GetBackMode() {
    return static_cast<TCanvasBackMode>(GetBkMode(GetHandle()));
}

void TPlotCanvas3D::SetBackMode(TCanvasBackMode mode) { SetBkMode(GetHandle(), mode); }

int TPlotCanvas3D::GetTextAlign() { return static_cast<int>(::GetTextAlign(GetHandle())); }

void TPlotCanvas3D::SetTextAlign(int align) { ::SetTextAlign(GetHandle(), align); }

TColor TPlotCanvas3D::GetPixel(int x, int y) { return TargetCanvas()->Pixels(x, y); }

void TPlotCanvas3D::SetPixel(int x, int y, TColor color) {
    ::SetPixel(GetHandle(), x, y, ColorToRGB(color));
}

void TPlotCanvas3D::SetMonochrome(bool value) {
    if (value == IsMonochrome) return;
    IsMonochrome = value;
    BufferDirty = true;
    if (View3DOptions) View3DOptions->Repaint();
}

void TPlotCanvas3D::SetUseBuffer(bool value) {
    if (value == Buffered) return;
    Buffered = value;
    if (!value && buffer_) {
        DeleteBitmap();
        BufferDirty = true;
    } else if (value) {
        // The canvas stays on its current target until the next drawing selects the buffer;
        // the buffer's old image is stale.
        BufferDirty = true;
    }
}

// ---------------------------------------------------------------------------------------------
// Starting and ending a drawing

TRect TPlotCanvas3D::InitWindow(TCanvas* canvas, TView3DOptions* options, TColor, bool is3D,
                                const TRect& rect) {
    WindowRect = rect;
    View3DOptions = options;
    if (options) FontZoomPercent = options->FontZoom();
    Is3DActive = is3D;
    OrthoActive = false;
    ZoomScale = 1.0;
    if (is3D) {
        if (options) {
            OrthoActive = options->Orthogonal();
            if (OrthoActive) {
                int angle = options->OrthoAngle();
                if (angle > 90) {
                    ObliqueX = -1.0;
                    angle = 180 - angle;
                } else {
                    ObliqueX = 1.0;
                }
                const double s = std::sin(angle * PlotPiStep), c = std::cos(angle * PlotPiStep);
                ObliqueY = c < 0.01 ? 1.0 : s / c;
            }
            ZoomScale = options->Zoom() * 0.01;
            ZoomTextOn = options->ZoomText();
        }
        CalcTrigValues();
    }
    if (!Buffered) {
        SetCanvas(canvas);
        return rect;
    }
    int w, h;
    RectSize(rect, w, h);
    if (!buffer_) {
        buffer_ = new TBitmap;
        buffer_->SetPixelFormat(pf24bit);
    }
    buffer_->SetSize(w, h);
    buffer_->Canvas()->OnChange = nullptr;
    buffer_->Canvas()->OnChanging = nullptr;
    SetCanvas(buffer_->Canvas());
    return {0, 0, w, h};
}

void TPlotCanvas3D::ShowImage(TCanvas* destination, TCanvas* defaultCanvas, const TRect& rect) {
    if (Buffered) {
        TransferBitmap(rect.Left, rect.Top, destination);
        BufferDirty = false;
    }
    SetCanvas(defaultCanvas);
}

bool TPlotCanvas3D::ReDrawBitmap() {
    if (BufferDirty || !buffer_) return false;
    TransferBitmap(0, 0, TargetCanvas());
    return true;
}

void TPlotCanvas3D::DeleteBitmap() { FreeAndNil(buffer_); }

void TPlotCanvas3D::TransferBitmap(int x, int y, TCanvas* canvas) {
    if (!buffer_) return;
    BitBlt(canvas->Handle(), x, y, buffer_->Width(), buffer_->Height(), buffer_->Canvas()->Handle(),
           0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Projection

void TPlotCanvas3D::CalcTrigValues() {
    if (OrthoActive) return;
    const double e = View3DOptions ? -View3DOptions->Elevation() : 0;
    const double r = View3DOptions ? -View3DOptions->Rotation() : 0;
    const double t = View3DOptions ? View3DOptions->Tilt() : 0;
    PerspectiveOn = false;
    PerspectiveFactor = 0;
    SinElevation = std::sin(e * PlotPiStep);
    CosElevation = std::cos(e * PlotPiStep);
    SinRotation = std::sin(r * PlotPiStep);
    CosRotation = std::cos(r * PlotPiStep);
    SinTilt = std::sin(t * PlotPiStep);
    CosTilt = std::cos(t * PlotPiStep);
    TiltOn = t != 0;
    // The screen offsets as linear terms of dx, dy and dz (without perspective), for the
    // inverse projection: x' = t0 dx + t1 dy + t2 dz, y' = t3 dx + t4 dy + t5 dz.
    const double sE = SinElevation, cE = CosElevation, sR = SinRotation, cR = CosRotation,
                 sT = SinTilt, cT = CosTilt;
    InverseTerms[0] = cT * cR - sT * sE * sR;
    InverseTerms[1] = -sT * cE;
    InverseTerms[2] = cT * sR + sT * sE * cR;
    InverseTerms[3] = cT * sE * sR + sT * cR;
    InverseTerms[4] = cT * cE;
    InverseTerms[5] = sT * sR - cT * sE * cR;
}

void TPlotCanvas3D::Projection(int maxDepth, const TRect&, const TRect& chartRect) {
    RectCenter(chartRect, CenterX, CenterY);
    CenterX += PlotRound(CenterShift.X);
    CenterY += PlotRound(CenterShift.Y);
    CenterZ = PlotRound(maxDepth * 0.5 + CenterShift.Z);
    ScreenX = CenterX;
    ScreenY = CenterY;
    if (View3DOptions) {
        ScreenX += View3DOptions->HorizOffset();
        ScreenY += View3DOptions->VertOffset();
        CalcPerspective(chartRect);
    }
}

void TPlotCanvas3D::CalcPerspective(const TRect& rect) {
    PerspectiveOn = View3DOptions && View3DOptions->Perspective() > 0;
    if (PerspectiveOn)
        PerspectiveFactor =
            View3DOptions->Perspective() * ZoomScale * (1.0 / 150) / (rect.Right - rect.Left);
}

void TPlotCanvas3D::Calc3DPos(int& x, int& y, int z) {
    if (OrthoActive) {
        x = PlotRound(((x - CenterX) + z * ObliqueX) * ZoomScale) + ScreenX;
        y = PlotRound(((y - CenterY) - z * ObliqueY) * ZoomScale) + ScreenY;
        return;
    }
    if (!Is3DActive) return;
    const double dx = x - CenterX, dy = y - CenterY, dz = z - CenterZ;
    const double sE = SinElevation, cE = CosElevation, sR = SinRotation, cR = CosRotation;
    const double a = dz * cR - dx * sR;
    const double f =
        PerspectiveOn ? ZoomScale / ((cE * a + sE * dy) * PerspectiveFactor + 1) : ZoomScale;
    const double b = dx * cR + dz * sR;
    const double c = dy * cE - sE * a;
    if (TiltOn) {
        const double sT = SinTilt, cT = CosTilt;
        x = PlotRound((cT * b - sT * c) * f) + ScreenX;
        y = PlotRound((cT * c + sT * b) * f) + ScreenY;
    } else {
        x = PlotRound(b * f) + ScreenX;
        y = PlotRound(c * f) + ScreenY;
    }
}

void TPlotCanvas3D::Calc3DPoint(TPoint& p, int x, int y, int z) {
    Calc3DPos(x, y, z);
    p = {x, y};
}

void TPlotCanvas3D::Calc3DPoint(TPoint& p, double x, double y, int z) {
    if (OrthoActive) {
        p.X = PlotRound(((x - CenterX) + z * ObliqueX) * ZoomScale) + ScreenX;
        p.Y = PlotRound(((y - CenterY) - z * ObliqueY) * ZoomScale) + ScreenY;
        return;
    }
    if (!Is3DActive) {
        p = {PlotRound(x), PlotRound(y)};
        return;
    }
    const double dx = x - CenterX, dy = y - CenterY, dz = z - CenterZ;
    const double sE = SinElevation, cE = CosElevation, sR = SinRotation, cR = CosRotation,
                 sT = SinTilt, cT = CosTilt;
    const double a = dz * cR - dx * sR;
    const double f =
        PerspectiveOn ? ZoomScale / ((cE * a + sE * dy) * PerspectiveFactor + 1) : ZoomScale;
    const double b = dx * cR + dz * sR;
    const double c = dy * cE - sE * a;
    p.X = PlotRound((cT * b - sT * c) * f) + ScreenX;
    p.Y = PlotRound((cT * c + sT * b) * f) + ScreenY;
}

TPoint TPlotCanvas3D::Calc3DTPoint3D(const TPoint3D& p) {
    TPoint result;
    Calc3DPoint(result, p.X, p.Y, p.Z);
    return result;
}

TPoint TPlotCanvas3D::Calculate3DPosition(int x, int y, int z) {
    Calc3DPos(x, y, z);
    return {x, y};
}

TPointArray TPlotCanvas3D::Calc3DPoints(const TPoint* points, int count, int z) {
    TPointArray result(count);
    for (int i = 0; i < count; ++i) result[i] = Calculate3DPosition(points[i].X, points[i].Y, z);
    return result;
}

void TPlotCanvas3D::Calculate2DPosition(int& x, int& y, int z) {
    if (ZoomScale == 0) return;
    const double k = 1.0 / ZoomScale;
    if (OrthoActive) {
        x = PlotRound(k * (x - ScreenX) - z * ObliqueX) + CenterX;
        y = PlotRound(k * (y - ScreenY) + z * ObliqueY) + CenterY;
        return;
    }
    if (!Is3DActive) return;
    const double* t = InverseTerms;
    const double determinant = t[0] * t[4] - t[1] * t[3];
    if (std::fabs(determinant) < 1e-9) return;
    const double dz = z - CenterZ;
    const double sx = k * (x - ScreenX) - t[2] * dz;
    const double sy = k * (y - ScreenY) - t[5] * dz;
    x = PlotRound((sx * t[4] - t[1] * sy) / determinant) + CenterX;
    y = PlotRound((t[0] * sy - t[3] * sx) / determinant) + CenterY;
}

void TPlotCanvas3D::DisableRotation() {
    WasIs3D = Is3DActive;
    Is3DActive = false;
}

void TPlotCanvas3D::EnableRotation() { Is3DActive = WasIs3D; }

// ---------------------------------------------------------------------------------------------
// Clipping

void TPlotCanvas3D::ClipRectangle(const TRect& rect) { ClipCanvas(TargetCanvas(), rect); }

void TPlotCanvas3D::UnClipRectangle() { PlotUnClip(GetHandle()); }

void TPlotCanvas3D::ClipCube(const TRect& rect, int minZ, int maxZ) {
    if (!Is3DActive && !OrthoActive) {
        ClipRectangle(Rect(rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1));
        return;
    }
    TPointArray corners = {Calculate3DPosition(rect.Left, rect.Bottom, minZ),
                           Calculate3DPosition(rect.Left, rect.Bottom, maxZ),
                           Calculate3DPosition(rect.Left, rect.Top, maxZ),
                           Calculate3DPosition(rect.Right, rect.Top, maxZ),
                           Calculate3DPosition(rect.Right, rect.Top, minZ),
                           Calculate3DPosition(rect.Right, rect.Bottom, minZ),
                           Calculate3DPosition(rect.Left, rect.Top, minZ),
                           Calculate3DPosition(rect.Right, rect.Bottom, maxZ)};
    if (ConvexHull(corners)) ClipPolygon(corners.data(), static_cast<int>(corners.size()));
}

// ---------------------------------------------------------------------------------------------
// GDI primitives

void TPlotCanvas3D::MoveTo(int x, int y) { MoveToEx(GetHandle(), x, y, nullptr); }

void TPlotCanvas3D::LineTo(int x, int y) { ::LineTo(GetHandle(), x, y); }

void TPlotCanvas3D::Line(int x0, int y0, int x1, int y1) {
    HDC dc = GetHandle();
    MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
}

void TPlotCanvas3D::DoHorizLine(int x0, int x1, int y) {
    if (!directLines_) {
        Line(x0, y, x1, y);
        return;
    }
    directLines_->HorizLine(x0, x1, y);
    directLinesEnd_ = {x1, y};
}

void TPlotCanvas3D::DoVertLine(int x, int y0, int y1) {
    if (!directLines_) {
        Line(x, y0, x, y1);
        return;
    }
    directLines_->VertLine(x, y0, y1);
    directLinesEnd_ = {x, y1};
}

void TPlotCanvas3D::BeginDirectLines() {
    HDC dc = GetHandle();
    directLines_ = std::make_unique<TPlotDibLines>(dc);
    if (!directLines_->Ready()) {
        directLines_.reset();
        return;
    }
    POINT current{};
    GetCurrentPositionEx(dc, &current);
    directLinesEnd_ = {current.x, current.y};
}

void TPlotCanvas3D::EndDirectLines() {
    if (!directLines_) return;
    directLines_.reset();
    MoveTo(directLinesEnd_.X, directLinesEnd_.Y);
}

void TPlotCanvas3D::Rectangle(int x0, int y0, int x1, int y1) {
    ::Rectangle(GetHandle(), x0, y0, x1, y1);
}

void TPlotCanvas3D::RoundRect(int x0, int y0, int x1, int y1, int cornerWidth, int cornerHeight) {
    ::RoundRect(GetHandle(), x0, y0, x1, y1, cornerWidth, cornerHeight);
}

void TPlotCanvas3D::Ellipse(int x0, int y0, int x1, int y1) {
    ::Ellipse(GetHandle(), x0, y0, x1, y1);
}

void TPlotCanvas3D::Arc(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) {
    ::Arc(GetHandle(), x0, y0, x1, y1, x2, y2, x3, y3);
}

void TPlotCanvas3D::Pie(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) {
    ::Pie(GetHandle(), x0, y0, x1, y1, x2, y2, x3, y3);
}

namespace {

// Long polylines are where GDI's clipping of every segment costs.
constexpr int kLongPolyline = 32;

bool ThinSolidCopyPen(HDC dc) {
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    LOGPEN logPen{};
    return GetObjectType(pen) == OBJ_PEN && GetObjectW(pen, sizeof(logPen), &logPen) &&
           logPen.lopnStyle == PS_SOLID && logPen.lopnWidth.x <= 1 && GetROP2(dc) == R2_COPYPEN;
}

// Sub-polylines sharing their end points, for PolyPolyline: each leaves out its last point as
// the whole polyline does at the joints, where the next one starts.
struct Pieces {
    void Add(const POINT& from, const POINT& to, int fromIndex) {
        if (fromIndex != nextIndex) {
            points.push_back(from);
            counts.push_back(1);
        }
        points.push_back(to);
        ++counts.back();
        nextIndex = fromIndex + 1;
    }
    void Draw(HDC dc) const {
        if (!counts.empty())
            PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
    }
    std::vector<POINT> points;
    std::vector<DWORD> counts;
    int nextIndex = -1;
};

// A thin solid line between points inside a rectangular clip draws no pixel outside it: such
// segments of a long polyline are drawn with the clip lifted for the moment, the others with it,
// giving GDI's pixels without its clipping of every segment. Only on memory devices (recorded
// pages keep their records), in text mapping.
bool PolylineSplitAtClip(HDC dc, const TPoint* points, int count) {
    if (count < kLongPolyline || GetObjectType(dc) != OBJ_MEMDC) return false;
    if (GetMapMode(dc) != MM_TEXT || GetGraphicsMode(dc) != GM_COMPATIBLE || GetLayout(dc) != 0 ||
        !ThinSolidCopyPen(dc))
        return false;
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (GetClipRgn(dc, clip) != 1 || GetRgnBox(clip, &box) != SIMPLEREGION) {
        DeleteObject(clip);
        return false;
    }
    POINT origin{0, 0};
    LPtoDP(dc, &origin, 1);
    auto inside = [&](const TPoint& p) {
        const int x = p.X + origin.x, y = p.Y + origin.y;
        return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
    };
    Pieces inner, outer;
    bool previousInside = inside(points[0]);
    for (int i = 0; i + 1 < count; ++i) {
        const bool nextInside = inside(points[i + 1]);
        const POINT from{points[i].X, points[i].Y}, to{points[i + 1].X, points[i + 1].Y};
        (previousInside && nextInside ? inner : outer).Add(from, to, i);
        previousInside = nextInside;
    }
    outer.Draw(dc);
    SelectClipRgn(dc, nullptr);
    inner.Draw(dc);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    return true;
}

}  // namespace

void TPlotCanvas3D::Polyline(const TPoint* points, int count) {
    if (count <= 0) return;
    HDC dc = GetHandle();
    if (!PolylineSplitAtClip(dc, points, count))
        ::Polyline(dc, reinterpret_cast<const POINT*>(points), count);
}

void TPlotCanvas3D::Polygon(const TPoint* points, int count) {
    if (count <= 0) return;
    ::Polygon(GetHandle(), reinterpret_cast<const POINT*>(points), count);
}

void TPlotCanvas3D::FillRect(const TRect& rect) {
    HDC dc = GetHandle();
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FillRect(dc, &r, Brush()->Handle());
}

void TPlotCanvas3D::EraseBackground(const TRect& rect) { FillRect(rect); }

void TPlotCanvas3D::Draw(int x, int y, TGraphic* graphic) {
    if (graphic && !graphic->Empty()) TargetCanvas()->Draw(x, y, graphic);
}

void TPlotCanvas3D::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (graphic) TargetCanvas()->StretchDraw(rect, graphic);
}

// ---------------------------------------------------------------------------------------------
// Depth forms

void TPlotCanvas3D::MoveTo3D(int x, int y, int z) {
    Calc3DPos(x, y, z);
    MoveTo(x, y);
}

void TPlotCanvas3D::LineTo3D(int x, int y, int z) {
    Calc3DPos(x, y, z);
    LineTo(x, y);
}

void TPlotCanvas3D::LineWithZ(int x0, int y0, int x1, int y1, int z) {
    Calc3DPos(x0, y0, z);
    Calc3DPos(x1, y1, z);
    Line(x0, y0, x1, y1);
}

void TPlotCanvas3D::HorizLine3D(int x0, int x1, int y, int z) {
    MoveTo3D(x0, y, z);
    LineTo3D(x1, y, z);
}

void TPlotCanvas3D::VertLine3D(int x, int y0, int y1, int z) {
    MoveTo3D(x, y0, z);
    LineTo3D(x, y1, z);
}

void TPlotCanvas3D::ZLine3D(int x, int y, int z0, int z1) {
    MoveTo3D(x, y, z0);
    LineTo3D(x, y, z1);
}

void TPlotCanvas3D::PolygonFour() { Polygon(QuadPoints.data(), 4); }

void TPlotCanvas3D::RectangleWithZ(const TRect& rect, int z) {
    QuadPoints = FourPointsFromRect(rect, z);
    PolygonFour();
}

void TPlotCanvas3D::RectangleZ(int x, int y0, int y1, int z0, int z1) {
    QuadPoints = {Calculate3DPosition(x, y0, z0), Calculate3DPosition(x, y0, z1),
                  Calculate3DPosition(x, y1, z1), Calculate3DPosition(x, y1, z0)};
    PolygonFour();
}

void TPlotCanvas3D::RectangleY(int x0, int y, int x1, int z0, int z1) {
    QuadPoints = {Calculate3DPosition(x0, y, z0), Calculate3DPosition(x1, y, z0),
                  Calculate3DPosition(x1, y, z1), Calculate3DPosition(x0, y, z1)};
    PolygonFour();
}

void TPlotCanvas3D::PlaneWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3,
                               const TPoint& p4, int z) {
    QuadPoints = {Calculate3DPosition(p1, z), Calculate3DPosition(p2, z),
                  Calculate3DPosition(p3, z), Calculate3DPosition(p4, z)};
    PolygonFour();
}

void TPlotCanvas3D::PlaneFour3D(const TFourPoints& points, int z0, int z1) {
    Calc3DPoint(QuadPoints[0], static_cast<double>(points[0].X), static_cast<double>(points[0].Y),
                z0);
    Calc3DPoint(QuadPoints[1], static_cast<double>(points[1].X), static_cast<double>(points[1].Y),
                z0);
    Calc3DPoint(QuadPoints[2], static_cast<double>(points[2].X), static_cast<double>(points[2].Y),
                z1);
    Calc3DPoint(QuadPoints[3], static_cast<double>(points[3].X), static_cast<double>(points[3].Y),
                z1);
    PolygonFour();
}

void TPlotCanvas3D::Plane3D(const TPoint& a, const TPoint& b, int z0, int z1) {
    QuadPoints = {Calculate3DPosition(a, z0), Calculate3DPosition(b, z0),
                  Calculate3DPosition(b, z1), Calculate3DPosition(a, z1)};
    PolygonFour();
}

void TPlotCanvas3D::PolygonWithZ(const TPoint* points, int count, int z) {
    Polygon(Calc3DPoints(points, count, z));
}

void TPlotCanvas3D::Polyline(const TPoint* points, int count, int z) {
    Polyline(Calc3DPoints(points, count, z));
}

void TPlotCanvas3D::TriangleWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3, int z) {
    const TPoint points[3] = {Calculate3DPosition(p1, z), Calculate3DPosition(p2, z),
                              Calculate3DPosition(p3, z)};
    Polygon(points, 3);
}

void TPlotCanvas3D::Triangle3D(const TPoint3D& p0, const TPoint3D& p1, const TPoint3D& p2,
                               TColor color0, TColor, TColor) {
    if (Brush()->Style() != bsClear) Brush()->SetColor(color0);
    const TPoint points[3] = {Calc3DTPoint3D(p0), Calc3DTPoint3D(p1), Calc3DTPoint3D(p2)};
    Polygon(points, 3);
}

TColor TPlotCanvas3D::GetPixel3D(int x, int y, int z) {
    Calc3DPos(x, y, z);
    return GetPixel(x, y);
}

void TPlotCanvas3D::SetPixel3D(int x, int y, int z, TColor color) {
    Calc3DPos(x, y, z);
    if (Pen()->Width() == 1)
        SetPixel(x, y, color);
    else
        Line(x, y, x, y);
}

void TPlotCanvas3D::GetCirclePoints(TPoint* points, int x0, int y0, int x1, int y1, int z) {
    const int xc = (x0 + x1) / 2, yc = (y0 + y1) / 2;
    const int rx = (x1 - x0) / 2, ry = (y1 - y0) / 2;
    Calc3DPoint(points[0], xc, y1, z);
    const double step = 2 * 3.14159265358979323846 / 63;
    for (int i = 1; i < 64; ++i)
        Calc3DPoint(points[i], xc + std::sin(i * step) * rx, yc + std::cos(i * step) * ry, z);
}

void TPlotCanvas3D::EllipseWithZ(int x0, int y0, int x1, int y1, int z) {
    if (OrthoActive) {
        Calc3DPos(x0, y0, z);
        Calc3DPos(x1, y1, z);
        Ellipse(x0, y0, x1, y1);
        return;
    }
    if (!Is3DActive) {
        Ellipse(x0, y0, x1 + 1, y1 + 1);
        return;
    }
    TPoint points[64];
    GetCirclePoints(points, x0, y0, x1, y1, z);
    if (Brush()->Style() != bsClear) {
        const TPoint center = Calculate3DPosition((x0 + x1) / 2, (y0 + y1) / 2, z);
        const TPenStyle style = Pen()->Style();
        Pen()->SetStyle(psClear);
        for (int i = 0; i < 63; ++i) {
            const TPoint triangle[3] = {center, points[i], points[i + 1]};
            Polygon(triangle, 3);
        }
        Pen()->SetStyle(style);
    }
    if (Pen()->Style() != psClear) Polyline(points, 64);
}

void TPlotCanvas3D::Sphere(int x, int y, int z, double radius) {
    const int r = PlotRound(radius);
    EllipseWithZ(x - r, y - r, x + r, y + r, z);
}
