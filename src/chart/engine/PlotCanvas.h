// The abstract chart canvas: the drawing surface every chart element draws through
// (TPlotCanvas), its depth extension (TCanvas3D), pen selection rules and nesting clip regions.
#pragma once

#include <windows.h>

#include <functional>

#include "PlotGeometry.h"
#include "PlotPens.h"
#include "cl_graphics.h"

class TPlotFont;
class TPlotBlend;
class TView3DOptions;

// Makes the GDI pen of a visible chart pen on a device pen: small dots, cosmetic or geometric
// with caps and joins, and the raster operation of the pen's mode set directly on `dc`.
void PlotSetPlotPen(TPen* devicePen, TChartPen* pen, TColor color, HDC dc);
// A one-pixel pen with every other pixel set.
HPEN PlotCreatePenSmallDots(TColor color);

// Clip regions nest: every clip remembers the device's clip region before it, and every unclip
// goes back to the region of the latest clip on that device; with none, clipping ends.
void ClipCanvas(TCanvas* canvas, const TRect& rect);
void UnClipCanvas(TCanvas* canvas);
void PlotClipRegion(HDC dc, HRGN region, int mode);
// Remembers the device's clip region for the next unclip (before a clip made otherwise).
void PlotSaveClip(HDC dc);
void PlotUnClip(HDC dc);

class TPlotCanvas : public TObject {
    CL_CLASS(TPlotCanvas, TObject)

    TPlotCanvas();

    // ---- Virtual operations, in table order ----
    virtual TColor GetBackColor() = 0;
    virtual TCanvasBackMode GetBackMode() = 0;
    virtual HDC GetHandle() = 0;
    virtual bool GetMonochrome() = 0;
    virtual TColor GetPixel(int x, int y) = 0;
    virtual bool GetSupportsFullRotation() = 0;
    virtual int GetTextAlign() = 0;
    virtual bool GetUseBuffer() = 0;
    virtual void SetBackColor(TColor color) = 0;
    virtual void SetBackMode(TCanvasBackMode mode) = 0;
    virtual void SetMonochrome(bool value) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    virtual void SetTextAlign(int align) = 0;
    virtual void SetUseBuffer(bool value) = 0;
    // The one way a chart pen reaches the device (monochrome: black).
    virtual void AssignVisiblePenColor(TPen* pen, TColor color);
    // Captures the image under the rectangle; EndBlending mixes it back over what was drawn.
    virtual TPlotBlend* BeginBlending(const TRect& rect, int transparency);
    virtual void EndBlending(TPlotBlend* blend);
    virtual void Arc(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) = 0;
    // A flat ring sector; angles in radians.
    virtual void Donut(int xCenter, int yCenter, int xRadius, int yRadius, double startAngle,
                       double endAngle, double holePercent) = 0;
    virtual void Draw(int x, int y, TGraphic* graphic) = 0;
    virtual void Ellipse(int x0, int y0, int x1, int y1) = 0;
    virtual void FillRect(const TRect& rect) = 0;
    // Draws `width` nested frames and shrinks the rectangle by `width` on every side.
    virtual void Frame3D(TRect& rect, TColor topColor, TColor bottomColor, int width);
    virtual void LineTo(int x, int y) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void Pie(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) = 0;
    virtual void Rectangle(int x0, int y0, int x1, int y1) = 0;
    virtual void RoundRect(int x0, int y0, int x1, int y1, int cornerWidth, int cornerHeight) = 0;
    virtual void StretchDraw(const TRect& rect, TGraphic* graphic) = 0;
    virtual void TextOut(int x, int y, const AnsiString& text) = 0;
    // The text extent plus the size of the last chart font's shadow.
    virtual int TextWidth(const AnsiString& text);
    virtual int TextHeight(const AnsiString& text);
    virtual void ClipRectangle(const TRect& rect) = 0;
    virtual void ClipRectangle(const TRect& rect, int cornerSize);
    virtual void ClipEllipse(const TRect& rect, bool inverted = false);
    // Converts the points to device units in place.
    virtual void ClipPolygon(TPoint* points, int count);
    virtual void DoHorizLine(int x0, int x1, int y) = 0;
    virtual void DoVertLine(int x, int y0, int y1) = 0;
    virtual void EraseBackground(const TRect& rect) = 0;
    virtual void GradientFill(const TRect& rect, TColor startColor, TColor endColor,
                              TGradientDirection direction, int balance) = 0;
    virtual void Invalidate() = 0;
    virtual void Line(int x0, int y0, int x1, int y1) = 0;
    virtual void Polyline(const TPoint* points, int count) = 0;
    virtual void Polygon(const TPoint* points, int count) = 0;
    // Text turned counter-clockwise by `angle` degrees.
    virtual void RotateLabel(int x, int y, const AnsiString& text, double angle) = 0;
    virtual void UnClipRectangle() = 0;

    // ---- Non-virtual operations ----
    void SetCanvas(TCanvas* canvas);
    void ResetState();
    void AssignBrush(TChartBrush* brush, TColor color);
    void AssignBrushColor(TChartBrush* brush, TColor foreColor, TColor backColor);
    void AssignVisiblePen(TPen* pen) { AssignVisiblePenColor(pen, pen->Color()); }
    void AssignFont(TPlotFont* font);
    void InternalDark(TColor color, uint8_t quantity);
    int GetFontHeight() { return TextHeight("W"); }
    int FontHeight() { return GetFontHeight(); }
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void DoRectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(const TRect& r, int w, int h) {
        RoundRect(r.Left, r.Top, r.Right, r.Bottom, w, h);
    }
    void Line(const TPoint& p, const TPoint& q) { Line(p.X, p.Y, q.X, q.Y); }
    void Polyline(const TPointArray& p) { Polyline(p.data(), static_cast<int>(p.size())); }
    void Polygon(const TPointArray& p) { Polygon(p.data(), static_cast<int>(p.size())); }
    // With `html` the text goes to the HTML-subset renderer (HtmlTextOut, installed by the
    // renderer's unit); while none is installed the text is written as it stands.
    void TextOut(int x, int y, const AnsiString& text, bool html);
    static std::function<void(TPlotCanvas* canvas, int x, int y, const AnsiString& text)>
        HtmlTextOut;
    // The size of an HTML-subset text (installed with HtmlTextOut); while none is installed the
    // text is measured as it stands.
    static std::function<TSize(TPlotCanvas* canvas, const AnsiString& text)> HtmlTextExtent;
    // Convex hull of the points, the pivot last; false for fewer than three points.
    static bool ConvexHull(TPointArray& points);

    // ---- State ----
    TCanvas* TargetCanvas() const { return target_; }
    TFont* Font() const { return font_; }
    TPen* Pen() const { return pen_; }
    TBrush* Brush() const { return brush_; }
    bool Metafiling = false;
    int BlendTransparency = 0;
    TRect WindowRect;
    TPlotFont* LastFont = nullptr;
    double FontZoomPercent = 100.0;

    // Property forms.
    TColor Pixels(int x, int y) { return GetPixel(x, y); }
    TColor BackColor() { return GetBackColor(); }
    TCanvasBackMode BackMode() { return GetBackMode(); }
    bool Monochrome() { return GetMonochrome(); }
    int TextAlign() { return GetTextAlign(); }
    bool UseBuffer() { return GetUseBuffer(); }
    HDC Handle() { return GetHandle(); }

private:
    TCanvas* target_ = nullptr;
    TFont* font_ = nullptr;
    TPen* pen_ = nullptr;
    TBrush* brush_ = nullptr;
};

// The depth extension: projection of points with a z, 3-D shapes and the front plane.
class TCanvas3D : public TPlotCanvas {
    CL_CLASS(TCanvas3D, TPlotCanvas)

    using TPlotCanvas::Polyline;
    using TPlotCanvas::Rectangle;
    using TPlotCanvas::StretchDraw;

    // ---- Virtual operations added, in table order ----
    virtual TColor GetPixel3D(int x, int y, int z) = 0;
    virtual bool GetSupports3DText() = 0;
    virtual void SetPixel3D(int x, int y, int z, TColor color) = 0;
    // Screen point back to the chart point at depth z.
    virtual void Calculate2DPosition(int& x, int& y, int z) = 0;
    virtual TPoint Calculate3DPosition(int x, int y, int z) = 0;
    virtual TRect InitWindow(TCanvas* canvas, TView3DOptions* options, TColor backColor, bool is3D,
                             const TRect& rect) = 0;
    // Copies the monochrome setting.
    virtual void Assign(TCanvas3D* other);
    virtual void Projection(int maxDepth, const TRect& bounds, const TRect& chartRect) = 0;
    virtual void ShowImage(TCanvas* destination, TCanvas* defaultCanvas, const TRect& rect) = 0;
    virtual bool ReDrawBitmap() = 0;
    virtual void Arrow(bool filled, const TPoint& from, const TPoint& to, int headWidth,
                       int headHeight, int z) = 0;
    virtual void ClipCube(const TRect& rect, int minZ, int maxZ) = 0;
    virtual void Cone(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                      bool darkSides, int conePercent) = 0;
    virtual void Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) = 0;
    virtual void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                          bool darkSides) = 0;
    virtual void DisableRotation() {}
    virtual void EllipseWithZ(int x0, int y0, int x1, int y1, int z) = 0;
    virtual void EnableRotation() {}
    virtual void HorizLine3D(int x0, int x1, int y, int z) = 0;
    virtual void VertLine3D(int x, int y0, int y1, int z) = 0;
    virtual void ZLine3D(int x, int y, int z0, int z1) = 0;
    // Between these, drawing is flat on the front plane; they nest.
    virtual void FrontPlaneBegin();
    virtual void FrontPlaneEnd();
    virtual void LineWithZ(int x0, int y0, int x1, int y1, int z) = 0;
    virtual void MoveTo3D(int x, int y, int z) = 0;
    virtual void LineTo3D(int x, int y, int z) = 0;
    virtual void Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
                       double startAngle, double endAngle, bool darkSides, bool drawSides,
                       int donutPercent, class TCustomPlotGradient* gradient) = 0;
    virtual void Plane3D(const TPoint& a, const TPoint& b, int z0, int z1) = 0;
    virtual void PlaneWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3, const TPoint& p4,
                            int z) = 0;
    // The first two points at z0, the last two at z1.
    virtual void PlaneFour3D(const TFourPoints& points, int z0, int z1) = 0;
    virtual void PolygonWithZ(const TPoint* points, int count, int z) = 0;
    virtual void Polyline(const TPoint* points, int count, int z) = 0;
    virtual void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                         bool darkSides) = 0;
    virtual void PyramidTrunc(const TRect& rect, int startZ, int endZ, int truncX, int truncZ) = 0;
    virtual void RectangleWithZ(const TRect& rect, int z) = 0;
    // A floor or ceiling at height y.
    virtual void RectangleY(int x0, int y, int x1, int z0, int z1) = 0;
    // A side plane at x.
    virtual void RectangleZ(int x, int y0, int y1, int z0, int z1) = 0;
    virtual void RotateLabel3D(int x, int y, int z, const AnsiString& text, double angle) = 0;
    virtual void Sphere(int x, int y, int z, double radius) = 0;
    virtual void Surface3D(TPlotCanvasSurfaceStyle style, bool sameBrush, int numXValues,
                           int numZValues, const TPlotCanvasCalcPoints& calcPoints) = 0;
    virtual void TextOut3D(int x, int y, int z, const AnsiString& text) = 0;
    virtual void Triangle3D(const TPoint3D& p0, const TPoint3D& p1, const TPoint3D& p2,
                            TColor color0, TColor color1, TColor color2) = 0;
    virtual void TriangleWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3, int z) = 0;

    // ---- Non-virtual operations ----
    // Projected top-left and bottom-right corners (not a bounding box).
    TRect CalcRect3D(const TRect& rect, int z);
    TPoint Calculate3DPosition(const TPoint3D& p) { return Calculate3DPosition(p.X, p.Y, p.Z); }
    TPoint Calculate3DPosition(const TPoint& p, int z) { return Calculate3DPosition(p.X, p.Y, z); }
    void Cube(const TRect& r, int z0, int z1, bool darkSides) {
        Cube(r.Left, r.Right, r.Top, r.Bottom, z0, z1, darkSides);
    }
    TFourPoints FourPointsFromRect(const TRect& rect, int z);
    void LineWithZ(const TPoint& p, const TPoint& q, int z) { LineWithZ(p.X, p.Y, q.X, q.Y, z); }
    void MoveTo3D(const TPoint3D& p) { MoveTo3D(p.X, p.Y, p.Z); }
    void LineTo3D(const TPoint3D& p) { LineTo3D(p.X, p.Y, p.Z); }
    void PlaneWithZ(const TFourPoints& p, int z) { PlaneWithZ(p[0], p[1], p[2], p[3], z); }
    void Rectangle(const TRect& r, int z) { RectangleWithZ(r, z); }
    void Rectangle(int x0, int y0, int x1, int y1, int z) {
        RectangleWithZ(Rect(x0, y0, x1, y1), z);
    }
    // Exclusive bounding box of the rectangle projected at z.
    TRect RectFromRectZ(const TRect& rect, int z);
    void RotatedEllipse(int x0, int y0, int x1, int y1, int z, double angle);
    // The picture mapped onto the plane at depth z, pixel by pixel.
    void StretchDraw(const TRect& rect, TGraphic* graphic, int z);
    // Start and end angles in degrees of a GDI pie given by box and radial points.
    static void CalcPieAngles(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                              double& startAngle, double& endAngle);

    TView3DOptions* View3DOptions = nullptr;
    int RotationLock = 0;
    bool OrthoActive = false;
    struct {
        double X = 0, Y = 0, Z = 0;
    } CenterShift;
};
