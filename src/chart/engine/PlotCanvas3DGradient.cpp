// The gradient fill of the GDI chart canvas: bands, frames, corner sweeps and diagonal lines
// painted with a brush whose colour is set only when it changes.
#include "PlotCanvas3D.h"
#include "PlotGradient.h"
#include "PlotSystem.h"

namespace {

// The brush that paints the bands: the device's DC brush where the system has one, else a
// solid brush per colour. The brush selected before comes back at the end.
class BandPainter {
public:
    explicit BandPainter(HDC dc) : dc_(dc), setColor_(PlotSetDCBrushColor()) {
        old_ = SelectObject(dc_, GetStockObject(setColor_ ? DC_BRUSH : NULL_BRUSH));
    }
    ~BandPainter() {
        SelectObject(dc_, old_);
        if (brush_) DeleteObject(brush_);
    }
    BandPainter(const BandPainter&) = delete;
    BandPainter& operator=(const BandPainter&) = delete;

    void Paint(int left, int top, int right, int bottom, TColor color) {
        if (color != last_) {
            last_ = color;
            if (setColor_) {
                setColor_(dc_, color);
            } else {
                HBRUSH brush = CreateSolidBrush(color);
                SelectObject(dc_, brush);
                if (brush_) DeleteObject(brush_);
                brush_ = brush;
            }
        }
        PatBlt(dc_, left, top, right - left, bottom - top, PATCOPY);
    }

private:
    HDC dc_;
    TPlotSetDCColor setColor_;
    HGDIOBJ old_;
    HBRUSH brush_ = nullptr;
    TColor last_ = -1;
};

}  // namespace

void TPlotCanvas3D::GradientFill(const TRect& rect, TColor startColor, TColor endColor,
                                 TGradientDirection direction, int balance) {
    const TRect r = OrientRectangle(rect);
    if (direction == gdRadial) {
        TCustomPlotGradient radial;
        radial.SetDirection(gdRadial);
        radial.SetStartColor(startColor);
        radial.SetEndColor(endColor);
        radial.Draw(this, r, 0);
        return;
    }
    if (direction != gdTopBottom && direction != gdLeftRight && direction != gdDiagonalUp &&
        direction != gdDiagonalDown)
        std::swap(startColor, endColor);
    const TColor c0 = ColorToRGB(startColor), c1 = ColorToRGB(endColor);
    const int w = r.Width(), h = r.Height();
    auto color = [&](int k, int last) { return PlotGradientColor(c0, c1, k, last, balance); };
    HDC dc = GetHandle();
    switch (direction) {
        case gdTopBottom:
        case gdBottomTop: {
            const int n = Min(h, 256);
            if (n - 1 <= 0) return;
            BandPainter painter(dc);
            for (int k = 0; k < n; ++k)
                painter.Paint(r.Left, r.Bottom - h * (k + 1) / n, r.Right, r.Bottom - h * k / n,
                              color(k, n - 1));
            return;
        }
        case gdLeftRight:
        case gdRightLeft: {
            const int n = Min(w, 256);
            if (n - 1 <= 0) return;
            BandPainter painter(dc);
            for (int k = 0; k < n; ++k)
                painter.Paint(r.Right - w * (k + 1) / n, r.Top, r.Right - w * k / n, r.Bottom,
                              color(k, n - 1));
            return;
        }
        case gdFromCenter: {
            const int last = w / 2 + h / 2;
            if (last <= 0) return;
            BandPainter painter(dc);
            int c = 0, d = 0;
            for (;;) {
                const TColor band = color(c + d, last);
                const int left = r.Left + d, top = r.Top + c, right = r.Right - d,
                          bottom = r.Bottom - c;
                painter.Paint(left, top, right, top + 1, band);
                painter.Paint(left, bottom - 1, right, bottom, band);
                painter.Paint(left, top, left + 1, bottom, band);
                painter.Paint(right - 1, top, right, bottom, band);
                const bool growC = c < h / 2, growD = d < w / 2;
                if (!growC && !growD) return;
                if (growC) ++c;
                if (growD) ++d;
            }
        }
        case gdFromTopLeft:
        case gdFromBottomLeft: {
            const bool fromTop = direction == gdFromTopLeft;
            const int last = w + h;
            if (last <= 0) return;
            BandPainter painter(dc);
            int i = 0, j = 0;
            int y = fromTop ? r.Top : r.Bottom;
            do {
                const TColor band = color(i + j, last);
                const int x = r.Left + i;
                if (fromTop)
                    painter.Paint(x, r.Top, x + 1, y + 1, band);
                else
                    painter.Paint(x, y - 1, x + 1, r.Bottom, band);
                if (j < h) {
                    ++j;
                    const int row = fromTop ? y : y - 1;
                    painter.Paint(r.Left, row, r.Left + i + 1, row + 1, band);
                    y = fromTop ? Min(y + 1, r.Bottom - 1) : Max(y - 1, r.Top + 1);
                }
                if (i < w) ++i;
            } while (i < w || j < h);
            return;
        }
        case gdDiagonalUp:
        case gdDiagonalDown: {
            const bool up = direction == gdDiagonalUp;
            const int last = Min(255, w + h - 1);
            const int lines = w + h;
            if (lines <= 0) return;
            const TColor savedColor = Pen()->Color();
            const int savedWidth = Pen()->Width();
            const TPenStyle savedStyle = Pen()->Style();
            const TPenMode savedMode = Pen()->Mode();
            Pen()->SetWidth(1);
            Pen()->SetStyle(psSolid);
            Pen()->SetMode(pmCopy);
            const int startY = up ? r.Bottom : r.Top;
            const int farY = up ? r.Top : r.Bottom;
            const int stepY = up ? -1 : 1;
            TPoint p{r.Left, startY}, q{r.Left, startY};
            for (int k = 0; k < lines; ++k) {
                const TColor band = color(k * last / lines, last);
                Pen()->SetColor(band);
                Line(p.X, p.Y, q.X, q.Y);
                // Lines leave out their last point: it is set too, so no corner stays unpainted.
                if (q.X < r.Right && q.Y >= r.Top && q.Y < r.Bottom) ::SetPixel(dc, q.X, q.Y, band);
                if (q.X < r.Right)
                    ++q.X;
                else if (q.Y != farY)
                    q.Y += stepY;
                if (p.Y != farY)
                    p.Y += stepY;
                else if (p.X < r.Right)
                    ++p.X;
            }
            Pen()->SetColor(savedColor);
            Pen()->SetWidth(savedWidth);
            Pen()->SetStyle(savedStyle);
            Pen()->SetMode(savedMode);
            return;
        }
        case gdRadial:
            return;
    }
}
