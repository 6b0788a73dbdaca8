#include "UiStatusBar.h"

#include <cmath>

#include "UiDrawing.h"
#include "UiThemeSrv.h"
#include "cl_forms.h"

namespace {
constexpr WPARAM SizeFromBottomRight = SC_SIZE + 8;

bool Themed(TUiVisualStyle style) {
    return style == vsWinXP && ThemeServices()->GetThemesEnabled();
}

// Six 2-by-2 squares whose corner is the bottom-right point (x, y).
void PaintGripDots(TCanvas* canvas, int x, int y, TColor color) {
    static const int offsets[][2] = {{4, 12}, {4, 8}, {4, 4}, {8, 8}, {8, 4}, {12, 4}};
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    for (const auto& o : offsets)
        canvas->FillRect(TRect(x - o[0], y - o[1], x - o[0] + 2, y - o[1] + 2));
}
const bool statusBarPropertiesRegistered = [] {
    using C = TUiStatusBar;
    const TMetaClass* meta = C::StaticClass();
    PublishPanelProperties(meta,
                           {"Alignment", "AlignmentVertical", "GridColor", "GridStyle", "GridXSize",
                            "GridYSize", "ShowGrid", "TextMargin", "TextMarginVertical", "WordWrap"},
                           {{"Align", alBottom}, {"BorderOuter", fsNone}});
    const struct {
        const char* name;
        bool (C::*get)() const;
        void (C::*set)(bool);
        bool def;
    } flags[] = {{"AutoScalePanes", &C::AutoScalePanes, &C::SetAutoScalePanes, false},
                 {"AutoStyle", &C::AutoStyle, &C::SetAutoStyle, true},
                 {"ShowSizeGrip", &C::ShowSizeGrip, &C::SetShowSizeGrip, true},
                 {"SimpleStatus", &C::SimpleStatus, &C::SetSimpleStatus, false}};
    for (const auto& p : flags)
        RegisterProperty(meta, OrdinalProperty<C>(p.name, pkBool, p.get, p.set, p.def));
    RegisterProperty(meta, StringProperty<C>("SimpleCaption", &C::SimpleCaption,
                                             &C::SetSimpleCaption));
    std::vector<AnsiString> frameStyles = FrameStyleExIdents();
    frameStyles.resize(FrameStyleCount);
    RegisterProperty(meta, EnumProperty<C>("SimpleFrameStyle", &C::SimpleFrameStyle,
                                           &C::SetSimpleFrameStyle, frameStyles, fsFlat));
    RegisterClass(meta);
    return true;
}();

}  // namespace

TUiStatusBar::TUiStatusBar(TComponent* owner) : TUiCustomPanel(owner) {
    SetBorderOuter(fsNone);
    autoStyle_ = true;
    SetAlign(alBottom);
    SetBounds(0, 0, 200, 19);
    ControlStyle.insert(csAcceptsControls);
}

void TUiStatusBar::SetBorderInner(TFrameStyleEx value) {
    if (value == BorderInner()) return;
    TUiCustomPanel::SetBorderInner(value);
    autoStyle_ = false;
}

void TUiStatusBar::SetBorderOuter(TFrameStyleEx value) {
    if (value == BorderOuter()) return;
    TUiCustomPanel::SetBorderOuter(value);
    autoStyle_ = false;
}

void TUiStatusBar::SetBorderSides(TSides value) {
    if (value == BorderSides()) return;
    TUiCustomPanel::SetBorderSides(value);
    autoStyle_ = false;
}

void TUiStatusBar::AdjustStyle() {
    const bool autoStyle = autoStyle_;
    SetBorderInner(fsNone);
    SetBorderOuter(fsNone);
    SetBorderSides(AllSides);
    SetHeight(19);
    SetBorderWidth(0);
    autoStyle_ = autoStyle;
}

void TUiStatusBar::Loaded() {
    TUiCustomPanel::Loaded();
    if (autoStyle_) AdjustStyle();
}

void TUiStatusBar::SetShowSizeGrip(bool value) {
    showSizeGrip_ = value;
    UpdateGripUsable();
    Invalidate();
}

void TUiStatusBar::SetSimpleCaption(const AnsiString& caption) {
    if (caption == simpleCaption_) return;
    simpleCaption_ = caption;
    Invalidate();
}

void TUiStatusBar::SetSimpleFrameStyle(TFrameStyle style) {
    if (style == simpleFrameStyle_) return;
    simpleFrameStyle_ = style;
    Invalidate();
}

void TUiStatusBar::SetSimpleStatus(bool value) {
    if (value == simpleStatus_) return;
    simpleStatus_ = value;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(!value);
    EnableAlign();
    Invalidate();
}

TRect TUiStatusBar::GetClientRect() {
    TRect rect = TUiCustomPanel::GetClientRect();
    if (!ThemeServices()->ThemesAvailable()) {
        rect.Bottom += 1;
        if (simpleStatus_) {
            rect.Top = 2;
        } else {
            rect.Top = 1;
            rect.Left -= 1;
            rect.Right += 1;
        }
    } else if (simpleStatus_) {
        rect.Left += 1;
        rect.Top += 1;
        rect.Right -= 1;
    }
    return rect;
}

void TUiStatusBar::GetGradientColors(TColor& start, TColor& stop) {
    if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStop();
        stop = GradientColorStart();
        return;
    }
    TColor shade;
    GetGradientStatusBarColors(GradientColorStyle(), start, stop, shade);
}

void TUiStatusBar::UpdateGripUsable() {
    TCustomForm* form = GetParentForm(this);
    gripUsable_ = false;
    if (!form) return;
    const TFormBorderStyle style = form->BorderStyle();
    const bool maximized = form->HandleAllocated() ? IsZoomed(form->WindowHandle()) != FALSE
                                                   : form->WindowState() == wsMaximized;
    gripUsable_ = (style == bsSizeable || style == bsSizeToolWin) && !maximized;
}

bool TUiStatusBar::InGrip(int x, int y) {
    const TRect grip = GripRect();
    return x >= grip.Left && x < grip.Right && y >= grip.Top && y < grip.Bottom;
}

void TUiStatusBar::CreateWnd() {
    UpdateGripUsable();
    TUiCustomPanel::CreateWnd();
}

void TUiStatusBar::WndProc(TMessage& message) {
    const bool grip = GripActive() && !InState(csDesigning);
    if (message.Msg == WM_LBUTTONDOWN && grip &&
        InGrip(message.XPos(), message.YPos())) {
        ReleaseCapture();
        if (TCustomForm* form = GetParentForm(this))
            SendMessageA(form->WindowHandle(), WM_SYSCOMMAND, SizeFromBottomRight, 0);
        return;
    }
    if (message.Msg == WM_SETCURSOR && grip && HandleAllocated()) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(WindowHandle(), &p);
        if (InGrip(p.x, p.y)) {
            ::SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE));
            message.Result = 1;
            return;
        }
    }
    TUiCustomPanel::WndProc(message);
    if (message.Msg != WM_PAINT) return;
    UpdateGripUsable();
    if (!GripActive()) return;
    TControlCanvas canvas;
    canvas.SetControl(this);
    if (message.WParam) canvas.BindDC(reinterpret_cast<HDC>(message.WParam));
    PaintSizeGrip(&canvas);
    if (message.WParam) canvas.BindDC(nullptr);
}

void TUiStatusBar::PaintSizeGrip(TCanvas* canvas) {
    TRect rect = GetClientRect();
    rect.Bottom -= 1;
    if (Themed(VisualStyle())) {
        ThemeServices()->DrawElement(canvas->Handle(),
                                     TThemeServices::GetElementDetails(tsGripper),
                                     TRect(rect.Right - 20, rect.Top, rect.Right, rect.Bottom));
        return;
    }
    TColor light = clBtnHighlight, dark = clBtnShadow;
    if (VisualStyle() == vsGradient) {
        TColor first;
        GetGradientStatusBarColors(GradientColorStyle(), first, light, dark);
    }
    PaintGripDots(canvas, rect.Right - 1, rect.Bottom, light);
    PaintGripDots(canvas, rect.Right - 2, rect.Bottom - 1, dark);
}

void TUiStatusBar::Paint() {
    if (Themed(VisualStyle())) {
        ThemeServices()->DrawElement(Canvas()->Handle(),
                                     TThemeServices::GetElementDetails(tsStatusRoot),
                                     TRect(0, 0, Width(), Height()));
        if (simpleStatus_ && !simpleCaption_.IsEmpty())
            ThemeServices()->DrawText(Canvas()->Handle(),
                                      TThemeServices::GetElementDetails(tsStatusRoot),
                                      simpleCaption_, GetClientRect(),
                                      DT_SINGLELINE | DT_VCENTER, 0);
        return;
    }
    TUiCustomPanel::Paint();
    if (!simpleStatus_) return;
    TRect rect = GetClientRect();
    rect.Bottom -= 1;
    DrawSimpleStatusBorder(rect);
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    PaintSimpleCaption(rect);
}

void TUiStatusBar::PaintSimpleCaption(TRect rect) {
    if (simpleCaption_.IsEmpty()) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const int height = canvas->TextHeight("Pp");
    canvas->TextRect(rect, rect.Left + 2, rect.Top + (rect.Bottom - rect.Top - height) / 2,
                     simpleCaption_);
}

void TUiStatusBar::DrawSimpleStatusBorder(TRect rect) {
    TCanvas* canvas = Canvas();
    if (Themed(VisualStyle())) {
        ThemeServices()->DrawElement(canvas->Handle(), TThemeServices::GetElementDetails(tsPane),
                                     rect);
        return;
    }
    if (VisualStyle() != vsClassic) return;
    if (simpleFrameStyle_ != fsFlat) {
        DrawBorder(canvas, rect, simpleFrameStyle_);
        return;
    }
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->MoveTo(l, t + 1);
    canvas->LineTo(l, b - 1);
    canvas->MoveTo(l + 1, t);
    canvas->LineTo(r - 1, t);
    canvas->MoveTo(r - 1, t + 1);
    canvas->LineTo(r - 1, b - 1);
    canvas->MoveTo(l + 1, b - 1);
    canvas->LineTo(r - 1, b - 1);
}

void TUiStatusBar::Resize() {
    TUiCustomPanel::Resize();
    const int change = firstResize_ ? 0 : Width() - lastWidth_;
    firstResize_ = false;
    // A bar that had no width has no proportions to keep.
    if (autoScalePanes_ && ControlCount() > 0 && change != 0 && lastWidth_ > 0)
        RescalePanes(change);
    lastWidth_ = Width();
}

void TUiStatusBar::RescalePanes(int change) {
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* pane = Controls(i);
        const float ratio = static_cast<float>(pane->Width()) / static_cast<float>(lastWidth_);
        const float grown = static_cast<float>(change) * ratio;
        pane->SetWidth(pane->Width() + static_cast<int>(std::nearbyint(grown)));
    }
    EnableAlign();
}
