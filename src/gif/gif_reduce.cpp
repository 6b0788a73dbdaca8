#include "gif_reduce.h"

#include <memory>

#include "gif_colors.h"
#include "gif_error.h"
#include "gif_quantize.h"

namespace {

std::vector<TGIFColor> Greys(std::initializer_list<int> levels)
{
    std::vector<TGIFColor> colors;
    for (int level : levels)
        colors.push_back(TGIFColor{static_cast<uint8_t>(level), static_cast<uint8_t>(level),
                                   static_cast<uint8_t>(level)});
    return colors;
}

std::vector<TGIFColor> SystemColors()
{
    return PaletteColors(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
}

HPALETTE PaletteFromQuantizer(const TColorQuantizer& quantizer, int colours, bool withSystemColors)
{
    std::vector<TGIFColor> found = quantizer.Colors();
    if (!withSystemColors) {
        found.resize(colours, TGIFColor{0, 0, 0});
        return CreateColorPalette(found, 0);
    }
    std::vector<TGIFColor> system = SystemColors();
    system.resize(20, TGIFColor{0, 0, 0});
    std::vector<TGIFColor> colors(system.begin(), system.begin() + 10);
    found.resize(236, TGIFColor{0, 0, 0});
    colors.insert(colors.end(), found.begin(), found.end());
    colors.insert(colors.end(), system.begin() + 10, system.end());
    return CreateColorPalette(colors, 0);
}

void AddBitmap(TColorQuantizer& quantizer, TBitmap* bitmap)
{
    TDIBReader reader(bitmap, pf24bit);
    for (int y = 0; y < bitmap->Height(); ++y)
        quantizer.AddRow(static_cast<const uint8_t*>(reader.RowPointer(y)), bitmap->Width(), 3);
}

}  // namespace

HPALETTE WebPalette() { return CreateColorPalette(WebPaletteColors(), 0); }

HPALETTE GreyRampPalette()
{
    std::vector<TGIFColor> colors;
    for (int i = 0; i < 256; ++i)
        colors.push_back(TGIFColor{static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)});
    return CreateColorPalette(colors, PC_NOCOLLAPSE);
}

HPALETTE BlackWhitePalette() { return CreateColorPalette(Greys({0, 255}), PC_NOCOLLAPSE); }

HPALETTE FourGreyPalette() { return CreateColorPalette(Greys({0, 128, 192, 255}), PC_NOCOLLAPSE); }

HPALETTE HalftonePalette()
{
    HDC dc = RequireGDIHandle(GetDC(nullptr));
    HPALETTE palette = CreateHalftonePalette(dc);
    ReleaseDC(nullptr, dc);
    return RequireGDIHandle(palette);
}

HPALETTE OptimizedPaletteForReader(TDIBReader* reader, int width, int height, int colours,
                                   int depth, bool withSystemColors)
{
    TColorQuantizer quantizer(withSystemColors ? 236 : colours, depth);
    for (int y = 0; y < height; ++y)
        quantizer.AddRow(static_cast<const uint8_t*>(reader->RowPointer(y)), width, 3);
    return PaletteFromQuantizer(quantizer, colours, withSystemColors);
}

HPALETTE OptimizedPaletteForBitmap(TBitmap* bitmap, int colours, int depth, bool withSystemColors)
{
    TColorQuantizer quantizer(withSystemColors ? 236 : colours, depth);
    AddBitmap(quantizer, bitmap);
    return PaletteFromQuantizer(quantizer, colours, withSystemColors);
}

HPALETTE CreateOptimizedPaletteFromManyBitmaps(TList* bitmaps, int colours, int depth,
                                               bool withSystemColors)
{
    if (!bitmaps || bitmaps->Count() == 0)
        RaiseGIFError("Invalid bitmap list");
    TColorQuantizer quantizer(withSystemColors ? 236 : colours, depth);
    for (int i = 0; i < bitmaps->Count(); ++i)
        AddBitmap(quantizer, static_cast<TBitmap*>(bitmaps->Items(i)));
    return PaletteFromQuantizer(quantizer, colours, withSystemColors);
}

namespace {

struct TReduction {
    HPALETTE Palette = nullptr;
    std::unique_ptr<TColorLookup> Lookup;
    ~TReduction()
    {
        if (Palette)
            DeleteObject(Palette);
    }
};

// The palette and lookup of a method; false for a method outside the enumeration.
bool ChooseReduction(TReduction& r, TBitmap* bitmap, TDIBReader& reader, TColorReduction reduction,
                     int bits, HPALETTE customPalette)
{
    switch (reduction) {
    case rmWindows20: {
        r.Palette = CreateColorPalette(SystemColors(), 0);
        break;
    }
    case rmWindows256: r.Palette = HalftonePalette(); break;
    case rmWindowsGray: r.Palette = FourGreyPalette(); break;
    case rmMonochrome:
        r.Palette = BlackWhitePalette();
        r.Lookup = std::make_unique<TMonochromeLookup>();
        return true;
    case rmGrayScale:
        r.Palette = GreyRampPalette();
        r.Lookup = std::make_unique<TGrayScaleLookup>();
        return true;
    case rmNetscape:
        r.Palette = WebPalette();
        r.Lookup = std::make_unique<TNetscapeColorLookup>();
        return true;
    case rmQuantize:
        if (bits < 1 || bits > 8)
            RaiseGIFError("Invalid Bits Per Pixel value");
        r.Palette = OptimizedPaletteForReader(&reader, bitmap->Width(), bitmap->Height(), 1 << bits, 8, false);
        break;
    case rmQuantizeWindows: r.Palette = OptimizedPaletteForBitmap(bitmap, 256, 8, true); break;
    case rmPalette: {
        if (!customPalette)
            return false;
        r.Palette = CreateColorPalette(PaletteColors(customPalette), 0);
        break;
    }
    default: return false;
    }
    r.Lookup = std::make_unique<TFastColorLookup>(PaletteColors(r.Palette));
    return true;
}

}  // namespace

TBitmap* ReduceColors(TBitmap* bitmap, TColorReduction reduction, TDitherMode dither,
                      int reductionBits, HPALETTE customPalette)
{
    TOwnedPtr<TBitmap> result(new TBitmap);
    if (reduction == rmNone) {
        result->Assign(bitmap);
        result->SetPixelFormat(pf24bit);
        return result.release();
    }
    const int width = bitmap->Width(), height = bitmap->Height();
    if (static_cast<int64_t>(width) * height > 500000)
        result->SetPixelFormat(pf1bit);
    TDIBReader reader(bitmap, pf24bit);
    TReduction chosen;
    if (!ChooseReduction(chosen, bitmap, reader, reduction, reductionBits, customPalette) ||
        chosen.Lookup->ColorCount == 0)
        return result.release();
    std::unique_ptr<TDitherEngine> ditherer = CreateDitherer(dither, width, chosen.Lookup.get());
    if (!ditherer || width <= 0 || height <= 0)
        return result.release();
    TDIBWriter writer(result.get(), pf8bit, width, height, chosen.Palette);
    for (int y = 0; y < height; ++y)
        DitherRow(*ditherer, static_cast<const uint8_t*>(reader.RowPointer(y)), 3,
                  static_cast<uint8_t*>(writer.RowPointer(y)));
    writer.StoreIntoBitmap();
    return result.release();
}
