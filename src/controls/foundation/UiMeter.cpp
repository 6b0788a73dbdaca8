#include "UiMeter.h"

#include <algorithm>

#include "UiDrawing.h"

namespace {

void Shrink(TRect& rect, int by) { InflateRect(reinterpret_cast<RECT*>(&rect), -by, -by); }

bool Horizontal(TDirection direction) { return direction == dirLeft || direction == dirRight; }

}  // namespace

TUiMeter::TUiMeter(TComponent* owner) : TUiBorder(owner), bitmap_(new TBitmap) {
    ControlStyle.insert(csFramed);
    ControlStyle.insert(csOpaque);
    TUiBorder::SetBorderOuter(fsStatus);
    SetBounds(Left(), Top(), 150, 30);
}

void TUiMeter::BeforeDestruction() {
    delete bitmap_;
    bitmap_ = nullptr;
    TUiBorder::BeforeDestruction();
}

void TUiMeter::SetMin(int value) {
    if (value == max_) value = max_ - 1;
    Change(min_, value);
}

void TUiMeter::SetMax(int value) {
    if (value == min_) value = min_ + 1;
    Change(max_, value);
}

void TUiMeter::SetValue(int value) { Change(value_, std::clamp(value, min_, max_)); }

int TUiMeter::GetPercent() const { return (value_ - min_) * 100 / (max_ - min_); }

void TUiMeter::SetBitmap(TBitmap* value) {
    bitmap_->Assign(value);
    Invalidate();
}

TRect TUiMeter::BarRect(const TRect& area) const {
    const int range = max_ - min_;
    const int done = value_ - min_;
    TRect bar = area;
    switch (direction_) {
    case dirRight: bar.Right = std::max(area.Left, area.Right * done / range); break;
    case dirDown: bar.Bottom = std::max(area.Top, area.Bottom * done / range); break;
    case dirLeft:
        bar.Left = std::min(area.Right, area.Right + area.Left - area.Right * done / range);
        break;
    case dirUp:
        bar.Top = std::min(area.Bottom, area.Bottom + area.Top - area.Bottom * done / range);
        break;
    }
    return bar;
}

void TUiMeter::FillTrapezoid(TCanvas* canvas, TTrap trap) {
    trap.p2.X -= 1;
    trap.p3.X -= 1;
    trap.p3.Y -= 1;
    trap.p4.Y -= 1;
    const TPoint points[] = {trap.p1, trap.p2, trap.p3, trap.p4};
    canvas->Polygon(points, 4);
}

void TUiMeter::DrawPercent(TCanvas* canvas) {
    const AnsiString text = Format("%d%%", GetPercent());
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    const TRect client = ClientRect();
    canvas->TextOut((client.Width() - canvas->TextWidth(text)) / 2,
                    (client.Height() - canvas->TextHeight(text)) / 2, text);
}

void TUiMeter::DrawStandardBar(TCanvas* canvas, const TRect& area) {
    const TRect bar = BarRect(area);
    TTrap inner = outer_;
    if (Trapezoidal()) {
        SetTrapezoid(inner, area, trapMin_ - 2 * bevelInUse_, trapShape_, direction_,
                     trapDirect_);
        if (trapDirect_ == tdSmallToLarge) inner = AdjustTrapezoid(inner, bar, direction_);
    }
    if (!bitmap_->Empty()) {
        if (!Trapezoidal()) {
            TileBitmap(canvas, bitmap_, bar);
        } else if (value_ > 0) {
            const TPoint points[] = {inner.p1, inner.p2, inner.p3, inner.p4};
            HRGN region = CreatePolygonRgn(reinterpret_cast<const POINT*>(points), 4, WINDING);
            SelectClipRgn(canvas->Handle(), region);
            TileBitmap(canvas, bitmap_, bar);
            SelectClipRgn(canvas->Handle(), nullptr);
            DeleteObject(region);
        }
    } else {
        canvas->Brush()->SetStyle(brushStyle_);
        canvas->Brush()->SetColor(barColor_);
        canvas->Pen()->SetColor(barColor_);
        if (Trapezoidal()) {
            if (value_ > 0) {
                TTrap shape = inner;
                if (trapDirect_ == tdLargeToSmall)
                    SetTrapezoid(shape, bar, trapMin_ - 2 * bevelInUse_, trapShape_, direction_,
                                 trapDirect_);
                FillTrapezoid(canvas, shape);
            }
        } else if (brushStyle_ == bsSolid) {
            canvas->FillRect(bar);
        } else {
            canvas->Rectangle(bar.Left, bar.Top, bar.Right, bar.Bottom);
        }
    }
    const int bevel = BevelWidth();
    if (meterType_ == mtBar3D && 2 * bevel < bar.Width() && 2 * bevel < bar.Height()) {
        if (!Trapezoidal()) {
            DrawBevel(canvas, bar, clBtnHighlight, clBtnShadow, bevel, AllSides);
        } else {
            TTrap raised = inner;
            if (trapDirect_ == tdLargeToSmall)
                SetTrapezoid(raised, bar, trapMin_, trapShape_, direction_, trapDirect_);
            DrawTrapezoidBorder(canvas, raised, TTrapBevelStyle::bsRaised, bevel);
        }
    }
    if (showPercent_) DrawPercent(canvas);
}

TColor TUiMeter::SegmentColor(int index, int lit) const {
    if (index >= lit) return segOffColor_;
    if (index < segCount_[0]) return segColor_[0];
    if (index < segCount_[0] + segCount_[1]) return segColor_[1];
    return segColor_[2];
}

void TUiMeter::DrawLEDBar(TCanvas* canvas, const TRect& area) {
    const int n = segCount_[0] + segCount_[1] + segCount_[2];
    if (n == 0) return;
    const int lit = n * (value_ - min_) / (max_ - min_);
    TRect inside = area;
    Shrink(inside, segSpacing_);
    TTrap trap = {};
    if (Trapezoidal()) {
        SetTrapezoid(trap, area, trapMin_ - 2 * bevelInUse_, trapShape_, direction_,
                     trapDirect_);
        InflateTrapezoid(trap, -segSpacing_);
    }
    const bool horizontal = Horizontal(direction_);
    const int length = horizontal ? inside.Width() : inside.Height();
    const int segment = (length - (n - 2) * segSpacing_) / n;
    const int advance = segment + segSpacing_;
    canvas->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < n; ++i) {
        TRect r = inside;
        switch (direction_) {
        case dirRight: r.Left = inside.Left + i * advance; r.Right = r.Left + segment; break;
        case dirLeft: r.Right = inside.Right - i * advance; r.Left = r.Right - segment; break;
        case dirDown: r.Top = inside.Top + i * advance; r.Bottom = r.Top + segment; break;
        case dirUp: r.Bottom = inside.Bottom - i * advance; r.Top = r.Bottom - segment; break;
        }
        canvas->Brush()->SetColor(SegmentColor(i, lit));
        if (Trapezoidal()) {
            canvas->Pen()->SetColor(clBlack);
            FillTrapezoid(canvas, AdjustTrapezoid(trap, r, direction_));
        } else {
            Shrink(r, 1);
            canvas->FillRect(r);
        }
    }
}

void TUiMeter::Paint() {
    if (Width() < 4 || Height() < 4) return;
    const TRect client = ClientRect();
    if (!Trapezoidal()) TUiBorder::Paint();
    TBitmap image;
    TCanvas* canvas = image.Canvas();
    TRect area = Trapezoidal() ? TRect(0, 0, Width(), Height()) : client;
    image.SetSize(area.Width(), area.Height());
    canvas->Brush()->SetColor(Trapezoidal() ? clBtnFace : backColor_);
    canvas->FillRect(TRect(0, 0, area.Width(), area.Height()));
    const TFrameStyleEx outer = BorderOuter();
    bevelInUse_ = outer == fsLowered || outer == fsRaised ? BevelWidth() : 0;
    if (bevelInUse_ > 0 && Trapezoidal()) {
        SetTrapezoid(outer_, area, trapMin_, trapShape_, direction_, trapDirect_);
        if (backColor_ != clBtnFace) {
            canvas->Brush()->SetColor(backColor_);
            canvas->Pen()->SetColor(backColor_);
            FillTrapezoid(canvas, outer_);
        }
        DrawTrapezoidBorder(canvas, outer_, TTrapBevelStyle::bsLowered, BevelWidth());
    }
    Shrink(area, bevelInUse_);
    if (!Trapezoidal()) {
        OffsetRect(reinterpret_cast<RECT*>(&area), -client.Left, -client.Top);
        area.Left -= 1;
        area.Top -= 1;
    }
    if (meterType_ == mtLED)
        DrawLEDBar(canvas, area);
    else
        DrawStandardBar(canvas, area);
    Canvas()->Draw(Trapezoidal() ? 0 : client.Left, Trapezoidal() ? 0 : client.Top, &image);
}
