// Series animation tool.
#include "SeriesAnimationTool.h"

#include <algorithm>

#include "PlotAxisPanel.h"
#include "Plotproco.h"
#include "cl_forms.h"

namespace {

// Hears of the tool, the series or the chart being freed while the animation lets messages
// through, and forgets it.
class TAnimationWatch : public TComponent {
    CL_COMPONENT_CLASS(TAnimationWatch, TComponent)

    explicit TAnimationWatch(TComponent* owner) : TComponent(owner) {}
    void Watch(TSeriesAnimationTool* tool, TChartSeries* series, TCustomAxisPanel* chart) {
        Tool = tool;
        Series = series;
        Chart = chart;
        for (TComponent* component : {static_cast<TComponent*>(tool),
                                      static_cast<TComponent*>(series),
                                      static_cast<TComponent*>(chart)})
            FreeNotification(component);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation != opRemove) return;
        if (component == Tool) Tool = nullptr;
        if (component == Series) Series = nullptr;
        if (component == Chart) Chart = nullptr;
    }

    TSeriesAnimationTool* Tool = nullptr;
    TChartSeries* Series = nullptr;
    TCustomAxisPanel* Chart = nullptr;

protected:
    ~TAnimationWatch() override = default;
};

}  // namespace

// One run of Execute: what it animates, and what is still there after each message pump.
class TSeriesAnimationTool::Run {
public:
    Run(TSeriesAnimationTool* tool, TChartSeries* series) : watch_(new TAnimationWatch(nullptr)) {
        watch_->Watch(tool, series, series->ParentChart());
        const int count = series->Count();
        for (int i = 0; i < count; ++i) original_.push_back(series->MandatoryList->GetValue(i));
        shown_ = original_;
        series->BeginUpdate();
        tool->stopped_ = false;
        tool->executing_ = true;
    }
    // However the run ends, the tool is idle again and the series shows its own values and
    // repaints, unless it was freed or given other points meanwhile.
    ~Run() {
        if (TChartSeries* series = watch_->Series) {
            if (!Refilled()) Restore();
            series->EndUpdate();
        }
        Invalidate();
        if (!Tool()) return;
        Tool()->stopped_ = true;
        Tool()->executing_ = false;
    }

    void Animate() {
        bool growing = true;
        do {
            if (!AnimateOnce(growing)) return;
            if (Tool()->loop_ != salNo) growing = !growing;
        } while (Alive() && Tool()->loop_ != salNo && !Tool()->stopped_);
    }

private:
    TSeriesAnimationTool* Tool() const { return watch_->Tool; }
    // The animated series, null once it is gone or holds other points.
    TChartSeries* Series() { return watch_->Series && !Refilled() ? watch_->Series : nullptr; }
    bool Alive() { return Tool() && Series(); }
    bool Refilled() {
        TChartSeries* series = watch_->Series;
        const int count = series->Count();
        if (count != static_cast<int>(shown_.size())) return true;
        for (int i = 0; i < count; ++i)
            if (series->MandatoryList->GetValue(i) != shown_[i]) return true;
        return false;
    }
    void Show(int index, double value) {
        watch_->Series->MandatoryList->WriteValue(index, value);
        shown_[index] = value;
    }
    void Restore() {
        for (int i = 0; i < static_cast<int>(original_.size()); ++i) Show(i, original_[i]);
    }
    void Invalidate() {
        if (watch_->Chart) watch_->Chart->Invalidate();
    }
    // Invalidates and lets messages through; false when the run must end.
    bool Pump() {
        Invalidate();
        Application->ProcessMessages();
        return Alive();
    }

    // False when the animation ended early (stopped, or something it needs is gone).
    bool AnimateOnce(bool growing) {
        const int count = static_cast<int>(original_.size());
        const double start =
            Tool()->startAtMin_ && count > 0
                ? *std::min_element(original_.begin(), original_.end())
                : Tool()->startValue_;
        for (int i = 0; i < count; ++i) Show(i, start);
        if (!Pump()) return false;
        const bool shrinking = !growing && Tool()->loop_ == salCircular;
        const int steps = Max(1, Tool()->steps_);
        const int group = Max(1, Tool()->drawEvery_ > 0 ? Tool()->drawEvery_ : count);
        for (int first = 0; first < count; first += group) {
            const int end = Min(count, first + group);
            for (int e = 0; e <= steps; ++e) {
                const double f = shrinking ? double(steps - e) / steps : double(e) / steps;
                const double added = shrinking ? 0 : start * (1 - f);
                for (int i = first; i < end; ++i) Show(i, f * original_[i] + added);
                if (Tool()->OnStep) Tool()->OnStep(Tool(), e);
                if (!Alive()) return false;
                if (!Pump()) return false;
                if (Tool()->stopped_) return false;
            }
        }
        Restore();
        Invalidate();
        return true;
    }

    TOwnedPtr<TAnimationWatch> watch_;
    std::vector<double> original_;
    std::vector<double> shown_;
};

AnsiString TSeriesAnimationTool::Description() const { return Plotproco::PlotMsg_SeriesAnimTool; }

void TSeriesAnimationTool::Execute() {
    if (!Series() || executing_) return;
    Run run(this, Series());
    run.Animate();
}

// ---------------------------------------------------------------------------------------------
// Published properties

namespace {

const bool seriesAnimationPropertiesRegistered = [] {
    using T = TSeriesAnimationTool;
    const TMetaClass* tool = T::StaticClass();
    RegisterProperty(tool, OrdinalProperty<T>("DrawEvery", pkInteger, &T::DrawEvery,
                                              &T::SetDrawEvery, 0));
    RegisterProperty(tool, EnumProperty<T>("Loop", &T::Loop, &T::SetLoop,
                                           {"salNo", "salOneWay", "salCircular"}, salNo));
    RegisterProperty(tool, ComponentProperty<T, TChartSeries>("Series", &T::Series,
                                                              &T::SetSeries));
    RegisterProperty(tool, OrdinalProperty<T>("StartAtMin", pkBool, &T::StartAtMin,
                                              &T::SetStartAtMin, 1));
    RegisterProperty(tool, FloatProperty<T>("StartValue", &T::StartValue, &T::SetStartValue));
    RegisterProperty(tool, OrdinalProperty<T>("Steps", pkInteger, &T::Steps, &T::SetSteps, 100));
    return true;
}();

}  // namespace
