#include "gif_colors.h"

#include <algorithm>
#include <cstdlib>

namespace {

int Clamp(int value) { return value < 0 ? 0 : value > 255 ? 255 : value; }

}  // namespace

TFastColorLookup::TFastColorLookup(const std::vector<TGIFColor>& palette)
    : PaletteCopy(palette.begin(), palette.begin() + (palette.size() > 256 ? 256 : palette.size())),
      InverseTable(32768, -1)
{
    ColorCount = static_cast<int>(PaletteCopy.size());
    for (int i = 0; i < ColorCount; ++i) {
        const TGIFColor& c = PaletteCopy[i];
        int16_t& cell = InverseTable[(c.Red >> 3) + (c.Green >> 3) * 32 + (c.Blue >> 3) * 1024];
        if (cell < 0)
            cell = static_cast<int16_t>(i);
    }
}

uint8_t TFastColorLookup::FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                    uint8_t& g, uint8_t& b)
{
    int16_t& cell = InverseTable[(red >> 3) + (green >> 3) * 32 + (blue >> 3) * 1024];
    if (cell < 0) {
        int best = 196608;
        cell = 0;
        for (int i = 0; i < ColorCount; ++i) {
            const TGIFColor& c = PaletteCopy[i];
            const int distance = std::abs(c.Red - red) + std::abs(c.Green - green) + std::abs(c.Blue - blue);
            if (distance < best) {
                best = distance;
                cell = static_cast<int16_t>(i);
            }
        }
    }
    const TGIFColor shown = ColorCount > 0 ? PaletteCopy[cell] : TGIFColor{0, 0, 0};
    r = shown.Red;
    g = shown.Green;
    b = shown.Blue;
    return static_cast<uint8_t>(cell);
}

uint8_t TNetscapeColorLookup::FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                        uint8_t& g, uint8_t& b)
{
    const int lr = (red + 3) / 51, lg = (green + 3) / 51, lb = (blue + 3) / 51;
    r = static_cast<uint8_t>(51 * lr);
    g = static_cast<uint8_t>(51 * lg);
    b = static_cast<uint8_t>(51 * lb);
    return static_cast<uint8_t>(lr * 36 + lg * 6 + lb);
}

uint8_t TGrayScaleLookup::FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                    uint8_t& g, uint8_t& b)
{
    const uint8_t grey = static_cast<uint8_t>((77 * red + 150 * green + 29 * blue) >> 8);
    r = g = b = grey;
    return grey;
}

uint8_t TMonochromeLookup::FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                     uint8_t& g, uint8_t& b)
{
    const bool white = 77 * red + 150 * green + 29 * blue > 32512;
    r = g = b = white ? 255 : 0;
    return white ? 1 : 0;
}

uint8_t TDitherEngine::DitherPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                   uint8_t& g, uint8_t& b)
{
    const uint8_t index = ColorSource->FindIndex(red, green, blue, r, g, b);
    WalkColumn += WalkDirection;
    return index;
}

void TDitherEngine::AdvanceRow()
{
    WalkDirection = -WalkDirection;
    WalkColumn = WalkDirection == 1 ? 0 : PixelWidth - 1;
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup* lookup)
    : TDitherEngine(width, lookup)
{
    for (std::vector<int>& errors : Errors)
        errors.assign(width + 2, 0);
}

uint8_t TFloydSteinbergDitherer::DitherPixel(uint8_t red, uint8_t green, uint8_t blue,
                                             uint8_t& r, uint8_t& g, uint8_t& b)
{
    const uint8_t wanted[3] = {red, green, blue};
    int v[3];
    for (int c = 0; c < 3; ++c)
        v[c] = Clamp(wanted[c] + (Errors[c][Position] + Carry[c] + 8) / 16);
    const uint8_t index = TDitherEngine::DitherPixel(static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]),
                                                     static_cast<uint8_t>(v[2]), r, g, b);
    const uint8_t shown[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        const int e = v[c] - shown[c];
        if (e == 0) {
            Carry[c] = 0;
            continue;
        }
        Errors[c][Position] = PendingBelow[c] + 3 * e;
        PendingBelow[c] = PendingFar[c] + 5 * e;
        PendingFar[c] = e;
        Carry[c] = 7 * e;
    }
    Position += WalkDirection;
    return index;
}

void TFloydSteinbergDitherer::SkipPixel()
{
    TDitherEngine::SkipPixel();
    Position += WalkDirection;
}

void TFloydSteinbergDitherer::AdvanceRow()
{
    for (int c = 0; c < 3; ++c) {
        if (Position >= 0 && Position < PixelWidth + 2)
            Errors[c][Position] = PendingBelow[c];
        Carry[c] = PendingBelow[c] = PendingFar[c] = 0;
    }
    TDitherEngine::AdvanceRow();
    Position = WalkDirection == 1 ? 0 : PixelWidth + 1;
}

TMatrixDitherer::TMatrixDitherer(int width, TColorLookup* lookup, int rows, int margin,
                                 int divisor, std::vector<Weight> weights)
    : TDitherEngine(width, lookup), Margin(margin), Divisor(divisor), Weights(std::move(weights))
{
    for (auto& channel : Rows)
        channel.assign(rows, std::vector<int>(width + 2 * margin, 0));
    Position = FirstCell();
}

uint8_t TMatrixDitherer::DitherPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r,
                                     uint8_t& g, uint8_t& b)
{
    const uint8_t wanted[3] = {red, green, blue};
    int v[3];
    for (int c = 0; c < 3; ++c)
        v[c] = Clamp(wanted[c] + (Rows[c][0][Position] + Divisor / 2) / Divisor);
    const uint8_t index = TDitherEngine::DitherPixel(static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]),
                                                     static_cast<uint8_t>(v[2]), r, g, b);
    const uint8_t shown[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        const int e = v[c] - shown[c];
        if (e == 0)
            continue;
        for (const Weight& w : Weights)
            Rows[c][w.Row][Position + w.Offset * WalkDirection] += w.Value * e;
    }
    Position += WalkDirection;
    return index;
}

void TMatrixDitherer::SkipPixel()
{
    TDitherEngine::SkipPixel();
    Position += WalkDirection;
}

void TMatrixDitherer::AdvanceRow()
{
    for (auto& channel : Rows) {
        std::fill(channel[0].begin(), channel[0].end(), 0);
        std::rotate(channel.begin(), channel.begin() + 1, channel.end());
    }
    TDitherEngine::AdvanceRow();
    Position = FirstCell();
}

TStuckiDitherer::TStuckiDitherer(int width, TColorLookup* lookup)
    : T5by3Ditherer(width, lookup, 3, 2, 42,
                    {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
                     {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1}})
{
}

TSierraDitherer::TSierraDitherer(int width, TColorLookup* lookup)
    : T5by3Ditherer(width, lookup, 3, 2, 32,
                    {{0, 1, 5}, {0, 2, 3}, {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},
                     {2, -1, 2}, {2, 0, 3}, {2, 1, 2}})
{
}

TJaJuNiDitherer::TJaJuNiDitherer(int width, TColorLookup* lookup)
    : T5by3Ditherer(width, lookup, 3, 2, 48,
                    {{0, 1, 7}, {0, 2, 5}, {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},
                     {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1}})
{
}

TSteveArcheDitherer::TSteveArcheDitherer(int width, TColorLookup* lookup)
    : TMatrixDitherer(width, lookup, 4, 3, 200,
                      {{0, 2, 32}, {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16}, {2, -2, 12},
                       {2, 0, 26}, {2, 2, 12}, {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5}})
{
}

TBurkesDitherer::TBurkesDitherer(int width, TColorLookup* lookup)
    : TMatrixDitherer(width, lookup, 2, 2, 32,
                      {{0, 1, 8}, {0, 2, 4}, {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2}})
{
}

std::unique_ptr<TDitherEngine> CreateDitherer(int mode, int width, TColorLookup* lookup)
{
    switch (mode) {
    case dmNearest: return std::make_unique<TDitherEngine>(width, lookup);
    case dmFloydSteinberg: return std::make_unique<TFloydSteinbergDitherer>(width, lookup);
    case dmStucki: return std::make_unique<TStuckiDitherer>(width, lookup);
    case dmSierra: return std::make_unique<TSierraDitherer>(width, lookup);
    case dmJaJuNI: return std::make_unique<TJaJuNiDitherer>(width, lookup);
    case dmSteveArche: return std::make_unique<TSteveArcheDitherer>(width, lookup);
    case dmBurkes: return std::make_unique<TBurkesDitherer>(width, lookup);
    default: return nullptr;
    }
}

void DitherRow(TDitherEngine& ditherer, const uint8_t* source, int bytesPerPixel, uint8_t* target)
{
    uint8_t r, g, b;
    while (ditherer.WalkColumn >= 0 && ditherer.WalkColumn < ditherer.Width()) {
        const int column = ditherer.WalkColumn;
        const uint8_t* pixel = source + column * bytesPerPixel;
        target[column] = ditherer.DitherPixel(pixel[2], pixel[1], pixel[0], r, g, b);
    }
    ditherer.AdvanceRow();
}

std::vector<TGIFColor> WebPaletteColors()
{
    std::vector<TGIFColor> colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.push_back(TGIFColor{static_cast<uint8_t>(51 * r), static_cast<uint8_t>(51 * g),
                                           static_cast<uint8_t>(51 * b)});
    return colors;
}
