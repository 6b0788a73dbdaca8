#include "PlotPanel.h"

#include <utility>

#include "PlotProcs.h"
#include "PlotPublished.h"
#include "cl_clipboard.h"
#include "cl_filer.h"
#include "cl_forms.h"

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* owner) : TCustomPanel(owner) {
    ControlStyle.erase(csSetCaption);
}

int TPlotEventListeners::Add(IPlotEventListener* listener) {
    for (int i = 0; i < Count(); ++i)
        if (items_[i] == listener) return i;
    items_.push_back(listener);
    return Count() - 1;
}

int TPlotEventListeners::Remove(IPlotEventListener* listener) {
    for (int i = 0; i < Count(); ++i)
        if (items_[i] == listener) {
            items_.erase(items_.begin() + i);
            return i;
        }
    return -1;
}

void TZoomPanning::Activate(int x, int y) {
    X0 = X1 = x;
    Y0 = Y1 = y;
    Active = true;
}

void TZoomPanning::Check() {
    if (X0 > X1) std::swap(X0, X1);
    if (Y0 > Y1) std::swap(Y0, Y1);
}

void DrawBevel(TPlotCanvas* canvas, TBevelCut bevel, TRect& rect, int width, int round) {
    if (bevel == bvNone) return;
    const TColor colors[2] = {clBtnHighlight, clBtnShadow};
    const bool lowered = bevel == bvLowered;
    if (round > 0) {
        canvas->Pen()->SetColor(colors[lowered ? 1 : 0]);
        canvas->RoundRect(rect, round, round);
        rect = {rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width};
        return;
    }
    canvas->Frame3D(rect, colors[lowered ? 1 : 0], colors[bevel == bvRaised ? 1 : 0], width);
}

// ---------------------------------------------------------------------------------------------
// TCustomPlotPanel

TCustomPlotPanel::TCustomPlotPanel(TComponent* owner) : TCustomPanelNoCaption(owner) {
    const TNotifyEvent changed = [this](TObject* sender) { CanvasChanged(sender); };
    border_ = new TChartHiddenPen(changed);
    border_->SetEndStyle(esFlat);
    border_->DefaultEndStyle = esFlat;
    shadow_ = new TPlotShadow(changed);
    view3DOptions_ = new TView3DOptions(this);
    Panning = new TZoomPanning;
    ControlCanvas = Canvas();
    InternalCanvas = new TPlotCanvas3D;
    InternalCanvas->SetCanvas(ControlCanvas);
    SavedCursor = Cursor();
    if (PlotEraseBack) PlotEraseBack = !InState(csDesigning);
    PlotRegisterHandCursor();
    SetBounds(Left(), Top(), 400, 250);
}

TCustomPlotPanel::~TCustomPlotPanel() = default;

void TCustomPlotPanel::BeforeDestruction() {
    TCustomPanelNoCaption::BeforeDestruction();
    FreeAndNil(InternalCanvas);
    FreeAndNil(border_);
    FreeAndNil(shadow_);
    FreeAndNil(view3DOptions_);
    FreeAndNil(Panning);
}

void TCustomPlotPanel::CanvasChanged(TObject*) { Invalidate(); }

void TCustomPlotPanel::Invalidate() {
    if (!RepaintEnabled) return;
    if (InternalCanvas) InternalCanvas->Invalidate();
    TCustomPanelNoCaption::Invalidate();
}

TRect TCustomPlotPanel::GetRectangle() {
    if (!Parent()) return {0, 0, Width(), Height()};
    return GetClientRect();
}

void TCustomPlotPanel::Draw() { Draw(ControlCanvas, GetRectangle()); }

int TCustomPlotPanel::FrameWidth() {
    int frame = BorderWidth();
    if (BevelInner() != bvNone) frame += BevelWidth();
    if (BevelOuter() != bvNone) frame += BevelWidth();
    if (border_->Visible()) frame += border_->Width();
    return frame;
}

void TCustomPlotPanel::Draw(TCanvas* canvas, const TRect& rect) {
    // Whatever the body of the chart does, the panel's repaint switch and the chart canvas's
    // binding to the control come back.
    struct Restore {
        TCustomPlotPanel* panel;
        bool repaintEnabled;
        bool shown = false;
        ~Restore() {
            panel->RepaintEnabled = repaintEnabled;
            if (!shown) panel->InternalCanvas->SetCanvas(panel->ControlCanvas);
        }
    } restore{this, RepaintEnabled};
    DrawBounds = InternalCanvas->InitWindow(canvas, view3DOptions_, Color(), view3D_, rect);
    const int w = DrawBounds.Width(), h = DrawBounds.Height();
    const int frame = FrameWidth();
    auto margin = [this](int index, int size) {
        return marginUnits_ == muPixels ? margins_[index] : margins_[index] * size / 100;
    };
    ChartRect = {DrawBounds.Left + frame + margin(0, w), DrawBounds.Top + frame + margin(1, h),
                 DrawBounds.Right - frame - margin(2, w), DrawBounds.Bottom - frame - margin(3, h)};
    ReCalcWidthHeight();
    InternalDraw(DrawBounds);
    InternalCanvas->ShowImage(canvas, ControlCanvas, rect);
    restore.shown = true;
}

void TCustomPlotPanel::ReCalcWidthHeight() {
    TRect& r = ChartRect;
    if (r.Left < DrawBounds.Left) r.Left = DrawBounds.Left;
    if (r.Top < DrawBounds.Top) r.Top = DrawBounds.Top;
    if (r.Right < r.Left)
        r.Right = r.Left + 1;
    else if (r.Right == r.Left)
        r.Right = r.Left + Width();
    if (r.Bottom < r.Top)
        r.Bottom = r.Top + 1;
    else if (r.Bottom == r.Top)
        r.Bottom = r.Top + Height();
    ChartRectWidth = r.Right - r.Left;
    ChartRectHeight = r.Bottom - r.Top;
    RectCenter(r, ChartRectCenterX, ChartRectCenterY);
}

void TCustomPlotPanel::Paint() {
    if (IsPrinting || !InternalCanvas) return;
    if (!InternalCanvas->ReDrawBitmap()) Draw();
}

void TCustomPlotPanel::DrawPanelBevels(TRect r) {
    TPlotCanvas3D* canvas = InternalCanvas;
    canvas->Brush()->SetStyle(bsClear);
    if (border_->Visible()) {
        canvas->AssignVisiblePen(border_);
        int w;
        if (border_->SmallDots()) {
            w = 1;
        } else {
            w = border_->Width() - 1;
            if (w > 0) {
                r.Left += w / 2 + w % 2;
                r.Top += w / 2 + w % 2;
                int half = w / 2;
                if (half % 2 != 0) --half;
                r.Right -= half;
                r.Bottom -= half;
                w = half;
            }
        }
        if (borderRound_ > 0) {
            --r.Right;
            --r.Bottom;
            canvas->RoundRect(r, borderRound_, borderRound_);
        } else {
            canvas->Rectangle(r);
            if (!border_->SmallDots()) ++w;
        }
        r = {r.Left + w, r.Top + w, r.Right - w, r.Bottom - w};
    }
    if (IsPrinting && !PrintPlotPanel) return;
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetMode(pmCopy);
    DrawBevel(canvas, BevelOuter(), r, BevelWidth(), borderRound_);
    if (BorderWidth() > 0) canvas->Frame3D(r, Color(), Color(), BorderWidth());
    DrawBevel(canvas, BevelInner(), r, BevelWidth(), borderRound_);
}

void TCustomPlotPanel::SetBrushCanvas(TColor color, TChartBrush* brush, TColor backColor) {
    if (brush->Style() != bsSolid && color == backColor)
        color = backColor == clBlack ? clWhite : clBlack;
    InternalCanvas->AssignBrushColor(brush, color, backColor);
}

bool TCustomPlotPanel::CanClip() {
    if (InternalCanvas->GetSupportsFullRotation()) return false;
    if (IsPrinting && !PlotClipWhenPrinting) return false;
    if (InternalCanvas->Metafiling && !PlotClipWhenMetafiling) return false;
    return true;
}

bool TCustomPlotPanel::IsScreenHighColor() {
    if (InternalCanvas->GetSupportsFullRotation()) return true;
    HDC dc = InternalCanvas->GetHandle();
    return GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) >= 15;
}

TPoint TCustomPlotPanel::GetCursorPos() { return ScreenToClient(Mouse->CursorPos()); }

// ---------------------------------------------------------------------------------------------
// Setters

void TCustomPlotPanel::SetStringProperty(AnsiString& field, const AnsiString& value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TCustomPlotPanel::SetDoubleProperty(double& field, double value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TCustomPlotPanel::SetColorProperty(TColor& field, TColor value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TCustomPlotPanel::SetBooleanProperty(bool& field, bool value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TCustomPlotPanel::SetIntegerProperty(int& field, int value) {
    if (field == value) return;
    field = value;
    Invalidate();
}

void TCustomPlotPanel::SetMarginUnits(TPlotUnits value) {
    if (value == marginUnits_) return;
    marginUnits_ = value;
    Invalidate();
}

void TCustomPlotPanel::SetView3D(bool value) {
    if (value == view3D_) return;
    view3D_ = value;
    Invalidate();
    TPlotView3DEvent event;
    BroadcastPlotEvent(&event);
}

void TCustomPlotPanel::SetBorderRound(int value) {
    if (value == borderRound_) return;
    borderRound_ = value;
    if (!InState(csLoading)) SetControlRounded();
}

void TCustomPlotPanel::SetControlRounded() {
    if (settingRegion_ || !Parent()) return;
    settingRegion_ = true;
    HRGN region = borderRound_ > 0
                      ? CreateRoundRectRgn(0, 0, Width(), Height(), borderRound_, borderRound_)
                      : nullptr;
    SetWindowRgn(Handle(), region, TRUE);
    settingRegion_ = false;
}

void TCustomPlotPanel::SetInternalCanvas(TPlotCanvas3D* canvas) {
    if (!canvas) return;
    canvas->SetCanvas(ControlCanvas);
    if (InternalCanvas) {
        const bool repaint = RepaintEnabled;
        RepaintEnabled = false;
        canvas->Assign(InternalCanvas);
        RepaintEnabled = repaint;
        TObject::Free(InternalCanvas);
    }
    InternalCanvas = canvas;
    if (RepaintEnabled) Invalidate();
}

void TCustomPlotPanel::Loaded() {
    TCustomPanelNoCaption::Loaded();
    SavedCursor = Cursor();
    if (borderRound_ > 0) SetControlRounded();
}

void TCustomPlotPanel::Resize() {
    TCustomPanelNoCaption::Resize();
    if (!InState(csLoading) && borderRound_ > 0) SetControlRounded();
}

void TCustomPlotPanel::CreateParams(TCreateParams& params) {
    TCustomPanelNoCaption::CreateParams(params);
    if (Color() == clNone) params.ExStyle |= WS_EX_TRANSPARENT;
    if (InternalCanvas) InternalCanvas->View3DOptions = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Events

TPlotEvent* TCustomPlotPanel::BroadcastPlotEvent(TPlotEvent* event) {
    if (InState(csDestroying)) return event;
    event->Sender = this;
    const bool mouse = dynamic_cast<TPlotMouseEvent*>(event) != nullptr;
    for (int i = 0; i < listeners_.Count(); ++i) {
        listeners_.Get(i)->HandlePlotEvent(event);
        if (mouse && MouseHandled) break;
    }
    return event;
}

void TCustomPlotPanel::BroadcastMouseEvent(TPlotMouseEventKind kind, TMouseButton button,
                                           TShiftState shift, int x, int y) {
    if (listeners_.Count() == 0) return;
    TPlotMouseEvent event;
    event.Event = kind;
    event.Button = button;
    event.Shift = shift;
    event.X = x;
    event.Y = y;
    BroadcastPlotEvent(&event);
}

void TCustomPlotPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    MouseHandled = false;
    TCustomPanelNoCaption::MouseDown(button, shift, x, y);
    BroadcastMouseEvent(meDown, button, shift, x, y);
}

void TCustomPlotPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomPanelNoCaption::MouseUp(button, shift, x, y);
    BroadcastMouseEvent(meUp, button, shift, x, y);
}

void TCustomPlotPanel::MouseMove(TShiftState shift, int x, int y) {
    MouseHandled = false;
    TCustomPanelNoCaption::MouseMove(shift, x, y);
    if (!InState(csDesigning)) BroadcastMouseEvent(meMove, mbLeft, shift, x, y);
}

void TCustomPlotPanel::DblClick() {
    MouseHandled = false;
    TCustomPanelNoCaption::DblClick();
    if (MouseHandled) Abort();
}

void TCustomPlotPanel::Dispatch(TMessage& message) {
    switch (message.Msg) {
        case CM_MOUSELEAVE:
            SetCursor(SavedCursor);
            Panning->Active = false;
            TCustomPanelNoCaption::Dispatch(message);
            return;
        case WM_GETDLGCODE:
            TCustomPanelNoCaption::Dispatch(message);
            message.Result |= DLGC_WANTARROWS;
            return;
        case WM_ERASEBKGND:
            if (PlotEraseBack) TCustomPanelNoCaption::Dispatch(message);
            message.Result = 1;
            return;
        case CM_SYSCOLORCHANGE:
            TCustomPanelNoCaption::Dispatch(message);
            Invalidate();
            return;
        default:
            TCustomPanelNoCaption::Dispatch(message);
    }
}

// ---------------------------------------------------------------------------------------------
// Export

void TCustomPlotPanel::NonBufferDraw(TCanvas* canvas, const TRect& rect) {
    struct Restore {
        TPlotCanvas3D* canvas;
        bool buffered;
        ~Restore() { canvas->SetUseBuffer(buffered); }
    } restore{InternalCanvas, InternalCanvas->GetUseBuffer()};
    InternalCanvas->SetUseBuffer(false);
    Draw(canvas, rect);
}

void TCustomPlotPanel::DrawToMetaCanvas(TCanvas* canvas, const TRect& rect) {
    struct Restore {
        TPlotCanvas3D* canvas;
        ~Restore() { canvas->Metafiling = false; }
    } restore{InternalCanvas};
    InternalCanvas->Metafiling = true;
    NonBufferDraw(canvas, rect);
}

TBitmap* TCustomPlotPanel::PlotCreateBitmap(TColor color, const TRect& rect, TPixelFormat format) {
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    bitmap->SetPixelFormat(InternalCanvas->GetSupportsFullRotation() ? pf24bit : format);
    bitmap->SetSize(rect.Width(), rect.Height());
    if (color != clWhite) {
        bitmap->Canvas()->Brush()->SetColor(color);
        bitmap->Canvas()->FillRect(rect);
    }
    NonBufferDraw(bitmap->Canvas(), rect);
    return bitmap.release();
}

void TCustomPlotPanel::SaveToBitmapFile(const AnsiString& fileName) {
    SaveToBitmapFile(fileName, GetRectangle());
}

void TCustomPlotPanel::SaveToBitmapFile(const AnsiString& fileName, const TRect& rect) {
    TOwnedPtr<TBitmap> bitmap(PlotCreateBitmap(clWhite, rect));
    bitmap->SaveToFile(fileName);
}

void TCustomPlotPanel::CopyToClipboardBitmap() { CopyToClipboardBitmap(GetRectangle()); }

void TCustomPlotPanel::CopyToClipboardBitmap(const TRect& rect) {
    TOwnedPtr<TBitmap> bitmap(PlotCreateBitmap(clWhite, rect));
    Clipboard()->Assign(bitmap.get());
}

TMetafile* TCustomPlotPanel::PlotCreateMetafile(bool enhanced, const TRect& rect) {
    TOwnedPtr<TMetafile> metafile(new TMetafile);
    metafile->SetEnhanced(enhanced);
    metafile->SetWidth(Max(1, rect.Width()));
    metafile->SetHeight(Max(1, rect.Height()));
    {
        TOwnedPtr<TMetafileCanvas> canvas(new TMetafileCanvas(metafile.get(), nullptr));
        DrawToMetaCanvas(canvas.get(), rect);
    }
    return metafile.release();
}

void TCustomPlotPanel::SaveToMetafile(const AnsiString& fileName) {
    SaveToMetafileRect(false, fileName, GetRectangle());
}

void TCustomPlotPanel::SaveToMetafileEnh(const AnsiString& fileName) {
    SaveToMetafileRect(true, fileName, GetRectangle());
}

void TCustomPlotPanel::SaveToMetafileRect(bool enhanced, const AnsiString& fileName,
                                          const TRect& rect) {
    TOwnedPtr<TMetafile> metafile(PlotCreateMetafile(enhanced, rect));
    metafile->SaveToFile(fileName);
}

void TCustomPlotPanel::CopyToClipboardMetafile(bool enhanced) {
    CopyToClipboardMetafile(enhanced, GetRectangle());
}

void TCustomPlotPanel::CopyToClipboardMetafile(bool enhanced, const TRect& rect) {
    TOwnedPtr<TMetafile> metafile(PlotCreateMetafile(enhanced, rect));
    Clipboard()->Assign(metafile.get());
}

void TCustomPlotPanel::AssignTo(TPersistent* dest) {
    if (dynamic_cast<TGraphic*>(dest) || dynamic_cast<TPicture*>(dest)) {
        TOwnedPtr<TBitmap> bitmap(PlotCreateBitmap(Color(), GetRectangle()));
        dest->Assign(bitmap.get());
        return;
    }
    TCustomPanelNoCaption::AssignTo(dest);
}

void TCustomPlotPanel::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomPlotPanel*>(source);
    if (!other) {
        TCustomPanelNoCaption::Assign(source);
        return;
    }
    border_->Assign(other->border_);
    borderRound_ = other->borderRound_;
    SetBufferedDisplay(other->GetBufferedDisplay());
    for (int i = 0; i < 4; ++i) PrintMargins[i] = other->PrintMargins[i];
    PrintProportional = other->PrintProportional;
    PrintShrinkPercent = other->PrintShrinkPercent;
    for (int i = 0; i < 4; ++i) margins_[i] = other->margins_[i];
    marginUnits_ = other->marginUnits_;
    SetMonochrome(other->GetMonochrome());
    shadow_->Assign(other->shadow_);
    view3D_ = other->view3D_;
    view3DOptions_->Assign(other->view3DOptions_);
    SetColor(other->Color());
}

// ---------------------------------------------------------------------------------------------
// Printing

void TCustomPlotPanel::PrintPartialCanvas(TCanvas* canvas, const TRect& rect) {
    HDC dc = canvas->Handle();
    // The target in the canvas's device units, as the chart's own mapping replaces the one the
    // canvas draws with (a PDF page maps its page dots onto its reference device).
    const TRect target = OrientRectangle(rect);
    POINT corners[2] = {{target.Left, target.Top}, {target.Right, target.Bottom}};
    LPtoDP(dc, corners, 2);
    TRect r(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    const TRect panel = GetRectangle();
    const int tw = r.Width(), th = r.Height();
    const int pw = panel.Width(), ph = panel.Height();
    const int lw = pw - MulDiv(pw, PrintShrinkPercent, 100);
    const int lh = ph - MulDiv(ph, PrintShrinkPercent, 100);
    // An empty target or chart has nothing to scale into.
    if (tw <= 0 || th <= 0 || lw <= 0 || lh <= 0) return;
    r = {MulDiv(r.Left, lw, tw), MulDiv(r.Top, lh, th), MulDiv(r.Right, lw, tw),
         MulDiv(r.Bottom, lh, th)};
    // The target's mapping comes back on every exit.
    struct Mapping {
        HDC dc;
        int mode;
        SIZE windowExt, viewportExt;
        POINT windowOrg, viewportOrg;
        explicit Mapping(HDC d) : dc(d), mode(GetMapMode(d)) {
            GetWindowExtEx(dc, &windowExt);
            GetViewportExtEx(dc, &viewportExt);
            GetWindowOrgEx(dc, &windowOrg);
            GetViewportOrgEx(dc, &viewportOrg);
        }
        ~Mapping() {
            SetMapMode(dc, mode);
            if (mode == MM_ANISOTROPIC || mode == MM_ISOTROPIC) {
                SetWindowExtEx(dc, windowExt.cx, windowExt.cy, nullptr);
                SetViewportExtEx(dc, viewportExt.cx, viewportExt.cy, nullptr);
            }
            SetWindowOrgEx(dc, windowOrg.x, windowOrg.y, nullptr);
            SetViewportOrgEx(dc, viewportOrg.x, viewportOrg.y, nullptr);
        }
    } mapping(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, lw, lh, nullptr);
    SetViewportExtEx(dc, tw, th, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    struct Printing {
        TCustomPlotPanel* panel;
        TCanvas* canvas;
        bool clipped = false;
        ~Printing() {
            if (clipped) UnClipCanvas(canvas);
            panel->IsPrinting = false;
        }
    } printing{this, canvas};
    IsPrinting = true;
    if (CanClip()) {
        ClipCanvas(canvas, r);
        printing.clipped = true;
    }
    if (OnBeforePrint) OnBeforePrint(this, canvas, r);
    DrawToMetaCanvas(canvas, r);
}

void TCustomPlotPanel::PrintPartial(const TRect& rect) {
    PrintPartialCanvas(::Printer()->Canvas(), rect);
}

void TCustomPlotPanel::PrintRect(const TRect& rect) {
    TPrinter* printer = ::Printer();
    if (!Name().IsEmpty()) printer->SetTitle(Name());
    printer->BeginDoc();
    try {
        PrintPartial(rect);
        printer->EndDoc();
    } catch (...) {
        if (printer->Printing()) printer->Abort();
        if (printer->Printing()) printer->EndDoc();
        throw;
    }
}

TRect TCustomPlotPanel::ChartPrintRect() {
    if (PrintProportional) {
        const TRect m = CalcProportionalMargins();
        PrintMargins[0] = m.Left;
        PrintMargins[1] = m.Top;
        PrintMargins[2] = m.Right;
        PrintMargins[3] = m.Bottom;
    }
    TPrinter* printer = ::Printer();
    const int pw = printer->PageWidth(), ph = printer->PageHeight();
    const int dx = printer->DeviceCaps(LOGPIXELSX), dy = printer->DeviceCaps(LOGPIXELSY);
    const double kx = pw * 0.01 / dx, ky = ph * 0.01 / dy;
    return {static_cast<int>(Round(dx * PrintMargins[0] * kx)),
            static_cast<int>(Round(dy * PrintMargins[1] * ky)),
            pw - static_cast<int>(Round(dx * PrintMargins[2] * kx)),
            ph - static_cast<int>(Round(dy * PrintMargins[3] * ky))};
}

TRect TCustomPlotPanel::CalcProportionalMargins() {
    const TRect r = GetRectangle();
    const double w = r.Width(), h = r.Height();
    double pageWidth, pageHeight, c = 1;
    try {
        TPrinter* printer = ::Printer();
        pageWidth = printer->PageWidth();
        pageHeight = printer->PageHeight();
        c = static_cast<double>(printer->DeviceCaps(LOGPIXELSX)) / printer->DeviceCaps(LOGPIXELSY);
    } catch (const EPrinter&) {
        pageWidth = Screen->Width();
        pageHeight = Screen->Height();
        c = 1;
    }
    auto m = [c](double a, double b, double x) {
        return static_cast<int>(Round(100 * (b - 0.7 * a * x * c) / b)) / 2;
    };
    if (w > h) {
        const int v = m(pageWidth, pageHeight, h / w);
        return {15, v, 15, v};
    }
    const int v = m(pageHeight, pageWidth, h > 0 ? w / h : 0);
    return {v, 15, v, 15};
}

void TCustomPlotPanel::Print() { PrintRect(ChartPrintRect()); }

void TCustomPlotPanel::PrintOrientation(TPrinterOrientation orientation) {
    TPrinter* printer = ::Printer();
    struct Restore {
        TPrinter* printer;
        TPrinterOrientation saved;
        ~Restore() { printer->SetOrientation(saved); }
    } restore{printer, printer->Orientation()};
    printer->SetOrientation(orientation);
    Print();
}

// ---------------------------------------------------------------------------------------------
// Streaming

void TCustomPlotPanel::DefineProperties(TFiler* filer) {
    TCustomPanelNoCaption::DefineProperties(filer);
    filer->DefineProperty(
        "BorderStyle",
        [this](TReader* reader) {
            SetBorderStyle(reader->ReadIdent() == "bsSingle" ? bsSingle : bsNone);
        },
        nullptr, false);
}

namespace {

TPropertyInfo MarginProperty(const char* name, int index, int def) {
    TPropertyInfo info;
    info.Name = name;
    info.Kind = pkInteger;
    info.GetOrd = [index](TObject* o) {
        return static_cast<TCustomPlotPanel*>(o)->GetMargin(index);
    };
    info.SetOrd = [index](TObject* o, int v) {
        static_cast<TCustomPlotPanel*>(o)->SetMargin(index, v);
    };
    info.HasDefault = true;
    info.DefaultOrd = def;
    return info;
}

// The chart panel's published properties, for the component streams.
const bool panelPropertiesRegistered = [] {
    using P = TCustomPlotPanel;
    const TMetaClass* panel = P::StaticClass();
    RegisterProperty(panel, SubObjectProperty<P>("Border", &P::Border));
    RegisterProperty(panel, OrdinalProperty<P>("BorderRound", pkInteger, &P::BorderRound,
                                               &P::SetBorderRound, 0));
    RegisterProperty(panel, MarginProperty("MarginLeft", 0, 3));
    RegisterProperty(panel, MarginProperty("MarginTop", 1, 4));
    RegisterProperty(panel, MarginProperty("MarginRight", 2, 3));
    RegisterProperty(panel, MarginProperty("MarginBottom", 3, 4));
    RegisterProperty(panel, EnumProperty<P>("MarginUnits", &P::MarginUnits, &P::SetMarginUnits,
                                            {"muPercent", "muPixels"}, muPercent));
    RegisterProperty(panel, SubObjectProperty<P>("Shadow", &P::Shadow));
    RegisterProperty(panel, OrdinalProperty<P>("View3D", pkBool, &P::View3D, &P::SetView3D, 1));
    RegisterProperty(panel, SubObjectProperty<P>("View3DOptions", &P::View3DOptions));
    return true;
}();

}  // namespace
