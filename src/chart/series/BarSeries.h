// The bar family of series: vertical and horizontal bars of thirteen shapes, arranged side by
// side, stacked, stacked to 100 % or one series per slot across the bar series of a chart.
#pragma once

#include <functional>

#include "PlotGradient.h"
#include "PlotSeries.h"

enum TBarStyle {
    bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow, bsRectGradient,
    bsCone, bsBevel, bsSlantCube, bsDiamond, bsInvArrow, bsInvCone
};
enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };

using TGetBarStyleEvent = std::function<void(TObject* sender, int valueIndex, TBarStyle& style)>;

// The gradient of one bar; its end colour is the bar's colour.
class TBarSeriesGradient : public TCustomPlotGradient {
    CL_CLASS(TBarSeriesGradient, TCustomPlotGradient)

    explicit TBarSeriesGradient(const TNotifyEvent& onChange);
    void Assign(TPersistent* source) override;
    bool Relative() const { return relative_; }
    void SetRelative(bool value);

private:
    bool relative_ = false;
};

class TCustomBarSeries : public TChartSeries {
    CL_COMPONENT_CLASS(TCustomBarSeries, TChartSeries)

    explicit TCustomBarSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    AnsiString GetEditorClass() const override { return "TBarSeriesEditor"; }

    // ---- Settings ----
    bool AutoBarSize() const { return autoBarSize_; }
    void SetAutoBarSize(bool value) { SetBooleanProperty(autoBarSize_, value); }
    bool AutoMarkPosition() const { return autoMarkPosition_; }
    void SetAutoMarkPosition(bool value) { SetBooleanProperty(autoMarkPosition_, value); }
    TChartBrush* BarBrush() const { return Brush(); }
    TChartPen* BarPen() const { return Pen(); }
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle value);
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int value) { SetIntegerProperty(barWidthPercent_, value); }
    int BevelSize() const { return bevelSize_; }
    void SetBevelSize(int value) { SetIntegerProperty(bevelSize_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetBooleanProperty(dark3D_, value); }
    int DepthPercent() const { return depthPercent_; }
    void SetDepthPercent(int value) { SetIntegerProperty(depthPercent_, value); }
    TBarSeriesGradient* Gradient() const { return gradient_; }
    void SetGradient(TBarSeriesGradient* gradient) { gradient_->Assign(gradient); }
    TMultiBar MultiBar() const { return multiBar_; }
    // Shared by every series of this class in the chart.
    void SetMultiBar(TMultiBar value);
    int OffsetPercent() const { return offsetPercent_; }
    void SetOffsetPercent(int value) { SetIntegerProperty(offsetPercent_, value); }
    bool SideMargins() const { return sideMargins_; }
    // Shared by every series of this class in the chart.
    void SetSideMargins(bool value);
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int value) { SetIntegerProperty(stackGroup_, value); }
    TChartHiddenPen* TickLines() const { return tickLines_; }
    void SetTickLines(TChartPen* pen) { tickLines_->Assign(pen); }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { SetBooleanProperty(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { SetDoubleProperty(yOrigin_, value); }
    int ConePercent() const { return conePercent_; }
    void SetConePercent(int value) { SetIntegerProperty(conePercent_, value); }
    int Transparency() const { return transparency_; }
    void SetTransparency(int value) { SetIntegerProperty(transparency_, value); }
    int CustomBarSize() const { return customBarSize_; }
    void SetCustomBarSize(int value) { SetIntegerProperty(customBarSize_, value); }

    TGetBarStyleEvent OnGetBarStyle;

    // ---- Layout ----
    int AddBar(double value, const AnsiString& label, TColor color);
    TBarStyle GetBarStyle(int index);
    int BarMargin() const;
    int ApplyBarOffset(int position) const;
    double PointOrigin(int index, bool sumAll);
    virtual int GetOriginPos(int) { return 0; }
    double MaxMandatoryValue(double value);
    double MinMandatoryValue(double value);
    int BarSize() const { return barSize_; }
    const TRect& BarBounds() const { return barBounds_; }
    int BarCount() const { return barCount_; }
    int OrderPosition() const { return orderPos_; }
    int MaxBarPoints() const { return maxBarPoints_; }

    void DoBeforeDrawChart() override;
    void CalcZOrder() override;
    void CalcDepthPositions() override;
    void CalcFirstLastVisibleIndex() override;
    int NumSampleValues() override;
    // Sample points with Y values only, after a run with X values when another bar series of
    // this class has explicit X values.
    void AddSampleValues(int numValues, bool onlyMandatory = false) override;
    void PrepareForGallery(bool enabled) override;
    // Whether the gallery offers the stacked sub-styles.
    virtual bool SubGalleryStack() const { return true; }
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    // From index 6 on a multi-bar mode, adding a second bar series when this one is alone.
    void SetSubGallery(int index) override;

    // ---- Drawing ----
    void DrawValue(int index) override;
    void DrawLegendShape(int valueIndex, const TRect& rect) override;
    void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
    void SetPenBrushBar(TColor color);
    void BarRectangle(int left, int top, int right, int bottom);
    void BarGradient(int index, const TRect& rect);
    void DrawBevel();
    void DrawTickLines(int startPos, int endPos, TBarStyle style);
    virtual void DrawTickLine(int, TBarStyle) {}
    virtual void DrawBar(int, int, int) {}
    // Fills the bar rectangle of the point.
    virtual void CalcBarBounds(int) {}
    virtual int CalcMarkLength(int index);

    // ---- Clicks ----
    int Clicked(int x, int y) override;
    virtual bool InternalClicked(int, const TPoint&) { return false; }

protected:
    ~TCustomBarSeries() override;
    // The category axis of the bars.
    TChartAxis* CategoryAxis() const { return YIsMandatory ? ActiveHorizAxis : ActiveVertAxis; }
    // Computes the bar size when the chart asks for the category axis' margins.
    void CalcBarSize();
    int CategoryPos(int index);
    int ValuePos(int index);
    int OriginPos(int index, int fallback);
    // The area a translucent bar mixes with what lies under it: both depth faces in 3-D.
    TRect BlendBounds();
    bool InternalClickedBar(int index, const TPoint& p);
    int IndexInChart() const;
    int PreviousCount() const { return previousCount_; }
    void SpreadSharedSettings();
    TColor barColor_ = clNone;
    TRect barBounds_;

private:
    void AddGallerySecondSeries();

    bool autoBarSize_ = false;
    bool autoMarkPosition_ = true;
    TBarStyle barStyle_ = bsRectangle;
    int barWidthPercent_ = 70;
    int bevelSize_ = 1;
    bool dark3D_ = true;
    int depthPercent_ = 100;
    TBarSeriesGradient* gradient_;
    TMultiBar multiBar_ = mbSide;
    int offsetPercent_ = 0;
    bool sideMargins_ = true;
    int stackGroup_ = 0;
    TChartHiddenPen* tickLines_;
    bool useYOrigin_ = true;
    double yOrigin_ = 0;
    int conePercent_ = 0;
    int transparency_ = 0;
    int customBarSize_ = 0;

    // Layout of the current drawing.
    int barCount_ = 0;
    int orderPos_ = 1;
    int previousCount_ = 0;
    int maxBarPoints_ = -1;
    int barSize_ = 0;
};

class TBarSeries : public TCustomBarSeries {
    CL_COMPONENT_CLASS(TBarSeries, TCustomBarSeries)

    explicit TBarSeries(TComponent* owner);
    int CustomBarWidth() const { return CustomBarSize(); }
    void SetCustomBarWidth(int value) { SetCustomBarSize(value); }

    int CalcXPos(int index) override { return CategoryPos(index); }
    int CalcYPos(int index) override { return ValuePos(index); }
    int GetOriginPos(int index) override { return OriginPos(index, ActiveVertAxis->EndPixel); }
    double MaxXValue() override;
    double MinXValue() override;
    double MaxYValue() override { return MaxMandatoryValue(TCustomBarSeries::MaxYValue()); }
    double MinYValue() override { return MinMandatoryValue(TCustomBarSeries::MinYValue()); }
    void CalcHorizMargins(int& left, int& right) override;
    void CalcVerticalMargins(int& top, int& bottom) override;
    bool MoreSameZOrder() override;
    bool DrawSeriesForward(int valueIndex) override;
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;
    void CalcBarBounds(int index) override;
    void DrawBar(int index, int startPos, int endPos) override;
    void DrawTickLine(int position, TBarStyle style) override;
    bool InternalClicked(int index, const TPoint& p) override { return InternalClickedBar(index, p); }

protected:
    ~TBarSeries() override = default;
};

class THorizBarSeries : public TCustomBarSeries {
    CL_COMPONENT_CLASS(THorizBarSeries, TCustomBarSeries)

    explicit THorizBarSeries(TComponent* owner);
    int CustomBarHeight() const { return CustomBarSize(); }
    void SetCustomBarHeight(int value) { SetCustomBarSize(value); }

    int CalcXPos(int index) override { return ValuePos(index); }
    int CalcYPos(int index) override { return CategoryPos(index); }
    int GetOriginPos(int index) override { return OriginPos(index, ActiveHorizAxis->StartPixel); }
    double MaxXValue() override { return MaxMandatoryValue(TCustomBarSeries::MaxXValue()); }
    double MinXValue() override { return MinMandatoryValue(TCustomBarSeries::MinXValue()); }
    double MaxYValue() override;
    double MinYValue() override;
    void CalcHorizMargins(int& left, int& right) override;
    void CalcVerticalMargins(int& top, int& bottom) override;
    bool DrawSeriesForward(int valueIndex) override;
    void CalcBarBounds(int index) override;
    void DrawBar(int index, int startPos, int endPos) override;
    void DrawTickLine(int position, TBarStyle style) override;
    bool InternalClicked(int index, const TPoint& p) override { return InternalClickedBar(index, p); }

protected:
    ~THorizBarSeries() override = default;
};
