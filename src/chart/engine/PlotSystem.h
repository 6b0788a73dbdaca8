// The chart canvas unit's link to the system: optional GDI entry points loaded at run time
// (AlphaBlend, SetDCBrushColor, SetDCPenColor), the default chart font and library loading.
#pragma once

#include <windows.h>

#include "cl_string.h"

using TPlotSetDCColor = COLORREF(WINAPI*)(HDC dc, COLORREF color);
using TPlotAlphaBlend = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                      BLENDFUNCTION);

// Null when the system lacks them; callers then use their fallbacks.
TPlotSetDCColor PlotSetDCBrushColor();
TPlotSetDCColor PlotSetDCPenColor();
TPlotAlphaBlend PlotAlphaBlend();

// The default chart font, from the texts PlotMsg_DefaultFontName and PlotMsg_DefaultFontSize
// (on Japanese systems the system's default font instead of "Arial" 8).
AnsiString GetDefaultFontName();
int GetDefaultFontSize();

// Loads a library without the system's open-file error boxes.
HMODULE PlotLoadLibrary(const AnsiString& fileName);
// Unloads it, except on Windows 95, where libraries stay loaded.
void PlotFreeLibrary(HMODULE module);
