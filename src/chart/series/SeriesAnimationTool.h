// Animates a series: its values grow from a start value to their real values in steps, and
// the chart repaints after each step.
#pragma once

#include <functional>
#include <vector>

#include "PlotTools.h"

enum TSeriesAnimationLoop { salNo, salOneWay, salCircular };
using TSeriesAnimationStep = std::function<void(TObject* sender, int step)>;

class TSeriesAnimationTool : public TPlotCustomToolSeries {
    CL_COMPONENT_CLASS(TSeriesAnimationTool, TPlotCustomToolSeries)

    explicit TSeriesAnimationTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    AnsiString GetEditorClass() const override { return "TSeriesAnimToolEditor"; }
    AnsiString Description() const override;

    // Runs the animation, processing the application's messages after every step; does nothing
    // without a series or while already running. The tool, the series and the chart may all be
    // freed, and the series refilled, meanwhile: the animation then ends without touching them.
    virtual void Execute();
    void Stop() { stopped_ = true; }
    bool Running() const { return !stopped_; }

    int DrawEvery() const { return drawEvery_; }
    // 0 animates all points at once; a negative group size is taken as 1.
    void SetDrawEvery(int value) { drawEvery_ = value < 0 ? 1 : value; }
    TSeriesAnimationLoop Loop() const { return loop_; }
    void SetLoop(TSeriesAnimationLoop value) { loop_ = value; }
    bool StartAtMin() const { return startAtMin_; }
    void SetStartAtMin(bool value) { startAtMin_ = value; }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value) { startValue_ = value; }
    int Steps() const { return steps_; }
    // At least 1.
    void SetSteps(int value) { steps_ = Max(1, value); }

    TSeriesAnimationStep OnStep;

protected:
    ~TSeriesAnimationTool() override = default;

private:
    class Run;
    friend class Run;

    int drawEvery_ = 0;
    TSeriesAnimationLoop loop_ = salNo;
    bool startAtMin_ = true;
    double startValue_ = 0;
    int steps_ = 100;
    bool stopped_ = true;
    // Set for the whole of Execute, also after Stop, until the run has put the values back.
    bool executing_ = false;
};
