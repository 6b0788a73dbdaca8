#include "UiColorPicker.h"

#include <cstdlib>

#include "UiColors.h"
#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "cl_forms.h"

namespace {

struct TNamedColor {
    TColor Color;
    const char* Name;
};

const TNamedColor PickerColors[PickerColorCount] = {
    {0x000000, "Black"}, {0x003399, "Brown"}, {0x003333, "Olive Green"},
    {0x003300, "Dark Green"}, {0x663300, "Dark Teal"}, {0x800000, "Dark Blue"},
    {0x993333, "Indigo"}, {0x333333, "Gray 80%"}, {0x000080, "Dark Red"},
    {0x0066FF, "Orange"}, {0x008080, "Dark Yellow"}, {0x008000, "Green"},
    {0x808000, "Teal"}, {0xFF0000, "Blue"}, {0x996666, "Blue Gray"},
    {0x808080, "Gray 50%"}, {0x0000FF, "Red"}, {0x0099FF, "Light Orange"},
    {0x00CC99, "Lime"}, {0x669933, "Sea Green"}, {0x999933, "Aqua"},
    {0xFF6633, "Light Blue"}, {0x800080, "Violet"}, {0x999999, "Gray 40%"},
    {0xFF00FF, "Pink"}, {0x00CCFF, "Gold"}, {0x00FFFF, "Yellow"},
    {0x00FF00, "Bright Green"}, {0xFFFF00, "Turquoise"}, {0xFFCC00, "Sky Blue"},
    {0x663399, "Plum"}, {0xC0C0C0, "Gray 25%"}, {0xCC99FF, "Rose"},
    {0x99CCFF, "Tan"}, {0x99FFFF, "Light Yellow"}, {0xCCFFCC, "Light Green"},
    {0xFFFFCC, "Light Turquoise"}, {0xFFCC99, "Pale Blue"}, {0xFF99CC, "Lavender"},
    {0xFFFFFF, "White"},
    {clScrollBar, "Scroll Bar"}, {clBackground, "Background"},
    {clActiveCaption, "Active Caption"}, {clInactiveCaption, "Inactive Caption"},
    {clMenu, "Menu"}, {clWindow, "Window"}, {clWindowFrame, "Window Frame"},
    {clMenuText, "Menu Text"}, {clWindowText, "Window Text"},
    {clCaptionText, "Caption Text"}, {clActiveBorder, "Active Border"},
    {clInactiveBorder, "Inactive Border"}, {clAppWorkSpace, "App WorkSpace"},
    {clHighlight, "Highlight"}, {clHighlightText, "Highlight Text"},
    {clBtnFace, "Button Face"}, {clBtnShadow, "Button Shadow"}, {clGrayText, "Gray Text"},
    {clBtnText, "Button Text"}, {clInactiveCaptionText, "Inactive Caption Text"},
    {clBtnHighlight, "Button Highlight"}, {cl3DDkShadow, "3D Dark Shadow"},
    {cl3DLight, "3D Light"}, {clInfoText, "Info Text"}, {clInfoBk, "Info Background"},
    {clHotLight, "Hot Light"}, {clGradientActiveCaption, "Gradient Active Caption"},
    {clGradientInactiveCaption, "Gradient Inactive Caption"},
    {clMenuHighlight, "Menu Highlight"}, {clMenuBar, "Menu Bar"},
};

const char* const SNoneCaption = "None";
const char* const SDefaultCaption = "Default";
const char* const SMoreColorsCaption = "More Colors...";

// The last row of system colours holds six.
constexpr int SystemColorCount = PickerColorCount - PickerStandardColors;

void Shrink(TRect& rect, int by) { InflateRect(reinterpret_cast<RECT*>(&rect), -by, -by); }

TRect Shrunk(TRect rect, int by) {
    Shrink(rect, by);
    return rect;
}

bool Contains(const TRect& rect, int x, int y) {
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

void ExcludeFromClip(TCanvas* canvas, const TRect& rect) {
    ExcludeClipRect(canvas->Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
}

}  // namespace

TColor PickerColor(int index) { return PickerColors[index].Color; }

AnsiString PickerColorName(int index) { return PickerColors[index].Name; }

TUiColorPicker::TUiColorPicker(TComponent* owner) : TUiBorder(owner) {
    ControlStyle.insert(csOpaque);
    SetBorderWidth(2);
    SetBorderColor(clWindow);
    SetColor(clWindow);
    SetParentColor(false);
    SetFlatColorAdjustment(0);
    if (ThemeServices()->GetThemesEnabled())
        ApplyThemedBorder();
    else
        SetBorderOuter(fsLowered);
    SetAutoSize(true);
}

void TUiColorPicker::BeforeDestruction() {
    SetCustomColors(nullptr);
    TUiBorder::BeforeDestruction();
}

void TUiColorPicker::ApplyThemedBorder() {
    themeBorderColor_ = GetXPThemeColor(xptcEditBorder);
    SetBorderOuter(fsFlat);
    SetFlatColor(themeBorderColor_);
    SetFlatColorAdjustment(0);
}

void TUiColorPicker::Loaded() {
    TUiBorder::Loaded();
    if (ThemeServices()->GetThemesEnabled()) ApplyThemedBorder();
}

void TUiColorPicker::Notification(TComponent* component, TOperation operation) {
    TUiBorder::Notification(component, operation);
    if (operation == opRemove && component == customColors_) customColors_ = nullptr;
}

void TUiColorPicker::SetCustomColors(TUiCustomColors* value) {
    if (customColors_) customColors_->RemoveFreeNotification(this);
    customColors_ = value;
    if (value) value->FreeNotification(this);
}

void TUiColorPicker::SetCustomColor(TColor value) {
    customColor_ = value;
    if (showCustomColor_) Invalidate();
}

void TUiColorPicker::SetDefaultColor(TColor value) {
    defaultColor_ = value;
    if (showDefaultColor_) Invalidate();
}

void TUiColorPicker::Reshape(bool& field, bool value) {
    if (field == value) return;
    field = value;
    if (AutoSize()) AdjustSize();
    Invalidate();
}

TColor TUiColorPicker::InteriorColor() const { return const_cast<TUiColorPicker*>(this)->Color(); }

int TUiColorPicker::Margin() { return std::abs(Font()->Height()) + 12; }

bool TUiColorPicker::CanAutoSize(int& newWidth, int& newHeight) {
    const TRect client = ClientRect();
    const int margin = Margin();
    newWidth = 2 * client.Left + 144;
    newHeight = 2 * client.Top + 90 + (showSystemColors_ ? 80 : 0) +
                (showNoColor_ ? margin + 1 : 0) + (showDefaultColor_ ? margin + 1 : 0) +
                (showCustomColor_ ? margin : 0);
    return true;
}

void TUiColorPicker::UpdateBounds() {
    int width = Width(), height = Height();
    CanAutoSize(width, height);
    SetBounds(Left(), Top(), width, height);
}

TRect TUiColorPicker::TLayout::Caption(const TRect& row, int margin) const {
    return TRect(row.Left, row.Top, row.Right - margin, row.Bottom);
}

TRect TUiColorPicker::TLayout::Swatch(const TRect& row, int margin) const {
    return TRect(row.Right - margin, row.Top, row.Right, row.Bottom);
}

TUiColorPicker::TLayout TUiColorPicker::Layout() {
    const TRect client = ClientRect();
    const int margin = Margin();
    TLayout layout{};
    int top = client.Top;
    if (showNoColor_) {
        layout.None = TRect(client.Left, top, client.Right, top + margin);
        top += margin;
    }
    if (showDefaultColor_) {
        layout.Default = TRect(client.Left, top, client.Right, top + margin);
        top += margin;
    }
    int bottom = client.Bottom;
    if (showCustomColor_) {
        layout.Custom = TRect(client.Left, bottom - margin, client.Right, bottom);
        bottom -= margin;
    }
    layout.Grid = TRect(client.Left, top, client.Right, std::max(top, bottom));
    const int height = layout.Grid.Height();
    layout.CellWidth = client.Width() / 8;
    layout.CellHeight = showSystemColors_ ? (height - 8) / 9 : height / 5;
    return layout;
}

TRect TUiColorPicker::CellRect(const TLayout& layout, int index) const {
    const int w = layout.CellWidth, h = layout.CellHeight;
    if (index >= 0 && index < PickerStandardColors)
        return Bounds(layout.Grid.Left + w * (index % 8), layout.Grid.Top + h * (index / 8), w, h);
    if (index >= PickerStandardColors && index < PickerColorCount && showSystemColors_) {
        const int system = index - PickerStandardColors;
        return Bounds(layout.Grid.Left + w * (system % 8),
                      layout.Grid.Bottom - 4 * h + h * (system / 8), w, h);
    }
    return TRect(0, 0, 0, 0);
}

TRect TUiColorPicker::GetCellRect(int index) { return CellRect(Layout(), index); }

int TUiColorPicker::HitTest(int x, int y) {
    const TLayout layout = Layout();
    const int margin = Margin();
    if (showNoColor_ && Contains(layout.None, x, y)) return cpiNone;
    if (showDefaultColor_ && Contains(layout.Default, x, y)) return cpiDefault;
    if (showCustomColor_ && Contains(layout.Custom, x, y))
        return Contains(layout.Caption(layout.Custom, margin), x, y) ? cpiMoreColors
                                                                      : cpiCustomSwatch;
    const int last = showSystemColors_ ? PickerColorCount : PickerStandardColors;
    for (int index = 0; index < last; ++index)
        if (Contains(CellRect(layout, index), x, y)) return index;
    return cpiNothing;
}

TColor TUiColorPicker::GetSelectedColor() const {
    if (selIndex_ >= 0 && selIndex_ < PickerColorCount) return PickerColors[selIndex_].Color;
    switch (selIndex_) {
    case cpiDefault: return defaultColor_;
    case cpiMoreColors:
    case cpiCustomSwatch: return customColor_;
    default: return clNone;
    }
}

void TUiColorPicker::SetSelectedColor(TColor value) {
    if (value == clNone) return SetSelColorIndex(cpiNone);
    const TColor rgb = ColorToRGB(value);
    if (showDefaultColor_ && rgb == ColorToRGB(defaultColor_))
        return SetSelColorIndex(cpiDefault);
    if (showSystemColors_)
        for (int index = PickerStandardColors; index < PickerColorCount; ++index)
            if (PickerColors[index].Color == value) return SetSelColorIndex(index);
    for (int index = 0; index < PickerStandardColors; ++index)
        if (PickerColors[index].Color == rgb) return SetSelColorIndex(index);
    customColor_ = rgb;
    SetSelColorIndex(cpiCustomSwatch);
}

void TUiColorPicker::SetSelColorIndex(int value) {
    if (value == selIndex_ && value != cpiCustomSwatch) return;
    selIndex_ = value;
    Invalidate();
    ColorChanged();
    if (value == cpiCustomSwatch) Click();
}

void TUiColorPicker::SetHighlightColorIndex(int value) { Change(highlightIndex_, value); }

void TUiColorPicker::ColorChanged() {
    if (OnChange) OnChange(this);
}

void TUiColorPicker::PickCustomColor() {
    TOwnedPtr<TColorDialog> dialog(new TColorDialog(this));
    dialog->SetColor(SelectedColor());
    if (customColors_) dialog->CustomColors()->Assign(customColors_->Colors());
    dialog->SetOptions(colorDlgOptions_);
    if (!dialog->Execute()) return;
    if (customColors_) customColors_->SetColors(dialog->CustomColors());
    SetCustomColor(dialog->Color());
    SetSelColorIndex(cpiCustomSwatch);
}

void TUiColorPicker::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int hit = HitTest(x, y);
        // Choosing the custom colour clicks by itself; the button's release must not click
        // again.
        if (hit == cpiMoreColors || hit == cpiCustomSwatch) ControlState.erase(csClicked);
        if (hit == cpiMoreColors) {
            SetHighlightColorIndex(cpiNoHighlight);
            PickCustomColor();
        } else if (hit != cpiNothing) {
            SetSelColorIndex(hit);
        }
    }
    TUiBorder::MouseDown(button, shift, x, y);
}

void TUiColorPicker::MouseMove(TShiftState shift, int x, int y) {
    if (showColorHints_) DoHint(x, y);
    const int hit = HitTest(x, y);
    if (!shift.count(ssLeft))
        SetHighlightColorIndex(hit);
    else if (hit != cpiMoreColors && hit != cpiNothing)
        SetSelColorIndex(hit);
    TUiBorder::MouseMove(shift, x, y);
}

void TUiColorPicker::Dispatch(TMessage& message) {
    TUiBorder::Dispatch(message);
    switch (message.Msg) {
    case CM_MOUSEENTER:
        if (showColorHints_) {
            const TPoint cursor = ScreenToClient(Mouse->CursorPos());
            DoHint(cursor.X, cursor.Y);
        }
        break;
    case CM_MOUSELEAVE:
        SetHighlightColorIndex(cpiNoHighlight);
        ReleaseHintWindow();
        break;
    case CM_FONTCHANGED:
        Invalidate();
        break;
    }
}

void TUiColorPicker::ReleaseHintWindow() {
    if (hintWindow_) hintWindow_->ReleaseHandle();
}

void TUiColorPicker::DoHint(int x, int y) {
    const int hit = HitTest(x, y);
    const bool foreground = GetForegroundWindow() && Application->Active();
    if (InState(csDesigning) || hit < 0 || !Contains(ClientRect(), x, y) || !foreground) {
        ReleaseHintWindow();
        Invalidate();
        return;
    }
    if (!hintWindow_) {
        hintWindow_ = new THintWindow(this);
        hintWindow_->SetColor(Application->HintColor());
    }
    const AnsiString name = PickerColors[hit].Name;
    hintWindow_->Font()->Assign(Font());
    TRect rect = hintWindow_->CalcHintRect(Screen->Width(), name, nullptr);
    const TRect cell = GetCellRect(hit);
    const TPoint at = ClientToScreen(TPoint(cell.Left + 4, cell.Bottom + 12));
    rect = Bounds(at.X, at.Y, rect.Width(), rect.Height());
    const HWND handle = hintWindow_->HandleAllocated() ? hintWindow_->WindowHandle() : nullptr;
    if (handle && IsWindowVisible(handle) && hintWindow_->Caption() == name &&
        hintWindow_->Left() == rect.Left && hintWindow_->Top() == rect.Top)
        return;
    hintWindow_->ActivateHint(rect, name);
}

AnsiString TUiColorPicker::CaptionOr(const AnsiString& caption, const char* fallback) const {
    return caption.IsEmpty() ? AnsiString(fallback) : caption;
}

void TUiColorPicker::DrawHotEdge(TCanvas* canvas, const TRect& rect, UINT flags) {
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::DrawEdge(canvas->Handle(), &r, BDR_RAISEDOUTER, flags);
}

void TUiColorPicker::DrawCaptionText(TCanvas* canvas, const TRect& rect,
                                     const AnsiString& caption) {
    canvas->Brush()->SetStyle(bsClear);
    RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::DrawTextA(canvas->Handle(), caption.c_str(), -1, &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas->Brush()->SetStyle(bsSolid);
}

void TUiColorPicker::DrawCell(TCanvas* canvas, const TRect& cell, TColor color, bool selected,
                              bool hot) {
    const bool themed = ThemeServices()->GetThemesEnabled();
    if (selected) {
        canvas->Brush()->SetColor(clWindow);
        canvas->FillRect(cell);
        if (themed)
            ThemeServices()->DrawElement(
                canvas->Handle(), TThemeServices::GetElementDetails(ttbButtonChecked), cell);
        else
            DrawBox(canvas, cell, clHighlight);
    } else if (hot) {
        if (themed)
            ThemeServices()->DrawElement(canvas->Handle(),
                                         TThemeServices::GetElementDetails(ttbButtonHot), cell);
        else
            DrawHotEdge(canvas, cell, BF_RECT | BF_MIDDLE | BF_FLAT);
    }
    const TRect swatch = Shrunk(cell, 4);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(swatch);
    DrawHotEdge(canvas, Shrunk(swatch, -1), BF_RECT | BF_FLAT);
    ExcludeFromClip(canvas, selected || hot ? cell : Shrunk(swatch, -1));
}

void TUiColorPicker::DrawCaptionButton(TCanvas* canvas, const TRect& part,
                                       const AnsiString& caption, bool selected, bool hot) {
    const TRect button = Shrunk(part, 3);
    const bool themed = ThemeServices()->GetThemesEnabled();
    if (selected) {
        canvas->Brush()->SetColor(clWindow);
        canvas->FillRect(button);
        if (themed)
            ThemeServices()->DrawElement(
                canvas->Handle(), TThemeServices::GetElementDetails(ttbButtonChecked), button);
        else
            DrawBox(canvas, button, clHighlight);
    } else if (hot) {
        if (themed)
            ThemeServices()->DrawElement(
                canvas->Handle(), TThemeServices::GetElementDetails(ttbButtonHot), button);
        else
            DrawHotEdge(canvas, button, BF_RECT | BF_MIDDLE | BF_SOFT | BF_FLAT);
    } else {
        const TRect face = DrawBox(canvas, button, FlatColor());
        canvas->Brush()->SetColor(buttonColor_);
        canvas->FillRect(face);
    }
    DrawCaptionText(canvas, button, caption);
    ExcludeFromClip(canvas, button);
}

void TUiColorPicker::Paint() {
    TUiBorder::Paint();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetStyle(bsSolid);
    const TLayout layout = Layout();
    const int margin = Margin();
    const int saved = SaveDC(canvas->Handle());
    if (showNoColor_)
        DrawCaptionButton(canvas, layout.None, CaptionOr(noColorCaption_, SNoneCaption),
                          selIndex_ == cpiNone, highlightIndex_ == cpiNone);
    if (showDefaultColor_) {
        const bool hot = highlightIndex_ == cpiDefault;
        if (hot) DrawHotEdge(canvas, layout.Default, BF_RECT | BF_SOFT | BF_FLAT);
        DrawCaptionButton(canvas, layout.Caption(layout.Default, margin),
                          CaptionOr(defaultColorCaption_, SDefaultCaption), false, false);
        DrawCell(canvas, layout.Swatch(layout.Default, margin), defaultColor_,
                 selIndex_ == cpiDefault, false);
        if (hot) ExcludeFromClip(canvas, layout.Default);
    }
    if (showCustomColor_) {
        const TRect captionPart = layout.Caption(layout.Custom, margin);
        const bool hot = highlightIndex_ == cpiMoreColors;
        if (hot) DrawHotEdge(canvas, captionPart, BF_RECT | BF_SOFT | BF_FLAT);
        DrawCaptionButton(canvas, captionPart,
                          CaptionOr(customColorCaption_, SMoreColorsCaption), false, false);
        if (hot) ExcludeFromClip(canvas, captionPart);
        DrawCell(canvas, layout.Swatch(layout.Custom, margin), customColor_,
                 selIndex_ == cpiCustomSwatch || selIndex_ == cpiMoreColors,
                 highlightIndex_ == cpiCustomSwatch);
    }
    const int last = showSystemColors_ ? PickerColorCount : PickerStandardColors;
    for (int index = 0; index < last; ++index)
        DrawCell(canvas, CellRect(layout, index), PickerColors[index].Color, selIndex_ == index,
                 highlightIndex_ == index);
    if (showSystemColors_) {
        const int y = layout.Grid.Top + 5 * layout.CellHeight + 4;
        canvas->Pen()->SetColor(clBtnShadow);
        canvas->MoveTo(layout.Grid.Left + 3, y);
        canvas->LineTo(layout.Grid.Right - 3, y);
        ExcludeFromClip(canvas, TRect(layout.Grid.Left + 3, y, layout.Grid.Right - 3, y + 1));
    }
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    RestoreDC(canvas->Handle(), saved);
}
