// The program's own series types: points with drop lines to both axes, and vertical bars whose
// tops are joined by a line. Both are registered in the series gallery at start-up.
#pragma once

#include "BarSeries.h"
#include "LineSeries.h"

class TMyPointSeries : public TPointSeries {
    CL_COMPONENT_CLASS(TMyPointSeries, TPointSeries)

    explicit TMyPointSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    AnsiString GetEditorClass() const override { return "TLinePointEditor"; }
    void DrawValue(int index) override;

    TChartPen* LinesPen() const { return linesPen_; }
    void SetLinesPen(TChartPen* pen) { linesPen_->Assign(pen); }

protected:
    ~TMyPointSeries() override;

private:
    TChartPen* linesPen_;
};

class TBarJoinSeries : public TBarSeries {
    CL_COMPONENT_CLASS(TBarJoinSeries, TBarSeries)

    explicit TBarJoinSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    AnsiString GetEditorClass() const override { return "TBarJoinEditor"; }
    void DoBeforeDrawChart() override;
    void DrawBar(int index, int startPos, int endPos) override;
    int NumSampleValues() override { return 3; }
    void PrepareForGallery(bool enabled) override;

    TChartPen* JoinPen() const { return joinPen_; }
    void SetJoinPen(TChartPen* pen) { joinPen_->Assign(pen); }

protected:
    ~TBarJoinSeries() override;

private:
    TChartPen* joinPen_;
    bool firstBar_ = true;
    TRect previousBar_;
};
