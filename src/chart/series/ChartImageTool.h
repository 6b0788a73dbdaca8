// Draws a picture behind the series, stretched over a series' value range or the axes' range.
#pragma once

#include "PlotTools.h"

class TChartImageTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TChartImageTool, TPlotCustomToolSeries)

    explicit TChartImageTool(TComponent* owner);
    AnsiString GetEditorClass() const override { return "TChartImageToolEditor"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void SetSeries(TChartSeries* series) override;

    // The picture's rectangle in pixels before projection.
    TRect TargetRect();

    TPicture* Picture() const { return picture_; }
    void SetPicture(TPicture* picture) { picture_->Assign(picture); }

protected:
    ~TChartImageTool() override;

private:
    TPicture* picture_;
};
