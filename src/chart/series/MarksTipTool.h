// Shows the mark text of the series point under the mouse as a hint, on mouse move or press.
#pragma once

#include <functional>

#include "PlotTools.h"

enum TMarkToolMouseAction { mtmMove, mtmClick };
using TMarksTipGetText = std::function<void(TObject* sender, AnsiString& text)>;

class TMarksTipTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TMarksTipTool, TPlotCustomToolSeries)

    explicit TMarksTipTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    AnsiString GetEditorClass() const override { return "TMarksTipToolEdit"; }
    AnsiString Description() const override;
    void SetActive(bool value) override;
    void ChartMouseEvent(TChartMouseEvent event, TMouseButton button, TShiftState shift, int x,
                         int y) override;

    // The series' chart when a series is set, else the parent chart.
    TCustomAxisPanel* Chart() const;

    TMarkToolMouseAction MouseAction() const { return mouseAction_; }
    void SetMouseAction(TMarkToolMouseAction value);
    // The application's hint pause, shared by every hint of the program.
    int MouseDelay() const;
    void SetMouseDelay(int value);
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value) { style_ = value; }

    TMarksTipGetText OnGetText;

protected:
    ~TMarksTipTool() override = default;

private:
    // The series under the point with the point's index, or null.
    TChartSeries* PointAt(int x, int y, int& index);
    bool OtherTipToolOnChart() const;
    void ClearHint();
    AnsiString TipText(TChartSeries* series, int index);
    void ShowTip(TChartSeries* series, int index, int x, int y);

    TMarkToolMouseAction mouseAction_ = mtmMove;
    TSeriesMarksStyle style_ = smsLabel;
};
