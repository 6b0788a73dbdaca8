// Small helpers the controls share: rectangles, strings, identifiers and component names,
// fonts, image lists, Windows versions, monitors and the centring of pop-up windows.
#pragma once

#include <windows.h>

#include "UiCommon.h"
#include "cl_graphics.h"

class TComponent;
class TControl;
class TCustomForm;
class TCustomImageList;
class TMonitor;

// The rectangle of that size centred in `rect` (Min and Max are the class library's).
TRect CenterRect(const TRect& rect, int width, int height);

// The last character; '\0' for an empty string.
char LastChar(const AnsiString& s);
int CountChar(char c, const AnsiString& s);
// From `start` up to and including the n-th `c` counted from there; s itself when shorter
// than start or when there are fewer than n.
AnsiString CopyEx(const AnsiString& s, int start, char c, int n);
// Deletes the first `c`; true when there was one.
bool RemoveChar(AnsiString& s, char c);
// Without accelerator marks: "&&" becomes "&", a trailing "&" stays.
AnsiString RemovePrefixChars(const AnsiString& s);
AnsiString ExpandEnvironmentVariables(const AnsiString& s);
AnsiString CreateValidIdent(const AnsiString& s, const AnsiString& fallback);
AnsiString GetNewComponentName(TComponent* owner, const AnsiString& base, bool tryBaseFirst);

// A new font handle (the caller deletes it) for `font` turned by `angle` degrees.
HFONT RotateFont(TFont* font, int angle);
bool IsTrueTypeFont(TFont* font);
int GetMinFontHeight(TFont* font);
int GetAvgCharWidth(TFont* font);

// Adds a glyph (and, for a strip with `withDisabled`, its disabled image); the indexes stay
// -1 when nothing was added.
void AddImageToImageList(TCustomImageList* images, TBitmap* glyph, bool withDisabled,
                         int& imageIndex, int& disabledIndex);
// Tells a form designer that the control changed; nothing at run time.
void UpdateObjectInspector(TControl* control);

bool RunningUnder(TUiWindowsVersion version);

TRect GetActiveWorkArea(HWND window);
int GetActiveWorkAreaWidth(HWND window);
int GetActiveWorkAreaHeight(HWND window);
TRect GetMonitorWorkArea(HMONITOR monitor);
TRect GetMonitorBoundsRect(HMONITOR monitor);
TMonitor* GetMonitorContainingPoint(TPoint point);
// The desktop less the taskbar.
TRect GetDesktopClientRect();

void CenterToWindow(TControl* control, HWND window, int& left, int& top);
void CenterToForm(TControl* control, TCustomForm* form, int& left, int& top);
void CenterToMDIChild(TControl* control, TCustomForm* child, int& left, int& top);
