#include "UiPanelDockManager.h"

#include "UiPanel.h"
#include "UiUtils.h"

namespace {
constexpr int PanelGrabberSize = 14;

TUiCustomPanel* CheckedPanel(TWinControl* site) {
    auto* panel = dynamic_cast<TUiCustomPanel*>(site);
    if (!panel) throw EInvalidCast("Invalid class typecast");
    return panel;
}

TFont* NewFont(const char* name) {
    auto* font = new TFont();
    font->SetName(name);
    font->SetSize(8);
    return font;
}
}  // namespace

TUiPanelDockManager::TUiPanelDockManager(TWinControl* dockSite)
    : TDockTree(dockSite), panel_(CheckedPanel(dockSite)), captionFont_(NewFont("Verdana")),
      closeFont_(NewFont("Marlett")) {
    grabberSize_ = PanelGrabberSize;
    if (panel_->InState(csDesigning)) return;
    previousWindowProc_ = panel_->WindowProc;
    panel_->WindowProc = [this](TMessage& message) { WindowProcHook(message); };
    hooked_ = true;
}

TUiPanelDockManager::~TUiPanelDockManager() {
    if (hooked_) panel_->WindowProc = previousWindowProc_;
    delete captionFont_;
    delete closeFont_;
}

void TUiPanelDockManager::WindowProcHook(TMessage& message) {
    if (message.Msg == WM_COMMAND || message.Msg == WM_MOUSEACTIVATE) panel_->Invalidate();
    previousWindowProc_(message);
}

bool TUiPanelDockManager::SiteAlignedHorizontally() const {
    return panel_->Align() == alTop || panel_->Align() == alBottom;
}

void TUiPanelDockManager::AdjustDockRect(TControl*, TRect& rect) {
    if (SiteAlignedHorizontally())
        rect.Left += GrabberSize();
    else
        rect.Top += GrabberSize();
}

void TUiPanelDockManager::DrawVertTitle(TCanvas* canvas, const AnsiString& text, const TRect& rect) {
    HDC dc = canvas->Handle();
    const UINT savedAlign = SetTextAlign(dc, TA_BASELINE);
    OwnedGdiObject font(RotateFont(captionFont_, 90));
    SelectedObject selected(dc, font);
    SetTextColor(dc, ColorToRGB(clCaptionText));
    const RECT clip = ToRECT(rect);
    ExtTextOutA(dc, rect.Right - 2, rect.Bottom - 3, ETO_CLIPPED, &clip, text.c_str(),
                text.Length(), nullptr);
    SetTextAlign(dc, savedAlign);
}

void TUiPanelDockManager::PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect) {
    if (!panel_->ShowDockClientCaptions()) {
        TDockTree::PaintDockFrame(canvas, control, rect);
        return;
    }
    canvas->Font()->Assign(captionFont_);
    auto* windowed = dynamic_cast<TWinControl*>(control);
    const bool active = !windowed || windowed->Focused();
    canvas->Brush()->SetColor(active ? clActiveCaption : clInactiveCaption);
    canvas->Font()->SetColor(active ? clCaptionText : clInactiveCaptionText);
    const AnsiString caption = control->Caption();
    TRect closeBox;
    if (SiteAlignedHorizontally()) {
        const TRect r(rect.Left, rect.Top, rect.Left + PanelGrabberSize, rect.Bottom);
        canvas->FillRect(r);
        DrawVertTitle(canvas, caption, r);
        closeBox = TRect(rect.Left + 1, rect.Top + 1, rect.Left + 12, rect.Top + 12);
    } else {
        const TRect r(rect.Left, rect.Top, rect.Right, rect.Top + PanelGrabberSize);
        canvas->TextRect(r, r.Left + 2, r.Top, caption);
        closeBox = TRect(rect.Right - 15, rect.Top + 1, rect.Right - 2, rect.Top + 12);
    }
    canvas->Font()->SetName(closeFont_->Name());
    canvas->TextRect(closeBox, closeBox.Left, closeBox.Top, "r");
}
