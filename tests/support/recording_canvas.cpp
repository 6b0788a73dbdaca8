#include "recording_canvas.h"

#include <sstream>

namespace {

// Marks the canvas's own drawing while a recorded call runs.
class Inside {
public:
    explicit Inside(int& depth) : depth_(depth) { ++depth_; }
    ~Inside() { --depth_; }
    Inside(const Inside&) = delete;
    Inside& operator=(const Inside&) = delete;

private:
    int& depth_;
};

std::vector<int> RectArgs(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

std::string GraphicName(TGraphic* graphic) {
    return graphic ? graphic->ClassName().str() : std::string("nil");
}

}  // namespace

std::string TCanvasCall::ToString() const {
    std::ostringstream out;
    out << Name << "(";
    const char* separator = "";
    for (int arg : Args) {
        out << separator << arg;
        separator = ",";
    }
    for (const TPoint& point : Points) {
        out << separator << "(" << point.X << "," << point.Y << ")";
        separator = ",";
    }
    if (!Text.empty()) out << separator << "\"" << Text << "\"";
    out << ")";
    return out.str();
}

TRecordingCanvas::TRecordingCanvas(int width, int height, int pixelsPerInch) {
    ScreenDC screen;
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    ::FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (pixelsPerInch > 0) AdoptFontResolution(pixelsPerInch);
}

TRecordingCanvas::~TRecordingCanvas() {
    SetHandle(nullptr);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void TRecordingCanvas::CreateHandle() { SetHandle(dc_); }

std::vector<std::string> TRecordingCanvas::CallStrings() const {
    std::vector<std::string> strings;
    for (const TCanvasCall& call : calls_) strings.push_back(call.ToString());
    return strings;
}

std::vector<const TCanvasCall*> TRecordingCanvas::CallsNamed(const std::string& name) const {
    std::vector<const TCanvasCall*> found;
    for (const TCanvasCall& call : calls_)
        if (call.Name == name) found.push_back(&call);
    return found;
}

bool TRecordingCanvas::Record(const std::string& name, std::vector<int> args,
                              const std::string& text, std::vector<TPoint> points) {
    if (depth_ > 0) return false;
    TCanvasCall call;
    call.Name = name;
    call.Args = std::move(args);
    call.Text = text;
    call.Points = std::move(points);
    call.PenColor = Pen()->Color();
    call.PenWidth = Pen()->Width();
    call.PenStyle = Pen()->Style();
    call.PenMode = Pen()->Mode();
    call.BrushColor = Brush()->Color();
    call.BrushStyle = Brush()->Style();
    call.FontName = Font()->Name().str();
    call.FontHeight = Font()->Height();
    call.FontSize = Font()->Size();
    call.FontColor = Font()->Color();
    call.FontStyle = Font()->Style();
    calls_.push_back(std::move(call));
    return true;
}

void TRecordingCanvas::Mark(const std::string& text) { Record("Mark", {}, text); }

void TRecordingCanvas::MoveTo(int x, int y) {
    Record("MoveTo", {x, y});
    Inside inside(depth_);
    TCanvas::MoveTo(x, y);
}

void TRecordingCanvas::LineTo(int x, int y) {
    Record("LineTo", {x, y});
    Inside inside(depth_);
    TCanvas::LineTo(x, y);
}

void TRecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Record("Rectangle", {x1, y1, x2, y2});
    Inside inside(depth_);
    TCanvas::Rectangle(x1, y1, x2, y2);
}

void TRecordingCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
    Record("RoundRect", {x1, y1, x2, y2, w, h});
    Inside inside(depth_);
    TCanvas::RoundRect(x1, y1, x2, y2, w, h);
}

void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Record("Ellipse", {x1, y1, x2, y2});
    Inside inside(depth_);
    TCanvas::Ellipse(x1, y1, x2, y2);
}

void TRecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Record("Arc", {x1, y1, x2, y2, x3, y3, x4, y4});
    Inside inside(depth_);
    TCanvas::Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Record("Chord", {x1, y1, x2, y2, x3, y3, x4, y4});
    Inside inside(depth_);
    TCanvas::Chord(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Record("Pie", {x1, y1, x2, y2, x3, y3, x4, y4});
    Inside inside(depth_);
    TCanvas::Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingCanvas::Polyline(const TPoint* points, int count) {
    Record("Polyline", {}, "", std::vector<TPoint>(points, points + count));
    Inside inside(depth_);
    TCanvas::Polyline(points, count);
}

void TRecordingCanvas::Polygon(const TPoint* points, int count) {
    Record("Polygon", {}, "", std::vector<TPoint>(points, points + count));
    Inside inside(depth_);
    TCanvas::Polygon(points, count);
}

void TRecordingCanvas::FillRect(const TRect& r) {
    Record("FillRect", RectArgs(r));
    Inside inside(depth_);
    TCanvas::FillRect(r);
}

void TRecordingCanvas::FrameRect(const TRect& r) {
    Record("FrameRect", RectArgs(r));
    Inside inside(depth_);
    TCanvas::FrameRect(r);
}

void TRecordingCanvas::DrawFocusRect(const TRect& r) {
    Record("DrawFocusRect", RectArgs(r));
    Inside inside(depth_);
    TCanvas::DrawFocusRect(r);
}

void TRecordingCanvas::FloodFill(int x, int y, TColor color, bool surface) {
    Record("FloodFill", {x, y, color, surface ? 1 : 0});
    Inside inside(depth_);
    TCanvas::FloodFill(x, y, color, surface);
}

void TRecordingCanvas::SetPixels(int x, int y, TColor color) {
    Record("SetPixels", {x, y, color});
    Inside inside(depth_);
    TCanvas::SetPixels(x, y, color);
}

void TRecordingCanvas::TextOut(int x, int y, const AnsiString& text) {
    Record("TextOut", {x, y}, text.str());
    Inside inside(depth_);
    TCanvas::TextOut(x, y, text);
}

void TRecordingCanvas::TextRect(const TRect& rect, int x, int y, const AnsiString& text) {
    std::vector<int> args = RectArgs(rect);
    args.push_back(x);
    args.push_back(y);
    Record("TextRect", args, text.str());
    Inside inside(depth_);
    TCanvas::TextRect(rect, x, y, text);
}

void TRecordingCanvas::Draw(int x, int y, TGraphic* graphic) {
    Record("Draw", {x, y}, GraphicName(graphic));
    Inside inside(depth_);
    TCanvas::Draw(x, y, graphic);
}

void TRecordingCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    Record("StretchDraw", RectArgs(rect), GraphicName(graphic));
    Inside inside(depth_);
    TCanvas::StretchDraw(rect, graphic);
}

void TRecordingCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    std::vector<int> args = RectArgs(dest);
    for (int value : RectArgs(sourceRect)) args.push_back(value);
    Record("CopyRect", args);
    Inside inside(depth_);
    TCanvas::CopyRect(dest, source, sourceRect);
}

void TRecordingCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& source,
                                 TColor color) {
    std::vector<int> args = RectArgs(dest);
    for (int value : RectArgs(source)) args.push_back(value);
    args.push_back(color);
    Record("BrushCopy", args);
    Inside inside(depth_);
    TCanvas::BrushCopy(dest, bitmap, source, color);
}
