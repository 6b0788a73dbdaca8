#include "UiUtils.h"

#include <cctype>
#include <cmath>
#include <vector>

#include "cl_controls.h"
#include "cl_forms.h"
#include "cl_imagelist.h"
#include "cl_sys.h"

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool IsValidIdent(const AnsiString& s) {
    if (s.IsEmpty() || !IsIdentStart(s[1])) return false;
    for (int i = 2; i <= s.Length(); ++i)
        if (!IsIdentChar(s[i])) return false;
    return true;
}

// Places a box of the control's size centred on `reference`, kept inside `limit`.
void CenterIn(TControl* control, const TRect& reference, const TRect& limit, int& left, int& top) {
    left = reference.Left + (reference.Width() - control->Width()) / 2;
    if (left < 0) left = 0;
    if (left + control->Width() > limit.Right) left = limit.Right - control->Width();
    top = reference.Top + (reference.Height() - control->Height()) / 2;
    if (top < 0) top = 0;
    if (top + control->Height() > limit.Bottom) top = limit.Bottom - control->Height();
}

}  // namespace

TRect CenterRect(const TRect& rect, int width, int height) {
    const int left = (rect.Left + rect.Right - width) / 2;
    const int top = (rect.Top + rect.Bottom - height) / 2;
    return TRect(left, top, left + width, top + height);
}

char LastChar(const AnsiString& s) { return s.IsEmpty() ? '\0' : s[s.Length()]; }

int CountChar(char c, const AnsiString& s) {
    int count = 0;
    for (int i = 1; i <= s.Length(); ++i) count += s[i] == c;
    return count;
}

AnsiString CopyEx(const AnsiString& s, int start, char c, int n) {
    if (s.Length() < start) return s;
    int count = 0;
    for (int p = start; p <= s.Length(); ++p) {
        if (s[p] == c) ++count;
        if (count == n) return s.SubString(start, p - start + 1);
    }
    return s;
}

bool RemoveChar(AnsiString& s, char c) {
    const int at = s.Pos(AnsiString(c));
    if (at == 0) return false;
    s = s.SubString(1, at - 1) + s.SubString(at + 1, s.Length());
    return true;
}

AnsiString RemovePrefixChars(const AnsiString& s) {
    AnsiString result;
    const int n = s.Length();
    for (int i = 1; i < n; ++i)
        if (s[i] != '&' || s[i + 1] == '&') result += s[i];
    if (n > 0) result += s[n];
    return result;
}

AnsiString ExpandEnvironmentVariables(const AnsiString& s) {
    const DWORD size = ExpandEnvironmentStringsA(s.c_str(), nullptr, 0);
    if (size == 0) return s;
    std::vector<char> buffer(size + 1);
    if (ExpandEnvironmentStringsA(s.c_str(), buffer.data(), size + 1) == 0) return s;
    return AnsiString(buffer.data());
}

AnsiString CreateValidIdent(const AnsiString& s, const AnsiString& fallback) {
    if (IsValidIdent(s)) return s;
    if (s.IsEmpty()) return fallback;
    AnsiString result;
    if (IsIdentStart(s[1])) result += s[1];
    for (int i = 2; i <= s.Length(); ++i)
        if (IsIdentChar(s[i])) result += s[i];
    if (!result.IsEmpty() && !IsIdentStart(result[1])) {
        int first = 1;
        while (first <= result.Length() && !IsIdentStart(result[first])) ++first;
        result = result.SubString(first, result.Length());
    }
    return result.IsEmpty() ? fallback : result;
}

AnsiString GetNewComponentName(TComponent* owner, const AnsiString& base, bool tryBaseFirst) {
    auto taken = [owner](const AnsiString& name) {
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (SameText(owner->Components(i)->Name(), name)) return true;
        return false;
    };
    if (tryBaseFirst && !taken(base)) return base;
    for (int n = 1;; ++n)
        if (!taken(base + IntToStr(n))) return base + IntToStr(n);
}

HFONT RotateFont(TFont* font, int angle) {
    LOGFONTA lf = {};
    lf.lfHeight = font->Height();
    lf.lfEscapement = angle * 10;
    const TFontStyles& style = font->Style();
    lf.lfWeight = style.count(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.count(fsItalic) != 0;
    lf.lfUnderline = style.count(fsUnderline) != 0;
    lf.lfStrikeOut = style.count(fsStrikeOut) != 0;
    lf.lfCharSet = font->Charset();
    lf.lfPitchAndFamily = font->Pitch() == fpVariable ? VARIABLE_PITCH
                          : font->Pitch() == fpFixed  ? FIXED_PITCH
                                                      : DEFAULT_PITCH;
    lstrcpynA(lf.lfFaceName, font->Name().c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

namespace {

TEXTMETRICA ScreenMetrics(TFont* font) {
    ScreenDC dc;
    SelectedObject selected(dc, font->Handle());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    return metrics;
}

}  // namespace

bool IsTrueTypeFont(TFont* font) {
    return (ScreenMetrics(font).tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

int GetMinFontHeight(TFont* font) { return ScreenMetrics(font).tmHeight + 2; }

int GetAvgCharWidth(TFont* font) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ScreenDC dc;
    SelectedObject selected(dc, font->Handle());
    SIZE size = {};
    GetTextExtentPoint32A(dc, alphabet, 52, &size);
    return static_cast<int>(std::lround(size.cx / 52.0));
}

void AddImageToImageList(TCustomImageList* images, TBitmap* glyph, bool withDisabled,
                         int& imageIndex, int& disabledIndex) {
    imageIndex = disabledIndex = -1;
    if (!images || !glyph || glyph->Empty()) return;
    // The mask colour is the pixel at (0, 15), read inside the bitmap.
    auto maskColor = [](TBitmap* bitmap) {
        return bitmap->Canvas()->Pixels(0, std::min(15, bitmap->Height() - 1));
    };
    if (glyph->Width() == glyph->Height()) {
        images->AddMasked(glyph, maskColor(glyph));
        imageIndex = images->Count() - 1;
    } else if (withDisabled) {
        images->AddMasked(glyph, maskColor(glyph));
        imageIndex = images->Count() - 2;
        disabledIndex = images->Count() - 1;
    } else {
        TBitmap part;
        part.SetSize(images->Width(), images->Height());
        part.Canvas()->CopyRect(TRect(0, 0, images->Width(), images->Height()), glyph->Canvas(),
                                TRect(0, 0, images->Width(), images->Height()));
        images->AddMasked(&part, maskColor(&part));
        imageIndex = images->Count() - 1;
    }
}

void UpdateObjectInspector(TControl*) {
    // The product has no form designer: controls are never in design mode here.
}

bool RunningUnder(TUiWindowsVersion version) {
    const bool nt = Win32Platform == VER_PLATFORM_WIN32_NT;
    const int major = Win32MajorVersion, minor = Win32MinorVersion;
    switch (version) {
    case Win95: return !nt && major <= 4 && minor == 0;
    case WinNT: return nt && major <= 4;
    case Win98: return !nt && major <= 4 && minor == 10;
    case WinMe: return !nt && major <= 4 && minor == 90;
    case Win2000: return nt && major == 5 && minor == 0;
    case WinXP: return nt && major == 5 && minor == 1;
    case WinServer2003: return nt && major == 5 && minor == 2;
    }
    return false;
}

TRect GetActiveWorkArea(HWND window) {
    return GetMonitorWorkArea(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int GetActiveWorkAreaWidth(HWND window) { return GetActiveWorkArea(window).Width(); }
int GetActiveWorkAreaHeight(HWND window) { return GetActiveWorkArea(window).Height(); }

TRect GetMonitorWorkArea(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    return ToTRect(info.rcWork);
}

TRect GetMonitorBoundsRect(HMONITOR monitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    GetMonitorInfoA(monitor, &info);
    return ToTRect(info.rcMonitor);
}

TMonitor* GetMonitorContainingPoint(TPoint point) {
    for (int i = 0; i < Screen->MonitorCount(); ++i) {
        const TRect r = Screen->Monitors(i)->BoundsRect();
        if (point.X >= r.Left && point.X < r.Right && point.Y >= r.Top && point.Y < r.Bottom)
            return Screen->Monitors(i);
    }
    return nullptr;
}

TRect GetDesktopClientRect() {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    TRect result = ToTRect(desktop);
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return result;
    RECT trayRect, bar;
    GetWindowRect(tray, &trayRect);
    IntersectRect(&bar, &trayRect, &desktop);
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (bar.left == desktop.left && bar.top == desktop.top) {
        if (w == desktop.right - desktop.left)
            result.Top += h;
        else
            result.Left += w;
    } else if (bar.left == desktop.left) {
        result.Bottom -= h;
    } else {
        result.Right -= w;
    }
    return result;
}

void CenterToWindow(TControl* control, HWND window, int& left, int& top) {
    RECT r;
    GetWindowRect(window, &r);
    CenterIn(control, ToTRect(r), GetActiveWorkArea(window), left, top);
}

void CenterToForm(TControl* control, TCustomForm* form, int& left, int& top) {
    CenterIn(control, form->BoundsRect(), GetActiveWorkArea(form->Handle()), left, top);
}

void CenterToMDIChild(TControl* control, TCustomForm* child, int& left, int& top) {
    TRect reference = child->BoundsRect();
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (main && main->ClientHandle()) {
        POINT p = {reference.Left, reference.Top};
        ClientToScreen(main->ClientHandle(), &p);
        reference = TRect(p.x, p.y, p.x + reference.Width(), p.y + reference.Height());
    }
    CenterIn(control, reference, GetDesktopClientRect(), left, top);
}
