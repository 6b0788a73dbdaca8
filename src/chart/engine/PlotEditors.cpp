#include "PlotEditors.h"

#include "PlotCanvas3D.h"
#include "cl_lists.h"

TStringList* PlotCustomEditColors = nullptr;

namespace {

struct EditorsUnit {
    ~EditorsUnit() { FreeAndNil(PlotCustomEditColors); }
} editorsUnit;

// A class-library canvas over a window's DC for as long as it lives.
class WindowCanvas {
public:
    explicit WindowCanvas(HWND window) : window_(window), dc_(GetDC(window)) {
        canvas_.SetHandle(dc_);
    }
    ~WindowCanvas() {
        canvas_.SetHandle(nullptr);
        ReleaseDC(window_, dc_);
    }
    WindowCanvas(const WindowCanvas&) = delete;
    WindowCanvas& operator=(const WindowCanvas&) = delete;
    TCanvas* Canvas() { return &canvas_; }

private:
    HWND window_;
    HDC dc_;
    TCanvas canvas_;
};

}  // namespace

TColor EditColor(TComponent* owner, TColor color) {
    TOwnedPtr<TColorDialog> dialog(new TColorDialog(owner));
    if (PlotCustomEditColors) dialog->CustomColors()->Assign(PlotCustomEditColors);
    dialog->SetColor(color);
    if (!dialog->Execute()) return color;
    if (!PlotCustomEditColors) PlotCustomEditColors = new TStringList;
    PlotCustomEditColors->Assign(dialog->CustomColors());
    return dialog->Color();
}

bool EditColorDialog(TComponent* owner, TColor& color) {
    const TColor chosen = EditColor(owner, color);
    if (chosen == color) return false;
    color = chosen;
    return true;
}

// ---------------------------------------------------------------------------------------------
// TPlotButton

TPlotButton::TPlotButton(TComponent* owner) : TButton(owner) { SetBounds(Left(), Top(), 75, 25); }

void TPlotButton::LinkProperty(TObject* instance, const AnsiString& propertyName) {
    instance_ = instance;
    if (instance) info_ = propertyName.IsEmpty() ? nullptr : FindProperty(instance, propertyName);
    Invalidate();
}

void TPlotButton::PaintSymbol() {
    if (!instance_ || !HandleAllocated()) return;
    WindowCanvas window(Handle());
    TPlotCanvas3D canvas;
    canvas.SetCanvas(window.Canvas());
    DrawSymbol(&canvas);
}

void TPlotButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            TButton::Dispatch(message);
            PaintSymbol();
            return;
        case CM_TEXTCHANGED:
            TButton::Dispatch(message);
            Invalidate();
            return;
        case CM_ENABLEDCHANGED:
            TButton::Dispatch(message);
            Repaint();
            return;
        default:
            TButton::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// TButtonColor

TColor TButtonColor::GetPlotColor() {
    if (GetColorProc) return GetColorProc();
    if (Instance() && Info() && Info()->GetOrd) return ColorToRGB(Info()->GetOrd(Instance()));
    return clNone;
}

void TButtonColor::SetPlotColor(TColor color) {
    if (Instance() && Info() && Info()->SetOrd) Info()->SetOrd(Instance(), color);
}

void TButtonColor::Click() {
    if (Instance()) {
        TColor color = GetPlotColor();
        if (EditColorDialog(this, color)) {
            SetPlotColor(color);
            Repaint();
        }
    }
    TPlotButton::Click();
}

void TButtonColor::DrawSymbol(TPlotCanvas3D* canvas) {
    const TColor color = GetPlotColor();
    if (color == clNone) return;
    const int q = Height() / 4;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    if (!Enabled()) canvas->Pen()->SetStyle(psClear);
    canvas->Rectangle(Width() - 19, Height() - 3 * q, Width() - 6, Height() - q);
}

// ---------------------------------------------------------------------------------------------
// TComboFlat

TComboFlat::TComboFlat(TComponent* owner) : TComboBox(owner) {
    SetStyle(csDropDownList);
    SetItemHeight(13);
    SetBounds(Left(), Top(), Width(), 21);
}

void TComboFlat::PaintFlat() {
    if (mouseInside_ || Focused() || !HandleAllocated()) return;
    WindowCanvas window(Handle());
    TCanvas* canvas = window.Canvas();
    const TRect client = ClientRect();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clBtnFace);
    canvas->Rectangle(client);
    canvas->Rectangle(client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1);
    const int buttonLeft = client.Right - GetSystemMetrics(SM_CXVSCROLL) - 2;
    canvas->Pen()->SetColor(clWindow);
    canvas->Rectangle(buttonLeft, client.Top + 1, client.Right - 1, client.Bottom - 1);
    canvas->MoveTo(client.Right - 2, client.Top);
    canvas->LineTo(client.Right - 2, client.Bottom);
}

void TComboFlat::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            TComboBox::Dispatch(message);
            PaintFlat();
            return;
        case CM_MOUSEENTER:
            TComboBox::Dispatch(message);
            mouseInside_ = true;
            Repaint();
            return;
        case CM_MOUSELEAVE:
        case CM_ENTER:
        case CM_EXIT:
            TComboBox::Dispatch(message);
            mouseInside_ = false;
            Repaint();
            return;
        default:
            TComboBox::Dispatch(message);
    }
}
