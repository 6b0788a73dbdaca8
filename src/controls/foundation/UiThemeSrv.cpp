#include "UiThemeSrv.h"

#include <shlwapi.h>

#include <initializer_list>
#include <vector>

#include "cl_controls.h"
#include "cl_forms.h"

namespace {

const wchar_t* const ClassNames[ThemedElementCount] = {
    L"button", L"clock", L"combobox", L"edit", L"explorerbar", L"header", L"listview", L"menu",
    L"page", L"progress", L"rebar", L"scrollbar", L"spin", L"startpanel", L"status", L"tab",
    L"taskband", L"taskbar", L"toolbar", L"tooltip", L"trackbar", L"traynotify", L"treeview",
    L"window"};

constexpr DWORD STAP_ALLOW_CONTROLS_BIT = 2;
constexpr UINT WM_THEMECHANGED_MSG = 0x031A;

TThemeServices* instance = nullptr;
const char* const ServicesProperty = "UiThemeServices";

// Part and state of the value of ordinal `ordinal`, given the number of states of each part.
TThemedElementDetails Details(TThemedElement element, int ordinal,
                              std::initializer_list<int> statesPerPart) {
    if (ordinal < 2) return {element, 0, ordinal + 1};
    int first = 2, part = 1;
    for (int states : statesPerPart) {
        if (ordinal < first + states) return {element, part, ordinal - first + 1};
        first += states;
        ++part;
    }
    return {element, 0, 1};
}

// Version of the common-controls library, major in the high word.
DWORD CommonControlsVersion() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return 0;
    DWORD version = 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    if (getVersion && SUCCEEDED(getVersion(&info)))
        version = MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
    FreeLibrary(library);
    return version;
}

}  // namespace

TThemeServices::TThemeServices(HWND window) : window_(window) {
    if (window_) {
        SetPropA(window_, ServicesProperty, this);
        previousProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TThemeServices::WindowProc)));
    }
    themesAvailable_ = InitThemeLibrary();
    UpdateThemes();
}

TThemeServices::~TThemeServices() {
    Unsubclass();
    UnloadThemeData();
    FreeThemeLibrary();
}

void TThemeServices::Unsubclass() {
    if (!previousProc_) return;
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        RemovePropA(window_, ServicesProperty);
    }
    previousProc_ = nullptr;
}

LRESULT CALLBACK TThemeServices::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TThemeServices*>(GetPropA(window, ServicesProperty));
    WNDPROC previous = self ? self->previousProc_ : nullptr;
    if (self) {
        try {
            if (msg == WM_DESTROY) {
                self->Unsubclass();
            } else if (msg == WM_THEMECHANGED_MSG) {
                self->UpdateThemes();
                self->DoOnThemeChange();
            }
        } catch (...) {
            if (Application) Application->HandleException(nullptr);
        }
    }
    return previous ? CallWindowProcA(previous, window, msg, wParam, lParam)
                    : DefWindowProcA(window, msg, wParam, lParam);
}

void TThemeServices::UpdateThemes() {
    if (useThemes_) UnloadThemeData();
    useThemes_ = UseThemes() && CommonControlsVersion() >= 0x60000;
    controlsEnabled_ = false;
    if (useThemes_) {
        auto properties = UxTheme::Entry<UxTheme::GetThemeAppPropertiesProc>(
            UxTheme::eGetThemeAppProperties);
        controlsEnabled_ = properties && (properties() & STAP_ALLOW_CONTROLS_BIT) != 0;
    }
}

void TThemeServices::UnloadThemeData() {
    if (window_ && !IsWindow(window_)) return;
    auto close = UxTheme::Entry<UxTheme::CloseThemeDataProc>(UxTheme::eCloseThemeData);
    for (UxTheme::HTHEME& theme : themes_) {
        if (theme && close) close(theme);
        theme = nullptr;
    }
}

void TThemeServices::DoOnThemeChange() {
    if (OnThemeChange) OnThemeChange(this);
}

UxTheme::HTHEME TThemeServices::GetTheme(TThemedElement element) {
    auto open = UxTheme::Entry<UxTheme::OpenThemeDataProc>(UxTheme::eOpenThemeData);
    if (useThemes_ && !themes_[element] && open)
        themes_[element] = open(window_, ClassNames[element]);
    return themes_[element];
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedButton value) {
    return Details(teButton, value, {5, 8, 12, 2, 1});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedComboBox value) {
    return Details(teComboBox, value, {4});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedEdit value) {
    return Details(teEdit, value, {7, 1});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedExplorerBar value) {
    return Details(teExplorerBar, value, {3, 3, 6, 3, 1, 3, 3, 1, 1, 3, 3, 1});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedProgress value) {
    return Details(teProgress, value, {1, 1, 1, 1});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedScrollBar value) {
    return Details(teScrollBar, value, {16, 4, 4, 4, 4, 4, 4, 4, 4, 2});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedToolBar value) {
    return Details(teToolBar, value, {6, 6, 6, 6, 6, 6});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedSpin value) {
    return Details(teSpin, value, {4, 4, 4, 4});
}
TThemedElementDetails TThemeServices::GetElementDetails(TThemedStatus value) {
    return Details(teStatus, value, {1, 1, 1});
}

void TThemeServices::DrawElement(HDC dc, const TThemedElementDetails& details, const TRect& rect,
                                 const TRect* clip) {
    auto draw = UxTheme::Entry<UxTheme::DrawThemeBackgroundProc>(UxTheme::eDrawThemeBackground);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    if (!draw || !theme) return;
    const RECT r = ToRECT(rect);
    RECT c = clip ? ToRECT(*clip) : RECT{};
    draw(theme, dc, details.Part, details.State, &r, clip ? &c : nullptr);
}

void TThemeServices::DrawText(HDC dc, const TThemedElementDetails& details,
                              const AnsiString& text, const TRect& rect, DWORD flags,
                              DWORD flags2) {
    auto draw = UxTheme::Entry<UxTheme::DrawThemeTextProc>(UxTheme::eDrawThemeText);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    if (!draw || !theme) return;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), text.Length(), nullptr, 0);
    std::vector<wchar_t> wide(length + 1);
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), text.Length(), wide.data(), length);
    const RECT r = ToRECT(rect);
    draw(theme, dc, details.Part, details.State, wide.data(), length, flags, flags2, &r);
}

TRect TThemeServices::ContentRect(HDC dc, const TThemedElementDetails& details,
                                  const TRect& bounding) {
    auto content = UxTheme::Entry<UxTheme::GetThemeBackgroundContentRectProc>(
        UxTheme::eGetThemeBackgroundContentRect);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    const RECT r = ToRECT(bounding);
    RECT result = r;
    if (content && theme) content(theme, dc, details.Part, details.State, &r, &result);
    return ToTRect(result);
}

void TThemeServices::DrawEdge(HDC dc, const TThemedElementDetails& details, const TRect& rect,
                              UINT edge, UINT flags, TRect* contentRect) {
    auto draw = UxTheme::Entry<UxTheme::DrawThemeEdgeProc>(UxTheme::eDrawThemeEdge);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    if (!draw || !theme) return;
    const RECT r = ToRECT(rect);
    RECT content = r;
    draw(theme, dc, details.Part, details.State, &r, edge, flags, contentRect ? &content : nullptr);
    if (contentRect) *contentRect = ToTRect(content);
}

void TThemeServices::DrawIcon(HDC dc, const TThemedElementDetails& details, const TRect& rect,
                              HANDLE imageList, int index) {
    auto draw = UxTheme::Entry<UxTheme::DrawThemeIconProc>(UxTheme::eDrawThemeIcon);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    if (!draw || !theme) return;
    const RECT r = ToRECT(rect);
    draw(theme, dc, details.Part, details.State, &r, imageList, index);
}

bool TThemeServices::HasTransparentParts(const TThemedElementDetails& details) {
    auto transparent = UxTheme::Entry<UxTheme::IsThemeBackgroundPartiallyTransparentProc>(
        UxTheme::eIsThemeBackgroundPartiallyTransparent);
    UxTheme::HTHEME theme = GetTheme(details.Element);
    return transparent && theme && transparent(theme, details.Part, details.State) != 0;
}

bool TThemeServices::DrawParentBackground(HWND window, HDC dc,
                                          const TThemedElementDetails* details,
                                          bool onlyIfTransparent, const TRect* bounds) {
    if (onlyIfTransparent && details && !HasTransparentParts(*details)) return false;
    auto draw = UxTheme::Entry<UxTheme::DrawThemeParentBackgroundProc>(
        UxTheme::eDrawThemeParentBackground);
    if (!draw) return false;
    RECT r = bounds ? ToRECT(*bounds) : RECT{};
    return SUCCEEDED(draw(window, dc, bounds ? &r : nullptr));
}

TColor TThemeServices::ColorToRGB(TColor color, const TThemedElementDetails* details) {
    if (static_cast<int32_t>(color) >= 0 || !details) return color;
    auto sysColor = UxTheme::Entry<UxTheme::GetThemeSysColorProc>(UxTheme::eGetThemeSysColor);
    if (!sysColor) return ::ColorToRGB(color);
    return sysColor(GetTheme(details->Element), color & 0x7FFFFFFF);
}

void TThemeServices::PaintBorder(TWinControl* control, bool eraseCorner) {
    HWND window = control->Handle();
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_CLIENTEDGE)) return;
    RECT windowRect;
    GetWindowRect(window, &windowRect);
    TRect r(0, 0, windowRect.right - windowRect.left, windowRect.bottom - windowRect.top);
    WindowDC dc(window);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    if (eraseCorner && (style & WS_HSCROLL) && (style & WS_VSCROLL)) {
        TRect inner(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
        RECT cell = {inner.Right - GetSystemMetrics(SM_CXVSCROLL),
                     inner.Bottom - GetSystemMetrics(SM_CYHSCROLL), inner.Right, inner.Bottom};
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
    }
    ExcludeClipRect(dc, r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    DrawElement(dc, GetElementDetails(teEditTextNormal), r);
}

TThemeServices* ThemeServices() {
    if (!instance) instance = new TThemeServices(Application ? Application->Handle() : nullptr);
    return instance;
}

void FreeThemeServices() {
    delete instance;
    instance = nullptr;
}
