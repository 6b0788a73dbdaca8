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
