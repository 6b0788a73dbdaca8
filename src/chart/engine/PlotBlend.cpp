#include "PlotBlend.h"

#include <cmath>
#include <vector>

#include "PlotCanvas3D.h"
#include "PlotSystem.h"

namespace {

// The off-screen image of a buffered chart canvas, or null.
TBitmap* BufferOf(TPlotCanvas* canvas) {
    auto* canvas3D = dynamic_cast<TPlotCanvas3D*>(canvas);
    return canvas3D && canvas3D->UseBuffer() ? canvas3D->Buffer() : nullptr;
}

uint8_t* PixelAt(TBitmap* bitmap, int x, int y) {
    return static_cast<uint8_t*>(bitmap->ScanLine(y)) + x * 3;
}

}  // namespace

TPlotBlend::TPlotBlend(TPlotCanvas* canvas, const TRect& rect) : canvas_(canvas) {
    SetRectangle(rect);
}

TPlotBlend::~TPlotBlend() { TObject::Free(saved_); }

void TPlotBlend::SetRectangle(const TRect& rect) {
    TRect r = OrientRectangle(rect);
    r.Left = Max(r.Left, 0);
    r.Top = Max(r.Top, 0);
    r.Right = Max(r.Right, r.Left + 1);
    r.Bottom = Max(r.Bottom, r.Top + 1);
    TBitmap* buffer = BufferOf(canvas_);
    const int limitRight = buffer ? buffer->Width() : canvas_->WindowRect.Right;
    const int limitBottom = buffer ? buffer->Height() : canvas_->WindowRect.Bottom;
    r.Right = Min(r.Right, limitRight);
    r.Bottom = Min(r.Bottom, limitBottom);
    rect_ = r;
    validSize_ = r.Width() > 0 && r.Height() > 0;
    if (!validSize_) return;
    TObject::Free(saved_);
    saved_ = new TBitmap;
    saved_->SetPixelFormat(pf24bit);
    saved_->SetSize(r.Width(), r.Height());
    TCanvas* from = buffer ? buffer->Canvas() : canvas_->TargetCanvas();
    BitBlt(saved_->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), from->Handle(), r.Left, r.Top,
           SRCCOPY);
}

void TPlotBlend::DoBlend(int transparency) {
    if (canvas_->Metafiling || !validSize_) return;
    TBitmap* buffer = BufferOf(canvas_);
    TBitmap* temporary = nullptr;
    TBitmap* target = buffer;
    TPoint position = rect_.TopLeft();
    if (!target) {
        temporary = target = new TBitmap;
        temporary->SetPixelFormat(pf24bit);
        temporary->SetSize(rect_.Width(), rect_.Height());
        BitBlt(temporary->Canvas()->Handle(), 0, 0, rect_.Width(), rect_.Height(),
               canvas_->TargetCanvas()->Handle(), rect_.Left, rect_.Top, SRCCOPY);
        position = TPoint(0, 0);
    }
    const int align = canvas_->GetTextAlign();
    PlotBlendBitmaps(100 - transparency, saved_, target, position);
    if (canvas_->GetTextAlign() != align) {
        if (canvas_->LastFont) canvas_->AssignFont(canvas_->LastFont);
        canvas_->SetTextAlign(align);
    }
    if (temporary) {
        canvas_->Draw(rect_.Left, rect_.Top, temporary);
        TObject::Free(temporary);
    }
}

void PlotBlendBitmaps(double percent, TBitmap* bitmap, TBitmap* background, TPoint position) {
    bitmap->SetPixelFormat(pf24bit);
    background->SetPixelFormat(pf24bit);
    const int x0 = Max(position.X, 0);
    const int y0 = Max(position.Y, 0);
    const int w = Min(bitmap->Width(), background->Width() - x0);
    const int h = Min(bitmap->Height(), background->Height() - y0);
    if (w <= 0 || h <= 0) return;
    if (TPlotAlphaBlend alphaBlend = PlotAlphaBlend()) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(255 - PlotRound(percent * 2.55)), 0};
        alphaBlend(background->Canvas()->Handle(), x0, y0, w, h, bitmap->Canvas()->Handle(), 0, 0,
                   w, h, blend);
        GdiFlush();
        return;
    }
    const int keep = 100 - PlotRound(percent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* g = PixelAt(background, x0 + x, y0 + y);
            const uint8_t* b = PixelAt(bitmap, x, y);
            if (g[0] == 255 && g[1] == 255 && g[2] == 255) g[2] = 254;
            for (int c = 0; c < 3; ++c)
                g[c] = static_cast<uint8_t>(g[c] + (b[c] - g[c]) * keep / 100);
        }
}

void PlotGrayScale(TBitmap* bitmap, bool inverted, int method) {
    if (!bitmap) return;
    bitmap->SetPixelFormat(pf24bit);
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x) {
            uint8_t* p = PixelAt(bitmap, x, y);
            int g = method == 0 ? (p[0] + p[1] + p[2]) / 3
                                : PlotRound(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
            if (inverted) g = 255 - g;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(g);
        }
    bitmap->SetPixelFormat(pfDevice);
}

namespace {

struct Contribution {
    int index;
    int weight;
};

float Sinc(float t) { return t == 0.0f ? 1.0f : std::sin(t) / t; }

float Lanczos3(float d) {
    d = std::fabs(d);
    if (d >= 3.0f) return 0.0f;
    const float pi = 3.14159265358979f;
    return Sinc(pi * d) * Sinc(pi * d / 3.0f);
}

float Triangle(float d) {
    d = std::fabs(d);
    return d < 1.0f ? 1.0f - d : 0.0f;
}

// Weights (per thousand) of the source samples that make each destination sample.
std::vector<std::vector<Contribution>> Contributions(int sourceSize, int destSize,
                                                     TSmoothStretchOption option) {
    const float support = option == ssBestQuality ? 3.0f : 1.0f;
    auto filter = option == ssBestQuality ? Lanczos3 : Triangle;
    const float scale = sourceSize == 1 ? static_cast<float>(destSize)
                                        : static_cast<float>(destSize - 1) / (sourceSize - 1);
    std::vector<std::vector<Contribution>> result(destSize);
    for (int i = 0; i < destSize; ++i) {
        const float center = i / scale;
        const float width = scale >= 1.0f ? support : support / scale;
        const int first = static_cast<int>(std::floor(center - width));
        const int last = static_cast<int>(std::ceil(center + width));
        for (int j = first; j <= last; ++j) {
            const float value =
                scale >= 1.0f ? filter(center - j) : filter((center - j) * scale) * scale;
            const int weight = PlotRound(value * 1000.0f);
            if (weight == 0) continue;
            int k = j;
            if (k < 0) k = -k;
            if (k >= sourceSize) k = 2 * sourceSize - k - 1;
            k = Max(0, Min(k, sourceSize - 1));
            result[i].push_back({k, weight});
        }
    }
    return result;
}

uint8_t Clamp255(int value) { return static_cast<uint8_t>(Max(0, Min(value, 255))); }

}  // namespace

void SmoothStretch(TBitmap* source, TBitmap* destination, TSmoothStretchOption option) {
    if (source->Width() <= 0 || source->Height() <= 0)
        throw Exception("SmoothStretch: Source bitmap too small");
    if (destination->Width() <= 0 || destination->Height() <= 0)
        throw Exception("SmoothStretch: Destination bitmap too small");
    source->SetPixelFormat(pf24bit);
    destination->SetPixelFormat(pf24bit);
    const int sw = source->Width(), sh = source->Height();
    const int dw = destination->Width(), dh = destination->Height();
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(dw, sh);
    const auto columns = Contributions(sw, dw, option);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < dw; ++x) {
            int sum[3] = {0, 0, 0};
            for (const Contribution& c : columns[x]) {
                const uint8_t* p = PixelAt(source, c.index, y);
                for (int k = 0; k < 3; ++k) sum[k] += c.weight * p[k];
            }
            uint8_t* q = PixelAt(&work, x, y);
            for (int k = 0; k < 3; ++k) q[k] = Clamp255(sum[k] / 1000);
        }
    const auto rows = Contributions(sh, dh, option);
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            int sum[3] = {0, 0, 0};
            for (const Contribution& c : rows[y]) {
                const uint8_t* p = PixelAt(&work, x, c.index);
                for (int k = 0; k < 3; ++k) sum[k] += c.weight * p[k];
            }
            uint8_t* q = PixelAt(destination, x, y);
            for (int k = 0; k < 3; ++k) q[k] = Clamp255(sum[k] / 1000);
        }
}

TPoint PointAtDistance(const TPoint& from, const TPoint& to, int distance) {
    TPoint result = to;
    if (from.X == to.X) {
        result.Y += from.Y > to.Y ? distance : -distance;
        return result;
    }
    const double angle = std::atan2(to.Y - from.Y, to.X - from.X);
    result.X = to.X - PlotRound(distance * std::cos(angle));
    result.Y = to.Y - PlotRound(distance * std::sin(angle));
    return result;
}

double PlotDistance(double x, double y) { return std::sqrt(x * x + y * y); }
