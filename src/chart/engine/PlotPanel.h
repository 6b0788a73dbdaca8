// The chart panel: owns the chart canvas, works out the chart rectangle, paints the frame, tells
// listeners of events and renders onto window, bitmap, metafile, clipboard, printer or a canvas.
#pragma once

#include <vector>

#include "PlotCanvas3D.h"
#include "PlotPens.h"
#include "PlotShadow.h"
#include "PlotView3D.h"
#include "cl_extctrls.h"
#include "cl_printer.h"

class TChartAxis;
class TChartSeries;
class TCustomPlotPanel;

// A panel whose caption never takes the component's name.
class TCustomPanelNoCaption : public TCustomPanel {
    CL_CLASS(TCustomPanelNoCaption, TCustomPanel)

    explicit TCustomPanelNoCaption(TComponent* owner);

protected:
    ~TCustomPanelNoCaption() override = default;
};

enum TPlotUnits { muPercent, muPixels };
using TPlotPrintEvent = std::function<void(TObject* sender, TCanvas* canvas, const TRect& rect)>;

// Events told to the panel's listeners.
class TPlotEvent : public TObject {
    CL_CLASS(TPlotEvent, TObject)

    TCustomPlotPanel* Sender = nullptr;
};

enum TPlotMouseEventKind { meDown, meUp, meMove };

class TPlotMouseEvent : public TPlotEvent {
    CL_CLASS(TPlotMouseEvent, TPlotEvent)

    TPlotMouseEventKind Event = meDown;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    int X = 0;
    int Y = 0;
};

class TPlotView3DEvent : public TPlotEvent {
    CL_CLASS(TPlotView3DEvent, TPlotEvent)
};

class IPlotEventListener {
public:
    virtual void HandlePlotEvent(TPlotEvent* event) = 0;

protected:
    ~IPlotEventListener() = default;
};

// The receivers of a panel's events, each at most once.
class TPlotEventListeners {
public:
    // The listener's index; the one it already had when present.
    int Add(IPlotEventListener* listener);
    // The index it had, -1 when absent.
    int Remove(IPlotEventListener* listener);
    IPlotEventListener* Get(int index) const { return items_[index]; }
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<IPlotEventListener*> items_;
};

// The state of a mouse drag: start and current end in client pixels.
class TZoomPanning : public TPersistent {
    CL_CLASS(TZoomPanning, TPersistent)

    // Start and end at (x, y), active.
    void Activate(int x, int y);
    // Orders start and end so that the start is top-left of the end.
    void Check();

    bool Active = false;
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};

// A panel bevel on the chart canvas: highlight and shadow frames (a rounded rectangle with
// `round` > 0); the rectangle shrinks by `width`.
void DrawBevel(TPlotCanvas* canvas, TBevelCut bevel, TRect& rect, int width, int round);

class TCustomPlotPanel : public TCustomPanelNoCaption {
    CL_CLASS(TCustomPlotPanel, TCustomPanelNoCaption)

    explicit TCustomPlotPanel(TComponent* owner);
    void BeforeDestruction() override;
    // The legacy "BorderStyle": bsSingle shows the border pen, anything else hides it.
    void DefineProperties(TFiler* filer) override;

    // ---- Drawing ----
    virtual TColor GetBackColor() { return Color(); }
    // The body of the chart; empty here.
    virtual void InternalDraw(const TRect&) {}
    virtual void CanvasChanged(TObject* sender);
    void Draw();
    virtual void Draw(TCanvas* canvas, const TRect& rect);
    // The client rectangle, or (0, 0, Width, Height) without a parent.
    virtual TRect GetRectangle();
    void Invalidate() override;
    // Normalises ChartRect against DrawBounds and recomputes its size and centre.
    void ReCalcWidthHeight();
    virtual void DrawPanelBevels(TRect rect);
    void SetBrushCanvas(TColor color, TChartBrush* brush, TColor backColor);
    bool CanClip();
    bool IsScreenHighColor();
    TPoint GetCursorPos();

    // ---- What the chart class supplies (walls, titles, legend, series colours) ----
    virtual void CalcWallsRect() = 0;
    virtual int CalcWallSize(TChartAxis* axis) = 0;
    virtual void DrawTitlesAndLegend(bool beforeSeries) = 0;
    virtual void DrawWalls() = 0;
    virtual bool IsFreeSeriesColor(TColor color, bool checkBackground, TChartSeries* series) = 0;

    // ---- Change-only setters: assign and repaint only when the value differs ----
    void SetStringProperty(AnsiString& field, const AnsiString& value);
    void SetDoubleProperty(double& field, double value);
    void SetColorProperty(TColor& field, TColor value);
    void SetBooleanProperty(bool& field, bool value);
    void SetIntegerProperty(int& field, int value);

    // ---- Properties ----
    int GetMargin(int index) const { return margins_[index]; }
    void SetMargin(int index, int value) { SetIntegerProperty(margins_[index], value); }
    TPlotUnits MarginUnits() const { return marginUnits_; }
    void SetMarginUnits(TPlotUnits value);
    TChartHiddenPen* Border() const { return border_; }
    void SetBorder(TChartPen* pen) { border_->Assign(pen); }
    int BorderRound() const { return borderRound_; }
    void SetBorderRound(int value);
    TPlotShadow* Shadow() const { return shadow_; }
    void SetShadow(TPlotShadow* shadow) { shadow_->Assign(shadow); }
    bool View3D() const { return view3D_; }
    void SetView3D(bool value);
    TView3DOptions* View3DOptions() const { return view3DOptions_; }
    void SetView3DOptions(TView3DOptions* options) { view3DOptions_->Assign(options); }
    bool GetMonochrome() { return InternalCanvas->GetMonochrome(); }
    void SetMonochrome(bool value) { InternalCanvas->SetMonochrome(value); }
    bool GetBufferedDisplay() { return InternalCanvas->GetUseBuffer(); }
    void SetBufferedDisplay(bool value) { InternalCanvas->SetUseBuffer(value); }
    // Legacy: bsSingle means a visible border pen.
    TBorderStyle GetBorderStyle() const { return border_->Visible() ? bsSingle : bsNone; }
    void SetBorderStyle(TBorderStyle value) { border_->SetVisible(value == bsSingle); }
    void SetControlRounded();
    void SetInternalCanvas(TPlotCanvas3D* canvas);

    // ---- Listeners ----
    TPlotEventListeners& Listeners() { return listeners_; }
    void RemoveListener(IPlotEventListener* listener) { listeners_.Remove(listener); }
    TPlotEvent* BroadcastPlotEvent(TPlotEvent* event);
    void BroadcastMouseEvent(TPlotMouseEventKind kind, TMouseButton button, TShiftState shift,
                             int x, int y);

    // ---- Export ----
    TBitmap* PlotCreateBitmap(TColor color, const TRect& rect, TPixelFormat format = pfDevice);
    void SaveToBitmapFile(const AnsiString& fileName);
    void SaveToBitmapFile(const AnsiString& fileName, const TRect& rect);
    TMetafile* PlotCreateMetafile(bool enhanced, const TRect& rect);
    void SaveToMetafile(const AnsiString& fileName);
    void SaveToMetafileEnh(const AnsiString& fileName);
    void SaveToMetafileRect(bool enhanced, const AnsiString& fileName, const TRect& rect);
    void CopyToClipboardBitmap();
    void CopyToClipboardBitmap(const TRect& rect);
    void CopyToClipboardMetafile(bool enhanced);
    void CopyToClipboardMetafile(bool enhanced, const TRect& rect);
    void AssignTo(TPersistent* dest) override;
    void Assign(TPersistent* source) override;

    // ---- Printing ----
    // Draws the chart at the panel's own size, scaled by the device into `rect` of `canvas`.
    void PrintPartialCanvas(TCanvas* canvas, const TRect& rect);
    void PrintPartial(const TRect& rect);
    void PrintRect(const TRect& rect);
    TRect ChartPrintRect();
    TRect CalcProportionalMargins();
    void Print();
    void PrintPortrait() { PrintOrientation(poPortrait); }
    void PrintLandscape() { PrintOrientation(poLandscape); }
    void PrintOrientation(TPrinterOrientation orientation);
    void DrawToMetaCanvas(TCanvas* canvas, const TRect& rect);
    void NonBufferDraw(TCanvas* canvas, const TRect& rect);

    // ---- State ----
    bool DepthPerSeries = true;
    bool RepaintEnabled = true;
    bool MouseHandled = false;
    // The rectangle of the current drawing, as the canvas's InitWindow returned it.
    // (Named ChartBounds by the chart types.)
    TRect DrawBounds;
    // The area for axes and series; titles, legend and axes shrink it while drawing.
    TRect ChartRect;
    // (ChartWidth and ChartHeight for the chart types.)
    int ChartRectWidth = 0, ChartRectHeight = 0;
    // (ChartXCenter and ChartYCenter for the chart types.)
    int ChartRectCenterX = 0, ChartRectCenterY = 0;
    TCanvas* ControlCanvas = nullptr;
    // 3-D depth in pixels (Height3D and Width3D for the chart types).
    int DepthHeight = 0;
    int DepthWidth = 0;
    TPlotPrintEvent OnBeforePrint;
    TCursor SavedCursor = crDefault;
    TZoomPanning* Panning = nullptr;
    bool IsPrinting = false;
    int PrintMargins[4] = {15, 15, 15, 15};
    bool PrintProportional = true;
    int PrintShrinkPercent = 0;
    TPlotCanvas3D* InternalCanvas = nullptr;

protected:
    ~TCustomPlotPanel() override;
    void Paint() override;
    void Loaded() override;
    void Resize() override;
    void CreateParams(TCreateParams& params) override;
    void Dispatch(TMessage& message) override;
    void DblClick() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // The frame width inside DrawBounds: border, bevels and border pen.
    int FrameWidth();

private:
    int margins_[4] = {3, 4, 3, 4};
    TPlotUnits marginUnits_ = muPercent;
    TChartHiddenPen* border_ = nullptr;
    int borderRound_ = 0;
    TPlotShadow* shadow_ = nullptr;
    bool view3D_ = true;
    TView3DOptions* view3DOptions_ = nullptr;
    TPlotEventListeners listeners_;
    bool settingRegion_ = false;
};
