// Grid lines and ticks written straight into DIB pixels against the same lines drawn by GDI with
// the solid and dotted pens: every pixel equal across DIB formats, background modes, clips and
// origins; the devices and pens the direct path must leave to GDI; the chart canvas's use of it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "PlotDibLines.h"
#include "chart_test_support.h"

namespace {

constexpr int kWidth = 61, kHeight = 47;

struct DibFormat {
    int bits;
    bool topDown;
};

// A memory DC holding a DIB section filled with a pattern that differs from pixel to pixel.
class DibDevice {
public:
    explicit DibDevice(DibFormat format) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = format.topDown ? -kHeight : kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(format.bits);
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        BITMAP bm{};
        GetObject(bitmap_, sizeof(bm), &bm);
        size_ = static_cast<size_t>(bm.bmWidthBytes) * kHeight;
        auto* bytes = static_cast<unsigned char*>(bits_);
        for (size_t i = 0; i < size_; ++i) bytes[i] = static_cast<unsigned char>(i * 37 + i / 7);
    }
    ~DibDevice() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DibDevice(const DibDevice&) = delete;
    DibDevice& operator=(const DibDevice&) = delete;

    HDC dc() const { return dc_; }
    bool SamePixels(const DibDevice& other) const {
        GdiFlush();
        return size_ == other.size_ && std::memcmp(bits_, other.bits_, size_) == 0;
    }

private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
    size_t size_ = 0;
};

struct Line {
    bool vertical;
    int across, from, to;
};

// Lines of many lengths and phases, both directions, partly or wholly outside the bitmap.
std::vector<Line> TestLines() {
    std::vector<Line> lines;
    const int lengths[] = {0, 1, 2, 3, 4, 5, 6, 7, 11, 13, 40, 90};
    int k = 0;
    for (int length : lengths) {
        for (int direction : {1, -1}) {
            const int start = (k * 7) % 50 - 8;
            lines.push_back({false, (k * 5) % (kHeight + 6) - 3, start, start + direction * length});
            lines.push_back({true, (k * 3) % (kWidth + 6) - 3, start, start + direction * length});
            ++k;
        }
    }
    lines.push_back({false, 10, -200, 300});
    lines.push_back({true, kWidth - 1, 300, -200});
    return lines;
}

struct DeviceState {
    const char* name;
    int backMode;
    std::function<HRGN()> clip;  // null: no clip region
    POINT viewportOrigin;
    int penWidth;
};

void Prepare(HDC dc, const DeviceState& state, HPEN pen) {
    SelectObject(dc, pen);
    SetBkMode(dc, state.backMode);
    SetBkColor(dc, RGB(10, 200, 30));
    SetViewportOrgEx(dc, state.viewportOrigin.x, state.viewportOrigin.y, nullptr);
    if (state.clip) {
        HRGN region = state.clip();
        SelectClipRgn(dc, region);
        DeleteObject(region);
    }
}

HRGN TwoBands() {
    HRGN region = CreateRectRgn(3, 2, 20, 30);
    HRGN other = CreateRectRgn(25, 10, 58, 44);
    CombineRgn(region, region, other, RGN_OR);
    DeleteObject(other);
    return region;
}

TEST(ChartDibLines, WritesThePixelsGdiDrawsWithTheSolidAndDottedPens) {
    const DibFormat formats[] = {{24, false}, {24, true}, {32, false}, {32, true}};
    const DeviceState states[] = {
        {"transparent", TRANSPARENT, nullptr, {0, 0}, 0},
        {"opaque gaps", OPAQUE, nullptr, {0, 0}, 1},
        {"rectangle clip", TRANSPARENT, [] { return CreateRectRgn(5, 4, 50, 40); }, {0, 0}, 0},
        {"clip of two bands, opaque", OPAQUE, TwoBands, {0, 0}, 0},
        {"elliptic clip", TRANSPARENT, [] { return CreateEllipticRgn(-10, 3, 55, 52); }, {0, 0}, 1},
        {"shifted origin, clipped", OPAQUE, [] { return CreateRectRgn(8, 0, 61, 30); }, {7, -5}, 0},
    };
    for (const int style : {PS_SOLID, PS_DOT})
    for (const DibFormat& format : formats) {
        for (const DeviceState& state : states) {
            SCOPED_TRACE(std::string(state.name) + ", " + std::to_string(format.bits) + " bits" +
                         (format.topDown ? ", top-down" : ", bottom-up") +
                         (style == PS_DOT ? ", dotted" : ", solid"));
            HPEN pen = CreatePen(style, state.penWidth, RGB(200, 100, 50));
            DibDevice byGdi(format), direct(format);
            Prepare(byGdi.dc(), state, pen);
            Prepare(direct.dc(), state, pen);
            TPlotDibLines lines(direct.dc());
            ASSERT_TRUE(lines.Ready());
            for (const Line& line : TestLines()) {
                if (line.vertical) {
                    MoveToEx(byGdi.dc(), line.across, line.from, nullptr);
                    LineTo(byGdi.dc(), line.across, line.to);
                    lines.VertLine(line.across, line.from, line.to);
                } else {
                    MoveToEx(byGdi.dc(), line.from, line.across, nullptr);
                    LineTo(byGdi.dc(), line.to, line.across);
                    lines.HorizLine(line.from, line.to, line.across);
                }
            }
            EXPECT_TRUE(direct.SamePixels(byGdi));
            SelectObject(byGdi.dc(), GetStockObject(BLACK_PEN));
            SelectObject(direct.dc(), GetStockObject(BLACK_PEN));
            DeleteObject(pen);
        }
    }
}

TEST(ChartDibLines, LeavesOtherDevicesPensAndModesToGdi) {
    HPEN dotted = CreatePen(PS_DOT, 0, RGB(1, 2, 3));
    const struct {
        const char* name;
        std::function<void(HDC)> change;
    } cases[] = {
        {"dashed pen", [](HDC dc) { SelectObject(dc, CreatePen(PS_DASH, 0, 0)); }},
        {"wide solid pen", [](HDC dc) { SelectObject(dc, CreatePen(PS_SOLID, 2, 0)); }},
        {"xor mode", [](HDC dc) { SetROP2(dc, R2_XORPEN); }},
        {"scaled mapping",
         [](HDC dc) {
             SetMapMode(dc, MM_ANISOTROPIC);
             SetWindowExtEx(dc, 10, 10, nullptr);
             SetViewportExtEx(dc, 20, 20, nullptr);
         }},
        {"world transform",
         [](HDC dc) {
             SetGraphicsMode(dc, GM_ADVANCED);
             const XFORM shift{1, 0, 0, 1, 3, 0};
             SetWorldTransform(dc, &shift);
         }},
        {"palette-relative pen colour",
         [](HDC dc) { SelectObject(dc, CreatePen(PS_DOT, 0, PALETTERGB(1, 2, 3))); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DibDevice device({24, false});
        SelectObject(device.dc(), dotted);
        c.change(device.dc());
        EXPECT_FALSE(TPlotDibLines(device.dc()).Ready());
        const HGDIOBJ used = SelectObject(device.dc(), GetStockObject(BLACK_PEN));
        if (used != dotted) DeleteObject(used);
    }
    DibDevice sixteenBits({16, false});
    SelectObject(sixteenBits.dc(), dotted);
    EXPECT_FALSE(TPlotDibLines(sixteenBits.dc()).Ready());
    SelectObject(sixteenBits.dc(), GetStockObject(BLACK_PEN));

    // A recorded page (the PDF export records enhanced metafiles) keeps its line records.
    HDC metafile = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    SelectObject(metafile, dotted);
    EXPECT_FALSE(TPlotDibLines(metafile).Ready());
    DeleteEnhMetaFile(CloseEnhMetaFile(metafile));

    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, dotted);
    EXPECT_FALSE(TPlotDibLines(screen).Ready());
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(dotted);
}

TEST(ChartDibLines, TheCanvasWritesFlatLinesDirectlyBetweenBeginAndEnd) {
    BitmapCanvas target(40, 20);
    TPlotCanvas3D& canvas = *target.canvas;
    canvas.Pen()->SetStyle(psDot);
    canvas.Pen()->SetColor(clBlue);
    canvas.SetBackMode(cbmTransparent);
    canvas.BeginDirectLines();
    // A solid pen put in behind the canvas's back: only GDI's lines would show it.
    HDC dc = canvas.Handle();
    HPEN solid = CreatePen(PS_SOLID, 0, RGB(255, 0, 0));
    HGDIOBJ dotted = SelectObject(dc, solid);
    canvas.DoHorizLine(2, 30, 5);
    canvas.DoVertLine(35, 1, 19);
    canvas.EndDirectLines();
    POINT position{};
    GetCurrentPositionEx(dc, &position);
    EXPECT_EQ(position.x, 35);
    EXPECT_EQ(position.y, 19);
    canvas.DoHorizLine(2, 30, 10);
    SelectObject(dc, dotted);
    DeleteObject(solid);
    for (int x = 2; x < 30; ++x) {
        EXPECT_EQ(target.At(x, 5), (x - 2) % 6 < 3 ? clBlue : clWhite) << x;
        EXPECT_EQ(target.At(x, 10), clRed) << x;
    }
    EXPECT_EQ(target.At(35, 1), clBlue);
    EXPECT_EQ(target.At(35, 4), clWhite);
}

}  // namespace
