// The fast line series: a polyline drawn with one pen and one LineTo per point, optionally
// extended on screen point by point without a repaint.
#pragma once

#include "LineSeries.h"

class TFastLineSeries : public TCustomLineSeries {
    CL_COMPONENT_CLASS(TFastLineSeries, TCustomLineSeries)

    explicit TFastLineSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    AnsiString GetEditorClass() const override { return "TFastLineSeriesEditor"; }

    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    bool DrawAllPoints() const { return drawAllPoints_; }
    void SetDrawAllPoints(bool value) { SetBooleanProperty(drawAllPoints_, value); }
    bool IgnoreNulls() const { return ignoreNulls_; }
    void SetIgnoreNulls(bool value) { SetBooleanProperty(ignoreNulls_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { SetBooleanProperty(invertedStairs_, value); }
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { SetBooleanProperty(stairs_, value); }
    bool FastPen() const { return fastPen_; }
    // Only when the system offers the device-context pen colour.
    void SetFastPen(bool value);

    void SetSeriesColor(TColor color) override;
    void SetPen(TChartPen* pen) override;
    TPoint CalcPosition(int index);
    void CalcHorizMargins(int& left, int& right) override;
    void CalcVerticalMargins(int& top, int& bottom) override;
    void DrawAllValues() override;
    void DrawValue(int index) override;
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;
    void DrawLegendShape(int valueIndex, const TRect& rect) override;
    void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
    void NotifyNewValue(TChartSeries* sender, int valueIndex) override;
    int Clicked(int x, int y) override;
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    void SetSubGallery(int index) override;

protected:
    ~TFastLineSeries() override = default;

private:
    void PrepareCanvas();
    void MoveToPoint(const TPoint& p);
    void LineToPoint(const TPoint& p);

    bool autoRepaint_ = true;
    bool drawAllPoints_ = true;
    bool ignoreNulls_ = true;
    bool invertedStairs_ = false;
    bool stairs_ = false;
    bool fastPen_ = false;
    TPoint previous_;
};
