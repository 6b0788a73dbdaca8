// PDF drawing operators through the Haru library.
#include "PdfPainter.h"

#include <algorithm>

namespace pdfengine {

namespace {

HPDF_REAL Red(COLORREF c) { return GetRValue(c) / 255.0f; }
HPDF_REAL Green(COLORREF c) { return GetGValue(c) / 255.0f; }
HPDF_REAL Blue(COLORREF c) { return GetBValue(c) / 255.0f; }

}  // namespace

PdfPainter::PdfPainter(HPDF_Page page) : page_(page) { HPDF_Page_GSave(page_); }

PdfPainter::~PdfPainter() {
    ClearClip();
    HPDF_Page_GRestore(page_);
}

void PdfPainter::ClearClip() {
    if (!clipped_) return;
    HPDF_Page_GRestore(page_);
    clipped_ = false;
}

void PdfPainter::SetClip(const std::vector<RectF>& rects) {
    ClearClip();
    HPDF_Page_GSave(page_);
    clipped_ = true;
    for (const RectF& r : rects) {
        HPDF_Page_Rectangle(page_, static_cast<HPDF_REAL>(r.left), static_cast<HPDF_REAL>(r.bottom),
                            static_cast<HPDF_REAL>(r.right - r.left),
                            static_cast<HPDF_REAL>(r.top - r.bottom));
    }
    if (rects.empty()) HPDF_Page_Rectangle(page_, 0, 0, 0, 0);
    HPDF_Page_Clip(page_);
    HPDF_Page_EndPath(page_);
}

void PdfPainter::MoveTo(PointF p) {
    HPDF_Page_MoveTo(page_, static_cast<HPDF_REAL>(p.x), static_cast<HPDF_REAL>(p.y));
}

void PdfPainter::LineTo(PointF p) {
    HPDF_Page_LineTo(page_, static_cast<HPDF_REAL>(p.x), static_cast<HPDF_REAL>(p.y));
}

void PdfPainter::CurveTo(PointF c1, PointF c2, PointF end) {
    HPDF_Page_CurveTo(page_, static_cast<HPDF_REAL>(c1.x), static_cast<HPDF_REAL>(c1.y),
                      static_cast<HPDF_REAL>(c2.x), static_cast<HPDF_REAL>(c2.y),
                      static_cast<HPDF_REAL>(end.x), static_cast<HPDF_REAL>(end.y));
}

void PdfPainter::ClosePath() { HPDF_Page_ClosePath(page_); }

void PdfPainter::EndPath() { HPDF_Page_EndPath(page_); }

void PdfPainter::SetFill(COLORREF color) {
    HPDF_Page_SetRGBFill(page_, Red(color), Green(color), Blue(color));
}

void PdfPainter::SetStroke(COLORREF color) {
    HPDF_Page_SetRGBStroke(page_, Red(color), Green(color), Blue(color));
}

void PdfPainter::Prepare(const Paint& paint) {
    if (paint.fill) SetFill(paint.fillColor);
    if (paint.stroke) {
        SetStroke(paint.strokeColor);
        HPDF_Page_SetLineWidth(page_, static_cast<HPDF_REAL>(paint.lineWidth));
        HPDF_Page_SetLineCap(page_, paint.cap);
        HPDF_Page_SetLineJoin(page_, paint.join);
        HPDF_Page_SetDash(page_, paint.dash.empty() ? nullptr : paint.dash.data(),
                          static_cast<HPDF_UINT>(paint.dash.size()), 0);
    }
}

void PdfPainter::PaintPath(const Paint& paint) {
    if (paint.fill && paint.stroke) {
        if (paint.evenOdd) {
            HPDF_Page_EofillStroke(page_);
        } else {
            HPDF_Page_FillStroke(page_);
        }
    } else if (paint.fill) {
        if (paint.evenOdd) {
            HPDF_Page_Eofill(page_);
        } else {
            HPDF_Page_Fill(page_);
        }
    } else if (paint.stroke) {
        HPDF_Page_Stroke(page_);
    } else {
        HPDF_Page_EndPath(page_);
    }
}

void PdfPainter::FillParallelogram(PointF corner, PointF side1, PointF side2, COLORREF color) {
    Paint paint;
    paint.fill = true;
    paint.fillColor = color;
    Prepare(paint);
    MoveTo(corner);
    LineTo({corner.x + side1.x, corner.y + side1.y});
    LineTo({corner.x + side1.x + side2.x, corner.y + side1.y + side2.y});
    LineTo({corner.x + side2.x, corner.y + side2.y});
    ClosePath();
    PaintPath(paint);
}

void PdfPainter::DrawImage(HPDF_Image image, const Affine& m) {
    HPDF_Page_GSave(page_);
    HPDF_Page_Concat(page_, static_cast<HPDF_REAL>(m.a), static_cast<HPDF_REAL>(m.b),
                     static_cast<HPDF_REAL>(m.c), static_cast<HPDF_REAL>(m.d),
                     static_cast<HPDF_REAL>(m.e), static_cast<HPDF_REAL>(m.f));
    HPDF_Page_ExecuteXObject(page_, image);
    HPDF_Page_GRestore(page_);
}

void PdfPainter::ShowText(HPDF_Font font, const std::string& text, const Affine& m,
                          double charSpace, COLORREF color, const std::vector<PointF>& clip) {
    if (!clip.empty()) {
        HPDF_Page_GSave(page_);
        MoveTo(clip[0]);
        for (size_t i = 1; i < clip.size(); ++i) LineTo(clip[i]);
        ClosePath();
        HPDF_Page_Clip(page_);
        HPDF_Page_EndPath(page_);
    }
    SetFill(color);
    HPDF_Page_BeginText(page_);
    HPDF_Page_SetFontAndSize(page_, font, 1);
    HPDF_Page_SetCharSpace(page_, static_cast<HPDF_REAL>(std::clamp(charSpace, -29.0, 299.0)));
    HPDF_Page_SetTextMatrix(page_, static_cast<HPDF_REAL>(m.a), static_cast<HPDF_REAL>(m.b),
                            static_cast<HPDF_REAL>(m.c), static_cast<HPDF_REAL>(m.d),
                            static_cast<HPDF_REAL>(m.e), static_cast<HPDF_REAL>(m.f));
    HPDF_Page_ShowText(page_, text.c_str());
    HPDF_Page_EndText(page_);
    if (!clip.empty()) HPDF_Page_GRestore(page_);
}

}  // namespace pdfengine
