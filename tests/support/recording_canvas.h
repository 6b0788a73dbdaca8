// A canvas for tests that records every drawing call with its arguments and the pen, brush and
// font of the moment, and draws it too on a bitmap of its own, so that texts measure as usual.
#pragma once

#include <string>
#include <vector>

#include "cl_graphics.h"

// One recorded call. Args are the numbers in call order (rectangles as left, top, right,
// bottom); Text is the text argument, or the class of a drawn graphic.
struct TCanvasCall {
    std::string Name;
    std::vector<int> Args;
    std::string Text;
    std::vector<TPoint> Points;
    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    std::string FontName;
    int FontHeight = 0;
    int FontSize = 0;
    TColor FontColor = clBlack;
    TFontStyles FontStyle;

    // "TextOut(10,20,\"abc\")", "Polygon((0,0),(5,0),(5,5))", "Draw(3,4,TBitmap)".
    std::string ToString() const;
};

class TRecordingCanvas : public TCanvas {
public:
    // The bitmap drawn on; the font resolution is `pixelsPerInch` (a printer's, say).
    explicit TRecordingCanvas(int width = 800, int height = 600, int pixelsPerInch = 0);
    ~TRecordingCanvas() override;

    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    std::vector<std::string> CallStrings() const;
    std::vector<const TCanvasCall*> CallsNamed(const std::string& name) const;
    void Clear() { calls_.clear(); }
    // Puts a marker among the calls (a new page, a step of the test).
    void Mark(const std::string& text);

    using TCanvas::Ellipse;
    using TCanvas::Polygon;
    using TCanvas::Polyline;
    using TCanvas::Rectangle;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Polyline(const TPoint* points, int count) override;
    void Polygon(const TPoint* points, int count) override;
    void FillRect(const TRect& r) override;
    void FrameRect(const TRect& r) override;
    void DrawFocusRect(const TRect& r) override;
    void FloodFill(int x, int y, TColor color, bool surface) override;
    void SetPixels(int x, int y, TColor color) override;
    void TextOut(int x, int y, const AnsiString& text) override;
    void TextRect(const TRect& rect, int x, int y, const AnsiString& text) override;
    void Draw(int x, int y, TGraphic* graphic) override;
    void StretchDraw(const TRect& rect, TGraphic* graphic) override;
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) override;
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source, TColor color) override;

protected:
    void CreateHandle() override;

private:
    // Records the call unless it comes from inside another recorded call (Draw through
    // StretchDraw, say); returns whether it did.
    bool Record(const std::string& name, std::vector<int> args, const std::string& text = "",
                std::vector<TPoint> points = {});

    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    std::vector<TCanvasCall> calls_;
    int depth_ = 0;
};
