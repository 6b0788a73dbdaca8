// The axes of a chart as a list (six standard axes, then custom ones) with its fast-calculation
// switch, the collection of custom axes and the custom labels of an axis.
#pragma once

#include "PlotAxis.h"
#include "cl_lists.h"

class TCustomAxisPanel;

// Every axis of a panel in creation order: bottom, top, left, right, depth, depth-top, custom.
class TChartAxes : public TList {
    CL_CLASS(TChartAxes, TList)

    explicit TChartAxes(TCustomAxisPanel* chart) : chart_(chart) {}
    ~TChartAxes() override { Clear(); }
    TChartAxis* Get(int index) const { return static_cast<TChartAxis*>(Items(index)); }
    TChartAxis* GetBottomAxis() const { return Get(0); }
    TChartAxis* GetTopAxis() const { return Get(1); }
    TChartAxis* GetLeftAxis() const { return Get(2); }
    TChartAxis* GetRightAxis() const { return Get(3); }
    TChartAxis* GetDepthAxis() const { return Get(4); }
    TChartAxis* GetDepthTopAxis() const { return Get(5); }
    // Frees every axis (each leaves the list as it goes).
    void Clear() override;
    bool FastCalc() const { return fastCalc_; }
    // On: the axes convert without the GDI coordinate clamp.
    void SetFastCalc(bool value);
    bool GetBehind() const;
    void SetBehind(bool value);
    bool GetVisible() const;
    void SetVisible(bool value);
    void Hide() { SetVisible(false); }
    // Every axis automatic.
    void Reset();
    TCustomAxisPanel* Chart() const { return chart_; }

private:
    TCustomAxisPanel* chart_;
    bool fastCalc_ = false;
};

class TChartCustomAxes : public TOwnedCollection {
    CL_CLASS(TChartCustomAxes, TOwnedCollection)

    explicit TChartCustomAxes(TPersistent* owner)
        : TOwnedCollection(owner, TChartAxis::StaticClass()) {}
    TChartAxis* Get(int index) const { return static_cast<TChartAxis*>(Items(index)); }
    // The index-th custom axis copies the given one.
    void Put(int index, TChartAxis* axis) { SetItem(index, axis); }
    // Every custom axis mastered by the axis takes that axis' range.
    void ResetScales(TChartAxis* axis);
};

class TAxisItems;

// A custom label: a value, an optional text and its own framed look.
class TAxisItem : public TPlotCustomShape {
    CL_CLASS(TAxisItem, TPlotCustomShape)

    TAxisItem(TAxisItems* owner, TCustomPlotPanel* parent);
    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& value);
    double Value() const { return value_; }
    void SetValue(double value);

    TAxisItems* const Owner;

private:
    AnsiString text_;
    double value_ = 0;
};

// The custom labels of one axis and the shape that formats its value labels.
class TAxisItems : public TList {
    CL_CLASS(TAxisItems, TList)

    explicit TAxisItems(TChartAxis* axis);
    ~TAxisItems() override;
    TAxisItem* Add(double value);
    TAxisItem* Add(double value, const AnsiString& text);
    // Frees every item and repaints the panel.
    void Clear() override;
    TAxisItem* Get(int index) const { return static_cast<TAxisItem*>(Items(index)); }
    // The format and the values and texts of the source's items (not their looks).
    void CopyFrom(TAxisItems* source);

    TChartAxis* const Axis;
    TPlotShape* LabelFormat = nullptr;

private:
    void FreeItems();
};
