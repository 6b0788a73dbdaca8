// Drawing on one PDF page through the Haru library: paths with their paint, clipping areas,
// placed images and positioned text, all in page points with the origin at the bottom left.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PdfGeometry.h"
#include "hpdf.h"

namespace pdfengine {

struct Paint {
    bool fill = false;
    bool evenOdd = false;
    COLORREF fillColor = 0;
    bool stroke = false;
    COLORREF strokeColor = 0;
    double lineWidth = 1;
    HPDF_LineCap cap = HPDF_ROUND_END;
    HPDF_LineJoin join = HPDF_ROUND_JOIN;
    std::vector<HPDF_UINT16> dash;
};

struct RectF {
    double left, bottom, right, top;
};

// Everything drawn between construction and destruction stays inside one saved graphics
// state, so that nothing of it leaks into later drawing on the page.
class PdfPainter {
public:
    explicit PdfPainter(HPDF_Page page);
    ~PdfPainter();
    PdfPainter(const PdfPainter&) = delete;
    PdfPainter& operator=(const PdfPainter&) = delete;

    // Replaces the clipping area by the union of the rectangles; none clears it.
    void SetClip(const std::vector<RectF>& rects);
    void ClearClip();

    void MoveTo(PointF p);
    void LineTo(PointF p);
    void CurveTo(PointF c1, PointF c2, PointF end);
    void ClosePath();
    // The colours and line style go before the path is built, its painting after.
    void Prepare(const Paint& paint);
    void PaintPath(const Paint& paint);
    void EndPath();
    // Fills the quadrilateral spanned by `corner` and the two side vectors.
    void FillParallelogram(PointF corner, PointF side1, PointF side2, COLORREF color);

    // `unitSquare` maps the image's unit square to the page.
    void DrawImage(HPDF_Image image, const Affine& unitSquare);
    // Text in a font of size 1 placed by `matrix`; `clip` (when not empty) clips it.
    void ShowText(HPDF_Font font, const std::string& text, const Affine& matrix,
                  double charSpace, COLORREF color, const std::vector<PointF>& clip);

private:
    void SetFill(COLORREF color);
    void SetStroke(COLORREF color);

    HPDF_Page page_;
    bool clipped_ = false;
};

}  // namespace pdfengine
