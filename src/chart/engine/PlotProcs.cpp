#include "PlotProcs.h"

#include <cmath>

#include "PlotPanel.h"
#include "cl_clipboard.h"
#include "cl_controls.h"
#include "cl_forms.h"
#include "cl_locale.h"
#include "cl_settings.h"
#include "cl_streams.h"
#include "cl_sys.h"

std::vector<TColor> ColorPalette;
AnsiString PlotFieldsSeparator = ";";
TPlotTranslateHook PlotTranslateHook;
bool PlotClipWhenPrinting = true;
bool PlotClipWhenMetafiling = true;
bool PlotEraseBack = false;
bool PrintPlotPanel = false;

namespace {

const TColor kDefaultPalette[] = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia, clTeal,   clNavy,   clMaroon,
    clLime, clOlive, clPurple, clSilver, clAqua,  clBlack, 0xC0DCC0,  0xF0CAA6, 0xF0FBFF, 0xA4A0A0};

const char* const kOptionsKey = "Software\\QMC\\Radon Monitor\\Chart Options";

struct PlotProcsUnit {
    PlotProcsUnit() { SetDefaultColorPalette(); }
    ~PlotProcsUnit() {
        ColorPalette.clear();
        if (Screen && registered) Screen->SetCursors(crPlotHand, nullptr);
        PlotFieldsSeparator = AnsiString();
    }
    bool registered = false;
} plotProcsUnit;

// Puts `separator` in place of PlotFieldsSeparator while it lives.
class SeparatorSwap {
public:
    explicit SeparatorSwap(const AnsiString& separator) : saved_(PlotFieldsSeparator) {
        PlotFieldsSeparator = separator;
    }
    ~SeparatorSwap() { PlotFieldsSeparator = saved_; }

private:
    AnsiString saved_;
};

double DistanceToSegment(const TPoint& p, int x0, int y0, int x1, int y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0) return std::hypot(p.X - x0, p.Y - y0);
    const double t = ((p.X - x0) * dx + (p.Y - y0) * dy) / length2;
    if (t < 0) return std::hypot(p.X - x0, p.Y - y0);
    if (t > 1) return std::hypot(p.X - x1, p.Y - y1);
    return std::hypot(p.X - (x0 + t * dx), p.Y - (y0 + t * dy));
}

}  // namespace

void PlotRegisterHandCursor() {
    if (plotProcsUnit.registered || !Screen) return;
    HCURSOR cursor = LoadCursorA(static_cast<HINSTANCE>(HInstance), "PLOT_CURSOR_HAND");
    // A program without the chart cursor resource gets the system's hand.
    if (!cursor) cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    Screen->SetCursors(crPlotHand, cursor);
    plotProcsUnit.registered = true;
}

TColor GetDefaultColor(int index) {
    return ColorPalette[static_cast<size_t>(index) % ColorPalette.size()];
}

void SetDefaultColorPalette() {
    ColorPalette.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));
}

void SetDefaultColorPalette(const TColor* colors, int high) {
    if (high == 0 || !colors)
        SetDefaultColorPalette();
    else
        ColorPalette.assign(colors, colors + high + 1);
}

bool PointInLine(const TPoint& p, int x0, int y0, int x1, int y1, int tolerance) {
    if ((p.X == x0 && p.Y == y0) || (p.X == x1 && p.Y == y1)) return true;
    return DistanceToSegment(p, x0, y0, x1, y1) <= tolerance + 1;
}

bool PointInLine(const TPoint& p, const TPoint& p0, const TPoint& p1, int tolerance) {
    return PointInLine(p, p0.X, p0.Y, p1.X, p1.Y, tolerance);
}

bool PointInLineTolerance(const TPoint& p, int x0, int y0, int x1, int y1, int tolerance) {
    return PointInLine(p, x0, y0, x1, y1, tolerance);
}

bool PointInLine(const TPoint& p, int x0, int y0, int x1, int y1) {
    return PointInLine(p, x0, y0, x1, y1, 0);
}

bool PointInLine(const TPoint& p, const TPoint& p0, const TPoint& p1) {
    return PointInLine(p, p0.X, p0.Y, p1.X, p1.Y, 0);
}

bool PointInPolygon(const TPoint& p, const TPoint* poly, int high) {
    if (high < 0) return false;
    bool inside = false;
    int j = high;
    for (int i = 0; i <= high; ++i) {
        const TPoint& a = poly[i];
        const TPoint& b = poly[j];
        if ((a.Y <= p.Y && p.Y < b.Y) || (b.Y <= p.Y && p.Y < a.Y)) {
            // In 64 bits and floating point: large coordinates cannot overflow.
            const double crossX = static_cast<double>(static_cast<long long>(b.X) - a.X) *
                                      (static_cast<long long>(p.Y) - a.Y) /
                                      (static_cast<long long>(b.Y) - a.Y) +
                                  a.X;
            if (p.X < crossX) inside = !inside;
        }
        j = i;
    }
    return inside;
}

bool PointInPolygon(const TPoint& p, const TPointArray& poly) {
    return PointInPolygon(p, poly.data(), static_cast<int>(poly.size()) - 1);
}

bool PointInTriangle(const TPoint& p, int x0, int x1, int y0, int y1) {
    const TPoint t[3] = {{x0, y0}, {(x0 + x1) / 2, y1}, {x1, y0}};
    return PointInPolygon(p, t, 2);
}

bool PointInHorizTriangle(const TPoint& p, int y0, int y1, int x0, int x1) {
    const TPoint t[3] = {{x0, y0}, {x1, (y0 + y1) / 2}, {x0, y1}};
    return PointInPolygon(p, t, 2);
}

bool PointInEllipse(const TPoint& p, int left, int top, int right, int bottom) {
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double a2 = static_cast<double>(cx - left) * (cx - left);
    const double b2 = static_cast<double>(cy - top) * (cy - top);
    if (a2 == 0 || b2 == 0) return false;
    const double dx = p.X - cx, dy = p.Y - cy;
    return dx * dx / a2 + dy * dy / b2 <= 1;
}

bool PointInEllipse(const TPoint& p, const TRect& rect) {
    return PointInEllipse(p, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

bool CrossingLines(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                   double y4, double& x, double& y) {
    // The intersection from the determinants, so that vertical segments work as well.
    const double denominator = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4);
    if (std::fabs(denominator) <= 1e-15) {
        x = x2;
        y = y2;
    } else {
        const double a = x1 * y2 - y1 * x2, b = x3 * y4 - y3 * x4;
        x = (a * (x3 - x4) - (x1 - x2) * b) / denominator;
        y = (a * (y3 - y4) - (y1 - y2) * b) / denominator;
    }
    const double c1 = x1 * y2 - x2 * y1;
    auto side1 = [&](double xk, double yk) { return (y2 - y1) * xk - (x2 - x1) * yk - c1 > 0; };
    const double c2 = x3 * y4 - x4 * y3;
    auto side2 = [&](double xk, double yk) { return (y4 - y3) * xk - (x4 - x3) * yk - c2 > 0; };
    auto onLine1 = [&](double xk, double yk) { return (y2 - y1) * xk - (x2 - x1) * yk - c1 == 0; };
    auto onLine2 = [&](double xk, double yk) { return (y4 - y3) * xk - (x4 - x3) * yk - c2 == 0; };
    if (onLine1(x3, y3) || onLine1(x4, y4) || onLine2(x1, y1) || onLine2(x2, y2)) return false;
    return side1(x3, y3) != side1(x4, y4) && side2(x1, y1) != side2(x2, y2);
}

AnsiString PlotStr(int value) { return IntToStr(value); }

AnsiString PlotGetUniqueName(TComponent* owner, const AnsiString& base) {
    if (!owner) return base + "1";
    for (int n = 1;; ++n) {
        const AnsiString name = base + IntToStr(n);
        if (!owner->FindComponent(name)) return name;
    }
}

int PlotNumFields(const AnsiString& s) {
    if (s.IsEmpty()) return 0;
    const AnsiString& sep = PlotFieldsSeparator;
    int count = 1;
    for (int from = 0;;) {
        const size_t at = sep.IsEmpty() ? std::string::npos : s.str().find(sep.str(), from);
        if (at == std::string::npos) return count;
        ++count;
        from = static_cast<int>(at) + sep.Length();
    }
}

int PlotNumFields(const AnsiString& s, const AnsiString& separator) {
    SeparatorSwap swap(separator);
    return PlotNumFields(s);
}

AnsiString PlotExtractField(const AnsiString& s, int index) {
    if (s.IsEmpty() || index < 1) return AnsiString();
    const std::string& text = s.str();
    const std::string& sep = PlotFieldsSeparator.str();
    size_t start = 0;
    for (int field = 1;; ++field) {
        const size_t at = sep.empty() ? std::string::npos : text.find(sep, start);
        if (at == std::string::npos || field == index)
            return text.substr(start, at == std::string::npos ? std::string::npos : at - start);
        start = at + sep.size();
    }
}

AnsiString PlotExtractField(const AnsiString& s, int index, const AnsiString& separator) {
    SeparatorSwap swap(separator);
    return PlotExtractField(s, index);
}

AnsiString ReplaceChar(const AnsiString& s, char oldChar, char newChar) {
    std::string result;
    for (char c : s.str()) {
        if (c != oldChar)
            result += c;
        else if (newChar != '\0')
            result += newChar;
    }
    return result;
}

AnsiString InvariantToLocalFormat(const AnsiString& format) {
    std::string result = format.str();
    for (char& c : result) {
        if (c == ',' && ThousandSeparator != '\0')
            c = ThousandSeparator;
        else if (c == '.')
            c = DecimalSeparator;
    }
    return result;
}

AnsiString LocalToInvariantFormat(const AnsiString& format) {
    std::string result = format.str();
    for (char& c : result) {
        if (ThousandSeparator != '\0' && c == ThousandSeparator)
            c = ',';
        else if (c == DecimalSeparator)
            c = '.';
    }
    return result;
}

void PlotSort(int first, int last, const std::function<int(int, int)>& compare,
              const std::function<void(int, int)>& swap) {
    int i = first, j = last, m = (first + last) / 2;
    while (i < j) {
        while (compare(i, m) < 0) ++i;
        while (compare(m, j) < 0) --j;
        if (i < j) {
            swap(i, j);
            if (m == i)
                m = j;
            else if (m == j)
                m = i;
        }
        if (i <= j) {
            ++i;
            --j;
        }
    }
    if (first < j) PlotSort(first, j, compare, swap);
    if (i < last) PlotSort(i, last, compare, swap);
}

void EnableControls(bool enable, TControl* const controls[], int high) {
    for (int i = 0; i <= high; ++i)
        if (controls[i]) controls[i]->SetEnabled(enable);
}

void PlotTranslateControl(TControl* control) {
    if (PlotTranslateHook) PlotTranslateHook(control, {});
}

void PlotTranslateControl(TControl* control, TControl* const excluded[], int high) {
    if (PlotTranslateHook)
        PlotTranslateHook(control, std::vector<TControl*>(excluded, excluded + high + 1));
}

void PlotDrawCheckBox(int x, int y, TCanvas* canvas, bool checked, TColor, bool checkBox) {
    RECT r{x, y, x + 13, y + 13};
    UINT state = checkBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
    if (checked) state |= DFCS_CHECKED;
    DrawFrameControl(canvas->Handle(), &r, DFC_BUTTON, state);
}

void PlotLoadBitmap(TBitmap* bitmap, const AnsiString& name, const AnsiString& name2) {
    for (int i = 0; i < ResourceModuleCount(); ++i) {
        auto* module = static_cast<HINSTANCE>(ResourceModule(i));
        try {
            for (const AnsiString& candidate : {name, name2}) {
                if (candidate.IsEmpty() ||
                    !FindResourceA(module, candidate.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP)))
                    continue;
                bitmap->LoadFromResourceName(module, candidate);
                return;
            }
        } catch (const Exception&) {
            // This module's resource could not be read: try the next module.
        }
    }
}

void PlotGetBitmapEditor(TObject* object, TBitmap* bitmap) {
    const TMetaClass* parent = object->ClassType()->ClassParent();
    PlotLoadBitmap(bitmap, object->ClassName(), parent ? parent->ClassName() : AnsiString());
}

void TPlotExportData::CopyToClipboard() { Clipboard()->SetAsText(AsString()); }

void TPlotExportData::SaveToStream(TStream* stream) {
    const AnsiString text = AsString();
    stream->WriteBuffer(text.c_str(), text.Length());
}

void TPlotExportData::SaveToFile(const AnsiString& fileName) {
    const AnsiString text = AsString();
    WriteFileWhole(fileName, text.c_str(), static_cast<size_t>(text.Length()));
}

bool PlotReadBoolOption(const AnsiString& name, bool defaultValue) {
    TRegistry registry(KEY_READ);
    try {
        if (registry.OpenKeyReadOnly(kOptionsKey) && registry.ValueExists(name))
            return registry.ReadBool(name);
    } catch (const ERegistryException&) {
    }
    return defaultValue;
}

int PlotReadIntegerOption(const AnsiString& name, int defaultValue) {
    TRegistry registry(KEY_READ);
    try {
        if (registry.OpenKeyReadOnly(kOptionsKey) && registry.ValueExists(name))
            return registry.ReadInteger(name);
    } catch (const ERegistryException&) {
    }
    return defaultValue;
}

void PlotSaveBoolOption(const AnsiString& name, bool value) {
    TRegistry registry;
    if (registry.OpenKey(kOptionsKey, true)) registry.WriteBool(name, value);
}

void PlotSaveIntegerOption(const AnsiString& name, int value) {
    TRegistry registry;
    if (registry.OpenKey(kOptionsKey, true)) registry.WriteInteger(name, value);
}

TBitmap* PlotAntiAlias(TCustomPlotPanel* panel) {
    const int w = panel->Width(), h = panel->Height();
    TOwnedPtr<TBitmap> large;
    {
        // Font zoom, buffered display and the repaint switch come back whatever happens.
        struct Restore {
            TCustomPlotPanel* panel;
            bool repaint;
            int fontZoom;
            bool buffered;
            ~Restore() {
                panel->View3DOptions()->SetFontZoom(fontZoom);
                panel->InternalCanvas->SetUseBuffer(buffered);
                panel->RepaintEnabled = repaint;
            }
        } restore{panel, panel->RepaintEnabled, panel->View3DOptions()->FontZoom(),
                  panel->GetBufferedDisplay()};
        panel->RepaintEnabled = false;
        panel->View3DOptions()->SetFontZoom(restore.fontZoom * 2);
        panel->InternalCanvas->Buffered = false;
        large.reset(panel->PlotCreateBitmap(panel->Color(), Rect(0, 0, 2 * w, 2 * h), pf24bit));
    }
    TOwnedPtr<TBitmap> small(new TBitmap);
    small->SetPixelFormat(pf24bit);
    small->SetSize(w, h);
    large->SetPixelFormat(pf24bit);
    for (int y = 0; y < h; ++y) {
        const auto* top = static_cast<const uint8_t*>(large->ScanLine(2 * y));
        const auto* bottom = static_cast<const uint8_t*>(large->ScanLine(2 * y + 1));
        auto* out = static_cast<uint8_t*>(small->ScanLine(y));
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                out[x * 3 + c] = static_cast<uint8_t>((top[x * 6 + c] + top[x * 6 + 3 + c] +
                                                       bottom[x * 6 + c] + bottom[x * 6 + 3 + c]) /
                                                      4);
    }
    return small.release();
}
