// Circular series: a series fitted into a circle or ellipse of the plot area, and the pie or donut
// with exploded slices, an "other" slice grouping small values, a shadow and 3-D drawing.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "PlotGradient.h"
#include "PlotSeries.h"
#include "PlotShadow.h"
#include "PlotView3D.h"

class TChartLegend;
class TPieSeries;

// A series drawn inside a circle or ellipse of the plot rectangle; it uses no axes.
class TCircledSeries : public TChartSeries {
    CL_COMPONENT_CLASS(TCircledSeries, TChartSeries)

    explicit TCircledSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    void SetActive(bool value) override;
    void BeforeDestruction() override;

    // ---- Settings ----
    bool Circled() const { return circled_; }
    // Also sets every series of this class in the chart, resetting their custom radii.
    void SetCircled(bool value);
    int CustomXRadius() const { return customXRadius_; }
    void SetCustomXRadius(int value);
    int CustomYRadius() const { return customYRadius_; }
    void SetCustomYRadius(int value);
    int RotationAngle() const { return rotationAngle_; }
    void SetRotationAngle(int value);
    TColor CircleBackColor() const { return circleBackColor_; }
    void SetCircleBackColor(TColor value) { SetColorProperty(circleBackColor_, value); }
    TPlotGradient* Gradient() const { return gradient_; }
    void SetGradient(TPlotGradient* gradient) { gradient_->Assign(gradient); }

    // ---- Geometry ----
    bool UseAxis() override { return false; }
    bool AssociatedToAxis(TChartAxis*) override { return true; }
    void DoBeforeDrawValues() override;
    TPoint AngleToPos(double angle, double xRadius, double yRadius) const;
    double PointToAngle(int x, int y) const;
    double PointToRadius(int x, int y);
    void Rotate(int degrees) { SetRotationAngle(degrees + rotationAngle_); }
    TColor CalcCircleBackColor();
    bool HasBackColor() const { return circleBackColor_ != clDefault && circleBackColor_ != clNone; }
    // Odd sizes lose a pixel, both sides are at least 4; the centre follows.
    void AdjustCircleRect();
    void CalcRadius();
    // Copies the circle of the first other active series of the class with visible marks.
    virtual void CheckOtherSeriesMarks();
    // Fills the circle with Gradient (2-D and orthogonal 3-D only).
    virtual void DrawCircleGradient();
    // Sets the chart's 3-D view for this series while it is active.
    virtual void InitCustom3DOptions(TView3DOptions*) {}

    TRect CircleRect;
    int CircleWidth = 0, CircleHeight = 0;
    int CircleXCenter = 0, CircleYCenter = 0;
    int XRadius = 0, YRadius = 0;
    double RotationRadians = 0;

protected:
    ~TCircledSeries() override;
    void SetCustomRadii(int x, int y);
    // True for the series of the chart that share Circled and the custom radii with this one.
    bool IsSibling(TChartSeries* series) const;
    void Backup3DOptions();
    void Restore3DOptions();

private:
    void FitMarks();
    void MakeRound();

    bool circled_ = false;
    int customXRadius_ = 0;
    int customYRadius_ = 0;
    int rotationAngle_ = 0;
    TColor circleBackColor_ = clDefault;
    TPlotGradient* gradient_;
    std::unique_ptr<TView3DOptions> backup3D_;
    TCustomAxisPanel* backupChart_ = nullptr;
};

// Per point an integer percentage; 0 past the end. Writing past the end pads with zeros.
class TPieSliceValues {
public:
    explicit TPieSliceValues(std::function<void()> onChange) : onChange_(std::move(onChange)) {}
    int Value(int index) const;
    void SetValue(int index, int value);
    int Count() const { return static_cast<int>(values_.size()); }
    void Delete(int index);
    // Swaps two entries, padding a non-empty list to `count` first.
    void Exchange(int index1, int index2, int count);
    void Assign(const TPieSliceValues& other) { values_ = other.values_; }
    void Clear() { values_.clear(); }

private:
    std::vector<int> values_;
    std::function<void()> onChange_;
};

enum TPieOtherStyle { poNone, poBelowPercent, poBelowValue };
enum TMultiPie { mpAutomatic, mpDisabled };

// Groups the slices below a threshold into one "other" slice.
class TPieOtherSlice : public TPersistent {
    CL_CLASS(TPieOtherSlice, TPersistent)

    explicit TPieOtherSlice(TPieSeries* owner) : owner_(owner) {}
    ~TPieOtherSlice() override;
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Made on first use: a hidden legend of the pie's chart listing the grouped slices.
    TChartLegend* Legend();
    TChartLegend* LegendIfAny() const { return legend_; }
    void SetLegend(TChartLegend* legend);
    TPieOtherStyle Style() const { return style_; }
    void SetStyle(TPieOtherStyle value);
    AnsiString Text() const;
    const AnsiString& StoredText() const { return text_; }
    void SetText(const AnsiString& value);
    double Value() const { return value_; }
    void SetValue(double value);
    // Moves the legend to the pie's new chart.
    void ChartChanged();

private:
    void Changed();
    void FreeLegend();

    TPieSeries* owner_;
    TColor color_ = clDefault;
    TChartLegend* legend_ = nullptr;
    TPieOtherStyle style_ = poNone;
    AnsiString text_;
    double value_ = 0;
};

class TPieShadow : public TPlotShadow {
    CL_CLASS(TPieShadow, TPlotShadow)

    explicit TPieShadow(const TNotifyEvent& onChange);
};

struct TPieAngle {
    double StartAngle = 0, MidAngle = 0, EndAngle = 0;
};

class TPieSeries : public TCircledSeries {
    CL_COMPONENT_CLASS(TPieSeries, TCircledSeries)

    explicit TPieSeries(TComponent* owner);
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    AnsiString GetEditorClass() const override { return "TPieSeriesEditor"; }

    // ---- Settings ----
    int AngleSize() const { return angleSize_; }
    void SetAngleSize(int value) { SetIntegerProperty(angleSize_, value); }
    bool AutoMarkPosition() const { return autoMarkPosition_; }
    void SetAutoMarkPosition(bool value) { SetBooleanProperty(autoMarkPosition_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetBooleanProperty(dark3D_, value); }
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value) { SetIntegerProperty(darkPen_, value); }
    int ExplodeBiggest() const { return explodeBiggest_; }
    void SetExplodeBiggest(int value) { SetIntegerProperty(explodeBiggest_, value); }
    TMultiPie MultiPie() const { return multiPie_; }
    void SetMultiPie(TMultiPie value);
    TPieOtherSlice* OtherSlice() const { return otherSlice_; }
    void SetOtherSlice(TPieOtherSlice* value) { otherSlice_->Assign(value); }
    TChartPen* PiePen() const { return Pen(); }
    TChartValueList* PieValues() const { return YValues; }
    TPieShadow* Shadow() const { return shadow_; }
    void SetShadow(TPlotShadow* value) { shadow_->Assign(value); }
    bool UsePatterns() const { return usePatterns_; }
    void SetUsePatterns(bool value) { SetBooleanProperty(usePatterns_, value); }
    int DonutPercent() const { return donutPercent_; }
    void SetDonutPercent(int value) { SetIntegerProperty(donutPercent_, value); }
    TPieSliceValues ExplodedSlice;
    TPieSliceValues SliceHeights;
    // Start, middle and end angle of every point, computed for each drawing.
    std::vector<TPieAngle> Angles;

    int AddPie(double value, const AnsiString& label = AnsiString(), TColor color = clDefault);
    bool BelongsToOtherSlice(int index) { return XValues->GetValue(index) == -1; }
    void CalcExplodedRadius(int index, int& xRadius, int& yRadius);
    void CalcExplodedOffset(int index, int& dx, int& dy);
    int SliceEndZ(int index);
    int PieCount();
    bool IsExploded() const { return exploded_; }

    // ---- Layout and drawing ----
    void DoBeforeDrawChart() override;
    void CalcFirstLastVisibleIndex() override;
    void CalcZOrder() override { ComputedZOrder = -1; }
    bool MoreSameZOrder() override { return false; }
    double MaxXValue() override;
    double MinXValue() override;
    double MaxYValue() override;
    double MinYValue() override;
    void DoBeforeDrawValues() override;
    void DoAfterDrawValues() override;
    void CalcAngles();
    void DrawAllValues() override;
    void DrawValue(int index) override;
    virtual void DrawPie(int index);
    TBrushStyle SliceBrushStyle(int index);
    void PreparePiePen(int index);
    void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position) override;
    void InitCustom3DOptions(TView3DOptions* options) override;
    // A pie never borrows the circle of another series.
    void CheckOtherSeriesMarks() override {}

    // ---- Clicks and legend ----
    int Clicked(int x, int y) override;
    int CalcClickedPie(int x, int y);
    int CountLegendItems() override;
    int LegendToValueIndex(int legendIndex) override;
    void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle) override;
    void DrawLegendShape(int valueIndex, const TRect& rect) override;

    // ---- Editing, streaming and samples ----
    void Delete(int index) override;
    using TChartSeries::Delete;
    void SwapValueIndex(int index1, int index2) override;
    void CheckOrder() override;
    void WriteData(TStream* stream) override;
    int NumSampleValues() override { return 8; }
    void AddSampleValues(int numValues, bool onlyMandatory = false) override;
    void PrepareForGallery(bool enabled) override;
    void GalleryChanged3D(bool value) override;
    void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const override;
    void SetSubGallery(int index) override;

protected:
    ~TPieSeries() override;

private:
    bool GroupingActive() const { return otherSlice_->Style() != poNone; }
    void GroupSmallSlices();
    void DisableGalleryRotation();
    void DeleteOtherPoint();
    int MostExplodedSlice();
    std::vector<int> SlicesBackToFront();
    void FitExplodedSlice(int index);

    int angleSize_ = 360;
    bool autoMarkPosition_ = true;
    bool dark3D_ = true;
    int darkPen_ = 0;
    int explodeBiggest_ = 0;
    TMultiPie multiPie_ = mpAutomatic;
    TPieOtherSlice* otherSlice_;
    TPieShadow* shadow_;
    bool usePatterns_ = false;
    int donutPercent_ = 0;

    // Per drawing.
    bool exploded_ = false;
    bool drawingOtherLegend_ = false;
    TPoint previousEnd_;
    TRect savedChartRect_;
};
