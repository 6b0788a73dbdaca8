// Scripted modal runs: steps driven from a timer inside a dialog's modal loop.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "cl_extctrls.h"
#include "cl_forms.h"

// Steps run one at a time from a timer inside the dialog's modal loop (not inside the nested
// loops of a step); a step answering false is tried again at the next tick. Whatever happens, the
// run ends with the form closed.
class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        timer_->SetInterval(30);
        timer_->SetOnTimer([this](TObject*) { Tick(); });
    }
    ~ModalScript() { timer_->Free(); }
    bool Finished() const { return next_ == steps_.size(); }

private:
    void Tick() {
        if (Finished() || busy_) return;
        if (++ticks_ > 300) {
            ADD_FAILURE() << "step " << next_ << " never came true";
            next_ = steps_.size();
            if (TForm* form = dynamic_cast<TForm*>(Screen->ActiveForm()))
                form->SetModalResult(mrCancel);
            return;
        }
        busy_ = true;
        const bool done = steps_[next_]();
        busy_ = false;
        if (done) {
            ++next_;
            ticks_ = 0;
        }
    }

    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool busy_ = false;
    TTimer* timer_ = new TTimer(nullptr);
};
