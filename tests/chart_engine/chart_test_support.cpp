#include "chart_test_support.h"

void TestPanel::InternalDraw(const TRect& rect) {
    if (PaintBackground) PanelPaint(rect);
    if (Body) Body(rect);
}

void TestPanel::Invalidate() {
    if (RepaintEnabled) ++Invalidations;
    TCustomPlotPanelExtended::Invalidate();
}

PanelPtr MakePanel() { return PanelPtr(new TestPanel); }

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TColor PixelOf(TBitmap* bitmap, int x, int y) {
    if (bitmap->PixelFormat() != pf24bit) bitmap->SetPixelFormat(pf24bit);
    const auto* p = static_cast<const uint8_t*>(bitmap->ScanLine(y)) + x * 3;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

int CountPixels(TBitmap* bitmap, const TRect& area, TColor color) {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (PixelOf(bitmap, x, y) == color) ++count;
    return count;
}

bool AllPixels(TBitmap* bitmap, const TRect& area, TColor color) {
    return CountPixels(bitmap, area, color) == area.Width() * area.Height();
}

bool SameImage(TBitmap* a, TBitmap* b) {
    if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
    for (int y = 0; y < a->Height(); ++y)
        for (int x = 0; x < a->Width(); ++x)
            if (PixelOf(a, x, y) != PixelOf(b, x, y)) return false;
    return true;
}

BitmapCanvas::BitmapCanvas(int width, int height, TColor color)
    : bitmap(FilledBitmap(width, height, color)), canvas(new TPlotCanvas3D) {
    canvas->SetUseBuffer(false);
    canvas->InitWindow(bitmap->Canvas(), nullptr, clWhite, false, Rect(0, 0, width, height));
}

void RecordingCanvas::Draw(int x, int y, TGraphic* graphic) {
    Draws.push_back({x, y});
    TPlotCanvas3D::Draw(x, y, graphic);
}

void RecordingCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    Stretches.push_back(rect);
    TPlotCanvas3D::StretchDraw(rect, graphic);
}

// ---------------------------------------------------------------------------------------------
// CallLogCanvas

namespace {

std::string Join(std::initializer_list<int> values) {
    std::string text;
    for (int v : values) {
        if (!text.empty()) text += ',';
        text += std::to_string(v);
    }
    return text;
}

std::string PointsText(const TPoint* points, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i) text += ',';
        text += std::to_string(points[i].X) + ',' + std::to_string(points[i].Y);
    }
    return text;
}

}  // namespace

std::string CallText(const char* name, std::initializer_list<int> values) {
    return std::string(name) + '(' + Join(values) + ')';
}

CallLog CallsStartingWith(const CallLog& log, const std::string& prefix) {
    CallLog result;
    for (const std::string& entry : log)
        if (entry.compare(0, prefix.size(), prefix) == 0) result.push_back(entry);
    return result;
}

int FirstCall(const CallLog& log, const std::string& prefix, int from) {
    for (int i = from; i < static_cast<int>(log.size()); ++i)
        if (log[i].compare(0, prefix.size(), prefix) == 0) return i;
    return -1;
}

CallLogCanvas::Entry::Entry(CallLogCanvas* owner, const std::string& text) : canvas(owner) {
    if (canvas->depth_++ == 0 && canvas->Log) canvas->Log->push_back(text);
}

void CallLogCanvas::Rectangle(int x0, int y0, int x1, int y1) {
    Entry e(this, CallText("Rectangle", {x0, y0, x1, y1}));
    TPlotCanvas3D::Rectangle(x0, y0, x1, y1);
}

void CallLogCanvas::Ellipse(int x0, int y0, int x1, int y1) {
    Entry e(this, CallText("Ellipse", {x0, y0, x1, y1}));
    TPlotCanvas3D::Ellipse(x0, y0, x1, y1);
}

void CallLogCanvas::Polygon(const TPoint* points, int count) {
    Entry e(this, "Polygon(" + PointsText(points, count) + ")");
    TPlotCanvas3D::Polygon(points, count);
}

void CallLogCanvas::Line(int x0, int y0, int x1, int y1) {
    Entry e(this, CallText("Line", {x0, y0, x1, y1}));
    TPlotCanvas3D::Line(x0, y0, x1, y1);
}

void CallLogCanvas::DoHorizLine(int x0, int x1, int y) {
    Entry e(this, CallText("DoHorizLine", {x0, x1, y}));
    TPlotCanvas3D::DoHorizLine(x0, x1, y);
}

void CallLogCanvas::DoVertLine(int x, int y0, int y1) {
    Entry e(this, CallText("DoVertLine", {x, y0, y1}));
    TPlotCanvas3D::DoVertLine(x, y0, y1);
}

void CallLogCanvas::TextOut(int x, int y, const AnsiString& text) {
    Entry e(this, "TextOut(" + Join({x, y}) + "," + text.str() + ")");
    TPlotCanvas3D::TextOut(x, y, text);
}

void CallLogCanvas::RotateLabel(int x, int y, const AnsiString& text, double angle) {
    Entry e(this, "RotateLabel(" + Join({x, y, static_cast<int>(angle)}) + "," + text.str() + ")");
    TPlotCanvas3D::RotateLabel(x, y, text, angle);
}

void CallLogCanvas::SetPixel(int x, int y, TColor color) {
    Entry e(this, CallText("SetPixel", {x, y}));
    TPlotCanvas3D::SetPixel(x, y, color);
}

void CallLogCanvas::TextOut3D(int x, int y, int z, const AnsiString& text) {
    Entry e(this, "TextOut3D(" + Join({x, y, z}) + "," + text.str() + ")");
    TPlotCanvas3D::TextOut3D(x, y, z, text);
}

void CallLogCanvas::RotateLabel3D(int x, int y, int z, const AnsiString& text, double angle) {
    Entry e(this,
            "RotateLabel3D(" + Join({x, y, z, static_cast<int>(angle)}) + "," + text.str() + ")");
    TPlotCanvas3D::RotateLabel3D(x, y, z, text, angle);
}

void CallLogCanvas::HorizLine3D(int x0, int x1, int y, int z) {
    Entry e(this, CallText("HorizLine3D", {x0, x1, y, z}));
    TPlotCanvas3D::HorizLine3D(x0, x1, y, z);
}

void CallLogCanvas::VertLine3D(int x, int y0, int y1, int z) {
    Entry e(this, CallText("VertLine3D", {x, y0, y1, z}));
    TPlotCanvas3D::VertLine3D(x, y0, y1, z);
}

void CallLogCanvas::ZLine3D(int x, int y, int z0, int z1) {
    Entry e(this, CallText("ZLine3D", {x, y, z0, z1}));
    TPlotCanvas3D::ZLine3D(x, y, z0, z1);
}

void CallLogCanvas::LineWithZ(int x0, int y0, int x1, int y1, int z) {
    Entry e(this, CallText("LineWithZ", {x0, y0, x1, y1, z}));
    TPlotCanvas3D::LineWithZ(x0, y0, x1, y1, z);
}

void CallLogCanvas::PolygonWithZ(const TPoint* points, int count, int z) {
    Entry e(this, "PolygonWithZ(" + PointsText(points, count) + "," + std::to_string(z) + ")");
    TPlotCanvas3D::PolygonWithZ(points, count, z);
}

void CallLogCanvas::RectangleWithZ(const TRect& r, int z) {
    Entry e(this, CallText("RectangleWithZ", {r.Left, r.Top, r.Right, r.Bottom, z}));
    TPlotCanvas3D::RectangleWithZ(r, z);
}

void CallLogCanvas::EllipseWithZ(int x0, int y0, int x1, int y1, int z) {
    Entry e(this, CallText("EllipseWithZ", {x0, y0, x1, y1, z}));
    TPlotCanvas3D::EllipseWithZ(x0, y0, x1, y1, z);
}

void CallLogCanvas::Cube(int left, int right, int top, int bottom, int z0, int z1, bool dark) {
    Entry e(this, CallText("Cube", {left, right, top, bottom, z0, z1}));
    TPlotCanvas3D::Cube(left, right, top, bottom, z0, z1, dark);
}

void CallLogCanvas::Projection(int maxDepth, const TRect& bounds, const TRect& chartRect) {
    Entry e(this, CallText("Projection", {maxDepth}));
    TPlotCanvas3D::Projection(maxDepth, bounds, chartRect);
}

void CallLogCanvas::ClipCube(const TRect& r, int minZ, int maxZ) {
    Entry e(this, CallText("ClipCube", {r.Left, r.Top, r.Right, r.Bottom, minZ, maxZ}));
    TPlotCanvas3D::ClipCube(r, minZ, maxZ);
}

void CallLogCanvas::ClipRectangle(const TRect& r) {
    Entry e(this, CallText("ClipRectangle", {r.Left, r.Top, r.Right, r.Bottom}));
    TPlotCanvas3D::ClipRectangle(r);
}

void CallLogCanvas::UnClipRectangle() {
    Entry e(this, "UnClipRectangle()");
    TPlotCanvas3D::UnClipRectangle();
}

TPlotBlend* CallLogCanvas::BeginBlending(const TRect& r, int transparency) {
    Entry e(this, CallText("BeginBlending", {r.Left, r.Top, r.Right, r.Bottom, transparency}));
    return TPlotCanvas3D::BeginBlending(r, transparency);
}

void CallLogCanvas::EndBlending(TPlotBlend* blend) {
    Entry e(this, "EndBlending()");
    TPlotCanvas3D::EndBlending(blend);
}

// ---------------------------------------------------------------------------------------------
// TestAxisPanel

TestAxisPanel::TestAxisPanel(TComponent* owner) : TCustomAxisPanel(owner) {
    SetColor(clWhite);
    SetView3D(false);
}

void TestAxisPanel::CalcWallsRect() {
    Note("CalcWallsRect");
    CalcSize3DWalls();
    ReCalcWidthHeight();
}

void TestAxisPanel::DrawTitlesAndLegend(bool beforeSeries) {
    Note(beforeSeries ? "DrawTitlesAndLegend(before)" : "DrawTitlesAndLegend(after)");
}

void TestAxisPanel::DrawWalls() { Note("DrawWalls"); }

bool TestAxisPanel::IsFreeSeriesColor(TColor color, bool checkBackground, TChartSeries* series) {
    for (int i = 0; i < SeriesCount(); ++i)
        if (GetSeries(i) != series && GetSeries(i)->GetSeriesColor() == color) return false;
    return !(checkBackground && color == Color());
}

void TestAxisPanel::PanelPaint(TRect rect) {
    Note("PanelPaint");
    TCustomAxisPanel::PanelPaint(rect);
}

// ---------------------------------------------------------------------------------------------
// TestLineSeries

TestLineSeries::TestLineSeries(TComponent* owner)
    : TChartSeries(owner), Pointer(new TSeriesPointer(this)) {
    Pointer->SetVisible(false);
    Pen()->SetWidth(2);
}

TestLineSeries::~TestLineSeries() { TObject::Free(Pointer); }

void TestLineSeries::SetParentChart(TCustomAxisPanel* chart) {
    TChartSeries::SetParentChart(chart);
    Pointer->SetParent(chart);
}

void TestLineSeries::DrawValue(int index) {
    auto* chart = ParentChart();
    if (auto* panel = dynamic_cast<TestAxisPanel*>(chart))
        panel->Note("DrawValue(" + Name().str() + "," + std::to_string(index) + ")");
    TPlotCanvas3D* canvas = chart->InternalCanvas;
    const TColor color = GetValueColor(index);
    const TPoint p{CalcXPos(index), CalcYPos(index)};
    if (index > 0) {
        canvas->AssignVisiblePenColor(Pen(), color);
        canvas->Line(CalcXPos(index - 1), CalcYPos(index - 1), p.X, p.Y);
    }
    if (Pointer->Visible()) {
        Pointer->PrepareCanvas(canvas, color);
        Pointer->Draw(p.X, p.Y, color, Pointer->Style());
    }
}

void TestLineSeries::CalcHorizMargins(int& left, int& right) {
    TChartSeries::CalcHorizMargins(left, right);
    Pointer->CalcHorizMargins(left, right);
}

void TestLineSeries::CalcVerticalMargins(int& top, int& bottom) {
    TChartSeries::CalcVerticalMargins(top, bottom);
    Pointer->CalcVerticalMargins(top, bottom);
}
