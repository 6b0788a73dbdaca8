// The named colour palettes a chart can take for its series of automatic colour, and the base
// of chart themes.
#pragma once

#include "cl_lists.h"

class TCustomChart;

// The list of palette names; entry 0 is the engine's default palette.
class TColorPalettes : public TStringList {
    CL_CLASS(TColorPalettes, TStringList)

    TColorPalettes();
    // Entries 1 to 9 give the chart that palette, any other index the default one.
    static void ApplyPalette(TCustomChart* chart, int index);
    // colors[0 .. highIndex] become the chart's palette; highIndex -1 empties it.
    static void ApplyPalette(TCustomChart* chart, const TColor* colors, int highIndex);
};

extern TColorPalettes* ColorPalettes;

class TChartTheme : public TPersistent {
    CL_CLASS(TChartTheme, TPersistent)

    explicit TChartTheme(TCustomChart* chart) : Chart(chart) {}
    virtual void Apply() {}
    virtual AnsiString Description() { return "Default"; }

    TCustomChart* Chart;
};

using TChartThemeClass = TChartTheme* (*)(TCustomChart* chart);
