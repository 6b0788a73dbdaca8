// The texts of the GDI chart canvas: plain text with the chart font's shadow, outline and
// gradient, text turned by an angle, and text placed (and zoomed) in depth.
#include <cmath>

#include "PlotBlend.h"
#include "PlotCanvas3D.h"
#include "PlotFont.h"

namespace {

// Selects a font made from `font` for as long as it lives.
class ScopedLogFont {
public:
    ScopedLogFont(HDC dc, const LOGFONTA& font)
        : dc_(dc), font_(CreateFontIndirectA(&font)), old_(SelectObject(dc, font_)) {}
    ~ScopedLogFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    ScopedLogFont(const ScopedLogFont&) = delete;
    ScopedLogFont& operator=(const ScopedLogFont&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

void WriteText(HDC dc, int x, int y, const AnsiString& text) {
    TextOutA(dc, x, y, text.c_str(), text.Length());
}

}  // namespace

TRect TPlotCanvas3D::TextRectAt(int x, int y, const AnsiString& text) {
    const int width = TextWidth(text), height = TextHeight(text);
    int align = GetTextAlign();
    if (align >= 8) align -= 8;
    if (align == TA_RIGHT) return {x - width, y, x, y + height};
    if (align == TA_CENTER) return {x - width / 2, y, x + width / 2, y + height};
    return {x, y, x + width, y + height};
}

void TPlotCanvas3D::TextOut(int x, int y, const AnsiString& text) {
    HDC dc = GetHandle();
    TPlotShadow* shadow = LastFont ? LastFont->ShadowIfAny() : nullptr;
    if (shadow && (shadow->HorizSize() != 0 || shadow->VertSize() != 0)) {
        int sx = x, sy = y;
        if (shadow->HorizSize() >= 0)
            sx = x + shadow->HorizSize();
        else
            x -= shadow->HorizSize();
        if (shadow->VertSize() >= 0)
            sy = y + shadow->VertSize();
        else
            y -= shadow->VertSize();
        TPlotBlend* blend = shadow->Transparency() != 0
                                ? BeginBlending(TextRectAt(sx, sy, text), shadow->Transparency())
                                : nullptr;
        ::SetTextColor(dc, ColorToRGB(shadow->Color()));
        WriteText(GetHandle(), sx, sy, text);
        if (blend) EndBlending(blend);
    }
    ::SetTextColor(GetHandle(), ColorToRGB(Font()->Color()));
    TChartHiddenPen* outline = LastFont ? LastFont->OutLineIfAny() : nullptr;
    TPlotFontGradient* gradient = LastFont ? LastFont->GradientIfAny() : nullptr;
    const bool outlineVisible = outline && outline->Visible();
    const bool gradientVisible = gradient && gradient->Visible();
    if (!outlineVisible && !gradientVisible) {
        WriteText(GetHandle(), x, y, text);
        return;
    }
    if (outlineVisible)
        AssignVisiblePen(outline);
    else
        Pen()->SetStyle(psClear);
    Brush()->SetColor(Font()->Color());
    Brush()->SetStyle(bsSolid);
    SetBackMode(cbmTransparent);
    DrawTextPath(x, y, text);
    if (gradientVisible) {
        HDC pathDC = GetHandle();
        if (gradient->Outline()) WidenPath(pathDC);
        PlotSaveClip(pathDC);
        SelectClipPath(pathDC, RGN_AND);
        gradient->Draw(this, TextRectAt(x, y, text), 0);
        UnClipRectangle();
        if (gradient->Outline() || !outlineVisible) return;
        DrawTextPath(x, y, text);
        Brush()->SetStyle(bsClear);
    }
    HDC pathDC = GetHandle();
    if (LastFont->Color() == clNone)
        StrokePath(pathDC);
    else
        StrokeAndFillPath(pathDC);
}

void TPlotCanvas3D::DrawTextPath(int x, int y, const AnsiString& text) {
    HDC dc = GetHandle();
    BeginPath(dc);
    WriteText(dc, x, y, text);
    EndPath(dc);
}

void TPlotCanvas3D::RotateLabel(int x, int y, const AnsiString& text, double angle) {
    while (angle > 360) angle -= 360;
    Brush()->SetStyle(bsClear);
    HDC dc = GetHandle();
    LOGFONTA font{};
    GetObjectA(Font()->Handle(), sizeof(font), &font);
    font.lfEscapement = font.lfOrientation = PlotRound(angle * 10);
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    font.lfQuality = static_cast<BYTE>(PlotFontAntiAlias);
    if (ZoomTextOn && ZoomScale != 1 && ZoomScale != 0)
        font.lfHeight =
            -MulDiv(Max(PlotRound(Font()->Size() * ZoomScale), 1), Font()->PixelsPerInch(), 72);
    ScopedLogFont selected(dc, font);
    TextOut(x, y, text);
}

void TPlotCanvas3D::RotateLabel3D(int x, int y, int z, const AnsiString& text, double angle) {
    Calc3DPos(x, y, z);
    RotateLabel(x, y, text, angle);
}

void TPlotCanvas3D::TextOut3D(int x, int y, int z, const AnsiString& text) {
    Calc3DPos(x, y, z);
    if (!ZoomTextOn || ZoomScale == 1 || ZoomScale == 0) {
        TextOut(x, y, text);
        return;
    }
    const int size = Max(PlotRound(Font()->Size() * ZoomScale), 1);
    if (size == Font()->Size()) {
        TextOut(x, y, text);
        return;
    }
    HDC dc = GetHandle();
    LOGFONTA font{};
    GetObjectA(Font()->Handle(), sizeof(font), &font);
    font.lfHeight = -MulDiv(size, Font()->PixelsPerInch(), 72);
    ScopedLogFont selected(dc, font);
    TextOut(x, y, text);
}
