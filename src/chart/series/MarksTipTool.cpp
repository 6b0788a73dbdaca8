// Mark-tips tool.
#include "MarksTipTool.h"

#include "PlotAxisPanel.h"
#include "PlotMarks.h"
#include "Plotproco.h"
#include "cl_forms.h"

AnsiString TMarksTipTool::Description() const { return Plotproco::PlotMsg_MarksTipTool; }

TCustomAxisPanel* TMarksTipTool::Chart() const {
    return Series() ? Series()->ParentChart() : ParentChart();
}

int TMarksTipTool::MouseDelay() const { return Application->HintPause(); }

void TMarksTipTool::SetMouseDelay(int value) { Application->SetHintPause(value); }

void TMarksTipTool::ClearHint() {
    if (TCustomAxisPanel* chart = Chart()) chart->SetHint(AnsiString());
}

void TMarksTipTool::SetActive(bool value) {
    TPlotCustomToolSeries::SetActive(value);
    if (!value) ClearHint();
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction value) {
    mouseAction_ = value;
    ClearHint();
}

TChartSeries* TMarksTipTool::PointAt(int x, int y, int& index) {
    index = -1;
    if (Series()) {
        index = Series()->Clicked(x, y);
        return index != -1 ? Series() : nullptr;
    }
    TCustomAxisPanel* chart = Chart();
    for (int i = chart->SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* series = chart->GetSeries(i);
        if (!series->Active()) continue;
        index = series->Clicked(x, y);
        if (index != -1) return series;
    }
    return nullptr;
}

bool TMarksTipTool::OtherTipToolOnChart() const {
    TCustomAxisPanel* chart = Chart();
    for (int i = 0; i < chart->Tools->Count(); ++i) {
        TPlotCustomTool* tool = chart->Tools->Get(i);
        if (tool != this && dynamic_cast<TMarksTipTool*>(tool)) return true;
    }
    return false;
}

AnsiString TMarksTipTool::TipText(TChartSeries* series, int index) {
    TCustomAxisPanel* chart = series->ParentChart();
    TSeriesMarks* marks = series->Marks();
    // The marks take the tool's style only for the text; neither change repaints the chart.
    struct Restore {
        TCustomAxisPanel* chart;
        bool repaint;
        TSeriesMarks* marks;
        TSeriesMarksStyle style;
        ~Restore() {
            marks->SetStyle(style);
            if (chart) chart->RepaintEnabled = repaint;
        }
    } restore{chart, chart && chart->RepaintEnabled, marks, marks->Style()};
    if (chart) chart->RepaintEnabled = false;
    marks->SetStyle(style_);
    return series->GetMarkText(index);
}

void TMarksTipTool::ShowTip(TChartSeries* series, int index, int x, int y) {
    TCustomAxisPanel* chart = Chart();
    AnsiString text = TipText(series, index);
    if (OnGetText) OnGetText(this, text);
    if (text == chart->Hint()) return;
    chart->SetShowHint(true);
    chart->SetHint(text);
    Application->ActivateHint(chart->ClientToScreen(TPoint(x, y)));
}

void TMarksTipTool::ChartMouseEvent(TChartMouseEvent event, TMouseButton, TShiftState, int x,
                                    int y) {
    const bool acts = mouseAction_ == mtmMove ? event == cmeMove : event == cmeDown;
    if (!acts || !Chart()) return;
    int index = -1;
    if (TChartSeries* series = PointAt(x, y, index)) {
        ShowTip(series, index, x, y);
    } else if (!OtherTipToolOnChart()) {
        ClearHint();
        Application->CancelHint();
    }
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool marksTipPropertiesRegistered = [] {
    using T = TMarksTipTool;
    const TMetaClass* tool = T::StaticClass();
    RegisterProperty(tool, EnumProperty<T>("MouseAction", &T::MouseAction, &T::SetMouseAction,
                                           {"mtmMove", "mtmClick"}, mtmMove));
    // The delay belongs to the application and is written only when it differs from its
    // usual value.
    RegisterProperty(tool, OrdinalProperty<T>("MouseDelay", pkInteger, &T::MouseDelay,
                                              &T::SetMouseDelay, 500));
    RegisterProperty(tool, ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                              &T::SetSeries));
    RegisterProperty(tool, EnumProperty<T>("Style", &T::Style, &T::SetStyle,
                                           {"smsValue", "smsPercent", "smsLabel",
                                            "smsLabelPercent", "smsLabelValue", "smsLegend",
                                            "smsPercentTotal", "smsLabelPercentTotal",
                                            "smsXValue", "smsXY"},
                                           smsLabel));
    return true;
}();

}  // namespace
