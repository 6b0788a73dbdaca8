// Arrows at the ends of an axis: a click on one scrolls the axis by a percentage of its range
// (and the opposite axis of a pair that a series uses both of).
#pragma once

#include <functional>

#include "PlotTools.h"

enum TAxisArrowToolPosition { aaStart, aaEnd, aaBoth };

using TAxisArrowClickEvent = std::function<void(TObject* sender, bool atStart)>;

class TAxisArrowTool : public TPlotCustomToolAxis {
    CL_COMPONENT_CLASS(TAxisArrowTool, TPlotCustomToolAxis)

    explicit TAxisArrowTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    AnsiString GetEditorClass() const override { return "TAxisArrowToolEditor"; }
    AnsiString Description() const override;
    void ChartEvent(TChartToolEvent event) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // 0 for the start arrow, 1 for the end arrow, -1 for none.
    int ClickedArrow(int x, int y);

    int Length() const { return length_; }
    void SetLength(int value) { SetIntegerProperty(length_, value); }
    TAxisArrowToolPosition Position() const { return position_; }
    void SetPosition(TAxisArrowToolPosition value);
    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }
    int ScrollPercent() const { return scrollPercent_; }
    void SetScrollPercent(int value) { scrollPercent_ = value; }

    TAxisArrowClickEvent OnClick;

protected:
    ~TAxisArrowTool() override = default;

private:
    bool HasStart() const { return position_ != aaEnd; }
    bool HasEnd() const { return position_ != aaStart; }
    void DrawArrow(int from, int to, int z);
    void ScrollBy(double step);
    TChartAxis* PairedAxis();

    int length_ = 16;
    TAxisArrowToolPosition position_ = aaBoth;
    bool scrollInverted_ = false;
    int scrollPercent_ = 10;
};
