// Clips the drawing of one series to the rectangle of its axes.
#pragma once

#include "PlotTools.h"

class TClipSeriesTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TClipSeriesTool, TPlotCustomToolSeries)

    explicit TClipSeriesTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;
    AnsiString Description() const override;
    // Binds the series' before- and after-drawing events to the clip (replacing what was
    // there); the previous series' events are cleared.
    void SetSeries(TChartSeries* series) override;

    void AddClip(TObject* sender);
    void RemoveClip(TObject* sender);
    bool Clipped() const { return clipped_; }

protected:
    ~TClipSeriesTool() override = default;

private:
    static void Unbind(TChartSeries* series);

    bool clipped_ = false;
};
