#include "UiFramedControl.h"

#include "UiThemeSrv.h"

const std::vector<AnsiString>& FrameStyleIdents() {
    static const std::vector<AnsiString> names = {
        "fsNone",   "fsFlat",     "fsGroove", "fsBump",  "fsLowered", "fsButtonDown",
        "fsRaised", "fsButtonUp", "fsStatus", "fsPopup", "fsFlatBold"};
    return names;
}

const std::vector<AnsiString>& FramingPreferenceIdents() {
    static const std::vector<AnsiString> names = {"fpCustomFraming", "fpXPThemes"};
    return names;
}

bool HasKeyboardFocus(TWinControl* control) {
    if (!control->HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus && (focus == control->WindowHandle() || IsChild(control->WindowHandle(), focus));
}

bool VisualStylesEnabled() { return ThemeServices()->GetThemesEnabled(); }

void PaintWindowFrame(TWinControl* control, TControlCanvas* canvas, TFrameStyle style,
                      TColor frameColor, TSides sides) {
    TWindowDC dc(control->WindowHandle());
    TCanvasBinding binding(canvas, dc.Handle());
    DrawFrame(canvas, control->Width(), control->Height(), style, control->Color(), frameColor,
              sides, false);
}

AnsiString BitsToText(unsigned bits, const std::vector<AnsiString>& names) {
    AnsiString text;
    for (size_t i = 0; i < names.size(); ++i)
        if ((bits >> i) & 1) text += (text.IsEmpty() ? "" : ",") + names[i];
    return text;
}

unsigned TextToBits(const AnsiString& text, const std::vector<AnsiString>& names) {
    unsigned bits = 0;
    AnsiString rest = text;
    while (!rest.IsEmpty()) {
        const int comma = rest.Pos(",");
        const AnsiString item = Trim(comma ? rest.SubString(1, comma - 1) : rest);
        rest = comma ? rest.SubString(comma + 1, rest.Length()) : AnsiString();
        if (item.IsEmpty()) continue;
        size_t i = 0;
        while (i < names.size() && !SameText(names[i], item)) ++i;
        if (i == names.size()) throw EConvertError("Invalid property value " + item);
        bits |= 1u << i;
    }
    return bits;
}
