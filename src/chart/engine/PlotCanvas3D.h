// The GDI chart canvas: off-screen buffer, flat/oblique/rotated projection, GDI clipping,
// primitives, 3-D solids, texts and gradient fill (sources PlotCanvas3D*.cpp).
#pragma once

#include <memory>

#include "PlotCanvas.h"
#include "PlotDibLines.h"

// Sides of cylinders and cones; cone tip size when Cone is given 0; quality of turned text.
extern int PlotNumCylinderSides;
extern int PlotDefaultConePercent;
extern int PlotFontAntiAlias;

class TPlotCanvas3D : public TCanvas3D {
    CL_CLASS(TPlotCanvas3D, TCanvas3D)

    TPlotCanvas3D();
    ~TPlotCanvas3D() override;

    using TCanvas3D::Calculate3DPosition;
    using TCanvas3D::ClipRectangle;
    using TCanvas3D::Cube;
    using TCanvas3D::Ellipse;
    using TCanvas3D::Line;
    using TCanvas3D::LineTo3D;
    using TCanvas3D::LineWithZ;
    using TCanvas3D::MoveTo3D;
    using TCanvas3D::PlaneWithZ;
    using TCanvas3D::Polygon;
    using TCanvas3D::Polyline;
    using TCanvas3D::Rectangle;
    using TCanvas3D::RoundRect;
    using TCanvas3D::StretchDraw;
    using TCanvas3D::TextOut;

    // ---- TPlotCanvas ----
    TColor GetBackColor() override;
    TCanvasBackMode GetBackMode() override;
    HDC GetHandle() override;
    bool GetMonochrome() override { return IsMonochrome; }
    TColor GetPixel(int x, int y) override;
    bool GetSupportsFullRotation() override { return false; }
    int GetTextAlign() override;
    bool GetUseBuffer() override { return Buffered; }
    void SetBackColor(TColor color) override;
    void SetBackMode(TCanvasBackMode mode) override;
    void SetMonochrome(bool value) override;
    void SetPixel(int x, int y, TColor color) override;
    void SetTextAlign(int align) override;
    void SetUseBuffer(bool value) override;
    void Arc(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) override;
    void Donut(int xCenter, int yCenter, int xRadius, int yRadius, double startAngle,
               double endAngle, double holePercent) override;
    void Draw(int x, int y, TGraphic* graphic) override;
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void FillRect(const TRect& rect) override;
    void LineTo(int x, int y) override;
    void MoveTo(int x, int y) override;
    void Pie(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    void RoundRect(int x0, int y0, int x1, int y1, int cornerWidth, int cornerHeight) override;
    void StretchDraw(const TRect& rect, TGraphic* graphic) override;
    void TextOut(int x, int y, const AnsiString& text) override;
    void ClipRectangle(const TRect& rect) override;
    void DoHorizLine(int x0, int x1, int y) override;
    void DoVertLine(int x, int y0, int y1) override;
    void EraseBackground(const TRect& rect) override;
    void GradientFill(const TRect& rect, TColor startColor, TColor endColor,
                      TGradientDirection direction, int balance) override;
    void Invalidate() override { BufferDirty = true; }
    void Line(int x0, int y0, int x1, int y1) override;
    void Polyline(const TPoint* points, int count) override;
    void Polygon(const TPoint* points, int count) override;
    void RotateLabel(int x, int y, const AnsiString& text, double angle) override;
    void UnClipRectangle() override;

    // ---- TCanvas3D ----
    TColor GetPixel3D(int x, int y, int z) override;
    bool GetSupports3DText() override { return false; }
    void SetPixel3D(int x, int y, int z, TColor color) override;
    void Calculate2DPosition(int& x, int& y, int z) override;
    TPoint Calculate3DPosition(int x, int y, int z) override;
    TRect InitWindow(TCanvas* canvas, TView3DOptions* options, TColor backColor, bool is3D,
                     const TRect& rect) override;
    void Projection(int maxDepth, const TRect& bounds, const TRect& chartRect) override;
    void ShowImage(TCanvas* destination, TCanvas* defaultCanvas, const TRect& rect) override;
    bool ReDrawBitmap() override;
    void Arrow(bool filled, const TPoint& from, const TPoint& to, int headWidth, int headHeight,
               int z) override;
    void ClipCube(const TRect& rect, int minZ, int maxZ) override;
    void Cone(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
              bool darkSides, int conePercent) override;
    void Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) override;
    void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                  bool darkSides) override;
    void DisableRotation() override;
    void EllipseWithZ(int x0, int y0, int x1, int y1, int z) override;
    void EnableRotation() override;
    void HorizLine3D(int x0, int x1, int y, int z) override;
    void VertLine3D(int x, int y0, int y1, int z) override;
    void ZLine3D(int x, int y, int z0, int z1) override;
    void LineWithZ(int x0, int y0, int x1, int y1, int z) override;
    void MoveTo3D(int x, int y, int z) override;
    void LineTo3D(int x, int y, int z) override;
    void Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
               double startAngle, double endAngle, bool darkSides, bool drawSides, int donutPercent,
               TCustomPlotGradient* gradient) override;
    void Plane3D(const TPoint& a, const TPoint& b, int z0, int z1) override;
    void PlaneWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3, const TPoint& p4,
                    int z) override;
    void PlaneFour3D(const TFourPoints& points, int z0, int z1) override;
    void PolygonWithZ(const TPoint* points, int count, int z) override;
    void Polyline(const TPoint* points, int count, int z) override;
    void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                 bool darkSides) override;
    void PyramidTrunc(const TRect& rect, int startZ, int endZ, int truncX, int truncZ) override;
    void RectangleWithZ(const TRect& rect, int z) override;
    void RectangleY(int x0, int y, int x1, int z0, int z1) override;
    void RectangleZ(int x, int y0, int y1, int z0, int z1) override;
    void RotateLabel3D(int x, int y, int z, const AnsiString& text, double angle) override;
    void Sphere(int x, int y, int z, double radius) override;
    void Surface3D(TPlotCanvasSurfaceStyle, bool, int, int, const TPlotCanvasCalcPoints&) override {
    }
    void TextOut3D(int x, int y, int z, const AnsiString& text) override;
    void Triangle3D(const TPoint3D& p0, const TPoint3D& p1, const TPoint3D& p2, TColor color0,
                    TColor color1, TColor color2) override;
    void TriangleWithZ(const TPoint& p1, const TPoint& p2, const TPoint& p3, int z) override;

    // ---- Added virtual operations ----
    // Fills QuadPoints as a polygon of four points.
    virtual void PolygonFour();
    virtual void DeleteBitmap();
    // Copies the whole buffer to (x, y) of the canvas.
    virtual void TransferBitmap(int x, int y, TCanvas* canvas);

    // ---- Projection ----
    void Calc3DPos(int& x, int& y, int z);
    void Calc3DPoint(TPoint& p, int x, int y, int z);
    void Calc3DPoint(TPoint& p, double x, double y, int z);
    void Calc3DTPoint(TPoint& p, int z) { Calc3DPos(p.X, p.Y, z); }
    TPoint Calc3DTPoint3D(const TPoint3D& p);
    TPointArray Calc3DPoints(const TPoint* points, int count, int z);
    void CalcPerspective(const TRect& rect);
    void CalcTrigValues();
    // The 64 points of an ellipse in depth (point 63 repeats point 0).
    void GetCirclePoints(TPoint* points, int x0, int y0, int x1, int y1, int z);
    void InternalCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                          bool darkSides, int conePercent);

    TBitmap* Buffer() const { return buffer_; }

    // Between these, DoHorizLine and DoVertLine of a cosmetic solid or dotted pen write their pixels
    // straight into a DIB section where the device allows it (GDI's own pixels, much faster); the
    // pen, clip and background must not change in between. The end leaves the current position
    // where GDI would have left it.
    void BeginDirectLines();
    void EndDirectLines();

    int CenterX = 0, CenterY = 0, CenterZ = 0;
    int ScreenX = 0, ScreenY = 0;
    Extended SinElevation = 0, SinRotation = 0, SinTilt = 0;
    Extended CosElevation = 0, CosRotation = 0, CosTilt = 0;
    // Screen offsets as linear terms of the chart offsets (for Calculate2DPosition).
    double InverseTerms[6] = {0, 0, 0, 0, 0, 0};
    bool WasIs3D = false;
    bool BufferDirty = true;
    bool IsMonochrome = false;
    bool PerspectiveOn = false;
    bool TiltOn = false;
    double ObliqueX = 0;
    double ObliqueY = 0;
    double PerspectiveFactor = 0;
    double ZoomScale = 0;
    bool ZoomTextOn = true;
    bool Buffered = true;
    bool Is3DActive = false;
    TFourPoints QuadPoints{};

private:
    // The colour solids shade from: the brush colour, or the background for hatched brushes.
    TColor FaceColor();
    void DrawFace(const TFourPoints& face, TColor faceColor, int darken);
    TRect TextRectAt(int x, int y, const AnsiString& text);
    void DrawTextPath(int x, int y, const AnsiString& text);

    TBitmap* buffer_ = nullptr;
    std::unique_ptr<TPlotDibLines> directLines_;
    TPoint directLinesEnd_;
};
