// Chart elements and the series base: points kept in value lists with colours, labels and mark
// positions, adding and deleting with events and notices to dependent series, the axes and
// geometry of a series and its drawing support (sources PlotSeries*.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "PlotAxis.h"
#include "PlotValueList.h"
#include "cl_controls.h"

class TChartSeries;
class TCustomAxisPanel;
class TSeriesMarks;
class TSeriesMarkPosition;
class TPlotFunction;

enum TValueEvent { veClear, veAdd, veDelete, veRefresh, veModify };
enum TSeriesRecalcOption { rOnDelete, rOnModify, rOnInsert, rOnClear };
using TSeriesRecalcOptions = std::set<TSeriesRecalcOption>;
enum TChartSeriesEvent {
    seAdd,
    seRemove,
    seChangeTitle,
    seChangeColor,
    seSwap,
    seChangeActive,
    seDataChanged
};
enum TChartSeriesStyleItem {
    tssIsTemplate,
    tssDenyChangeType,
    tssDenyDelete,
    tssDenyClone,
    tssIsPersistent,
    tssHideDataSource
};
using TChartSeriesStyle = std::set<TChartSeriesStyleItem>;
// The bits of a "Data" block's flags byte (PlotFormatFlags).
enum TPlotFormatFlag : uint8_t {
    tfNoMandatory = 1,
    tfColor = 2,
    tfLabel = 4,
    tfMarkPosition = 8
};
enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
enum TSeriesMarksStyle : uint8_t {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue,
    smsXY
};
enum TLegendTextStyle {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
    ltsValue,
    ltsPercent,
    ltsXAndValue,
    ltsXAndPercent
};

using TSeriesOnAfterAdd = std::function<void(TChartSeries* sender, int valueIndex)>;
// False cancels the point.
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries* sender)>;
using TSeriesOnClear = std::function<void(TChartSeries* sender)>;
using TChartSubGalleryProc = std::function<void(const AnsiString& name)>;
using TSeriesClick = std::function<void(TChartSeries* sender, int valueIndex, TMouseButton button,
                                        TShiftState shift, int x, int y)>;
using TSeriesOnGetMarkText =
    std::function<void(TChartSeries* sender, int valueIndex, AnsiString& markText)>;

// What a chart holds besides axes: series and tools. Setters repaint the parent chart only when
// a value really changes.
class TCustomChartElement : public TComponent {
    CL_COMPONENT_CLASS(TCustomChartElement, TComponent)

    explicit TCustomChartElement(TComponent* owner);
    void BeforeDestruction() override;
    // Active, brush, pen and tag of another element.
    void Assign(TPersistent* source) override;

    virtual void CanvasChanged(TObject*) { Repaint(); }
    // The name of the element's editor form class; empty here.
    virtual AnsiString GetEditorClass() const { return AnsiString(); }
    virtual void SetActive(bool value);
    virtual void SetParentChart(TCustomAxisPanel* chart) { parentChart_ = chart; }
    virtual void SetPen(TChartPen* pen) { pen_->Assign(pen); }
    void SetBrush(TChartBrush* brush) { brush_->Assign(brush); }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* component) override;
    bool HasParent() const override { return true; }
    // Joins the chart being read before reading its own values, and is the parent of what
    // it holds (a series' function) while that is read.
    void ReadState(TReader* reader) override;
    // Invalidates the parent chart when there is one.
    void Repaint();

    void SetBooleanProperty(bool& field, bool value);
    void SetColorProperty(TColor& field, TColor value);
    void SetDoubleProperty(double& field, double value);
    void SetIntegerProperty(int& field, int value);
    void SetStringProperty(AnsiString& field, const AnsiString& value);

    bool Active() const { return active_; }
    TChartBrush* Brush() const { return brush_; }
    TChartPen* Pen() const { return pen_; }
    TCustomAxisPanel* ParentChart() const { return parentChart_; }

    bool ExcludedFromLists = false;

protected:
    ~TCustomChartElement() override;
    // A pen whose changes repaint the element.
    TChartPen* CreateChartPen();

private:
    bool active_ = true;
    TChartBrush* brush_ = nullptr;
    TCustomAxisPanel* parentChart_ = nullptr;
    TChartPen* pen_ = nullptr;
};

// What any series shows in a legend.
class TCustomChartSeries : public TCustomChartElement {
    CL_COMPONENT_CLASS(TCustomChartSeries, TCustomChartElement)

    explicit TCustomChartSeries(TComponent* owner) : TCustomChartElement(owner) {}
    // Legend flag, title, style and identifier, then the element's settings.
    void Assign(TPersistent* source) override;
    void SetActive(bool value) override;

    virtual void CalcHorizMargins(int& left, int& right) { left = right = 0; }
    virtual void CalcVerticalMargins(int& top, int& bottom) { top = bottom = 0; }
    virtual void DoBeforeDrawChart() {}
    // Called by the chart when the series joins or leaves it.
    virtual void Added() {}
    virtual void Removed();
    virtual void GalleryChanged3D(bool value);
    void RepaintDesigner();
    // "Identifier" and "Style" (PlotSeriesStream.cpp).
    void DefineProperties(TFiler* filer) override;
    // Either class is the other's or derives from it.
    bool SameClass(TCustomChartSeries* other) const;

    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value) { SetBooleanProperty(showInLegend_, value); }
    const AnsiString& Title() const { return title_; }
    void SetTitle(const AnsiString& value);
    AnsiString Identifier;
    TChartSeriesStyle Style;

protected:
    ~TCustomChartSeries() override = default;

private:
    bool showInLegend_ = true;
    AnsiString title_;
};

class TCustomSeriesList : public TList {
    CL_CREATABLE_CLASS(TCustomSeriesList, TList)

    TChartSeries* Get(int index) const { return static_cast<TChartSeries*>(Items(index)); }
    void Put(int index, TChartSeries* series) { SetItem(index, series); }
    // Clear on every series.
    void ClearValues();
    // FillSampleValues on every series.
    void FillSampleValues(int number = 0);
};

// Sample values may be added at run time (not only while designing).
extern bool PlotRandomAtRunTime;
// Palette indexes of the first and of the other series of a gallery thumbnail.
extern int clPlotGallery1;
extern int clPlotGallery2;

// Where sample points start and how they spread.
struct TSeriesRandomBounds {
    double StartX = 0, StepX = 0, StartY = 0, MinY = 0, DifY = 0;
};

// A named group of series of a chart; its state follows the series' Active flags.
enum TSeriesGroupActive { gaYes, gaNo, gaSome };

class TSeriesGroup : public TCollectionItem {
    CL_COLLECTION_ITEM_CLASS(TSeriesGroup, TCollectionItem)

    explicit TSeriesGroup(TCollection* collection);
    ~TSeriesGroup() override;

    TSeriesGroupActive GetActive() const;
    void SetActive(TSeriesGroupActive value);
    void Show() { SetActive(gaYes); }
    void Hide() { SetActive(gaNo); }
    void Add(TChartSeries* series) { series_->Add(series); }
    TCustomSeriesList* Series() const { return series_; }
    // Replaces the contents by a copy of the list.
    void SetSeries(TCustomSeriesList* list);
    bool IsSeriesStored() const { return series_->Count() > 0; }

    AnsiString Name;

private:
    TCustomSeriesList* series_;
};

class TSeriesGroups : public TOwnedCollection {
    CL_CLASS(TSeriesGroups, TOwnedCollection)

    explicit TSeriesGroups(TPersistent* owner)
        : TOwnedCollection(owner, TSeriesGroup::StaticClass()) {}
    TSeriesGroup* Get(int index) const { return static_cast<TSeriesGroup*>(Items(index)); }
    void Put(int index, TSeriesGroup* group) { SetItem(index, group); }
    // Index of the first group holding the series, -1 when none.
    int Contains(TChartSeries* series) const;
};

// A chart's series in drawing order, with its series groups.
class TChartSeriesList : public TCustomSeriesList {
    CL_CLASS(TChartSeriesList, TCustomSeriesList)

    explicit TChartSeriesList(TPersistent* owner) : groups_(new TSeriesGroups(owner)) {}
    ~TChartSeriesList() override;
    TSeriesGroup* AddGroup(const AnsiString& name);
    // True for an empty list.
    bool GetAllActive() const;
    void SetAllActive(bool value);
    TSeriesGroups* Groups() const { return groups_; }

private:
    TSeriesGroups* groups_;
};

// The point labels of a series; may be shorter than the point count (missing ones are empty).
class TLabelsList {
public:
    explicit TLabelsList(TChartSeries* series) : Series(series) {}
    AnsiString GetLabel(int index) const;
    // Pads with empty entries up to the index; repaints the series.
    void SetLabel(int index, const AnsiString& text);
    void InsertLabel(int index, const AnsiString& text);
    void DeleteLabel(int index);
    int IndexOfLabel(const AnsiString& text, bool caseSensitive = true) const;
    void Assign(const TLabelsList& other);
    void Clear() { labels_.clear(); }
    void Exchange(int index1, int index2);
    int Count() const { return static_cast<int>(labels_.size()); }

    TChartSeries* const Series;

private:
    void PadTo(int count);
    // An empty entry stands for no label.
    std::vector<AnsiString> labels_;
};

class TChartSeries : public TCustomChartSeries {
    CL_COMPONENT_CLASS(TChartSeries, TCustomChartSeries)

    explicit TChartSeries(TComponent* owner);
    void BeforeDestruction() override;
    void Notification(TComponent* component, TOperation operation) override;
    void SetParentChart(TCustomAxisPanel* chart) override;
    void Added() override;
    void Removed() override;

    // ---- Adding points ----
    // The new point's index, or -1 when OnBeforeAdd refused it.
    virtual int AddXY(double x, double y, const AnsiString& label = AnsiString(),
                      TColor color = clDefault);
    virtual int Add(double value, const AnsiString& label = AnsiString(), TColor color = clDefault);
    int AddX(double value, const AnsiString& label = AnsiString(), TColor color = clDefault);
    int AddY(double value, const AnsiString& label = AnsiString(), TColor color = clDefault);
    // A null point (colour clNone) with that value, or with that label at 0.
    int AddNull(double value);
    virtual int AddNull(const AnsiString& label);
    virtual int AddNullXY(double x, double y, const AnsiString& label = AnsiString());
    // Adds values[0 .. lastIndex]; the number added.
    int AddArray(const double* values, int lastIndex);

    // ---- Deleting ----
    // Raises ChartException for an index outside the points.
    virtual void Delete(int index);
    // Raises the value lists' assertion failure for a range outside the points.
    virtual void Delete(int start, int quantity, bool removeGap = false);
    virtual void Clear();
    virtual void ClearLists();

    // ---- Batching and notices ----
    void BeginUpdate() { ++UpdateCount; }
    void EndUpdate();
    void RefreshSeries();
    virtual void NotifyNewValue(TChartSeries* sender, int valueIndex);
    virtual void NotifyValue(TValueEvent event, int valueIndex);
    void CheckDataSource();

    // ---- Following a source series ----
    virtual void AddValues(TChartSeries* source);
    void AssignValues(TChartSeries* source) { AddValues(source); }
    virtual void AddedValue(TChartSeries* source, int valueIndex);
    virtual int AddChartValue(TChartSeries* source, int valueIndex);
    // A negative index (a range left the source) rebuilds the series from the source.
    virtual void DeletedValue(TChartSeries* source, int valueIndex);
    void AddLinkedSeries(TChartSeries* series);
    void RemoveLinkedSeries(TChartSeries* series);
    void RemoveAllLinkedSeries();
    virtual bool IsValidSourceOf(TChartSeries* series) { return series != this; }
    TComponent* GetDataSource() const;
    // Exchanges two whole points.
    virtual void SwapValueIndex(int index1, int index2);

    // ---- Values, colours and labels ----
    int Count() const { return XValues->Count(); }
    virtual int CountLegendItems() { return Count(); }
    // 0 for an empty visible range.
    int VisibleCount() const {
        return FirstValueIndex < 0 ? 0 : Max(0, LastValueIndex - FirstValueIndex + 1);
    }
    virtual double GetxValue(int index) { return XValues->GetValue(index); }
    virtual double GetyValue(int index) { return YValues->GetValue(index); }
    void SetXValue(int index, double value);
    void SetYValue(int index, double value);
    AnsiString GetXLabel(int index) const { return LabelList.GetLabel(index); }
    void SetXLabel(int index, const AnsiString& text) { LabelList.SetLabel(index, text); }
    void SetMarkText(int index, const AnsiString& text) { SetXLabel(index, text); }
    bool IsNull(int index) { return GetValueColor(index) == clNone; }
    void SetNull(int index, bool value = true);
    TColor InternalColor(int index) const;
    virtual TColor GetValueColor(int index);
    void SetValueColor(int index, TColor color);
    void ColorRange(TChartValueList* list, double from, double to, TColor color);
    TColor GetSeriesColor() const {
        return seriesColor_ == clDefault ? AutomaticColor : seriesColor_;
    }
    virtual void SetSeriesColor(TColor color);
    void ChangeInternalColor(TColor color);
    void NotifyColorChanged();
    bool IsColorStored() const { return seriesColor_ != clDefault; }
    TColor SeriesColor() const { return seriesColor_; }
    bool ColorEachPoint() const { return colorEachPoint_; }
    virtual void SetColorEachPoint(bool value) { SetBooleanProperty(colorEachPoint_, value); }
    bool HasPointColors() const { return pointColors_ != nullptr; }
    const AnsiString& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const AnsiString& value) { SetStringProperty(valueFormat_, value); }
    bool IsValueFormatStored() const;
    const AnsiString& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const AnsiString& value) { SetStringProperty(percentFormat_, value); }
    bool IsPercentFormatStored() const;
    int Depth() const { return depth_; }
    void SetDepth(int value) { SetIntegerProperty(depth_, value); }
    TSeriesMarks* Marks() const { return marks_; }
    void SetMarks(TSeriesMarks* marks);

    // ---- Axes and geometry (PlotSeriesAxes.cpp) ----
    void RecalcGetAxis();
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis value);
    TChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
    void SetCustomHorizAxis(TChartAxis* axis);
    TChartAxis* CustomVertAxis() const { return customVertAxis_; }
    void SetCustomVertAxis(TChartAxis* axis);
    // Forgets a custom axis that is being freed; the axis choice falls back to the standard one.
    void CustomAxisFreed(TChartAxis* axis);
    TChartAxis* GetHorizAxis() const { return ActiveHorizAxis; }
    TChartAxis* GetVertAxis() const { return ActiveVertAxis; }
    virtual bool UseAxis() { return true; }
    virtual bool AssociatedToAxis(TChartAxis* axis);
    virtual TChartValueList* ValueListOfAxis(TChartAxis* axis);
    TChartAxis* MandatoryAxis() const { return YIsMandatory ? ActiveVertAxis : ActiveHorizAxis; }
    void SetHorizontal();
    int CalcXPosValue(double value) { return ActiveHorizAxis->CalcXPosValue(value); }
    int CalcYPosValue(double value) { return ActiveVertAxis->CalcYPosValue(value); }
    int CalcPosValue(double value);
    virtual int CalcXPos(int index) { return CalcXPosValue(XValues->GetValue(index)); }
    virtual int CalcYPos(int index) { return CalcYPosValue(YValues->GetValue(index)); }
    double XScreenToValue(int pixel) { return ActiveHorizAxis->CalcPosPoint(pixel); }
    double YScreenToValue(int pixel) { return ActiveVertAxis->CalcPosPoint(pixel); }
    int CalcXSizeValue(double value) { return ActiveHorizAxis->CalcSizeValue(value); }
    int CalcYSizeValue(double value) { return ActiveVertAxis->CalcSizeValue(value); }
    AnsiString XValueToText(double value) { return ActiveHorizAxis->LabelValue(value); }
    AnsiString YValueToText(double value) { return ActiveVertAxis->LabelValue(value); }
    virtual double MaxXValue() { return XValues->GetMaxValue(); }
    virtual double MinXValue() { return XValues->GetMinValue(); }
    virtual double MaxYValue() { return YValues->GetMaxValue(); }
    virtual double MinYValue() { return YValues->GetMinValue(); }
    virtual double MaxZValue() { return GetZOrder(); }
    virtual double MinZValue() { return GetZOrder(); }
    virtual void CalcFirstLastVisibleIndex();
    void CalcFirstLastPage(int& first, int& last);
    int GetZOrder() const { return ZOrder == -1 ? ComputedZOrder : ZOrder; }
    void SetZOrder(int value);
    virtual void CalcZOrder();
    virtual void CalcDepthPositions();
    virtual bool MoreSameZOrder();
    bool FirstInZOrder();
    // Index of the point at the pixel, -1 when none (none in the base).
    virtual int Clicked(int, int) { return -1; }
    int Clicked(const TPoint& p) { return Clicked(p.X, p.Y); }
    int GetCursorValueIndex();
    void GetCursorValues(double& x, double& y);
    bool CheckMouse(int x, int y);

    // ---- Drawing support (PlotSeriesDraw.cpp) ----
    virtual void DrawAllValues();
    virtual void DrawValue(int) {}
    virtual bool DrawValuesForward();
    virtual bool DrawSeriesForward(int valueIndex);
    int FirstDisplayedIndex() { return DrawValuesForward() ? FirstValueIndex : LastValueIndex; }
    virtual void DoBeforeDrawValues();
    virtual void DoAfterDrawValues();
    void DrawMarks();
    virtual void DrawMark(int valueIndex, const AnsiString& text, TSeriesMarkPosition* position);
    virtual double GetMarkValue(int index) { return MandatoryList->GetValue(index); }
    virtual double GetOriginValue(int index) { return GetMarkValue(index); }
    AnsiString GetMarkText(int index);
    AnsiString MarkPercent(int index, bool addTotal);
    int MaxMarkWidth();
    virtual int LegendToValueIndex(int legendIndex) { return legendIndex; }
    virtual TColor LegendItemColor(int index) { return GetValueColor(index); }
    virtual AnsiString LegendString(int legendIndex, TLegendTextStyle style);
    virtual void DrawLegend(int valueIndex, const TRect& rect);
    virtual void DrawLegendShape(int valueIndex, const TRect& rect);
    virtual void PrepareLegendCanvas(int valueIndex, TColor& backColor, TBrushStyle& brushStyle);

    // ---- Streaming (PlotSeriesStream.cpp) ----
    // "DataSources", "CustomHorizAxis", "CustomVertAxis" and the points as binary "Data".
    void DefineProperties(TFiler* filer) override;
    // The "Data" block: flags, count, one record per point.
    virtual void WriteData(TStream* stream);
    // Replaces the points by those of a "Data" block; raises EReadError for a malformed one,
    // keeping the points read before the fault.
    void ReadData(TStream* stream);
    // The block's flags (PlotFormatFlags) for the series' points.
    uint8_t SeriesGuessContents();
    bool HasNoMandatoryValues();
    bool HasColors();
    bool HasLabels();
    // Names read from "DataSources", resolved by Loaded.
    std::unique_ptr<TStringList> PendingDataSources;

    // ---- Data sources and functions (PlotSources.cpp) ----
    void SetDataSource(TComponent* component);
    // Raises ChartException without a parent chart or for a component it refuses; -1 when the
    // component already is a data source.
    int InternalSetDataSource(TComponent* component, bool replace);
    int InternalAddDataSource(TComponent* component);
    void InternalRemoveDataSource(TComponent* component);
    void RemoveDataSource(TComponent* component);
    // Unlinks from the source series and empties DataSources; clears the points unless manual.
    void ClearDataSources();
    void SetColorSource(const AnsiString& name);
    void SetLabelsSource(const AnsiString& name);
    // Raises ChartException when following the series would close a circle.
    void CheckOtherSeries(TChartSeries* source);
    virtual bool IsValidSeriesSource(TChartSeries* series);
    // Frees the current function; the new one computes the points.
    void SetFunction(TPlotFunction* function);
    // Gives this series a function of the source function's class with its settings; the
    // source function stays with its series.
    void AssignFunction(TPlotFunction* source);
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void Loaded() override;
    TPlotFunction* SeriesFunction = nullptr;

    // ---- Sorting, samples and copying (PlotSeriesSamples.cpp) ----
    // -1, 0 or 1 by character code, negated for a descending LabelSortOrder.
    int CompareLabelIndex(int index1, int index2);
    // Reorders the points by label and renumbers the not-mandatory column.
    void SortByLabels(TChartListOrder order = loAscending);
    virtual void CheckOrder();
    // Raises ChartException for a negative number; 0 takes SampleCount or NumSampleValues.
    virtual void FillSampleValues(int number = 0);
    virtual int NumSampleValues() { return 25; }
    static int RandomValue(int limit);
    TSeriesRandomBounds RandomBounds(int numValues);
    virtual void AddSampleValues(int numValues, bool onlyMandatory = false);
    bool CanAddRandomPoints();
    virtual void PrepareForGallery(bool enabled);
    // Names the sub-styles a gallery offers for this series type, in index order.
    virtual void CreateSubGallery(const TChartSubGalleryProc& addSubChart) const;
    // Applies the sub-style of that index to this series; 0 is the plain style.
    virtual void SetSubGallery(int) {}
    // Formatting, function, manual points and either the points or the data-source links.
    void Assign(TPersistent* source) override;
    void AssignFormat(TChartSeries* source);
    void ReplaceList(TChartValueList* oldList, TChartValueList* newList);
    void SetChartValueList(TChartValueList* list, TChartValueList* value);
    void SetXValues(TChartValueList* value) { SetChartValueList(XValues, value); }
    void SetYValues(TChartValueList* value) { SetChartValueList(YValues, value); }
    // The further column of that name (any case), else YValues.
    TChartValueList* GetYValueList(const AnsiString& name);

    // ---- Columns ----
    TChartValueLists* ValueLists = nullptr;
    TChartValueList* XValues = nullptr;
    TChartValueList* YValues = nullptr;
    TChartValueList* MandatoryList = nullptr;
    TChartValueList* NotMandatoryList = nullptr;
    bool YIsMandatory = true;
    TLabelsList LabelList;

    // ---- Dependants and sources ----
    // Series that follow this one.
    TCustomSeriesList* LinkedSeries = nullptr;
    // The components this series takes its points from (entry 0 the main one).
    TList* DataSources = nullptr;
    TSeriesRecalcOptions RecalcTriggers{rOnDelete, rOnModify, rOnInsert, rOnClear};
    AnsiString ColorSource;
    AnsiString XLabelsSource;
    bool ManualPoints = false;
    bool AlwaysStoreData = false;
    bool DoNotStoreData = false;
    bool UsesNotMandatory = true;

    // ---- State ----
    TCursor Cursor = crDefault;
    TChartAxis* ActiveHorizAxis = nullptr;
    TChartAxis* ActiveVertAxis = nullptr;
    int ZOrder = -1;
    int ComputedZOrder = 0;
    bool MouseInside = false;
    TChartListOrder LabelSortOrder = loNone;
    TColor AutomaticColor = clDefault;
    int FirstValueIndex = -1;
    int LastValueIndex = -1;
    int SampleCount = 0;
    int UpdateCount = 0;
    bool ClipToVisibleRange = true;
    bool KeepOuterPoint = false;
    bool SinglePointResult = true;
    bool OwnZValues = false;
    int StartZ = 0, MiddleZ = 0, EndZ = 0;

    // ---- Events ----
    TNotifyEvent AfterDrawValues;
    TNotifyEvent BeforeDrawValues;
    TSeriesOnAfterAdd OnAfterAdd;
    TSeriesOnBeforeAdd OnBeforeAdd;
    TSeriesOnClear OnClearValues;
    TSeriesClick OnClick;
    TSeriesClick OnDblClick;
    TSeriesOnGetMarkText OnGetMarkText;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    ~TChartSeries() override;

private:
    void GrowColors();
    void DeleteColors(int start, int quantity);

    TColor seriesColor_ = clDefault;
    bool colorEachPoint_ = false;
    std::vector<TColor>* pointColors_ = nullptr;
    int depth_ = -1;
    TSeriesMarks* marks_ = nullptr;
    AnsiString percentFormat_;
    AnsiString valueFormat_;
    THorizAxis horizAxis_ = aBottomAxis;
    TChartAxis* customHorizAxis_ = nullptr;
    TChartAxis* customVertAxis_ = nullptr;
    TVertAxis vertAxis_ = aLeftAxis;
};
