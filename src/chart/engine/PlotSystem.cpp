#include "PlotSystem.h"

#include "Plotconst.h"
#include "cl_number.h"
#include "cl_sys.h"

namespace {

constexpr int LangJapanese = 0x11;

// Loaded once, on first use, and released at program end.
struct SystemEntries {
    SystemEntries() {
        if (IsWindowsNT()) {
            msimg32 = PlotLoadLibrary("msimg32.dll");
            if (msimg32)
                alphaBlend = reinterpret_cast<TPlotAlphaBlend>(
                    reinterpret_cast<void*>(GetProcAddress(msimg32, "AlphaBlend")));
        }
        gdi32 = PlotLoadLibrary("gdi32.dll");
        if (gdi32) {
            setDCBrushColor = reinterpret_cast<TPlotSetDCColor>(
                reinterpret_cast<void*>(GetProcAddress(gdi32, "SetDCBrushColor")));
            setDCPenColor = reinterpret_cast<TPlotSetDCColor>(
                reinterpret_cast<void*>(GetProcAddress(gdi32, "SetDCPenColor")));
        }
    }
    ~SystemEntries() {
        if (gdi32) PlotFreeLibrary(gdi32);
        if (msimg32) PlotFreeLibrary(msimg32);
    }
    HMODULE msimg32 = nullptr;
    HMODULE gdi32 = nullptr;
    TPlotAlphaBlend alphaBlend = nullptr;
    TPlotSetDCColor setDCBrushColor = nullptr;
    TPlotSetDCColor setDCPenColor = nullptr;
};

SystemEntries& Entries() {
    static SystemEntries entries;
    return entries;
}

struct DefaultFont {
    DefaultFont() {
        const bool japanese = PRIMARYLANGID(GetSystemDefaultLangID()) == LangJapanese;
        LOGFONTA system{};
        if (japanese) GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(system), &system);
        size = StrToIntDef(Plotconst::PlotMsg_DefaultFontSize, 8);
        if (size == 8 && japanese) {
            HDC screen = GetDC(nullptr);
            size = -MulDiv(system.lfHeight, 72, GetDeviceCaps(screen, LOGPIXELSY));
            ReleaseDC(nullptr, screen);
        }
        name = Plotconst::PlotMsg_DefaultFontName;
        if (name == "Arial" && japanese) name = system.lfFaceName;
    }
    AnsiString name;
    int size = 8;
};

const DefaultFont& TheDefaultFont() {
    static DefaultFont font;
    return font;
}

}  // namespace

TPlotSetDCColor PlotSetDCBrushColor() { return Entries().setDCBrushColor; }
TPlotSetDCColor PlotSetDCPenColor() { return Entries().setDCPenColor; }
TPlotAlphaBlend PlotAlphaBlend() { return Entries().alphaBlend; }

AnsiString GetDefaultFontName() { return TheDefaultFont().name; }
int GetDefaultFontSize() { return TheDefaultFont().size; }

HMODULE PlotLoadLibrary(const AnsiString& fileName) {
    const UINT oldMode = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    HMODULE module = static_cast<HMODULE>(SafeLoadLibrary(fileName));
    SetErrorMode(oldMode);
    return module;
}

void PlotFreeLibrary(HMODULE module) {
    const bool windows95 = Win32Platform == 1 && Win32MinorVersion == 0;
    if (module && !windows95) FreeLibrary(module);
}
