#include "PlotCanvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "PlotBlend.h"
#include "PlotFont.h"
#include "PlotHtml.h"
#include "PlotSystem.h"
#include "cl_sys.h"

// ---------------------------------------------------------------------------------------------
// Pens

namespace {

const DWORD kPenStyleCodes[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
const DWORD kEndStyleCodes[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE | PS_JOIN_BEVEL,
                                PS_ENDCAP_FLAT | PS_JOIN_MITER};

void ApplyWidthRule(TPen* pen) {
    if (PlotCheckPenWidth && pen->Style() != psSolid && pen->Width() == 1) pen->SetWidth(0);
}

}  // namespace

HPEN PlotCreatePenSmallDots(TColor color) {
    LOGBRUSH brush{BS_SOLID, static_cast<COLORREF>(ColorToRGB(color)), 0};
    return ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
}

void PlotSetPlotPen(TPen* devicePen, TChartPen* pen, TColor color, HDC dc) {
    if (pen->SmallDots()) {
        devicePen->SetHandle(PlotCreatePenSmallDots(color));
        devicePen->SetMode(pen->Mode());
        return;
    }
    if (pen->Width() <= 1) {
        devicePen->Assign(pen);
        if (devicePen->Color() != color) devicePen->SetColor(color);
        ApplyWidthRule(devicePen);
        return;
    }
    devicePen->Assign(pen);
    devicePen->SetColor(color);
    LOGBRUSH brush{BS_SOLID, static_cast<COLORREF>(ColorToRGB(color)), 0};
    devicePen->SetHandle(
        ExtCreatePen(PS_GEOMETRIC | kPenStyleCodes[pen->Style()] | kEndStyleCodes[pen->EndStyle()],
                     pen->Width(), &brush, 0, nullptr));
    SetROP2(dc, PenModeToRop2(pen->Mode()));
}

// ---------------------------------------------------------------------------------------------
// Nesting clip regions, kept per device context.

namespace {

struct SavedClip {
    HDC dc;
    HRGN previous;  // null: the device had no clip region
};

std::vector<SavedClip>& ClipStack() {
    static std::vector<SavedClip> stack;
    return stack;
}

void PushCurrentClip(HDC dc) {
    HRGN previous = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(dc, previous) != 1) {
        DeleteObject(previous);
        previous = nullptr;
    }
    ClipStack().push_back({dc, previous});
}

void DeviceRect(HDC dc, const TRect& rect, POINT (&corners)[2]) {
    corners[0] = {rect.Left, rect.Top};
    corners[1] = {rect.Right, rect.Bottom};
    LPtoDP(dc, corners, 2);
}

}  // namespace

void PlotClipRegion(HDC dc, HRGN region, int mode) {
    if (!region) return;
    PushCurrentClip(dc);
    ExtSelectClipRgn(dc, region, mode);
    DeleteObject(region);
}

void PlotSaveClip(HDC dc) { PushCurrentClip(dc); }

void PlotUnClip(HDC dc) {
    auto& stack = ClipStack();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (it->dc != dc) continue;
        SelectClipRgn(dc, it->previous);
        if (it->previous) DeleteObject(it->previous);
        stack.erase(std::next(it).base());
        return;
    }
    SelectClipRgn(dc, nullptr);
}

void ClipCanvas(TCanvas* canvas, const TRect& rect) {
    HDC dc = canvas->Handle();
    POINT p[2];
    DeviceRect(dc, rect, p);
    PlotClipRegion(dc, CreateRectRgn(p[0].x, p[0].y, p[1].x, p[1].y), RGN_AND);
}

void UnClipCanvas(TCanvas* canvas) { PlotUnClip(canvas->Handle()); }

// ---------------------------------------------------------------------------------------------
// TPlotCanvas

TPlotCanvas::TPlotCanvas() = default;

void TPlotCanvas::SetCanvas(TCanvas* canvas) {
    target_ = canvas;
    font_ = canvas->Font();
    pen_ = canvas->Pen();
    brush_ = canvas->Brush();
}

void TPlotCanvas::ResetState() {
    pen_->SetColor(clBlack);
    pen_->SetWidth(1);
    pen_->SetStyle(psSolid);
    brush_->SetColor(clWhite);
    brush_->SetStyle(bsSolid);
    font_->SetColor(clBlack);
    font_->SetStyle({});
    font_->SetCharset(DEFAULT_CHARSET);
    font_->SetName(GetDefaultFontName());
    font_->SetSize(GetDefaultFontSize());
    BlendTransparency = 0;
    LastFont = nullptr;
    SetBackColor(clWhite);
    SetBackMode(cbmTransparent);
    SetTextAlign(0);
}

void TPlotCanvas::AssignBrush(TChartBrush* brush, TColor color) {
    AssignBrushColor(brush, color, brush->Color());
}

void TPlotCanvas::AssignBrushColor(TChartBrush* brush, TColor foreColor, TColor backColor) {
    if (GetMonochrome()) foreColor = clWhite;
    if (TBitmap* pattern = brush->ImageBitmap()) {
        brush_->SetStyle(bsClear);
        brush_->SetBitmap(pattern);
        ::SetTextColor(GetHandle(), ColorToRGB(foreColor));
        SetBackMode(cbmOpaque);
        SetBackColor(backColor);
        return;
    }
    brush_->SetBitmap(nullptr);
    if (brush_->Color() != foreColor) brush_->SetColor(foreColor);
    if (brush_->Style() != brush->Style()) brush_->SetStyle(brush->Style());
    if (backColor == clNone) {
        SetBackMode(cbmTransparent);
    } else {
        SetBackMode(cbmOpaque);
        SetBackColor(backColor);
    }
}

void TPlotCanvas::AssignVisiblePenColor(TPen* pen, TColor color) {
    if (GetMonochrome()) color = clBlack;
    auto* chartPen = dynamic_cast<TChartPen*>(pen);
    if (chartPen && !chartPen->Visible()) {
        pen_->SetStyle(psClear);
        return;
    }
    if (chartPen && IsWindowsNT() && !GetSupportsFullRotation()) {
        PlotSetPlotPen(pen_, chartPen, color, GetHandle());
        return;
    }
    pen_->Assign(pen);
    pen_->SetColor(color);
    ApplyWidthRule(pen_);
}

void TPlotCanvas::AssignFont(TPlotFont* font) {
    font->SetPixelsPerInch(font_->PixelsPerInch());
    font_->Assign(font);
    if (FontZoomPercent != 100.0) font_->SetSize(PlotRound(font_->Size() * FontZoomPercent * 0.01));
    if (GetMonochrome()) font_->SetColor(clBlack);
    HDC dc = GetHandle();
    if (GetTextCharacterExtra(dc) != font->InterCharSize())
        SetTextCharacterExtra(dc, font->InterCharSize());
    LastFont = font;
    font->SelectingCanvas = this;
}

void TPlotCanvas::InternalDark(TColor color, uint8_t quantity) {
    const TColor dark = ApplyDark(color, quantity);
    if (brush_->Style() == bsSolid)
        brush_->SetColor(dark);
    else
        SetBackColor(dark);
}

TPlotBlend* TPlotCanvas::BeginBlending(const TRect& rect, int transparency) {
    BlendTransparency = transparency & 0x7F;
    return new TPlotBlend(this, rect);
}

void TPlotCanvas::EndBlending(TPlotBlend* blend) {
    blend->DoBlend(BlendTransparency);
    TObject::Free(blend);
}

void TPlotCanvas::Frame3D(TRect& rect, TColor topColor, TColor bottomColor, int width) {
    pen_->SetWidth(1);
    pen_->SetStyle(psSolid);
    --rect.Right;
    --rect.Bottom;
    for (int i = 0; i < width; ++i) {
        pen_->SetColor(topColor);
        const TPoint top[3] = {
            {rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
        Polyline(top, 3);
        pen_->SetColor(bottomColor);
        const TPoint bottom[3] = {
            {rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
        Polyline(bottom, 3);
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    ++rect.Right;
    ++rect.Bottom;
}

int TPlotCanvas::TextWidth(const AnsiString& text) {
    int width = target_->TextExtent(text).cx;
    if (LastFont && LastFont->ShadowIfAny())
        width += std::abs(LastFont->ShadowIfAny()->HorizSize());
    return width;
}

int TPlotCanvas::TextHeight(const AnsiString& text) {
    int height = target_->TextExtent(text).cy;
    if (LastFont && LastFont->ShadowIfAny())
        height += std::abs(LastFont->ShadowIfAny()->VertSize());
    return height;
}

void TPlotCanvas::ClipRectangle(const TRect& rect, int cornerSize) {
    HDC dc = GetHandle();
    POINT p[2];
    DeviceRect(dc, rect, p);
    PlotClipRegion(dc, CreateRoundRectRgn(p[0].x, p[0].y, p[1].x, p[1].y, cornerSize, cornerSize),
                   RGN_AND);
}

void TPlotCanvas::ClipEllipse(const TRect& rect, bool inverted) {
    HDC dc = GetHandle();
    POINT p[2];
    DeviceRect(dc, rect, p);
    PlotClipRegion(dc, CreateEllipticRgn(p[0].x, p[0].y, p[1].x, p[1].y),
                   inverted ? RGN_XOR : RGN_AND);
}

void TPlotCanvas::ClipPolygon(TPoint* points, int count) {
    if (count <= 0) return;
    HDC dc = GetHandle();
    std::vector<POINT> device(count);
    for (int i = 0; i < count; ++i) device[i] = {points[i].X, points[i].Y};
    LPtoDP(dc, device.data(), count);
    for (int i = 0; i < count; ++i) points[i] = {device[i].x, device[i].y};
    PlotClipRegion(dc, CreatePolygonRgn(device.data(), count, ALTERNATE), RGN_AND);
}

void TPlotCanvas::TextOut(int x, int y, const AnsiString& text, bool html) {
    if (html && HtmlTextOut) {
        HtmlTextOut(this, x, y, text);
        return;
    }
    TextOut(x, y, text);
}

std::function<void(TPlotCanvas*, int, int, const AnsiString&)> TPlotCanvas::HtmlTextOut =
    ::HtmlTextOut;
std::function<TSize(TPlotCanvas*, const AnsiString&)> TPlotCanvas::HtmlTextExtent =
    ::HtmlTextExtent;

bool TPlotCanvas::ConvexHull(TPointArray& p) {
    if (p.size() == 3) return true;
    if (p.size() < 3) return false;
    size_t pivotIndex = 0;
    TPoint pivot{10000000, 10000000};
    for (size_t i = 0; i < p.size(); ++i)
        if (p[i].Y < pivot.Y || (p[i].Y == pivot.Y && p[i].X > pivot.X)) {
            pivot = p[i];
            pivotIndex = i;
        }
    p[pivotIndex] = p.back();
    p.pop_back();
    std::vector<float> keys(p.size());
    for (size_t i = 0; i < p.size(); ++i) {
        const double distance = std::hypot(pivot.X - p[i].X, pivot.Y - p[i].Y);
        keys[i] = distance == 0 ? 0.0f : static_cast<float>((pivot.X - p[i].X) / distance);
    }
    std::vector<size_t> order(p.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    TPointArray sorted;
    for (size_t i : order) sorted.push_back(p[i]);
    p = sorted;
    // Graham scan; the last point is checked against the pivot too.
    size_t i = 1;
    while (i < p.size()) {
        if (i == 0) {
            ++i;
            continue;
        }
        const TPoint& prev = p[i - 1];
        const TPoint& next = i + 1 < p.size() ? p[i + 1] : pivot;
        const TPoint& cur = p[i];
        const long long cross = static_cast<long long>(prev.X - cur.X) * (next.Y - cur.Y) -
                                static_cast<long long>(next.X - cur.X) * (prev.Y - cur.Y);
        if (cross < 0) {
            ++i;
        } else {
            p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
            --i;
        }
    }
    p.push_back(pivot);
    return true;
}

// ---------------------------------------------------------------------------------------------
// TCanvas3D

void TCanvas3D::Assign(TCanvas3D* other) { SetMonochrome(other->GetMonochrome()); }

void TCanvas3D::FrontPlaneBegin() {
    if (RotationLock == 0) DisableRotation();
    ++RotationLock;
}

void TCanvas3D::FrontPlaneEnd() {
    --RotationLock;
    if (RotationLock == 0) EnableRotation();
}

TRect TCanvas3D::CalcRect3D(const TRect& rect, int z) {
    const TPoint a = Calculate3DPosition(rect.Left, rect.Top, z);
    const TPoint b = Calculate3DPosition(rect.Right, rect.Bottom, z);
    return {a.X, a.Y, b.X, b.Y};
}

TFourPoints TCanvas3D::FourPointsFromRect(const TRect& rect, int z) {
    return {Calculate3DPosition(rect.Left, rect.Top, z),
            Calculate3DPosition(rect.Right, rect.Top, z),
            Calculate3DPosition(rect.Right, rect.Bottom, z),
            Calculate3DPosition(rect.Left, rect.Bottom, z)};
}

TRect TCanvas3D::RectFromRectZ(const TRect& rect, int z) {
    const TFourPoints p = FourPointsFromRect(rect, z);
    return RectFromPolygon(p.data(), 4);
}

void TCanvas3D::RotatedEllipse(int x0, int y0, int x1, int y1, int z, double angle) {
    const double cx = (x0 + x1) * 0.5, cy = (y0 + y1) * 0.5;
    const double rx = cx - x0, ry = cy - y0;
    const double sA = std::sin(angle * PlotPiStep), cA = std::cos(angle * PlotPiStep);
    const double step = 2 * 3.14159265358979323846 / 63;
    TPoint points[64];
    for (int i = 0; i < 64; ++i) {
        const double px = std::sin(i * step) * rx, py = std::cos(i * step) * ry;
        points[i] = {PlotRound(cA * px + sA * py + cx), PlotRound(cA * py - sA * px + cy)};
    }
    if (Brush()->Style() != bsClear) {
        const TPenStyle style = Pen()->Style();
        Pen()->SetStyle(psClear);
        const TPoint center{PlotRound(cx), PlotRound(cy)};
        for (int i = 0; i < 63; ++i) {
            const TPoint triangle[3] = {center, points[i], points[i + 1]};
            PolygonWithZ(triangle, 3, z);
        }
        Pen()->SetStyle(style);
    }
    if (Pen()->Style() != psClear) Polyline(points, 64, z);
}

void TCanvas3D::StretchDraw(const TRect& rect, TGraphic* graphic, int z) {
    if (!graphic || graphic->Empty()) return;
    Pen()->SetStyle(psClear);
    // Always a private 24-bit copy: the caller's graphic stays as it was.
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(graphic->Width(), graphic->Height());
    bitmap.Canvas()->Draw(0, 0, graphic);
    const double ry = static_cast<double>(rect.Bottom - rect.Top) / bitmap.Height();
    const double rx = static_cast<double>(rect.Right - rect.Left) / bitmap.Width();
    TPlotSetDCColor setBrushColor = PlotSetDCBrushColor();
    HDC dc = GetHandle();
    if (setBrushColor) SelectObject(dc, GetStockObject(DC_BRUSH));
    int y0 = rect.Top;
    for (int row = 0; row < bitmap.Height(); ++row) {
        const int y1 = rect.Top + PlotRound((row + 1) * ry);
        const auto* line = static_cast<const uint8_t*>(bitmap.ScanLine(row));
        int x0 = rect.Left;
        for (int column = 0; column < bitmap.Width(); ++column) {
            const int x1 = rect.Left + PlotRound((column + 1) * rx);
            const uint8_t* pixel = line + column * 3;
            const TColor color = PlotRGB(pixel[2], pixel[1], pixel[0]);
            if (setBrushColor)
                setBrushColor(dc, color);
            else
                Brush()->SetColor(color);
            const TPoint quad[4] = {Calculate3DPosition(x0, y0, z), Calculate3DPosition(x1, y0, z),
                                    Calculate3DPosition(x1, y1, z), Calculate3DPosition(x0, y1, z)};
            Polygon(quad, 4);
            x0 = x1;
        }
        y0 = y1;
    }
    if (setBrushColor) Brush()->SetHandle(nullptr);
}

void TCanvas3D::CalcPieAngles(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3,
                              double& startAngle, double& endAngle) {
    const int cx = x0 + (x1 - x0) / 2, cy = y0 + (y1 - y0) / 2;
    const double twoPi = 2 * 3.14159265358979323846;
    startAngle = std::atan2(cy - y2, x2 - cx);
    if (startAngle < 0) startAngle += twoPi;
    endAngle = std::atan2(cy - y3, x3 - cx);
    if (endAngle < 0) endAngle += twoPi;
    startAngle *= 180.0 / 3.14159265358979323846;
    endAngle *= 180.0 / 3.14159265358979323846;
    if (endAngle == 0) endAngle = 360;
}
