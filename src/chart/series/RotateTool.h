// Turns a chart into 3-D and rotates and tilts it while the user drags the mouse.
#pragma once

#include "PlotTools.h"

enum TRotateToolStyles { rsAll, rsRotation, rsElevation };

class TRotateTool : public TPlotCustomTool {
    CL_COMPONENT_CLASS(TRotateTool, TPlotCustomTool)

    explicit TRotateTool(TComponent* owner);
    void BeforeDestruction() override;
    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    AnsiString GetEditorClass() const override { return "TRotateToolEditor"; }
    AnsiString Description() const override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // The rotation angle moved by `change` degrees, kept within 0 .. 360.
    static int RotationChange(bool fullRotation, int value, int change);
    // The elevation angle moved by `change` degrees: at most 360, and at least 0 with full
    // rotation, else at least 270.
    static int ElevationChange(bool fullRotation, int value, int change);

    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { inverted_ = value; }
    TRotateToolStyles Style() const { return style_; }
    void SetStyle(TRotateToolStyles value) { style_ = value; }
    bool Dragging() const { return dragging_; }

    TNotifyEvent OnRotate;

protected:
    ~TRotateTool() override = default;

private:
    void Rotate(int x, int y);
    // Ends a drag however it ends (release, lost release, deactivation, leaving the chart):
    // the chart repaints again.
    void EndDrag();
    void DrawWireFrame();

    TMouseButton button_ = mbLeft;
    bool inverted_ = false;
    TRotateToolStyles style_ = rsAll;
    bool dragging_ = false;
    bool firstStep_ = false;
    TPoint last_;
    // The chart's repaint switch while the wire frame replaces repainting.
    TCustomAxisPanel* frozenChart_ = nullptr;
    bool savedRepaint_ = true;
};
