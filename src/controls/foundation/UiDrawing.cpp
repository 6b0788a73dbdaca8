#include "UiDrawing.h"

#include <algorithm>
#include <cmath>

#include "UiColors.h"
#include "UiGrafx.h"
#include "UiThemeSrv.h"
#include "cl_controls.h"
#include "cl_string.h"

const TColor ULFrameColor[FrameStyleCount] = {
    clWindow, cl3DDkShadow, clBtnShadow, clBtnHighlight, clBtnShadow, clNone,
    cl3DDkShadow, clNone, clBtnShadow, clBtnHighlight, clBtnShadow};
const TColor LRFrameColor[FrameStyleCount] = {
    clWindow, cl3DDkShadow, clBtnHighlight, clBtnShadow, clBtnHighlight, clNone,
    clBtnFace, clNone, clBtnHighlight, clBtnShadow, clBtnShadow};

namespace {

int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

void Line(TCanvas* canvas, int x1, int y1, int x2, int y2) {
    canvas->MoveTo(x1, y1);
    canvas->LineTo(x2, y2);
}

// The two rings of a 3-D border.
TRect TwoRings(TCanvas* canvas, const TRect& rect, TColor outerUL, TColor outerLR, TColor innerUL,
               TColor innerLR, TSides sides) {
    const TRect r = DrawSides(canvas, rect, outerUL, outerLR, sides);
    return DrawSides(canvas, r, innerUL, innerLR, sides);
}

TRect Groove(TCanvas* canvas, const TRect& rect, TColor ul, TColor lr, TSides sides) {
    const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
    const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    if (right) canvas->SetPixels(r - 1, t, lr);
    if (top && !right) canvas->SetPixels(r - 1, t, ul);
    if (bottom) canvas->SetPixels(l, b - 1, lr);
    if (left && !bottom) canvas->SetPixels(l, b - 1, ul);
    if (top && !left) canvas->SetPixels(l, t + 1, lr);
    if (left && !top) canvas->SetPixels(l + 1, t, lr);
    if (bottom && !right) canvas->SetPixels(r - 1, b - 2, ul);
    if (right && !bottom) canvas->SetPixels(r - 2, b - 1, ul);
    DrawSides(canvas, TRect(l + 1, t + 1, r, b), lr, lr, sides);
    DrawSides(canvas, TRect(l, t, r - 1, b - 1), ul, ul, sides);
    return TRect(l + (left ? 2 : 0), t + (top ? 2 : 0), r - (right ? 2 : 0), b - (bottom ? 2 : 0));
}

}  // namespace

TRect DrawSides(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, TSides sides) {
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    if (ulColor != clNone) {
        canvas->Pen()->SetColor(ulColor);
        if (HasSide(sides, sdLeft)) Line(canvas, l, t, l, b);
        if (HasSide(sides, sdTop)) Line(canvas, l, t, r, t);
    }
    if (lrColor != clNone) {
        canvas->Pen()->SetColor(lrColor);
        if (HasSide(sides, sdRight)) Line(canvas, r - 1, t, r - 1, b);
        if (HasSide(sides, sdBottom)) Line(canvas, l, b - 1, r, b - 1);
    }
    return TRect(l + HasSide(sides, sdLeft), t + HasSide(sides, sdTop),
                 r - HasSide(sides, sdRight), b - HasSide(sides, sdBottom));
}

TRect DrawBevel(TCanvas* canvas, const TRect& rect, TColor ulColor, TColor lrColor, int width,
                TSides sides) {
    canvas->Pen()->SetWidth(1);
    TRect r = rect;
    for (int i = 0; i < width; ++i) r = DrawSides(canvas, r, ulColor, lrColor, sides);
    return r;
}

TRect DrawBox(TCanvas* canvas, const TRect& rect, TColor color) {
    return DrawSides(canvas, rect, color, color, AllSides);
}

TRect DrawBoxCorners(TCanvas* canvas, const TRect& rect, TColor color, int size) {
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    canvas->Pen()->SetColor(color);
    const TPoint corners[4][3] = {{{l, t + size - 1}, {l, t}, {l + size, t}},
                                  {{r - size, t}, {r - 1, t}, {r - 1, t + size}},
                                  {{r - 1, b - size}, {r - 1, b - 1}, {r - 1 - size, b - 1}},
                                  {{l + size - 1, b - 1}, {l, b - 1}, {l, b - 1 - size}}};
    for (const auto& corner : corners) canvas->Polyline(corner, 3);
    return TRect(l + 1, t + 1, r - 1, b - 1);
}

TRect DrawDashedBorder(TCanvas* canvas, const TRect& rect, TColor color) {
    canvas->Pen()->SetStyle(psDot);
    canvas->Pen()->SetColor(color);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(rect);
    canvas->Brush()->SetStyle(bsSolid);
    return TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

TRect DrawFocusBorder(TCanvas* canvas, const TRect& rect) {
    for (int y = rect.Top + 1; y < rect.Bottom; y += 2) {
        canvas->SetPixels(rect.Left, y, 0);
        canvas->SetPixels(rect.Right - 1, y, 0);
    }
    for (int x = rect.Left + 1; x < rect.Right; x += 2) {
        canvas->SetPixels(x, rect.Top, 0);
        canvas->SetPixels(x, rect.Bottom - 1, 0);
    }
    return TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

TRect DrawRoundedFlatBorder(TCanvas* canvas, const TRect& rect, TColor color, TSides sides) {
    const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
    const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
    const int el = left ? 2 : 0, et = top ? 2 : 0, er = right ? 2 : 0, eb = bottom ? 2 : 0;
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    canvas->Pen()->SetColor(color);
    if (left) Line(canvas, l, t + et, l, b - eb);
    if (top) Line(canvas, l + el, t, r - er, t);
    if (right) Line(canvas, r - 1, t + et, r - 1, b - eb);
    if (bottom) Line(canvas, l + el, b - 1, r - er, b - 1);
    if (left && top) canvas->SetPixels(l + 1, t + 1, color);
    if (top && right) canvas->SetPixels(r - 2, t + 1, color);
    if (right && bottom) canvas->SetPixels(r - 2, b - 2, color);
    if (left && bottom) canvas->SetPixels(l + 1, b - 2, color);
    return TRect(l + el, t + et, r - er, b - eb);
}

TRect DrawCtl3DBorder(TCanvas* canvas, const TRect& rect, bool sunken) {
    return DrawCtl3DBorderSides(canvas, rect, sunken, AllSides);
}

TRect DrawCtl3DBorderSides(TCanvas* canvas, const TRect& rect, bool sunken, TSides sides) {
    if (sunken)
        return TwoRings(canvas, rect, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight, sides);
    return TwoRings(canvas, rect, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow, sides);
}

TRect DrawButtonBorder(TCanvas* canvas, const TRect& rect, bool down) {
    return DrawButtonBorderSides(canvas, rect, down, AllSides);
}

TRect DrawButtonBorderSides(TCanvas* canvas, const TRect& rect, bool down, TSides sides) {
    if (down)
        return TwoRings(canvas, rect, clBtnText, clBtnText, clBtnShadow, clBtnShadow, sides);
    return TwoRings(canvas, rect, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, sides);
}

TRect DrawColorButtonBorder(TCanvas* canvas, const TRect& rect, TColor color, bool down) {
    return DrawColorButtonBorderSides(canvas, rect, color, down, AllSides);
}

TRect DrawColorButtonBorderSides(TCanvas* canvas, const TRect& rect, TColor color, bool down,
                                 TSides sides) {
    if (down)
        return TwoRings(canvas, rect, DarkerColor(color, 100), DarkerColor(color, 100),
                        DarkerColor(color, 50), DarkerColor(color, 50), sides);
    return TwoRings(canvas, rect, LighterColor(color, 100), DarkerColor(color, 100),
                    LighterColor(color, 40), DarkerColor(color, 50), sides);
}

TRect DrawBorder(TCanvas* canvas, const TRect& rect, TFrameStyleEx style) {
    return DrawBorderSides(canvas, rect, style, AllSides);
}

TRect DrawBorderSides(TCanvas* canvas, const TRect& rect, TFrameStyleEx style, TSides sides) {
    switch (style) {
    case fsNone: return rect;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return DrawSides(canvas, rect, ULFrameColor[style], LRFrameColor[style], sides);
    case fsFlatBold:
        return DrawBevel(canvas, rect, ULFrameColor[style], LRFrameColor[style], 2, sides);
    case fsLowered: return DrawCtl3DBorderSides(canvas, rect, true, sides);
    case fsRaised: return DrawCtl3DBorderSides(canvas, rect, false, sides);
    case fsButtonDown: return DrawButtonBorderSides(canvas, rect, true, sides);
    case fsButtonUp: return DrawButtonBorderSides(canvas, rect, false, sides);
    case fsGroove:
    case fsBump: return Groove(canvas, rect, ULFrameColor[style], LRFrameColor[style], sides);
    default:
        // Past the colour tables: the rounded flat line in the flat style's colour.
        return DrawRoundedFlatBorder(canvas, rect, ULFrameColor[fsFlat], sides);
    }
}

TRect DrawColorBorder(TCanvas* canvas, const TRect& rect, TColor color, TFrameStyleEx style) {
    return DrawColorBorderSides(canvas, rect, color, style, AllSides);
}

TRect DrawColorBorderSides(TCanvas* canvas, const TRect& rect, TColor color, TFrameStyleEx style,
                           TSides sides) {
    const TColor dark50 = DarkerColor(color, 50), light100 = LighterColor(color, 100);
    switch (style) {
    case fsNone: return rect;
    case fsFlat: return DrawSides(canvas, rect, dark50, dark50, sides);
    case fsFlatBold: return DrawBevel(canvas, rect, dark50, dark50, 2, sides);
    case fsStatus: return DrawSides(canvas, rect, dark50, light100, sides);
    case fsPopup: return DrawSides(canvas, rect, light100, dark50, sides);
    case fsLowered:
        return TwoRings(canvas, rect, dark50, light100, DarkerColor(color, 100),
                        LighterColor(color, 50), sides);
    case fsRaised:
        return TwoRings(canvas, rect, LighterColor(color, 50), DarkerColor(color, 100), light100,
                        dark50, sides);
    case fsButtonDown:
    case fsButtonUp:
        return DrawColorButtonBorderSides(canvas, rect, color, style == fsButtonDown, sides);
    case fsGroove: return Groove(canvas, rect, dark50, light100, sides);
    default: return Groove(canvas, rect, light100, dark50, sides);
    }
}

TRect DrawInnerOuterBorders(TCanvas* canvas, const TRect& rect, TFrameStyleEx outer,
                            TFrameStyleEx inner, int borderWidth, TSides sides, int bevelWidth,
                            TColor borderColor, TColor highlightColor, TColor shadowColor,
                            TColor flatColor, int flatColorAdjustment, TColor color,
                            TColor parentColor, bool transparent, bool softInnerFlat) {
    const TColor c = AdjustColor(flatColor, flatColorAdjustment);
    const bool ringInBorder = borderWidth > 0 || inner != fsNone;
    TRect r = rect;
    switch (outer) {
    case fsFlat: r = DrawBevel(canvas, r, c, c, 1, sides); break;
    case fsFlatBold: r = DrawBevel(canvas, r, c, c, 2, sides); break;
    case fsFlatRounded: {
        TRect second = r;
        if (!transparent) {
            second = DrawBevel(canvas, r, parentColor, parentColor, 1, sides);
            const TColor ring = ringInBorder ? borderColor : color;
            DrawBevel(canvas, second, ring, ring, 1, sides);
        } else if (ringInBorder) {
            DrawBevel(canvas, DrawSides(canvas, r, clNone, clNone, sides), borderColor, borderColor,
                      1, sides);
        }
        r = DrawRoundedFlatBorder(canvas, r, c, sides);
        break;
    }
    case fsPopup:
        r = DrawBevel(canvas, r, highlightColor, shadowColor, bevelWidth, sides);
        break;
    case fsStatus:
        r = DrawBevel(canvas, r, shadowColor, highlightColor, bevelWidth, sides);
        break;
    default: r = DrawBorderSides(canvas, r, outer, sides); break;
    }
    if (borderWidth > 0) r = DrawBevel(canvas, r, borderColor, borderColor, borderWidth, sides);
    switch (inner) {
    case fsFlat:
        if (!softInnerFlat) {
            r = DrawBevel(canvas, r, c, c, 1, sides);
        } else {
            canvas->Pen()->SetColor(c);
            Line(canvas, r.Left, r.Top + 1, r.Left, r.Bottom - 1);
            Line(canvas, r.Left + 1, r.Top, r.Right - 1, r.Top);
            Line(canvas, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
            Line(canvas, r.Left + 1, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
            r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        }
        break;
    case fsFlatBold: r = DrawBevel(canvas, r, c, c, 2, sides); break;
    case fsFlatRounded: {
        const TRect second = DrawBevel(canvas, r, borderColor, borderColor, 1, sides);
        if (!transparent) DrawBevel(canvas, second, color, color, 1, sides);
        r = DrawRoundedFlatBorder(canvas, r, c, sides);
        break;
    }
    case fsPopup:
        r = DrawBevel(canvas, r, highlightColor, shadowColor, bevelWidth, sides);
        break;
    case fsStatus:
        r = DrawBevel(canvas, r, shadowColor, highlightColor, bevelWidth, sides);
        break;
    default: r = DrawBorderSides(canvas, r, inner, sides); break;
    }
    return r;
}

void DrawFrame(TCanvas* canvas, int width, int height, TFrameStyle style, TColor color,
               TColor frameColor, TSides sides, bool skipFill) {
    const TRect rect(0, 0, width, height);
    if (!skipFill) DrawBevel(canvas, rect, color, color, 2, AllSides);
    if (style == fsFlat)
        DrawSides(canvas, rect, frameColor, frameColor, sides);
    else if (style == fsFlatBold)
        DrawBevel(canvas, rect, frameColor, frameColor, 2, sides);
    else if (color == clWindow)
        DrawBorderSides(canvas, rect, style, sides);
    else
        DrawColorBorderSides(canvas, rect, color, style, sides);
}

void DrawGroupBarBackground(TCanvas* canvas, const TRect& rect, TUiVisualStyle visualStyle,
                            TUiGradientColorStyle colorStyle, TUiGroupBarGradientPath path,
                            TColor start, TColor stop) {
    TThemeServices* themes = ThemeServices();
    if (visualStyle == vsWinXP && themes->GetThemesEnabled()) {
        themes->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(tebExplorerBarRoot),
                            rect);
        return;
    }
    if (visualStyle == vsClassic || !FullColorSupported) return;
    if (colorStyle != gcsCustom) GetGradientGroupBarColors(colorStyle, start, stop);
    if (path == gpBottomToTop) std::swap(start, stop);
    PaintGradient(canvas, rect, gdHorizontalEnd, start, stop);
}

void DrawLEDBar(TCanvas* canvas, const TRect& rect, TOrientation orientation, TColor barColor,
                TColor backColor, int segments, int percent, bool themeAware, bool transparent) {
    percent = std::clamp(percent, 0, 100);
    const bool vertical = orientation == orVertical;
    TThemeServices* themes = ThemeServices();
    if (themeAware && themes->GetThemesEnabled()) {
        TRect r(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
        if (!vertical) {
            r.Right = r.Left + RoundEven(r.Width() * percent / 100.0);
            themes->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(tpChunk), r);
        } else {
            r.Top = r.Bottom - RoundEven(r.Height() * percent / 100.0);
            TBitmap chunk;
            chunk.SetSize(std::max(r.Width(), 1), std::max(r.Height(), 1));
            themes->DrawElement(chunk.Canvas()->Handle(),
                                TThemeServices::GetElementDetails(tpChunkVert),
                                TRect(0, 0, chunk.Width(), chunk.Height()));
            FlipBitmap(&chunk);
            canvas->Draw(r.Left, r.Top, &chunk);
        }
        return;
    }
    const int length = vertical ? rect.Height() : rect.Width();
    int n = std::max(segments, 1);
    int seg = length / n;
    if (length <= 80 && n > 10) {
        n = 10;
        seg = length / 10;
    }
    const int extra = seg > 0 ? (length - n * seg) / seg : 0;
    if (extra > 0) n += extra;
    const int margin = (length - n * seg) / 2;
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    if (!transparent) {
        canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetColor(backColor);
        if (vertical) {
            canvas->Rectangle(l, t, r + 1, t + margin + 1);
            canvas->Rectangle(l, b - margin - 1, r + 1, b + 1);
        } else {
            canvas->Rectangle(l, t, l + margin + 1, b + 1);
            canvas->Rectangle(r - margin - 1, t, r + 1, b + 1);
        }
    }
    if (transparent) {
        canvas->Pen()->SetStyle(psClear);
    } else {
        canvas->Pen()->SetColor(backColor);
        canvas->Pen()->SetStyle(psSolid);
    }
    auto segment = [&](int i) {
        TRect s = vertical ? TRect(l, t + (n - i) * seg + margin, r, 0)
                           : TRect(l + (i - 1) * seg + margin, t, 0, b);
        if (vertical)
            s.Bottom = s.Top + seg;
        else
            s.Right = s.Left + seg;
        if (transparent) {
            ++s.Left;
            ++s.Top;
        }
        canvas->Rectangle(s);
    };
    const int lit = percent * n / 100;
    canvas->Brush()->SetColor(barColor);
    for (int i = 1; i <= lit; ++i) segment(i);
    if (!transparent) {
        canvas->Brush()->SetColor(backColor);
        for (int i = lit + 1; i <= n; ++i) segment(i);
    }
    if (transparent) canvas->Pen()->SetStyle(psSolid);
}

namespace {

// The filled part of a percent bar and the rest of the rectangle.
void SplitBar(const TRect& rect, TOrientation orientation, unsigned percent, TRect& bar,
              TRect& rest) {
    bar = rect;
    if (percent < 100) {
        if (orientation == orVertical)
            bar.Top = rect.Bottom - RoundEven(rect.Height() * percent / 100.0);
        else
            bar.Right = rect.Left + RoundEven(rect.Width() * percent / 100.0);
    }
    rest = orientation == orVertical ? TRect(rect.Left, rect.Top, rect.Right, bar.Top)
                                     : TRect(bar.Right, rect.Top, rect.Right, rect.Bottom);
}

AnsiString PercentText(unsigned percent, bool show) {
    return show ? Format("%u%%", percent) : AnsiString();
}

}  // namespace

void DrawPercentBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                    TColor barColor, TColor backColor, unsigned percent, bool showPercent,
                    bool transparent) {
    const AnsiString text = PercentText(percent, showPercent);
    TRect bar, rest;
    SplitBar(rect, orientation, percent, bar, rest);
    canvas->Font()->SetColor(backColor);
    canvas->Brush()->SetColor(barColor);
    HDC dc = canvas->Handle();
    SetTextAlign(dc, TA_CENTER);
    const int y = rect.Top + (rect.Height() - canvas->TextHeight("X")) / 2;
    const int x = rect.Right / 2;
    canvas->TextRect(bar, x, y, text);
    canvas->Font()->SetColor(barColor);
    if (transparent)
        canvas->Brush()->SetStyle(bsClear);
    else
        canvas->Brush()->SetColor(backColor);
    if ((rest.Width() > 0 && rest.Height() > 0)) canvas->TextRect(rest, x, y, text);
    if (transparent) canvas->Brush()->SetStyle(bsSolid);
}

void DrawGradientPercentBar(TCanvas* canvas, const TRect& rect, TOrientation orientation,
                            TColor barColor, TColor barStopColor, TColor backColor,
                            TColor backStopColor, TGradientDirection direction, unsigned percent,
                            bool showPercent, bool transparent) {
    const AnsiString text = PercentText(percent, showPercent);
    TRect bar, rest;
    SplitBar(rect, orientation, percent, bar, rest);
    SetTextAlign(canvas->Handle(), TA_CENTER);
    const int y = rect.Top + (rect.Height() - canvas->TextHeight("X")) / 2;
    const int x = rect.Right / 2;
    PaintGradient(canvas, bar, direction, barColor, barStopColor);
    canvas->Brush()->SetStyle(bsClear);
    if (!text.IsEmpty()) {
        canvas->Font()->SetColor(backColor);
        canvas->TextRect(bar, x, y, text);
    }
    if (!transparent) PaintGradient(canvas, rest, direction, backColor, backStopColor);
    if (!text.IsEmpty() && (rest.Width() > 0 && rest.Height() > 0)) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(barColor);
        canvas->TextRect(rest, x, y, text);
    }
    canvas->Brush()->SetStyle(bsSolid);
}

void DrawDropShadow(TCanvas* canvas, const TRect& rect, int depth, TColor shadowColor) {
    for (int i = 1; i <= depth; ++i) {
        const uint8_t w = static_cast<uint8_t>(128 - (i - 1) * (128 / depth));
        auto blend = [&](int x, int y) {
            canvas->SetPixels(x, y, BlendColors(shadowColor, canvas->Pixels(x, y), w));
        };
        const int row = rect.Bottom - 1 + i, column = rect.Right - 1 + i;
        for (int x = rect.Left + 2 * depth - i; x < column; ++x) blend(x, row);
        for (int y = rect.Top + 2 * depth - i; y < row; ++y) blend(column, y);
    }
}

namespace {

TColor GlyphColor(TUiUIStyle style, bool enabled) {
    if (!enabled) return clBtnShadow;
    if (style == uiWindows95) return clBlack;
    TBitmap sample;
    sample.SetSize(17, 21);
    ThemeServices()->DrawElement(sample.Canvas()->Handle(),
                                 TThemeServices::GetElementDetails(tcDropDownButtonNormal),
                                 TRect(0, 0, 16, 20));
    const TColor color = sample.Canvas()->Pixels(8, 10);
    return ColorsTooClose(color, clWindow) ? cl3DDkShadow : color;
}

TPoint GlyphCentre(const TRect& rect) {
    const int h = rect.Height();
    return TPoint(rect.Left + rect.Width() / 2, rect.Top + h / 2 - (h % 2 == 0 ? 1 : 0));
}

// Draws with a null pen and the glyph colour, then restores the brush colour.
template <class F> void WithGlyphBrush(TCanvas* canvas, TColor color, F draw) {
    const TColor saved = canvas->Brush()->Color();
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetColor(color);
    draw();
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetColor(saved);
}

void PixelRow(TCanvas* canvas, int x1, int x2, int y, TColor color) {
    for (int x = x1; x <= x2; ++x) canvas->SetPixels(x, y, color);
}

}  // namespace

void DrawDropDownArrow(TCanvas* canvas, const TRect& rect, TUiUIStyle style, bool down,
                       bool enabled) {
    const TColor color = GlyphColor(style, enabled);
    TPoint c = GlyphCentre(rect);
    c.Y += style == uiWindowsXP ? 4 : 2;
    if (down) {
        ++c.X;
        ++c.Y;
    }
    WithGlyphBrush(canvas, color, [&] {
        if (style == uiWindowsXP) {
            const TPoint p[] = {{c.X, c.Y},         {c.X - 4, c.Y - 5}, {c.X - 3, c.Y - 7},
                                {c.X, c.Y - 3},     {c.X + 3, c.Y - 7}, {c.X + 5, c.Y - 5}};
            canvas->Polygon(p, 6);
        } else {
            for (int k = 0; k <= 3; ++k) PixelRow(canvas, c.X - k, c.X + k, c.Y - k, color);
        }
    });
}

void DrawSpinArrow(TCanvas* canvas, const TRect& rect, TUiUIStyle style, TDirection direction,
                   bool down, bool enabled) {
    const TColor color = GlyphColor(style, enabled);
    TPoint c = GlyphCentre(rect);
    if (style == uiWindowsXP) {
        const int dx[] = {0, 0, -1, -3}, dy[] = {4, 2, 0, 0};
        c.X += dx[direction];
        c.Y += dy[direction];
    } else if (direction == dirUp || direction == dirDown) {
        c.Y += 1;
    } else {
        c.X -= 2;
    }
    if (down && enabled) {
        ++c.X;
        ++c.Y;
    }
    WithGlyphBrush(canvas, color, [&] {
        if (style == uiWindowsXP) {
            const int x = c.X, y = c.Y;
            const TPoint shapes[4][6] = {
                {{x, y - 5}, {x + 4, y}, {x + 1, y}, {x, y - 2}, {x - 1, y}, {x - 4, y}},
                {{x, y}, {x - 3, y - 4}, {x, y - 4}, {x, y - 3}, {x + 1, y - 4}, {x + 4, y - 4}},
                {{x, y}, {x + 4, y - 4}, {x + 4, y - 1}, {x + 3, y}, {x + 4, y + 1},
                 {x + 4, y + 4}},
                {{x + 4, y}, {x, y + 4}, {x, y + 1}, {x + 1, y}, {x, y - 1}, {x, y - 4}}};
            canvas->Polygon(shapes[direction], 6);
            return;
        }
        for (int k = 0; k <= 3; ++k) {
            switch (direction) {
            case dirUp: PixelRow(canvas, c.X - k, c.X + k, c.Y - 3 + k, color); break;
            case dirDown: PixelRow(canvas, c.X - k, c.X + k, c.Y - k, color); break;
            case dirLeft:
                for (int y = c.Y - k; y <= c.Y + k; ++y) canvas->SetPixels(c.X + k, y, color);
                break;
            case dirRight:
                for (int y = c.Y - k; y <= c.Y + k; ++y) canvas->SetPixels(c.X + 3 - k, y, color);
                break;
            }
        }
    });
}

void DrawCloseX(TCanvas* canvas, const TRect& rect, TUiUIStyle style, bool down, bool enabled) {
    const TColor color = GlyphColor(style, enabled);
    TPoint c = GlyphCentre(rect);
    if (down && enabled) {
        ++c.X;
        ++c.Y;
    }
    const int x = c.X, y = c.Y;
    const TPoint p[] = {{x, y - 1},     {x + 3, y - 4}, {x + 5, y - 4}, {x + 5, y - 3},
                        {x + 2, y},     {x + 5, y + 4}, {x + 5, y + 5}, {x + 3, y + 5},
                        {x, y + 1},     {x - 3, y + 5}, {x - 4, y + 5}, {x - 4, y + 3},
                        {x - 1, y},     {x - 4, y - 3}, {x - 4, y - 4}, {x - 3, y - 5}};
    WithGlyphBrush(canvas, color, [&] { canvas->Polygon(p, 16); });
}

void DrawHighlightBox(TCanvas* canvas, const TRect& rect, TGradientDirection direction,
                      TColor start, TColor stop) {
    if (!FullColorSupported) return;
    HDC dc = canvas->Handle();
    ExcludeClipRect(dc, rect.Left + 2, rect.Top + 2, rect.Right - 2, rect.Bottom - 2);
    PaintGradient(canvas, rect, direction, start, stop);
    SelectClipRgn(dc, nullptr);
}

namespace {

TColor GlyphFill(TUiButtonDisplayState display, bool focused, const TUiGlyphColors& colors,
                 bool readOnly, bool readOnlyColorOnFocus) {
    switch (display) {
    case bdsDown: return DarkerColor(colors.Focus, 20);
    case bdsDisabled: return colors.Disabled;
    default:
        if (focused) return readOnly && readOnlyColorOnFocus ? colors.ReadOnly : colors.Focus;
        return readOnly ? colors.ReadOnly : colors.Fill;
    }
}

}  // namespace

void DrawCheckBox(TCanvas* canvas, const TRect& rect, TCheckBoxState state,
                  TUiButtonDisplayState display, bool focused, TUiButtonHotTrackStyle hotStyle,
                  const TUiGlyphColors& colors, bool readOnly, bool readOnlyColorOnFocus) {
    const bool hot = display == bdsHot;
    const TRect inside =
        DrawBox(canvas, rect, hot && hotStyle == htsFrame ? colors.Hot : colors.Frame);
    TColor check = display == bdsDisabled ? clBtnShadow : colors.Check;
    canvas->Brush()->SetColor(GlyphFill(display, focused, colors, readOnly, readOnlyColorOnFocus));
    canvas->FillRect(inside);
    if (state == cbChecked) {
        const int tops[] = {5, 6, 7, 6, 5, 4, 3};
        for (int i = 0; i < 7; ++i)
            for (int dy = 0; dy < 3; ++dy)
                canvas->SetPixels(rect.Left + 3 + i, rect.Top + tops[i] + dy, check);
    } else if (state == cbGrayed) {
        canvas->Brush()->SetColor(check);
        canvas->FillRect(
            TRect(inside.Left + 2, inside.Top + 2, inside.Right - 2, inside.Bottom - 2));
    }
    if (hot) {
        if (hotStyle == htsInterior)
            DrawHighlightBox(canvas, inside, gdDiagonalDown, colors.HotLight, colors.Hot);
        else
            DrawBox(canvas, inside, colors.Hot);
    }
}

void DrawRadioButton(TCanvas* canvas, const TRect& rect, bool checked,
                     TUiButtonDisplayState display, bool focused, TUiButtonHotTrackStyle hotStyle,
                     const TUiGlyphColors& colors, TColor color, bool transparent,
                     TColor transparentColor, bool readOnly, bool readOnlyColorOnFocus) {
    const bool full = FullColorSupported;
    const bool hotFrame = display == bdsHot && hotStyle == htsFrame;
    const TColor f = hotFrame ? colors.Hot : colors.Frame;
    const TColor outside = transparent ? transparentColor : color;
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(std::max(rect.Width(), 13), std::max(rect.Height(), 13));
    TCanvas* g = glyph.Canvas();
    g->Brush()->SetColor(GlyphFill(display, focused, colors, readOnly, readOnlyColorOnFocus));
    g->FillRect(TRect(0, 0, glyph.Width(), glyph.Height()));
    const TColor l = full ? LighterColor(f, 10) : f;
    auto put = [&](std::initializer_list<std::pair<int, int>> points, TColor c) {
        for (const auto& p : points) g->SetPixels(p.first, p.second, c);
    };
    auto blend = [&](std::initializer_list<std::pair<int, int>> points, uint8_t w) {
        for (const auto& p : points)
            g->SetPixels(p.first, p.second, BlendColors(f, g->Pixels(p.first, p.second), w));
    };
    if (display == bdsHot && full) {
        if (hotStyle == htsFrame) {
            put({{5, 1}, {6, 1}, {7, 1}, {5, 11}, {6, 11}, {7, 11}, {1, 5}, {1, 6}, {1, 7},
                 {11, 5}, {11, 6}, {11, 7}}, l);
            put({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, f);
        } else {
            HDC dc = g->Handle();
            OwnedGdiObject ring(CreateRectRgn(0, 0, 13, 13));
            OwnedGdiObject centre(CreateRectRgn(4, 4, 9, 9));
            OwnedGdiObject crossV(CreateRectRgn(5, 3, 8, 10));
            OwnedGdiObject crossH(CreateRectRgn(3, 5, 10, 8));
            CombineRgn(static_cast<HRGN>(ring.Get()), static_cast<HRGN>(ring.Get()),
                       static_cast<HRGN>(centre.Get()), RGN_DIFF);
            CombineRgn(static_cast<HRGN>(ring.Get()), static_cast<HRGN>(ring.Get()),
                       static_cast<HRGN>(crossV.Get()), RGN_DIFF);
            CombineRgn(static_cast<HRGN>(ring.Get()), static_cast<HRGN>(ring.Get()),
                       static_cast<HRGN>(crossH.Get()), RGN_DIFF);
            SelectClipRgn(dc, static_cast<HRGN>(ring.Get()));
            PaintGradient(g, TRect(0, 0, 13, 13), gdDiagonalDown, colors.HotLight, colors.Hot);
            SelectClipRgn(dc, nullptr);
        }
    }
    put({{0, 0}, {1, 0}, {2, 0}, {10, 0}, {11, 0}, {12, 0}, {0, 1}, {1, 1}, {11, 1}, {12, 1},
         {0, 2}, {12, 2}, {0, 10}, {12, 10}, {0, 11}, {1, 11}, {11, 11}, {12, 11}, {0, 12},
         {1, 12}, {2, 12}, {10, 12}, {11, 12}, {12, 12}}, outside);
    TColor a1 = f, a2 = color;
    if (transparent)
        a1 = a2 = outside;
    else if (full)
        a1 = BlendColors(f, color, 128), a2 = BlendColors(f, color, 40);
    put({{4, 0}, {8, 0}, {2, 1}, {10, 1}, {1, 2}, {11, 2}, {0, 4}, {12, 4}, {0, 8}, {12, 8},
         {1, 10}, {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}}, a1);
    put({{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}}, a2);
    put({{6, 0}, {3, 1}, {9, 1}, {1, 3}, {11, 3}, {0, 6}, {12, 6}, {1, 9}, {11, 9}, {3, 11},
         {9, 11}, {6, 12}}, f);
    put({{5, 0}, {7, 0}, {2, 2}, {10, 2}, {0, 5}, {12, 5}, {0, 7}, {12, 7}, {2, 10}, {10, 10},
         {5, 12}, {7, 12}}, l);
    if (full && hotFrame) {
        blend({{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}}, 150);
        blend({{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}}, 80);
    } else if (full) {
        blend({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, 128);
        blend({{5, 1}, {7, 1}, {3, 2}, {9, 2}, {2, 3}, {10, 3}, {1, 5}, {11, 5}, {1, 7}, {11, 7},
               {2, 9}, {10, 9}, {3, 10}, {9, 10}, {5, 11}, {7, 11}}, 80);
        blend({{6, 1}, {1, 6}, {11, 6}, {6, 11}}, 40);
    } else {
        put({{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}, f);
        put({{5, 1}, {7, 1}, {3, 2}, {9, 2}, {2, 3}, {10, 3}, {1, 5}, {11, 5}, {1, 7}, {11, 7},
             {2, 9}, {10, 9}, {3, 10}, {9, 10}, {5, 11}, {7, 11}}, clSilver);
    }
    if (checked) {
        const TColor d = display == bdsDisabled ? clBtnShadow : colors.Check;
        const TColor e = full ? BlendColors(d, g->Pixels(4, 4), 153) : d;
        g->Brush()->SetColor(d);
        g->FillRect(TRect(5, 5, 8, 8));
        put({{6, 4}, {4, 6}, {8, 6}, {6, 8}}, d);
        put({{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}}, e);
    }
    canvas->Draw(rect.Left, rect.Top, &glyph);
}

void InvalidateWindowFrame(HWND window, const TRect& rect) {
    HDC dc = GetWindowDC(window);
    RECT clip;
    const int region = GetClipBox(dc, &clip);
    ReleaseDC(window, dc);
    if (region == ERROR || region == NULLREGION) return;
    const RECT r = ToRECT(rect);
    RedrawWindow(window, &r, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void InvalidateControls(TWinControl* container) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* control = container->Controls(i);
        const TPropertyInfo* info = FindProperty(control, "Transparent");
        if (info && info->Kind == pkBool && info->GetOrd && info->GetOrd(control))
            control->Invalidate();
    }
}
