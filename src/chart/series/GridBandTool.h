// Stripes between the grid lines of an axis, filled with two alternating brushes, drawn while
// the axis draws its grid.
#pragma once

#include "PlotTools.h"

// A stripe's brush with its back colour (clNone: the chart's back wall colour) and transparency.
class TGridBandBrush : public TChartBrush {
    CL_CLASS(TGridBandBrush, TChartBrush)

    explicit TGridBandBrush(const TNotifyEvent& onChange = TNotifyEvent());
    void Assign(TPersistent* source) override;

    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    int Transparency() const { return transparency_; }
    void SetTransparency(int value);

private:
    TColor backColor_ = clNone;
    TPlotTransparency transparency_ = 0;
};

class TGridBandTool : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(TGridBandTool, TPlotCustomToolAxis)

    explicit TGridBandTool(TComponent* owner);
    void BeforeDestruction() override;
    AnsiString GetEditorClass() const override { return "TGridBandToolEdit"; }
    AnsiString Description() const override;
    // Moves the grid-drawing hook from the previous axis to the new one.
    void SetAxis(TChartAxis* axis) override;

    TColor BandBackColor(TGridBandBrush* band) const;
    // The axis' grid-drawing hook: fills the stripes between its ticks.
    void DrawGrids(TChartAxis* axis);

    TGridBandBrush* Band1() const { return band1_; }
    void SetBand1(TGridBandBrush* band) { band1_->Assign(band); }
    TGridBandBrush* Band2() const { return band2_; }
    void SetBand2(TGridBandBrush* band) { band2_->Assign(band); }

protected:
    ~TGridBandTool() override;

private:
    void DrawStripe(TChartAxis* axis, TGridBandBrush* band, class TPlotBlend* blend, int a, int b);

    TGridBandBrush* band1_;
    TGridBandBrush* band2_;
};
