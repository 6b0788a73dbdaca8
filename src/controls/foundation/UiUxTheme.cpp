#include "UiUxTheme.h"

namespace UxTheme {

const char* const EntryPointNames[EntryPointCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
    "GetThemeBackgroundContentRect", "GetThemeBackgroundExtent", "GetThemePartSize",
    "GetThemeTextExtent", "GetThemeTextMetrics", "GetThemeBackgroundRegion",
    "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString",
    "GetThemeBool", "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont",
    "GetThemeRect", "GetThemeMargins", "GetThemeIntList", "GetThemePropertyOrigin",
    "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor", "GetThemeSysColorBrush",
    "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme",
    "EnableThemeDialogTexture", "IsThemeDialogTextureEnabled", "GetThemeAppProperties",
    "SetThemeAppProperties", "GetCurrentThemeName", "GetThemeDocumentationProperty",
    "DrawThemeParentBackground", "EnableTheming"};

FARPROC EntryPoints[EntryPointCount] = {};

}  // namespace UxTheme

namespace {

HMODULE themeLibrary = nullptr;
int referenceCount = 0;

// The lock lives for the whole process, so that it exists before and after every user.
CRITICAL_SECTION& Lock() {
    static CRITICAL_SECTION lock = [] {
        CRITICAL_SECTION section;
        InitializeCriticalSection(&section);
        return section;
    }();
    return lock;
}

struct Locked {
    Locked() { EnterCriticalSection(&Lock()); }
    ~Locked() { LeaveCriticalSection(&Lock()); }
};

}  // namespace

bool InitThemeLibrary() {
    Locked locked;
    ++referenceCount;
    if (!themeLibrary) {
        themeLibrary = LoadLibraryA("uxtheme.dll");
        if (themeLibrary)
            for (int i = 0; i < UxTheme::EntryPointCount; ++i)
                UxTheme::EntryPoints[i] = GetProcAddress(themeLibrary, UxTheme::EntryPointNames[i]);
    }
    return themeLibrary != nullptr;
}

void FreeThemeLibrary() {
    Locked locked;
    if (referenceCount > 0) --referenceCount;
    if (!themeLibrary || referenceCount > 0) return;
    FreeLibrary(themeLibrary);
    themeLibrary = nullptr;
    for (FARPROC& entry : UxTheme::EntryPoints) entry = nullptr;
}

bool UseThemes() {
    using namespace UxTheme;
    if (!themeLibrary) return false;
    auto isAppThemed = Entry<BoolProc>(eIsAppThemed);
    auto isThemeActive = Entry<BoolProc>(eIsThemeActive);
    return isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
}
