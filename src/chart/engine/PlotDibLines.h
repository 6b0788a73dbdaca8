// Grid lines and ticks written straight into the pixels of a DIB section: the pixels GDI's
// cosmetic solid or dotted pen gives a horizontal or vertical line, without a GDI call a line.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class TPlotDibLines {
public:
    // Reads the device once. Ready only on a memory DC holding a 24- or 32-bit RGB DIB section,
    // mapping by a shift alone, with a cosmetic PS_SOLID or PS_DOT pen (width 0 or 1) in the
    // copy-pen mode, and where the system's GDI draws that pen in these pixels; the pen, clip
    // region and background must stay as they are while lines are drawn.
    explicit TPlotDibLines(HDC dc);
    bool Ready() const { return bits_ != nullptr; }

    // The line from (x0, y) to (x1, y) without its end point, as MoveToEx and LineTo draw it,
    // inside the clip region; dotted: dashes of three pixels from the start point, the gaps in
    // the background colour when the background mode is opaque.
    void HorizLine(int x0, int x1, int y);
    void VertLine(int x, int y0, int y1);

private:
    // Pixel k of a line, counted from its start point, is a dash pixel when
    // k % dashCycle_ < dashLength_: every pixel of a solid line.
    // Draws pixels start + k * step (k from 0 to length - 1) of the row or column at `across`
    // (device units) inside the clip.
    void DrawRun(bool vertical, int across, int start, int step, int length);
    uint8_t* PixelAt(int x, int y) const;
    void PutPixel(uint8_t* pixel, uint32_t color) const;
    bool ReadClip(HDC dc, int width, int height);
    bool FindRowOrder(HDC dc, uint8_t* bits, int rowBytes, int height, bool& topDown) const;

    uint8_t* bits_ = nullptr;
    int stride_ = 0;            // bytes from one row to the next in memory (negative: bottom-up)
    int bytesPerPixel_ = 0;
    POINT origin_{};            // device point of the logical origin
    uint32_t penColor_ = 0;     // as stored in the DIB
    uint32_t gapColor_ = 0;
    bool opaqueGaps_ = false;
    int dashLength_ = 1, dashCycle_ = 1;
    std::vector<RECT> clip_;    // device rectangles the pixels may go to
};
