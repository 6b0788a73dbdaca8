// Binding of the visual-styles library "uxtheme.dll" at run time, by name, so that the program
// also starts where it is missing; a counted, locked load and unload.
#pragma once

#include <windows.h>

namespace UxTheme {

using HTHEME = HANDLE;

// The 47 entry points in binding order; a slot stays null while the library is not loaded or
// when the library lacks that function.
constexpr int EntryPointCount = 47;
extern const char* const EntryPointNames[EntryPointCount];
extern FARPROC EntryPoints[EntryPointCount];

// The entry points the controls use, typed.
using OpenThemeDataProc = HTHEME(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataProc = HRESULT(WINAPI*)(HTHEME);
using DrawThemeBackgroundProc = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*);
using DrawThemeTextProc = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD,
                                           const RECT*);
using GetThemeBackgroundContentRectProc = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*,
                                                           RECT*);
using DrawThemeEdgeProc = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*);
using DrawThemeIconProc = HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, HANDLE, int);
using IsThemeBackgroundPartiallyTransparentProc = BOOL(WINAPI*)(HTHEME, int, int);
using GetThemeColorProc = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
using GetThemeSysColorProc = COLORREF(WINAPI*)(HTHEME, int);
using BoolProc = BOOL(WINAPI*)();
using GetThemeAppPropertiesProc = DWORD(WINAPI*)();
using DrawThemeParentBackgroundProc = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

// The typed entry point named `index` in the binding order.
template <class Proc> Proc Entry(int index) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(EntryPoints[index]));
}
enum EntryIndex {
    eOpenThemeData = 0, eCloseThemeData = 1, eDrawThemeBackground = 2, eDrawThemeText = 3,
    eGetThemeBackgroundContentRect = 4, eDrawThemeEdge = 11, eDrawThemeIcon = 12,
    eIsThemeBackgroundPartiallyTransparent = 14, eGetThemeColor = 15, eGetThemeSysColor = 29,
    eIsThemeActive = 36, eIsAppThemed = 37, eGetThemeAppProperties = 41,
    eDrawThemeParentBackground = 45
};

}  // namespace UxTheme

// Counts one more user; loads and binds the library on the first. True when it is loaded.
bool InitThemeLibrary();
// Counts one user less; unloads the library and clears the entry points at the last.
void FreeThemeLibrary();
// The library is loaded, the application is themed and a theme is active.
bool UseThemes();
