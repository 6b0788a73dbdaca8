// Area series: the line family with the region between the line and its origin (the axis edge,
// a fixed value or the series below when stacked) filled, vertical and horizontal.
#pragma once

#include "LineSeries.h"

enum TMultiArea { maNone, maStacked, maStacked100 };

class TAreaSeries : public TCustomSeries {
    CL_COMPONENT_CLASS(TAreaSeries, TCustomSeries)

    explicit TAreaSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    AnsiString GetEditorClass() const override { return "TAreaSeriesEditor"; }

    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseOrigin(bool value) { SetBooleanProperty(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetOrigin(double value) { SetDoubleProperty(yOrigin_, value); }
    TMultiArea MultiArea() const;
    void SetMultiArea(TMultiArea value);

    int GetOriginPos(int index) override;
    double MaxXValue() override;
    double MinXValue() override;
    double MaxYValue() override;
    double MinYValue() override;
    bool DrawSeriesForward(int valueIndex) override;
    void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
    void DrawLegendShape(int valueIndex, const TRect& rect) override;
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    void SetSubGallery(int index) override;
    void PrepareForGallery(bool enabled) override;

protected:
    ~TAreaSeries() override = default;

private:
    bool useYOrigin_ = false;
    double yOrigin_ = 0;
};

class THorizAreaSeries : public TAreaSeries {
    CL_COMPONENT_CLASS(THorizAreaSeries, TAreaSeries)

    explicit THorizAreaSeries(TComponent* owner);
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;
    int NumSampleValues() override { return 10; }

protected:
    ~THorizAreaSeries() override = default;
};
