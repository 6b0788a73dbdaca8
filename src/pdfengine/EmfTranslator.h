// Translates an enhanced metafile record by record into PDF drawing on a page: shapes, text
// in the standard fonts, images, clipping and transforms; what cannot be translated is drawn
// as an image of just that part.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PdfDocument.h"
#include "PdfGeometry.h"
#include "PdfPainter.h"

namespace pdfengine {

struct TextMerge {
    std::string start;  // texts that begin with it are handed to `merge`
    std::function<std::string(const std::string&)> merge;
};

class EmfTranslator {
public:
    EmfTranslator(PdfDocument& doc, HPDF_Page page, double pageHeight, TextMerge textMerge);

    // Draws the metafile into the rectangle given in points from the page's top left.
    void Translate(HENHMETAFILE metafile, double left, double top, double width, double height);

    int OnRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles);
    int OnRenderRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles);

private:
    enum Kind : uint8_t { State, Translated, Fallback };

    Kind Classify(DWORD type);
    bool TranslateRecord(HDC dc, const ENHMETARECORD* record);
    bool TranslatePoly(HDC dc, const ENHMETARECORD* record);
    bool TranslateShape(HDC dc, const ENHMETARECORD* record);
    bool TranslateText(HDC dc, const ENHMETARECORD* record);
    bool TranslateBlt(HDC dc, const ENHMETARECORD* record);
    bool TranslateStretchDIBits(HDC dc, const ENHMETARECORD* record);

    static bool CombinesWithClip(const ENHMETARECORD* record);
    void ClipToTargetIfUnclipped(HDC dc);
    Affine LogicalToPage(HDC dc) const;
    bool ReadPen(HDC dc, const Affine& toPage, Paint& paint) const;
    bool ReadBrush(HDC dc, Paint& paint) const;
    void SyncClip(HDC dc);
    void EmitCurves(const Affine& toPage, PointF start, const std::vector<Bezier>& curves,
                    bool lineToStart);
    void PlaceImage(const RgbImage& image, const Affine& toPage, double x, double y, double cx,
                    double cy);
    void FillLogicalRect(const Affine& toPage, const RECTL& r, COLORREF color);
    void FlushFallback();

    PdfDocument& doc_;
    HPDF_Page page_;
    double pageHeight_;
    TextMerge textMerge_;
    PdfPainter* painter_ = nullptr;

    HENHMETAFILE metafile_ = nullptr;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    RECT target_{};  // in the state surface's device units
    double cosmeticWidth_ = 0.75;
    Affine deviceToPage_;
    int index_ = -1;
    bool inPath_ = false;
    std::vector<Kind> kinds_;
    std::vector<int> pending_;
    HRGN appliedClip_ = nullptr;
    bool clipApplied_ = false;

    // While an image of pending records is rendered.
    std::set<int> rendering_;
    int renderIndex_ = -1;
    int renderLast_ = -1;
};

}  // namespace pdfengine
