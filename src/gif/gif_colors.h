// Colour lookups (a colour to a palette index and the colour that index shows) and the
// ditherers that walk a picture's rows and spread each pixel's error over its neighbours.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gif_types.h"

class TColorLookup {
public:
    virtual ~TColorLookup() = default;
    // The index for (red, green, blue); r, g, b receive the colour that index shows.
    virtual uint8_t FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                              uint8_t& b) = 0;
    int ColorCount = 0;
};

// Any palette: the first colour of each 15-bit cell pays for a search (summed channel
// distance, ties to the lower index); later colours of the cell reuse its answer.
class TFastColorLookup : public TColorLookup {
public:
    explicit TFastColorLookup(const std::vector<TGIFColor>& palette);
    uint8_t FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                      uint8_t& b) override;

private:
    std::vector<TGIFColor> PaletteCopy;
    std::vector<int16_t> InverseTable;
};

// The 216-colour cube of WebPalette: entry r * 36 + g * 6 + b is (51 r, 51 g, 51 b).
class TNetscapeColorLookup : public TColorLookup {
public:
    TNetscapeColorLookup() { ColorCount = 216; }
    uint8_t FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                      uint8_t& b) override;
};

// A 256-entry grey ramp.
class TGrayScaleLookup : public TColorLookup {
public:
    TGrayScaleLookup() { ColorCount = 256; }
    uint8_t FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                      uint8_t& b) override;
};

// Black (0) and white (1).
class TMonochromeLookup : public TColorLookup {
public:
    TMonochromeLookup() { ColorCount = 2; }
    uint8_t FindIndex(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                      uint8_t& b) override;
};

// The plain walk (dmNearest): rows in alternating directions, no error spread.
class TDitherEngine {
public:
    TDitherEngine(int width, TColorLookup* lookup) : ColorSource(lookup), PixelWidth(width) {}
    virtual ~TDitherEngine() = default;
    virtual uint8_t DitherPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                                uint8_t& b);
    virtual void AdvanceRow();
    // Moves past a pixel that is not dithered (a transparent one); no error is spread.
    virtual void SkipPixel() { WalkColumn += WalkDirection; }
    int Width() const { return PixelWidth; }

    int WalkDirection = 1;
    int WalkColumn = 0;

protected:
    TColorLookup* ColorSource;
    int PixelWidth;
};

class TFloydSteinbergDitherer : public TDitherEngine {
public:
    TFloydSteinbergDitherer(int width, TColorLookup* lookup);
    uint8_t DitherPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                        uint8_t& b) override;
    void AdvanceRow() override;
    void SkipPixel() override;

private:
    std::vector<int> Errors[3];
    int Position = 0;
    int Carry[3] = {};
    int PendingBelow[3] = {};
    int PendingFar[3] = {};
};

// Error spreading over a fixed matrix of weights on the current and following rows.
class TMatrixDitherer : public TDitherEngine {
public:
    struct Weight {
        int Row;
        int Offset;
        int Value;
    };
    TMatrixDitherer(int width, TColorLookup* lookup, int rows, int margin, int divisor,
                    std::vector<Weight> weights);
    uint8_t DitherPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t& r, uint8_t& g,
                        uint8_t& b) override;
    void AdvanceRow() override;
    void SkipPixel() override;

private:
    int FirstCell() const { return WalkDirection > 0 ? Margin : PixelWidth + Margin - 1; }

    int Margin;
    int Divisor;
    std::vector<Weight> Weights;
    std::vector<std::vector<int>> Rows[3];
    int Position;
};

class T5by3Ditherer : public TMatrixDitherer {
public:
    using TMatrixDitherer::TMatrixDitherer;
};
class TStuckiDitherer : public T5by3Ditherer {
public:
    TStuckiDitherer(int width, TColorLookup* lookup);
};
class TSierraDitherer : public T5by3Ditherer {
public:
    TSierraDitherer(int width, TColorLookup* lookup);
};
class TJaJuNiDitherer : public T5by3Ditherer {
public:
    TJaJuNiDitherer(int width, TColorLookup* lookup);
};
class TSteveArcheDitherer : public TMatrixDitherer {
public:
    TSteveArcheDitherer(int width, TColorLookup* lookup);
};
class TBurkesDitherer : public TMatrixDitherer {
public:
    TBurkesDitherer(int width, TColorLookup* lookup);
};

// The ditherer of a mode; null for a value outside TDitherMode.
std::unique_ptr<TDitherEngine> CreateDitherer(int mode, int width, TColorLookup* lookup);
// One row through the driving protocol: source pixels as blue, green, red bytes
// (bytesPerPixel apart), indexes into target; then AdvanceRow.
void DitherRow(TDitherEngine& ditherer, const uint8_t* source, int bytesPerPixel,
               uint8_t* target);

// The web palette's 216 colours in index order.
std::vector<TGIFColor> WebPaletteColors();
