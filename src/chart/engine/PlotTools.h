// The bases of chart tools (plain, bound to a series, bound to an axis) with a chart's tool
// list, and the editor hooks: the designer base and the editor bitmap of an element.
#pragma once

#include "PlotSeries.h"

enum TChartToolEvent {
    cteAfterDraw,
    cteBeforeDrawSeries,
    cteBeforeDraw,
    cteBeforeDrawAxes,
    cteAfterDrawSeries,
    cteMouseLeave
};
enum TChartMouseEvent { cmeDown, cmeMove, cmeUp };

class TPlotCustomTool : public TCustomChartElement {
    CL_COMPONENT_CLASS(TPlotCustomTool, TCustomChartElement)

    explicit TPlotCustomTool(TComponent* owner) : TCustomChartElement(owner) {}
    // Moves the tool from the old chart's tool list to the end of the new one's.
    void SetParentChart(TCustomAxisPanel* chart) override;
    virtual void ChartEvent(TChartToolEvent) {}
    // A tool that consumes the event sets the chart's MouseHandled.
    virtual void ChartMouseEvent(TChartMouseEvent, TMouseButton, TShiftState, int, int) {}
    // The tool's name in the tool gallery.
    virtual AnsiString Description() const { return AnsiString(); }

protected:
    ~TPlotCustomTool() override = default;
};

class TPlotCustomToolSeries : public TPlotCustomTool {
    CL_COMPONENT_CLASS(TPlotCustomToolSeries, TPlotCustomTool)

    explicit TPlotCustomToolSeries(TComponent* owner) : TPlotCustomTool(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
    virtual void SetSeries(TChartSeries* series);
    TChartSeries* Series() const { return series_; }
    // The series' axes, or the chart's bottom and left axes without a series.
    TChartAxis* GetHorizAxis() const;
    TChartAxis* GetVertAxis() const;
    AnsiString GetEditorClass() const override { return "TSeriesToolEditor"; }

protected:
    ~TPlotCustomToolSeries() override = default;

private:
    TChartSeries* series_ = nullptr;
};

class TPlotCustomToolAxis : public TPlotCustomTool {
    CL_COMPONENT_CLASS(TPlotCustomToolAxis, TPlotCustomTool)

    explicit TPlotCustomToolAxis(TComponent* owner) : TPlotCustomTool(owner) {}
    // Also moves the tool to the axis' chart.
    virtual void SetAxis(TChartAxis* axis);
    TChartAxis* Axis() const { return axis_; }
    AnsiString GetEditorClass() const override { return "TAxisToolEditor"; }
    // The axis as it is streamed: its index in the chart's axis list, -1 without an axis.
    int AxisID() const;
    void SetAxisID(int index);
    // The axis streamed as "AxisID"; an index outside the chart's axes is refused.
    void DefineProperties(TFiler* filer) override;

protected:
    ~TPlotCustomToolAxis() override = default;

private:
    TChartAxis* axis_ = nullptr;
};

class TChartTools : public TList {
    CL_CLASS(TChartTools, TList)

    explicit TChartTools(TCustomAxisPanel* chart) : chart_(chart) {}
    ~TChartTools() override { Clear(); }
    // Makes the list's chart the tool's parent (which appends it).
    TPlotCustomTool* Add(TPlotCustomTool* tool);
    // Frees every tool.
    void Clear() override;
    TPlotCustomTool* Get(int index) const { return static_cast<TPlotCustomTool*>(Items(index)); }
    void SetActive(bool value);

private:
    TCustomAxisPanel* chart_;
};

// The base of an editor window attached to a chart.
class TPlotCustomDesigner : public TObject {
    CL_CLASS(TPlotCustomDesigner, TObject)

    virtual void Refresh() {}
    virtual void Repaint() {}
};

// Draws the element's editor bitmap at (left, top).
void PlotDrawBitmapEditor(TCanvas* canvas, TCustomChartElement* element, int left, int top);

// Whether the button is down in the shift state of a mouse message (a drag whose release was
// lost, to another window or a message box, arrives as a move without it).
bool MouseButtonHeld(TMouseButton button, const TShiftState& shift);

// Sets the pen's mode (an XOR mode for feedback drawing) and puts it back to pmCopy on every
// way out.
class TPenModeScope {
public:
    TPenModeScope(TPen* pen, TPenMode mode) : pen_(pen) { pen_->SetMode(mode); }
    ~TPenModeScope() { pen_->SetMode(pmCopy); }
    TPenModeScope(const TPenModeScope&) = delete;
    TPenModeScope& operator=(const TPenModeScope&) = delete;

private:
    TPen* pen_;
};
