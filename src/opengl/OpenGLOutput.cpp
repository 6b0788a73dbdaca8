#include "OpenGLOutput.h"

#include <algorithm>

namespace {

// 0.18 inch as the double nearest to it, which lies just below 0.18: multiplied exactly (in
// extended precision), 300 dpi gives 53 dots, not 54.
constexpr double MarginInches = 0.18;

int MarginDots(int pixelsPerInch) {
    return static_cast<int>(static_cast<long double>(MarginInches) * pixelsPerInch);
}

// The picture enlarged by the largest whole factor that fits the area in both directions, or
// shrunk to fit it when even the picture itself is too big.
TSize FitToArea(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    const int factor = std::min(areaWidth / pictureWidth, areaHeight / pictureHeight);
    if (factor >= 1) return {factor * pictureWidth, factor * pictureHeight};
    const double shrink = std::min(static_cast<double>(areaWidth) / pictureWidth,
                                   static_cast<double>(areaHeight) / pictureHeight);
    if (shrink <= 0) return {0, 0};
    return {static_cast<int>(pictureWidth * shrink), static_cast<int>(pictureHeight * shrink)};
}

int RoundUpToEight(int value) { return value % 8 == 0 ? value : (value / 8 + 1) * 8; }

}  // namespace

TRect PrintPlacement(int pictureWidth, int pictureHeight, const TPrintArea& area,
                     TOpenGLPrintScale scale, int pixelsPerInch) {
    const int left = MarginDots(area.PixelsPerInchX);
    const int top = MarginDots(area.PixelsPerInchY);
    int right = pictureWidth + left;
    int bottom = pictureHeight + top;
    if (scale == pglPrintToFit && pictureWidth > 0 && pictureHeight > 0) {
        const TSize size = FitToArea(pictureWidth, pictureHeight, area.Width - 2 * left,
                                     area.Height - 2 * top);
        right = left + size.cx;
        bottom = top + size.cy;
    } else if (scale == pglProportional) {
        if (pixelsPerInch < 1) pixelsPerInch = 96;
        right = static_cast<int>(static_cast<double>(pictureWidth) / pixelsPerInch *
                                 area.PixelsPerInchX) + left;
        bottom = static_cast<int>(static_cast<double>(pictureHeight) / pixelsPerInch *
                                  area.PixelsPerInchY) + top;
    }
    return {left, top, right, bottom};
}

TSize OffscreenTargetSize(int width, int resolution, int panelWidth, int panelHeight) {
    const int divisor = resolution == 2 ? 4 : resolution == 1 ? 2 : 1;
    const int targetWidth = width / divisor;
    const int targetHeight =
        panelWidth > 0 ? static_cast<int>(static_cast<double>(panelHeight) / panelWidth *
                                          targetWidth)
                       : 0;
    return {RoundUpToEight(targetWidth), RoundUpToEight(targetHeight)};
}
