// The named colour palettes.
#include "ChartPalettes.h"

#include <vector>

#include "Chart.h"

namespace {

struct TNamedPalette {
    const char* name;
    std::vector<TColor> colors;
};

const std::vector<TNamedPalette>& NamedPalettes() {
    static const std::vector<TNamedPalette> palettes = {
        {"Excel",
         {RGB(153, 153, 255), RGB(153, 51, 102), RGB(255, 255, 204), RGB(204, 255, 255),
          RGB(102, 0, 102), RGB(255, 128, 128), RGB(0, 102, 204), RGB(204, 204, 255),
          RGB(0, 0, 128), RGB(255, 0, 255), RGB(255, 255, 0), RGB(0, 255, 255), RGB(128, 0, 128),
          RGB(128, 0, 0), RGB(0, 128, 128), RGB(0, 0, 255), RGB(0, 204, 255), RGB(204, 255, 255),
          RGB(204, 255, 204), RGB(255, 255, 0), RGB(153, 204, 255), RGB(255, 153, 204)}},
        {"Victorian",
         {RGB(93, 165, 161), RGB(196, 83, 49), RGB(231, 150, 9), RGB(246, 232, 74),
          RGB(177, 162, 167), RGB(201, 167, 132), RGB(140, 121, 81), RGB(216, 205, 183),
          RGB(8, 101, 83), RGB(247, 216, 123), RGB(1, 100, 132)}},
        {"Pastels",
         {RGB(204, 255, 255), RGB(255, 255, 204), RGB(204, 204, 255), RGB(0, 204, 204),
          RGB(204, 204, 204), RGB(0, 153, 153), RGB(153, 153, 153), RGB(255, 204, 204),
          RGB(255, 204, 102), RGB(204, 204, 255), RGB(255, 153, 153), RGB(255, 255, 153),
          RGB(153, 204, 255), RGB(204, 255, 204)}},
        {"Solid",
         {RGB(0, 0, 255), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 204, 0), RGB(64, 64, 64),
          RGB(255, 255, 0), RGB(255, 0, 192), RGB(255, 255, 255)}},
        {"Classic",
         {RGB(0, 0, 255), RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 0, 0), RGB(255, 0, 255),
          RGB(255, 255, 0), RGB(0, 0, 128), RGB(0, 128, 0), RGB(0, 128, 128), RGB(128, 0, 0),
          RGB(128, 0, 128), RGB(128, 128, 0)}},
        {"Web",
         {RGB(255, 165, 0), RGB(0, 0, 206), RGB(0, 206, 0), RGB(255, 255, 64), RGB(64, 255, 255),
          RGB(255, 64, 255), RGB(255, 64, 0), RGB(128, 128, 165), RGB(128, 128, 64)}},
        {"Modern",
         {RGB(255, 153, 102), RGB(255, 102, 102), RGB(153, 204, 255), RGB(102, 153, 102),
          RGB(204, 204, 153), RGB(153, 102, 204), RGB(204, 102, 102), RGB(255, 204, 153),
          RGB(153, 102, 255), RGB(204, 204, 204), RGB(102, 255, 204), RGB(102, 153, 255),
          RGB(153, 102, 153), RGB(204, 204, 255)}},
        {"Rainbow",
         {RGB(153, 0, 0),    RGB(195, 0, 0),    RGB(238, 0, 0),    RGB(255, 26, 0),
          RGB(255, 70, 0),   RGB(255, 115, 0),  RGB(255, 159, 0),  RGB(255, 203, 0),
          RGB(255, 247, 0),  RGB(227, 244, 8),  RGB(195, 231, 17), RGB(163, 218, 27),
          RGB(131, 205, 37), RGB(99, 192, 46),  RGB(66, 179, 56),  RGB(34, 166, 66),
          RGB(2, 154, 75),   RGB(12, 135, 106), RGB(26, 117, 138), RGB(40, 99, 170),
          RGB(54, 80, 203),  RGB(68, 62, 235),  RGB(97, 42, 255),  RGB(150, 21, 255),
          RGB(204, 0, 255)}},
        {"Win. XP",
         {RGB(130, 155, 254), RGB(252, 209, 36), RGB(124, 188, 13), RGB(253, 133, 47),
          RGB(253, 254, 252), RGB(226, 78, 33), RGB(41, 56, 214), RGB(183, 148, 0),
          RGB(90, 134, 0), RGB(210, 70, 0), RGB(211, 229, 250), RGB(216, 216, 216),
          RGB(95, 113, 123)}},
    };
    return palettes;
}

}  // namespace

TColorPalettes::TColorPalettes() {
    Add("Default");
    for (const TNamedPalette& palette : NamedPalettes()) Add(palette.name);
}

void TColorPalettes::ApplyPalette(TCustomChart* chart, int index) {
    const auto& palettes = NamedPalettes();
    if (index >= 1 && index <= static_cast<int>(palettes.size())) {
        const std::vector<TColor>& colors = palettes[index - 1].colors;
        ApplyPalette(chart, colors.data(), static_cast<int>(colors.size()) - 1);
    } else {
        ApplyPalette(chart, nullptr, -1);
    }
    chart->ColorPaletteIndex = index;
    chart->Invalidate();
}

void TColorPalettes::ApplyPalette(TCustomChart* chart, const TColor* colors, int highIndex) {
    chart->SeriesPalette.assign(colors, colors ? colors + highIndex + 1 : colors);
    chart->ColorPaletteChanged();
}

// Made when the program starts, freed when it ends.
TColorPalettes* ColorPalettes = nullptr;

namespace {
struct PalettesLifetime {
    PalettesLifetime() { ColorPalettes = new TColorPalettes; }
    ~PalettesLifetime() {
        delete ColorPalettes;
        ColorPalettes = nullptr;
    }
} palettesLifetime;
}  // namespace
